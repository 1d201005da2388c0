#include "app/HintSwitch.h"
#include "app/KerfaProgram.h"
#include "app/TfmMain.h"
#include "app/TfmOptions.h"
#include "common/IniFile.h"
#include "compile/TfmCompile.h"
#include "compile/TfmExport.h"
#include "compile/TfmFindAndCompile.h"
#include "compile/TfmReplaceInBook.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "desk/TfmProperties.h"
#include "editor/EditorRegistry.h"
#include "editor/TfmEditor.h"
#include "editor/TfmFindReplace.h"
#include "editor/TfmSnapshots.h"
#include "language/Captions.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "spellui/BookLanguage.h"
#include "spellui/EditorSpeller.h"
#include "spellui/TSpellDialog.h"
#include "support/ProjectFiles.h"
#include "support/TestEnvironment.h"
#include "themes/Theme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using kerfa::spelling::TSpellUILanguage;

// The language files reaching every window, and the options dialog changing the program's and
// the project's settings at once.
class OptionsTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<TfmMain> m_main;

    QString languages() const { return m_env.programFolder() + QStringLiteral("Languages/"); }
    QString settingsPath() const { return m_env.programFolder() + QStringLiteral("Kerfa.ini"); }
    void installLanguage(const QString& fileName) {
        QVERIFY(QFile::copy(TestEnvironment::sourceFolder() + QStringLiteral("data/Languages/") +
                                fileName,
                            languages() + fileName));
    }
    void writeLanguage(const QString& fileName, const QByteArray& text) {
        QVERIFY(ProjectFiles::write(languages() + fileName, text));
    }
    QString folder() const { return m_dir->path() + QStringLiteral("/Book/"); }
    // The main window over a project of two sheets.
    void load() {
        QVERIFY(ProjectFiles::write(folder() + QStringLiteral("Book.kerfa"),
                                    "[Workspace]\r\nSize=0\r\n"));
        for (const char* name : {"One", "Two"})
            QVERIFY(ProjectFiles::write(folder() + QStringLiteral("Kerfa Files/") +
                                            QLatin1String(name) + QStringLiteral(".kfa"),
                                        ProjectFiles::sheet(0, 0, 100, 100)));
        QDir().mkpath(folder() + QStringLiteral("Text Files"));
        m_main = std::make_unique<TfmMain>();
        QVERIFY(m_main->LoadProject(folder() + QStringLiteral("Book.kerfa")));
        QVERIFY(!m_main->project().modified);
    }
    TfmEditor* open(const char* name) {
        return m_main->model().sheetTexts().OpenEditor(
            m_main->desk().findSheet(QString::fromLatin1(name)));
    }
    QString menuTitle(const QWidget* window, const char* name) const {
        return window->findChild<QMenu*>(QString::fromLatin1(name))->title();
    }
    template <class T> static T* child(const QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    // Every button, check box and group caption of the window is shown whole.
    static void fits(const QWidget* window) {
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->isVisible() && !button->text().isEmpty())
                QVERIFY2(button->width() >= button->sizeHint().width(),
                         qPrintable(window->objectName() + u' ' + button->text()));
        for (const QGroupBox* group : window->findChildren<QGroupBox*>())
            if (group->isVisible())
                QVERIFY2(group->width() >
                             group->fontMetrics().horizontalAdvance(group->title().trimmed()),
                         qPrintable(window->objectName() + u' ' + group->title()));
    }
    // Answers the modal options dialog as soon as it shows.
    void whenOptionsShow(std::function<void(TfmOptions*)> answer) {
        QTimer::singleShot(0, this, [answer] {
            auto* dialog = qobject_cast<TfmOptions*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            answer(dialog);
        });
    }

