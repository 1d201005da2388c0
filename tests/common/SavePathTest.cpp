// The one save path and the one whole-file reader, on what a folder can hold besides regular
// files: links, folders, pipes, and the temporary files of killed or running saves.

#include "common/AtomicFile.h"
#include "common/FileWriter.h"
#include "common/WholeFile.h"

#include "support/IndexNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using kerfa::AtomicFile;
using kerfa::WholeFile;
using Status = WholeFile::Status;

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// What may stand at a save's path instead of a regular file; none of it is replaced.
enum class Odd { LinkToFile, DanglingLink, Folder, Pipe };

class NotARegularFile : public testing::TestWithParam<Odd> {};

TEST_P(NotARegularFile, IsNeverReplacedNorWrittenThrough) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Notes.kfa"));
    const QString target = dir.filePath(QStringLiteral("target"));
    ASSERT_TRUE(writeAll(target, "keep"));
    switch (GetParam()) {
    case Odd::LinkToFile:
        ASSERT_TRUE(QFile::link(target, path));
        break;
    case Odd::DanglingLink:
        ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), path));
        break;
    case Odd::Folder:
        ASSERT_TRUE(QDir().mkdir(path));
        break;
    case Odd::Pipe:
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    }
    const QStringList before = entries(dir.path());
    EXPECT_FALSE(FileWriter::write(path, "[Position]\r\nLeft=1\r\n"));
    EXPECT_EQ(entries(dir.path()), before);
    EXPECT_EQ(readAll(target), QByteArray("keep"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotARegularFile,
                         testing::Values(Odd::LinkToFile, Odd::DanglingLink, Odd::Folder,
                                         Odd::Pipe),
                         IndexNames());

TEST(SavePath, AReplacedFileKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerfa.ini"));
    ASSERT_TRUE(writeAll(path, "old"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(FileWriter::write(path, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(readAll(path), QByteArray("new"));
}

// A private file (a recovery copy) is 0600 whatever the umask and whatever mode the file it
// replaces had; the usual one takes the umask when new and keeps a replaced file's mode.
struct ModeCase {
    const char* name;
    mode_t umask;
    int oldMode; // -1: no file there before
    FileWriter::Access access;
    mode_t expected;
    mode_t folder = 0755; // a new file in a folder closed to others is closed too
};

class SaveMode : public testing::TestWithParam<ModeCase> {};

TEST_P(SaveMode, IsTheAccessAsked) {
    const ModeCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), c.folder), 0);
    const QString path = dir.filePath(QStringLiteral("copy.txt"));
    if (c.oldMode >= 0) {
        ASSERT_TRUE(writeAll(path, "old"));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(c.oldMode)), 0);
    }
    const mode_t before = ::umask(c.umask);
    const bool saved = FileWriter::write(path, "new", c.access);
    ::umask(before);
    ASSERT_TRUE(saved);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, c.expected);
    EXPECT_EQ(readAll(path), QByteArray("new"));
    // Nothing of the save is left beside it.
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("copy.txt")});
}

using Access = FileWriter::Access;
INSTANTIATE_TEST_SUITE_P(
    Modes, SaveMode,
    testing::Values(
        ModeCase{"usual_new", 022, -1, Access::Usual, 0644},
        ModeCase{"usual_new_tight_umask", 077, -1, Access::Usual, 0600},
        ModeCase{"usual_replaced", 022, 0640, Access::Usual, 0640},
        ModeCase{"usual_new_in_a_private_folder", 022, -1, Access::Usual, 0600, 0700},
        ModeCase{"usual_replaced_in_a_private_folder", 022, 0644, Access::Usual, 0644, 0700},
        ModeCase{"private_new", 022, -1, Access::Private, 0600},
        ModeCase{"private_new_open_umask", 0, -1, Access::Private, 0600},
        ModeCase{"private_replaces_a_readable_file", 022, 0644, Access::Private, 0600},
        ModeCase{"private_replaces_a_world_writable_file", 0, 0666, Access::Private, 0600},
        ModeCase{"private_replaces_a_private_file", 022, 0600, Access::Private, 0600}),
    [](const testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

TEST(SavePath, TheLongestFileNameSaves) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString(255, u'n'));
    EXPECT_TRUE(FileWriter::write(path, "text"));
    EXPECT_EQ(entries(dir.path()), QStringList{QString(255, u'n')});
}

TEST(SavePath, AnUncommittedSaveLeavesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Chapter.txt"));
    ASSERT_TRUE(writeAll(path, "old"));
    {
        AtomicFile file(local(path));
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("half of the new"));
    }
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("Chapter.txt")});
    EXPECT_EQ(readAll(path), QByteArray("old"));
}

