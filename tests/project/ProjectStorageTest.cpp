#include "project/ProjectStorage.h"
#include "project/ProjectNames.h"
#include "project/ProjectState.h"
#include "support/ProjectFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ProjectStorageTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString sheets() const { return dir.path() + QStringLiteral("/Kerfa Files/"); }
    void sheetFile(const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(ProjectFiles::write(sheets() + name, bytes));
    }
    static QStringList namesOf(const QList<SheetRecord>& records) {
        QStringList names;
        for (const SheetRecord& record : records)
            names << record.name;
        return names;
    }
};

TEST_F(ProjectStorageTest, TheSampleBookIsWrittenBackByteForByte) {
    const std::filesystem::path book = std::filesystem::path(dir.path().toStdString()) / "Book";
    std::filesystem::copy(KERFA_PROGRAM_DIR "/Examples/The Lighthouse Keeper", book,
                          std::filesystem::copy_options::recursive);
    const QString folder = QString::fromStdString(book.string()) + u'/';
    const auto before = ProjectFiles::snapshot(folder);
    const QString projectPath = folder + QStringLiteral("The Lighthouse Keeper.kerfa");

    const ProjectSettings settings = ProjectStorage::readProject(projectPath);
    const auto records = ProjectStorage::readSheets(folder + QStringLiteral("Kerfa Files/"));
    EXPECT_GE(records.size(), 12);
    ASSERT_TRUE(ProjectStorage::writeProject(projectPath, settings));
    for (const SheetRecord& record : records)
        ASSERT_TRUE(ProjectStorage::writeSheet(folder + QStringLiteral("Kerfa Files/"), record));
    EXPECT_EQ(ProjectFiles::snapshot(folder), before);
}

// [Book] Language is the book's language tag; a book without one is written as before, and one
// that drops its language loses the key (and the section, when nothing else is in it).
TEST_F(ProjectStorageTest, TheBooksLanguageIsReadAndWritten) {
    const QString path = dir.path() + QStringLiteral("/Book.kerfa");
    struct Case {
        QByteArray before;
        QString read;
        QString written;
        QByteArray after;
    };
    const QByteArray plain =
        "[Workspace]\r\nBoldBaseType=1\r\nSize=0\r\n[Theme]\r\nName=Book.ini\r\n";
    const Case cases[] = {
        {plain, QString(), QString(), plain},
        {plain, QString(), QStringLiteral("en-US"), plain + "[Book]\r\nLanguage=en-US\r\n"},
        {plain + "[Book]\r\nLanguage= en-CA \r\n", QStringLiteral("en-CA"), QStringLiteral("en-GB"),
         plain + "[Book]\r\nLanguage=en-GB\r\n"},
        {plain + "[book]\r\nlanguage=en-US\r\n", QStringLiteral("en-US"), QString(), plain},
        {plain + "[Book]\r\nLanguage=en-US\r\nEditor=Mine\r\n", QStringLiteral("en-US"), QString(),
         plain + "[Book]\r\nEditor=Mine\r\n"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ProjectFiles::write(path, c.before));
        ProjectSettings settings = ProjectStorage::readProject(path);
        EXPECT_EQ(settings.language, c.read) << c.before.toStdString();
        settings.language = c.written;
        ASSERT_TRUE(ProjectStorage::writeProject(path, settings));
        EXPECT_EQ(ProjectFiles::read(path), c.after) << c.before.toStdString();
        EXPECT_EQ(ProjectStorage::readProject(path).language, c.written);
    }
}

TEST_F(ProjectStorageTest, SheetFilesAreTheLowerCaseKfaFilesInAlphabeticalOrder) {
    for (const char* name : {"beta.kfa", "Alpha.kfa", "Gamma.KFA", ".kfa", "notes.txt",
                             "Notes.kfa draft.kfa", "alpha2.kfa"})
        sheetFile(QString::fromUtf8(name), ProjectFiles::sheet(0, 0, 100, 100));
    ASSERT_TRUE(QDir().mkpath(sheets() + QStringLiteral("Folder.kfa")));
    EXPECT_EQ(ProjectStorage::sheetFileNames(sheets()),
              (QStringList{"Alpha.kfa", "alpha2.kfa", "beta.kfa", "Notes.kfa draft.kfa"}));
    const auto records = ProjectStorage::readSheets(sheets());
    // A name is the file name without its last ".kfa".
    EXPECT_EQ(namesOf(records), (QStringList{"Alpha", "alpha2", "beta", "Notes.kfa draft"}));
}

