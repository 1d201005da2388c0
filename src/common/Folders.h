#pragma once

#include <QString>

// Folders made the way the program's own files are made: a new folder takes the permissions of
// the folder it is made in (as far as the umask allows), so that whatever is made inside a
// private folder, such as the per-user program folder, is private too.
class Folders {
public:
    // Makes the folder and every missing one above it; true when it is there.
    static bool makePath(const QString& path);
    // Makes the folder private (0700) when it is the user's own, with every folder below it
    // (0700) and every file (0600); links are neither followed nor changed. A folder that is
    // private already is left as it is, so that this costs nothing once done. False when the
    // folder is not the user's own or could not be made private.
    static bool makePrivate(const QString& folder);
};
