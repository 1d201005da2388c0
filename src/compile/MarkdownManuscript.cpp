#include "compile/MarkdownManuscript.h"

#include "compile/XmlText.h"

namespace {

// Marks that act wherever they stand: emphasis, code, links, images, raw HTML, entities,
// strike-through, a heading's closing marks, and the escape itself.
bool marksAnywhere(QChar c) {
    switch (c.unicode()) {
    case u'\\':
    case u'`':
    case u'*':
    case u'_':
    case u'[':
    case u']':
    case u'<':
    case u'&':
    case u'~':
    case u'#':
        return true;
    default:
        return false;
    }
}

// Marks that begin a block when they start a line: a quotation, a list item, a rule or the
// underline of a heading.
bool marksAtStart(QChar c) {
    return c == u'>' || c == u'-' || c == u'+' || c == u'=';
}

} // namespace

QString MarkdownManuscript::escaped(QStringView text) {
    // Control characters would only reach the page a renderer makes of it, as garbage.
    const QString line = XmlText::clean(text);
    QString out;
    out.reserve(line.size() + line.size() / 8);
    // Blanks at the start would make a block of code, and at the end they would be dropped:
    // both are kept as character references.
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == u' ' || line[end - 1] == u'\t'))
        --end;
    const auto blank = [&out](QChar c) {
        out.append(c == u' ' ? QStringLiteral("&#32;") : QStringLiteral("&#9;"));
    };
    qsizetype i = 0;
    for (; i < end && (line[i] == u' ' || line[i] == u'\t'); ++i)
        blank(line[i]);
    const qsizetype start = i;
    // "1." or "1)" at the start of a line would begin a numbered list.
    qsizetype digits = start;
    while (digits < end && line[digits].isDigit() && line[digits].unicode() < 0x80)
        ++digits;
    const qsizetype listMark =
        digits > start && digits < end && (line[digits] == u'.' || line[digits] == u')') ? digits
                                                                                         : -1;
    for (; i < end; ++i) {
        const QChar c = line[i];
        if (marksAnywhere(c) || (i == start && marksAtStart(c)) || i == listMark)
            out.append(u'\\');
        out.append(c);
    }
    for (; i < line.size(); ++i)
        blank(line[i]);
    return out;
}

QByteArray MarkdownManuscript::document(const Manuscript& manuscript) {
    QString out;
    for (const Manuscript::Chapter& chapter : manuscript.chapters) {
        if (!out.isEmpty())
            out.append(u'\n');
        out.append(QStringLiteral("# ") + escaped(chapter.title) + u'\n');
        if (!chapter.description.isEmpty())
            out.append(QStringLiteral("\n*") + escaped(chapter.description) +
                       QStringLiteral("*\n"));
        for (const QString& paragraph : chapter.paragraphs)
            out.append(u'\n' +
                       (paragraph.isEmpty() ? QStringLiteral("&nbsp;") : escaped(paragraph)) +
                       u'\n');
    }
    return out.toUtf8();
}
