#include "common/ShippedFiles.h"

#include "common/FileReader.h"
#include "common/FileWriter.h"
#include "common/Folders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

const QString ShippedFiles::kListName = QStringLiteral("Shipped.sha256");

namespace {

// Shipped files that are copied are small: help pages, themes, examples.
constexpr FileReader::Limits kCopied{.maxBytes = 64 * 1024 * 1024};
constexpr FileReader::Limits kList{.maxBytes = 4 * 1024 * 1024};

// The folders every program folder has, also when nothing is shipped in them.
const QStringList kFolders = {
    QStringLiteral("Backups"),   QStringLiteral("Spelling"),  QStringLiteral("Thesaurus"),
    QStringLiteral("Templates"), QStringLiteral("Languages"), QStringLiteral("Themes"),
    QStringLiteral("Examples"),
};

bool staysInside(const QString& relative) {
    if (relative.isEmpty() || relative.startsWith(u'/'))
        return false;
    const QStringList parts = relative.split(u'/');
    for (const QString& part : parts) {
        if (part.isEmpty() || part == u"." || part == u"..")
            return false;
    }
    return true;
}

// The checksum of a file as the list writes it; empty when it cannot be read.
QByteArray checksum(const QString& path) {
    FileReader::Status status = FileReader::Status::Ok;
    const QByteArray bytes = FileReader::read(path, kCopied, &status);
    if (status != FileReader::Status::Ok)
        return {};
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool copyFile(const QString& from, const QString& to) {
    FileReader::Status status = FileReader::Status::Ok;
    const QByteArray bytes = FileReader::read(from, kCopied, &status);
    return status == FileReader::Status::Ok && Folders::makePath(QFileInfo(to).absolutePath()) &&
           FileWriter::write(to, bytes);
}

// A link the user has not replaced by a file of their own points at the shipped file.
bool linkFile(const QString& target, const QString& at) {
    const QFileInfo existing(at);
    if (existing.isSymLink()) {
        if (existing.symLinkTarget() == QFileInfo(target).absoluteFilePath())
            return true;
        QFile::remove(at);
    } else if (existing.exists()) {
        return true;
    }
    return Folders::makePath(existing.absolutePath()) && QFile::link(target, at);
}

void keep(QString& failed, const QString& path) {
    if (failed.isEmpty())
        failed = path;
}

} // namespace

QMap<QString, QByteArray> ShippedFiles::parse(const QByteArray& list) {
    QMap<QString, QByteArray> files;
    for (QByteArray line : list.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // "<64 hex digits><blank><blank or *><path>"
        if (line.size() < 67 || line[64] != ' ' || (line[65] != ' ' && line[65] != '*'))
            continue;
        const QByteArray hash = line.left(64).toLower();
        if (QByteArray::fromHex(hash).toHex() != hash)
            continue;
        const QString relative = QString::fromUtf8(line.mid(66));
        if (staysInside(relative))
            files.insert(relative, hash);
    }
    return files;
}

bool ShippedFiles::isLinked(const QString& relativePath) {
    const QString lower = relativePath.toLower();
    return (lower.startsWith(u"spelling/") && lower.endsWith(u".adm")) ||
           (lower.startsWith(u"thesaurus/") && lower.endsWith(u".adt"));
}

QString ShippedFiles::update(const QString& shipped, const QString& user) {
    QString failed;
    // Backups of whole books, custom dictionaries and settings are the user's alone: the folder
    // is made private, and so is one an earlier version made open to all.
    const QByteArray native = QFile::encodeName(QDir::cleanPath(user));
    if (!Folders::makePath(QFileInfo(QDir::cleanPath(user)).path()) ||
        (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) || !Folders::makePrivate(user))
        return user;
    for (const QString& folder : kFolders) {
        if (!Folders::makePath(user + folder))
            keep(failed, user + folder);
    }
    if (!failed.isEmpty())
        return failed;

    const QByteArray newList = FileReader::read(shipped + kListName, kList);
    const QByteArray oldList = FileReader::read(user + kListName, kList);
    if (newList.isEmpty() || newList == oldList)
        return {};
    const QMap<QString, QByteArray> now = parse(newList);
    const QMap<QString, QByteArray> before = parse(oldList);

    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const QString& relative = it.key();
        const QString from = shipped + relative;
        const QString to = user + relative;
        if (isLinked(relative)) {
            if (!linkFile(from, to))
                keep(failed, to);
            continue;
        }
        if (before.value(relative) == it.value())
            continue;
        const QFileInfo target(to);
        bool replace = false;
        if (!target.exists() && !target.isSymLink()) {
            // Added in this version; a file the user removed stays removed.
            replace = !before.contains(relative);
        } else {
            const QByteArray current = checksum(to);
            replace =
                !current.isEmpty() && current != it.value() && current == before.value(relative);
        }
        if (replace && !copyFile(from, to))
            keep(failed, to);
    }

    // Links to data this version no longer ships would point nowhere.
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QFileInfo link(user + it.key());
        if (isLinked(it.key()) && !now.contains(it.key()) && link.isSymLink() && !link.exists())
            QFile::remove(link.filePath());
    }

    if (failed.isEmpty() && !FileWriter::write(user + kListName, newList))
        keep(failed, user + kListName);
    return failed;
}
