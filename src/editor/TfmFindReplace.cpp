#include "editor/TfmFindReplace.h"

#include "language/FormCaptions.h"

TfmFindReplace::TfmFindReplace(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmFindReplace"));
    FormCaptions::apply(this);
}
