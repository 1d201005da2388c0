#include "app/TfmMain.h"

#include "app/HelpWindow.h"
#include "app/HintSwitch.h"
#include "app/SplashPicture.h"
#include "app/TMRUFiles.h"
#include "app/TfmAbout.h"
#include "common/AsciiCase.h"
#include "common/FileNames.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "desk/Desk.h"
#include "desk/DeskView.h"
#include "desk/TKerfa.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "platform/FileDialogs.h"
#include "platform/FileTypes.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "project/ProjectStore.h"
#include "themes/Theme.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGraphicsScene>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>

namespace {

const QString kProjectFilter = QStringLiteral("Kerfa Project (*.kerfa)");
constexpr int kCaptionNameLength = 50;

// For Kerfa's own files, which have no message of their own.
void warnNotSaved(const QString& path) {
    MessageBoxes::warning(u'\'' + path + QStringLiteral("' ") +
                          Messages::text(Messages::CANNOT_SAVE_FILE));
}

} // namespace

TfmMain::TfmMain(QWidget* parent)
    : QMainWindow(parent), m_pnlMain(new QGraphicsScene(this)),
      m_scrlbMain(new DeskView(m_pnlMain, this)), m_desk(std::make_unique<Desk>(m_pnlMain)),
      m_imgFlash(new SplashPicture(m_scrlbMain->viewport())) {
    setObjectName(QStringLiteral("fmMain"));
    m_pnlMain->setObjectName(QStringLiteral("pnlMain"));
    m_pnlMain->setItemIndexMethod(QGraphicsScene::NoIndex);
    setCentralWidget(m_scrlbMain);
    m_theme = std::make_unique<Theme>(*m_desk, m_project, m_settings);
    m_store = std::make_unique<ProjectStore>(m_project, *m_desk, *m_theme, *this);
    connect(m_theme.get(), &Theme::stateCaptionsChanged, this, &TfmMain::SetStateCaptions);
    createMenus();
    setCaptions();
    FormCreate();
}

TfmMain::~TfmMain() {
    // Sheets go before the scene they lie on.
    m_desk.reset();
}

QWidget* TfmMain::imgFlash() const {
    return m_imgFlash;
}

