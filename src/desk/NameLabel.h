#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QHash>
#include <QList>
#include <QStaticText>
#include <QStringList>

// The caption under a sheet's icon: word-wrapped, centred text that sizes itself to its lines.
// "&" is shown as itself. It lies on the desk beside its sheet rather than inside it, so that the
// desk can stack it above every sheet.
class NameLabel : public QGraphicsItem {
public:
    NameLabel();

    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }
    void setBold(bool bold);
    bool isBold() const { return m_font.bold(); }
    const QFont& font() const { return m_font; }

    void setTextColour(const QColor& colour);
    const QColor& textColour() const { return m_textColour; }
    void setBackground(const QColor& colour, bool transparent);
    const QColor& background() const { return m_background; }
    bool isTransparent() const { return m_transparent; }

    // Wraps at `wrap` pixels, or at the widest word when that is wider; the label becomes as
    // wide as its widest wrapped line and as high as its lines.
    void measure(int wrap);
    int width() const { return m_width; }
    int height() const { return m_height; }
    const QStringList& lines() const { return m_lines; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void wrapAt(int wrapWidth);
    QHash<QString, int>& widthsOfWords() const;

    QString m_caption;
    QFont m_font;
    QColor m_textColour = Qt::black;
    QColor m_background = Qt::white;
    bool m_transparent = true;
    QStringList m_lines;
    // Each line laid out once, at its first paint, and drawn from that layout after (a drag
    // repaints hundreds of labels a step); with its left edge, centring it.
    QList<QStaticText> m_shown;
    QList<int> m_lineLeft;
    int m_width = 0;
    int m_height = 0;
    int m_lineHeight = 0;
    // What the last measure was made for: sheets are measured again after every change of
    // type, state or marker, mostly with nothing changed.
    QString m_measuredCaption;
    bool m_measuredBold = false;
    int m_measuredWrap = -1;
};
