// A sequence of commands against the demo card: each is answered with a
// status word, and the card's state afterwards still saves and loads.
#include "FuzzSupport.h"

#include "VirtualCard.h"

using virtualsim::VirtualCard;

namespace {

// Data and status word of the longest answer.
constexpr size_t kMaxAnswer = 256 + 2;

std::unique_ptr<VirtualCard> loaded(std::span<const uint8_t> profile) {
    auto card = VirtualCard::fromProfileText(profile);
    auto* loadedCard = std::get_if<std::unique_ptr<VirtualCard>>(&card);
    return loadedCard ? std::move(*loadedCard) : nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto card = loaded(pelmora::fuzz::demoCardProfile());
    if (!card) {
        pelmora::fuzz::propertyBroken("the demo card loads");
    }
    // Each command: a length byte, then that many bytes (fewer at the end).
    auto input = pelmora::fuzz::bytesOf(data, size);
    while (!input.empty()) {
        const size_t length = std::min<size_t>(input[0], input.size() - 1);
        const auto command = input.subspan(1, length);
        input = input.subspan(1 + length);
        if (command.size() == 1 && command[0] == 0xFF) {
            card->reset();
            continue;
        }
        const std::vector<uint8_t> answer = card->transmit(command);
        if (answer.size() < 2 || answer.size() > kMaxAnswer) {
            pelmora::fuzz::propertyBroken("every command is answered with a status word");
        }
    }
    if (!loaded(card->toProfileText())) {
        pelmora::fuzz::propertyBroken("the card's state after the commands loads again");
    }
    return 0;
}
