#include "desk/LoadProgress.h"

#include <QCoreApplication>

namespace {

constexpr int kWidth = 240;

} // namespace

LoadProgress::LoadProgress(QWidget* viewport, int showAfterMs)
    : QProgressBar(viewport), m_showAfterMs(showAfterMs) {
    setObjectName(QStringLiteral("pbLoad"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    hide();
}

void LoadProgress::begin() {
    m_time.start();
    // The first report is a step.
    m_lastStep = -kStepMs;
}

void LoadProgress::advance(qsizetype done, qsizetype total) {
    if (done >= total) {
        hide();
        m_time.invalidate();
        return;
    }
    if (!m_time.isValid())
        return;
    const qint64 now = m_time.elapsed();
    if (now - m_lastStep < kStepMs)
        return;
    m_lastStep = now;
    if (now >= m_showAfterMs) {
        // The range in steps of a thousandth, as a bar's range is an int.
        setRange(0, 1000);
        setValue(static_cast<int>(done * 1000 / total));
        if (isHidden()) {
            placeOver();
            show();
        }
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LoadProgress::placeOver() {
    const QWidget* desk = parentWidget();
    const int height = sizeHint().height();
    const int width = std::min(kWidth, desk->width() - 20);
    setGeometry((desk->width() - width) / 2, (desk->height() - height) / 2, width, height);
    raise();
}
