// A UICC that refuses class A0 reads like the demo card: the same file, the
// same card information but for the phase, which names the UICC.

#include "CliRunner.h"

#include <fstream>
#include <iterator>

namespace pelmora::test {
namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string withoutPhase(const std::string& info) {
    std::string out;
    size_t start = 0;
    while (start < info.size()) {
        const size_t end = std::min(info.find('\n', start), info.size());
        const std::string line = info.substr(start, end - start + 1);
        if (!line.starts_with("Phase:")) {
            out += line;
        }
        start = end + 1;
    }
    return out;
}

struct Reading {
    std::string file;
    std::string info;
};

class UiccCard : public CliTest {
protected:
    Reading readCard(const std::filesystem::path& profile, const std::string& name) {
        useCardCopy(profile);
        const CliResult read = run({"read", "-o", path(name), "--pin-stdin"}, "1234\n");
        EXPECT_EQ(read.status, 0) << describe(read);
        const CliResult info = run({"info", "--pin-stdin"}, "1234\n");
        EXPECT_EQ(info.status, 0) << describe(info);
        return {contents(path(name)), info.out};
    }
};

TEST_F(UiccCard, RefusingClassA0ReadsAsTheDemoCard) {
    const Reading demo = readCard(demoCard(), "demo.phn");
    const Reading uicc = readCard(testCard("uicc-refuses-a0"), "uicc.phn");
    EXPECT_FALSE(uicc.file.empty());
    EXPECT_EQ(uicc.file, demo.file);
    EXPECT_THAT(uicc.info, ::testing::HasSubstr("Phase:               UICC (USIM)"));
    EXPECT_EQ(withoutPhase(uicc.info), withoutPhase(demo.info));
}

} // namespace
} // namespace pelmora::test
