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
        const Values& values = sectionValues(QString::fromStdString(section));
        const auto found = values.constFind(QString::fromStdString(key).toCaseFolded());
        return found == values.cend() ? fallback : found->toStdString();
    };
    checker.OnConfigWriteString = [this](const std::string& section, const std::string& key,
                                         const std::string& value) {
        const QString name = QString::fromStdString(section);
        const QString keyName = QString::fromStdString(key);
        const QString text = QString::fromStdString(value);
        file().writeString(name, keyName, text);
        const auto cached = m_sections.find(name.toCaseFolded());
        if (cached != m_sections.end())
            cached->insert(keyName.toCaseFolded(), text);
        return true;
    };
    checker.OnConfigCountValues = [this](const std::string& section) {
        return static_cast<std::size_t>(sectionValues(QString::fromStdString(section)).size());
    };
    checker.OnConfigLoaded = [this] {
        m_file.reset();
        m_sections.clear();
    };
    checker.OnConfigSaved = [this] {
        m_sections.clear();
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
    m_checker.OnConfigCountValues = nullptr;
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

const SpellConfigFile::Values& SpellConfigFile::sectionValues(const QString& section) {
    const QString name = section.toCaseFolded();
    auto cached = m_sections.find(name);
    if (cached == m_sections.end()) {
        Values values;
        for (const auto& [key, value] : file().entries(section))
            values.insert(key.toCaseFolded(), value);
        cached = m_sections.insert(name, std::move(values));
    }
    return *cached;
}
