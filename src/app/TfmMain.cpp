#include "app/TfmMain.h"

#include "app/DroppedFiles.h"
#include "app/EditorFont.h"
#include "app/HelpWindow.h"
#include "app/HintSwitch.h"
#include "app/MainCommands.h"
#include "app/SplashPicture.h"
#include "app/TMRUFiles.h"
#include "app/TfmAbout.h"
#include "app/TfmDayChart.h"
#include "app/TfmOptions.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "common/ShippedFiles.h"
#include "compile/TfmCompile.h"
#include "compile/TfmFindAndCompile.h"
#include "compile/TfmReplaceInBook.h"
#include "desk/DeskView.h"
#include "desk/LoadProgress.h"
#include "desk/SheetCommands.h"
#include "desk/TKerfa.h"
#include "editor/ExploreFolder.h"
#include "editor/LiveSheetText.h"
#include "editor/TfmSnapshots.h"
#include "language/FormCaptions.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "platform/FileTypes.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenCentre.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <utility>

namespace {

// How long a report in the status bar stays, in milliseconds.
constexpr int kStatusShown = 8000;

// For Kerfa's own files, which have no message of their own.
void warnNotSaved(const QString& path) {
    MessageBoxes::warning(u'\'' + path + QStringLiteral("' ") +
                          Messages::text(Messages::CANNOT_SAVE_FILE));
}

} // namespace

TfmMain::TfmMain(QWidget* parent)
    : QMainWindow(parent), m_scrlbMain(new DeskView(m_model.desk(), this)),
      m_imgFlash(new SplashPicture(m_scrlbMain->viewport())) {
    setObjectName(QStringLiteral("fmMain"));
    setCentralWidget(m_scrlbMain);
    m_commands = std::make_unique<MainCommands>(*this);
    m_lblWordsToday = new QLabel(this);
    m_lblWordsToday->setObjectName(QStringLiteral("lblWordsToday"));
    statusBar()->setObjectName(QStringLiteral("sbMain"));
    statusBar()->addPermanentWidget(m_lblWordsToday);
    statusBar()->setSizeGripEnabled(false);
    FormCaptions::apply(this);
    m_scrlbMain->setPopupMenus(m_commands->menu(QStringLiteral("pmnuKerfa")),
                               m_commands->menu(QStringLiteral("pmnuPanel")));
    connect(m_scrlbMain, &DeskView::refreshNeeded, this, &TfmMain::RefreshWindow);
    connect(m_scrlbMain, &DeskView::deskChanged, this, [this] { project().modified = true; });
    connect(m_scrlbMain, &DeskView::editRequested, &m_model, &MainModel::OpenEditor);

    ProjectCommands& commands = m_model.commands();
    commands.setDialogParent(this);
    m_model.setWindowChrome([this] {
        return QSize(frameGeometry().width() - width(),
                     frameGeometry().height() - height() + menuBar()->sizeHint().height());
    });
    connect(&commands, &ProjectCommands::loadStarting, this, &TfmMain::prepareForLoad);
    LoadProgress* progress = m_scrlbMain->loadProgress();
    connect(&commands, &ProjectCommands::loadStarting, progress, &LoadProgress::begin);
    connect(&commands, &ProjectCommands::loadProgress, progress, &LoadProgress::advance);
    connect(&commands, &ProjectCommands::loadProgress, this,
            [this](qsizetype done, qsizetype total) {
                if (done >= total && std::exchange(m_closeAfterLoad, false))
                    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
            });
    connect(&commands, &ProjectCommands::workspaceSizeSet, this, &TfmMain::scrollToOrigin);
    connect(&m_model, &MainModel::workspaceResized, this, &TfmMain::scrollToOrigin);
    connect(&commands, &ProjectCommands::refreshNeeded, this, &TfmMain::RefreshWindow);
    connect(&m_model.theme(), &Theme::stateCaptionsChanged, this, &TfmMain::SetStateCaptions);
    m_model.sheetTexts().setDialogParent(this);
    connect(&m_model.sheetTexts(), &SheetTextCommands::helpRequested, this, &TfmMain::mnuHelpClick);
    connect(&m_model.editors(), &EditorRegistry::editorClosed, this, &TfmMain::RefreshWindow);
    connect(&m_model.compileCommands(), &CompileCommands::refreshNeeded, this,
            &TfmMain::RefreshWindow);
    connect(&m_model.wordProgress(), &WordProgress::counted, this, &TfmMain::showWordsToday);
    connect(&Language::instance(), &Language::applied, this, &TfmMain::showWordsToday);
    // Its copies are the book's on the desk: another book takes the window away.
    for (const auto signal : {&ProjectCommands::loadStarting, &ProjectCommands::projectClosed})
        connect(&m_model.commands(), signal, this, [this] {
            if (m_fmRecovery)
                m_fmRecovery->close();
        });
    connect(&m_model.recovery(), &BookRecovery::copiesFound, this,
            [this](const QList<TfmRecovery::Entry>& entries) { showRecovery(entries, false); });
    FormCreate();
}

