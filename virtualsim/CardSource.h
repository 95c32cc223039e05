#pragma once
// Where the library's cards come from: card profiles on disk or in memory.

#include "SmartCard.h"

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <variant>

namespace virtualsim {

using LoadedCard = std::variant<std::unique_ptr<SmartCard>, std::string>;

LoadedCard loadProfileCard(const std::filesystem::path& profile);
LoadedCard loadProfileCardText(std::span<const uint8_t> profileText);

} // namespace virtualsim
