#include "spellui/SpellConfigFile.h"

#include "spelling/TSpellCheckerBase.h"

#include <QDir>
#include <QFileInfo>

using kerfa::spelling::TSpellCheckerBase;

SpellConfigFile::SpellConfigFile(TSpellCheckerBase& checker) : m_checker(checker) {
    checker.ConfigStorage = kerfa::spelling::csCallback;
    checker.OnConfigReadString = [this](const std::string& section, const std::string& key,
                                        const std::string& fallback) {
        return file()
            .readString(QString::fromStdString(section), QString::fromStdString(key),
                        QString::fromStdString(fallback))
            .toStdString();
    };
    checker.OnConfigWriteString = [this](const std::string& section, const std::string& key,
                                         const std::string& value) {
        file().writeString(QString::fromStdString(section), QString::fromStdString(key),
                           QString::fromStdString(value));
        return true;
    };
    checker.OnConfigLoaded = [this] {
        m_file.reset();
    };
    checker.OnConfigSaved = [this] {
        if (!m_file)
            return;
        QDir().mkpath(QFileInfo(m_file->path()).absolutePath());
        m_file->save();
        m_file.reset();
    };
}

SpellConfigFile::~SpellConfigFile() {
    m_checker.OnConfigReadString = nullptr;
    m_checker.OnConfigWriteString = nullptr;
    m_checker.OnConfigLoaded = nullptr;
    m_checker.OnConfigSaved = nullptr;
}

QString SpellConfigFile::path() const {
    return QString::fromStdString(m_checker.ExpandPath(m_checker.ConfigFilename));
}

IniFile& SpellConfigFile::file() {
    if (!m_file)
        m_file = std::make_unique<IniFile>(path());
    return *m_file;
}
