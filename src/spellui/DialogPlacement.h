#pragma once

#include <QRect>

// Where the spelling dialog goes so that it does not hide the word it shows: the nearest place
// beside the word inside the screen, below or above it first.
class DialogPlacement {
public:
    // The dialog's rectangle moved clear of `word` (unchanged when they do not meet).
    // `upDownOnly` keeps it above or below the word.
    static QRect avoid(const QRect& dialog, const QRect& word, const QRect& screen,
                       bool upDownOnly);
    // A place outside `control` (the checked text), for a dialog never placed before.
    static QRect outside(const QRect& dialog, const QRect& control, const QRect& screen);
};
