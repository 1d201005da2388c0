#include "common/FileNames.h"

#include "common/AsciiCase.h"

#include <QDir>
#include <QFileInfo>

QString FileNames::findFile(const QString& folder, const QString& name) {
    if (name.isEmpty())
        return {};
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile())
        return exact.filePath();
    if (name.contains(u'/'))
        return {};
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (AsciiCase::equal(entry, name))
            return dir.filePath(entry);
    return {};
}

QString FileNames::extension(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : AsciiCase::lower(QStringView(name).mid(dot));
}
