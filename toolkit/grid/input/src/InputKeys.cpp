// Key handling: the key-down message before the platform grid sees the key
// (scroll-only mode, edit start, check boxes and radio buttons, Home and
// End, Tab, skipping cells, row insertion and deletion, the clipboard
// short-cuts, select-all and the disjunct selections), the key-up message,
// and the key-down step that moves the cursor.

#include "grid/ZirOvararIzazInput.h"

void TZirOvararIzazInput::HandleWMKeyDown(TMessage& Message) {
    TZirOvararIzazCore::HandleWMKeyDown(Message);
}

void TZirOvararIzazInput::HandleWMKeyUp(TMessage& Message) {
    TZirOvararIzazCore::HandleWMKeyUp(Message);
}

void TZirOvararIzazInput::HandleKeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazCore::KeyDown(Key, Shift);
}

void TZirOvararIzazInput::CheckSelectionMoved() {
    const TGridRect Sel = Selection();
    if (Sel == FMoveSelection) return;
    if (!MouseActions()->DisjunctRowSelect()) SelectionChanged(Sel.Left, Sel.Top, Sel.Right, Sel.Bottom);
    FMoveSelection = Sel;
}
