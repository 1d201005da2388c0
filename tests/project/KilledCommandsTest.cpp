// Renaming a sheet, deleting one and Replace In Book each change several files. Each is run here
// in a child process that is killed at its first, second, third... change of a file (every
// rename, removal, folder made and file synced, counted by this program's own definitions of
// those calls, which take the place of the C library's, for Qt's calls too), until one run ends
// by itself. After every kill the book is opened again, as the writer would, and must show the
// command either not begun or whole.

#include "app/MainModel.h"
#include "compile/BookReplace.h"
#include "desk/Desk.h"
#include "desk/SheetCommands.h"
#include "desk/TKerfa.h"
#include "project/BookJournal.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How many more changes the child may make before it is killed; negative: no limit.
int g_changesLeft = -1;

void change() {
    if (g_changesLeft == 0)
        ::kill(::getpid(), SIGKILL);
    if (g_changesLeft > 0)
        --g_changesLeft;
}

} // namespace

extern "C" {
int rename(const char* from, const char* to) noexcept {
    change();
    return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
}
int renameat(int fromDir, const char* from, int toDir, const char* to) noexcept {
    change();
    return static_cast<int>(::syscall(SYS_renameat2, fromDir, from, toDir, to, 0));
}
int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) noexcept {
    change();
    return static_cast<int>(::syscall(SYS_renameat2, fromDir, from, toDir, to, flags));
}
int unlink(const char* path) noexcept {
    change();
    return static_cast<int>(::syscall(SYS_unlinkat, AT_FDCWD, path, 0));
}
int unlinkat(int dir, const char* path, int flags) noexcept {
    change();
    return static_cast<int>(::syscall(SYS_unlinkat, dir, path, flags));
}
int rmdir(const char* path) noexcept {
    change();
    return static_cast<int>(::syscall(SYS_unlinkat, AT_FDCWD, path, AT_REMOVEDIR));
}
int mkdir(const char* path, mode_t mode) noexcept {
    change();
    return static_cast<int>(::syscall(SYS_mkdirat, AT_FDCWD, path, mode));
}
int fsync(int fd) {
    change();
    return static_cast<int>(::syscall(SYS_fsync, fd));
}
int fdatasync(int fd) {
    change();
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}
}

class KilledCommandsTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<MainModel> m_model;

    QString folder() const { return m_dir->path() + QStringLiteral("/Book/"); }
    QString projectPath() const { return folder() + QStringLiteral("Novel.kerfa"); }
    QString sheetFile(const QString& name) const {
        return folder() + QStringLiteral("Kerfa Files/") + name + QStringLiteral(".kfa");
    }
    QString textFile(const QString& name) const {
        return folder() + QStringLiteral("Text Files/") + name + QStringLiteral(".txt");
    }
    QString snapshotFolder(const QString& name) const {
        return folder() + QStringLiteral("Snapshots/") + name;
    }
    TKerfa* find(const QString& name) { return m_model->desk().findSheet(name); }

    // One and Aside link to Two, Two to Three; three sheets have texts, Two an earlier version.
    void writeBook() {
        QDir(folder()).removeRecursively();
        QVERIFY(ProjectFiles::write(projectPath(), "[Workspace]\r\nSize=0\r\n"));
        QVERIFY(
            ProjectFiles::write(sheetFile(QStringLiteral("One")),
                                ProjectFiles::sheet(0, 0, 100, 100, {}, QStringLiteral("Two"))));
        QVERIFY(
            ProjectFiles::write(sheetFile(QStringLiteral("Aside")),
                                ProjectFiles::sheet(0, 0, 100, 300, {}, QStringLiteral("Two"))));
        QVERIFY(
            ProjectFiles::write(sheetFile(QStringLiteral("Two")),
                                ProjectFiles::sheet(0, 0, 300, 100, {}, QStringLiteral("Three"))));
        QVERIFY(ProjectFiles::write(sheetFile(QStringLiteral("Three")),
                                    ProjectFiles::sheet(0, 0, 500, 100)));
        QVERIFY(ProjectFiles::write(textFile(QStringLiteral("One")), "The lamp was lit."));
        QVERIFY(ProjectFiles::write(textFile(QStringLiteral("Two")),
                                    "The lamp went out in the storm."));
        QVERIFY(ProjectFiles::write(textFile(QStringLiteral("Three")), "A lamp at dawn."));
        QVERIFY(ProjectFiles::write(snapshotFolder(QStringLiteral("Two")) +
                                        QStringLiteral("/2024-01-01 10.00.00.000.txt"),
                                    "An older storm."));
        QVERIFY(m_model->commands().LoadProject(projectPath()));
    }

    // Runs the command in a child killed at its given change; true when it ended by itself.
    bool runKilledAt(int changes, const std::function<void()>& command) {
        const pid_t child = fork();
        if (child == 0) {
            g_changesLeft = changes;
            command();
            _exit(0);
        }
        int status = 0;
        QElapsedTimer timer;
        timer.start();
        pid_t done = 0;
        while ((done = waitpid(child, &status, WNOHANG)) == 0 && timer.elapsed() < 20'000)
            QTest::qSleep(5);
        if (done == 0) {
            ::kill(child, SIGKILL);
            waitpid(child, &status, 0);
            qFatal("the command hangs");
        }
        return WIFEXITED(status);
    }

    // Files of the save path, staged texts or a journal left beside the book's files.
    QStringList hiddenFiles() const {
        QStringList found;
        for (const QString& sub :
             {QString(), QStringLiteral("Kerfa Files"), QStringLiteral("Text Files")})
            found += QDir(folder() + sub)
                         .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)
                         .filter(QRegularExpression(QStringLiteral("^\\.")));
        return found;
    }

    QStringList linksTo(const QString& name) {
        QStringList linkers;
        for (const TKerfa* sheet : m_model->desk().sheets())
            if (sheet->LinkTo && sheet->LinkTo->SheetName == name)
                linkers << sheet->SheetName;
        linkers.sort();
        return linkers;
    }

    // Two as it was, under a name: its files, its earlier version, its links both ways.
    void checkWhole(const QString& name, const QString& gone) {
        QVERIFY(find(name));
        QVERIFY(!find(gone));
        QCOMPARE(ProjectFiles::read(textFile(name)), QByteArray("The lamp went out in the storm."));
        QVERIFY(!QFileInfo::exists(textFile(gone)));
        QCOMPARE(QDir(snapshotFolder(name)).entryList(QDir::Files).size(), 1);
        QVERIFY(!QFileInfo::exists(snapshotFolder(gone)));
        QCOMPARE(linksTo(name), (QStringList{QStringLiteral("Aside"), QStringLiteral("One")}));
        QCOMPARE(find(name)->LinkTo, find(QStringLiteral("Three")));
    }

