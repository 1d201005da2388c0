#include "platform/FileTypes.h"

#include "common/FileReader.h"
#include "common/FileWriter.h"
#include "platform/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kProjectMime = QStringLiteral("application/x-kerfa-project");
const QString kSheetMime = QStringLiteral("application/x-kerfa-sheet");

QString dataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// Desktop entries, packages and icons are small; anything larger is not one.
constexpr FileReader::Limits kLimits{.maxBytes = 1024 * 1024};

// Writes one of the registration's files; the first that could not be written is kept in failed.
bool writeFile(const QString& path, const QByteArray& bytes, QString& failed) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (FileWriter::write(path, bytes))
        return true;
    if (failed.isEmpty())
        failed = path;
    return false;
}

// A shipped icon the program folder lacks is not installed, and that is no failure.
void copyIcon(const QString& source, const QString& name, const QString& context, QString& failed) {
    FileReader::Status status = FileReader::Status::Ok;
    const QByteArray bytes = FileReader::read(source, kLimits, &status);
    if (status == FileReader::Status::Ok)
        writeFile(dataHome() + QStringLiteral("/icons/hicolor/scalable/") + context + u'/' + name +
                      QStringLiteral(".svg"),
                  bytes, failed);
}

QString iconName(const QString& mime) {
    return QString(mime).replace(u'/', u'-');
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

QString FileTypes::registerFileTypes(const QString& executable, const QString& programFolder) {
    const QString entryPath = desktopEntryPath();
    const QString exec = execLine(executable);
    QString failed;

    FileReader::Status status = FileReader::Status::Ok;
    const QByteArray entryBytes = FileReader::read(entryPath, kLimits, &status);
    if (status != FileReader::Status::Missing) {
        // Already registered: only a moved executable is written again; icons stay as they were.
        // Desktop entries end their lines with LF alone, so the line is edited here by hand.
        // An entry that cannot be read is left as it is.
        if (status != FileReader::Status::Ok)
            return {};
        QList<QByteArray> lines = entryBytes.split('\n');
        const QByteArray wanted = "Exec=" + exec.toUtf8();
        bool changed = false;
        for (QByteArray& line : lines) {
            if (line.startsWith("Exec=") && line != wanted) {
                line = wanted;
                changed = true;
            }
        }
        if (changed && writeFile(entryPath, lines.join('\n'), failed))
            refresh(QStringLiteral("update-desktop-database"), QFileInfo(entryPath).absolutePath());
        return failed;
    }

    writeFile(mimePackagePath(), mimePackage(), failed);
    copyIcon(programFolder + QStringLiteral("project.svg"), iconName(kProjectMime),
             QStringLiteral("mimetypes"), failed);
    copyIcon(programFolder + QStringLiteral("kerfa.svg"), iconName(kSheetMime),
             QStringLiteral("mimetypes"), failed);
    copyIcon(programFolder + QStringLiteral("kerfa-app.svg"), QStringLiteral("kerfa"),
             QStringLiteral("apps"), failed);

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
    writeFile(entryPath, entry.toUtf8(), failed);

    refresh(QStringLiteral("update-mime-database"), dataHome() + QStringLiteral("/mime"));
    refresh(QStringLiteral("update-desktop-database"), QFileInfo(entryPath).absolutePath());
    return failed;
}
