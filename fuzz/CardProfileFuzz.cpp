// A card profile loaded from any bytes; a loaded card saved and loaded again
// is the same card: its second save writes the same bytes as the first.
#include "FuzzSupport.h"

#include "VirtualCard.h"

using virtualsim::VirtualCard;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto loaded = VirtualCard::fromProfileText(pelmora::fuzz::bytesOf(data, size));
    auto* card = std::get_if<std::unique_ptr<VirtualCard>>(&loaded);
    if (!card) {
        return 0;
    }
    const std::vector<uint8_t> saved = (*card)->toProfileText();
    auto again = VirtualCard::fromProfileText(saved);
    auto* second = std::get_if<std::unique_ptr<VirtualCard>>(&again);
    if (!second) {
        pelmora::fuzz::propertyBroken("a saved card profile loads again");
    }
    if ((*second)->toProfileText() != saved) {
        pelmora::fuzz::propertyBroken("a card profile saved, loaded and saved again is unchanged");
    }
    return 0;
}
