// Recovery copies of unsaved text: when they fall due, where they live, how they are keyed, read,
// offered, written off the caller's thread, removed and pruned.

#include "project/RecoveryStore.h"
#include "project/RecoveryRun.h"
#include "project/RecoverySchedule.h"
#include "support/ProjectFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace Qt::StringLiterals;

namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(QDir::cleanPath(path)).constData(), &info) == 0
               ? info.st_mode & 07777
               : 0;
}

void setTime(const QString& path, const QDateTime& when) {
    const struct utimbuf times { time_t(when.toSecsSinceEpoch()), time_t(when.toSecsSinceEpoch()) };
    ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
}

QStringList sheetsOf(const QList<RecoveryStore::Copy>& copies) {
    QStringList names;
    for (const RecoveryStore::Copy& copy : copies)
        names << copy.sheetName;
    return names;
}

// ----- When a copy falls due -----

// A step: a change at `at`, or (change false) a look at `at` expecting that wait.
struct Step {
    qint64 at;
    bool change;
    qint64 wait; // -1: nothing waits
};
// A look that expects the copy not to be due yet, however long it waits.
constexpr qint64 kNotDue = -2;

struct ScheduleCase {
    const char* name;
    std::vector<Step> steps;
};

class Schedule : public testing::TestWithParam<ScheduleCase> {};

