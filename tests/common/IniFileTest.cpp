#include "common/IniFile.h"

#include "support/FullDisk.h"
#include "support/IndexNames.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

IniFile parsed(const QByteArray& text) {
    IniFile file(QStringLiteral("/nonexistent/never-read.ini"));
    file.parse(text);
    return file;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every name in a folder, hidden ones too.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// A sheet file of exactly `size` bytes, padded with a comment.
QByteArray sheetOfSize(qsizetype size) {
    QByteArray text = "[StateData]\r\nType=1\r\n[Position]\r\nLeft=100\r\n; ";
    text += QByteArray(size - text.size() - 2, 'p');
    return text + "\r\n";
}

struct ReadCase {
    const char* text;
    const char* section;
    const char* key;
    const char* expected; // nullptr: the default comes back
};

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, GivesValueOrDefault) {
    const ReadCase& c = GetParam();
    const IniFile file = parsed(c.text);
    const QString value = file.readString(QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                                          QStringLiteral("<default>"));
    EXPECT_EQ(value.toStdString(), c.expected ? std::string(c.expected) : "<default>");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniRead,
    testing::Values(ReadCase{"[Theme]\r\nName=Book.ini\r\n", "Theme", "Name", "Book.ini"},
                    ReadCase{"[theme]\r\nNAME=Book.ini\r\n", "THEME", "name", "Book.ini"},
                    ReadCase{"[Th@me]\r\nk=x\r\n", "Th`me", "k", nullptr},
                    ReadCase{"[Th[me]\r\nk=x\r\n", "Th{me", "k", nullptr},
                    ReadCase{"[A]\r\nName=x\r\n", "A", "Names", nullptr},
                    // Names outside ASCII fold as Unicode does: \xC3\x84 and \xC3\xA4 are A and a
                    // with a diaeresis, \xC5\xBF a long s, \xF0\x90\x90\x80 and
                    // \xF0\x90\x90\xA8 the two cases of a letter outside the first plane.
                    ReadCase{"[\xC3\x84rger]\r\nk=x\r\n", "\xC3\xA4RGER", "k", "x"},
                    ReadCase{"[A]\r\nKey\xC5\xBF=x\r\n", "a", "keyS", "x"},
                    ReadCase{"[A]\r\n\xF0\x90\x90\x80=x\r\n", "A", "\xF0\x90\x90\xA8", "x"},
                    ReadCase{"[A]\r\n\xC3\xA4=x\r\n", "A", "\xC3\xA5", nullptr},
                    ReadCase{"[Theme]\r\nName=\r\n", "Theme", "Name", ""},
                    ReadCase{"[Theme]\r\nOther=1\r\n", "Theme", "Name", nullptr},
                    ReadCase{"[Other]\r\nName=x\r\n", "Theme", "Name", nullptr},
                    ReadCase{"Name=outside\r\n[Theme]\r\n", "Theme", "Name", nullptr},
                    ReadCase{"[A]\r\n  k = spaced value  \r\n", "A", "k", " spaced value  "},
                    ReadCase{"[A]\nk=lf only\n", "A", "k", "lf only"},
                    ReadCase{"[A]\rk=cr only\r", "A", "k", "cr only"},
                    ReadCase{"[A]\r\n;k=comment\r\n", "A", "k", nullptr},
                    ReadCase{"[A]\r\nk=first\r\nk=second\r\n", "A", "k", "first"},
                    ReadCase{"[A]\r\nk=a=b\r\n", "A", "k", "a=b"},
                    ReadCase{"[A]\r\nk=1\r\n[B]\r\nk=2\r\n[A]\r\nk=3\r\n", "B", "k", "2"},
                    ReadCase{"\xEF\xBB\xBF[A]\r\nk=bom\r\n", "A", "k", "bom"},
                    ReadCase{"[A]\r\nk=caf\xC3\xA9\r\n", "A", "k", "caf\xC3\xA9"},
                    // Not valid UTF-8: read as Windows-1252 (é, the euro sign, a right quote).
                    ReadCase{"[A]\r\nk=caf\xE9 \x80 \x92\r\n", "A", "k",
                             "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x99"}),
    IndexNames());

