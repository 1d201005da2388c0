#include "common/FileWriter.h"
#include "common/IniFile.h"
#include "compile/CompilationFile.h"
#include "compile/ManuscriptExport.h"
#include "compile/SheetSearch.h"
#include "compile/Utf8Text.h"
#include "editor/SheetText.h"
#include "editor/WordCount.h"
#include "project/SnapshotStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace {

bool writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray utf16(const QString& text, bool bigEndian) {
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1}
                           : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
}

// Every reader of a sheet's text decides its encoding alike, and every save writes what it read
// as UTF-8: the editor (and Replace In Book, printing), the compilation and exports, Find &
// Compile, the word count, and an INI file.
TEST(TextEncodings, EveryReaderKeepsTheLettersAndTheSaveWritesUtf8) {
    struct Case {
        const char* what;
        QByteArray bytes;
        QString text;
        QString word; // found by Find & Compile, beyond ASCII
    };
    const QString rich = QStringLiteral("Caf\u00E9 \u201Cna\u00EFve\u201D \u00E0 la \U0001F4D6\r\n"
                                        "Second line");
    const Case cases[] = {
        {"plain UTF-8", rich.toUtf8(), rich, QStringLiteral("na\u00EFve")},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + rich.toUtf8(), rich, QStringLiteral("na\u00EFve")},
        {"UTF-8 but one stray byte", "Caf\xC3\xA9 na\xC3\xAFve it\x92s",
         QStringLiteral("Caf\u00E9 na\u00EFve it\u2019s"), QStringLiteral("it\u2019s")},
        {"a stray byte before a letter", "\xE9\xC3\xA9t\xC3\xA9",
         QStringLiteral("\u00E9\u00E9t\u00E9"), QStringLiteral("\u00E9\u00E9t\u00E9")},
        {"UTF-16, little-endian mark", utf16(rich, false), rich, QStringLiteral("na\u00EFve")},
        {"UTF-16, big-endian mark", utf16(rich, true), rich, QStringLiteral("\u00E0 la")},
        {"Windows-1252", "caf\xE9 \x93quoted\x94", QStringLiteral("caf\u00E9 \u201Cquoted\u201D"),
         QStringLiteral("caf\u00E9")},
        {"Windows-1252 holding one pair that reads as UTF-8", "\xC9\x94 caf\xE9 na\xEFve",
         QStringLiteral("\u00C9\u201D caf\u00E9 na\u00EFve"), QStringLiteral("na\u00EFve")},
    };
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString path = SheetText::pathOf(folder, QStringLiteral("Chapter"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeAll(path, c.bytes));

        EXPECT_EQ(SheetText::read(path), c.text);
        EXPECT_EQ(Utf8Text::read(path), c.text.toUtf8());
        EXPECT_EQ(SheetSearch(c.word, true).inFile(path), std::optional<bool>(true));
        EXPECT_EQ(SheetSearch(QStringLiteral("line"), false).inFile(path),
                  std::optional<bool>(c.text.contains(u"line")));
        EXPECT_EQ(SheetText::countWordsInFile(path), WordCount::CountWords(QStringView(c.text)));

        SheetText text(path);
        ASSERT_TRUE(text.load());
        ASSERT_TRUE(text.save());
        EXPECT_EQ(readAll(path), c.text.toUtf8());
    }
}

// Settings and sheet files pass through a text editor now and then: one saved as UTF-16 reads.
TEST(TextEncodings, IniFilesInUtf16Read) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Kerfa.ini");
    for (const bool bigEndian : {false, true}) {
        ASSERT_TRUE(
            writeAll(path, utf16(QStringLiteral("[Options]\r\nName=Zo\u00EB\r\n"), bigEndian)));
        EXPECT_EQ(IniFile(path).readString(u"Options", u"Name"), QStringLiteral("Zo\u00EB"));
    }
}

// A snapshot, the compilation and an export are made from the writer's texts: none is more open
// to other users than the texts are (a snapshot of a private chapter was made 0644).
TEST(FilesMadeFromTexts, AreNoMoreOpenThanTheirTexts) {
    struct Case {
        const char* what;
        std::vector<mode_t> texts; // One, Two
        mode_t snapshot;           // of One
        mode_t made;               // the compilation and an export of both
    };
    const Case cases[] = {
        {"open texts", {0644, 0644}, 0644, 0644},
        {"a private chapter", {0600, 0644}, 0600, 0600},
        {"group and others each allowed by one", {0640, 0604}, 0640, 0600},
        {"texts the writer may not write", {0444, 0444}, 0644, 0644},
    };
    const mode_t mask = ::umask(022);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        const QString folder = dir.path() + u'/';
        const QStringList names = {QStringLiteral("One"), QStringLiteral("Two")};
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString path = SheetText::pathOf(folder, names[i]);
            ASSERT_TRUE(writeAll(path, "Words."));
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.texts[std::size_t(i)]), 0);
        }
        const std::optional<QString> snapshot =
            SnapshotStore(folder).take(QStringLiteral("One"), QStringLiteral("Words."));
        ASSERT_TRUE(snapshot);
        EXPECT_EQ(FileWriter::modeOf(*snapshot), c.snapshot);

        const mode_t mode = CompilationFile::modeOfTexts(folder, names);
        ASSERT_TRUE(CompilationFile::write(folder, "Words.", mode));
        EXPECT_EQ(FileWriter::modeOf(CompilationFile::path(folder)), c.made);
        Manuscript manuscript;
        manuscript.chapters.append({QStringLiteral("One"), {}, {QStringLiteral("Words.")}});
        const QString exported = folder + QStringLiteral("Book.md");
        ASSERT_TRUE(ManuscriptExport::write(exported, manuscript,
                                            ManuscriptExport::Format::Markdown, mode));
        EXPECT_EQ(FileWriter::modeOf(exported), c.made);
    }
    ::umask(mask);
}

} // namespace
