#pragma once

#include "desk/SheetPopupState.h"
#include "project/ProjectWindowState.h"

#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <optional>
#include <span>

class QAction;
class QMenu;
class TfmMain;

// What the rules that enable the main window's commands look at.
struct CommandContext {
    ProjectWindowState project;
    // The current sheet's popup; none without a current sheet.
    std::optional<SheetPopupState> sheet;
};

// The main window's menu bar and popup menus, built from one table: each row is a menu, a
// separator or a command with its object name (which also keys its caption), shortcut, handler
// and the rule that enables it. A command is added in one place, its row.
class MainCommands {
public:
    enum class Kind {
        MenuBarMenu,
        Popup,
        Submenu,
        Item,
        DefaultItem, // the popup's default command, drawn in bold
        CheckItem,
        Separator,
    };
    using Handler = void (TfmMain::*)();
    using Rule = bool (*)(const CommandContext&);

    struct Row {
        Kind kind;
        const char* parent; // the menu it lies in; none for menu-bar menus and popups
        const char* name;   // object name; none for a separator
        QKeyCombination shortcut;
        Handler handler; // none for menus and separators
        Rule enabled;    // none: always enabled
    };

    // In menu order.
    static std::span<const Row> rows();

    // Builds the menus of the window and connects their commands to its handlers; the captions
    // come from the captions table afterwards.
    explicit MainCommands(TfmMain& window);

    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    QAction* action(const QString& name) const { return m_actions.value(name); }

    // Enables every command by its rule.
    void refresh(const CommandContext& context);
    // Shows and checks the sheet popup's items for the current sheet.
    void showSheetPopup(const SheetPopupState& popup);

private:
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_actions;
    QList<std::pair<QAction*, Rule>> m_rules;
};
