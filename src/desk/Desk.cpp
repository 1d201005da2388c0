#include "desk/Desk.h"

#include "desk/TKerfa.h"
#include "desk/TKerfaLine.h"

#include <QGraphicsScene>
#include <QHash>
#include <QSet>

Desk::Desk(QGraphicsScene* scene, QObject* parent) : QObject(parent), m_scene(scene) {}

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
    TKerfa* sheet = prepareSheet();
    // Hidden until its command has set it up; a prepared sheet is off the scene till then.
    sheet->setVisible(false);
    m_scene->addItem(sheet);
    return sheet;
}

TKerfa* Desk::prepareSheet() {
    auto* sheet = new TKerfa(this);
    m_sheets.append(sheet);
    return sheet;
}

void Desk::layPreparedSheets() {
    for (TKerfa* sheet : std::as_const(m_sheets)) {
        if (sheet->scene())
            continue;
        m_scene->addItem(sheet);
        if (sheet->LinkTo)
            m_scene->addItem(sheet->line());
    }
    // One update of the whole desk: the scene then skips working out, item by item, what each of
    // the thousands just placed covers, and the view paints once anyway.
    m_scene->update();
}

void Desk::deleteSheet(TKerfa* sheet) {
    Q_EMIT sheetRemoving(sheet);
    if (sheet->headsChain())
        passChainTarget(sheet, sheet->LinkTo);
    m_sheets.removeOne(sheet);
    m_selection.removeOne(sheet);
    if (m_current == sheet)
        m_current = nullptr;
    for (TKerfa* other : std::as_const(m_sheets)) {
        // Files may have linked several sheets to this one; each loses its link.
        if (other->LinkTo == sheet)
            unlink(other);
        if (other->LinkedFrom == sheet)
            other->SetLinkedFrom(nullptr);
    }
    delete sheet;
}

void Desk::clear() {
    Q_EMIT clearing();
    m_current = nullptr;
    m_selection.clear();
    const QList<TKerfa*> sheets = std::exchange(m_sheets, {});
    for (TKerfa* sheet : sheets) {
        Q_EMIT sheetRemoving(sheet);
        // A sheet prepared but not yet laid on the desk is not the scene's to free.
        if (!sheet->scene())
            delete sheet;
        else
            sheet->leaveLineToScene();
    }
    // The scene holds the sheets and their lines and nothing else. It frees them all at once:
    // deleted one by one, each item would be looked for in the scene's lists of every item, and
    // a desk of thousands of sheets would take a noticeable time to close.
    m_scene->clear();
    m_front = 0;
    m_back = 0;
}

TKerfa* Desk::findSheet(const QString& name) const {
    for (TKerfa* sheet : m_sheets)
        if (sheet->SheetName == name)
            return sheet;
    return nullptr;
}

void Desk::selectOnly(TKerfa* sheet) {
    m_current = sheet;
    m_selection.clear();
    deselectAll();
    sheet->SetSelected(true);
    m_selection.append(sheet);
}

void Desk::selectNone() {
    m_current = nullptr;
    m_selection.clear();
    deselectAll();
}

void Desk::joinSelection(TKerfa* sheet) {
    m_current = sheet;
    if (!m_selection.contains(sheet))
        m_selection.append(sheet);
    for (TKerfa* other : std::as_const(m_selection)) {
        other->GroupOffsetX = sheet->left() - other->left();
        other->GroupOffsetY = sheet->top() - other->top();
    }
}

void Desk::toggleSelected(TKerfa* sheet) {
    if (m_selection.removeOne(sheet)) {
        sheet->SetSelected(false);
    } else {
        m_selection.append(sheet);
        sheet->SetSelected(true);
    }
}

void Desk::deselectAll() {
    for (TKerfa* sheet : std::as_const(m_sheets))
        sheet->SetSelected(false);
}

QSet<const TKerfa*> Desk::movingSheets() const {
    QSet<const TKerfa*> moving(m_selection.cbegin(), m_selection.cend());
    if (m_current)
        moving.insert(m_current);
    return moving;
}

bool Desk::touches(const TKerfa* sheet, const QSet<const TKerfa*>& moving) {
    return sheet->LinkTo && (moving.contains(sheet) || moving.contains(sheet->LinkTo));
}

void Desk::beginDrag() {
    const QSet<const TKerfa*> moving = movingSheets();
    for (TKerfa* sheet : std::as_const(m_sheets))
        if (touches(sheet, moving) && sheet->line()->isVisible())
            sheet->HideLine();
}