public:
    explicit OptionsTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void init() {
        QDir(m_env.programFolder()).removeRecursively();
        QDir().mkpath(languages());
        m_env.installFromBuild(QStringLiteral("Themes"));
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
    }
    void cleanup() {
        m_main.reset();
        m_boxes.reset();
        m_dir.reset();
        Language::instance().reset();
        HintSwitch::instance().setEnabled(false);
    }

    // Back to the built-in texts, Qt's own included.
    void resetBringsEnglishBack() {
        installLanguage(QStringLiteral("French.ini"));
        QVERIFY(Language::instance().load(languages() + QStringLiteral("French.ini")));
        QDialogButtonBox buttons(QDialogButtonBox::No);
        QCOMPARE(buttons.button(QDialogButtonBox::No)->text(), QStringLiteral("&Non"));
        Language::instance().reset();
        QDialogButtonBox english(QDialogButtonBox::No);
        QCOMPARE(english.button(QDialogButtonBox::No)->text(), QStringLiteral("&No"));
        QCOMPARE(Captions::text(u"fmMain", u"mmnuFile"), QStringLiteral("&File"));
    }

    void aMissingLanguageFileKeepsEnglish() {
        QVERIFY(ProjectFiles::write(settingsPath(), "[Application]\r\nLanguage=Klingon.ini\r\n"));
        TfmMain main;
        EditorSpeller speller(&main);
        main.show();
        QCOMPARE(menuTitle(&main, "mmnuFile"), QStringLiteral("&File"));
        QCOMPARE(Messages::text(Messages::SAVE_PROJECT),
                 QStringLiteral("Save changes to current project workspace?"));
        QCOMPARE(speller.checker().UILanguage, kerfa::spelling::ltEnglish);
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // The first showing of the main window puts the language in force everywhere, in the
    // windows made before it too.
    void theFirstShowAppliesTheLanguage() {
        installLanguage(QStringLiteral("German.ini"));
        QVERIFY(ProjectFiles::write(settingsPath(), "[Application]\r\nLanguage=German.ini\r\n"));
        TfmMain main;
        TfmOptions options;
        TfmProperties properties;
        QCOMPARE(menuTitle(&main, "mmnuFile"), QStringLiteral("&File"));
        main.show();
        QCOMPARE(menuTitle(&main, "mmnuFile"), QStringLiteral("&Datei"));
        QCOMPARE(child<QAction>(&main, "mnuWordCount")->text(), QStringLiteral("&Wörter zählen"));
        QCOMPARE(child<QAction>(&main, "pmnuWordCount")->text(), QStringLiteral("&Wörter zählen"));
        QCOMPARE(menuTitle(&main, "pmnuCompilation"), QStringLiteral("&Zusammenstellung"));
        QCOMPARE(child<QPushButton>(&options, "btnCancel")->text(), QStringLiteral("&Abbrechen"));
        QCOMPARE(child<QPushButton>(&properties, "btnCancel")->text(),
                 QStringLiteral("&Abbrechen"));
        QCOMPARE(options.windowTitle(), QStringLiteral("Kerfa Optionen"));
        QCOMPARE(child<QGroupBox>(&options, "gbLanguage")->title(), QStringLiteral(" Sprache "));
        QCOMPARE(child<QLabel>(&properties, "lblName")->text(), QStringLiteral("&Name:"));
        QCOMPARE(Messages::text(Messages::SAVE_PROJECT),
                 QStringLiteral("Änderungen am aktuellen Projekt speichern?"));
        // Qt's own texts too: the buttons of message boxes.
        QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text(), QStringLiteral("&Ja"));
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }

    // A file that lacks a key, or leaves it empty, keeps the text in force: that of the file
    // read before it.
    void switchingLanguagesKeepsThePreviousTextsForMissingKeys() {
        writeLanguage(QStringLiteral("First.ini"),
                      "[Project.Main]\r\nMM00=&Datei\r\nMM01=E&xtras\r\n"
                      "[Buttons]\r\nBN00=&Jawohl\r\n"
                      "[Messages]\r\nONLY_ONE_FILE=Nur eine Datei.\r\nSAVE_PROJECT=Speichern?\r\n");
        writeLanguage(QStringLiteral("Second.ini"),
                      "[project.main]\r\nmm00=&Fichier\r\n"
                      "[Messages]\r\nONLY_ONE_FILE=\r\nsave_project=Enregistrer ?\r\n");
        load();
        OptionChoices choices = m_main->model().options();
        choices.language = QStringLiteral("First.ini");
        m_main->model().applyOptions(choices);
        choices.language = QStringLiteral("Second.ini");
        m_main->model().applyOptions(choices);
        QCOMPARE(m_main->settings().language, QStringLiteral("Second.ini"));
        QCOMPARE(menuTitle(m_main.get(), "mmnuFile"), QStringLiteral("&Fichier"));
        QCOMPARE(menuTitle(m_main.get(), "mmnuTools"), QStringLiteral("E&xtras"));
        QCOMPARE(menuTitle(m_main.get(), "mmnuHelp"), QStringLiteral("&Help"));
        QCOMPARE(Messages::text(Messages::ONLY_ONE_FILE), QStringLiteral("Nur eine Datei."));
        QCOMPARE(Messages::text(Messages::SAVE_PROJECT), QStringLiteral("Enregistrer ?"));
        // One key, both OK buttons.
        TfmOptions options;
        TfmProperties properties;
        QCOMPARE(child<QPushButton>(&options, "btnOK")->text(), QStringLiteral("&Jawohl"));
        QCOMPARE(child<QPushButton>(&properties, "btnOk")->text(), QStringLiteral("&Jawohl"));
        // Choosing the language in force again reads nothing.
        writeLanguage(QStringLiteral("Second.ini"), "[Project.Main]\r\nMM00=&Archivo\r\n");
        m_main->model().applyOptions(choices);
        QCOMPARE(menuTitle(m_main.get(), "mmnuFile"), QStringLiteral("&Fichier"));
        QVERIFY(!m_main->project().modified);
    }

    void theSpellingDialogsSpeakTheFilesLanguage_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("language");
        QTest::newRow("German") << "German.ini" << int(kerfa::spelling::ltGerman);
        QTest::newRow("Portuguese (Brazil)")
            << "Portuguese (Brazil).ini" << int(kerfa::spelling::ltBrPort);
        QTest::newRow("Dutch") << "Dutch.ini" << int(kerfa::spelling::ltDutch);
        QTest::newRow("French, lower case") << "french.ini" << int(kerfa::spelling::ltFrench);
        QTest::newRow("English") << "English.ini" << int(kerfa::spelling::ltEnglish);
        QTest::newRow("any other") << "Esperanto.ini" << int(kerfa::spelling::ltEnglish);
    }
    void theSpellingDialogsSpeakTheFilesLanguage() {
        QFETCH(QString, fileName);
        QFETCH(int, language);
        writeLanguage(fileName, "[Project.Main]\r\nMM00=&X\r\n");
        writeLanguage(QStringLiteral("Swedish.ini"), "[Project.Main]\r\nMM00=&Arkiv\r\n");
        QWidget window;
        EditorSpeller before(&window);
        QVERIFY(Language::instance().load(languages() + fileName));
        EditorSpeller after(&window);
        QCOMPARE(int(before.checker().UILanguage), language);
        QCOMPARE(int(after.checker().UILanguage), language);
        // A language file that is not there leaves the dialogs as they were.
        QVERIFY(!Language::instance().load(languages() + QStringLiteral("Missing.ini")));
        QCOMPARE(int(before.checker().UILanguage), language);
        QVERIFY(Language::instance().load(languages() + QStringLiteral("Swedish.ini")));
        QCOMPARE(before.checker().UILanguage, kerfa::spelling::ltSwedish);
    }

    // Open editor windows and their find windows take the new captions at once, keep their
    // style; windows opened later take the captions in force and the style chosen.
    void openEditorsFollowTheOptions() {
        installLanguage(QStringLiteral("German.ini"));
        load();
        m_main->settings().autoSave = true;
        m_main->model().applyEditorSettings();
        TfmEditor* editor = open("One");
        QMetaObject::invokeMethod(editor, "mnuFindReplaceClick");
        TfmFindReplace* find = editor->findReplace();
        QVERIFY(find);
        auto* timer = child<QTimer>(editor, "tmrAutoSave");
        QCOMPARE(timer->interval(), 15 * 60 * 1000);

        OptionChoices choices = m_main->model().options();
        choices.language = QStringLiteral("German.ini");
        choices.autoSaveInterval = 5;
        choices.fontName = QStringLiteral("DejaVu Sans");
        choices.fontSize = 17;
        choices.editorsOnTop = true;
        m_main->model().applyOptions(choices);

        QCOMPARE(timer->interval(), 5 * 60 * 1000);
        QVERIFY(timer->isActive());
        QVERIFY(!m_main->project().modified);
        QCOMPARE(editor->memo()->font().family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(editor->memo()->font().pointSize(), 17);
        QCOMPARE(menuTitle(editor, "mmnuFile"), QStringLiteral("&Datei"));
        QCOMPARE(child<QAction>(editor, "pmnuCopy")->text(), QStringLiteral("&Kopieren"));
        QCOMPARE(find->windowTitle(), QStringLiteral("Suchen & ersetzen"));
        QCOMPARE(child<QPushButton>(find, "btnReplaceAll")->text(),
                 QStringLiteral("&Alle ersetzen"));
        QCOMPARE(child<QGroupBox>(find, "gbReplace")->title(), QStringLiteral(" Ersetzen durch "));
        QCOMPARE(editor->windowTitle(), QStringLiteral("Kerfa bearbeiten: 'One'"));
        QCOMPARE(editor->statusText(), QStringLiteral(" Automatisches Speichern ist an"));
        QCOMPARE(editor->languageName(), QStringLiteral("german"));
        QVERIFY(!editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // The file dialogs' titles too.
        ScriptedFileDialogs dialogs;
        dialogs.paths << QString() << QString();
        QMetaObject::invokeMethod(editor, "mnuImportTextClick");
        m_main->model().commands().OpenProject();
        QCOMPARE(dialogs.titles, (QStringList{QStringLiteral("Text importieren"),
                                              QStringLiteral("Projekt öffnen")}));

        TfmEditor* later = open("Two");
        QVERIFY(later->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(menuTitle(later, "mmnuSearch"), QStringLiteral("&Suchen"));
        QCOMPARE(later->memo()->font().pointSize(), 17);
        QMetaObject::invokeMethod(later, "mnuFindReplaceClick");
        QCOMPARE(child<QAbstractButton>(later->findReplace(), "cbFromTop")->text(),
                 QStringLiteral("Am &Textanfang beginnen"));
    }

    void workspaceSizeAndBoldTypeMarkTheProjectModified() {
        load();
        TKerfa* one = m_main->desk().findSheet(QStringLiteral("One"));
        const QPoint place(one->left(), one->top());
        OptionChoices choices = m_main->model().options();
        choices.workspaceSize = ProjectState::Double;
        m_main->model().applyOptions(choices);
        QVERIFY(m_main->project().modified);
        QCOMPARE(m_main->desk().extent(), QGuiApplication::primaryScreen()->size() * 2);
        QCOMPARE(QPoint(one->left(), one->top()), place);

        m_main->project().modified = false;
        QVERIFY(m_main->project().boldBaseType);
        choices.boldBaseType = false;
        m_main->model().applyOptions(choices);
        QVERIFY(m_main->project().modified);
        QVERIFY(!m_main->project().boldBaseType);
        for (const TKerfa* sheet : m_main->desk().sheets())
            QVERIFY(!sheet->BoldBaseType);

        // Nothing changed: nothing to save.
        m_main->project().modified = false;
        m_main->model().applyOptions(m_main->model().options());
        QVERIFY(!m_main->project().modified);
    }

    void theProjectTheme() {
        load();
        QCOMPARE(m_main->project().projectTheme, QStringLiteral("Book.ini"));
        OptionChoices choices = m_main->model().options();
        m_main->model().applyOptions(choices);
        QVERIFY(!m_main->project().modified);
        choices.projectTheme = QStringLiteral("Screenplay.ini");
        m_main->model().applyOptions(choices);
        QVERIFY(m_main->project().modified);
        QCOMPARE(m_main->project().projectTheme, QStringLiteral("Screenplay.ini"));
        QCOMPARE(m_main->theme().data().typeNames.value(0), QStringLiteral("&Act"));
    }

    // The book's language: offered by its dictionary's title, kept in the project file, and
    // followed by the spelling of the book's editors; a new book leaves it to the settings.
    void theBooksLanguage() {
        m_env.installFromBuild(QStringLiteral("Spelling"));
        load();
        TfmOptions dialog;
        dialog.setChoices(m_main->model().options());
        dialog.show();
        auto* list = child<QComboBox>(&dialog, "cmbBookLanguage");
        const QStringList offered = {
            QStringLiteral("As in Spelling Options"), QStringLiteral("British English (en-GB)"),
            QStringLiteral("American English (en-US)"), QStringLiteral("Canadian English (en-CA)")};
        QCOMPARE(list->count(), int(offered.size()));
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(list->itemText(i), offered[i]);
        QCOMPARE(list->currentIndex(), 0);
        list->setCurrentIndex(2);
        dialog.accept();
        QCOMPARE(dialog.choices().bookLanguage, QStringLiteral("en-US"));

        TfmEditor* editor = open("One");
        QVERIFY(!editor->speller().checker().IsWordAcceptable("harbor"));
        m_main->model().applyOptions(dialog.choices());
        QVERIFY(m_main->project().modified);
        QVERIFY(editor->speller().checker().IsWordAcceptable("harbor"));
        QVERIFY(m_main->model().commands().SaveProject());
        QVERIFY(ProjectFiles::read(folder() + QStringLiteral("Book.kerfa"))
                    .contains("[Book]\r\nLanguage=en-US\r\n"));

        // A tag of another program's, with no dictionary here, is shown and kept as it is.
        OptionChoices choices = m_main->model().options();
        choices.bookLanguage = QStringLiteral("fr-FR");
        dialog.setChoices(choices);
        dialog.show();
        QCOMPARE(list->currentText(), QStringLiteral("fr-FR"));
        dialog.accept();
        QCOMPARE(dialog.choices().bookLanguage, QStringLiteral("fr-FR"));

        m_main->model().commands().CloseProject();
        QCOMPARE(BookLanguage::instance().tag(), QString());
        QVERIFY(m_main->LoadProject(folder() + QStringLiteral("Book.kerfa")));
        QCOMPARE(m_main->project().language, QStringLiteral("en-US"));
        QCOMPARE(BookLanguage::instance().tag(), QStringLiteral("en-US"));
    }

    // What the dialog shows: the lists read from the folders at every showing, the choices as
    // given, and what it gives back.
    void theDialogShowsAndGivesBack() {
        installLanguage(QStringLiteral("German.ini"));
        installLanguage(QStringLiteral("English.ini"));
        TfmOptions dialog;
        OptionChoices given;
        given.language = QStringLiteral("German.ini");
        given.defaultTheme = QStringLiteral("Book.ini");
        given.projectTheme = QStringLiteral("Gone.ini");
        given.workspaceSize = ProjectState::Quadruple;
        given.positioning = 2;
        given.fontName = QStringLiteral("No Such Face");
        given.fontSize = 14;
        given.autoSaveInterval = 7;
        given.autoSave = false;
        given.hints = true;
        dialog.setChoices(given);
        dialog.show();
        auto* language = child<QComboBox>(&dialog, "cmbLanguage");
        QCOMPARE(language->count(), 2);
        QCOMPARE(language->currentText(), QStringLiteral("German"));
        QCOMPARE(child<QComboBox>(&dialog, "cmbDefaultTheme")->currentText(),
                 QStringLiteral("Book"));
        QCOMPARE(child<QComboBox>(&dialog, "cmbThemes")->currentIndex(), -1);
        QCOMPARE(child<QComboBox>(&dialog, "cmbThemes")->count(), 2);
        QVERIFY(child<QRadioButton>(&dialog, "rbQuad")->isChecked());
        QVERIFY(child<QRadioButton>(&dialog, "rbNone")->isChecked());
        QCOMPARE(child<QComboBox>(&dialog, "cmbFontName")->currentIndex(), -1);
        QCOMPARE(child<QComboBox>(&dialog, "cmbFontSize")->currentText(), QStringLiteral("14"));
        QCOMPARE(child<QComboBox>(&dialog, "cmbFontSize")->count(), 12);
        auto* interval = child<QComboBox>(&dialog, "cmbInterval");
        QCOMPARE(interval->currentIndex(), -1);
        QVERIFY(!interval->isEnabled());
        child<QCheckBox>(&dialog, "cbAutoSave")->click();
        QVERIFY(interval->isEnabled());
        QVERIFY(child<QCheckBox>(&dialog, "cbHints")->isChecked());
        child<QRadioButton>(&dialog, "rbDouble")->click();
        child<QRadioButton>(&dialog, "rbSingle")->click();
        dialog.accept();

        const OptionChoices& chosen = dialog.choices();
        QCOMPARE(chosen.language, QStringLiteral("German.ini"));
        // A theme that is not there keeps the project's.
        QCOMPARE(chosen.projectTheme, QStringLiteral("Gone.ini"));
        QCOMPARE(chosen.workspaceSize, int(ProjectState::Double));
        QCOMPARE(chosen.positioning, 1);
        QCOMPARE(chosen.fontName, QString());
        QCOMPARE(chosen.fontSize, 14);
        QCOMPARE(chosen.autoSaveInterval, 15);
        QVERIFY(chosen.autoSave);

        // A language file added while the program runs is offered at the next showing; with
        // none at all the list is off and the language stays.
        writeLanguage(QStringLiteral("Afrikaans.ini"), "[Project.Main]\r\nMM00=&Lêer\r\n");
        dialog.show();
        QCOMPARE(language->count(), 3);
        QCOMPARE(language->itemText(0), QStringLiteral("Afrikaans"));
        dialog.reject();
        QDir(languages()).removeRecursively();
        dialog.show();
        QVERIFY(!language->isEnabled());
        dialog.accept();
        QCOMPARE(dialog.choices().language, QStringLiteral("German.ini"));
    }

    // Tools > Options (F10): OK applies and writes the settings file at once; Cancel changes
    // nothing.
    void theOptionsCommand() {
        installLanguage(QStringLiteral("German.ini"));
        installLanguage(QStringLiteral("English.ini"));
        load();
        TfmOptions dialog;
        m_main->setOptionsDialog(&dialog);
        auto* command = child<QAction>(m_main.get(), "mnuOptions");
        QCOMPARE(command->shortcut(), QKeySequence(Qt::Key_F10));
        QVERIFY(command->isEnabled());

        whenOptionsShow([](TfmOptions* options) {
            child<QComboBox>(options, "cmbLanguage")->setCurrentText(QStringLiteral("German"));
            child<QCheckBox>(options, "cbHints")->setChecked(true);
            child<QPushButton>(options, "btnCancel")->click();
        });
        command->trigger();
        QCOMPARE(menuTitle(m_main.get(), "mmnuFile"), QStringLiteral("&File"));
        QVERIFY(!HintSwitch::instance().isEnabled());
        QVERIFY(!QFile::exists(settingsPath()));

        whenOptionsShow([](TfmOptions* options) {
            child<QComboBox>(options, "cmbLanguage")->setCurrentText(QStringLiteral("German"));
            child<QComboBox>(options, "cmbInterval")->setCurrentText(QStringLiteral("20"));
            child<QCheckBox>(options, "cbHints")->setChecked(true);
            child<QPushButton>(options, "btnOK")->click();
        });
        command->trigger();
        QCOMPARE(menuTitle(m_main.get(), "mmnuFile"), QStringLiteral("&Datei"));
        QVERIFY(HintSwitch::instance().isEnabled());
        const IniFile saved(settingsPath());
        QCOMPARE(saved.readString(u"Application", u"Language"), QStringLiteral("German.ini"));
        QCOMPARE(saved.readInteger(u"Application", u"AutoSaveInterval", 0), 20);
        QVERIFY(saved.readBool(u"Application", u"DescriptiveHints", false));
        // The dialog now speaks German.
        QCOMPARE(child<QPushButton>(&dialog, "btnCancel")->text(), QStringLiteral("&Abbrechen"));
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // Every caption of every language has room in every window: nothing is cut off, the long
    // German words least of all, not even in the compilation window of fixed width.
    void everyLanguageFits_data() {
        QTest::addColumn<QString>("fileName");
        const QString shipped = TestEnvironment::sourceFolder() + QStringLiteral("data/Languages");
        for (const QString& file : QDir(shipped).entryList({QStringLiteral("*.ini")}))
            QTest::newRow(qPrintable(file)) << file;
    }
    void everyLanguageFits() {
        QFETCH(QString, fileName);
        installLanguage(fileName);
        QVERIFY(Language::instance().load(languages() + fileName));
        QWidget editor;
        QPlainTextEdit memo;
        TfmOptions options;
        TfmCompile compile;
        TfmFindAndCompile findAndCompile;
        TfmFindReplace findReplace(&editor, &memo);
        TfmProperties properties;
        TfmReplaceInBook replaceInBook;
        TfmSnapshots snapshots(
            LiveSheetText(m_env.programFolder(), QStringLiteral("One"), nullptr));
        TfmExport exportDialog;
        auto* pages = child<QTabWidget>(&options, "pgctrlOptions");
        for (int page = 0; page < pages->count(); ++page) {
            options.show();
            pages->setCurrentIndex(page);
            QApplication::processEvents();
            fits(pages->widget(page));
            fits(&options);
        }
        for (QWidget* window :
             {static_cast<QWidget*>(&compile), static_cast<QWidget*>(&findAndCompile),
              static_cast<QWidget*>(&findReplace), static_cast<QWidget*>(&properties),
              static_cast<QWidget*>(&replaceInBook), static_cast<QWidget*>(&snapshots),
              static_cast<QWidget*>(&exportDialog)}) {
            window->show();
            QApplication::processEvents();
            fits(window);
        }
    }

    // The program's style puts off the menu bar's overflow arrow until it is shown; a window too
    // narrow for its menus shows the arrow the platform's style draws.
    void aNarrowWindowShowsTheMenuOverflowArrow() {
        QMainWindow window;
        for (const char* title : {"&Project", "&Edit", "&Sheet", "&Tools", "&Help"})
            window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("x"));
        window.resize(90, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* arrow =
            window.menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(arrow && arrow->isVisible());
        const auto* style = qobject_cast<const QProxyStyle*>(QApplication::style());
        QVERIFY(style);
        const QImage expected = style->baseStyle()
                                    ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)
                                    .pixmap(16)
                                    .toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(arrow->icon().pixmap(16).toImage(), expected);
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 400);
    }

    // The program's icon comes drawn in the sizes a window's icon is shown at.
    void theWindowIconHasEverySize() {
        const QIcon icon = QApplication::windowIcon();
        for (const int side : {16, 24, 32, 48, 64})
            QVERIFY(icon.availableSizes().contains(QSize(side, side)));
        const QImage image = icon.pixmap(64).toImage();
        QCOMPARE(image.size(), QSize(64, 64));
        QVERIFY(image.pixelColor(32, 32).alpha() > 0);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    OptionsTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "OptionsTest.moc"
