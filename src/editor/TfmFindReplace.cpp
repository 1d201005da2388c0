#include "editor/TfmFindReplace.h"

TfmFindReplace::TfmFindReplace(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmFindReplace"));
    setCaptions();
}

void TfmFindReplace::setCaptions() {
    setWindowTitle(QStringLiteral("Find & Replace"));
}
