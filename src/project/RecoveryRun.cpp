#include "project/RecoveryRun.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

RecoveryRun::RecoveryRun(RecoveryStore store, QString name)
    : m_store(std::move(store)), m_name(std::move(name)) {
    m_jobs.push_back({Job::Kind::Prune, {}, {}, {}});
    m_thread = std::thread([this] { work(); });
}

RecoveryRun::~RecoveryRun() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    for (const RecoveryStore::RunFolder& folder : std::as_const(m_folders))
        ::close(folder.fd);
}

QString RecoveryRun::newName() {
    static std::atomic<int> runs = 0;
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) + u'-' +
           QString::number(::getpid()) + u'-' + QString::number(++runs);
}

void RecoveryRun::keep(const QString& projectFolder, const QString& sheetName,
                       const QString& text) {
    if (m_enabled)
        push({Job::Kind::Keep, projectFolder, sheetName, text});
}

void RecoveryRun::drop(const QString& projectFolder, const QString& sheetName) {
    push({Job::Kind::Drop, projectFolder, sheetName, {}});
}

void RecoveryRun::dropAll() {
    push({Job::Kind::DropAll, {}, {}, {}});
}

void RecoveryRun::discard(const QString& copyPath) {
    push({Job::Kind::Discard, copyPath, {}, {}});
}

void RecoveryRun::wait() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void RecoveryRun::push(Job job) {
    {
        const std::lock_guard lock(m_mutex);
        // A copy still waiting takes the newer text, unless something after it touches it.
        if (job.kind == Job::Kind::Keep) {
            for (auto it = m_jobs.rbegin(); it != m_jobs.rend(); ++it) {
                if (it->kind == Job::Kind::DropAll)
                    break;
                if (it->folder != job.folder || it->sheetName != job.sheetName)
                    continue;
                if (it->kind == Job::Kind::Keep) {
                    it->text = std::move(job.text);
                    return;
                }
                break;
            }
        }
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void RecoveryRun::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        const Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        run(job);
        lock.lock();
        m_busy = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}

const RecoveryStore::RunFolder* RecoveryRun::runFolder(const QString& canonicalFolder) {
    auto it = m_folders.find(canonicalFolder);
    // Made again when something removed it meanwhile.
    if (it != m_folders.end() && QFileInfo(it->path).isDir())
        return &*it;
    if (it != m_folders.end()) {
        ::close(it->fd);
        m_folders.erase(it);
    }
    if (!m_store.makeRoot())
        return nullptr;
    const QString book = m_store.makeBookFolder(canonicalFolder);
    if (book.isEmpty())
        return nullptr;
    const RecoveryStore::RunFolder folder = RecoveryStore::makeRunFolder(book, m_name);
    if (folder.path.isEmpty())
        return nullptr;
    return &*m_folders.insert(canonicalFolder, folder);
}

void RecoveryRun::run(const Job& job) {
    switch (job.kind) {
    case Job::Kind::Keep: {
        const RecoveryStore::RunFolder* folder =
            runFolder(RecoveryStore::canonicalFolder(job.folder));
        if (folder &&
            RecoveryStore::write(RecoveryStore::copyPath(folder->path, job.sheetName), job.text))
            ++m_written;
        else
            ++m_failed;
        break;
    }
    case Job::Kind::Drop:
        if (const auto it = m_folders.constFind(RecoveryStore::canonicalFolder(job.folder));
            it != m_folders.cend())
            QFile::remove(RecoveryStore::copyPath(it->path, job.sheetName));
        break;
    case Job::Kind::DropAll:
        for (RecoveryStore::RunFolder& folder : m_folders)
            RecoveryStore::removeRun(folder);
        m_folders.clear();
        break;
    case Job::Kind::Discard:
        RecoveryStore::discard(job.folder);
        break;
    case Job::Kind::Prune:
        m_store.prune(QDateTime::currentDateTime());
        break;
    }
}
