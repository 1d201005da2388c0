#include "desk/TKerfa.h"

#include "desk/Desk.h"
#include "desk/NameLabel.h"
#include "desk/TKerfaLine.h"

#include <QGraphicsScene>
#include <QPainter>
#include <cstdlib>

namespace {

bool isBlankOrControl(QChar c) {
    return c.unicode() <= u' ';
}

} // namespace

TKerfa::TKerfa(Desk* desk) : m_desk(desk), m_label(new NameLabel), m_line(new TKerfaLine) {
    setVisible(false);
    m_label->setCaption(SheetName);
    m_label->setVisible(false);
    m_label->setBackground(Qt::white, m_colours->labelTransparent);
}

TKerfa::~TKerfa() {
    delete m_line;
    delete m_label;
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
}

void TKerfa::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

QString TKerfa::hintFor(const QString& description) {
    return description.size() > 50 ? description.left(50) + QStringLiteral("...") : description;
}

void TKerfa::Repaint() {
    update();
    m_label->setPos(left() + (width() - m_label->width()) / 2, top() + height() + 1);
    if (m_dragging)
        return;
    if (Selected)
        m_label->setTextColour(m_colours->selectedColour);
    else if (m_editing)
        m_label->setTextColour(m_colours->editingColour);
    else
        m_label->setTextColour(m_colours->textColour);
    m_label->setBackground(m_colours->labelColour, m_colours->labelTransparent);
}

void TKerfa::setEditing(bool editing) {
    if (editing == m_editing)
        return;
    m_editing = editing;
    Repaint();
}

void TKerfa::KeepInBounds() {
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
    m_label->measure(kLabelWrap);
    LabelOverhang = m_label->width() > width() ? (m_label->width() - width()) / 2 : 0;
    LabelSpace = m_label->height() + 1;
}

void TKerfa::SetSheetType(quint8 code) {
    if (code != SheetType)
        SetState(0);
    SheetType = code;
    m_label->setBold(SheetType == 1 && BoldBaseType);
    MeasureLabel();
    Repaint();
}

void TKerfa::SetBoldBaseType(bool flag) {
    BoldBaseType = flag;
    m_label->setBold(SheetType == 1 && flag);
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

void TKerfa::ensureLabelOnDesk() {
    if (m_label->scene() != scene() && scene())
        scene()->addItem(m_label);
}

void TKerfa::SetSheetName(const QString& name) {
    ensureLabelOnDesk();
    PreviousName = SheetName;
    SheetName = name;
    m_label->setCaption(SheetName);
    m_label->setVisible(true);
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
    setToolTip(hintFor(Description));
}

void TKerfa::SetStateMarker(const QString& marker) {
    ensureLabelOnDesk();
    StateMarker = marker;
    m_label->setCaption(marker == QLatin1String("*") ? SheetName : SheetName + u' ' + marker);
    m_label->setVisible(true);
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
    if (m_line->scene() != scene() && scene())
        scene()->addItem(m_line);
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
    m_line->setVisible(false);
    m_line->setBounds(m_line->left(), m_line->top(), 0, 0);
}

QRectF TKerfa::boundingRect() const {
    return QRectF(0, 0, m_size, m_size);
}

void TKerfa::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    // At its own size from the top-left corner; what lies outside the square is left out. A
    // picture drawn for a HiDPI screen has more pixels than its size: the square is measured in
    // its pixels.
    const qreal ratio = m_picture.devicePixelRatio();
    painter->drawImage(QRectF(0, 0, m_size, m_size), m_picture,
                       QRectF(0, 0, m_size * ratio, m_size * ratio));
}
