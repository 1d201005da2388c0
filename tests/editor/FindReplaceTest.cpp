#include "EditorFixture.h"
#include "editor/TfmFindReplace.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using Answer = MessageBoxes::Answer;

// Find, Replace and Replace All on a real memo, driven through the find window's buttons.
class FindReplaceTest : public QObject {
    Q_OBJECT

    EditorFixture f;
    TfmEditor* m_editor = nullptr;
    TfmFindReplace* m_find = nullptr;

    // An editor holding the text, with its find window open and the caret at `caret`.
    void open(const QString& text, int caret = 0) {
        m_editor = f.shown(QStringLiteral("Chapter"));
        f.memo(m_editor)->setPlainText(text);
        placeCaret(caret);
        EditorFixture::action(m_editor, "mnuFindReplace")->trigger();
        m_find = m_editor->findReplace();
    }
    void placeCaret(int at) {
        QTextCursor cursor(f.memo(m_editor)->document());
        cursor.setPosition(at);
        f.memo(m_editor)->setTextCursor(cursor);
    }
    void setFind(const QString& find, const QString& replace = {}, bool matchCase = false) {
        m_find->findBox()->setText(find);
        m_find->replaceBox()->setText(replace);
        check("cbMatchCase", matchCase);
    }
    void check(const char* name, bool on) {
        m_find->findChild<QCheckBox*>(QString::fromLatin1(name))->setChecked(on);
    }
    void click(const char* name) {
        QTest::mouseClick(m_find->findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }
    QString selected() const { return f.memo(m_editor)->textCursor().selectedText(); }
    int selectionStart() const { return f.memo(m_editor)->textCursor().selectionStart(); }
    QString text() const { return f.memo(m_editor)->toPlainText(); }

public:
    explicit FindReplaceTest(TestEnvironment& env) : f(env) {}

private Q_SLOTS:
    void init() { f.setUp(); }
    void cleanup() { f.tearDown(); }

    void find_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QList<int>>("found");
        const QString the = QStringLiteral("The THE other the");
        QTest::newRow("any case") << the << "the" << false << QList<int>{0, 4, 9, 14};
        QTest::newRow("match case") << the << "the" << true << QList<int>{9, 14};
        // Accented letters match only in their own case, whatever Match Case says.
        QTest::newRow("accented") << QStringLiteral("\u00E9t\u00E9 \u00C9T\u00C9 \u00E9T\u00E9")
                                  << QStringLiteral("\u00E9t\u00E9") << false << QList<int>{0, 8};
        QTest::newRow("across lines") << "a lamp\nthe lamp"
                                      << "lamp" << false << QList<int>{2, 11};
    }
    // Each Find selects the next occurrence; after the last it says so and keeps it selected.
    void find() {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(bool, matchCase);
        QFETCH(QList<int>, found);
        open(text);
        setFind(find, {}, matchCase);
        for (const int at : found) {
            click("btnFind");
            QCOMPARE(selectionStart(), at);
            QCOMPARE(selected().size(), find.size());
        }
        QVERIFY(f.m_boxes->shown.isEmpty());
        click("btnFind");
        QCOMPARE(f.m_boxes->texts(),
                 QStringList{QStringLiteral("Cannot find any more instances of '") + find + u'\''});
        QCOMPARE(selectionStart(), found.last());
        // Never round to the start: again the same message.
        click("btnFind");
        QCOMPARE(f.m_boxes->texts().size(), 2);
    }

    // Start From Top is a one-shot choice.
    void startFromTop() {
        open(QStringLiteral("the lamp, the light, the sea"), 20);
        setFind(QStringLiteral("the"));
        check("cbFromTop", true);
        click("btnFind");
        QCOMPARE(selectionStart(), 0);
        QVERIFY(!m_find->findChild<QCheckBox*>(QStringLiteral("cbFromTop"))->isChecked());
        click("btnFind");
        QCOMPARE(selectionStart(), 10);
    }

    // Repeat Find (F3) goes on with the find box's text.
    void repeatFind() {
        open(QStringLiteral("the lamp, the light"));
        setFind(QStringLiteral("the"));
        m_find->hide();
        EditorFixture::action(m_editor, "mnuRepeatFind")->trigger();
        QCOMPARE(selectionStart(), 0);
        QTest::keyClick(f.memo(m_editor), Qt::Key_F3);
        QCOMPARE(selectionStart(), 10);
    }

    // The first Replace only finds; each next one replaces what was found and moves on. A
    // selection that is not the find text is not replaced.
    void replace() {
        open(QStringLiteral("a cat, a Cat, a dog"));
        setFind(QStringLiteral("cat"), QStringLiteral("hen"));
        click("btnReplace");
        QCOMPARE(text(), QStringLiteral("a cat, a Cat, a dog"));
        QCOMPARE(selectionStart(), 2);
        click("btnReplace");
        QCOMPARE(text(), QStringLiteral("a hen, a Cat, a dog"));
        QCOMPARE(selectionStart(), 9);
        // Select something else: Replace leaves it and finds the next.
        QTextCursor cursor(f.memo(m_editor)->document());
        cursor.setPosition(0);
        cursor.setPosition(1, QTextCursor::KeepAnchor);
        f.memo(m_editor)->setTextCursor(cursor);
        click("btnReplace");
        QCOMPARE(text(), QStringLiteral("a hen, a Cat, a dog"));
        QCOMPARE(selectionStart(), 9);
        click("btnReplace");
        QCOMPARE(text(), QStringLiteral("a hen, a hen, a dog"));
        QVERIFY(m_editor->isModified());
    }

