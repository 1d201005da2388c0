#pragma once

#include <QDateTime>
#include <QString>

// The names of a project's files and folders, and the rules the project commands apply to them.
class ProjectNames {
public:
    static constexpr qsizetype kMaxSheetName = 40;

    static QString projectExtension() { return QStringLiteral(".kerfa"); }
    static QString sheetExtension() { return QStringLiteral(".kfa"); }

    // The project file name without its first ".kerfa" (in exactly that case): the name the
    // caption and the backups give a project.
    static QString stem(const QString& projectFileName);

    // The project file a file name opens: a name without extension takes ".kerfa"; a name with
    // another extension than ".kerfa" (in any case) opens nothing, and the result is empty.
    static QString projectFileName(const QString& fileName);

    // The name Save As writes: the chosen name with ".kerfa" appended unless it ends in ".kerfa"
    // already, in any letter case ("Vol. 2" becomes "Vol. 2.kerfa"), so that Open lists the
    // file and opens it.
    static QString withProjectExtension(const QString& fileName);

    // Whether Save As refuses the chosen file name: a ".kerfa" name whose stem is "unnamed" in
    // any case, which would read as a project never saved.
    static bool isReservedForSaveAs(const QString& fileName);

    // The backup folder for a project file at a moment: the stem, then the local date and time
    // as "dd-mm-yy @ hh.mm.ss AM" on the 12-hour clock in brackets, as in
    // "Novel (03-03-09 @ 02.05.09 PM)".
    static QString backupFolderName(const QString& projectFileName, const QDateTime& when);
};
