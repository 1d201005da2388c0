#include "compile/TfmCompile.h"

TfmCompile::TfmCompile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmCompile"));
    setCaptions();
}

void TfmCompile::setCaptions() {
    setWindowTitle(QStringLiteral("Kerfa Compilation"));
}
