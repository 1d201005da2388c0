#include "themes/ThemeData.h"

#include "common/IniFile.h"

#include <algorithm>

namespace {

const char* const kFileTypeNames[ThemeData::kTypes] = {"Chapter",
                                                       "Scene",
                                                       "Male Character",
                                                       "Female Character",
                                                       "Dialogue",
                                                       "Plot Outline",
                                                       "Note",
                                                       "Project Notes",
                                                       "",
                                                       "",
                                                       "",
                                                       ""};
const char* const kStateNames[ThemeData::kStates] = {"&Draft", "&Revised", "&Completed",
                                                     "",       "",         ""};
const char* const kMarkers[ThemeData::kStates] = {"*", "(R)", "(C)", "*", "*", "*"};

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString ThemeData::slotKey(int slot) {
    return slot == 0 ? QStringLiteral("Compilation") : twoDigits(slot - 1);
}

int ThemeData::typeCodeOf(int typeIndex) {
    if (typeIndex >= 0 && typeIndex < kTypes)
        return typeIndex + 1;
    return typeIndex == -1 ? 0 : 1;
}

ThemeData ThemeData::builtIn() {
    ThemeData theme;
    for (int i = 0; i < kTypes; ++i) {
        const QString name = QString::fromLatin1(kFileTypeNames[i]);
        theme.typeNames << (name.isEmpty() ? name : u'&' + name);
    }
    for (int i = 0; i < kStates; ++i) {
        theme.stateNames << QString::fromLatin1(kStateNames[i]);
        theme.stateMarkers << QString::fromLatin1(kMarkers[i]);
    }
    theme.iconSizes.fill(kDefaultSize);
    return theme;
}

ThemeData ThemeData::read(const IniFile& file) {
    ThemeData theme;
    // Everything but the type names is read without the blanks around it.
    const auto str = [&file](QStringView section, const QString& key, const QString& fallback) {
        return file.readString(section, key, fallback).trimmed();
    };
    theme.iconFolder = str(u"Theme", QStringLiteral("IconFolder"), theme.iconFolder);
    theme.background = str(u"Theme", QStringLiteral("Background_Colour"), theme.background);
    theme.labelColour = str(u"Theme", QStringLiteral("Label_Colour"), theme.labelColour);
    theme.labelTransparent = file.readBool(u"Theme", u"Label_Transparent", true);
    theme.textColour = str(u"Theme", QStringLiteral("Text_Colour"), theme.textColour);
    theme.selectedColour = str(u"Theme", QStringLiteral("Selected_Colour"), theme.selectedColour);
    theme.editingColour = str(u"Theme", QStringLiteral("Editing_Colour"), theme.editingColour);
    theme.lineColour = str(u"Theme", QStringLiteral("Line_Colour"), theme.lineColour);

    for (int i = 0; i < kTypes; ++i)
        theme.typeNames << file.readString(u"Types", QStringLiteral("Type_") + twoDigits(i),
                                           QString::fromLatin1(kFileTypeNames[i]));
    for (int slot = 0; slot < kSlots; ++slot) {
        theme.iconFiles[slot] = str(u"Icons", QStringLiteral("Icon_") + slotKey(slot), {});
        const int size =
            file.readInteger(u"Icons", QStringLiteral("Size_") + slotKey(slot), kDefaultSize);
        theme.iconSizes[slot] = std::clamp(size, kMinSize, kMaxSize);
    }
    theme.statesTitle = str(u"States", QStringLiteral("Description"), theme.statesTitle);
    for (int i = 0; i < kStates; ++i) {
        theme.stateNames << str(u"States", QStringLiteral("State_") + twoDigits(i),
                                QString::fromLatin1(kStateNames[i]));
        theme.stateMarkers << str(u"StateMarkers", QStringLiteral("Marker_") + twoDigits(i),
                                  QString::fromLatin1(kMarkers[i]));
    }
    return theme;
}
