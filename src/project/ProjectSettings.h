#pragma once

#include <QString>

class IniFile;

// The project file: the workspace size, whether first-type labels are bold, and the theme.
struct ProjectSettings {
    int workspaceSize = 0;
    bool boldBaseType = true;
    QString theme = QStringLiteral("Book.ini");

    // Sizes other than 1 (double) and 2 (quadruple) read as 0 (normal).
    static ProjectSettings read(const IniFile& file);
    void write(IniFile& file) const;
};
