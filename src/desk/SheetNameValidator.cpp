#include "desk/SheetNameValidator.h"

#include "project/SheetNames.h"

QValidator::State SheetNameValidator::validate(QString& input, int& pos) const {
    // The cursor stays after what was typed, less what was dropped before it.
    const int dropped =
        static_cast<int>(pos - SheetNames::withoutForbidden(input.left(pos)).size());
    input = SheetNames::withoutForbidden(input);
    pos -= dropped;
    return Acceptable;
}