QAction* TfmMain::addItem(QMenu* menu, const char* name, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void TfmMain::createMenus() {
    m_mmnuFile = menuBar()->addMenu(QString());
    m_mmnuFile->setObjectName(QStringLiteral("mmnuFile"));
    m_mnuNewProject = addItem(m_mmnuFile, "mnuNewProject", QKeySequence(Qt::CTRL | Qt::Key_N));
    m_mmnuFile->addSeparator();
    m_mnuOpenProject = addItem(m_mmnuFile, "mnuOpenProject", QKeySequence(Qt::CTRL | Qt::Key_O));
    m_mmnuFile->addSeparator();
    m_mnuSaveProject = addItem(m_mmnuFile, "mnuSaveProject", QKeySequence(Qt::CTRL | Qt::Key_S));
    m_mnuSaveProjectAs = addItem(m_mmnuFile, "mnuSaveProjectAs");
    m_mmnuFile->addSeparator();
    m_mnuBackupProject = addItem(m_mmnuFile, "mnuBackupProject");
    m_mmnuFile->addSeparator();
    m_mnuExplore = m_mmnuFile->addMenu(QString());
    m_mnuExplore->setObjectName(QStringLiteral("mnuExplore"));
    m_mnuExploreProject = addItem(m_mnuExplore, "mnuExploreProject");
    QAction* exploreTemplates = addItem(m_mnuExplore, "mnuExploreTemplates");
    QAction* exploreBackups = addItem(m_mnuExplore, "mnuExploreBackups");
    m_mnuExplore->addSeparator();
    QAction* exploreThemes = addItem(m_mnuExplore, "mnuExploreThemes");
    m_mnuExplore->addSeparator();
    QAction* exploreDictionaries = addItem(m_mnuExplore, "mnuExploreDictionaries");
    QAction* exploreThesaurus = addItem(m_mnuExplore, "mnuExploreThesaurus");
    m_mmnuFile->addSeparator();
    QAction* exit = addItem(m_mmnuFile, "mnuExit");

    m_mmnuTools = menuBar()->addMenu(QString());
    m_mmnuTools->setObjectName(QStringLiteral("mmnuTools"));
    m_mnuFindAndCompile = addItem(m_mmnuTools, "mnuFindAndCompile");
    m_mnuCompile = addItem(m_mmnuTools, "mnuCompile");
    m_mnuWordCount = addItem(m_mmnuTools, "mnuWordCount");
    m_mmnuTools->addSeparator();
    QAction* options = addItem(m_mmnuTools, "mnuOptions");

    m_mmnuHelp = menuBar()->addMenu(QString());
    m_mmnuHelp->setObjectName(QStringLiteral("mmnuHelp"));
    QAction* help = addItem(m_mmnuHelp, "mnuHelp", QKeySequence(Qt::Key_F1));
    m_mmnuHelp->addSeparator();
    QAction* about = addItem(m_mmnuHelp, "mnuAbout");

    m_pmnuKerfa = new QMenu(this);
    m_pmnuKerfa->setObjectName(QStringLiteral("pmnuKerfa"));
    QAction* edit = addItem(m_pmnuKerfa, "pmnuEdit", QKeySequence(Qt::Key_Return));
    m_pmnuKerfa->setDefaultAction(edit);
    m_pmnuKerfa->addSeparator();
    m_pmnuStateTitle = m_pmnuKerfa->addMenu(QString());
    m_pmnuStateTitle->setObjectName(QStringLiteral("pmnuStateTitle"));
    for (int i = 0; i < 6; ++i) {
        m_pmnuState[i] =
            addItem(m_pmnuStateTitle, QStringLiteral("pmnuState%1").arg(i).toLatin1().constData());
        m_pmnuState[i]->setCheckable(true);
    }
    QAction* wordCount = addItem(m_pmnuKerfa, "pmnuWordCount");
    m_pmnuCompilation = m_pmnuKerfa->addMenu(QString());
    m_pmnuCompilation->setObjectName(QStringLiteral("pmnuCompilation"));
    QAction* addToCompilation = addItem(m_pmnuCompilation, "pmnuAddToCompilation");
    m_pmnuLinksToCompilation = addItem(m_pmnuCompilation, "pmnuLinksToCompilation");
    m_pmnuKerfa->addSeparator();
    QAction* print = addItem(m_pmnuKerfa, "pmnuPrint");
    QAction* del = addItem(m_pmnuKerfa, "pmnuDelete", QKeySequence(Qt::Key_Delete));
    m_pmnuPropertiesSeparator = m_pmnuKerfa->addSeparator();
    m_pmnuProperties = addItem(m_pmnuKerfa, "pmnuProperties", QKeySequence(Qt::Key_Space));

    m_pmnuPanel = new QMenu(this);
    m_pmnuPanel->setObjectName(QStringLiteral("pmnuPanel"));
    QAction* newKerfa = addItem(m_pmnuPanel, "pmnuNewKerfa", QKeySequence(Qt::Key_Insert));

    // The popup shortcuts only label their items: the desk handles those keys itself.
    for (QMenu* popup : {m_pmnuKerfa, m_pmnuPanel})
        for (QAction* action : popup->actions())
            action->setShortcutContext(Qt::WidgetShortcut);

    connect(m_mnuNewProject, &QAction::triggered, this, &TfmMain::mnuNewProjectClick);
    connect(m_mnuOpenProject, &QAction::triggered, this, &TfmMain::mnuOpenProjectClick);
    connect(m_mnuSaveProject, &QAction::triggered, this, &TfmMain::mnuSaveProjectClick);
    connect(m_mnuSaveProjectAs, &QAction::triggered, this, &TfmMain::mnuSaveProjectAsClick);
    connect(m_mnuBackupProject, &QAction::triggered, this, &TfmMain::mnuBackupProjectClick);
    connect(m_mnuExploreProject, &QAction::triggered, this, &TfmMain::mnuExploreProjectClick);
    connect(exploreTemplates, &QAction::triggered, this, &TfmMain::mnuExploreTemplatesClick);
    connect(exploreBackups, &QAction::triggered, this, &TfmMain::mnuExploreBackupsClick);
    connect(exploreThemes, &QAction::triggered, this, &TfmMain::mnuExploreThemesClick);
    connect(exploreDictionaries, &QAction::triggered, this, &TfmMain::mnuExploreDictionariesClick);
    connect(exploreThesaurus, &QAction::triggered, this, &TfmMain::mnuExploreThesaurusClick);
    connect(exit, &QAction::triggered, this, &TfmMain::mnuExitClick);
    connect(help, &QAction::triggered, this, &TfmMain::mnuHelpClick);
    connect(about, &QAction::triggered, this, &TfmMain::mnuAboutClick);
    for (QMenu* menu : {m_mmnuFile, m_mmnuTools, m_mmnuHelp, m_pmnuKerfa, m_pmnuPanel})
        connect(menu, &QMenu::aboutToShow, this, &TfmMain::menuClicked);

    m_notYetBuilt = {m_mnuFindAndCompile, m_mnuCompile,     m_mnuWordCount,           options, edit,
                     wordCount,           addToCompilation, m_pmnuLinksToCompilation, print,   del,
                     m_pmnuProperties,    newKerfa};
    for (QAction* action : m_pmnuState)
        m_notYetBuilt.insert(action);
    for (QAction* action : std::as_const(m_notYetBuilt))
        action->setEnabled(false);
}

void TfmMain::setCaptions() {
    const auto caption = [this](const char* name, const QString& text) {
        if (auto* action = findChild<QAction*>(QString::fromLatin1(name)))
            action->setText(text);
    };
    m_mmnuFile->setTitle(QStringLiteral("&File"));
    m_mmnuTools->setTitle(QStringLiteral("&Tools"));
    m_mmnuHelp->setTitle(QStringLiteral("&Help"));
    caption("mnuNewProject", QStringLiteral("&New..."));
    caption("mnuOpenProject", QStringLiteral("&Open..."));
    caption("mnuSaveProject", QStringLiteral("&Save"));
    caption("mnuSaveProjectAs", QStringLiteral("Save &As..."));
    caption("mnuBackupProject", QStringLiteral("&Backup Project"));
    m_mnuExplore->setTitle(QStringLiteral("&Explore"));
    caption("mnuExit", QStringLiteral("E&xit"));
    caption("mnuExploreProject", QStringLiteral("&Project..."));
    caption("mnuExploreTemplates", QStringLiteral("Te&mplates..."));
    caption("mnuExploreBackups", QStringLiteral("&Backups..."));
    caption("mnuExploreThemes", QStringLiteral("&Themes..."));
    caption("mnuExploreDictionaries", QStringLiteral("&Dictionaries..."));
    caption("mnuExploreThesaurus", QStringLiteral("The&saurus..."));
    caption("mnuFindAndCompile", QStringLiteral("&Find && Compile..."));
    caption("mnuCompile", QStringLiteral("&Compile..."));
    caption("mnuWordCount", QStringLiteral("&Word Count"));
    caption("pmnuWordCount", QStringLiteral("&Word Count"));
    caption("mnuOptions", QStringLiteral("&Options..."));
    caption("mnuHelp", QStringLiteral("&Help..."));
    caption("mnuAbout", QStringLiteral("&About..."));
    caption("pmnuEdit", QStringLiteral("&Edit"));
    m_pmnuCompilation->setTitle(QStringLiteral("&Compilation"));
    caption("pmnuAddToCompilation", QStringLiteral("&Add To Compilation"));
    caption("pmnuLinksToCompilation", QStringLiteral("&Links To Compilation"));
    caption("pmnuPrint", QStringLiteral("&Print"));
    caption("pmnuDelete", QStringLiteral("&Delete"));
    caption("pmnuProperties", QStringLiteral("Proper&ties..."));
    caption("pmnuNewKerfa", QStringLiteral("&New Kerfa..."));
}

void TfmMain::FormCreate() {
    m_firstShow = false;
    m_mru = new TMRUFiles(this);
    m_mru->setMenuItem(m_mmnuFile, m_mnuOpenProject);
    connect(m_mru, &TMRUFiles::clicked, this, &TfmMain::OpenRecentProject);
    m_programFolder = ProgramFolder::path();
    if (const QString failed =
            FileTypes::registerFileTypes(QCoreApplication::applicationFilePath(), m_programFolder);
        !failed.isEmpty())
        warnNotSaved(failed);
    m_desk->setCurrent(nullptr);
    m_project.workspaceSize = ProjectState::Normal;
    SizeWorkspace();
    LoadSettings();
    if (QFileInfo(m_programFolder + QStringLiteral("Themes/") + m_settings.defaultTheme).isFile())
        m_theme->LoadTheme(m_settings.defaultTheme);
    else
        m_theme->UseBuiltInTheme();
    m_project.projectFolder.clear();
    m_project.projectFileName = QStringLiteral("unnamed");
    m_project.onDisk = false;
    m_project.freshStart = true;
    m_project.nextSheetType = 1;
    m_desk->doubleClickGuard = false;
    m_project.modified = false;
    RefreshWindow();
}

void TfmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
}

