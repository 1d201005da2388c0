#include "printing/PrintCommand.h"
#include "PdfFile.h"
#include "language/Messages.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

} // namespace

// The Print command as the editor and the desk call it, with the print dialog scripted.
class PrintCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedPrintDialogs> m_dialogs;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init() {
        m_dialogs = std::make_unique<ScriptedPrintDialogs>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
    }
    void cleanup() {
        QVERIFY(m_dialogs->paths.isEmpty());
        m_dialogs.reset();
        m_boxes.reset();
    }

    void cancelPrintsNothing() {
        m_dialogs->paths << QString();
        PrintCommand command;
        QVERIFY(!command.run(nullptr, QStringLiteral("Some text"), QFont(),
                             QStringLiteral("Chapter One")));
        QCOMPARE(m_dialogs->shown.size(), 1);
        // Printing into a PDF file is offered, so there is always somewhere to print to.
        QVERIFY(m_dialogs->shown[0].printToFile);
        QCOMPARE(m_dialogs->shown[0].noPrinterWarning, Messages::text(Messages::NO_PRINTER));
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // Titled with the sheet's name and numbered, in the editor's font, within its margins.
    void printsAsTheEditorDoes() {
        m_dialogs->paths << path(QStringLiteral("first.pdf")) << path(QStringLiteral("second.pdf"));
        PrintCommand command;
        const QFont font(QStringLiteral("DejaVu Serif"), 12);
        QVERIFY(command.run(nullptr, QStringLiteral("It was a dark night.\r\nThe lamp was out."),
                            font, QStringLiteral("Chapter One")));
        const PdfFile pdf(path(QStringLiteral("first.pdf")));
        QCOMPARE(pdf.pageCount(), 1);
        QCOMPARE(pdf.title(), QStringLiteral("Chapter One"));
        QCOMPARE(pdf.lines(1), (QStringList{QStringLiteral("Chapter One (1/1)"),
                                            QStringLiteral("It was a dark night."),
                                            QStringLiteral("The lamp was out.")}));
        QVERIFY(pdf.fonts().join(u' ').contains(QStringLiteral("DejaVuSerif")));
        const QList<PdfFile::Word> words = pdf.words(1);
        QCOMPARE(words[0].text, QStringLiteral("Chapter"));
        QVERIFY(std::abs(words[0].yMin - 18 * kPointsPerMm) < 2);
        QCOMPARE(words[3].text, QStringLiteral("It"));
        QVERIFY(std::abs(words[3].xMin - 22 * kPointsPerMm) < 0.5);
        // The printer is kept, and prints again.
        QVERIFY(command.run(nullptr, QStringLiteral("Again"), font, QStringLiteral("Two")));
        QCOMPARE(PdfFile(path(QStringLiteral("second.pdf"))).lines(1),
                 (QStringList{QStringLiteral("Two (1/1)"), QStringLiteral("Again")}));
    }

    void printerFailureIsReported() {
        QFile plain(path(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        m_dialogs->paths << plain.fileName() + QStringLiteral("/printout.pdf");
        PrintCommand command;
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!command.run(nullptr, QStringLiteral("Some text"), QFont(),
                             QStringLiteral("Chapter One")));
        QCOMPARE(m_boxes->shown.size(), 1);
        QCOMPARE(m_boxes->shown[0].kind, MessageBoxes::Kind::Error);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    PrintCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PrintCommandTest.moc"
