// The thesaurus on a real memo with the shipped English thesaurus: the word at the cursor is
// looked up, the dialog offers its contexts and words, and the chosen word replaces it; words
// not found, re-cased look-ups, the history, and the memo's text adapter.

#include "spelling/TMainParsingEngine.h"
#include "spellui/TPlainTextEditParser.h"
#include "spellui/TThesDialog.h"
#include "spellui/TThesaurus.h"
#include "spellui/ThesaurusTexts.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using kerfa::spelling::TThesaurusDoubleClickAction;
using kerfa::spelling::TThesaurusLanguageType;

namespace {

// Runs `action` on the thesaurus dialog once it is shown modally, then closes it unless the
// action ended it, so that a failed check never leaves the test waiting.
void whenShown(std::function<void(TThesDialog*)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<TThesDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            whenShown(action);
            return;
        }
        action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

template <typename T> T* child(QWidget* dialog, const char* name) {
    return dialog->findChild<T*>(QLatin1String(name));
}

QStringList words(QWidget* dialog) {
    QStringList out;
    auto* list = child<QListWidget>(dialog, "lstWords");
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList contexts(QWidget* dialog) {
    QStringList out;
    auto* list = child<QTreeWidget>(dialog, "lstContexts");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + u'|' + list->topLevelItem(i)->text(1);
    return out;
}

void clickWord(QWidget* dialog, const QString& word, bool twice = false) {
    auto* list = child<QListWidget>(dialog, "lstWords");
    const auto found = list->findItems(word, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(word));
    list->scrollToItem(found[0]);
    const QPoint at = list->visualItemRect(found[0]).center();
    // A double-click is a click followed by the double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class ThesaurusDialogTest : public QObject {
    Q_OBJECT

    TestEnvironment* m_environment = nullptr;
    QPlainTextEdit* m_memo = nullptr;

    // The memo holding `text` with the cursor at `cursor`.
    void setText(const QString& text, int cursor) {
        m_memo->setPlainText(text);
        QTextCursor c = m_memo->textCursor();
        c.setPosition(cursor);
        m_memo->setTextCursor(c);
    }

public:
    explicit ThesaurusDialogTest(TestEnvironment* environment) : m_environment(environment) {}

private Q_SLOTS:
    void initTestCase() { m_environment->installFromBuild(QStringLiteral("Thesaurus")); }
    void init() {
        m_memo = new QPlainTextEdit;
        m_memo->resize(500, 300);
        m_memo->show();
    }
    void cleanup() { delete m_memo; }

    void offersSynonymsAndReplacesTheWord() {
        setText(QStringLiteral("It was a happy day.\nThe end."), 11);
        TThesaurus thesaurus(m_memo);
        bool shown = false;
        whenShown([&](TThesDialog* dialog) {
            shown = true;
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Thesaurus: English"));
            // Placed clear of the word it looks up.
            const QRect word(m_memo->viewport()->mapToGlobal(m_memo->cursorRect().topLeft()),
                             m_memo->cursorRect().size());
            QVERIFY(!dialog->frameGeometry().intersects(word));
            QCOMPARE(child<QComboBox>(dialog, "cmbLookedUp")->currentText(),
                     QStringLiteral("happy"));
            QCOMPARE(contexts(dialog).value(0), QStringLiteral("happy|adj"));
            QVERIFY(contexts(dialog).contains(QStringLiteral("unhappy|antonym")));
            QVERIFY(words(dialog).contains(QStringLiteral("cheerful")));
            QVERIFY(!child<QPushButton>(dialog, "btnReplace")->isEnabled());
            clickWord(dialog, QStringLiteral("cheerful"));
            QCOMPARE(child<QLineEdit>(dialog, "edtReplaceWith")->text(),
                     QStringLiteral("cheerful"));
            QVERIFY(child<QPushButton>(dialog, "btnReplace")->isEnabled());
            QTest::mouseClick(child<QPushButton>(dialog, "btnReplace"), Qt::LeftButton);
        });
        int changes = 0;
        thesaurus.OnBeforeChange = [&] {
            ++changes;
        };
        QVERIFY(thesaurus.LookupControl(m_memo));
        QVERIFY(shown);
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("It was a cheerful day.\nThe end."));
        QCOMPARE(changes, 1);
        QVERIFY(!thesaurus.File().IsLoaded());
        m_memo->undo();
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("It was a happy day.\nThe end."));
    }

