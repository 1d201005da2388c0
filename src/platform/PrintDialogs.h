#pragma once

#include <QString>

class QPrinter;
class QWidget;

// The print dialog. Tests install a stand-in that prints to scripted PDF files.
class PrintDialogs {
public:
    struct Options {
        // Offers printing into a file beside the printers.
        bool printToFile = false;
        // Shown instead of a dialog with nothing to choose, when there is no printer and no
        // file to print to; empty: the dialog shows all the same.
        QString noPrinterWarning;
    };

    virtual ~PrintDialogs() = default;
    // Lets the user choose and set up the printer; false when cancelled.
    virtual bool setUpPrinter(QWidget* parent, QPrinter& printer, const Options& options) = 0;

    static PrintDialogs& current();
    // Installs a stand-in (not owned); nullptr restores Qt's dialog.
    static void install(PrintDialogs* dialogs);
};

class QtPrintDialogs : public PrintDialogs {
public:
    bool setUpPrinter(QWidget* parent, QPrinter& printer, const Options& options) override;
};
