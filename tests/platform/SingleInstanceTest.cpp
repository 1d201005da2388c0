#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8()); }
    QString path(const char* suffix) const {
        return m_runtime.path() + QStringLiteral("/kerfa-") + QString::number(getuid()) +
               QLatin1String(suffix);
    }
    // A first instance in a process of its own; it writes "R" to the pipe when asked to
    // come forward.
    pid_t startFirst(int pipeOut) {
        const pid_t pid = fork();
        if (pid == 0) {
            int argc = 1;
            char name[] = "first";
            char* argv[] = {name, nullptr};
            QCoreApplication app(argc, argv);
            SingleInstance instance(QStringLiteral("Kerfa"));
            if (instance.isPreviousInstance())
                _exit(3);
            QObject::connect(&instance, &SingleInstance::activationRequested,
                             [&] { (void)!write(pipeOut, "R", 1); });
            app.exec();
            _exit(0);
        }
        for (int i = 0; i < 200 && !QFile::exists(path(".socket")); ++i)
            QThread::msleep(10);
        return pid;
    }
    static void stop(pid_t pid) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    QTemporaryDir m_runtime;
};

TEST_F(SingleInstanceTest, ALaterStartAsksTheFirstToComeForward) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t first = startFirst(fds[1]);
    ASSERT_TRUE(QFile::exists(path(".socket")));

    SingleInstance later(QStringLiteral("Kerfa"));
    EXPECT_TRUE(later.isPreviousInstance());
    char got = 0;
    EXPECT_EQ(read(fds[0], &got, 1), 1);
    EXPECT_EQ(got, 'R');
    stop(first);
    close(fds[0]);
    close(fds[1]);
}

TEST_F(SingleInstanceTest, AKilledInstanceLeavesNothingInTheWay) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    stop(startFirst(fds[1]));
    EXPECT_TRUE(QFile::exists(path(".socket"))) << "killed before it could tidy up";

    SingleInstance next(QStringLiteral("Kerfa"));
    EXPECT_FALSE(next.isPreviousInstance());
    close(fds[0]);
    close(fds[1]);
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
