#include "CardAnswerText.h"

#include "HexDigits.h"
#include "LangText.h"

namespace pelmora::model {

namespace {

// The codes -2 to -18 have a text each, in order.
constexpr int kFirstStatusText = 983;
constexpr int32_t kFirstStatusCode = -2;
constexpr int32_t kLastStatusCode = -18;
constexpr int kCardRemovedText = 1100;
constexpr int kReaderErrorText = 1101;
constexpr int kOtherErrorText = 1102;

constexpr uint32_t kPcscRemovedCard = 0x80100069;
constexpr uint32_t kPcscNoSmartCard = 0x8010000C;
constexpr uint32_t kPcscResultMask = 0xFFFF0000;
constexpr uint32_t kPcscResultBase = 0x80100000;

} // namespace

bool cardWasRemoved(int32_t lastError) {
    const auto code = static_cast<uint32_t>(lastError);
    return code == kPcscRemovedCard || code == kPcscNoSmartCard;
}

std::u16string cardAnswerText(int32_t lastError, bool cardRemoved) {
    if (lastError <= kFirstStatusCode && lastError >= kLastStatusCode) {
        return velmet::langText(kFirstStatusText + (kFirstStatusCode - lastError));
    }
    if (cardRemoved || cardWasRemoved(lastError)) {
        return velmet::langText(kCardRemovedText);
    }
    const auto code = static_cast<uint32_t>(lastError);
    if ((code & kPcscResultMask) == kPcscResultBase) {
        return velmet::langText(kReaderErrorText, platform::hexNumber<char16_t>(code, 8));
    }
    return velmet::langText(kOtherErrorText, static_cast<int>(lastError));
}

} // namespace pelmora::model
