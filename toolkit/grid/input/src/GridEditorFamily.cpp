// The rules shared by the string grid's special in-place editors.

#include "grid/GridEditorFamily.h"

#include "grid/GridUnit.h"
#include "rtl/FlagScope.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

namespace {

bool ShiftHeld() {
    return GetKeyState(VK_SHIFT) < 0;
}

} // namespace

// ---- What the protocol asks of an editor -------------------------------------------

bool IGridKeyEditor::IsGridKey(Word Key, TShiftState Shift) {
    switch (Key) {
    case VK_DOWN:
        return !Shift.Contains(ssAlt);
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_UP:
        return true;
    default:
        return false;
    }
}

bool IGridKeyEditor::CommitsOn(Word Key) {
    return Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN;
}

void IGridKeyEditor::ReopenAfterDone(TGridEditorLink& Link) {
    Link.Grid()->ShowInplaceEdit();
}

// ---- The link ----------------------------------------------------------------------

TGridEditorLink::TGridEditorLink(TComponent* AOwner) : FGrid(dynamic_cast<TZirOvararIzazInput*>(AOwner)) {
    if (!FGrid) throw EInvalidCast(u"Invalid class typecast");
}

bool TGridEditorLink::GridWantsTab() const {
    return FGrid->EditorWantsTab();
}

bool TGridEditorLink::ClaimsTab(Word Key) const {
    return Key == VK_TAB && GridWantsTab();
}

void TGridEditorLink::KeyDown(IGridKeyEditor& Editor, Word& Key, TShiftState Shift) {
    if (!Editor.IsGridKey(Key, Shift)) {
        Editor.BaseKeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        Editor.BeforeCancel();
        // The text from before the edit: an editor that hands its text to
        // the cell while it changes has already changed the cell.
        Editor.ShowEditorText(OriginalText(), true);
        Cancel();
        return;
    }
    if (Editor.CommitsOn(Key)) {
        if (!Commit(Editor.CommitValue(Key), Key)) {
            Editor.ShowEditorText(RefusedText(), true);
            Editor.RepaintEditor();
            return;
        }
        // The validation may have changed the value.
        Editor.ShowEditorText(CellText(), true);
    }
    if (Key == VK_TAB && GridWantsTab()) {
        if (!CommitTab(Editor.CommitValue(Key), Key)) {
            Editor.ShowEditorText(RefusedText(), false);
            Editor.RepaintEditor();
            return;
        }
        if (FGrid->Options().Contains(goTabs)) {
            TabAway();
            return;
        }
        PostTab();
    }
    if (Editor.PopupOpen()) {
        FGrid->HideInplaceEdit();
        if (Key == VK_PRIOR || Key == VK_NEXT || (Key >= VK_LEFT && Key <= VK_DOWN)) Key = 0;
    } else if (Key == VK_END) {
        Editor.BaseKeyDown(Key, Shift);
        return;
    }
    Done(Editor, Key, Shift);
}

void TGridEditorLink::KeyPress(TObject* Sender, Char& Key) {
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(Sender, Key);
    if (Key == VK_ESCAPE || Key == VK_RETURN || Key == VK_TAB) Key = 0;
}

void TGridEditorLink::TextChanged(const String& Value) {
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Value);
}

void TGridEditorLink::Leave() {
    TZirOvararIzazInput* G = FGrid;
    // Hiding the editor takes its focus: that loss is part of the same end.
    if (G->FBlockKill || G->FHidingEditor || G->FFinishing || G->FValidating || !G->FEditMode) return;
    G->HideInplaceEdit();
}

bool TGridEditorLink::Commit(const String& Value, Word& Key) {
    if (CommitTab(Value, Key)) return true;
    SetNoAutoAdvance(true);
    return false;
}

bool TGridEditorLink::CommitTab(const String& Value, Word& Key) {
    TZirOvararIzazInput* G = FGrid;
    {
        TFlagScope Quiet(G->FValidating, true);
        G->SetCurrentCell(Value);
    }
    // A refusal leaves the text from before the edit as the one a second
    // attempt is compared with.
    const String Saved = G->FOldCellText;
    if (G->ValidateCell(Value)) return true;
    G->FOldCellText = Saved;
    Key = 0;
    return false;
}

String TGridEditorLink::RefusedText() const {
    return FGrid->FNewCellText;
}

String TGridEditorLink::CellText() const {
    return FGrid->CurrentCell();
}

String TGridEditorLink::OriginalText() const {
    return FGrid->OriginalCellValue();
}

