#pragma once

#include <QString>

// File names written on a case-insensitive file system (themes, icons, projects made elsewhere)
// are looked up here the way their authors saw them.
class FileNames {
public:
    // The path of the file named `name` in `folder`, matched exactly or else without regard to
    // the case of A-Z; empty when there is no such file (folders do not count).
    static QString findFile(const QString& folder, const QString& name);
    // The extension with its dot, in lower case ("" when there is none).
    static QString extension(const QString& fileName);
    // The names of the regular files in a folder, in no order. Symbolic links are left out
    // whatever they point at, and so are pipes, sockets and devices: none of them is a file of
    // the program's own, and a link would lead its reads and writes elsewhere.
    static QStringList regularFiles(const QString& folder);
};
