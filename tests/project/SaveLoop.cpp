// The writer the kill test kills: saves a project again and again through the program's own save
// code, alternating between two versions of every file, until it is killed.
//
//   kerfa_save_loop FOLDER          saves versions 0, 1, 0, 1, ... for ever
//   kerfa_save_loop FOLDER VERSION  saves that version (0 or 1) once
//
// FOLDER holds "Book.kerfa", "Kerfa Files/" and "Text Files/".

#include "common/FileWriter.h"
#include "common/IniFile.h"
#include "project/ProjectSettings.h"
#include "project/SheetRecord.h"

#include <QString>

namespace {

constexpr int kSheets = 4;

bool save(const QString& folder, int version) {
    IniFile project(folder + QStringLiteral("Book.kerfa"));
    ProjectSettings settings;
    settings.workspaceSize = version;
    settings.boldBaseType = version == 0;
    settings.write(project);
    bool ok = project.save();
    for (int i = 1; i <= kSheets; ++i) {
        const QString name = QStringLiteral("Sheet %1").arg(i);
        IniFile sheet(folder + QStringLiteral("Kerfa Files/") + name + QStringLiteral(".kfa"));
        SheetRecord record;
        record.left = 100 + version;
        record.top = 100 * i;
        // The versions differ in length, so that a cut file never passes for either.
        record.description = version == 0 ? QStringLiteral("Short.") : QString(200, u'w');
        record.write(sheet);
        ok = sheet.save() && ok;
    }
    // A chapter's text, as the editor saves it.
    const QByteArray text = QByteArray(version == 0 ? 3000 : 20000, 't') + "\r\n";
    return FileWriter::write(folder + QStringLiteral("Text Files/Sheet 1.txt"), text) && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    QString folder = QString::fromLocal8Bit(argv[1]);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    if (argc > 2)
        return save(folder, QString::fromLocal8Bit(argv[2]).toInt()) ? 0 : 1;
    for (int version = 0;; version ^= 1)
        save(folder, version);
}
