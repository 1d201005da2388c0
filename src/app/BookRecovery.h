#pragma once

#include "editor/TfmRecovery.h"
#include "project/RecoveryRun.h"

#include <QList>
#include <QObject>

class Desk;
class EditorRegistry;
class ProjectCommands;
class SheetTextCommands;
class TfmEditor;
struct ProjectState;

// Crash recovery for the book on the desk. Every editor window keeps its unsaved text as a
// recovery copy of this run (EditorRecovery, RecoveryRun); the copies go when the desk is closed
// normally. When a book is opened, the copies that runs which ended without saving them left of
// it are looked for and, when there are any, copiesFound is sent for the window to offer them;
// Help > Recover Unsaved Text... lists every copy left. A copy that holds just what its sheet's
// file holds has no unsaved text and goes without a word.
class BookRecovery : public QObject {
    Q_OBJECT
public:
    // The run outlives the editor windows.
    BookRecovery(RecoveryRun& run, const ProjectState& project, const Desk& desk,
                 EditorRegistry& editors, SheetTextCommands& texts, ProjectCommands& commands,
                 QObject* parent = nullptr);

    RecoveryRun& run() { return m_run; }

    // The copies that ended runs left of the open book, as the window offers them.
    QList<TfmRecovery::Entry> offered();
    // Every copy that ended runs left, of any book; the open book's may be restored.
    QList<TfmRecovery::Entry> everything();
    // Puts the copy's text into its sheet's editor (opened if need be), marked changed and not
    // saved, after keeping the sheet's saved text, and any unsaved text its editor held, as
    // snapshots; then the copy goes. False, after its message, when that could not be done.
    bool restore(const TfmRecovery::Entry& entry);
    void discard(const TfmRecovery::Entry& entry);
    // The desk was closed normally: this run's copies go.
    void closeBooks();
    // The actions of the recovery window, on this.
    TfmRecovery::Actions actions();

Q_SIGNALS:
    // A book was opened, and ended runs left unsaved text of it: these copies.
    void copiesFound(const QList<TfmRecovery::Entry>& entries);

private:
    void bookOpened(const QString& path);
    QList<TfmRecovery::Entry> entriesOf(const QList<RecoveryStore::Copy>& copies);

    const ProjectState& m_project;
    const Desk& m_desk;
    SheetTextCommands& m_texts;
    RecoveryRun& m_run;
};
