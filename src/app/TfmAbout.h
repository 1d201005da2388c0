#pragma once

#include <QDialog>

class QLabel;
class QTimer;

// The about box: a borderless picture with the version over it, in the lower right of the
// screen; a click or seven seconds close it.
class TfmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfmAbout(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_lblVersion;
    QTimer* m_timer;
};