void TfmMain::FormShow() {
    if (!m_firstShow) {
        setAcceptDrops(true);
        m_firstShow = true;
    }
    FormResize();
    RefreshWindow();
}

void TfmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfmMain::FormResize() {
    if (m_imgFlash->isVisible())
        m_imgFlash->setGeometry(0, 0, m_scrlbMain->viewport()->width(),
                                m_scrlbMain->viewport()->height());
}

void TfmMain::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TfmMain::FormCloseQuery() {
    // The same two questions as before the project is replaced: changed editors, then the desk.
    return AskToSaveChanges() == AskResult::Proceed;
}

void TfmMain::FormClose() {
    SaveSettings();
    m_store->ClearDesk();
}

bool TfmMain::AnyEditorModified() const {
    for (const TKerfa* sheet : m_desk->sheets())
        if (sheet->Editor && sheet->Editor->isModified())
            return true;
    return false;
}

bool TfmMain::SaveModifiedEditors() {
    bool all = true;
    for (TKerfa* sheet : m_desk->sheets()) {
        TfmEditor* editor = sheet->Editor;
        if (editor && editor->isModified()) {
            // An editor whose text could not be saved stays open with its text.
            if (editor->SaveText())
                editor->close();
            else
                all = false;
        }
    }
    return all;
}

