#include "app/MainModel.h"
#include "desk/Desk.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "desk/TKerfaLine.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "project/ProjectWindowState.h"
#include "project/SheetReading.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"
#include "themes/Theme.h"

#include <QDir>
#include <QGraphicsScene>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QByteArray kProject =
    "[Workspace]\r\nBoldBaseType=1\r\nSize=0\r\n[Theme]\r\nName=Book.ini\r\n";

struct SheetSummary {
    QString name;
    int type;
    int state;
    QPoint position;
    QString description;
    QString linkTo;
    bool operator==(const SheetSummary&) const = default;
};

QList<SheetSummary> summary(Desk& desk) {
    QList<SheetSummary> result;
    for (const TKerfa* s : desk.sheets())
        result.append({s->SheetName, s->SheetType, s->State, QPoint(s->left(), s->top()),
                       s->Description, s->LinkTo ? s->LinkTo->SheetName : QString()});
    return result;
}

} // namespace

class ProjectTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<MainModel> m_model;

    QString folder() const { return m_dir->path() + QStringLiteral("/Book/"); }
    QString projectPath() const { return folder() + QStringLiteral("Novel.kerfa"); }
    void sheetFile(const QString& name, const QByteArray& bytes) {
        QVERIFY(ProjectFiles::write(
            folder() + QStringLiteral("Kerfa Files/") + name + QStringLiteral(".kfa"), bytes));
    }
    TKerfa* find(const QString& name) { return m_model->desk().findSheet(name); }
    bool load(const QString& path) { return m_model->commands().LoadProject(path); }
    bool save() { return m_model->commands().SaveProject(); }
    // The main window's caption for the project as it stands.
    QString caption() {
        return ProjectWindowState::captionOf(m_model->project(), m_model->theme().isLoaded());
    }

