#include "desk/TfmProperties.h"

#include "language/FormCaptions.h"

TfmProperties::TfmProperties(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmProperties"));
    FormCaptions::apply(this);
}
