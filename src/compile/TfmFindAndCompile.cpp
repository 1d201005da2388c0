#include "compile/TfmFindAndCompile.h"

TfmFindAndCompile::TfmFindAndCompile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmFindAndCompile"));
    setCaptions();
}

void TfmFindAndCompile::setCaptions() {
    setWindowTitle(QStringLiteral("Find & Compile"));
}
