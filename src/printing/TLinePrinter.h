#pragma once

#include "printing/TLinePrinterMargins.h"

#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

class QPaintDevice;
class QPrinter;

enum class TPrintTitlePlacement { Nowhere, TopOfPage, BottomOfPage };

// Prints a plain text as one document: wraps it into lines that fit between the margins, cuts
// the lines into pages, and puts an optional title, with optional page numbers, at the top or
// the bottom of every page.
class TLinePrinter : public QObject {
    Q_OBJECT
public:
    explicit TLinePrinter(QObject* parent = nullptr);

    // Of the title and the text. A font sized in pixels is printed at the size it has on the
    // screen, not in the printer's far smaller pixels.
    QFont Font;
    TLinePrinterMargins Margins;
    // Adds " (page/pages)" to the title.
    bool PrintPageNumbers = false;
    // Also the print job's document name.
    QString PrintTitle;
    TPrintTitlePlacement TitleOnPrintout = TPrintTitlePlacement::Nowhere;

    // Prints the text without its leading and trailing blanks and control characters; a text
    // with nothing else prints nothing and starts no document. False when the printer could not
    // start, take or finish the document; the printout is then abandoned.
    bool PrintText(QPrinter& printer, const QString& text);
    // The text area of a page, in printer pixels from the top-left of the printable area.
    QRect GetPageRect(const QPrinter& printer) const;
    // The text's lines, each at most width printer pixels wide in Font on the device.
    QStringList WrapText(const QString& text, int width, const QPaintDevice& device) const;

Q_SIGNALS:
    // Before page 1 is drawn and before each further page.
    void OnNextPage(int pageNo, int totalPages);
    // Once the layout is known, before anything is drawn.
    void OnStartPrint();
    // Once the document has been handed over.
    void OnEndPrint();

private:
    QFont printerFont() const;
    QString titleText(int page, int pages) const;
};
