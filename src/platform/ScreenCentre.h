#pragma once

class QWidget;

// Moves a top-level window, frame included, to the middle of the primary screen's work area (the
// screen less its panels); with no screen it stays where it is.
void centreOnScreen(QWidget* window);
