#pragma once

#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <span>

class QAction;
class QMenu;
class TfmEditor;

// What the rules that enable an editor window's commands look at.
struct EditorState {
    bool modified = false;
    bool hasText = false;
    bool canUndo = false;
    bool hasSelection = false;
    bool clipboardHasText = false;
    // The window-positioning mode is Single.
    bool single = false;
    // False when the sheet's text file could not be read: nothing may then replace it.
    bool writable = true;
};

// An editor window's menu bar and the memo's popup menu, built from one table: each row is a
// menu, a separator or a command with its object name (which also keys its caption), shortcut,
// handler and the rule that enables it.
class EditorMenus {
public:
    enum class Kind { MenuBarMenu, Popup, Submenu, Item, Separator };
    using Handler = void (TfmEditor::*)();
    using Rule = bool (*)(const EditorState&);

    struct Row {
        Kind kind;
        const char* parent; // the menu it lies in; none for menu-bar menus and the popup
        const char* name;   // object name; none for a separator
        QKeyCombination shortcut;
        Handler handler; // none for menus, separators and commands not built yet
        Rule enabled;    // none: always enabled
    };

    // In menu order.
    static std::span<const Row> rows();

    // Builds the window's menus and connects their commands to its handlers; the captions come
    // from the captions table afterwards.
    explicit EditorMenus(TfmEditor& window);

    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    QAction* action(const QString& name) const { return m_actions.value(name); }

    // Enables every command by its rule.
    void refresh(const EditorState& state);

private:
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_actions;
    QList<std::pair<QAction*, Rule>> m_rules;
};
