#include "support/ScriptedPlatform.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTest>

void failUnexpectedDialog(const QString& what) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected dialog: ") + what), __FILE__, __LINE__);
}

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    MessageBoxes::install(this);
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    MessageBoxes::install(nullptr);
}

MessageBoxes::Answer ScriptedMessageBoxes::show(Kind kind, const QString& text, Buttons buttons) {
    shown.append({kind, text, buttons, {}});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (answers.isEmpty()) {
        failUnexpectedDialog(text);
        return Answer::Cancel;
    }
    return answers.takeFirst();
}

MessageBoxes::Answer ScriptedMessageBoxes::showCaptioned(Kind kind, const QString& caption,
                                                         const QString& text, Buttons buttons) {
    const Answer answer = show(kind, text, buttons);
    shown.last().caption = caption;
    return answer;
}

QStringList ScriptedMessageBoxes::texts() const {
    QStringList result;
    for (const Shown& box : shown)
        result << box.text;
    return result;
}

ScriptedFileDialogs::ScriptedFileDialogs() {
    FileDialogs::install(this);
}

ScriptedFileDialogs::~ScriptedFileDialogs() {
    FileDialogs::install(nullptr);
}

QString ScriptedFileDialogs::openFile(QWidget*, const QString& title, const QString&,
                                      const QString& folder) {
    titles << title;
    folders << folder;
    if (paths.isEmpty()) {
        failUnexpectedDialog(title);
        return {};
    }
    return paths.takeFirst();
}

QString ScriptedFileDialogs::chooseFolder(QWidget*, const QString& title) {
    titles << title;
    if (paths.isEmpty()) {
        failUnexpectedDialog(title);
        return {};
    }
    return paths.takeFirst();
}

QString ScriptedFileDialogs::saveFile(QWidget*, const QString& title, const QString&,
                                      const QString& defaultSuffix, const QString& suggested) {
    titles << title;
    suggestions << suggested;
    if (paths.isEmpty()) {
        failUnexpectedDialog(title);
        return {};
    }
    QString path = paths.takeFirst();
    // As the real dialog does: a name typed without extension gets the default one.
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += u'.' + defaultSuffix;
    return path;
}

ScriptedPrintDialogs::ScriptedPrintDialogs() {
    PrintDialogs::install(this);
}

ScriptedPrintDialogs::~ScriptedPrintDialogs() {
    PrintDialogs::install(nullptr);
}

bool ScriptedPrintDialogs::setUpPrinter(QWidget*, QPrinter& printer, const Options& options) {
    shown << options;
    if (paths.isEmpty()) {
        failUnexpectedDialog(QStringLiteral("print dialog"));
        return false;
    }
    const QString path = paths.takeFirst();
    if (path.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
}

RecordingShell::RecordingShell() {
    Shell::install(this);
}

RecordingShell::~RecordingShell() {
    Shell::install(nullptr);
}

void RecordingShell::openFolder(const QString& path, std::function<void()> failed) {
    opened << path;
    if (!opens)
        failed();
}

void RecordingShell::startTool(const QString& tool, const QStringList&) {
    tools << tool;
}
