#pragma once

#include "compile/Manuscript.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>
#include <span>
#include <sys/types.h>

// The compiled manuscript written in a format other programs read: a word processor's
// (OpenDocument text, .docx), a web page, Markdown or an e-book. The file is replaced whole
// through the one save path, so a failed export leaves any earlier one as it was.
class ManuscriptExport {
public:
    enum class Format { OpenDocument, Html, Markdown, Epub, Word };

    static std::span<const Format> formats();
    // The file name extension, without its dot; also the format's name in the settings.
    static QString suffix(Format format);
    static std::optional<Format> formatOfSuffix(QStringView suffix);

    // The file's bytes; none when its package could not be built.
    static std::optional<QByteArray> bytes(const Manuscript& manuscript, Format format,
                                           const QDateTime& modified);
    // Writes the file through the one save path, with the permission bits given (0: the usual
    // ones).
    static bool write(const QString& path, const Manuscript& manuscript, Format format,
                      mode_t mode = 0);
};
