#pragma once
// Between the editor's text (UTF-16) and the spelling library's 8-bit text in Windows-1252.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace CodePageText {

// The character a byte that cannot be part of a word stands for: what a character without a
// byte in the code page becomes.
inline constexpr char kNoWordByte = 0x7F;

// One byte per UTF-16 unit, so that positions stay aligned with the editor's; a unit without
// a byte in the code page (and the NUL character) becomes kNoWordByte.
std::string toBytes(const QString& text);
// The bytes of a text that the code page can hold entirely; nothing otherwise.
std::optional<std::string> toExactBytes(const QString& text);
QString fromBytes(std::string_view bytes);

} // namespace CodePageText
