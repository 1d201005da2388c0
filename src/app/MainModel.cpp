#include "app/MainModel.h"

#include "app/HintSwitch.h"
#include "common/ProgramFolder.h"
#include "desk/DeskView.h"
#include "desk/TKerfa.h"
#include "language/Language.h"
#include "spellui/BookLanguage.h"
#include "themes/ThemeData.h"

#include <QGuiApplication>
#include <QScreen>

MainModel::MainModel(QObject* parent)
    : QObject(parent), m_desk(&m_pnlMain), m_deskTheme(m_desk, m_theme),
      m_deskSheets(m_desk, m_deskTheme), m_recoveryRun(RecoveryStore(RecoveryStore::defaultRoot())),
      m_editors(m_desk), m_commands(m_project, m_theme, m_deskSheets, m_editors),
      m_sheetTexts(m_project, m_editors, m_editorOptions),
      m_recovery(m_recoveryRun, m_project, m_desk, m_editors, m_sheetTexts, m_commands),
      m_wordCounts(m_desk, m_editors, m_project, m_theme),
      m_compileCommands(m_desk, m_deskTheme, m_editors, m_project, m_compilation),
      m_sheetCommands(m_desk, m_deskTheme, m_project, m_commands, m_editors),
      m_bookReplace(m_project, m_desk, m_editors), m_wordProgress(m_desk, m_editors, m_project) {
    m_pnlMain.setObjectName(QStringLiteral("pnlMain"));
    m_pnlMain.setItemIndexMethod(QGraphicsScene::NoIndex);

    connect(&m_commands, &ProjectCommands::workspaceSizeSet, this, &MainModel::SizeWorkspace);
    connect(&m_commands, &ProjectCommands::projectLoaded, &m_compilation, &CompilationList::clear);
    connect(&m_commands, &ProjectCommands::projectClosed, &m_compilation, &CompilationList::clear);
    connect(&m_commands, &ProjectCommands::sheetRenamed, &m_compilation, &CompilationList::rename);
    connect(&m_commands, &ProjectCommands::sheetDeleted, &m_compilation, &CompilationList::remove);
    m_compileCommands.setAutoCreate([this] { return m_settings.autoCompKerfa; });
    // The book is counted once it is on the desk, and follows what changes on it.
    connect(&m_commands, &ProjectCommands::loadStarting, &m_wordProgress,
            &WordProgress::projectClosed);
    connect(&m_commands, &ProjectCommands::projectClosed, &m_wordProgress,
            &WordProgress::projectClosed);
    connect(&m_commands, &ProjectCommands::refreshNeeded, &m_wordProgress,
            &WordProgress::scheduleRefresh);
    connect(&m_sheetCommands, &SheetCommands::targetsChanged, &m_wordProgress,
            &WordProgress::scheduleRefresh);
    // Hits of another book would name sheets this one lacks, or sheets of the same name.
    connect(&m_commands, &ProjectCommands::loadStarting, &m_bookReplace, &BookReplace::clear);
    connect(&m_commands, &ProjectCommands::projectClosed, &m_bookReplace, &BookReplace::clear);
    connect(&m_commands, &ProjectCommands::builtInThemeInForce, this,
            [this] { m_settings.defaultTheme = ThemeData::defaultFileName(); });
    // Every editor's spelling follows the language of the book on the desk.
    connect(&m_commands, &ProjectCommands::languageChanged, &BookLanguage::instance(),
            &BookLanguage::set);
}

MainModel::~MainModel() {
    BookLanguage::instance().set({});
}

void MainModel::applyEditorSettings() {
    EditorSettings editor;
    editor.autoSave = m_settings.autoSave;
    editor.autoSaveInterval = m_settings.autoSaveInterval;
    editor.positioning = m_settings.editMemory;
    editor.stayOnTop = m_settings.stayOnTop;
    editor.fontName = m_settings.fontName;
    editor.fontSize = m_settings.fontSize;
    editor.language = m_settings.language;
    editor.settingsFile = ProgramFolder::path() + AppSettings::fileName();
    m_editorOptions.set(editor);
    m_recoveryRun.setEnabled(m_settings.recovery);
}

bool MainModel::ApplyLanguage() {
    return Language::instance().load(ProgramFolder::sub(QStringLiteral("Languages")) +
                                     m_settings.language);
}

