#include "app/KerfaProgram.h"
#include "app/MainCommands.h"
#include "app/TMRUFiles.h"
#include "app/TfmMain.h"
#include "common/IniFile.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/EditorRegistry.h"
#include "editor/TfmEditor.h"
#include "language/Captions.h"
#include "language/FormCaptions.h"
#include "language/Messages.h"
#include "platform/FileTypes.h"
#include "project/ProjectCommands.h"
#include "support/FullDisk.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"
#include "themes/Theme.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class MainWindowTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<ScriptedFileDialogs> m_dialogs;

    QString settingsPath() const { return m_env.programFolder() + QStringLiteral("Kerfa.ini"); }
    QString makeProject(const QString& name) {
        const QString path = m_dir->path() + u'/' + name + QStringLiteral(".kerfa");
        ProjectFiles::write(path, "[Workspace]\r\nSize=0\r\n");
        ProjectFiles::write(m_dir->path() + QStringLiteral("/Kerfa Files/Sheet.kfa"),
                            ProjectFiles::sheet(0, 0, 100, 100));
        return path;
    }

public:
    explicit MainWindowTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void init() {
        QDir(m_env.programFolder()).removeRecursively();
        QDir().mkpath(m_env.programFolder() + QStringLiteral("Themes"));
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_dialogs = std::make_unique<ScriptedFileDialogs>();
    }
    void cleanup() {
        m_dialogs.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void startsUnnamedOnTheBuiltInTheme() {
        TfmMain main;
        QCOMPARE(main.windowTitle(), QStringLiteral("Kerfa Book: 'unnamed'"));
        QVERIFY(!main.theme().isLoaded());
        QCOMPARE(main.theme().data().typeNames.size(), 12);
        QCOMPARE(main.theme().data().typeNames.mid(0, 8).count(QString()), 0);
        QCOMPARE(main.theme().data().stateMarkers.mid(0, 3),
                 (QStringList{QStringLiteral("*"), QStringLiteral("(R)"), QStringLiteral("(C)")}));
        main.show();
        QVERIFY(main.imgFlash()->isVisible());
        QVERIFY(!main.findChild<QAction*>(QStringLiteral("mnuNewProject"))->isEnabled());
        QVERIFY(main.findChild<QAction*>(QStringLiteral("mnuSaveProjectAs"))->isEnabled());
        QVERIFY(!main.findChild<QAction*>(QStringLiteral("mnuSaveProject"))->isEnabled());
        // Opening a menu puts the splash picture away for good.
        Q_EMIT main.findChild<QMenu*>(QStringLiteral("mmnuHelp"))->aboutToShow();
        QVERIFY(!main.imgFlash()->isVisible());
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void startsOnTheDefaultThemeFile() {
        m_env.installFromBuild(QStringLiteral("Themes"));
        TfmMain main;
        QVERIFY(main.theme().isLoaded());
        QCOMPARE(main.windowTitle(), QStringLiteral("Kerfa Book: 'unnamed'"));
    }

    void caption_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("caption");
        QTest::newRow("built-in") << ""
                                  << "Novel.kerfa" << false << "Kerfa Book: 'Novel'";
        QTest::newRow("modified") << ""
                                  << "Novel.kerfa" << true << "Kerfa Book: 'Novel' *";
        QTest::newRow("theme file") << "Screenplay.ini"
                                    << "Novel.kerfa" << false << "Kerfa Screenplay: 'Novel'";
        QTest::newRow("theme file, modified")
            << "Screenplay.ini"
            << "Novel.kerfa" << true << "Kerfa Screenplay: 'Novel' *";
        QTest::newRow("long name") << "" << QString(60, u'x') + ".kerfa" << false
                                   << "Kerfa Book: '" + QString(50, u'x') + "...'";
        QTest::newRow("extension in capitals")
            << ""
            << "Novel.KERFA" << false << "Kerfa Book: 'Novel.KERFA'";
    }
    void caption() {
        QFETCH(QString, theme);
        QFETCH(QString, fileName);
        QFETCH(bool, modified);
        QFETCH(QString, caption);
        TfmMain main;
        if (!theme.isEmpty())
            main.model().commands().useTheme(theme);
        main.project().projectFileName = fileName;
        main.project().modified = modified;
        main.RefreshWindow();
        QCOMPARE(main.windowTitle(), caption);
    }

    void themeNamesReachTheWindow() {
        QVERIFY(ProjectFiles::write(m_env.programFolder() + QStringLiteral("Themes/Names.ini"),
                                    "[States]\r\nDescription=&Stage\r\nState_01=  Rewrite  \r\n"));
        TfmMain main;
        main.model().commands().useTheme(QStringLiteral("Names.ini"));
        QCOMPARE(main.findChild<QMenu*>(QStringLiteral("pmnuStateTitle"))->title(),
                 QStringLiteral("&Stage"));
        QCOMPARE(main.findChild<QAction*>(QStringLiteral("pmnuState1"))->text(),
                 QStringLiteral("Rewrite"));
        QCOMPARE(main.windowTitle(), QStringLiteral("Kerfa Book: 'unnamed'"));
        main.RefreshWindow();
        QCOMPARE(main.windowTitle(), QStringLiteral("Kerfa Names: 'unnamed'"));
    }

    void aThemeThatFailsResetsTheDefaultTheme() {
        QVERIFY(ProjectFiles::write(m_env.programFolder() + QStringLiteral("Themes/Bad.ini"),
                                    "[Icons]\r\nIcon_00=broken.bmp\r\n"));
        QVERIFY(ProjectFiles::write(
            m_env.programFolder() + QStringLiteral("Themes/Book Icons/broken.bmp"), "BM"));
        QVERIFY(ProjectFiles::write(settingsPath(), "[Application]\r\nDefaultTheme=Bad.ini\r\n"));
        TfmMain main;
        QVERIFY(!main.theme().isLoaded());
        QCOMPARE(main.settings().defaultTheme, QStringLiteral("Book.ini"));
        QCOMPARE(main.project().projectTheme, QStringLiteral("Book.ini"));
    }

    void menusComeFromTheCommandTable() {
        TfmMain main;
        int commands = 0;
        for (const MainCommands::Row& row : MainCommands::rows()) {
            if (!row.name)
                continue;
            const QString name = QString::fromLatin1(row.name);
            auto* menu = main.findChild<QMenu*>(name);
            auto* action = main.findChild<QAction*>(name);
            QVERIFY2(menu || action, row.name);
            const QString text = menu ? menu->title() : action->text();
            // The theme names the revision states; the captions table everything else.
            if (!name.startsWith(QLatin1String("pmnuState")))
                QCOMPARE(text, Captions::text(u"fmMain", name));
            if (!action)
                continue;
            ++commands;
            const bool shortcut = row.shortcut.key() != Qt::Key_unknown;
            QCOMPARE(action->shortcut(), shortcut ? QKeySequence(row.shortcut) : QKeySequence());
            // A command without a handler is not built yet: shown, never enabled.
            if (!row.handler)
                QVERIFY2(!action->isEnabled(), row.name);
        }
        QCOMPARE(commands, 38);
        QCOMPARE(main.findChild<QMenu*>(QStringLiteral("pmnuKerfa"))->defaultAction()->objectName(),
                 QStringLiteral("pmnuEdit"));
    }

    void aLanguageFileCaptionReachesEveryItemItNames() {
        TfmMain main;
        Captions::setFromLanguage(u"Project.Tools", u"MN02", QStringLiteral("&Wortzahl"));
        FormCaptions::apply(&main);
        Captions::reset();
        QCOMPARE(main.findChild<QAction*>(QStringLiteral("mnuWordCount"))->text(),
                 QStringLiteral("&Wortzahl"));
        QCOMPARE(main.findChild<QAction*>(QStringLiteral("pmnuWordCount"))->text(),
                 QStringLiteral("&Wortzahl"));
        QCOMPARE(main.findChild<QAction*>(QStringLiteral("mnuCompile"))->text(),
                 QStringLiteral("&Compile..."));
    }

    void settingsRoundTrip() {
        {
            TfmMain main;
            main.settings().language = QStringLiteral("Deutsch.ini");
            main.settings().autoSave = true;
            main.settings().autoSaveInterval = 5;
            main.settings().editMemory = AppSettings::RememberAll;
            main.settings().fontSize = 14;
            main.move(120, 80);
            main.resize(640, 420);
            main.SaveSettings();
        }
        TfmMain main;
        QCOMPARE(main.settings().language, QStringLiteral("Deutsch.ini"));
        QVERIFY(main.settings().autoSave);
        QCOMPARE(main.settings().autoSaveInterval, 5);
        QCOMPARE(main.settings().editMemory, int(AppSettings::RememberAll));
        QCOMPARE(main.settings().fontSize, 14);
        QCOMPARE(main.size(), QSize(640, 420));
        QCOMPARE(main.pos(), QPoint(120, 80));
    }

    void settingsEdgeCases() {
        QVERIFY(ProjectFiles::write(
            settingsPath(), "[Application]\r\nEditMemory=5\r\nSaveWindowPos=0\r\n"
                            "[Editor]\r\nFont Name=Courier\r\nFont Size=9\r\nFontName=Gentium\r\n"
                            "[AppWindow]\r\nTop=11\r\nLeft=22\r\nWidth=333\r\nHeight=444\r\n"
                            "[Custom]\r\nKeep=me\r\n"));
        TfmMain main;
        QCOMPARE(main.settings().editMemory, int(AppSettings::None));
        QCOMPARE(main.settings().fontName, QStringLiteral("Gentium"));
        QVERIFY(main.size() != QSize(333, 444));
        main.resize(500, 400);
        main.SaveSettings();
        const IniFile saved(settingsPath());
        QCOMPARE(saved.readInteger(u"Application", u"EditMemory", -1), 2);
        QVERIFY(!saved.valueExists(u"Editor", u"Font Name"));
        QVERIFY(!saved.valueExists(u"Editor", u"Font Size"));
        QCOMPARE(saved.readString(u"Editor", u"FontName"), QStringLiteral("Gentium"));
        // The window's bounds are written even when they are not used at start.
        QCOMPARE(saved.readInteger(u"AppWindow", u"Width", 0), 500);
        QCOMPARE(saved.readString(u"Custom", u"Keep"), QStringLiteral("me"));
    }

    void maximisedWindowLeavesItsBoundsAlone() {
        QVERIFY(ProjectFiles::write(
            settingsPath(), "[AppWindow]\r\nTop=11\r\nLeft=22\r\nWidth=333\r\nHeight=444\r\n"));
        TfmMain main;
        main.showMaximized();
        QVERIFY(main.isMaximized());
        main.SaveSettings();
        const IniFile saved(settingsPath());
        QCOMPARE(saved.readInteger(u"AppWindow", u"Width", 0), 333);
        QCOMPARE(saved.readInteger(u"AppWindow", u"Top", 0), 11);
    }

    void editorFontDefaultIsAnInstalledFace() {
        TfmMain main;
        const QString font = main.settings().fontName;
        QVERIFY(!font.isEmpty());
        QVERIFY2(QFontDatabase::families().contains(font, Qt::CaseInsensitive), qPrintable(font));
        if (QFontDatabase::families().contains(QStringLiteral("Georgia")))
            QCOMPARE(font, QStringLiteral("Georgia"));
    }

    void workspaceSizes() {
        TfmMain main;
        const QSize screen = QGuiApplication::primaryScreen()->size();
        main.project().workspaceSize = ProjectState::Quadruple;
        main.SizeWorkspace();
        QCOMPARE(main.desk().extent(), screen * 4);
        main.project().workspaceSize = ProjectState::Double;
        main.SizeWorkspace();
        QCOMPARE(main.desk().extent(), screen * 2);
        main.project().workspaceSize = ProjectState::Normal;
        main.SizeWorkspace();
        QVERIFY(main.desk().extent().width() <= screen.width() + 4);
        QVERIFY(main.desk().extent().width() > screen.width() - 50);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<QString>("message");
        QTest::newRow("none") << QStringList{} << true << "";
        QTest::newRow("two") << QStringList{"a.kerfa", "b.kerfa"} << false
                             << Messages::text(Messages::ONLY_ONE_FILE);
        QTest::newRow("missing project")
            << QStringList{"/nowhere/Lost.kerfa"} << false << "'Lost.kerfa' file does not exist.";
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, runs);
        QFETCH(QString, message);
        KerfaProgram program;
        QCOMPARE(program.start(arguments) == KerfaProgram::Start::Run, runs);
        QCOMPARE(m_boxes->texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (arguments.size() > 1)
            QVERIFY(!program.fmMain()->isVisible());
        else
            QVERIFY(program.fmMain()->isVisible());
    }

    // A file that took the extension but is no project ends the start as a wrong extension does,
    // and nothing is written into it or beside it.
    void commandLineRefusesAFileThatIsNoProject() {
        const QString path = m_dir->path() + QStringLiteral("/Garbage.kerfa");
        QByteArray garbage(3000, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 7919 + 13) % 251);
        QVERIFY(ProjectFiles::write(path, garbage));
        const auto before = ProjectFiles::snapshot(m_dir->path());
        KerfaProgram program;
        QVERIFY(program.start({path}) == KerfaProgram::Start::EndAtOnce);
        QCOMPARE(m_boxes->texts(),
                 QStringList{QStringLiteral(
                     "'Garbage.kerfa' is not a Kerfa project file, or cannot be read.")});
        QCOMPARE(ProjectFiles::snapshot(m_dir->path()), before);
        QVERIFY(QDir(m_dir->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }

    void commandLineOpensTheProject() {
        const QString path = makeProject(QStringLiteral("Novel"));
        KerfaProgram program;
        QVERIFY(program.start({path}) == KerfaProgram::Start::Run);
        QCOMPARE(program.fmMain()->windowTitle(), QStringLiteral("Kerfa Book: 'Novel'"));
        QCOMPARE(program.fmMain()->desk().sheets().size(), 1);
        QVERIFY(!program.fmMain()->imgFlash()->isVisible());
        QCOMPARE(program.fmMain()->recentFiles().entries(), QStringList{path});
    }

    void aCloseDuringALoadWaitsForTheWholeDesk() {
        const QString path = makeProject(QStringLiteral("Long"));
        for (int i = 0; i < 80; ++i)
            ProjectFiles::write(m_dir->path() + QStringLiteral("/Kerfa Files/Sheet %1.kfa").arg(i),
                                ProjectFiles::sheet(0, 0, 10 * i, 100));
        TfmMain main;
        main.show();
        // The window system's close arrives between two steps of the load.
        qsizetype sheetsAtClose = -1;
        connect(&main.model().commands(), &ProjectCommands::loadProgress, this,
                [&](qsizetype done, qsizetype total) {
                    if (sheetsAtClose < 0 && done > total / 2) {
                        sheetsAtClose = main.desk().sheets().size();
                        QVERIFY(!main.close());
                    }
                });
        QVERIFY(main.LoadProject(path));
        QVERIFY(sheetsAtClose > 0 && sheetsAtClose < 81);
        QVERIFY(main.isVisible());
        QCOMPARE(main.desk().sheets().size(), 81);
        QTRY_VERIFY(!main.isVisible());
        QVERIFY(main.desk().sheets().isEmpty());
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void droppedFiles_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("message");
        QTest::newRow("two files")
            << QStringList{"a.txt", "b.kerfa"} << Messages::text(Messages::ONLY_ONE_FILE);
        QTest::newRow("sheet file")
            << QStringList{"x.kfa"} << Messages::text(Messages::KERFAS_DONT_OPEN);
        QTest::newRow("text on an unsaved project")
            << QStringList{"Notes.TXT"} << "Please save your project before auto-creating kerfas.";
        QTest::newRow("other kind")
            << QStringList{"cover.png"} << Messages::text(Messages::NOT_TEXT_FILE);
    }
    void droppedFiles() {
        QFETCH(QStringList, files);
        QFETCH(QString, message);
        TfmMain main;
        main.show();
        main.WMDropFiles(files);
        QCOMPARE(m_boxes->texts(), QStringList{message});
        QVERIFY(!main.imgFlash()->isVisible());
        QVERIFY(main.project().isUnnamed());
        QVERIFY(main.desk().sheets().isEmpty());
    }

    void droppedProjectAsksFirst() {
        const QString path = makeProject(QStringLiteral("Dropped"));
        TfmMain main;
        main.project().modified = true;
        m_boxes->answer(MessageBoxes::Answer::Cancel);
        main.WMDropFiles({path});
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::SAVE_PROJECT)});
        QVERIFY(main.project().isUnnamed());

        m_boxes->answer(MessageBoxes::Answer::No);
        main.WMDropFiles({path});
        QCOMPARE(main.project().projectFileName, QStringLiteral("Dropped.kerfa"));
    }

    void closingAModifiedUnnamedProjectRunsSaveAs() {
        TfmMain main;
        main.show();
        main.project().modified = true;
        m_boxes->answer(MessageBoxes::Answer::Yes);
        m_dialogs->paths << QString();
        QVERIFY(!main.close());
        QVERIFY(main.isVisible());
        QCOMPARE(m_dialogs->titles, QStringList{QStringLiteral("Save Project To Folder As")});

        // Saved under a name, the project is on disk and the window may close.
        m_boxes->answer(MessageBoxes::Answer::Yes);
        m_dialogs->paths << m_dir->path() + QStringLiteral("/First Book");
        QVERIFY(!main.close());
        QCOMPARE(main.project().projectFileName, QStringLiteral("First Book.kerfa"));
        QVERIFY(main.project().onDisk);
        QVERIFY(QFile::exists(m_dir->path() + QStringLiteral("/First Book.kerfa")));
        QVERIFY(main.close());
        QVERIFY(QFile::exists(settingsPath()));
    }

    void newOnAModifiedUnnamedProjectRunsSaveAsAndKeepsIt() {
        TfmMain main;
        main.project().modified = true;
        main.RefreshWindow();
        m_boxes->answer(MessageBoxes::Answer::Yes);
        m_dialogs->paths << QString();
        QMetaObject::invokeMethod(&main, "mnuNewProjectClick");
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::SAVE_PROJECT)});
        QCOMPARE(m_dialogs->titles, QStringList{QStringLiteral("Save Project To Folder As")});
        QVERIFY(main.project().modified);
        QVERIFY(main.project().isUnnamed());
        QCOMPARE(main.windowTitle(), QStringLiteral("Kerfa Book: 'unnamed' *"));
    }

    void aFailedSaveAsLeavesTheProjectUnnamed() {
        TfmMain main;
        main.project().modified = true;
        main.RefreshWindow();
        // A folder that cannot be made: its parent is a regular file.
        QVERIFY(ProjectFiles::write(m_dir->path() + QStringLiteral("/notes"), "a file"));
        m_dialogs->paths << m_dir->path() + QStringLiteral("/notes/Book.kerfa");
        QMetaObject::invokeMethod(&main, "mnuSaveProjectAsClick");
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::ERROR_WRITING_PROJECT)});
        QVERIFY(main.project().isUnnamed());
        QVERIFY(main.project().projectFolder.isEmpty());
        QVERIFY(main.project().modified);
        QVERIFY(!main.project().onDisk);
        QCOMPARE(main.windowTitle(), QStringLiteral("Kerfa Book: 'unnamed' *"));
        QVERIFY(main.findChild<QAction*>(QStringLiteral("mnuSaveProjectAs"))->isEnabled());
        QVERIFY(!main.findChild<QAction*>(QStringLiteral("mnuSaveProject"))->isEnabled());
        QVERIFY(!main.findChild<QAction*>(QStringLiteral("mnuBackupProject"))->isEnabled());

        // Saved elsewhere, it is on disk under its name.
        m_dialogs->paths << m_dir->path() + QStringLiteral("/Book");
        QMetaObject::invokeMethod(&main, "mnuSaveProjectAsClick");
        QCOMPARE(main.project().projectFileName, QStringLiteral("Book.kerfa"));
        QVERIFY(main.project().onDisk && !main.project().modified);
        QVERIFY(QDir(m_dir->path() + QStringLiteral("/Kerfa Files")).exists());
    }

    void saveAsRefusesTheNameUnnamed() {
        TfmMain main;
        m_dialogs->paths << m_dir->path() + QStringLiteral("/UNNAMED.kerfa");
        QMetaObject::invokeMethod(&main, "mnuSaveProjectAsClick");
        QCOMPARE(m_boxes->texts(),
                 QStringList{QStringLiteral("Please enter a unique name for the project.")});
        QVERIFY(!QFile::exists(m_dir->path() + QStringLiteral("/UNNAMED.kerfa")));
    }

    // A name with a dot in it still gets the extension, so that Open lists the file; a file of
    // the completed name is replaced only when the writer agrees.
    void saveAsCompletesTheExtension_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("replace");
        QTest::newRow("a dot and a blank") << "Mrs. Dalloway"
                                           << "Mrs. Dalloway.kerfa" << false << false;
        QTest::newRow("a number after the dot") << "Vol. 2"
                                                << "Vol. 2.kerfa" << false << false;
        QTest::newRow("another extension") << "notes.txt"
                                           << "notes.txt.kerfa" << false << false;
        QTest::newRow("the extension in capitals") << "Novel.KERFA"
                                                   << "Novel.KERFA" << false << false;
        QTest::newRow("completed name taken, kept") << "Vol. 2"
                                                    << "Vol. 2.kerfa" << true << false;
        QTest::newRow("completed name taken, replaced") << "Vol. 2"
                                                        << "Vol. 2.kerfa" << true << true;
    }
    void saveAsCompletesTheExtension() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(bool, exists);
        QFETCH(bool, replace);
        const QString target = m_dir->path() + u'/' + written;
        const QByteArray before = "[Workspace]\r\nSize=2\r\n";
        if (exists) {
            QVERIFY(ProjectFiles::write(target, before));
            m_boxes->answer(replace ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        }
        TfmMain main;
        m_dialogs->paths << m_dir->path() + u'/' + chosen;
        QMetaObject::invokeMethod(&main, "mnuSaveProjectAsClick");
        QCOMPARE(
            m_boxes->texts(),
            exists ? QStringList{u'\'' + written + QStringLiteral("' already exists. Replace it?")}
                   : QStringList{});
        if (exists && !replace) {
            QCOMPARE(ProjectFiles::read(target), before);
            QVERIFY(main.project().isUnnamed());
            return;
        }
        QCOMPARE(main.project().projectFileName, written);
        QVERIFY(ProjectFiles::read(target).contains("[Theme]"));
        if (written != chosen)
            QVERIFY(!QFileInfo::exists(m_dir->path() + u'/' + chosen));
        // Open finds it by the name it shows.
        QVERIFY(main.LoadProject(target));
    }

    void recentFiles() {
        TMRUFiles mru(nullptr);
        QMenu menu;
        QAction* open = menu.addAction(QStringLiteral("&Open..."));
        QAction* save = menu.addAction(QStringLiteral("&Save"));
        mru.setMenuItem(&menu, open);
        QCOMPARE(menu.actions().size(), 2);
        for (int i = 1; i <= 6; ++i)
            mru.AddFile(QStringLiteral("/books/Book%1.kerfa").arg(i));
        mru.AddFile(QStringLiteral("/BOOKS/book3.KERFA"));
        QCOMPARE(mru.entries().size(), 5);
        QCOMPARE(mru.entries().front(), QStringLiteral("/BOOKS/book3.KERFA"));
        QCOMPARE(mru.entries().count(QStringLiteral("/books/Book3.kerfa")), 0);
        mru.AddFile(QStringLiteral("/books/Fish & Chips.kerfa"));
        QCOMPARE(mru.captionOf(0), QStringLiteral("&1 Fish && Chips.kerfa"));
        // Anchor, separator, five entries, then the item that followed the anchor.
        QCOMPARE(menu.actions().size(), 8);
        QVERIFY(menu.actions()[1]->isSeparator());
        QCOMPARE(menu.actions().back(), save);

        // Whole paths, unnumbered; fewer entries drop the oldest.
        mru.setFullPath(true);
        mru.setNumbered(false);
        QCOMPARE(mru.captionOf(0), QStringLiteral("/books/Fish && Chips.kerfa"));
        mru.setMaxEntries(2);
        QCOMPARE(mru.entries().size(), 2);
        QCOMPARE(menu.actions().size(), 5);
        QCOMPARE(menu.actions()[3]->text(), QStringLiteral("/BOOKS/book3.KERFA"));

        const QString ini = m_dir->path() + QStringLiteral("/mru.ini");
        ProjectFiles::write(
            ini,
            "[MRUList]\r\n1=/a.kerfa\r\n2=/A.KERFA\r\n3=/b.kerfa\r\n5=/c.kerfa\r\n6=/d.kerfa\r\n");
        mru.setMaxEntries(5);
        mru.LoadFromIni(ini, QStringLiteral("MRUList"));
        QCOMPARE(mru.entries(),
                 (QStringList{QStringLiteral("/a.kerfa"), QStringLiteral("/b.kerfa")}));
        mru.SaveToIni(ini, QStringLiteral("MRUList"));
        QCOMPARE(IniFile(ini).keys(u"MRUList"),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    }

    void recentProjectsFromTheSettings_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("none") << QByteArray() << QStringList{};
        QTest::newRow("reading stops at the first gap")
            << QByteArray("1=/a.kerfa\r\n2=/b.kerfa\r\n4=/d.kerfa\r\n")
            << QStringList{QStringLiteral("/a.kerfa"), QStringLiteral("/b.kerfa")};
        QTest::newRow("a duplicate once")
            << QByteArray("1=/a.kerfa\r\n2=/A.Kerfa\r\n3=/c.kerfa\r\n")
            << QStringList{QStringLiteral("/a.kerfa"), QStringLiteral("/c.kerfa")};
    }
    // The File menu reads Open..., a separator and the entries only when there are entries;
    // the designed separator follows.
    void recentProjectsFromTheSettings() {
        QFETCH(QByteArray, section);
        QFETCH(QStringList, entries);
        QVERIFY(ProjectFiles::write(settingsPath(), "[MRUList]\r\n" + section));
        TfmMain main;
        QCOMPARE(main.recentFiles().entries(), entries);
        const QList<QAction*> items = main.findChild<QMenu*>(QStringLiteral("mmnuFile"))->actions();
        const qsizetype open =
            items.indexOf(main.findChild<QAction*>(QStringLiteral("mnuOpenProject")));
        QVERIFY(items[open + 1]->isSeparator());
        if (entries.isEmpty()) {
            QCOMPARE(items[open + 2]->objectName(), QStringLiteral("mnuSaveProject"));
            return;
        }
        for (qsizetype i = 0; i < entries.size(); ++i)
            QCOMPARE(items[open + 2 + i]->text(),
                     QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(entries[i]).fileName()));
        QVERIFY(items[open + 2 + entries.size()]->isSeparator());
        QCOMPARE(items[open + 3 + entries.size()]->objectName(), QStringLiteral("mnuSaveProject"));
    }

    // A listed project that is gone is taken off the list and reported; the project open stays.
    void aRecentProjectThatIsGone() {
        const QString kept = makeProject(QStringLiteral("Kept"));
        const QString gone = m_dir->path() + QStringLiteral("/Gone.kerfa");
        TfmMain main;
        main.recentFiles().AddFile(gone);
        QVERIFY(main.LoadProject(kept));
        QCOMPARE(main.recentFiles().entries(), (QStringList{kept, gone}));
        main.findChild<QAction*>(QStringLiteral("mruEntry2"))->trigger();
        QCOMPARE(m_boxes->texts(),
                 QStringList{QStringLiteral("'Gone.kerfa' file does not exist.")});
        QCOMPARE(main.recentFiles().entries(), QStringList{kept});
        QCOMPARE(main.project().projectFileName, QStringLiteral("Kept.kerfa"));
        main.SaveSettings();
        QCOMPARE(IniFile(settingsPath()).keys(u"MRUList"), QStringList{QStringLiteral("1")});
    }

    void fileTypesAreRegisteredOnceAndFollowTheExecutable() {
        const QString entry = FileTypes::desktopEntryPath();
        QFile::remove(entry);
        FileTypes::registerFileTypes(QStringLiteral("/opt/kerfa/kerfa"), m_env.programFolder());
        QVERIFY(ProjectFiles::read(entry).contains("Exec=\"/opt/kerfa/kerfa\" %f\n"));
        QVERIFY(ProjectFiles::read(FileTypes::mimePackagePath()).contains("*.kerfa"));
        QVERIFY(ProjectFiles::read(FileTypes::mimePackagePath()).contains("*.kfa"));

        ProjectFiles::write(entry, ProjectFiles::read(entry) + "X-Custom=kept\n");
        FileTypes::registerFileTypes(QStringLiteral("/home/me/kerfa"), m_env.programFolder());
        const QByteArray moved = ProjectFiles::read(entry);
        QVERIFY(moved.contains("Exec=\"/home/me/kerfa\" %f\n"));
        QVERIFY(!moved.contains("/opt/kerfa"));
        QVERIFY(moved.contains("X-Custom=kept\n"));
    }

    // Files without a message of their own: one warning names the file, and the old file stays.
    void settingsThatCannotBeSavedAreReported() {
        {
            TfmMain main;
            main.SaveSettings();
        }
        const QByteArray old = ProjectFiles::read(settingsPath());
        QVERIFY(old.size() > 16);
        TfmMain main;
        main.settings().autoSaveInterval = 7;
        {
            const FileSizeLimit limit(16);
            main.SaveSettings();
        }
        QCOMPARE(m_boxes->texts(), QStringList{u'\'' + settingsPath() + QStringLiteral("' ") +
                                               Messages::text(Messages::CANNOT_SAVE_FILE)});
        QCOMPARE(m_boxes->shown.front().kind, MessageBoxes::Kind::Warning);
        QCOMPARE(ProjectFiles::read(settingsPath()), old);
    }

    void aTextThatCannotBeSavedKeepsItsEditorAndStopsTheClose() {
        TfmMain main;
        QVERIFY(main.LoadProject(makeProject(QStringLiteral("Novel"))));
        TKerfa* sheet = main.desk().findSheet(QStringLiteral("Sheet"));
        QVERIFY(sheet);
        auto* editor = new TfmEditor(main.model().editorOptions());
        editor->setSheet(main.project().projectFolder, sheet->SheetName);
        main.model().editors().attach(sheet, editor);
        auto* memo = editor->findChild<QPlainTextEdit*>(QStringLiteral("memEditor"));
        memo->setPlainText(QStringLiteral("The only copy of the chapter."));
        memo->document()->setModified(true);
        // A folder where the text file should be makes the save fail.
        QVERIFY(QDir().mkpath(editor->textFilePath()));
        editor->show();

        m_boxes->answer(MessageBoxes::Answer::Yes);
        QVERIFY(main.model().commands().AskToSaveChanges() == ProjectCommands::AskResult::Cancel);
        QCOMPARE(m_boxes->texts(), (QStringList{Messages::text(Messages::SAVE_EDITORS),
                                                Messages::text(Messages::CANNOT_WRITE_FILE) +
                                                    QStringLiteral("\n\nText Files/Sheet.txt")}));
        QVERIFY(editor->isVisible());
        QVERIFY(editor->isModified());
    }

    void fileTypesThatCannotBeRegisteredAreReported() {
        QFile::remove(FileTypes::desktopEntryPath());
        QFile::remove(FileTypes::mimePackagePath());
        {
            const FileSizeLimit limit(16);
            const TfmMain main;
        }
        QCOMPARE(m_boxes->texts(),
                 QStringList{u'\'' + FileTypes::mimePackagePath() + QStringLiteral("' ") +
                             Messages::text(Messages::CANNOT_SAVE_FILE)});
        QVERIFY(!QFile::exists(FileTypes::desktopEntryPath()));
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    MainWindowTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
