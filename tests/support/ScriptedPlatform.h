#pragma once

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/PrintDialogs.h"
#include "platform/Shell.h"

#include <QList>
#include <QStringList>

// Message boxes that answer from a script. A box with only an OK button answers OK by itself; a
// question with no answer queued fails the running test (and answers Cancel) instead of
// blocking it. Installed for its lifetime.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        Kind kind;
        QString text;
        Buttons buttons;
        QString caption; // empty: the application's title
    };

    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes() override;

    Answer show(Kind kind, const QString& text, Buttons buttons) override;
    Answer showCaptioned(Kind kind, const QString& caption, const QString& text,
                         Buttons buttons) override;

    void answer(Answer a) { answers << a; }
    QStringList texts() const;

    QList<Shown> shown;
    QList<Answer> answers;
};

// File dialogs that return scripted paths ("" is Cancel); a dialog with nothing queued fails the
// running test.
class ScriptedFileDialogs : public FileDialogs {
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs() override;

    QString openFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& folder) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& defaultSuffix, const QString& suggested) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;

    QStringList paths;
    QStringList titles;
    // The folders the open dialogs opened in.
    QStringList folders;
    // The paths the save dialogs suggested.
    QStringList suggestions;
};

// Print dialogs that answer from a script: a path is OK with the printer set to write that PDF
// file, "" is Cancel; a dialog with nothing queued fails the running test.
class ScriptedPrintDialogs : public PrintDialogs {
public:
    ScriptedPrintDialogs();
    ~ScriptedPrintDialogs() override;

    bool setUpPrinter(QWidget* parent, QPrinter& printer, const Options& options) override;

    QStringList paths;
    QList<Options> shown;
};

// Records the folders the program asks the desktop to open; with `opens` false, no program
// shows them.
class RecordingShell : public Shell {
public:
    RecordingShell();
    ~RecordingShell() override;
    void openFolder(const QString& path, std::function<void()> failed) override;
    void startTool(const QString& tool, const QStringList& arguments) override;

    QStringList opened;
    QStringList tools;
    bool opens = true;
};

// Reports an unexpected modal dialog as a failure of the test that is running.
void failUnexpectedDialog(const QString& what);
