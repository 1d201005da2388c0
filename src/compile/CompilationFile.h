#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <sys/types.h>

// The compilation: for each sheet of the compilation list, in the list's order, its name and
// description, its text, or both, written into "Text Files/Compilation.txt" of the project, the
// text of the Compilation sheet. Every line ends in CR LF; the file is replaced whole.
class CompilationFile {
public:
    // What a compilation takes of each sheet; at least one of the two.
    struct Include {
        bool descriptions = true;
        bool content = false;
    };
    // What one sheet gives: none where it has no such file (no sheet file, no text file), so
    // that part is left out. The text is UTF-8 with CR LF line breaks.
    struct Sheet {
        std::optional<QString> description;
        std::optional<QByteArray> text;
    };
    // One sheet's parts, only those asked for; none when a file that exists cannot be read.
    using Source = std::function<std::optional<Sheet>(const QString& name, Include include)>;

    static QString path(const QString& projectFolder);
    // "compilation" in any letter case of A to Z: such an entry is never compiled.
    static bool isCompilationName(QStringView name);

    // The compilation's bytes, UTF-8; empty when no entry gave anything. None when a sheet could
    // not be read.
    static std::optional<QByteArray> compose(const QStringList& names, Include include,
                                             const Source& source);
    // A sheet's parts as its files hold them: the description of its sheet file, the text of
    // its text file.
    static std::optional<Sheet> readFiles(const QString& projectFolder, const QString& name,
                                          Include include);
    // Replaces the compilation file through the one save path, with the permission bits given
    // (0: the usual ones); false, with the old file as it was, when it cannot be written (a
    // project without its "Text Files/" folder too).
    static bool write(const QString& projectFolder, const QByteArray& bytes, mode_t mode = 0);
    // The permissions a file made from the texts of these sheets takes: its owner's to read and
    // write, and others' no more than every one of the text files allows them (0 when none has a
    // text file).
    static mode_t modeOfTexts(const QString& projectFolder, const QStringList& names);
};
