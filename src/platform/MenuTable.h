#pragma once

#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <span>

// A window's menu bar and popup menus built from one table: each row is a menu, a separator or
// a command with its object name (which also keys its caption), shortcut, handler and the rule
// that enables it, so a command is added in one place, its row. Window is a QMainWindow; State
// is what the rules look at.
template <class Window, class State> class MenuTable {
public:
    enum class Kind {
        MenuBarMenu,
        Popup,
        Submenu,
        Item,
        DefaultItem, // a popup's default command, drawn in bold
        CheckItem,   // the check items of one menu are a choice of one
        Separator,
    };
    using Handler = void (Window::*)();
    using Rule = bool (*)(const State&);

    struct Row {
        Kind kind;
        const char* parent; // the menu it lies in; none for menu-bar menus and popups
        const char* name;   // object name; none for a separator
        QKeyCombination shortcut;
        Handler handler; // none for menus, separators and commands not built yet
        Rule enabled;    // none: always enabled
    };

    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    QAction* action(const QString& name) const { return m_actions.value(name); }

    // Enables every command by its rule.
    void refresh(const State& state) {
        for (const auto& [action, rule] : std::as_const(m_rules))
            action->setEnabled(rule(state));
    }

protected:
    // Builds the menus in row order and connects their commands to the window's handlers; every
    // menu tells the window when it is about to show (menuShown). The captions come from the
    // captions table afterwards.
    MenuTable(Window& window, std::span<const Row> rows, Handler menuShown) {
        // Menus whose commands' shortcuts only label their items: the window handles those keys
        // itself where they apply.
        QSet<QString> popups;
        QHash<QString, QActionGroup*> groups;
        for (const Row& row : rows) {
            const QString name = QString::fromLatin1(row.name);
            const QString parent = QString::fromLatin1(row.parent);
            QMenu* menu = nullptr;
            switch (row.kind) {
            case Kind::MenuBarMenu:
                menu = window.menuBar()->addMenu(QString());
                QObject::connect(menu, &QMenu::aboutToShow, &window, menuShown);
                break;
            case Kind::Popup:
                menu = new QMenu(&window);
                popups.insert(name);
                QObject::connect(menu, &QMenu::aboutToShow, &window, menuShown);
                break;
            case Kind::Submenu:
                menu = m_menus.value(parent)->addMenu(QString());
                if (popups.contains(parent))
                    popups.insert(name);
                break;
            case Kind::Separator:
                m_menus.value(parent)->addSeparator();
                continue;
            case Kind::Item:
            case Kind::DefaultItem:
            case Kind::CheckItem: {
                QMenu* in = m_menus.value(parent);
                QAction* action = in->addAction(QString());
                action->setObjectName(name);
                if (row.shortcut.key() != Qt::Key_unknown)
                    action->setShortcut(row.shortcut);
                if (popups.contains(parent))
                    action->setShortcutContext(Qt::WidgetShortcut);
                if (row.kind == Kind::CheckItem) {
                    QActionGroup*& group = groups[parent];
                    if (!group)
                        group = new QActionGroup(in);
                    action->setCheckable(true);
                    action->setActionGroup(group);
                }
                if (row.kind == Kind::DefaultItem)
                    in->setDefaultAction(action);
                if (row.handler)
                    QObject::connect(action, &QAction::triggered, &window, row.handler);
                if (row.enabled)
                    m_rules.append({action, row.enabled});
                m_actions.insert(name, action);
                continue;
            }
            }
            menu->setObjectName(name);
            m_menus.insert(name, menu);
        }
    }

private:
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_actions;
    QList<std::pair<QAction*, Rule>> m_rules;
};
