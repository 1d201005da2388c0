// The spelling check and the thesaurus in real editor windows, with the shipped dictionary and
// thesaurus: F7, Shift+F7 and F8, their enabled states, a check ended by closing or leaving the
// window, the dialogs in the interface's language, and the one spelling configuration that
// every open window shares.

#include "EditorFixture.h"
#include "common/IniFile.h"
#include "spelling/TSpellChecker.h"
#include "spellui/EditorSpeller.h"
#include "spellui/TSpellDialog.h"
#include "spellui/TThesDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <deque>
#include <functional>
#include <pwd.h>
#include <unistd.h>

using Answer = MessageBoxes::Answer;
using kerfa::spelling::soRepeated;
using kerfa::spelling::soUpcase;

namespace {

QString loginName() {
    const passwd* pw = ::getpwuid(::getuid());
    return pw && pw->pw_name && *pw->pw_name ? QString::fromLocal8Bit(pw->pw_name)
                                             : QStringLiteral("default");
}

template <typename T> T* child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QLatin1String(name));
}

void click(QWidget* parent, const char* name) {
    auto* button = child<QPushButton>(parent, name);
    QVERIFY2(button && button->isVisible() && button->isEnabled(), name);
    button->click();
}

// Runs `action` on the modal dialog of type T once it shows (looking for it for ten seconds at
// most), then closes it unless the action did, so that a failed check never leaves the test
// waiting.
template <typename T> void whenModal(std::function<void(T*)> action, int triesLeft = 2000) {
    QTimer::singleShot(5, [action, triesLeft] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0)
                whenModal<T>(action, triesLeft - 1);
            return;
        }
        action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class EditorSpellingTest : public QObject {
    Q_OBJECT

    EditorFixture f;

    // Answers each word the check of an editor shows with the next step, from inside the
    // check's event loop; a word with no step left fails and cancels.
    using Step = std::function<void(TfmEditor*, TSpellDialog*)>;
    std::deque<Step> m_steps;
    QPointer<TfmEditor> m_checked;
    int m_prompts = 0;
    int m_answered = 0;
    QTimer m_driver;

    QString configPath() const {
        return f.m_env.programFolder() + QStringLiteral("Spelling/Spell.cfg");
    }

    // An active editor window holding `text`, the cursor at its end.
    TfmEditor* editorWith(const QString& sheet, const QString& text) {
        TfmEditor* editor = f.shown(sheet);
        editor->activateWindow();
        if (!QTest::qWaitForWindowActive(editor))
            return nullptr;
        QTest::keyClicks(f.memo(editor), text);
        editor->speller().checker().OnPromptWord = [this](const std::string&, bool) {
            ++m_prompts;
        };
        return editor;
    }

    static void trigger(TfmEditor* editor, const char* command) {
        QAction* action = EditorFixture::action(editor, command);
        QVERIFY2(action->isEnabled(), command);
        action->trigger();
    }

    // Spell Check, the words answered by the steps; returns once the check ended. By its key
    // (F7) in a window known to be active, else by its command.
    void spellCheck(TfmEditor* editor, std::deque<Step> steps, bool byKey = false) {
        m_steps = std::move(steps);
        m_checked = editor;
        m_prompts = m_answered = 0;
        if (byKey)
            QTest::keyClick(f.memo(editor), Qt::Key_F7);
        else
            trigger(editor, "mnuSpellCheck");
        QVERIFY(!m_checked || !m_checked->speller().checker().IsChecking());
        QCOMPARE(int(m_steps.size()), 0);
    }

    static Step press(const char* name) {
        return [name](TfmEditor*, TSpellDialog* dialog) {
            click(dialog, name);
        };
    }

    // Spelling Options, the dialog answered by `action`; by its key (Shift+F7) or its command.
    void spellingOptions(TfmEditor* editor, std::function<void(QDialog*)> action,
                         bool byKey = false) {
        bool shown = false;
        whenModal<QDialog>([&](QDialog* dialog) {
            shown = true;
            action(dialog);
        });
        if (byKey)
            QTest::keyClick(f.memo(editor), Qt::Key_F7, Qt::ShiftModifier);
        else
            trigger(editor, "mnuSpellingOptions");
        QVERIFY(shown);
    }

public:
    explicit EditorSpellingTest(TestEnvironment& env) : f(env) {}

private Q_SLOTS:
    void initTestCase() {
        f.m_env.installFromBuild(QStringLiteral("Spelling"));
        f.m_env.installFromBuild(QStringLiteral("Thesaurus"));
        QVERIFY(QFile::exists(f.m_env.programFolder() + QStringLiteral("Spelling/british.adm")));
        m_driver.setInterval(5);
        connect(&m_driver, &QTimer::timeout, this, [this] {
            if (!m_checked || m_answered >= m_prompts)
                return;
            TSpellDialog* dialog = m_checked->findChild<TSpellDialog*>();
            if (!dialog || !dialog->isVisible() || !m_checked->speller().checker().IsPrompting())
                return;
            ++m_answered;
            if (m_steps.empty()) {
                QTest::qFail("a word shown with no answer left", __FILE__, __LINE__);
                m_checked->speller().checker().Cancel();
                return;
            }
            const Step step = m_steps.front();
            m_steps.pop_front();
            step(m_checked, dialog);
            // A step that failed leaves no check waiting.
            if (QTest::currentTestFailed() && m_checked)
                m_checked->speller().checker().Cancel();
        });
        m_driver.start();
    }
    void init() {
        f.setUp();
        QFile::remove(configPath());
        QDir(configPath()).removeRecursively();
        QFile::remove(f.m_env.programFolder() + QStringLiteral("Spelling/") + loginName() +
                      QStringLiteral(".adu"));
    }
    void cleanup() {
        m_checked = nullptr;
        f.tearDown();
    }

    // F7 checks the memo: Change All corrects both typos, and the check says it is complete.
    void f7ChangeAll() {
        TfmEditor* editor = editorWith(QStringLiteral("Chapter"),
                                       QStringLiteral("The cat sat on teh mat, teh end"));
        QVERIFY(editor);
        spellCheck(
            editor, {[](TfmEditor*, TSpellDialog* dialog) {
                QCOMPARE(child<QLineEdit>(dialog, "edtNotFound")->text(), QStringLiteral("teh"));
                QCOMPARE(child<QLineEdit>(dialog, "edtReplaceWith")->text(), QStringLiteral("the"));
                click(dialog, "btnChangeAll");
            }},
            true);
        QCOMPARE(m_prompts, 1);
        QCOMPARE(f.memo(editor)->toPlainText(), QStringLiteral("The cat sat on the mat, the end"));
        QCOMPARE(f.m_boxes->texts(),
                 QStringList{QStringLiteral("The spelling check is complete.")});
        QVERIFY(editor->isModified());
        QCOMPARE(editor->windowTitle(), QStringLiteral("Editing Kerfa: 'Chapter' *"));
    }

    // A window closed while its check waits for an answer ends the check and goes once the
    // check has returned.
    void closingTheWindowEndsItsCheck() {
        QPointer<TfmEditor> editor =
            editorWith(QStringLiteral("Chapter"), QStringLiteral("one wrnog two"));
        QVERIFY(editor);
        QSignalSpy closed(editor.data(), &TfmEditor::closed);
        f.m_boxes->answer(Answer::No);
        spellCheck(editor, {[](TfmEditor* window, TSpellDialog*) {
                       // Close Editor (Esc) while the word is shown.
                       trigger(window, "mnuClose");
                       QVERIFY(!window->speller().checker().IsChecking());
                   }});
        QCOMPARE(closed.size(), 1);
        // Only the close question: a cancelled check has no completion message.
        QCOMPARE(f.m_boxes->shown.size(), 1);
        QTRY_VERIFY(editor.isNull());
    }

    // Another window taking the focus ends the check; the focus going to the dialog does not.
    void leavingTheWindowEndsTheCheck() {
        TfmEditor* editor = editorWith(QStringLiteral("Chapter"), QStringLiteral("one wrnog two"));
        QVERIFY(editor);
        QWidget elsewhere;
        elsewhere.resize(200, 100);
        spellCheck(editor, {[&](TfmEditor* window, TSpellDialog* dialog) {
                       QVERIFY(QTest::qWaitForWindowActive(dialog));
                       QTest::qWait(20);
                       QVERIFY(window->speller().checker().IsChecking());
                       elsewhere.show();
                       elsewhere.activateWindow();
                   }});
        QVERIFY(editor->speller().checker().WasCancelled());
        QCOMPARE(f.memo(editor)->toPlainText(), QStringLiteral("one wrnog two"));
    }

    // F8 looks up the word at the cursor and puts the chosen word in its place.
    void f8ReplacesTheWordAtTheCursor() {
        TfmEditor* editor =
            editorWith(QStringLiteral("Chapter"), QStringLiteral("It was a happy day."));
        QVERIFY(editor);
        f.memo(editor)->moveCursor(QTextCursor::Start);
        for (int i = 0; i < 10; ++i)
            f.memo(editor)->moveCursor(QTextCursor::Right);
        bool shown = false;
        whenModal<TThesDialog>([&](TThesDialog* dialog) {
            shown = true;
            QCOMPARE(dialog->parentWidget(), editor);
            QCOMPARE(child<QTreeWidget>(dialog, "lstContexts")->topLevelItem(0)->text(0),
                     QStringLiteral("happy"));
            QVERIFY(!child<QListWidget>(dialog, "lstWords")
                         ->findItems(QStringLiteral("cheerful"), Qt::MatchExactly)
                         .isEmpty());
            child<QLineEdit>(dialog, "edtReplaceWith")->setText(QStringLiteral("cheerful"));
            click(dialog, "btnReplace");
        });
        QTest::keyClick(f.memo(editor), Qt::Key_F8);
        QVERIFY(shown);
        QCOMPARE(f.memo(editor)->toPlainText(), QStringLiteral("It was a cheerful day."));
        QVERIFY(EditorFixture::action(editor, "mnuUndo")->isEnabled());
    }

    void dialogsSpeakTheInterfacesLanguage_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<QString>("close");
        QTest::newRow("English") << "English.ini"
                                 << "Spelling"
                                 << "&Close";
        QTest::newRow("German") << "German.ini"
                                << "Rechtschreibung" << QString::fromUtf8("&Schließen");
        QTest::newRow("French") << "FRENCH.INI"
                                << "Orthographe"
                                << "&Fermer";
        QTest::newRow("Brazilian") << "Portuguese (Brazil).ini"
                                   << "Ortografia"
                                   << "&Fechar";
        QTest::newRow("no texts of its own") << "Klingon.ini"
                                             << "Spelling"
                                             << "&Close";
    }
    void dialogsSpeakTheInterfacesLanguage() {
        QFETCH(QString, file);
        QFETCH(QString, spelling);
        QFETCH(QString, close);
        EditorSettings settings = f.m_options.settings();
        settings.language = file;
        f.m_options.set(settings);
        TfmEditor* editor = editorWith(QStringLiteral("Chapter"), QStringLiteral("xqzvkw happy"));
        QVERIFY(editor);
        spellCheck(editor, {[&](TfmEditor*, TSpellDialog* dialog) {
                       QCOMPARE(dialog->windowTitle(), spelling);
                       click(dialog, "btnCancel");
                   }});
        QString closeText;
        whenModal<TThesDialog>([&](TThesDialog* dialog) {
            closeText = child<QPushButton>(dialog, "btnClose")->text();
        });
        trigger(editor, "mnuThesaurus");
        QCOMPARE(closeText, close);
    }

    // One configuration for every window: what one changes, another's next check follows,
    // and no window's older copy is saved over it, whichever closes last.
    void twoEditorsShareOneConfiguration() {
        TfmEditor* first = editorWith(QStringLiteral("One"), QStringLiteral("it was the the end"));
        QVERIFY(first);
        TfmEditor* second = editorWith(QStringLiteral("Two"), QStringLiteral("XQZV and the the"));
        QVERIFY(second);
        // The second window's checker has its configuration and dictionaries in use, and its
        // dialog's place changed it.
        spellCheck(second, {press("btnIgnore"), press("btnIgnore")});
        QCOMPARE(m_prompts, 2);
        f.m_boxes->shown.clear();

        spellingOptions(first, [](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("TSpellCheckConfigDialog"));
            child<QCheckBox>(dialog, "cbRepeated")->setChecked(false);
            child<QCheckBox>(dialog, "cbUpcase")->setChecked(true);
            click(dialog, "btnOK");
        });
        QVERIFY(&first->speller().checker().Config() == &second->speller().checker().Config());

        spellCheck(second, {});
        QCOMPARE(m_prompts, 0);

        QPointer<TfmEditor> one = first, two = second;
        f.m_boxes->answer(Answer::No);
        f.m_boxes->answer(Answer::No);
        first->close();
        QTRY_VERIFY(one.isNull());
        second->close();
        QTRY_VERIFY(two.isNull());
        const IniFile cfg(configPath());
        QCOMPARE(cfg.readString(loginName(), QStringLiteral("_soRepeated")), QStringLiteral("-"));
        QCOMPARE(cfg.readString(loginName(), QStringLiteral("_soUpcase")), QStringLiteral("+"));

        // The next window reads what they left.
        TfmEditor* third = editorWith(QStringLiteral("Three"), QStringLiteral("the the"));
        QVERIFY(third);
        QVERIFY(!third->speller().checker().Config().Options().Has(soRepeated));
        QVERIFY(third->speller().checker().Config().Options().Has(soUpcase));
    }

    // A configuration that cannot be written is reported with its path, and nothing is put
    // in place of what stands there.
    void aFailedSaveOfTheConfigurationIsReported() {
        QVERIFY(QDir().mkpath(configPath()));
        TfmEditor* editor = editorWith(QStringLiteral("Chapter"), QStringLiteral("words"));
        QVERIFY(editor);
        spellingOptions(
            editor,
            [](QDialog* dialog) {
                child<QCheckBox>(dialog, "cbUpcase")->toggle();
                click(dialog, "btnOK");
            },
            true);
        QCOMPARE(f.m_boxes->texts(),
                 QStringList{u'\'' + configPath() +
                             QStringLiteral("' could not be saved. Check that the disk has room "
                                            "and that the folder can be written to.")});
        QVERIFY(QFileInfo(configPath()).isDir());
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    EditorSpellingTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "EditorSpellingTest.moc"
