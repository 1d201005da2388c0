#include "common/ChartScale.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 kSteps = 5;
// Values beyond this are clamped: a day's word count never comes near it, and the steps below
// stay clear of overflow.
constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 100;

qint64 floorTo(qint64 value, qint64 step) {
    const qint64 q = value / step;
    return (value % step != 0 && value < 0 ? q - 1 : q) * step;
}

qint64 ceilTo(qint64 value, qint64 step) {
    const qint64 q = value / step;
    return (value % step != 0 && value > 0 ? q + 1 : q) * step;
}

} // namespace

ChartScale ChartScale::of(qint64 least, qint64 most) {
    least = std::clamp<qint64>(std::min<qint64>(least, 0), -kLimit, 0);
    most = std::clamp<qint64>(std::max<qint64>(most, 0), 0, kLimit);
    const qint64 span = std::max<qint64>(most - least, 1);
    // The smallest of 1, 2, 5, 10, 20, 50 ... that covers the span in kSteps steps.
    qint64 step = 1;
    for (qint64 power = 1;; power *= 10) {
        if (power * kSteps >= span) {
            step = power;
            break;
        }
        if (2 * power * kSteps >= span) {
            step = 2 * power;
            break;
        }
        if (5 * power * kSteps >= span) {
            step = 5 * power;
            break;
        }
    }
    const qint64 low = floorTo(least, step);
    // A scale of nothing but zero still has a step to draw.
    return {low, std::max(ceilTo(most, step), low + step), step};
}
