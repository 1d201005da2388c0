#pragma once

#include <QStringView>
#include <optional>

// A word target as the writer types it or a sheet file stores it: a whole number of words above
// zero. Anything else (empty, 0, negative, a fraction, letters, digit groups, more than fits)
// means no target, read as 0, so a mistyped value never shows a bar that cannot be met.
class WordTarget {
public:
    static constexpr int kNone = 0;

    static int parse(QStringView text);
    // A target as the writer types it: the same, and the digits may also go in groups of
    // three, set apart by the interface's group separator or by blanks ("2,000", "2 000").
    // Empty (or 0) is no target; none when the text is no target at all, so that a typing
    // mistake is pointed out rather than dropped.
    static std::optional<int> parseTyped(QStringView text, QStringView groupSeparator);
};
