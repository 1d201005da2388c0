#include "app/TfmDayChart.h"

#include "app/DayBars.h"
#include "language/FormCaptions.h"
#include "project/DayLog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

TfmDayChart::TfmDayChart(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fmDayChart"));
    m_bars = new DayBars(this);
    m_bars->setObjectName(QStringLiteral("chvWords"));
    auto* btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnClose, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    addAction(escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bars, 1);
    layout->addWidget(buttons);
    resize(640, 360);
    FormCaptions::apply(this);
}

DayBars* TfmDayChart::bars() const {
    return m_bars;
}

void TfmDayChart::showLog(const DayLog& log, QDate today) {
    QList<DayBars::Day> days;
    for (const DayLog::Day& day : log.lastDays(today, kDays))
        days.append({day.date, day.written()});
    m_bars->setDays(std::move(days));
}
