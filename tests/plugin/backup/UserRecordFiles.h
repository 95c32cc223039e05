#pragma once
// The record files of a card profile that a user can update (UPDATE
// condition ALW, CHV1 or CHV2), read by the card engine itself: what a
// restore must reproduce.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace brontel::test {

// Path ("3F00/7F10/6F3A") to the file's records in record-number order. A
// profile the engine refuses gives an empty map and a test failure.
std::map<std::string, std::vector<std::vector<uint8_t>>>
userRecordFiles(const std::filesystem::path& profile);

} // namespace brontel::test
