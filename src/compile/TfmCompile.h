#pragma once

#include <QDialog>

// The compilation window: the ordered list of sheets written into the compilation file.
class TfmCompile : public QDialog {
    Q_OBJECT
public:
    explicit TfmCompile(QWidget* parent = nullptr);
};
