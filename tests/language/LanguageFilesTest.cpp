#include "common/AsciiCase.h"
#include "common/IniFile.h"
#include "language/Captions.h"
#include "language/Language.h"
#include "language/Messages.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <gtest/gtest.h>

// Failures name a language file by its name.
void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

// The language files Kerfa ships: each one complete, English the built-in texts, and every
// translation's access keys apart within each menu and dialog.
namespace {

const QString kFolder = QStringLiteral(KERFA_SOURCE_DIR "/data/Languages/");

QStringList shippedFiles() {
    return QDir(kFolder).entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
}

struct Key {
    const char* section;
    const char* key;
};

// What shares the Alt key's letters: a menu, a popup, a dialog (or a tab with the dialog's
// buttons). A menu's letters work only while it is open, so menus are scopes of their own.
struct Scope {
    const char* name;
    std::vector<Key> keys;
};

const std::vector<Scope>& scopes() {
    static const std::vector<Scope> all = {
        {"main menu bar",
         {{"Project.Main", "MM00"}, {"Project.Main", "MM01"}, {"Project.Main", "MM02"}}},
        {"File menu",
         {{"Project.File", "MN00"},
          {"Project.File", "MN01"},
          {"Project.File", "MN02"},
          {"Project.File", "MN03"},
          {"Project.File", "MN04"},
          {"Project.File", "MN05"},
          {"Project.File", "MN06"}}},
        {"Explore menu",
         {{"Project.Sub-Explore", "MN00"},
          {"Project.Sub-Explore", "MN01"},
          {"Project.Sub-Explore", "MN02"},
          {"Project.Sub-Explore", "MN03"},
          {"Project.Sub-Explore", "MN04"},
          {"Project.Sub-Explore", "MN05"}}},
        {"Tools menu",
         {{"Project.Tools", "MN00"},
          {"Project.Tools", "MN01"},
          {"Project.Tools", "MN02"},
          {"Project.Tools", "MN03"},
          {"Dialog.ReplaceInBook", "MN00"},
          {"Targets", "MN00"}}},
        {"Help menu",
         {{"Project.Help", "MN00"}, {"Project.Help", "MN01"}, {"Project.Help", "MN02"}}},
        {"sheet popup",
         {{"Project.PopupKerfa", "MN00"},
          {"Project.Tools", "MN02"},
          {"Project.PopupKerfa", "MN05"},
          {"Project.PopupKerfa", "MN02"},
          {"Project.PopupKerfa", "MN03"},
          {"Project.PopupKerfa", "MN04"},
          {"Dialog.Snapshots", "MN00"},
          {"Dialog.Snapshots", "MN01"},
          {"Targets", "MN01"}}},
        {"sheet popup's compilation menu",
         {{"Project.PopupKerfa", "MN01"}, {"Project.PopupKerfa", "MN06"}}},
        {"editor menu bar",
         {{"Editor.Main", "MM00"},
          {"Editor.Main", "MM01"},
          {"Editor.Main", "MM02"},
          {"Editor.Main", "MM03"},
          {"Editor.Main", "MM04"}}},
        {"editor File menu",
         {{"Editor.File", "MN00"},
          {"Editor.File", "MN01"},
          {"Editor.File", "MN02"},
          {"Editor.File", "MN03"},
          {"Editor.File", "MN04"}}},
        {"editor Explore menu",
         {{"Editor.Sub-Explore", "MN00"},
          {"Editor.Sub-Explore", "MN01"},
          {"Editor.Sub-Explore", "MN02"}}},
        {"editor Edit menu and popup",
         {{"Editor.Edit", "MN00"},
          {"Editor.Edit", "MN01"},
          {"Editor.Edit", "MN02"},
          {"Editor.Edit", "MN03"},
          {"Editor.Edit", "MN04"}}},
        {"editor Search menu", {{"Editor.Search", "MN00"}, {"Editor.Search", "MN01"}}},
        {"editor Tools menu",
         {{"Editor.Tools", "MN00"},
          {"Editor.Tools", "MN01"},
          {"Editor.Tools", "MN02"},
          {"Editor.Tools", "MN03"},
          {"Editor.Tools", "MN04"},
          {"Dialog.Snapshots", "MN00"},
          {"Dialog.Snapshots", "MN01"}}},
        {"recovery window",
         {{"Dialog.Recovery", "BN00"},
          {"Dialog.Recovery", "BN01"},
          {"Dialog.Recovery", "BN02"},
          {"Dialog.Recovery", "BN03"}}},
        {"snapshots window",
         {{"Dialog.Snapshots", "BN00"},
          {"Dialog.Snapshots", "BN01"},
          {"Dialog.Snapshots", "BN02"}}},
        {"replace in book",
         {{"Dialog.ReplaceInBook", "BN00"},
          {"Dialog.ReplaceInBook", "BN01"},
          {"Dialog.ReplaceInBook", "BN02"},
          {"Dialog.ReplaceInBook", "CB00"},
          {"Dialog.ReplaceInBook", "CB01"}}},
        {"compilation window",
         {{"Dialog.Compile", "BN00"},
          {"Dialog.Compile", "BN01"},
          {"Dialog.Compile", "BN02"},
          {"Dialog.Compile", "GB00"},
          {"Dialog.Compile", "CB00"},
          {"Dialog.Compile", "CB01"}}},
        {"export dialog",
         {{"Dialog.Export", "RB00"},
          {"Dialog.Export", "RB01"},
          {"Dialog.Export", "RB02"},
          {"Dialog.Export", "RB03"},
          {"Dialog.Export", "RB04"},
          {"Dialog.Export", "CB00"},
          {"Buttons", "BN00"},
          {"Buttons", "BN01"}}},
        {"compilation popup",
         {{"Project.PopupKerfa", "MN00"}, {"Dialog.Compile", "PM00"}, {"Dialog.Compile", "PM01"}}},
        {"find and compile",
         {{"Dialog.FindReplace", "BN00"},
          {"Dialog.FindReplace", "BN03"},
          {"Dialog.FindReplace", "GB00"},
          {"Dialog.FindReplace", "CB00"},
          {"Dialog.FindReplace", "CB02"}}},
        {"find and replace",
         {{"Dialog.FindReplace", "BN00"},
          {"Dialog.FindReplace", "BN01"},
          {"Dialog.FindReplace", "BN02"},
          {"Dialog.FindReplace", "BN03"},
          {"Dialog.FindReplace", "GB00"},
          {"Dialog.FindReplace", "CB00"},
          {"Dialog.FindReplace", "CB01"},
          {"Dialog.FindReplace", "GB01"}}},
        {"options, Application tab",
         {{"Buttons", "BN00"},
          {"Buttons", "BN01"},
          {"Dialog.Options", "TB00"},
          {"Dialog.Options", "TB01"},
          {"Dialog.Options", "TB02"},
          {"Dialog.Options", "GB00"},
          {"Dialog.Options", "GB01"},
          {"Dialog.Options", "CB00"},
          {"Dialog.Options", "CB01"},
          {"Dialog.Options", "GB02"},
          {"Dialog.Options", "CB03"}}},
        {"options, Project tab",
         {{"Buttons", "BN00"},
          {"Buttons", "BN01"},
          {"Dialog.Options", "TB00"},
          {"Dialog.Options", "TB01"},
          {"Dialog.Options", "TB02"},
          {"Dialog.Options", "GB03"},
          {"Dialog.Options", "RB00"},
          {"Dialog.Options", "RB01"},
          {"Dialog.Options", "RB02"},
          {"Dialog.Options", "GB04"},
          {"Dialog.Options", "GB05"},
          {"Dialog.Options", "CB04"}}},
        {"options, Editor tab",
         {{"Buttons", "BN00"},
          {"Buttons", "BN01"},
          {"Dialog.Options", "TB00"},
          {"Dialog.Options", "TB01"},
          {"Dialog.Options", "TB02"},
          {"Dialog.Options", "GB06"},
          {"Dialog.Options", "CB05"},
          {"Dialog.Options", "RB03"},
          {"Dialog.Options", "RB04"},
          {"Dialog.Options", "RB05"},
          {"Dialog.Options", "GB07"},
          {"Dialog.Options", "GB08"},
          {"Dialog.Options", "CB06"},
          {"Dialog.Options", "LB00"}}},
        {"properties",
         {{"Buttons", "BN00"},
          {"Buttons", "BN01"},
          {"Dialog.Properties", "GB00"},
          {"Dialog.Properties", "LB00"},
          {"Dialog.Properties", "LB01"},
          {"Dialog.Properties", "GB01"},
          {"Targets", "LB00"},
          {"Targets", "LB01"}}},
        {"word target",
         {{"Buttons", "BN00"}, {"Buttons", "BN01"}, {"Targets", "LB00"}, {"Targets", "LB01"}}},
    };
    return all;
}

// The designed English texts share a letter in these (Create and Content, Close and Clear
// Compilation, Single and Auto Save); translations do not.
const QSet<QString> kEnglishClashes = {QStringLiteral("compilation window"),
                                       QStringLiteral("find and compile"),
                                       QStringLiteral("options, Editor tab")};

// The letter "&" marks, in lower case; none when there is none ("&&" shows "&").
QChar accessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// Every caption key of the table, once, in its order.
QList<std::pair<QString, QString>> captionKeys() {
    QList<std::pair<QString, QString>> keys;
    for (const Captions::Row& row : Captions::rows()) {
        if (!*row.section)
            continue;
        const std::pair<QString, QString> key{QString::fromLatin1(row.section),
                                              QString::fromLatin1(row.key)};
        if (!keys.contains(key))
            keys << key;
    }
    return keys;
}

class LanguageFile : public testing::TestWithParam<QString> {
protected:
    void TearDown() override {
        Captions::reset();
        Messages::reset();
    }
    IniFile file() const { return IniFile(kFolder + GetParam()); }
};

TEST(LanguageFiles, EnglishAndAtLeastThreeTranslationsShip) {
    const QStringList files = shippedFiles();
    EXPECT_TRUE(files.contains(QStringLiteral("English.ini")));
    for (const char* language : {"German.ini", "French.ini", "Spanish.ini"})
        EXPECT_TRUE(files.contains(QString::fromLatin1(language))) << language;
}

TEST_P(LanguageFile, HoldsEveryKeyAndNoOther) {
    const IniFile ini = file();
    QSet<QString> known;
    for (const auto& [section, key] : captionKeys()) {
        known.insert(AsciiCase::lower(section) + u'/' + AsciiCase::lower(key));
        EXPECT_FALSE(ini.readString(section, key).trimmed().isEmpty())
            << section.toStdString() << " " << key.toStdString();
    }
    // The language of Qt's own texts.
    known.insert(QStringLiteral("language/locale"));
    EXPECT_FALSE(ini.readString(u"Language", u"Locale").trimmed().isEmpty());
    for (int i = 0; i < Messages::Count; ++i) {
        const QString name = Messages::name(Messages::Key(i));
        known.insert(QStringLiteral("messages/") + AsciiCase::lower(name));
        EXPECT_FALSE(ini.readString(u"Messages", name).trimmed().isEmpty()) << name.toStdString();
    }
    // A misspelt key would silently leave its text in English.
    for (const QString& section : ini.sections())
        for (const QString& key : ini.keys(section))
            EXPECT_TRUE(known.contains(AsciiCase::lower(section) + u'/' + AsciiCase::lower(key)))
                << section.toStdString() << " " << key.toStdString();
}

TEST_P(LanguageFile, KeepsAccessKeysApartWithinEachMenuAndDialog) {
    const IniFile ini = file();
    const IniFile english(kFolder + QStringLiteral("English.ini"));
    const bool isEnglish = GetParam() == QLatin1String("English.ini");
    for (const Scope& scope : scopes()) {
        QHash<QChar, QString> taken;
        for (const Key& key : scope.keys) {
            const QString text =
                ini.readString(QString::fromLatin1(key.section), QString::fromLatin1(key.key));
            const QChar letter = accessKey(text);
            // A caption with an access key in English has one in every language, and the
            // other way round.
            const bool englishHasOne =
                !accessKey(english.readString(QString::fromLatin1(key.section),
                                              QString::fromLatin1(key.key)))
                     .isNull();
            EXPECT_EQ(!letter.isNull(), englishHasOne) << scope.name << ": " << text.toStdString();
            if (letter.isNull())
                continue;
            if (taken.contains(letter) && !(isEnglish && kEnglishClashes.contains(scope.name)))
                ADD_FAILURE() << scope.name << ": \"" << taken[letter].toStdString() << "\" and \""
                              << text.toStdString() << "\"";
            taken.insert(letter, text);
        }
    }
}

TEST_P(LanguageFile, PutsItsTextsInForce) {
    const IniFile ini = file();
    ASSERT_TRUE(Language::instance().load(kFolder + GetParam()));
    EXPECT_EQ(Language::instance().fileName(), GetParam());
    EXPECT_EQ(Captions::text(u"fmMain", u"mmnuFile"), ini.readString(u"Project.Main", u"MM00"));
    EXPECT_EQ(Captions::text(u"fmOptions", u"gbLanguage"),
              u' ' + ini.readString(u"Dialog.Options", u"GB00") + u' ');
    EXPECT_EQ(Messages::text(Messages::SAVE_PROJECT), ini.readString(u"Messages", u"SAVE_PROJECT"));
    EXPECT_EQ(Messages::text(Messages::EDITING_KERFA),
              ini.readString(u"Messages", u"EDITING_KERFA"));
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFile, testing::ValuesIn(shippedFiles()),
                         [](const testing::TestParamInfo<QString>& info) {
                             std::string name;
                             for (const QChar c : info.param.chopped(4))
                                 if (c.isLetterOrNumber() && c.unicode() < 128)
                                     name += char(c.unicode());
                             return name;
                         });

TEST(LanguageFiles, EnglishHoldsTheBuiltInTexts) {
    const IniFile english(kFolder + QStringLiteral("English.ini"));
    ASSERT_TRUE(Language::instance().load(english.path()));
    for (const Captions::Row& row : Captions::rows()) {
        // The properties dialog's caption is made at every showing.
        if (!*row.section ||
            (QLatin1String(row.window) == QLatin1String("fmProperties") && !*row.component))
            continue;
        const QString window = QString::fromLatin1(row.window);
        const QString component = QString::fromLatin1(row.component);
        EXPECT_EQ(Captions::text(window, component).trimmed(),
                  QString::fromUtf8(row.builtIn).trimmed())
            << row.window << "." << row.component;
    }
    for (int i = 0; i < Messages::Count; ++i)
        EXPECT_EQ(Messages::text(Messages::Key(i)), Messages::builtIn(Messages::Key(i)))
            << Messages::name(Messages::Key(i)).toStdString();
    Captions::reset();
    Messages::reset();
}

} // namespace
