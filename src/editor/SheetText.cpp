#include "editor/SheetText.h"

#include "common/TextCodec.h"
#include "editor/WordCount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// The whole file; none when it is missing (missing is then set), not a regular file, too large
// or cannot be read. Opened without blocking, so a FIFO named like a text file cannot hang the
// program.
std::optional<QByteArray> readWhole(const QString& path, bool& missing) {
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= SheetText::kMaxBytes) {
        QByteArray bytes(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
        qsizetype got = 0;
        bool failed = false;
        while (got < bytes.size()) {
            const ssize_t n =
                ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                failed = true;
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        if (!failed) {
            bytes.truncate(got);
            result = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// A new file beside the target, named "<name>.<six letters>", with the mode a new file gets.
int createTemporary(const QString& path, QByteArray& tempName) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = encoded(path) + '.';
        for (int i = 0; i < 6; ++i)
            tempName += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
        const int fd = ::open(tempName.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

QString SheetText::pathOf(const QString& projectFolder, const QString& sheetName) {
    return projectFolder + QStringLiteral("Text Files/") + sheetName + QStringLiteral(".txt");
}

bool SheetText::exists() const {
    return QFileInfo::exists(m_path);
}

bool SheetText::load() {
    m_text.clear();
    bool missing = false;
    const std::optional<QByteArray> bytes = readWhole(m_path, missing);
    if (!bytes)
        return missing;
    m_text = TextCodec::toCrLf(TextCodec::decode(*bytes));
    return true;
}

std::optional<QString> SheetText::read(const QString& path) {
    bool missing = false;
    const std::optional<QByteArray> bytes = readWhole(path, missing);
    if (!bytes)
        return std::nullopt;
    return TextCodec::toCrLf(TextCodec::decode(*bytes));
}

bool SheetText::write(const QString& path, const QString& text) {
    const QByteArray bytes = TextCodec::encode(TextCodec::toCrLf(text));
    const QString folder = QFileInfo(path).absolutePath();
    // A text folder someone removed is made again rather than losing the text.
    if (!QDir().mkpath(folder))
        return false;
    QByteArray tempName;
    const int fd = createTemporary(path, tempName);
    if (fd < 0)
        return false;
    // A text replaced keeps the permissions its file had.
    struct stat old {};
    if (::stat(encoded(path).constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    // Written unbuffered and synced, so a full disk shows here and not after the rename.
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tempName.constData(), encoded(path).constData()) == 0;
    if (!ok) {
        ::unlink(tempName.constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

std::optional<qint64> SheetText::countWordsInFile(const QString& path) {
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? std::optional<qint64>(0) : std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // Read a piece at a time into one buffer: counting needs no copy of the whole file, and
    // a buffer used again costs nothing to map. Each piece is counted up to its last break;
    // the token that runs on is carried, with the break before it, into the next.
    std::array<char, 64 * 1024> buffer;
    qsizetype kept = 0;
    off_t done = 0;
    bool first = true;
    // The piece begins inside a token that has been counted already (one longer than the
    // buffer, so a word whatever follows it).
    bool inCounted = false;
    qint64 count = 0;
    auto countPiece = [&](qsizetype from, qsizetype to) {
        QByteArrayView piece(buffer.data() + from, to - from);
        if (first && piece.startsWith("\xEF\xBB\xBF"))
            piece = piece.sliced(3);
        if (inCounted)
            while (!piece.isEmpty() && piece.front() != ' ' && piece.front() != '\r' &&
                   piece.front() != '\n')
                piece = piece.sliced(1);
        count += WordCount::CountWords(piece);
        first = false;
        inCounted = false;
    };
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data() + kept, buffer.size() - kept);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        done += n;
        const qsizetype total = kept + n;
        if (n == 0 || done >= info.st_size) {
            countPiece(0, total);
            break;
        }
        qsizetype last = total - 1;
        while (last >= 0 && buffer[last] != ' ' && buffer[last] != '\r' && buffer[last] != '\n')
            --last;
        const bool full = total == qsizetype(buffer.size());
        if (last < 0 && !full) {
            kept = total;
            continue;
        }
        // A token that fills the buffer is a word whatever follows it; the rest of it is
        // skipped in the pieces that follow.
        if (last <= 0 && full) {
            if (last == 0 || !inCounted)
                ++count;
            inCounted = true;
            first = false;
            kept = 0;
            continue;
        }
        countPiece(0, last + 1);
        kept = total - last;
        std::memmove(buffer.data(), buffer.data() + last, static_cast<size_t>(kept));
    }
    ::close(fd);
    return count;
}
