// Unknown words underlined as the user types, in real editor windows with the shipped
// dictionary: where the underlines fall, the popup over an underlined word, a word added in one
// window clearing its underline in every window, the option switching it all off and on, and
// an edit in a long sheet checking only what it touched.

#include "EditorFixture.h"
#include "language/Messages.h"
#include "spelling/TSpellChecker.h"
#include "spellui/EditorSpeller.h"
#include "spellui/LiveSpeller.h"
#include "spellui/TSpellDialog.h"
#include "support/FullDisk.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <functional>
#include <pwd.h>
#include <unistd.h>

using kerfa::spelling::soLiveSpelling;

namespace {

QString loginName() {
    const passwd* pw = ::getpwuid(::getuid());
    return pw && pw->pw_name && *pw->pw_name ? QString::fromLocal8Bit(pw->pw_name)
                                             : QStringLiteral("default");
}

// Runs `action` on the options dialog once it shows, then closes it.
void whenModal(std::function<void(QDialog*)> action, int triesLeft = 2000) {
    QTimer::singleShot(5, [action, triesLeft] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0)
                whenModal(action, triesLeft - 1);
            return;
        }
        action(dialog);
        if (dialog->isVisible())
            dialog->accept();
    });
}

} // namespace

class LiveSpellingTest : public QObject {
    Q_OBJECT

    EditorFixture f;

    QString spelling() const { return f.m_env.programFolder() + QStringLiteral("Spelling/"); }

    static LiveSpeller* live(TfmEditor* editor) { return editor->speller().live(); }

    // A shown editor window holding `text`, its whole text checked.
    TfmEditor* editorWith(const QString& sheet, const QString& text) {
        TfmEditor* editor = f.shown(sheet);
        if (!QTest::qWaitFor([&] { return live(editor) != nullptr; }))
            return nullptr;
        f.memo(editor)->setPlainText(text);
        if (!QTest::qWaitFor([&] { return live(editor)->isComplete(); }))
            return nullptr;
        return editor;
    }

    // The underlined words of the memo, in order, as the text under each underline.
    static QStringList underlined(TfmEditor* editor) {
        QStringList words;
        const QTextDocument* document = editor->memo()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (const QTextLayout::FormatRange& range : live(editor)->underlines(block)) {
                if (range.format.underlineStyle() != QTextCharFormat::WaveUnderline ||
                    range.format.underlineColor() != QColor(Qt::red))
                    return {QStringLiteral("(not a red wave)")};
                words << block.text().mid(range.start, range.length);
            }
        return words;
    }

    // A point of the memo's viewport inside the first occurrence of `word`.
    static QPoint pointOf(TfmEditor* editor, const QString& word) {
        QPlainTextEdit* memo = editor->memo();
        QTextCursor cursor = memo->document()->find(word);
        cursor.setPosition(cursor.selectionStart() + 1);
        return memo->cursorRect(cursor).center();
    }

