#include "app/TfmOptions.h"

#include "language/FormCaptions.h"

TfmOptions::TfmOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmOptions"));
    FormCaptions::apply(this);
}
