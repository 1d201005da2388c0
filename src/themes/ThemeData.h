#pragma once

#include "common/ColourString.h"

#include <QString>
#include <QStringList>
#include <array>

class IniFile;

// What a theme sets: the desk and label colours, the twelve sheet types with their icons and
// sizes, the six revision states with their label markers. Read from a theme file, or the
// built-in values.
struct ThemeData {
    static constexpr int kTypes = 12;
    static constexpr int kStates = 6;
    // Picture slots: 0 is the Compilation sheet, 1..12 the types 00..11.
    static constexpr int kSlots = kTypes + 1;
    static constexpr int kMinSize = 20;
    static constexpr int kMaxSize = 100;
    static constexpr int kDefaultSize = 48;

    QString iconFolder = QStringLiteral("Book Icons");
    QString background = QString::fromLatin1(ColourString::kDesk);
    QString labelColour = QString::fromLatin1(ColourString::kLabel);
    bool labelTransparent = true;
    QString textColour = QString::fromLatin1(ColourString::kText);
    QString selectedColour = QString::fromLatin1(ColourString::kSelected);
    QString editingColour = QString::fromLatin1(ColourString::kEditing);
    QString lineColour = QString::fromLatin1(ColourString::kLine);
    QStringList typeNames;
    std::array<QString, kSlots> iconFiles;
    std::array<int, kSlots> iconSizes{};
    QString statesTitle = QStringLiteral("&Revision Status");
    QStringList stateNames;
    QStringList stateMarkers;

    // The theme Kerfa carries with it, used when no theme file can be.
    static ThemeData builtIn();
    // A theme file; every missing key takes its default, so an empty file gives the defaults.
    static ThemeData read(const IniFile& file);

    // Icon_Compilation, Icon_00 ... Icon_11 and the matching Size_ keys.
    static QString slotKey(int slot);

    // The theme file a project uses unless it names another, and the name the built-in theme
    // goes by.
    static QString defaultFileName() { return QStringLiteral("Book.ini"); }

    // The type code (0 the Compilation sheet, 1 to 12 the types) a stored type index stands for:
    // -1 gives 0, 0 to 11 give 1 to 12, anything else the first type, 1.
    static int typeCodeOf(int typeIndex);
};
