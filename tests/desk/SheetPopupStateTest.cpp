#include "desk/SheetPopupState.h"
#include "support/IndexNames.h"

#include <gtest/gtest.h>

namespace {

const QStringList kThreeStates{"&Draft", "&Revised", "&Completed", "", "", ""};

struct PopupCase {
    int sheetType;
    int state;
    bool linked;
    bool editing;
    std::array<bool, 6> visible;
    std::array<bool, 6> enabled;
    bool notCompilation;
    bool links;
    bool properties;
};

class SheetPopup : public testing::TestWithParam<PopupCase> {};

TEST_P(SheetPopup, ShowsWhatTheSheetAllows) {
    const PopupCase& c = GetParam();
    const SheetPopupState popup =
        SheetPopupState::of(c.sheetType, c.state, c.linked, c.editing, kThreeStates);
    EXPECT_EQ(popup.stateVisible, c.visible);
    EXPECT_EQ(popup.stateEnabled, c.enabled);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(popup.stateChecked[i], i == c.state) << i;
    EXPECT_EQ(popup.notCompilation, c.notCompilation);
    EXPECT_EQ(popup.linksToCompilation, c.links);
    EXPECT_EQ(popup.properties, c.properties);
}

constexpr std::array<bool, 6> kNamed{true, true, true, false, false, false};

INSTANTIATE_TEST_SUITE_P(
    Sheets, SheetPopup,
    testing::Values(
        // A chapter in the first state: the other two named states can be chosen.
        PopupCase{1, 0, false, false, kNamed, {false, true, true}, true, false, true},
        // Revised, linked to another sheet: Links To Compilation shows.
        PopupCase{2, 1, true, false, kNamed, {true, false, true}, true, true, true},
        // Its editor is open: no properties while it edits.
        PopupCase{3, 2, false, true, kNamed, {true, true, false}, true, false, false},
        // The Compilation sheet: no states, no compilation items, no properties.
        PopupCase{0, 0, false, false, kNamed, {false, true, true}, false, false, false}),
    IndexNames());

} // namespace
