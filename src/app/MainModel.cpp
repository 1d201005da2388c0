#include "app/MainModel.h"

#include "desk/DeskView.h"
#include "desk/TKerfa.h"
#include "editor/TfmEditor.h"
#include "themes/ThemeData.h"

#include <QGuiApplication>
#include <QScreen>

MainModel::MainModel(QObject* parent)
    : QObject(parent), m_desk(&m_pnlMain), m_deskTheme(m_desk, m_theme),
      m_deskSheets(m_desk, m_deskTheme), m_editors(m_desk),
      m_commands(m_project, m_theme, m_deskSheets, m_editors),
      m_sheetCommands(m_desk, m_deskTheme, m_project, m_commands) {
    m_pnlMain.setObjectName(QStringLiteral("pnlMain"));
    m_pnlMain.setItemIndexMethod(QGraphicsScene::NoIndex);

    connect(&m_commands, &ProjectCommands::workspaceSizeSet, this, &MainModel::SizeWorkspace);
    connect(&m_commands, &ProjectCommands::projectLoaded, &m_compilation, &CompilationList::clear);
    connect(&m_commands, &ProjectCommands::projectClosed, &m_compilation, &CompilationList::clear);
    connect(&m_commands, &ProjectCommands::sheetRenamed, &m_compilation, &CompilationList::rename);
    connect(&m_commands, &ProjectCommands::sheetDeleted, &m_compilation, &CompilationList::remove);
    connect(&m_commands, &ProjectCommands::builtInThemeInForce, this,
            [this] { m_settings.defaultTheme = ThemeData::defaultFileName(); });
}

void MainModel::OpenEditor(TKerfa* sheet) {
    if (!sheet || m_desk.selection().size() > 1)
        return;
    // A window already open for the sheet comes to the front.
    if (TfmEditor* editor = m_editors.editorOf(sheet)) {
        editor->show();
        editor->raise();
        editor->activateWindow();
        sheet->Repaint();
    }
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
