#include "compile/TfmCompile.h"

#include "language/FormCaptions.h"

TfmCompile::TfmCompile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmCompile"));
    FormCaptions::apply(this);
}
