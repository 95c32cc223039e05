#include "VirtualCard.h"

#include "CardProfile.h"
#include "CardState.h"

#include <fstream>
#include <iterator>

namespace virtualsim {

VirtualCard::VirtualCard(std::unique_ptr<CardState> state, std::unique_ptr<CardProfile> profile)
    : m_state(std::move(state)), m_profile(std::move(profile)) {}

VirtualCard::~VirtualCard() = default;

std::variant<std::unique_ptr<VirtualCard>, std::string>
VirtualCard::fromProfile(const std::filesystem::path& profile) {
    std::ifstream in(profile, std::ios::binary);
    if (!in) {
        return profile.string() + ": cannot be read";
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (in.bad()) {
        return profile.string() + ": cannot be read";
    }
    auto card = fromProfileText(bytes);
    if (auto* problem = std::get_if<std::string>(&card)) {
        return profile.string() + ": " + *problem;
    }
    return card;
}

std::variant<std::unique_ptr<VirtualCard>, std::string>
VirtualCard::fromProfileText(std::span<const uint8_t> profileBytes) {
    auto loaded = CardProfile::load(profileBytes);
    if (auto* problem = std::get_if<std::string>(&loaded)) {
        return *problem;
    }
    auto& result = std::get<CardProfile::Loaded>(loaded);
    return std::unique_ptr<VirtualCard>(
        new VirtualCard(std::move(result.card), std::make_unique<CardProfile>(result.profile)));
}

std::unique_ptr<VirtualCard> VirtualCard::fromState(std::unique_ptr<CardState> state) {
    return std::unique_ptr<VirtualCard>(
        new VirtualCard(std::move(state), std::make_unique<CardProfile>()));
}

const std::vector<uint8_t>& VirtualCard::atr() const {
    return m_state->atr();
}

std::vector<uint8_t> VirtualCard::transmit(std::span<const uint8_t> command) {
    return m_state->transmit(command);
}

void VirtualCard::reset() {
    m_state->reset();
}

std::vector<uint8_t> VirtualCard::toProfileText() const {
    return m_profile->write(*m_state).serialize();
}

bool VirtualCard::saveProfile(const std::filesystem::path& profile, std::string* error) const {
    const auto problem = m_profile->write(*m_state).save(profile);
    if (problem && error) {
        *error = *problem;
    }
    return !problem;
}

} // namespace virtualsim
