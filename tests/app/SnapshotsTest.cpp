#include "app/KerfaProgram.h"
#include "app/TfmMain.h"
#include "desk/Desk.h"
#include "desk/DeskView.h"
#include "desk/TKerfa.h"
#include "desk/TfmProperties.h"
#include "editor/TfmEditor.h"
#include "editor/TfmSnapshots.h"
#include "project/SnapshotStore.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

using namespace Qt::StringLiterals;

// Snapshots and Replace In Book as a writer meets them: the sheet popup, the editor's menu,
// their windows, and the files on disk.
class SnapshotsTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<TfmMain> m_main;

    QString folder() const { return m_dir->path() + u"/Book/"_s; }
    QString textFile(const QString& name) const {
        return folder() + u"Text Files/"_s + name + u".txt"_s;
    }
    QByteArray text(const QString& name) const { return ProjectFiles::read(textFile(name)); }
    TKerfa* find(const QString& name) { return m_main->desk().findSheet(name); }
    SnapshotStore store() const { return SnapshotStore(folder()); }
    // The sheet's snapshots, newest first.
    QStringList snapshots(const QString& name) const {
        QStringList all;
        for (const SnapshotStore::Entry& e : store().list(name))
            all << SnapshotStore::read(e.path).value_or(u"<unreadable>"_s);
        return all;
    }
    QAction* action(const char* name) {
        return m_main->findChild<QAction*>(QString::fromLatin1(name));
    }
    void choose(const QString& name) {
        m_main->desk().setCurrent(find(name));
        m_main->RefreshWindow();
    }
    TfmEditor* openEditor(const QString& name) {
        TfmEditor* editor = m_main->model().sheetTexts().OpenEditor(find(name));
        return editor && QTest::qWaitForWindowExposed(editor) ? editor : nullptr;
    }
    static void retype(TfmEditor* editor, const QString& text) {
        editor->memo()->selectAll();
        editor->memo()->insertPlainText(text);
    }

    // Three sheets with texts and the Compilation sheet, whose text is the compilation's output.
    void openBook() {
        ProjectFiles::write(folder() + u"Novel.kerfa"_s, "[Workspace]\r\nSize=0\r\n");
        int left = 100;
        for (const char* name : {"One", "Two", "Three"}) {
            ProjectFiles::write(folder() + u"Kerfa Files/"_s + QLatin1String(name) + u".kfa"_s,
                                ProjectFiles::sheet(0, 0, left, 100));
            left += 150;
        }
        ProjectFiles::write(folder() + u"Kerfa Files/Compilation.kfa"_s,
                            ProjectFiles::sheet(-1, 0, 100, 400));
        ProjectFiles::write(textFile(u"One"_s), "Anna lit the lamp.\r\nThen anna slept.");
        ProjectFiles::write(textFile(u"Two"_s), "Annabel and Anna.");
        ProjectFiles::write(textFile(u"Three"_s), "Nobody.");
        ProjectFiles::write(textFile(u"Compilation"_s), "Anna lit the lamp.");
        QVERIFY(m_main->LoadProject(folder() + u"Novel.kerfa"_s));
    }
    TfmSnapshots* snapshotsWindow() {
        action("pmnuSnapshots")->trigger();
        auto* window = m_main->findChild<TfmSnapshots*>();
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }

