#pragma once

#include <QList>
#include <QSize>
#include <QString>

class QGraphicsItem;
class QGraphicsScene;
class TKerfa;

// The desk panel: owns every sheet in desk order (the order of creation), with the current sheet
// and the selection. Sheets, their labels and lines lie on its scene; stacking is by z value, the
// newest "front" or "back" above or below everything placed before it.
class Desk {
public:
    explicit Desk(QGraphicsScene* scene);
    ~Desk();
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    QGraphicsScene* scene() const { return m_scene; }
    // Width and height of the desk panel.
    QSize extent() const;
    void setExtent(QSize size);

    // Creates a sheet owned by the desk and lays it on the desk, last in desk order.
    TKerfa* createSheet();
    // Frees one sheet with its label, line and editor window.
    void deleteSheet(TKerfa* sheet);
    // Frees every sheet; no current sheet and an empty selection afterwards.
    void clear();

    const QList<TKerfa*>& sheets() const { return m_sheets; }
    // The first sheet in desk order whose name is exactly this one.
    TKerfa* findSheet(const QString& name) const;

    TKerfa* current() const { return m_current; }
    void setCurrent(TKerfa* sheet) { m_current = sheet; }
    QList<TKerfa*>& selection() { return m_selection; }

    // Set by a double-click, cleared by any mouse move: a press then selects without dragging.
    bool doubleClickGuard = false;

    void bringToFront(QGraphicsItem* item);
    void sendToBack(QGraphicsItem* item);

private:
    QGraphicsScene* m_scene;
    QList<TKerfa*> m_sheets;
    QList<TKerfa*> m_selection;
    TKerfa* m_current = nullptr;
    double m_front = 0;
    double m_back = 0;
};
