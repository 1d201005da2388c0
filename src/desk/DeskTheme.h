#pragma once

#include <QObject>

class Desk;
class TKerfa;
class Theme;

// Shows the theme in force on the desk: each sheet's picture, size, colours and state marker,
// and the desk's background. When another theme comes into force the whole desk follows it.
class DeskTheme : public QObject {
    Q_OBJECT
public:
    DeskTheme(Desk& desk, const Theme& theme, QObject* parent = nullptr);

    const Theme& theme() const { return m_theme; }

    // Picture, size and colours of the sheet's type; places the lines at both its ends again.
    void ShowTypeLook(TKerfa* sheet);
    // The marker of the sheet's revision state on its label.
    void ShowStateMarker(TKerfa* sheet);
    // Gives the sheet the type a stored type index stands for.
    static void SetTypeFromIndex(TKerfa* sheet, int typeIndex);

private:
    // The desk's background and every sheet's look; the markers too when a theme file came into
    // force (the built-in theme leaves the markers on the labels as they are).
    void showTheme();

    Desk& m_desk;
    const Theme& m_theme;
};
