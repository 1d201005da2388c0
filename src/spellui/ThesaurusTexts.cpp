#include "spellui/ThesaurusTexts.h"

#include <array>
#include <utility>

using kerfa::spelling::TThesaurusLanguageType;

namespace ThesaurusTexts {

namespace {

constexpr std::size_t kTextCount = 10;

struct LanguageTexts {
    TThesaurusLanguageType language;
    std::array<const char*, kTextCount> texts; // by TThesaurusLanguageString
};

using L = TThesaurusLanguageType;

constexpr LanguageTexts kTexts[] = {
    {L::ltEnglish,
     {"Thesaurus: %name%", "Looked Up:", "Contexts:", "Replace With:", "&Previous", "&Lookup",
      "&Replace", "&Close", "(not found)", "Base form:"}},
    {L::ltSwedish,
     {"Synonymordlista: %name%", "Uppslaget ord:", "Betydelser:", "Ersätt med:", "&Föregående",
      "&Slå upp", "&Ersätt", "S&täng", "(hittades inte)", "Grundform:"}},
    {L::ltGerman,
     {"Thesaurus: %name%", "Nachgeschlagen:", "Bedeutungen:", "Ersetzen durch:", "&Zurück",
      "&Nachschlagen", "&Ersetzen", "&Schließen", "(nicht gefunden)", "Grundform:"}},
    {L::ltRussian,
     {"Тезаурус: %name%", "Искомое слово:", "Значения:", "Заменить на:", "&Назад", "&Поиск",
      "&Заменить", "За&крыть", "(не найдено)", "Начальная форма:"}},
    {L::ltCzech,
     {"Slovník synonym: %name%", "Vyhledané slovo:", "Významy:", "Nahradit za:", "&Předchozí",
      "&Vyhledat", "&Nahradit", "&Zavřít", "(nenalezeno)", "Základní tvar:"}},
    {L::ltDanish,
     {"Synonymordbog: %name%", "Slået op:", "Betydninger:", "Erstat med:", "&Forrige", "&Slå op",
      "&Erstat", "&Luk", "(ikke fundet)", "Grundform:"}},
    {L::ltNorwegianBok,
     {"Synonymordbok: %name%", "Slått opp:", "Betydninger:", "Erstatt med:", "&Forrige", "&Slå opp",
      "&Erstatt", "&Lukk", "(ikke funnet)", "Grunnform:"}},
    {L::ltPolish,
     {"Słownik synonimów: %name%", "Wyszukany wyraz:", "Znaczenia:", "Zamień na:", "&Poprzedni",
      "&Wyszukaj", "&Zamień", "Za&mknij", "(nie znaleziono)", "Forma podstawowa:"}},
    {L::ltItalian,
     {"Sinonimi: %name%", "Parola cercata:", "Significati:", "Sostituisci con:", "&Precedente",
      "&Cerca", "&Sostituisci", "C&hiudi", "(non trovata)", "Forma base:"}},
    {L::ltEstonian,
     {"Tesaurus: %name%", "Otsitud sõna:", "Tähendused:", "Asenda sõnaga:", "&Eelmine", "&Otsi",
      "&Asenda", "&Sulge", "(ei leitud)", "Algvorm:"}},
    {L::ltFrench,
     {"Synonymes\u00A0: %name%",
      "Mot recherché\u00A0:", "Sens\u00A0:", "Remplacer par\u00A0:", "&Précédent", "&Rechercher",
      "Re&mplacer", "&Fermer", "(introuvable)", "Forme de base\u00A0:"}},
    {L::ltSpanish,
     {"Sinónimos: %name%", "Palabra buscada:", "Significados:", "Reemplazar por:", "&Anterior",
      "&Buscar", "&Reemplazar", "&Cerrar", "(no encontrada)", "Forma base:"}},
    {L::ltBrPort,
     {"Dicionário de sinônimos: %name%", "Palavra pesquisada:", "Significados:", "Substituir por:",
      "&Anterior", "&Pesquisar", "&Substituir", "&Fechar", "(não encontrada)", "Forma básica:"}},
};

// Every language has its row, in the order of the languages, with every text.
constexpr bool complete() {
    if (std::size(kTexts) != static_cast<std::size_t>(L::ltBrPort) + 1)
        return false;
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
        if (static_cast<std::size_t>(kTexts[i].language) != i)
            return false;
        for (const char* text : kTexts[i].texts)
            if (!text || !*text)
                return false;
    }
    return true;
}
static_assert(complete());

} // namespace

QString text(TThesaurusLanguageType language, TThesaurusLanguageString id) {
    const auto row = static_cast<std::size_t>(language);
    return QString::fromUtf8(
        kTexts[row < std::size(kTexts) ? row : 0].texts[static_cast<std::size_t>(id)]);
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
