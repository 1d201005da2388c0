#pragma once

#include <QString>

class IniFile;

// One sheet file ("Kerfa Files/<name>.kfa") as stored: type index, revision state, position,
// description, the name of the linked sheet and the word targets. The [EditWindow] section belongs
// to the sheet's editor window and is left alone here.
struct SheetRecord {
    // The sheet's name, which is also its file's name without ".kfa"; not stored in the file.
    QString name;
    int typeIndex = 0;
    int state = 0;
    int left = 100;
    int top = 100;
    QString description;
    QString linkTo;
    // Word targets in [Target]: the sheet's own ("Words") and, in the first sheet of a chain,
    // the chain's ("ChainWords"). 0, and no key in the file, when there is none.
    int target = 0;
    int chainTarget = 0;

    static SheetRecord read(const IniFile& file);
    void write(IniFile& file) const;

    // Type codes 0..12 store as 0 ("Compilation" is -1); any other code stores as 0.
    static int typeIndexOf(int typeCode);
    // States 1..5 store as they are; anything else as 0.
    static int storedState(int state);
};
