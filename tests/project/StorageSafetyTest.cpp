// What a full disk, a killed writer, or files planted in a shared project folder can do to a
// project: never empty, cut or redirect a file, never hang the load, never leave files behind.

#include "app/MainModel.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "language/Messages.h"
#include "project/ProjectState.h"
#include "support/FullDisk.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <random>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kProject =
    "[Workspace]\r\nBoldBaseType=1\r\nSize=0\r\n[Theme]\r\nName=Book.ini\r\n";

// The text padded with a comment line to exactly `size` bytes.
QByteArray padded(const QByteArray& text, qsizetype size) {
    return text + "; " + QByteArray(size - text.size() - 4, 'p') + "\r\n";
}

// Runs the save loop; with a version it saves that version once and its exit status is returned,
// else its process id.
pid_t startSaveLoop(const QString& folder, const char* version = nullptr) {
    const QByteArray program = KERFA_SAVE_LOOP;
    const QByteArray where = QFile::encodeName(folder);
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(where.constData()),
                    const_cast<char*>(version), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
        return -1;
    if (!version)
        return pid;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

class StorageSafetyTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<MainModel> m_main;
    QString m_folder;

    QString folder() const { return m_folder; }
    QString projectPath() const { return folder() + QStringLiteral("Book.kerfa"); }
    QString sheetPath(const QString& name) const {
        return folder() + QStringLiteral("Kerfa Files/") + name + QStringLiteral(".kfa");
    }
    // A project of one sheet, "One", in `root`.
    void makeProject(const QString& root, const QByteArray& project, const QByteArray& sheet) {
        m_folder = root + QStringLiteral("/Book/");
        QVERIFY(ProjectFiles::write(projectPath(), project));
        QVERIFY(ProjectFiles::write(sheetPath(QStringLiteral("One")), sheet));
    }
    // Changes the sheet, and the project file when asked, so that both must be written.
    void change(bool projectFile) {
        TKerfa* one = m_main->desk().findSheet(QStringLiteral("One"));
        QVERIFY(one);
        one->setPosition(one->left() + 50, one->top() + 50);
        if (projectFile)
            m_main->project().boldBaseType = !m_main->project().boldBaseType;
        m_main->project().modified = true;
    }

public:
    explicit StorageSafetyTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() { m_env.installFromBuild(QStringLiteral("Themes")); }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_main = std::make_unique<MainModel>();
    }
    void cleanup() {
        m_main.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void aSaveThatRunsOutOfRoomFailsAndKeepsEveryFile_data() {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<bool>("projectFile");
        QTest::addColumn<int>("size");
        for (const bool fullDisk : {false, true})
            for (const bool projectFile : {false, true})
                for (const int size : {200, 5 * 1024})
                    QTest::addRow("%s, %s of %d bytes", fullDisk ? "full tmpfs" : "size limit",
                                  projectFile ? "project file" : "sheet file", size)
                        << fullDisk << projectFile << size;
    }
    void aSaveThatRunsOutOfRoomFailsAndKeepsEveryFile() {
        QFETCH(bool, fullDisk);
        QFETCH(bool, projectFile);
        QFETCH(int, size);
        const SmallDisk disk;
        if (fullDisk && !disk.mounted())
            QSKIP("no tmpfs can be mounted here");
        const QByteArray sheet = ProjectFiles::sheet(0, 0, 100, 100);
        makeProject(fullDisk ? disk.path() : m_dir->path(),
                    projectFile ? padded(kProject, size) : kProject,
                    projectFile ? sheet : padded(sheet, size));
        QVERIFY(m_main->commands().LoadProject(projectPath()));
        change(projectFile);
        QVERIFY(QDir().mkpath(folder() + QStringLiteral("Text Files")));
        const auto before = ProjectFiles::snapshot(folder());

        bool saved = true;
        if (fullDisk) {
            QVERIFY(disk.fill());
            saved = m_main->commands().SaveProject();
        } else {
            const FileSizeLimit limit(static_cast<rlim_t>(size / 2));
            saved = m_main->commands().SaveProject();
        }
        QVERIFY(!saved);
        QCOMPARE(m_boxes->texts().size(), 1);
        if (projectFile)
            QCOMPARE(m_boxes->texts().front(), Messages::text(Messages::ERROR_WRITING_PROJECT));
        else
            QCOMPARE(m_boxes->texts().front(), Messages::text(Messages::ERROR_WRITING_KERFA) +
                                                   QStringLiteral("\n\nKerfa Files/One.kfa"));
        QCOMPARE(ProjectFiles::snapshot(folder()), before);
        QVERIFY(m_main->project().modified);
    }

    // A book of 300 sheets saved on a full disk: one box, naming the first sheet files not
    // written and counting the rest, where there were 300 boxes in a row.
    void aBookSavedOnAFullDiskIsToldOnce() {
        m_folder = m_dir->path() + QStringLiteral("/Book/");
        QVERIFY(ProjectFiles::write(projectPath(), kProject));
        for (int i = 0; i < 300; ++i)
            QVERIFY(ProjectFiles::write(
                sheetPath(QStringLiteral("Sheet %1").arg(i, 3, 10, QChar(u'0'))),
                ProjectFiles::sheet(0, 0, 100, 100)));
        QVERIFY(m_main->commands().LoadProject(projectPath()));
        for (TKerfa* sheet : m_main->desk().sheets())
            sheet->setPosition(sheet->left() + 50, sheet->top());
        m_main->project().modified = true;
        const auto before = ProjectFiles::snapshot(folder());
        {
            const FileSizeLimit full(8);
            QVERIFY(!m_main->commands().SaveProject());
        }
        QCOMPARE(m_boxes->texts().size(), 1);
        const QStringList lines = m_boxes->texts().front().split(u'\n');
        QCOMPARE(lines.size(), 2 + 10 + 1);
        QCOMPARE(lines.front(), Messages::text(Messages::ERROR_WRITING_KERFA));
        QCOMPARE(lines[2], QStringLiteral("Kerfa Files/Sheet 000.kfa"));
        QCOMPARE(lines[11], QStringLiteral("Kerfa Files/Sheet 009.kfa"));
        QCOMPARE(lines.back(), Messages::text(Messages::NOT_LISTED) + QStringLiteral(" 290"));
        QCOMPARE(ProjectFiles::snapshot(folder()), before);
        QVERIFY(m_main->project().modified);
    }

    void aSymlinkNamedLikeASheetIsNeitherReadNorWrittenThrough() {
        makeProject(m_dir->path(), kProject, ProjectFiles::sheet(0, 0, 100, 100));
        const QString outside = m_dir->path() + QStringLiteral("/startup-file");
        const QByteArray original = "alias ll='ls -l'\n";
        QVERIFY(ProjectFiles::write(outside, original));
        QVERIFY(
            QFile::link(QStringLiteral("../../startup-file"), sheetPath(QStringLiteral("Notes"))));

        QVERIFY(m_main->commands().LoadProject(projectPath()));
        QCOMPARE(m_main->desk().sheets().size(), 1);
        QCOMPARE(m_main->desk().findSheet(QStringLiteral("Notes")), nullptr);
        m_main->project().modified = true;
        QVERIFY(m_main->commands().SaveProject());
        QCOMPARE(ProjectFiles::read(outside), original);
        QVERIFY(QFileInfo(sheetPath(QStringLiteral("Notes"))).isSymLink());
    }

    void aPipeNamedLikeASheetDoesNotHangTheLoad() {
        makeProject(m_dir->path(), kProject, ProjectFiles::sheet(0, 0, 100, 100));
        QCOMPARE(::mkfifo(QFile::encodeName(sheetPath(QStringLiteral("Pipe"))).constData(), 0600),
                 0);
        // In a child process, so that a load that hangs can be stopped.
        const pid_t child = fork();
        if (child == 0) {
            const bool ok = m_main->commands().LoadProject(projectPath()) &&
                            m_main->desk().sheets().size() == 1 &&
                            m_main->desk().findSheet(QStringLiteral("One"));
            _exit(ok ? 0 : 1);
        }
        QVERIFY(child > 0);
        int status = 0;
        QElapsedTimer timer;
        timer.start();
        pid_t done = 0;
        while ((done = waitpid(child, &status, WNOHANG)) == 0 && timer.elapsed() < 10'000)
            QTest::qSleep(20);
        if (done == 0) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            QFAIL("the load hangs on the pipe");
        }
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void aWriterKilledAtAnyMomentLeavesOldOrNewAndNothingAfterTheNextOpen() {
        m_folder = m_dir->path() + QStringLiteral("/Book/");
        QVERIFY(QDir().mkpath(folder() + QStringLiteral("Kerfa Files")));
        QVERIFY(QDir().mkpath(folder() + QStringLiteral("Text Files")));
        QCOMPARE(startSaveLoop(folder(), "1"), 0);
        const auto newer = ProjectFiles::snapshot(folder());
        QCOMPARE(startSaveLoop(folder(), "0"), 0);
        const auto older = ProjectFiles::snapshot(folder());
        QCOMPARE(older.keys(), newer.keys());
        QVERIFY(older != newer);

        std::mt19937 random(20240611);
        std::uniform_int_distribution<int> delayMicroseconds(0, 25'000);
        int leftBehind = 0;
        for (int round = 0; round < 300; ++round) {
            const pid_t writer = startSaveLoop(folder());
            QVERIFY(writer > 0);
            ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
            ::kill(writer, SIGKILL);
            ::waitpid(writer, nullptr, 0);

            const auto files = ProjectFiles::snapshot(folder());
            for (auto it = older.cbegin(); it != older.cend(); ++it) {
                const QByteArray now = files.value(it.key());
                if (now != it.value() && now != newer.value(it.key()))
                    QFAIL(qPrintable(QStringLiteral("round %1: %2 is neither old nor new")
                                         .arg(round)
                                         .arg(it.key())));
            }
            leftBehind += int(files.size() - older.size());

            QVERIFY(m_main->commands().LoadProject(projectPath()));
            const auto reopened = ProjectFiles::snapshot(folder()).keys();
            if (reopened != older.keys())
                QFAIL(qPrintable(QStringLiteral("round %1: left behind after the open: %2")
                                     .arg(round)
                                     .arg(reopened.join(u", "))));
        }
        QVERIFY(m_boxes->shown.isEmpty());
        qInfo("%d temporary files were left by killed writers and removed at the next open",
              leftBehind);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    StorageSafetyTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "StorageSafetyTest.moc"
