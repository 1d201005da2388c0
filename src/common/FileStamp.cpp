#include "common/FileStamp.h"

#include "common/FileReader.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

namespace {

QByteArray hashOf(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

// Only a regular file is a text another program may have changed: a link or a folder at its
// place makes the save fail, as it should. The time in nanoseconds: two changes within one second
// are told apart.
bool stamped(const QString& path, qint64& size, qint64& changed) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    size = info.st_size;
    changed = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return true;
}

} // namespace

FileStamp FileStamp::of(const QString& path, QByteArrayView bytes) {
    FileStamp stamp;
    stamp.m_exists = stamped(path, stamp.m_size, stamp.m_changed);
    if (stamp.m_exists)
        stamp.m_hash = hashOf(bytes);
    return stamp;
}

bool FileStamp::changedSince(const QString& path, qint64 maxBytes) const {
    qint64 size = 0;
    qint64 changed = 0;
    if (!stamped(path, size, changed))
        return false;
    if (!m_exists)
        return true;
    if (size == m_size && changed == m_changed)
        return false;
    FileReader::Limits limits;
    limits.maxBytes = std::uint64_t(maxBytes);
    FileReader::Status status = FileReader::Status::Failed;
    const QByteArray bytes = FileReader::read(path, limits, &status);
    return status != FileReader::Status::Ok || hashOf(bytes) != m_hash;
}