public:
    explicit SnapshotsTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void initTestCase() { QDir().mkpath(m_env.programFolder() + u"Themes"_s); }
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_main = std::make_unique<TfmMain>();
        m_main->resize(900, 700);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        openBook();
    }
    void cleanup() {
        m_main.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    void restoreKeepsTheCurrentTextAsASnapshotFirst_data() {
        QTest::addColumn<bool>("editorOpen");
        QTest::newRow("text file") << false;
        QTest::newRow("open editor") << true;
    }
    void restoreKeepsTheCurrentTextAsASnapshotFirst() {
        QFETCH(bool, editorOpen);
        choose(u"Three"_s);
        action("pmnuTakeSnapshot")->trigger();
        QCOMPARE(snapshots(u"Three"_s), QStringList{u"Nobody."_s});
        TfmEditor* editor = nullptr;
        if (editorOpen) {
            editor = openEditor(u"Three"_s);
            QVERIFY(editor);
            retype(editor, u"Somebody came."_s);
            QVERIFY(editor->SaveText());
            retype(editor, u"Somebody came at dawn."_s);
        } else {
            ProjectFiles::write(textFile(u"Three"_s), "Somebody came at dawn.");
        }

        TfmSnapshots* window = snapshotsWindow();
        QVERIFY(window);
        auto* list = window->findChild<QTreeWidget*>(u"lstSnapshots"_s);
        auto* restore = window->findChild<QPushButton*>(u"btnRestore"_s);
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(1), u"1"_s);
        // The newest is chosen at once.
        QCOMPARE(window->chosenPath(), store().list(u"Three"_s).front().path);
        QVERIFY(restore->isEnabled());
        // The snapshot's word struck through, the words now underlined, a blank between.
        QTextDocument* shown = window->findChild<QTextEdit*>(u"memCompare"_s)->document();
        QCOMPARE(shown->toPlainText(), u"Nobody Somebody came at dawn."_s);
        QTextCursor cursor(shown);
        cursor.setPosition(1);
        QVERIFY(cursor.charFormat().fontStrikeOut());
        cursor.setPosition(10);
        QVERIFY(cursor.charFormat().fontUnderline());
        QVERIFY(!cursor.charFormat().fontStrikeOut());

        restore->click();
        QVERIFY(m_boxes->shown.isEmpty());
        QCOMPARE(snapshots(u"Three"_s), (QStringList{u"Somebody came at dawn."_s, u"Nobody."_s}));
        QCOMPARE(list->topLevelItemCount(), 2);
        if (editorOpen) {
            // In the editor, as an edit of its own: the file behind it stays as saved.
            QCOMPARE(editor->memo()->toPlainText(), u"Nobody."_s);
            QVERIFY(editor->isModified());
            QVERIFY(editor->windowTitle().endsWith(u" *"_s));
            QCOMPARE(text(u"Three"_s), QByteArray("Somebody came."));
            editor->memo()->undo();
            QCOMPARE(editor->memo()->toPlainText(), u"Somebody came at dawn."_s);
        } else {
            QCOMPARE(text(u"Three"_s), QByteArray("Nobody."));
        }
        window->close();
    }

    void theFirstChangeOfTheDayKeepsTheSavedText() {
        TfmEditor* editor = openEditor(u"Two"_s);
        QVERIFY(editor);
        QVERIFY(snapshots(u"Two"_s).isEmpty());
        QTest::keyClicks(editor->memo(), u"Dear "_s);
        QCOMPARE(snapshots(u"Two"_s), QStringList{u"Annabel and Anna."_s});
        // Saved and changed again the same day: no second one.
        QVERIFY(editor->SaveText());
        QTest::keyClicks(editor->memo(), u"x"_s);
        QCOMPARE(snapshots(u"Two"_s).size(), 1);
    }

    void aRenamedSheetCarriesItsSnapshots() {
        choose(u"One"_s);
        action("pmnuTakeSnapshot")->trigger();
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<TfmProperties*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>(u"edtName"_s)->setText(u"The Landing"_s);
            dialog->findChild<QPushButton*>(u"btnOk"_s)->click();
        });
        action("pmnuProperties")->trigger();
        QVERIFY(find(u"The Landing"_s));
        QCOMPARE(snapshots(u"The Landing"_s),
                 QStringList{u"Anna lit the lamp.\r\nThen anna slept."_s});
        QVERIFY(!QDir(store().folderOf(u"One"_s)).exists());
    }

    void aDeletedSheetsSnapshotsGoWithItsText_data() {
        QTest::addColumn<bool>("deleteText");
        QTest::newRow("text deleted") << true;
        QTest::newRow("text kept") << false;
    }
    void aDeletedSheetsSnapshotsGoWithItsText() {
        QFETCH(bool, deleteText);
        choose(u"One"_s);
        action("pmnuTakeSnapshot")->trigger();
        m_boxes->answer(MessageBoxes::Answer::Yes);
        m_boxes->answer(deleteText ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        action("pmnuDelete")->trigger();
        QVERIFY(!find(u"One"_s));
        QCOMPARE(QFile::exists(textFile(u"One"_s)), !deleteText);
        QCOMPARE(QDir(store().folderOf(u"One"_s)).exists(), !deleteText);
    }

    void replaceInBookChangesOpenEditorsNotTheirFiles() {
        TfmEditor* editor = openEditor(u"Three"_s);
        QVERIFY(editor);
        retype(editor, u"Anna waited."_s);
        action("mnuReplaceInBook")->trigger();
        auto* window = m_main->findChild<QDialog*>(u"fmReplaceInBook"_s);
        QVERIFY(window);
        window->findChild<QLineEdit*>(u"edtFind"_s)->setText(u"anna"_s);
        window->findChild<QLineEdit*>(u"edtReplace"_s)->setText(u"Isla"_s);
        window->findChild<QCheckBox*>(u"cbWholeWords"_s)->setChecked(true);
        window->findChild<QPushButton*>(u"btnFind"_s)->click();

        auto* list = window->findChild<QTreeWidget*>(u"lstMatches"_s);
        // In desk order. Annabel is no whole word; the Compilation sheet is the compilation's
        // output.
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + u':' + list->topLevelItem(i)->text(1) + u' ' +
                        list->topLevelItem(i)->text(2);
        QCOMPARE(rows, (QStringList{u"One:1 [Anna] lit the lamp."_s, u"One:2 Then [anna] slept."_s,
                                    u"Three:1 [Anna] waited."_s, u"Two:1 Annabel and [Anna]."_s}));
        list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        const QByteArray threeOnDisk = text(u"Three"_s);
        window->findChild<QPushButton*>(u"btnReplace"_s)->click();

        QCOMPARE(text(u"One"_s), QByteArray("Isla lit the lamp.\r\nThen anna slept."));
        QCOMPARE(text(u"Two"_s), QByteArray("Annabel and Isla."));
        QCOMPARE(editor->memo()->toPlainText(), u"Isla waited."_s);
        QVERIFY(editor->isModified());
        QVERIFY(editor->windowTitle().endsWith(u" *"_s));
        QCOMPARE(text(u"Three"_s), threeOnDisk);
        QCOMPARE(text(u"Compilation"_s), QByteArray("Anna lit the lamp."));
        // Each changed sheet can be taken back on its own.
        QCOMPARE(snapshots(u"One"_s).front(), u"Anna lit the lamp.\r\nThen anna slept."_s);
        QCOMPARE(snapshots(u"Two"_s).front(), u"Annabel and Anna."_s);
        QCOMPARE(snapshots(u"Three"_s).front(), u"Anna waited."_s);
        QCOMPARE(list->topLevelItemCount(), 0);
        QCOMPARE(window->findChild<QLabel*>(u"lblStatus"_s)->text(),
                 u"Replaced 3 times in 3 kerfas."_s);
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void replaceInBookLeavesATextChangedSinceTheSearch() {
        TfmEditor* editor = openEditor(u"Two"_s);
        QVERIFY(editor);
        action("mnuReplaceInBook")->trigger();
        auto* window = m_main->findChild<QDialog*>(u"fmReplaceInBook"_s);
        window->findChild<QLineEdit*>(u"edtFind"_s)->setText(u"Anna"_s);
        window->findChild<QLineEdit*>(u"edtReplace"_s)->setText(u"Isla"_s);
        window->findChild<QCheckBox*>(u"cbMatchCase"_s)->setChecked(true);
        window->findChild<QPushButton*>(u"btnFind"_s)->click();
        // Match Case: "anna" stays out; without whole words, Annabel is in.
        QCOMPARE(window->findChild<QTreeWidget*>(u"lstMatches"_s)->topLevelItemCount(), 3);
        editor->memo()->moveCursor(QTextCursor::Start);
        QTest::keyClicks(editor->memo(), u"So "_s);
        window->findChild<QPushButton*>(u"btnReplace"_s)->click();

        QCOMPARE(text(u"One"_s), QByteArray("Isla lit the lamp.\r\nThen anna slept."));
        QCOMPARE(editor->memo()->toPlainText(), u"So Annabel and Anna."_s);
        QCOMPARE(window->findChild<QLabel*>(u"lblStatus"_s)->text(),
                 u"Replaced 1 times in 1 kerfas. Changed since the search, so left alone (find "
                 u"again): Two."_s);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();
    SnapshotsTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "SnapshotsTest.moc"
