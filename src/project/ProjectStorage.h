#pragma once

#include "project/ProjectSettings.h"
#include "project/SheetReading.h"
#include "project/SheetRecord.h"

#include <QList>
#include <QStringList>

struct ProjectState;

// A project on disk: the project file, one sheet file per sheet in "Kerfa Files/", the text files
// in "Text Files/". Reads and writes records only; what is shown on the desk is not its business.
class ProjectStorage {
public:
    // The sheet files of a "Kerfa Files/" folder: the files whose names end in ".kfa" (in lower
    // case, as the program writes them), in alphabetical order ignoring case. That order is the
    // desk order.
    static QStringList sheetFileNames(const QString& sheetFolder);

    // Whether the file at the path may be opened as a project: an empty file, or text without a
    // NUL byte that holds a "Workspace" or a "Theme" section (in any letter case), within the
    // size an INI file is read to. Anything else that took the extension (a picture, a file of
    // another program, a damaged file) is refused before anything is written into it or beside
    // it, and so is a file that cannot be read.
    static bool isProjectFile(const QString& projectPath);

    // Every key missing from the file takes its default; a missing file reads as empty.
    static ProjectSettings readProject(const QString& projectPath);
    // The sheets of a "Kerfa Files/" folder, read as SheetReading::finish reads them; the names
    // of the files left out as unreadable go to `unreadable` when given.
    static QList<SheetRecord> readSheets(const QString& sheetFolder,
                                         const SheetReading::Progress& progress = {},
                                         QStringList* unreadable = nullptr);

    // Both keep every other key of the file; false, leaving the file as it was, when it could not
    // be written.
    static bool writeProject(const QString& projectPath, const ProjectSettings& settings);
    static bool writeSheet(const QString& sheetFolder, const SheetRecord& record);

    // Creates "Kerfa Files/" and "Text Files/" in the project folder when they are missing, one
    // level each; a failure shows at the writes that follow.
    static void makeFolders(const ProjectState& project);

    // Copies the project file, the sheet files and the text files into the folder `target`
    // (made when missing), replacing files there; false when any folder or copy failed, and
    // false without making any folder when the project file is not on disk.
    static bool backup(const ProjectState& project, const QString& target);
};
