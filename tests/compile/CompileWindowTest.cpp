#include "app/KerfaProgram.h"
#include "app/TfmMain.h"
#include "common/IniFile.h"
#include "compile/CompilationList.h"
#include "compile/TfmCompile.h"
#include "compile/TfmExport.h"
#include "compile/TfmFindAndCompile.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/EditorRegistry.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "project/ProjectCommands.h"
#include "support/ManuscriptReader.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

// The compilation as a writer meets it: the sheet popup's commands, the compilation window
// with its list, Create, and Find & Compile, on a book on disk.
class CompileWindowTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<TfmMain> m_main;
    std::unique_ptr<TfmCompile> m_compile;
    std::unique_ptr<TfmFindAndCompile> m_find;

    QString folder() const { return m_dir->path() + QStringLiteral("/Book/"); }
    QString textFile(const QString& name) const {
        return folder() + QStringLiteral("Text Files/") + name + QStringLiteral(".txt");
    }
    QString compilationFile() const { return textFile(QStringLiteral("Compilation")); }
    QString settingsFile() const { return m_env.programFolder() + QStringLiteral("Kerfa.ini"); }
    void addSheet(const QString& name, int type, const QString& description,
                  const QString& linkTo = {}, const QByteArray& text = {}) {
        QVERIFY(ProjectFiles::write(folder() + QStringLiteral("Kerfa Files/") + name +
                                        QStringLiteral(".kfa"),
                                    ProjectFiles::sheet(type, 0, 200, 200, description, linkTo)));
        if (!text.isNull())
            QVERIFY(ProjectFiles::write(textFile(name), text));
    }
    // The book, in desk order: Anna (a scene naming her), One -> Two -> Three (a chain), Storm.
    void openBook() {
        addSheet(QStringLiteral("Anna"), 1, QStringLiteral("Who she is"), {}, "ANNA, at twenty.");
        addSheet(QStringLiteral("One"), 0, QStringLiteral("The arrival"), QStringLiteral("Two"),
                 "The lamp was lit.");
        addSheet(QStringLiteral("Storm"), 0, {}, {}, "Rain on the glass.");
        addSheet(QStringLiteral("Three"), 0, QStringLiteral("The end"), {}, "Dawn.");
        addSheet(QStringLiteral("Two"), 0, QStringLiteral("The keeper"), QStringLiteral("Three"));
        QVERIFY(ProjectFiles::write(folder() + QStringLiteral("Novel.kerfa"),
                                    "[Workspace]\r\nSize=0\r\n"));
        QVERIFY(m_main->LoadProject(folder() + QStringLiteral("Novel.kerfa")));
    }
    CompilationList& list() { return m_main->model().compilation(); }
    Desk& desk() { return m_main->desk(); }
    TKerfa* sheet(const QString& name) { return desk().findSheet(name); }
    QAction* action(QObject* window, const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    template <class T> T* child(QObject* window, const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    // A command of the main window as its menu gives it.
    void run(const char* name) {
        m_main->RefreshWindow();
        QAction* command = action(m_main.get(), name);
        QVERIFY(command->isEnabled());
        command->trigger();
    }
    // A sheet popup command on a sheet.
    void popup(const QString& name, const char* command) {
        desk().setCurrent(name.isEmpty() ? nullptr : sheet(name));
        run(command);
    }
    void fill(const QStringList& names) {
        list().clear();
        for (const QString& name : names)
            list().add(name);
    }
    QListView* view() { return m_compile->list(); }
    QPoint entry(int row) { return view()->visualRect(view()->model()->index(row, 0)).center(); }
    void select(int row) { view()->setCurrentIndex(view()->model()->index(row, 0)); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(view(), k, modifiers);
    }
    void create() { child<QPushButton>(m_compile.get(), "btnCreate")->click(); }
    void findAndCompile(const QString& text, bool matchCase = false, bool clear = true) {
        m_find->show();
        m_find->findBox()->setText(text);
        child<QCheckBox>(m_find.get(), "cbMatchCase")->setChecked(matchCase);
        child<QCheckBox>(m_find.get(), "cbClearCompiler")->setChecked(clear);
        child<QPushButton>(m_find.get(), "btnFind")->click();
    }

    // Export from the compilation window: the export dialog answered as soon as it shows (its
    // format, the descriptions, OK or Cancel), then the save dialog by its script.
    void exportAs(const char* format, bool descriptions, bool ok = true) {
        bool answered = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<TfmExport*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            child<QRadioButton>(dialog, format)->click();
            child<QCheckBox>(dialog, "cbChapterDescriptions")->setChecked(descriptions);
            child<QPushButton>(dialog, ok ? "btnOk" : "btnCancel")->click();
            answered = true;
        });
        child<QPushButton>(m_compile.get(), "btnExport")->click();
        QVERIFY(answered);
    }

