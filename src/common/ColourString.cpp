#include "common/ColourString.h"

std::optional<ColourString::Rgb> ColourString::parse(QStringView text) {
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else
            return std::nullopt;
        value = (value << 4) | static_cast<quint32>(digit);
    }
    // The highest byte of an eight-digit value (a system-colour flag on Windows)
    // has no meaning here and is ignored.
    return Rgb{static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
               static_cast<int>((value >> 16) & 0xFF)};
}
