#pragma once

#include <QDialog>

// Find and replace in an editor window; the one made at start-up is the template for the captions.
class TfmFindReplace : public QDialog {
    Q_OBJECT
public:
    explicit TfmFindReplace(QWidget* parent = nullptr);
};
