#include "app/TfmDayChart.h"

#include "language/FormCaptions.h"
#include "project/DayLog.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

TfmDayChart::TfmDayChart(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fmDayChart"));
    m_view = new QChartView(this);
    m_view->setObjectName(QStringLiteral("chvWords"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->chart()->legend()->hide();
    m_view->chart()->setMargins(QMargins(4, 4, 4, 4));
    auto* btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnClose, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
    resize(640, 360);
    FormCaptions::apply(this);
}

QChart* TfmDayChart::chart() const {
    return m_view->chart();
}

void TfmDayChart::showLog(const DayLog& log, QDate today) {
    QChart* chart = m_view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);

    auto* words = new QBarSet(QString());
    words->setColor(QColor(0x3b, 0x78, 0xd0));
    QStringList days;
    qint64 most = 0;
    qint64 least = 0;
    for (const DayLog::Day& day : log.lastDays(today, kDays)) {
        *words << static_cast<qreal>(day.written());
        most = std::max(most, day.written());
        least = std::min(least, day.written());
        // The day of the month, and the month's name where a month begins or the chart does.
        days << (day.date.day() == 1 || days.isEmpty() ? QLocale().toString(day.date, u"d MMM")
                                                       : QString::number(day.date.day()));
    }
    auto* series = new QBarSeries;
    series->append(words);
    series->setBarWidth(0.8);
    chart->addSeries(series);

    auto* x = new QBarCategoryAxis;
    x->append(days);
    x->setLabelsFont(QFont(font().family(), 7));
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    // Words taken out show below the line; a day of nothing still has a scale.
    y->setRange(static_cast<qreal>(least), static_cast<qreal>(std::max<qint64>(most, 10)));
    y->setLabelFormat(QStringLiteral("%d"));
    y->applyNiceNumbers();
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}
