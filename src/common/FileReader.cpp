#include "common/FileReader.h"

#include <QFile>

QByteArray FileReader::read(const QString& path, const Limits& limits, Status* status) {
    QByteArray bytes;
    const Status result =
        kerfa::WholeFile::read(QFile::encodeName(path).toStdString(), bytes, limits);
    if (status)
        *status = result;
    return bytes;
}
