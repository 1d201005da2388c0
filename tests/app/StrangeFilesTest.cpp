#include "app/KerfaProgram.h"
#include "app/MainModel.h"
#include "app/SheetTextCommands.h"
#include "app/TfmMain.h"
#include "compile/BookReplace.h"
#include "compile/CompilationList.h"
#include "compile/CompileCommands.h"
#include "compile/WordCounts.h"
#include "desk/Desk.h"
#include "desk/SheetCommands.h"
#include "desk/TKerfa.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "project/ProjectCommands.h"
#include "project/SnapshotStore.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

// Files that are not what they seem, as the writer meets them through the program's commands.
// Symbolic links inside a book, where a sync client, an archive or another user may have left
// them: nothing Kerfa reads, writes or deletes goes through one. Each row puts one link in the
// book, gives one command, and checks what lies outside the book is as it was and what the
// writer was told. And what killed saves left behind, in the program folder.
class StrangeFilesTest : public QObject {
    Q_OBJECT

public:
    // Where the link is; each points at the folder "Outside/", or a file in it.
    enum class Link { TextFile, TextFolder, SheetSnapshots, SnapshotsFolder, InSheetSnapshots };
    // What the writer is told.
    enum class Told { Nothing, Linked, CannotWrite, BackupMade };

    struct Case {
        const char* name;
        Link link;
        std::function<void(StrangeFilesTest&)> command;
        Told told;
    };

    explicit StrangeFilesTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    // A print dialog fails the row: nothing from outside the book may reach the printer.
    std::unique_ptr<ScriptedPrintDialogs> m_printDialogs;
    std::unique_ptr<TfmMain> m_main;

    QString folder() const { return m_dir->path() + u"/Book/"_s; }
    QString outside() const { return m_dir->path() + u"/Outside/"_s; }
    MainModel& model() { return m_main->model(); }
    TKerfa* sheet(const QString& name) { return m_main->desk().findSheet(name); }
    QString textFile(const QString& name) const {
        return folder() + u"Text Files/"_s + name + u".txt"_s;
    }

    // Two sheets; the outside folder holds a text of One's name, Two's and a sheet's snapshots.
    void makeBook(Link link) {
        ProjectFiles::write(folder() + u"Novel.kerfa"_s, "[Workspace]\r\nSize=0\r\n");
        ProjectFiles::write(folder() + u"Kerfa Files/One.kfa"_s,
                            ProjectFiles::sheet(1, 0, 100, 100));
        ProjectFiles::write(folder() + u"Kerfa Files/Two.kfa"_s,
                            ProjectFiles::sheet(1, 0, 300, 100));
        ProjectFiles::write(outside() + u"One.txt"_s, "Outside words of somebody else.");
        ProjectFiles::write(outside() + u"Two.txt"_s, "Outside words too.");
        ProjectFiles::write(outside() + u"One/2026-01-01 10.00.00.000.txt"_s, "Outside snapshot.");
        ProjectFiles::write(outside() + u"2026-01-02 10.00.00.000.txt"_s, "Outside snapshot.");
        const QString out = QDir::cleanPath(outside());
        switch (link) {
        case Link::TextFile:
            QDir().mkpath(folder() + u"Text Files"_s);
            QFile::link(outside() + u"One.txt"_s, textFile(u"One"_s));
            ProjectFiles::write(textFile(u"Two"_s), "Two words.");
            break;
        case Link::TextFolder:
            QFile::link(out, folder() + u"Text Files"_s);
            break;
        case Link::SheetSnapshots:
            ProjectFiles::write(textFile(u"One"_s), "One's own words.");
            ProjectFiles::write(textFile(u"Two"_s), "Two words.");
            QDir().mkpath(folder() + u"Snapshots"_s);
            QFile::link(out, folder() + u"Snapshots/One"_s);
            break;
        case Link::SnapshotsFolder:
            ProjectFiles::write(textFile(u"One"_s), "One's own words.");
            ProjectFiles::write(textFile(u"Two"_s), "Two words.");
            QFile::link(out, folder() + u"Snapshots"_s);
            break;
        case Link::InSheetSnapshots:
            ProjectFiles::write(textFile(u"One"_s), "One's own words.");
            ProjectFiles::write(folder() + u"Snapshots/One/2026-01-03 10.00.00.000.txt"_s,
                                "One's own snapshot.");
            QFile::link(out, folder() + u"Snapshots/One/Elsewhere"_s);
            QFile::link(outside() + u"One.txt"_s,
                        folder() + u"Snapshots/One/2026-01-04 10.00.00.000.txt"_s);
            break;
        }
    }

