#include "compile/TfmFindAndCompile.h"

#include "language/FormCaptions.h"

TfmFindAndCompile::TfmFindAndCompile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmFindAndCompile"));
    FormCaptions::apply(this);
}
