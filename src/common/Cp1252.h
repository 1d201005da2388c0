#pragma once
// Windows-1252, the 8-bit code page of files written on Windows and of the
// English spelling dictionaries. Standard C++ only, so the spelling library can use it too.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kerfa::cp1252 {

// The Unicode code point of one byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, as usual.
char32_t toUnicode(std::uint8_t byte);

// The byte for a code point, or nothing when the code page cannot represent it.
std::optional<std::uint8_t> fromUnicode(char32_t codePoint);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, nothing past U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8.
std::string toUtf8(std::string_view bytes);

// Appends one code point (up to U+10FFFF) in UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// UTF-8 (assumed valid) to Windows-1252; false when any character has no byte in the code page.
bool fromUtf8(std::string_view utf8, std::string& out);

// Letter case of one byte: A-Z and the accented letters of the code page (including
// Š/š, Œ/œ, Ž/ž and Ÿ/ÿ). Bytes without a case partner come back unchanged.
std::uint8_t toLower(std::uint8_t byte);
std::uint8_t toUpper(std::uint8_t byte);

} // namespace kerfa::cp1252
