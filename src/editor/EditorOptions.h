#pragma once

#include "editor/EditorSettings.h"

#include <QObject>

// The editor settings in force, shared by every editor window. Whoever changes them (the
// options dialog, through the main window) sets them here, and each open window follows the
// change: its auto-save timer, its menus and its captions.
class EditorOptions : public QObject {
    Q_OBJECT
public:
    explicit EditorOptions(QObject* parent = nullptr) : QObject(parent) {}

    const EditorSettings& settings() const { return m_settings; }
    // Puts the settings in force and tells every window, even when nothing changed: the
    // captions of the language in force are put on them again too.
    void set(const EditorSettings& settings);

Q_SIGNALS:
    void changed();

private:
    EditorSettings m_settings;
};
