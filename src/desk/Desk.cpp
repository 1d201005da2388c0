#include "desk/Desk.h"

#include "desk/TKerfa.h"

#include <QGraphicsScene>

Desk::Desk(QGraphicsScene* scene) : m_scene(scene) {}

Desk::~Desk() {
    clear();
}

QSize Desk::extent() const {
    return m_scene->sceneRect().size().toSize();
}

void Desk::setExtent(QSize size) {
    m_scene->setSceneRect(0, 0, size.width(), size.height());
}

TKerfa* Desk::createSheet() {
    auto* sheet = new TKerfa(this);
    m_scene->addItem(sheet);
    m_sheets.append(sheet);
    return sheet;
}

void Desk::deleteSheet(TKerfa* sheet) {
    m_sheets.removeOne(sheet);
    m_selection.removeOne(sheet);
    if (m_current == sheet)
        m_current = nullptr;
    for (TKerfa* other : std::as_const(m_sheets)) {
        if (other->LinkTo == sheet)
            other->LinkTo = nullptr;
        if (other->LinkedFrom == sheet)
            other->LinkedFrom = nullptr;
    }
    delete sheet;
}

void Desk::clear() {
    m_current = nullptr;
    m_selection.clear();
    const QList<TKerfa*> sheets = std::exchange(m_sheets, {});
    qDeleteAll(sheets);
    m_front = 0;
    m_back = 0;
}

TKerfa* Desk::findSheet(const QString& name) const {
    for (TKerfa* sheet : m_sheets)
        if (sheet->SheetName == name)
            return sheet;
    return nullptr;
}

void Desk::bringToFront(QGraphicsItem* item) {
    item->setZValue(++m_front);
}

void Desk::sendToBack(QGraphicsItem* item) {
    item->setZValue(--m_back);
}
