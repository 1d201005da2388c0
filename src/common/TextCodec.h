#pragma once

#include <QByteArray>
#include <QString>

// Text files are read as kerfa::TextEncoding decides (UTF-8, UTF-16 by its mark, UTF-8 with stray
// bytes, or Windows-1252, the code page of files written on Windows). Everything is written as
// UTF-8 without a byte-order mark.
class TextCodec {
public:
    static QString decode(const QByteArray& bytes);
    static QByteArray encode(const QString& text);
    // Lone CR or LF breaks become CR LF.
    static QString toCrLf(const QString& text);
};