public:
    explicit KilledCommandsTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() { m_env.installFromBuild(QStringLiteral("Themes")); }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_model = std::make_unique<MainModel>();
        m_model->SizeWorkspace();
    }
    void cleanup() {
        m_model.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void aCommandKilledAtAnyChangeIsUndoneOrFinishedAtTheNextOpen_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("rename") << "rename";
        QTest::newRow("rename, letter case only") << "case";
        QTest::newRow("delete with the text") << "delete";
        QTest::newRow("delete keeping the text") << "delete, keep text";
        QTest::newRow("Replace In Book") << "replace";
    }
    void aCommandKilledAtAnyChangeIsUndoneOrFinishedAtTheNextOpen() {
        QFETCH(QString, command);
        const QString newName =
            command == u"case" ? QStringLiteral("TWO") : QStringLiteral("The Storm");
        int before = 0;
        int after = 0;
        for (int changes = 0;; ++changes) {
            QVERIFY2(changes < 200, "the command never ends");
            writeBook();
            if (QTest::currentTestFailed())
                return;
            std::function<void()> run;
            if (command == u"rename" || command == u"case") {
                run = [&] {
                    BookJournal(folder()).renameSheet(
                        QStringLiteral("Two"), newName,
                        {QStringLiteral("One"), QStringLiteral("Aside")});
                };
            } else if (command.startsWith(u"delete")) {
                m_boxes->answers = {command == u"delete" ? MessageBoxes::Answer::Yes
                                                         : MessageBoxes::Answer::No};
                run = [&] {
                    m_model->sheetCommands().DeleteSheet(find(QStringLiteral("Two")));
                };
            } else {
                BookReplace& replace = m_model->bookReplace();
                QCOMPARE(replace.search(QStringLiteral("lamp"), false, false).size(), 3);
                run = [&] {
                    replace.replace(QList<bool>(3, true), QStringLiteral("lantern"));
                };
            }
            const bool ended = runKilledAt(changes, run);

            // Opened again, as after the crash.
            QVERIFY(m_model->commands().LoadProject(projectPath()));
            QVERIFY2(hiddenFiles().isEmpty(), qPrintable(hiddenFiles().join(u", ")));
            bool done = false;
            if (command == u"rename" || command == u"case") {
                done = find(newName) != nullptr;
                checkWhole(done ? newName : QStringLiteral("Two"),
                           done ? QStringLiteral("Two") : newName);
            } else if (command.startsWith(u"delete")) {
                done = find(QStringLiteral("Two")) == nullptr;
                if (!done) {
                    checkWhole(QStringLiteral("Two"), newName);
                } else {
                    const bool kept = command != u"delete";
                    QVERIFY(!QFileInfo::exists(sheetFile(QStringLiteral("Two"))));
                    QCOMPARE(QFileInfo::exists(textFile(QStringLiteral("Two"))), kept);
                    QCOMPARE(QFileInfo::exists(snapshotFolder(QStringLiteral("Two"))), kept);
                    QVERIFY(linksTo(QStringLiteral("Two")).isEmpty());
                    for (const QString& linker : {QStringLiteral("One"), QStringLiteral("Aside")})
                        QVERIFY(ProjectFiles::read(sheetFile(linker)).contains("Name=\r\n"));
                }
            } else {
                const QList<std::pair<QString, QByteArray>> texts{
                    {QStringLiteral("One"), "The lamp was lit."},
                    {QStringLiteral("Two"), "The lamp went out in the storm."},
                    {QStringLiteral("Three"), "A lamp at dawn."}};
                done = ProjectFiles::read(textFile(QStringLiteral("One"))).contains("lantern");
                for (const auto& [name, old] : texts) {
                    QByteArray expected = old;
                    if (done)
                        expected.replace("lamp", "lantern");
                    QCOMPARE(ProjectFiles::read(textFile(name)), expected);
                    // Each text replaced can be taken back.
                    if (done) {
                        bool kept = false;
                        for (const QString& file :
                             QDir(snapshotFolder(name)).entryList({QStringLiteral("*.txt")}))
                            kept = kept ||
                                   ProjectFiles::read(snapshotFolder(name) + u'/' + file) == old;
                        QVERIFY(kept);
                    }
                }
            }
            if (QTest::currentTestFailed()) {
                qWarning("killed at change %d", changes);
                return;
            }
            (done ? after : before)++;
            if (ended) {
                QVERIFY(done);
                break;
            }
        }
        QVERIFY(before > 0);
        QVERIFY(after > 1);
        qInfo("%s: killed %d times before the command took effect, %d times after",
              qPrintable(command), before, after - 1);
        QVERIFY(m_boxes->shown.isEmpty());
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KilledCommandsTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "KilledCommandsTest.moc"
