#include "common/IniFile.h"
#include "project/DayLog.h"
#include "project/SheetRecord.h"
#include "project/TargetProgress.h"
#include "project/WordTarget.h"
#include "support/ProjectFiles.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TargetCase {
    const char* typed;
    int target;
};

class TargetText : public testing::TestWithParam<TargetCase> {};

TEST_P(TargetText, ReadsAsAWholeNumberOfWordsOrNone) {
    EXPECT_EQ(WordTarget::parse(QString::fromUtf8(GetParam().typed)), GetParam().target)
        << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    Typed, TargetText,
    testing::Values(TargetCase{"2000", 2000}, TargetCase{" 80000 ", 80000}, TargetCase{"0", 0},
                    TargetCase{"000", 0}, TargetCase{"", 0}, TargetCase{"   ", 0},
                    TargetCase{"-500", 0}, TargetCase{"+500", 0}, TargetCase{"1,000", 0},
                    TargetCase{"1.5", 0}, TargetCase{"2k", 0}, TargetCase{"ten", 0},
                    TargetCase{"$FF", 0}, TargetCase{"99999999", 99999999},
                    TargetCase{"2147483648", 0}, TargetCase{"\xd9\xa3", 0})); // an Arabic-Indic 3

struct TypedCase {
    const char* typed;
    const char* groupSeparator;
    std::optional<int> target;
};

class TypedTarget : public testing::TestWithParam<TypedCase> {};

// As the writer types it in a dialog: digits may be grouped by the language's separator or by
// blanks; what cannot be read is told apart from no target.
TEST_P(TypedTarget, ReadsGroupedDigitsOrNothing) {
    const TypedCase& c = GetParam();
    EXPECT_EQ(
        WordTarget::parseTyped(QString::fromUtf8(c.typed), QString::fromUtf8(c.groupSeparator)),
        c.target)
        << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Typed, TypedTarget,
    testing::Values(TypedCase{"2000", ",", 2000}, TypedCase{"2,000", ",", 2000},
                    TypedCase{"2,000,000", ",", 2000000}, TypedCase{"2.000", ".", 2000},
                    TypedCase{"2 000", ",", 2000},
                    TypedCase{"2\xc2\xa0"
                              "000",
                              ",", 2000},
                    TypedCase{"80\xe2\x80\xaf"
                              "000",
                              "\xe2\x80\xaf", 80000},
                    TypedCase{" 12,500 ", ",", 12500}, TypedCase{"", ",", 0},
                    TypedCase{"0", ",", 0}, TypedCase{"0,000", ",", 0},
                    TypedCase{"2.000", ",", std::nullopt}, TypedCase{"2,00", ",", std::nullopt},
                    TypedCase{"2,0000", ",", std::nullopt},
                    TypedCase{"2000,000", ",", std::nullopt}, TypedCase{",000", ",", std::nullopt},
                    TypedCase{"2,", ",", std::nullopt}, TypedCase{"2,,000", ",", std::nullopt},
                    TypedCase{"1.5", ",", std::nullopt}, TypedCase{"-500", ",", std::nullopt},
                    TypedCase{"2k", ",", std::nullopt},
                    TypedCase{"123,456,789", ",", std::nullopt}));

class SheetFileTargets : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.path() + QStringLiteral("/Harbour.kfa"); }
    SheetRecord readBack() const { return SheetRecord::read(IniFile(path())); }
    void write(const SheetRecord& record) {
        IniFile file(path());
        record.write(file);
        ASSERT_TRUE(file.save());
    }
};

TEST_F(SheetFileTargets, ASheetWithoutTargetsIsWrittenAsBefore) {
    const QByteArray plain = ProjectFiles::sheet(0, 1, 120, 80, QStringLiteral("The quay"));
    ASSERT_TRUE(ProjectFiles::write(path(), plain));
    write(SheetRecord::read(IniFile(path())));
    EXPECT_EQ(ProjectFiles::read(path()), plain);
}

TEST_F(SheetFileTargets, TargetsGoToTheirOwnKeysAndComeBack) {
    SheetRecord record;
    record.target = 2500;
    record.chainTarget = 90000;
    write(record);
    const QByteArray bytes = ProjectFiles::read(path());
    EXPECT_TRUE(bytes.contains("[Target]\r\nWords=2500\r\nChainWords=90000\r\n")) << bytes.data();
    EXPECT_EQ(readBack().target, 2500);
    EXPECT_EQ(readBack().chainTarget, 90000);
    // Taken away again: no key, and no empty section, is left behind.
    record.target = 0;
    record.chainTarget = 0;
    write(record);
    EXPECT_FALSE(ProjectFiles::read(path()).contains("Target"))
        << ProjectFiles::read(path()).data();
}

