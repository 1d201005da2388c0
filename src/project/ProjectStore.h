#pragma once

#include <QString>

class Desk;
class ProjectHost;
class TKerfa;
class Theme;
struct ProjectState;

// Reads and writes a project: the project file, one sheet file per sheet in "Kerfa Files/", and
// the sheets on the desk that they describe.
class ProjectStore {
public:
    ProjectStore(ProjectState& state, Desk& desk, Theme& theme, ProjectHost& host);

    // Opens the project file at path (".kerfa" is added to a name without extension). False,
    // after its message, when the file is refused, missing or unreadable; an unreadable project
    // leaves an empty unnamed one.
    bool LoadProject(const QString& path);
    // Writes the project file and every sheet file. False when anything could not be written.
    bool SaveProject();
    // Writes one sheet file; false, after its message, when it could not be written.
    bool SaveSheetFile(TKerfa* sheet);
    void ClearDesk();
    // Back to an empty unnamed project.
    void CloseProject();

private:
    bool writeSheetFile(TKerfa* sheet);
    // Reads the sheets of "Kerfa Files/"; false when a sheet file holds a state out of range.
    bool readSheets();
    void resolveLinks();

    ProjectState& m_state;
    Desk& m_desk;
    Theme& m_theme;
    ProjectHost& m_host;
};
