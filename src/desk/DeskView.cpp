#include "desk/DeskView.h"

#include "desk/Desk.h"
#include "desk/LoadProgress.h"
#include "desk/TKerfa.h"

#include <QContextMenuEvent>
#include <QGraphicsItem>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QToolTip>

namespace {

constexpr int kHintShowMs = 3000;

} // namespace

DeskView::DeskView(Desk& desk, QWidget* parent)
    : QGraphicsView(desk.scene(), parent), m_desk(desk),
      m_loadProgress(new LoadProgress(viewport())) {
    setObjectName(QStringLiteral("scrlbMain"));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setRenderHint(QPainter::TextAntialiasing);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setOptimizationFlag(QGraphicsView::DontSavePainterState);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    // The desk answers the mouse itself; the items only draw.
    setInteractive(false);
    viewport()->setMouseTracking(true);
    // Sheets deleted elsewhere are no longer pressed or dragged.
    connect(&desk, &Desk::sheetRemoving, this, [this](TKerfa* sheet) {
        if (sheet == m_armed)
            m_armed = nullptr;
        if (sheet == m_dragged)
            m_dragged = nullptr;
    });
}

void DeskView::setPopupMenus(QMenu* sheetMenu, QMenu* deskMenu) {
    m_sheetMenu = sheetMenu;
    m_deskMenu = deskMenu;
}

bool DeskView::isPointerOnDesk() const {
    if (!m_pointerInside)
        return false;
    const QPoint at = mapFromScene(m_cursor);
    const QRectF desk = sceneRect();
    return at.x() > 0 && at.y() > 0 && at.x() < viewport()->width() &&
           at.y() < viewport()->height() && m_cursor.x() > desk.left() &&
           m_cursor.y() > desk.top() && m_cursor.x() < desk.right() && m_cursor.y() < desk.bottom();
}

DeskView::Hit DeskView::hitAt(QPointF point) const {
    const QList<QGraphicsItem*> items =
        scene()->items(point, Qt::IntersectsItemBoundingRect, Qt::DescendingOrder);
    for (QGraphicsItem* item : items) {
        if (!item->isVisible())
            continue;
        auto* sheet = dynamic_cast<TKerfa*>(item);
        if (!sheet)
            return {}; // a link line
        switch (sheet->partAt(point)) {
        case TKerfa::Part::Icon:
            return {sheet, false};
        case TKerfa::Part::Label:
            return {sheet, true};
        case TKerfa::Part::None:
            break; // beside the icon or the label: whatever lies below shows there
        }
    }
    return {};
}

TKerfa* DeskView::sheetAt(QPointF point) const {
    const Hit hit = hitAt(point);
    return hit.onLabel ? nullptr : hit.sheet;
}

void DeskView::UpdateCursorPos(QPointF viewportPos) {
    const QPoint at = viewportPos.toPoint();
    m_cursor = mapToScene(at).toPoint();
    m_cursorGlobal = viewport()->mapToGlobal(at);
}

void DeskView::mousePressEvent(QMouseEvent* event) {
    PanelMouseDown(event);
}

void DeskView::mouseMoveEvent(QMouseEvent* event) {
    PanelMouseMove(event);
}

void DeskView::mouseReleaseEvent(QMouseEvent*) {
    PanelMouseUp();
}

void DeskView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click: the double-click first, then the press it also is.
    if (event->button() == Qt::LeftButton) {
        UpdateCursorPos(event->position());
        if (sheetAt(m_cursor))
            KerfaDoubleClick();
    }
    PanelMouseDown(event);
}

void DeskView::contextMenuEvent(QContextMenuEvent* event) {
    const bool onSheet = sheetAt(mapToScene(event->pos())) != nullptr;
    if (QMenu* menu = onSheet ? m_sheetMenu : m_deskMenu)
        menu->popup(event->globalPos());
}

void DeskView::PanelMouseDown(const QMouseEvent* event) {
    const Qt::MouseButton button = event->button();
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    UpdateCursorPos(event->position());
    const Hit top = hitAt(m_cursor);
    // Name labels take no presses.
    if (top.onLabel)
        return;
    // A link line counts as empty desk.
    TKerfa* hit = top.sheet;
    m_grab = hit ? m_cursor - hit->pos().toPoint() : m_cursor;

    if (button == Qt::RightButton) {
        if (hit)
            m_desk.selectOnly(hit);
        Q_EMIT refreshNeeded();
        return;
    }
    const Qt::KeyboardModifiers keys =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (hit) {
        pressSheet(hit, keys);
        return;
    }
    if (keys == Qt::ShiftModifier) {
        m_lastPan = m_cursorGlobal;
        m_panning = true;
        viewport()->setCursor(Qt::ClosedHandCursor);
    } else {
        m_desk.selectNone();
    }
    Q_EMIT refreshNeeded();
}

