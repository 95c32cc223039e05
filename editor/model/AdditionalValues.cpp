#include "AdditionalValues.h"

#include "BookKind.h"
#include "Brontel.h"
#include "Category.h"

#include <array>

namespace pelmora::model {

namespace {

constexpr std::array<AdditionalValue, 8> kUsimValues = {{
    {kUsimFirstNumberValue, 1341, u'a'},
    {kUsimFirstNumberValue + 1, 1342, u'b'},
    {kUsimFirstNumberValue + 2, 1343, u'c'},
    {kUsimFirstNumberValue + 3, 1344, u'd'},
    {kUsimFirstNumberValue + 4, 1345, u'f'},
    {kUsimEmailValues[0], 1346, u'e'},
    {kUsimEmailValues[1], 1347, u'g'},
    {kUsimSecondNameValue, 1348, u's'},
}};
static_assert(kUsimNumberValues == 5);

} // namespace

std::span<const AdditionalValue> additionalValues(uint16_t kind) {
    if (kind == kBookUsim) {
        return kUsimValues;
    }
    return {};
}

bool cardHasRoomFor(const Category& book, int k) {
    const auto withoutRoom =
        static_cast<uint32_t>(book.fileDescription()[kDescribedValuesWithoutRoom]);
    return k < 0 || k >= kValueCount || (withoutRoom >> k & 1u) == 0;
}

} // namespace pelmora::model
