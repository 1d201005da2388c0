#pragma once

#include "compile/Manuscript.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

// The manuscript as a word-processor document of the zip-packaged XML kind (.docx): the body,
// its styles (a chapter heading starts a new page and is the first level of the outline), the
// title in the document's properties, and the content types and relationships that tie them
// together. Each line of a sheet's text is a paragraph, spaces and tabs kept.
class DocxManuscript {
public:
    static std::optional<QByteArray> package(const Manuscript& manuscript,
                                             const QDateTime& modified);
};
