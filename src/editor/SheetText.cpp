#include "editor/SheetText.h"

#include "common/FileReader.h"
#include "common/FileWriter.h"
#include "common/Folders.h"
#include "common/LinkSafe.h"
#include "common/TextCodec.h"
#include "common/TextEncoding.h"
#include "common/WholeFile.h"
#include "editor/WordCount.h"
#include "language/Messages.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

// A sheet's text file, or its text folder, that is a link is not the book's: never read.
constexpr int kTextLevels = 2;

// The whole file; none when it is missing (missing is then set), not a regular file, too large
// or cannot be read, or (unless links are followed) a link.
std::optional<QByteArray> readWhole(const QString& path, bool& missing,
                                    FileReader::Links links = FileReader::Links::Refuse) {
    missing = false;
    if (links == FileReader::Links::Refuse && LinkSafe::crossesLink(path, kTextLevels))
        return std::nullopt;
    FileReader::Limits limits;
    limits.maxBytes = SheetText::kMaxBytes;
    limits.links = links;
    FileReader::Status status = FileReader::Status::Failed;
    QByteArray bytes = FileReader::read(path, limits, &status);
    missing = status == FileReader::Status::Missing;
    if (status != FileReader::Status::Ok)
        return std::nullopt;
    return bytes;
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
    m_stamp = FileStamp::of(m_path, bytes.value_or(QByteArray()));
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

std::optional<QString> SheetText::import(const QString& path) {
    bool missing = false;
    const std::optional<QByteArray> bytes = readWhole(path, missing, FileReader::Links::Follow);
    if (!bytes)
        return std::nullopt;
    return TextCodec::toCrLf(TextCodec::decode(*bytes));
}

std::optional<QByteArray> SheetText::readBytes(const QString& path, bool* missing) {
    bool isMissing = false;
    std::optional<QByteArray> bytes = readWhole(path, isMissing);
    if (missing)
        *missing = isMissing;
    return bytes;
}

bool SheetText::isLinked(const QString& path) {
    return LinkSafe::crossesLink(path, kTextLevels);
}

QString SheetText::linkedMessage(const QString& path) {
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(QStringLiteral(".txt")))
        name.chop(4);
    return u'\'' + name + QStringLiteral("' ") + Messages::text(Messages::LINKED_TEXT_FILE);
}

bool SheetText::write(const QString& path, const QString& text) {
    return writeBytes(path, TextCodec::encode(TextCodec::toCrLf(text)));
}

bool SheetText::write(const QString& path, const QString& text, FileStamp& stamp) {
    const QByteArray bytes = TextCodec::encode(TextCodec::toCrLf(text));
    if (!writeBytes(path, bytes))
        return false;
    stamp = FileStamp::of(path, bytes);
    return true;
}

bool SheetText::writeBytes(const QString& path, QByteArrayView bytes) {
    if (isLinked(path))
        return false;
    // A text folder someone removed is made again rather than losing the text.
    return Folders::makePath(QFileInfo(path).absolutePath()) && FileWriter::write(path, bytes);
}

std::optional<qint64> SheetText::countWordsInFile(const QString& path) {
    if (isLinked(path))
        return std::nullopt;
    kerfa::WholeFile file;
    const kerfa::WholeFile::Status status =
        file.open(QFile::encodeName(path).toStdString(), kerfa::WholeFile::Links::Refuse);
    if (status == kerfa::WholeFile::Status::Missing)
        return 0;
    if (status != kerfa::WholeFile::Status::Ok)
        return std::nullopt;
    // A text in UTF-16 has a NUL beside every blank: it is counted as the text it holds.
    std::array<char, 2> mark{};
    if (file.size() >= mark.size() && file.readAt(mark.data(), mark.size(), 0) &&
        kerfa::TextEncoding::hasUtf16Mark(std::string_view(mark.data(), mark.size()))) {
        file.close();
        const std::optional<QString> text = read(path);
        if (!text)
            return std::nullopt;
        return WordCount::CountWords(QStringView(*text));
    }
    // Read a piece at a time into one buffer: counting needs no copy of the whole file, and
    // a buffer used again costs nothing to map. Each piece is counted up to its last break;
    // the token that runs on is carried, with the break before it, into the next.
    std::array<char, 64 * 1024> buffer;
    qsizetype kept = 0;
    std::uint64_t done = 0;
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
        const auto n = static_cast<qsizetype>(
            std::min<std::uint64_t>(buffer.size() - kept, file.size() - done));
        if (!file.readAt(buffer.data() + kept, static_cast<std::size_t>(n), done))
            return std::nullopt;
        done += n;
        const qsizetype total = kept + n;
        if (done >= file.size()) {
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
    return count;
}
