#pragma once
// The string grid's drop-down editors: one thin class over each picker of the
// drop-down controls, owned by the grid that edits with it. They share one
// key protocol (TGridDropDownKeys): Esc puts the cell's text back, Enter, Up
// and Down validate the text through the grid, Tab moves on when the grid
// wants Tab, and the end of the edit hands the key back to the grid.
//
// This header includes the drop-down controls; the grid's own header only
// names these classes, so that the grid's users do not see the pickers.

#include "dropdown/KelCalculatorDropdown.h"
#include "dropdown/KelColorPickerDropDown.h"
#include "dropdown/KelDetailDropDown.h"
#include "dropdown/KelDropDown.h"
#include "dropdown/KelImagePickerDropDown.h"
#include "dropdown/KelPickerDropDowns.h"
#include "dropdown/KelTimePickerDropDown.h"
#include "dropdown/ZuvEdiraRareriVavuRaze.h"
#include "grid/GridEditorFamily.h"
#include "windowing/Input.h"

class TZirOvararIzazInput;

// The grid side of a drop-down editor. The editor class (TGridDropDownEditor
// below) routes its key-down, key-press, special-key query, exit and change
// here; the hooks say where one editor differs from the others.
class TGridDropDownKeys : public IGridKeyEditor {
public:
    // The grid that owns the editor.
    TZirOvararIzazInput* Grid() const { return FGrid; }
    // Set by Esc, cleared by each set-up: the edit was cancelled, so the
    // pickers whose value is not their text write nothing back.
    bool Cancelled() const { return FCancelled; }
    void SetCancelled(bool Value) { FCancelled = Value; }

protected:
    // The owner must be the grid: anything else is refused with the
    // platform's invalid-cast error.
    TGridDropDownKeys(TKelCustomDropDown* Self, TComponent* AOwner);

    // The key protocol; BaseKeyDown is the picker's own handling.
    void GridKeyDown(Word& Key, TShiftState Shift);
    void GridKeyPress(Char& Key) { FLink.KeyPress(FSelf, Key); }
    void GridWantSpecialKey(TMessage& Message);
    void GridExit();
    void GridChange() { FLink.TextChanged(FSelf->Text()); }
    // After the focus came: an edit the left button started puts the caret
    // under the mouse (for the editors that place it).
    void GridFocused();

    // ---- The protocol's view of a drop-down editor ----
    String EditorText() override { return FSelf->Text(); }
    void ShowEditorText(const String& Value, bool SelectAll) override;
    void RepaintEditor() override { FSelf->Invalidate(); }
    bool PopupOpen() override { return FSelf->DroppedDown(); }

    // ---- What an editor may change (besides the protocol's own hooks) ----
    // Shows a text in the editor without the edit type's formatting.
    virtual void ShowText(const String& Value) { FSelf->SetTextUnformatted(Value); }
    // A key that stays with the hosted control while the pop-up is open.
    virtual bool KeepsKey(Word Key) const { (void)Key; return false; }
    // Whether the special-key query claims Enter and Esc as well as Tab.
    virtual bool ClaimsEnterAndEscape() const { return false; }
    // Whether an edit started by a click puts the caret under the mouse.
    virtual bool PlacesCaretAtClick() const { return false; }

    TGridEditorLink FLink;
    TKelCustomDropDown* FSelf;
    TZirOvararIzazInput* FGrid;
    bool FCancelled = false;
};

// A picker TPicker with the grid's key protocol.
template <class TPicker>
class TGridDropDownEditor : public TPicker, public TGridDropDownKeys {
public:
    explicit TGridDropDownEditor(TComponent* AOwner) : TPicker(AOwner), TGridDropDownKeys(this, AOwner) {}
    void WndProc(TMessage& Message) override {
        TPicker::WndProc(Message);
        if (Message.Msg == CM_WANTSPECIALKEY) GridWantSpecialKey(Message);
        if (Message.Msg == winapi::WM_SETFOCUS) GridFocused();
    }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override { GridKeyDown(Key, Shift); }
    void KeyPress(Char& Key) override {
        GridKeyPress(Key);
        TPicker::KeyPress(Key);
    }
    void DoExit() override {
        GridExit();
        TPicker::DoExit();
    }
    void Change() override {
        TPicker::Change();
        GridChange();
    }
    void BaseKeyDown(Word& Key, TShiftState Shift) override { TPicker::KeyDown(Key, Shift); }
};

