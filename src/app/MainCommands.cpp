#include "app/MainCommands.h"

#include "app/TfmMain.h"

#include <QAction>
#include <QMenu>

namespace {

bool newProject(const CommandContext& c) {
    return c.project.newProject;
}
bool saveProject(const CommandContext& c) {
    return c.project.save;
}
bool saveProjectAs(const CommandContext& c) {
    return c.project.saveAs;
}
bool backupProject(const CommandContext& c) {
    return c.project.backup;
}
bool tools(const CommandContext& c) {
    return c.project.tools;
}
// The sheet popup, set up for the current sheet.
template <int State> bool revisionState(const CommandContext& c) {
    return c.sheet && c.sheet->stateEnabled[State];
}
bool sheetProperties(const CommandContext& c) {
    return c.sheet && c.sheet->properties;
}
bool sheetTarget(const CommandContext& c) {
    return c.sheet && c.sheet->notCompilation;
}
bool projectOnDisk(const CommandContext& c) {
    return c.project.backup;
}

} // namespace

std::span<const MainCommands::Row> MainCommands::rows() {
    using K = Kind;
    using M = TfmMain;
    static const Row kRows[] = {
        {K::MenuBarMenu, nullptr, "mmnuFile", {}, nullptr, nullptr},
        {K::Item, "mmnuFile", "mnuNewProject", Qt::CTRL | Qt::Key_N, &M::mnuNewProjectClick,
         newProject},
        {K::Separator, "mmnuFile", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuFile", "mnuOpenProject", Qt::CTRL | Qt::Key_O, &M::mnuOpenProjectClick,
         nullptr},
        {K::Separator, "mmnuFile", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuFile", "mnuSaveProject", Qt::CTRL | Qt::Key_S, &M::mnuSaveProjectClick,
         saveProject},
        {K::Item, "mmnuFile", "mnuSaveProjectAs", {}, &M::mnuSaveProjectAsClick, saveProjectAs},
        {K::Separator, "mmnuFile", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuFile", "mnuBackupProject", {}, &M::mnuBackupProjectClick, backupProject},
        {K::Separator, "mmnuFile", nullptr, {}, nullptr, nullptr},
        {K::Submenu, "mmnuFile", "mnuExplore", {}, nullptr, nullptr},
        {K::Item, "mnuExplore", "mnuExploreProject", {}, &M::mnuExploreProjectClick, backupProject},
        {K::Item, "mnuExplore", "mnuExploreTemplates", {}, &M::mnuExploreTemplatesClick, nullptr},
        {K::Item, "mnuExplore", "mnuExploreBackups", {}, &M::mnuExploreBackupsClick, nullptr},
        {K::Separator, "mnuExplore", nullptr, {}, nullptr, nullptr},
        {K::Item, "mnuExplore", "mnuExploreThemes", {}, &M::mnuExploreThemesClick, nullptr},
        {K::Separator, "mnuExplore", nullptr, {}, nullptr, nullptr},
        {K::Item,
         "mnuExplore",
         "mnuExploreDictionaries",
         {},
         &M::mnuExploreDictionariesClick,
         nullptr},
        {K::Item, "mnuExplore", "mnuExploreThesaurus", {}, &M::mnuExploreThesaurusClick, nullptr},
        {K::Separator, "mmnuFile", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuFile", "mnuExit", {}, &M::mnuExitClick, nullptr},

        {K::MenuBarMenu, nullptr, "mmnuTools", {}, nullptr, nullptr},
        {K::Item, "mmnuTools", "mnuFindAndCompile", Qt::Key_F2, &M::mnuFindAndCompileClick, tools},
        {K::Item, "mmnuTools", "mnuCompile", Qt::Key_F8, &M::mnuCompileClick, tools},
        {K::Item, "mmnuTools", "mnuWordCount", Qt::Key_F9, &M::mnuWordCountClick, tools},
        {K::Item, "mmnuTools", "mnuReplaceInBook", Qt::CTRL | Qt::Key_H, &M::mnuReplaceInBookClick,
         tools},
        {K::Item, "mmnuTools", "mnuWordsPerDay", {}, &M::mnuWordsPerDayClick, projectOnDisk},
        {K::Separator, "mmnuTools", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuTools", "mnuOptions", Qt::Key_F10, &M::mnuOptionsClick, nullptr},

        {K::MenuBarMenu, nullptr, "mmnuHelp", {}, nullptr, nullptr},
        {K::Item, "mmnuHelp", "mnuHelp", Qt::Key_F1, &M::mnuHelpClick, nullptr},
        {K::Item, "mmnuHelp", "mnuRecover", {}, &M::mnuRecoverClick, nullptr},
        {K::Separator, "mmnuHelp", nullptr, {}, nullptr, nullptr},
        {K::Item, "mmnuHelp", "mnuAbout", {}, &M::mnuAboutClick, nullptr},

        {K::Popup, nullptr, "pmnuKerfa", {}, nullptr, nullptr},
        {K::DefaultItem, "pmnuKerfa", "pmnuEdit", Qt::Key_Enter, &M::KerfaDoubleClick, nullptr},
        {K::Separator, "pmnuKerfa", nullptr, {}, nullptr, nullptr},
        {K::Submenu, "pmnuKerfa", "pmnuStateTitle", {}, nullptr, nullptr},
        {K::CheckItem, "pmnuStateTitle", "pmnuState0", {}, &M::pmnuState0Click, revisionState<0>},
        {K::CheckItem, "pmnuStateTitle", "pmnuState1", {}, &M::pmnuState1Click, revisionState<1>},
        {K::CheckItem, "pmnuStateTitle", "pmnuState2", {}, &M::pmnuState2Click, revisionState<2>},
        {K::CheckItem, "pmnuStateTitle", "pmnuState3", {}, &M::pmnuState3Click, revisionState<3>},
        {K::CheckItem, "pmnuStateTitle", "pmnuState4", {}, &M::pmnuState4Click, revisionState<4>},
        {K::CheckItem, "pmnuStateTitle", "pmnuState5", {}, &M::pmnuState5Click, revisionState<5>},
        {K::Item, "pmnuKerfa", "pmnuWordCount", {}, &M::pmnuWordCountClick, nullptr},
        {K::Item, "pmnuKerfa", "pmnuTarget", {}, &M::pmnuTargetClick, sheetTarget},
        {K::Submenu, "pmnuKerfa", "pmnuCompilation", {}, nullptr, nullptr},
        {K::Item,
         "pmnuCompilation",
         "pmnuAddToCompilation",
         {},
         &M::pmnuAddToCompilationClick,
         nullptr},
        {K::Item,
         "pmnuCompilation",
         "pmnuLinksToCompilation",
         {},
         &M::pmnuLinksToCompilationClick,
         nullptr},
        {K::Separator, "pmnuKerfa", nullptr, {}, nullptr, nullptr},
        {K::Item, "pmnuKerfa", "pmnuTakeSnapshot", {}, &M::pmnuTakeSnapshotClick, nullptr},
        {K::Item, "pmnuKerfa", "pmnuSnapshots", {}, &M::pmnuSnapshotsClick, nullptr},
        {K::Separator, "pmnuKerfa", nullptr, {}, nullptr, nullptr},
        {K::Item, "pmnuKerfa", "pmnuPrint", {}, &M::pmnuPrintClick, nullptr},
        {K::Item, "pmnuKerfa", "pmnuDelete", Qt::Key_Delete, &M::pmnuDeleteClick, nullptr},
        {K::Separator, "pmnuKerfa", nullptr, {}, nullptr, nullptr},
        {K::Item, "pmnuKerfa", "pmnuProperties", Qt::Key_Space, &M::pmnuPropertiesClick,
         sheetProperties},

        {K::Popup, nullptr, "pmnuPanel", {}, nullptr, nullptr},
        {K::Item, "pmnuPanel", "pmnuNewKerfa", Qt::Key_Insert, &M::pmnuNewKerfaClick, nullptr},
    };
    return kRows;
}

MainCommands::MainCommands(TfmMain& window) : MenuTable(window, rows(), &TfmMain::menuClicked) {}

void MainCommands::showSheetPopup(const SheetPopupState& popup) {
    for (int i = 0; i < SheetPopupState::kStates; ++i) {
        QAction* state = action(QStringLiteral("pmnuState%1").arg(i));
        state->setVisible(popup.stateVisible[i]);
        state->setChecked(popup.stateChecked[i]);
    }
    menu(QStringLiteral("pmnuStateTitle"))->menuAction()->setVisible(popup.notCompilation);
    menu(QStringLiteral("pmnuCompilation"))->menuAction()->setVisible(popup.notCompilation);
    action(QStringLiteral("pmnuLinksToCompilation"))->setVisible(popup.linksToCompilation);
    // Properties and the separator above it.
    QAction* properties = action(QStringLiteral("pmnuProperties"));
    const QList<QAction*> items = menu(QStringLiteral("pmnuKerfa"))->actions();
    if (const qsizetype at = items.indexOf(properties); at > 0)
        items[at - 1]->setVisible(popup.notCompilation);
    properties->setVisible(popup.notCompilation);
}
