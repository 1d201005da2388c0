#include "platform/PrintDialogs.h"

#include "platform/MessageBoxes.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

PrintDialogs* g_installed = nullptr;

} // namespace

PrintDialogs& PrintDialogs::current() {
    static QtPrintDialogs qtDialogs;
    return g_installed ? *g_installed : qtDialogs;
}

void PrintDialogs::install(PrintDialogs* dialogs) {
    g_installed = dialogs;
}

bool QtPrintDialogs::setUpPrinter(QWidget* parent, QPrinter& printer, const Options& options) {
    if (!options.noPrinterWarning.isEmpty() && !options.printToFile &&
        QPrinterInfo::availablePrinterNames().isEmpty()) {
        MessageBoxes::warning(options.noPrinterWarning);
        return false;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPrinter"));
    // The whole text is always printed: no page range, selection or current page to offer.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, options.printToFile);
    return dialog.exec() == QDialog::Accepted;
}
