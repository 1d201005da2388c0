#pragma once

#include "editor/EditorOptions.h"
#include "editor/TfmEditor.h"
#include "support/ProjectFiles.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>

// A project folder on disk, the editor settings, and scripted boxes and dialogs, for tests of
// real editor windows.
class EditorFixture {
public:
    explicit EditorFixture(TestEnvironment& env) : m_env(env) {}

    void setUp() {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir().mkpath(folder() + QStringLiteral("Text Files"));
        QDir().mkpath(folder() + QStringLiteral("Kerfa Files"));
        QFile::remove(settingsFile());
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_dialogs = std::make_unique<ScriptedFileDialogs>();
        m_printer = std::make_unique<ScriptedPrintDialogs>();
        EditorSettings settings;
        settings.fontName = QStringLiteral("DejaVu Serif");
        settings.settingsFile = settingsFile();
        m_options.set(settings);
    }
    void tearDown() {
        for (const QPointer<TfmEditor>& editor : std::as_const(m_editors))
            delete editor.data();
        m_editors.clear();
        m_printer.reset();
        m_dialogs.reset();
        m_boxes.reset();
        m_dir.reset();
    }

    QString folder() const { return m_dir->path() + u'/'; }
    QString textFile(const QString& sheet) const {
        return folder() + QStringLiteral("Text Files/") + sheet + QStringLiteral(".txt");
    }
    QString sheetFile(const QString& sheet) const {
        return folder() + QStringLiteral("Kerfa Files/") + sheet + QStringLiteral(".kfa");
    }
    QString settingsFile() const { return m_env.programFolder() + QStringLiteral("Kerfa.ini"); }

    // An editor window for the sheet, not yet shown.
    TfmEditor* editor(const QString& sheet, int mode = EditorSettings::Single) {
        auto* window = new TfmEditor(m_options);
        window->setSheet(folder(), sheet);
        window->setPositioningMode(mode);
        m_editors << window;
        return window;
    }
    TfmEditor* shown(const QString& sheet, int mode = EditorSettings::Single) {
        TfmEditor* window = editor(sheet, mode);
        window->show();
        return window;
    }

    static QAction* action(const TfmEditor* window, const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    static QPlainTextEdit* memo(const TfmEditor* window) { return window->memo(); }

    TestEnvironment& m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<ScriptedFileDialogs> m_dialogs;
    std::unique_ptr<ScriptedPrintDialogs> m_printer;
    EditorOptions m_options;
    QList<QPointer<TfmEditor>> m_editors;
};
