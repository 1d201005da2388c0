#pragma once

#include "common/ColourString.h"

#include <QColor>
#include <QGraphicsItem>
#include <QImage>
#include <QString>

class Desk;
class NameLabel;
class TKerfaLine;
class TfmEditor;

// A sheet on the desk: its icon, the name label under it and its link line, with the sheet's
// state (name, type, revision state, description, colours, link). It draws and places itself;
// files, themes and menus are the main window's business.
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
    QString TextColour = QString::fromLatin1(ColourString::kText);
    QString SelectedColour = QString::fromLatin1(ColourString::kSelected);
    QString EditingColour = QString::fromLatin1(ColourString::kEditing);
    QString LabelColour = QString::fromLatin1(ColourString::kLabel);
    QString LineColour;
    bool LabelTransparent = true;
    bool Selected = false;
    TKerfa* LinkTo = nullptr;
    TKerfa* LinkedFrom = nullptr;
    TfmEditor* Editor = nullptr;
    QString LinkToName;
    int LabelOverhang = 0;
    int LabelSpace = 0;
    int GroupOffsetX = 0;
    int GroupOffsetY = 0;

    TKerfaLine* line() const { return m_line; }
    NameLabel* nameLabel() const { return m_label; }
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
    void SetLinkTo(TKerfa* target);
    void SetLinkedFrom(TKerfa* source);
    void PlaceLine();
    void HideLine();

    // The hover text for a description: its first 50 characters, and "..." when it is longer.
    static QString hintFor(const QString& description);
    // A colour string as a colour; black when it does not read.
    static QColor colour(const QString& colourString);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void ensureLabelOnDesk();

    Desk* m_desk;
    NameLabel* m_label;
    TKerfaLine* m_line;
    QImage m_picture;
    int m_size = kNewSize;
    bool m_dragging = false;
};