TfmMain::AskResult TfmMain::AskToSaveChanges() {
    if (AnyEditorModified()) {
        switch (MessageBoxes::confirm(Messages::text(Messages::SAVE_EDITORS),
                                      MessageBoxes::Buttons::YesNoCancel)) {
        case MessageBoxes::Answer::Cancel:
            return AskResult::Cancel;
        case MessageBoxes::Answer::Yes:
            // Going on after a failed save would throw the text away.
            if (!SaveModifiedEditors())
                return AskResult::Cancel;
            break;
        default:
            break;
        }
    }
    if (m_project.modified) {
        switch (MessageBoxes::confirm(Messages::text(Messages::SAVE_PROJECT),
                                      MessageBoxes::Buttons::YesNoCancel)) {
        case MessageBoxes::Answer::Cancel:
            return AskResult::Cancel;
        case MessageBoxes::Answer::Yes:
            if (m_project.isUnnamed()) {
                mnuSaveProjectAsClick();
                return AskResult::Cancel;
            }
            // Going on after a failed save would throw the changes away.
            if (!m_store->SaveProject())
                return AskResult::Cancel;
            break;
        default:
            break;
        }
    }
    return AskResult::Proceed;
}

QString TfmMain::settingsPath() const {
    return m_programFolder + AppSettings::fileName();
}

