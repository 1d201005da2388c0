#include "language/Captions.h"
#include "language/Messages.h"
#include "support/IndexNames.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

class CaptionsTest : public testing::Test {
protected:
    void TearDown() override {
        Captions::reset();
        Messages::reset();
    }
    static std::string text(const char* window, const char* component) {
        return Captions::text(QString::fromLatin1(window), QString::fromLatin1(component))
            .toStdString();
    }
};

TEST_F(CaptionsTest, BuiltInTextsByWindowAndComponent) {
    EXPECT_EQ(text("fmMain", "mnuNewProject"), "&New...");
    EXPECT_EQ(text("fmMain", "dlgSaveAs"), "Save Project To Folder As");
    EXPECT_EQ(text("fmOptions", ""), "Kerfa Options");
    EXPECT_EQ(text("fmCompile", "gbInclude"), " Include ");
    EXPECT_EQ(text("fmMain", "pmnuLinksToCompilation"), "&Links To Compilation");
    EXPECT_EQ(text("fmMain", "nothingOfThatName"), "");
}

TEST_F(CaptionsTest, EachComponentOfAWindowHasOneRowPerKey) {
    QSet<QString> seen;
    for (const Captions::Row& row : Captions::rows()) {
        const QString id = QStringLiteral("%1.%2 %3 %4")
                               .arg(QLatin1String(row.window), QLatin1String(row.component),
                                    QLatin1String(row.section), QLatin1String(row.key));
        EXPECT_FALSE(seen.contains(id)) << id.toStdString();
        seen.insert(id);
    }
}

struct LanguageCase {
    const char* section;
    const char* key;
    const char* value;
    const char* window;
    const char* component;
    const char* caption;
};

class CaptionFromLanguage : public CaptionsTest,
                            public testing::WithParamInterface<LanguageCase> {};

TEST_P(CaptionFromLanguage, IsWrittenAsItsComponentWants) {
    const LanguageCase& c = GetParam();
    Captions::setFromLanguage(QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                              QString::fromUtf8(c.value));
    EXPECT_EQ(text(c.window, c.component), c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CaptionFromLanguage,
    testing::Values(
        LanguageCase{"Dialog.Options", "GB00", "Idioma", "fmOptions", "gbLanguage", " Idioma "},
        LanguageCase{"Dialog.Properties", "LB00", "Nombre", "fmProperties", "lblName", "Nombre:"},
        LanguageCase{"Dialog.Compile", "TL00", "Compilación", "fmCompile", "", "Kerfa Compilación"},
        // One key, two windows; section and key in any case.
        LanguageCase{"buttons", "bn00", "&Aceptar", "fmOptions", "btnOK", "&Aceptar"},
        LanguageCase{"Buttons", "BN00", "&Aceptar", "fmProperties", "btnOk", "&Aceptar"},
        LanguageCase{"Project.Tools", "MN02", "&Wörter", "fmMain", "pmnuWordCount", "&Wörter"},
        // The same component name keyed differently in another window.
        LanguageCase{"Project.Tools", "MN02", "&Wörter", "fmEditor", "mnuWordCount", "&Word Count"},
        LanguageCase{"Editor.Tools", "MN03", "&Wörter", "fmEditor", "mnuWordCount", "&Wörter"},
        LanguageCase{"Dialog.Compile", "PM00", "&Borrar", "fmMain", "pmnuDelete", "&Delete"},
        // An empty value keeps the text in force.
        LanguageCase{"Project.File", "MN00", "", "fmMain", "mnuNewProject", "&New..."}),
    IndexNames());

TEST_F(CaptionsTest, TheOptionsCaptionTakesTheLaterOfItsTwoKeys) {
    Captions::setFromLanguage(u"Options", u"TL00", QStringLiteral("Opciones"));
    EXPECT_EQ(text("fmOptions", ""), "Opciones");
    Captions::setFromLanguage(u"Dialog.Options", u"TL00", QStringLiteral("Opciones"));
    EXPECT_EQ(text("fmOptions", ""), "Kerfa Opciones");
    Captions::reset();
    EXPECT_EQ(text("fmOptions", ""), "Kerfa Options");
}

TEST_F(CaptionsTest, MessagesAreReplacedByName) {
    Messages::setFromLanguage(u"only_one_file", QStringLiteral("Nur eine Datei."));
    Messages::setFromLanguage(u"SAVE_PROJECT", QString());
    Messages::setFromLanguage(u"NO_SUCH_MESSAGE", QStringLiteral("ignored"));
    EXPECT_EQ(Messages::text(Messages::ONLY_ONE_FILE), QStringLiteral("Nur eine Datei."));
    EXPECT_EQ(Messages::text(Messages::SAVE_PROJECT),
              QStringLiteral("Save changes to current project workspace?"));
    Messages::reset();
    EXPECT_EQ(Messages::text(Messages::ONLY_ONE_FILE),
              QStringLiteral("Kerfa opens only one dropped file at a time."));
}

} // namespace
