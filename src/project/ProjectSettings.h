#pragma once

#include <QString>

class IniFile;

// The project file: the workspace size, whether first-type labels are bold, the theme, and the
// book's language.
struct ProjectSettings {
    int workspaceSize = 0;
    bool boldBaseType = true;
    QString theme = QStringLiteral("Book.ini");
    // [Book] Language, a language tag ("en-US"); empty, and absent from the file, when the book
    // leaves the language to the program's spelling settings.
    QString language;

    // Sizes other than 1 (double) and 2 (quadruple) read as 0 (normal).
    static ProjectSettings read(const IniFile& file);
    void write(IniFile& file) const;
};
