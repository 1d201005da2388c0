#pragma once

#include <QStringList>

// What files dropped on the main window from the file browser ask for. One file is taken at a
// time, and its kind is told by its extension in any letter case.
class DroppedFiles {
public:
    enum class Kind {
        TooMany,   // two or more files
        SheetFile, // ".kfa": a sheet opens only with its project
        TextFile,  // ".txt": becomes the text of a new sheet
        NotText,   // anything else but a project
        Project,   // ".kerfa"
    };

    static Kind classify(const QStringList& paths);
};
