#pragma once

#include <QString>

// The program folder: where the executable lives beside Themes/, Languages/, Spelling/ and the
// rest. The environment variable KERFA_HOME overrides it (tests use a temporary folder).
class ProgramFolder {
public:
    // With a trailing "/".
    static QString path();
    // A sub-folder of the program folder, with a trailing "/".
    static QString sub(const QString& name);
};
