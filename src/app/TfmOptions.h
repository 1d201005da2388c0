#pragma once

#include <QDialog>

// The options dialog: settings, workspace, language, themes, labels, auto-save and editor font.
class TfmOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfmOptions(QWidget* parent = nullptr);
};
