#pragma once

#include "project/ProjectDesk.h"

class Desk;
class DeskTheme;
class TKerfa;

// The project's sheets as the desk holds them: lays the records read from disk on the desk in
// the theme's look and links them, and gives every sheet back as a record to save.
class DeskSheets : public ProjectDesk {
public:
    DeskSheets(Desk& desk, DeskTheme& look);

    // A sheet as its file stores it.
    static SheetRecord recordOf(const TKerfa* sheet);

    qsizetype sheetCount() const override;
    QList<SheetRecord> sheetRecords() const override;
    void placeSheet(const SheetRecord& record, bool boldBaseType) override;
    void sheetsPlaced() override;
    void ClearDesk() override;
    void resetDoubleClickGuard() override;

private:
    Desk& m_desk;
    DeskTheme& m_look;
};
