#pragma once

#include <QDialog>

// Finds every sheet whose text holds a search text and adds it to the compilation.
class TfmFindAndCompile : public QDialog {
    Q_OBJECT
public:
    explicit TfmFindAndCompile(QWidget* parent = nullptr);

    // Every caption of the window, in one place for the language files.
    void setCaptions();
};
