#pragma once

#include "compile/Manuscript.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

// The manuscript as an OpenDocument text: a zip package of the document's content, its styles
// (a chapter heading starts a new page), its title and a manifest. Written here rather than by
// the rich-text classes of the interface, so that the whole export needs no more than QtCore and
// each line of a sheet's text stays a paragraph of its own, spaces and tabs included.
class OdtManuscript {
public:
    static std::optional<QByteArray> package(const Manuscript& manuscript,
                                             const QDateTime& modified);
};
