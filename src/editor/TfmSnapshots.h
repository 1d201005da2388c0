#pragma once

#include "editor/LiveSheetText.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;
class QTreeWidget;

// A sheet's snapshots: listed newest first with the time each was taken and its words; the one
// chosen (at first the newest) shown against the sheet's current text, the words it lacks struck
// through in red and those it has in addition underlined in green; one button keeps the current
// text as a new snapshot, another puts the chosen snapshot back (keeping the current text as a
// snapshot first). The window goes when closed.
class TfmSnapshots : public QDialog {
    Q_OBJECT
public:
    explicit TfmSnapshots(LiveSheetText text, QWidget* parent = nullptr);

    // The list again, and the comparison of the snapshot chosen.
    void refresh();
    // The snapshot chosen in the list, if any.
    QString chosenPath() const;

private Q_SLOTS:
    void lstSnapshotsChange();
    void btnTakeSnapshotClick();
    void btnRestoreClick();
    void btnCloseClick();

private:
    void applyCaptions();

    LiveSheetText m_text;
    QTreeWidget* m_lstSnapshots;
    QTextEdit* m_memCompare;
    QLabel* m_lblLegend;
    QPushButton* m_btnTakeSnapshot;
    QPushButton* m_btnRestore;
    QPushButton* m_btnClose;
};
