#pragma once

#include "support/ScriptedPlatform.h"

#include <QString>
#include <QTemporaryDir>

// A private world for one test program: HOME, the XDG folders and the program folder
// (KERFA_HOME) all point into one temporary folder, so no test touches the user's files and no
// two test programs meet. Set up before the application object is made.
class TestEnvironment {
public:
    TestEnvironment();

    QString root() const { return m_root.path() + u'/'; }
    // The temporary program folder, with a trailing "/"; empty at first.
    QString programFolder() const { return root() + QStringLiteral("program/"); }
    // Copies a folder of the built program folder (e.g. "Themes") into the temporary one.
    void installFromBuild(const QString& folder) const;
    // Copies the shipped sample book to a fresh folder; returns the project file's path.
    QString copySample(const QString& into) const;

    static QString builtProgramFolder() { return QStringLiteral(KERFA_PROGRAM_DIR "/"); }
    static QString sourceFolder() { return QStringLiteral(KERFA_SOURCE_DIR "/"); }

    static bool copyTree(const QString& from, const QString& to);

    // Nothing is launched on the desktop while tests run.
    RecordingShell shell;

private:
    QTemporaryDir m_root;
};