TEST_F(SheetFileTargets, AValueThatIsNoTargetReadsAsNone) {
    for (const char* value : {"0", "-20", "lots", "", "12.5"}) {
        ASSERT_TRUE(ProjectFiles::write(path(), QByteArray("[Target]\r\nWords=") + value +
                                                    "\r\nChainWords=" + value + "\r\n"));
        EXPECT_EQ(readBack().target, 0) << value;
        EXPECT_EQ(readBack().chainTarget, 0) << value;
    }
}

TEST(TargetFigures, ShareAndTextAsTheBarAndStatusShowThem) {
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(TargetProgress::figures(1234, 2000, english), "1,234 / 2,000 (61%)");
    // Rounded down: 100% only once the target is met.
    EXPECT_EQ(TargetProgress::figures(1999, 2000, english), "1,999 / 2,000 (99%)");
    EXPECT_EQ(TargetProgress::figures(2600, 2000, english), "2,600 / 2,000 (130%)");
    EXPECT_DOUBLE_EQ(TargetProgress::share(2600, 2000), 1.0);
    EXPECT_DOUBLE_EQ(TargetProgress::share(500, 2000), 0.25);
    EXPECT_FALSE(TargetProgress::met(1999, 2000));
    EXPECT_TRUE(TargetProgress::met(2000, 2000));
    // Nothing shows without a target or before the words are counted.
    EXPECT_FALSE(TargetProgress::shown(500, 0));
    EXPECT_FALSE(TargetProgress::shown(-1, 2000));
    EXPECT_FALSE(TargetProgress::met(-1, 0));
}

// A day of writing as the program reports it: counts at moments of a clock that may jump.
struct Count {
    const char* date;
    qint64 words;
    bool opening;
};

struct DayLogCase {
    const char* name;
    std::vector<Count> counts;
    // What the log holds afterwards, day by day: "date first last".
    std::vector<const char*> days;
    const char* today;
    qint64 writtenToday;
};

class DayLogRun : public testing::TestWithParam<DayLogCase> {};

DayLog::Day dayOf(const char* text) {
    const QStringList parts = QString::fromLatin1(text).split(u' ');
    return {QDate::fromString(parts[0], Qt::ISODate), parts[1].toLongLong(), parts[2].toLongLong()};
}

TEST_P(DayLogRun, KeepsEachDaysFirstAndLastCount) {
    const DayLogCase& c = GetParam();
    QTemporaryDir dir;
    DayLog log(dir.path() + u'/' + DayLog::fileName());
    for (const Count& count : c.counts) {
        const QDate date = QDate::fromString(QString::fromLatin1(count.date), Qt::ISODate);
        if (count.opening)
            log.recordOpen(date, count.words);
        else
            log.recordCount(date, count.words);
    }
    QList<DayLog::Day> expected;
    for (const char* day : c.days)
        expected << dayOf(day);
    EXPECT_EQ(log.days(), expected);
    const QDate today = QDate::fromString(QString::fromLatin1(c.today), Qt::ISODate);
    EXPECT_EQ(log.writtenToday(today), c.writtenToday);

    // Saved and read again, it says the same.
    ASSERT_TRUE(log.save());
    DayLog again(log.path());
    again.load();
    EXPECT_EQ(again.days(), expected);
    EXPECT_EQ(again.writtenToday(today), c.writtenToday);
}

