#pragma once

#include <QStringList>
#include <array>

// What the sheet popup shows for the current sheet (the sheet half of RefreshWindow): which
// revision-state items are there, enabled and checked, and which items the Compilation sheet
// does without.
struct SheetPopupState {
    static constexpr int kStates = 6;

    std::array<bool, kStates> stateVisible{};
    std::array<bool, kStates> stateEnabled{};
    std::array<bool, kStates> stateChecked{};
    // The "Revision Status" and "Compilation" submenus, the Properties item and its separator.
    bool notCompilation = false;
    bool linksToCompilation = false;
    bool properties = false;

    // sheetType is the type code (0 the Compilation sheet); stateNames are the theme's six.
    static SheetPopupState of(int sheetType, int state, bool linksToAnother, bool editing,
                              const QStringList& stateNames);
};