TfmMain::~TfmMain() = default;

QWidget* TfmMain::imgFlash() const {
    return m_imgFlash;
}

void TfmMain::FormCreate() {
    m_firstShow = false;
    m_mru = new TMRUFiles(this);
    m_mru->setMenuItem(m_commands->menu(QStringLiteral("mmnuFile")),
                       m_commands->action(QStringLiteral("mnuOpenProject")));
    connect(m_mru, &TMRUFiles::clicked, this, &TfmMain::OpenRecentProject);
    connect(&m_model.commands(), &ProjectCommands::projectLoaded, m_mru, &TMRUFiles::AddFile);
    const QString programFolder = ProgramFolder::path();
    // What killed saves left there goes before anything is read or written.
    ProgramFolder::removeLeftovers();
    // An installed Kerfa has its file types from its package, and each user a program folder of
    // their own, brought in step with the shipped data at every start.
    const QString shipped = ProgramFolder::shippedData();
    QString failed;
    if (shipped.isEmpty())
        failed =
            FileTypes::registerFileTypes(QCoreApplication::applicationFilePath(), programFolder);
    else if (programFolder == ProgramFolder::userFolder())
        failed = ShippedFiles::update(shipped, programFolder);
    if (!failed.isEmpty())
        warnNotSaved(failed);
    desk().setCurrent(nullptr);
    project().workspaceSize = ProjectState::Normal;
    SizeWorkspace();
    LoadSettings();
    if (QFileInfo(programFolder + QStringLiteral("Themes/") + settings().defaultTheme).isFile())
        m_model.commands().useTheme(settings().defaultTheme);
    else
        m_model.commands().useBuiltInTheme();
    ProjectState& state = project();
    state.projectFolder.clear();
    state.projectFileName = QStringLiteral("unnamed");
    state.onDisk = false;
    state.freshStart = true;
    state.nextSheetType = 1;
    desk().doubleClickGuard = false;
    state.modified = false;
    RefreshWindow();
}

void TfmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
}