    void replaceAll_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replace");
        QTest::addColumn<QString>("result");
        QTest::newRow("a to aa") << "a a a" << 0 << "a"
                                 << "aa"
                                 << "aa aa aa";
        // Occurrences before the caret stay.
        QTest::newRow("after the second") << "a a a" << 3 << "a"
                                          << "aa"
                                          << "a a aa";
        QTest::newRow("any case, shorter") << "The keeper, THE lamp\nthe end" << 0 << "the"
                                           << "a"
                                           << "a keeper, a lamp\na end";
        QTest::newRow("to nothing") << "x-x-x" << 0 << "-"
                                    << ""
                                    << "xxx";
    }
    void replaceAll() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, find);
        QFETCH(QString, replace);
        QFETCH(QString, result);
        open(text, caret);
        setFind(find, replace);
        f.m_boxes->answer(Answer::Ok);
        click("btnReplaceAll");
        QCOMPARE(this->text(), result);
        QCOMPARE(f.m_boxes->texts(),
                 QStringList{QStringLiteral("Replacing all occurrences cannot be undone.")});
        // The caret ends after the last replacement, with nothing selected.
        QVERIFY(selected().isEmpty());
        QCOMPARE(f.memo(m_editor)->textCursor().position(),
                 result.size() - (text.size() - text.lastIndexOf(find) - find.size()));
    }

    void replaceAllCancelledOrNotFound() {
        open(QStringLiteral("a a a"));
        setFind(QStringLiteral("a"), QStringLiteral("b"));
        f.m_boxes->answer(Answer::Cancel);
        click("btnReplaceAll");
        QCOMPARE(text(), QStringLiteral("a a a"));
        setFind(QStringLiteral("z"), QStringLiteral("b"));
        f.m_boxes->answer(Answer::Ok);
        click("btnReplaceAll");
        QCOMPARE(f.m_boxes->texts().last(),
                 QStringLiteral("Cannot find any more instances of 'z'"));
        QVERIFY(!m_editor->isModified());
    }

    void emptyFindBoxDoesNothing() {
        open(QStringLiteral("some text"));
        setFind(QString(), QStringLiteral("x"));
        click("btnFind");
        click("btnReplace");
        click("btnReplaceAll");
        QVERIFY(f.m_boxes->shown.isEmpty());
        QCOMPARE(text(), QStringLiteral("some text"));
    }

    // The window stays through the message boxes it shows, real ones here, closed by a timer
    // with the answer given, and has the focus again after each.
    void staysThroughItsMessageBoxes_data() {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("answers"); // the button pressed in each box, in turn
        QTest::addColumn<QString>("result");
        QTest::newRow("Find, nothing more") << "z"
                                            << "btnFind" << QStringList{"OK"} << "a a a";
        QTest::newRow("Repeat Find in the editor")
            << "z"
            << "mnuRepeatFind" << QStringList{"OK"} << "a a a";
        QTest::newRow("Replace All cancelled")
            << "a"
            << "btnReplaceAll" << QStringList{"Cancel"} << "a a a";
        QTest::newRow("Replace All, nothing found")
            << "z"
            << "btnReplaceAll" << QStringList{"OK", "OK"} << "a a a";
        QTest::newRow("Replace All") << "a"
                                     << "btnReplaceAll" << QStringList{"OK"} << "b b b";
    }
    void staysThroughItsMessageBoxes() {
        QFETCH(QString, find);
        QFETCH(QString, command);
        QFETCH(QStringList, answers);
        QFETCH(QString, result);
        f.m_boxes.reset(); // the program's own boxes
        open(QStringLiteral("a a a"));
        QVERIFY(QTest::qWaitForWindowActive(m_find));
        setFind(find, QStringLiteral("b"));
        QStringList pressed;
        bool shownThroughout = true;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            shownThroughout = shownThroughout && m_find->isVisible();
            const QString answer = answers.value(pressed.size(), QStringLiteral("Cancel"));
            pressed << answer;
            box->button(answer == u"OK" ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
        closer.start(10);
        if (command.startsWith(u"mnu")) {
            m_editor->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_editor));
            EditorFixture::action(m_editor, command.toLatin1().constData())->trigger();
        } else {
            click(command.toLatin1().constData());
        }
        closer.stop();
        QCOMPARE(pressed, answers);
        QVERIFY(shownThroughout);
        QCOMPARE(text(), result);
        QVERIFY(m_find->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), m_find);
        QCOMPARE(QApplication::focusWidget(), m_find->findBox());
    }

    // F2 puts the selection in the find box and empties the replace box; a selection longer
    // than the find box holds leaves both as they were.
    void findAndReplaceTakesTheSelection_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("taken");
        QTest::newRow("short") << 5 << true;
        QTest::newRow("as long as the box") << 60 << true;
        QTest::newRow("longer than the box") << 61 << false;
    }
    void findAndReplaceTakesTheSelection() {
        QFETCH(int, length);
        QFETCH(bool, taken);
        const QString text = QString(100, u'x');
        open(text);
        setFind(QStringLiteral("old"), QStringLiteral("new"));
        QTextCursor cursor(f.memo(m_editor)->document());
        cursor.setPosition(length, QTextCursor::KeepAnchor);
        f.memo(m_editor)->setTextCursor(cursor);
        EditorFixture::action(m_editor, "mnuFindReplace")->trigger();
        QCOMPARE(m_find->findBox()->text(), taken ? text.left(length) : QStringLiteral("old"));
        QCOMPARE(m_find->replaceBox()->text(), taken ? QString() : QStringLiteral("new"));
    }

    // Close hides the window; it goes with its editor.
    void closingHides() {
        open(QStringLiteral("text"));
        QPointer<TfmFindReplace> find = m_find;
        click("btnClose");
        QVERIFY(!find->isVisible());
        QVERIFY(!find.isNull());
        delete m_editor;
        QVERIFY(find.isNull());
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    FindReplaceTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "FindReplaceTest.moc"