    // An inflected word shows its base form's meanings, names the base form, and is replaced
    // by the chosen word in its own form, capital kept.
    void inflectedWordsAreReplacedInTheirForm() {
        setText(QStringLiteral("Walked home."), 2);
        TThesaurus thesaurus(m_memo);
        bool shown = false;
        whenShown([&](TThesDialog* dialog) {
            shown = true;
            QCOMPARE(child<QComboBox>(dialog, "cmbLookedUp")->currentText(),
                     QStringLiteral("Walked"));
            auto* base = child<QLabel>(dialog, "lblBaseForm");
            QVERIFY(base->isVisible());
            QCOMPARE(base->text(), QStringLiteral("Base form: walk"));
            QVERIFY(contexts(dialog).contains(QStringLiteral("Walk|verb")));
            auto* meanings = child<QTreeWidget>(dialog, "lstContexts");
            for (int i = 0; !words(dialog).contains(QStringLiteral("Pace")); ++i) {
                QVERIFY(i < meanings->topLevelItemCount());
                meanings->setCurrentItem(meanings->topLevelItem(i));
            }
            clickWord(dialog, QStringLiteral("Pace"));
            QCOMPARE(child<QLineEdit>(dialog, "edtReplaceWith")->text(), QStringLiteral("Paced"));
            QTest::mouseClick(child<QPushButton>(dialog, "btnReplace"), Qt::LeftButton);
        });
        QVERIFY(thesaurus.LookupControl(m_memo));
        QVERIFY(shown);
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("Paced home."));

