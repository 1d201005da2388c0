#pragma once

#include "project/SnapshotStore.h"

#include <QPointer>
#include <QString>
#include <optional>

class TfmEditor;

// A sheet's text as the writer sees it: what its open editor window holds, unsaved changes
// included, or else its text file. A change goes where the text is: into the editor (one step
// of its undo, the window then marked modified) while one is open, so the file behind it never
// changes under the writer's feet; otherwise into the file through the one save path. Every
// change made for the writer's command keeps the text before it as a snapshot first.
class LiveSheetText {
public:
    LiveSheetText(QString projectFolder, QString sheetName, TfmEditor* editor);

    const QString& sheetName() const { return m_sheetName; }
    bool inEditor() const { return !m_editor.isNull(); }
    SnapshotStore store() const { return SnapshotStore(m_projectFolder); }

    // The text; none when the text file exists but cannot be read. A sheet without a text file
    // has an empty text.
    std::optional<QString> read() const;
    // Puts the text in place; false when the file could not be written or the editor holds a
    // text it could not read (and so must not be replaced).
    bool write(const QString& text);

    enum class Taken { Snapshot, NothingToKeep, Failed };
    // Keeps the current text as a snapshot: Failed when it could not be read or written; an
    // empty text needs none.
    Taken snapshot() const;
    bool takeSnapshot() const { return snapshot() != Taken::Failed; }
    // What the writer is told of a snapshot taken or not needed, in the interface's language.
    QString said(Taken taken) const;
    // Puts a snapshot's text in place, after keeping the current text as a snapshot, so that a
    // restore can itself be undone from the snapshots. False, with nothing changed, when the
    // snapshot or the current text cannot be read or that snapshot not be written.
    bool restore(const QString& snapshotPath);

private:
    QString m_projectFolder;
    QString m_sheetName;
    QPointer<TfmEditor> m_editor;
};