void TfmMain::FormShow() {
    if (!m_firstShow) {
        setAcceptDrops(true);
        m_model.ApplyLanguage();
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
    // A load lets the window system's events through between its steps; the window closes once
    // the desk it is filling is whole.
    if (m_model.commands().isLoading()) {
        m_closeAfterLoad = true;
        event->ignore();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TfmMain::FormCloseQuery() {
    // The same two questions as before the project is replaced: changed editors, then the desk.
    return m_model.commands().AskToSaveChanges() == ProjectCommands::AskResult::Proceed;
}

void TfmMain::FormClose() {
    SaveSettings();
    // The tool windows go with the desk they work on; left open, they would keep the program
    // running without its main window.
    if (m_fmCompile)
        m_fmCompile->hide();
    if (m_fmFindAndCompile)
        m_fmFindAndCompile->hide();
    if (m_fmReplaceInBook)
        m_fmReplaceInBook->hide();
    if (m_fmDayChart)
        m_fmDayChart->hide();
    // What is left in it is offered again at the next start.
    if (m_fmRecovery)
        m_fmRecovery->close();
    desk().clear();
    m_model.recovery().closeBooks();
}

void TfmMain::keyPressEvent(QKeyEvent* event) {
    if (!m_model.FormKeyDown(event->key(), *m_scrlbMain))
        QMainWindow::keyPressEvent(event);
}

QString TfmMain::settingsPath() const {
    return ProgramFolder::path() + AppSettings::fileName();
}

void TfmMain::LoadSettings() {
    m_mru->LoadFromIni(settingsPath(), QStringLiteral("MRUList"));
    const IniFile file(settingsPath());
    settings().load(file, &EditorFont::defaultFamily);
    HintSwitch::instance().setEnabled(settings().descriptiveHints);
    m_model.applyEditorSettings();
    setWindowState(Qt::WindowNoState);
    resize(700, 500);
    if (settings().saveWindowPos) {
        move(settings().window.topLeft());
        resize(settings().window.size());
    }
}

void TfmMain::SaveSettings() {
    bool saved = m_mru->SaveToIni(settingsPath(), QStringLiteral("MRUList"));
    IniFile file(settingsPath());
    settings().descriptiveHints = HintSwitch::instance().isEnabled();
    const QRect bounds(pos(), size());
    settings().save(file, isMaximized() ? nullptr : &bounds);
    saved = file.save() && saved;
    if (!saved)
        warnNotSaved(settingsPath());
}

void TfmMain::SizeWorkspace() {
    scrollToOrigin();
    m_model.SizeWorkspace();
}

void TfmMain::scrollToOrigin() {
    m_scrlbMain->horizontalScrollBar()->setValue(0);
    m_scrlbMain->verticalScrollBar()->setValue(0);
}

void TfmMain::prepareForLoad() {
    if (!isVisible())
        show();
    m_imgFlash->hide();
}

void TfmMain::RefreshWindow() {
    CommandContext context{
        ProjectWindowState::of(project(), theme().isLoaded(), !desk().sheets().isEmpty()), {}};
    if (const TKerfa* sheet = desk().current())
        context.sheet =
            SheetPopupState::of(sheet->SheetType, sheet->State, sheet->LinkTo != nullptr,
                                sheet->isEditing(), theme().data().stateNames);
    setWindowTitle(context.project.caption);
    m_commands->refresh(context);
    if (context.sheet)
        m_commands->showSheetPopup(*context.sheet);
}

void TfmMain::SetStateCaptions() {
    const ThemeData& data = theme().data();
    m_commands->menu(QStringLiteral("pmnuStateTitle"))->setTitle(data.statesTitle);
    for (int i = 0; i < ThemeData::kStates; ++i)
        m_commands->action(QStringLiteral("pmnuState%1").arg(i))->setText(data.stateNames.value(i));
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
    // Nothing is dropped while a project loads.
    if (event->mimeData()->hasUrls() && !m_model.commands().isLoading())
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
    switch (DroppedFiles::classify(paths)) {
    case DroppedFiles::Kind::TooMany:
        MessageBoxes::information(Messages::text(Messages::ONLY_ONE_FILE));
        break;
    case DroppedFiles::Kind::SheetFile:
        MessageBoxes::information(Messages::text(Messages::KERFAS_DONT_OPEN));
        break;
    case DroppedFiles::Kind::TextFile: {
        if (!project().onDisk) {
            MessageBoxes::information(Messages::text(Messages::SAVE_YOUR_PROJECT) + u' ' +
                                      Messages::text(Messages::AUTO_CREATING));
            break;
        }
        // A new sheet where the file was let go, named by the writer, with the file's text.
        const QPoint at =
            m_scrlbMain->mapToScene(m_scrlbMain->viewport()->mapFromGlobal(QCursor::pos()))
                .toPoint();
        if (const TKerfa* sheet = m_model.sheetCommands().NewSheet(at))
            m_model.sheetTexts().fillFromDroppedFile(sheet, paths.front());
        break;
    }
    case DroppedFiles::Kind::NotText:
        MessageBoxes::information(Messages::text(Messages::NOT_TEXT_FILE));
        break;
    case DroppedFiles::Kind::Project:
        if (m_model.commands().AskToSaveChanges() == ProjectCommands::AskResult::Proceed)
            LoadProject(paths.front());
        break;
    }
}

void TfmMain::OpenRecentProject(const QString& path) {
    if (!QFileInfo::exists(path)) {
        m_mru->RemoveFile(path);
        MessageBoxes::information(u'\'' + QFileInfo(path).fileName() + QStringLiteral("' ") +
                                  Messages::text(Messages::DOES_NOT_EXIST));
        return;
    }
    if (m_model.commands().AskToSaveChanges() == ProjectCommands::AskResult::Proceed)
        LoadProject(path);
}

void TfmMain::setPropertiesDialog(TfmProperties* dialog) {
    m_model.sheetCommands().setDialog(dialog);
}

void TfmMain::setCompileWindows(TfmCompile* compile, TfmFindAndCompile* findAndCompile) {
    m_fmCompile = compile;
    m_fmFindAndCompile = findAndCompile;
    compile->setCommands(&m_model.compileCommands());
    compile->setSettingsFile(settingsPath());
    connect(compile, &TfmCompile::editRequested, this,
            [this](const QString& name) { m_model.OpenEditor(desk().findSheet(name)); });
    findAndCompile->setCommands(&m_model.compileCommands());
    connect(findAndCompile, &TfmFindAndCompile::matched, this, [this] {
        if (!m_fmCompile->isVisible())
            mnuCompileClick();
    });
}

void TfmMain::makeCompileWindows() {
    if (m_fmCompile)
        return;
    m_ownCompile = std::make_unique<TfmCompile>();
    m_ownFindAndCompile = std::make_unique<TfmFindAndCompile>();
    setCompileWindows(m_ownCompile.get(), m_ownFindAndCompile.get());
}

void TfmMain::mnuCompileClick() {
    makeCompileWindows();
    m_fmCompile->open();
}

void TfmMain::mnuFindAndCompileClick() {
    makeCompileWindows();
    m_fmFindAndCompile->show();
    m_fmFindAndCompile->raise();
    m_fmFindAndCompile->activateWindow();
}

void TfmMain::mnuReplaceInBookClick() {
    if (!m_fmReplaceInBook) {
        m_fmReplaceInBook = new TfmReplaceInBook(this);
        m_fmReplaceInBook->setCommands(&m_model.bookReplace());
        connect(m_fmReplaceInBook, &TfmReplaceInBook::editRequested, this,
                [this](const QString& name) { m_model.OpenEditor(desk().findSheet(name)); });
    }
    m_fmReplaceInBook->show();
    m_fmReplaceInBook->raise();
    m_fmReplaceInBook->activateWindow();
}

LiveSheetText TfmMain::currentSheetText() {
    const TKerfa* sheet = desk().current();
    return LiveSheetText(project().projectFolder, sheet ? sheet->SheetName : QString(),
                         sheet ? m_model.editors().editorOf(sheet) : nullptr);
}

void TfmMain::pmnuTakeSnapshotClick() {
    if (!desk().current())
        return;
    const LiveSheetText text = currentSheetText();
    const LiveSheetText::Taken taken = text.snapshot();
    if (taken == LiveSheetText::Taken::Failed)
        MessageBoxes::warning(text.said(taken));
    else
        statusBar()->showMessage(text.said(taken), kStatusShown);
}

void TfmMain::pmnuSnapshotsClick() {
    if (!desk().current())
        return;
    auto* window = new TfmSnapshots(currentSheetText(), this);
    window->show();
}

void TfmMain::pmnuAddToCompilationClick() {
    if (m_model.compileCommands().AddToCompilation())
        mnuCompileClick();
}

void TfmMain::pmnuLinksToCompilationClick() {
    if (m_model.compileCommands().LinksToCompilation())
        mnuCompileClick();
}

void TfmMain::KerfaDoubleClick() {
    m_scrlbMain->KerfaDoubleClick();
}

void TfmMain::pmnuNewKerfaClick() {
    m_model.sheetCommands().newCommand(m_scrlbMain->cursorPos());
}

void TfmMain::pmnuPropertiesClick() {
    m_model.sheetCommands().propertiesCommand();
}

void TfmMain::pmnuDeleteClick() {
    m_model.sheetCommands().deleteCommand();
}

void TfmMain::mnuNewProjectClick() {
    m_model.commands().NewProject();
}

void TfmMain::mnuOpenProjectClick() {
    m_model.commands().OpenProject();
}

void TfmMain::mnuSaveProjectClick() {
    m_model.commands().SaveProject();
}

void TfmMain::mnuSaveProjectAsClick() {
    m_model.commands().SaveProjectAs();
}

void TfmMain::mnuBackupProjectClick() {
    m_model.commands().BackupProject();
}

void TfmMain::mnuExploreProjectClick() {
    exploreFolder(project().textFolder());
}

void TfmMain::mnuExploreTemplatesClick() {
    exploreFolder(ProgramFolder::sub(QStringLiteral("Templates")));
}

void TfmMain::mnuExploreBackupsClick() {
    exploreFolder(ProgramFolder::sub(QStringLiteral("Backups")));
}

void TfmMain::mnuExploreThemesClick() {
    exploreFolder(ProgramFolder::sub(QStringLiteral("Themes")));
}

void TfmMain::mnuExploreDictionariesClick() {
    exploreFolder(ProgramFolder::sub(QStringLiteral("Spelling")));
}

void TfmMain::mnuExploreThesaurusClick() {
    exploreFolder(ProgramFolder::sub(QStringLiteral("Thesaurus")));
}

void TfmMain::mnuExitClick() {
    close();
}

void TfmMain::mnuWordCountClick() {
    m_model.wordCounts().showCount();
}

void TfmMain::pmnuWordCountClick() {
    m_model.wordCounts().showSheetCount();
}

void TfmMain::pmnuTargetClick() {
    m_model.sheetCommands().targetCommand();
}

void TfmMain::mnuWordsPerDayClick() {
    if (!m_fmDayChart) {
        m_fmDayChart = new TfmDayChart(this);
        centreOver(m_fmDayChart, this);
    }
    WordProgress& progress = m_model.wordProgress();
    m_fmDayChart->showLog(progress.dayLog(), progress.today());
    m_fmDayChart->show();
    m_fmDayChart->raise();
    m_fmDayChart->activateWindow();
}

void TfmMain::showWordsToday() {
    const WordProgress& progress = m_model.wordProgress();
    m_lblWordsToday->setVisible(progress.isCounted());
    m_lblWordsToday->setText(Messages::text(Messages::WORDS_TODAY) + u' ' +
                             QLocale().toString(progress.writtenToday()) + u' ');
    if (m_fmDayChart && m_fmDayChart->isVisible())
        m_fmDayChart->showLog(progress.dayLog(), progress.today());
}

void TfmMain::pmnuPrintClick() {
    if (!m_model.sheetCommands().textToPrint().isEmpty())
        m_model.sheetTexts().PrintSheet(desk().current());
}

void TfmMain::mnuOptionsClick() {
    if (!m_fmOptions) {
        m_ownOptions = std::make_unique<TfmOptions>();
        m_fmOptions = m_ownOptions.get();
    }
    m_fmOptions->setChoices(m_model.options());
    if (m_fmOptions->exec() == QDialog::Accepted) {
        m_model.applyOptions(m_fmOptions->choices());
        // At once: the choices hold even if Kerfa is ended without closing this window.
        SaveSettings();
    }
    RefreshWindow();
}

void TfmMain::mnuHelpClick() {
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->showContents();
}

void TfmMain::mnuRecoverClick() {
    QList<TfmRecovery::Entry> entries = m_model.recovery().everything();
    if (entries.isEmpty()) {
        MessageBoxes::information(Messages::text(Messages::NO_RECOVERED_TEXT));
        return;
    }
    showRecovery(std::move(entries), true);
}

void TfmMain::showRecovery(QList<TfmRecovery::Entry> entries, bool withBooks) {
    if (entries.isEmpty())
        return;
    if (m_fmRecovery)
        m_fmRecovery->close();
    TfmRecovery::Actions actions = m_model.recovery().actions();
    // The window stays in front of the editor a restore opened, while copies are left in it.
    actions.restore = [this, restore = std::move(actions.restore)](const TfmRecovery::Entry& e) {
        const bool restored = restore(e);
        if (restored && m_fmRecovery && m_fmRecovery->entries().size() > 1)
            QTimer::singleShot(0, m_fmRecovery, [window = m_fmRecovery] {
                window->raise();
                window->activateWindow();
            });
        return restored;
    };
    m_fmRecovery = new TfmRecovery(std::move(entries), std::move(actions), withBooks, this);
    m_fmRecovery->show();
    m_fmRecovery->raise();
    m_fmRecovery->activateWindow();
}

void TfmMain::mnuAboutClick() {
    if (!m_fmAbout) {
        m_ownAbout = std::make_unique<TfmAbout>();
        m_fmAbout = m_ownAbout.get();
    }
    m_fmAbout->exec();
}
