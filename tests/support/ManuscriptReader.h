#pragma once

#include "compile/Manuscript.h"
#include "compile/ManuscriptExport.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

// An exported manuscript read back as a reader of its format sees it: the blocks of text in
// order, each marked by its kind ("h:" a chapter heading, "d:" a description, "p:" a
// paragraph). Zip packages are unpacked with the zip library and XML parsed with Qt's reader;
// none when a part is missing or not well-formed.
class ManuscriptReader {
public:
    static std::optional<QStringList> read(const QByteArray& bytes,
                                           ManuscriptExport::Format format);
    // The blocks a manuscript should read back as.
    static QStringList blocks(const Manuscript& manuscript);
    // Whether the bytes are a well-formed XML document.
    static bool wellFormed(const QByteArray& xml);
};
