#include "spellui/SpellTexts.h"

#include "spelling/TSpellCheckerBase.h"

#include <utility>

using namespace kerfa::spelling;

namespace SpellTexts {

namespace {

// Blanks, including the no-break space French puts before a colon.
QString trimmed(QString text) {
    while (!text.isEmpty() && text.front().isSpace())
        text.remove(0, 1);
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

QString withoutColon(QString text) {
    text = trimmed(std::move(text));
    if (text.endsWith(u':'))
        text.chop(1);
    return trimmed(std::move(text));
}

} // namespace

QString text(const TSpellCheckerBase& checker, TSpellLanguageString id) {
    return QString::fromStdString(checker.GetString(id));
}

QString groupTitle(const QString& text) {
    return withoutColon(text);
}

QString plain(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return withoutColon(out);
}

TSpellUILanguage languageFor(const QString& languageName) {
    QString name = languageName.toLower();
    if (const qsizetype ini = name.indexOf(QLatin1String(".ini")); ini >= 0)
        name.truncate(ini);
    static const std::pair<const char*, TSpellUILanguage> names[] = {
        {"afrikaans", ltAfrikaans}, {"czech", ltCzech},       {"danish", ltDanish},
        {"dutch", ltDutch},         {"estonian", ltEstonian}, {"french", ltFrench},
        {"german", ltGerman},       {"italian", ltItalian},   {"norwegian", ltNorwegianBok},
        {"polish", ltPolish},       {"spanish", ltSpanish},   {"russian", ltRussian},
        {"swedish", ltSwedish},
    };
    for (const auto& [key, language] : names)
        if (name == QLatin1String(key))
            return language;
    return name.contains(QLatin1String("portuguese")) ? ltBrPort : ltEnglish;
}

} // namespace SpellTexts
