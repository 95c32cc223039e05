#pragma once
// Card profiles for the tests: the shipped cards, and profile text edited for
// one test.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::test {

// A shipped card's profile file: "demo" or a test card's name.
std::filesystem::path cardPath(const std::string& name);
// Its text; a missing or empty file fails the test.
std::string cardProfile(const std::string& name);

// The profile with key=value in the section (replaced, or added after the header).
std::string withKey(std::string profile, std::string_view section, std::string_view key,
                    std::string_view value);
// The profile with the section's keys replaced by body ("Key=value" lines).
std::string withSection(std::string profile, std::string_view section, std::string_view body);
std::string withoutSection(std::string profile, std::string_view section);

// Bytes as a card profile writes a record: hex pairs without spaces.
std::string profileHex(const std::vector<uint8_t>& bytes);

} // namespace brontel::test