public:
    explicit ProjectTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() { m_env.installFromBuild(QStringLiteral("Themes")); }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_model = std::make_unique<MainModel>();
        // As the main window starts: a desk of screen size, the default theme.
        m_model->SizeWorkspace();
        m_model->commands().useTheme(QStringLiteral("Book.ini"));
        QVERIFY(ProjectFiles::write(projectPath(), kProject));
    }
    void cleanup() {
        m_model.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void sampleBookSavesAndReloadsIdentically() {
        const QString path = m_env.copySample(m_dir->path());
        const QString bookFolder = QFileInfo(path).absolutePath();
        const auto before = ProjectFiles::snapshot(bookFolder);
        QVERIFY(load(path));
        const QList<SheetSummary> loaded = summary(m_model->desk());
        QVERIFY(loaded.size() >= 12);
        QVERIFY(caption().startsWith(QStringLiteral("Kerfa Book: 'The Lighthouse Keeper'")));

        // Saving what was read changes not a byte.
        m_model->project().modified = true;
        QVERIFY(save());
        QCOMPARE(ProjectFiles::snapshot(bookFolder), before);

        // A change saved is a change reloaded, and nothing else moves.
        TKerfa* first = m_model->desk().sheets().front();
        first->setPosition(first->left() + 17, first->top() + 9);
        QVERIFY(save());
        const QList<SheetSummary> expected = summary(m_model->desk());
        QVERIFY(load(path));
        QCOMPARE(summary(m_model->desk()), expected);
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void pathWithoutExtensionOpensTheKerfaFile() {
        sheetFile(QStringLiteral("One"), ProjectFiles::sheet(0, 0, 100, 100));
        QVERIFY(load(folder() + QStringLiteral("Novel")));
        QCOMPARE(m_model->project().projectFileName, QStringLiteral("Novel.kerfa"));
        QCOMPARE(m_model->desk().sheets().size(), 1);
    }

    void refusedPathsLeaveTheOpenProjectAlone_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong extension") << "Novel.txt" << Messages::text(Messages::ONLY_PROJECTS);
        QTest::newRow("missing") << "Other.kerfa"
                                 << "'Other.kerfa' file does not exist.";
        QTest::newRow("missing, no extension") << "Other"
                                               << "'Other.kerfa' file does not exist.";
    }
    void refusedPathsLeaveTheOpenProjectAlone() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        sheetFile(QStringLiteral("One"), ProjectFiles::sheet(0, 0, 100, 100));
        QVERIFY(load(projectPath()));
        QVERIFY(!load(folder() + file));
        QCOMPARE(m_boxes->texts(), QStringList{message});
        QCOMPARE(m_model->project().projectFileName, QStringLiteral("Novel.kerfa"));
        QCOMPARE(m_model->desk().sheets().size(), 1);
    }

    // Only a file that can be a project opens; anything else that took the extension is refused
    // as a wrong extension is, and stays as it was, with nothing made beside it.
    void filesThatAreNoProjectAreRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("opens");
        QByteArray random(3000, '\0');
        for (int i = 0; i < random.size(); ++i)
            random[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("random bytes") << random << false;
        QTest::newRow("text without either section") << QByteArray("[Options]\r\nA=1\r\n") << false;
        QTest::newRow("a NUL byte beside the sections")
            << QByteArray("[Workspace]\r\nSize=0\r\n") + '\0' + QByteArray("\r\n") << false;
        QTest::newRow("beyond what an INI file is read to")
            << QByteArray("[Workspace]\r\n") + QByteArray("Size=0\r\n").repeated(30'000) << false;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("workspace in lower case") << QByteArray("[workspace]\r\nsize=1\r\n") << true;
        QTest::newRow("theme alone, in capitals")
            << QByteArray("[THEME]\r\nName=Book.ini\r\n") << true;
        QTest::newRow("Windows-1252")
            << QByteArray("; Entw\xFCrfe\r\n[Workspace]\r\nSize=0\r\n") << true;
    }
    void filesThatAreNoProjectAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, opens);
        sheetFile(QStringLiteral("One"), ProjectFiles::sheet(0, 0, 100, 100));
        QVERIFY(load(projectPath()));
        const QString other = m_dir->path() + QStringLiteral("/Other/");
        QVERIFY(ProjectFiles::write(other + QStringLiteral("Garbage.kerfa"), bytes));
        const auto before = ProjectFiles::snapshot(other);

        QCOMPARE(ProjectCommands::readEarly(other + QStringLiteral("Garbage.kerfa")) != nullptr,
                 opens);
        QCOMPARE(load(other + QStringLiteral("Garbage.kerfa")), opens);
        if (opens) {
            QVERIFY(m_boxes->shown.isEmpty());
            QCOMPARE(m_model->project().projectFileName, QStringLiteral("Garbage.kerfa"));
            return;
        }
        QCOMPARE(m_boxes->texts(),
                 QStringList{QStringLiteral(
                     "'Garbage.kerfa' is not a Kerfa project file, or cannot be read.")});
        QCOMPARE(m_model->project().projectFileName, QStringLiteral("Novel.kerfa"));
        QCOMPARE(m_model->desk().sheets().size(), 1);
        QCOMPARE(ProjectFiles::snapshot(other), before);
        QCOMPARE(QDir(other).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("Garbage.kerfa")});
    }

    void projectFileSettings() {
        QVERIFY(ProjectFiles::write(projectPath(), "[Workspace]\r\nSize=7\r\n"));
        QVERIFY(load(projectPath()));
        QCOMPARE(m_model->project().workspaceSize, 0);
        QCOMPARE(m_model->project().projectTheme, QStringLiteral("Book.ini"));
        QVERIFY(m_model->project().boldBaseType);
        QVERIFY(m_model->theme().isLoaded());
    }

    void sheetFilesAsRead() {
        sheetFile(QString(41, u'n'), ProjectFiles::sheet(0, 0, 100, 100));
        sheetFile(QString(40, u'f'), ProjectFiles::sheet(0, 0, 300, 100));
        sheetFile(QStringLiteral("Compilation"), ProjectFiles::sheet(-1, 0, 100, 300));
        sheetFile(QStringLiteral("Type0"), ProjectFiles::sheet(0, 1, 200, 300));
        sheetFile(QStringLiteral("Type11"), ProjectFiles::sheet(11, 0, 300, 300));
        sheetFile(QStringLiteral("Type12"), ProjectFiles::sheet(12, 0, 400, 300));
        sheetFile(QStringLiteral("State3"), ProjectFiles::sheet(2, 3, 500, 300));
        sheetFile(QStringLiteral("Garbled"), QByteArray("\x00\xff\xfe[[[=\x01\x02\r\n", 12));
        sheetFile(QStringLiteral("Described"),
                  ProjectFiles::sheet(1, 2, 600, 300, QStringLiteral("  ") + QString(300, u'd')));
        const auto before = ProjectFiles::snapshot(folder());

        QVERIFY(load(projectPath()));
        QCOMPARE(m_model->desk().sheets().size(), 8);
        QCOMPARE(find(QString(41, u'n')), nullptr);
        QVERIFY(find(QString(40, u'f')));
        QCOMPARE(int(find(QStringLiteral("Compilation"))->SheetType), 0);
        QCOMPARE(int(find(QStringLiteral("Type0"))->SheetType), 1);
        QCOMPARE(int(find(QStringLiteral("Type0"))->State), 1);
        QCOMPARE(int(find(QStringLiteral("Type11"))->SheetType), 12);
        QCOMPARE(int(find(QStringLiteral("Type12"))->SheetType), 1);
        // The Book theme names three states: a fourth reads as the first.
        QCOMPARE(int(find(QStringLiteral("State3"))->State), 0);
        QCOMPARE(find(QStringLiteral("Garbled"))->pos().toPoint(), QPoint(100, 100));
        TKerfa* described = find(QStringLiteral("Described"));
        QCOMPARE(described->Description, QString(255, u'd'));
        QCOMPARE(described->hint(), QString(50, u'd') + QStringLiteral("..."));
        QCOMPARE(described->nameLabel()->caption(), QStringLiteral("Described (C)"));
        QVERIFY(m_boxes->shown.isEmpty());
        QCOMPARE(ProjectFiles::snapshot(folder()), before);
    }

    void aSheetOnTheDeskKeepsItsPlaceAtTheEdges() {
        // A scene is smaller than a new sheet, and this name's label is wider than the scene.
        const QString name = QStringLiteral("A scene with a rather long name");
        sheetFile(name, ProjectFiles::sheet(1, 0, 500, 300));
        QVERIFY(load(projectPath()));
        const TKerfa* sheet = find(name);
        QVERIFY(sheet->width() < TKerfa::kNewSize && sheet->LabelOverhang > 0);
        const QSize desk = m_model->desk().extent();
        const QPoint inside(sheet->LabelOverhang + 2, 2);
        const QPoint outside(desk.width() - 3 - (sheet->width() + sheet->LabelOverhang),
                             desk.height() - (sheet->height() + sheet->LabelSpace));

        // At the right and bottom edges, as a drag leaves it: a load does not move it.
        sheetFile(name, ProjectFiles::sheet(1, 0, outside.x(), outside.y()));
        QVERIFY(load(projectPath()));
        QCOMPARE(find(name)->pos().toPoint(), outside);
        // Past the edges, it is brought inside them as it looks.
        sheetFile(name, ProjectFiles::sheet(1, 0, desk.width() + 50, desk.height() + 50));
        QVERIFY(load(projectPath()));
        QCOMPARE(find(name)->pos().toPoint(), outside);
        sheetFile(name, ProjectFiles::sheet(1, 0, -40, -40));
        QVERIFY(load(projectPath()));
        QCOMPARE(find(name)->pos().toPoint(), inside);
    }

    void aLoadReportsItsProgressToTheEnd() {
        for (int i = 0; i < 40; ++i)
            sheetFile(QStringLiteral("Sheet %1").arg(i), ProjectFiles::sheet(0, 0, 100, 100));
        ProjectCommands& commands = m_model->commands();
        using Step = std::pair<qsizetype, qsizetype>;
        QList<Step> steps;
        QList<bool> loading;
        connect(&commands, &ProjectCommands::loadProgress, this,
                [&](qsizetype done, qsizetype total) {
                    steps.append({done, total});
                    loading.append(commands.isLoading());
                });
        QVERIFY(load(projectPath()));
        // A read and a placing for each sheet, reported a few dozen at a time, while loading.
        QCOMPARE(steps.front(), Step(0, 80));
        QCOMPARE(steps.back(), Step(80, 80));
        QVERIFY(steps.size() > 2);
        for (qsizetype i = 1; i < steps.size(); ++i)
            QVERIFY(steps[i].first > steps[i - 1].first);
        QCOMPARE(loading.count(true), loading.size() - 1);
        QVERIFY(!commands.isLoading());

        // A load that leaves out an unreadable sheet ends its progress too.
        sheetFile(QStringLiteral("Sheet 39"), ProjectFiles::sheet(0, 9, 100, 100));
        steps.clear();
        QVERIFY(load(projectPath()));
        QCOMPARE(steps.back(), Step(80, 80));
        QVERIFY(!commands.isLoading());
    }

    void anUnreadableSheetIsLeftOutAndItsFilesLeftAlone_data() {
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QByteArray>("bytes");
        // Sheets are laid while the rest are read: an unreadable file last in desk order is met
        // once the sheets before it lie on the desk.
        QTest::newRow("state 7, first") << "Bad" << ProjectFiles::sheet(0, 7, 100, 100);
        QTest::newRow("state 9, last") << "Worse" << ProjectFiles::sheet(0, 9, 100, 100);
        QTest::newRow("state -1") << "Bad" << ProjectFiles::sheet(0, -1, 100, 100);
        QTest::newRow("over the reader's size")
            << "Bad" << ProjectFiles::sheet(0, 0, 100, 100) + QByteArray(1024 * 1024, ';');
    }

    void anUnreadableSheetIsLeftOutAndItsFilesLeftAlone() {
        QFETCH(QString, bad);
        QFETCH(QByteArray, bytes);
        sheetFile(QStringLiteral("Good"), ProjectFiles::sheet(0, 0, 100, 100));
        // A link to the sheet left out is kept for the day its file reads again.
        sheetFile(QStringLiteral("Other"), ProjectFiles::sheet(0, 0, 300, 100, {}, bad));
        sheetFile(bad, bytes);
        QVERIFY(ProjectFiles::write(
            folder() + QStringLiteral("Text Files/") + bad + QStringLiteral(".txt"), "Its text."));
        const auto before = ProjectFiles::snapshot(folder());
        QVERIFY(load(projectPath()));
        // One box, naming the file.
        QCOMPARE(m_boxes->shown.size(), 1);
        const QString text = m_boxes->texts().front();
        QVERIFY(text.startsWith(Messages::text(Messages::ERROR_READING_FILE)));
        QVERIFY(text.endsWith(QStringLiteral("\nKerfa Files/") + bad + QStringLiteral(".kfa")));
        QCOMPARE(m_boxes->shown.front().kind, MessageBoxes::Kind::Warning);
        QCOMPARE(summary(m_model->desk()).size(), 2);
        QVERIFY(find(QStringLiteral("Good")) && find(QStringLiteral("Other")));
        QVERIFY(!m_model->project().isUnnamed());
        QVERIFY(m_model->project().onDisk);
        QVERIFY(!m_model->project().modified);
        // Saved, the book writes what it holds and nothing over the sheet left out.
        m_model->project().modified = true;
        QVERIFY(save());
        QCOMPARE(ProjectFiles::snapshot(folder()), before);
    }

    void linksResolveByExactName() {
        sheetFile(QStringLiteral("A"),
                  ProjectFiles::sheet(0, 0, 100, 100, {}, QStringLiteral("target")));
        sheetFile(QStringLiteral("B"),
                  ProjectFiles::sheet(0, 0, 300, 100, {}, QStringLiteral("Target")));
        sheetFile(QStringLiteral("C"),
                  ProjectFiles::sheet(0, 0, 300, 300, {}, QStringLiteral("Target")));
        sheetFile(QStringLiteral("Target"), ProjectFiles::sheet(0, 0, 500, 300));
        QVERIFY(load(projectPath()));
        TKerfa* a = find(QStringLiteral("A"));
        TKerfa* b = find(QStringLiteral("B"));
        TKerfa* c = find(QStringLiteral("C"));
        TKerfa* target = find(QStringLiteral("Target"));
        QCOMPARE(a->LinkTo, nullptr);
        QCOMPARE(a->LinkToName, QStringLiteral("target"));
        QCOMPARE(b->LinkTo, target);
        QCOMPARE(c->LinkTo, target);
        QVERIFY(b->line()->isVisible() && c->line()->isVisible());
        QCOMPARE(target->LinkedFrom, c);

        // An unresolved name is written back as it was.
        m_model->project().modified = true;
        QVERIFY(save());
        QVERIFY(ProjectFiles::read(folder() + QStringLiteral("Kerfa Files/A.kfa"))
                    .contains("Name=target\r\n"));
    }

    void loadedSheetsLieOnTheDeskWithTheirLines_data() {
        using Links = QList<std::pair<QString, QString>>;
        QTest::addColumn<Links>("links");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("linkedFrom");
        QTest::addColumn<int>("lines");
        QTest::newRow("one link") << Links{{"A", "B"}, {"B", ""}} << "B"
                                  << "A" << 1;
        QTest::newRow("a chain") << Links{{"A", "B"}, {"B", "C"}, {"C", ""}} << "C"
                                 << "B" << 2;
        // Both keep their lines; the later in desk order, the same on every machine (A to Z
        // folded, other characters by their codes), is the one the target is linked from.
        QTest::newRow("two to one")
            << Links{{"apple", "Hub"}, {"_Zed", "Hub"}, {"Hub", ""}} << "Hub"
            << "apple" << 2;
        QTest::newRow("case alone") << Links{{"b", "Hub"}, {"B", "Hub"}, {"Hub", ""}} << "Hub"
                                    << "b" << 2;
        QTest::newRow("itself and nowhere")
            << Links{{"Self", "Self"}, {"Lost", "Nowhere"}} << "Self"
            << "" << 0;
    }
    void loadedSheetsLieOnTheDeskWithTheirLines() {
        using Links = QList<std::pair<QString, QString>>;
        QFETCH(Links, links);
        QFETCH(QString, target);
        QFETCH(QString, linkedFrom);
        QFETCH(int, lines);
        int left = 100;
        for (const auto& [name, linkTo] : links) {
            left += 150;
            sheetFile(name, ProjectFiles::sheet(1, 0, left, 100 + left / 2, {}, linkTo));
        }
        QVERIFY(load(projectPath()));
        const QList<TKerfa*>& sheets = m_model->desk().sheets();
        QCOMPARE(sheets.size(), links.size());
        QGraphicsScene* scene = sheets.front()->scene();
        QVERIFY(scene);
        QCOMPARE(scene->items().size(), sheets.size() + lines);
        int shown = 0;
        for (const TKerfa* sheet : sheets) {
            QCOMPARE(sheet->scene(), scene);
            QVERIFY(sheet->isVisible());
            if (!sheet->LinkTo)
                continue;
            // The line runs between the two icons' centres, behind every sheet.
            const TKerfaLine* line = sheet->line();
            QCOMPARE(line->scene(), scene);
            QVERIFY(line->isVisible());
            QCOMPARE(line->left(), std::min(sheet->left() + sheet->width() / 2,
                                            sheet->LinkTo->left() + sheet->LinkTo->width() / 2));
            for (const TKerfa* other : sheets)
                QVERIFY(line->zValue() < other->zValue());
            ++shown;
        }
        QCOMPARE(shown, lines);
        const TKerfa* linked = find(target)->LinkedFrom;
        QCOMPARE(linked ? linked->SheetName : QString(), linkedFrom);
    }

    void theBookOfTheCommandLineIsReadWhileTheWindowIsBuilt_data() {
        QTest::addColumn<QString>("earlyPath");
        QTest::newRow("the same book") << "Novel.kerfa";
        QTest::newRow("the same book, named without extension") << "Novel";
        QTest::newRow("another book's reading, left unused") << "../Other/Other.kerfa";
        QTest::newRow("not a project: nothing read early") << "Novel.txt";
    }
    void theBookOfTheCommandLineIsReadWhileTheWindowIsBuilt() {
        QFETCH(QString, earlyPath);
        const QString other = m_dir->path() + QStringLiteral("/Other/");
        QVERIFY(ProjectFiles::write(other + QStringLiteral("Other.kerfa"), kProject));
        QVERIFY(ProjectFiles::write(other + QStringLiteral("Kerfa Files/Stranger.kfa"),
                                    ProjectFiles::sheet(0, 0, 100, 100)));
        for (int i = 0; i < 300; ++i)
            sheetFile(QStringLiteral("Scene %1").arg(i, 3, 10, QChar(u'0')),
                      ProjectFiles::sheet(1, i % 6, 40 + i, 40));
        // What a save killed halfway left behind, removed by the early reading or by the load:
        // a text's, and a snapshot's, as large as the chapter. A leftover in a folder that a
        // link in the book points at is not the book's.
        const QString leftover =
            folder() + QStringLiteral("Text Files/.Scene 001.txt.kerfa-save-ab12cd");
        QVERIFY(ProjectFiles::write(leftover, "half a scene"));
        const QString snapshotLeftover = folder() + QStringLiteral("Snapshots/Scene 002/"
                                                                   ".2026-01-01 10.00.00.000.txt"
                                                                   ".kerfa-save-ef34gh");
        QVERIFY(ProjectFiles::write(snapshotLeftover, "half a snapshot"));
        const QString outside = m_dir->path() + QStringLiteral("/Outside");
        const QString elsewhere = outside + QStringLiteral("/.Notes.txt.kerfa-save-ij56kl");
        QVERIFY(ProjectFiles::write(elsewhere, "not the book's"));
        QVERIFY(QFile::link(outside, folder() + QStringLiteral("Snapshots/Linked")));

        std::unique_ptr<SheetReading> early = ProjectCommands::readEarly(folder() + earlyPath);
        QCOMPARE(early != nullptr, earlyPath != QStringLiteral("Novel.txt"));
        m_model->commands().setEarlyReading(std::move(early));
        QVERIFY(load(projectPath()));
        QCOMPARE(m_model->desk().sheets().size(), 300);
        QCOMPARE(m_model->desk().sheets().front()->SheetName, QStringLiteral("Scene 000"));
        QCOMPARE(m_model->desk().sheets().back()->left(), 40 + 299);
        QVERIFY(!find(QStringLiteral("Stranger")));
        QVERIFY(!QFileInfo::exists(leftover));
        QVERIFY(!QFileInfo::exists(snapshotLeftover));
        QVERIFY(QFileInfo::exists(elsewhere));
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void aSheetFileDeletedByHandIsGoneAtTheNextLoad() {
        sheetFile(QStringLiteral("Keep"), ProjectFiles::sheet(0, 0, 100, 100));
        sheetFile(QStringLiteral("Gone"), ProjectFiles::sheet(0, 0, 300, 100));
        QVERIFY(load(projectPath()));
        QCOMPARE(m_model->desk().sheets().size(), 2);
        QVERIFY(QFile::remove(folder() + QStringLiteral("Kerfa Files/Gone.kfa")));
        QVERIFY(load(projectPath()));
        QCOMPARE(m_model->desk().sheets().size(), 1);
    }

    void savingWritesEverySheetInItsFormat() {
        sheetFile(QStringLiteral("Moved"),
                  "; kept comment\r\n[StateData]\r\nType=3\r\nState=1\r\n"
                  "[EditWindow]\r\nMaximised=1\r\n[Position]\r\nLeft=100\r\nTop=100\r\n");
        QVERIFY(load(projectPath()));
        find(QStringLiteral("Moved"))->setPosition(240, 160);
        m_model->project().modified = true;
        QVERIFY(save());
        QCOMPARE(ProjectFiles::read(folder() + QStringLiteral("Kerfa Files/Moved.kfa")),
                 QByteArray("; kept comment\r\n[StateData]\r\nType=3\r\nState=1\r\n"
                            "[EditWindow]\r\nMaximised=1\r\n[Position]\r\nLeft=240\r\nTop=160\r\n"
                            "[Description]\r\nText=\r\n[LinkTo]\r\nName=\r\n"));
        QVERIFY(!m_model->project().modified);
        QVERIFY(QDir(folder() + QStringLiteral("Text Files")).exists());
    }

    void aFailedSaveKeepsTheChangesMarked() {
        sheetFile(QStringLiteral("One"), ProjectFiles::sheet(0, 0, 100, 100));
        sheetFile(QStringLiteral("Two"), ProjectFiles::sheet(0, 0, 300, 100));
        QVERIFY(load(projectPath()));
        // A folder where the sheet file should be makes that one write fail.
        QVERIFY(QFile::remove(folder() + QStringLiteral("Kerfa Files/Two.kfa")));
        QVERIFY(QDir().mkpath(folder() + QStringLiteral("Kerfa Files/Two.kfa")));
        find(QStringLiteral("One"))->setPosition(150, 150);
        m_model->project().modified = true;
        QVERIFY(!save());
        // The box names the file not written.
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::ERROR_WRITING_KERFA) +
                                               QStringLiteral("\n\nKerfa Files/Two.kfa")});
        QVERIFY(ProjectFiles::read(folder() + QStringLiteral("Kerfa Files/One.kfa"))
                    .contains("Left=150"));
        QVERIFY(m_model->project().modified);
        QVERIFY(caption().endsWith(QStringLiteral(" *")));

        // The project file itself cannot be written: the old one stays, the project is not on disk.
        const QByteArray old = ProjectFiles::read(projectPath());
        QVERIFY(QDir().mkpath(folder() + QStringLiteral("Novel.kerfa.lock")));
        m_model->project().projectFileName = QStringLiteral("Missing/Novel.kerfa");
        m_boxes->shown.clear();
        QVERIFY(!save());
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::ERROR_WRITING_PROJECT)});
        QVERIFY(!m_model->project().onDisk);
        QVERIFY(m_model->project().modified);
        QCOMPARE(ProjectFiles::read(projectPath()), old);
    }

    void backupGoesIntoADatedFolderOfBackups() {
        sheetFile(QStringLiteral("One"), ProjectFiles::sheet(0, 0, 100, 100));
        QVERIFY(load(projectPath()));
        const QString backups = m_env.programFolder() + QStringLiteral("Backups/");
        QDir(backups).removeRecursively();
        QVERIFY(QDir().mkpath(backups));
        m_model->commands().BackupProject();
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::BACKUP_OK)});
        const QStringList made = QDir(backups).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(made.size(), 1);
        QVERIFY2(made.front().startsWith(QStringLiteral("Novel (")), qPrintable(made.front()));
        const QString copy = backups + made.front() + u'/';
        QCOMPARE(ProjectFiles::read(copy + QStringLiteral("Novel.kerfa")), kProject);
        QVERIFY(QFile::exists(copy + QStringLiteral("Kerfa Files/One.kfa")));

        // A Backups folder that cannot take the copy: the failure is reported.
        QDir(backups).removeRecursively();
        QVERIFY(ProjectFiles::write(m_env.programFolder() + QStringLiteral("Backups"), "file"));
        m_boxes->shown.clear();
        m_model->commands().BackupProject();
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::BACKUP_NOT_OK)});
        QVERIFY(QFile::remove(m_env.programFolder() + QStringLiteral("Backups")));
    }

    void aProjectNeverWrittenLeavesNoBackupFolder() {
        QVERIFY(load(projectPath()));
        QVERIFY(QFile::remove(projectPath()));
        const QString backups = m_env.programFolder() + QStringLiteral("Backups/");
        QDir(backups).removeRecursively();
        m_model->commands().BackupProject();
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::BACKUP_NOT_OK)});
        QVERIFY(!QFileInfo::exists(backups));
    }

    void theCompilationListFollowsTheProject() {
        sheetFile(QStringLiteral("One"), ProjectFiles::sheet(0, 0, 100, 100));
        CompilationList& list = m_model->compilation();
        list.add(QStringLiteral("Stale"));
        QVERIFY(load(projectPath()));
        QVERIFY(list.isEmpty());

        // The sheet commands tell of renames and deletions; the list keeps in step.
        list.add(QStringLiteral("One"));
        list.add(QStringLiteral("Two"));
        Q_EMIT m_model->commands().sheetRenamed(QStringLiteral("One"), QStringLiteral("First"));
        Q_EMIT m_model->commands().sheetDeleted(QStringLiteral("TWO"));
        QCOMPARE(list.names(), QStringList{QStringLiteral("First")});

        m_model->commands().NewProject();
        QVERIFY(list.isEmpty());
        QVERIFY(m_model->project().isUnnamed());
    }

    void changedEditorsAreAskedAboutFirst() {
        sheetFile(QStringLiteral("One"), ProjectFiles::sheet(0, 0, 100, 100));
        QVERIFY(load(projectPath()));
        QVERIFY(QDir().mkpath(folder() + QStringLiteral("Text Files")));
        auto* editor = new TfmEditor(m_model->editorOptions());
        editor->setSheet(folder(), QStringLiteral("One"));
        editor->findChild<QPlainTextEdit*>(QStringLiteral("memEditor"))
            ->insertPlainText(QStringLiteral("The lamp was lit."));
        m_model->editors().attach(find(QStringLiteral("One")), editor);
        m_model->project().modified = true;

        // Cancel at either question leaves everything as it was.
        m_boxes->answer(MessageBoxes::Answer::Cancel);
        QVERIFY(m_model->commands().AskToSaveChanges() == ProjectCommands::AskResult::Cancel);
        m_boxes->answer(MessageBoxes::Answer::No);
        m_boxes->answer(MessageBoxes::Answer::Cancel);
        QVERIFY(m_model->commands().AskToSaveChanges() == ProjectCommands::AskResult::Cancel);
        QVERIFY(editor->isModified());
        QCOMPARE(m_boxes->texts(), (QStringList{Messages::text(Messages::SAVE_EDITORS),
                                                Messages::text(Messages::SAVE_EDITORS),
                                                Messages::text(Messages::SAVE_PROJECT)}));

        m_boxes->answer(MessageBoxes::Answer::Yes);
        m_boxes->answer(MessageBoxes::Answer::No);
        QVERIFY(m_model->commands().AskToSaveChanges() == ProjectCommands::AskResult::Proceed);
        QCOMPARE(ProjectFiles::read(folder() + QStringLiteral("Text Files/One.txt")),
                 QByteArray("The lamp was lit."));
        QVERIFY(!editor->isModified());

        // The saved window was closed; closing the project frees whatever is left with its sheet.
        const QPointer<TfmEditor> guard(editor);
        m_model->commands().CloseProject();
        QTRY_VERIFY(guard.isNull());
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    ProjectTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "ProjectTest.moc"
