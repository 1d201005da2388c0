#include "desk/DeskView.h"

#include <QTimer>

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

void DeskView::paintEvent(QPaintEvent* event) {
    QGraphicsView::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &DeskView::firstPainted);
    }
}