TEST_F(ProjectStorageTest, TheDeskOrderFoldsOnlyAToZ) {
    // Apart from A to Z, names sort by their characters' codes, whatever the machine's
    // language: an accented capital after z, an underscore before a, a full stop before a digit.
    for (const char* name : {"Zed.kfa", "b2.kfa", "\xc3\x89mile.kfa", "apple.kfa", "_Note.kfa",
                             "Apple.kfa", "B.kfa", "1. Start.kfa", "10 Gale.kfa"})
        sheetFile(QString::fromUtf8(name), ProjectFiles::sheet(0, 0, 100, 100));
    EXPECT_EQ(ProjectStorage::sheetFileNames(sheets()),
              (QStringList{"1. Start.kfa", "10 Gale.kfa", "_Note.kfa", "Apple.kfa", "apple.kfa",
                           "B.kfa", "b2.kfa", "Zed.kfa", QString::fromUtf8("\xc3\x89mile.kfa")}));
}

TEST_F(ProjectStorageTest, TheSampleBookKeepsItsDeskOrder) {
    EXPECT_EQ(ProjectStorage::sheetFileNames(
                  QStringLiteral(KERFA_PROGRAM_DIR "/Examples/The Lighthouse Keeper/Kerfa Files/")),
              (QStringList{"1. The Landing.kfa", "2. Brass Work.kfa", "3. The Logbooks.kfa",
                           "4. The Long Night.kfa", "5. Last Entry.kfa", "At the Crank.kfa",
                           "Ewan Maddock.kfa", "Isla Brennan.kfa", "Plot Outline.kfa",
                           "Read Me First.kfa", "Research Notes.kfa", "Skerrow Rock.kfa",
                           "Tam Rennie.kfa", "The Kittiwake Passes.kfa", "The Lamp Goes Dark.kfa",
                           "Turning by Hand.kfa"}));
}

TEST_F(ProjectStorageTest, RecordsAreReadAsStored) {
    sheetFile(QString(41, u'n') + QStringLiteral(".kfa"), ProjectFiles::sheet(0, 0, 100, 100));
    sheetFile(QString(40, u'f') + QStringLiteral(".kfa"), ProjectFiles::sheet(0, 0, 300, 100));
    sheetFile(
        QStringLiteral("Linked.kfa"),
        ProjectFiles::sheet(-1, 5, -20, 7000, QStringLiteral(" Gale "), QStringLiteral("Other")));
    sheetFile(QStringLiteral("Garbled.kfa"), QByteArray("\x00\xff\xfe[[[=\x01\x02\r\n", 12));
    const auto records = ProjectStorage::readSheets(sheets());
    // A name longer than 40 characters is no sheet of this project.
    ASSERT_EQ(namesOf(records), (QStringList{QString(40, u'f'), "Garbled", "Linked"}));
    const SheetRecord& garbled = records[1];
    EXPECT_EQ(garbled.left, 100);
    EXPECT_EQ(garbled.top, 100);
    EXPECT_EQ(garbled.typeIndex, 0);
    const SheetRecord& linked = records[2];
    EXPECT_EQ(linked.typeIndex, -1);
    EXPECT_EQ(linked.state, 5);
    EXPECT_EQ(linked.left, -20);
    EXPECT_EQ(linked.top, 7000);
    EXPECT_EQ(linked.description, QStringLiteral(" Gale "));
    EXPECT_EQ(linked.linkTo, QStringLiteral("Other"));
}

// A sheet file that cannot be read is left out and named; the rest of the book reads.
TEST_F(ProjectStorageTest, UnreadableSheetFilesAreLeftOutAndNamed) {
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"state 6", ProjectFiles::sheet(0, 6, 100, 100)},
        {"state 9", ProjectFiles::sheet(0, 9, 100, 100)},
        {"state -1", ProjectFiles::sheet(0, -1, 100, 100)},
        {"over the reader's size",
         ProjectFiles::sheet(0, 0, 100, 100) + QByteArray(1024 * 1024, ';')},
        {"over the reader's lines", ProjectFiles::sheet(0, 0, 100, 100) + QByteArray(20'000, '\n')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sheetFile(QStringLiteral("Good.kfa"), ProjectFiles::sheet(0, 0, 100, 100));
        sheetFile(QStringLiteral("Bad.kfa"), c.bytes);
        QStringList unreadable;
        const auto records = ProjectStorage::readSheets(sheets(), {}, &unreadable);
        EXPECT_EQ(namesOf(records), QStringList{"Good"});
        EXPECT_EQ(unreadable, QStringList{"Bad.kfa"});
    }
}

