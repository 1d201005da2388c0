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
        {K::Separator, "mmnuTools", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuTools", "mnuTakeSnapshot", {}, &E::mnuTakeSnapshotClick, hasText},
        {K::Item, "mmnuTools", "mnuSnapshots", {}, &E::mnuSnapshotsClick, nullptr},

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

EditorMenus::EditorMenus(TfmEditor& window) : MenuTable(window, rows(), &TfmEditor::menuClicked) {
    window.menuBar()->setObjectName(QStringLiteral("mmnuEditor"));
}
