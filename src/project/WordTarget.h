#pragma once

#include <QStringView>

// A word target as the writer types it or a sheet file stores it: a whole number of words above
// zero. Anything else (empty, 0, negative, a fraction, letters, digit groups, more than fits)
// means no target, read as 0, so a mistyped value never shows a bar that cannot be met.
class WordTarget {
public:
    static constexpr int kNone = 0;

    static int parse(QStringView text);
};
