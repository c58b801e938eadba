// Set-up and write-back of the combo, check box and button editors.

#include "grid/ZirOvararIzazInput.h"

bool TZirOvararIzazInput::SetUpComboFamilyEditor(const TSpecialEditorPlace&) {
    return false;
}

bool TZirOvararIzazInput::WriteBackComboFamilyEditor(Integer, Integer) {
    return false;
}
