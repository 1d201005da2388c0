#pragma once

#include "themes/SheetColours.h"
#include "themes/ThemeData.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <array>
#include <memory>

// The theme in force: its values, the thirteen built-in pictures and the thirteen picture slots a
// theme file fills, and the colours its sheets share. It provides them and tells who shows them
// when they change; it changes nobody else's state.
class Theme : public QObject {
    Q_OBJECT
public:
    explicit Theme(QObject* parent = nullptr);

    // Reads and puts into effect the theme file "Themes/<themeFileName>" of the program folder.
    // A file that does not exist reads as empty. False when a picture could not be read: the
    // built-in theme is then in force instead.
    bool LoadTheme(const QString& themeFileName);
    void UseBuiltInTheme();

    // Whether a theme file is in force (not the built-in theme).
    bool isLoaded() const { return m_loaded; }
    const ThemeData& data() const { return m_data; }
    QColor deskColour() const;
    // The picture and size a sheet of this type code shows.
    QImage pictureFor(int typeCode) const;
    int sizeFor(int typeCode) const;
    const std::shared_ptr<const SheetColours>& sheetColours() const { return m_sheetColours; }

Q_SIGNALS:
    // The revision-state title and names changed; the sheet popup takes them up.
    void stateCaptionsChanged();
    // Another theme is in force: the desk takes up its colours and pictures.
    void changed();

private:
    static int slotFor(int typeCode);
    // A file's path, identity, size and time of change: a theme whose files all keep theirs is
    // unchanged.
    static QString stampOf(const QString& path);
    void putInForce(const ThemeData& data, bool loaded);

    ThemeData m_data;
    bool m_loaded = false;
    std::shared_ptr<const SheetColours> m_sheetColours;
    // The theme file's pictures; a null slot shows the built-in picture (drawn on first use).
    std::array<QImage, ThemeData::kSlots> m_slots;
    std::array<int, ThemeData::kSlots> m_slotSizes{};
    // The files the pictures in the slots were read from, as stampOf tells them.
    QString m_stamp;
};
