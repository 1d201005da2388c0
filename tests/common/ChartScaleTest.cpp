#include "common/ChartScale.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Case {
    qint64 least, most;
    ChartScale expected;
};

class ChartScaleOf : public testing::TestWithParam<Case> {};

TEST_P(ChartScaleOf, CoversTheValuesInRoundSteps) {
    const Case& c = GetParam();
    const ChartScale scale = ChartScale::of(c.least, c.most);
    EXPECT_EQ(scale.low, c.expected.low);
    EXPECT_EQ(scale.high, c.expected.high);
    EXPECT_EQ(scale.step, c.expected.step);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChartScaleOf,
    testing::Values(Case{0, 0, {0, 1, 1}},              // nothing written still has a scale
                    Case{0, 10, {0, 10, 2}},            // the chart's smallest scale
                    Case{0, 1234, {0, 1500, 500}},      // a good day
                    Case{0, 1000, {0, 1000, 200}},      // a round top stays the top
                    Case{-300, 800, {-500, 1000, 500}}, // words taken out go below zero
                    Case{-57, 0, {-60, 0, 20}},         // a day of cutting only
                    Case{5, 9, {0, 10, 2}},             // the scale starts at zero
                    Case{0, 999'999'999, {0, 1'000'000'000, 200'000'000}}));

// A damaged day log can hold any count: the scale still comes out whole, in a few steps.
TEST(ChartScale, AbsurdCountsDoNotOverflow) {
    const ChartScale scale =
        ChartScale::of(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    EXPECT_LT(scale.low, 0);
    EXPECT_GT(scale.high, 0);
    EXPECT_GT(scale.step, 0);
    EXPECT_LE((scale.high - scale.low) / scale.step, 12);
}

} // namespace