    // The popup's commands over `word`, in a menu of the test's.
    static QStringList popupOver(TfmEditor* editor, const QString& word, QMenu& menu) {
        if (!live(editor)->addMenuCommands(&menu, pointOf(editor, word)))
            return {};
        QStringList texts;
        for (QAction* action : menu.actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    static QAction* command(QMenu& menu, const char* name) {
        return menu.findChild<QAction*>(QLatin1String(name));
    }

public:
    explicit LiveSpellingTest(TestEnvironment& env) : f(env) {}

private Q_SLOTS:
    void initTestCase() {
        f.m_env.installFromBuild(QStringLiteral("Spelling"));
        QVERIFY(QFile::exists(spelling() + QStringLiteral("british.adm")));
    }
    void init() {
        f.setUp();
        QFile::remove(spelling() + QStringLiteral("Spell.cfg"));
        QFile::remove(spelling() + loginName() + QStringLiteral(".adu"));
    }
    void cleanup() { f.tearDown(); }

    void underlinesFallOnTheUnknownWordsOnly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("all known") << QStringLiteral("The cat sat on the mat.") << QStringList();
        QTest::newRow("end of the text")
            << QStringLiteral("It ends in wrongg") << QStringList{"wrongg"};
        QTest::newRow("end of a line")
            << QStringLiteral("A line ends wrongg\nThe next is fine.") << QStringList{"wrongg"};
        QTest::newRow("double quotes")
            << QStringLiteral("She said \"wrongg\" and left.") << QStringList{"wrongg"};
        QTest::newRow("single quotes")
            << QStringLiteral("She said 'wrongg' and left.") << QStringList{"wrongg"};
        QTest::newRow("curly quotes")
            << QStringLiteral("She said \u201Cwrongg\u201D and left.") << QStringList{"wrongg"};
        QTest::newRow("after a character the code page lacks")
            << QStringLiteral("\u2603 teh \u2603 snow") << QStringList{"teh"};
        QTest::newRow("several on several lines")
            << QStringLiteral("teh cat\n\n(and) teh dog, wrongg.")
            << QStringList{"teh", "teh", "wrongg"};
        QTest::newRow("ignore rules as Spell Check's")
            << QStringLiteral("See www.zzqxw.com, 42, THE and the writer's e.g.") << QStringList();
    }
    void underlinesFallOnTheUnknownWordsOnly() {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        TfmEditor* editor = editorWith(QStringLiteral("Chapter"), text);
        QVERIFY(editor);
        QCOMPARE(underlined(editor), words);
    }

    // The word being typed is left unmarked until the caret leaves it; a word underlined
    // before it was edited is checked at every key. Steps: "t:" types, "k:" presses a key,
    // "c:" puts the caret at a position as a click does.
    void theWordAtTheCaretWaitsUntilTheCaretLeavesIt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("a word being typed")
            << QString() << 0 << QStringList{"t:He typed wrongg"} << QStringList();
        QTest::newRow("a blank typed after it")
            << QString() << 0 << QStringList{"t:He typed wrongg "} << QStringList{"wrongg"};
        QTest::newRow("punctuation typed after it")
            << QString() << 0 << QStringList{"t:He typed wrongg,"} << QStringList{"wrongg"};
        QTest::newRow("Enter pressed after it")
            << QString() << 0 << QStringList{"t:wrongg", "k:Return"} << QStringList{"wrongg"};
        QTest::newRow("a click elsewhere")
            << QString() << 0 << QStringList{"t:He typed wrongg", "c:0"} << QStringList{"wrongg"};
        QTest::newRow("the caret moved back into it")
            << QString() << 0 << QStringList{"t:wrongg", "k:Left", "k:Left"} << QStringList();
        QTest::newRow("the caret moved on past the blank after it")
            << QString() << 0 << QStringList{"t:wrongg x", "k:Left", "k:Left", "k:Right"}
            << QStringList{"wrongg"};
        QTest::newRow("a backspace in it")
            << QString() << 0 << QStringList{"t:wronggg", "k:Backspace"} << QStringList();
        QTest::newRow("typed into the middle of a line")
            << QStringLiteral("The end.") << 4 << QStringList{"t:wro"} << QStringList();
        QTest::newRow("that word ended by a blank")
            << QStringLiteral("The end.") << 4 << QStringList{"t:wrongg "} << QStringList{"wrongg"};
        QTest::newRow("others stay marked meanwhile")
            << QStringLiteral("teh cat") << 7 << QStringList{"t: wrongg"} << QStringList{"teh"};
        QTest::newRow("typed onto the front of a marked word")
            << QStringLiteral("teh") << 0 << QStringList{"t:qzx"} << QStringList{"qzxteh"};
        QTest::newRow("then parted from it by a blank")
            << QStringLiteral("teh") << 0 << QStringList{"t:qzx "} << QStringList{"qzx", "teh"};
        QTest::newRow("a marked word edited and still wrong")
            << QStringLiteral("teh cat") << 3 << QStringList{"t:e"} << QStringList{"tehe"};
        QTest::newRow("a marked word corrected loses its mark at once")
            << QStringLiteral("wrongg cat") << 6 << QStringList{"k:Backspace"} << QStringList();
        QTest::newRow("a marked word shortened, still wrong")
            << QStringLiteral("wronggg cat") << 7 << QStringList{"k:Backspace"}
            << QStringList{"wrongg"};
        QTest::newRow("a loaded sheet's first word, the caret before it")
            << QStringLiteral("wrongg here") << 0 << QStringList() << QStringList{"wrongg"};
        QTest::newRow("the caret put into a marked word")
            << QStringLiteral("teh cat") << 2 << QStringList{"c:1"} << QStringList{"teh"};
    }
    void theWordAtTheCaretWaitsUntilTheCaretLeavesIt() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, words);
        TfmEditor* editor = editorWith(QStringLiteral("Chapter"), text);
        QVERIFY(editor);
        QPlainTextEdit* memo = f.memo(editor);
        const auto putCaret = [memo](int position) {
            QTextCursor cursor(memo->document());
            cursor.setPosition(position);
            memo->setTextCursor(cursor);
        };
        putCaret(caret);
        static const QHash<QString, Qt::Key> keys{{QStringLiteral("Return"), Qt::Key_Return},
                                                  {QStringLiteral("Left"), Qt::Key_Left},
                                                  {QStringLiteral("Right"), Qt::Key_Right},
                                                  {QStringLiteral("Backspace"), Qt::Key_Backspace}};
        for (const QString& step : std::as_const(steps)) {
            const QString argument = step.mid(2);
            if (step.startsWith(QLatin1String("t:")))
                QTest::keyClicks(memo, argument);
            else if (step.startsWith(QLatin1String("k:")))
                QTest::keyClick(memo, keys.value(argument));
            else
                putCaret(argument.toInt());
        }
        // Nothing waits for the idle time.
        QCOMPARE(underlined(editor), words);
        QCoreApplication::processEvents();
        QCOMPARE(underlined(editor), words);
    }

    void aWordAddedLosesItsUnderlineInEveryOpenEditor() {
        TfmEditor* first =
            editorWith(QStringLiteral("One"), QStringLiteral("A zorblax walked in.\nteh end"));
        TfmEditor* second = editorWith(QStringLiteral("Two"), QStringLiteral("Another zorblax."));
        QVERIFY(first && second);
        QCOMPARE(underlined(first), (QStringList{"zorblax", "teh"}));
        QCOMPARE(underlined(second), QStringList{"zorblax"});

        QMenu menu;
        QVERIFY(!popupOver(first, QStringLiteral("zorblax"), menu).isEmpty());
        command(menu, "pmnuAdd")->trigger();
        // At once, without waiting for the idle time.
        QCOMPARE(underlined(first), QStringList{"teh"});
        QCOMPARE(underlined(second), QStringList());
        QFile dictionary(spelling() + loginName() + QStringLiteral(".adu"));
        QVERIFY(dictionary.open(QIODevice::ReadOnly));
        QVERIFY(dictionary.readAll().contains("zorblax"));
        // A window opened afterwards knows it too.
        TfmEditor* third = editorWith(QStringLiteral("Three"), QStringLiteral("zorblax teh"));
        QVERIFY(third);
        QCOMPARE(underlined(third), QStringList{"teh"});
    }

    // Add in the spelling dialog (F7) clears the word in every window while the check goes on,
    // the checked window included, as the popup's Add does.
    void aWordAddedInTheSpellingDialogLosesItsUnderlineAtOnce() {
        TfmEditor* first = editorWith(QStringLiteral("One"),
                                      QStringLiteral("A zorblax walked in.\nzorblax and teh end"));
        TfmEditor* second = editorWith(QStringLiteral("Two"), QStringLiteral("Another zorblax."));
        QVERIFY(first && second);
        f.memo(first)->moveCursor(QTextCursor::Start);
        first->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(first));

        QStringList shown;
        QStringList firstDuring;
        QStringList secondDuring;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            auto* dialog = first->findChild<TSpellDialog*>();
            kerfa::spelling::TSpellChecker& checker = first->speller().checker();
            if (!dialog || !dialog->isVisible() || !checker.IsPrompting() ||
                QString::fromStdString(checker.CurrentWord()) == shown.value(shown.size() - 1))
                return;
            shown << QString::fromStdString(checker.CurrentWord());
            if (shown.size() == 1) {
                dialog->findChild<QPushButton*>(QStringLiteral("btnAdd"))->click();
                return;
            }
            firstDuring = underlined(first);
            secondDuring = underlined(second);
            dialog->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
        });
        driver.start(5);
        EditorFixture::action(first, "mnuSpellCheck")->trigger();
        driver.stop();
        QVERIFY(!first->speller().checker().IsChecking());
        QCOMPARE(shown, (QStringList{"zorblax", "teh"}));
        QCOMPARE(firstDuring, QStringList{"teh"});
        QCOMPARE(secondDuring, QStringList());
        QCOMPARE(underlined(first), QStringList{"teh"});
        QFile dictionary(spelling() + loginName() + QStringLiteral(".adu"));
        QVERIFY(dictionary.open(QIODevice::ReadOnly));
        QVERIFY(dictionary.readAll().contains("zorblax"));
    }

    // While F7 goes through the text the underlines stay on the words still wrong: a doubled
    // word removed does not shift them onto other words, and a corrected word loses its own.
    void underlinesKeepInStepWithTheCheck() {
        TfmEditor* editor = editorWith(
            QStringLiteral("One"), QStringLiteral("It was the the end of teh storm, said wrnog."));
        QVERIFY(editor);
        QCOMPARE(underlined(editor), (QStringList{"teh", "wrnog"}));
        f.memo(editor)->moveCursor(QTextCursor::Start);
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor));

        QStringList shown;
        QList<QStringList> during;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            auto* dialog = editor->findChild<TSpellDialog*>();
            kerfa::spelling::TSpellChecker& checker = editor->speller().checker();
            if (!dialog || !dialog->isVisible() || !checker.IsPrompting() ||
                QString::fromStdString(checker.PromptedWord()) == shown.value(shown.size() - 1))
                return;
            shown << QString::fromStdString(checker.PromptedWord());
            during << underlined(editor);
            dialog
                ->findChild<QPushButton*>(
                    QLatin1String(shown.size() < 3 ? "btnChange" : "btnCancel"))
                ->click();
        });
        driver.start(5);
        EditorFixture::action(editor, "mnuSpellCheck")->trigger();
        driver.stop();
        QCOMPARE(shown, (QStringList{"the the", "teh", "wrnog"}));
        QCOMPARE(during, (QList<QStringList>{{"teh", "wrnog"}, {"teh", "wrnog"}, {"wrnog"}}));
        QCOMPARE(f.memo(editor)->toPlainText(),
                 QStringLiteral("It was the end of the storm, said wrnog."));
        QCOMPARE(underlined(editor), QStringList{"wrnog"});
    }

    // An Add whose dictionary cannot be written (a full disk) says so once for the command,
    // naming the dictionary, rather than nothing, and the file is left as it was. The popup's
    // word is not added: it keeps its underline.
    void anAddThatCannotBeSavedIsToldOnce_data() {
        QTest::addColumn<bool>("dialog");
        QTest::newRow("the popup's Add") << false;
        QTest::newRow("two Adds in the spelling dialog") << true;
    }
    void anAddThatCannotBeSavedIsToldOnce() {
        QFETCH(bool, dialog);
        const QString path = spelling() + loginName() + QStringLiteral(".adu");
        TfmEditor* editor = editorWith(QStringLiteral("One"), QStringLiteral("A zorblax qwerk."));
        QVERIFY(editor);
        {
            const FileSizeLimit full(512);
            if (dialog) {
                f.memo(editor)->moveCursor(QTextCursor::Start);
                editor->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(editor));
                QTimer driver;
                connect(&driver, &QTimer::timeout, this, [&] {
                    auto* shown = editor->findChild<TSpellDialog*>();
                    if (shown && shown->isVisible() && editor->speller().checker().IsPrompting())
                        shown->findChild<QPushButton*>(QStringLiteral("btnAdd"))->click();
                });
                driver.start(5);
                EditorFixture::action(editor, "mnuSpellCheck")->trigger();
                driver.stop();
            } else {
                QMenu menu;
                QVERIFY(!popupOver(editor, QStringLiteral("zorblax"), menu).isEmpty());
                command(menu, "pmnuAdd")->trigger();
            }
        }
        QStringList told;
        for (const QString& text : f.m_boxes->texts())
            if (text.contains(path))
                told << text;
        QCOMPARE(told, QStringList{u'\'' + path + QStringLiteral("' ") +
                                   Messages::text(Messages::CANNOT_SAVE_FILE)});
        QVERIFY(!QFile::exists(path));
        if (!dialog)
            QCOMPARE(underlined(editor), (QStringList{"zorblax", "qwerk"}));
    }

    void theWordsPopupOffersSuggestionsAndTheSpellingCommands() {
        TfmEditor* first = editorWith(QStringLiteral("One"), QStringLiteral("teh qzxqzx end"));
        TfmEditor* second = editorWith(QStringLiteral("Two"), QStringLiteral("teh qzxqzx"));
        QVERIFY(first && second);
        QMenu menu;
        menu.addAction(QStringLiteral("Undo"));
        const QStringList texts = popupOver(first, QStringLiteral("teh"), menu);
        QVERIFY(!texts.isEmpty());
        QCOMPARE(texts.front(), QStringLiteral("the"));
        QVERIFY(texts.size() <= 5 + 7);
        QCOMPARE(texts.mid(texts.indexOf(QStringLiteral("-"))),
                 (QStringList{"-", "&Ignore All", "&Add", "&Spelling ...", "-", "Undo"}));
        // A suggestion takes the word's place.
        command(menu, "pmnuSuggestion")->trigger();
        QCOMPARE(f.memo(first)->toPlainText(), QStringLiteral("the qzxqzx end"));
        QCOMPARE(underlined(first), QStringList{"qzxqzx"});

        QMenu none;
        QCOMPARE(popupOver(first, QStringLiteral("qzxqzx"), none).mid(0, 2),
                 (QStringList{"(no suggestions)", "-"}));
        QVERIFY(!command(none, "pmnuNoSuggestions")->isEnabled());
        // Ignore All holds in this window only.
        command(none, "pmnuIgnoreAll")->trigger();
        QCOMPARE(underlined(first), QStringList());
        QCOMPARE(underlined(second), (QStringList{"teh", "qzxqzx"}));

        // A known word has no spelling commands; the memo's own popup stays.
        QMenu known;
        QVERIFY(popupOver(first, QStringLiteral("end"), known).isEmpty());
        QVERIFY(known.actions().isEmpty());

        // The real popup, by the right-click's signal.
        Q_EMIT f.memo(second)->customContextMenuRequested(pointOf(second, QStringLiteral("teh")));
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(popup);
        QCOMPARE(popup->actions().front()->text(), QStringLiteral("the"));
        QVERIFY(popup->findChild<QAction*>(QStringLiteral("pmnuSpelling")));
        QVERIFY(popup->actions().contains(EditorFixture::action(second, "pmnuSelectAll")));
        popup->hide();
    }

    // The option, offered in the spelling options, takes the underlines away in every window
    // and Reset Defaults brings them back.
    void theOptionSwitchesTheUnderlinesOffAndOn() {
        TfmEditor* editor = editorWith(QStringLiteral("One"), QStringLiteral("teh cat"));
        TfmEditor* other = editorWith(QStringLiteral("Two"), QStringLiteral("wrongg"));
        QVERIFY(editor && other);
        QVERIFY(live(editor)->isActive());
        whenModal([](QDialog* dialog) {
            auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("cbLiveSpelling"));
            QVERIFY(box && box->isChecked());
            QCOMPARE(box->text(), QStringLiteral("Check spelling as you type"));
            box->click();
        });
        EditorFixture::action(editor, "mnuSpellingOptions")->trigger();
        QVERIFY(!editor->speller().checker().Config().Options().Has(soLiveSpelling));
        QCOMPARE(underlined(editor), QStringList());
        QCOMPARE(underlined(other), QStringList());
        f.memo(editor)->moveCursor(QTextCursor::End);
        QTest::keyClicks(f.memo(editor), QStringLiteral(" wrongg"));
        QCOMPARE(underlined(editor), QStringList());
        QMenu menu;
        QVERIFY(popupOver(editor, QStringLiteral("teh"), menu).isEmpty());

        whenModal([](QDialog* dialog) {
            dialog->findChild<QPushButton*>(QStringLiteral("btnResetDefaults"))->click();
        });
        EditorFixture::action(editor, "mnuSpellingOptions")->trigger();
        QVERIFY(QTest::qWaitFor([&] { return live(editor)->isComplete(); }));
        QCOMPARE(underlined(editor), (QStringList{"teh", "wrongg"}));
        QCOMPARE(underlined(other), QStringList{"wrongg"});
    }

    // A long sheet is checked in slices, never at once; once it is, each key re-checks the
    // one paragraph it changed and Enter the two it leaves.
    void typingInALongSheetRechecksOnlyTheChangedParagraph() {
        QStringList lines;
        for (int i = 0; i < 4000; ++i)
            lines << QStringLiteral("Paragraph %1 of the story has teh typo in it.").arg(i);
        TfmEditor* editor = editorWith(QStringLiteral("Chapter"), QString());
        QVERIFY(editor);
        f.memo(editor)->setPlainText(lines.join(u'\n'));
        QVERIFY(!live(editor)->isComplete());
        QVERIFY(live(editor)->blocksChecked() < 1000);
        // Underlines are no change of the text: the window's caption and commands stay.
        QSignalSpy changed(f.memo(editor), &QPlainTextEdit::textChanged);
        QVERIFY(QTest::qWaitFor([&] { return live(editor)->isComplete(); }, 60000));
        QCOMPARE(changed.size(), 0);
        QCOMPARE(underlined(editor).size(), 4000);

        QTextCursor cursor(f.memo(editor)->document()->findBlockByNumber(2000));
        cursor.movePosition(QTextCursor::EndOfWord);
        f.memo(editor)->setTextCursor(cursor);
        f.memo(editor)->ensureCursorVisible();
        QCoreApplication::processEvents();
        const qint64 before = live(editor)->blocksChecked();
        QTest::keyClicks(f.memo(editor), QStringLiteral("xyz"));
        QCOMPARE(live(editor)->blocksChecked() - before, 3);
        QCOMPARE(f.memo(editor)->document()->findBlockByNumber(2000).text().left(16),
                 QStringLiteral("Paragraphxyz 200"));
        QTest::keyClick(f.memo(editor), Qt::Key_Return);
        QCOMPARE(live(editor)->blocksChecked() - before, 5);
        QCoreApplication::processEvents();
        QVERIFY(live(editor)->isComplete());
        QCOMPARE(underlined(editor).count(QStringLiteral("Paragraphxyz")), 1);
        QCOMPARE(underlined(editor).size(), 4001);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    LiveSpellingTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "LiveSpellingTest.moc"
