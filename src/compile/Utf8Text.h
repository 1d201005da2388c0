#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// A sheet's text file as the editor would read it, kept as UTF-8 bytes instead of being decoded:
// compiling and searching a whole book then costs little more than reading it. A file in UTF-8
// keeps its bytes (without a byte-order mark); one in another encoding (kerfa::TextEncoding) is
// converted. Either way the bytes are what the editor's text would be written as, line breaks
// aside.
class Utf8Text {
public:
    // The file's text; none when it cannot be read. A missing file is none too, with missing set.
    static std::optional<QByteArray> read(const QString& path, bool* missing = nullptr);
    // The file's bytes as they are, read under the same conditions.
    static std::optional<QByteArray> readBytes(const QString& path, bool* missing = nullptr);
    // A text file's bytes as UTF-8, without a byte-order mark.
    static QByteArray toUtf8(QByteArray bytes);
    // Every lone CR or LF made CR LF; the bytes come back as they are when there is none.
    static QByteArray toCrLf(QByteArray bytes);
    // Without the blanks, line breaks and control characters at either end.
    static QByteArrayView trimmed(QByteArrayView bytes);
};
