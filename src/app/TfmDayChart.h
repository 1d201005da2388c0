#pragma once

#include <QDate>
#include <QWidget>

class DayLog;
class QChart;
class QChartView;

// Words written per day over the last weeks, as bars, from the project's day log. Shown beside
// the desk; it follows the log while it is open.
class TfmDayChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDays = 28;

    explicit TfmDayChart(QWidget* parent = nullptr);

    // Draws the days up to today; an empty log draws empty days.
    void showLog(const DayLog& log, QDate today);
    QChart* chart() const;

private:
    QChartView* m_view;
};
