#include "CardSource.h"

#if VIRTUALSIM_HAVE_CARD_ENGINE
#include "ProfileCard.h"
#endif

namespace virtualsim {

namespace {

template <typename Loaded> LoadedCard asSmartCard(Loaded loaded) {
    if (auto* message = std::get_if<std::string>(&loaded))
        return *message;
    return std::unique_ptr<SmartCard>(std::move(std::get<0>(loaded)));
}

} // namespace

#if VIRTUALSIM_HAVE_CARD_ENGINE
LoadedCard loadProfileCard(const std::filesystem::path& profile) {
    return asSmartCard(ProfileCard::load(profile));
}

LoadedCard loadProfileCardText(std::span<const uint8_t> profileText) {
    return asSmartCard(ProfileCard::fromText(profileText));
}
#else
LoadedCard loadProfileCard(const std::filesystem::path&) {
    return std::string("this build has no card engine");
}

LoadedCard loadProfileCardText(std::span<const uint8_t>) {
    return std::string("this build has no card engine");
}
#endif

} // namespace virtualsim
