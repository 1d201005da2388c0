#pragma once

#include <QString>

// Registers the project file (".kerfa", opened by Kerfa) and the sheet file (".kfa", an icon
// only) with the desktop, the freedesktop way and for this user only: a shared-mime-info
// package, a desktop entry and icons under the user's data folder. Runs at every start; when
// Kerfa is already registered only a changed executable path is written again. Never fails the
// start: whatever cannot be written is left as it is, and the caller is told.
class FileTypes {
public:
    // executable: full path of the kerfa executable; programFolder: with a trailing "/". Returns
    // the first file that could not be written, or an empty string.
    static QString registerFileTypes(const QString& executable, const QString& programFolder);

    // The Exec line of the desktop entry for an executable.
    static QString execLine(const QString& executable);
    // Where the desktop entry lives: $XDG_DATA_HOME/applications/kerfa.desktop.
    static QString desktopEntryPath();
    static QString mimePackagePath();
};
