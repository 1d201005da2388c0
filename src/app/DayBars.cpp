#include "app/DayBars.h"

#include <QLocale>
#include <QPainter>

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
// Of each day's slot, the share its bar takes.
constexpr qreal kBarShare = 0.8;
const QColor kBarColour(0x3b, 0x78, 0xd0);

QFont dayFont(const QFont& font) {
    QFont small = font;
    small.setPointSizeF(std::max(6.0, font.pointSizeF() * 0.8));
    return small;
}

} // namespace

DayBars::DayBars(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    m_scale = ChartScale::of(0, 10);
}

void DayBars::setDays(QList<Day> days) {
    m_days = std::move(days);
    qint64 least = 0;
    qint64 most = 10;
    for (const Day& day : std::as_const(m_days)) {
        least = std::min(least, day.words);
        most = std::max(most, day.words);
    }
    m_scale = ChartScale::of(least, most);
    update();
}

bool DayBars::beginsMonth(qsizetype day) const {
    return day == 0 || m_days[day].date.day() == 1;
}

QStringList DayBars::dayLabels() const {
    QStringList labels;
    for (qsizetype i = 0; i < m_days.size(); ++i)
        labels << (beginsMonth(i) ? QLocale().toString(m_days[i].date, u"d MMM")
                                  : QString::number(m_days[i].date.day()));
    return labels;
}

QSize DayBars::sizeHint() const {
    return {600, 300};
}

void DayBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QLocale locale;

    // The scale's labels on the left, the days' labels underneath.
    const QFontMetrics valueMetrics(font());
    int scaleWidth = 0;
    for (qint64 value = m_scale.low; value <= m_scale.high; value += m_scale.step)
        scaleWidth = std::max(scaleWidth, valueMetrics.horizontalAdvance(locale.toString(value)));
    const QFont small = dayFont(font());
    const QFontMetrics dayMetrics(small);
    const QRect plot =
        rect().adjusted(kMargin + scaleWidth + kGap, kMargin + valueMetrics.ascent() / 2, -kMargin,
                        -(kMargin + dayMetrics.height() + kGap));
    if (plot.width() <= 0 || plot.height() <= 0)
        return;

    const qreal range = qreal(m_scale.high - m_scale.low);
    const auto yOf = [&](qint64 value) {
        return plot.bottom() - (qreal(value - m_scale.low) / range) * plot.height();
    };

    // Lines across at every step, the zero line darker, each with its value.
    QColor grid = colours.color(QPalette::Text);
    grid.setAlpha(40);
    for (qint64 value = m_scale.low; value <= m_scale.high; value += m_scale.step) {
        const qreal y = yOf(value);
        painter.setPen(QPen(value == 0 ? colours.color(QPalette::Text) : grid, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(colours.color(QPalette::Text));
        const QRectF label(kMargin, y - valueMetrics.height() / 2.0, scaleWidth,
                           valueMetrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, locale.toString(value));
    }
    if (m_days.isEmpty())
        return;

    const qreal slot = qreal(plot.width()) / m_days.size();
    const qreal zero = yOf(0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBarColour);
    for (qsizetype i = 0; i < m_days.size(); ++i) {
        const qreal left = plot.left() + i * slot + slot * (1 - kBarShare) / 2;
        const qreal y = yOf(m_days[i].words);
        painter.drawRect(QRectF(left, std::min(y, zero), slot * kBarShare, std::abs(zero - y)));
    }

    // The days where a month begins are labelled first; then every other day where its label
    // keeps clear of the labels already there.
    painter.setFont(small);
    painter.setPen(colours.color(QPalette::Text));
    const QStringList labels = dayLabels();
    const qreal space = 1.5 * dayMetrics.horizontalAdvance(u' ');
    QList<QRectF> taken;
    const auto place = [&](qsizetype i) {
        const qreal width = dayMetrics.horizontalAdvance(labels[i]);
        const QRectF box(std::max<qreal>(plot.left() + (i + 0.5) * slot - width / 2, 0),
                         plot.bottom() + kGap, width, dayMetrics.height());
        const QRectF clear = box.adjusted(-space, 0, space, 0);
        for (const QRectF& other : std::as_const(taken))
            if (other.intersects(clear))
                return;
        taken << box;
        painter.drawText(box, Qt::AlignCenter, labels[i]);
    };
    for (qsizetype i = 0; i < labels.size(); ++i)
        if (beginsMonth(i))
            place(i);
    for (qsizetype i = 0; i < labels.size(); ++i)
        if (!beginsMonth(i))
            place(i);
}
