// A text file changed by another program (a file-sync client, an editor on a second computer)
// while its editor window is open: never overwritten unasked, and never lost either way.

#include "EditorFixture.h"
#include "language/Messages.h"
#include "project/SnapshotStore.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>
#include <QTest>

using Answer = MessageBoxes::Answer;

class ChangedOnDiskTest : public QObject {
    Q_OBJECT

    EditorFixture f;
    // The day's first snapshot, taken at the first keystroke, is no concern of these tests.
    qsizetype m_daily = 0;

    QString chapter() const { return f.textFile(QStringLiteral("Chapter")); }
    QStringList snapshots() const {
        QStringList texts;
        for (const SnapshotStore::Entry& entry :
             SnapshotStore(f.folder()).list(QStringLiteral("Chapter")))
            texts << SnapshotStore::read(entry.path).value_or(QStringLiteral("unreadable"));
        return texts.mid(0, texts.size() - m_daily);
    }
    // The editor holds "First draft." as read, and " Mine." typed after it.
    TfmEditor* typedInto() {
        ProjectFiles::write(chapter(), "First draft.");
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        QTest::keyClick(f.memo(editor), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(f.memo(editor), QStringLiteral(" Mine."));
        m_daily = 0;
        m_daily = snapshots().size();
        return editor;
    }
    // Another program's write, later than anything this window did.
    static void writeElsewhere(const QString& path, const QByteArray& bytes) {
        QTest::qSleep(20);
        QVERIFY(ProjectFiles::write(path, bytes));
    }

public:
    explicit ChangedOnDiskTest(TestEnvironment& env) : f(env) {}

private Q_SLOTS:
    void init() {
        f.setUp();
        m_daily = 0;
    }
    void cleanup() { f.tearDown(); }

    // Keep this version (the other kept first), take the other (this one kept first), or
    // cancel; the same for Save, auto-save and the close question.
    void aSaveOverAnotherProgramsChangeAsksFirst_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Answer>("answer");
        for (const char* how : {"save", "auto-save", "close"})
            for (const auto& [name, answer] :
                 {std::pair{"keep this", Answer::Yes}, std::pair{"take the other", Answer::No},
                  std::pair{"cancel", Answer::Cancel}})
                QTest::addRow("%s, %s", how, name) << QString::fromLatin1(how) << answer;
    }
    void aSaveOverAnotherProgramsChangeAsksFirst() {
        QFETCH(QString, how);
        QFETCH(Answer, answer);
        QPointer<TfmEditor> editor = typedInto();
        writeElsewhere(chapter(), "First draft. Theirs.");

        QStringList questions{Messages::text(Messages::TEXT_CHANGED_ON_DISK)};
        if (how == u"close") {
            f.m_boxes->answer(Answer::Yes);
            questions.prepend(Messages::text(Messages::SAVE_TEXT_CHANGES));
        }
        f.m_boxes->answer(answer);
        if (how == u"save")
            EditorFixture::action(editor, "mnuSave")->trigger();
        else if (how == u"auto-save")
            QMetaObject::invokeMethod(editor, "tmrAutoSaveTimer");
        else
            editor->close();
        QCOMPARE(f.m_boxes->texts(), questions);

        const QString mine = QStringLiteral("First draft. Mine.");
        const QString theirs = QStringLiteral("First draft. Theirs.");
        switch (answer) {
        case Answer::Yes:
            QCOMPARE(ProjectFiles::read(chapter()), mine.toUtf8());
            QCOMPARE(snapshots(), QStringList{theirs});
            break;
        case Answer::No:
            QCOMPARE(ProjectFiles::read(chapter()), theirs.toUtf8());
            QCOMPARE(snapshots(), QStringList{mine});
            if (how != u"close") {
                QCOMPARE(f.memo(editor)->toPlainText(), theirs);
                QVERIFY(!editor->isModified());
            }
            break;
        default:
            QCOMPARE(ProjectFiles::read(chapter()), theirs.toUtf8());
            QVERIFY(snapshots().isEmpty());
            QVERIFY(editor && editor->isVisible());
            QCOMPARE(f.memo(editor)->toPlainText(), mine);
            QVERIFY(editor->isModified());
            break;
        }
    }

    // What is no change of another program's saves without a question.
    void aSaveWithoutAnotherChangeAsksNothing_data() {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("nothing") << "nothing";
        QTest::newRow("the same bytes written again") << "same bytes";
        QTest::newRow("the file removed") << "removed";
        QTest::newRow("saved here before") << "saved";
    }
    void aSaveWithoutAnotherChangeAsksNothing() {
        QFETCH(QString, meanwhile);
        TfmEditor* editor = typedInto();
        if (meanwhile == u"same bytes") {
            writeElsewhere(chapter(), "First draft.");
        } else if (meanwhile == u"removed") {
            QVERIFY(QFile::remove(chapter()));
        } else if (meanwhile == u"saved") {
            QVERIFY(editor->SaveText());
            QTest::keyClicks(f.memo(editor), QStringLiteral(" More."));
        }
        QVERIFY(editor->SaveText());
        QVERIFY(f.m_boxes->shown.isEmpty());
        QVERIFY(ProjectFiles::read(chapter()).startsWith("First draft. Mine."));
        QVERIFY(snapshots().isEmpty());
    }

    // A window holding no unsaved text shows the file as the other program left it, and says so;
    // one holding unsaved text keeps it, for the question at its next save.
    void anUnchangedWindowReadsTheChangedFileAgain_data() {
        QTest::addColumn<bool>("fileBefore");
        QTest::addColumn<bool>("typed");
        QTest::newRow("changed") << true << false;
        QTest::newRow("made where there was none") << false << false;
        QTest::newRow("unsaved text kept") << true << true;
    }
    void anUnchangedWindowReadsTheChangedFileAgain() {
        QFETCH(bool, fileBefore);
        QFETCH(bool, typed);
        if (fileBefore)
            ProjectFiles::write(chapter(), "First draft.");
        TfmEditor* editor = f.shown(QStringLiteral("Chapter"));
        if (typed)
            QTest::keyClicks(f.memo(editor), QStringLiteral("Mine. "));
        writeElsewhere(chapter(), "Their draft.\r\nA second line.");
        if (typed) {
            QTest::qWait(600);
            QCOMPARE(f.memo(editor)->toPlainText(), QStringLiteral("Mine. First draft."));
            QVERIFY(editor->isModified());
            return;
        }
        QTRY_COMPARE(f.memo(editor)->toPlainText(), QStringLiteral("Their draft.\nA second line."));
        QVERIFY(!editor->isModified());
        QCOMPARE(editor->statusText(), u' ' + Messages::text(Messages::TEXT_RELOADED));
        // What was read again is no change of another program's.
        QVERIFY(editor->SaveText());
        QVERIFY(f.m_boxes->shown.isEmpty());
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    ChangedOnDiskTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "ChangedOnDiskTest.moc"
