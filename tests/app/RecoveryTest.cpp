#include "app/KerfaProgram.h"
#include "app/TfmMain.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/TfmEditor.h"
#include "editor/TfmRecovery.h"
#include "language/Captions.h"
#include "language/Messages.h"
#include "project/RecoveryRun.h"
#include "project/SnapshotStore.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Crash recovery as a writer meets it: typing kept as recovery copies, the copies going with a
// save, a No at the editor's question and a normal close, and a killed run's copies offered at
// the next open with Restore and Discard, or listed by Help > Recover Unsaved Text....
class RecoveryTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<TfmMain> m_main;

    QString folder() const { return m_dir->path() + u"/Book/"_s; }
    QString projectFile() const { return folder() + u"Novel.kerfa"_s; }
    QString textFile(const QString& name) const {
        return folder() + u"Text Files/"_s + name + u".txt"_s;
    }
    static RecoveryStore store() { return RecoveryStore(RecoveryStore::defaultRoot()); }
    RecoveryRun& run() { return m_main->model().recovery().run(); }
    // This run's copy of a sheet.
    QString copyOf(const QString& name) {
        return RecoveryStore::copyPath(store().bookFolder(folder()) + run().name() + u'/', name);
    }
    bool hasCopy(const QString& name) {
        run().wait();
        return QFileInfo::exists(copyOf(name));
    }
    TfmEditor* openEditor(const QString& name) {
        TfmEditor* editor = m_main->model().sheetTexts().OpenEditor(m_main->desk().findSheet(name));
        return editor && QTest::qWaitForWindowExposed(editor) ? editor : nullptr;
    }
    static void type(TfmEditor* editor, const QString& text) {
        editor->memo()->moveCursor(QTextCursor::End);
        editor->memo()->insertPlainText(text);
    }
    bool gone(const QString& path) {
        run().wait();
        return !QFileInfo::exists(path);
    }
    QAction* action(const char* name) {
        return m_main->findChild<QAction*>(QString::fromLatin1(name));
    }
    // The recovery window once it shows; none when it does not.
    TfmRecovery* recoveryWindow() {
        QDeadlineTimer deadline(5000);
        while (!m_main->findChild<TfmRecovery*>() && !deadline.hasExpired())
            QTest::qWait(20);
        auto* window = m_main->findChild<TfmRecovery*>();
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }
    static QPushButton* button(QWidget* window, const char* name) {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QStringList listed(TfmRecovery* window) {
        QStringList names;
        for (const TfmRecovery::Entry& entry : window->entries())
            names << entry.copy.sheetName;
        return names;
    }

    // Three sheets with texts.
    void writeBook() {
        ProjectFiles::write(projectFile(), "[Workspace]\r\nSize=0\r\n");
        int left = 100;
        for (const char* name : {"One", "Two", "Three"}) {
            ProjectFiles::write(folder() + u"Kerfa Files/"_s + QLatin1String(name) + u".kfa"_s,
                                ProjectFiles::sheet(0, 0, left, 100));
            left += 150;
        }
        ProjectFiles::write(textFile(u"One"_s), "Dawn came late.");
        ProjectFiles::write(textFile(u"Two"_s), "Noon.");
        ProjectFiles::write(textFile(u"Three"_s), "Dusk.");
    }
    // What a run killed while its editors held these texts left behind.
    void killedRunKept(const QList<std::pair<QString, QString>>& texts) {
        RecoveryRun killed(store());
        for (const auto& [sheet, text] : texts)
            killed.keep(folder(), sheet, text);
    }
    // A copy file of an ended run, with these bytes.
    QString endedCopyFile(const QString& sheet, const QByteArray& bytes) {
        store().makeRoot();
        const QString path = RecoveryStore::copyPath(
            store().makeBookFolder(folder()) + u"20260301-090000-1-1/"_s, sheet);
        ProjectFiles::write(path, bytes);
        return path;
    }

public:
    explicit RecoveryTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() { QDir().mkpath(m_env.programFolder() + u"Themes"_s); }
    void init() {
        QDir(RecoveryStore::defaultRoot()).removeRecursively();
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        writeBook();
        m_main = std::make_unique<TfmMain>();
        m_main->resize(900, 700);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void cleanup() {
        if (auto* window = m_main->findChild<TfmRecovery*>())
            window->close();
        m_main.reset();
        m_boxes.reset();
        m_dir.reset();
        QFile::remove(m_env.programFolder() + u"Kerfa.ini"_s);
    }

    void typingIsKeptAfterAPauseInTheStateFolder() {
        QVERIFY(m_main->LoadProject(projectFile()));
        TfmEditor* editor = openEditor(u"One"_s);
        QVERIFY(editor);
        type(editor, u" Rain.\u00a0"_s);
        // Not at the keystroke: once the typing has paused.
        QTest::qWait(500);
        QVERIFY(!hasCopy(u"One"_s));
        QTRY_VERIFY_WITH_TIMEOUT(hasCopy(u"One"_s), 5000);
        QCOMPARE(ProjectFiles::read(copyOf(u"One"_s)),
                 QString(u"Dawn came late. Rain.\u00a0"_s).toUtf8());
        QVERIFY(copyOf(u"One"_s).startsWith(m_env.root() + u"state/kerfa/recovery/"_s));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(copyOf(u"One"_s)).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, 0600u);
        // Nothing of it in the book's folder, and the text file as it was.
        QCOMPARE(ProjectFiles::read(textFile(u"One"_s)), QByteArray("Dawn came late."));
        QCOMPARE(
            QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            (QStringList{u"Kerfa Files"_s, u"Novel.kerfa"_s, u"Snapshots"_s, u"Text Files"_s}));
        // Typed on, the copy follows.
        type(editor, u"Wind."_s);
        QTRY_COMPARE_WITH_TIMEOUT(ProjectFiles::read(copyOf(u"One"_s)),
                                  QString(u"Dawn came late. Rain.\u00a0Wind."_s).toUtf8(), 5000);
    }

    void theCopyGoesWithTheText_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("kept");
        QTest::newRow("saved") << u"save"_s << false;
        QTest::newRow("undone to the saved text") << u"undo"_s << false;
        QTest::newRow("closed, saving") << u"yes"_s << false;
        QTest::newRow("closed, throwing the changes away") << u"no"_s << false;
        QTest::newRow("close cancelled") << u"cancel"_s << true;
        QTest::newRow("save failed") << u"failed save"_s << true;
    }
    void theCopyGoesWithTheText() {
        QFETCH(QString, how);
        QFETCH(bool, kept);
        QVERIFY(m_main->LoadProject(projectFile()));
        TfmEditor* editor = openEditor(u"One"_s);
        QVERIFY(editor);
        type(editor, u" Rain."_s);
        QTRY_VERIFY_WITH_TIMEOUT(hasCopy(u"One"_s), 5000);
        if (how == u"save") {
            QVERIFY(editor->SaveText());
        } else if (how == u"undo") {
            while (editor->isModified() && editor->memo()->document()->isUndoAvailable())
                editor->memo()->undo();
            QVERIFY(!editor->isModified());
        } else if (how == u"failed save") {
            QVERIFY(QFile::remove(textFile(u"One"_s)));
            QVERIFY(QDir().mkpath(textFile(u"One"_s)));
            QVERIFY(!editor->SaveText());
        } else {
            m_boxes->answer(how == u"yes"  ? MessageBoxes::Answer::Yes
                            : how == u"no" ? MessageBoxes::Answer::No
                                           : MessageBoxes::Answer::Cancel);
            editor->close();
        }
        QCOMPARE(hasCopy(u"One"_s), kept);
    }

    void aNormalCloseOfTheBookTakesEveryCopy_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("another book opened") << u"open"_s;
        QTest::newRow("new book") << u"new"_s;
        QTest::newRow("main window closed") << u"close"_s;
    }
    void aNormalCloseOfTheBookTakesEveryCopy() {
        QFETCH(QString, how);
        QVERIFY(m_main->LoadProject(projectFile()));
        for (const QString& name : {u"One"_s, u"Two"_s}) {
            TfmEditor* editor = openEditor(name);
            QVERIFY(editor);
            type(editor, u" More."_s);
        }
        QTRY_VERIFY_WITH_TIMEOUT(hasCopy(u"One"_s) && hasCopy(u"Two"_s), 5000);
        const QString books = store().bookFolder(folder());
        // The writer throws the changes away.
        m_boxes->answer(MessageBoxes::Answer::No);
        if (how == u"open") {
            QTemporaryDir other;
            ProjectFiles::write(other.path() + u"/Other.kerfa"_s, "[Workspace]\r\nSize=0\r\n");
            QVERIFY(m_main->model().commands().AskToSaveChanges() ==
                    ProjectCommands::AskResult::Proceed);
            QVERIFY(m_main->LoadProject(other.path() + u"/Other.kerfa"_s));
        } else if (how == u"new") {
            action("mnuNewProject")->trigger();
        } else {
            QVERIFY(m_main->close());
        }
        QTRY_VERIFY(gone(books));
        QCOMPARE(ProjectFiles::read(textFile(u"One"_s)), QByteArray("Dawn came late."));
    }

    void aKilledRunsTextIsOfferedAtTheNextOpen() {
        killedRunKept({{u"One"_s, u"Dawn came early.\nRain."_s},
                       {u"Two"_s, u"Noon and night."_s},
                       // Just what the file holds: nothing unsaved, nothing to offer.
                       {u"Three"_s, u"Dusk."_s}});
        QVERIFY(m_main->LoadProject(projectFile()));
        TfmRecovery* window = recoveryWindow();
        QVERIFY(window);
        QCOMPARE(listed(window), (QStringList{u"One"_s, u"Two"_s}));
        // The first is shown against its saved file.
        QVERIFY(button(window, "btnRestore")->isEnabled());
        const QString shown = window->findChild<QTextEdit*>(u"memCompare"_s)->toPlainText();
        QVERIFY2(shown.contains(u"late"_s) && shown.contains(u"early"_s), qPrintable(shown));

        // Restore: into the editor, changed and not saved, the saved text kept as a snapshot.
        button(window, "btnRestore")->click();
        TfmEditor* editor = m_main->model().editors().editorOf(m_main->desk().findSheet(u"One"_s));
        QVERIFY(editor);
        QCOMPARE(editor->memo()->toPlainText(), u"Dawn came early.\nRain."_s);
        QVERIFY(editor->isModified());
        QCOMPARE(ProjectFiles::read(textFile(u"One"_s)), QByteArray("Dawn came late."));
        const QList<SnapshotStore::Entry> snapshots = SnapshotStore(folder()).list(u"One"_s);
        QCOMPARE(snapshots.size(), 1);
        QCOMPARE(ProjectFiles::read(snapshots.front().path), QByteArray("Dawn came late."));
        // This run keeps the restored text at once; the killed run's copy of it is gone.
        QVERIFY(hasCopy(u"One"_s));
        QCOMPARE(ProjectFiles::read(copyOf(u"One"_s)), QByteArray("Dawn came early.\r\nRain."));
        QCOMPARE(listed(window), QStringList{u"Two"_s});

        // Discard, after the question: the file stays as it is.
        m_boxes->answer(MessageBoxes::Answer::Yes);
        button(window, "btnDiscard")->click();
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::DISCARD_RECOVERED)});
        QTRY_VERIFY(!m_main->findChild<TfmRecovery*>());
        run().wait();
        QCOMPARE(ProjectFiles::read(textFile(u"Two"_s)), QByteArray("Noon."));
        QVERIFY(store().ended(folder()).isEmpty());
        QVERIFY(!m_main->model().editors().editorOf(m_main->desk().findSheet(u"Two"_s)));
    }

    void whatIsLeftOrRefusedIsOfferedAgain() {
        killedRunKept({{u"One"_s, u"Dawn came early."_s}, {u"Two"_s, u"Noon and night."_s}});
        QVERIFY(m_main->LoadProject(projectFile()));
        TfmRecovery* window = recoveryWindow();
        QVERIFY(window);
        // No at the question keeps the copy.
        window->choose(window->entries().back().copy.path);
        m_boxes->answer(MessageBoxes::Answer::No);
        button(window, "btnDiscard")->click();
        QCOMPARE(listed(window), (QStringList{u"One"_s, u"Two"_s}));
        // Closed undecided: both wait for the next open, and a normal close does not take them.
        button(window, "btnClose")->click();
        QTRY_VERIFY(!m_main->findChild<TfmRecovery*>());
        action("mnuNewProject")->trigger();
        QVERIFY(m_main->LoadProject(projectFile()));
        window = recoveryWindow();
        QVERIFY(window);
        QCOMPARE(listed(window), (QStringList{u"One"_s, u"Two"_s}));
    }

    void theWindowGoesWithItsBook() {
        killedRunKept({{u"One"_s, u"Dawn came early."_s}});
        QVERIFY(m_main->LoadProject(projectFile()));
        QVERIFY(recoveryWindow());
        action("mnuNewProject")->trigger();
        QTRY_VERIFY(!m_main->findChild<TfmRecovery*>());
        // Still kept, for the next time the book is opened.
        QCOMPARE(store().ended(folder()).size(), 1);
    }

    void aDamagedCopyOrOneWithoutItsSheetIsTextToCopy() {
        endedCopyFile(u"Gone"_s, "A sheet deleted since.");
        endedCopyFile(u"Two"_s, QByteArray("Noon", 4) + QByteArray(4, '\0') + "night");
        QVERIFY(m_main->LoadProject(projectFile()));
        TfmRecovery* window = recoveryWindow();
        QVERIFY(window);
        QCOMPARE(listed(window), (QStringList{u"Gone"_s, u"Two"_s}));
        auto* legend = window->findChild<QLabel*>(u"lblLegend"_s);
        auto* text = window->findChild<QTextEdit*>(u"memCompare"_s);
        for (const auto& [sheet, shown, note] :
             {std::tuple{u"Gone"_s, u"A sheet deleted since."_s, u"txtSheetGone"_s},
              std::tuple{u"Two"_s, u"Noonnight"_s, u"txtDamaged"_s}}) {
            window->choose(window->entries()[listed(window).indexOf(sheet)].copy.path);
            QVERIFY(!button(window, "btnRestore")->isEnabled());
            QCOMPARE(text->toPlainText(), shown);
            QCOMPARE(legend->text(), Captions::text(u"fmRecovery", note));
            button(window, "btnCopy")->click();
            QCOMPARE(QApplication::clipboard()->text(), shown);
        }
        // Nothing was dropped on the way.
        QCOMPARE(store().ended(folder()).size(), 2);
    }

    void helpListsEveryCopyLeft() {
        action("mnuRecover")->trigger();
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::NO_RECOVERED_TEXT)});
        QVERIFY(!m_main->findChild<TfmRecovery*>());

        killedRunKept({{u"One"_s, u"Dawn came early."_s}});
        // A book moved away since: its copy stays, to be copied from.
        QVERIFY(QDir(folder()).rename(folder(), m_dir->path() + u"/Moved"_s));
        action("mnuRecover")->trigger();
        TfmRecovery* window = recoveryWindow();
        QVERIFY(window);
        // Under its book, named by its folder.
        auto* list = window->findChild<QTreeWidget*>(u"lstCopies"_s);
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), u"Book"_s);
        QCOMPARE(list->topLevelItem(0)->child(0)->text(0), u"One"_s);
        QVERIFY(list->topLevelItem(0)->child(0)->isSelected());
        QVERIFY(!button(window, "btnRestore")->isEnabled());
        QCOMPARE(window->findChild<QTextEdit*>(u"memCompare"_s)->toPlainText(),
                 u"Dawn came early."_s);
        QVERIFY(window->findChild<QLabel*>(u"lblLegend"_s)->text().contains(folder()));
        button(window, "btnCopy")->click();
        QCOMPARE(QApplication::clipboard()->text(), u"Dawn came early."_s);
    }

    void enabledZeroKeepsNothing() {
        IniFile settings(ProgramFolder::path() + u"Kerfa.ini"_s);
        settings.writeBool(u"Recovery", u"Enabled", false);
        QVERIFY(settings.save());
        m_main->LoadSettings();
        QVERIFY(!run().isEnabled());
        QVERIFY(m_main->LoadProject(projectFile()));
        TfmEditor* editor = openEditor(u"One"_s);
        QVERIFY(editor);
        type(editor, u" Rain."_s);
        QTest::qWait(2600);
        QVERIFY(!hasCopy(u"One"_s));
        QCOMPARE(run().written(), 0);
        // Kept as set; a settings file without the key has it on.
        m_main->SaveSettings();
        QVERIFY(!IniFile(ProgramFolder::path() + u"Kerfa.ini"_s)
                     .readBool(u"Recovery", u"Enabled", true));
        AppSettings defaults;
        defaults.load(IniFile(u"/nonexistent/Kerfa.ini"_s), [] { return QString(); });
        QVERIFY(defaults.recovery);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    RecoveryTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "RecoveryTest.moc"
