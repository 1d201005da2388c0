#pragma once

#include "common/IniFile.h"

#include <QHash>

#include <functional>
#include <memory>

namespace kerfa::spelling {
class TSpellCheckerBase;
}

// Keeps a spelling checker's configuration in its INI file ("Spelling/Spell.cfg" for the
// editor): the checker's storage callbacks read and write through the program's one INI reader,
// one section per user. The file is read afresh for each load of the configuration and written
// (atomically, its folder made if needed) at the end of each save, so that two programs sharing
// it lose only what both changed.
class SpellConfigFile {
public:
    // Told the file's path when a save could not write it; the file then stays as it was.
    using SaveFailed = std::function<void(const QString& path)>;

    // Connects to the checker, which must outlive this object's use by it.
    explicit SpellConfigFile(kerfa::spelling::TSpellCheckerBase& checker,
                             SaveFailed saveFailed = {});
    // Disconnects: the checker then stores nothing.
    ~SpellConfigFile();
    SpellConfigFile(const SpellConfigFile&) = delete;
    SpellConfigFile& operator=(const SpellConfigFile&) = delete;

    QString path() const;

private:
    // A section's values by case-folded key, read from the file in one pass and kept until the
    // configuration is loaded or saved again: lists are read value by value, and a section may
    // hold thousands of values.
    using Values = QHash<QString, QString>;
    const Values& sectionValues(const QString& section);
    IniFile& file();

    kerfa::spelling::TSpellCheckerBase& m_checker;
    SaveFailed m_saveFailed;
    std::unique_ptr<IniFile> m_file;
    QHash<QString, Values> m_sections;
};
