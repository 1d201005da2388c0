#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Another user, as far as file ownership goes.
constexpr uid_t kOtherUser = 12345;

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8()); }
    void TearDown() override { qunsetenv("TMPDIR"); }
    // Without XDG_RUNTIME_DIR: the fallback under the temp folder, here a test folder.
    void useFallback() {
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", m_runtime.path().toUtf8());
    }
    QString path(const char* suffix) const {
        return SingleInstance::runtimeFolder(QStringLiteral("Kerfa")) + QStringLiteral("kerfa-") +
               QString::number(getuid()) + QLatin1String(suffix);
    }
    // The private folder the fallback would use.
    QString fallbackFolder() const {
        return m_runtime.path() + QStringLiteral("/kerfa-") + QString::number(getuid());
    }
    // A first instance in a process of its own, stopped with the object; it notes on a pipe
    // when it listens, and when it is asked to come forward. Its socket file appears at bind,
    // a moment before it listens, so the file alone does not say it is ready (a slow machine,
    // or a sanitizer build, can stop the process in between).
    class FirstInstance {
    public:
        FirstInstance() {
            if (pipe(m_pipe) != 0)
                return;
            m_pid = fork();
            if (m_pid == 0) {
                int argc = 1;
                char name[] = "first";
                char* argv[] = {name, nullptr};
                QCoreApplication app(argc, argv);
                SingleInstance instance(QStringLiteral("Kerfa"));
                if (instance.isPreviousInstance())
                    _exit(3);
                (void)!write(m_pipe[1], "L", 1);
                QObject::connect(&instance, &SingleInstance::activationRequested,
                                 [&] { (void)!write(m_pipe[1], "R", 1); });
                app.exec();
                _exit(0);
            }
            (void)note('L', 10000);
        }
        ~FirstInstance() {
            stop();
            close(m_pipe[0]);
            close(m_pipe[1]);
        }
        FirstInstance(const FirstInstance&) = delete;
        FirstInstance& operator=(const FirstInstance&) = delete;

        void stop() {
            if (m_pid > 0) {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, nullptr, 0);
            }
            m_pid = -1;
        }
        // Whether it was asked to come forward, waiting at most that long.
        bool asked(int milliseconds) const { return note('R', milliseconds); }

    private:
        // Whether the next note on the pipe is `expected`, waiting at most that long.
        bool note(char expected, int milliseconds) const {
            pollfd ready{m_pipe[0], POLLIN, 0};
            char got = 0;
            return poll(&ready, 1, milliseconds) == 1 && read(m_pipe[0], &got, 1) == 1 &&
                   got == expected;
        }

        pid_t m_pid = -1;
        int m_pipe[2] = {-1, -1};
    };

    QTemporaryDir m_runtime;
};

TEST_F(SingleInstanceTest, ALaterStartAsksTheFirstToComeForward) {
    const FirstInstance first;
    ASSERT_TRUE(QFile::exists(path(".socket")));

    SingleInstance later(QStringLiteral("Kerfa"));
    EXPECT_TRUE(later.isPreviousInstance());
    EXPECT_TRUE(first.asked(1000));
}

TEST_F(SingleInstanceTest, AKilledInstanceLeavesNothingInTheWay) {
    FirstInstance first;
    first.stop();
    EXPECT_TRUE(QFile::exists(path(".socket"))) << "killed before it could tidy up";

    SingleInstance next(QStringLiteral("Kerfa"));
    EXPECT_FALSE(next.isPreviousInstance());
}

TEST_F(SingleInstanceTest, WithoutARuntimeFolderAPrivateFolderServes) {
    useFallback();
    const FirstInstance first;
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(fallbackFolder()).constData(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, getuid());

    SingleInstance later(QStringLiteral("Kerfa"));
    EXPECT_TRUE(later.isPreviousInstance());
    EXPECT_TRUE(first.asked(1000));
}

