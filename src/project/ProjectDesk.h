#pragma once

#include "project/SheetRecord.h"

#include <QList>
#include <functional>

// What the project commands need of the desk, which lies in a folder above theirs: the sheets as
// their files store them, laid out after a load and given back for a save, and the desk cleared.
class ProjectDesk {
public:
    virtual ~ProjectDesk() = default;

    virtual qsizetype sheetCount() const = 0;
    // Every sheet as its file stores it, in desk order.
    virtual QList<SheetRecord> sheetRecords() const = 0;
    // Lays the sheets read from disk on the empty desk, in order and in the theme's look, and
    // links them by the names they store; told after each sheet how many are laid.
    virtual void placeSheets(const QList<SheetRecord>& records, bool boldBaseType,
                             const std::function<void(qsizetype done)>& progress) = 0;
    // Takes every sheet off the desk and frees it, with its open editor window; no current sheet
    // and no selection afterwards.
    virtual void ClearDesk() = 0;
    // Forgets a double-click: the next press on a sheet may start a drag again.
    virtual void resetDoubleClickGuard() = 0;
};
