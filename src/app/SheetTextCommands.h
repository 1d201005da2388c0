#pragma once

#include "printing/PrintCommand.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class EditorOptions;
class EditorRegistry;
class TKerfa;
class TfmEditor;
struct ProjectState;

// What the main window does with a sheet's text: opens its editor window (one per sheet),
// prints it, and fills a new sheet with a text file dropped on the window.
class SheetTextCommands : public QObject {
    Q_OBJECT
public:
    SheetTextCommands(const ProjectState& project, EditorRegistry& editors,
                      const EditorOptions& options, QObject* parent = nullptr);

    // The window the print dialog and messages belong to.
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }

    // Shows the sheet's editor window, made on first use, in the editor font and placed by the
    // positioning mode; a hidden or minimised one comes back in normal state.
    TfmEditor* OpenEditor(TKerfa* sheet);
    // Prints the sheet's text: what its open editor holds, or else its text file (the sheet
    // commands have said when there is none to print).
    void PrintSheet(const TKerfa* sheet);
    // Gives a sheet just made for a dropped text file that file's text, saved as the sheet's
    // text. False, after its message, when the file could not be read or the text written.
    bool fillFromDroppedFile(const TKerfa* sheet, const QString& path);

Q_SIGNALS:
    // An editor window's Help command.
    void helpRequested();

private:
    const ProjectState& m_project;
    EditorRegistry& m_editors;
    const EditorOptions& m_options;
    QPointer<QWidget> m_dialogParent;
    PrintCommand m_print;
};
