// The spelling options dialog, the custom dictionaries dialog, the new-dictionary dialog and the
// custom dictionary edit dialog on real widgets over the shipped British dictionary: what they
// show, their enabled states, and what their changes do to the configuration and the files.

#include "spelling/TCustomDictionary.h"
#include "spellui/EditorSpeller.h"
#include "spellui/SpellTexts.h"
#include "spellui/TCustomDictionariesDialog.h"
#include "spellui/TCustomDictionaryEditDialog.h"
#include "spellui/TNewCustomDictionary.h"
#include "spellui/TSpellCheckConfigDialog.h"
#include "spellui/TSpellDialog.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

using namespace kerfa::spelling;
using Kind = TCustomDictionary::Kind;

namespace {

// Runs `action` on the modal dialog of type T once it is shown, then closes it unless the
// action did, so that a failed check never leaves the test waiting.
template <typename T> void whenShown(std::function<void(T*)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) {
            whenShown<T>(action);
            return;
        }
        action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

template <typename T> T* child(QWidget* dialog, const char* name) {
    T* found = dialog->findChild<T*>(QLatin1String(name));
    if (!found)
        qWarning("no %s", name);
    return found;
}

QStringList rows(QTreeWidget* list, int column = 0) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(column);
    return out;
}

QTreeWidgetItem* row(QTreeWidget* list, const QString& text, int column = 0) {
    const auto found = list->findItems(text, Qt::MatchExactly, column);
    return found.isEmpty() ? nullptr : found.front();
}

bool isDictionary(const QString& path) {
    TCustomDictionary d;
    return d.Open(QFile::encodeName(path).toStdString());
}

} // namespace

class SpellDialogsTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<ScriptedFileDialogs> m_files;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<EditorSpeller> m_speller;

    QString spelling(const QString& name = {}) const {
        return m_env.programFolder() + QStringLiteral("Spelling/") + name;
    }
    TSpellChecker& checker() { return m_speller->checker(); }

