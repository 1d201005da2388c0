#include "desk/DeskView.h"

#include <QGraphicsItem>
#include <QHelpEvent>
#include <QTimer>
#include <QToolTip>

DeskView::DeskView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
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
}

namespace {

constexpr int kHintShowMs = 3000;

} // namespace

bool DeskView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QGraphicsView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QGraphicsItem* item = itemAt(help->pos());
    if (item && !item->toolTip().isEmpty())
        QToolTip::showText(help->globalPos(), item->toolTip(), this, {}, kHintShowMs);
    else
        QToolTip::hideText();
    return true;
}

void DeskView::paintEvent(QPaintEvent* event) {
    QGraphicsView::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &DeskView::firstPainted);
    }
}