    static QString linkedText(const QString& sheetName) {
        return u'\'' + sheetName + u"' "_s + Messages::text(Messages::LINKED_TEXT_FILE);
    }

public:
    static const std::vector<Case>& cases();

    // The commands, as the windows give them.
    void openEditor() {
        TfmEditor* editor = model().sheetTexts().OpenEditor(sheet(u"One"_s));
        QVERIFY(editor && QTest::qWaitForWindowExposed(editor));
        QVERIFY(editor->memo()->isReadOnly());
        QVERIFY(editor->memo()->toPlainText().isEmpty());
    }
    void print() { model().sheetTexts().PrintSheet(sheet(u"One"_s)); }
    void countWords() { QVERIFY(!model().wordCounts().countSheet(sheet(u"One"_s))); }
    void findAndCompile() {
        model().compileCommands().FindAndCompile(u"Outside"_s, false, true);
        QVERIFY(!model().compilation().names().contains(u"One"_s));
    }
    void createCompilation() {
        model().compilation().add(u"Two"_s);
        model().compilation().add(u"One"_s);
        QCOMPARE(model().compileCommands().Create({false, true}),
                 CompileCommands::CreateResult::Failed);
        QVERIFY(!ProjectFiles::read(textFile(u"Compilation"_s)).contains("Outside"));
    }
    void exportManuscript() {
        model().compilation().add(u"One"_s);
        const QString path = m_dir->path() + u"/Novel.md"_s;
        QCOMPARE(model().compileCommands().Export(path, ManuscriptExport::Format::Markdown, false),
                 CompileCommands::CreateResult::Failed);
        QVERIFY(!QFileInfo::exists(path));
    }
    void replaceInBook() {
        QVERIFY(model().bookReplace().search(u"Outside"_s, false, false).isEmpty());
    }
    void backup() {
        model().commands().BackupProject();
        QDirIterator it(m_env.programFolder() + u"Backups"_s, QDirIterator::Subdirectories);
        while (it.hasNext())
            QVERIFY2(!ProjectFiles::read(it.next()).contains("Outside"), qPrintable(it.filePath()));
    }
    void dropFile() {
        ProjectFiles::write(m_dir->path() + u"/Dropped.txt"_s, "Dropped words.");
        QVERIFY(!model().sheetTexts().fillFromDroppedFile(sheet(u"One"_s),
                                                          m_dir->path() + u"/Dropped.txt"_s));
    }
    void takeSnapshot() {
        m_main->desk().setCurrent(sheet(u"One"_s));
        m_main->RefreshWindow();
        m_main->findChild<QAction*>(u"pmnuTakeSnapshot"_s)->trigger();
    }
    void listSnapshots() { QVERIFY(SnapshotStore(folder()).list(u"One"_s).isEmpty()); }
    void listOwnSnapshot() {
        const QList<SnapshotStore::Entry> entries = SnapshotStore(folder()).list(u"One"_s);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(SnapshotStore::read(entries.first().path), u"One's own snapshot."_s);
        QVERIFY(!SnapshotStore::read(folder() + u"Snapshots/One/2026-01-04 10.00.00.000.txt"_s));
    }
    void deleteSheet() {
        m_boxes->answer(MessageBoxes::Answer::Yes);
        QVERIFY(model().sheetCommands().DeleteSheet(sheet(u"One"_s)));
        QVERIFY(!QFileInfo(folder() + u"Snapshots/One"_s).isSymLink());
    }

private Q_SLOTS:
    void initTestCase() { QDir().mkpath(m_env.programFolder() + u"Themes"_s); }
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_printDialogs = std::make_unique<ScriptedPrintDialogs>();
        m_main = std::make_unique<TfmMain>();
        m_main->resize(900, 700);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void cleanup() {
        m_main.reset();
        m_printDialogs.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    // A killed save's temporary file, as large as what it saved, is gone at the next start; a
    // save in progress (its file locked) and files of other names stay.
    void leftoversInTheProgramFolderGoAtStart() {
        const QString program = m_env.programFolder();
        const QStringList leftovers = {program + u".Kerfa.ini.kerfa-save-a1b2c3"_s,
                                       program + u"Spelling/.Custom.adu.kerfa-save-d4e5f6"_s,
                                       program + u"Themes/.Book.ini.kerfa-save-g7h8i9"_s};
        const QStringList kept = {program + u"Spelling/Custom.adu.kerfa-save"_s,
                                  program + u"Spelling/.Custom.adu.kerfa-save-toolong1"_s};
        for (const QString& path : leftovers + kept)
            QVERIFY(ProjectFiles::write(path, "half a file"));
        m_main.reset();
        m_main = std::make_unique<TfmMain>();
        for (const QString& path : leftovers)
            QVERIFY2(!QFileInfo::exists(path), qPrintable(path));
        for (const QString& path : kept)
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    }

    void nothingGoesThroughALink_data() {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < cases().size(); ++i)
            QTest::newRow(cases()[i].name) << int(i);
    }
    void nothingGoesThroughALink() {
        QFETCH(int, row);
        const Case& c = cases()[std::size_t(row)];
        makeBook(c.link);
        QVERIFY(m_main->LoadProject(folder() + u"Novel.kerfa"_s));
        const QMap<QString, QByteArray> before = ProjectFiles::snapshot(outside());
        m_boxes->shown.clear();

        c.command(*this);
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(ProjectFiles::snapshot(outside()), before);
        // Questions asked on the way (delete the text file too?) tell nothing.
        QStringList told;
        for (const ScriptedMessageBoxes::Shown& box : std::as_const(m_boxes->shown))
            if (box.kind != MessageBoxes::Kind::Confirmation)
                told << box.text;
        switch (c.told) {
        case Told::Nothing:
            QCOMPARE(told, QStringList());
            break;
        case Told::Linked:
            QCOMPARE(told.size(), 1);
            QVERIFY2(told.first().startsWith(linkedText(u"One"_s)), qPrintable(told.first()));
            break;
        case Told::CannotWrite:
            QCOMPARE(told, QStringList{Messages::text(Messages::CANNOT_WRITE_FILE)});
            break;
        case Told::BackupMade:
            QCOMPARE(told, QStringList{Messages::text(Messages::BACKUP_OK)});
            break;
        }
    }
};

