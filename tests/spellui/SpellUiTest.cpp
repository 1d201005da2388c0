// The Qt side of the spelling check on a real QPlainTextEdit: the memo's text adapter, the
// configuration file, the spelling dialog's controls and states, and whole checks answered in
// the dialog from inside the nested event loop of a synchronous check.

#include "common/IniFile.h"
#include "spelling/TSpellChecker.h"
#include "spellui/BookLanguage.h"
#include "spellui/DialogPlacement.h"
#include "spellui/EditorSpeller.h"
#include "spellui/ProgramSpellConfig.h"
#include "spellui/TPlainTextEditParser.h"
#include "spellui/TSpellDialog.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <pwd.h>
#include <unistd.h>

using namespace kerfa::spelling;

namespace {

QString loginName() {
    const passwd* pw = ::getpwuid(::getuid());
    return pw && pw->pw_name && *pw->pw_name ? QString::fromLocal8Bit(pw->pw_name)
                                             : QStringLiteral("default");
}

} // namespace

class SpellUiTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit* m_memo = nullptr;
    std::unique_ptr<EditorSpeller> m_speller;

    // Answers each word the check shows with the next step, from inside the check's event loop.
    using Step = std::function<void(TSpellDialog&)>;
    std::deque<Step> m_steps;
    int m_prompts = 0;
    int m_answered = 0;
    bool m_drive = true;
    QTimer m_driver;

    QString configPath() const {
        return m_env.programFolder() + QStringLiteral("Spelling/Spell.cfg");
    }

    template <typename T> T* child(const char* name) {
        TSpellDialog* dialog = m_speller->ui().dialog();
        return dialog ? dialog->findChild<T*>(QLatin1String(name)) : nullptr;
    }

    void makeSpeller() {
        m_speller = std::make_unique<EditorSpeller>(m_window.get());
        m_speller->checker().OnPromptWord = [this](const std::string&, bool) {
            ++m_prompts;
        };
    }

    // Runs F7 on the memo with the steps queued.
    void check(std::deque<Step> steps) {
        m_steps = std::move(steps);
        m_prompts = m_answered = 0;
        m_speller->check(m_memo);
        QVERIFY(!m_speller->checker().IsChecking());
        QCOMPARE(int(m_steps.size()), 0);
    }

    static Step click(const char* name) {
        return [name](TSpellDialog& d) {
            QPushButton* b = d.findChild<QPushButton*>(QLatin1String(name));
            QVERIFY(b && b->isEnabled());
            b->click();
        };
    }

