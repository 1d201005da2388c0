#include "spellui/SpellConfigFile.h"

#include "common/Folders.h"
#include "spelling/TSpellCheckerBase.h"

#include <QFileInfo>

#include <utility>

using kerfa::spelling::TSpellCheckerBase;

SpellConfigFile::SpellConfigFile(TSpellCheckerBase& checker, SaveFailed saveFailed)
    : m_checker(checker), m_saveFailed(std::move(saveFailed)) {
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
        const std::unique_ptr<IniFile> file = std::move(m_file);
        Folders::makePath(QFileInfo(file->path()).absolutePath());
        if (!file->save() && m_saveFailed)
            m_saveFailed(file->path());
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
