#pragma once

#include "project/OpenEditors.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class Desk;
class TKerfa;
class TfmEditor;

// The sheets' open editor windows: at most one per sheet. A sheet knows only that it is being
// edited; this keeps which window edits it, frees that window when the sheet leaves the desk,
// and marks the sheet no longer edited when the window closes.
class EditorRegistry : public QObject, public OpenEditors {
    Q_OBJECT
public:
    explicit EditorRegistry(Desk& desk, QObject* parent = nullptr);
    // Frees the windows still open.
    ~EditorRegistry() override;

    // The sheet's open editor window (perhaps hidden), or none.
    TfmEditor* editorOf(const TKerfa* sheet) const;
    // Records the window as the sheet's editor (it takes the window over); the sheet shows that
    // it is being edited until the window closes or is freed.
    void attach(TKerfa* sheet, TfmEditor* editor);
    // Frees the sheet's editor window, unsaved text and all.
    void release(TKerfa* sheet);

    // In desk order.
    bool AnyEditorModified() const override;
    // A window whose text could not be written stays open with it; the others are saved and
    // closed all the same. False then.
    bool SaveModifiedEditors() override;
    bool AskToSaveEditor(const QString& sheetName) override;

Q_SIGNALS:
    // A window became the sheet's editor.
    void editorAttached(TKerfa* sheet, TfmEditor* editor);
    // A sheet's editor window closed by itself (its user closed it).
    void editorClosed(TKerfa* sheet);

private:
    void editorGone(QObject* editor);

    Desk& m_desk;
    QHash<const TKerfa*, QPointer<TfmEditor>> m_editors;
    // Which sheet each window edits, to find it when the window goes.
    QHash<const QObject*, TKerfa*> m_sheets;
};
