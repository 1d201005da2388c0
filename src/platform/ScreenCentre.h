#pragma once

class QWidget;

// Moves a top-level window, frame included, to the middle of the primary screen's work area (the
// screen less its panels); with no screen it stays where it is.
void centreOnScreen(QWidget* window);

// Moves a top-level window, frame included, over the middle of the window `owner` belongs to,
// kept inside the work area of that window's screen; without an owner, to the screen's middle.
// Where no window manager places windows, a tool window otherwise opens at the screen's corner.
void centreOver(QWidget* window, const QWidget* owner);
