#pragma once

#include <QString>

// The program folder: where Kerfa keeps Kerfa.ini beside Themes/, Languages/, Spelling/,
// Backups/ and the rest. A Kerfa run from its build tree uses the executable's own folder; an
// installed Kerfa (its data read-only in ../share/kerfa beside bin/) gives every user a folder
// of their own, $XDG_DATA_HOME/kerfa, seeded from the shipped data. The environment variable
// KERFA_HOME overrides both (tests use a temporary folder).
class ProgramFolder {
public:
    // With a trailing "/".
    static QString path();
    // A sub-folder of the program folder, with a trailing "/".
    static QString sub(const QString& name);
    // Removes what killed saves left in the program folder and the folders in it (settings,
    // spelling configuration, custom dictionaries, shipped files brought in step). Returns how
    // many files were removed.
    static int removeLeftovers();

    // The shipped read-only data of an installed Kerfa (with a trailing "/"), or an empty string
    // when Kerfa runs from its build tree.
    static QString shippedData();
    // The user's own program folder of an installed Kerfa, with a trailing "/".
    static QString userFolder();

    // The rules above for given places, without looking at the process: kerfaHome is the
    // variable's value, shippedData what shippedDataBeside found, dataHome the user's data folder.
    static QString resolve(const QString& kerfaHome, const QString& executableFolder,
                           const QString& shippedData, const QString& dataHome);
    // ../share/kerfa of an executable's folder when it holds the list of shipped files.
    static QString shippedDataBeside(const QString& executableFolder);
};