QString TfmMain::defaultFontName() {
    const QStringList families = QFontDatabase::families();
    // Serif faces nearest in build to the one the editor was designed with, most like it first.
    for (const char* name :
         {"Georgia", "Arial", "C059", "P052", "Liberation Serif", "DejaVu Serif"})
        if (families.contains(QLatin1String(name), Qt::CaseInsensitive))
            return QString::fromLatin1(name);
    QFont serif;
    serif.setStyleHint(QFont::Serif);
    return QFontInfo(serif).family();
}

void TfmMain::LoadSettings() {
    m_mru->LoadFromIni(settingsPath(), QStringLiteral("MRUList"));
    const IniFile file(settingsPath());
    m_settings.load(file, &TfmMain::defaultFontName);
    HintSwitch::instance().setEnabled(m_settings.descriptiveHints);
    setWindowState(Qt::WindowNoState);
    resize(700, 500);
    if (m_settings.saveWindowPos) {
        move(m_settings.window.topLeft());
        resize(m_settings.window.size());
    }
}

void TfmMain::SaveSettings() {
    bool saved = m_mru->SaveToIni(settingsPath(), QStringLiteral("MRUList"));
    IniFile file(settingsPath());
    m_settings.descriptiveHints = HintSwitch::instance().isEnabled();
    const QRect bounds(pos(), size());
    m_settings.save(file, isMaximized() ? nullptr : &bounds);
    saved = file.save() && saved;
    if (!saved)
        warnNotSaved(settingsPath());
}

void TfmMain::SizeWorkspace() {
    m_scrlbMain->horizontalScrollBar()->setValue(0);
    m_scrlbMain->verticalScrollBar()->setValue(0);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize s = screen ? screen->size() : QSize(1024, 768);
    QSize extent;
    switch (m_project.workspaceSize) {
    case ProjectState::Double:
        extent = s * 2;
        break;
    case ProjectState::Quadruple:
        extent = s * 4;
        break;
    default: {
        // The screen less the window's frame and menu bar, and a little over.
        const int frameWidth = frameGeometry().width() - width();
        const int frameHeight =
            frameGeometry().height() - height() + menuBar()->sizeHint().height();
        extent = QSize(s.width() - frameWidth + 4, s.height() - frameHeight + 4);
        break;
    }
    }
    m_desk->setExtent(extent);
}

void TfmMain::prepareForLoad() {
    if (!isVisible())
        show();
    m_imgFlash->hide();
}

void TfmMain::WireSheetEvents(TKerfa* sheet) {
    sheet->setToolTip(TKerfa::hintFor(sheet->Description));
}

void TfmMain::projectLoaded(const QString& path) {
    m_mru->AddFile(path);
}

// Loading and closing a project also empty the compilation list, which comes with the
// compilation window.
void TfmMain::projectClosed() {}

bool TfmMain::LoadProject(const QString& path) {
    return m_store->LoadProject(path);
}

QString TfmMain::captionFor() const {
    QString name = m_project.projectFileName;
    if (const qsizetype at = name.indexOf(QLatin1String(".kerfa")); at >= 0)
        name.remove(at, 6);
    if (name.size() > kCaptionNameLength)
        name = name.left(kCaptionNameLength) + QStringLiteral("...");
    QString caption;
    if (m_theme->isLoaded()) {
        const QString theme = m_project.projectTheme;
        const qsizetype dot = theme.indexOf(u'.');
        caption = QStringLiteral("Kerfa ") + (dot < 0 ? theme : theme.left(dot)) +
                  QStringLiteral(": '") + name + u'\'';
    } else {
        caption = QStringLiteral("Kerfa Book: '") + name + u'\'';
    }
    if (m_project.modified && !caption.contains(QLatin1String(" *")))
        caption += QStringLiteral(" *");
    return caption;
}

void TfmMain::enable(QAction* action, bool rule) {
    action->setEnabled(rule && !m_notYetBuilt.contains(action));
}

