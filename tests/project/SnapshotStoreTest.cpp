#include "project/SnapshotStore.h"
#include "project/ProjectState.h"
#include "project/ProjectStorage.h"
#include "support/ProjectFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kMorning(QDate(2026, 3, 1), QTime(9, 15, 0));

class SnapshotStoreTest : public testing::Test {
protected:
    QString folder() const { return m_dir.path() + u'/'; }
    SnapshotStore store() const { return SnapshotStore(folder()); }
    QString textFile(const QString& sheet) const {
        return folder() + QStringLiteral("Text Files/") + sheet + QStringLiteral(".txt");
    }
    QStringList texts(const QString& sheet) const {
        QStringList all;
        for (const SnapshotStore::Entry& e : store().list(sheet))
            all << SnapshotStore::read(e.path).value_or(QStringLiteral("<unreadable>"));
        return all;
    }
    QTemporaryDir m_dir;
};

TEST_F(SnapshotStoreTest, KeepsTextsAsPlainFilesNewestFirst) {
    ASSERT_TRUE(store().take(u"Dawn"_s, u"First\nline."_s, kMorning));
    ASSERT_TRUE(store().take(u"Dawn"_s, u"Second."_s, kMorning.addSecs(60)));
    // Two in the same millisecond both stay.
    ASSERT_TRUE(store().take(u"Dawn"_s, u"Third."_s, kMorning.addSecs(60)));
    // What is no snapshot of Kerfa's own is not listed.
    ASSERT_TRUE(ProjectFiles::write(store().folderOf(u"Dawn"_s) + "notes.txt", "mine"));

    EXPECT_EQ(texts(u"Dawn"_s), (QStringList{u"Third."_s, u"Second."_s, u"First\r\nline."_s}));
    const QList<SnapshotStore::Entry> entries = store().list(u"Dawn"_s);
    EXPECT_EQ(entries.back().taken, kMorning);
    EXPECT_EQ(QFileInfo(entries.back().path).fileName(), u"2026-03-01 09.15.00.000.txt"_s);
    EXPECT_EQ(ProjectFiles::read(entries.back().path), QByteArray("First\r\nline."));
    EXPECT_TRUE(store().list(u"Dusk"_s).isEmpty());
}

struct DailyCase {
    const char* name;
    const char* fileText; // nullptr: no text file
    bool earlierToday;
    bool yesterday;
    bool taken;
};

class DailySnapshot : public SnapshotStoreTest, public testing::WithParamInterface<DailyCase> {};

