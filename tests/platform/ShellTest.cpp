// The desktop shell's folder opener with a stand-in for the desktop's opener on PATH: a folder
// no program could show is reported once, whether the opener gave up or is missing; one shown
// is not.

#include "platform/Shell.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ShellTest : public QObject {
    Q_OBJECT

    QByteArray m_path;

private Q_SLOTS:
    void initTestCase() { m_path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_path); }

    void aFolderNoProgramShowsIsReported_data() {
        QTest::addColumn<QString>("opener"); // the script's body; empty: no opener at all
        QTest::addColumn<int>("reports");
        QTest::newRow("shown") << "exit 0" << 0;
        QTest::newRow("no program for folders") << "exit 3" << 1;
        QTest::newRow("the program failed") << "exit 4" << 1;
        QTest::newRow("no opener installed") << "" << 1;
    }
    void aFolderNoProgramShowsIsReported() {
        QFETCH(QString, opener);
        QFETCH(int, reports);
        QTemporaryDir bin;
        const QString asked = bin.filePath(QStringLiteral("asked"));
        if (!opener.isEmpty()) {
            QFile script(bin.filePath(QStringLiteral("xdg-open")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\n%2\n")
                             .arg(asked, opener)
                             .toUtf8());
            script.close();
            QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        }
        qputenv("PATH", bin.path().toUtf8());
        int failures = 0;
        const QString folder = bin.filePath(QStringLiteral("Text Files"));
        DesktopShell().openFolder(folder, [&failures] { ++failures; });
        // The opener runs in the background until it ends.
        QTRY_VERIFY(qApp->findChildren<QProcess*>().isEmpty());
        QTest::qWait(0);
        QCOMPARE(failures, reports);
        if (!opener.isEmpty()) {
            QFile told(asked);
            QVERIFY(told.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(told.readAll()), folder);
        }
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    ShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ShellTest.moc"
