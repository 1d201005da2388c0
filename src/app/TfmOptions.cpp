#include "app/TfmOptions.h"

TfmOptions::TfmOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmOptions"));
    setCaptions();
}

void TfmOptions::setCaptions() {
    setWindowTitle(QStringLiteral("Kerfa Options"));
}