void TfmMain::RefreshWindow() {
    const bool unnamed = m_project.isUnnamed();
    enable(m_mnuNewProject, !(m_project.freshStart && !m_project.modified));
    setWindowTitle(captionFor());
    enable(m_mnuSaveProject, m_project.modified && !unnamed);
    enable(m_mnuSaveProjectAs, unnamed);
    enable(m_mnuBackupProject, !unnamed);
    enable(m_mnuExploreProject, !unnamed);
    const bool tools = !unnamed && !m_desk->sheets().isEmpty();
    enable(m_mnuFindAndCompile, tools);
    enable(m_mnuCompile, tools);
    enable(m_mnuWordCount, tools);
    if (m_desk->current())
        refreshSheetPopup();
}

void TfmMain::refreshSheetPopup() {
    const TKerfa* sheet = m_desk->current();
    const QStringList& names = m_theme->data().stateNames;
    for (int i = 0; i < 6; ++i) {
        const bool named = !names.value(i).isEmpty();
        m_pmnuState[i]->setVisible(named);
        enable(m_pmnuState[i], named && i != sheet->State);
        m_pmnuState[i]->setChecked(i == sheet->State);
    }
    const bool compilation = sheet->SheetType == 0;
    m_pmnuCompilation->menuAction()->setVisible(!compilation);
    m_pmnuLinksToCompilation->setVisible(sheet->LinkTo != nullptr);
    m_pmnuStateTitle->menuAction()->setVisible(!compilation);
    m_pmnuPropertiesSeparator->setVisible(!compilation);
    m_pmnuProperties->setVisible(!compilation);
    enable(m_pmnuProperties, !compilation && !sheet->Editor);
}

void TfmMain::SetStateCaptions() {
    const ThemeData& data = m_theme->data();
    m_pmnuStateTitle->setTitle(data.statesTitle);
    for (int i = 0; i < 6; ++i)
        m_pmnuState[i]->setText(data.stateNames.value(i));
}

void TfmMain::menuClicked() {
    m_imgFlash->hide();
    RefreshWindow();
}

void TfmMain::bringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TfmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfmMain::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    WMDropFiles(paths);
}

void TfmMain::WMDropFiles(const QStringList& paths) {
    m_imgFlash->hide();
    bringToFront();
    if (paths.size() >= 2) {
        MessageBoxes::information(Messages::text(Messages::ONLY_ONE_FILE));
        return;
    }
    const QString path = paths.value(0);
    const QString extension = FileNames::extension(path);
    if (extension == QLatin1String(".kfa")) {
        MessageBoxes::information(Messages::text(Messages::KERFAS_DONT_OPEN));
        return;
    }
    if (extension == QLatin1String(".txt")) {
        if (!m_project.onDisk) {
            MessageBoxes::information(Messages::text(Messages::SAVE_YOUR_PROJECT) + u' ' +
                                      Messages::text(Messages::AUTO_CREATING));
        }
        // Making a sheet of a dropped text comes with the sheet commands and the editor.
        return;
    }
    if (extension != QLatin1String(".kerfa")) {
        MessageBoxes::information(Messages::text(Messages::NOT_TEXT_FILE));
        return;
    }
    if (AskToSaveChanges() == AskResult::Cancel)
        return;
    LoadProject(path);
}

void TfmMain::mnuNewProjectClick() {
    if (AskToSaveChanges() == AskResult::Proceed)
        m_store->CloseProject();
}

void TfmMain::mnuOpenProjectClick() {
    if (AskToSaveChanges() == AskResult::Cancel)
        return;
    const QString path =
        FileDialogs::current().openFile(this, QStringLiteral("Open Project"), kProjectFilter);
    if (!path.isEmpty())
        LoadProject(QFileInfo(path).absoluteFilePath());
}

void TfmMain::OpenRecentProject(const QString& path) {
    if (!QFileInfo::exists(path)) {
        m_mru->RemoveFile(path);
        MessageBoxes::information(u'\'' + QFileInfo(path).fileName() + QStringLiteral("' ") +
                                  Messages::text(Messages::DOES_NOT_EXIST));
        return;
    }
    if (AskToSaveChanges() == AskResult::Cancel)
        return;
    LoadProject(path);
}

