#include "printing/PrinterPage.h"
#include "printing/TLinePrinterMargins.h"

#include <gtest/gtest.h>

namespace {

struct PageCase {
    const char* name;
    double top, left, bottom, right; // inches
    QPoint offset;
    QSize printable;
    QRect area;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.name;
}

class TextArea : public testing::TestWithParam<PageCase> {};

// A letter-sized sheet at 100 dots per inch: 850 x 1100 pixels.
TEST_P(TextArea, BetweenTheMargins) {
    const PageCase& c = GetParam();
    TLinePrinterMargins margins;
    margins.SetMarginUnit(TLinePrinterUnit::Inch);
    margins.SetTop(c.top);
    margins.SetLeft(c.left);
    margins.SetBottom(c.bottom);
    margins.SetRight(c.right);
    const PrinterPage page{100, 100, c.offset, QSize(850, 1100), c.printable};
    EXPECT_EQ(page.textArea(margins), c.area);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, TextArea,
    testing::Values(
        PageCase{"WholePaperPrintable", 1, 1, 1, 1, {0, 0}, {850, 1100}, {100, 100, 650, 900}},
        // Drawing starts at the printable area, a quarter inch in from each edge.
        PageCase{"Offset", 1, 1, 1, 1, {25, 25}, {800, 1050}, {75, 75, 650, 900}},
        PageCase{"UnequalMargins", 0.5, 1.5, 2, 0.25, {25, 25}, {800, 1050}, {125, 25, 675, 850}},
        // Margins inside the strip the printer cannot reach stop at the printable area.
        PageCase{"MarginsInTheUnprintableStrip",
                 0.1,
                 0.1,
                 0.1,
                 0.1,
                 {25, 25},
                 {800, 1050},
                 {0, 0, 800, 1050}},
        PageCase{"NoRoomLeft", 5, 5, 6, 5, {0, 0}, {850, 1100}, {500, 500, 0, 0}}),
    [](const testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

TEST(TextArea, ResolutionPerDirection) {
    TLinePrinterMargins margins;
    margins.SetTop(25.4);
    margins.SetLeft(25.4);
    margins.SetBottom(25.4);
    margins.SetRight(25.4);
    const PrinterPage page{300, 600, {0, 0}, QSize(2550, 6600), QSize(2550, 6600)};
    EXPECT_EQ(page.textArea(margins), QRect(300, 600, 1950, 5400));
}

} // namespace
