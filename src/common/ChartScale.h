#pragma once

#include <QtGlobal>

// The value scale of a bar chart: from low to high in steps a reader takes in at a glance
// (1, 2 or 5 times a power of ten), covering every value given, with about five steps.
struct ChartScale {
    qint64 low = 0;
    qint64 high = 0;
    qint64 step = 1;

    // least and most are the smallest and largest values to show; the scale always includes 0.
    static ChartScale of(qint64 least, qint64 most);
};
