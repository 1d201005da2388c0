#pragma once

#include <QLocale>
#include <QString>

// How far a count of words has come toward a target: the share shown by a sheet's bar and the
// figures of an editor's status line. A count not yet known is negative and shows nothing.
class TargetProgress {
public:
    static bool shown(qint64 words, int target) { return target > 0 && words >= 0; }
    static bool met(qint64 words, int target) { return shown(words, target) && words >= target; }
    // 0 to 1; a count beyond the target fills the bar and no more.
    static double share(qint64 words, int target);
    // "1,234 / 2,000 (61%)", with the locale's digit grouping; the share is rounded down, so
    // 100% shows only once the target is met.
    static QString figures(qint64 words, int target, const QLocale& locale = QLocale());
};
