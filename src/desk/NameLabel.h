#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QStaticText>
#include <QStringList>
#include <QVarLengthArray>

class QPainter;

// The caption under a sheet's icon: word-wrapped, centred text that sizes itself to its lines.
// "&" is shown as itself. Its sheet draws it, a pixel below the icon: one item on the desk for
// both, so that a desk of thousands of sheets has half the items to walk at every repaint, and
// the label stacks just above its own icon and below every sheet brought in front of that one.
class NameLabel {
public:
    // A face measures this many numbers the usual way before it checks whether it can add
    // numbers up instead: the check costs a few shaped strings, which a book with few numbers
    // never repays.
    static constexpr int kNumbersShapedFirst = 16;

    NameLabel();

    // The characters of numbers ("0" to "9", "." and ","), each ordered pair of them side by
    // side once: shaped, it shows whether a face kerns or joins any of them.
    static QString numeralPairs();

    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }
    void setBold(bool bold);
    bool isBold() const;
    const QFont& font() const;

    void setTextColour(const QColor& colour) { m_textColour = colour; }
    const QColor& textColour() const { return m_textColour; }
    void setBackground(const QColor& colour, bool transparent);
    const QColor& background() const { return m_background; }
    bool isTransparent() const { return m_transparent; }

    void setVisible(bool visible) { m_visible = visible; }
    bool isVisible() const { return m_visible; }
    // Where the label lies on the desk, as its sheet last placed it.
    void setPos(QPointF pos) { m_pos = pos; }
    QPointF pos() const { return m_pos; }

    // Wraps at `wrap` pixels, or at the widest word when that is wider; the label becomes as
    // wide as its widest wrapped line and as high as its lines.
    void measure(int wrap);
    // Whether measure(wrap) would leave the label as it is.
    bool isMeasuredFor(int wrap) const;
    int width() const { return m_width; }
    int height() const { return m_height; }
    // The text of each line.
    QStringList lines() const;

    // Draws the label with its top-left corner at `at`, in the painter's coordinates.
    void paint(QPainter* painter, QPoint at) const;

    // The interface font at 8 points, regular or bold, with the widths of the words measured in
    // it so far (labels repeat their words: Chapter, Scene, numbers).
    struct Face;

private:
    // The caption's words, as it breaks at blanks, with their widths.
    struct Word {
        QStringView text;
        int width;
    };
    using Words = QVarLengthArray<Word, 12>;
    // A line as the stretch of the measured caption it shows, from its first word to its last:
    // thousands of labels are measured at a load, and a line's text is made only when it is
    // first painted.
    struct Line {
        qsizetype from = 0;
        qsizetype to = 0;
        int width = 0;
        int left = 0; // centring it in the label
        // Whether the words stand there a blank apart: the line's text is then the caption's.
        bool singleBlanks = true;
    };
    void wrapAt(const Words& words, int wrapWidth);
    Line lineOf(const Words& words, qsizetype first, qsizetype last, int width) const;
    // The line's words, a blank apart.
    QString textOf(const Line& line) const;

    QString m_caption;
    Face* m_face;
    QColor m_textColour = Qt::black;
    QColor m_background = Qt::white;
    bool m_transparent = true;
    bool m_visible = false;
    QPointF m_pos;
    QVarLengthArray<Line, 3> m_lines;
    // Each line laid out once, at its first paint (most labels of a large book are never on
    // screen), and drawn from that layout after (a drag repaints hundreds of labels a step).
    mutable QList<QStaticText> m_shown;
    int m_width = 0;
    int m_height = 0;
    // What the last measure was made for.
    QString m_measuredCaption;
    const Face* m_measuredFace = nullptr;
    int m_measuredWrap = -1;
};
