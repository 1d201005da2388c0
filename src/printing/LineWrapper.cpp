#include "printing/LineWrapper.h"

#include <QList>

bool LineWrapper::isBreakCharacter(QChar c) {
    switch (c.unicode()) {
    case u' ':
    case u'!':
    case u'"':
    case u'\'':
    case u',':
    case u'-':
    case u'.':
    case u':':
    case u';':
    case u'?':
        return true;
    default:
        return false;
    }
}

QStringList LineWrapper::wrap(const QString& text, int width, const Measure& measure) {
    QStringList lines;
    QString buffer;
    // For each character of the buffer (a surrogate pair counts as one): where it starts in the
    // text and in the buffer, so that a cut line can read the text again after the cut.
    QList<qsizetype> textAt;
    QList<qsizetype> bufferAt;
    // The last line was cut by wrapping and nothing has come since: a line break right here
    // ends no line of its own, or a paragraph that just fills its last line would print a
    // blank line after it.
    bool justWrapped = false;
    const qsizetype length = text.size();
    qsizetype i = 0;
    while (i < length) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            if (!buffer.isEmpty() || !justWrapped)
                lines << buffer;
            buffer.clear();
            textAt.clear();
            bufferAt.clear();
            justWrapped = false;
            i += (c == u'\r' && i + 1 < length && text.at(i + 1) == u'\n') ? 2 : 1;
            continue;
        }
        if (c.unicode() < 32) {
            ++i;
            continue;
        }
        const qsizetype size =
            (c.isHighSurrogate() && i + 1 < length && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        textAt << i;
        bufferAt << buffer.size();
        buffer += QStringView(text).sliced(i, size);
        justWrapped = false;
        // A lone character wider than the whole line takes a line of its own.
        if (textAt.size() == 1 || measure(buffer) <= width) {
            i += size;
            continue;
        }
        // The first character is never a place to break: the line would hold nothing before it.
        qsizetype cut = textAt.size() - 1;
        while (cut >= 1 && !isBreakCharacter(text.at(textAt[cut])))
            --cut;
        if (cut >= 1) {
            lines << buffer.left(bufferAt[cut] + 1);
            i = cut + 1 < textAt.size() ? textAt[cut + 1] : i + size;
        } else {
            // The character that overflowed starts the next line.
            lines << buffer.left(bufferAt.last());
        }
        buffer.clear();
        textAt.clear();
        bufferAt.clear();
        justWrapped = true;
    }
    if (!buffer.isEmpty())
        lines << buffer;
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
