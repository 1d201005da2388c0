#pragma once

#include "project/RecoverySchedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class RecoveryRun;
class TfmEditor;

// Keeps an editor's unsaved text as a recovery copy (RecoveryRun): about two seconds after the
// last change, and at least every thirty seconds while the typing goes on (RecoverySchedule). A
// keystroke only notes the time; the text is taken from the memo when the copy falls due and
// handed to the run's own thread. The copy goes once the text is saved (or undone back to what
// was saved), when the window closes with its changes thrown away, and when the window is freed
// (its sheet left the desk: the book was closed or the sheet deleted); it stays when the program
// dies, as nothing of this runs then. Lives as a child of its editor window.
class EditorRecovery : public QObject {
    Q_OBJECT
public:
    EditorRecovery(TfmEditor* editor, RecoveryRun& run);
    ~EditorRecovery() override;

    // Keeps the text at once (after a restore, so that it is never only in the window).
    void keepNow();

private:
    void changed();
    void due();
    void modificationChanged(bool modified);
    void drop();

    TfmEditor* m_editor;
    RecoveryRun& m_run;
    RecoverySchedule m_schedule;
    QElapsedTimer m_clock;
    QTimer m_timer;
    // Where the last copy went, while there is one.
    QString m_keptFolder;
    QString m_keptSheet;
};
