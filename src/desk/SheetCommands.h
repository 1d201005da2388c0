#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <memory>

class Desk;
class DeskTheme;
class OpenEditors;
class ProjectCommands;
class TKerfa;
class TfmProperties;
class TfmTarget;
struct ProjectState;

// The commands that create, describe, re-state and delete one sheet, from the sheet and desk
// popups and the keys Ins, Space and Del. A sheet's name is also the name of its files, so they
// change at once: a new sheet's file is written, a renamed sheet's files move, a deleted sheet's
// files go. Whatever else holds sheet names hears of renames and deletions through the project
// commands' signals.
class SheetCommands : public QObject {
    Q_OBJECT
public:
    SheetCommands(Desk& desk, DeskTheme& look, ProjectState& project, ProjectCommands& commands,
                  OpenEditors& editors, QObject* parent = nullptr);
    ~SheetCommands() override;

    // The properties dialog made once at start; without one, the commands make their own.
    void setDialog(TfmProperties* dialog);
    TfmProperties& dialog();

    // New Kerfa: a new sheet centred on a desk point, once the project has a folder on disk.
    void newCommand(QPoint at);
    // Lays a new sheet centred on a desk point and asks for its name, type and description;
    // writes its file and makes it the current sheet. None when the user cancels.
    TKerfa* NewSheet(QPoint at);
    // The current sheet's name, type and description. Not for the Compilation sheet, nor while
    // the sheet's editor window is open (its text file must not move under it).
    void propertiesCommand();
    // The current sheet's word target, and its chain's when it starts one; also while its editor
    // is open. Not for the Compilation sheet.
    void targetCommand();
    void setTargetDialog(TfmTarget* dialog);
    TfmTarget& targetDialog();
    // Deletes the current sheet after asking: first the save question of its editor window when
    // that holds unsaved text, then whether the sheet goes.
    void deleteCommand();
    // Asks whether the text file goes too; false when the user cancels.
    bool DeleteSheet(TKerfa* sheet);
    // The current sheet's revision state, 0 to 5.
    void setState(int state);
    // The text file the current sheet's Print command prints; empty, after telling the user that
    // there is nothing to print, when the sheet has no text file.
    QString textToPrint() const;

Q_SIGNALS:
    // A sheet's targets were set from a dialog.
    void targetsChanged(TKerfa* sheet);

private:
    QStringList typeNames() const;
    // Moves a renamed sheet's files, snapshots and the links to it in other sheets' files.
    void renameFiles(TKerfa* sheet);
    void setTargets(TKerfa* sheet, int target, int chainTarget);
    static void placeCentred(TKerfa* sheet, QPoint at);
    void refresh();

    Desk& m_desk;
    DeskTheme& m_look;
    ProjectState& m_project;
    ProjectCommands& m_commands;
    OpenEditors& m_editors;
    QPointer<TfmProperties> m_dialog;
    std::unique_ptr<TfmProperties> m_ownDialog;
    QPointer<TfmTarget> m_targetDialog;
    std::unique_ptr<TfmTarget> m_ownTargetDialog;
};