// Whatever another user puts where the fallback lives neither stops this start nor is written to.
TEST_F(SingleInstanceTest, AnotherUsersLockAndSocketAreIgnored) {
    if (getuid() != 0)
        GTEST_SKIP() << "making files of another user needs root";
    useFallback();
    const FirstInstance other;
    ASSERT_TRUE(QFile::exists(path(".socket")));
    ASSERT_EQ(chown(QFile::encodeName(path(".lock")).constData(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(chown(QFile::encodeName(path(".socket")).constData(), kOtherUser, kOtherUser), 0);

    SingleInstance start(QStringLiteral("Kerfa"));
    EXPECT_FALSE(start.isPreviousInstance());
    EXPECT_FALSE(other.asked(200)) << "the other user's instance was asked to come forward";
}

TEST_F(SingleInstanceTest, AFallbackFolderOfAnotherUserIsNotUsed) {
    if (getuid() != 0)
        GTEST_SKIP() << "making files of another user needs root";
    useFallback();
    ASSERT_TRUE(QDir().mkpath(fallbackFolder()));
    ASSERT_EQ(chown(QFile::encodeName(fallbackFolder()).constData(), kOtherUser, kOtherUser), 0);
    SingleInstance start(QStringLiteral("Kerfa"));
    EXPECT_FALSE(start.isPreviousInstance());
    EXPECT_TRUE(
        QDir(fallbackFolder())
            .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

// Another user who takes the fallback's name first does not turn the guard off: a private folder
// in the user's own cache folder serves instead, and nothing is made where they point.
TEST_F(SingleInstanceTest, AFallbackTakenByAnotherUserMovesToTheUsersOwnFolder) {
    QTemporaryDir elsewhere;
    const auto otherUsers = [&](mode_t mode) {
        return [this, mode] {
            return QDir().mkpath(fallbackFolder()) &&
                   chown(QFile::encodeName(fallbackFolder()).constData(), kOtherUser, kOtherUser) ==
                       0 &&
                   chmod(QFile::encodeName(fallbackFolder()).constData(), mode) == 0;
        };
    };
    struct Case {
        const char* what;
        bool needsRoot;
        std::function<bool()> take;
    };
    const Case cases[] = {
        {"a link to a folder of theirs", false,
         [&] {
             return QFile::link(elsewhere.path(), fallbackFolder());
         }},
        {"a file", false,
         [&] {
             QFile file(fallbackFolder());
             return file.open(QIODevice::WriteOnly);
         }},
        {"their private folder", true, otherUsers(0700)},
        {"their folder open to all", true, otherUsers(0777)},
    };
    useFallback();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && getuid() != 0)
            continue;
        ASSERT_TRUE(c.take());
        {
            const FirstInstance first;
            SingleInstance later(QStringLiteral("Kerfa"));
            EXPECT_TRUE(later.isPreviousInstance());
            EXPECT_TRUE(first.asked(1000));
        }
        EXPECT_TRUE(SingleInstance::runtimeFolder(QStringLiteral("Kerfa"))
                        .startsWith(qEnvironmentVariable("XDG_CACHE_HOME")));
        EXPECT_TRUE(
            QDir(elsewhere.path())
                .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        QFile::remove(fallbackFolder());
        QDir(fallbackFolder()).removeRecursively();
    }
}

TEST_F(SingleInstanceTest, LinksAreNeverFollowed) {
    useFallback();
    // A link where the private folder should be: nothing is made where it points.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), fallbackFolder()));
    {
        SingleInstance start(QStringLiteral("Kerfa"));
        EXPECT_FALSE(start.isPreviousInstance());
    }
    EXPECT_TRUE(
        QDir(elsewhere.path())
            .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));

    // A link where the lock should be: the file it names is not created.
    ASSERT_TRUE(QFile::remove(fallbackFolder()));
    const QString target = elsewhere.path() + QStringLiteral("/created-through-the-link");
    const QString lock = path(".lock");
    QFile::remove(lock);
    ASSERT_TRUE(QFile::link(target, lock));
    {
        SingleInstance start(QStringLiteral("Kerfa"));
        EXPECT_FALSE(start.isPreviousInstance());
    }
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(SingleInstanceTest, ALockHolderThatDoesNotAnswerIsNotWaitedFor) {
    const int holder = open(QFile::encodeName(path(".lock")).constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    SingleInstance start(QStringLiteral("Kerfa"));
    EXPECT_FALSE(start.isPreviousInstance());
    close(holder);
}

} // namespace
