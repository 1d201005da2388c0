#pragma once

#include "compile/Manuscript.h"

#include <QByteArray>

// The manuscript as Markdown: each chapter a first-level heading, its description in italics,
// each line of its text a paragraph of its own and an empty line a paragraph holding a
// non-breaking space. The text is escaped so that it reads as the writer typed it: nothing in it
// turns into emphasis, a link, a list, a quotation, a heading or a block of code.
class MarkdownManuscript {
public:
    static QByteArray document(const Manuscript& manuscript);
    // One line of text as Markdown shows it unchanged.
    static QString escaped(QStringView text);
};
