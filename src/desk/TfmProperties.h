#pragma once

#include <QDialog>

// The properties of a sheet: name, type and description.
class TfmProperties : public QDialog {
    Q_OBJECT
public:
    explicit TfmProperties(QWidget* parent = nullptr);

    // Every caption of the window, in one place for the language files.
    void setCaptions();
};
