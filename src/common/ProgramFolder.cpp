#include "common/ProgramFolder.h"

#include "common/FileWriter.h"
#include "common/ShippedFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(const QString& folder) {
    QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (!clean.endsWith(u'/'))
        clean += u'/';
    return clean;
}

} // namespace

QString ProgramFolder::shippedDataBeside(const QString& executableFolder) {
    const QString data = withSlash(executableFolder + QStringLiteral("/../share/kerfa"));
    return QFileInfo(data + ShippedFiles::kListName).isFile() ? data : QString();
}

QString ProgramFolder::resolve(const QString& kerfaHome, const QString& executableFolder,
                               const QString& shippedData, const QString& dataHome) {
    if (!kerfaHome.isEmpty())
        return withSlash(kerfaHome);
    if (!shippedData.isEmpty())
        return withSlash(dataHome + QStringLiteral("/kerfa"));
    return withSlash(executableFolder);
}

QString ProgramFolder::shippedData() {
    // The executable does not move while it runs: one look is enough.
    static const QString data = shippedDataBeside(QCoreApplication::applicationDirPath());
    return data;
}

QString ProgramFolder::userFolder() {
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/kerfa"));
}

QString ProgramFolder::path() {
    return resolve(qEnvironmentVariable("KERFA_HOME"), QCoreApplication::applicationDirPath(),
                   shippedData(),
                   QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString ProgramFolder::sub(const QString& name) {
    return path() + name + u'/';
}

int ProgramFolder::removeLeftovers() {
    const QString folder = path();
    QStringList folders = {folder};
    for (const QString& sub : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot |
                                                     QDir::NoSymLinks | QDir::Hidden))
        folders << folder + sub;
    return FileWriter::removeLeftovers(folders);
}
