#pragma once

#include <QElapsedTimer>
#include <QProgressBar>

// Keeps the main window alive while a project loads, which takes the program's only thread:
// every few hundredths of a second the window system's events other than the user's input are
// handled, so that the window shows its desk (as far as it is laid out) as soon as it is on
// screen, and a load that takes longer than about half a second shows a progress bar over the
// desk. The user's presses and keys wait for the end of the load.
class LoadProgress : public QProgressBar {
    Q_OBJECT
public:
    static constexpr int kShowAfterMs = 500;
    static constexpr int kStepMs = 40;

    // Lies over the desk's viewport; hidden until a load has taken showAfterMs.
    explicit LoadProgress(QWidget* viewport, int showAfterMs = kShowAfterMs);

    void begin();
    // done of total steps; the bar goes when done reaches total.
    void advance(qsizetype done, qsizetype total);

private:
    void placeOver();

    QElapsedTimer m_time;
    qint64 m_lastStep = 0;
    int m_showAfterMs;
};
