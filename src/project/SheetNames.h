#pragma once

#include <QString>

// The rules a sheet's name obeys. The name is also the name of the sheet's two files
// ("Kerfa Files/<name>.kfa" and "Text Files/<name>.txt"), so it keeps to what file names allow
// on every system a project may be copied to, and no two sheets of a project differ only in
// letter case.
class SheetNames {
public:
    // The nine characters some file system forbids in a file name: " * / : < > ? \ |
    static bool isForbidden(QChar c);
    static QString withoutForbidden(const QString& name);

    // Without blanks (and control characters) around it, each run of them inside one blank.
    static QString NormalizeName(const QString& name);

    enum class Verdict {
        Accept,
        NotCompilation, // "Compilation" belongs to the Compilation sheet
        UniqueName,     // empty, or "unnamed"
        Taken,          // another sheet has that name, or its files would land on other files
    };

    // Whether a sheet may take a normalised name. oldName is the sheet's name before, empty for a
    // sheet being created; the folder is the project's, with its trailing "/". Names compare
    // without regard to letter case, also against the files on disk.
    static Verdict check(const QString& name, const QString& oldName, const QString& projectFolder);

    // Moves the sheet file and the text file of a sheet from one name to another. A file that is
    // missing, or cannot move, stays where it is; nothing is ever overwritten.
    static void renameFiles(const QString& projectFolder, const QString& oldName,
                            const QString& newName);

    // "Kerfa Files/<name>.kfa" and "Text Files/<name>.txt" of a project folder.
    static QString sheetFile(const QString& projectFolder, const QString& name);
    static QString textFile(const QString& projectFolder, const QString& name);
};
