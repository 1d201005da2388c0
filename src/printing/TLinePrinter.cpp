#include "printing/TLinePrinter.h"

#include "platform/WaitCursor.h"
#include "printing/LineWrapper.h"
#include "printing/PrinterPage.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

// Leading and trailing blanks and control characters, line breaks among them.
QString trimmed(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= u' ')
        ++first;
    while (last > first && text.at(last - 1).unicode() <= u' ')
        --last;
    return text.sliced(first, last - first);
}

} // namespace

TLinePrinter::TLinePrinter(QObject* parent) : QObject(parent) {}

QFont TLinePrinter::printerFont() const {
    QFont font = Font;
    if (font.pixelSize() > 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96;
        font.setPointSizeF(font.pixelSize() * 72 / dpi);
    }
    return font;
}

QString TLinePrinter::titleText(int page, int pages) const {
    if (!PrintPageNumbers)
        return PrintTitle;
    return PrintTitle + QStringLiteral(" (%1/%2)").arg(page).arg(pages);
}

QRect TLinePrinter::GetPageRect(const QPrinter& printer) const {
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    PrinterPage page;
    page.dpiX = printer.logicalDpiX();
    page.dpiY = printer.logicalDpiY();
    page.offset = printable.topLeft() - paper.topLeft();
    page.paper = paper.size();
    page.printable = printable.size();
    return page.textArea(Margins);
}

QStringList TLinePrinter::WrapText(const QString& text, int width,
                                   const QPaintDevice& device) const {
    const WaitCursor wait;
    const QFontMetrics metrics(printerFont(), &device);
    return LineWrapper::wrap(
        text, width, [&metrics](const QString& piece) { return metrics.horizontalAdvance(piece); });
}

bool TLinePrinter::PrintText(QPrinter& printer, const QString& text) {
    const QString printed = trimmed(text);
    if (printed.isEmpty())
        return true;
    printer.setDocName(PrintTitle);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(printerFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = std::max(1, metrics.lineSpacing());
    const QRect rect = GetPageRect(printer);
    const QStringList lines = WrapText(printed, rect.width(), printer);
    const bool titled = TitleOnPrintout != TPrintTitlePlacement::Nowhere;
    // A page too small for a single line under its title still takes one, clipped, so that
    // the printout ends.
    const int linesPerPage = std::max(1, rect.height() / lineHeight - (titled ? 2 : 0));
    const int pages = static_cast<int>((lines.size() + linesPerPage - 1) / linesPerPage);
    const int bottomTitleY = rect.top() + rect.height() - lineHeight;
    // A break character that overflowed may hang into the right margin rather than be cut off.
    const int clipWidth = std::max(0, printer.width() - rect.left());

    auto drawTitle = [&](int page, int y) {
        const QString title = titleText(page, pages);
        const int x =
            rect.left() +
            static_cast<int>(std::lround((rect.width() - metrics.horizontalAdvance(title)) / 2.0));
        painter.setClipping(false);
        painter.drawText(x, y + metrics.ascent(), title);
    };
    auto startPage = [&](int page) {
        if (TitleOnPrintout != TPrintTitlePlacement::TopOfPage)
            return rect.top();
        drawTitle(page, rect.top());
        return rect.top() + 2 * lineHeight;
    };

    Q_EMIT OnStartPrint();
    int page = 1;
    Q_EMIT OnNextPage(page, pages);
    int y = startPage(page);
    int onPage = 0;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        painter.setClipRect(QRect(rect.left(), y, clipWidth, rect.top() + rect.height() - y));
        painter.drawText(rect.left(), y + metrics.ascent(), lines.at(n));
        y += lineHeight;
        if (++onPage < linesPerPage || n + 1 == lines.size())
            continue;
        if (TitleOnPrintout == TPrintTitlePlacement::BottomOfPage)
            drawTitle(page, bottomTitleY);
        ++page;
        Q_EMIT OnNextPage(page, pages);
        if (!printer.newPage()) {
            printer.abort();
            painter.end();
            return false;
        }
        onPage = 0;
        y = startPage(page);
    }
    if (TitleOnPrintout == TPrintTitlePlacement::BottomOfPage)
        drawTitle(page, bottomTitleY);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return false;
    Q_EMIT OnEndPrint();
    return true;
}
