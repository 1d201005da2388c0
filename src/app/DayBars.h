#pragma once

#include "common/ChartScale.h"

#include <QDate>
#include <QList>
#include <QWidget>

// Words written per day as bars over a scale of words, one bar to a day, the day of the month
// under each (with the month's name where a month begins or the chart does). Words taken out
// on a day show as a bar below the zero line.
class DayBars : public QWidget {
    Q_OBJECT
public:
    struct Day {
        QDate date;
        qint64 words = 0;
    };

    explicit DayBars(QWidget* parent = nullptr);

    void setDays(QList<Day> days);
    const QList<Day>& days() const { return m_days; }
    const ChartScale& scale() const { return m_scale; }
    // What is written under each bar.
    QStringList dayLabels() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The first day shown, or the first of a month: labelled with the month's name too.
    bool beginsMonth(qsizetype day) const;

    QList<Day> m_days;
    ChartScale m_scale;
};
