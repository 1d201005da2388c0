#include "desk/SheetCommands.h"
#include "app/KerfaProgram.h"
#include "app/TfmMain.h"
#include "desk/Desk.h"
#include "desk/DeskView.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "desk/TKerfaLine.h"
#include "desk/TfmProperties.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// The sheet commands as a writer meets them: keys and popup menus on the main window, the
// properties dialog answered by typing into it, files on disk.
class SheetCommandsTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<TfmMain> m_main;
    int m_dialogsShown = 0;

    QString folder() const { return m_dir->path() + QStringLiteral("/Book/"); }
    QString sheetFile(const QString& name) const {
        return folder() + QStringLiteral("Kerfa Files/") + name + QStringLiteral(".kfa");
    }
    QString textFile(const QString& name) const {
        return folder() + QStringLiteral("Text Files/") + name + QStringLiteral(".txt");
    }
    Desk& desk() { return m_main->desk(); }
    TKerfa* find(const QString& name) { return desk().findSheet(name); }
    QWidget* viewport() { return m_main->deskView()->viewport(); }
    QPoint at(QPoint deskPoint) { return m_main->deskView()->mapFromScene(deskPoint); }
    static QPoint centre(const TKerfa* s) {
        return {s->left() + s->width() / 2, s->top() + s->height() / 2};
    }

    // The book: "One" links to "Two"; "One" has a text; the Compilation sheet lies apart.
    void openBook() {
        ProjectFiles::write(folder() + QStringLiteral("Novel.kerfa"), "[Workspace]\r\nSize=0\r\n");
        ProjectFiles::write(sheetFile(QStringLiteral("One")),
                            ProjectFiles::sheet(0, 1, 100, 100, {}, QStringLiteral("Two")));
        ProjectFiles::write(sheetFile(QStringLiteral("Two")), ProjectFiles::sheet(1, 0, 400, 100));
        ProjectFiles::write(sheetFile(QStringLiteral("Compilation")),
                            ProjectFiles::sheet(-1, 0, 100, 400));
        ProjectFiles::write(textFile(QStringLiteral("One")), "The lamp was lit.");
        QVERIFY(m_main->LoadProject(folder() + QStringLiteral("Novel.kerfa")));
    }
    void pointAt(QPoint deskPoint) {
        QMouseEvent event(QEvent::MouseMove, at(deskPoint), viewport()->mapToGlobal(at(deskPoint)),
                          Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(viewport(), &event);
    }
    void click(const TKerfa* s, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(viewport(), Qt::LeftButton, keys, at(centre(s)));
    }
    // A right-click as the window system gives it: the press, then the menu request.
    void rightClick(QPoint deskPoint) {
        QTest::mouseClick(viewport(), Qt::RightButton, {}, at(deskPoint));
        QContextMenuEvent request(QContextMenuEvent::Mouse, at(deskPoint),
                                  viewport()->mapToGlobal(at(deskPoint)));
        QApplication::sendEvent(viewport(), &request);
    }
    // Keys go where the user's keys go: to the desk, which leaves these to the window.
    void key(Qt::Key k) { QTest::keyClick(m_main->deskView(), k); }
    // Answers the properties dialog as soon as it shows.
    void whenPropertiesShow(std::function<void(TfmProperties&)> answer) {
        QTimer::singleShot(0, this, [this, answer] {
            auto* dialog = qobject_cast<TfmProperties*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            ++m_dialogsShown;
            answer(*dialog);
        });
    }
    static QLineEdit* nameField(TfmProperties& d) {
        return d.findChild<QLineEdit*>(QStringLiteral("edtName"));
    }
    static QComboBox* typeList(TfmProperties& d) {
        return d.findChild<QComboBox*>(QStringLiteral("cmbKerfaType"));
    }
    static void ok(TfmProperties& d) {
        d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    }
    static void cancel(TfmProperties& d) {
        d.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    }
    // A new sheet by the Ins key with the pointer at a desk point.
    void newSheet(QPoint deskPoint, const QString& name, int typeIndex) {
        whenPropertiesShow([name, typeIndex](TfmProperties& d) {
            QTest::keyClicks(nameField(d), name);
            typeList(d)->setCurrentIndex(typeIndex);
            ok(d);
        });
        pointAt(deskPoint);
        key(Qt::Key_Insert);
    }
    QAction* action(const char* name) {
        return m_main->findChild<QAction*>(QString::fromLatin1(name));
    }

public:
    explicit SheetCommandsTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() { QDir().mkpath(m_env.programFolder() + QStringLiteral("Themes")); }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_main = std::make_unique<TfmMain>();
        m_main->resize(900, 700);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_dialogsShown = 0;
    }
    void cleanup() {
        m_main.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void insMakesASheetUnderThePointerAndWritesItAtOnce() {
        openBook();
        newSheet({400, 300}, QStringLiteral("Harbour"), 1);
        TKerfa* harbour = find(QStringLiteral("Harbour"));
        QVERIFY(harbour);
        QCOMPARE(centre(harbour), QPoint(400, 300));
        QCOMPARE(int(harbour->SheetType), 2);
        QCOMPARE(desk().current(), harbour);
        QVERIFY(harbour->Selected);
        QVERIFY(ProjectFiles::read(sheetFile(QStringLiteral("Harbour"))).contains("Type=1\r\n"));
        QVERIFY(!m_main->project().modified);
        // The next new sheet is offered the type chosen last; a chapter is centred at its size.
        whenPropertiesShow([](TfmProperties& d) {
            QCOMPARE(typeList(d)->currentIndex(), 1);
            QCOMPARE(typeList(d)->currentText(), QStringLiteral("Scene"));
            QCOMPARE(d.windowTitle(), QStringLiteral("New Kerfa"));
            QTest::keyClicks(nameField(d), QStringLiteral("Lighthouse"));
            typeList(d)->setCurrentIndex(0);
            ok(d);
        });
        pointAt({600, 300});
        key(Qt::Key_Insert);
        QCOMPARE(centre(find(QStringLiteral("Lighthouse"))), QPoint(600, 300));
        QCOMPARE(m_main->project().nextSheetType, 1);
        QCOMPARE(m_dialogsShown, 2);
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void cancellingNewLeavesNoSheetAndNoFile() {
        openBook();
        click(find(QStringLiteral("Two")));
        const auto before = ProjectFiles::snapshot(folder());
        whenPropertiesShow([this](TfmProperties& d) {
            // The sheet lies on the desk while the dialog is open.
            QCOMPARE(desk().sheets().size(), 4);
            QVERIFY(desk().sheets().back()->Selected);
            QVERIFY(!find(QStringLiteral("Two"))->Selected);
            QTest::keyClicks(nameField(d), QStringLiteral("Draft"));
            cancel(d);
        });
        pointAt({500, 400});
        key(Qt::Key_Insert);
        QCOMPARE(desk().sheets().size(), 3);
        QCOMPARE(desk().current(), nullptr);
        QCOMPARE(ProjectFiles::snapshot(folder()), before);
    }

    void insWantsTheProjectOnDisk() {
        pointAt({400, 300});
        key(Qt::Key_Insert);
        QCOMPARE(m_boxes->texts(),
                 QStringList{QStringLiteral("Please save your project before creating kerfas.")});
        QVERIFY(desk().sheets().isEmpty());
        QCOMPARE(m_dialogsShown, 0);
    }

    void theNameAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("colon swallowed") << "a:b"
                                         << "ab"
                                         << "ab";
        QTest::newRow("every forbidden character") << "\"*/:<>?\\|x"
                                                   << "x"
                                                   << "x";
        QTest::newRow("blanks") << "  Two   words  "
                                << "  Two   words  "
                                << "Two words";
        QTest::newRow("forty characters at most")
            << QString(45, u'n') << QString(40, u'n') << QString(40, u'n');
    }
    void theNameAsTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        openBook();
        whenPropertiesShow([=](TfmProperties& d) {
            QTest::keyClicks(nameField(d), typed);
            QCOMPARE(nameField(d)->text(), shown);
            ok(d);
        });
        pointAt({500, 400});
        key(Qt::Key_Insert);
        QVERIFY(find(stored));
        QVERIFY(QFile::exists(sheetFile(stored)));
    }

    void refusedNames_data() {
        QTest::addColumn<QString>("sheet"); // "" for a new sheet
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString unique = QStringLiteral("Please enter a unique name for the kerfa.");
        const QString compilation = Messages::text(Messages::NOT_COMPILATION);
        const QString taken = Messages::text(Messages::CANT_HAVE_NAME);
        QTest::newRow("new COMPILATION") << ""
                                         << "COMPILATION" << compilation;
        QTest::newRow("new Unnamed") << ""
                                     << "Unnamed" << unique;
        QTest::newRow("new, only blanks") << ""
                                          << "   " << unique;
        QTest::newRow("new, another's name") << ""
                                             << "two" << taken;
        QTest::newRow("rename to compilation") << "Two"
                                               << "compilation" << compilation;
        QTest::newRow("rename to Unnamed") << "Two"
                                           << "Unnamed" << unique;
        QTest::newRow("rename onto another") << "Two"
                                             << "ONE" << taken;
    }
    void refusedNames() {
        QFETCH(QString, sheet);
        QFETCH(QString, name);
        QFETCH(QString, message);
        openBook();
        const auto before = ProjectFiles::snapshot(folder());
        whenPropertiesShow([this, name](TfmProperties& d) {
            nameField(d)->selectAll();
            QTest::keyClicks(nameField(d), name);
            ok(d);
            // The dialog stays open with the name ready to be typed over.
            QVERIFY(d.isVisible());
            QCOMPARE(nameField(d)->selectedText(), nameField(d)->text());
            QCOMPARE(m_boxes->shown.size(), 1);
            cancel(d);
        });
        if (sheet.isEmpty()) {
            pointAt({500, 400});
            key(Qt::Key_Insert);
        } else {
            click(find(sheet));
            key(Qt::Key_Space);
        }
        QCOMPARE(m_dialogsShown, 1);
        QCOMPARE(m_boxes->texts(), QStringList{message});
        QCOMPARE(desk().sheets().size(), 3);
        QCOMPARE(ProjectFiles::snapshot(folder()), before);
    }

    void renamingMovesBothFilesAndKeepsLinksAndTheCompilationList() {
        openBook();
        m_main->model().compilation().add(QStringLiteral("One"));
        TKerfa* one = find(QStringLiteral("One"));
        TKerfa* two = find(QStringLiteral("Two"));
        // Only the letter case of the linked-to sheet changes.
        click(two);
        whenPropertiesShow([](TfmProperties& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Kerfa Properties"));
            QCOMPARE(nameField(d)->text(), QStringLiteral("Two"));
            nameField(d)->setText(QStringLiteral("TWO"));
            ok(d);
        });
        key(Qt::Key_Space);
        QCOMPARE(two->SheetName, QStringLiteral("TWO"));
        QVERIFY(QFile::exists(sheetFile(QStringLiteral("TWO"))));
        QVERIFY(!QFile::exists(sheetFile(QStringLiteral("Two"))));
        QCOMPARE(one->LinkToName, QStringLiteral("TWO"));
        QVERIFY(m_main->project().modified);
        QVERIFY(m_main->windowTitle().endsWith(QStringLiteral(" *")));
        // The sheet with a text, renamed and described.
        click(one);
        whenPropertiesShow([](TfmProperties& d) {
            nameField(d)->setText(QStringLiteral("The Landing"));
            d.findChild<QPlainTextEdit*>(QStringLiteral("memDescription"))
                ->setPlainText(QStringLiteral("Isla arrives."));
            ok(d);
        });
        key(Qt::Key_Space);
        QCOMPARE(ProjectFiles::read(textFile(QStringLiteral("The Landing"))),
                 QByteArray("The lamp was lit."));
        QVERIFY(!QFile::exists(textFile(QStringLiteral("One"))));
        QCOMPARE(one->Description, QStringLiteral("Isla arrives."));
        QCOMPARE(one->hint(), QStringLiteral("Isla arrives."));
        QCOMPARE(one->nameLabel()->caption(), QStringLiteral("The Landing (R)"));
        QCOMPARE(m_main->model().compilation().names(), QStringList{QStringLiteral("The Landing")});

        // Saved and opened again, the link holds.
        QVERIFY(m_main->model().commands().SaveProject());
        QVERIFY(m_main->LoadProject(folder() + QStringLiteral("Novel.kerfa")));
        QCOMPARE(find(QStringLiteral("The Landing"))->LinkTo, find(QStringLiteral("TWO")));
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // A rename moves the files at once, and writes the new name into the file of every sheet
    // whose file links to it, so that a desk never saved keeps the chain; nothing else of theirs
    // is written.
    void aRenameKeepsTheChainWhenTheDeskIsNotSaved_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<bool>("linkSaved");
        QTest::newRow("another name") << "The Storm" << true;
        QTest::newRow("only the letter case") << "TWO" << true;
        QTest::newRow("a link never saved stays unsaved") << "The Storm" << false;
    }
    void aRenameKeepsTheChainWhenTheDeskIsNotSaved() {
        QFETCH(QString, newName);
        QFETCH(bool, linkSaved);
        openBook();
        TKerfa* one = find(QStringLiteral("One"));
        TKerfa* two = find(QStringLiteral("Two"));
        if (!linkSaved)
            ProjectFiles::write(sheetFile(QStringLiteral("One")),
                                ProjectFiles::sheet(0, 1, 100, 100));
        // An unsaved change of the linking sheet, which the rename must not save.
        one->setPosition(300, 300);
        click(two);
        whenPropertiesShow([newName](TfmProperties& d) {
            nameField(d)->setText(newName);
            ok(d);
        });
        key(Qt::Key_Space);
        QCOMPARE(two->SheetName, newName);
        QVERIFY(m_main->project().modified);
        QVERIFY(!QFileInfo::exists(folder() + QStringLiteral(".kerfa-journal")));

        // The desk is not saved: opened again, as after answering No.
        QVERIFY(m_main->model().commands().LoadProject(folder() + QStringLiteral("Novel.kerfa")));
        one = find(QStringLiteral("One"));
        QVERIFY(one && find(newName));
        QCOMPARE(one->LinkTo == find(newName), linkSaved);
        QCOMPARE(QPoint(one->left(), one->top()), QPoint(100, 100));
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void aTypeChangeResetsTheStateAndTheLook() {
        openBook();
        TKerfa* one = find(QStringLiteral("One"));
        QCOMPARE(one->width(), 48);
        click(one);
        whenPropertiesShow([](TfmProperties& d) {
            QCOMPARE(typeList(d)->count(), 8);
            QCOMPARE(typeList(d)->itemText(7), QStringLiteral("Project Notes"));
            typeList(d)->setCurrentIndex(4);
            ok(d);
        });
        key(Qt::Key_Space);
        QCOMPARE(int(one->SheetType), 5);
        QCOMPARE(int(one->State), 0);
        QCOMPARE(one->width(), 32);
        QCOMPARE(one->nameLabel()->caption(), QStringLiteral("One"));
    }

    void spaceOnlyForASheetThatMayChange_data() {
        QTest::addColumn<QString>("situation");
        QTest::newRow("Compilation sheet") << "compilation";
        QTest::newRow("editor open") << "editing";
        QTest::newRow("two selected") << "two selected";
    }
    void spaceOnlyForASheetThatMayChange() {
        QFETCH(QString, situation);
        openBook();
        TKerfa* one = find(QStringLiteral("One"));
        if (situation == QLatin1String("compilation")) {
            click(find(QStringLiteral("Compilation")));
        } else if (situation == QLatin1String("editing")) {
            m_main->model().editors().attach(one, new TfmEditor(m_main->model().editorOptions()));
            click(one);
        } else {
            click(one);
            click(find(QStringLiteral("Two")), Qt::ShiftModifier);
        }
        bool opened = false;
        QTimer::singleShot(0, this, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        key(Qt::Key_Space);
        QTest::qWait(20);
        QVERIFY(!opened);
    }

    void deletingALinkedToSheetLeavesTheLinkerWithoutLink() {
        openBook();
        m_main->model().compilation().add(QStringLiteral("TWO"));
        ProjectFiles::write(textFile(QStringLiteral("Two")), "Second.");
        TKerfa* one = find(QStringLiteral("One"));
        click(find(QStringLiteral("Two")));
        m_boxes->answer(MessageBoxes::Answer::Yes);
        m_boxes->answer(MessageBoxes::Answer::No);
        key(Qt::Key_Delete);
        QCOMPARE(m_boxes->texts(),
                 (QStringList{QStringLiteral("Delete kerfa 'Two'?"),
                              QStringLiteral("Also delete the text file for 'Two'?")}));
        QCOMPARE(find(QStringLiteral("Two")), nullptr);
        QCOMPARE(one->LinkTo, nullptr);
        QVERIFY(one->LinkToName.isEmpty());
        QVERIFY(!one->line()->isVisible());
        QCOMPARE(desk().current(), nullptr);
        QVERIFY(m_main->project().modified);
        QVERIFY(!QFile::exists(sheetFile(QStringLiteral("Two"))));
        QVERIFY(QFile::exists(textFile(QStringLiteral("Two"))));
        QVERIFY(m_main->model().compilation().isEmpty());
        // The linking sheet's file forgets the link at once, as its desk does.
        QVERIFY(
            ProjectFiles::read(sheetFile(QStringLiteral("One"))).contains("[LinkTo]\r\nName=\r\n"));
    }

    void deleteQuestionsCanBeDeclined() {
        ProjectFiles::write(sheetFile(QStringLiteral("Fish & Chips")),
                            ProjectFiles::sheet(0, 0, 600, 300));
        openBook();
        const auto before = ProjectFiles::snapshot(folder());
        click(find(QStringLiteral("Fish & Chips")));
        m_boxes->answer(MessageBoxes::Answer::No);
        key(Qt::Key_Delete);
        // Cancel at the text-file question keeps the sheet and both files.
        click(find(QStringLiteral("One")));
        m_boxes->answer(MessageBoxes::Answer::Yes);
        m_boxes->answer(MessageBoxes::Answer::Cancel);
        key(Qt::Key_Delete);
        QCOMPARE(m_boxes->texts().front(), QStringLiteral("Delete kerfa 'Fish & Chips'?"));
        QCOMPARE(m_boxes->texts().size(), 3);
        QCOMPARE(desk().sheets().size(), 4);
        QCOMPARE(desk().current(), find(QStringLiteral("One")));
        QCOMPARE(find(QStringLiteral("One"))->LinkTo, find(QStringLiteral("Two")));
        QCOMPARE(ProjectFiles::snapshot(folder()), before);
        QVERIFY(!m_main->project().modified);
    }

    // Text typed into a sheet's editor is never thrown away by deleting the sheet unasked: the
    // editor's save question comes first, then the delete's own.
    void deletingASheetAsksAboutItsUnsavedTextFirst_data() {
        QTest::addColumn<QList<MessageBoxes::Answer>>("answers");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<QByteArray>("textAfter");
        using A = MessageBoxes::Answer;
        QTest::newRow("cancel at the save question")
            << QList<A>{A::Cancel} << false << QByteArray("The lamp was lit.");
        QTest::newRow("saved, sheet kept")
            << QList<A>{A::Yes, A::No} << false << QByteArray("The lamp was lit. Again.");
        QTest::newRow("saved, text file kept")
            << QList<A>{A::Yes, A::Yes, A::No} << true << QByteArray("The lamp was lit. Again.");
        QTest::newRow("not saved, text file kept")
            << QList<A>{A::No, A::Yes, A::No} << true << QByteArray("The lamp was lit.");
        QTest::newRow("saved, cancel at the text file")
            << QList<A>{A::Yes, A::Yes, A::Cancel} << false
            << QByteArray("The lamp was lit. Again.");
    }
    void deletingASheetAsksAboutItsUnsavedTextFirst() {
        QFETCH(QList<MessageBoxes::Answer>, answers);
        QFETCH(bool, deleted);
        QFETCH(QByteArray, textAfter);
        openBook();
        TKerfa* one = find(QStringLiteral("One"));
        click(one);
        pointAt(centre(one));
        key(Qt::Key_Enter);
        QPointer<TfmEditor> editor = m_main->model().editors().editorOf(one);
        QVERIFY(editor);
        QTRY_COMPARE(editor->memo()->toPlainText(), QStringLiteral("The lamp was lit."));
        editor->memo()->moveCursor(QTextCursor::End);
        editor->memo()->insertPlainText(QStringLiteral(" Again."));
        QVERIFY(editor->isModified());

        m_main->activateWindow();
        click(one);
        for (MessageBoxes::Answer answer : answers)
            m_boxes->answer(answer);
        key(Qt::Key_Delete);
        QStringList expected{Messages::text(Messages::SAVE_TEXT_CHANGES),
                             QStringLiteral("Delete kerfa 'One'?"),
                             QStringLiteral("Also delete the text file for 'One'?")};
        QCOMPARE(m_boxes->texts(), expected.mid(0, answers.size()));
        QCOMPARE(find(QStringLiteral("One")) == nullptr, deleted);
        QCOMPARE(ProjectFiles::read(textFile(QStringLiteral("One"))), textAfter);
        if (!deleted)
            QVERIFY(editor);
    }

    void theSheetPopupFollowsTheSheet() {
        openBook();
        QMenu* popup = m_main->findChild<QMenu*>(QStringLiteral("pmnuKerfa"));
        const auto shown = [&](const char* name) {
            QObject* item = m_main->findChild<QObject*>(QString::fromLatin1(name));
            if (auto* menu = qobject_cast<QMenu*>(item))
                return menu->menuAction()->isVisible();
            return qobject_cast<QAction*>(item)->isVisible();
        };
        rightClick(centre(find(QStringLiteral("Compilation"))));
        QTRY_VERIFY(popup->isVisible());
        popup->close();
        QCOMPARE(desk().current(), find(QStringLiteral("Compilation")));
        QVERIFY(!shown("pmnuStateTitle") && !shown("pmnuCompilation") && !shown("pmnuProperties"));
        QVERIFY(shown("pmnuEdit") && shown("pmnuWordCount") && shown("pmnuPrint") &&
                shown("pmnuDelete"));

        // A revised chapter that links on: the theme's three states, the second chosen.
        rightClick(centre(find(QStringLiteral("One"))));
        QTRY_VERIFY(popup->isVisible());
        popup->close();
        QVERIFY(shown("pmnuStateTitle") && shown("pmnuProperties") &&
                shown("pmnuLinksToCompilation"));
        const QList<bool> visible{shown("pmnuState0"), shown("pmnuState1"), shown("pmnuState2"),
                                  shown("pmnuState3"), shown("pmnuState4"), shown("pmnuState5")};
        QCOMPARE(visible, (QList<bool>{true, true, true, false, false, false}));
        QVERIFY(action("pmnuState1")->isChecked() && !action("pmnuState1")->isEnabled());
        QVERIFY(action("pmnuState2")->isEnabled() && !action("pmnuState2")->isChecked());
        QVERIFY(action("pmnuProperties")->isEnabled());
        // The state chosen there goes to the sheet and its label.
        action("pmnuState2")->trigger();
        QCOMPARE(int(find(QStringLiteral("One"))->State), 2);
        QCOMPARE(find(QStringLiteral("One"))->nameLabel()->caption(), QStringLiteral("One (C)"));
        QVERIFY(m_main->project().modified);

        // Over the empty desk, the desk's own menu.
        QMenu* deskMenu = m_main->findChild<QMenu*>(QStringLiteral("pmnuPanel"));
        rightClick({700, 600});
        QTRY_VERIFY(deskMenu->isVisible());
        deskMenu->close();
        QCOMPARE(action("pmnuEdit")->shortcut().toString(QKeySequence::NativeText),
                 QStringLiteral("Enter"));
    }

    void anOpenEditorComesForwardForOneSheetOnly() {
        openBook();
        TKerfa* one = find(QStringLiteral("One"));
        auto* editor = new TfmEditor(m_main->model().editorOptions());
        m_main->model().editors().attach(one, editor);
        click(one);
        // Enter acts only with the pointer on the current sheet.
        pointAt({700, 600});
        key(Qt::Key_Return);
        QVERIFY(!editor->isVisible());
        pointAt(centre(one));
        key(Qt::Key_Enter);
        QVERIFY(editor->isVisible());
        editor->hide();
        // With two sheets selected no editor opens, not even by a double-click.
        click(find(QStringLiteral("Two")), Qt::ShiftModifier);
        QTest::mouseDClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, at(centre(one)));
        QVERIFY(desk().selection().size() > 1);
        QVERIFY(!editor->isVisible());
    }

    void printNeedsATextFile() {
        openBook();
        SheetCommands& commands = m_main->model().sheetCommands();
        click(find(QStringLiteral("One")));
        QCOMPARE(commands.textToPrint(), textFile(QStringLiteral("One")));
        QVERIFY(m_boxes->shown.isEmpty());
        click(find(QStringLiteral("Two")));
        QVERIFY(commands.textToPrint().isEmpty());
        QCOMPARE(m_boxes->texts(), QStringList{Messages::text(Messages::NOTHING_TO_PRINT)});
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    SheetCommandsTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "SheetCommandsTest.moc"
