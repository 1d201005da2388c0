#pragma once

#include <QString>

// What an editor window takes from Kerfa's settings. The main window fills it from its own
// settings and hands changes on through EditorOptions.
struct EditorSettings {
    // Where editor windows open: each sheet's where it was closed, all where Save Window
    // Position put them, or where the window system puts them.
    enum Positioning { RememberAll = 0, Single = 1, None = 2 };

    bool autoSave = false;
    // Minutes between automatic saves.
    int autoSaveInterval = 15;
    int positioning = Single;
    bool stayOnTop = false;
    QString fontName;
    // Points.
    int fontSize = 11;
    // The interface's language file ("German.ini"): the spelling and thesaurus dialogs speak its
    // language, or English when they have none of its texts.
    QString language;
    // The settings file, whose [EditWindow] section holds the placement of mode Single.
    QString settingsFile;

    bool operator==(const EditorSettings&) const = default;
};
