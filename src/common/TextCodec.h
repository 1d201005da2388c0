#pragma once

#include <QByteArray>
#include <QString>

// Text files are UTF-8 when their bytes are valid UTF-8, and otherwise Windows-1252, the code
// page of files written on Windows. Everything is written as UTF-8 without a
// byte-order mark.
class TextCodec {
public:
    static QString decode(const QByteArray& bytes);
    static QByteArray encode(const QString& text);
    // Lone CR or LF breaks become CR LF.
    static QString toCrLf(const QString& text);
};
