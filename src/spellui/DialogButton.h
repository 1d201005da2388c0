#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A push button of the spelling dialogs: named for tests and for the captions, and never the
// dialog's default merely because it has the focus, so Enter in a text box does what the dialog
// means rather than the last button tabbed through.
QPushButton* dialogButton(QWidget* parent, const QString& name);
