// The spelling and thesaurus dialogs' texts in every language: each text takes the shape of the
// English one (an accelerator where it has one, a colon after a label, an ellipsis on a button
// that opens a dialog, blanks around a group's title), and within one dialog no two
// accelerators of a translation share a letter.

#include "spelling/TSpellLanguageStrings.h"
#include "spellui/ThesaurusTexts.h"

#include <QCoreApplication>
#include <QTest>

#include <vector>

using namespace kerfa::spelling;

namespace {

QString text(TSpellUILanguage language, TSpellLanguageString id) {
    const std::string_view t = TSpellLanguageStrings::Text(language, id);
    return QString::fromUtf8(t.data(), qsizetype(t.size()));
}

// The accelerator's letter, lower case; a null character when there is none.
QChar accelerator(const QString& s) {
    for (qsizetype i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != u'&')
            continue;
        if (s[i + 1] != u'&')
            return s[i + 1].toLower();
        ++i;
    }
    return {};
}

int accelerators(const QString& s) {
    int n = 0;
    for (qsizetype i = 0; i + 1 < s.size(); ++i)
        if (s[i] == u'&')
            n += s[i + 1] == u'&' ? (++i, 0) : 1;
    return n;
}

QString trimmed(QString s) {
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    while (!s.isEmpty() && s.front().isSpace())
        s.remove(0, 1);
    return s;
}

// What a translation must keep of the English text's shape.
QString shape(const QString& s) {
    const QString t = trimmed(s);
    QString out;
    out += s.front().isSpace() && s.back().isSpace() ? u'B' : u'-';
    out += accelerators(s) == 1 ? u'&' : accelerators(s) == 0 ? u'-' : u'!';
    out += t.endsWith(u':') ? u':' : u'-';
    out += t.endsWith(QLatin1String("...")) ? u'.' : u'-';
    out += t.endsWith(u'?') ? u'?' : u'-';
    out += t.startsWith(u'(') && t.endsWith(u')') ? u'(' : u'-';
    return out;
}

// The texts that share a dialog (or a menu), and so their accelerators.
const std::vector<std::vector<TSpellLanguageString>> kDialogs = {
    {lsDlgReplaceWith, lsDlgSuggestions, lsDlgUndo, lsDlgOptions, lsDlgIgnoreAll, lsDlgIgnore,
     lsDlgChangeAll, lsDlgChange, lsDlgAdd, lsDlgAutoCorrect, lsDlgHelp, lsDlgCancel},
    {lsDlgDictionariesLabel, lsDlgCustomDictionary, lsDlgDictionaries, lsDlgOptionsLabel,
     lsLiveSpelling, lsLiveCorrect, lsIgnoreUpcase, lsIgnoreNumbers, lsHTML, lsInternet, lsQuoted,
     lsAbbreviations, lsPrimaryOnly, lsRepeated, lsDUalCaps, lsDlgResetDefaults, lsDlgHelp,
     lsDlgOK},
    {lsDlgCustomDictionaries, lsDlgNew, lsDlgEdit, lsDlgDelete, lsDlgHelp, lsDlgOK},
    {lsDlgNewCustom, lsDlgOK, lsDlgCancel},
    {lsDlgAddedWords, lsDlgAutoCorrectPairs, lsDlgExcludedWords, lsDlgIgnoreThisWord, lsDlgReplace,
     lsDlgWith, lsDlgExcludeThisWord, lsDlgAdd, lsDlgDelete, lsDlgHelp, lsDlgOK},
    {lsMnIgnore, lsMnIgnoreAll, lsMnAdd, lsMnChangeAll, lsMnAutoCorrect, lsMnSpelling},
};

} // namespace

class SpellTextsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void spellingTexts_data() {
        QTest::addColumn<int>("language");
        const char* names[] = {"English", "Swedish",   "BrPort", "Afrikaans", "German",
                               "Spanish", "Russian",   "Czech",  "Dutch",     "Danish",
                               "Polish",  "Norwegian", "French", "Italian",   "Estonian"};
        for (int l = ltEnglish; l <= ltEstonian; ++l)
            QTest::newRow(names[l]) << l;
    }
    void spellingTexts() {
        QFETCH(int, language);
        const auto lang = static_cast<TSpellUILanguage>(language);
        for (int id = 0; id < lsStringCount; ++id) {
            const auto s = static_cast<TSpellLanguageString>(id);
            const QString own = text(lang, s);
            QVERIFY2(!own.isEmpty(), qPrintable(QString::number(id)));
            QCOMPARE(shape(own), shape(text(ltEnglish, s)));
            if (accelerators(own) == 1)
                QVERIFY2(accelerator(own).isLetter(), qPrintable(own));
        }
        // The English texts are the program's own as they have always been (two of its tabs
        // share Alt+E); the translations keep every accelerator of a dialog apart.
        if (lang == ltEnglish)
            return;
        for (const auto& dialog : kDialogs) {
            QString seen;
            for (const TSpellLanguageString s : dialog) {
                const QChar a = accelerator(text(lang, s));
                if (a.isNull())
                    continue;
                QVERIFY2(!seen.contains(a), qPrintable(text(lang, s)));
                seen += a;
            }
        }
        // A language reaching past the table reads as English.
        QCOMPARE(text(static_cast<TSpellUILanguage>(ltEstonian + 1), lsSpelling),
                 QStringLiteral("Spelling"));
    }

    void thesaurusTexts_data() {
        QTest::addColumn<int>("language");
        for (int l = 0; l <= int(TThesaurusLanguageType::ltBrPort); ++l)
            QTest::newRow(qPrintable(QString::number(l))) << l;
    }
    void thesaurusTexts() {
        QFETCH(int, language);
        using S = TThesaurusLanguageString;
        const auto lang = static_cast<TThesaurusLanguageType>(language);
        const auto t = [lang](S id) {
            return ThesaurusTexts::text(lang, id);
        };
        QVERIFY(t(S::lsThesaurus).contains(QLatin1String("%name%")));
        for (const S label : {S::lsDlgLookedUp, S::lsDlgContexts, S::lsDlgReplaceWith})
            QVERIFY2(trimmed(t(label)).endsWith(u':') && accelerators(t(label)) == 0,
                     qPrintable(t(label)));
        QVERIFY(t(S::lsDlgNotFound).startsWith(u'(') && t(S::lsDlgNotFound).endsWith(u')'));
        QString seen;
        for (const S button : {S::lsDlgPrevious, S::lsDlgLookup, S::lsDlgReplace, S::lsDlgClose}) {
            const QChar a = accelerator(t(button));
            QVERIFY2(accelerators(t(button)) == 1 && a.isLetter() && !seen.contains(a),
                     qPrintable(t(button)));
            seen += a;
        }
    }
};

QTEST_GUILESS_MAIN(SpellTextsTest)

#include "SpellTextsTest.moc"
