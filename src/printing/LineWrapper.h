#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Breaks a text into the lines of a printout, each no wider than a given width. A line that
// overflows is cut after the last break character in it (space ! " ' , - . : ; ?), which stays
// at the end of the line even when it is the character that overflowed; a word with no break
// character is cut where the width ends. CR LF, CR and LF end a line; other control characters,
// tabs among them, are dropped; blank lines at the end are left out. A line costs a few
// measurements, whatever its length: the widths of its characters, each measured once, guess
// where it ends, and measuring pieces of it settles that (a piece is taken to grow no narrower
// when a character is added).
class LineWrapper {
public:
    // The width of a piece of text, in the same units as the width to wrap at.
    using Measure = std::function<int(const QString&)>;

    static QStringList wrap(const QString& text, int width, const Measure& measure);
    static bool isBreakCharacter(QChar c);
};