void TfmMain::mnuSaveProjectClick() {
    m_store->SaveProject();
}

void TfmMain::mnuSaveProjectAsClick() {
    const QString path = FileDialogs::current().saveFile(
        this, QStringLiteral("Save Project To Folder As"), kProjectFilter, QStringLiteral("kerfa"));
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    m_project.projectFolder = info.absolutePath() + u'/';
    const QString name = info.fileName();
    QString base;
    if (FileNames::extension(name) == QLatin1String(".kerfa")) {
        const qsizetype at = name.indexOf(QLatin1String(".kerfa"));
        if (at >= 0)
            base = AsciiCase::lower(QStringView(name).left(at));
    }
    if (base == QLatin1String("unnamed")) {
        MessageBoxes::information(Messages::text(Messages::UNIQUE_NAME) + u' ' +
                                  Messages::text(Messages::THE_PROJECT));
        return;
    }
    m_project.projectFileName = name;
    m_store->SaveProject();
}

void TfmMain::mnuBackupProjectClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString base = m_project.projectFileName;
    if (const qsizetype at = base.indexOf(QLatin1String(".kerfa")); at >= 0)
        base.remove(at, 6);
    const QString stamp = QLocale::c().toString(QDateTime::currentDateTime(),
                                                QStringLiteral("dd-MM-yy' @ 'hh.mm.ss AP"));
    const QString target = m_programFolder + QStringLiteral("Backups/") + base +
                           QStringLiteral(" (") + stamp + QStringLiteral(")/");
    bool ok = QDir().mkpath(target);
    const auto copy = [](const QString& from, const QString& to) {
        QFile::remove(to);
        return QFile::copy(from, to);
    };
    ok = ok && copy(m_project.projectPath(), target + m_project.projectFileName);
    const auto copyFolder = [&](const QString& from, const QString& sub, const QString& pattern) {
        const QString to = target + sub + u'/';
        if (!QDir().mkpath(to))
            return false;
        const QDir dir(from);
        bool all = true;
        for (const QString& file : dir.entryList({pattern}, QDir::Files | QDir::Hidden))
            all = copy(dir.filePath(file), to + file) && all;
        return all;
    };
    ok = copyFolder(m_project.sheetFolder(), QStringLiteral("Kerfa Files"),
                    QStringLiteral("*.kfa")) &&
         ok;
    ok =
        copyFolder(m_project.textFolder(), QStringLiteral("Text Files"), QStringLiteral("*.txt")) &&
        ok;
    QApplication::restoreOverrideCursor();
    MessageBoxes::information(Messages::text(ok ? Messages::BACKUP_OK : Messages::BACKUP_NOT_OK));
}

void TfmMain::mnuExploreProjectClick() {
    Shell::current().openFolder(m_project.textFolder());
}

void TfmMain::mnuExploreTemplatesClick() {
    Shell::current().openFolder(ProgramFolder::sub(QStringLiteral("Templates")));
}

void TfmMain::mnuExploreBackupsClick() {
    Shell::current().openFolder(ProgramFolder::sub(QStringLiteral("Backups")));
}

void TfmMain::mnuExploreThemesClick() {
    Shell::current().openFolder(ProgramFolder::sub(QStringLiteral("Themes")));
}

void TfmMain::mnuExploreDictionariesClick() {
    Shell::current().openFolder(ProgramFolder::sub(QStringLiteral("Spelling")));
}

void TfmMain::mnuExploreThesaurusClick() {
    Shell::current().openFolder(ProgramFolder::sub(QStringLiteral("Thesaurus")));
}

void TfmMain::mnuExitClick() {
    close();
}

void TfmMain::mnuHelpClick() {
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->showContents();
}

void TfmMain::mnuAboutClick() {
    if (m_fmAbout)
        m_fmAbout->exec();
}
