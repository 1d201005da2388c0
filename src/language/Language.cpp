#include "language/Language.h"

#include "common/IniFile.h"
#include "language/Captions.h"
#include "language/Messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

Language::Language() = default;

Language::~Language() = default;

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
    if (const QString locale = file.readString(u"Language", u"Locale").trimmed();
        !locale.isEmpty()) {
        m_locale = locale;
        useQtTexts(locale);
    }
    m_fileName = info.fileName();
    Q_EMIT applied();
    return true;
}

void Language::reset() {
    Captions::reset();
    Messages::reset();
    m_fileName.clear();
    m_locale.clear();
    useQtTexts(QString());
    Q_EMIT applied();
}

void Language::useQtTexts(const QString& locale) {
    if (m_qtTexts) {
        QCoreApplication::removeTranslator(m_qtTexts.get());
        m_qtTexts.reset();
    }
    if (locale.isEmpty() || !QCoreApplication::instance())
        return;
    // Qt's translations as the system installs them; without them Qt's texts stay English.
    auto texts = std::make_unique<QTranslator>();
    if (texts->load(QStringLiteral("qtbase_") + locale,
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(texts.get()))
        m_qtTexts = std::move(texts);
}

QString Language::nameOf(const QString& fileName) {
    QString name = fileName;
    if (const qsizetype ini = name.indexOf(QLatin1String(".ini"), 0, Qt::CaseInsensitive); ini >= 0)
        name.truncate(ini);
    return name.toLower();
}
