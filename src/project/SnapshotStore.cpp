#include "project/SnapshotStore.h"

#include "common/FileReader.h"
#include "common/FileWriter.h"
#include "common/Folders.h"
#include "common/LinkSafe.h"
#include "common/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kStamp = QStringLiteral("yyyy-MM-dd hh.mm.ss.zzz");
const QString kExtension = QStringLiteral(".txt");
// Snapshots are texts the writer wrote: the same bound as for the texts themselves.
constexpr qint64 kMaxBytes = 128 * 1024 * 1024;

std::optional<QDateTime> takenAt(const QString& fileName) {
    if (!fileName.endsWith(kExtension))
        return std::nullopt;
    const QDateTime taken = QDateTime::fromString(fileName.chopped(kExtension.size()), kStamp);
    if (!taken.isValid())
        return std::nullopt;
    return taken;
}

// "." and ".." would name the folders above a sheet's own.
bool usable(const QString& sheetName) {
    return !sheetName.isEmpty() && sheetName != u"." && sheetName != u"..";
}

// A snapshot, its sheet's folder or "Snapshots" that is a link leads out of the book: nothing
// there is read, written or deleted through it.
constexpr int kSnapshotLevels = 3;
constexpr int kFolderLevels = 2;
constexpr int kTextLevels = 2;

std::optional<QString> readText(const QString& path, int levels) {
    if (LinkSafe::crossesLink(path, levels))
        return std::nullopt;
    FileReader::Limits limits;
    limits.maxBytes = kMaxBytes;
    limits.links = FileReader::Links::Refuse;
    FileReader::Status status = FileReader::Status::Failed;
    const QByteArray bytes = FileReader::read(path, limits, &status);
    if (status != FileReader::Status::Ok)
        return std::nullopt;
    return TextCodec::toCrLf(TextCodec::decode(bytes));
}

} // namespace

QString SnapshotStore::folderOf(const QString& sheetName) const {
    return m_projectFolder + folderName() + u'/' + sheetName + u'/';
}

QList<SnapshotStore::Entry> SnapshotStore::list(const QString& sheetName) const {
    QList<Entry> entries;
    if (!usable(sheetName) || LinkSafe::crossesLink(folderOf(sheetName), kFolderLevels))
        return entries;
    const QDir dir(folderOf(sheetName));
    for (const QString& file : dir.entryList({u'*' + kExtension}, QDir::Files | QDir::NoSymLinks))
        if (const std::optional<QDateTime> taken = takenAt(file))
            entries.append({dir.filePath(file), *taken});
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.taken > b.taken; });
    return entries;
}

std::optional<QString> SnapshotStore::take(const QString& sheetName, const QString& text,
                                           const QDateTime& when) const {
    const QString folder = folderOf(sheetName);
    if (!usable(sheetName) || LinkSafe::crossesLink(folder, kFolderLevels) ||
        !Folders::makePath(folder))
        return std::nullopt;
    // Two snapshots within one millisecond (a restore right after a replace) both stay.
    QDateTime at = when;
    QString path;
    for (;; at = at.addMSecs(1)) {
        path = folder + at.toString(kStamp) + kExtension;
        if (!QFileInfo::exists(path))
            break;
    }
    // A snapshot is as private as the text it keeps; the writer reads and writes it.
    const mode_t textMode = FileWriter::modeOf(m_projectFolder + QStringLiteral("Text Files/") +
                                               sheetName + kExtension);
    const mode_t mode = textMode != 0 ? (textMode & 0066) | 0600 : 0;
    if (!FileWriter::write(path, TextCodec::encode(TextCodec::toCrLf(text)), mode))
        return std::nullopt;
    return path;
}

SnapshotStore::Daily SnapshotStore::takeDaily(const QString& sheetName,
                                              const QDateTime& now) const {
    const QList<Entry> entries = list(sheetName);
    if (std::any_of(entries.cbegin(), entries.cend(),
                    [&](const Entry& e) { return e.taken.date() == now.date(); }))
        return Daily::NotNeeded;
    const std::optional<QString> text = readText(
        m_projectFolder + QStringLiteral("Text Files/") + sheetName + kExtension, kTextLevels);
    if (!text || text->isEmpty())
        return Daily::NotNeeded;
    return take(sheetName, *text, now) ? Daily::Taken : Daily::Failed;
}

std::optional<QString> SnapshotStore::read(const QString& path) {
    return readText(path, kSnapshotLevels);
}

void SnapshotStore::renameSheet(const QString& oldName, const QString& newName) const {
    if (!usable(oldName) || !usable(newName) || oldName == newName)
        return;
    const QString from = folderOf(oldName);
    const QString to = folderOf(newName);
    // A link at "Snapshots" would move files elsewhere; one at the sheet's folder moves as it is.
    if (LinkSafe::crossesLink(m_projectFolder + folderName(), 1) || !QFileInfo(from).isDir())
        return;
    // A change of letter case alone, or a name nobody used: the folder moves whole (named
    // without the trailing "/", which would move what a link there points at).
    if (!QFileInfo::exists(to) || from.compare(to, Qt::CaseInsensitive) == 0) {
        QDir().rename(from.chopped(1), to.chopped(1));
        return;
    }
    if (QFileInfo(from).isSymLink())
        return;
    const QDir dir(from);
    for (const QString& file : dir.entryList(QDir::Files))
        if (!QFileInfo::exists(to + file))
            QFile::rename(dir.filePath(file), to + file);
    QDir().rmdir(from);
}

void SnapshotStore::removeSheet(const QString& sheetName) const {
    // Within a "Snapshots" that is a link nothing is the book's; a sheet's folder that is a link
    // goes as a link.
    if (!usable(sheetName) || LinkSafe::crossesLink(m_projectFolder + folderName(), 1))
        return;
    LinkSafe::removeTree(folderOf(sheetName));
}
