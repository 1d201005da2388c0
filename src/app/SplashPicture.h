#pragma once

#include <QWidget>

class QSvgRenderer;

// The picture lying over the desk from start-up until the first menu, popup or load. It lets
// the mouse through to the desk underneath.
class SplashPicture : public QWidget {
    Q_OBJECT
public:
    explicit SplashPicture(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Read on the first paint: a project opened at start hides the picture before that.
    QSvgRenderer* m_renderer = nullptr;
};
