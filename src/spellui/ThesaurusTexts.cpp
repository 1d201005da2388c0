#include "spellui/ThesaurusTexts.h"

#include <array>
#include <utility>

using kerfa::spelling::TThesaurusLanguageType;

namespace ThesaurusTexts {

namespace {

constexpr std::size_t kTextCount = 9;

struct LanguageTexts {
    TThesaurusLanguageType language;
    std::array<const char*, kTextCount> texts; // by TThesaurusLanguageString
};

constexpr LanguageTexts kTexts[] = {
    {TThesaurusLanguageType::ltEnglish,
     {"Thesaurus: %name%", "Looked Up:", "Contexts:", "Replace With:", "&Previous", "&Lookup",
      "&Replace", "&Close", "(not found)"}},
};

} // namespace

QString text(TThesaurusLanguageType language, TThesaurusLanguageString id) {
    const auto index = static_cast<std::size_t>(id);
    for (const LanguageTexts& row : kTexts)
        if (row.language == language && row.texts[index])
            return QString::fromUtf8(row.texts[index]);
    return QString::fromUtf8(kTexts[0].texts[index]);
}

TThesaurusLanguageType languageFor(const QString& languageName) {
    const QString name = languageName.toLower();
    if (name.contains(QLatin1String("portuguese")))
        return TThesaurusLanguageType::ltBrPort;
    static const std::pair<const char*, TThesaurusLanguageType> names[] = {
        {"czech", TThesaurusLanguageType::ltCzech},
        {"danish", TThesaurusLanguageType::ltDanish},
        {"estonian", TThesaurusLanguageType::ltEstonian},
        {"french", TThesaurusLanguageType::ltFrench},
        {"german", TThesaurusLanguageType::ltGerman},
        {"italian", TThesaurusLanguageType::ltItalian},
        {"norwegian", TThesaurusLanguageType::ltNorwegianBok},
        {"polish", TThesaurusLanguageType::ltPolish},
        {"spanish", TThesaurusLanguageType::ltSpanish},
        {"russian", TThesaurusLanguageType::ltRussian},
        {"swedish", TThesaurusLanguageType::ltSwedish},
    };
    for (const auto& [key, language] : names)
        if (name == QLatin1String(key))
            return language;
    return TThesaurusLanguageType::ltEnglish;
}

} // namespace ThesaurusTexts
