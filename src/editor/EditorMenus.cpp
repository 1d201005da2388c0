#include "editor/EditorMenus.h"

#include "editor/TfmEditor.h"

#include <QMenu>
#include <QMenuBar>

namespace {

bool modified(const EditorState& s) {
    return s.modified;
}
bool hasText(const EditorState& s) {
    return s.hasText;
}
bool canUndo(const EditorState& s) {
    return s.canUndo;
}
bool hasSelection(const EditorState& s) {
    return s.hasSelection;
}
bool cut(const EditorState& s) {
    return s.hasSelection && s.writable;
}
bool paste(const EditorState& s) {
    return s.clipboardHasText && s.writable;
}
bool writable(const EditorState& s) {
    return s.writable;
}
bool single(const EditorState& s) {
    return s.single;
}
// The spelling check and the thesaurus change the text they look at.
bool hasWritableText(const EditorState& s) {
    return s.hasText && s.writable;
}

} // namespace

std::span<const EditorMenus::Row> EditorMenus::rows() {
    using K = Kind;
    using E = TfmEditor;
    static const Row kRows[] = {
        {K::MenuBarMenu, nullptr, "mmnuFile", {}, nullptr, nullptr},
        {K::Item, "mmnuFile", "mnuImportText", Qt::CTRL | Qt::Key_I, &E::mnuImportTextClick,
         writable},
        {K::Item, "mmnuFile", "mnuSave", Qt::CTRL | Qt::Key_S, &E::mnuSaveClick, modified},
        {K::Item, "mmnuFile", "mnuPrint", Qt::CTRL | Qt::Key_P, &E::mnuPrintClick, hasText},
        {K::Separator, "mmnuFile", nullptr, {}, nullptr, nullptr},
        {K::Submenu, "mmnuFile", "mnuExplore", {}, nullptr, nullptr},
        {K::Item, "mnuExplore", "mnuExploreTemplates", {}, &E::mnuExploreTemplatesClick, nullptr},
        {K::Item,
         "mnuExplore",
         "mnuExploreDictionaries",
         {},
         &E::mnuExploreDictionariesClick,
         nullptr},
        {K::Item, "mnuExplore", "mnuExploreThesaurus", {}, &E::mnuExploreThesaurusClick, nullptr},
        {K::Separator, "mmnuFile", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuFile", "mnuClose", Qt::Key_Escape, &E::mnuCloseClick, nullptr},

        {K::MenuBarMenu, nullptr, "mmnuEdit", {}, nullptr, nullptr},
        {K::Item, "mmnuEdit", "mnuUndo", Qt::CTRL | Qt::Key_Z, &E::mnuUndoClick, canUndo},
        {K::Separator, "mmnuEdit", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuEdit", "mnuCut", Qt::CTRL | Qt::Key_X, &E::mnuCutClick, cut},
        {K::Item, "mmnuEdit", "mnuCopy", Qt::CTRL | Qt::Key_C, &E::mnuCopyClick, hasSelection},
        {K::Item, "mmnuEdit", "mnuPaste", Qt::CTRL | Qt::Key_V, &E::mnuPasteClick, paste},
        {K::Separator, "mmnuEdit", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuEdit", "mnuSelectAll", Qt::CTRL | Qt::Key_A, &E::mnuSelectAllClick, nullptr},

        {K::MenuBarMenu, nullptr, "mmnuSearch", {}, nullptr, nullptr},
        {K::Item, "mmnuSearch", "mnuFindReplace", Qt::Key_F2, &E::mnuFindReplaceClick, hasText},
        {K::Item, "mmnuSearch", "mnuRepeatFind", Qt::Key_F3, &E::mnuRepeatFindClick, hasText},

        {K::MenuBarMenu, nullptr, "mmnuTools", {}, nullptr, nullptr},
        {K::Item, "mmnuTools", "mnuSpellCheck", Qt::Key_F7, &E::mnuSpellCheckClick,
         hasWritableText},
        {K::Item, "mmnuTools", "mnuSpellingOptions", Qt::SHIFT | Qt::Key_F7,
         &E::mnuSpellingOptionsClick, nullptr},
        {K::Item, "mmnuTools", "mnuThesaurus", Qt::Key_F8, &E::mnuThesaurusClick, hasWritableText},
        {K::Separator, "mmnuTools", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuTools", "mnuWordCount", Qt::Key_F9, &E::mnuWordCountClick, hasText},
        {K::Separator, "mmnuTools", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuTools", "mnuSaveWindowPos", {}, &E::mnuSaveWindowPosClick, single},

        {K::MenuBarMenu, nullptr, "mmnuHelp", {}, nullptr, nullptr},
        {K::Item, "mmnuHelp", "mnuHelp", Qt::Key_F1, &E::mnuHelpClick, nullptr},

        {K::Popup, nullptr, "pmnuEditor", {}, nullptr, nullptr},
        {K::Item, "pmnuEditor", "pmnuUndo", {}, &E::mnuUndoClick, canUndo},
        {K::Separator, "pmnuEditor", nullptr, {}, nullptr, nullptr},
        {K::Item, "pmnuEditor", "pmnuCut", {}, &E::mnuCutClick, cut},
        {K::Item, "pmnuEditor", "pmnuCopy", {}, &E::mnuCopyClick, hasSelection},
        {K::Item, "pmnuEditor", "pmnuPaste", {}, &E::mnuPasteClick, paste},
        {K::Separator, "pmnuEditor", nullptr, {}, nullptr, nullptr},
        {K::Item, "pmnuEditor", "pmnuSelectAll", {}, &E::mnuSelectAllClick, nullptr},
    };
    return kRows;
}

EditorMenus::EditorMenus(TfmEditor& window) {
    window.menuBar()->setObjectName(QStringLiteral("mmnuEditor"));
    for (const Row& row : rows()) {
        const QString name = QString::fromLatin1(row.name);
        const QString parent = QString::fromLatin1(row.parent);
        QMenu* menu = nullptr;
        switch (row.kind) {
        case Kind::MenuBarMenu:
            menu = window.menuBar()->addMenu(QString());
            QObject::connect(menu, &QMenu::aboutToShow, &window, &TfmEditor::menuClicked);
            break;
        case Kind::Popup:
            menu = new QMenu(&window);
            QObject::connect(menu, &QMenu::aboutToShow, &window, &TfmEditor::menuClicked);
            break;
        case Kind::Submenu:
            menu = m_menus.value(parent)->addMenu(QString());
            break;
        case Kind::Separator:
            m_menus.value(parent)->addSeparator();
            continue;
        case Kind::Item: {
            QAction* action = m_menus.value(parent)->addAction(QString());
            action->setObjectName(name);
            if (row.shortcut.key() != Qt::Key_unknown)
                action->setShortcut(row.shortcut);
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

void EditorMenus::refresh(const EditorState& state) {
    for (const auto& [action, rule] : std::as_const(m_rules))
        action->setEnabled(rule(state));
}
