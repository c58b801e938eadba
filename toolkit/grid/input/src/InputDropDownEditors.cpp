// Set-up and write-back of the drop-down editors.

#include "grid/ZirOvararIzazInput.h"

bool TZirOvararIzazInput::SetUpDropDownEditor(const TSpecialEditorPlace&) {
    return false;
}

bool TZirOvararIzazInput::WriteBackDropDownEditor(Integer, Integer) {
    return false;
}
