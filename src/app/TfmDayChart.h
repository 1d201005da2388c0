#pragma once

#include <QDate>
#include <QWidget>

class DayBars;
class DayLog;

// Words written per day over the last weeks, as bars, from the project's day log. Shown beside
// the desk; it follows the log while it is open.
class TfmDayChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDays = 28;

    explicit TfmDayChart(QWidget* parent = nullptr);

    // Draws the days up to today; an empty log draws empty days.
    void showLog(const DayLog& log, QDate today);
    DayBars* bars() const;

private:
    DayBars* m_bars;
};
