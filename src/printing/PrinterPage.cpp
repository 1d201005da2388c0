#include "printing/PrinterPage.h"

#include "printing/TLinePrinterMargins.h"

#include <algorithm>
#include <cmath>

namespace {

qint64 pixels(double inches, int dpi) {
    return std::llround(inches * dpi);
}

int within(qint64 value, int size) {
    return static_cast<int>(std::clamp<qint64>(value, 0, size));
}

} // namespace

QRect PrinterPage::textArea(const TLinePrinterMargins& margins) const {
    const QMarginsF inches = margins.inches();
    const int left = within(pixels(inches.left(), dpiX) - offset.x(), printable.width());
    const int top = within(pixels(inches.top(), dpiY) - offset.y(), printable.height());
    const int right =
        within(paper.width() - pixels(inches.right(), dpiX) - offset.x(), printable.width());
    const int bottom =
        within(paper.height() - pixels(inches.bottom(), dpiY) - offset.y(), printable.height());
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}
