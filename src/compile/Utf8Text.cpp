#include "compile/Utf8Text.h"

#include "common/TextEncoding.h"
#include "editor/SheetText.h"

#include <cstring>
#include <string_view>

std::optional<QByteArray> Utf8Text::read(const QString& path, bool* missing) {
    std::optional<QByteArray> bytes = readBytes(path, missing);
    if (!bytes)
        return std::nullopt;
    return toUtf8(std::move(*bytes));
}

std::optional<QByteArray> Utf8Text::readBytes(const QString& path, bool* missing) {
    return SheetText::readBytes(path, missing);
}

QByteArray Utf8Text::toUtf8(QByteArray bytes) {
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (kerfa::TextEncoding::isPlainUtf8(view))
        return bytes;
    return QByteArray::fromStdString(kerfa::TextEncoding::toUtf8(view));
}

QByteArray Utf8Text::toCrLf(QByteArray bytes) {
    const char* const begin = bytes.constData();
    const char* const end = begin + bytes.size();
    // Most texts have CR LF throughout: find the first break that is not one.
    const char* p = begin;
    for (;;) {
        p = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (!p) {
            // No lone LF; a lone CR is rarer still, looked for only now.
            const char* cr = begin;
            while ((cr = static_cast<const char*>(std::memchr(cr, '\r', end - cr))) &&
                   cr + 1 < end && cr[1] == '\n')
                cr += 2;
            if (!cr)
                return bytes;
            break;
        }
        if (p == begin || p[-1] != '\r')
            break;
        ++p;
    }
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (const char* q = begin; q < end; ++q) {
        if (*q == '\r') {
            out.append("\r\n", 2);
            if (q + 1 < end && q[1] == '\n')
                ++q;
        } else if (*q == '\n') {
            out.append("\r\n", 2);
        } else {
            out.append(*q);
        }
    }
    return out;
}

QByteArrayView Utf8Text::trimmed(QByteArrayView bytes) {
    // Blanks and control characters are the bytes up to 0x20, in UTF-8 as in the text itself.
    auto blank = [](char c) {
        return static_cast<unsigned char>(c) <= 0x20;
    };
    qsizetype from = 0;
    qsizetype to = bytes.size();
    while (from < to && blank(bytes[from]))
        ++from;
    while (to > from && blank(bytes[to - 1]))
        --to;
    return bytes.sliced(from, to - from);
}
