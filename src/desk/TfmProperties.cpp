#include "desk/TfmProperties.h"

TfmProperties::TfmProperties(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmProperties"));
    setCaptions();
}

void TfmProperties::setCaptions() {
    setWindowTitle(QStringLiteral("Kerfa New"));
}
