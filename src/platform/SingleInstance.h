#pragma once

#include <QObject>

class QSocketNotifier;

// One running Kerfa per user. The first start holds a lock on a file in the user's runtime folder
// and listens on a local socket beside it; a later start finds the lock taken, asks the first
// instance to come forward and ends. The lock goes with the process that holds it, so a killed
// instance never blocks the next start, and when no running instance answers, the later start
// runs normally.
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
    void acceptClients();
    bool askToRaise();

    QString m_base;
    int m_lock = -1;
    int m_server = -1;
    QSocketNotifier* m_notifier = nullptr;
};
