#pragma once

#include "app/AppSettings.h"
#include "project/ProjectHost.h"
#include "project/ProjectState.h"

#include <QMainWindow>
#include <QSet>
#include <memory>

class Desk;
class DeskView;
class HelpWindow;
class ProjectStore;
class QAction;
class QGraphicsScene;
class QMenu;
class SplashPicture;
class TfmAbout;
class Theme;
class TMRUFiles;

// The main window: the desk with the book's sheets, the File, Tools and Help menus and the two
// popup menus. It holds the project, the theme and the settings and hands the work to them.
class TfmMain : public QMainWindow, public ProjectHost {
    Q_OBJECT
public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    enum class AskResult { Proceed, Cancel };

    ProjectState& project() { return m_project; }
    AppSettings& settings() { return m_settings; }
    Desk& desk() { return *m_desk; }
    Theme& theme() { return *m_theme; }
    ProjectStore& store() { return *m_store; }
    TMRUFiles& recentFiles() { return *m_mru; }
    DeskView* deskView() const { return m_scrlbMain; }
    QWidget* imgFlash() const;
    const QString& programFolder() const { return m_programFolder; }

    void setAboutBox(TfmAbout* about) { m_fmAbout = about; }

    bool LoadProject(const QString& path);
    void WMDropFiles(const QStringList& paths);
    bool AnyEditorModified() const;
    // False when a text could not be saved (its editor then stays open).
    bool SaveModifiedEditors();
    AskResult AskToSaveChanges();
    void LoadSettings();
    void SaveSettings();
    void SetStateCaptions();

    // ProjectHost
    void prepareForLoad() override;
    void SizeWorkspace() override;
    void RefreshWindow() override;
    void WireSheetEvents(TKerfa* sheet) override;
    void projectLoaded(const QString& path) override;
    void projectClosed() override;

    // The caption RefreshWindow gives the window for the project's state.
    QString captionFor() const;

public Q_SLOTS:
    // Another start of Kerfa asked this one to come to the front.
    void bringToFront();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private Q_SLOTS:
    void mnuNewProjectClick();
    void mnuOpenProjectClick();
    void mnuSaveProjectClick();
    void mnuSaveProjectAsClick();
    void mnuBackupProjectClick();
    void mnuExploreProjectClick();
    void mnuExploreTemplatesClick();
    void mnuExploreBackupsClick();
    void mnuExploreThemesClick();
    void mnuExploreDictionariesClick();
    void mnuExploreThesaurusClick();
    void mnuExitClick();
    void mnuHelpClick();
    void mnuAboutClick();
    void menuClicked();
    void OpenRecentProject(const QString& path);

private:
    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();
    void createMenus();
    void setCaptions();
    QAction* addItem(QMenu* menu, const char* name, const QKeySequence& shortcut = {});
    // Enables a command by its rule, but only once its command is built.
    void enable(QAction* action, bool rule);
    void refreshSheetPopup();
    QString settingsPath() const;
    static QString defaultFontName();

    ProjectState m_project;
    AppSettings m_settings;
    QString m_programFolder;
    bool m_firstShow = false;

    QGraphicsScene* m_pnlMain;
    DeskView* m_scrlbMain;
    std::unique_ptr<Desk> m_desk;
    std::unique_ptr<Theme> m_theme;
    std::unique_ptr<ProjectStore> m_store;
    TMRUFiles* m_mru = nullptr;
    SplashPicture* m_imgFlash;
    HelpWindow* m_help = nullptr;
    TfmAbout* m_fmAbout = nullptr;

    QMenu* m_mmnuFile = nullptr;
    QMenu* m_mmnuTools = nullptr;
    QMenu* m_mmnuHelp = nullptr;
    QMenu* m_mnuExplore = nullptr;
    QMenu* m_pmnuKerfa = nullptr;
    QMenu* m_pmnuPanel = nullptr;
    QMenu* m_pmnuStateTitle = nullptr;
    QMenu* m_pmnuCompilation = nullptr;
    QAction* m_mnuNewProject = nullptr;
    QAction* m_mnuOpenProject = nullptr;
    QAction* m_mnuSaveProject = nullptr;
    QAction* m_mnuSaveProjectAs = nullptr;
    QAction* m_mnuBackupProject = nullptr;
    QAction* m_mnuExploreProject = nullptr;
    QAction* m_mnuFindAndCompile = nullptr;
    QAction* m_mnuCompile = nullptr;
    QAction* m_mnuWordCount = nullptr;
    QAction* m_pmnuState[6] = {};
    QAction* m_pmnuLinksToCompilation = nullptr;
    QAction* m_pmnuPropertiesSeparator = nullptr;
    QAction* m_pmnuProperties = nullptr;
    // Commands whose windows and handlers are not built yet: shown, never enabled.
    QSet<QAction*> m_notYetBuilt;
};
