#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kAnswerTimeoutMs = 1500;
constexpr char kRaise[] = "raise\n";
constexpr char kRaised[] = "raised\n";

// The socket's address, or false when the path is too long for one.
bool address(const QString& path, sockaddr_un& out) {
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() >= static_cast<qsizetype>(sizeof(out.sun_path)))
        return false;
    std::memset(&out, 0, sizeof(out));
    out.sun_family = AF_UNIX;
    std::memcpy(out.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

// The folder, made private (0700) when it is missing, or none when it is not a folder of this
// user's own: looked at without following a link, since anyone may have made it first.
QString privateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
        return {};
    if ((info.st_mode & 0077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return {};
    return folder + u'/';
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent) {
    const QString folder = runtimeFolder(name);
    if (!folder.isEmpty())
        m_base = folder + name.toLower() + u'-' + QString::number(getuid());
}

SingleInstance::~SingleInstance() {
    if (m_server >= 0) {
        ::close(m_server);
        ::unlink(QFile::encodeName(m_base + QStringLiteral(".socket")).constData());
    }
    if (m_lock >= 0)
        ::close(m_lock);
}

QString SingleInstance::runtimeFolder(const QString& name) {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!folder.isEmpty() && QDir(folder).exists())
        return folder.endsWith(u'/') ? folder : folder + u'/';

    // The temp folder is shared by every user: only a folder of this user's own in it will do.
    // When another user took its name first, a folder under the user's own home serves, so
    // that nobody can turn the guard off.
    const QString lower = name.toLower();
    folder = QDir::tempPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QString shared = privateFolder(folder + lower + u'-' + QString::number(getuid()));
    if (!shared.isEmpty())
        return shared;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return {};
    return privateFolder(cache + u'/' + lower + QStringLiteral("-instance"));
}

bool SingleInstance::isPreviousInstance() {
    if (m_base.isEmpty())
        return false;
    const QByteArray lockPath = QFile::encodeName(m_base + QStringLiteral(".lock"));
    // Never through a link, and only a regular file of this user's: a lock someone else made
    // decides nothing, and this start runs as if alone.
    m_lock = ::open(lockPath.constData(),
                    O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (m_lock < 0)
        return false;
    struct stat info {};
    if (::fstat(m_lock, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
        ::close(m_lock);
        m_lock = -1;
        return false;
    }
    if (::flock(m_lock, LOCK_EX | LOCK_NB) == 0) {
        listen();
        return false;
    }
    ::close(m_lock);
    m_lock = -1;
    return askToRaise();
}

bool SingleInstance::askToRaise() {
    sockaddr_un addr{};
    if (!address(m_base + QStringLiteral(".socket"), addr))
        return false;
    // Only this user's own instance is asked: by the socket file's owner, and by the process
    // that answers.
    struct stat info {};
    if (::lstat(addr.sun_path, &info) != 0 || !S_ISSOCK(info.st_mode) || info.st_uid != getuid())
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool raised = false;
    ucred peer{};
    socklen_t peerSize = sizeof(peer);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 &&
        ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &peerSize) == 0 && peer.uid == getuid() &&
        ::send(fd, kRaise, sizeof(kRaise) - 1, MSG_NOSIGNAL) == sizeof(kRaise) - 1) {
        pollfd answer{fd, POLLIN, 0};
        char reply[16] = {};
        if (::poll(&answer, 1, kAnswerTimeoutMs) == 1) {
            const ssize_t got = ::recv(fd, reply, sizeof(reply) - 1, 0);
            raised = got > 0 && std::strncmp(reply, kRaised, sizeof(kRaised) - 1) == 0;
        }
    }
    ::close(fd);
    // No answer: the other instance is still starting or already closing; run as if alone.
    return raised;
}

void SingleInstance::listen() {
    sockaddr_un addr{};
    if (!address(m_base + QStringLiteral(".socket"), addr))
        return;
    m_server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_server < 0)
        return;
    // Only the lock holder gets here, so a socket file left behind is stale.
    ::unlink(addr.sun_path);
    const mode_t mask = ::umask(0077);
    const bool bound = ::bind(m_server, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    ::umask(mask);
    if (!bound || ::listen(m_server, 4) != 0) {
        ::close(m_server);
        m_server = -1;
        return;
    }
    m_notifier = new QSocketNotifier(m_server, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::acceptClients);
}

void SingleInstance::acceptClients() {
    for (;;) {
        const int client = ::accept4(m_server, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        // A later start writes its request at once; one that says nothing in time is dropped.
        pollfd request{client, POLLIN, 0};
        char text[16] = {};
        if (::poll(&request, 1, kAnswerTimeoutMs) == 1 &&
            ::recv(client, text, sizeof(text) - 1, 0) > 0 &&
            std::strncmp(text, kRaise, sizeof(kRaise) - 1) == 0) {
            Q_EMIT activationRequested();
            ::send(client, kRaised, sizeof(kRaised) - 1, MSG_NOSIGNAL);
        }
        ::close(client);
    }
}
