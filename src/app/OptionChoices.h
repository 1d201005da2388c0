#pragma once

#include <QString>

// What the options dialog shows and the writer chooses there: the program's settings and the
// open project's own (workspace size, theme, bold main type, language). The main window fills it
// from its settings and project, and applies it when the dialog is confirmed.
struct OptionChoices {
    // Application.
    QString language;     // "German.ini"
    QString defaultTheme; // "Book.ini"
    bool rememberAppPos = true;
    bool autoCompKerfa = true;
    bool hints = false;
    // Project.
    int workspaceSize = 0; // ProjectState::WorkspaceSize
    QString projectTheme;
    bool boldBaseType = false;
    QString bookLanguage; // a language tag ("en-US"), or empty for the spelling settings
    // Editor.
    int positioning = 1; // AppSettings::EditMemory
    bool editorsOnTop = false;
    QString fontName;
    int fontSize = 11;
    bool autoSave = false;
    int autoSaveInterval = 15; // minutes

    bool operator==(const OptionChoices&) const = default;
};
