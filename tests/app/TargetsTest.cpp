#include "app/DayBars.h"
#include "app/KerfaProgram.h"
#include "app/TfmDayChart.h"
#include "app/TfmMain.h"
#include "compile/WordProgress.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "desk/TargetBox.h"
#include "desk/TfmTarget.h"
#include "editor/EditorRegistry.h"
#include "editor/TfmEditor.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "project/DayLog.h"
#include "project/ProjectCommands.h"
#include "support/FullDisk.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>
#include <memory>

// Word targets and the words written today in the real main window: the book counted after it
// opens, open editors counted from their unsaved text, the day log in the project folder.
class TargetsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<TfmMain> m_main;
    QDate m_today{2026, 3, 2};

    QString folder() const { return m_dir->path() + QStringLiteral("/Book/"); }
    QString path(const char* sub, const QString& name, const char* extension) const {
        return folder() + QString::fromLatin1(sub) + name + QString::fromLatin1(extension);
    }
    void addSheet(const QString& name, int type, const QString& linkTo, const QByteArray& text,
                  const QByteArray& targets = {}) {
        QVERIFY(ProjectFiles::write(path("Kerfa Files/", name, ".kfa"),
                                    ProjectFiles::sheet(type, 0, 100, 100, {}, linkTo) + targets));
        if (!text.isNull())
            QVERIFY(ProjectFiles::write(path("Text Files/", name, ".txt"), text));
    }
    // "Opening" (5 words, a target of 10, and 20 for its chain) links to "Harbour" (3 words);
    // the Compilation sheet repeats them and is no part of the book.
    void openBook() {
        addSheet(QStringLiteral("Opening"), 0, QStringLiteral("Harbour"), "The lamp was lit again",
                 "[Target]\r\nWords=10\r\nChainWords=20\r\n");
        addSheet(QStringLiteral("Harbour"), 1, {}, "Boats came in");
        addSheet(QStringLiteral("Compilation"), -1, {}, "The lamp was lit again Boats came in");
        QVERIFY(ProjectFiles::write(folder() + QStringLiteral("Book.kerfa"),
                                    "[Workspace]\r\nSize=0\r\n"));
        m_main = std::make_unique<TfmMain>();
        progress().setClock([this] { return m_today; });
        QVERIFY(m_main->LoadProject(folder() + QStringLiteral("Book.kerfa")));
        QTRY_VERIFY(progress().isCounted());
    }
    WordProgress& progress() { return m_main->model().wordProgress(); }
    TKerfa* sheet(const QString& name) { return m_main->desk().findSheet(name); }
    TfmEditor* edit(const QString& name) {
        return m_main->model().sheetTexts().OpenEditor(sheet(name));
    }
    static void type(TfmEditor* editor, const QString& text) {
        QTextCursor cursor = editor->memo()->textCursor();
        cursor.movePosition(QTextCursor::End);
        editor->memo()->setTextCursor(cursor);
        editor->memo()->insertPlainText(text);
    }
    QString wordsToday() {
        return m_main->findChild<QLabel*>(QStringLiteral("lblWordsToday"))->text().trimmed();
    }
    DayLog logOnDisk() {
        DayLog log(folder() + DayLog::fileName());
        log.load();
        return log;
    }

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_today = QDate(2026, 3, 2);
    }
    void cleanup() {
        Language::instance().reset();
        m_main.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void theBookIsCountedAfterItOpens() {
        openBook();
        QCOMPARE(progress().bookWords(), qint64(8));
        QCOMPARE(sheet(QStringLiteral("Opening"))->words(), qint64(5));
        QCOMPARE(sheet(QStringLiteral("Opening"))->chainWords(), qint64(8));
        QCOMPARE(sheet(QStringLiteral("Opening"))->target(), 10);
        QCOMPARE(progress().writtenToday(), qint64(0));
        QCOMPARE(wordsToday(), QStringLiteral("Words written today: 0"));
        // The day begins with the count at the first opening; nothing is written to the book's
        // folder until its words change.
        QCOMPARE(progress().dayLog().days(), (QList<DayLog::Day>{{m_today, 8, 8}}));
        QVERIFY(!QFileInfo::exists(folder() + DayLog::fileName()));
    }

    void anOpenEditorCountsFromItsUnsavedText() {
        openBook();
        const QByteArray file = ProjectFiles::read(path("Text Files/", "Opening", ".txt"));
        TfmEditor* editor = edit(QStringLiteral("Opening"));
        type(editor, QStringLiteral(" and the boats came home"));
        TKerfa* opening = sheet(QStringLiteral("Opening"));
        QTRY_COMPARE(opening->words(), qint64(10));
        QCOMPARE(opening->chainWords(), qint64(13));
        QCOMPARE(progress().bookWords(), qint64(13));
        QCOMPARE(wordsToday(), QStringLiteral("Words written today: 5"));
        QCOMPARE(logOnDisk().days(), (QList<DayLog::Day>{{m_today, 8, 13}}));
        QCOMPARE(editor->targetStatus(),
                 QStringLiteral("Target: 10 / 10 (100%) \u2713    Chain target: 13 / 20 (65%)"));
        // Nothing was saved: the file is as it was.
        QCOMPARE(ProjectFiles::read(path("Text Files/", "Opening", ".txt")), file);
        // Closed without saving, the sheet counts its file again.
        m_boxes->answer(MessageBoxes::Answer::No);
        editor->close();
        QTRY_COMPARE(opening->words(), qint64(5));
        QCOMPARE(progress().bookWords(), qint64(8));
        QCOMPARE(wordsToday(), QStringLiteral("Words written today: 0"));
    }

    // On a full disk each save that fails is told once for the command that tried it, naming
    // what was not saved, and every file stays as it was.
    void savesThatFailOnAFullDiskAreToldOncePerCommand() {
        openBook();
        // Saved once, so that only the sheet files have anything new to write later.
        m_main->project().modified = true;
        QVERIFY(m_main->model().commands().SaveProject());
        const auto before = ProjectFiles::snapshot(folder());
        {
            const FileSizeLimit full(8);
            // The first change of the day keeps the text as it was in a snapshot.
            TfmEditor* opening = edit(QStringLiteral("Opening"));
            type(opening, QStringLiteral(" and the boats came home"));
            QCOMPARE(m_boxes->texts().size(), 1);
            QVERIFY(m_boxes->texts()[0].contains(QStringLiteral("/Snapshots/Opening/")));
            // The day log, written once the words are counted; not told again at every count.
            QTRY_COMPARE(m_boxes->texts().size(), 2);
            QVERIFY(m_boxes->texts()[1].contains(DayLog::fileName()));
            type(opening, QStringLiteral(" at last"));
            QTRY_COMPARE(progress().bookWords(), qint64(15));
            QCOMPARE(m_boxes->texts().size(), 2);
            TfmEditor* harbour = edit(QStringLiteral("Harbour"));
            type(harbour, QStringLiteral(" at dusk"));
            QCOMPARE(m_boxes->texts().size(), 3);
            // Every open editor saved at once: one box naming each text not saved.
            QVERIFY(!m_main->model().editors().SaveModifiedEditors());
            QCOMPARE(m_boxes->texts().size(), 4);
            const QString texts = m_boxes->texts()[3];
            QVERIFY(texts.startsWith(Messages::text(Messages::CANNOT_WRITE_FILE)));
            QVERIFY(texts.contains(QStringLiteral("\nText Files/Opening.txt")));
            QVERIFY(texts.contains(QStringLiteral("\nText Files/Harbour.txt")));
            QVERIFY(opening->isVisible() && harbour->isVisible());
            // The book saved: one box naming each sheet file not written.
            for (TKerfa* s : m_main->desk().sheets())
                s->setPosition(s->left() + 10, s->top());
            m_main->project().modified = true;
            QVERIFY(!m_main->model().commands().SaveProject());
            QCOMPARE(m_boxes->texts().size(), 5);
            const QString sheets = m_boxes->texts()[4];
            QVERIFY(sheets.startsWith(Messages::text(Messages::ERROR_WRITING_KERFA)));
            for (const char* name : {"Compilation", "Harbour", "Opening"})
                QVERIFY(sheets.contains(QStringLiteral("\nKerfa Files/") +
                                        QString::fromLatin1(name) + QStringLiteral(".kfa")));
        }
        QCOMPARE(ProjectFiles::snapshot(folder()), before);
    }

    void closingTheWindowLeavesTheDaysCount() {
        openBook();
        TfmEditor* editor = edit(QStringLiteral("Harbour"));
        type(editor, QStringLiteral(" at dusk"));
        QTRY_COMPARE(progress().bookWords(), qint64(10));
        QVERIFY(editor->SaveText());
        QVERIFY(m_main->close());
        // The desk emptied at the close is no book of no words.
        QTest::qWait(50);
        QCOMPARE(logOnDisk().days(), (QList<DayLog::Day>{{m_today, 8, 10}}));
        QVERIFY(!progress().isCounted());
    }

    void theEditorOfASheetInAChainShowsTheChainsTarget() {
        openBook();
        TfmEditor* editor = edit(QStringLiteral("Harbour"));
        type(editor, QStringLiteral(" at dusk"));
        QTRY_COMPARE(sheet(QStringLiteral("Harbour"))->words(), qint64(5));
        QCOMPARE(editor->targetStatus(), QStringLiteral("Chain target: 10 / 20 (50%)"));
    }

    void aChainUnlinkedStopsShowingItsTarget() {
        openBook();
        TKerfa* opening = sheet(QStringLiteral("Opening"));
        m_main->desk().selectOnly(opening);
        QCOMPARE(m_main->desk().linkGesture(sheet(QStringLiteral("Harbour"))),
                 Desk::LinkResult::Unlinked);
        // Two sheets apart: the target stays with the first, unshown, until it links again.
        QTRY_COMPARE(opening->chainWords(), qint64(-1));
        QCOMPARE(opening->chainTarget(), 20);
        m_main->desk().linkGesture(sheet(QStringLiteral("Harbour")));
        QTRY_COMPARE(opening->chainWords(), qint64(8));
    }

    void midnightStartsANewDayFromTheLastCount() {
        openBook();
        TfmEditor* editor = edit(QStringLiteral("Harbour"));
        type(editor, QStringLiteral(" one two"));
        QTRY_COMPARE(progress().bookWords(), qint64(10));
        m_today = m_today.addDays(1);
        type(editor, QStringLiteral(" three"));
        QTRY_COMPARE(progress().bookWords(), qint64(11));
        QCOMPARE(wordsToday(), QStringLiteral("Words written today: 1"));
        QCOMPARE(logOnDisk().days(),
                 (QList<DayLog::Day>{{QDate(2026, 3, 2), 8, 10}, {QDate(2026, 3, 3), 10, 11}}));
    }

    // The chart of words per day follows the log while it is open.
    void theChartShowsTheLastFourWeeks() {
        openBook();
        TfmEditor* editor = edit(QStringLiteral("Harbour"));
        type(editor, QStringLiteral(" one two"));
        QTRY_COMPARE(progress().bookWords(), qint64(10));
        m_main->findChild<QAction*>(QStringLiteral("mnuWordsPerDay"))->trigger();
        auto* chart = m_main->findChild<TfmDayChart*>(QStringLiteral("fmDayChart"));
        QVERIFY(chart && chart->isVisible());
        QCOMPARE(chart->windowTitle(), QStringLiteral("Words Per Day"));
        const QList<DayBars::Day>& days = chart->bars()->days();
        QCOMPARE(days.size(), TfmDayChart::kDays);
        QCOMPARE(days.first().date, m_today.addDays(1 - TfmDayChart::kDays));
        QCOMPARE(days.last().date, m_today);
        QCOMPARE(days.last().words, qint64(2));
        type(editor, QStringLiteral(" three"));
        QTRY_COMPARE(chart->bars()->days().last().words, qint64(3));
    }

    // Bars above and below the zero line where words were written and taken out, none where
    // nothing was, and a month's name where it begins.
    void theChartDrawsEveryDay() {
        DayLog log;
        log.parse("2026-02-27 100 1300\n2026-03-01 1300 1000\n");
        TfmDayChart chart;
        chart.showLog(log, QDate(2026, 3, 2));
        DayBars* bars = chart.bars();
        QCOMPARE(bars->scale().low, qint64(-500));
        QCOMPARE(bars->scale().high, qint64(1500));
        const QStringList labels = bars->dayLabels();
        QCOMPARE(labels.first(), QLocale().toString(QDate(2026, 2, 3), u"d MMM"));
        QCOMPARE(labels.at(labels.size() - 2), QLocale().toString(QDate(2026, 3, 1), u"d MMM"));
        QCOMPARE(labels.last(), QStringLiteral("2"));
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QImage image = bars->grab().toImage();
        const QColor barColour(0x3b, 0x78, 0xd0);
        // The runs of columns holding a bar, and how far each bar reaches up and down.
        struct Bar {
            int left, right, top = INT_MAX, bottom = -1;
        };
        QList<Bar> found;
        for (int x = 0; x < image.width(); ++x) {
            int top = INT_MAX;
            int bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(x, y) == barColour) {
                    top = std::min(top, y);
                    bottom = y;
                }
            if (bottom < 0)
                continue;
            if (found.isEmpty() || found.last().right != x - 1)
                found.append({x, x});
            Bar& bar = found.last();
            bar.right = x;
            bar.top = std::min(bar.top, top);
            bar.bottom = std::max(bar.bottom, bottom);
        }
        QCOMPARE(found.size(), 2);
        const Bar& written = found[0]; // 27 February: 1,200 words
        const Bar& cut = found[1];     // 1 March: 300 taken out, below the line
        QVERIFY(cut.left - written.right > written.right - written.left);
        QVERIFY(cut.top >= written.bottom);
        // 1,200 words against 300, give or take the blended pixels at the bars' ends.
        const double ratio = double(written.bottom - written.top + 1) / (cut.bottom - cut.top + 1);
        QVERIFY2(ratio > 3.6 && ratio < 4.4, qPrintable(QString::number(ratio)));
    }

    // A whole number of words, its digits grouped as the interface's language groups them or
    // by blanks; anything else is pointed out and the dialog stays open, the target as it was.
    void theTargetDialogTakesAWholeNumberOrSaysWhy_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("language"); // the language file in force, if any
        const QString group = QLocale().groupSeparator();
        QTest::newRow("a number") << "1200" << true << 1200 << QString();
        QTest::newRow("grouped as the numbers shown")
            << QStringLiteral("2") + group + QStringLiteral("000") << true << 2000 << QString();
        QTest::newRow("grouped by blanks") << "80 000" << true << 80000 << QString();
        QTest::newRow("zero") << "0" << true << 0 << QString();
        QTest::newRow("empty") << "" << true << 0 << QString();
        QTest::newRow("words") << "lots" << false << 300 << QString();
        QTest::newRow("negative") << "-40" << false << 300 << QString();
        QTest::newRow("a group cut short")
            << QStringLiteral("2") + group + QStringLiteral("00") << false << 300 << QString();
        QTest::newRow("grouped as German groups") << "2.000" << true << 2000 << "German.ini";
        QTest::newRow("too many digits") << "123456789" << false << 300 << QString();
    }
    void theTargetDialogTakesAWholeNumberOrSaysWhy() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(int, target);
        QFETCH(QString, language);
        if (!language.isEmpty())
            QVERIFY(Language::instance().load(TestEnvironment::sourceFolder() +
                                              QStringLiteral("data/Languages/") + language));
        openBook();
        TKerfa* harbour = sheet(QStringLiteral("Harbour"));
        harbour->setTargets(300, 0);
        m_main->desk().selectOnly(harbour);
        bool stayedOpen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<TfmTarget*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("edtTarget"));
            // The chain's field is for the first sheet of a chain only.
            QVERIFY(!dialog->findChild<QLineEdit*>(QStringLiteral("edtChainTarget"))->isVisible());
            QCOMPARE(field->text(), QStringLiteral("300"));
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
            QTest::keyClicks(field, typed);
            dialog->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
            stayedOpen = dialog->isVisible();
            if (stayedOpen) {
                QCOMPARE(field->selectedText(), typed);
                dialog->reject();
            }
        });
        // The popup's command, enabled for the sheet now current.
        m_main->RefreshWindow();
        QAction* command = m_main->findChild<QAction*>(QStringLiteral("pmnuTarget"));
        QVERIFY(command->isEnabled());
        command->trigger();
        QCOMPARE(stayedOpen, !accepted);
        QCOMPARE(m_boxes->texts(),
                 accepted ? QStringList() : QStringList{Messages::text(Messages::INVALID_TARGET)});
        QCOMPARE(harbour->target(), target);
        if (!accepted)
            return;
        QVERIFY(m_main->project().modified);
        QVERIFY(m_main->model().commands().SaveProject());
        const QByteArray file = ProjectFiles::read(path("Kerfa Files/", "Harbour", ".kfa"));
        QCOMPARE(file.contains("[Target]"), target > 0);
        if (target > 0)
            QVERIFY(file.contains("Words=" + QByteArray::number(target) + "\r\n"));
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    TargetsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TargetsTest.moc"
