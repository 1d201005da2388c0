#include "compile/CompilationFile.h"

#include "common/AsciiCase.h"
#include "common/FileWriter.h"
#include "common/IniFile.h"
#include "compile/Utf8Text.h"
#include "editor/SheetText.h"
#include "project/SheetNames.h"

#include <QFileInfo>

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

// Without the blanks and control characters at either end.
QString trimmed(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from].unicode() <= 0x20)
        ++from;
    while (to > from && text[to - 1].unicode() <= 0x20)
        --to;
    return text.sliced(from, to - from);
}

} // namespace

QString CompilationFile::path(const QString& projectFolder) {
    return SheetNames::textFile(projectFolder, QStringLiteral("Compilation"));
}

bool CompilationFile::isCompilationName(QStringView name) {
    return AsciiCase::equal(name, u"compilation");
}

std::optional<QByteArray> CompilationFile::compose(const QStringList& names, Include include,
                                                   const Source& source) {
    QByteArray out;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (isCompilationName(name))
            continue;
        const std::optional<Sheet> sheet = source(name, include);
        if (!sheet)
            return std::nullopt;
        if (include.descriptions && sheet->description) {
            QString description = trimmed(*sheet->description);
            if (description.isEmpty())
                description = QStringLiteral("No Description.");
            out += (name + QStringLiteral(": ") + description).toUtf8();
            out += kCrLf + kCrLf;
        }
        if (include.content && sheet->text) {
            const QByteArrayView text = Utf8Text::trimmed(*sheet->text);
            if (text.isEmpty())
                out += (name + QStringLiteral(": No Content.")).toUtf8();
            else
                out += text;
            out += kCrLf;
            // Texts are kept apart by two empty lines; none follow the list's last entry.
            if (i < names.size() - 1)
                out += kCrLf + kCrLf;
        }
    }
    return out;
}

std::optional<CompilationFile::Sheet>
CompilationFile::readFiles(const QString& projectFolder, const QString& name, Include include) {
    Sheet sheet;
    if (include.descriptions) {
        const QString file = SheetNames::sheetFile(projectFolder, name);
        if (QFileInfo::exists(file))
            sheet.description = IniFile(file).readString(u"Description", u"Text");
    }
    if (include.content) {
        bool missing = false;
        std::optional<QByteArray> text =
            Utf8Text::read(SheetNames::textFile(projectFolder, name), &missing);
        if (!text && !missing)
            return std::nullopt;
        if (text)
            sheet.text = Utf8Text::toCrLf(std::move(*text));
    }
    return sheet;
}

bool CompilationFile::write(const QString& projectFolder, const QByteArray& bytes, mode_t mode) {
    const QString file = path(projectFolder);
    return !SheetText::isLinked(file) && FileWriter::write(file, bytes, mode);
}

mode_t CompilationFile::modeOfTexts(const QString& projectFolder, const QStringList& names) {
    mode_t mode = 0066;
    bool any = false;
    for (const QString& name : names) {
        if (isCompilationName(name))
            continue;
        if (const mode_t text = FileWriter::modeOf(SheetNames::textFile(projectFolder, name))) {
            mode &= text;
            any = true;
        }
    }
    // The writer reads and writes what they made, whatever the texts allow them.
    return any ? (mode & 0066) | 0600 : 0;
}
