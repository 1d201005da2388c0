#include "desk/DeskTheme.h"

#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "themes/Theme.h"

#include <QGraphicsScene>

DeskTheme::DeskTheme(Desk& desk, const Theme& theme, QObject* parent)
    : QObject(parent), m_desk(desk), m_theme(theme) {
    connect(&theme, &Theme::changed, this, &DeskTheme::showTheme);
}

void DeskTheme::showTheme() {
    m_desk.scene()->setBackgroundBrush(m_theme.deskColour());
    const bool markers = m_theme.isLoaded();
    for (TKerfa* sheet : m_desk.sheets()) {
        ShowTypeLook(sheet);
        if (markers)
            ShowStateMarker(sheet);
    }
}

void DeskTheme::ShowTypeLook(TKerfa* sheet) {
    sheet->setPicture(m_theme.pictureFor(sheet->SheetType));
    sheet->setSize(m_theme.sizeFor(sheet->SheetType));
    sheet->setColours(m_theme.sheetColours());
    m_desk.placeLines(sheet);
}

void DeskTheme::ShowStateMarker(TKerfa* sheet) {
    if (sheet->State < ThemeData::kStates)
        sheet->SetStateMarker(m_theme.data().stateMarkers.value(sheet->State));
}

void DeskTheme::SetTypeFromIndex(TKerfa* sheet, int typeIndex) {
    sheet->SetSheetType(static_cast<quint8>(ThemeData::typeCodeOf(typeIndex)));
}
