#pragma once

#include "spelling/TSpellCheckerBase.h"
#include "spellui/SpellConfigFile.h"

#include <memory>
#include <string>

class QLocale;

// The program's one spelling configuration, "Spelling/Spell.cfg", shared by the spelling checker
// of every editor window: an option or dictionary chosen in one window holds in all of them at
// their next word, and the file is written from this one copy, so that no window's older copy
// overwrites what another saved. It is read when the first checker needs it and lives while any
// checker uses it; a save that cannot write the file says so.
class ProgramSpellConfig {
public:
    // The configuration in use, or a new one when no checker uses one.
    static std::shared_ptr<kerfa::spelling::TSpellConfig> acquire();
    // Gives a checker the program's values and its path variables.
    static void setUp(kerfa::spelling::TSpellCheckerBase& checker);
    // The main dictionary of a new configuration: the locale's English (en_US American, en_CA
    // Canadian), British for any other locale.
    static std::string firstMainDictionary(const QLocale& locale);

    ProgramSpellConfig();
    // Writes what changed since the last save.
    ~ProgramSpellConfig();
    ProgramSpellConfig(const ProgramSpellConfig&) = delete;
    ProgramSpellConfig& operator=(const ProgramSpellConfig&) = delete;

private:
    // Never checks: its storage, defaults and path variables are the configuration's.
    kerfa::spelling::TSpellCheckerBase m_owner;
    SpellConfigFile m_file;
};