public:
    explicit SpellDialogsTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() { m_env.installFromBuild(QStringLiteral("Spelling")); }
    void init() {
        QDir folder(spelling());
        for (const QString& name : folder.entryList(
                 {QStringLiteral("*.adu"), QStringLiteral("*.cfg"), QStringLiteral("broken.adm")},
                 QDir::Files))
            folder.remove(name);
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_files = std::make_unique<ScriptedFileDialogs>();
        m_window = std::make_unique<QWidget>();
        m_speller = std::make_unique<EditorSpeller>(m_window.get());
    }
    void cleanup() {
        m_speller.reset();
        m_window.reset();
        m_files.reset();
        m_boxes.reset();
    }

    void resetDefaultsRestoresEveryDefault() {
        TSpellCheckConfigDialog dialog(checker());
        child<QCheckBox>(&dialog, "cbUpcase")->click();
        for (const char* name : {"cbLiveSpelling", "cbInternet", "cbRepeated", "cbDUalCaps"})
            child<QCheckBox>(&dialog, name)->click();
        checker().Config().SetOption(soAbbreviations, false); // no box of its own
        auto* list = child<QTreeWidget>(&dialog, "lvDictionaries");
        row(list, QStringLiteral("british.adm"), 1)->setCheckState(0, Qt::Unchecked);
        QVERIFY(checker().Config().MainList().empty());
        QCOMPARE(checker().Config().Options(), TSpellOptions{soUpcase});

        child<QPushButton>(&dialog, "btnResetDefaults")->click();
        QCOMPARE(
            checker().Config().Options(),
            (TSpellOptions{soLiveSpelling, soInternet, soAbbreviations, soRepeated, soDUalCaps}));
        QCOMPARE(checker().Config().MainList(), std::vector<std::string>{"british.adm"});
        // The dialog shows the defaults.
        QVERIFY(!child<QCheckBox>(&dialog, "cbUpcase")->isChecked());
        for (const char* name : {"cbLiveSpelling", "cbInternet", "cbRepeated", "cbDUalCaps"})
            QVERIFY2(child<QCheckBox>(&dialog, name)->isChecked(), name);
        QCOMPARE(
            row(child<QTreeWidget>(&dialog, "lvDictionaries"), QStringLiteral("british.adm"), 1)
                ->checkState(0),
            Qt::Checked);
    }

    void optionBoxesAreTheProgramsSeven() {
        TSpellCheckConfigDialog dialog(checker());
        QStringList names, texts;
        for (QCheckBox* box : child<QGroupBox>(&dialog, "gbOptions")->findChildren<QCheckBox*>()) {
            names << box->objectName();
            texts << box->text();
        }
        QCOMPARE(names, (QStringList{"cbLiveSpelling", "cbUpcase", "cbNumbers", "cbInternet",
                                     "cbPrimaryOnly", "cbRepeated", "cbDUalCaps"}));
        QCOMPARE(texts.front(), QStringLiteral("Check spelling as you type"));
        QCOMPARE(texts.at(1), QStringLiteral("Ignore words in &UPPERCASE"));
        QCOMPARE(texts.back(), QStringLiteral("Automatically correct DUal capitals"));
        child<QCheckBox>(&dialog, "cbNumbers")->click();
        QVERIFY(checker().Config().Options().Has(soNumbers));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Spelling Options"));
        QVERIFY(child<QPushButton>(&dialog, "btnOK")->isDefault());
        QVERIFY(child<QPushButton>(&dialog, "btnHelp")->isHidden());
    }

    void dictionaryListShowsTitlesAndLocatesFolders() {
        QFile broken(spelling(QStringLiteral("broken.adm")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(5000, 'x'));
        broken.close();
        const QString other = m_env.root() + QStringLiteral("More dictionaries");
        QDir().mkpath(other);
        QVERIFY(QFile::copy(spelling(QStringLiteral("british.adm")),
                            other + QStringLiteral("/extra.adm")));

        TSpellCheckConfigDialog dialog(checker());
        auto* list = child<QTreeWidget>(&dialog, "lvDictionaries");
        QCOMPARE(rows(list, 1),
                 (QStringList{"american.adm", "british.adm", "broken.adm", "canadian.adm", ""}));
        // Each shipped dictionary by the title naming its variety.
        QCOMPARE(row(list, QStringLiteral("american.adm"), 1)->text(0),
                 QStringLiteral("American English"));
        QCOMPARE(row(list, QStringLiteral("british.adm"), 1)->text(0),
                 QStringLiteral("British English"));
        QCOMPARE(row(list, QStringLiteral("canadian.adm"), 1)->text(0),
                 QStringLiteral("Canadian English"));
        QCOMPARE(row(list, QStringLiteral("broken.adm"), 1)->text(0), QStringLiteral("???"));
        QCOMPARE(list->topLevelItem(4)->text(0), QStringLiteral("Locate Dictionaries..."));

        // Cancelled: nothing changes, and the entry is unchecked again.
        m_files->paths << QString();
        list->topLevelItem(4)->setCheckState(0, Qt::Checked);
        QTRY_COMPARE(m_files->titles.size(), 1);
        QCOMPARE(m_files->titles.front(), QStringLiteral("Choose Folder Containing Dictionaries"));
        QTRY_COMPARE(list->topLevelItem(4)->checkState(0), Qt::Unchecked);
        QVERIFY(checker().Config().NewPaths().empty());

        m_files->paths << other;
        list->topLevelItem(4)->setCheckState(0, Qt::Checked);
        QTRY_COMPARE(rows(list, 1), (QStringList{"american.adm", "british.adm", "broken.adm",
                                                 "canadian.adm", "extra.adm", ""}));
        QCOMPARE(checker().Config().NewPaths(), std::vector<std::string>{other.toStdString()});
        QCOMPARE(list->topLevelItem(5)->checkState(0), Qt::Unchecked);
        row(list, QStringLiteral("extra.adm"), 1)->setCheckState(0, Qt::Checked);
        QCOMPARE(checker().Config().MainList(),
                 (std::vector<std::string>{"british.adm", "extra.adm"}));
    }

    void optionsDuringACheckShowTheWordAgainWithTheNewSettings() {
        QPlainTextEdit memo(m_window.get());
        memo.setPlainText(QStringLiteral("Teh end."));
        checker().SynchronousCheck = false;
        m_speller->check(&memo);
        QVERIFY(checker().IsPrompting());
        TSpellDialog* dialog = m_speller->ui().dialog();
        auto* suggestions = child<QListWidget>(dialog, "lstSuggestions");
        QCOMPARE(suggestions->item(0)->text(), QStringLiteral("The"));

        bool shown = false;
        whenShown<TSpellCheckConfigDialog>([&](TSpellCheckConfigDialog* d) {
            shown = true;
            QCOMPARE(d->parentWidget(), static_cast<QWidget*>(dialog));
            row(child<QTreeWidget>(d, "lvDictionaries"), QStringLiteral("british.adm"), 1)
                ->setCheckState(0, Qt::Unchecked);
            child<QPushButton>(d, "btnOK")->click();
        });
        auto* options = child<QPushButton>(dialog, "btnOptions");
        QVERIFY(options->isEnabled());
        options->click();
        QVERIFY(shown);
        // Without a main dictionary there is nothing to suggest; the word is still shown.
        QVERIFY(checker().IsPrompting());
        QCOMPARE(suggestions->count(), 1);
        QCOMPARE(suggestions->item(0)->text(), QStringLiteral("(no suggestions)"));
        // The configuration was written when the dialog closed.
        QVERIFY(QFile::exists(spelling(QStringLiteral("Spell.cfg"))));
        m_speller->endCheck();
    }

    void editorCommandOpensTheOptionsInTheInterfacesLanguage() {
        m_speller->setLanguage(QStringLiteral("German.ini"));
        QString title, button;
        whenShown<TSpellCheckConfigDialog>([&](TSpellCheckConfigDialog* d) {
            title = d->windowTitle();
            button = child<QPushButton>(d, "btnDictionaries")->text();
        });
        m_speller->showOptionsDialog();
        QCOMPARE(title, QStringLiteral("Rechtschreiboptionen"));
        QCOMPARE(button, QStringLiteral("&Wörterbücher ..."));
    }

    void languageFromTheLanguageFileName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("language");
        QTest::newRow("German.ini") << "German.ini" << int(ltGerman);
        QTest::newRow("language name") << "german" << int(ltGerman);
        QTest::newRow("Portuguese") << "Portuguese (Brazil).ini" << int(ltBrPort);
        QTest::newRow("Norwegian") << "Norwegian.ini" << int(ltNorwegianBok);
        QTest::newRow("Dutch") << "Dutch.ini" << int(ltDutch);
        QTest::newRow("not exact") << "Swiss German.ini" << int(ltEnglish);
        QTest::newRow("English") << "English.ini" << int(ltEnglish);
    }
    void languageFromTheLanguageFileName() {
        QFETCH(QString, name);
        QFETCH(int, language);
        QCOMPARE(int(SpellTexts::languageFor(name)), language);
    }

    void sessionAndWordListsAreListedButNotFiles() {
        const QString home = QDir::homePath();
        QFile list(home + QStringLiteral("/.hunspell_en_GB"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("Ashbury\n");
        list.close();
        TCustomDictionariesDialog dialog(checker());
        auto* view = child<QTreeWidget>(&dialog, "lvCustomDictionaries");
        QCOMPARE(rows(view),
                 (QStringList{"(Ignore All / Change All)",
                              QString::fromStdString(checker().ExpandPath("%UserName%.adu")),
                              ".hunspell_en_GB"}));
        QTreeWidgetItem* session = view->topLevelItem(0);
        QCOMPARE(session->checkState(0), Qt::Checked);
        QVERIFY(!(session->flags() & Qt::ItemIsUserCheckable));
        view->setCurrentItem(session);
        QVERIFY(child<QPushButton>(&dialog, "btnEdit")->isEnabled());
        QVERIFY(!child<QPushButton>(&dialog, "btnDelete")->isEnabled());
        // Another program's list is read, never written or deleted.
        view->setCurrentItem(view->topLevelItem(2));
        QVERIFY(!child<QPushButton>(&dialog, "btnEdit")->isEnabled());
        QVERIFY(!child<QPushButton>(&dialog, "btnDelete")->isEnabled());
        view->topLevelItem(2)->setCheckState(0, Qt::Checked);
        QCOMPARE(
            checker().Config().WordProcessorCustomList(),
            std::vector<std::string>{(home + QStringLiteral("/.hunspell_en_GB")).toStdString()});
        QVERIFY(checker().IsWordAcceptable("Aaron"));
        QFile::remove(list.fileName());

        // The session's words open in the edit dialog under their own title.
        checker().SessionDictionary().AddWord("zorpish");
        view->setCurrentItem(session);
        QString title;
        QStringList words;
        whenShown<TCustomDictionaryEditDialog>([&](TCustomDictionaryEditDialog* d) {
            title = d->windowTitle();
            words = rows(child<QTreeWidget>(d, "lvAddedWords"));
        });
        child<QPushButton>(&dialog, "btnEdit")->click();
        QCOMPARE(title, QStringLiteral("Words added with Ignore All / Change All"));
        QCOMPARE(words, QStringList{"zorpish"});
        checker().SessionDictionary().RemoveWord("zorpish");
    }

    void newDictionaryIsAValidFileInUse() {
        QFile zero(spelling(QStringLiteral("zero.adu")));
        QVERIFY(zero.open(QIODevice::WriteOnly));
        zero.close();
        TCustomDictionariesDialog dialog(checker());
        auto* view = child<QTreeWidget>(&dialog, "lvCustomDictionaries");

        // A name that is no dictionary keeps the dialog open; the zero-byte file stays.
        bool refused = false;
        whenShown<TNewCustomDictionary>([&](TNewCustomDictionary* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("New Custom Dictionary"));
            auto* name = child<QLineEdit>(d, "edtName");
            auto* ok = child<QPushButton>(d, "btnOK");
            QVERIFY(!ok->isEnabled());
            name->setText(QStringLiteral(" ... "));
            QVERIFY(!ok->isEnabled());
            name->setText(QStringLiteral("zero"));
            ok->click();
            refused = d->isVisible();
        });
        child<QPushButton>(&dialog, "btnNew")->click();
        QVERIFY(refused);
        QCOMPARE(QFileInfo(zero.fileName()).size(), 0);

        whenShown<TNewCustomDictionary>([&](TNewCustomDictionary* d) {
            child<QLineEdit>(d, "edtName")->setText(QStringLiteral("Novel names"));
            QTest::keyClick(child<QLineEdit>(d, "edtName"), Qt::Key_Return);
        });
        child<QPushButton>(&dialog, "btnNew")->click();
        const QString path = spelling(QStringLiteral("Novel names.adu"));
        QVERIFY(QFileInfo(path).size() > 0);
        QVERIFY(isDictionary(path));
        QCOMPARE(view->currentItem()->text(0), QStringLiteral("Novel names.adu"));
        QCOMPARE(view->currentItem()->checkState(0), Qt::Checked);
        QVERIFY(child<QPushButton>(&dialog, "btnDelete")->isEnabled());

        // Delete asks first.
        m_boxes->answer(MessageBoxes::Answer::No);
        child<QPushButton>(&dialog, "btnDelete")->click();
        QVERIFY(QFile::exists(path));
        QCOMPARE(m_boxes->shown.back().caption, QStringLiteral("Confirmation:"));
        QCOMPARE(m_boxes->shown.back().text, QStringLiteral("Delete this custom dictionary?"));
        QCOMPARE(m_boxes->shown.back().buttons, MessageBoxes::Buttons::YesNo);
        m_boxes->answer(MessageBoxes::Answer::Yes);
        child<QPushButton>(&dialog, "btnDelete")->click();
        QVERIFY(!QFile::exists(path));
        QVERIFY(!row(view, QStringLiteral("Novel names.adu")));
        QVERIFY(checker().Config().CustomList().empty());
    }

    void renamedInPlaceOrTheOldNameComesBack() {
        for (const char* name : {"a.adu", "b.adu"}) {
            TCustomDictionary d;
            QVERIFY(d.Open(spelling(QLatin1String(name)).toStdString()));
            d.AddWord(name);
            QVERIFY(d.Save());
        }
        checker().Config().SetCustomList({"a.adu", "b.adu"});
        TCustomDictionariesDialog dialog(checker());
        auto* view = child<QTreeWidget>(&dialog, "lvCustomDictionaries");
        QVERIFY(row(view, QStringLiteral("a.adu"))->flags() & Qt::ItemIsEditable);

        row(view, QStringLiteral("a.adu"))->setText(0, QStringLiteral("b"));
        QTRY_VERIFY(row(view, QStringLiteral("a.adu")));
        QVERIFY(QFile::exists(spelling(QStringLiteral("a.adu"))));

        row(view, QStringLiteral("a.adu"))->setText(0, QStringLiteral("Story"));
        QTRY_VERIFY(row(view, QStringLiteral("Story.adu")));
        QVERIFY(!QFile::exists(spelling(QStringLiteral("a.adu"))));
        QVERIFY(isDictionary(spelling(QStringLiteral("Story.adu"))));
        QCOMPARE(checker().Config().CustomList(), (std::vector<std::string>{"Story.adu", "b.adu"}));
        QCOMPARE(view->currentItem()->text(0), QStringLiteral("Story.adu"));
    }

    // Add takes only a word the dictionary holds as no kind at all; typing a word the page
    // holds selects it.
    void addIsOnlyForWordsTheDictionaryLacks_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("list");
        QTest::newRow("added") << "AddedWords"
                               << "edtIgnoreThisWord"
                               << "lvAddedWords";
        QTest::newRow("pairs") << "AutoCorrectPairs"
                               << "edtReplace"
                               << "lvAutoCorrectPairs";
        QTest::newRow("excluded") << "ExcludedWords"
                                  << "edtExcludeThisWord"
                                  << "lvExcludedWords";
    }
    void addIsOnlyForWordsTheDictionaryLacks() {
        QFETCH(QString, page);
        QFETCH(QString, edit);
        QFETCH(QString, list);
        TCustomDictionary dictionary;
        dictionary.AddWord("colour");
        dictionary.AddPair("teh", "the");
        dictionary.AddExcluded("alot");
        TCustomDictionaryEditDialog dialog(checker(), dictionary, QStringLiteral("Custom"));
        dialog.show();
        auto* tabs = child<QTabWidget>(&dialog, "pgctrlDictionary");
        tabs->setCurrentWidget(dialog.findChild<QWidget*>(QStringLiteral("ts") + page));
        auto* word = dialog.findChild<QLineEdit*>(edit);
        auto* entries = dialog.findChild<QTreeWidget*>(list);
        auto* add = dialog.findChild<QPushButton*>(QStringLiteral("btnAdd") + page);
        auto* with = child<QLineEdit>(&dialog, "edtWith");
        QVERIFY(word && entries && add);
        if (page == QLatin1String("AutoCorrectPairs"))
            with->setText(QStringLiteral("then"));

        const QString held = entries->topLevelItem(0)->text(0);
        for (const char* other : {"colour", "teh", "alot"}) {
            word->setText(QLatin1String(other));
            QTRY_COMPARE(entries->selectedItems().isEmpty(), QLatin1String(other) != held);
            QVERIFY2(!add->isEnabled(), other);
        }
        QVERIFY(entries->currentItem() && entries->currentItem()->text(0) == held);
        for (const char* unfit : {"two words", "", "\u4E16"}) {
            word->setText(QString::fromUtf8(unfit));
            QTRY_VERIFY(entries->selectedItems().isEmpty());
            QVERIFY2(!add->isEnabled(), unfit);
        }
        word->setText(QStringLiteral("Aaron"));
        QTRY_VERIFY(add->isEnabled());
        QTest::keyClick(word, Qt::Key_Return); // adds, and the dialog stays open
        QVERIFY(dialog.isVisible());
        QVERIFY(word->text().isEmpty());
        QCOMPARE(entries->currentItem()->text(0), QStringLiteral("Aaron"));
        QCOMPARE(rows(entries).front(), QStringLiteral("Aaron")); // sorted
        std::string replacement;
        const bool added = page == QLatin1String("AddedWords") ? dictionary.IsAdded("Aaron")
                           : page == QLatin1String("ExcludedWords")
                               ? dictionary.IsExcluded("Aaron")
                               : dictionary.FindPair("Aaron", replacement);
        QVERIFY(added);

        // Delete (the key, or the button) takes the selected entries out of the dictionary.
        auto* remove = dialog.findChild<QPushButton*>(QStringLiteral("btnDelete") + page);
        entries->setCurrentItem(entries->topLevelItem(0));
        QTest::keyClick(entries, Qt::Key_Delete);
        QCOMPARE(entries->topLevelItemCount(), 1);
        entries->selectAll();
        QVERIFY(remove->isEnabled());
        remove->click();
        QCOMPARE(entries->topLevelItemCount(), 0);
        QVERIFY(!remove->isEnabled());
        QCOMPARE(dictionary.Count(Kind::Added) + dictionary.Count(Kind::Pair) +
                     dictionary.Count(Kind::Excluded),
                 std::size_t(2));
    }

    void pairNeedsAReplacement() {
        TCustomDictionary dictionary;
        TCustomDictionaryEditDialog dialog(checker(), dictionary, QStringLiteral("Custom"));
        auto* word = child<QLineEdit>(&dialog, "edtReplace");
        auto* with = child<QLineEdit>(&dialog, "edtWith");
        auto* add = child<QPushButton>(&dialog, "btnAddAutoCorrectPairs");
        word->setText(QStringLiteral("recieve"));
        QTest::qWait(20);
        QVERIFY(!add->isEnabled()); // an empty replacement would erase the word
        with->setText(QStringLiteral("recieve"));
        QVERIFY(!add->isEnabled());
        with->setText(QStringLiteral("receive"));
        QVERIFY(add->isEnabled());
        add->click();
        std::string replacement;
        QVERIFY(dictionary.FindPair("recieve", replacement));
        QCOMPARE(replacement, std::string("receive"));
        QCOMPARE(rows(child<QTreeWidget>(&dialog, "lvAutoCorrectPairs"), 1),
                 QStringList{"receive"});
    }

    void editedDictionaryIsWrittenWhenTheDialogCloses() {
        checker().Config().SetCustomList({"names.adu"});
        TCustomDictionariesDialog dialog(checker());
        auto* view = child<QTreeWidget>(&dialog, "lvCustomDictionaries");
        view->setCurrentItem(row(view, QStringLiteral("names.adu")));
        whenShown<TCustomDictionaryEditDialog>([&](TCustomDictionaryEditDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Custom Dictionary"));
            child<QLineEdit>(d, "edtIgnoreThisWord")->setText(QStringLiteral("Marguerite"));
            child<QPushButton>(d, "btnAddAddedWords")->click();
            child<QPushButton>(d, "btnOK")->click();
        });
        child<QPushButton>(&dialog, "btnEdit")->click();
        TCustomDictionary written;
        QVERIFY(written.Open(spelling(QStringLiteral("names.adu")).toStdString()));
        QVERIFY(written.IsAdded("Marguerite"));
        QVERIFY(checker().IsWordAcceptable("Marguerite"));
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    SpellDialogsTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "SpellDialogsTest.moc"
