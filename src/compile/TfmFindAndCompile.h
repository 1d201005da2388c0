#pragma once

#include <QDialog>

// Finds every sheet whose text holds a search text and adds it to the compilation.
class TfmFindAndCompile : public QDialog {
    Q_OBJECT
public:
    explicit TfmFindAndCompile(QWidget* parent = nullptr);
};
