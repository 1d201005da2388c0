#include "compile/BookMatches.h"

#include "editor/TextFinder.h"

namespace {

bool inWord(QChar c) {
    return c.isLetterOrNumber();
}

bool lineBreak(QChar c) {
    return c == u'\n' || c == u'\r';
}

} // namespace

BookMatches::BookMatches(QString findText, bool matchCase, bool wholeWords)
    : m_findText(std::move(findText)), m_matchCase(matchCase), m_wholeWords(wholeWords),
      m_search(m_findText, matchCase) {}

bool BookMatches::wholeAt(QStringView text, qsizetype at) const {
    // A find text that begins or ends with a blank or a mark has no word to keep whole there.
    const qsizetype end = at + m_findText.size();
    if (inWord(m_findText.front()) && at > 0 && inWord(text[at - 1]))
        return false;
    return !(inWord(m_findText.back()) && end < text.size() && inWord(text[end]));
}

QList<BookMatches::Match> BookMatches::in(QStringView text) const {
    QList<Match> matches;
    if (m_findText.isEmpty())
        return matches;
    int line = 1;
    qsizetype counted = 0;
    for (qsizetype at = TextFinder::find(text, m_findText, 0, m_matchCase); at >= 0;) {
        if (m_wholeWords && !wholeAt(text, at)) {
            at = TextFinder::find(text, m_findText, at + 1, m_matchCase);
            continue;
        }
        line += int(text.sliced(counted, at - counted).count(u'\n'));
        counted = at;
        const qsizetype end = at + m_findText.size();
        qsizetype from = at;
        while (from > 0 && at - from < kContext && !lineBreak(text[from - 1]))
            --from;
        qsizetype to = end;
        while (to < text.size() && to - end < kContext && !lineBreak(text[to]))
            ++to;
        matches.append({at, line, text.sliced(from, at - from).toString(),
                        text.sliced(at, end - at).toString(),
                        text.sliced(end, to - end).toString()});
        at = TextFinder::find(text, m_findText, end, m_matchCase);
    }
    return matches;
}

QString BookMatches::replaced(QStringView text, const QList<qsizetype>& offsets, qsizetype length,
                              QStringView with) {
    QString result;
    result.reserve(text.size() + offsets.size() * (with.size() - length));
    qsizetype done = 0;
    for (const qsizetype at : offsets) {
        result += text.sliced(done, at - done);
        result += with;
        done = at + length;
    }
    result += text.sliced(done);
    return result;
}
