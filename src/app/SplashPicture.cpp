#include "app/SplashPicture.h"

#include <QPainter>
#include <QSvgRenderer>

SplashPicture::SplashPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("imgFlash"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void SplashPicture::paintEvent(QPaintEvent*) {
    if (!m_renderer)
        m_renderer = new QSvgRenderer(QStringLiteral(":/kerfa/splash.svg"), this);
    if (!m_renderer->isValid())
        return;
    QSize size = m_renderer->defaultSize();
    // Never larger than the desk shows, keeping its proportions.
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, target);
}