void Desk::dragTo(int left, int top) {
    TKerfa* source = m_current;
    if (!source)
        return;
    source->setPosition(left, top);
    source->KeepInBounds();
    for (TKerfa* sheet : std::as_const(m_selection)) {
        if (sheet == source)
            continue;
        sheet->setPosition(source->left() - sheet->GroupOffsetX,
                           source->top() - sheet->GroupOffsetY);
        sheet->KeepInBounds();
    }
}

void Desk::endDrag() {
    if (m_current)
        m_current->KeepInBounds();
    for (TKerfa* sheet : std::as_const(m_selection))
        sheet->KeepInBounds();
    const QSet<const TKerfa*> moving = movingSheets();
    for (TKerfa* sheet : std::as_const(m_sheets))
        if (touches(sheet, moving))
            sheet->PlaceLine();
}

Desk::LinkResult Desk::linkGesture(TKerfa* sheet) {
    TKerfa* current = m_current;
    if (!current)
        return LinkResult::PlainPress;
    if (m_selection.size() > 1)
        return LinkResult::Ignored;
    if (current->SheetType == 0 || sheet->SheetType == 0)
        return LinkResult::PlainPress;
    if (sheet == current || sheet->LinkedFrom) {
        if (current->LinkTo != sheet)
            return LinkResult::Unchanged;
        const bool wasHead = current->headsChain();
        unlink(current);
        if (wasHead && sheet->LinkTo)
            passChainTarget(current, sheet);
        return LinkResult::Unlinked;
    }
    if (wouldCloseCycle(current, sheet))
        return LinkResult::Ignored;
    link(current, sheet);
    passChainTarget(sheet, chainHead(current));
    return LinkResult::Linked;
}

void Desk::bringToFront(QGraphicsItem* item) {
    item->setZValue(++m_front);
}

void Desk::sendToBack(QGraphicsItem* item) {
    item->setZValue(--m_back);
}

void Desk::link(TKerfa* source, TKerfa* target) {
    if (source->LinkTo && source->LinkTo->LinkedFrom == source)
        source->LinkTo->SetLinkedFrom(nullptr);
    source->SetLinkTo(target);
    target->SetLinkedFrom(source);
    source->PlaceLine();
    Q_EMIT linksChanged();
}

void Desk::unlink(TKerfa* source) {
    if (source->LinkTo && source->LinkTo->LinkedFrom == source)
        source->LinkTo->SetLinkedFrom(nullptr);
    source->HideLine();
    source->SetLinkTo(nullptr);
    Q_EMIT linksChanged();
}

void Desk::passChainTarget(TKerfa* from, TKerfa* to) {
    if (from == to || from->chainTarget() == 0 || to->chainTarget() > 0)
        return;
    to->setTargets(to->target(), from->chainTarget());
    from->setTargets(from->target(), 0);
}

TKerfa* Desk::chainHead(TKerfa* sheet) const {
    // Bounded, against links read from damaged files.
    TKerfa* head = sheet;
    for (qsizetype steps = 0; head->LinkedFrom && steps < m_sheets.size(); ++steps)
        head = head->LinkedFrom;
    return head;
}

bool Desk::wouldCloseCycle(const TKerfa* source, const TKerfa* target) const {
    // Bounded by the number of sheets, against links read from damaged files.
    const TKerfa* sheet = target;
    for (qsizetype steps = 0; sheet && steps <= m_sheets.size(); ++steps) {
        if (sheet == source)
            return true;
        sheet = sheet->LinkTo;
    }
    return false;
}

QList<TKerfa*> Desk::chain(TKerfa* start) const {
    QList<TKerfa*> sheets;
    QSet<const TKerfa*> met;
    for (TKerfa* sheet = start; sheet && !met.contains(sheet); sheet = sheet->LinkTo) {
        met.insert(sheet);
        sheets.append(sheet);
    }
    return sheets;
}

void Desk::resolveLinks() {
    // Sheet names are unique within a project (they name its files), so a sheet's link target
    // is the one sheet of that exact name, never the sheet itself.
    QHash<QString, TKerfa*> byName;
    byName.reserve(m_sheets.size());
    for (TKerfa* sheet : std::as_const(m_sheets))
        byName.insert(sheet->SheetName, sheet);
    for (TKerfa* source : std::as_const(m_sheets)) {
        if (source->LinkToName.isEmpty())
            continue;
        TKerfa* target = byName.value(source->LinkToName);
        if (!target || target == source)
            continue;
        // Files may link two sheets to one target: both keep their lines, and the target is
        // linked from the later one in desk order.
        source->SetLinkTo(target);
        target->SetLinkedFrom(source);
        source->PlaceLine();
    }
}

void Desk::placeLines(TKerfa* sheet) {
    sheet->PlaceLine();
    if (sheet->LinkedFrom)
        sheet->LinkedFrom->PlaceLine();
}
