#pragma once

#include <QString>

struct ProjectState;

// What the main window shows of the project's state (RefreshWindow): its caption and which of
// the project's commands are enabled.
struct ProjectWindowState {
    QString caption;
    bool newProject = false;
    bool save = false;
    bool saveAs = false;
    // Backup Project, and Explore > Project...
    bool backup = false;
    // Find & Compile, Compile and Word Count.
    bool tools = false;

    static ProjectWindowState of(const ProjectState& project, bool themeLoaded, bool deskHasSheets);

    // "Kerfa Book: 'Novel'" for the built-in theme, "Kerfa Screenplay: 'Novel'" for the theme
    // file Screenplay.ini; names over 50 characters are cut and end in "..."; " *" follows while
    // the project has unsaved changes.
    static QString captionOf(const ProjectState& project, bool themeLoaded);
};
