#include "EditorFixture.h"
#include "PdfFile.h"
#include "common/IniFile.h"
#include "editor/TfmFindReplace.h"
#include "language/Captions.h"
#include "language/Messages.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using Answer = MessageBoxes::Answer;

class EditorWindowTest : public QObject {
    Q_OBJECT

    EditorFixture f;

    QString caption(const QString& sheet, bool modified = false) const {
        return QStringLiteral("Editing Kerfa: '") + sheet + u'\'' +
               (modified ? QStringLiteral(" *") : QString());
    }
    void type(TfmEditor* editor, const QString& text) { QTest::keyClicks(f.memo(editor), text); }
    static bool enabled(const TfmEditor* editor, const char* name) {
        return EditorFixture::action(editor, name)->isEnabled();
    }
    void setSettings(const std::function<void(EditorSettings&)>& change) {
        EditorSettings settings = f.m_options.settings();
        change(settings);
        f.m_options.set(settings);
    }
    static void drop(QWidget* target, const QStringList& paths) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
    }

public:
    explicit EditorWindowTest(TestEnvironment& env) : f(env) {}

private Q_SLOTS:
    void init() { f.setUp(); }
    void cleanup() {
        f.tearDown();
        Captions::reset();
    }

    // Without a text file the window starts empty and unchanged; what needs text waits for it.
    void startsEmptyWithoutATextFile() {
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        QCOMPARE(editor->windowTitle(), caption(QStringLiteral("Chapter")));
        QVERIFY(!editor->isModified());
        for (const char* name : {"mnuSave", "mnuPrint", "mnuFindReplace", "mnuRepeatFind",
                                 "mnuWordCount", "mnuSpellCheck", "mnuThesaurus"})
            QVERIFY2(!enabled(editor, name), name);
        for (const char* name : {"mnuImportText", "mnuSaveWindowPos", "mnuSpellingOptions"})
            QVERIFY2(enabled(editor, name), name);
        type(editor, QStringLiteral("It began"));
        QCOMPARE(editor->windowTitle(), caption(QStringLiteral("Chapter"), true));
        for (const char* name : {"mnuSave", "mnuPrint", "mnuFindReplace", "mnuRepeatFind",
                                 "mnuWordCount", "mnuSpellCheck", "mnuThesaurus"})
            QVERIFY2(enabled(editor, name), name);
        QVERIFY(!QFile::exists(f.textFile(QStringLiteral("Chapter"))));
        QVERIFY(f.m_boxes->shown.isEmpty());
    }

    // The file is read on the first show only; its breaks become CR LF when saved.
    void readsTheFileOnce() {
        QVERIFY(ProjectFiles::write(f.textFile(QStringLiteral("Chapter")), "one\ntwo\rthree"));
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        QCOMPARE(f.memo(editor)->toPlainText(), QStringLiteral("one\ntwo\nthree"));
        QVERIFY(!editor->isModified());
        // Shown again, the window keeps what it holds; the file changed meanwhile is asked about
        // at the save.
        type(editor, QStringLiteral("Zero "));
        QVERIFY(ProjectFiles::write(f.textFile(QStringLiteral("Chapter")), "changed on disk"));
        editor->hide();
        editor->show();
        QCOMPARE(f.memo(editor)->toPlainText(), QStringLiteral("Zero one\ntwo\nthree"));
        f.m_boxes->answer(Answer::Yes);
        EditorFixture::action(editor, "mnuSave")->trigger();
        QCOMPARE(f.m_boxes->texts(), QStringList{Messages::text(Messages::TEXT_CHANGED_ON_DISK)});
        QCOMPARE(editor->windowTitle(), caption(QStringLiteral("Chapter")));
        QVERIFY(!enabled(editor, "mnuSave"));
        QCOMPARE(ProjectFiles::read(f.textFile(QStringLiteral("Chapter"))),
                 QByteArray("Zero one\r\ntwo\r\nthree"));
    }

    void aFailedSaveKeepsTheText() {
        QVERIFY(ProjectFiles::write(f.folder() + QStringLiteral("plain"), "x"));
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        editor->setSheet(f.folder() + QStringLiteral("plain/"), QStringLiteral("Chapter"));
        type(editor, QStringLiteral("Words"));
        QVERIFY(!editor->SaveText());
        QCOMPARE(f.m_boxes->texts(), QStringList{QStringLiteral("Cannot write to the text file.")});
        QCOMPARE(f.m_boxes->shown[0].kind, MessageBoxes::Kind::Warning);
        QVERIFY(editor->isModified());
        QCOMPARE(editor->windowTitle(), caption(QStringLiteral("Chapter"), true));
    }

    void closeQuestion_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("yes") << Answer::Yes << false << true << QByteArray("Words");
        // The text is not lost with its window: the window stays open with it.
        QTest::newRow("yes, save fails") << Answer::Yes << true << false << QByteArray();
        QTest::newRow("no") << Answer::No << false << true << QByteArray();
        QTest::newRow("cancel") << Answer::Cancel << false << false << QByteArray();
    }
    void closeQuestion() {
        QFETCH(Answer, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, closes);
        QFETCH(QByteArray, file);
        QPointer<TfmEditor> editor = f.shown(QStringLiteral("Chapter"));
        QSignalSpy closed(editor.data(), &TfmEditor::closed);
        type(editor, QStringLiteral("Words"));
        if (saveFails)
            QVERIFY(QDir(f.folder() + QStringLiteral("Text Files/Chapter.txt")).mkpath(u"."_qs));
        f.m_boxes->answer(answer);
        QCOMPARE(editor->close(), closes);
        QCOMPARE(f.m_boxes->shown[0].text,
                 QStringLiteral("Save changes before closing this edit window?"));
        QCOMPARE(closed.size(), closes ? 1 : 0);
        if (!saveFails)
            QCOMPARE(ProjectFiles::read(f.textFile(QStringLiteral("Chapter"))), file);
        if (closes) {
            QTRY_VERIFY(editor.isNull());
            return;
        }
        QVERIFY(editor->isVisible());
        QCOMPARE(f.memo(editor)->toPlainText(), QStringLiteral("Words"));
        QCOMPARE(editor->windowTitle(), caption(QStringLiteral("Chapter"), true));
        QCOMPARE(f.m_boxes->texts().size(), saveFails ? 2 : 1);
    }

    // The timer saves a changed text only; its status says when.
    void autoSave() {
        setSettings([](EditorSettings& s) {
            s.autoSave = true;
            s.autoSaveInterval = 5;
        });
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        auto* timer = editor->findChild<QTimer*>(QStringLiteral("tmrAutoSave"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 5 * 60 * 1000);
        QCOMPARE(editor->statusText(), QStringLiteral(" Auto-save is on"));
        QMetaObject::invokeMethod(editor, "tmrAutoSaveTimer");
        QVERIFY(!QFile::exists(f.textFile(QStringLiteral("Chapter"))));
        QCOMPARE(editor->statusText(), QStringLiteral(" Auto-save is on"));
        type(editor, QStringLiteral("Gale"));
        QMetaObject::invokeMethod(editor, "tmrAutoSaveTimer");
        QCOMPARE(ProjectFiles::read(f.textFile(QStringLiteral("Chapter"))), QByteArray("Gale"));
        QVERIFY(editor->statusText().startsWith(QStringLiteral(" Text auto-saved at ")));
        QVERIFY(!editor->isModified());

        // Confirmed options reach the open window.
        setSettings([](EditorSettings& s) { s.autoSaveInterval = 0; });
        QCOMPARE(timer->interval(), 60 * 1000);
        setSettings([](EditorSettings& s) { s.autoSave = false; });
        QVERIFY(!timer->isActive());
        QCOMPARE(editor->statusText(), QStringLiteral(" Auto-save is off"));
    }

    // Options confirmed while a text is unsaved keep its mark, and bring the captions in force.
    void optionsKeepTheUnsavedMark() {
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        type(editor, QStringLiteral("Unsaved"));
        Captions::setFromLanguage(u"Editor.File", u"MN01", QStringLiteral("&Guardar"));
        f.m_options.set(f.m_options.settings());
        QCOMPARE(editor->windowTitle(), caption(QStringLiteral("Chapter"), true));
        QCOMPARE(EditorFixture::action(editor, "mnuSave")->text(), QStringLiteral("&Guardar"));
    }

    void import_data() {
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("messages");
        const QString imported = QStringLiteral("Imported\nsecond line");
        QTest::newRow("no extension")
            << "Notes.txt"
            << "Notes" << QString() << QList<Answer>{} << imported << QStringList{};
        QTest::newRow("extension in capitals")
            << "Loud.TXT"
            << "Loud.TXT" << QString() << QList<Answer>{} << imported << QStringList{};
        QTest::newRow("another extension")
            << "Notes.doc"
            << "Notes.doc" << QString() << QList<Answer>{} << QString()
            << QStringList{QStringLiteral("Kerfa imports only plain text files.")};
        QTest::newRow("missing") << QString() << "Gone" << QString() << QList<Answer>{} << QString()
                                 << QStringList{QStringLiteral("'Gone.txt' file does not exist.")};
        QTest::newRow("over text, OK")
            << "Notes.txt"
            << "Notes.txt"
            << "Old" << QList<Answer>{Answer::Ok} << imported
            << QStringList{QStringLiteral("The current text will be overwritten.")};
        QTest::newRow("over text, Cancel")
            << "Notes.txt"
            << "Notes.txt"
            << "Old" << QList<Answer>{Answer::Cancel} << "Old"
            << QStringList{QStringLiteral("The current text will be overwritten.")};
    }
    void import() {
        QFETCH(QString, onDisk);
        QFETCH(QString, asked);
        QFETCH(QString, memo);
        QFETCH(QList<Answer>, answers);
        QFETCH(QString, result);
        QFETCH(QStringList, messages);
        const QString drafts = f.folder() + QStringLiteral("drafts/");
        if (!onDisk.isEmpty())
            QVERIFY(ProjectFiles::write(drafts + onDisk, "Imported\r\nsecond line"));
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        f.memo(editor)->setPlainText(memo);
        f.m_boxes->answers = answers;
        editor->ImportText(drafts + asked);
        QCOMPARE(f.memo(editor)->toPlainText(), result);
        QCOMPARE(f.m_boxes->texts(), messages);
        QCOMPARE(editor->isModified(), result.startsWith(QStringLiteral("Imported")));
        // Imported, not saved.
        QVERIFY(!QFile::exists(f.textFile(QStringLiteral("Chapter"))));
    }

    void importDialogOpensInTheTemplates() {
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        f.m_dialogs->paths << QString();
        EditorFixture::action(editor, "mnuImportText")->trigger();
        QCOMPARE(f.m_dialogs->titles, QStringList{QStringLiteral("Import Text")});
        QCOMPARE(f.m_dialogs->folders,
                 QStringList{f.m_env.programFolder() + QStringLiteral("Templates/")});
    }

    // The templates the program folder ships import as they are.
    void theShippedTemplatesImport() {
        const QStringList names = {QStringLiteral("Character Sketch"), QStringLiteral("Scene Card"),
                                   QStringLiteral("Chapter Plan"), QStringLiteral("Setting"),
                                   QStringLiteral("Research Note")};
        for (const QString& name : names) {
            const QString path = TestEnvironment::builtProgramFolder() +
                                 QStringLiteral("Templates/") + name + QStringLiteral(".txt");
            QVERIFY2(ProjectFiles::read(path).contains("\r\n"), qPrintable(path));
            TfmEditor* editor = f.shown(name);
            editor->ImportText(path);
            QVERIFY2(f.memo(editor)->toPlainText().startsWith(name.toUpper()), qPrintable(name));
        }
        QVERIFY(f.m_boxes->shown.isEmpty());
    }

    void droppedFiles() {
        const QString a = f.folder() + QStringLiteral("a.txt");
        const QString b = f.folder() + QStringLiteral("b.txt");
        QVERIFY(ProjectFiles::write(a, "From a"));
        QVERIFY(ProjectFiles::write(b, "From b"));
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        drop(f.memo(editor)->viewport(), {a, b});
        QCOMPARE(f.m_boxes->texts(),
                 QStringList{QStringLiteral("Kerfa opens only one dropped file at a time.")});
        QVERIFY(f.memo(editor)->toPlainText().isEmpty());
        drop(f.memo(editor)->viewport(), {a});
        QCOMPARE(f.memo(editor)->toPlainText(), QStringLiteral("From a"));
        QVERIFY(editor->isModified());
    }

    void placement_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("settingsHasIt");
        QTest::addColumn<QRect>("opens");
        QTest::addColumn<bool>("sheetFileWritten");
        QTest::newRow("single") << int(EditorSettings::Single) << true << QRect(40, 30, 500, 300)
                                << false;
        QTest::newRow("single, defaults")
            << int(EditorSettings::Single) << false << QRect(100, 80, 600, 400) << false;
        QTest::newRow("remember all")
            << int(EditorSettings::RememberAll) << true << QRect(60, 50, 450, 350) << true;
        QTest::newRow("none") << int(EditorSettings::None) << true << QRect() << false;
    }
    void placement() {
        QFETCH(int, mode);
        QFETCH(bool, settingsHasIt);
        QFETCH(QRect, opens);
        QFETCH(bool, sheetFileWritten);
        if (settingsHasIt)
            QVERIFY(ProjectFiles::write(
                f.settingsFile(),
                "[EditWindow]\r\nLeft=40\r\nTop=30\r\nWidth=500\r\nHeight=300\r\n"));
        const QByteArray sheet =
            "[StateData]\r\nType=0\r\n[EditWindow]\r\nMaximised=0\r\nLeft=60\r\n"
            "Top=50\r\nWidth=450\r\nHeight=350\r\n";
        QVERIFY(ProjectFiles::write(f.sheetFile(QStringLiteral("Chapter")), sheet));
        QPointer<TfmEditor> editor = f.shown(QStringLiteral("Chapter"), mode);
        if (opens.isValid())
            QCOMPARE(QRect(editor->pos(), editor->size()), opens);
        else
            QVERIFY(editor->pos() != QPoint(40, 30) && editor->pos() != QPoint(60, 50));
        editor->move(70, 90);
        editor->resize(510, 310);
        QVERIFY(editor->close());
        const IniFile file(f.sheetFile(QStringLiteral("Chapter")));
        QCOMPARE(file.readInteger(u"EditWindow", u"Left", 0), sheetFileWritten ? 70 : 60);
        QCOMPARE(file.readInteger(u"EditWindow", u"Height", 0), sheetFileWritten ? 310 : 350);
        QCOMPARE(file.readInteger(u"StateData", u"Type", 9), 0);
    }

    void saveWindowPosition() {
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"), EditorSettings::Single);
        editor->move(33, 44);
        editor->resize(555, 333);
        f.m_boxes->answer(Answer::Ok);
        EditorFixture::action(editor, "mnuSaveWindowPos")->trigger();
        QCOMPARE(f.m_boxes->texts(),
                 QStringList{QStringLiteral("Save this edit window position as default?")});
        const IniFile file(f.settingsFile());
        QCOMPARE(file.readInteger(u"EditWindow", u"Left", 0), 33);
        QCOMPARE(file.readInteger(u"EditWindow", u"Top", 0), 44);
        QCOMPARE(file.readInteger(u"EditWindow", u"Width", 0), 555);
        QCOMPARE(file.readBool(u"EditWindow", u"Maximised", true), false);
        // Only the Single mode has one placement for all.
        QVERIFY(!enabled(f.shown(QStringLiteral("Other"), EditorSettings::RememberAll),
                         "mnuSaveWindowPos"));
    }

    // Minimised, the window hides and stays the sheet's; its place is kept.
    void minimisingHides() {
        QVERIFY(ProjectFiles::write(f.sheetFile(QStringLiteral("Chapter")), "[StateData]\r\n"));
        QPointer<TfmEditor> editor =
            f.shown(QStringLiteral("Chapter"), EditorSettings::RememberAll);
        editor->move(120, 130);
        editor->showMinimized();
        QTRY_VERIFY(!editor->isVisible());
        QVERIFY(!editor.isNull());
        QCOMPARE(
            IniFile(f.sheetFile(QStringLiteral("Chapter"))).readInteger(u"EditWindow", u"Top", 0),
            130);
    }

    void keys() {
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        QVERIFY(QTest::qWaitForWindowActive(editor));
        // F3 with nothing to find again opens the find window.
        QVERIFY(!enabled(editor, "mnuRepeatFind"));
        QTest::keyClick(f.memo(editor), Qt::Key_F3);
        QVERIFY(editor->findReplace() && editor->findReplace()->isVisible());
        editor->findReplace()->hide();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        QPointer<TfmEditor> closing = editor;
        QTest::keyClick(f.memo(editor), Qt::Key_Escape);
        QTRY_VERIFY(closing.isNull());
    }

    void wordCount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("count");
        QTest::newRow("words") << "The cat sat\nChapter 12"
                               << "5";
        QTest::newRow("only blanks") << "     "
                                     << "0";
    }
    void wordCount() {
        QFETCH(QString, text);
        QFETCH(QString, count);
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        f.memo(editor)->setPlainText(text);
        EditorFixture::action(editor, "mnuWordCount")->trigger();
        QCOMPARE(f.m_boxes->texts(), QStringList{QStringLiteral("Word count is ") + count});
        QCOMPARE(editor->statusText(), QStringLiteral(" Last word count was ") + count);
    }

    // What the window holds is printed, saved or not, titled with the sheet's name.
    void prints() {
        QTemporaryDir out;
        f.m_printer->paths << out.filePath(QStringLiteral("chapter.pdf"));
        TfmEditor* editor = f.shown(QStringLiteral("Chapter One"));
        editor->setMemoFont(QStringLiteral("DejaVu Serif"), 12);
        type(editor, QStringLiteral("It was a dark night."));
        EditorFixture::action(editor, "mnuPrint")->trigger();
        const PdfFile pdf(out.filePath(QStringLiteral("chapter.pdf")));
        QCOMPARE(pdf.lines(1), (QStringList{QStringLiteral("Chapter One (1/1)"),
                                            QStringLiteral("It was a dark night.")}));
        QVERIFY(pdf.fonts().join(u' ').contains(QStringLiteral("DejaVuSerif")));
    }

    // Whatever was typed over a text that could not be read would be saved over it.
    void anUnreadableTextIsNotReplaced() {
        QVERIFY(QDir().mkpath(f.textFile(QStringLiteral("Locked"))));
        TfmEditor* editor = f.shown(QStringLiteral("Locked"));
        QCOMPARE(
            f.m_boxes->texts(),
            QStringList{QStringLiteral("Cannot open - file may be open in another application.")});
        QVERIFY(f.memo(editor)->isReadOnly());
        QVERIFY(!enabled(editor, "mnuImportText"));
        QVERIFY(!editor->isModified());
    }

    // Find & Replace takes the selection as the text to find.
    void findAndReplaceTakesTheSelection() {
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        f.memo(editor)->setPlainText(QStringLiteral("the lamp turned"));
        QTextCursor cursor(f.memo(editor)->document());
        cursor.setPosition(4);
        cursor.setPosition(8, QTextCursor::KeepAnchor);
        f.memo(editor)->setTextCursor(cursor);
        EditorFixture::action(editor, "mnuFindReplace")->trigger();
        TfmFindReplace* find = editor->findReplace();
        QVERIFY(find->isVisible());
        QCOMPARE(find->findBox()->text(), QStringLiteral("lamp"));
        QVERIFY(find->replaceBox()->text().isEmpty());
        QCOMPARE(find->windowTitle(), QStringLiteral("Find & Replace"));
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    EditorWindowTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "EditorWindowTest.moc"