struct IntCase {
    const char* value;
    int expected;
};

class IniInteger : public testing::TestWithParam<IntCase> {};

TEST_P(IniInteger, ReadsOrFallsBack) {
    const IniFile file = parsed(QByteArray("[S]\r\nk=") + GetParam().value + "\r\n");
    EXPECT_EQ(file.readInteger(u"S", u"k", -77), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Rules, IniInteger,
                         testing::Values(IntCase{"42", 42}, IntCase{"-3", -3}, IntCase{" 7 ", 7},
                                         IntCase{"+5", 5}, IntCase{"$1F", 31}, IntCase{"0x10", 16},
                                         IntCase{"abc", -77}, IntCase{"12abc", -77},
                                         IntCase{"", -77}, IntCase{"-", -77},
                                         IntCase{"2147483647", 2147483647},
                                         IntCase{"2147483648", -77},
                                         IntCase{"99999999999999999999", -77}, IntCase{"1.5", -77}),
                         IndexNames());

TEST(IniFile, BooleansAreIntegers) {
    const IniFile file = parsed("[S]\r\nzero=0\r\none=1\r\nseven=7\r\nword=yes\r\n");
    EXPECT_FALSE(file.readBool(u"S", u"zero", true));
    EXPECT_TRUE(file.readBool(u"S", u"one", false));
    EXPECT_TRUE(file.readBool(u"S", u"seven", false));
    EXPECT_TRUE(file.readBool(u"S", u"word", true));
    EXPECT_FALSE(file.readBool(u"S", u"word", false));
    EXPECT_TRUE(file.readBool(u"S", u"missing", true));
}

TEST(IniFile, WritingKeepsEveryOtherLineInPlace) {
    IniFile file = parsed("; a comment\r\n[Position]\r\nleft=10\r\nUnknown=keep me\r\n\r\n"
                          "[Other]\r\nx=1\r\n");
    file.writeInteger(u"POSITION", u"Left", 20);
    file.writeInteger(u"Position", u"Top", 30);
    file.writeString(u"New", u"Key", QStringLiteral("v"));
    file.writeBool(u"Other", u"Flag", true);
    EXPECT_EQ(file.serialize(),
              QByteArray("; a comment\r\n[Position]\r\nleft=20\r\nUnknown=keep me\r\n"
                         "Top=30\r\n\r\n[Other]\r\nx=1\r\nFlag=1\r\n[New]\r\nKey=v\r\n"));
}

TEST(IniFile, EraseSectionAndDeleteKey) {
    IniFile file =
        parsed("[MRUList]\r\n1=a\r\n2=b\r\n[Editor]\r\nFont Name=Courier\r\nFontName=Georgia\r\n");
    file.eraseSection(u"mrulist");
    file.deleteKey(u"Editor", u"font name");
    EXPECT_EQ(file.serialize(), QByteArray("[Editor]\r\nFontName=Georgia\r\n"));
    EXPECT_FALSE(file.sectionExists(u"MRUList"));
}

TEST(IniFile, ValuesStayOnOneLine) {
    IniFile file = parsed("");
    file.writeString(u"Description", u"Text", QStringLiteral("two\r\nlines"));
    const IniFile reread = parsed(file.serialize());
    EXPECT_EQ(reread.readString(u"Description", u"Text"), QStringLiteral("two  lines"));
    EXPECT_EQ(reread.sections(), QStringList{QStringLiteral("Description")});
}

TEST(IniFile, MissingFileReadsEmptyAndFirstSaveCreatesIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerfa.ini"));
    IniFile file(path);
    EXPECT_TRUE(file.sections().isEmpty());
    EXPECT_TRUE(file.save());
    EXPECT_FALSE(QFile::exists(path)) << "nothing written, nothing created";
    file.writeString(u"Application", u"Language", QStringLiteral("English.ini"));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readAll(path), QByteArray("[Application]\r\nLanguage=English.ini\r\n"));
}

