#include "spellui/CodePageText.h"

#include "common/Cp1252.h"

namespace CodePageText {

std::string toBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const auto b = c.isSurrogate() ? std::nullopt : kerfa::cp1252::fromUnicode(c.unicode());
        bytes += b && *b != 0 ? static_cast<char>(*b) : kNoWordByte;
    }
    return bytes;
}

std::optional<std::string> toExactBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const auto b = c.isSurrogate() ? std::nullopt : kerfa::cp1252::fromUnicode(c.unicode());
        if (!b)
            return std::nullopt;
        bytes += static_cast<char>(*b);
    }
    return bytes;
}

QString fromBytes(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char b : bytes)
        text +=
            QChar(static_cast<char16_t>(kerfa::cp1252::toUnicode(static_cast<std::uint8_t>(b))));
    return text;
}

} // namespace CodePageText