void DeskView::pressSheet(TKerfa* sheet, Qt::KeyboardModifiers keys) {
    const bool guard = m_desk.doubleClickGuard;
    if (keys == Qt::ControlModifier) {
        switch (m_desk.linkGesture(sheet)) {
        case Desk::LinkResult::Ignored:
            return;
        case Desk::LinkResult::Unchanged:
            Q_EMIT refreshNeeded();
            return;
        case Desk::LinkResult::Linked:
        case Desk::LinkResult::Unlinked:
            Q_EMIT deskChanged();
            Q_EMIT refreshNeeded();
            return;
        case Desk::LinkResult::PlainPress:
            break;
        }
    } else if (keys == (Qt::ShiftModifier | Qt::ControlModifier)) {
        m_desk.toggleSelected(sheet);
        Q_EMIT refreshNeeded();
        return;
    } else if (keys == Qt::ShiftModifier) {
        m_desk.joinSelection(sheet);
        if (!guard) {
            sheet->SetSelected(true);
            bringToFront(sheet);
            armDrag(sheet);
        }
        Q_EMIT refreshNeeded();
        return;
    }
    m_desk.selectOnly(sheet);
    if (!guard) {
        bringToFront(sheet);
        armDrag(sheet);
    }
    Q_EMIT refreshNeeded();
}

void DeskView::bringToFront(TKerfa* sheet) {
    m_desk.bringToFront(sheet);
}

void DeskView::armDrag(TKerfa* sheet) {
    m_armed = sheet;
    m_pressGlobal = m_cursorGlobal;
}

void DeskView::PanelMouseMove(const QMouseEvent* event) {
    m_desk.doubleClickGuard = false;
    UpdateCursorPos(event->position());
    m_pointerInside = viewport()->rect().contains(event->position().toPoint());
    if (m_panning) {
        QScrollBar* across = horizontalScrollBar();
        QScrollBar* down = verticalScrollBar();
        // The desk follows the hand; the scroll bars keep within their range.
        across->setValue(across->value() - (m_cursorGlobal.x() - m_lastPan.x()));
        down->setValue(down->value() - (m_cursorGlobal.y() - m_lastPan.y()));
        m_lastPan = m_cursorGlobal;
        return;
    }
    if (m_armed && (event->buttons() & Qt::LeftButton)) {
        const QPoint moved = m_cursorGlobal - m_pressGlobal;
        if (std::abs(moved.x()) >= kDragThreshold || std::abs(moved.y()) >= kDragThreshold) {
            m_dragged = std::exchange(m_armed, nullptr);
            m_dragged->setDragging(true);
            m_desk.beginDrag();
            viewport()->setCursor(Qt::DragMoveCursor);
        }
    }
    // The sheet follows the mouse while it is over the desk.
    if (m_dragged && m_pointerInside)
        PanelDragOver();
}

void DeskView::PanelDragOver() {
    m_desk.dragTo(m_cursor.x() - m_grab.x(), m_cursor.y() - m_grab.y());
    Q_EMIT deskChanged();
}

void DeskView::PanelMouseUp() {
    m_armed = nullptr;
    if (m_dragged)
        KerfaEndDrag();
    m_panning = false;
    viewport()->unsetCursor();
}

void DeskView::KerfaEndDrag() {
    TKerfa* sheet = std::exchange(m_dragged, nullptr);
    sheet->setDragging(false);
    sheet->Repaint();
    m_desk.endDrag();
    m_panning = false;
    viewport()->unsetCursor();
    Q_EMIT refreshNeeded();
}

void DeskView::KerfaDoubleClick() {
    m_desk.doubleClickGuard = true;
    TKerfa* current = m_desk.current();
    if (current && sheetAt(m_cursor) == current)
        Q_EMIT editRequested(current);
}

bool DeskView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        // The icon shows its sheet's hint; its label and a line show none.
        const TKerfa* sheet = sheetAt(mapToScene(help->pos()));
        if (const QString hint = sheet ? sheet->hint() : QString(); !hint.isEmpty())
            QToolTip::showText(help->globalPos(), hint, this, {}, kHintShowMs);
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::Enter:
        m_pointerInside = true;
        UpdateCursorPos(static_cast<QEnterEvent*>(event)->position());
        break;
    case QEvent::Leave:
        m_pointerInside = false;
        break;
    case QEvent::Paint:
        // With no item index, a paint walks every item and records where each lies, on screen
        // or not. A paint of one rectangle (the desk's first after a book is opened, a strip
        // scrolled into view) finds its items with one search instead and draws only those; a
        // paint of several areas (a drag) costs less by the walk than by searching a path made
        // of them.
        setOptimizationFlag(QGraphicsView::IndirectPainting,
                            static_cast<QPaintEvent*>(event)->region().rectCount() == 1);
        break;
    default:
        break;
    }
    return QGraphicsView::viewportEvent(event);
}
