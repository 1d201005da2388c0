#pragma once

#include <QDialog>

// The properties of a sheet: name, type and description.
class TfmProperties : public QDialog {
    Q_OBJECT
public:
    explicit TfmProperties(QWidget* parent = nullptr);
};