void TGridEditorLink::Cancel() {
    FGrid->HideInplaceEdit();
    FocusGrid();
}

void TGridEditorLink::RestoreCell(const String& Original) {
    if (FGrid->CurrentCell() == Original) return;
    FGrid->FCellCache = Original;
    FGrid->RestoreEditCell();
}

void TGridEditorLink::TabAway() {
    const bool Backward = ShiftHeld();
    FGrid->HideInplaceEdit();
    FocusGrid();
    FGrid->NavigateByKey(Backward);
}

void TGridEditorLink::PostTab() {
    if (FGrid->HandleAllocated()) PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
}

void TGridEditorLink::Done(IGridKeyEditor& Editor, Word& Key, TShiftState Shift) {
    FGrid->DoneInplaceEdit(Key, Shift);
    if (OpensNextEditor(Key)) Editor.ReopenAfterDone(*this);
    Key = 0;
    Editor.BaseKeyDown(Key, Shift);
}

bool TGridEditorLink::OpensNextEditor(Word Key) const {
    const TNavigationSettings& Nav = FGrid->Navigation()->Settings();
    return Key != VK_ESCAPE && Nav.AdvanceOnEnter && Nav.AdvanceAutoEdit;
}

void TGridEditorLink::FocusGrid() {
    if (FGrid->CanFocus()) FGrid->SetFocus();
}

void TGridEditorLink::PostShow() {
    if (FGrid->HandleAllocated()) PostMessage(FGrid->Handle(), WM_GRIDEDITSHOW(), 0, 0);
}

void TGridEditorLink::SetNoAutoAdvance(bool Value) {
    FGrid->FNoAutoAdvance = Value;
}

bool TGridEditorLink::NoAutoAdvance() const {
    return FGrid->FNoAutoAdvance;
}

Integer TGridEditorLink::CaretAtClick(TWinControl* Editor, HWND EditWindow) {
    if (!FGrid->FLeftClickEdit || !EditWindow) return -1;
    TPoint P;
    GetCursorPos(P);
    P = Editor->ScreenToClient(P);
    if (P.X < 0 || P.Y < 0 || P.X > Editor->Width() || P.Y > Editor->Height()) return -1;
    const LRESULT At = SendMessage(EditWindow, EM_CHARFROMPOS, 0, MAKELPARAM(P.X, P.Y));
    if (At == -1) return -1;
    FGrid->FLeftClickEdit = false;
    return Integer(LOWORD(At));
}

bool TGridEditorLink::CursorWalk(Word& Key, TShiftState Shift, const String& Text, Integer SelStart,
                                 Integer SelLength) {
    TZirOvararIzazInput* G = FGrid;
    const TNavigationSettings& Nav = G->Navigation()->Settings();
    if (!Nav.CursorWalkEditor || SelLength != 0) return false;
    if (Shift.Contains(ssShift) || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return false;
    const bool Right = Key == VK_RIGHT && SelStart >= Integer(Text.size());
    const bool Left = Key == VK_LEFT && SelStart == 0;
    if (!Right && !Left) return false;
    Key = 0;
    const Integer Span = Right ? std::max(G->CellSpan(G->RealColIndex(G->Col()), G->Row()).X, 0) : 0;
    const Integer Neighbour = Right ? G->Col() + Span + 1 : G->Col() - 1;
    const bool Inside = Right ? G->Col() < G->ColCount() - G->FixedRightCols() - 1 : G->Col() > G->FixedCols();
    if (Inside && G->IsControlCell(G->RealColIndex(Neighbour), G->Row())) {
        // No editor opens on a control cell: the value is validated and the
        // cursor moves on to it.
        if (G->ValidateCell(Text)) {
            G->HideInplaceEdit();
            G->SetCol(Neighbour);
        }
        return true;
    }
    FocusGrid();
    const TAdvanceDirection Direction = Nav.AdvanceDirection;
    if (Left || (Direction != adLeftRight && Direction != adLeftRightInRow))
        G->Navigation()->PlainSettings().AdvanceDirection = adLeftRight;
    try {
        G->AdvanceCell(G->Col(), G->Row(), true, false, Right, false, false);
    } catch (...) {
        G->Navigation()->PlainSettings().AdvanceDirection = Direction;
        throw;
    }
    G->Navigation()->PlainSettings().AdvanceDirection = Direction;
    if (Nav.CursorWalkAlwaysEdit) G->ShowInplaceEdit();
    return true;
}
