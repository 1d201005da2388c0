// The main window's tool windows and the commands that answer with a word: Words Per Day, the
// help and Snapshots close with Esc and open over the window they belong to; Take Snapshot and
// Explore say what happened; Replace In Book forgets a closed book's matches.

#include "app/KerfaProgram.h"
#include "app/TfmMain.h"
#include "compile/BookReplace.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using namespace Qt::StringLiterals;

class ToolWindowsTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<RecordingShell> m_shell;
    std::unique_ptr<TfmMain> m_main;

    QString folder() const { return m_dir->path() + u"/Book/"_s; }
    QAction* action(const char* name) const {
        return m_main->findChild<QAction*>(QString::fromLatin1(name));
    }
    void choose(const QString& name) {
        m_main->desk().setCurrent(m_main->desk().findSheet(name));
        m_main->RefreshWindow();
    }
    // "Chapter" holds a text; "Blank" has none yet.
    void openBook(const QString& name) {
        ProjectFiles::write(folder() + name + u".kerfa"_s, "[Workspace]\r\nSize=0\r\n");
        ProjectFiles::write(folder() + u"Kerfa Files/Chapter.kfa"_s,
                            ProjectFiles::sheet(0, 0, 100, 100));
        ProjectFiles::write(folder() + u"Kerfa Files/Blank.kfa"_s,
                            ProjectFiles::sheet(0, 0, 300, 100));
        ProjectFiles::write(folder() + u"Text Files/Chapter.txt"_s, "Mara went out.");
        QVERIFY(m_main->LoadProject(folder() + name + u".kerfa"_s));
    }
    static QAction* editorAction(const TfmEditor* editor, const char* name) {
        return editor->findChild<QAction*>(QString::fromLatin1(name));
    }
    // Whether the window's middle lies over its owner's window.
    static bool over(const QWidget* window, const QWidget* owner) {
        return owner->frameGeometry().contains(window->frameGeometry().center());
    }

public:
    explicit ToolWindowsTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() { QDir().mkpath(m_env.programFolder() + u"Themes"_s); }
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_shell = std::make_unique<RecordingShell>();
        m_main = std::make_unique<TfmMain>();
        // Away from the screen's corner, where a window nobody placed would open.
        m_main->setGeometry(400, 300, 700, 500);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        openBook(u"Novel"_s);
        choose(u"Chapter"_s);
    }
    void cleanup() {
        m_main.reset();
        m_shell.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void toolWindowsCloseWithEscAndOpenOverTheirOwner_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("placed");
        QTest::newRow("Words Per Day") << u"mnuWordsPerDay"_s << u"fmDayChart"_s << true;
        QTest::newRow("Snapshots") << u"pmnuSnapshots"_s << u"fmSnapshots"_s << true;
        QTest::newRow("help") << u"mnuHelp"_s << u"fmHelp"_s << false;
    }
    void toolWindowsCloseWithEscAndOpenOverTheirOwner() {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(bool, placed);
        action(command.toLatin1().constData())->trigger();
        QPointer<QWidget> shown = m_main->findChild<QWidget*>(window);
        QVERIFY(shown);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        if (placed)
            QVERIFY(over(shown, m_main.get()));
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QTest::keyClick(shown, Qt::Key_Escape);
        QTRY_VERIFY(!shown || !shown->isVisible());
    }

    // An editor's snapshots open over the editor.
    void anEditorsSnapshotsOpenOverTheEditor() {
        TfmEditor* editor =
            m_main->model().sheetTexts().OpenEditor(m_main->desk().findSheet(u"Chapter"_s));
        QVERIFY(editor);
        editor->setGeometry(40, 40, 500, 400);
        editorAction(editor, "mnuSnapshots")->trigger();
        auto* snapshots = editor->findChild<QWidget*>(u"fmSnapshots"_s);
        QVERIFY(snapshots);
        QVERIFY(over(snapshots, editor));
    }

    // Take Snapshot says what it did, in the status bar, from the desk and from the editor.
    void takeSnapshotSaysWhatHappened() {
        action("pmnuTakeSnapshot")->trigger();
        QCOMPARE(m_main->statusBar()->currentMessage(),
                 Messages::text(Messages::SNAPSHOT_TAKEN) + u" 'Chapter'"_s);
        choose(u"Blank"_s);
        action("pmnuTakeSnapshot")->trigger();
        QCOMPARE(m_main->statusBar()->currentMessage(), Messages::text(Messages::SNAPSHOT_EMPTY));
        TfmEditor* editor =
            m_main->model().sheetTexts().OpenEditor(m_main->desk().findSheet(u"Chapter"_s));
        editorAction(editor, "mnuTakeSnapshot")->trigger();
        QVERIFY(editor->statusBar()->findChild<QLabel*>()->text().contains(
            Messages::text(Messages::SNAPSHOT_TAKEN) + u" 'Chapter'"_s));
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // Explore with no program to show the folder says so, naming the folder.
    void exploreWithoutAFileBrowserSaysSo() {
        m_shell->opens = false;
        action("mnuExploreProject")->trigger();
        QCOMPARE(m_shell->opened, QStringList{folder() + u"Text Files/"_s});
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::CANNOT_SHOW_FOLDER) +
                                               u" '"_s + folder() + u"Text Files/'"_s});
        m_boxes->shown.clear();
        m_shell->opens = true;
        action("mnuExploreProject")->trigger();
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // The matches of a book closed or left are not offered in the next one.
    void replaceInBookForgetsTheLastBooksMatches_data() {
        QTest::addColumn<bool>("newBook");
        QTest::newRow("another book opened") << false;
        QTest::newRow("a new book made") << true;
    }
    void replaceInBookForgetsTheLastBooksMatches() {
        QFETCH(bool, newBook);
        action("mnuReplaceInBook")->trigger();
        auto* window = m_main->findChild<QDialog*>(u"fmReplaceInBook"_s);
        QVERIFY(window);
        window->findChild<QLineEdit*>(u"edtFind"_s)->setText(u"Mara"_s);
        window->findChild<QPushButton*>(u"btnFind"_s)->click();
        auto* list = window->findChild<QTreeWidget*>(u"lstMatches"_s);
        QCOMPARE(list->topLevelItemCount(), 1);
        if (newBook)
            m_main->model().commands().NewProject();
        else
            openBook(u"Sequel"_s);
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(m_main->model().bookReplace().hits().isEmpty());
        QVERIFY(!window->findChild<QPushButton*>(u"btnReplace"_s)->isEnabled());
        QVERIFY(window->findChild<QLabel*>(u"lblStatus"_s)->text().isEmpty());
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    ToolWindowsTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "ToolWindowsTest.moc"
