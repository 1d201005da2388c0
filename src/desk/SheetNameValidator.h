#pragma once

#include <QValidator>

// Keeps out of a sheet's name field the characters a file name may not hold: typed ones are
// swallowed, pasted ones dropped.
class SheetNameValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};
