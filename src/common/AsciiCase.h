#pragma once

#include <QString>

// The program's own case-insensitive comparisons fold only the letters A to Z, so that they
// behave the same whatever the locale.
class AsciiCase {
public:
    static QString lower(QStringView text);
    static bool equal(QStringView a, QStringView b);
    // The same against a name the program holds in Latin-1, without converting it first.
    static bool equal(QLatin1StringView a, QStringView b);
    // Negative, zero or positive as a sorts before, with or after b, UTF-16 unit by unit with
    // A to Z folded to a to z.
    static int compare(QStringView a, QStringView b);
};