public:
    explicit CompileWindowTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void init() {
        QDir(m_env.programFolder()).removeRecursively();
        QDir().mkpath(m_env.programFolder());
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_main = std::make_unique<TfmMain>();
        m_compile = std::make_unique<TfmCompile>();
        m_find = std::make_unique<TfmFindAndCompile>();
        m_main->setCompileWindows(m_compile.get(), m_find.get());
    }
    void cleanup() {
        // As at the program's end: the main window goes first.
        m_main.reset();
        m_find.reset();
        m_compile.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void theToolsCommandsNeedANamedProjectWithSheets() {
        m_main->RefreshWindow();
        QVERIFY(!action(m_main.get(), "mnuCompile")->isEnabled());
        QVERIFY(!action(m_main.get(), "mnuFindAndCompile")->isEnabled());
        openBook();
        QCOMPARE(action(m_main.get(), "mnuCompile")->shortcut(), QKeySequence(Qt::Key_F8));
        QCOMPARE(action(m_main.get(), "mnuFindAndCompile")->shortcut(), QKeySequence(Qt::Key_F2));
        run("mnuCompile");
        QVERIFY(m_compile->isVisible());
        QVERIFY(m_compile->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        run("mnuFindAndCompile");
        QVERIFY(m_find->isVisible());
        QCOMPARE(m_find->focusWidget(), m_find->findBox());
    }

    void closingTheMainWindowPutsTheToolWindowsAway() {
        openBook();
        run("mnuCompile");
        run("mnuFindAndCompile");
        // Left open, they would keep the program running without its main window.
        QVERIFY(m_main->close());
        QVERIFY(!m_compile->isVisible());
        QVERIFY(!m_find->isVisible());
    }

    void addToCompilationKeepsEachSheetOnce() {
        // A second sheet whose name differs only in letter case, from files of another system.
        addSheet(QStringLiteral("STORM"), 0, {});
        addSheet(QStringLiteral("Compilation"), -1, {});
        openBook();
        popup({}, "pmnuAddToCompilation");
        QVERIFY(!m_compile->isVisible());
        popup(QStringLiteral("Storm"), "pmnuAddToCompilation");
        QVERIFY(m_compile->isVisible());
        m_compile->hide();
        popup(QStringLiteral("Storm"), "pmnuAddToCompilation");
        popup(QStringLiteral("STORM"), "pmnuAddToCompilation");
        popup(QStringLiteral("One"), "pmnuAddToCompilation");
        // The Compilation sheet is never added; the window opens all the same.
        popup(QStringLiteral("Compilation"), "pmnuAddToCompilation");
        QVERIFY(m_compile->isVisible());
        QCOMPARE(list().names(), (QStringList{"Storm", "One"}));
        QCOMPARE(view()->model()->rowCount(), 2);
    }

    void linksToCompilationReplacesTheListWithTheChain() {
        openBook();
        fill({"Storm", "Two"});
        popup(QStringLiteral("One"), "pmnuLinksToCompilation");
        QCOMPARE(list().names(), (QStringList{"One", "Two", "Three"}));
        QVERIFY(m_compile->isVisible());
        // From the middle of the chain, to its end.
        popup(QStringLiteral("Two"), "pmnuLinksToCompilation");
        QCOMPARE(list().names(), (QStringList{"Two", "Three"}));
    }

    void theWindowKeepsItsPlaceAndItsWidth() {
        QVERIFY(ProjectFiles::write(settingsFile(), "[Compilation]\r\nTop=120\r\nLeft=30\r\n"
                                                    "Width=270\r\nHeight=500\r\n"));
        openBook();
        run("mnuCompile");
        QCOMPARE(m_compile->pos(), QPoint(30, 120));
        QCOMPARE(m_compile->size(), QSize(280, 500));
        m_compile->resize(400, 100);
        QCOMPARE(m_compile->size(), QSize(280, 250));
        m_compile->move(60, 70);
        m_compile->hide();
        run("mnuCompile");
        QCOMPARE(m_compile->pos(), QPoint(60, 70));
        cleanup();
        const IniFile written(settingsFile());
        QCOMPARE(written.readInteger(u"Compilation", u"Top", 0), 70);
        QCOMPARE(written.readInteger(u"Compilation", u"Left", 0), 60);
        QCOMPARE(written.readInteger(u"Compilation", u"Width", 0), 280);
        QCOMPARE(written.readInteger(u"Compilation", u"Height", 0), 250);
        // A window that was never shown leaves the place it had.
        {
            TfmCompile unshown;
            unshown.setSettingsFile(settingsFile());
        }
        QCOMPARE(IniFile(settingsFile()).readInteger(u"Compilation", u"Top", 0), 70);
        init();
    }

    void oneOfTheCheckBoxesStaysChecked() {
        auto* descriptions = child<QCheckBox>(m_compile.get(), "cbDescriptions");
        auto* content = child<QCheckBox>(m_compile.get(), "cbContent");
        QVERIFY(descriptions->isChecked());
        QVERIFY(!content->isChecked());
        descriptions->click();
        QVERIFY(descriptions->isChecked());
        content->click();
        descriptions->click();
        QVERIFY(!descriptions->isChecked());
        content->click();
        QVERIFY(content->isChecked());
        QVERIFY(!descriptions->isChecked());
    }

    void theListIsEditedByKeysAndItsPopup() {
        openBook();
        fill({"1", "2", "3", "4"});
        run("mnuCompile");
        QAction* edit = action(m_compile.get(), "pmnuEdit");
        QAction* remove = action(m_compile.get(), "pmnuDelete");
        QAction* clearAll = action(m_compile.get(), "pmnuClearAll");
        auto* btnCreate = child<QPushButton>(m_compile.get(), "btnCreate");
        QVERIFY(!edit->isEnabled() && !remove->isEnabled());
        QVERIFY(clearAll->isEnabled() && btnCreate->isEnabled());
        // Nothing moves without a selection, or past either end.
        key(Qt::Key_Up, Qt::ControlModifier);
        select(0);
        QVERIFY(edit->isEnabled() && remove->isEnabled());
        key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(list().names(), (QStringList{"1", "2", "3", "4"}));
        select(2);
        key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(list().names(), (QStringList{"1", "3", "2", "4"}));
        QCOMPARE(view()->currentIndex().row(), 1);
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(list().names(), (QStringList{"1", "2", "4", "3"}));
        QCOMPARE(view()->currentIndex().row(), 3);
        key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(list().names(), (QStringList{"1", "2", "4", "3"}));
        // Plain Up only moves the selection.
        key(Qt::Key_Up);
        QCOMPARE(list().names(), (QStringList{"1", "2", "4", "3"}));
        QCOMPARE(view()->currentIndex().row(), 2);
        key(Qt::Key_Delete);
        QCOMPARE(list().names(), (QStringList{"1", "2", "3"}));
        clearAll->trigger();
        QVERIFY(list().isEmpty());
        QVERIFY(!clearAll->isEnabled() && !btnCreate->isEnabled());
        QVERIFY(!edit->isEnabled() && !remove->isEnabled());
    }

    void editOpensTheSheetOfTheEntry() {
        openBook();
        fill({"Ghost", "Storm"});
        run("mnuCompile");
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, entry(0));
        QVERIFY(!m_main->model().editors().editorOf(sheet(QStringLiteral("Storm"))));
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, entry(1));
        TfmEditor* editor = m_main->model().editors().editorOf(sheet(QStringLiteral("Storm")));
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->memo()->toPlainText(), QStringLiteral("Rain on the glass."));
    }

    void createWritesTheCompilationAndLaysTheCompilationSheetOnce() {
        openBook();
        fill({"Storm", "One"});
        run("mnuCompile");
        child<QCheckBox>(m_compile.get(), "cbContent")->click();
        QVERIFY(!m_main->project().modified);
        create();
        QCOMPARE(ProjectFiles::read(compilationFile()),
                 QByteArray("Storm: No Description.\r\n\r\nRain on the glass.\r\n\r\n\r\n"
                            "One: The arrival\r\n\r\nThe lamp was lit.\r\n"));
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::COMPILATION_OK)});
        TKerfa* compilation = sheet(QStringLiteral("Compilation"));
        QVERIFY(compilation);
        QCOMPARE(int(compilation->SheetType), 0);
        QCOMPARE(QPoint(compilation->left(), compilation->top()), QPoint(40, 26));
        QVERIFY(compilation->isVisible());
        QVERIFY(m_main->project().modified);
        QVERIFY(m_main->windowTitle().endsWith(QStringLiteral(" *")));
        // Again, with only the descriptions: the file is replaced, and no second sheet comes.
        child<QCheckBox>(m_compile.get(), "cbContent")->click();
        create();
        QCOMPARE(ProjectFiles::read(compilationFile()),
                 QByteArray("Storm: No Description.\r\n\r\nOne: The arrival\r\n\r\n"));
        QCOMPARE(desk().sheets().size(), 6);
        // The Compilation sheet opens with the compilation as its text.
        m_main->model().OpenEditor(compilation);
        QCOMPARE(m_main->model().editors().editorOf(compilation)->memo()->toPlainText(),
                 QStringLiteral("Storm: No Description.\n\nOne: The arrival\n\n"));
    }

    void withoutTheSettingNoCompilationSheetIsLaid() {
        openBook();
        m_main->settings().autoCompKerfa = false;
        fill({"Storm"});
        create();
        QVERIFY(QFile::exists(compilationFile()));
        QCOMPARE(desk().sheets().size(), 5);
        QVERIFY(!m_main->project().modified);
    }

    // A Compilation sheet whose file could not be read is left out of the load; no new one is
    // laid whose save would write over that file.
    void anUnreadableCompilationSheetFileIsNeverWrittenOver() {
        const QString file = folder() + QStringLiteral("Kerfa Files/Compilation.kfa");
        const QByteArray unreadable = ProjectFiles::sheet(-1, 7, 40, 26);
        QVERIFY(ProjectFiles::write(file, unreadable));
        openBook();
        QCOMPARE(m_boxes->shown.size(), 1);
        fill({"Storm"});
        create();
        QVERIFY(QFile::exists(compilationFile()));
        QVERIFY(!sheet(QStringLiteral("Compilation")));
        QVERIFY(m_main->model().commands().SaveProject());
        QCOMPARE(ProjectFiles::read(file), unreadable);
    }

    void createTakesWhatTheWriterSeesNow() {
        openBook();
        // A description changed on the desk but not yet saved, and text typed but not saved.
        sheet(QStringLiteral("One"))->SetDescription(QStringLiteral("Isla arrives"));
        TfmEditor* editor = m_main->model().sheetTexts().OpenEditor(sheet(QStringLiteral("One")));
        editor->memo()->setPlainText(QStringLiteral("The lamp was lit.\nThen the rain."));
        fill({"One"});
        child<QCheckBox>(m_compile.get(), "cbContent")->click();
        create();
        QCOMPARE(ProjectFiles::read(compilationFile()),
                 QByteArray("One: Isla arrives\r\n\r\nThe lamp was lit.\r\nThen the rain.\r\n"));
    }

    void createSaysNothingWhenThereIsNothingToWrite() {
        openBook();
        fill({"Ghost", "compilation"});
        create();
        QVERIFY(m_boxes->shown.isEmpty());
        QVERIFY(!QFile::exists(compilationFile()));
        QCOMPARE(desk().sheets().size(), 5);
    }

    void aCompilationThatCannotBeWrittenSaysSo() {
        openBook();
        QVERIFY(QDir(folder() + QStringLiteral("Text Files")).removeRecursively());
        fill({"Storm"});
        create();
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::COMPILATION_NOT_OK)});
        QVERIFY(!sheet(QStringLiteral("Compilation")));
        QCOMPARE(list().names(), QStringList{QStringLiteral("Storm")});
        QVERIFY(!m_main->project().modified);
    }

    void exportWritesTheChosenFormatFromWhatTheWriterSees() {
        openBook();
        ScriptedFileDialogs files;
        // Text typed into an open editor and not saved; a sheet with no text file.
        TfmEditor* editor = m_main->model().sheetTexts().OpenEditor(sheet(QStringLiteral("One")));
        editor->memo()->setPlainText(QStringLiteral("The lamp was lit.\n\n«Then» the rain."));
        fill({"Storm", "Compilation", "One", "Two"});
        run("mnuCompile");
        QVERIFY(child<QPushButton>(m_compile.get(), "btnExport")->isEnabled());
        const QString path = m_dir->filePath(QStringLiteral("Novel.epub"));
        files.paths << path;
        exportAs("rbEpub", true);
        QCOMPARE(files.titles, QStringList{QStringLiteral("Export Manuscript To")});
        QCOMPARE(files.suggestions, QStringList{folder() + QStringLiteral("Novel.epub")});
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::EXPORT_OK)});
        const std::optional<QStringList> read =
            ManuscriptReader::read(ProjectFiles::read(path), ManuscriptExport::Format::Epub);
        QVERIFY(read);
        QCOMPARE(*read, (QStringList{"h:Storm", "p:Rain on the glass.", "h:One", "d:The arrival",
                                     "p:The lamp was lit.", "p:", "p:«Then» the rain.", "h:Two",
                                     "d:The keeper"}));
        // The choice is kept for the next export; the editor's text is not saved by it.
        const IniFile settings(settingsFile());
        QCOMPARE(settings.readString(u"Export", u"Format"), QStringLiteral("epub"));
        QVERIFY(settings.readBool(u"Export", u"Descriptions", false));
        QCOMPARE(ProjectFiles::read(textFile(QStringLiteral("One"))),
                 QByteArray("The lamp was lit."));

        // Without descriptions, as a Word document; then cancelled in the dialog, which asks
        // for no file and writes none.
        m_boxes->shown.clear();
        const QString word = m_dir->filePath(QStringLiteral("Novel.docx"));
        files.paths << word;
        exportAs("rbWord", false);
        QCOMPARE(ManuscriptReader::read(ProjectFiles::read(word), ManuscriptExport::Format::Word),
                 (QStringList{"h:Storm", "p:Rain on the glass.", "h:One", "p:The lamp was lit.",
                              "p:", "p:«Then» the rain.", "h:Two"}));
        m_boxes->shown.clear();
        exportAs("rbMarkdown", true, false);
        QVERIFY(m_boxes->shown.isEmpty());
        QCOMPARE(IniFile(settingsFile()).readString(u"Export", u"Format"), QStringLiteral("docx"));
    }

    void anExportThatCannotBeWrittenSaysSo() {
        openBook();
        ScriptedFileDialogs files;
        fill({"Storm"});
        run("mnuCompile");
        // Under a regular file, where no folder can be.
        files.paths << textFile(QStringLiteral("Storm")) + QStringLiteral("/Novel.odt");
        exportAs("rbOpenDocument", false);
        QCOMPARE(m_boxes->shown.size(), 1);
        QCOMPARE(m_boxes->shown.front().kind, MessageBoxes::Kind::Error);
        QCOMPARE(m_boxes->shown.front().text, Messages::text(Messages::EXPORT_NOT_OK));
        // A save dialog cancelled exports nothing and says nothing.
        m_boxes->shown.clear();
        files.paths << QString();
        exportAs("rbHtml", false);
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void findAndCompileSearchesEverySheetsText() {
        addSheet(QStringLiteral("Compilation"), -1, {}, {}, "Anna again");
        openBook();
        // Storm names her only in text typed into its open editor, not saved.
        TfmEditor* editor = m_main->model().sheetTexts().OpenEditor(sheet(QStringLiteral("Storm")));
        editor->memo()->appendPlainText(QStringLiteral("Anna ran."));
        editor->hide();
        fill({"Two"});
        findAndCompile(QStringLiteral("anna"), false, false);
        QCOMPARE(list().names(), (QStringList{"Two", "Anna", "Storm"}));
        QVERIFY(m_compile->isVisible());
        // Cleared first; with the case to match, only the editor's "Anna" does.
        findAndCompile(QStringLiteral("Anna"), true, true);
        QCOMPARE(list().names(), QStringList{QStringLiteral("Storm")});
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void findAndCompileWithoutAMatchLeavesTheWindowClosed() {
        openBook();
        fill({"One"});
        // Only A to Z fold: "élan" does not find "ÉLAN".
        QVERIFY(ProjectFiles::write(textFile(QStringLiteral("Three")), "\xC3\x89LAN"));
        findAndCompile(QStringLiteral("élan"));
        QVERIFY(list().isEmpty());
        QVERIFY(!m_compile->isVisible());
        // An empty find box does nothing at all.
        fill({"One"});
        findAndCompile(QString());
        QCOMPARE(list().names(), QStringList{QStringLiteral("One")});
        findAndCompile(QStringLiteral("ÉLAN"));
        QCOMPARE(list().names(), QStringList{QStringLiteral("Three")});
    }

    void anUnreadableTextEndsTheSearch() {
        openBook();
        QVERIFY(QFile::remove(textFile(QStringLiteral("Storm"))));
        QVERIFY(QDir().mkpath(textFile(QStringLiteral("Storm"))));
        findAndCompile(QStringLiteral("a"));
        QCOMPARE(list().names(), (QStringList{"Anna", "One"}));
        QCOMPARE(m_boxes->shown.size(), 1);
        QCOMPARE(m_boxes->shown.front().kind, MessageBoxes::Kind::Error);
        QVERIFY(m_boxes->shown.front().text.startsWith(QStringLiteral("'Storm.txt' ")));
    }

    void theWindowFollowsRenamesAndDeletions() {
        openBook();
        fill({"One", "Storm"});
        run("mnuCompile");
        Q_EMIT m_main->model().commands().sheetRenamed(QStringLiteral("One"),
                                                       QStringLiteral("Arrival"));
        QCOMPARE(view()->model()->index(0, 0).data().toString(), QStringLiteral("Arrival"));
        Q_EMIT m_main->model().commands().sheetDeleted(QStringLiteral("storm"));
        Q_EMIT m_main->model().commands().sheetDeleted(QStringLiteral("Arrival"));
        QCOMPARE(view()->model()->rowCount(), 0);
        QVERIFY(!child<QPushButton>(m_compile.get(), "btnCreate")->isEnabled());
        // A project loaded again starts with an empty list.
        fill({"Two"});
        QVERIFY(m_main->LoadProject(folder() + QStringLiteral("Novel.kerfa")));
        QVERIFY(list().isEmpty());
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    CompileWindowTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "CompileWindowTest.moc"
