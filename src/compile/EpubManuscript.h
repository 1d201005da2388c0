#pragma once

#include "compile/Manuscript.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

// The manuscript as an e-book of the third generation of the open e-book format: the type
// stored first, the container pointing at the package document, which lists one XHTML page per
// chapter in reading order, the table of contents and the style sheet.
class EpubManuscript {
public:
    static std::optional<QByteArray> package(const Manuscript& manuscript,
                                             const QDateTime& modified);
};
