#include "project/RecoveryStore.h"

#include "common/AtomicFile.h"
#include "common/Cp1252.h"
#include "common/FileReader.h"
#include "common/FileWriter.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"
#include "project/ProjectNames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kBookFile = QStringLiteral("book.ini");
const QString kExtension = QStringLiteral(".txt");
// A book folder name keeps this much of the book's own name, which only helps a person find it.
constexpr qsizetype kNameLength = 48;
// Book folders whose digits clash are numbered on; this many is more than any machine meets.
constexpr int kMaxClashes = 100;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString withSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString recordedFolder(const QString& bookFolder) {
    const QString folder = IniFile(bookFolder + kBookFile).readString(u"Book", u"Folder").trimmed();
    return folder.isEmpty() ? QString() : withSlash(folder);
}

// The sub-folders that are runs (folders being made have names beginning with a dot).
QStringList runFolders(const QString& bookFolder) {
    QStringList runs;
    const QDir dir(bookFolder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        runs << bookFolder + name + u'/';
    return runs;
}

QStringList copyFiles(const QString& runFolder) {
    QStringList files;
    const QDir dir(runFolder);
    for (const QString& name :
         dir.entryList({u'*' + kExtension}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        files << runFolder + name;
    return files;
}

// A book's folder that holds nothing but its book.ini goes.
void tidyBookFolder(const QString& bookFolder) {
    const QStringList left =
        QDir(bookFolder)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (left.isEmpty() || (left == QStringList{kBookFile} && QFile::remove(bookFolder + kBookFile)))
        QDir().rmdir(bookFolder);
}

// The folders that a run killed while making them left behind, a day or more ago.
void removeHalfMade(const QString& folder, const QDateTime& now) {
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(
             {QStringLiteral(".*.new*")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        if (info.lastModified() < now.addDays(-1) && !info.isSymLink())
            QDir(info.absoluteFilePath()).removeRecursively();
}

// Every missing folder of the path, made 0700.
bool makeFolders(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    const QStringList parts = clean.split(u'/');
    QString at;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        at += parts[i];
        if (!at.isEmpty() && ::mkdir(encoded(at).constData(), 0700) != 0 && errno != EEXIST)
            return false;
        at += u'/';
    }
    return true;
}

} // namespace

QString RecoveryStore::defaultRoot() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state) + QStringLiteral("/kerfa/recovery/");
}

QString RecoveryStore::canonicalFolder(const QString& projectFolder) {
    if (projectFolder.isEmpty())
        return {};
    const QString canonical = QFileInfo(projectFolder).canonicalFilePath();
    return withSlash(canonical.isEmpty()
                         ? QDir::cleanPath(QFileInfo(projectFolder).absoluteFilePath())
                         : canonical);
}

QString RecoveryStore::bookKey(const QString& canonicalFolder) {
    QString name = QFileInfo(QDir::cleanPath(canonicalFolder)).fileName();
    if (name.size() > kNameLength) {
        name.truncate(kNameLength);
        if (name.back().isHighSurrogate())
            name.chop(1);
    }
    if (name.isEmpty())
        name = QStringLiteral("book");
    // Never a hidden folder, which would read as one being made.
    if (name.front() == u'.')
        name.front() = u'_';
    const QByteArray digest =
        QCryptographicHash::hash(canonicalFolder.toUtf8(), QCryptographicHash::Sha256);
    return name + u'-' + QString::fromLatin1(digest.toHex().left(16));
}

QString RecoveryStore::bookFolder(const QString& projectFolder) const {
    const QString canonical = canonicalFolder(projectFolder);
    if (canonical.isEmpty())
        return {};
    const QString base = m_root + bookKey(canonical);
    for (int n = 1; n <= kMaxClashes; ++n) {
        const QString candidate = (n == 1 ? base : base + u'-' + QString::number(n)) + u'/';
        if (!QFileInfo::exists(candidate) || recordedFolder(candidate) == canonical)
            return candidate;
    }
    return {};
}

bool RecoveryStore::bookExists(const QString& projectFolder) {
    return !projectFolder.isEmpty() &&
           !QDir(projectFolder)
                .entryList({u'*' + ProjectNames::projectExtension()}, QDir::Files)
                .isEmpty();
}

QStringList RecoveryStore::bookFolders() const {
    QStringList books;
    const QDir dir(m_root);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        books << m_root + name + u'/';
    return books;
}

int RecoveryStore::lock(const QString& runFolder) {
    const int fd =
        ::open(encoded(runFolder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QList<RecoveryStore::Copy> RecoveryStore::ended(const QString& projectFolder) const {
    QStringList books;
    if (projectFolder.isEmpty()) {
        books = bookFolders();
    } else if (const QString book = bookFolder(projectFolder); QFileInfo(book).isDir()) {
        books << book;
    }
    QList<Copy> copies;
    for (const QString& book : books) {
        const QString recorded = recordedFolder(book);
        for (const QString& run : runFolders(book)) {
            const int fd = lock(run);
            if (fd < 0)
                continue;
            for (const QString& file : copyFiles(run)) {
                Copy copy = read(file);
                copy.projectFolder = recorded;
                copies << copy;
            }
            ::close(fd);
        }
    }
    std::stable_sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        if (a.projectFolder != b.projectFolder)
            return a.projectFolder < b.projectFolder;
        if (const int names = a.sheetName.compare(b.sheetName, Qt::CaseInsensitive))
            return names < 0;
        return a.kept > b.kept;
    });
    return copies;
}

RecoveryStore::Copy RecoveryStore::read(const QString& path) {
    Copy copy;
    copy.path = path;
    const QFileInfo info(path);
    copy.sheetName = info.fileName().chopped(kExtension.size());
    copy.kept = info.lastModified();
    FileReader::Limits limits;
    limits.maxBytes = kMaxBytes;
    limits.links = FileReader::Links::Refuse;
    FileReader::Status status = FileReader::Status::Failed;
    QByteArray bytes = FileReader::read(path, limits, &status);
    if (status != FileReader::Status::Ok)
        copy.state = Copy::State::Damaged;
    if (bytes.contains('\0')) {
        copy.state = Copy::State::Damaged;
        bytes.removeIf([](char c) { return c == '\0'; });
    }
    if (!kerfa::cp1252::isValidUtf8(std::string_view(bytes.constData(), size_t(bytes.size()))))
        copy.state = Copy::State::Damaged;
    // Whatever is not UTF-8 shows as the replacement character: the rest stays readable.
    copy.text = QString::fromUtf8(bytes);
    copy.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return copy;
}

RecoveryStore::Offer
RecoveryStore::offerFor(const Copy& copy, const QString& openFolder,
                        const std::function<bool(const QString&)>& sheetExists) {
    if (copy.state == Copy::State::Damaged)
        return Offer::Damaged;
    if (copy.projectFolder.isEmpty() || openFolder.isEmpty() ||
        copy.projectFolder != canonicalFolder(openFolder))
        return Offer::OtherBook;
    return sheetExists(copy.sheetName) ? Offer::Restore : Offer::SheetGone;
}

bool RecoveryStore::makeRoot() const {
    if (!makeFolders(m_root))
        return false;
    struct stat info {};
    if (::lstat(encoded(QDir::cleanPath(m_root)).constData(), &info) != 0 ||
        !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    return (info.st_mode & 07777) == 0700 ||
           ::chmod(encoded(QDir::cleanPath(m_root)).constData(), 0700) == 0;
}

QString RecoveryStore::makeBookFolder(const QString& projectFolder) const {
    const QString book = bookFolder(projectFolder);
    if (book.isEmpty() || QFileInfo(book).isDir())
        return book;
    // Made whole under a hidden name and then put in place, so that no book folder is ever seen
    // without its book.ini.
    const QString making = m_root + u'.' + QFileInfo(QDir::cleanPath(book)).fileName() +
                           QStringLiteral(".new-") + QString::number(::getpid());
    IniFile ini(making + u'/' + kBookFile);
    ini.writeString(u"Book", u"Folder", canonicalFolder(projectFolder));
    const bool made =
        ::mkdir(encoded(making).constData(), 0700) == 0 &&
        FileWriter::write(ini.path(), ini.serialize(), FileWriter::Access::Private) &&
        ::rename(encoded(making).constData(), encoded(QDir::cleanPath(book)).constData()) == 0;
    if (!made) {
        QFile::remove(ini.path());
        QDir().rmdir(making);
        // Another run may have made it meanwhile.
        return QFileInfo(book).isDir() && recordedFolder(book) == canonicalFolder(projectFolder)
                   ? book
                   : QString();
    }
    return book;
}

RecoveryStore::RunFolder RecoveryStore::makeRunFolder(const QString& bookFolder,
                                                      const QString& runName) {
    const QString making = bookFolder + u'.' + runName + QStringLiteral(".new");
    const QString run = bookFolder + runName;
    if (::mkdir(encoded(making).constData(), 0700) != 0)
        return {};
    // Locked before it is put in place, so that no other run ever takes it for an ended one.
    const int fd = lock(making);
    if (fd < 0 || ::rename(encoded(making).constData(), encoded(run).constData()) != 0) {
        if (fd >= 0)
            ::close(fd);
        QDir().rmdir(making);
        return {};
    }
    return {run + u'/', fd};
}

void RecoveryStore::removeRun(RunFolder& folder) {
    if (!folder.path.isEmpty()) {
        QDir(folder.path).removeRecursively();
        tidyBookFolder(withSlash(QFileInfo(QDir::cleanPath(folder.path)).absolutePath()));
    }
    if (folder.fd >= 0)
        ::close(folder.fd);
    folder = {};
}

QString RecoveryStore::copyPath(const QString& runFolder, const QString& sheetName) {
    return runFolder + sheetName + kExtension;
}

bool RecoveryStore::write(const QString& path, const QString& text) {
    return FileWriter::write(path, TextCodec::encode(TextCodec::toCrLf(text)),
                             FileWriter::Access::Private);
}

bool RecoveryStore::discard(const QString& path) {
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return false;
    const QString run = QFileInfo(path).absolutePath();
    QDir().rmdir(run);
    tidyBookFolder(withSlash(QFileInfo(run).absolutePath()));
    return true;
}

int RecoveryStore::prune(const QDateTime& now) const {
    int removed = 0;
    const QDateTime oldest = now.addDays(-kKeptDays);
    removeHalfMade(m_root, now);
    for (const QString& book : bookFolders()) {
        removeHalfMade(book, now);
        const QString recorded = recordedFolder(book);
        const bool gone = !bookExists(recorded);
        for (const QString& run : runFolders(book)) {
            const int fd = lock(run);
            if (fd < 0)
                continue;
            kerfa::AtomicFile::removeLeftovers(encoded(run).toStdString());
            if (gone)
                for (const QString& file : copyFiles(run))
                    if (QFileInfo(file).lastModified() < oldest && QFile::remove(file))
                        ++removed;
            QDir().rmdir(run);
            ::close(fd);
        }
        tidyBookFolder(book);
    }
    return removed;
}
