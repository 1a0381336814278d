#include "startupstats.h"

#include <gtest/gtest.h>

namespace {

std::vector<startup::Sample> times(std::initializer_list<double> ms) {
    std::vector<startup::Sample> samples;
    for (const double value : ms) {
        samples.push_back({value, value / 10});
    }
    return samples;
}

TEST(SummarizeTest, OddCountTakesMiddleOfUnsorted) {
    const auto s = startup::summarize(times({30, 10, 20}));
    EXPECT_DOUBLE_EQ(s.medianMs, 20);
    EXPECT_DOUBLE_EQ(s.minMs, 10);
    EXPECT_DOUBLE_EQ(s.medianMiB, 2);
    EXPECT_DOUBLE_EQ(s.maxMiB, 3);
}

TEST(SummarizeTest, EvenCountAveragesMiddlePair) {
    EXPECT_DOUBLE_EQ(startup::summarize(times({40, 10, 30, 20})).medianMs, 25);
}

TEST(SummarizeTest, P90IsNearestRank) {
    EXPECT_DOUBLE_EQ(startup::summarize(times({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})).p90Ms, 9);
    EXPECT_DOUBLE_EQ(startup::summarize(times({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})).p90Ms, 10);
    EXPECT_DOUBLE_EQ(startup::summarize(times({5})).p90Ms, 5);
}

TEST(SummarizeTest, MemoryAndCpuIndependentOfTimeOrder) {
    const auto s = startup::summarize({{10, 50, 9}, {20, 30, 3}, {30, 40, 6}});
    EXPECT_DOUBLE_EQ(s.medianMiB, 40);
    EXPECT_DOUBLE_EQ(s.maxMiB, 50);
    EXPECT_DOUBLE_EQ(s.medianCpuMs, 6);
}

TEST(PairedRatioTest, IdenticalRunsGiveOneWithNoSpread) {
    const auto r = startup::pairedRatio({30, 35, 28, 40}, {30, 35, 28, 40});
    EXPECT_DOUBLE_EQ(r.median, 1);
    EXPECT_DOUBLE_EQ(r.low, 1);
    EXPECT_DOUBLE_EQ(r.high, 1);
}

TEST(PairedRatioTest, PairsCancelALoadThatSlowsBoth) {
    // Every game run takes 1.1 times its neighbour, however slow the moment.
    const auto r = startup::pairedRatio({33, 66, 44, 110, 35.2}, {30, 60, 40, 100, 32});
    EXPECT_NEAR(r.median, 1.1, 1e-12);
    EXPECT_NEAR(r.low, 1.1, 1e-12);
    EXPECT_NEAR(r.high, 1.1, 1e-12);
}

TEST(PairedRatioTest, IntervalHoldsTheMedianAndWidensWithSpread) {
    std::vector<double> a;
    std::vector<double> b;
    for (int i = 0; i < 40; ++i) {
        a.push_back(i % 2 == 0 ? 30 : 36);
        b.push_back(30);
    }
    const auto r = startup::pairedRatio(a, b);
    EXPECT_DOUBLE_EQ(r.median, 1.1);
    EXPECT_LE(r.low, r.median);
    EXPECT_GE(r.high, r.median);
    EXPECT_LT(r.low, r.high);
    EXPECT_GE(r.low, 1.0);
    EXPECT_LE(r.high, 1.2);
}

} // namespace
