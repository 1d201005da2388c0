#include "project/ProjectNames.h"

#include "common/AsciiCase.h"
#include "common/FileNames.h"

#include <QLocale>

QString ProjectNames::stem(const QString& projectFileName) {
    QString name = projectFileName;
    if (const qsizetype at = name.indexOf(projectExtension()); at >= 0)
        name.remove(at, projectExtension().size());
    return name;
}

QString ProjectNames::projectFileName(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return fileName + projectExtension();
    if (AsciiCase::lower(QStringView(fileName).mid(dot)) != projectExtension())
        return {};
    return fileName;
}

QString ProjectNames::withProjectExtension(const QString& fileName) {
    if (AsciiCase::lower(fileName).endsWith(projectExtension()))
        return fileName;
    return fileName + projectExtension();
}

bool ProjectNames::isReservedForSaveAs(const QString& fileName) {
    if (FileNames::extension(fileName) != projectExtension())
        return false;
    // The stem is what comes before ".kerfa" written in lower case; a name with the extension in
    // other letters has none, and is never refused.
    const qsizetype at = fileName.indexOf(projectExtension());
    return at >= 0 && AsciiCase::lower(QStringView(fileName).left(at)) == QLatin1String("unnamed");
}

QString ProjectNames::backupFolderName(const QString& projectFileName, const QDateTime& when) {
    const QString stamp = QLocale::c().toString(when, QStringLiteral("dd-MM-yy' @ 'hh.mm.ss AP"));
    return stem(projectFileName) + QStringLiteral(" (") + stamp + u')';
}
