#include "common/FileWriter.h"

#include "common/AtomicFile.h"

#include <QFile>
#include <sys/stat.h>

bool FileWriter::write(const QString& path, QByteArrayView bytes, Access access) {
    return kerfa::AtomicFile::save(QFile::encodeName(path).toStdString(),
                                   std::string_view(bytes.data(), std::size_t(bytes.size())),
                                   access == Access::Private ? 0600 : 0);
}

bool FileWriter::write(const QString& path, QByteArrayView bytes, mode_t mode) {
    return kerfa::AtomicFile::save(QFile::encodeName(path).toStdString(),
                                   std::string_view(bytes.data(), std::size_t(bytes.size())),
                                   mode & 07777);
}

mode_t FileWriter::modeOf(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return info.st_mode & 07777;
}

int FileWriter::removeLeftovers(const QStringList& folders) {
    std::size_t removed = 0;
    for (const QString& folder : folders)
        removed += kerfa::AtomicFile::removeLeftovers(QFile::encodeName(folder).toStdString());
    return int(removed);
}
