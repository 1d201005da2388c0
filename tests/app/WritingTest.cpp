#include "PdfFile.h"
#include "app/BookRecovery.h"
#include "app/TfmMain.h"
#include "compile/BookReplace.h"
#include "compile/CompilationFile.h"
#include "compile/CompilationList.h"
#include "compile/CompileCommands.h"
#include "desk/Desk.h"
#include "desk/DeskView.h"
#include "desk/TKerfa.h"
#include "editor/EditorRegistry.h"
#include "editor/MemoEdit.h"
#include "editor/TfmEditor.h"
#include "project/RecoveryRun.h"
#include "project/RecoveryStore.h"
#include "project/SnapshotStore.h"
#include "support/ProjectFiles.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using Answer = MessageBoxes::Answer;

// Writing in the main window: sheets' editor windows opened, closed and saved with the
// project, word counts over sheets, sheets printed from the desk, dropped texts.
class WritingTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<ScriptedPrintDialogs> m_printer;
    std::unique_ptr<TfmMain> m_main;

    QString folder() const { return m_dir->path() + QStringLiteral("/Book/"); }
    QString textFile(const QString& sheet) const {
        return folder() + QStringLiteral("Text Files/") + sheet + QStringLiteral(".txt");
    }
    // A sheet file; type 0 is the theme's first type, the main one, -1 the Compilation sheet.
    void addSheet(const QString& name, int type = 0, const QString& linkTo = {},
                  const QByteArray& text = {}) {
        QVERIFY(ProjectFiles::write(folder() + QStringLiteral("Kerfa Files/") + name +
                                        QStringLiteral(".kfa"),
                                    ProjectFiles::sheet(type, 0, 100, 100, {}, linkTo)));
        if (!text.isNull())
            QVERIFY(ProjectFiles::write(textFile(name), text));
    }
    void load() {
        QVERIFY(ProjectFiles::write(folder() + QStringLiteral("Book.kerfa"),
                                    "[Workspace]\r\nSize=0\r\n"));
        QDir().mkpath(folder() + QStringLiteral("Text Files"));
        m_main = std::make_unique<TfmMain>();
        QVERIFY(m_main->LoadProject(folder() + QStringLiteral("Book.kerfa")));
    }
    TKerfa* sheet(const QString& name) const { return m_main->desk().findSheet(name); }
    TfmEditor* open(const QString& name) {
        return m_main->model().sheetTexts().OpenEditor(sheet(name));
    }
    QAction* command(const char* name) const {
        return m_main->findChild<QAction*>(QString::fromLatin1(name));
    }
    QPoint onDesk(const TKerfa* s) const {
        return m_main->deskView()->mapFromScene(
            QPoint(s->left() + s->width() / 2, s->top() + s->height() / 2));
    }
    // Answers the properties dialog of a new sheet with a name as soon as it shows; an empty
    // name cancels it.
    void whenPropertiesShow(const QString& name) {
        QTimer::singleShot(0, this, [name] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            if (name.isEmpty()) {
                dialog->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
                return;
            }
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtName")), name);
            dialog->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        });
    }
    // Runs a command of the main window as its menu would.
    void run(const char* name) {
        m_main->RefreshWindow();
        command(name)->trigger();
    }

