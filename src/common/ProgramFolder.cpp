#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString ProgramFolder::path() {
    QString folder = qEnvironmentVariable("KERFA_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString ProgramFolder::sub(const QString& name) {
    return path() + name + u'/';
}
