#include "spellui/DialogButton.h"

#include <QPushButton>

QPushButton* dialogButton(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
