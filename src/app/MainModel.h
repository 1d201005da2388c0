#pragma once

#include "app/AppSettings.h"
#include "compile/CompilationList.h"
#include "desk/Desk.h"
#include "desk/DeskSheets.h"
#include "desk/DeskTheme.h"
#include "desk/SheetCommands.h"
#include "editor/EditorRegistry.h"
#include "project/ProjectCommands.h"
#include "project/ProjectState.h"
#include "themes/Theme.h"

#include <QGraphicsScene>
#include <QObject>
#include <QSize>
#include <functional>

class DeskView;

// Everything the main window shows and acts on, without the window: the project and its
// commands, the settings, the desk with its sheets and their look, the open editor windows and
// the compilation list, wired to keep in step with each other. Tests drive it as the window does.
class MainModel : public QObject {
    Q_OBJECT
public:
    explicit MainModel(QObject* parent = nullptr);

    ProjectState& project() { return m_project; }
    AppSettings& settings() { return m_settings; }
    QGraphicsScene* scene() { return &m_pnlMain; }
    Desk& desk() { return m_desk; }
    Theme& theme() { return m_theme; }
    DeskTheme& deskTheme() { return m_deskTheme; }
    EditorRegistry& editors() { return m_editors; }
    CompilationList& compilation() { return m_compilation; }
    ProjectCommands& commands() { return m_commands; }
    SheetCommands& sheetCommands() { return m_sheetCommands; }

    // A double-click on a sheet, Enter or the sheet popup's Edit: the sheet's editor window,
    // unless several sheets are selected.
    void OpenEditor(TKerfa* sheet);
    // The desk's keys, which the main window sees first: Ins makes a sheet under the pointer,
    // Del, Space and Enter act on the current sheet while it is the only one selected. False for
    // any other key.
    bool FormKeyDown(int key, DeskView& view);

    // What the main window's frame and menu bar take of the screen, which a desk of screen size
    // leaves out; without a window, nothing.
    void setWindowChrome(std::function<QSize()> chrome) { m_chrome = std::move(chrome); }
    // Sizes the desk by the project's workspace size.
    void SizeWorkspace();
    // Screen size (less the window's chrome, and a little over), double or quadruple.
    static QSize deskExtent(int workspaceSize, QSize screen, QSize chrome);

private:
    ProjectState m_project;
    AppSettings m_settings;
    // The sheets go before the scene they lie on: members are destroyed in reverse order.
    QGraphicsScene m_pnlMain;
    Desk m_desk;
    Theme m_theme;
    DeskTheme m_deskTheme;
    DeskSheets m_deskSheets;
    EditorRegistry m_editors;
    CompilationList m_compilation;
    ProjectCommands m_commands;
    SheetCommands m_sheetCommands;
    std::function<QSize()> m_chrome;
};
