#include "ProfileCard.h"

#include "VirtualCard.h"

namespace virtualsim {

namespace {

using Loaded = std::variant<std::unique_ptr<VirtualCard>, std::string>;

} // namespace

ProfileCard::ProfileCard(std::unique_ptr<VirtualCard> card,
                         std::optional<std::filesystem::path> profile,
                         std::vector<uint8_t> savedText)
    : m_card(std::move(card)), m_profile(std::move(profile)), m_savedText(std::move(savedText)) {}

ProfileCard::~ProfileCard() = default;

LoadedCard ProfileCard::load(const std::filesystem::path& profile) {
    Loaded loaded = VirtualCard::fromProfile(profile);
    if (auto* message = std::get_if<std::string>(&loaded))
        return *message;
    auto card = std::move(std::get<std::unique_ptr<VirtualCard>>(loaded));
    std::vector<uint8_t> text = card->toProfileText();
    return std::unique_ptr<SmartCard>(new ProfileCard(std::move(card), profile, std::move(text)));
}

LoadedCard ProfileCard::fromText(std::span<const uint8_t> profileText) {
    Loaded loaded = VirtualCard::fromProfileText(profileText);
    if (auto* message = std::get_if<std::string>(&loaded))
        return *message;
    return std::unique_ptr<SmartCard>(new ProfileCard(
        std::move(std::get<std::unique_ptr<VirtualCard>>(loaded)), std::nullopt, {}));
}

std::vector<uint8_t> ProfileCard::atr() const {
    return m_card->atr();
}

std::vector<uint8_t> ProfileCard::transmit(std::span<const uint8_t> command) {
    return m_card->transmit(command);
}

void ProfileCard::powerCycle() {
    m_card->reset();
}

bool ProfileCard::persist(std::string* error) {
    if (!m_profile)
        return true;
    std::vector<uint8_t> text = m_card->toProfileText();
    if (text == m_savedText)
        return true;
    if (!m_card->saveProfile(*m_profile, error))
        return false;
    m_savedText = std::move(text);
    return true;
}

} // namespace virtualsim
