#pragma once

#include "desk/NameLabel.h"
#include "themes/SheetColours.h"

#include <QColor>
#include <QGraphicsItem>
#include <QImage>
#include <QString>
#include <memory>

class Desk;
class TKerfaLine;

// A sheet on the desk: its icon, the name label under it and its link line, with the sheet's
// state (name, type, revision state, description, colours, link). It draws and places itself;
// files, themes, editor windows and menus are other classes' business. The icon and its label
// are one item on the desk; the line, which lies behind every sheet, is another.
class TKerfa : public QGraphicsItem {
public:
    static constexpr int kLabelWrap = 120;
    static constexpr int kNewSize = 48;
    static constexpr int kDescriptionLength = 255;

    // Created on the given desk (its owner); invisible until the caller shows it.
    explicit TKerfa(Desk* desk);
    ~TKerfa() override;
    TKerfa(const TKerfa&) = delete;
    TKerfa& operator=(const TKerfa&) = delete;

    QString SheetName = QStringLiteral("unnamed");
    QString PreviousName = QStringLiteral("unnamed");
    QString Description;
    quint8 SheetType = 1;
    quint8 State = 0;
    QString StateMarker;
    bool BoldBaseType = false;
    bool Selected = false;
    TKerfa* LinkTo = nullptr;
    TKerfa* LinkedFrom = nullptr;
    QString LinkToName;
    int LabelOverhang = 0;
    int LabelSpace = 0;
    int GroupOffsetX = 0;
    int GroupOffsetY = 0;

    // Word targets (0: none): the sheet's own, and its chain's, which the first sheet of a
    // chain keeps (Desk carries it when links change). A chain target on a sheet that starts no
    // chain is kept but not shown.
    int target() const { return m_target; }
    int chainTarget() const { return m_chainTarget; }
    void setTargets(int target, int chainTarget);
    bool headsChain() const { return LinkTo && !LinkedFrom; }
    // The words counted for the sheet and for the chain it starts; negative while not counted.
    // A sheet with a target shows them as thin bars under its label, drawn with the sheet.
    void setWordCounts(qint64 words, qint64 chainWords);
    qint64 words() const { return m_words; }
    qint64 chainWords() const { return m_chainWords; }
    // Where the bars lie, in the sheet's own coordinates: under the label, as wide as it or the
    // icon. Empty without targets.
    QRectF progressRect() const;

    // The colour strings in force, each invalid one replaced by its default.
    const QString& TextColour() const { return m_colours->text; }
    const QString& SelectedColour() const { return m_colours->selected; }
    const QString& EditingColour() const { return m_colours->editing; }
    const QString& LabelColour() const { return m_colours->label; }
    const QString& LineColour() const { return m_colours->line; }

    // While the sheet's editor window is open its label takes the editing colour.
    void setEditing(bool editing);
    bool isEditing() const { return m_editing; }

    // Made when first asked for: most sheets of a book never link to another.
    TKerfaLine* line() const;
    const NameLabel* nameLabel() const { return &m_label; }
    Desk* desk() const { return m_desk; }

    // The square of the icon on the desk.
    int left() const { return static_cast<int>(pos().x()); }
    int top() const { return static_cast<int>(pos().y()); }
    int width() const { return m_size; }
    int height() const { return m_size; }
    void setLeft(int left);
    void setTop(int top);
    void setPosition(int left, int top);
    void setSize(int size);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    // Which part of the sheet lies at a desk point: the icon's square, the label (when shown),
    // or neither, although the point lies in the item's bounding rectangle.
    enum class Part { None, Icon, Label };
    Part partAt(QPointF deskPoint) const;

    // While a sheet read from its file is set up, its label is measured and the sheet kept on
    // the desk once, by endSetUp, with its final type, size, bold flag and marker, instead of
    // after each of them (and a first time, with only its name, at the size of a new sheet).
    void beginSetUp() { m_settingUp = true; }
    void endSetUp();

    // The desk frees a whole desk at once through its scene, which then frees the line too when
    // it lies there.
    void leaveLineToScene();

    // While the desk drags this sheet its label follows it but keeps its colours.
    void setDragging(bool dragging) { m_dragging = dragging; }
    bool isDragging() const { return m_dragging; }

    void Repaint();
    void KeepInBounds();
    void MeasureLabel();
    void SetSheetType(quint8 code);
    void SetBoldBaseType(bool flag);
    void SetState(quint8 state);
    void SetSelected(bool flag);
    void SetSheetName(const QString& name);
    void SetDescription(const QString& text);
    void SetStateMarker(const QString& marker);
    void SetColours(const QString& text, const QString& selected, bool labelTransparent,
                    const QString& line, const QString& label, const QString& editing);
    // Colours already read, as a theme shares them among its sheets.
    void setColours(std::shared_ptr<const SheetColours> colours);
    void SetLinkTo(TKerfa* target);
    void SetLinkedFrom(TKerfa* source);
    void PlaceLine();
    void HideLine();

    // The hover text for a description: its first 50 characters, and "..." when it is longer.
    static QString hintFor(const QString& description);
    // The sheet's hover text, made when it is wanted: most sheets of a book are never hovered over.
    QString hint() const { return hintFor(Description); }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    // The label's rectangle in the sheet's own coordinates: centred under the icon, a pixel
    // below it.
    QRect labelArea() const;
    void showLabel();
    // The icon's square with the label when it is shown and the target bars when there are
    // targets; kept in m_bounds, as every repaint of the desk asks every item for it.
    QRectF itemBounds() const;
    bool hasTargets() const { return m_target > 0 || m_chainTarget > 0; }
    void paintProgress(QPainter* painter, int row, qint64 words, int target,
                       const QColor& colour) const;

    Desk* m_desk;
    NameLabel m_label;
    mutable TKerfaLine* m_line = nullptr;
    QImage m_picture;
    std::shared_ptr<const SheetColours> m_colours = SheetColours::initial();
    int m_size = kNewSize;
    QRectF m_bounds;
    bool m_dragging = false;
    bool m_editing = false;
    bool m_settingUp = false;
    int m_target = 0;
    int m_chainTarget = 0;
    qint64 m_words = -1;
    qint64 m_chainWords = -1;
};
