#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    std::array<char, 256> chunk{};
    while (fgets(chunk.data(), chunk.size(), pipe) != nullptr) {
        out += chunk.data();
    }
    pclose(pipe);
    return out;
}

// The 21 functions of the plug-in table.
constexpr const char* kExports[] = {
    "backup_sim",     "change_pin1",  "change_pin2",  "connect_sim",    "disable_pin1",
    "disconnect_sim", "enable_pin1",  "enum_sim",     "get_last_error", "get_nextel_phone_book",
    "get_phone_book", "get_sim_info", "get_sms",      "restore_sim",    "set_nextel_phone_book",
    "set_phone_book", "set_sms",      "unblock_pin1", "unblock_pin2",   "verify_pin1",
    "verify_pin2",
};

TEST(BrontelLibrary, ExportsItsCFunctionsAndNothingElse) {
    const std::string symbols = run(std::string("nm -D --defined-only '") + BRONTEL_PATH +
                                    "' | awk '$2 ~ /^[A-Za-z]$/ {print $3}' | LC_ALL=C sort");
    std::vector<std::string> names(std::begin(kExports), std::end(kExports));
    std::sort(names.begin(), names.end());
    std::string expected;
    for (const std::string& name : names) {
        expected += name + "\n";
    }
    EXPECT_EQ(symbols, expected);
}

} // namespace
