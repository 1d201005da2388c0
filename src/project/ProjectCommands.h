#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class OpenEditors;
class ProjectDesk;
class QWidget;
class SheetReading;
class Theme;
struct ProjectState;
struct SheetRecord;

// The commands that act on the project as a whole: loading, saving, Save As, New, Open, Backup,
// and the two questions asked before the project is replaced. They read and write through
// ProjectStorage, reach the desk and the editor windows through ProjectDesk and OpenEditors, show
// their own messages, and tell the main window by signal what it must follow.
class ProjectCommands : public QObject {
    Q_OBJECT
public:
    enum class AskResult { Proceed, Cancel };

    ProjectCommands(ProjectState& state, Theme& theme, ProjectDesk& desk, OpenEditors& editors,
                    QObject* parent = nullptr);
    ~ProjectCommands() override;

    // The window the file dialogs belong to.
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }

    // Opens the project file at path (".kerfa" is added to a name without extension). False,
    // after its message, when the file is refused, missing or unreadable; an unreadable project
    // leaves an empty unnamed one.
    bool LoadProject(const QString& path);
    // Begins reading the sheet files of the project at path on a thread of its own, so that the
    // first LoadProject of that project finds them read or partly read; nothing when path does
    // not name a project file, or when a command cut short must first be finished there. Needs
    // no application object: the start calls it first thing.
    static std::unique_ptr<SheetReading> readEarly(const QString& path);
    void setEarlyReading(std::unique_ptr<SheetReading> reading);
    // While LoadProject reads and lays out the sheets; the window system's events may be
    // handled meanwhile (loadProgress), and nothing may then open another project.
    bool isLoading() const { return m_loading; }
    // Writes the project file and every sheet file. False when anything could not be written;
    // the changes then stay marked, so that closing still offers to save them.
    bool SaveProject();
    // Writes one sheet file; false, after its message, when it could not be written.
    bool SaveSheetFile(const SheetRecord& record);
    // Back to an empty unnamed project.
    void CloseProject();
    // Asks whether to save changed editor windows, then the changed project. Cancel when the
    // user cancels, when the project must first be given a name (Save As runs), or when an
    // editor's text or the project could not be saved.
    AskResult AskToSaveChanges();

    // The File menu.
    void NewProject();
    void OpenProject();
    void SaveProjectAs();
    void BackupProject();

    // Puts a theme file in force for the project and records its name; the next new sheet takes
    // the first type again. False when a picture of it could not be read and the built-in theme
    // was put in force instead.
    bool useTheme(const QString& themeFileName);
    void useBuiltInTheme();
    // Puts the book's language (a tag, or empty) in force; it is written at the next save.
    void setLanguage(const QString& tag);

Q_SIGNALS:
    // A load begins: the main window shows itself and puts the splash picture away.
    void loadStarting();
    // While a project's sheets are read and laid on the desk: done of total steps (a few dozen
    // sheets a step), and done equal to total at the end, whether or not the load succeeded.
    void loadProgress(qsizetype done, qsizetype total);
    // The project's workspace size was set; the desk takes that size.
    void workspaceSizeSet();
    // The project's state changed (RefreshWindow).
    void refreshNeeded();
    // A project was read from the file at path.
    void projectLoaded(const QString& path);
    // The project was closed and an empty one took its place.
    void projectClosed();
    // The built-in theme is in force; it becomes the default theme too.
    void builtInThemeInForce();
    // The book's language changed (a tag such as "en-US", or empty for the spelling settings).
    void languageChanged(const QString& tag);
    // Sent by the sheet commands after they renamed or deleted a sheet's files, so that whatever
    // holds sheet names keeps in step.
    void sheetRenamed(const QString& oldName, const QString& newName);
    void sheetDeleted(const QString& name);

private:
    bool writeSheetFile(const SheetRecord& record);
    // The folder of the project file at path, ending in '/'.
    static QString folderOf(const QString& path);
    // Where a killed save may have left its temporary files.
    static QStringList leftoverFolders(const ProjectState& project);
    void recordBuiltInTheme();

    ProjectState& m_state;
    Theme& m_theme;
    ProjectDesk& m_desk;
    OpenEditors& m_editors;
    QWidget* m_dialogParent = nullptr;
    bool m_loading = false;
    std::unique_ptr<SheetReading> m_earlyReading;
};
