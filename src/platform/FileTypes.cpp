#include "platform/FileTypes.h"

#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString kProjectMime = QStringLiteral("application/x-kerfa-project");
const QString kSheetMime = QStringLiteral("application/x-kerfa-sheet");

QString dataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

QString iconName(const QString& mime) {
    return QString(mime).replace(u'/', u'-');
}

void copyIcon(const QString& source, const QString& name, const QString& context) {
    if (!QFile::exists(source))
        return;
    const QString target = dataHome() + QStringLiteral("/icons/hicolor/scalable/") + context +
                           u'/' + name + QStringLiteral(".svg");
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    QFile::copy(source, target);
}

// The desktop's caches are refreshed in the background: a missing or slow tool never holds up
// the start.
void refresh(const QString& tool, const QString& folder) {
    Shell::current().startTool(tool, {folder});
}

QByteArray mimePackage() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>Kerfa Project</comment>\n"
               "    <icon name=\"%2\"/>\n"
               "    <glob pattern=\"*.kerfa\"/>\n"
               "  </mime-type>\n"
               "  <mime-type type=\"%3\">\n"
               "    <comment>Kerfa File</comment>\n"
               "    <icon name=\"%4\"/>\n"
               "    <glob pattern=\"*.kfa\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(kProjectMime, iconName(kProjectMime), kSheetMime, iconName(kSheetMime))
        .toUtf8();
}

} // namespace

QString FileTypes::execLine(const QString& executable) {
    return u'"' + executable + QStringLiteral("\" %f");
}

QString FileTypes::desktopEntryPath() {
    return dataHome() + QStringLiteral("/applications/kerfa.desktop");
}

QString FileTypes::mimePackagePath() {
    return dataHome() + QStringLiteral("/mime/packages/kerfa.xml");
}

void FileTypes::registerFileTypes(const QString& executable, const QString& programFolder) {
    const QString entryPath = desktopEntryPath();
    const QString exec = execLine(executable);

    if (QFile::exists(entryPath)) {
        // Already registered: only a moved executable is written again; icons stay as they were.
        // Desktop entries end their lines with LF alone, so the line is edited here by hand.
        QFile file(entryPath);
        if (!file.open(QIODevice::ReadOnly))
            return;
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        const QByteArray wanted = "Exec=" + exec.toUtf8();
        bool changed = false;
        for (QByteArray& line : lines) {
            if (line.startsWith("Exec=") && line != wanted) {
                line = wanted;
                changed = true;
            }
        }
        if (changed && writeFile(entryPath, lines.join('\n')))
            refresh(QStringLiteral("update-desktop-database"), QFileInfo(entryPath).absolutePath());
        return;
    }

    writeFile(mimePackagePath(), mimePackage());
    copyIcon(programFolder + QStringLiteral("project.svg"), iconName(kProjectMime),
             QStringLiteral("mimetypes"));
    copyIcon(programFolder + QStringLiteral("kerfa.svg"), iconName(kSheetMime),
             QStringLiteral("mimetypes"));
    copyIcon(programFolder + QStringLiteral("kerfa-app.svg"), QStringLiteral("kerfa"),
             QStringLiteral("apps"));

    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Kerfa\n"
                                         "GenericName=Writing Organiser\n"
                                         "Comment=Lay out your book on a desk of sheets\n"
                                         "Exec=%1\n"
                                         "Icon=kerfa\n"
                                         "Terminal=false\n"
                                         "Categories=Office;WordProcessor;\n"
                                         "MimeType=%2;\n")
                              .arg(exec, kProjectMime);
    writeFile(entryPath, entry.toUtf8());

    refresh(QStringLiteral("update-mime-database"), dataHome() + QStringLiteral("/mime"));
    refresh(QStringLiteral("update-desktop-database"), QFileInfo(entryPath).absolutePath());
}
