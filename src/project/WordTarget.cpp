#include "project/WordTarget.h"

#include <QString>

int WordTarget::parse(QStringView text) {
    const QStringView digits = text.trimmed();
    // Eight digits at most: no book needs more, and no sum of them overflows.
    if (digits.isEmpty() || digits.size() > 8)
        return kNone;
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return kNone;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<int> WordTarget::parseTyped(QStringView text, QStringView groupSeparator) {
    const QStringView typed = text.trimmed();
    if (typed.isEmpty())
        return kNone;
    QString digits;
    qsizetype group = 0; // digits in the group being read
    bool grouped = false;
    for (qsizetype i = 0; i < typed.size();) {
        const QChar c = typed[i];
        if (c >= u'0' && c <= u'9') {
            digits += c;
            ++group;
            ++i;
            continue;
        }
        const qsizetype separator =
            !groupSeparator.isEmpty() && typed.sliced(i).startsWith(groupSeparator)
                ? groupSeparator.size()
            : c.isSpace() ? 1
                          : 0;
        // A separator ends a group of one to three digits, or of exactly three after the first.
        if (separator == 0 || group == 0 || group > 3 || (grouped && group != 3))
            return std::nullopt;
        grouped = true;
        group = 0;
        i += separator;
    }
    if (grouped && group != 3)
        return std::nullopt;
    const int value = parse(digits);
    if (value == kNone && digits.count(u'0') != digits.size())
        return std::nullopt; // more digits than a target holds
    return value;
}
