#include "desk/TKerfa.h"

#include "desk/Desk.h"
#include "desk/NameLabel.h"
#include "desk/TKerfaLine.h"
#include "project/TargetProgress.h"

#include <QGraphicsScene>
#include <QPainter>
#include <cstdlib>

namespace {

bool isBlankOrControl(QChar c) {
    return c.unicode() <= u' ';
}

// The bars under the label: thin, a gap above each, room for the tick of a target met.
constexpr int kBarHeight = 3;
constexpr int kBarGap = 2;
constexpr int kTickWidth = 7;
const QColor kBarTrack(0xd8, 0xd8, 0xd8);
const QColor kBarSheet(0x3b, 0x78, 0xd0);
const QColor kBarChain(0x8a, 0x5c, 0xc2);
const QColor kBarMet(0x2e, 0x9d, 0x3a);

} // namespace

TKerfa::TKerfa(Desk* desk) : m_desk(desk) {
    m_bounds = itemBounds();
    m_label.setCaption(SheetName);
    m_label.setBackground(Qt::white, m_colours->labelTransparent);
}

TKerfa::~TKerfa() {
    delete m_line;
}

TKerfaLine* TKerfa::line() const {
    if (!m_line)
        m_line = new TKerfaLine;
    return m_line;
}

void TKerfa::leaveLineToScene() {
    if (m_line && m_line->scene())
        m_line = nullptr;
}

void TKerfa::setLeft(int left) {
    setPos(left, pos().y());
}

void TKerfa::setTop(int top) {
    setPos(pos().x(), top);
}

void TKerfa::setPosition(int left, int top) {
    setPos(left, top);
}

void TKerfa::setSize(int size) {
    if (size == m_size)
        return;
    prepareGeometryChange();
    m_size = size;
    m_bounds = itemBounds();
}

void TKerfa::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

QString TKerfa::hintFor(const QString& description) {
    return description.size() > 50 ? description.left(50) + QStringLiteral("...") : description;
}

QRect TKerfa::labelArea() const {
    return QRect((width() - m_label.width()) / 2, height() + 1, m_label.width(), m_label.height());
}

TKerfa::Part TKerfa::partAt(QPointF deskPoint) const {
    const QPointF at = deskPoint - pos();
    if (QRectF(0, 0, m_size, m_size).contains(at))
        return Part::Icon;
    if (m_label.isVisible() && QRectF(labelArea()).contains(at))
        return Part::Label;
    return Part::None;
}

void TKerfa::Repaint() {
    if (m_settingUp)
        return;
    update();
    m_label.setPos(pos() + labelArea().topLeft());
    if (m_dragging)
        return;
    if (Selected)
        m_label.setTextColour(m_colours->selectedColour);
    else if (m_editing)
        m_label.setTextColour(m_colours->editingColour);
    else
        m_label.setTextColour(m_colours->textColour);
    m_label.setBackground(m_colours->labelColour, m_colours->labelTransparent);
}

void TKerfa::setEditing(bool editing) {
    if (editing == m_editing)
        return;
    m_editing = editing;
    Repaint();
}

void TKerfa::KeepInBounds() {
    if (m_settingUp)
        return;
    const QSize desk = m_desk->extent();
    if (left() - LabelOverhang < 2)
        setLeft(LabelOverhang + 2);
    if (top() < 2)
        setTop(2);
    if (left() + width() + LabelOverhang > desk.width())
        setLeft(desk.width() - 3 - (width() + LabelOverhang));
    if (top() + height() + LabelSpace > desk.height())
        setTop(desk.height() - (height() + LabelSpace));
    Repaint();
}

void TKerfa::MeasureLabel() {
    if (m_settingUp)
        return;
    if (!m_label.isMeasuredFor(kLabelWrap)) {
        prepareGeometryChange();
        m_label.measure(kLabelWrap);
        m_bounds = itemBounds();
    }
    LabelOverhang = m_label.width() > width() ? (m_label.width() - width()) / 2 : 0;
    LabelSpace = m_label.height() + 1;
}

void TKerfa::endSetUp() {
    m_settingUp = false;
    MeasureLabel();
    KeepInBounds();
}

void TKerfa::SetSheetType(quint8 code) {
    if (code != SheetType)
        SetState(0);
    SheetType = code;
    m_label.setBold(SheetType == 1 && BoldBaseType);
    MeasureLabel();
    Repaint();
}

void TKerfa::SetBoldBaseType(bool flag) {
    BoldBaseType = flag;
    m_label.setBold(SheetType == 1 && flag);
    MeasureLabel();
    Repaint();
}

void TKerfa::SetState(quint8 state) {
    State = state;
    MeasureLabel();
    Repaint();
}

void TKerfa::SetSelected(bool flag) {
    if (flag == Selected)
        return;
    Selected = flag;
    Repaint();
}

void TKerfa::showLabel() {
    if (m_label.isVisible())
        return;
    prepareGeometryChange();
    m_label.setVisible(true);
    m_bounds = itemBounds();
}

void TKerfa::SetSheetName(const QString& name) {
    PreviousName = SheetName;
    SheetName = name;
    m_label.setCaption(SheetName);
    showLabel();
    MeasureLabel();
    KeepInBounds();
}

void TKerfa::SetDescription(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlankOrControl(text[from]))
        ++from;
    while (to > from && isBlankOrControl(text[to - 1]))
        --to;
    qsizetype length = std::min<qsizetype>(to - from, kDescriptionLength);
    // Never cut a character that takes two UTF-16 units in half.
    if (length > 0 && length < to - from && text[from + length - 1].isHighSurrogate())
        --length;
    Description = text.mid(from, length);
}