TEST(IniFile, SaveFailsCleanlyWhenTheFolderIsMissing) {
    QTemporaryDir dir;
    IniFile file(dir.filePath(QStringLiteral("no such folder/x.ini")));
    file.writeInteger(u"S", u"k", 1);
    EXPECT_FALSE(file.save());
    EXPECT_TRUE(file.isModified());
}

TEST(IniFile, InterruptedWriteLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.kfa"));
    const QByteArray old = "[StateData]\r\nType=1\r\n";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    IniFile file(path);
    file.writeString(u"Description", u"Text", QString(200000, u'x'));

    // A file-size limit makes the write fail part-way, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved_ok = file.save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("sheet.kfa")})
        << "no temporary file left behind";
}

// A small save is where a full disk went unnoticed: the bytes sat in a buffer until the rename.
class IniFullDisk : public testing::TestWithParam<int> {};

TEST_P(IniFullDisk, FileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.kfa"));
    const QByteArray old = sheetOfSize(GetParam());
    ASSERT_TRUE(writeAll(path, old));
    IniFile file(path);
    file.writeInteger(u"Position", u"Left", 240);
    bool saved = true;
    {
        const FileSizeLimit limit(static_cast<rlim_t>(GetParam() / 2));
        saved = file.save();
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(file.isModified());
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("sheet.kfa")});
}

TEST_P(IniFullDisk, FullFileSystemFailsTheSaveAndKeepsTheOldFile) {
    const SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString folder = disk.path() + QStringLiteral("Book/");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("sheet.kfa");
    const QByteArray old = sheetOfSize(GetParam());
    ASSERT_TRUE(writeAll(path, old));
    ASSERT_TRUE(disk.fill());
    for (int attempt = 0; attempt < 2; ++attempt) {
        IniFile file(path);
        file.writeInteger(u"Position", u"Left", 240 + attempt);
        EXPECT_FALSE(file.save()) << "attempt " << attempt;
        EXPECT_EQ(readAll(path), old) << "attempt " << attempt;
        EXPECT_EQ(entries(folder), QStringList{QStringLiteral("sheet.kfa")});
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, IniFullDisk, testing::Values(200, 5 * 1024));

// Settings, project, sheet, theme and language files are small: one far larger, in bytes or in
// lines, reads as empty (every key takes its default), at little cost.
struct SizeCase {
    qsizetype blankLines;
    qsizetype padding; // bytes of comment before the key
    bool reads;
};

class IniSizeCap : public testing::TestWithParam<SizeCase> {};

TEST_P(IniSizeCap, OversizedFilesReadAsEmpty) {
    const SizeCase& c = GetParam();
    QByteArray text(c.blankLines * 2, '\n');
    for (qsizetype i = 0; i < c.blankLines; ++i)
        text[2 * i] = '\r';
    if (c.padding > 0)
        text += "; " + QByteArray(c.padding - 4, 'p') + "\r\n";
    text += "[Position]\r\nLeft=7\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.kfa"));
    ASSERT_TRUE(writeAll(path, text));
    EXPECT_EQ(IniFile(path).readInteger(u"Position", u"Left", 100), c.reads ? 7 : 100);
}

constexpr qsizetype kMiB = 1024 * 1024;
constexpr qsizetype kKeyBytes = 20; // "[Position]\r\nLeft=7\r\n"

INSTANTIATE_TEST_SUITE_P(Limits, IniSizeCap,
                         testing::Values(SizeCase{19'998, 0, true}, SizeCase{19'999, 0, false},
                                         SizeCase{1'000'000, 0, false},
                                         SizeCase{0, kMiB - kKeyBytes, true},
                                         SizeCase{0, kMiB - kKeyBytes + 1, false},
                                         SizeCase{0, 15 * kMiB, false}),
                         IndexNames());

TEST(IniFile, BinaryGarbageNeverCrashes) {
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    garbage += "\r\n[StateData]\r\nState=2\r\n";
    const IniFile file = parsed(garbage);
    EXPECT_EQ(file.readInteger(u"StateData", u"State", 0), 2);
    EXPECT_EQ(file.readInteger(u"Position", u"Left", 100), 100);
}

} // namespace
