#pragma once

#include <QDialog>

// The compilation window: the ordered list of sheets written into the compilation file.
class TfmCompile : public QDialog {
    Q_OBJECT
public:
    explicit TfmCompile(QWidget* parent = nullptr);

    // Every caption of the window, in one place for the language files.
    void setCaptions();
};