        // A word found as written names no base form.
        setText(QStringLiteral("happy"), 0);
        whenShown([&](TThesDialog* dialog) {
            QVERIFY(!child<QLabel>(dialog, "lblBaseForm")->isVisible());
        });
        QVERIFY(thesaurus.LookupControl(m_memo));
    }

    void wordNotFound() {
        setText(QStringLiteral("xyzzy plugh"), 0);
        TThesaurus thesaurus(m_memo);
        whenShown([&](TThesDialog* dialog) {
            auto* contextList = child<QTreeWidget>(dialog, "lstContexts");
            QCOMPARE(contexts(dialog), QStringList{QStringLiteral("(not found)|")});
            QVERIFY(!contextList->isEnabled());
            QVERIFY(words(dialog).isEmpty());
            auto* replace = child<QPushButton>(dialog, "btnReplace");
            auto* lookup = child<QPushButton>(dialog, "btnLookup");
            QVERIFY(!replace->isEnabled());
            QVERIFY(!lookup->isEnabled());
            QTest::keyClicks(child<QLineEdit>(dialog, "edtReplaceWith"), QStringLiteral("joy"));
            QVERIFY(replace->isEnabled());
            QVERIFY(lookup->isEnabled());
            QTest::mouseClick(child<QPushButton>(dialog, "btnClose"), Qt::LeftButton);
        });
        QVERIFY(thesaurus.LookupControl(m_memo));
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("xyzzy plugh"));
    }

    void commandsHiddenOrDisabled() {
        setText(QStringLiteral("happy"), 0);
        TThesaurus thesaurus(m_memo);
        thesaurus.SetCommandsVisible(kerfa::spelling::tdcAll & ~kerfa::spelling::tdcPrevious);
        thesaurus.SetCommandsEnabled(kerfa::spelling::tdcAll & ~kerfa::spelling::tdcReplace);
        whenShown([&](TThesDialog* dialog) {
            QVERIFY(!child<QPushButton>(dialog, "btnPrevious")->isVisible());
            clickWord(dialog, QStringLiteral("cheerful"));
            QVERIFY(!child<QPushButton>(dialog, "btnReplace")->isEnabled());
            QVERIFY(child<QPushButton>(dialog, "btnLookup")->isEnabled());
        });
        thesaurus.LookupControl(m_memo);
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("happy"));
    }

    void reCasedLikeTheWord_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("alternative");
        QTest::newRow("all capitals") << "HAPPY"
                                      << "HAPPY|adj"
                                      << "CHEERFUL";
        QTest::newRow("initial capital") << "Happy"
                                         << "Happy|adj"
                                         << "Cheerful";
        QTest::newRow("as listed") << "happy"
                                   << "happy|adj"
                                   << "cheerful";
    }
    void reCasedLikeTheWord() {
        QFETCH(QString, word);
        QFETCH(QString, context);
        QFETCH(QString, alternative);
        setText(QStringLiteral("So ") + word + QStringLiteral(" now."), 4);
        TThesaurus thesaurus(m_memo);
        whenShown([&](TThesDialog* dialog) {
            QCOMPARE(contexts(dialog).value(0), context);
            QVERIFY(words(dialog).contains(alternative));
            clickWord(dialog, alternative);
            QTest::mouseClick(child<QPushButton>(dialog, "btnReplace"), Qt::LeftButton);
        });
        thesaurus.LookupControl(m_memo);
        QCOMPARE(m_memo->toPlainText(),
                 QStringLiteral("So ") + alternative + QStringLiteral(" now."));
    }

    void historyAndPrevious() {
        setText(QStringLiteral("happy"), 2);
        TThesaurus thesaurus(m_memo);
        whenShown([&](TThesDialog* dialog) {
            auto* previous = child<QPushButton>(dialog, "btnPrevious");
            auto* history = child<QComboBox>(dialog, "cmbLookedUp");
            QVERIFY(!previous->isEnabled()); // one entry
            QTest::mouseClick(previous, Qt::LeftButton);
            QCOMPARE(history->count(), 1);
            // Double-clicking a word looks it up.
            clickWord(dialog, QStringLiteral("cheerful"), true);
            QCOMPARE(history->count(), 2);
            QCOMPARE(history->itemText(0), QStringLiteral("cheerful"));
            QVERIFY(previous->isEnabled());
            QTest::mouseClick(previous, Qt::LeftButton);
            QCOMPARE(history->count(), 1);
            QCOMPARE(history->currentText(), QStringLiteral("happy"));
            QCOMPARE(contexts(dialog).value(0), QStringLiteral("happy|adj"));
            QVERIFY(!previous->isEnabled());
        });
        thesaurus.LookupControl(m_memo);
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("happy"));
    }

    void doubleClickReplacesWhenSetTo() {
        setText(QStringLiteral("happy"), 0);
        TThesaurus thesaurus(m_memo);
        thesaurus.SetDoubleClickAction(TThesaurusDoubleClickAction::dcaReplace);
        whenShown([&](TThesDialog* dialog) { clickWord(dialog, QStringLiteral("glad"), true); });
        thesaurus.LookupControl(m_memo);
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("glad"));
    }

    void cursorOnWhiteSpaceLooksUpTheNextWord() {
        setText(QStringLiteral("happy  sad"), 6);
        TThesaurus thesaurus(m_memo);
        QString lookedUp;
        whenShown([&](TThesDialog* dialog) {
            lookedUp = child<QComboBox>(dialog, "cmbLookedUp")->currentText();
        });
        QVERIFY(thesaurus.LookupControl(m_memo));
        QCOMPARE(lookedUp, QStringLiteral("sad"));
        QCOMPARE(m_memo->textCursor().selectedText(), QStringLiteral("sad"));

        setText(QStringLiteral("happy   "), 6);
        QVERIFY(!thesaurus.LookupControl(m_memo));
    }

    void lookedUpWordIsSelectedAndEmptiesTheEdit() {
        TThesaurus thesaurus(m_memo);
        whenShown([&](TThesDialog* dialog) {
            // "Bush" is found through "bush"; one of its contexts lists "Bush" itself.
            auto* contextList = child<QTreeWidget>(dialog, "lstContexts");
            auto* edit = child<QLineEdit>(dialog, "edtReplaceWith");
            auto* list = child<QListWidget>(dialog, "lstWords");
            const QStringList all = contexts(dialog);
            for (int row = 0; row < all.size() && !words(dialog).contains(QStringLiteral("Bush"));
                 ++row) {
                if (all[row] == QStringLiteral("Bush|noun"))
                    contextList->setCurrentItem(contextList->topLevelItem(row));
            }
            QVERIFY(words(dialog).contains(QStringLiteral("Bush")));
            QTRY_COMPARE(list->currentRow(),
                         static_cast<int>(words(dialog).indexOf(QStringLiteral("Bush"))));
            QCOMPARE(edit->text(), QString());
            clickWord(dialog, QStringLiteral("George Bush"));
            QCOMPARE(edit->text(), QStringLiteral("George Bush"));
            clickWord(dialog, QStringLiteral("Bush"));
            QCOMPARE(edit->text(), QString());
        });
        QCOMPARE(thesaurus.LookupWord("Bush"), std::string());
    }

    void dialogKeepsClearOfTheWord_data() {
        QTest::addColumn<QRect>("word");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 800, 600);
        QTest::newRow("below") << QRect(100, 100, 50, 20) << QPoint(100, 128);
        QTest::newRow("above near the bottom") << QRect(100, 500, 50, 20) << QPoint(100, 192);
        QTest::newRow("moved in from the right") << QRect(700, 100, 50, 20) << QPoint(500, 128);
    }
    void dialogKeepsClearOfTheWord() {
        QFETCH(QRect, word);
        QFETCH(QPoint, expected);
        QCOMPARE(TThesaurus::PlaceBeside(word, QSize(300, 300), QRect(0, 0, 800, 600)), expected);
    }

    void languageFromTheInterfaceLanguageName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("notFound");
        QTest::newRow("English") << "English" << int(TThesaurusLanguageType::ltEnglish)
                                 << "(not found)";
        QTest::newRow("German") << "German" << int(TThesaurusLanguageType::ltGerman)
                                << "(nicht gefunden)";
        QTest::newRow("Norwegian")
            << "norwegian" << int(TThesaurusLanguageType::ltNorwegianBok) << "(ikke funnet)";
        QTest::newRow("Brazilian")
            << "Brazilian Portuguese" << int(TThesaurusLanguageType::ltBrPort)
            << QString::fromUtf8("(não encontrada)");
        QTest::newRow("not exact")
            << "Swiss German" << int(TThesaurusLanguageType::ltEnglish) << "(not found)";
    }
    void languageFromTheInterfaceLanguageName() {
        QFETCH(QString, name);
        QFETCH(int, language);
        QFETCH(QString, notFound);
        QCOMPARE(int(ThesaurusTexts::languageFor(name)), language);
        QCOMPARE(ThesaurusTexts::text(ThesaurusTexts::languageFor(name),
                                      TThesaurusLanguageString::lsDlgNotFound),
                 notFound);
    }

    // The memo's character stream: every line ends in CR LF, so the last word counts; columns
    // stay aligned with the memo's where characters have no byte in the code page.
    void memoAdapterWalksLinesAndReplaces() {
        setText(QStringLiteral("One \u65E5\u672C two\nthree\n\nfour"), 0);
        TPlainTextEditParser adapter(m_memo);
        kerfa::spelling::TMainParsingEngine parser;
        parser.Start(adapter, kerfa::spelling::TMainParsingEngine::smWholeText);
        QStringList found;
        for (std::string w = parser.NextWord(); !w.empty(); w = parser.NextWord())
            found << QString::fromStdString(w);
        QCOMPARE(found, (QStringList{QStringLiteral("One"), QStringLiteral("two"),
                                     QStringLiteral("three"), QStringLiteral("four")}));

        adapter.SetPosition({6, 0});
        parser.MoveTo({7, 0});
        QVERIFY(parser.NextWord() == "two");
        QVERIFY((adapter.GetPosition() == kerfa::spelling::TControlParser::Position{10, 0}));
        adapter.SelectWord(3);
        QCOMPARE(m_memo->textCursor().selectedText(), QStringLiteral("two"));
        adapter.SetEndPosition(kerfa::spelling::TControlParser::Position{11, 0});
        adapter.ReplaceSelection("couple");
        QCOMPARE(m_memo->toPlainText(), QStringLiteral("One \u65E5\u672C couple\nthree\n\nfour"));
        QVERIFY((adapter.GetPosition() == kerfa::spelling::TControlParser::Position{13, 0}));
        QCOMPARE(adapter.CurrentChar(), static_cast<unsigned char>('\r'));
        QVERIFY(!adapter.Advance()); // the end position moved with the change
        QVERIFY(adapter.CurrentLine() == "One \x7F\x7F couple");
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    ThesaurusDialogTest test(&environment);
    return QTest::qExec(&test, argc, argv);
}

#include "ThesaurusDialogTest.moc"
