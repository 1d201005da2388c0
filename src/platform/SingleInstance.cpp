#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {

constexpr int kAnswerTimeoutMs = 1500;
const QByteArray kRaise = "raise\n";
const QByteArray kRaised = "raised\n";

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent) {
    m_base = runtimeFolder() + name.toLower() + u'-' + QString::number(getuid());
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::runtimeFolder() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

bool SingleInstance::isPreviousInstance() {
    m_lock = std::make_unique<QLockFile>(m_base + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        listen();
        return false;
    }

    QLocalSocket socket;
    socket.connectToServer(m_base + QStringLiteral(".socket"));
    if (socket.waitForConnected(kAnswerTimeoutMs)) {
        socket.write(kRaise);
        socket.flush();
        while (socket.bytesAvailable() < kRaised.size() &&
               socket.waitForReadyRead(kAnswerTimeoutMs)) {
        }
        if (socket.readAll().startsWith(kRaised))
            return true;
    }
    // The other instance is still starting or already closing: run as if alone.
    return false;
}

void SingleInstance::listen() {
    const QString path = m_base + QStringLiteral(".socket");
    // Only the lock holder gets here, so a socket file left behind is stale.
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (!client->readAll().startsWith(kRaise))
                    return;
                Q_EMIT activationRequested();
                client->write(kRaised);
                client->flush();
            });
        }
    });
}
