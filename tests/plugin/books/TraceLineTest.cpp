// The records a call reads and writes, and the iDEN e-mail walk, in the "asd"
// trace log.

#include "BookCardFixture.h"

#include "LogLines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brontel::test {
namespace {

using BookTrace = BookCard;

bool hasLine(const std::vector<pelmora::test::LogLine>& lines, const std::string& tag,
             const std::string& message) {
    return std::ranges::any_of(lines, [&](const pelmora::test::LogLine& line) {
        return line.label == "TRACE  " && line.tag == tag && line.message == message;
    });
}

TEST_F(BookTrace, RecordsAndTheEmailWalkAreTraced) {
    pelmora::test::LogRoots roots;
    pelmora::test::writeBytes(roots.root() / "asd.log", "3\r\n");
    pelmora::log::init_log("asd");

    ASSERT_EQ(read(0x6F3B).result, 1);
    BookRead iden = read(0);
    ASSERT_EQ(iden.result, 1);
    ASSERT_EQ(write(0, iden.entries), 1);

    const auto lines = pelmora::test::logLines(roots.root() / "asd.log");
    EXPECT_TRUE(
        hasLine(lines, "simple", "  1 486F6D65FFFFFFFFFFFFFFFFFFFF07811036920600F1FFFFFFFFFFFF"));
    EXPECT_TRUE(hasLine(lines, "simple", " 10 " + std::string(56, 'F')));
    EXPECT_TRUE(hasLine(lines, "get_nextel_phone_book", "phn:0 size:0"));
    EXPECT_TRUE(hasLine(lines, "get_nextel_phone_book", "phn:0 size:60"));
    EXPECT_TRUE(hasLine(lines, "nextel",
                        "  1 44697370617463682043656E746572000007912120550501F0FFFFFFFF00000000"
                        "0000000000000000800000000000000100000000000000"));
    EXPECT_TRUE(hasLine(lines, "nextel", " 20 " + std::string(112, '0')));
    EXPECT_TRUE(hasLine(lines, "parce_nextel_record", "email id:1"));
    EXPECT_TRUE(hasLine(lines, "parce_nextel_record", "responce-> size:320 reclen:32"));
    EXPECT_TRUE(hasLine(lines, "parce_nextel_record", "next id:2"));
    EXPECT_TRUE(hasLine(lines, "parce_nextel_record", "next id:0"));
    // Reading and writing each trace every value record.
    EXPECT_EQ(std::ranges::count_if(lines, [](const auto& l) { return l.tag == "nextel"; }), 120);
}

} // namespace
} // namespace brontel::test
