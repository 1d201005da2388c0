#pragma once

#include "printing/TLinePrinter.h"

#include <QString>
#include <memory>

class QFont;
class QPrinter;
class QWidget;

// The Print command of a sheet's text, the same in the editor window and for a sheet printed
// from the desk: the print dialog (which offers a PDF file beside the printers, so printing
// works without one), then the text through a line printer set up as every
// editor's (margins top 18, left 22, bottom 18, right 22 mm, the title at the top of each page
// with page numbers). The printer chosen is kept for the next print.
class PrintCommand {
public:
    PrintCommand();
    ~PrintCommand();
    PrintCommand(const PrintCommand&) = delete;
    PrintCommand& operator=(const PrintCommand&) = delete;

    TLinePrinter& linePrinter() { return m_ptrPrinter; }

    // Shows the print dialog over parent; on OK prints the text in font, titled title. Cancel
    // prints nothing; a printer that fails is reported in an error box. False when cancelled or
    // failed.
    bool run(QWidget* parent, const QString& text, const QFont& font, const QString& title);

private:
    TLinePrinter m_ptrPrinter;
    // Made on first use: making one asks the print system for its printers.
    std::unique_ptr<QPrinter> m_printer;
};
