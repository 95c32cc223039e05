// How a write shares out the records of an extension or continuation file.

#include "books/RecordPool.h"

#include <gtest/gtest.h>

namespace brontel {
namespace {

using Bytes = std::vector<uint8_t>;

RecordPool::Record freeRecord() {
    return {Bytes{0xFF, 0xFF}, false, false};
}
RecordPool::Record used(uint8_t b, bool kept = false) {
    return {Bytes{0x02, b}, true, kept};
}
RecordPool::Record unreadable() {
    return {std::nullopt, false, false};
}

TEST(RecordPool, IdenticalRecordIsTakenAsItIs) {
    RecordPool pool({freeRecord(), used(7), used(7)}, true);
    EXPECT_EQ(pool.claimIdentical(Bytes{0x02, 7}), 2);
    EXPECT_EQ(pool.claimIdentical(Bytes{0x02, 7}), 3);
    EXPECT_EQ(pool.claimIdentical(Bytes{0x02, 7}), std::nullopt);
}

TEST(RecordPool, FreeRecordsGoFirstThenOnesNothingKeeps) {
    RecordPool pool({used(1), used(2, true), freeRecord(), used(3)}, true);
    EXPECT_EQ(pool.claimFree(), 3);
    EXPECT_EQ(pool.claimFree(), 1);
    EXPECT_EQ(pool.claimFree(), 4);
    EXPECT_EQ(pool.claimFree(), std::nullopt); // record 2 is kept
}

TEST(RecordPool, WithoutReleaseOnlyFreeRecordsAreHandedOutAndNoneFreed) {
    RecordPool pool({used(1), freeRecord()}, false);
    EXPECT_EQ(pool.claimFree(), 2);
    EXPECT_EQ(pool.claimFree(), std::nullopt);
    EXPECT_TRUE(pool.released().empty());
}

TEST(RecordPool, UnreadableRecordsAreNeitherTakenNorFreed) {
    RecordPool pool({unreadable(), used(1), unreadable()}, true);
    EXPECT_EQ(pool.claimIdentical(Bytes{}), std::nullopt);
    EXPECT_EQ(pool.released(), (std::vector<uint8_t>{2}));
    EXPECT_EQ(pool.claimFree(), 2);
    EXPECT_EQ(pool.claimFree(), std::nullopt);
    EXPECT_TRUE(pool.released().empty());
}

TEST(RecordPool, ReleasesOccupiedRecordsNobodyClaimedOrKeeps) {
    RecordPool pool({used(1), used(2, true), used(3), freeRecord()}, true);
    EXPECT_EQ(pool.claimIdentical(Bytes{0x02, 3}), 3);
    EXPECT_EQ(pool.released(), (std::vector<uint8_t>{1}));
}

TEST(RecordPool, RecordNumbersStopAt254) {
    RecordPool pool(std::vector<RecordPool::Record>(300, freeRecord()), true);
    EXPECT_EQ(pool.size(), 254u);
    for (int i = 0; i < 254; ++i) {
        ASSERT_TRUE(pool.claimFree());
    }
    EXPECT_EQ(pool.claimFree(), std::nullopt);
}

} // namespace
} // namespace brontel