TEST_P(Schedule, KeepsAfterAPauseAndAtLeastEveryHalfMinute) {
    RecoverySchedule schedule;
    for (const Step& step : GetParam().steps) {
        if (step.change) {
            schedule.changed(step.at);
            continue;
        }
        const std::optional<qint64> wait = schedule.wait(step.at);
        if (step.wait == kNotDue)
            EXPECT_GT(wait.value_or(-1), 0) << "at " << step.at;
        else
            EXPECT_EQ(wait.value_or(-1), step.wait) << "at " << step.at;
        if (wait == 0)
            schedule.done();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Typing, Schedule,
    testing::Values(
        ScheduleCase{"nothing_changed", {{0, false, -1}, {5000, false, -1}}},
        ScheduleCase{"one_key_two_seconds_later",
                     {{1000, true, 0},
                      {1000, false, 2000},
                      {2500, false, 500},
                      {3000, false, 0},
                      {3001, false, -1}}},
        ScheduleCase{"each_key_puts_it_off",
                     {{0, true, 0},
                      {1500, true, 0},
                      {2000, false, 1500},
                      {3400, true, 0},
                      {5400, false, 0}}},
        ScheduleCase{"late_looks_find_it_due", {{0, true, 0}, {9000, false, 0}, {9000, false, -1}}},
        // A key every second for over a minute: kept at 30 s, and 30 s after the first key
        // after that copy, never only at the pause.
        ScheduleCase{"steady_typing_is_kept_every_half_minute",
                     [] {
                         std::vector<Step> steps;
                         for (qint64 t = 0; t <= 65000; t += 1000) {
                             steps.push_back({t, true, 0});
                             steps.push_back({t, false, t == 30000 || t == 61000 ? 0 : kNotDue});
                         }
                         return steps;
                     }()},
        ScheduleCase{"the_first_change_after_a_copy_starts_afresh",
                     {{0, true, 0},
                      {2000, false, 0},
                      {40000, true, 0},
                      {40000, false, 2000},
                      {41000, true, 0},
                      {43000, false, 0}}}),
    [](const testing::TestParamInfo<ScheduleCase>& info) { return std::string(info.param.name); });

// ----- Where the copies live -----

struct RootCase {
    const char* name;
    const char* state;    // XDG_STATE_HOME; nullptr: unset
    const char* expected; // below HOME when it starts with '~'
};

class Root : public testing::TestWithParam<RootCase> {};

TEST_P(Root, IsTheStateFolderOrItsDefault) {
    const RootCase& c = GetParam();
    const QByteArray before = qgetenv("XDG_STATE_HOME");
    if (c.state)
        qputenv("XDG_STATE_HOME", c.state);
    else
        qunsetenv("XDG_STATE_HOME");
    QString expected = QString::fromUtf8(c.expected);
    if (expected.startsWith(u'~'))
        expected = QDir::homePath() + expected.mid(1);
    EXPECT_EQ(RecoveryStore::defaultRoot(), expected);
    qputenv("XDG_STATE_HOME", before);
}

INSTANTIATE_TEST_SUITE_P(
    Environment, Root,
    testing::Values(RootCase{"unset", nullptr, "~/.local/state/kerfa/recovery/"},
                    RootCase{"empty", "", "~/.local/state/kerfa/recovery/"},
                    RootCase{"relative_is_ignored", "state", "~/.local/state/kerfa/recovery/"},
                    RootCase{"absolute", "/var/tmp/st", "/var/tmp/st/kerfa/recovery/"},
                    RootCase{"trailing_slash", "/var/tmp/st/", "/var/tmp/st/kerfa/recovery/"}),
    [](const testing::TestParamInfo<RootCase>& info) { return std::string(info.param.name); });

class RecoveryStoreTest : public testing::Test {
protected:
    QString root() const { return m_state.path() + u"/kerfa/recovery/"_s; }
    RecoveryStore store() const { return RecoveryStore(root()); }
    // A book's folder with a project file, named as given below the books' folder.
    QString book(const QString& name) const {
        const QString folder = m_books.path() + u'/' + name + u'/';
        ProjectFiles::write(folder + name + u".kerfa"_s, "[Workspace]\r\nSize=0\r\n");
        return folder;
    }
    // A copy left by a run that ended: its folder is not locked.
    QString endedCopy(const QString& bookFolder, const QString& run, const QString& sheet,
                      const QByteArray& bytes) const {
        EXPECT_TRUE(store().makeRoot());
        const QString books = store().makeBookFolder(bookFolder);
        EXPECT_FALSE(books.isEmpty());
        QDir().mkpath(books + run);
        const QString path = RecoveryStore::copyPath(books + run + u'/', sheet);
        EXPECT_TRUE(ProjectFiles::write(path, bytes));
        return path;
    }

    QTemporaryDir m_state;
    QTemporaryDir m_books;
};

TEST_F(RecoveryStoreTest, TwoBooksOfOneNameNeverShareAFolder) {
    const QString first = book(u"Novel"_s);
    const QString second = book(u"Elsewhere/Novel"_s);
    const QString a = store().bookFolder(first);
    const QString b = store().bookFolder(second);
    EXPECT_NE(a, b);
    EXPECT_TRUE(QFileInfo(QDir::cleanPath(a)).fileName().startsWith(u"Novel-"_s));
    EXPECT_TRUE(QFileInfo(QDir::cleanPath(b)).fileName().startsWith(u"Novel-"_s));
    // The same book by another path (a link, a "..") is the same folder.
    QFile::link(QDir::cleanPath(first), m_books.path() + u"/Link"_s);
    EXPECT_EQ(store().bookFolder(m_books.path() + u"/Link/"_s), a);
    EXPECT_EQ(store().bookFolder(m_books.path() + u"/Elsewhere/../Novel/"_s), a);
    // Never inside the book.
    EXPECT_FALSE(a.startsWith(first));
}

TEST_F(RecoveryStoreTest, AClashOfDigitsTakesTheNextName) {
    const QString novel = book(u"Novel"_s);
    ASSERT_TRUE(store().makeRoot());
    // Another book's folder under the name this one would take.
    const QString taken = store().bookFolder(novel);
    ProjectFiles::write(taken + u"book.ini"_s, "[Book]\r\nFolder=/somewhere/else/\r\n");
    const QString own = store().makeBookFolder(novel);
    EXPECT_EQ(own, QDir::cleanPath(taken) + u"-2/"_s);
    EXPECT_EQ(store().bookFolder(novel), own);
    EXPECT_TRUE(ProjectFiles::read(own + u"book.ini"_s).contains(novel.toUtf8()));
}

struct KeyCase {
    const char* name;
    const char* folder;
    const char* prefix;
};

class BookKey : public testing::TestWithParam<KeyCase> {};

TEST_P(BookKey, IsTheFolderNameAndSixteenDigits) {
    const QString key = RecoveryStore::bookKey(QString::fromUtf8(GetParam().folder));
    EXPECT_TRUE(key.startsWith(QString::fromUtf8(GetParam().prefix) + u'-')) << key.toStdString();
    EXPECT_EQ(key.size() - key.lastIndexOf(u'-'), 17);
    EXPECT_FALSE(key.front() == u'.');
}

INSTANTIATE_TEST_SUITE_P(
    Names, BookKey,
    testing::Values(KeyCase{"plain", "/home/a/Novel/", "Novel"},
                    KeyCase{"accents", "/home/a/Éte à Paris/", "Éte à Paris"},
                    KeyCase{"dot", "/home/a/.hidden/", "_hidden"}, KeyCase{"root", "/", "book"},
                    KeyCase{"long",
                            "/x/AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA/",
                            "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(RecoveryStoreTest, TheFoldersAreTheUsersAlone) {
    ASSERT_TRUE(store().makeRoot());
    EXPECT_EQ(modeOf(root()), 0700u);
    EXPECT_EQ(modeOf(m_state.path() + u"/kerfa"_s), 0700u);
    // Opened up by someone: closed again.
    ASSERT_EQ(::chmod(QFile::encodeName(QDir::cleanPath(root())).constData(), 0755), 0);
    ASSERT_TRUE(store().makeRoot());
    EXPECT_EQ(modeOf(root()), 0700u);
    const QString books = store().makeBookFolder(book(u"Novel"_s));
    EXPECT_EQ(modeOf(books), 0700u);
    EXPECT_EQ(modeOf(books + u"book.ini"_s), 0600u);
    const RecoveryStore::RunFolder run = RecoveryStore::makeRunFolder(books, u"run"_s);
    ASSERT_FALSE(run.path.isEmpty());
    EXPECT_EQ(modeOf(run.path), 0700u);
    ASSERT_TRUE(RecoveryStore::write(RecoveryStore::copyPath(run.path, u"One"_s), u"Text"_s));
    EXPECT_EQ(modeOf(run.path + u"One.txt"_s), 0600u);
    ::close(run.fd);
}

TEST_F(RecoveryStoreTest, ARecoveryFolderThatIsALinkIsNotUsed) {
    QTemporaryDir elsewhere;
    QDir().mkpath(m_state.path() + u"/kerfa"_s);
    ASSERT_TRUE(QFile::link(elsewhere.path(), QDir::cleanPath(root())));
    EXPECT_FALSE(store().makeRoot());
}

// ----- Reading a copy -----

struct ReadCase {
    const char* name;
    QByteArray bytes;
    RecoveryStore::Copy::State state;
    const char* text;
};

class ReadCopy : public RecoveryStoreTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(ReadCopy, IsWholeOnlyWhenItReadsAsUtf8) {
    const ReadCase& c = GetParam();
    const QString path = m_books.path() + u"/Chapter One.txt"_s;
    ASSERT_TRUE(ProjectFiles::write(path, c.bytes));
    const RecoveryStore::Copy copy = RecoveryStore::read(path);
    EXPECT_EQ(copy.sheetName, u"Chapter One"_s);
    EXPECT_EQ(copy.state, c.state);
    EXPECT_EQ(copy.text, QString::fromUtf8(c.text));
}

using State = RecoveryStore::Copy::State;
INSTANTIATE_TEST_SUITE_P(
    Bytes, ReadCopy,
    testing::Values(ReadCase{"plain", "Dawn.\r\nDusk.", State::Whole, "Dawn.\nDusk."},
                    ReadCase{"empty", "", State::Whole, ""},
                    ReadCase{"non_ascii", "\xc3\xa9t\xc3\xa9\xc2\xa0!", State::Whole, "été\u00a0!"},
                    ReadCase{"lone_breaks", "a\rb\nc", State::Whole, "a\nb\nc"},
                    ReadCase{"zeroed_block", QByteArray("Dawn", 4) + QByteArray(8, '\0') + "Dusk",
                             State::Damaged, "DawnDusk"},
                    ReadCase{"not_utf8", "caf\xe9 au lait", State::Damaged,
                             "caf\xef\xbf\xbd au lait"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(RecoveryStoreTest, ALinkInPlaceOfACopyIsNotFollowed) {
    const QString target = m_books.path() + u"/Elsewhere.txt"_s;
    ASSERT_TRUE(ProjectFiles::write(target, "Someone else's"));
    const QString path = m_books.path() + u"/One.txt"_s;
    ASSERT_TRUE(QFile::link(target, path));
    const RecoveryStore::Copy copy = RecoveryStore::read(path);
    EXPECT_EQ(copy.state, State::Damaged);
    EXPECT_EQ(copy.text, QString());
}

// ----- How a copy is offered -----

struct OfferCase {
    const char* name;
    State state;
    const char* copyBook; // "" when book.ini could not be read
    const char* openBook; // "" when no book is open
    bool sheetExists;
    RecoveryStore::Offer offer;
};

class OfferFor : public testing::TestWithParam<OfferCase> {};

TEST_P(OfferFor, OnlyAWholeCopyOfASheetOfTheOpenBookCanBeRestored) {
    const OfferCase& c = GetParam();
    RecoveryStore::Copy copy;
    copy.sheetName = u"One"_s;
    copy.state = c.state;
    copy.projectFolder = QString::fromUtf8(c.copyBook);
    EXPECT_EQ(RecoveryStore::offerFor(
                  copy, QString::fromUtf8(c.openBook),
                  [&](const QString& name) { return c.sheetExists && name == u"One"_s; }),
              c.offer);
}

using Offer = RecoveryStore::Offer;
INSTANTIATE_TEST_SUITE_P(
    Copies, OfferFor,
    testing::Values(
        OfferCase{"restore", State::Whole, "/nowhere/Novel/", "/nowhere/Novel/", true,
                  Offer::Restore},
        OfferCase{"open_book_named_without_slash", State::Whole, "/nowhere/Novel/",
                  "/nowhere/Novel", true, Offer::Restore},
        OfferCase{"sheet_gone", State::Whole, "/nowhere/Novel/", "/nowhere/Novel/", false,
                  Offer::SheetGone},
        OfferCase{"damaged", State::Damaged, "/nowhere/Novel/", "/nowhere/Novel/", true,
                  Offer::Damaged},
        OfferCase{"damaged_of_another_book", State::Damaged, "/nowhere/Other/", "/nowhere/Novel/",
                  true, Offer::Damaged},
        OfferCase{"other_book", State::Whole, "/nowhere/Other/", "/nowhere/Novel/", true,
                  Offer::OtherBook},
        OfferCase{"same_name_other_folder", State::Whole, "/elsewhere/Novel/", "/nowhere/Novel/",
                  true, Offer::OtherBook},
        OfferCase{"no_book_open", State::Whole, "/nowhere/Novel/", "", true, Offer::OtherBook},
        OfferCase{"book_unknown", State::Whole, "", "/nowhere/Novel/", true, Offer::OtherBook}),
    [](const testing::TestParamInfo<OfferCase>& info) { return std::string(info.param.name); });

// ----- Which copies are offered -----

TEST_F(RecoveryStoreTest, OnlyRunsThatEndedOfferTheirCopies) {
    const QString novel = book(u"Novel"_s);
    const QString other = book(u"Other"_s);
    endedCopy(novel, u"20260301-091500-100-1"_s, u"Two"_s, "Second");
    endedCopy(novel, u"20260301-091500-100-1"_s, u"One"_s, "First");
    endedCopy(other, u"20260301-091500-100-1"_s, u"Three"_s, "Third");
    // A run still going holds its folder: its copies are not offered.
    const QString books = store().bookFolder(novel);
    RecoveryStore::RunFolder live = RecoveryStore::makeRunFolder(books, u"live"_s);
    ASSERT_GE(live.fd, 0);
    ASSERT_TRUE(RecoveryStore::write(RecoveryStore::copyPath(live.path, u"Four"_s), u"Fourth"_s));
    // What is no copy is not listed.
    ProjectFiles::write(books + u"20260301-091500-100-1/notes.md"_s, "mine");

    const QList<RecoveryStore::Copy> ofNovel = store().ended(novel);
    EXPECT_EQ(sheetsOf(ofNovel), (QStringList{u"One"_s, u"Two"_s}));
    EXPECT_EQ(ofNovel.front().text, u"First"_s);
    EXPECT_EQ(ofNovel.front().projectFolder, RecoveryStore::canonicalFolder(novel));
    EXPECT_EQ(sheetsOf(store().ended()), (QStringList{u"One"_s, u"Two"_s, u"Three"_s}));

    // Once it ends, its copies are offered too.
    ::close(live.fd);
    EXPECT_EQ(sheetsOf(store().ended(novel)), (QStringList{u"Four"_s, u"One"_s, u"Two"_s}));
}

TEST_F(RecoveryStoreTest, TwoRunsCopiesOfOneSheetAreBothOfferedTheNewestFirst) {
    const QString novel = book(u"Novel"_s);
    const QString older = endedCopy(novel, u"a"_s, u"One"_s, "Older");
    const QString newer = endedCopy(novel, u"b"_s, u"One"_s, "Newer");
    setTime(older, QDateTime::currentDateTime().addSecs(-3600));
    const QList<RecoveryStore::Copy> copies = store().ended(novel);
    ASSERT_EQ(copies.size(), 2);
    EXPECT_EQ(copies[0].text, u"Newer"_s);
    EXPECT_EQ(copies[1].text, u"Older"_s);
}

TEST_F(RecoveryStoreTest, DiscardRemovesTheCopyAndTheFoldersItEmptied) {
    const QString novel = book(u"Novel"_s);
    const QString one = endedCopy(novel, u"a"_s, u"One"_s, "First");
    const QString two = endedCopy(novel, u"a"_s, u"Two"_s, "Second");
    const QString books = store().bookFolder(novel);
    ASSERT_TRUE(RecoveryStore::discard(one));
    EXPECT_FALSE(QFileInfo::exists(one));
    EXPECT_TRUE(QFileInfo::exists(two));
    ASSERT_TRUE(RecoveryStore::discard(two));
    EXPECT_FALSE(QFileInfo::exists(books));
    EXPECT_TRUE(QFileInfo(QDir::cleanPath(root())).isDir());
}

// ----- Pruning at start -----

struct PruneCase {
    const char* name;
    bool bookExists;
    int ageDays;
    bool kept;
};

class Prune : public RecoveryStoreTest, public testing::WithParamInterface<PruneCase> {};

TEST_P(Prune, RemovesOnlyOldCopiesOfVanishedBooks) {
    const PruneCase& c = GetParam();
    const QString novel = book(u"Novel"_s);
    const QString path = endedCopy(novel, u"a"_s, u"One"_s, "First");
    const QDateTime now = QDateTime::currentDateTime();
    setTime(path, now.addDays(-c.ageDays));
    if (!c.bookExists)
        QDir(novel).removeRecursively();
    EXPECT_EQ(store().prune(now), c.kept ? 0 : 1);
    EXPECT_EQ(QFileInfo::exists(path), c.kept);
    EXPECT_EQ(QFileInfo::exists(store().bookFolder(novel)), c.kept);
}

INSTANTIATE_TEST_SUITE_P(Ages, Prune,
                         testing::Values(PruneCase{"book_here_old_copy", true, 400, true},
                                         PruneCase{"book_gone_recent_copy", false, 1, true},
                                         PruneCase{"book_gone_29_days", false, 29, true},
                                         PruneCase{"book_gone_31_days", false, 31, false},
                                         PruneCase{"book_gone_a_year", false, 365, false}),
                         [](const testing::TestParamInfo<PruneCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(RecoveryStoreTest, PruneLeavesRunningRunsAndTidiesWhatIsEmpty) {
    const QString novel = book(u"Novel"_s);
    const QString old = endedCopy(novel, u"a"_s, u"One"_s, "First");
    setTime(old, QDateTime::currentDateTime().addDays(-90));
    RecoveryStore::RunFolder live = RecoveryStore::makeRunFolder(store().bookFolder(novel), u"b"_s);
    ASSERT_TRUE(RecoveryStore::write(RecoveryStore::copyPath(live.path, u"Two"_s), u"Second"_s));
    setTime(live.path + u"Two.txt"_s, QDateTime::currentDateTime().addDays(-90));
    // A book folder an earlier run emptied, and one a killed run was making.
    QDir().mkpath(root() + u"Empty-0123456789abcdef"_s);
    QDir().mkpath(root() + u".Half-0123456789abcdef.new-12"_s);
    setTime(root() + u".Half-0123456789abcdef.new-12"_s, QDateTime::currentDateTime().addDays(-2));
    QDir(novel).removeRecursively();

    EXPECT_EQ(store().prune(QDateTime::currentDateTime()), 1);
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_TRUE(QFileInfo::exists(live.path + u"Two.txt"_s));
    EXPECT_FALSE(QFileInfo::exists(root() + u"Empty-0123456789abcdef"_s));
    EXPECT_FALSE(QFileInfo::exists(root() + u".Half-0123456789abcdef.new-12"_s));
    ::close(live.fd);
}

// ----- This run's copies, written on a thread of their own -----

class RecoveryRunTest : public RecoveryStoreTest {
protected:
    QString copyOf(const RecoveryRun& run, const QString& bookFolder, const QString& sheet) const {
        return RecoveryStore::copyPath(store().bookFolder(bookFolder) + run.name() + u'/', sheet);
    }
};

TEST_F(RecoveryRunTest, KeepsPrivateCopiesAndDropsThem) {
    const QString novel = book(u"Novel"_s);
    RecoveryRun run(store(), u"run"_s);
    run.keep(novel, u"One"_s, u"Dawn.\nDusk."_s);
    run.keep(novel, u"Two"_s, u"Noon."_s);
    run.wait();
    const QString one = copyOf(run, novel, u"One"_s);
    EXPECT_EQ(ProjectFiles::read(one), QByteArray("Dawn.\r\nDusk."));
    EXPECT_EQ(modeOf(one), 0600u);
    EXPECT_EQ(modeOf(QFileInfo(one).absolutePath()), 0700u);
    EXPECT_EQ(run.written(), 2);
    // This run's own copies are not offered while it lives.
    EXPECT_TRUE(store().ended(novel).isEmpty());

    run.drop(novel, u"One"_s);
    run.wait();
    EXPECT_FALSE(QFileInfo::exists(one));
    EXPECT_TRUE(QFileInfo::exists(copyOf(run, novel, u"Two"_s)));
    run.dropAll();
    run.wait();
    EXPECT_FALSE(QFileInfo::exists(store().bookFolder(novel)));
}

TEST_F(RecoveryRunTest, ARunThatDiesLeavesItsCopiesToBeOffered) {
    const QString novel = book(u"Novel"_s);
    {
        RecoveryRun run(store());
        run.keep(novel, u"One"_s, u"Unsaved."_s);
    }
    const QList<RecoveryStore::Copy> copies = store().ended(novel);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(copies.front().text, u"Unsaved."_s);
    EXPECT_EQ(copies.front().state, State::Whole);
    // The next run discards it when the writer says so.
    RecoveryRun next(store());
    next.discard(copies.front().path);
    next.wait();
    EXPECT_TRUE(store().ended(novel).isEmpty());
}

TEST_F(RecoveryRunTest, TheLatestTextWinsAndOrderHolds) {
    const QString novel = book(u"Novel"_s);
    RecoveryRun run(store(), u"run"_s);
    for (int i = 0; i < 200; ++i)
        run.keep(novel, u"One"_s, QString::number(i));
    run.wait();
    EXPECT_EQ(ProjectFiles::read(copyOf(run, novel, u"One"_s)), QByteArray("199"));
    EXPECT_LE(run.written(), 200);
    // A keep after a drop writes again; a drop after a keep removes.
    run.keep(novel, u"One"_s, u"kept"_s);
    run.drop(novel, u"One"_s);
    run.keep(novel, u"Two"_s, u"kept"_s);
    run.dropAll();
    run.keep(novel, u"Three"_s, u"after"_s);
    run.wait();
    EXPECT_FALSE(QFileInfo::exists(copyOf(run, novel, u"One"_s)));
    EXPECT_FALSE(QFileInfo::exists(copyOf(run, novel, u"Two"_s)));
    EXPECT_EQ(ProjectFiles::read(copyOf(run, novel, u"Three"_s)), QByteArray("after"));
}

TEST_F(RecoveryRunTest, OffKeepsNothing) {
    const QString novel = book(u"Novel"_s);
    RecoveryRun run(store(), u"run"_s);
    run.setEnabled(false);
    run.keep(novel, u"One"_s, u"Text"_s);
    run.wait();
    EXPECT_EQ(run.written(), 0);
    EXPECT_FALSE(QFileInfo::exists(store().bookFolder(novel)));
}

TEST_F(RecoveryRunTest, AFolderRemovedMeanwhileIsMadeAgain) {
    const QString novel = book(u"Novel"_s);
    RecoveryRun run(store(), u"run"_s);
    run.keep(novel, u"One"_s, u"First"_s);
    run.wait();
    ASSERT_TRUE(QDir(root()).removeRecursively());
    run.keep(novel, u"One"_s, u"Again"_s);
    run.wait();
    EXPECT_EQ(ProjectFiles::read(copyOf(run, novel, u"One"_s)), QByteArray("Again"));
    EXPECT_EQ(run.failed(), 0);
}

TEST_F(RecoveryRunTest, AStoreThatCannotBeMadeFailsQuietly) {
    const QString novel = book(u"Novel"_s);
    // A file where the state folder's "kerfa" would go.
    ProjectFiles::write(m_state.path() + u"/kerfa"_s, "not a folder");
    RecoveryRun run(store(), u"run"_s);
    run.keep(novel, u"One"_s, u"Text"_s);
    run.wait();
    EXPECT_EQ(run.written(), 0);
    EXPECT_EQ(run.failed(), 1);
}

} // namespace
