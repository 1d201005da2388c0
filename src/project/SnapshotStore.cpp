#include "project/SnapshotStore.h"

#include "common/FileReader.h"
#include "common/FileWriter.h"
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

} // namespace

QString SnapshotStore::folderOf(const QString& sheetName) const {
    return m_projectFolder + folderName() + u'/' + sheetName + u'/';
}

QList<SnapshotStore::Entry> SnapshotStore::list(const QString& sheetName) const {
    QList<Entry> entries;
    if (!usable(sheetName))
        return entries;
    const QDir dir(folderOf(sheetName));
    for (const QString& file : dir.entryList({u'*' + kExtension}, QDir::Files))
        if (const std::optional<QDateTime> taken = takenAt(file))
            entries.append({dir.filePath(file), *taken});
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.taken > b.taken; });
    return entries;
}

std::optional<QString> SnapshotStore::take(const QString& sheetName, const QString& text,
                                           const QDateTime& when) const {
    const QString folder = folderOf(sheetName);
    if (!usable(sheetName) || !QDir().mkpath(folder))
        return std::nullopt;
    // Two snapshots within one millisecond (a restore right after a replace) both stay.
    QDateTime at = when;
    QString path;
    for (;; at = at.addMSecs(1)) {
        path = folder + at.toString(kStamp) + kExtension;
        if (!QFileInfo::exists(path))
            break;
    }
    if (!FileWriter::write(path, TextCodec::encode(TextCodec::toCrLf(text))))
        return std::nullopt;
    return path;
}

bool SnapshotStore::takeDaily(const QString& sheetName, const QDateTime& now) const {
    const QList<Entry> entries = list(sheetName);
    if (std::any_of(entries.cbegin(), entries.cend(),
                    [&](const Entry& e) { return e.taken.date() == now.date(); }))
        return false;
    const std::optional<QString> text =
        read(m_projectFolder + QStringLiteral("Text Files/") + sheetName + kExtension);
    return text && !text->isEmpty() && take(sheetName, *text, now);
}

std::optional<QString> SnapshotStore::read(const QString& path) {
    FileReader::Limits limits;
    limits.maxBytes = kMaxBytes;
    FileReader::Status status = FileReader::Status::Failed;
    const QByteArray bytes = FileReader::read(path, limits, &status);
    if (status != FileReader::Status::Ok)
        return std::nullopt;
    return TextCodec::toCrLf(TextCodec::decode(bytes));
}

void SnapshotStore::renameSheet(const QString& oldName, const QString& newName) const {
    if (!usable(oldName) || !usable(newName) || oldName == newName)
        return;
    const QString from = folderOf(oldName);
    const QString to = folderOf(newName);
    if (!QFileInfo(from).isDir())
        return;
    // A change of letter case alone, or a name nobody used: the folder moves whole.
    if (!QFileInfo::exists(to) || from.compare(to, Qt::CaseInsensitive) == 0) {
        QDir().rename(from, to);
        return;
    }
    const QDir dir(from);
    for (const QString& file : dir.entryList(QDir::Files))
        if (!QFileInfo::exists(to + file))
            QFile::rename(dir.filePath(file), to + file);
    QDir().rmdir(from);
}

void SnapshotStore::removeSheet(const QString& sheetName) const {
    if (!usable(sheetName))
        return;
    QDir(folderOf(sheetName)).removeRecursively();
}