// Only the save path's own temporary files of killed saves go: never a running save's, and
// never a file of the user's that looks like one.
TEST(SavePath, LeftoversOfKilledSavesAreRemovedAndNothingElse) {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QStringList kept = {
        QStringLiteral("Notes.kfa"),
        QStringLiteral("Notes.kfa.before"),
        QStringLiteral("Notes.kfa.Ab12Cd"),
        QStringLiteral(".Notes.kfa.kerfa-save-ABC123"),
        QStringLiteral(".Notes.kfa.kerfa-save-abc12"),
        QStringLiteral(".kerfa-save-abc123"),
    };
    for (const QString& name : kept)
        ASSERT_TRUE(writeAll(folder + name, "user's"));
    const QString leftover = QStringLiteral(".Notes.kfa.kerfa-save-x1y2z3");
    ASSERT_TRUE(writeAll(folder + leftover, "half"));
    const QString linked = QStringLiteral(".Link.kfa.kerfa-save-aaaaaa");
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("Notes.kfa"), folder + linked));
    const QString folderLike = QStringLiteral(".Dir.kfa.kerfa-save-bbbbbb");
    ASSERT_TRUE(QDir().mkdir(folder + folderLike));

    AtomicFile running(local(folder + QStringLiteral("Running.kfa")));
    ASSERT_TRUE(running.open());
    ASSERT_TRUE(running.write("in progress"));
    const QStringList duringTheSave = entries(folder);
    ASSERT_EQ(duringTheSave.size(), kept.size() + 4);

    EXPECT_EQ(FileWriter::removeLeftovers({folder, folder + QStringLiteral("missing/")}), 1);
    QStringList expected = duringTheSave;
    expected.removeOne(leftover);
    EXPECT_EQ(entries(folder), expected);
    EXPECT_EQ(readAll(folder + QStringLiteral("Notes.kfa")), QByteArray("user's"));

    ASSERT_TRUE(running.commit());
    EXPECT_EQ(readAll(folder + QStringLiteral("Running.kfa")), QByteArray("in progress"));
}

TEST(WholeFile, OnlyRegularFilesAreRead) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sheet.kfa"));
    ASSERT_TRUE(writeAll(file, "[A]\r\nk=v\r\n"));
    const QString link = dir.filePath(QStringLiteral("link.kfa"));
    ASSERT_TRUE(QFile::link(file, link));
    const QString pipe = dir.filePath(QStringLiteral("pipe.kfa"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    const auto status = [](const QString& path, WholeFile::Limits limits = {}) {
        std::string bytes;
        const Status result = WholeFile::read(local(path), bytes, limits);
        EXPECT_TRUE(result == Status::Ok || bytes.empty());
        return result;
    };
    EXPECT_EQ(status(file), Status::Ok);
    EXPECT_EQ(status(link), Status::Ok);
    EXPECT_EQ(status(link, {.links = WholeFile::Links::Refuse}), Status::NotRegular);
    EXPECT_EQ(status(pipe), Status::NotRegular);
    EXPECT_EQ(status(dir.path()), Status::NotRegular);
    EXPECT_EQ(status(dir.filePath(QStringLiteral("missing"))), Status::Missing);
    EXPECT_EQ(status(file + QStringLiteral("/below-a-file")), Status::Missing);
    EXPECT_EQ(status(file, {.maxBytes = 9}), Status::TooLarge);
    EXPECT_EQ(status(file, {.maxBytes = 10}), Status::Ok);
    EXPECT_EQ(status(file, {.maxLines = 1}), Status::TooManyLines);
    EXPECT_EQ(status(file, {.maxLines = 2}), Status::Ok);
    // As many lines as bytes, at the limit and one over.
    const QString breaks = dir.filePath(QStringLiteral("breaks.kfa"));
    ASSERT_TRUE(writeAll(breaks, "\n\r\r"));
    EXPECT_EQ(status(breaks, {.maxLines = 3}), Status::Ok);
    EXPECT_EQ(status(breaks, {.maxLines = 2}), Status::TooManyLines);
}

struct LinesCase {
    const char* text;
    std::size_t lines;
};

class LineCount : public testing::TestWithParam<LinesCase> {};

TEST_P(LineCount, EveryKindOfBreakEndsALine) {
    const std::string text = GetParam().text;
    EXPECT_EQ(WholeFile::countLines(text.data(), text.size()), GetParam().lines) << text;
}

INSTANTIATE_TEST_SUITE_P(Breaks, LineCount,
                         testing::Values(LinesCase{"", 0}, LinesCase{"a", 1}, LinesCase{"a\r\n", 1},
                                         LinesCase{"a\r\nb", 2}, LinesCase{"\r\r\n\n", 3},
                                         LinesCase{"a\rb\r", 2}, LinesCase{"\n\n\n", 3}),
                         IndexNames());

} // namespace
