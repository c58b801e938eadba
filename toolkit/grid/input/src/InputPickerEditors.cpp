// Set-up and write-back of the spin, date and time, edit-with-button and value-with-unit editors.

#include "grid/ZirOvararIzazInput.h"

bool TZirOvararIzazInput::SetUpPickerEditor(const TSpecialEditorPlace&) {
    return false;
}

bool TZirOvararIzazInput::WriteBackPickerEditor(Integer, Integer) {
    return false;
}