OptionChoices MainModel::options() const {
    OptionChoices options;
    options.language = m_settings.language;
    options.defaultTheme = m_settings.defaultTheme;
    options.rememberAppPos = m_settings.saveWindowPos;
    options.autoCompKerfa = m_settings.autoCompKerfa;
    options.hints = HintSwitch::instance().isEnabled();
    options.workspaceSize = m_project.workspaceSize;
    options.projectTheme = m_project.projectTheme;
    options.boldBaseType = m_project.boldBaseType;
    options.bookLanguage = m_project.language;
    options.positioning = m_settings.editMemory;
    options.editorsOnTop = m_settings.stayOnTop;
    options.fontName = m_settings.fontName;
    options.fontSize = m_settings.fontSize;
    options.autoSave = m_settings.autoSave;
    options.autoSaveInterval = m_settings.autoSaveInterval;
    return options;
}

void MainModel::applyOptions(const OptionChoices& chosen) {
    m_settings.saveWindowPos = chosen.rememberAppPos;
    m_settings.editMemory = chosen.positioning;
    m_settings.autoCompKerfa = chosen.autoCompKerfa;
    m_settings.autoSave = chosen.autoSave;
    m_settings.autoSaveInterval = chosen.autoSaveInterval;
    HintSwitch::instance().setEnabled(chosen.hints);
    m_settings.descriptiveHints = chosen.hints;
    if (chosen.workspaceSize != m_project.workspaceSize) {
        m_project.workspaceSize = chosen.workspaceSize;
        SizeWorkspace();
        Q_EMIT workspaceResized();
        m_project.modified = true;
    }
    if (chosen.boldBaseType != m_project.boldBaseType) {
        m_project.boldBaseType = chosen.boldBaseType;
        m_project.modified = true;
    }
    if (!chosen.language.isEmpty() && chosen.language != m_settings.language) {
        m_settings.language = chosen.language;
        ApplyLanguage();
    }
    if (!chosen.defaultTheme.isEmpty())
        m_settings.defaultTheme = chosen.defaultTheme;
    if (chosen.bookLanguage != m_project.language) {
        m_commands.setLanguage(chosen.bookLanguage);
        m_project.modified = true;
    }
    if (!chosen.projectTheme.isEmpty() && chosen.projectTheme != m_project.projectTheme) {
        m_commands.useTheme(chosen.projectTheme);
        m_project.modified = true;
    }
    // Editor windows opened from now on stay on top; open ones keep their style.
    m_settings.stayOnTop = chosen.editorsOnTop;
    m_settings.fontName = chosen.fontName;
    m_settings.fontSize = chosen.fontSize;
    for (TKerfa* sheet : m_desk.sheets()) {
        if (sheet->BoldBaseType != m_project.boldBaseType)
            sheet->SetBoldBaseType(m_project.boldBaseType);
        if (m_project.modified)
            sheet->KeepInBounds();
    }
    // Every open editor window follows: auto-save, its timer, the font and the captions.
    applyEditorSettings();
}

void MainModel::OpenEditor(TKerfa* sheet) {
    if (!sheet || m_desk.selection().size() > 1)
        return;
    m_sheetTexts.OpenEditor(sheet);
}

bool MainModel::FormKeyDown(int key, DeskView& view) {
    const bool several = m_desk.selection().size() > 1;
    switch (key) {
    case Qt::Key_Insert:
        // Whatever is selected, but only with the pointer over the desk, where the sheet goes.
        if (view.isPointerOnDesk())
            m_sheetCommands.newCommand(view.cursorPos());
        return true;
    case Qt::Key_Delete:
        if (!several)
            m_sheetCommands.deleteCommand();
        return true;
    case Qt::Key_Space:
        if (!several)
            m_sheetCommands.propertiesCommand();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!several && m_desk.current() && view.isPointerOnDesk())
            view.KerfaDoubleClick();
        return true;
    default:
        return false;
    }
}

void MainModel::SizeWorkspace() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(1024, 768);
    m_desk.setExtent(deskExtent(m_project.workspaceSize, size, m_chrome ? m_chrome() : QSize()));
}

QSize MainModel::deskExtent(int workspaceSize, QSize screen, QSize chrome) {
    switch (workspaceSize) {
    case ProjectState::Double:
        return screen * 2;
    case ProjectState::Quadruple:
        return screen * 4;
    default:
        return QSize(screen.width() - chrome.width() + 4, screen.height() - chrome.height() + 4);
    }
}
