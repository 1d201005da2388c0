#pragma once

#include <QString>

// The editor font when the settings name none.
class EditorFont {
public:
    // "Georgia" when installed, else "Arial"; when neither is, the closest installed serif face.
    static QString defaultFamily();
};
