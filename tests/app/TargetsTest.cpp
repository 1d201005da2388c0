#include "app/KerfaProgram.h"
#include "app/TfmMain.h"
#include "compile/WordProgress.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "desk/TargetBox.h"
#include "desk/TfmTarget.h"
#include "editor/TfmEditor.h"
#include "project/DayLog.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

    void theTargetDialogTakesOnlyAWholeNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("target");
        QTest::newRow("a number") << "1200" << 1200;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("words") << "lots" << 0;
        QTest::newRow("negative") << "-40" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void theTargetDialogTakesOnlyAWholeNumber() {
        QFETCH(QString, typed);
        QFETCH(int, target);
        openBook();
        TKerfa* harbour = sheet(QStringLiteral("Harbour"));
        harbour->setTargets(300, 0);
        m_main->desk().selectOnly(harbour);
        QTimer::singleShot(0, this, [typed] {
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
        });
        // The popup's command, enabled for the sheet now current.
        m_main->RefreshWindow();
        QAction* command = m_main->findChild<QAction*>(QStringLiteral("pmnuTarget"));
        QVERIFY(command->isEnabled());
        command->trigger();
        QCOMPARE(harbour->target(), target);
        QVERIFY(m_main->project().modified);
        QVERIFY(m_main->model().commands().SaveProject());
        const QByteArray file = ProjectFiles::read(path("Kerfa Files/", "Harbour", ".kfa"));
        QCOMPARE(file.contains("[Target]"), target > 0);
        if (target > 0)
            QVERIFY(file.contains("Words=" + QByteArray::number(target) + "\r\n"));
        QVERIFY(m_boxes->shown.isEmpty());
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
