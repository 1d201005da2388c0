#pragma once

#include <QGraphicsView>

// The scroll box the desk panel lies in. The desk's scene is anchored at the top-left corner
// and scrolls when it is larger than the window.
class DeskView : public QGraphicsView {
    Q_OBJECT
public:
    explicit DeskView(QGraphicsScene* scene, QWidget* parent = nullptr);

Q_SIGNALS:
    // The desk was painted for the first time (start-up measurements wait for this).
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    // A sheet's hint shows for three seconds.
    bool viewportEvent(QEvent* event) override;

private:
    bool m_painted = false;
};
