#include "common/TextEncoding.h"

#include "common/Cp1252.h"

#include <cstddef>
#include <cstdint>

namespace kerfa {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 sequence at p (no overlong forms, no surrogates, nothing
// past U+10FFFF), or 0 when the byte there does not begin one.
std::size_t sequenceAt(const unsigned char* p, const unsigned char* end, char32_t& cp) {
    const unsigned char c = *p;
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    std::size_t len;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) < len)
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

std::string_view withoutUtf8Mark(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    return bytes;
}

// True when the bytes hold no more stray bytes than well-formed sequences beyond ASCII.
bool mostlyUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    std::size_t sequences = 0;
    std::size_t stray = 0;
    while (p < end) {
        char32_t cp = 0;
        const std::size_t len = sequenceAt(p, end, cp);
        if (len == 0) {
            ++stray;
            ++p;
        } else {
            sequences += len > 1;
            p += len;
        }
    }
    return stray <= sequences;
}

std::string mixedToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        char32_t cp = 0;
        const std::size_t len = sequenceAt(p, end, cp);
        if (len == 0) {
            cp1252::appendUtf8(out, cp1252::toUnicode(*p));
            ++p;
        } else {
            out.append(reinterpret_cast<const char*>(p), len);
            p += len;
        }
    }
    return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t i) {
        const unsigned char a = p[2 * i];
        const unsigned char b = p[2 * i + 1];
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const char16_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp1252::appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                                            (char32_t(low) - 0xDC00));
                ++i;
                continue;
            }
        }
        // A surrogate without its partner, like an odd last byte, is no character.
        cp1252::appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
    }
    if (bytes.size() % 2 != 0)
        cp1252::appendUtf8(out, kReplacement);
    return out;
}

} // namespace

bool TextEncoding::hasUtf16Mark(std::string_view bytes) {
    return bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark);
}

TextEncoding::Form TextEncoding::detect(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark))
        return Form::Utf16LittleEndian;
    if (bytes.starts_with(kUtf16BeMark))
        return Form::Utf16BigEndian;
    bytes = withoutUtf8Mark(bytes);
    if (cp1252::isValidUtf8(bytes))
        return Form::Utf8;
    return mostlyUtf8(bytes) ? Form::MixedUtf8 : Form::Windows1252;
}

bool TextEncoding::isPlainUtf8(std::string_view bytes) {
    return !bytes.starts_with(kUtf8Mark) && cp1252::isValidUtf8(bytes);
}

std::string TextEncoding::toUtf8(std::string_view bytes) {
    switch (detect(bytes)) {
    case Form::Utf16LittleEndian:
        return utf16ToUtf8(bytes.substr(kUtf16LeMark.size()), false);
    case Form::Utf16BigEndian:
        return utf16ToUtf8(bytes.substr(kUtf16BeMark.size()), true);
    case Form::Utf8:
        return std::string(withoutUtf8Mark(bytes));
    case Form::MixedUtf8:
        return mixedToUtf8(withoutUtf8Mark(bytes));
    case Form::Windows1252:
        break;
    }
    return cp1252::toUtf8(withoutUtf8Mark(bytes));
}

} // namespace kerfa
