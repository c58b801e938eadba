#pragma once
// The rules every special in-place editor of the string grid shares: how it
// finds its grid, how it hands keys back to the grid, commits a value
// through the grid's validation, cancels, fires the grid's events while its
// value changes, puts the caret under the click that opened it, and walks
// to the neighbour cell with the cursor keys.
//
// How an editor uses it:
// - Hold a TGridEditorLink member, made from the editor's owner in the
//   editor's constructor (the owner must be the grid: anything else throws
//   EInvalidCast "Invalid class typecast").
// - An editor whose keys follow the common protocol implements
//   IGridKeyEditor and calls Link.KeyDown(*this, Key, Shift) first thing in
//   its KeyDown override; it runs the base control's key-down itself only
//   through IGridKeyEditor::BaseKeyDown, which the protocol calls. Override
//   the interface's defaults where the editor differs (its grid keys, which
//   keys commit, the value it validates, a step before cancel).
// - Its KeyPress override calls Link.KeyPress(this, Key) before the base
//   control's; its change handler calls Link.TextChanged(Text()); its focus
//   loss (DoExit) calls Link.Leave(); its CM_WANTSPECIALKEY answer ORs in
//   Link.ClaimsTab(Key) (and Enter and Esc where the editor claims them).
// - Editors with their own key rules (the combo, the spin, date and
//   button editors) use the single steps: Commit, CommitTab, Cancel,
//   TabAway, PostTab, Done, OpensNextEditor.

#include "grid/ZirOvararIzazInput.h"

class TGridEditorLink;

// What the common key protocol needs of the editor it serves.
class IGridKeyEditor {
public:
    virtual ~IGridKeyEditor() = default;
    // The editor's text, and the text put back quietly (no change events),
    // either all selected or with the caret at its end.
    virtual String EditorText() = 0;
    virtual void ShowEditorText(const String& Value, bool SelectAll) = 0;
    virtual void RepaintEditor() = 0;
    // Whether the editor's pop-up is open (false for editors without one).
    virtual bool PopupOpen() { return false; }
    // The base control's own key-down handling.
    virtual void BaseKeyDown(Word& Key, TShiftState Shift) = 0;

    // Whether Key ends or continues the edit through the grid. By default
    // Tab, Enter, Esc, PgUp, PgDn, End, Up and Down; Alt+Down never.
    virtual bool IsGridKey(Word Key, TShiftState Shift);
    // Whether Key commits the value (by default Enter, Up and Down).
    virtual bool CommitsOn(Word Key);
    // The value Enter, Up, Down and Tab (Key) validate (by default the text).
    virtual String CommitValue(Word Key) {
        (void)Key;
        return EditorText();
    }
    // Runs before Esc puts the cell's text back (e.g. closing a pop-up).
    virtual void BeforeCancel() {}
    // After the edit ended with a key and the Enter advance with automatic
    // editing is on: by default the editor of the cell reached opens at once.
    virtual void ReopenAfterDone(TGridEditorLink& Link);
};

class TGridEditorLink {
public:
    explicit TGridEditorLink(TComponent* AOwner);

    TZirOvararIzazInput* Grid() const { return FGrid; }

    // The whole key-down protocol: the grid keys end or continue the edit,
    // other keys go to the editor's base key-down.
    void KeyDown(IGridKeyEditor& Editor, Word& Key, TShiftState Shift);
    // Key-press: the grid's OnKeyPress (Sender the editor), then Esc, Enter
    // and Tab swallowed (Key becomes 0). The caller then runs its base.
    void KeyPress(TObject* Sender, Char& Key);
    // The text-change notification: the grid's OnEditChange for the current
    // cell.
    void TextChanged(const String& Value);
    // The focus loss: the grid writes the editor's value back.
    void Leave();
    // The special-key query: Tab is the editor's when the grid wants Tab.
    bool ClaimsTab(Word Key) const;
    // goTabs or a validation handler: the grid wants the editor to take Tab.
    bool GridWantsTab() const;

    // ---- Single steps ----
    // Commit with Enter, Up or Down: the current cell := Value, then the
    // grid's validation. Refused: Key := 0 and the Enter advance is held
    // back; the caller shows RefusedText().
    bool Commit(const String& Value, Word& Key);
    // Commit with Tab: the same without holding the advance back.
    bool CommitTab(const String& Value, Word& Key);
    // The value the last validation settled on (shown after a refusal).
    String RefusedText() const;
    // The current cell's text (the validation may have changed it).
    String CellText() const;
    // The cell's text when the edit began (what Esc restores).
    String OriginalText() const;
    // Esc: the editor is hidden (writing its value back) and the grid takes
    // the focus.
    void Cancel();
    // After a cancel: the current cell holds Original again (written only
    // when it differs).
    void RestoreCell(const String& Original);
    // Accepted Tab with goTabs: the editor hidden, the grid focused, and on
    // to the next (Shift held: previous) cell.
    void TabAway();
    // Accepted Tab without goTabs: the Tab goes to the grid's window.
    void PostTab();
    // The edit ends with Key (the grid acts on Tab, arrows and Enter);
    // Key := 0.
    void Done(IGridKeyEditor& Editor, Word& Key, TShiftState Shift);
    // Whether, once the edit ended with Key, the editor of the cell reached
    // opens at once: the Enter advance with automatic editing, never after Esc.
    bool OpensNextEditor(Word Key) const;
    // The grid takes the focus.
    void FocusGrid();
    // Posts "GridEditShow" to the grid (its editor opens once handled).
    void PostShow();
    // The Enter advance is held back after a refused commit (and released
    // by the next key-up).
    void SetNoAutoAdvance(bool Value);
    bool NoAutoAdvance() const;

    // Caret at the click: when the edit was opened by a left click inside
    // the editor, the character position under the mouse asked of EditWindow
    // (EM_CHARFROMPOS); answers it (-1 for none) and marks the click used.
    Integer CaretAtClick(TWinControl* Editor, winapi::HWND EditWindow);

    // Cursor walk (Navigation.CursorWalkEditor): Right with the caret after
    // the last character, or Left before the first, nothing selected and no
    // modifier, moves on to the neighbour cell; Key := 0 then. Answers
    // whether the key walked.
    bool CursorWalk(Word& Key, TShiftState Shift, const String& Text, Integer SelStart, Integer SelLength);

private:
    TZirOvararIzazInput* FGrid = nullptr;
};
