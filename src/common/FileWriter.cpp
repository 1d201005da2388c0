#include "common/FileWriter.h"

#include "common/AtomicFile.h"

#include <QFile>

bool FileWriter::write(const QString& path, QByteArrayView bytes, Access access) {
    return kerfa::AtomicFile::save(QFile::encodeName(path).toStdString(),
                                   std::string_view(bytes.data(), std::size_t(bytes.size())),
                                   access == Access::Private ? 0600 : 0);
}

int FileWriter::removeLeftovers(const QStringList& folders) {
    std::size_t removed = 0;
    for (const QString& folder : folders)
        removed += kerfa::AtomicFile::removeLeftovers(QFile::encodeName(folder).toStdString());
    return int(removed);
}
