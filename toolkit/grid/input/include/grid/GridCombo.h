#pragma once
// The combo, check box and button editors of the string grid. The grid
// makes them with itself, places one over the cell its edit kind asks for
// (edComboList, edComboEdit, edCheckBox, edButton) and writes its value back
// when it hides it; while an editor holds the focus it hands keys back to
// the grid by the family's protocol (GridEditorFamily.h).

#include "grid/GridEditorFamily.h"
#include "gridbase/VazCombo.h"
#include "vcl/StdCtrls.h"

// The combo editor: a list-only combo (edComboList, csDropDownList) or an
// editable one (edComboEdit, csDropDown) with the grid's auto-completion.
class TGridCombo : public TVazComboBox, public IGridKeyEditor {
    RTL_CLASS(TGridCombo)
public:
    // The owner must be the grid (EInvalidCast otherwise).
    explicit TGridCombo(TComponent* AOwner);

    TZirOvararIzazInput* Grid() const { return FLink.Grid(); }
    // Auto-completion armed: cleared by Backspace and Delete, set again by
    // any other key.
    bool WorkMode() const { return FWorkMode; }
    // Widens the dropped list to the widest item (measured with the grid's
    // font), with room for a scroll bar when the list will scroll.
    void SizeDropDownWidth();
    // The value the cell takes from the editor: its text, except that a
    // list-only combo with no item chosen leaves the cell's text as it is
    // (a text the list cannot show is not wiped out by visiting the cell).
    String CellValue();
    // Fired with the combo as Sender when Enter is typed.
    TNotifyEvent OnReturnKey;

    void WndProc(TMessage& Message) override;

    // The family's protocol.
    String EditorText() override { return Text(); }
    void ShowEditorText(const String& Value, bool SelectAll) override;
    void RepaintEditor() override { Repaint(); }
    bool PopupOpen() override { return DroppedDown(); }
    void BaseKeyDown(Word& Key, TShiftState Shift) override { TVazComboBox::KeyDown(Key, Shift); }
    void ReopenAfterDone(TGridEditorLink& Link) override { Link.PostShow(); }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;

private:
    friend class TZirOvararIzazInput;
    bool ListStyle() const { return Style() == csDropDownList; }
    // The item equal to Value selected (list style), or Value as the text.
    void TakeCellText(const String& Value);
    void AutoComplete();
    void MouseWheel(TMessage& Message);
    void HandleFocusGain();
    TGridEditorLink FLink;
    bool FWorkMode = true;
    // Counts the selection changes the grid reported while a key was typed.
    Integer FSelChanges = 0;
};

// The check-box editor of edCheckBox: Space toggles; Enter, the arrows,
// PgUp, PgDn and End end the edit.
class TGridCheckBox : public TCheckBox {
    RTL_CLASS(TGridCheckBox)
public:
    explicit TGridCheckBox(TComponent* AOwner);
    TZirOvararIzazInput* Grid() const { return FLink.Grid(); }
    void ReCreate() { RecreateWnd(); }
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TGridEditorLink FLink;
};

// The cell button of edButton: its caption is the cell's value; a click or
// Space hands the caption to OnEllipsClick and stores the answer.
class TGridButton : public TButton {
    RTL_CLASS(TGridButton)
public:
    explicit TGridButton(TComponent* AOwner);
    TZirOvararIzazInput* Grid() const { return FLink.Grid(); }
    void ReCreate() { RecreateWnd(); }
    void WndProc(TMessage& Message) override;

private:
    // The caption through OnEllipsClick, then into the current cell.
    void ExchangeCaption();
    TGridEditorLink FLink;
};
