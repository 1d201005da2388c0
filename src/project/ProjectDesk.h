#pragma once

#include "project/SheetRecord.h"

#include <QList>

// What the project commands need of the desk, which lies in a folder above theirs: the sheets as
// their files store them, laid out after a load and given back for a save, and the desk cleared.
class ProjectDesk {
public:
    virtual ~ProjectDesk() = default;

    virtual qsizetype sheetCount() const = 0;
    // Every sheet as its file stores it, in desk order.
    virtual QList<SheetRecord> sheetRecords() const = 0;
    // Lays a sheet read from disk on the empty desk after those laid before it, in the theme's
    // look; the sheets show, linked by the names they store, once sheetsPlaced() is called.
    virtual void placeSheet(const SheetRecord& record, bool boldBaseType) = 0;
    virtual void sheetsPlaced() = 0;
    // Takes every sheet off the desk and frees it, with its open editor window; no current sheet
    // and no selection afterwards.
    virtual void ClearDesk() = 0;
    // Forgets a double-click: the next press on a sheet may start a drag again.
    virtual void resetDoubleClickGuard() = 0;
};