public:
    explicit SpellUiTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() {
        m_env.installFromBuild(QStringLiteral("Spelling"));
        QVERIFY(QFile::exists(m_env.programFolder() + QStringLiteral("Spelling/british.adm")));
        m_driver.setInterval(5);
        connect(&m_driver, &QTimer::timeout, this, [this] {
            if (!m_drive || !m_speller || m_answered >= m_prompts || !m_speller->ui().dialog() ||
                !m_speller->checker().IsPrompting())
                return;
            ++m_answered;
            if (m_steps.empty()) {
                QTest::qFail("a word shown with no answer left", __FILE__, __LINE__);
                m_speller->checker().Cancel();
                return;
            }
            const Step step = m_steps.front();
            m_steps.pop_front();
            step(*m_speller->ui().dialog());
            // A step that failed leaves no check waiting.
            if (QTest::currentTestFailed() && m_speller->checker().IsChecking())
                m_speller->checker().Cancel();
        });
        m_driver.start();
    }
    void init() {
        QFile::remove(configPath());
        QDir(m_env.programFolder() + QStringLiteral("Spelling"))
            .remove(loginName() + QStringLiteral(".adu"));
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_drive = true;
        m_window = std::make_unique<QWidget>();
        m_window->resize(600, 400);
        m_memo = new QPlainTextEdit(m_window.get());
        m_memo->resize(600, 400);
        m_window->show();
        makeSpeller();
    }
    void cleanup() {
        m_speller.reset();
        m_window.reset();
        m_boxes.reset();
    }

    void adapterReadsLinesAsTheCheckerSeesThem() {
        m_memo->setPlainText(QStringLiteral("Caf\u00E9 \u4E16x\nsecond"));
        TPlainTextEditParser text(m_memo);
        std::string stream;
        text.SetPosition({});
        for (unsigned char c = text.CurrentChar(); c != 0; c = text.CurrentChar()) {
            stream += static_cast<char>(c);
            if (!text.Advance())
                break;
        }
        QCOMPARE(QByteArray::fromStdString(stream), QByteArray("Caf\xE9 \x7Fx\r\nsecond\r\n"));
        // A failing advance stands on the end, where the next range begins.
        QCOMPARE(text.GetPosition().line, 2);
        text.SetPosition({3, 1});
        text.SetEndPosition(TControlParser::Position{5, 1});
        QCOMPARE(text.CurrentChar(), (unsigned char)'o');
        QVERIFY(text.Advance());
        QVERIFY(!text.Advance());
        QCOMPARE(text.GetPosition().column, 5);
        QVERIFY(text.StepBack());
        text.SetEndPosition(std::nullopt);
        text.SetPosition({2, 0});
        QVERIFY(text.StepBack() && text.StepBack());
        QVERIFY(!text.StepBack());
        text.SetPosition({0, 1});
        QVERIFY(text.StepBack());
        QCOMPARE(text.CurrentChar(), (unsigned char)'\n');
        // Lines are read up to their cap.
        const QString longLine = QStringLiteral("ab ").repeated(7000);
        QCOMPARE(int(TPlainTextEditParser::lineBytes(longLine).size()),
                 TPlainTextEditParser::kMaxLineLength);
        // A word the cap would cut is left out whole.
        QCOMPARE(int(TPlainTextEditParser::lineBytes(QStringLiteral("x ") + longLine).size()),
                 TPlainTextEditParser::kMaxLineLength - 1);
    }

    void adapterSelectsAndReplacesWords() {
        m_memo->setPlainText(QStringLiteral("one teh three\nfour"));
        TPlainTextEditParser text(m_memo);
        text.SetPosition({7, 0});
        text.SetEndPosition(TControlParser::Position{13, 0});
        text.SelectWord(3);
        QCOMPARE(m_memo->textCursor().selectedText(), QStringLiteral("teh"));
        text.ReplaceSelection("there");
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("one there three\nfour"));
        QCOMPARE(text.GetPosition().column, 9);
        // The end of the range moved with the change.
        text.SetPosition({13, 0});
        QVERIFY(text.Advance());
        QVERIFY(!text.Advance());
        QCOMPARE(text.GetPosition().column, 15);
        // The cursor stands after the new word.
        const auto [start, end] = text.GetSelection();
        QCOMPARE(start.column, 9);
        QCOMPARE(end.column, 9);
    }

    void changeAllThenUndoRestoresTheExactText() {
        const QString text = QStringLiteral("The cat sat on teh mat, teh end\nAnd a wrnog word.");
        m_memo->setPlainText(text);
        check({click("btnChangeAll"),
               [](TSpellDialog& d) {
                   // Change All and the silent correction after it go back together.
                   QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("edtNotFound"))->text(),
                            QStringLiteral("wrnog"));
                   d.findChild<QPushButton*>(QStringLiteral("btnUndo"))->click();
               },
               [this, text](TSpellDialog& d) {
                   QCOMPARE(m_memo->toPlainText(), text);
                   d.findChild<QPushButton*>(QStringLiteral("btnChangeAll"))->click();
               },
               click("btnIgnore")});
        QCOMPARE(m_memo->toPlainText(),
                 QStringLiteral("The cat sat on the mat, the end\nAnd a wrnog word."));
        QCOMPARE(m_boxes->shown.size(), 1);
        QCOMPARE(m_boxes->shown[0].caption, QStringLiteral("Spelling"));
        QCOMPARE(m_boxes->shown[0].text, QStringLiteral("The spelling check is complete."));
    }

    void firstSuggestionReplacesACapitalisedTypo() {
        m_memo->setPlainText(QStringLiteral("Teh end."));
        check({[](TSpellDialog& d) {
            auto* list = d.findChild<QListWidget*>(QStringLiteral("lstSuggestions"));
            QVERIFY(list->isEnabled());
            QCOMPARE(list->item(0)->text(), QStringLiteral("The"));
            QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("edtReplaceWith"))->text(),
                     QStringLiteral("The"));
            d.findChild<QPushButton*>(QStringLiteral("btnChange"))->click();
        }});
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("The end."));
    }

    void dialogControlsAndStates() {
        m_memo->setPlainText(QStringLiteral("it was the the end of xqzvkw"));
        check({[this](TSpellDialog& d) {
                   QCOMPARE(d.windowTitle(), QStringLiteral("Spelling"));
                   QCOMPARE(d.findChildren<QLabel*>().at(0)->text(),
                            QStringLiteral("Repeated Word:"));
                   QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("edtNotFound"))->text(),
                            QStringLiteral("the the"));
                   QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("edtReplaceWith"))->text(),
                            QStringLiteral("the"));
                   for (const char* name : {"edtReplaceWith", "lstSuggestions"})
                       QVERIFY(!d.findChild<QWidget*>(QLatin1String(name))->isEnabled());
                   for (const char* name :
                        {"btnIgnoreAll", "btnChangeAll", "btnAdd", "btnAutoCorrect", "btnUndo"})
                       QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
                   // A repeated word leaves Ignore, Change and Options.
                   for (const char* name : {"btnIgnore", "btnChange", "btnOptions"})
                       QVERIFY2(child<QPushButton>(name)->isEnabled(), name);
                   QVERIFY(child<QPushButton>("btnHelp")->isHidden());
                   child<QPushButton>("btnChange")->click();
               },
               [](TSpellDialog& d) {
                   QCOMPARE(d.findChildren<QLabel*>().at(0)->text(), QStringLiteral("Not Found:"));
                   auto* list = d.findChild<QListWidget*>(QStringLiteral("lstSuggestions"));
                   QCOMPARE(list->count(), 1);
                   QCOMPARE(list->item(0)->text(), QStringLiteral("(no suggestions)"));
                   QVERIFY(!list->isEnabled());
                   QVERIFY(
                       d.findChild<QLineEdit*>(QStringLiteral("edtReplaceWith"))->text().isEmpty());
                   for (const char* name : {"btnUndo", "btnIgnoreAll", "btnAdd", "btnOptions"})
                       QVERIFY2(d.findChild<QPushButton*>(QLatin1String(name))->isEnabled(), name);
                   // Nothing to put in the word's place.
                   for (const char* name : {"btnChange", "btnChangeAll", "btnAutoCorrect"})
                       QVERIFY2(!d.findChild<QPushButton*>(QLatin1String(name))->isEnabled(), name);
                   QTest::keyClick(&d, Qt::Key_Escape); // Cancel
               }});
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("it was the end of xqzvkw"));
        QVERIFY(m_speller->checker().WasCancelled());
        QVERIFY(m_boxes->shown.isEmpty()); // no completion message after Cancel
        QVERIFY(!m_speller->ui().dialog()->isVisible());
    }

    // What Change, Change All and Auto-Correct would put in place of the word decides whether
    // they can be used, and so what Enter does: nothing would delete the word (a name without
    // suggestions), the word itself would change nothing; Ignore then takes Enter.
    void replacementRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed"); // null: the box as the dialog fills it
        QTest::addColumn<bool>("changes");
        QTest::addColumn<bool>("changesAll");
        QTest::addColumn<QString>("afterEnter");
        const QString name = QStringLiteral("Later, Zorblax said.");
        const QString typo = QStringLiteral("Teh end.");
        QTest::newRow("no suggestions") << name << QString() << false << false << name;
        QTest::newRow("box emptied") << typo << QStringLiteral("") << false << false << typo;
        QTest::newRow("box holds the word")
            << typo << QStringLiteral("Teh") << false << false << typo;
        QTest::newRow("first suggestion")
            << typo << QString() << true << true << QStringLiteral("The end.");
        QTest::newRow("typed replacement") << name << QStringLiteral("someone") << true << true
                                           << QStringLiteral("Later, someone said.");
        QTest::newRow("repeated word") << QStringLiteral("it was the the end.") << QString() << true
                                       << false << QStringLiteral("it was the end.");
    }
    void replacementRules() {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(bool, changes);
        QFETCH(bool, changesAll);
        QFETCH(QString, afterEnter);
        m_memo->setPlainText(text);
        check({[&](TSpellDialog& d) {
            auto* box = d.findChild<QLineEdit*>(QStringLiteral("edtReplaceWith"));
            if (!typed.isNull()) {
                box->setFocus();
                box->selectAll();
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClicks(box, typed);
            }
            QCOMPARE(child<QPushButton>("btnChange")->isEnabled(), changes);
            QCOMPARE(child<QPushButton>("btnChange")->isDefault(), changes);
            QCOMPARE(child<QPushButton>("btnIgnore")->isDefault(), !changes);
            QCOMPARE(child<QPushButton>("btnChangeAll")->isEnabled(), changesAll);
            QCOMPARE(child<QPushButton>("btnAutoCorrect")->isEnabled(), changesAll);
            QVERIFY(child<QPushButton>("btnIgnore")->isEnabled());
            QTest::keyClick(d.focusWidget(), Qt::Key_Return);
        }});
        QCOMPARE(m_memo->toPlainText(), afterEnter);
        QCOMPARE(m_boxes->texts(), QStringList{QStringLiteral("The spelling check is complete.")});
        // Nothing was stored that a later check would apply.
        std::string replacement;
        for (const char* word : {"Zorblax", "Teh"})
            QVERIFY(!m_speller->checker().ActiveCustomDictionary()->FindPair(word, replacement));
    }

    // A suggestion made current with the arrow keys fills the box, and Enter puts it in place.
    void aSuggestionChosenWithTheKeysIsTheOneApplied() {
        m_memo->setPlainText(QStringLiteral("Teh end."));
        QString chosen;
        check({[&](TSpellDialog& d) {
            auto* list = d.findChild<QListWidget*>(QStringLiteral("lstSuggestions"));
            QVERIFY(list->count() > 1);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            chosen = list->item(1)->text();
            QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("edtReplaceWith"))->text(), chosen);
            QTest::keyClick(list, Qt::Key_Return);
        }});
        QVERIFY(!chosen.isEmpty());
        QCOMPARE(m_memo->toPlainText(), chosen + QStringLiteral(" end."));
    }

    void configurationFileAndItsDefaults() {
        m_memo->setPlainText(QStringLiteral("zorpish"));
        check({click("btnAdd")});
        m_speller.reset(); // the editor closes: configuration and dictionaries are written
        IniFile cfg(configPath());
        const QString user = loginName();
        QCOMPARE(cfg.readString(user, QStringLiteral("_FirstRun")), QStringLiteral("+"));
        QCOMPARE(cfg.readString(user, QStringLiteral("_Main_0")), QStringLiteral("british.adm"));
        QCOMPARE(cfg.readString(user, QStringLiteral("_ActiveCustom")),
                 user + QStringLiteral(".adu"));
        QCOMPARE(cfg.readString(user, QStringLiteral("_soRepeated")), QStringLiteral("+"));
        QVERIFY(cfg.readInteger(user, QStringLiteral("_DialogX"), -1) >= 0);
        QVERIFY(QFile::exists(m_env.programFolder() + QStringLiteral("Spelling/") + user +
                              QStringLiteral(".adu")));

        // A changed configuration is read back; deleting the file restores the defaults.
        cfg.writeString(user, QStringLiteral("_soRepeated"), QStringLiteral("-"));
        cfg.writeString(user, QStringLiteral("_Main_0"), QStringLiteral("other.adm"));
        QVERIFY(cfg.save());
        makeSpeller();
        QVERIFY(!m_speller->checker().Config().Options().Has(soRepeated));
        QCOMPARE(m_speller->checker().Config().MainList().front(), std::string("other.adm"));
        m_speller.reset();
        QVERIFY(QFile::remove(configPath()));
        makeSpeller();
        QCOMPARE(m_speller->checker().Config().MainList(), std::vector<std::string>{"british.adm"});
        QVERIFY(m_speller->checker().Config().Options().Has(soRepeated));
        QCOMPARE(m_speller->checker().Config().ActiveCustom(),
                 (user + QStringLiteral(".adu")).toStdString());
    }

    // A new configuration checks in the English of the system's locale.
    void firstStartChoosesByLocale() {
        const std::pair<QLocale, const char*> cases[] = {
            {QLocale(QLocale::English, QLocale::UnitedStates), "american.adm"},
            {QLocale(QLocale::English, QLocale::Canada), "canadian.adm"},
            {QLocale(QLocale::English, QLocale::UnitedKingdom), "british.adm"},
            {QLocale(QLocale::English, QLocale::Australia), "british.adm"},
            {QLocale(QLocale::French, QLocale::Canada), "british.adm"},
            {QLocale(QLocale::German, QLocale::Germany), "british.adm"},
            {QLocale::c(), "british.adm"},
        };
        for (const auto& [locale, file] : cases)
            QCOMPARE(ProgramSpellConfig::firstMainDictionary(locale), std::string(file));
        // The tests run in the C locale: a first start there checks in British English.
        QCOMPARE(m_speller->checker().Config().MainList(), std::vector<std::string>{"british.adm"});
    }

    // While the book names its language, its editors check with that language's dictionary,
    // the underlines following at once; the configured list comes back when it names none.
    void bookLanguageChoosesTheMainDictionary() {
        const std::string line = "The color of the harbor was gray.";
        QCOMPARE(m_speller->checker().FindUnknownWords(line).size(), std::size_t(3));
        BookLanguage::instance().set(QStringLiteral("en-US"));
        QVERIFY(m_speller->checker().FindUnknownWords(line).empty());
        makeSpeller(); // a window opened while the book's language is in force
        QVERIFY(m_speller->checker().FindUnknownWords(line).empty());
        QCOMPARE(m_speller->checker().Config().MainList(), std::vector<std::string>{"british.adm"});
        BookLanguage::instance().set(QStringLiteral("en-CA"));
        QVERIFY(m_speller->checker().FindUnknownWords("The colour of the harbour.").empty());
        BookLanguage::instance().set(QString());
        QCOMPARE(m_speller->checker().FindUnknownWords(line).size(), std::size_t(3));
    }

    // A list's count is bound by the values the file holds: a damaged count neither freezes the
    // editor that opens (2147483647 walked index by index) nor reads items that are not there.
    void damagedListCountsAreBoundByTheFile_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("expected");
        const QStringList one{QStringLiteral("_Main_0=british.adm")};
        QTest::newRow("largest") << "2147483647" << one << QStringList{"british.adm"};
        QTest::newRow("largest, keys in capitals")
            << "2147483647" << QStringList{"_MAIN_0=british.adm", "_Main_1=other.adm"}
            << QStringList{"british.adm", "other.adm"};
        QTest::newRow("an item missing")
            << "3" << QStringList{"_Main_0=british.adm", "_Main_2=other.adm"}
            << QStringList{"british.adm", "other.adm"};
        QTest::newRow("items past the count")
            << "1" << QStringList{"_Main_0=british.adm", "_Main_1=other.adm"}
            << QStringList{"british.adm"};
        QTest::newRow("negative") << "-1" << one << QStringList{};
        QTest::newRow("beyond 32 bits") << "4294967297" << one << QStringList{};
    }
    void damagedListCountsAreBoundByTheFile() {
        QFETCH(QString, count);
        QFETCH(QStringList, items);
        QFETCH(QStringList, expected);
        m_speller.reset();
        QDir().mkpath(QFileInfo(configPath()).absolutePath());
        QFile file(configPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QString text = u'[' + loginName() + QStringLiteral("]\n_FirstRun=+\n_Main_count=") +
                             count + u'\n' + items.join(u'\n') + u'\n';
        file.write(text.toUtf8());
        file.close();
        makeSpeller();
        QStringList read;
        for (const std::string& item : m_speller->checker().Config().MainList())
            read << QString::fromStdString(item);
        QCOMPARE(read, expected);
    }

    void smartCheckOfASelectionAsksAboutTheRest() {
        m_memo->setPlainText(QStringLiteral("frist line\nmdidle line\nlsat line"));
        QTextCursor cursor = m_memo->textCursor();
        cursor.setPosition(11);
        cursor.setPosition(17, QTextCursor::KeepAnchor); // "mdidle"
        m_memo->setTextCursor(cursor);
        m_boxes->answer(MessageBoxes::Answer::Yes);
        check({click("btnIgnore"), click("btnIgnore"), click("btnIgnore")});
        QCOMPARE(m_boxes->shown.size(), 2);
        QCOMPARE(m_boxes->shown[0].buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(m_boxes->shown[0].caption, QStringLiteral("Spelling"));
        QCOMPARE(m_memo->textCursor().position(), 17); // back where it began
    }

    void typingWhileAWordIsShownResumesThere() {
        m_memo->setPlainText(QStringLiteral("one wrnog two"));
        m_speller->checker().SynchronousCheck = false;
        m_drive = false;
        m_speller->check(m_memo);
        QVERIFY(m_speller->checker().IsPrompting());
        // The user fixes the word in the memo and comes back to the dialog.
        QTextCursor cursor(m_memo->document());
        cursor.setPosition(4);
        cursor.setPosition(9, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral("wrong"));
        m_memo->setTextCursor(cursor);
        m_speller->ui().dialog()->activateWindow();
        QTRY_VERIFY(!m_speller->checker().IsChecking());
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("one wrong two"));
    }

    void wordsPastTheLineCapAreNotChecked() {
        QString line = QStringLiteral("wrnog ");
        line += QString(TPlainTextEditParser::kMaxLineLength - 12, u' ');
        line += QStringLiteral("an xqzvkw end");
        m_memo->setPlainText(line);
        check({click("btnIgnore")});
        QCOMPARE(m_prompts, 1);
    }

    void dialogKeepsClearOfTheWord() {
        const QRect screen(0, 0, 1000, 800);
        const QRect dialog(100, 100, 300, 200);
        QCOMPARE(DialogPlacement::avoid(dialog, QRect(500, 500, 40, 10), screen, false), dialog);
        const QRect below = DialogPlacement::avoid(dialog, QRect(150, 150, 40, 10), screen, true);
        QVERIFY(!below.intersects(QRect(150, 150, 40, 10)));
        QCOMPARE(below.top(), 159 + 8);
        // No room below: above.
        const QRect above = DialogPlacement::avoid(QRect(100, 500, 300, 200),
                                                   QRect(150, 650, 40, 10), screen, true);
        QCOMPARE(above.bottom(), 650 - 8 - 1);
        const QRect outside = DialogPlacement::outside(dialog, QRect(0, 0, 600, 400), screen);
        QVERIFY(!outside.intersects(QRect(0, 0, 600, 400)));
        QVERIFY(screen.contains(outside));
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    SpellUiTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "SpellUiTest.moc"