const std::vector<StrangeFilesTest::Case>& StrangeFilesTest::cases() {
    using T = StrangeFilesTest;
    static const std::vector<Case> all = {
        {"open the editor, text file a link", Link::TextFile, &T::openEditor, Told::Linked},
        {"open the editor, text folder a link", Link::TextFolder, &T::openEditor, Told::Linked},
        {"print", Link::TextFile, &T::print, Told::Linked},
        {"word count", Link::TextFile, &T::countWords, Told::Linked},
        {"find and compile", Link::TextFile, &T::findAndCompile, Told::Linked},
        {"create the compilation", Link::TextFile, &T::createCompilation, Told::Linked},
        {"export", Link::TextFile, &T::exportManuscript, Told::Linked},
        {"replace in book", Link::TextFile, &T::replaceInBook, Told::Nothing},
        {"backup, text file a link", Link::TextFile, &T::backup, Told::BackupMade},
        {"backup, sheet's snapshots a link", Link::SheetSnapshots, &T::backup, Told::BackupMade},
        {"fill from a dropped file, text folder a link", Link::TextFolder, &T::dropFile,
         Told::CannotWrite},
        {"take a snapshot, sheet's snapshots a link", Link::SheetSnapshots, &T::takeSnapshot,
         Told::CannotWrite},
        {"take a snapshot, snapshots folder a link", Link::SnapshotsFolder, &T::takeSnapshot,
         Told::CannotWrite},
        {"list snapshots, sheet's snapshots a link", Link::SheetSnapshots, &T::listSnapshots,
         Told::Nothing},
        {"list snapshots, snapshots folder a link", Link::SnapshotsFolder, &T::listSnapshots,
         Told::Nothing},
        {"delete the sheet, sheet's snapshots a link", Link::SheetSnapshots, &T::deleteSheet,
         Told::Nothing},
        {"delete the sheet, snapshots folder a link", Link::SnapshotsFolder, &T::deleteSheet,
         Told::Nothing},
        {"delete the sheet, text folder a link", Link::TextFolder, &T::deleteSheet, Told::Nothing},
        {"delete the sheet, links in its snapshots", Link::InSheetSnapshots, &T::deleteSheet,
         Told::Nothing},
        {"list snapshots, a snapshot a link", Link::InSheetSnapshots, &T::listOwnSnapshot,
         Told::Nothing},
    };
    return all;
}

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    StrangeFilesTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "StrangeFilesTest.moc"
