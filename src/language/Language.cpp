#include "language/Language.h"

#include "common/IniFile.h"
#include "language/Captions.h"
#include "language/Messages.h"

#include <QFileInfo>

Language& Language::instance() {
    static Language language;
    return language;
}

bool Language::load(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    const IniFile file(path);
    for (const Captions::Row& row : Captions::rows()) {
        if (!*row.section)
            continue;
        const QString section = QString::fromLatin1(row.section);
        const QString key = QString::fromLatin1(row.key);
        Captions::setFromLanguage(section, key, file.readString(section, key));
    }
    for (const QString& key : file.keys(u"Messages"))
        Messages::setFromLanguage(key, file.readString(u"Messages", key));
    m_fileName = info.fileName();
    Q_EMIT applied();
    return true;
}

void Language::reset() {
    Captions::reset();
    Messages::reset();
    m_fileName.clear();
    Q_EMIT applied();
}

QString Language::nameOf(const QString& fileName) {
    QString name = fileName;
    if (const qsizetype ini = name.indexOf(QLatin1String(".ini"), 0, Qt::CaseInsensitive); ini >= 0)
        name.truncate(ini);
    return name.toLower();
}