INSTANTIATE_TEST_SUITE_P(
    Days, DayLogRun,
    testing::Values(DayLogCase{"FirstOpenStartsTheDay",
                               {{"2026-03-02", 41000, true}, {"2026-03-02", 41750, false}},
                               {"2026-03-02 41000 41750"},
                               "2026-03-02",
                               750},
                    DayLogCase{"OpeningAgainTheSameDayKeepsItsStart",
                               {{"2026-03-02", 41000, true},
                                {"2026-03-02", 41300, false},
                                {"2026-03-02", 41300, true},
                                {"2026-03-02", 41400, false}},
                               {"2026-03-02 41000 41400"},
                               "2026-03-02",
                               400},
                    // Words typed before midnight belong to the day before; after it, to the new
                    // day, which starts where the old one ended.
                    DayLogCase{"MidnightWhileWriting",
                               {{"2026-03-02", 1000, true},
                                {"2026-03-02", 1500, false},
                                {"2026-03-03", 1620, false},
                                {"2026-03-03", 1700, false}},
                               {"2026-03-02 1000 1500", "2026-03-03 1500 1700"},
                               "2026-03-03",
                               200},
                    DayLogCase{"NextMorningStartsFromTheOpeningCount",
                               {{"2026-03-02", 1000, true},
                                {"2026-03-02", 1500, false},
                                {"2026-03-05", 1480, true},
                                {"2026-03-05", 1600, false}},
                               {"2026-03-02 1000 1500", "2026-03-05 1480 1600"},
                               "2026-03-05",
                               120},
                    // A clock set back neither rewrites an earlier day nor puts days out of order:
                    // the counts go on into the last day logged until the clock passes it again.
                    DayLogCase{
                        "ClockSetBack",
                        {{"2026-03-01", 900, true},
                         {"2026-03-03", 1000, true},
                         {"2026-03-01", 1100, false},
                         {"2026-03-01", 1150, true},
                         {"2026-03-04", 1200, false}},
                        {"2026-03-01 900 900", "2026-03-03 1000 1150", "2026-03-04 1150 1200"},
                        "2026-03-04",
                        50},
                    DayLogCase{"ClockSetBackReportsTheLastDay",
                               {{"2026-03-03", 1000, true}, {"2026-02-20", 1300, false}},
                               {"2026-03-03 1000 1300"},
                               "2026-02-20",
                               300},
                    DayLogCase{"WordsTakenOutShowAsFewer",
                               {{"2026-03-02", 1000, true}, {"2026-03-02", 700, false}},
                               {"2026-03-02 1000 700"},
                               "2026-03-02",
                               -300},
                    DayLogCase{"ADayWithoutCountsWroteNothing",
                               {{"2026-03-02", 1000, true}, {"2026-03-02", 1200, false}},
                               {"2026-03-02 1000 1200"},
                               "2026-03-03",
                               0}),
    [](const testing::TestParamInfo<DayLogCase>& info) { return std::string(info.param.name); });

TEST(DayLogFile, PassesOverLinesThatDoNotReadAndKeepsDaysInOrder) {
    DayLog log;
    log.parse("# comment\r\n"
              "2026-03-04 10 20\r\n"
              "2026-03-02 5 8\r\n"
              "2026-02-30 1 2\r\n"
              "2026-03-03 -4 9\r\n"
              "2026-03-03 x 9\r\n"
              "2026-03-05 1 2 3\r\n"
              "garbage\r\n"
              "\r\n"
              "2026-03-04 12 30\n");
    EXPECT_EQ(log.days(), (QList<DayLog::Day>{dayOf("2026-03-02 5 8"), dayOf("2026-03-04 12 30")}));
}

TEST(DayLogFile, AMissingFileIsAnEmptyLogAndAnUnwritableOneFailsToSave) {
    QTemporaryDir dir;
    DayLog log(dir.path() + QStringLiteral("/Day Log.txt"));
    log.load();
    EXPECT_TRUE(log.days().isEmpty());
    EXPECT_EQ(log.writtenToday(QDate(2026, 3, 2)), 0);
    // A path under a regular file cannot be written, even by root.
    ASSERT_TRUE(ProjectFiles::write(dir.path() + QStringLiteral("/file"), "x"));
    DayLog blocked(dir.path() + QStringLiteral("/file/Day Log.txt"));
    blocked.recordOpen(QDate(2026, 3, 2), 10);
    EXPECT_FALSE(blocked.save());
}

TEST(DayLogChart, LastDaysFillsTheGapsWithNothing) {
    DayLog log;
    log.recordOpen(QDate(2026, 2, 27), 100);
    log.recordCount(QDate(2026, 2, 27), 160);
    log.recordOpen(QDate(2026, 3, 1), 160);
    log.recordCount(QDate(2026, 3, 1), 400);
    const QList<DayLog::Day> days = log.lastDays(QDate(2026, 3, 2), 5);
    ASSERT_EQ(days.size(), 5);
    const QList<qint64> written{0, 60, 0, 240, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(days[i].date, QDate(2026, 2, 26).addDays(i));
        EXPECT_EQ(days[i].written(), written[i]) << i;
    }
}

} // namespace
