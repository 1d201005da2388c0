#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class TLinePrinterMargins;

// A printer's page as its driver reports it, in printer pixels: the resolution, the whole sheet
// of paper and the part of it the printer can print on.
struct PrinterPage {
    int dpiX = 0;
    int dpiY = 0;
    // From the paper's top-left corner to the printable area's.
    QPoint offset;
    QSize paper;
    QSize printable;

    // The text area between the margins, in the printable area's coordinates (where drawing
    // starts). The margins are measured from the paper's edges; where one lies in the strip the
    // printer cannot reach, the text area stops at the printable area instead, so no text is
    // cut off. The area is empty, never inverted, when the margins leave no room.
    QRect textArea(const TLinePrinterMargins& margins) const;
};
