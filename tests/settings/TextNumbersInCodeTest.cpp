// Every text number the editor's code names must have an English text: a
// number without one would show the user an empty message.

#include "LanguageFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace pelmora::velmet {
namespace {

// Numbers passed to the text functions, or kept in constants named ...Text.
std::set<int> textNumbersIn(const std::string& source) {
    static const std::regex kUse(
        R"((?:langText|GetLangText|GetLangTextInto|getLangText)\(\s*(\d+))");
    static const std::regex kConstant(R"(constexpr int k\w*Text\s*=\s*(\d+))");
    std::set<int> numbers;
    for (const std::regex* pattern : {&kUse, &kConstant}) {
        for (std::sregex_iterator i(source.begin(), source.end(), *pattern), end; i != end; ++i) {
            numbers.insert(std::stoi((*i)[1].str()));
        }
    }
    return numbers;
}

TEST(TextNumbersInCode, FindsCallsAndConstants) {
    EXPECT_EQ(textNumbersIn("langText(12); GetLangText( 7, x); constexpr int kFullText = 120;"),
              (std::set<int>{7, 12, 120}));
}

TEST(TextNumbersInCode, EveryNumberTheEditorUsesHasAnEnglishText) {
    const LanguageFile file = LanguageFile::load(PELMORA_SOURCE_DATA "/lang.ini");
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(PELMORA_SOURCE_EDITOR)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) {
            continue;
        }
        ++files;
        std::ostringstream text;
        text << std::ifstream(entry.path()).rdbuf();
        for (int number : textNumbersIn(text.str())) {
            EXPECT_FALSE(file.text(number, u"en").empty())
                << entry.path().filename().string() << " uses text " << number;
        }
    }
    EXPECT_GT(files, 50u);
}

} // namespace
} // namespace pelmora::velmet
