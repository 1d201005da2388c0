// The text decoder over arbitrary bytes: its text is valid UTF-8; valid UTF-8 comes back as it
// was, without its mark; Windows-1252 makes one character of each byte, and UTF-8 with stray
// bytes no more characters than bytes; and the text read back from its UTF-16 form, in either
// byte order, is the same text.

#include "common/Cp1252.h"
#include "common/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using kerfa::TextEncoding;

namespace {

// The code points of valid UTF-8.
std::u32string codePoints(std::string_view utf8) {
    std::u32string out;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = p + utf8.size();
    while (p < end) {
        const int len = *p < 0x80 ? 1 : *p < 0xE0 ? 2 : *p < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? *p : len == 2 ? *p & 0x1F : len == 3 ? *p & 0x0F : *p & 0x07;
        for (int i = 1; i < len; ++i)
            cp = (cp << 6) | (p[i] & 0x3F);
        out += cp;
        p += len;
    }
    return out;
}

std::string utf16(const std::u32string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto unit = [&](char16_t u) {
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    for (const char32_t cp : text) {
        if (cp >= 0x10000) {
            unit(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            unit(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            unit(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = TextEncoding::toUtf8(bytes);
    if (!kerfa::cp1252::isValidUtf8(text))
        std::abort();
    const TextEncoding::Form form = TextEncoding::detect(bytes);
    if (TextEncoding::isPlainUtf8(bytes) && text != bytes)
        std::abort();
    if (form == TextEncoding::Form::Utf8 && !bytes.ends_with(text))
        std::abort();
    if (form == TextEncoding::Form::MixedUtf8 || form == TextEncoding::Form::Windows1252) {
        const std::size_t body = bytes.starts_with("\xEF\xBB\xBF") ? size - 3 : size;
        if (codePoints(text).size() > body)
            std::abort();
        if (form == TextEncoding::Form::Windows1252 && codePoints(text).size() != body)
            std::abort();
    }
    const std::u32string points = codePoints(text);
    for (const bool bigEndian : {false, true}) {
        const std::string again = utf16(points, bigEndian);
        if (TextEncoding::detect(again) != (bigEndian ? TextEncoding::Form::Utf16BigEndian
                                                      : TextEncoding::Form::Utf16LittleEndian) ||
            TextEncoding::toUtf8(again) != text)
            std::abort();
    }
    return 0;
}
