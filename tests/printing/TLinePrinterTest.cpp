#include "printing/TLinePrinter.h"
#include "PdfFile.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

constexpr double kPointsPerMm = 72 / 25.4;
// A4 as the printer lays it out, in points.
constexpr double kPaperWidth = 595;
constexpr double kPaperHeight = 842;

QString numbered(int count) {
    QStringList lines;
    for (int n = 1; n <= count; ++n)
        lines << QStringLiteral("Line %1").arg(n, 3, 10, QLatin1Char('0'));
    return lines.join(QStringLiteral("\r\n"));
}

// The numbers of the "Line nnn" lines among a page's lines.
QList<int> lineNumbers(const QStringList& lines) {
    static const QRegularExpression pattern(QStringLiteral("^Line (\\d+)$"));
    QList<int> numbers;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = pattern.match(line);
        if (match.hasMatch())
            numbers << match.captured(1).toInt();
    }
    return numbers;
}

// The words of a page that read exactly text, top to bottom.
QList<PdfFile::Word> wordsReading(const PdfFile& pdf, int page, const QString& text) {
    QList<PdfFile::Word> found;
    for (const PdfFile::Word& word : pdf.words(page))
        if (word.text == text)
            found << word;
    return found;
}

} // namespace

class TLinePrinterTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    // The lines a page holds with no title, and their distance in points.
    int m_perPage = 0;
    double m_pitch = 0;

    // Prints on A4 into a new PDF file; the file's path, or empty when printing failed.
    QString print(TLinePrinter& printer, const QString& text) {
        const QString path = m_dir.filePath(QStringLiteral("printout%1.pdf").arg(++m_files));
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(path);
        device.setPageSize(QPageSize(QPageSize::A4));
        return printer.PrintText(device, text) ? path : QString();
    }

    static void monospaced(TLinePrinter& printer) {
        printer.Font = QFont(QStringLiteral("DejaVu Sans Mono"), 10);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        TLinePrinter printer;
        monospaced(printer);
        const PdfFile pdf(print(printer, numbered(200)));
        const QList<int> numbers = lineNumbers(pdf.lines(1));
        QVERIFY(numbers.size() > 10);
        QCOMPARE(numbers.last(), numbers.size());
        m_perPage = static_cast<int>(numbers.size());
        const QList<PdfFile::Word> lines = wordsReading(pdf, 1, QStringLiteral("Line"));
        m_pitch = lines[1].yMin - lines[0].yMin;
        QVERIFY(m_pitch > 10 && m_pitch < 14);
    }

    // With the default margins of 20 mm, a page holds the lines that fit between them.
    void pageHoldsWhatFitsBetweenTheMargins() {
        TLinePrinter printer;
        monospaced(printer);
        const PdfFile pdf(print(printer, numbered(m_perPage + 1)));
        QCOMPARE(pdf.pageCount(), 2);
        const double margin = 20 * kPointsPerMm;
        QCOMPARE(m_perPage, static_cast<int>(std::floor((kPaperHeight - 2 * margin) / m_pitch)));
        const QList<PdfFile::Word> lines = wordsReading(pdf, 1, QStringLiteral("Line"));
        QVERIFY(std::abs(lines.first().yMin - margin) < 2);
        QVERIFY(std::abs(lines.first().xMin - margin) < 0.5);
        QVERIFY(lines.last().yMax <= kPaperHeight - margin + 0.5);
        QCOMPARE(lineNumbers(pdf.lines(2)), QList<int>{m_perPage + 1});
    }

    void titlePlacement_data() {
        QTest::addColumn<TPrintTitlePlacement>("placement");
        QTest::addColumn<int>("linesLost");
        QTest::newRow("nowhere") << TPrintTitlePlacement::Nowhere << 0;
        QTest::newRow("top") << TPrintTitlePlacement::TopOfPage << 2;
        QTest::newRow("bottom") << TPrintTitlePlacement::BottomOfPage << 2;
    }
    void titlePlacement() {
        QFETCH(TPrintTitlePlacement, placement);
        QFETCH(int, linesLost);
        TLinePrinter printer;
        monospaced(printer);
        printer.PrintTitle = QStringLiteral("Chapter One");
        printer.TitleOnPrintout = placement;
        const int count = 2 * m_perPage;
        const PdfFile pdf(print(printer, numbered(count)));
        const int perPage = m_perPage - linesLost;
        const int pages = (count + perPage - 1) / perPage;
        QCOMPARE(pdf.pageCount(), pages);
        int next = 1;
        for (int page = 1; page <= pages; ++page) {
            const QStringList lines = pdf.lines(page);
            const QList<int> numbers = lineNumbers(lines);
            QCOMPARE(numbers.size(), page < pages ? perPage : count - (pages - 1) * perPage);
            QCOMPARE(numbers.first(), next);
            QCOMPARE(numbers.last(), next + numbers.size() - 1);
            next += static_cast<int>(numbers.size());
            QCOMPARE(lines.count(QStringLiteral("Chapter One")),
                     placement == TPrintTitlePlacement::Nowhere ? 0 : 1);
            if (placement == TPrintTitlePlacement::TopOfPage)
                QCOMPARE(lines.first(), QStringLiteral("Chapter One"));
            if (placement == TPrintTitlePlacement::BottomOfPage)
                QCOMPARE(lines.last(), QStringLiteral("Chapter One"));
        }
        QCOMPARE(next, count + 1);
        if (placement == TPrintTitlePlacement::Nowhere)
            return;
        // Title and text are a line and an empty line apart, within the margins.
        const PdfFile::Word title = wordsReading(pdf, 1, QStringLiteral("Chapter")).first();
        const QList<PdfFile::Word> lines = wordsReading(pdf, 1, QStringLiteral("Line"));
        if (placement == TPrintTitlePlacement::TopOfPage) {
            QVERIFY(std::abs(lines.first().yMin - title.yMin - 2 * m_pitch) < 0.01);
            QVERIFY(std::abs(title.yMin - 20 * kPointsPerMm) < 2);
        } else {
            QVERIFY(title.yMin - lines.last().yMin >= 2 * m_pitch - 0.01);
            QVERIFY(title.yMax <= kPaperHeight - 20 * kPointsPerMm + 0.5);
        }
        // Centred between the margins, which are the same on both sides.
        QVERIFY(
            std::abs((title.xMin + wordsReading(pdf, 1, QStringLiteral("One")).first().xMax) / 2 -
                     kPaperWidth / 2) < 1);
    }

    void pageCount_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        const int perPage = m_perPage - 2;
        QTest::newRow("one line") << 1 << 1;
        QTest::newRow("one full page") << perPage << 1;
        QTest::newRow("a line more") << perPage + 1 << 2;
        QTest::newRow("three full pages") << 3 * perPage << 3;
        QTest::newRow("three pages and a line") << 3 * perPage + 1 << 4;
    }
    void pageCount() {
        QFETCH(int, lines);
        QFETCH(int, pages);
        TLinePrinter printer;
        monospaced(printer);
        printer.PrintTitle = QStringLiteral("Chapter One");
        printer.TitleOnPrintout = TPrintTitlePlacement::TopOfPage;
        printer.PrintPageNumbers = true;
        QSignalSpy started(&printer, &TLinePrinter::OnStartPrint);
        QSignalSpy nextPage(&printer, &TLinePrinter::OnNextPage);
        QSignalSpy ended(&printer, &TLinePrinter::OnEndPrint);
        const PdfFile pdf(print(printer, numbered(lines)));
        QCOMPARE(pdf.pageCount(), pages);
        QCOMPARE(pdf.title(), QStringLiteral("Chapter One"));
        QCOMPARE(started.size(), 1);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(nextPage.size(), pages);
        for (int page = 1; page <= pages; ++page) {
            QCOMPARE(nextPage[page - 1], (QVariantList{page, pages}));
            QCOMPARE(pdf.lines(page).first(),
                     QStringLiteral("Chapter One (%1/%2)").arg(page).arg(pages));
        }
        QCOMPARE(lineNumbers(pdf.lines(pages)).last(), lines);
    }

    // Read back as one string, so that only the characters count, not where lines end.
    void printedCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("printed");
        QString word;
        for (int n = 0; n < 300; ++n)
            word += QChar(u'a' + n % 26);
        QTest::newRow("a word longer than the line") << word << word;
        QTest::newRow("tabs and blank lines at the end dropped")
            << QStringLiteral("Tab\tbed\ttext\r\n\r\nafter") +
                   QStringLiteral("\r\n").repeated(3 * m_perPage) + QStringLiteral("\t \r\n")
            << QStringLiteral("Tabbedtextafter");
    }
    void printedCharacters() {
        QFETCH(QString, text);
        QFETCH(QString, printed);
        TLinePrinter printer;
        monospaced(printer);
        const PdfFile pdf(print(printer, text));
        QCOMPARE(pdf.pageCount(), 1);
        QCOMPARE(pdf.lines(1).join(QString()), printed);
    }

    void margins_data() {
        QTest::addColumn<TLinePrinterUnit>("unit");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::addColumn<double>("points"); // per unit
        QTest::newRow("millimetres")
            << TLinePrinterUnit::mm << 30.0 << 15.0 << 40.0 << kPointsPerMm;
        QTest::newRow("inches") << TLinePrinterUnit::Inch << 1.5 << 0.5 << 1.0 << 72.0;
    }
    void margins() {
        QFETCH(TLinePrinterUnit, unit);
        QFETCH(double, top);
        QFETCH(double, left);
        QFETCH(double, right);
        QFETCH(double, points);
        TLinePrinter printer;
        monospaced(printer);
        printer.Margins.SetMarginUnit(unit);
        printer.Margins.SetTop(top);
        printer.Margins.SetLeft(left);
        printer.Margins.SetRight(right);
        const PdfFile pdf(print(printer, QStringLiteral("xxxx ").repeated(200)));
        const QList<PdfFile::Word> words = pdf.words(1);
        QVERIFY(std::abs(words.first().xMin - left * points) < 0.5);
        QVERIFY(std::abs(words.first().yMin - top * points) < 2);
        const double rightEdge = kPaperWidth - right * points;
        double widest = 0;
        for (const PdfFile::Word& word : words)
            widest = std::max(widest, word.xMax);
        QVERIFY2(widest <= rightEdge + 0.5, qPrintable(QString::number(widest)));
        // No line ends more than a word and its space short of the margin.
        QVERIFY2(widest >= rightEdge - 5 * 6.03, qPrintable(QString::number(widest)));
    }

    void blankTextPrintsNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks and breaks") << QStringLiteral(" \t\r\n  \r\n\x01");
    }
    void blankTextPrintsNothing() {
        QFETCH(QString, text);
        TLinePrinter printer;
        QSignalSpy started(&printer, &TLinePrinter::OnStartPrint);
        const QString path = print(printer, text);
        QVERIFY(!path.isEmpty());
        QVERIFY(!QFile::exists(path));
        QCOMPARE(started.size(), 0);
    }

    void printerThatCannotStartFails() {
        QFile plain(m_dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        TLinePrinter printer;
        QSignalSpy ended(&printer, &TLinePrinter::OnEndPrint);
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(plain.fileName() + QStringLiteral("/printout.pdf"));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!printer.PrintText(device, QStringLiteral("Some text")));
        QCOMPARE(ended.size(), 0);
    }

    // A font sized in pixels prints at its size on the screen, not in printer pixels.
    void fontSizedInPixels() {
        TLinePrinter printer;
        printer.Font = QFont(QStringLiteral("DejaVu Sans"));
        printer.Font.setPixelSize(24);
        const PdfFile pixels(print(printer, QStringLiteral("Hello")));
        printer.Font.setPointSize(18);
        const PdfFile points(print(printer, QStringLiteral("Hello")));
        const PdfFile::Word a = pixels.words(1).first();
        const PdfFile::Word b = points.words(1).first();
        QVERIFY(b.yMax - b.yMin > 15);
        QVERIFY(std::abs((a.yMax - a.yMin) - (b.yMax - b.yMin)) < 0.5);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    TLinePrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TLinePrinterTest.moc"
