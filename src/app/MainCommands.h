#pragma once

#include "desk/SheetPopupState.h"
#include "project/ProjectWindowState.h"

#include "platform/MenuTable.h"

#include <optional>
#include <span>

class TfmMain;

// What the rules that enable the main window's commands look at.
struct CommandContext {
    ProjectWindowState project;
    // The current sheet's popup; none without a current sheet.
    std::optional<SheetPopupState> sheet;
};

// The main window's menu bar and popup menus, from the one table of its commands.
class MainCommands : public MenuTable<TfmMain, CommandContext> {
public:
    // In menu order.
    static std::span<const Row> rows();

    explicit MainCommands(TfmMain& window);

    // Shows and checks the sheet popup's items for the current sheet.
    void showSheetPopup(const SheetPopupState& popup);
};
