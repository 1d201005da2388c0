#include "desk/SheetCommands.h"

#include "desk/Desk.h"
#include "desk/DeskSheets.h"
#include "desk/DeskTheme.h"
#include "desk/TKerfa.h"
#include "desk/TargetBox.h"
#include "desk/TfmProperties.h"
#include "desk/TfmTarget.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "project/BookJournal.h"
#include "project/OpenEditors.h"
#include "project/ProjectCommands.h"
#include "project/ProjectState.h"
#include "project/ProjectStorage.h"
#include "project/SheetNames.h"
#include "themes/BuiltInPictures.h"
#include "themes/Theme.h"

#include <QFileInfo>

SheetCommands::SheetCommands(Desk& desk, DeskTheme& look, ProjectState& project,
                             ProjectCommands& commands, OpenEditors& editors, QObject* parent)
    : QObject(parent), m_desk(desk), m_look(look), m_project(project), m_commands(commands),
      m_editors(editors) {}

SheetCommands::~SheetCommands() = default;

void SheetCommands::setDialog(TfmProperties* dialog) {
    m_dialog = dialog;
}

TfmProperties& SheetCommands::dialog() {
    if (m_dialog)
        return *m_dialog;
    if (!m_ownDialog)
        m_ownDialog = std::make_unique<TfmProperties>();
    return *m_ownDialog;
}

void SheetCommands::setTargetDialog(TfmTarget* dialog) {
    m_targetDialog = dialog;
}

TfmTarget& SheetCommands::targetDialog() {
    if (m_targetDialog)
        return *m_targetDialog;
    if (!m_ownTargetDialog)
        m_ownTargetDialog = std::make_unique<TfmTarget>();
    return *m_ownTargetDialog;
}

void SheetCommands::setTargets(TKerfa* sheet, int target, int chainTarget) {
    if (target == sheet->target() && chainTarget == sheet->chainTarget())
        return;
    sheet->setTargets(target, chainTarget);
    m_project.modified = true;
    Q_EMIT targetsChanged(sheet);
}

void SheetCommands::targetCommand() {
    TKerfa* sheet = m_desk.current();
    if (sheet && sheet->SheetType != 0) {
        TfmTarget& dialog = targetDialog();
        dialog.targets()->setTargets(sheet->target(), sheet->chainTarget(), sheet->headsChain());
        if (dialog.exec() == QDialog::Accepted)
            setTargets(sheet, dialog.targets()->target(), dialog.targets()->chainTarget());
    }
    refresh();
}

QStringList SheetCommands::typeNames() const {
    return m_look.theme().data().typeNames;
}

void SheetCommands::refresh() {
    Q_EMIT m_commands.refreshNeeded();
}

void SheetCommands::placeCentred(TKerfa* sheet, QPoint at) {
    sheet->setPosition(at.x() - sheet->width() / 2, at.y() - sheet->height() / 2);
    sheet->KeepInBounds();
}

void SheetCommands::newCommand(QPoint at) {
    if (!m_project.onDisk) {
        MessageBoxes::information(Messages::text(Messages::SAVE_YOUR_PROJECT) + u' ' +
                                  Messages::text(Messages::CREATING_KERFAS));
        return;
    }
    m_desk.selection().clear();
    m_desk.deselectAll();
    NewSheet(at);
}

TKerfa* SheetCommands::NewSheet(QPoint at) {
    // While the dialog is open the sheet lies on the desk, selected, under a placeholder.
    TKerfa* sheet = m_desk.createSheet();
    sheet->SetSheetName(QStringLiteral("unnamed"));
    sheet->setPicture(BuiltInPictures::newSheet());
    sheet->setSize(BuiltInPictures::kNewSheetSize);
    sheet->SetDescription({});
    sheet->setPosition(at.x() - sheet->width() / 2, at.y() - sheet->height() / 2);
    sheet->SetState(0);
    sheet->SetBoldBaseType(m_project.boldBaseType);
    m_desk.bringToFront(sheet);
    sheet->setVisible(true);
    sheet->KeepInBounds();
    if (TKerfa* current = m_desk.current())
        current->SetSelected(false);
    sheet->SetSelected(true);

    TfmProperties& properties = dialog();
    properties.setInputs(
        {true, m_project.projectFolder, {}, {}, m_project.nextSheetType, typeNames()});
    if (properties.exec() != QDialog::Accepted) {
        m_desk.deleteSheet(sheet);
        m_desk.setCurrent(nullptr);
        refresh();
        return nullptr;
    }

    // A theme that names no type leaves nothing to choose: the sheet takes the first type.
    const int index = std::max(properties.typeIndex(), 0);
    DeskTheme::SetTypeFromIndex(sheet, index);
    m_look.ShowTypeLook(sheet);
    sheet->SetSheetName(properties.name());
    sheet->SetDescription(properties.description());
    sheet->setTargets(properties.target(), 0);
    m_look.ShowStateMarker(sheet);
    // Centred on the point at the size its type gives it.
    placeCentred(sheet, at);
    m_desk.setCurrent(sheet);
    m_project.nextSheetType = index < ThemeData::kTypes ? index + 1 : 1;
    // Written at once; a sheet whose file could not be written waits for the next save.
    ProjectStorage::makeFolders(m_project);
    if (!m_commands.SaveSheetFile(DeskSheets::recordOf(sheet))) {
        m_project.modified = true;
        refresh();
    }
    return sheet;
}