void TKerfa::SetStateMarker(const QString& marker) {
    StateMarker = marker;
    m_label.setCaption(marker == QLatin1String("*") ? SheetName : SheetName + u' ' + marker);
    showLabel();
    MeasureLabel();
    KeepInBounds();
}

void TKerfa::SetColours(const QString& text, const QString& selected, bool labelTransparent,
                        const QString& line, const QString& label, const QString& editing) {
    setColours(SheetColours::make(text, selected, labelTransparent, line, label, editing));
}

void TKerfa::setColours(std::shared_ptr<const SheetColours> colours) {
    m_colours = std::move(colours);
    Repaint();
}

void TKerfa::SetLinkTo(TKerfa* target) {
    LinkTo = target;
    LinkToName = target ? target->SheetName : QString();
}

void TKerfa::SetLinkedFrom(TKerfa* source) {
    LinkedFrom = source;
}

void TKerfa::PlaceLine() {
    if (!LinkTo)
        return;
    TKerfaLine* line = this->line();
    if (line->scene() != scene() && scene())
        scene()->addItem(line);
    const TKerfa* target = LinkTo;
    const int sx = left() + width() / 2;
    const int sy = top() + height() / 2;
    const int tx = target->left() + target->width() / 2;
    const int ty = target->top() + target->height() / 2;
    m_desk->sendToBack(m_line);

    int w = std::abs(tx - sx);
    int h = std::abs(ty - sy);
    if (sx < tx)
        m_line->Direction = ty > sy ? 7 : 6;
    else
        m_line->Direction = ty > sy ? 5 : 4;
    if (std::abs(tx - sx) < 3) {
        w = 3;
        m_line->Direction = ty < sy ? 0 : 1;
    } else if (std::abs(ty - sy) < 3) {
        h = 3;
        m_line->Direction = sx > tx ? 2 : 3;
    }
    m_line->setBounds(std::min(sx, tx), std::min(sy, ty), w, h);

    const int tw = target->width();
    m_line->EndGap = tw >= 48 ? tw - tw / 3 : tw - tw / 4;
    m_line->Colour = m_colours->lineColour;
    m_line->update();
    m_line->setVisible(true);
}

void TKerfa::HideLine() {
    if (!m_line)
        return;
    m_line->setVisible(false);
    m_line->setBounds(m_line->left(), m_line->top(), 0, 0);
}

QRectF TKerfa::itemBounds() const {
    QRectF bounds(0, 0, m_size, m_size);
    if (m_label.isVisible())
        bounds = bounds.united(labelArea());
    return hasTargets() ? bounds.united(progressRect()) : bounds;
}

QRectF TKerfa::boundingRect() const {
    return m_bounds;
}

void TKerfa::setTargets(int target, int chainTarget) {
    target = std::max(target, 0);
    chainTarget = std::max(chainTarget, 0);
    if (target == m_target && chainTarget == m_chainTarget)
        return;
    prepareGeometryChange();
    m_target = target;
    m_chainTarget = chainTarget;
    m_bounds = itemBounds();
}

void TKerfa::setWordCounts(qint64 words, qint64 chainWords) {
    if (words == m_words && chainWords == m_chainWords)
        return;
    m_words = words;
    m_chainWords = chainWords;
    if (hasTargets())
        update();
}

QRectF TKerfa::progressRect() const {
    if (!hasTargets())
        return {};
    const int width = std::max(m_size, m_label.width());
    const int top = m_size + 1 + m_label.height();
    return QRectF((m_size - width) / 2, top, width + kTickWidth,
                  kBarGap + 2 * (kBarHeight + kBarGap));
}

void TKerfa::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    // At its own size from the top-left corner; what lies outside the square is left out. A
    // picture drawn for a HiDPI screen has more pixels than its size: the square is measured in
    // its pixels.
    const qreal ratio = m_picture.devicePixelRatio();
    painter->drawImage(QRectF(0, 0, m_size, m_size), m_picture,
                       QRectF(0, 0, m_size * ratio, m_size * ratio));
    if (m_label.isVisible())
        m_label.paint(painter, labelArea().topLeft());
    if (!hasTargets())
        return;
    int row = 0;
    if (TargetProgress::shown(m_words, m_target))
        paintProgress(painter, row++, m_words, m_target, kBarSheet);
    if (headsChain() && TargetProgress::shown(m_chainWords, m_chainTarget))
        paintProgress(painter, row, m_chainWords, m_chainTarget, kBarChain);
}

void TKerfa::paintProgress(QPainter* painter, int row, qint64 words, int target,
                           const QColor& colour) const {
    const QRectF area = progressRect();
    const QRectF track(area.left(), area.top() + kBarGap + row * (kBarHeight + kBarGap),
                       area.width() - kTickWidth, kBarHeight);
    const bool met = TargetProgress::met(words, target);
    painter->fillRect(track, kBarTrack);
    QRectF done = track;
    done.setWidth(track.width() * TargetProgress::share(words, target));
    painter->fillRect(done, met ? kBarMet : colour);
    if (!met)
        return;
    // A tick after the bar: the target is met, and nothing else announces it.
    const qreal x = track.right() + 1;
    const qreal y = track.center().y();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(kBarMet, 1.5));
    const QPointF tick[] = {{x, y}, {x + 2, y + 2}, {x + 6, y - 3}};
    painter->drawPolyline(tick, 3);
    painter->restore();
}
