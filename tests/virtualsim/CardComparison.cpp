#include "CardComparison.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace virtualsim;

namespace cardtest {

void expectSameFile(const CardFile& a, const CardFile& b) {
    SCOPED_TRACE(a.path());
    EXPECT_EQ(a.path(), b.path());
    EXPECT_EQ(a.type(), b.type());
    EXPECT_EQ(a.freeMemory(), b.freeMemory());
    EXPECT_EQ(a.structure(), b.structure());
    EXPECT_EQ(a.recordLength(), b.recordLength());
    EXPECT_TRUE(std::ranges::equal(a.body(), b.body()));
    EXPECT_TRUE(a.access() == b.access());
    EXPECT_EQ(a.invalidated(), b.invalidated());
    EXPECT_EQ(a.readableWhenInvalidated(), b.readableWhenInvalidated());
    EXPECT_EQ(a.increaseAllowed(), b.increaseAllowed());
    EXPECT_EQ(a.updateRetries(), b.updateRetries());
    EXPECT_EQ(a.memoryProblem(), b.memoryProblem());
    ASSERT_EQ(a.children().size(), b.children().size());
    for (size_t i = 0; i < a.children().size(); ++i) {
        expectSameFile(*a.children()[i], *b.children()[i]);
    }
}

namespace {
void expectSameCode(const SecretCode& a, const SecretCode& b) {
    EXPECT_EQ(a.initialised(), b.initialised());
    EXPECT_EQ(a.value(), b.value());
    EXPECT_EQ(a.remaining(), b.remaining());
    EXPECT_EQ(a.maxAttempts(), b.maxAttempts());
}

} // namespace

void expectSameCard(const CardState& a, const CardState& b) {
    EXPECT_EQ(a.atr(), b.atr());
    EXPECT_TRUE(a.options() == b.options());
    EXPECT_EQ(a.security().chv1Enabled(), b.security().chv1Enabled());
    for (Chv chv : {Chv::One, Chv::Two}) {
        expectSameCode(a.security().chv(chv), b.security().chv(chv));
        expectSameCode(a.security().unblockKey(chv), b.security().unblockKey(chv));
    }
    expectSameFile(a.mf(), b.mf());
}

} // namespace cardtest
