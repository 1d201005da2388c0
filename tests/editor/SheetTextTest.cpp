#include "editor/SheetText.h"
#include "editor/WordCount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class SheetTextTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path() + u'/'; }
    QString textPath(const QString& name) const { return SheetText::pathOf(folder(), name); }
};

TEST_F(SheetTextTest, PathInTheTextFolder) {
    EXPECT_EQ(SheetText::pathOf(QStringLiteral("/books/Novel/"), QStringLiteral("Chapter One")),
              QStringLiteral("/books/Novel/Text Files/Chapter One.txt"));
}

// Loaded as the editor loads: every line break CR LF, UTF-8 or else Windows-1252.
TEST_F(SheetTextTest, LoadsWithEveryBreakCrLf) {
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"a\nb\rc\r\nd", QStringLiteral("a\r\nb\r\nc\r\nd")},
        {"\xEF\xBB\xBFHello", QStringLiteral("Hello")},
        {"caf\xC3\xA9", QStringLiteral("caf\u00E9")},
        {"caf\xE9 \x93quoted\x94", QStringLiteral("caf\u00E9 \u201Cquoted\u201D")},
        {"", QString()},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(writeAll(textPath(QStringLiteral("A")), c.bytes));
        SheetText text(textPath(QStringLiteral("A")));
        EXPECT_TRUE(text.load());
        EXPECT_EQ(text.text(), c.text) << c.bytes.toStdString();
    }
}

TEST_F(SheetTextTest, MissingReadsEmptyAndUnreadableFails) {
    SheetText missing(textPath(QStringLiteral("Missing")));
    EXPECT_FALSE(missing.exists());
    EXPECT_TRUE(missing.load());
    EXPECT_TRUE(missing.text().isEmpty());
    EXPECT_EQ(SheetText::countWordsInFile(missing.path()), 0);

    // A folder where the text file should be cannot be read as one.
    ASSERT_TRUE(QDir().mkpath(textPath(QStringLiteral("Folder"))));
    SheetText folderText(textPath(QStringLiteral("Folder")));
    EXPECT_FALSE(folderText.load());
    EXPECT_EQ(SheetText::countWordsInFile(folderText.path()), std::nullopt);
    EXPECT_EQ(SheetText::read(folderText.path()), std::nullopt);
}

TEST_F(SheetTextTest, SavesCrLfAndMakesTheTextFolder) {
    SheetText text(textPath(QStringLiteral("New")));
    text.setText(QStringLiteral("one\ntwo\r\nthree \u2014 caf\u00E9"));
    ASSERT_TRUE(text.save());
    EXPECT_EQ(readAll(text.path()), QByteArray("one\r\ntwo\r\nthree \xE2\x80\x94 caf\xC3\xA9"));
    EXPECT_EQ(QDir(folder() + QStringLiteral("Text Files")).entryList(QDir::Files),
              QStringList{QStringLiteral("New.txt")});
}

TEST_F(SheetTextTest, ReplacingKeepsThePermissions) {
    const QString path = textPath(QStringLiteral("Shared"));
    ASSERT_TRUE(writeAll(path, "old"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(SheetText::write(path, QStringLiteral("new")));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(readAll(path), QByteArray("new"));
}

// A save that fails part-way (a full disk, here a file size limit) leaves the old text whole
// and no temporary file behind, whatever the size of the text.
TEST_F(SheetTextTest, FailedSaveLeavesTheOldText) {
    const QString path = textPath(QStringLiteral("Chapter"));
    const QByteArray old = "The old text.\r\n";
    for (const qsizetype size : {qsizetype(200), qsizetype(5000), qsizetype(300000)}) {
        ASSERT_TRUE(writeAll(path, old));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool ok = SheetText::write(path, QString(size, u'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        EXPECT_FALSE(ok) << size;
        EXPECT_EQ(readAll(path), old) << size;
        EXPECT_EQ(QDir(folder() + QStringLiteral("Text Files")).entryList(QDir::Files),
                  QStringList{QStringLiteral("Chapter.txt")})
            << size;
    }
}

TEST_F(SheetTextTest, SaveUnderARegularFileFails) {
    ASSERT_TRUE(writeAll(folder() + QStringLiteral("plain"), "x"));
    SheetText text(SheetText::pathOf(folder() + QStringLiteral("plain/"), QStringLiteral("A")));
    text.setText(QStringLiteral("words"));
    EXPECT_FALSE(text.save());
}

// A text file that is a link is never written through: the save fails and what it names stays.
TEST_F(SheetTextTest, ALinkIsNotWrittenThrough) {
    const QString target = folder() + QStringLiteral("elsewhere.txt");
    ASSERT_TRUE(writeAll(target, "keep me"));
    const QString path = textPath(QStringLiteral("Linked"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    ASSERT_TRUE(QFile::link(target, path));
    EXPECT_FALSE(SheetText::write(path, QStringLiteral("new text")));
    EXPECT_EQ(readAll(target), QByteArray("keep me"));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
}

// A file is counted a piece at a time, and counts as its text does, whatever runs across the
// pieces: tokens, numbers, a token longer than a piece, a byte-order mark.
TEST_F(SheetTextTest, CountsAFileAsItsText) {
    const QByteArray bom = "\xEF\xBB\xBF";
    const QByteArray words = "Chapter 12\r\nThe cat sat. 3 \x93"
                             "caf\xE9\x94 ";
    QByteArray many;
    for (int i = 0; many.size() < 300000; ++i)
        many += QByteArray::number(i) + (i % 7 ? " word " : " ! \r\n") + (i % 13 ? "" : "  ");
    const QByteArray cases[] = {
        bom + words,
        bom + "5 six",
        many,
        bom + many + "12",
        QByteArray(70000, 'x') + " 12 " + QByteArray(140000, 'y') + " end",
        QByteArray(65535, 'a') + " 5 b",
        "5 " + QByteArray(65536 * 2, '5') + " 5 5",
        QByteArray(65536, ' ') + "1 2",
    };
    for (const QByteArray& bytes : cases) {
        const QString path = textPath(QStringLiteral("Count"));
        ASSERT_TRUE(writeAll(path, bytes));
        SheetText text(path);
        ASSERT_TRUE(text.load());
        EXPECT_EQ(SheetText::countWordsInFile(path), WordCount::CountWords(text.text()))
            << bytes.left(40).toStdString() << " (" << bytes.size() << " bytes)";
    }
}

} // namespace
