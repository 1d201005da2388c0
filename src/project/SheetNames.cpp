#include "project/SheetNames.h"

#include "common/AsciiCase.h"
#include "project/ProjectNames.h"

#include <QDir>
#include <QFile>

namespace {

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Whether the folder holds a file named `fileName` in any letter case, other than `own` (the
// file of the sheet being renamed, in its exact letters).
bool holdsOther(const QString& folder, const QString& fileName, const QString& own) {
    const QStringList entries = QDir(folder).entryList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (sameName(entry, fileName) && entry != own)
            return true;
    return false;
}

} // namespace

bool SheetNames::isForbidden(QChar c) {
    switch (c.unicode()) {
    case u'"':
    case u'*':
    case u'/':
    case u':':
    case u'<':
    case u'>':
    case u'?':
    case u'\\':
    case u'|':
        return true;
    default:
        return false;
    }
}

QString SheetNames::withoutForbidden(const QString& name) {
    QString result;
    result.reserve(name.size());
    for (const QChar c : name)
        if (!isForbidden(c))
            result += c;
    return result;
}

QString SheetNames::NormalizeName(const QString& name) {
    QString result;
    result.reserve(name.size());
    bool blank = false;
    for (const QChar c : name) {
        if (isBlank(c)) {
            blank = !result.isEmpty();
            continue;
        }
        if (blank)
            result += u' ';
        blank = false;
        result += c;
    }
    return result;
}

QString SheetNames::sheetFile(const QString& projectFolder, const QString& name) {
    return projectFolder + QStringLiteral("Kerfa Files/") + name + ProjectNames::sheetExtension();
}

QString SheetNames::textFile(const QString& projectFolder, const QString& name) {
    return projectFolder + QStringLiteral("Text Files/") + name + QStringLiteral(".txt");
}

SheetNames::Verdict SheetNames::check(const QString& name, const QString& oldName,
                                      const QString& projectFolder) {
    if (AsciiCase::equal(name, u"Compilation"))
        return Verdict::NotCompilation;
    const bool renaming = !oldName.isEmpty();
    const QString sheets = projectFolder + QStringLiteral("Kerfa Files/");
    const QString texts = projectFolder + QStringLiteral("Text Files/");
    const QString sheetExtension = ProjectNames::sheetExtension();
    const QString textExtension = QStringLiteral(".txt");
    if (renaming && sameName(name, oldName)) {
        // The same sheet in other letters: its own files move, but never onto a file of
        // another sheet that differs from it only in letter case.
        if (name != oldName &&
            (holdsOther(sheets, name + sheetExtension, oldName + sheetExtension) ||
             holdsOther(texts, name + textExtension, oldName + textExtension)))
            return Verdict::Taken;
        return Verdict::Accept;
    }
    if (name.isEmpty() || AsciiCase::equal(name, u"unnamed"))
        return Verdict::UniqueName;
    if (holdsOther(sheets, name + sheetExtension, {}))
        return Verdict::Taken;
    // A renamed sheet takes its text along; a text file already there would be another's.
    if (renaming && holdsOther(texts, name + textExtension, {}))
        return Verdict::Taken;
    return Verdict::Accept;
}

void SheetNames::renameFiles(const QString& projectFolder, const QString& oldName,
                             const QString& newName) {
    if (oldName.isEmpty() || oldName == newName)
        return;
    // QFile::rename never replaces an existing file.
    QFile::rename(sheetFile(projectFolder, oldName), sheetFile(projectFolder, newName));
    QFile::rename(textFile(projectFolder, oldName), textFile(projectFolder, newName));
}
