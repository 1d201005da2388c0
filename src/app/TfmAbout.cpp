#include "app/TfmAbout.h"

#include "language/FormCaptions.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 160;
constexpr int kShowMs = 7000;

} // namespace

TfmAbout::TfmAbout(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_lblVersion(new QLabel(this)),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("fmAbout"));
    setFixedSize(kWidth, kHeight);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_lblVersion->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lblVersion->setGeometry(0, kHeight - 26, kWidth - 12, 20);
    m_lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_timer->setObjectName(QStringLiteral("tmrAbout"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(kShowMs);
    connect(m_timer, &QTimer::timeout, this, &QDialog::accept);
    m_lblVersion->setText(QStringLiteral("Version %1").arg(QStringLiteral(KERFA_VERSION)));
    FormCaptions::apply(this);
}

void TfmAbout::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize s = screen->size();
        move(s.width() - width(), s.height() - height() - 30);
    }
    m_timer->start();
    QDialog::showEvent(event);
}

void TfmAbout::hideEvent(QHideEvent* event) {
    m_timer->stop();
    QDialog::hideEvent(event);
}

void TfmAbout::mousePressEvent(QMouseEvent*) {
    accept();
}

void TfmAbout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QSvgRenderer picture(QStringLiteral(":/kerfa/about.svg"));
    if (picture.isValid())
        picture.render(&painter, QRectF(rect()));
}
