#pragma once

#include <QString>
#include <optional>

// A colour as the theme and sheet files store it: one to eight hexadecimal digits, read as a
// number whose lowest byte is red, the next green and the next blue, so six digits read BBGGRR.
class ColourString {
public:
    struct Rgb {
        int red = 0;
        int green = 0;
        int blue = 0;
        bool operator==(const Rgb&) const = default;
    };

    // The colour, or nothing when the text is empty, has blanks, a sign, a character that is not
    // a hexadecimal digit, or more than eight digits.
    static std::optional<Rgb> parse(QStringView text);
    static bool isValid(QStringView text) { return parse(text).has_value(); }

    // The colours a sheet and the built-in theme start with, and what an unreadable colour
    // string falls back to.
    static constexpr char kText[] = "000000";
    static constexpr char kSelected[] = "FF0000";
    static constexpr char kEditing[] = "0000FF";
    static constexpr char kLabel[] = "FFFFFF";
    static constexpr char kLine[] = "DDDDDD";
    static constexpr char kDesk[] = "FFFFFF";
};
