#include "compile/CompilationList.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

void fill(CompilationList& list, const QStringList& names) {
    for (const QString& name : names)
        list.add(name);
}

TEST(CompilationList, AddsEachNameOnceIgnoringTheCaseOfAtoZ) {
    CompilationList list;
    EXPECT_TRUE(list.add(QStringLiteral("Storm")));
    EXPECT_FALSE(list.add(QStringLiteral("Storm")));
    EXPECT_FALSE(list.add(QStringLiteral("STORM")));
    // Only A to Z fold: letters beyond them are told apart.
    EXPECT_TRUE(list.add(QStringLiteral("Éclair")));
    EXPECT_TRUE(list.add(QStringLiteral("éclair")));
    EXPECT_EQ(list.names(), (QStringList{"Storm", "Éclair", "éclair"}));
    EXPECT_TRUE(list.contains(QStringLiteral("storm")));
}

TEST(CompilationList, KeepsInStepWithRenamedAndDeletedSheets) {
    CompilationList list;
    fill(list, {"One", "Two", "Three"});
    list.rename(QStringLiteral("Two"), QStringLiteral("Second"));
    // A rename matches the old name exactly, as the sheet's own name was.
    list.rename(QStringLiteral("three"), QStringLiteral("Third"));
    EXPECT_EQ(list.names(), (QStringList{"One", "Second", "Three"}));
    list.remove(QStringLiteral("ONE"));
    list.remove(QStringLiteral("Missing"));
    EXPECT_EQ(list.names(), (QStringList{"Second", "Three"}));
    list.removeAt(5);
    list.removeAt(0);
    EXPECT_EQ(list.names(), (QStringList{"Three"}));
    // What is gone may come back; what is there is not added twice.
    EXPECT_FALSE(list.contains(QStringLiteral("second")));
    EXPECT_FALSE(list.contains(QStringLiteral("one")));
    EXPECT_TRUE(list.add(QStringLiteral("ONE")));
    EXPECT_FALSE(list.add(QStringLiteral("three")));
    list.clear();
    EXPECT_FALSE(list.contains(QStringLiteral("Three")));
    EXPECT_TRUE(list.add(QStringLiteral("Three")));
}

struct MoveCase {
    int from;
    int to;
    QStringList result;
};

class CompilationListMove : public testing::TestWithParam<MoveCase> {};

TEST_P(CompilationListMove, MovesOneEntryAndShiftsTheOthers) {
    CompilationList list;
    fill(list, {"1", "2", "3", "4"});
    QSignalSpy moved(&list, &CompilationList::rowsMoved);
    list.move(GetParam().from, GetParam().to);
    EXPECT_EQ(list.names(), GetParam().result);
    const bool unchanged = list.names() == QStringList{"1", "2", "3", "4"};
    EXPECT_EQ(moved.count(), unchanged ? 0 : 1);
    for (int row = 0; row < list.rowCount(); ++row)
        EXPECT_EQ(list.data(list.index(row)).toString(), list.names()[row]);
}

INSTANTIATE_TEST_SUITE_P(Moves, CompilationListMove,
                         testing::Values(
                             // Dragging the first entry onto the third.
                             MoveCase{0, 2, {"2", "3", "1", "4"}},
                             // Ctrl+Up and Ctrl+Down.
                             MoveCase{2, 1, {"1", "3", "2", "4"}},
                             MoveCase{1, 2, {"1", "3", "2", "4"}},
                             MoveCase{3, 0, {"4", "1", "2", "3"}},
                             // Nothing above the first, below the last, or outside the list.
                             MoveCase{0, -1, {"1", "2", "3", "4"}},
                             MoveCase{3, 4, {"1", "2", "3", "4"}},
                             MoveCase{2, 2, {"1", "2", "3", "4"}}));

TEST(CompilationList, ClearingTellsTheView) {
    CompilationList list;
    fill(list, {"A", "B"});
    QSignalSpy reset(&list, &CompilationList::modelReset);
    list.clear();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(reset.count(), 1);
}

} // namespace
