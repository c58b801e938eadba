#pragma once
// TKelInplaceEdit: the text editor the string grid shows over a cell for
// the normal editor kinds (edNormal, edNumeric, edPositiveNumeric, edFloat,
// edCapital, edMixedCase, edPassword, edLowerCase, edUpperCase,
// edValidChars, edPositiveFloat). It is the platform grid's in-place edit
// (a masked edit) with per-kind character filters, a length limit, the keys
// that validate and leave the cell, lookup completion, placement over the
// cell and the clipboard rules. The grid makes it once, on its first edit.
//
// Also the events of the editing cycle that the grid and the editor fire.

#include "grid/GridEvents.h"
#include "gridbase/GridTypes.h"
#include "vcl/Grids.h"

#include <functional>

class TZirOvararIzazInput;

// ---- Events of the editing cycle ----
using TCellValidateEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TEditChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TGetEditMaskEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TObject* AEditLink)>;
// The column comes in the first parameter, the row in the second.
using TGetEditorPropIntEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, TRect R)>;
using TClipboardPasteCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Allow)>;
using TClipboardAfterPasteCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TClipboardPasteDoneEvent = std::function<void(TObject* Sender, TRect CellRect)>;

class TKelInplaceEdit : public TInplaceEdit {
    RTL_CLASS(TKelInplaceEdit)
public:
    explicit TKelInplaceEdit(TComponent* AOwner);

    // The most characters the text may hold; below 1: no limit. Taken from
    // the grid's edit limit when the window is made and on each focus gain.
    SmallInt LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(SmallInt Value) { FLengthLimit = Value; }
    // Right-aligned text; a change makes the window again.
    bool VAlign() const { return FValign; }
    void SetVAlign(bool Value);
    // No horizontal auto-scroll while set; a change makes the window again.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    // Lookup completion: the text up to the caret completed from the
    // grid's lookup items, the completed part selected.
    void DoChange();

    // The cell the editor was loaded for (displayed column and row, and the
    // real column).
    Integer EditCol() const { return FColE; }
    Integer EditRow() const { return FRowE; }

    void UpdateContents() override;
    void Move(const TRect& Loc) override;
    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;
    void DblClick() override;

private:
    TZirOvararIzazInput* Grid() const { return FGrid; }
    // The cell's look (colour, font, alignment) and the edited cell.
    void ApplyCellLook();
    void PlaceOverCell();
    // Character filter of the editor kind; false drops the character.
    bool FilterChar(Char& Ch, bool KeypadDecimal);
    // The key-down message handler; true when the key was taken.
    bool HandleKeyDownMessage(TMessage& Message);
    void HandleFocusGain();
    void HandleFocusLoss(winapi::HWND NewFocus);
    void HandlePaste();
    // After a refused validation: the refused (or corrected) text, all of
    // it selected or the caret at CaretAt (-1: the end).
    void ShowRefusedText(const String& Saved, Integer CaretAt);
    void SetTextQuietly(const String& Value);
    // The text is complete: Enter as if the user pressed it.
    void PressEnter();
    // Whether Value is a text the editor kind takes as a whole.
    bool KindTakes(String& Value) const;

    TZirOvararIzazInput* FGrid = nullptr;
    SmallInt FLengthLimit = 0;
    bool FValign = false;
    bool FWordWrap = false;
    Integer FColE = -1;
    Integer FRowE = -1;
    Integer FColR = -1;
    bool FGotFocus = false;
    bool FAltBack = false;
    bool FArrDown = false;
    bool FEditProp = false;
    bool Workmode = true;
    bool GotKey = false;
    Integer FSelKeyDown = 0;
    Word FKeyDownKey = 0;
    Integer FOldSelStart = 0;
    Integer FOldSelLength = 0;
    // The last Enter key-down validated: 1 accepted, -1 refused, 0 not.
    Integer FEnterValidated = 0;
};
