// The editor's text save on a disk that runs out of room: the text file keeps its old bytes and
// the writer is told, with the text still in the window.

#include "editor/EditorOptions.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "support/FullDisk.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

class EditorSaveTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aSaveThatRunsOutOfRoomFailsAndKeepsTheOldText_data() {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<int>("size");
        for (const bool fullDisk : {false, true})
            for (const int size : {200, 5 * 1024, 12 * 1024})
                QTest::addRow("%s, %d bytes", fullDisk ? "full tmpfs" : "size limit", size)
                    << fullDisk << size;
    }
    void aSaveThatRunsOutOfRoomFailsAndKeepsTheOldText() {
        QFETCH(bool, fullDisk);
        QFETCH(int, size);
        const SmallDisk disk;
        if (fullDisk && !disk.mounted())
            QSKIP("no tmpfs can be mounted here");
        QTemporaryDir dir;
        const QString folder =
            (fullDisk ? disk.path() : dir.path() + u'/') + QStringLiteral("Book/");
        const QString path = folder + QStringLiteral("Text Files/Chapter.txt");
        const QByteArray old = QByteArray(size - 2, 'o') + "\r\n";
        QVERIFY(ProjectFiles::write(path, old));

        ScriptedMessageBoxes boxes;
        const EditorOptions options;
        TfmEditor editor(options);
        editor.setSheet(folder, QStringLiteral("Chapter"));
        auto* memo = editor.findChild<QPlainTextEdit*>(QStringLiteral("memEditor"));
        QVERIFY(memo);
        const QString text = QString(size, u'n');
        memo->setPlainText(text);
        memo->document()->setModified(true);
        bool saved = true;
        if (fullDisk) {
            QVERIFY(disk.fill());
            saved = editor.SaveText();
        } else {
            const FileSizeLimit limit(static_cast<rlim_t>(size / 2));
            saved = editor.SaveText();
        }
        QVERIFY(!saved);
        QCOMPARE(boxes.texts(), QStringList{Messages::text(Messages::CANNOT_WRITE_FILE)});
        QCOMPARE(ProjectFiles::read(path), old);
        QCOMPARE(QDir(folder + QStringLiteral("Text Files"))
                     .entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QStringLiteral("Chapter.txt")});
        QVERIFY(editor.isModified());
        QCOMPARE(memo->toPlainText(), text);
    }

    // What the writer typed reaches the file byte for byte: no-break spaces stay, and a line
    // broken with Shift+Enter is a line of the file.
    void aSaveKeepsEveryCharacterTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("no-break spaces")
            << QStringLiteral("\u00AB\u00A0Bonjour\u00A0\u00BB, 10\u00A0000")
            << QByteArray("\xC2\xAB\xC2\xA0"
                          "Bonjour\xC2\xA0\xC2\xBB, 10\xC2\xA0"
                          "000");
        QTest::newRow("narrow no-break space")
            << QStringLiteral("Quoi\u202F?") << QByteArray("Quoi\xE2\x80\xAF?");
        QTest::newRow("paragraphs") << QStringLiteral("One\n\nTwo") << QByteArray("One\r\n\r\nTwo");
        QTest::newRow("Shift+Enter") << QStringLiteral("One\u2028Two") << QByteArray("One\r\nTwo");
    }
    void aSaveKeepsEveryCharacterTyped() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, saved);
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/Book/");
        QVERIFY(ProjectFiles::write(folder + QStringLiteral("Text Files/Chapter.txt"), ""));
        ScriptedMessageBoxes boxes;
        const EditorOptions options;
        TfmEditor editor(options);
        editor.setSheet(folder, QStringLiteral("Chapter"));
        auto* memo = editor.findChild<QPlainTextEdit*>(QStringLiteral("memEditor"));
        QVERIFY(memo);
        memo->insertPlainText(typed);
        QVERIFY(editor.SaveText());
        QCOMPARE(ProjectFiles::read(folder + QStringLiteral("Text Files/Chapter.txt")), saved);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    EditorSaveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EditorSaveTest.moc"
