#pragma once

#include <QGraphicsView>

class Desk;
class QMenu;
class TKerfa;

// The scroll box the desk panel lies in, and everything done on the desk with the mouse:
// choosing and selecting sheets, dragging them alone or together, linking and unlinking them,
// panning the desk with Shift, double-clicking a sheet and the two popup menus. The desk's scene
// is anchored at the top-left corner and scrolls when it is larger than the window.
class DeskView : public QGraphicsView {
    Q_OBJECT
public:
    // How far the mouse moves with the button held before a press on a sheet becomes a drag.
    static constexpr int kDragThreshold = 5;

    explicit DeskView(Desk& desk, QWidget* parent = nullptr);

    // The menus a right-click opens over a sheet and over the empty desk.
    void setPopupMenus(QMenu* sheetMenu, QMenu* deskMenu);

    // Where the mouse was last seen over the desk, in desk coordinates; a popup menu opened
    // there leaves it at the place it was opened.
    QPoint cursorPos() const { return m_cursor; }
    // Whether the mouse pointer is over the visible desk now.
    bool isPointerOnDesk() const;
    // The sheet at a desk point: the topmost item there, when that is a sheet (a name label or a
    // link line lying in front of a sheet hides it).
    TKerfa* sheetAt(QPointF point) const;

    // A double-click on a sheet, the popup's Edit and the Enter key: the current sheet's editor
    // is wanted when the mouse rests on that sheet. The press after a double-click selects
    // without dragging.
    void KerfaDoubleClick();

    bool isPanning() const { return m_panning; }
    bool isDragging() const { return m_dragged != nullptr; }

Q_SIGNALS:
    // The desk was painted for the first time (start-up measurements wait for this).
    void firstPainted();
    // The current sheet or the selection changed (RefreshWindow).
    void refreshNeeded();
    // Sheets moved, or a link was made or removed: the project has changes to save.
    void deskChanged();
    // The sheet's editor window is wanted (OpenEditor).
    void editRequested(TKerfa* sheet);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Hints, and whether the pointer is over the desk.
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QGraphicsItem* topItemAt(QPointF point) const;
    void UpdateCursorPos(QPointF viewportPos);
    void PanelMouseDown(const QMouseEvent* event);
    void PanelMouseMove(const QMouseEvent* event);
    void PanelMouseUp();
    void PanelDragOver();
    void KerfaEndDrag();
    // The left-button press on a sheet, by the keys held.
    void pressSheet(TKerfa* sheet, Qt::KeyboardModifiers keys);
    // The sheet goes in front of every other, and its label in front of it.
    void bringToFront(TKerfa* sheet);
    // The press may become a drag of the sheet once the mouse has moved far enough.
    void armDrag(TKerfa* sheet);

    Desk& m_desk;
    QMenu* m_sheetMenu = nullptr;
    QMenu* m_deskMenu = nullptr;
    QPoint m_cursor;
    QPoint m_cursorGlobal;
    bool m_pointerInside = false;
    // The mouse position inside the sheet pressed last.
    QPoint m_grab;
    TKerfa* m_armed = nullptr;
    QPoint m_pressGlobal;
    TKerfa* m_dragged = nullptr;
    bool m_panning = false;
    QPoint m_lastPan;
    bool m_painted = false;
};