public:
    explicit WritingTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void init() {
        QDir(m_env.programFolder()).removeRecursively();
        QDir().mkpath(m_env.programFolder());
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_printer = std::make_unique<ScriptedPrintDialogs>();
    }
    void cleanup() {
        m_main.reset();
        m_printer.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    // One window per sheet: opened again, it is the same window, its text read only once,
    // and a minimised or hidden window comes back in normal state.
    void openingTwiceShowsTheSameWindow() {
        QVERIFY(ProjectFiles::write(m_env.programFolder() + QStringLiteral("Kerfa.ini"),
                                    "[Application]\r\nEditMemory=0\r\n[Editor]\r\nFontName="
                                    "DejaVu Sans\r\nFontSize=14\r\n"));
        addSheet(QStringLiteral("Chapter"), 0, {}, "First words");
        load();
        QPointer<TfmEditor> first = open(QStringLiteral("Chapter"));
        QVERIFY(first->isVisible());
        QVERIFY(sheet(QStringLiteral("Chapter"))->isEditing());
        QCOMPARE(first->memo()->font().family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(first->memo()->font().pointSize(), 14);
        QCOMPARE(first->windowTitle(), QStringLiteral("Editing Kerfa: 'Chapter'"));
        QVERIFY(ProjectFiles::write(textFile(QStringLiteral("Chapter")), "Changed on disk"));
        first->showMinimized();
        QTRY_VERIFY(!first->isVisible());
        TfmEditor* again = open(QStringLiteral("Chapter"));
        QCOMPARE(again, first.data());
        QVERIFY(again->isVisible());
        QVERIFY(!again->isMinimized());
        QCOMPARE(again->memo()->toPlainText(), QStringLiteral("First words"));
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // The editors' spelling and thesaurus dialogs follow the language file in the settings, and
    // the one put in force later.
    void editorsTakeTheLanguageInForce() {
        QVERIFY(ProjectFiles::write(m_env.programFolder() + QStringLiteral("Kerfa.ini"),
                                    "[Application]\r\nLanguage=Swedish.ini\r\n"));
        addSheet(QStringLiteral("Chapter"), 0, {}, "Words");
        load();
        TfmEditor* editor = open(QStringLiteral("Chapter"));
        QCOMPARE(editor->languageName(), QStringLiteral("swedish"));
        OptionChoices chosen = m_main->model().options();
        chosen.language = QStringLiteral("Portuguese (Brazil).ini");
        m_main->model().applyOptions(chosen);
        QCOMPARE(editor->languageName(), QStringLiteral("portuguese (brazil)"));
        QCOMPARE(m_main->settings().language, QStringLiteral("Portuguese (Brazil).ini"));
    }

    // A double-click on a sheet opens its editor window with its text; the sheet shows it.
    void doubleClickOpensTheEditor() {
        addSheet(QStringLiteral("Chapter"), 0, {}, "It was night.\r\nThe lamp was lit.");
        load();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        TKerfa* chapter = sheet(QStringLiteral("Chapter"));
        QTest::mouseClick(m_main->deskView()->viewport(), Qt::LeftButton, {}, onDesk(chapter));
        QTest::mouseDClick(m_main->deskView()->viewport(), Qt::LeftButton, {}, onDesk(chapter));
        TfmEditor* editor = m_main->model().editors().editorOf(chapter);
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QVERIFY(chapter->isEditing());
        QCOMPARE(editor->windowTitle(), QStringLiteral("Editing Kerfa: 'Chapter'"));
        QCOMPARE(editor->memo()->toPlainText(), QStringLiteral("It was night.\nThe lamp was lit."));
    }

    // A text file dropped on the main window becomes the text of a new sheet, named in the
    // properties dialog; cancelled, it leaves nothing behind.
    void aTextFileDroppedOnTheWindow() {
        addSheet(QStringLiteral("Chapter"));
        load();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        const QString dropped = m_dir->filePath(QStringLiteral("draft.TXT"));
        QVERIFY(ProjectFiles::write(dropped, "First line\nsecond line"));
        whenPropertiesShow(QStringLiteral("Draft"));
        m_main->WMDropFiles({dropped});
        QVERIFY(sheet(QStringLiteral("Draft")));
        QCOMPARE(ProjectFiles::read(textFile(QStringLiteral("Draft"))),
                 QByteArray("First line\r\nsecond line"));
        whenPropertiesShow(QString());
        m_main->WMDropFiles({dropped});
        QCOMPARE(m_main->desk().sheets().size(), 2);
        QCOMPARE(QDir(folder() + QStringLiteral("Text Files")).entryList(QDir::Files),
                 QStringList{QStringLiteral("Draft.txt")});
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // Closed by its user, the window frees its sheet at once and the menus follow.
    void closingFreesTheSheet() {
        addSheet(QStringLiteral("Chapter"), 0, {}, "Words");
        load();
        QPointer<TfmEditor> editor = open(QStringLiteral("Chapter"));
        QSignalSpy closed(&m_main->model().editors(), &EditorRegistry::editorClosed);
        QVERIFY(editor->close());
        QCOMPARE(closed.size(), 1);
        QVERIFY(!sheet(QStringLiteral("Chapter"))->isEditing());
        QCOMPARE(m_main->model().editors().editorOf(sheet(QStringLiteral("Chapter"))), nullptr);
        QTRY_VERIFY(editor.isNull());
    }

    // Closing never loses text: a text that cannot be written keeps its window open with the
    // text, and the main window with it.
    void aFailedSaveStopsTheClose() {
        addSheet(QStringLiteral("Chapter"), 0, {}, "Words");
        load();
        m_main->show();
        QPointer<TfmEditor> editor = open(QStringLiteral("Chapter"));
        QTest::keyClicks(editor->memo(), QStringLiteral("More "));
        // The text folder is gone and a file stands in its place.
        QVERIFY(QDir(folder() + QStringLiteral("Text Files")).removeRecursively());
        QVERIFY(ProjectFiles::write(folder() + QStringLiteral("Text Files"), "not a folder"));
        m_boxes->answer(Answer::Yes);
        QVERIFY(!m_main->close());
        QCOMPARE(m_boxes->texts(),
                 (QStringList{
                     QStringLiteral("Save changed contents of open edit windows?"),
                     QStringLiteral("Cannot write to the text file.\n\nText Files/Chapter.txt")}));
        QVERIFY(m_main->isVisible());
        QVERIFY(!editor.isNull());
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->memo()->toPlainText(), QStringLiteral("More Words"));
        QCOMPARE(editor->windowTitle(), QStringLiteral("Editing Kerfa: 'Chapter' *"));

        // The same when another project is to replace this one.
        m_boxes->answer(Answer::Yes);
        run("mnuNewProject");
        QVERIFY(!editor.isNull());
        QCOMPARE(m_main->project().projectFileName, QStringLiteral("Book.kerfa"));

        // Once the text can be written, closing saves it and goes on.
        QVERIFY(QFile::remove(folder() + QStringLiteral("Text Files")));
        m_boxes->answer(Answer::Yes);
        QVERIFY(m_main->close());
        QCOMPARE(ProjectFiles::read(textFile(QStringLiteral("Chapter"))), QByteArray("More Words"));
    }

    void wordCounts_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("message");
        // Chapter One -> Chapter Two (no text file) -> Chapter Three; an epilogue and a note
        // beside them. A number that ends a line is a word.
        QTest::newRow("chain") << "Chapter One"
                               << "Linked word count is 6";
        QTest::newRow("end of the chain") << "Chapter Three"
                                          << "'Chapter Three' Word count is 2";
        QTest::newRow("one sheet") << "Tom & Jerry"
                                   << "'Tom & Jerry' Word count is 4";
        QTest::newRow("every chapter") << QString() << "Chapter combined word count is 7";
    }
    void wordCounts() {
        QFETCH(QString, current);
        QFETCH(QString, message);
        addSheet(QStringLiteral("Chapter One"), 0, QStringLiteral("Chapter Two"),
                 "It was night 1\r\n");
        addSheet(QStringLiteral("Chapter Two"), 0, QStringLiteral("Chapter Three"));
        addSheet(QStringLiteral("Chapter Three"), 0, {}, "The end");
        addSheet(QStringLiteral("Epilogue"), 0, {}, "Last");
        addSheet(QStringLiteral("Tom & Jerry"), 3, {}, "Notes on the cat");
        load();
        m_main->desk().setCurrent(current.isEmpty() ? nullptr : sheet(current));
        run("mnuWordCount");
        QCOMPARE(m_boxes->texts(), QStringList{message});
    }

    // An open editor counts with what it holds, saved or not.
    void anOpenEditorCountsItsText() {
        addSheet(QStringLiteral("Chapter"), 0, {}, "Two words");
        load();
        TfmEditor* editor = open(QStringLiteral("Chapter"));
        QTest::keyClicks(editor->memo(), QStringLiteral("And three more "));
        m_main->desk().setCurrent(sheet(QStringLiteral("Chapter")));
        run("pmnuWordCount");
        QCOMPARE(m_boxes->texts(), QStringList{QStringLiteral("'Chapter' Word count is 5")});
    }

    void countingWithoutChaptersOrAnUnreadableText() {
        addSheet(QStringLiteral("A note"), 3, {}, "Words here");
        load();
        QVERIFY(command("mnuWordCount")->shortcut() == QKeySequence(Qt::Key_F9));
        run("mnuWordCount");
        QCOMPARE(m_boxes->texts(), QStringList{QStringLiteral("Chapter combined word count is 0")});
        // A text file that cannot be read stops the count with an error.
        m_boxes->shown.clear();
        QVERIFY(QFile::remove(textFile(QStringLiteral("A note"))));
        QVERIFY(QDir().mkpath(textFile(QStringLiteral("A note"))));
        m_main->desk().setCurrent(sheet(QStringLiteral("A note")));
        run("mnuWordCount");
        QCOMPARE(m_boxes->shown.size(), 1);
        QCOMPARE(m_boxes->shown[0].kind, MessageBoxes::Kind::Error);
        QVERIFY(m_boxes->shown[0].text.startsWith(QStringLiteral("'A note.txt' ")));
    }

    // Word Count needs a saved project with sheets.
    void wordCountIsEnabledWithSheets() {
        m_main = std::make_unique<TfmMain>();
        m_main->RefreshWindow();
        QVERIFY(!command("mnuWordCount")->isEnabled());
        addSheet(QStringLiteral("Chapter"));
        m_main.reset();
        load();
        m_main->RefreshWindow();
        QVERIFY(command("mnuWordCount")->isEnabled());
    }

    // The desk prints a closed sheet from its file and an open one from its window.
    void printFromTheDesk() {
        addSheet(QStringLiteral("Chapter"), 0, {}, "Saved words.");
        addSheet(QStringLiteral("Blank"));
        load();
        m_main->desk().setCurrent(sheet(QStringLiteral("Blank")));
        run("pmnuPrint");
        QCOMPARE(m_boxes->texts(),
                 QStringList{QStringLiteral("There is no content file to print.")});
        QVERIFY(m_printer->shown.isEmpty());

        QTemporaryDir out;
        m_printer->paths << out.filePath(QStringLiteral("closed.pdf"))
                         << out.filePath(QStringLiteral("open.pdf"));
        m_main->desk().setCurrent(sheet(QStringLiteral("Chapter")));
        run("pmnuPrint");
        QCOMPARE(PdfFile(out.filePath(QStringLiteral("closed.pdf"))).lines(1),
                 (QStringList{QStringLiteral("Chapter (1/1)"), QStringLiteral("Saved words.")}));
        TfmEditor* editor = open(QStringLiteral("Chapter"));
        QTest::keyClicks(editor->memo(), QStringLiteral("Unsaved. "));
        run("pmnuPrint");
        QCOMPARE(PdfFile(out.filePath(QStringLiteral("open.pdf"))).lines(1),
                 (QStringList{QStringLiteral("Chapter (1/1)"),
                              QStringLiteral("Unsaved. Saved words.")}));
    }

    // Every path that reads an open editor takes its text as typed: no-break spaces (plain and
    // narrow) stay, and a line broken with Shift+Enter is a line break. An open text gives what
    // the same text gives closed.
    void anOpenEditorKeepsEveryCharacter_data() {
        QTest::addColumn<QString>("path");
        for (const char* path : {"save", "count", "print", "snapshot", "recovery",
                                 "find and compile", "create", "export", "replace in book"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }
    void anOpenEditorKeepsEveryCharacter() {
        QFETCH(QString, path);
        const QString typed = QStringLiteral(
            "\u00AB\u00A0Bonjour\u00A0\u00BB, dit-elle. Quoi\u202F? 10\u00A0000\u2028mots.");
        const QByteArray bytes("\xC2\xAB\xC2\xA0"
                               "Bonjour\xC2\xA0\xC2\xBB, dit-elle. Quoi\xE2\x80\xAF? 10\xC2\xA0"
                               "000\r\nmots.");
        addSheet(QStringLiteral("Open"), 0, {}, "");
        addSheet(QStringLiteral("Closed"), 0, {}, bytes);
        load();
        TfmEditor* editor = open(QStringLiteral("Open"));
        editor->memo()->insertPlainText(typed);
        m_main->desk().setCurrent(sheet(QStringLiteral("Open")));
        MainModel& model = m_main->model();

        if (path == u"save") {
            QVERIFY(editor->SaveText());
            QCOMPARE(ProjectFiles::read(textFile(QStringLiteral("Open"))), bytes);
        } else if (path == u"count") {
            run("pmnuWordCount");
            m_main->desk().setCurrent(sheet(QStringLiteral("Closed")));
            run("pmnuWordCount");
            const QStringList counts = m_boxes->texts();
            QCOMPARE(counts.size(), 2);
            QCOMPARE(counts[0].section(u' ', -1), counts[1].section(u' ', -1));
        } else if (path == u"print") {
            // A long line of number groups: the printout wraps between groups, never inside one.
            const QString groups = QStringLiteral(" 10\u00A0000").repeated(40);
            editor->memo()->insertPlainText(groups);
            QVERIFY(
                ProjectFiles::write(textFile(QStringLiteral("Closed")), bytes + groups.toUtf8()));
            QTemporaryDir out;
            m_printer->paths << out.filePath(QStringLiteral("open.pdf"))
                             << out.filePath(QStringLiteral("closed.pdf"));
            run("pmnuPrint");
            m_main->desk().setCurrent(sheet(QStringLiteral("Closed")));
            run("pmnuPrint");
            const QStringList open = PdfFile(out.filePath(QStringLiteral("open.pdf"))).lines(1);
            QVERIFY(open.size() > 3); // the heading, the first line, the groups wrapped
            for (const QString& line : open)
                QVERIFY2(!line.endsWith(QStringLiteral(" 10")), qPrintable(line));
            QCOMPARE(open.mid(1),
                     PdfFile(out.filePath(QStringLiteral("closed.pdf"))).lines(1).mid(1));
        } else if (path == u"snapshot") {
            run("pmnuTakeSnapshot");
            const QList<SnapshotStore::Entry> taken =
                SnapshotStore(folder()).list(QStringLiteral("Open"));
            QCOMPARE(taken.size(), 1);
            QCOMPARE(ProjectFiles::read(taken[0].path), bytes);
        } else if (path == u"recovery") {
            const QString copy = RecoveryStore::copyPath(
                RecoveryStore(RecoveryStore::defaultRoot()).bookFolder(folder()) +
                    model.recovery().run().name() + u'/',
                QStringLiteral("Open"));
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 20000);
            QTRY_COMPARE(ProjectFiles::read(copy), bytes);
        } else if (path == u"find and compile") {
            QVERIFY(
                model.compileCommands().FindAndCompile(QStringLiteral("Quoi\u202F?"), true, true));
            QStringList found = model.compilation().names();
            found.sort();
            QCOMPARE(found, (QStringList{QStringLiteral("Closed"), QStringLiteral("Open")}));
            QVERIFY(!model.compileCommands().FindAndCompile(QStringLiteral("Quoi ?"), true, true));
        } else if (path == u"create" || path == u"export") {
            QVERIFY(model.compilation().add(QStringLiteral("Open")));
            if (path == u"create") {
                QCOMPARE(model.compileCommands().Create({false, true}),
                         CompileCommands::CreateResult::Created);
                QVERIFY(ProjectFiles::read(CompilationFile::path(folder())).contains(bytes));
            } else {
                const QString file = m_dir->filePath(QStringLiteral("Book.md"));
                QCOMPARE(
                    model.compileCommands().Export(file, ManuscriptExport::Format::Markdown, false),
                    CompileCommands::CreateResult::Created);
                const QByteArray written = ProjectFiles::read(file);
                QVERIFY2(written.contains(bytes.left(bytes.indexOf('\r'))), written.constData());
                QVERIFY(written.contains("\nmots."));
            }
        } else if (path == u"replace in book") {
            QCOMPARE(model.bookReplace().search(QStringLiteral("\u00A0000"), true, false).size(),
                     2);
            QCOMPARE(
                model.bookReplace().replace({true, true}, QStringLiteral("\u00A0001")).replaced, 2);
            QString after = typed;
            after.replace(QStringLiteral("\u00A0000"), QStringLiteral("\u00A0001"))
                .replace(QChar::LineSeparator, u'\n');
            QCOMPARE(MemoEdit::textOf(editor->memo()->document()), after);
            QCOMPARE(ProjectFiles::read(textFile(QStringLiteral("Closed"))),
                     QByteArray(bytes).replace("\xC2\xA0"
                                               "000",
                                               "\xC2\xA0"
                                               "001"));
        }
    }

    // A text file dropped on the window becomes a new sheet's text, saved with CR LF breaks.
    void aDroppedTextFillsANewSheet() {
        addSheet(QStringLiteral("New"));
        load();
        const QString dropped = m_dir->filePath(QStringLiteral("draft.txt"));
        QVERIFY(ProjectFiles::write(dropped, "First line\nsecond line"));
        QVERIFY(m_main->model().sheetTexts().fillFromDroppedFile(sheet(QStringLiteral("New")),
                                                                 dropped));
        QCOMPARE(ProjectFiles::read(textFile(QStringLiteral("New"))),
                 QByteArray("First line\r\nsecond line"));
        QVERIFY(!m_main->model().sheetTexts().fillFromDroppedFile(
            sheet(QStringLiteral("New")), m_dir->filePath(QStringLiteral("gone.txt"))));
        QCOMPARE(m_boxes->texts(), QStringList{QStringLiteral("'gone.txt' file does not exist.")});
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    WritingTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "WritingTest.moc"
