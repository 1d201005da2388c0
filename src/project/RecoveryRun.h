#pragma once

#include "project/RecoveryStore.h"

#include <QHash>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// This run's recovery copies, written and removed on a thread of their own in the order asked,
// so that a keystroke never waits for a disk: the editor hands its text over and goes on. A copy
// asked for again before the thread came to it is written once, with the newer text. The run
// keeps one folder in the folder of each book it kept copies of (see RecoveryStore), locked while
// the run lives; a normal close of the books removes them with their copies, and a run that dies
// leaves them, unlocked, for the next start to offer.
class RecoveryRun {
public:
    // Also removes, on the run's thread, the copies of vanished books kept too long.
    explicit RecoveryRun(RecoveryStore store, QString name = newName());
    // Finishes what was asked and lets go of the locks; the copies stay.
    ~RecoveryRun();
    RecoveryRun(const RecoveryRun&) = delete;
    RecoveryRun& operator=(const RecoveryRun&) = delete;

    const RecoveryStore& store() const { return m_store; }
    const QString& name() const { return m_name; }
    // "<yyyyMMdd-hhmmss>-<process id>-<number within the process>".
    static QString newName();

    // Off (Kerfa.ini [Recovery] Enabled=0), nothing more is kept; removals still happen.
    void setEnabled(bool on) { m_enabled = on; }
    bool isEnabled() const { return m_enabled; }

    void keep(const QString& projectFolder, const QString& sheetName, const QString& text);
    void drop(const QString& projectFolder, const QString& sheetName);
    // The books were closed normally: every copy of this run goes, and its folders.
    void dropAll();
    // A copy an ended run left, decided on.
    void discard(const QString& copyPath);
    // Returns once everything asked so far is done.
    void wait();

    // Copies written, and copies that could not be, since the run began.
    qint64 written() const { return m_written; }
    qint64 failed() const { return m_failed; }

private:
    struct Job {
        enum class Kind { Keep, Drop, DropAll, Discard, Prune } kind;
        QString folder; // a project folder, or the copy's path for Discard
        QString sheetName;
        QString text;
    };

    void push(Job job);
    void work();
    void run(const Job& job);
    // The run's folder for the book, made and locked on first use; none when it cannot be.
    const RecoveryStore::RunFolder* runFolder(const QString& canonicalFolder);

    RecoveryStore m_store;
    QString m_name;
    std::atomic<bool> m_enabled = true;
    std::atomic<qint64> m_written = 0;
    std::atomic<qint64> m_failed = 0;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stop = false;
    // The thread's own: by canonical project folder.
    QHash<QString, RecoveryStore::RunFolder> m_folders;
    std::thread m_thread;
};