TEST_F(ProjectStorageTest, ALargeBookReadsInDeskOrderAsASmallOneDoes) {
    // A book large enough to be read by two threads: each file says where it lies in desk order
    // (its left), and the cases put a file that is passed over or left out in either half.
    struct Case {
        const char* what;
        int files;
        int longName; // the file whose name is too long, or -1
        int refused;  // the file whose state is out of range, or -1: left out
    };
    const Case cases[] = {
        {"all good", 300, -1, -1},
        {"a long name early", 300, 10, -1},
        {"a long name late", 300, 290, -1},
        {"refused early", 300, -1, 3},
        {"refused late", 300, -1, 299},
        {"one below the threshold, refused last", SheetReading::kReadInTwoFrom - 1, -1,
         SheetReading::kReadInTwoFrom - 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QDir(sheets()).removeRecursively() || !QDir(sheets()).exists());
        QStringList expected;
        for (int i = 0; i < c.files; ++i) {
            QString name = QStringLiteral("Sheet %1").arg(i, 4, 10, QChar(u'0'));
            if (i == c.longName)
                name += QString(ProjectNames::kMaxSheetName, u'x');
            else if (i != c.refused)
                expected << name;
            sheetFile(name + QStringLiteral(".kfa"),
                      ProjectFiles::sheet(1, i == c.refused ? 7 : i % 6, i, 100));
        }
        // Read as File > Open reads, and as the start reads the book of its command line: a
        // helper begun beforehand, the reading finished by this thread alongside it.
        for (const bool early : {false, true}) {
            SCOPED_TRACE(early ? "begun early" : "read when wanted");
            SheetReading reading(sheets());
            if (early)
                reading.startHelper();
            QList<qsizetype> reports;
            const auto records = reading.finish([&](qsizetype done, qsizetype total) {
                EXPECT_EQ(total, c.files);
                reports << done;
            });
            EXPECT_EQ(reading.fileCount(), c.files);
            ASSERT_FALSE(reports.isEmpty());
            if (!early) {
                EXPECT_EQ(reports.front(), 0);
                EXPECT_LT(reports.back(), c.files);
            }
            for (qsizetype i = 1; i < reports.size(); ++i)
                EXPECT_LT(reports[i - 1], reports[i]);
            EXPECT_EQ(reading.unreadable(),
                      c.refused < 0
                          ? QStringList()
                          : QStringList{
                                QStringLiteral("Sheet %1.kfa").arg(c.refused, 4, 10, QChar(u'0'))});
            EXPECT_EQ(namesOf(records), expected);
            for (const SheetRecord& record : records) {
                const int i = record.name.mid(6, 4).toInt();
                EXPECT_EQ(record.left, i);
                EXPECT_EQ(record.state, i % 6);
            }
        }
    }
}

TEST_F(ProjectStorageTest, AReadingBegunEarlyEndsWithItsOwnerWhenNobodyWantsIt) {
    // A second start hands its book to the running program and ends: the reading it began
    // stops after the file it is reading, and nothing is read after.
    for (int i = 0; i < 2000; ++i)
        sheetFile(QStringLiteral("Sheet %1.kfa").arg(i), ProjectFiles::sheet(0, 0, i, 100));
    auto reading = std::make_unique<SheetReading>(sheets());
    bool firstRan = false;
    reading->startHelper([&] { firstRan = true; });
    reading.reset();
    EXPECT_TRUE(firstRan);
}

TEST_F(ProjectStorageTest, BackupCopiesTheProjectAsItIsOnDisk) {
    ProjectState project;
    project.projectFolder = dir.path() + QStringLiteral("/Book/");
    project.projectFileName = QStringLiteral("Novel.kerfa");
    ASSERT_TRUE(ProjectFiles::write(project.projectPath(), "[Workspace]\r\nSize=1\r\n"));
    ASSERT_TRUE(ProjectFiles::write(project.sheetFolder() + QStringLiteral("One.kfa"),
                                    ProjectFiles::sheet(0, 0, 10, 10)));
    ASSERT_TRUE(ProjectFiles::write(project.textFolder() + QStringLiteral("One.txt"), "Dawn."));
    ASSERT_TRUE(ProjectFiles::write(project.textFolder() + QStringLiteral("Notes.doc"), "x"));
    const QString target = dir.path() + QStringLiteral("/Backups/Novel (now)/");
    ASSERT_TRUE(ProjectFiles::write(target + QStringLiteral("Text Files/One.txt"), "Old."));

    ASSERT_TRUE(ProjectStorage::backup(project, target));
    // Only the project's own files, and a second backup into the same folder replaces them.
    EXPECT_EQ(ProjectFiles::snapshot(target),
              (QMap<QString, QByteArray>{
                  {"Novel.kerfa", "[Workspace]\r\nSize=1\r\n"},
                  {"Kerfa Files/One.kfa", ProjectFiles::sheet(0, 0, 10, 10)},
                  {"Text Files/One.txt", "Dawn."},
              }));

    // A folder that cannot be made (a file stands in the way) fails the backup.
    ASSERT_TRUE(ProjectFiles::write(dir.path() + QStringLiteral("/Blocked"), "file"));
    EXPECT_FALSE(ProjectStorage::backup(project, dir.path() + QStringLiteral("/Blocked/In/")));
}

} // namespace
