#pragma once

#include <QObject>

class QSocketNotifier;

// One running Kerfa per user. The first start holds a lock on a file in the user's runtime folder
// and listens on a local socket beside it; a later start finds the lock taken, asks the first
// instance to come forward and ends. The lock goes with the process that holds it, so a killed
// instance never blocks the next start, and when no running instance answers, the later start
// runs normally. A lock or socket that is not the user's own is ignored, and links are never
// followed, so another user can neither keep Kerfa from starting, nor have it create files, nor
// turn the guard off.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs and was asked to come to the front.
    bool isPreviousInstance();

    // The folder that holds the lock and the socket, with a trailing "/": $XDG_RUNTIME_DIR, else
    // a private folder of the user's own under the temp folder, named for the program and the
    // user ("kerfa-1000"), made on first use. When that is not the user's own folder (another
    // user made it, or it is a link or a file), a private folder in the user's cache folder
    // ("~/.cache/kerfa-instance"). Empty when neither will do: there is no single instance then.
    static QString runtimeFolder(const QString& name);

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
