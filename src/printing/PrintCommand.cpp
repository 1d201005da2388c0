#include "printing/PrintCommand.h"

#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/PrintDialogs.h"

#include <QFileInfo>
#include <QPrinter>

PrintCommand::PrintCommand() {
    m_ptrPrinter.setObjectName(QStringLiteral("ptrPrinter"));
    m_ptrPrinter.Margins.SetTop(18);
    m_ptrPrinter.Margins.SetLeft(22);
    m_ptrPrinter.Margins.SetBottom(18);
    m_ptrPrinter.Margins.SetRight(22);
    m_ptrPrinter.PrintPageNumbers = true;
    m_ptrPrinter.TitleOnPrintout = TPrintTitlePlacement::TopOfPage;
}

PrintCommand::~PrintCommand() = default;

bool PrintCommand::run(QWidget* parent, const QString& text, const QFont& font,
                       const QString& title) {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Printing into a PDF file is offered beside the printers, so a writer without a printer
    // can still print. The file is named after the text, in the folder printed into last.
    m_printer->setDocName(title);
    if (!m_printer->outputFileName().isEmpty())
        m_printer->setOutputFileName(QFileInfo(m_printer->outputFileName()).absolutePath() + u'/' +
                                     title + QStringLiteral(".pdf"));
    const PrintDialogs::Options options{.printToFile = true,
                                        .noPrinterWarning = Messages::text(Messages::NO_PRINTER)};
    if (!PrintDialogs::current().setUpPrinter(parent, *m_printer, options))
        return false;
    m_ptrPrinter.Font = font;
    m_ptrPrinter.PrintTitle = title;
    if (m_ptrPrinter.PrintText(*m_printer, text))
        return true;
    MessageBoxes::error(Messages::text(Messages::NOT_PRINTED));
    return false;
}