void SheetCommands::propertiesCommand() {
    TKerfa* sheet = m_desk.current();
    if (sheet && sheet->SheetType != 0 && !sheet->isEditing()) {
        TfmProperties& properties = dialog();
        properties.setInputs({false, m_project.projectFolder, sheet->SheetName, sheet->Description,
                              sheet->SheetType, typeNames(), sheet->target(), sheet->chainTarget(),
                              sheet->headsChain()});
        if (properties.exec() == QDialog::Accepted) {
            sheet->SetSheetName(properties.name());
            sheet->SetDescription(properties.description());
            // A type the theme does not name shows no row; the sheet keeps it.
            if (properties.typeIndex() >= 0)
                DeskTheme::SetTypeFromIndex(sheet, properties.typeIndex());
            m_look.ShowTypeLook(sheet);
            m_look.ShowStateMarker(sheet);
            m_project.modified = true;
            setTargets(sheet, properties.target(), properties.chainTarget());
            if (sheet->SheetName != sheet->PreviousName)
                renameFiles(sheet);
        }
    }
    refresh();
}

void SheetCommands::renameFiles(TKerfa* sheet) {
    // Sheets linking to it store its new name, in their files too: the files move at once, and
    // a desk never saved afterwards must not lose the link.
    QStringList linkers;
    for (TKerfa* other : m_desk.sheets())
        if (other->LinkTo == sheet) {
            other->SetLinkTo(sheet);
            linkers << other->SheetName;
        }
    if (!BookJournal(m_project.projectFolder)
             .renameSheet(sheet->PreviousName, sheet->SheetName, linkers))
        MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_KERFA));
    Q_EMIT m_commands.sheetRenamed(sheet->PreviousName, sheet->SheetName);
}

void SheetCommands::deleteCommand() {
    TKerfa* sheet = m_desk.current();
    if (!sheet || !m_editors.AskToSaveEditor(sheet->SheetName))
        return;
    // A message box shows "&" as it is.
    const QString question =
        Messages::text(Messages::DELETE_KERFA) + QStringLiteral(" '") + sheet->SheetName + "'?";
    if (MessageBoxes::confirm(question, MessageBoxes::Buttons::YesNo) == MessageBoxes::Answer::Yes)
        DeleteSheet(sheet);
}

bool SheetCommands::DeleteSheet(TKerfa* sheet) {
    const QString name = sheet->SheetName;
    const QString textFile = SheetNames::textFile(m_project.projectFolder, name);
    bool withText = false;
    if (QFileInfo(textFile).isFile()) {
        const QString question = Messages::text(Messages::DELETE_TEXT_FILE) + QStringLiteral(" '") +
                                 name + QStringLiteral("'?");
        switch (MessageBoxes::confirm(question, MessageBoxes::Buttons::YesNoCancel)) {
        case MessageBoxes::Answer::Cancel:
            return false;
        case MessageBoxes::Answer::Yes:
            withText = true;
            break;
        default:
            break;
        }
    }
    // A sheet that linked to it loses its link, in its file at once; the sheet after a chain's
    // first takes the chain's target, which its file stores at the next save.
    QStringList linkers;
    for (const TKerfa* other : m_desk.sheets())
        if (other->LinkTo == sheet) {
            linkers << other->SheetName;
            m_project.modified = true;
        }
    if (sheet->headsChain() && sheet->chainTarget() > 0)
        m_project.modified = true;
    if (!BookJournal(m_project.projectFolder).deleteSheet(name, withText, linkers))
        MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_KERFA));
    m_desk.deleteSheet(sheet);
    Q_EMIT m_commands.sheetDeleted(name);
    m_desk.setCurrent(nullptr);
    refresh();
    return true;
}

void SheetCommands::setState(int state) {
    TKerfa* sheet = m_desk.current();
    if (!sheet)
        return;
    sheet->SetState(static_cast<quint8>(state));
    m_look.ShowStateMarker(sheet);
    m_project.modified = true;
    refresh();
}

QString SheetCommands::textToPrint() const {
    const TKerfa* sheet = m_desk.current();
    if (!sheet)
        return {};
    const QString path = SheetNames::textFile(m_project.projectFolder, sheet->SheetName);
    if (!QFileInfo(path).isFile()) {
        MessageBoxes::information(Messages::text(Messages::NOTHING_TO_PRINT));
        return {};
    }
    return path;
}
