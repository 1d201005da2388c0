#include "project/WordTarget.h"

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
