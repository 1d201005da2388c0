#pragma once

#include <QString>

// The project as the main window holds it: where it lives on disk, its workspace size, its
// theme, and the flags the commands and the caption follow.
struct ProjectState {
    enum WorkspaceSize { Normal = 0, Double = 1, Quadruple = 2 };

    QString projectFolder; // with a trailing "/"; empty until loaded or saved
    QString projectFileName = QStringLiteral("unnamed");
    int workspaceSize = Normal;
    bool boldBaseType = false;
    QString projectTheme = QStringLiteral("Book.ini");
    // The book's language tag ("en-US"), or empty when the spelling settings decide.
    QString language;
    bool modified = false;
    bool onDisk = false;
    bool freshStart = true;
    int nextSheetType = 1;

    // The project file name is "unnamed" (in any letter case) until the project was saved.
    bool isUnnamed() const;
    QString projectPath() const { return projectFolder + projectFileName; }
    QString sheetFolder() const { return projectFolder + QStringLiteral("Kerfa Files/"); }
    QString textFolder() const { return projectFolder + QStringLiteral("Text Files/"); }
};
