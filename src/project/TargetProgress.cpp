#include "project/TargetProgress.h"

#include <algorithm>

double TargetProgress::share(qint64 words, int target) {
    if (!shown(words, target))
        return 0;
    return std::min(1.0, static_cast<double>(words) / target);
}

QString TargetProgress::figures(qint64 words, int target, const QLocale& locale) {
    const qint64 percent = std::max<qint64>(0, words) * 100 / std::max(1, target);
    return locale.toString(words) + QStringLiteral(" / ") + locale.toString(target) +
           QStringLiteral(" (") + QString::number(percent) + QStringLiteral("%)");
}
