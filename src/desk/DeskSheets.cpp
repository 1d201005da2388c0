#include "desk/DeskSheets.h"

#include "desk/Desk.h"
#include "desk/DeskTheme.h"
#include "desk/TKerfa.h"
#include "themes/Theme.h"

DeskSheets::DeskSheets(Desk& desk, DeskTheme& look) : m_desk(desk), m_look(look) {}

SheetRecord DeskSheets::recordOf(const TKerfa* sheet) {
    SheetRecord record;
    record.name = sheet->SheetName;
    record.typeIndex = SheetRecord::typeIndexOf(sheet->SheetType);
    record.state = SheetRecord::storedState(sheet->State);
    record.left = sheet->left();
    record.top = sheet->top();
    record.description = sheet->Description;
    record.linkTo = sheet->LinkToName;
    record.target = sheet->target();
    record.chainTarget = sheet->chainTarget();
    return record;
}

qsizetype DeskSheets::sheetCount() const {
    return m_desk.sheets().size();
}

QList<SheetRecord> DeskSheets::sheetRecords() const {
    QList<SheetRecord> records;
    records.reserve(m_desk.sheets().size());
    for (const TKerfa* sheet : m_desk.sheets())
        records.append(recordOf(sheet));
    return records;
}

void DeskSheets::placeSheet(const SheetRecord& record, bool boldBaseType) {
    TKerfa* sheet = m_desk.prepareSheet();
    sheet->setPosition(record.left, record.top);
    // Laid out once, as it ends up: a sheet that lies on the desk is not moved by a first fit
    // made with its name alone at the size of a new sheet.
    sheet->beginSetUp();
    sheet->SetSheetName(record.name);
    sheet->SetBoldBaseType(boldBaseType);
    DeskTheme::SetTypeFromIndex(sheet, record.typeIndex);
    m_look.ShowTypeLook(sheet);
    // A state the theme leaves unnamed reads as the first.
    const bool named = !m_look.theme().data().stateNames.value(record.state).isEmpty();
    sheet->SetState(named ? static_cast<quint8>(record.state) : 0);
    sheet->LinkToName = record.linkTo;
    sheet->SetDescription(record.description);
    sheet->setTargets(record.target, record.chainTarget);
    m_look.ShowStateMarker(sheet);
    sheet->endSetUp();
    // The sheet comes in front of every sheet before it, with its label.
    m_desk.bringToFront(sheet);
}

void DeskSheets::sheetsPlaced() {
    m_desk.resolveLinks();
    m_desk.layPreparedSheets();
}

void DeskSheets::ClearDesk() {
    m_desk.clear();
}

void DeskSheets::resetDoubleClickGuard() {
    m_desk.doubleClickGuard = false;
}
