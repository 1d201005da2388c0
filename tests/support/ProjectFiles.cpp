#include "support/ProjectFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ProjectFiles {

bool write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(root.relativeFilePath(path), read(path));
    }
    return files;
}

QByteArray sheet(int type, int state, int left, int top, const QString& description,
                 const QString& linkTo) {
    return QStringLiteral(
               "[StateData]\r\nType=%1\r\nState=%2\r\n[Position]\r\nLeft=%3\r\nTop=%4\r\n"
               "[Description]\r\nText=%5\r\n[LinkTo]\r\nName=%6\r\n")
        .arg(type)
        .arg(state)
        .arg(left)
        .arg(top)
        .arg(description, linkTo)
        .toUtf8();
}

} // namespace ProjectFiles
