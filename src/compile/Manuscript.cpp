#include "compile/Manuscript.h"

namespace {

bool blank(QStringView line) {
    for (const QChar c : line)
        if (c.unicode() > 0x20)
            return false;
    return true;
}

} // namespace

QStringList Manuscript::paragraphs(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.sliced(start).toString());
    qsizetype first = 0;
    while (first < lines.size() && blank(lines[first]))
        ++first;
    qsizetype last = lines.size();
    while (last > first && blank(lines[last - 1]))
        --last;
    return lines.mid(first, last - first);
}
