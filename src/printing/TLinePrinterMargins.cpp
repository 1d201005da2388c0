#include "printing/TLinePrinterMargins.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;
// Far beyond any paper; keeps a typed-in absurdity from overflowing the arithmetic.
constexpr double kLimit = 1e6;

} // namespace

qint64 TLinePrinterMargins::toHundredths(double value) {
    if (!std::isfinite(value))
        return 0;
    return std::llround(std::clamp(value, -kLimit, kLimit) * 100);
}

void TLinePrinterMargins::SetMarginUnit(TLinePrinterUnit unit) {
    if (unit == m_unit)
        return;
    const double factor =
        unit == TLinePrinterUnit::mm ? kMillimetresPerInch : 1 / kMillimetresPerInch;
    for (qint64* value : {&m_top, &m_left, &m_bottom, &m_right})
        *value = std::llround(static_cast<double>(*value) * factor);
    m_unit = unit;
}

QMarginsF TLinePrinterMargins::inches() const {
    const double divisor = m_unit == TLinePrinterUnit::mm ? kMillimetresPerInch : 1;
    return {Left() / divisor, Top() / divisor, Right() / divisor, Bottom() / divisor};
}
