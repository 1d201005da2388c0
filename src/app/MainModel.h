#pragma once

#include "app/AppSettings.h"
#include "app/BookRecovery.h"
#include "app/OptionChoices.h"
#include "app/SheetTextCommands.h"
#include "compile/BookReplace.h"
#include "compile/CompilationList.h"
#include "compile/CompileCommands.h"
#include "compile/WordCounts.h"
#include "compile/WordProgress.h"
#include "desk/Desk.h"
#include "desk/DeskSheets.h"
#include "desk/DeskTheme.h"
#include "desk/SheetCommands.h"
#include "editor/EditorOptions.h"
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
    // The book's language leaves with the book: spelling windows made later follow the settings.
    ~MainModel() override;

    ProjectState& project() { return m_project; }
    AppSettings& settings() { return m_settings; }
    QGraphicsScene* scene() { return &m_pnlMain; }
    Desk& desk() { return m_desk; }
    Theme& theme() { return m_theme; }
    DeskTheme& deskTheme() { return m_deskTheme; }
    EditorRegistry& editors() { return m_editors; }
    EditorOptions& editorOptions() { return m_editorOptions; }
    CompilationList& compilation() { return m_compilation; }
    ProjectCommands& commands() { return m_commands; }
    SheetTextCommands& sheetTexts() { return m_sheetTexts; }
    const WordCounts& wordCounts() const { return m_wordCounts; }
    CompileCommands& compileCommands() { return m_compileCommands; }
    BookRecovery& recovery() { return m_recovery; }

    // Hands the editor settings on to every editor window: after the settings were read, and
    // whenever they change.
    void applyEditorSettings();

    // Reads the language file the settings name ("Languages/" in the program folder) into the
    // captions and messages, which every window then takes. A missing file changes nothing;
    // false then.
    bool ApplyLanguage();

    // The options as they stand, for the options dialog.
    OptionChoices options() const;
    // The options dialog was confirmed: every choice takes effect at once, on the settings, the
    // project, the desk's sheets and every open editor window. A changed workspace size, bold
    // main type or project theme marks the project modified. The settings file is the caller's
    // to write.
    void applyOptions(const OptionChoices& chosen);
    SheetCommands& sheetCommands() { return m_sheetCommands; }
    BookReplace& bookReplace() { return m_bookReplace; }
    WordProgress& wordProgress() { return m_wordProgress; }

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

Q_SIGNALS:
    // The options gave the project another workspace size: the desk was sized again.
    void workspaceResized();

private:
    ProjectState m_project;
    AppSettings m_settings;
    // The sheets go before the scene they lie on: members are destroyed in reverse order.
    QGraphicsScene m_pnlMain;
    Desk m_desk;
    Theme m_theme;
    DeskTheme m_deskTheme;
    DeskSheets m_deskSheets;
    EditorOptions m_editorOptions;
    // Outlives the editor windows, whose copies go as they are freed.
    RecoveryRun m_recoveryRun;
    EditorRegistry m_editors;
    CompilationList m_compilation;
    ProjectCommands m_commands;
    SheetTextCommands m_sheetTexts;
    // Watches the editors the registry above attaches.
    BookRecovery m_recovery;
    WordCounts m_wordCounts;
    CompileCommands m_compileCommands;
    SheetCommands m_sheetCommands;
    BookReplace m_bookReplace;
    // Listens to the desk, the editors and the commands above: goes first.
    WordProgress m_wordProgress;
    std::function<QSize()> m_chrome;
};
