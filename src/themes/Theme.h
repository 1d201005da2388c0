#pragma once

#include "themes/ThemeData.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <array>

class Desk;
class TKerfa;
struct AppSettings;
struct ProjectState;

// The theme in force: its values, the thirteen built-in pictures and the thirteen picture slots a
// theme file fills, and how each sheet looks by its type and revision state.
class Theme : public QObject {
    Q_OBJECT
public:
    Theme(Desk& desk, ProjectState& project, AppSettings& settings, QObject* parent = nullptr);

    // Reads and puts into effect the theme file "Themes/<themeFileName>" of the program folder.
    // A file that does not exist reads as empty; a picture that cannot be read puts the built-in
    // theme in force instead, silently.
    void LoadTheme(const QString& themeFileName);
    void UseBuiltInTheme();
    // Picture, size and colours of the sheet's type; re-places the lines at both its ends.
    void ShowTypeLook(TKerfa* sheet);
    void ShowStateMarker(TKerfa* sheet);
    static void SetTypeFromIndex(TKerfa* sheet, int typeIndex);

    bool isLoaded() const { return m_loaded; }
    const ThemeData& data() const { return m_data; }
    QColor deskColour() const;
    // The picture and size a sheet of this type code shows.
    QImage pictureFor(int typeCode) const;
    int sizeFor(int typeCode) const;

Q_SIGNALS:
    // The revision-state title and names changed; the sheet popup takes them up.
    void stateCaptionsChanged();

private:
    static int slotFor(int typeCode);
    void applyDeskColour();

    Desk& m_desk;
    ProjectState& m_project;
    AppSettings& m_settings;
    ThemeData m_data;
    bool m_loaded = false;
    // The theme file's pictures; a null slot shows the built-in picture (drawn on first use).
    std::array<QImage, ThemeData::kSlots> m_slots;
    std::array<int, ThemeData::kSlots> m_slotSizes{};
};
