#pragma once

#include "app/MainModel.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class DeskView;
class LiveSheetText;
class HelpWindow;
class MainCommands;
class SplashPicture;
class TMRUFiles;
class TfmAbout;
class TfmOptions;
class QLabel;
class TfmCompile;
class TfmDayChart;
class TfmFindAndCompile;
class TfmProperties;
class TfmReplaceInBook;

// The main window: the desk with the book's sheets, the File, Tools and Help menus and the two
// popup menus. It shows its model (MainModel) and hands the user's commands to it.
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    MainModel& model() { return m_model; }
    ProjectState& project() { return m_model.project(); }
    AppSettings& settings() { return m_model.settings(); }
    Desk& desk() { return m_model.desk(); }
    Theme& theme() { return m_model.theme(); }
    TMRUFiles& recentFiles() { return *m_mru; }
    DeskView* deskView() const { return m_scrlbMain; }
    QWidget* imgFlash() const;

    // The About box, the Options dialog and the compilation and find-and-compile windows are
    // made when first asked for, unless given here (the compile windows work on this window's
    // compilation list and desk).
    void setAboutBox(TfmAbout* about) { m_fmAbout = about; }
    void setOptionsDialog(TfmOptions* options) { m_fmOptions = options; }
    void setPropertiesDialog(TfmProperties* dialog);
    void setCompileWindows(TfmCompile* compile, TfmFindAndCompile* findAndCompile);

    bool LoadProject(const QString& path) { return m_model.commands().LoadProject(path); }
    void WMDropFiles(const QStringList& paths);
    void LoadSettings();
    void SaveSettings();
    void SizeWorkspace();
    void RefreshWindow();
    void SetStateCaptions();

public Q_SLOTS:
    // Another start of Kerfa asked this one to come to the front.
    void bringToFront();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
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
    void mnuFindAndCompileClick();
    void mnuCompileClick();
    void mnuWordCountClick();
    void mnuReplaceInBookClick();
    void mnuOptionsClick();
    void mnuHelpClick();
    void mnuAboutClick();
    void mnuRecoverClick();
    void pmnuWordCountClick();
    void pmnuTargetClick();
    void mnuWordsPerDayClick();
    void pmnuPrintClick();
    void pmnuTakeSnapshotClick();
    void pmnuSnapshotsClick();
    void pmnuAddToCompilationClick();
    void pmnuLinksToCompilationClick();
    void menuClicked();
    void OpenRecentProject(const QString& path);
    void KerfaDoubleClick();
    void pmnuNewKerfaClick();
    void pmnuPropertiesClick();
    void pmnuDeleteClick();
    void pmnuState0Click() { m_model.sheetCommands().setState(0); }
    void pmnuState1Click() { m_model.sheetCommands().setState(1); }
    void pmnuState2Click() { m_model.sheetCommands().setState(2); }
    void pmnuState3Click() { m_model.sheetCommands().setState(3); }
    void pmnuState4Click() { m_model.sheetCommands().setState(4); }
    void pmnuState5Click() { m_model.sheetCommands().setState(5); }

private:
    // The command table connects the menus to the handlers above.
    friend class MainCommands;

    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();
    void prepareForLoad();
    void scrollToOrigin();
    void makeCompileWindows();
    // The current sheet's text, in its editor if one is open.
    LiveSheetText currentSheetText();
    // The words written today, at the foot of the window, once the book is counted.
    void showWordsToday();
    // The recovery window, in place of one still open: the copies the book just opened has, or
    // with withBooks every copy left.
    void showRecovery(QList<TfmRecovery::Entry> entries, bool withBooks);
    QString settingsPath() const;

    MainModel m_model;
    DeskView* m_scrlbMain;
    SplashPicture* m_imgFlash;
    std::unique_ptr<MainCommands> m_commands;
    TMRUFiles* m_mru = nullptr;
    HelpWindow* m_help = nullptr;
    TfmAbout* m_fmAbout = nullptr;
    TfmOptions* m_fmOptions = nullptr;
    TfmCompile* m_fmCompile = nullptr;
    TfmFindAndCompile* m_fmFindAndCompile = nullptr;
    // Made on first use.
    TfmReplaceInBook* m_fmReplaceInBook = nullptr;
    TfmDayChart* m_fmDayChart = nullptr;
    QPointer<TfmRecovery> m_fmRecovery;
    QLabel* m_lblWordsToday;
    bool m_firstShow = false;
    bool m_closeAfterLoad = false;
    // The windows made on first use when none were given; they go before the model they use.
    std::unique_ptr<TfmAbout> m_ownAbout;
    std::unique_ptr<TfmOptions> m_ownOptions;
    std::unique_ptr<TfmCompile> m_ownCompile;
    std::unique_ptr<TfmFindAndCompile> m_ownFindAndCompile;
};
