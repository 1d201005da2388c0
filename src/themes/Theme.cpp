#include "themes/Theme.h"

#include "app/AppSettings.h"
#include "common/ColourString.h"
#include "common/FileNames.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "platform/PictureLoader.h"
#include "project/ProjectState.h"
#include "themes/BuiltInPictures.h"

#include <QGraphicsScene>

Theme::Theme(Desk& desk, ProjectState& project, AppSettings& settings, QObject* parent)
    : QObject(parent), m_desk(desk), m_project(project), m_settings(settings),
      m_data(ThemeData::builtIn()) {}

QColor Theme::deskColour() const {
    return TKerfa::colour(m_data.background);
}

void Theme::applyDeskColour() {
    m_desk.scene()->setBackgroundBrush(deskColour());
}

void Theme::LoadTheme(const QString& themeFileName) {
    m_slots.fill(QImage());

    const QString themes = ProgramFolder::sub(QStringLiteral("Themes"));
    const IniFile file(themes + themeFileName);
    ThemeData data = ThemeData::read(file);
    const QString iconFolder = themes + data.iconFolder;

    if (!ColourString::isValid(data.background))
        data.background = QString::fromLatin1(ColourString::kDesk);

    for (int slot = 0; slot < ThemeData::kSlots; ++slot) {
        const QString path = FileNames::findFile(iconFolder, data.iconFiles[slot]);
        if (path.isEmpty())
            continue;
        const QImage picture = PictureLoader::load(path);
        if (picture.isNull()) {
            UseBuiltInTheme();
            return;
        }
        m_slots[slot] = picture;
        m_slotSizes[slot] = data.iconSizes[slot];
    }

    m_data = data;
    applyDeskColour();
    Q_EMIT stateCaptionsChanged();
    m_loaded = true;
    m_project.projectTheme = themeFileName;
    m_project.nextSheetType = 1;
    for (TKerfa* sheet : m_desk.sheets()) {
        ShowTypeLook(sheet);
        ShowStateMarker(sheet);
    }
}

void Theme::UseBuiltInTheme() {
    m_settings.defaultTheme = QStringLiteral("Book.ini");
    m_project.projectTheme = QStringLiteral("Book.ini");
    m_loaded = false;
    m_project.nextSheetType = 1;
    m_data = ThemeData::builtIn();
    applyDeskColour();
    Q_EMIT stateCaptionsChanged();
    for (TKerfa* sheet : m_desk.sheets())
        ShowTypeLook(sheet);
}

int Theme::slotFor(int typeCode) {
    return (typeCode >= 0 && typeCode <= ThemeData::kTypes) ? typeCode : 1;
}

QImage Theme::pictureFor(int typeCode) const {
    const int slot = slotFor(typeCode);
    return (m_loaded && !m_slots[slot].isNull()) ? m_slots[slot] : BuiltInPictures::picture(slot);
}

int Theme::sizeFor(int typeCode) const {
    const int slot = slotFor(typeCode);
    return (m_loaded && !m_slots[slot].isNull()) ? m_slotSizes[slot] : BuiltInPictures::size(slot);
}

void Theme::ShowTypeLook(TKerfa* sheet) {
    sheet->setPicture(pictureFor(sheet->SheetType));
    sheet->setSize(sizeFor(sheet->SheetType));
    sheet->SetColours(m_data.textColour, m_data.selectedColour, m_data.labelTransparent,
                      m_data.lineColour, m_data.labelColour, m_data.editingColour);
    sheet->PlaceLine();
    if (sheet->LinkedFrom)
        sheet->LinkedFrom->PlaceLine();
}

void Theme::ShowStateMarker(TKerfa* sheet) {
    if (sheet->State < ThemeData::kStates)
        sheet->SetStateMarker(m_data.stateMarkers.value(sheet->State));
}

void Theme::SetTypeFromIndex(TKerfa* sheet, int typeIndex) {
    int code = 1;
    if (typeIndex >= 0 && typeIndex < ThemeData::kTypes)
        code = typeIndex + 1;
    else if (typeIndex == -1)
        code = 0;
    sheet->SetSheetType(static_cast<quint8>(code));
}
