#include "spellui/ProgramSpellConfig.h"

#include "common/ProgramFolder.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "spelling/DictionaryLanguages.h"

#include <QLocale>
#include <QStandardPaths>

using namespace kerfa::spelling;

namespace {

void warnNotSaved(const QString& path) {
    MessageBoxes::warning(u'\'' + path + QStringLiteral("' ") +
                          Messages::text(Messages::CANNOT_SAVE_FILE));
}

} // namespace

std::string ProgramSpellConfig::firstMainDictionary(const QLocale& locale) {
    return DictionaryLanguages::ForLocale(locale.name().toStdString());
}

std::shared_ptr<TSpellConfig> ProgramSpellConfig::acquire() {
    // Held by the checkers alone: when the last editor window goes, the configuration is
    // written and let go, and the next window reads the file afresh.
    static std::weak_ptr<ProgramSpellConfig> current;
    std::shared_ptr<ProgramSpellConfig> shared = current.lock();
    if (!shared) {
        shared = std::make_shared<ProgramSpellConfig>();
        current = shared;
    }
    return {shared, shared->m_owner.ConfigObject().get()};
}

void ProgramSpellConfig::setUp(TSpellCheckerBase& checker) {
    checker.UseProgramSettings();
    // A first start (no Spell.cfg yet) and Reset Defaults check in the English of the system's
    // locale, as Qt reads it from the environment.
    checker.ConfigDefaultMain = {firstMainDictionary(QLocale::system())};
    checker.OnCustomSaveFailed = [](const std::string& fileName) {
        warnNotSaved(QString::fromStdString(fileName));
    };
    QString folder = ProgramFolder::path();
    if (folder.endsWith(u'/'))
        folder.chop(1);
    checker.Paths.appDir = folder.toStdString();
    checker.Paths.myDocuments =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

ProgramSpellConfig::ProgramSpellConfig() : m_file(m_owner, warnNotSaved) {
    setUp(m_owner);
}

ProgramSpellConfig::~ProgramSpellConfig() {
    // While the file is still connected.
    m_owner.SaveConfig();
}
