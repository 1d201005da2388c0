#include "printing/TLinePrinterMargins.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(TLinePrinterMargins, TwentyMillimetresThereAndBack) {
    TLinePrinterMargins margins;
    EXPECT_EQ(margins.MarginUnit(), TLinePrinterUnit::mm);
    for (double value : {margins.Top(), margins.Left(), margins.Bottom(), margins.Right()})
        EXPECT_DOUBLE_EQ(value, 20);
    margins.SetMarginUnit(TLinePrinterUnit::Inch);
    for (double value : {margins.Top(), margins.Left(), margins.Bottom(), margins.Right()})
        EXPECT_DOUBLE_EQ(value, 0.79);
    margins.SetMarginUnit(TLinePrinterUnit::mm);
    for (double value : {margins.Top(), margins.Left(), margins.Bottom(), margins.Right()})
        EXPECT_DOUBLE_EQ(value, 20.07);
    // The unit in force converts nothing.
    margins.SetMarginUnit(TLinePrinterUnit::mm);
    EXPECT_DOUBLE_EQ(margins.Top(), 20.07);
}

struct StoredCase {
    double set;
    double read;
};

void PrintTo(const StoredCase& c, std::ostream* os) {
    *os << c.set;
}

class StoredValue : public testing::TestWithParam<StoredCase> {};

TEST_P(StoredValue, HundredthsOfTheUnit) {
    TLinePrinterMargins margins;
    margins.SetLeft(GetParam().set);
    EXPECT_DOUBLE_EQ(margins.Left(), GetParam().read);
    EXPECT_DOUBLE_EQ(margins.Top(), 20);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredValue,
                         testing::Values(StoredCase{18.456, 18.46}, StoredCase{18.454, 18.45},
                                         StoredCase{0, 0}, StoredCase{-3.2, -3.2},
                                         StoredCase{std::numeric_limits<double>::quiet_NaN(), 0},
                                         StoredCase{std::numeric_limits<double>::infinity(), 0},
                                         StoredCase{1e300, 1e6}));

TEST(TLinePrinterMargins, InchesWhateverTheUnit) {
    TLinePrinterMargins margins;
    margins.SetTop(25.4);
    margins.SetLeft(50.8);
    EXPECT_DOUBLE_EQ(margins.inches().top(), 1);
    EXPECT_DOUBLE_EQ(margins.inches().left(), 2);
    margins.SetMarginUnit(TLinePrinterUnit::Inch);
    margins.SetRight(1.5);
    EXPECT_DOUBLE_EQ(margins.inches().right(), 1.5);
    EXPECT_DOUBLE_EQ(margins.inches().top(), 1);
}

} // namespace