TEST_P(DailySnapshot, OnlyTheDaysFirstOfATextThatExists) {
    const DailyCase& c = GetParam();
    if (c.fileText) {
        ASSERT_TRUE(ProjectFiles::write(textFile(u"Dawn"_s), c.fileText));
    }
    if (c.earlierToday) {
        ASSERT_TRUE(store().take(u"Dawn"_s, u"earlier"_s, kMorning.addSecs(-3600)));
    }
    if (c.yesterday) {
        ASSERT_TRUE(store().take(u"Dawn"_s, u"yesterday"_s, kMorning.addDays(-1)));
    }
    const qsizetype before = store().list(u"Dawn"_s).size();
    EXPECT_EQ(store().takeDaily(u"Dawn"_s, kMorning),
              c.taken ? SnapshotStore::Daily::Taken : SnapshotStore::Daily::NotNeeded);
    EXPECT_EQ(store().list(u"Dawn"_s).size(), before + (c.taken ? 1 : 0));
    if (c.taken) {
        EXPECT_EQ(texts(u"Dawn"_s).front(), QString::fromUtf8(c.fileText));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DailySnapshot,
    testing::Values(DailyCase{"first", "The sea.", false, false, true},
                    DailyCase{"after_yesterdays", "The sea.", false, true, true},
                    DailyCase{"one_today_already", "The sea.", true, false, false},
                    DailyCase{"empty_text", "", false, false, false},
                    DailyCase{"no_text_file", nullptr, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct RenameCase {
    const char* name;
    const char* from;
    const char* to;
    // A snapshot folder the new name has already (a deleted sheet's whose text was kept).
    bool leftOver;
};

class SnapshotsRename : public SnapshotStoreTest, public testing::WithParamInterface<RenameCase> {};

TEST_P(SnapshotsRename, CarriesEverySnapshot) {
    const RenameCase& c = GetParam();
    const QString from = QString::fromUtf8(c.from);
    const QString to = QString::fromUtf8(c.to);
    ASSERT_TRUE(store().take(from, u"one"_s, kMorning));
    ASSERT_TRUE(store().take(from, u"two"_s, kMorning.addSecs(1)));
    if (c.leftOver) {
        ASSERT_TRUE(store().take(to, u"other"_s, kMorning.addDays(-5)));
    }

    store().renameSheet(from, to);

    QStringList expected{u"two"_s, u"one"_s};
    if (c.leftOver)
        expected << u"other"_s;
    EXPECT_EQ(texts(to), expected);
    EXPECT_FALSE(QDir(store().folderOf(from)).exists());
}

INSTANTIATE_TEST_SUITE_P(Cases, SnapshotsRename,
                         testing::Values(RenameCase{"new_name", "Dawn", "The Landing", false},
                                         RenameCase{"letter_case_only", "Dawn", "DAWN", false},
                                         RenameCase{"onto_a_kept_folder", "Dawn", "Dusk", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SnapshotStoreTest, RemovingASheetsSnapshotsLeavesOtherSheetsAndTheProjectAlone) {
    ASSERT_TRUE(store().take(u"Dawn"_s, u"one"_s, kMorning));
    ASSERT_TRUE(store().take(u"Dusk"_s, u"two"_s, kMorning));
    ASSERT_TRUE(ProjectFiles::write(textFile(u"Dawn"_s), "kept"));

    store().removeSheet(u"Dawn"_s);
    EXPECT_TRUE(store().list(u"Dawn"_s).isEmpty());
    EXPECT_FALSE(QDir(store().folderOf(u"Dawn"_s)).exists());
    EXPECT_EQ(texts(u"Dusk"_s), QStringList{u"two"_s});

    // Names that would reach above a sheet's own folder reach nothing.
    for (const QString& name : {QString(), u"."_s, u".."_s}) {
        store().removeSheet(name);
        store().renameSheet(name, u"Elsewhere"_s);
        EXPECT_FALSE(store().take(name, u"x"_s, kMorning)) << name.toStdString();
    }
    EXPECT_EQ(ProjectFiles::read(textFile(u"Dawn"_s)), QByteArray("kept"));
    EXPECT_EQ(texts(u"Dusk"_s), QStringList{u"two"_s});
}

TEST_F(SnapshotStoreTest, BackupsHoldTheSnapshotsAndTheDayLog) {
    ProjectState project;
    project.projectFolder = folder() + QStringLiteral("Book/");
    project.projectFileName = QStringLiteral("Novel.kerfa");
    ASSERT_TRUE(ProjectFiles::write(project.projectPath(), "[Workspace]\r\nSize=0\r\n"));
    ASSERT_TRUE(ProjectFiles::write(project.textFolder() + "Dawn.txt", "Now."));
    const SnapshotStore book(project.projectFolder);
    ASSERT_TRUE(book.take(u"Dawn"_s, u"Then."_s, kMorning));
    ASSERT_TRUE(ProjectFiles::write(project.projectFolder + "Day Log.txt", "2026-03-01 10 12\r\n"));

    const QString target = folder() + QStringLiteral("Backups/Novel (now)/");
    ASSERT_TRUE(ProjectStorage::backup(project, target));
    EXPECT_EQ(ProjectFiles::read(target + "Snapshots/Dawn/2026-03-01 09.15.00.000.txt"),
              QByteArray("Then."));
    EXPECT_EQ(ProjectFiles::read(target + "Text Files/Dawn.txt"), QByteArray("Now."));
    EXPECT_EQ(ProjectFiles::read(target + "Day Log.txt"), QByteArray("2026-03-01 10 12\r\n"));
}

} // namespace
