#pragma once

#include "compile/Manuscript.h"

#include <QByteArray>

// The manuscript as a web page, and its chapters as the XHTML pages of an e-book. Written so that
// an XML reader takes the page too: every element closed, no named entities. Each line of a
// sheet's text is a paragraph kept as typed (its spaces and tabs shown); an empty line is an
// empty paragraph that still takes a line's room.
class HtmlManuscript {
public:
    static QByteArray page(const Manuscript& manuscript);
    // One chapter as a page of an e-book, with the style sheet beside it.
    static QByteArray chapterPage(const Manuscript& manuscript, const Manuscript::Chapter& chapter);
    static QByteArray styleSheet();
};