class TGridTrackbarDropDown : public TGridDropDownEditor<TKelTrackBarDropDown> {
    RTL_CLASS(TGridTrackbarDropDown)
public:
    explicit TGridTrackbarDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
    // Kept for streamed forms that name it; it does nothing.
    void DoChange() {}

protected:
    void ShowText(const String& Value) override { SetText(Value); }
    bool ClaimsEnterAndEscape() const override { return true; }
    bool PlacesCaretAtClick() const override { return true; }
};

class TGridMemoDropDown : public TGridDropDownEditor<TKelMemoDropDown> {
    RTL_CLASS(TGridMemoDropDown)
public:
    explicit TGridMemoDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
    // The memo's whole text (its lines joined by line breaks).
    String MemoValue() const;
    void SetMemoValue(const String& Value);

protected:
    // The memo's whole text is validated, and its lines follow the text
    // the validation or Esc put back.
    String CommitValue(Word Key) override { (void)Key; return MemoValue(); }
    void ShowText(const String& Value) override { SetMemoValue(Value); }
    bool PlacesCaretAtClick() const override { return true; }
};

class TGridCalculatorDropDown : public TGridDropDownEditor<TKelCalculatorDropdown> {
    RTL_CLASS(TGridCalculatorDropDown)
public:
    explicit TGridCalculatorDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

protected:
    // Enter first finishes the pending calculation.
    String CommitValue(Word Key) override;
    bool PlacesCaretAtClick() const override { return true; }
};

class TGridTimepickerDropDown : public TGridDropDownEditor<TKelTimePickerDropDown> {
    RTL_CLASS(TGridTimepickerDropDown)
public:
    explicit TGridTimepickerDropDown(TComponent* AOwner);
};

class TGridDetailPickerDropDown : public TGridDropDownEditor<TKelDetailDropDown> {
    RTL_CLASS(TGridDetailPickerDropDown)
public:
    explicit TGridDetailPickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
};

class TGridGridDropDown : public TGridDropDownEditor<ZuvEdiraRareriVavuRaze::TZuvEdiraRareriVavuRaze> {
    RTL_CLASS(TGridGridDropDown)
public:
    explicit TGridGridDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

protected:
    // Esc first closes the pop-up as cancelled.
    void BeforeCancel() override;
    // The next cell's editor opens from the grid's message queue.
    void ReopenAfterDone(TGridEditorLink& Link) override;
};

class TGridColorDropDown : public TGridDropDownEditor<TKelColorPickerDropDown> {
    RTL_CLASS(TGridColorDropDown)
public:
    explicit TGridColorDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
    // The picker steps its colours with the cursor and page keys before a
    // key-down is made of them; with the pop-up closed they are the grid's.
    void WndProc(TMessage& Message) override;

protected:
    // Pop-up closed: the usual keys and Home; open: Tab, Enter and Esc.
    bool IsGridKey(Word Key, TShiftState Shift) override;
    // Only Enter validates, and it validates the text of the chosen colour.
    bool CommitsOn(Word Key) override { return Key == winapi::VK_RETURN; }
    String CommitValue(Word Key) override { (void)Key; return GetSelectedColorText(); }
    bool ClaimsEnterAndEscape() const override { return true; }
    // With DirectComboClose a colour picked with the mouse ends the edit.
    void AfterHideDropDown() override;
};

class TGridImageDropDown : public TGridDropDownEditor<TKelImagePickerDropDown> {
    RTL_CLASS(TGridImageDropDown)
public:
    explicit TGridImageDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
};

class TGridControlDropDown : public TGridDropDownEditor<TKelControlDropDown> {
    RTL_CLASS(TGridControlDropDown)
public:
    explicit TGridControlDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
    // The cursor and page keys stay with the hosted control while the pop-up is open.
    bool WantArrows() const { return FWantArrows; }
    void SetWantArrows(bool Value) { FWantArrows = Value; }

protected:
    bool KeepsKey(Word Key) const override;

private:
    bool FWantArrows = false;
};

// An editor of the edKelGridDropDown kind comes from a library above the
// grid's input layer, which registers how to make it. Before the cell's
// editor properties are asked the grid calls PrepareForCell (colour, edit
// field, the inner grid's fixed row), after them StartWithText.
class IGridKelGridDropDown {
public:
    virtual ~IGridKelGridDropDown() = default;
    virtual void PrepareForCell(TColor Colour) = 0;
    virtual void StartWithText(const String& Text) = 0;
};
// Makes the editor with the grid as owner; it must derive from
// TKelCustomDropDown and IGridKelGridDropDown.
using TKelGridDropDownFactory = std::function<TKelCustomDropDown*(TZirOvararIzazInput* Grid)>;
// Registers (or, with an empty factory, removes) the maker.
void RegisterKelGridDropDownFactory(TKelGridDropDownFactory Factory);
