#include "desk/SheetPopupState.h"

SheetPopupState SheetPopupState::of(int sheetType, int state, bool linksToAnother, bool editing,
                                    const QStringList& stateNames) {
    SheetPopupState popup;
    for (int i = 0; i < kStates; ++i) {
        const bool named = !stateNames.value(i).isEmpty();
        popup.stateVisible[i] = named;
        popup.stateEnabled[i] = named && i != state;
        popup.stateChecked[i] = i == state;
    }
    popup.notCompilation = sheetType != 0;
    popup.linksToCompilation = linksToAnother;
    popup.properties = popup.notCompilation && !editing;
    return popup;
}
