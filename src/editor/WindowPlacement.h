#pragma once

#include <QRect>

class IniFile;

// Where an editor window opens, as kept in an [EditWindow] section (of the sheet file, or of
// Kerfa.ini for all editors alike): maximised or not, and the window's left and top edges with
// its width and height.
struct WindowPlacement {
    bool maximised = false;
    QRect bounds{100, 80, 600, 400};

    static WindowPlacement read(const IniFile& file);
    void write(IniFile& file) const;

    bool operator==(const WindowPlacement&) const = default;
};
