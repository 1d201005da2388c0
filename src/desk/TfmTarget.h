#pragma once

#include <QDialog>

class TargetBox;

// The sheet popup's Word Target: a sheet's target, and its chain's when it starts one, set
// without the rest of its properties (and so also while its editor is open).
class TfmTarget : public QDialog {
    Q_OBJECT
public:
    explicit TfmTarget(QWidget* parent = nullptr);

    TargetBox* targets() const { return m_targets; }

protected:
    void showEvent(QShowEvent* event) override;
    // Closes only on targets that can be read.
    void accept() override;

private:
    TargetBox* m_targets;
};
