#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

// One running Kerfa per user. The first start holds a lock file in the user's runtime folder and
// listens on a local socket beside it; a later start finds the lock taken, asks the first
// instance to come forward and ends. A lock left by a killed process is taken over, and when no
// running instance answers, the later start runs normally.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs and was asked to come to the front.
    bool isPreviousInstance();

    // The folder that holds the lock and the socket: $XDG_RUNTIME_DIR, else the temp folder.
    static QString runtimeFolder();

Q_SIGNALS:
    // Another start asked this instance to come to the front.
    void activationRequested();

private:
    void listen();

    QString m_base;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
