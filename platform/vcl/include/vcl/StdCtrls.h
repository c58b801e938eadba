#pragma once
// The standard controls: edits and memos, push buttons, check boxes, radio
// buttons and labels.
//
// TCustomEdit is the edit window itself: its default window procedure keeps
// the text, the caret and the selection, edits on keys and mouse, talks to
// the clipboard and answers the edit messages (EM_*). Every change of the
// text is announced to the parent as WM_COMMAND with EN_CHANGE, which comes
// back to the edit as CN_COMMAND and runs Change (a derived control may
// swallow it there). With the style ES_MULTILINE the edit holds lines
// separated by CR LF; TCustomMemo adds Lines, word wrap and scroll bars.

#include "rtl/Alignment.h"
#include "rtl/StringList.h"
#include "vcl/Controls.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace winapi {

// Styles of edit windows.
enum : DWORD {
    ES_LEFT = 0x0000,
    ES_CENTER = 0x0001,
    ES_RIGHT = 0x0002,
    ES_MULTILINE = 0x0004,
    ES_UPPERCASE = 0x0008,
    ES_LOWERCASE = 0x0010,
    ES_PASSWORD = 0x0020,
    ES_AUTOVSCROLL = 0x0040,
    ES_AUTOHSCROLL = 0x0080,
    ES_NOHIDESEL = 0x0100,
    ES_READONLY = 0x0800,
    ES_WANTRETURN = 0x1000,
};

// Messages of edit windows.
enum : UINT {
    EM_GETSEL = 0x00B0,      // WParam, LParam: optional DWORD* start and end; answers MAKELONG(start, end)
    EM_SETSEL = 0x00B1,      // WParam start, LParam end; (0, -1) selects all, start -1 clears the selection
    EM_GETRECT = 0x00B2,     // LParam TRect*: the formatting rectangle
    EM_SETRECT = 0x00B3,     // LParam TRect* (null: the default); redraws
    EM_SETRECTNP = 0x00B4,   // the same without redrawing
    EM_SCROLLCARET = 0x00B7, // scrolls the caret into view
    EM_GETMODIFY = 0x00B8,
    EM_SETMODIFY = 0x00B9,
    EM_GETLINECOUNT = 0x00BA,
    EM_LINEINDEX = 0x00BB,  // WParam line (-1: the caret's); answers its first character
    EM_LINELENGTH = 0x00C1, // WParam a character; answers the length of its line
    EM_REPLACESEL = 0x00C2, // LParam const String*
    EM_LIMITTEXT = 0x00C5,  // WParam the limit (0: none)
    EM_CANUNDO = 0x00C6,
    EM_UNDO = 0x00C7, // undoes the last change; undoing again redoes it
    EM_LINEFROMCHAR = 0x00C9,
    EM_SETPASSWORDCHAR = 0x00CC,
    EM_EMPTYUNDOBUFFER = 0x00CD,
    EM_SETREADONLY = 0x00CF,
    EM_GETLIMITTEXT = 0x00D5,
    EM_POSFROMCHAR = 0x00D6, // WParam a character; answers MAKELONG(x, y) of its top left
    EM_CHARFROMPOS = 0x00D7, // LParam MAKELPARAM(x, y); answers MAKELONG(character, line)
    EM_SHOWBALLOONTIP = 0x1503, // LParam const EDITBALLOONTIP*; answers non-zero when shown
    EM_HIDEBALLOONTIP = 0x1504,
};

// A balloon tip below the edit's caret; typing or leaving the edit hides it.
struct EDITBALLOONTIP {
    DWORD cbStruct = sizeof(EDITBALLOONTIP);
    const Char* pszTitle = nullptr;
    const Char* pszText = nullptr;
    Integer ttiIcon = 0; // TTI_NONE, TTI_INFO, TTI_WARNING, TTI_ERROR
};

// Messages of combo boxes.
enum : UINT {
    CB_GETEDITSEL = 0x0140, // WParam, LParam: optional DWORD* start and end; answers MAKELONG(start, end)
    CB_SETEDITSEL = 0x0142, // LParam MAKELPARAM(start, end) (start -1: no selection, end -1: to the end)
    CB_GETCOUNT = 0x0146,
    CB_GETCURSEL = 0x0147,
    CB_GETLBTEXT = 0x0148,    // WParam the item, LParam String*; answers its length, or CB_ERR
    CB_GETLBTEXTLEN = 0x0149, // WParam the item; answers its length, or CB_ERR
    CB_SETCURSEL = 0x014E,    // WParam the item (-1: none); answers it, or CB_ERR
    CB_SHOWDROPDOWN = 0x014F, // WParam non-zero opens the list, zero closes it
    CB_GETDROPPEDSTATE = 0x0157,
    CB_GETDROPPEDWIDTH = 0x015F,
    CB_SETDROPPEDWIDTH = 0x0160, // WParam the smallest width of the list in pixels
    CB_GETCOMBOBOXINFO = 0x0164, // LParam COMBOBOXINFO*; answers non-zero when filled
};
enum : LRESULT { CB_ERR = -1 };

// The parts of a combo box: its edit field (the inner edit window in the
// editable styles, the combo itself otherwise), its button and its list.
struct COMBOBOXINFO {
    DWORD cbSize = sizeof(COMBOBOXINFO);
    TRect rcItem;   // the edit field, in the combo's client coordinates
    TRect rcButton; // the button (empty in the simple style)
    DWORD stateButton = 0;
    HWND hwndCombo = nullptr;
    HWND hwndItem = nullptr;
    HWND hwndList = nullptr;
};
enum : DWORD { STATE_SYSTEM_PRESSED = 0x00000008, STATE_SYSTEM_INVISIBLE = 0x00008000 };
// Fills Info from the combo box's window (CB_GETCOMBOBOXINFO); false for a
// window that is not a combo box or a record of the wrong size.
bool GetComboBoxInfo(HWND Combo, COMBOBOXINFO* Info);

} // namespace winapi

RTL_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
RTL_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)

class TCustomEdit : public TCustomControl {
    RTL_CLASS(TCustomEdit)
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    // ---- Selection and caret (0-based character positions) ----
    Integer SelStart() const;
    // Puts the caret at Value and empties the selection.
    void SetSelStart(Integer Value);
    Integer SelLength() const;
    // Selects Value characters from SelStart.
    void SetSelLength(Integer Value);
    String SelText() const;
    // Replaces the selection (as a program, not the user: Modified stays).
    void SetSelText(const String& Value);
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(String()); }

    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // ---- Options ----
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // The longest text the user may enter (0: no limit); text set by the
    // program is not cut.
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    Char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value);
    // Whether the user changed the text since it was last set.
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    // Typed and pasted letters are converted to this case; setting it
    // converts the text there is.
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    // Where the text stands in the formatting rectangle while it is
    // narrower (the ES_RIGHT and ES_CENTER styles).
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    // ---- Undo: one level; undoing again redoes. Text set by the program
    // empties the buffer. A run of typed characters is undone as one. ----
    bool CanUndo() const { return FCanUndo; }
    // The balloon tip window while one is shown (null otherwise).
    winapi::HWND BalloonTip() const { return FBalloonShown ? FBalloon : nullptr; }
    void Undo();
    void ClearUndo();

    TNotifyEvent OnChange;

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    void DoEnter() override;
    virtual void Change();

    // One line on the screen: where it starts in the text and how long it is.
    struct TEditLine {
        Integer Start = 0;
        Integer Length = 0;
    };
    // The notification code with which a change of the text reaches the parent.
    virtual Word ChangeNotifyCode() const;
    bool MultiLine() const { return (FEditStyle & winapi::ES_MULTILINE) != 0; }
    // Lines are broken at the formatting rectangle's width (memos with word wrap).
    virtual bool WrapLines() const { return false; }
    const std::vector<TEditLine>& Layout() const;
    Integer LineOfChar(Integer Index) const;
    Integer TopLine() const { return FTopLine; }
    void SetTopLine(Integer Value);
    Integer VisibleLineCount() const;
    // The position of the caret: (character in its line, line).
    TPoint CaretPoint() const;
    void SetCaretPoint(TPoint Value);
    // The text changed in a way the layout and the scroll bars must follow.
    void TextChanged();
    virtual void UpdateScrollBars();
    // A change by the user that derived controls compute themselves: the
    // undo buffer takes the old text, then the new text and selection
    // (Anchor to Caret) are set, Modified is set and EN_CHANGE goes out.
    void UserChangeText(const String& Value, Integer Anchor, Integer Caret);
    // Selects from Anchor to Caret (the caret end moves with Shift+arrows).
    void SetSelection(Integer Anchor, Integer Caret) { Select(Anchor, Caret); }
    Integer CaretIndex() const { return FCaret; }
    Integer AnchorIndex() const { return FAnchor; }
    // The alignment the window was made with (or will be).
    TAlignment TextAlignment() const;
    // The text on the clipboard (empty when there is none or it is busy).
    String ClipboardText();

private:
    class TMeasure;
    void ReplaceSelection(const String& Value, bool ByUser, bool Typed = false);
    void SaveUndo();
    bool ShowBalloonTip(const winapi::EDITBALLOONTIP& Tip);
    void HideBalloonTip();
    String ApplyCharCase(const String& Value) const;
    // How far a line is moved right by the alignment.
    Integer AlignShift(const TEditLine& Line) const;
    void Select(Integer Anchor, Integer Caret);
    void MoveCaret(Integer Caret, bool Extend);
    // EN_CHANGE (or the code a derived control names) to the parent.
    void NotifyChange();
    void ScrollCaret();
    TRect FormatRect() const;
    Integer LineHeight() const;
    Integer CharFromPoint(TPoint Point) const;
    TPoint PointFromChar(Integer Index) const;
    Integer CharFromX(Integer Line, Integer X) const;
    Integer WordStart(Integer Index) const;
    Integer WordEnd(Integer Index) const;
    String DisplayText(const TEditLine& Line) const;
    bool HandleKey(Word Key, TShiftState Shift);
    void HandleChar(Char C);
    void HandleScroll(winapi::WPARAM Code);
    void HandleEditMessage(TMessage& Message);

    Integer FAnchor = 0;
    Integer FCaret = 0;
    Integer FScrollX = 0;
    Integer FTopLine = 0;
    Integer FCaretX = -1; // the column Up and Down keep to (-1: the caret's own)
    bool FAutoSelect = true;
    bool FReadOnly = false;
    Integer FMaxLength = 0;
    TBorderStyle FBorderStyle = bsSingle;
    bool FHideSelection = true;
    Char FPasswordChar = 0;
    bool FModified = false;
    bool FSelecting = false;
    bool FHasFormatRect = false;
    TRect FFormatRect;
    TEditCharCase FCharCase = ecNormal;
    TAlignment FAlignment = taLeftJustify;
    // The undo buffer: the text and selection before the last change.
    String FUndoText;
    Integer FUndoAnchor = 0;
    Integer FUndoCaret = 0;
    bool FCanUndo = false;
    Integer FTypedEnd = -1; // where the current run of typed characters ends (-1: none)
    winapi::HWND FBalloon = nullptr; // the balloon tip window, made on first use
    bool FBalloonShown = false;
    winapi::DWORD FEditStyle = 0;
    mutable std::vector<TEditLine> FLines;
    mutable bool FLayoutValid = false;
};

class TEdit : public TCustomEdit {
    RTL_CLASS(TEdit)
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TCustomMemo : public TCustomEdit {
    RTL_CLASS(TCustomMemo)
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    // The lines of the text (between CR LF line breaks, not as wrapped).
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(const TStrings* Value) { FLines->Assign(Value); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    // The caret as (character in its line, line), lines as on the screen.
    TPoint CaretPos() const { return CaretPoint(); }
    void SetCaretPos(TPoint Value) { SetCaretPoint(Value); }

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    bool WrapLines() const override { return FWordWrap; }

private:
    std::unique_ptr<TStrings> FLines;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    bool FWantTabs = false;
    bool FWantReturns = true;
};

class TMemo : public TCustomMemo {
    RTL_CLASS(TMemo)
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// ---- Buttons ----

RTL_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

// A push button. Enter presses the focused button, or the Default one when
// no other button has the focus; Escape presses the Cancel button. A click
// hands ModalResult to the form.
class TButton : public TCustomControl {
    RTL_CLASS(TButton)
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    // Whether the mouse or the space bar holds the button down now.
    bool Pressed() const { return FPressed; }
    // Whether Enter presses this button now.
    bool AnswersEnter() const;

private:

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
    bool FPressed = false;
};

// The common part of check boxes and radio buttons: a mark and a caption
// beside it, toggled by a click or the space bar.
class TButtonControl : public TCustomControl {
    RTL_CLASS(TButtonControl)
public:
    explicit TButtonControl(TComponent* AOwner);
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    // The frame-control state of the mark (DFCS_BUTTONCHECK …).
    virtual Cardinal MarkState() const = 0;
    // What a click or the space bar does.
    virtual void Toggle() = 0;
};

class TCustomCheckBox : public TButtonControl {
    RTL_CLASS(TCustomCheckBox)
public:
    explicit TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {}

    TCheckBoxState State() const { return FState; }
    // A change of state runs OnClick.
    void SetState(TCheckBoxState Value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }

protected:
    Cardinal MarkState() const override;
    // Unchecked, checked, then grayed when allowed, and round again.
    void Toggle() override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
    RTL_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// A radio button: checking it unchecks the radio buttons beside it on the
// same parent; checking runs OnClick.
class TRadioButton : public TButtonControl {
    RTL_CLASS(TRadioButton)
public:
    explicit TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {}

    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);

    void WndProc(TMessage& Message) override;

protected:
    Cardinal MarkState() const override;
    void Toggle() override { SetChecked(true); }

private:
    bool FChecked = false;
};

// ---- Labels ----

RTL_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)

// A text on its parent. With ShowAccelChar an "&" underlines the next
// character, and that character typed with Alt (or alone, where the focused
// control does not take characters) focuses FocusControl. With AutoSize the
// label takes the size of its text: its width too, or with WordWrap only its
// height; a right-aligned label keeps its right edge.
class TCustomLabel : public TGraphicControl {
    RTL_CLASS(TCustomLabel)
public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    // A transparent label lets its parent show through around the letters.
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    void WndProc(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void Paint() override;
    // Sizes the label to its text when AutoSize is on.
    void AdjustBounds();

private:
    // The DrawText flags of the label's options (without alignment and layout).
    Cardinal TextFlags() const;

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TWinControl* FFocusControl = nullptr;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
    RTL_CLASS(TLabel)
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---- List boxes ----

RTL_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)
RTL_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
         odComboBoxEdit)
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
RTL_SET_INFO(TOwnerDrawState)

// Paints one item in Rect on the control's canvas, which comes with the
// item's colours set and the rectangle filled.
using TDrawItemEvent =
    std::function<void(TWinControl* Control, Integer Index, const TRect& Rect, TOwnerDrawState State)>;
// Gives the height of one item of a list with items of their own heights.
using TMeasureItemEvent = std::function<void(TWinControl* Control, Integer Index, Integer& Height)>;

// A list of strings to choose from: one item, or with MultiSelect several.
// Characters typed within a second of each other search for the first item
// that starts with all of them; after a pause the search starts afresh from
// the item after the current one.
// ItemIndex is the item with the focus (and, in a single-selection list,
// the selected one). Every change of the selection by the user, with the
// mouse or the keys, runs OnClick.
class TCustomListBox : public TCustomControl {
    RTL_CLASS(TCustomListBox)
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const;
    void SetItems(const TStrings* Value);
    Integer Count() const;
    void Clear();

    // -1: no item.
    Integer ItemIndex() const { return FItemIndex; }
    // Selects Value alone (a value out of range selects nothing); runs no event.
    void SetItemIndex(Integer Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool Selected(Integer Index) const;
    void SetSelected(Integer Index, bool Value);
    Integer SelCount() const;
    void ClearSelection();
    void SelectAll();

    // The first item shown.
    Integer TopIndex() const { return FTopIndex; }
    void SetTopIndex(Integer Value);
    Integer ItemHeight() const { return FItemHeight; }
    void SetItemHeight(Integer Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);

    // The item at a client point: with Existing -1 below the last item,
    // otherwise Count there.
    Integer ItemAtPos(TPoint Pos, bool Existing) const;
    // The client rectangle of an item (empty when it is not shown).
    TRect ItemRect(Integer Index) const;
    // How many items fit from TopIndex on.
    Integer VisibleCount() const;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    virtual void DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(Integer Index, Integer& Height);
    // The user changed the selection.
    virtual void SelectionChanged() { Click(); }
    // Whether data kept with the items must follow them when items are
    // inserted, deleted, moved or sorted; ItemsMoved then tells, for every
    // item, its index before the change (-1: new).
    virtual bool KeepsItemData() const { return false; }
    virtual void ItemsMoved(const std::vector<Integer>& /*From*/) {}

private:
    class TItemStrings;
    friend class TItemStrings;
    void ItemsChanged();
    Integer HeightOf(Integer Index) const;
    // Moves the focus item as the user does: alone selected, or with Extend
    // the range from the anchor.
    void UserSelect(Integer Index, bool Extend, bool Toggle);
    void ScrollIntoView(Integer Index);
    void UpdateScrollBar();
    bool HandleKey(Word Key, TShiftState Shift);
    void HandleScroll(winapi::WPARAM Code);

    std::unique_ptr<TItemStrings> FItems;
    std::vector<bool> FSelected;
    Integer FItemIndex = -1;
    Integer FAnchor = -1;
    Integer FTopIndex = 0;
    Integer FItemHeight = 16;
    bool FMultiSelect = false;
    TListBoxStyle FStyle = lbStandard;
    bool FTracking = false;
    String FSearchText;      // what was typed within the search pause
    UInt64 FSearchTick = 0;  // when the last character came
};

class TListBox : public TCustomListBox {
    RTL_CLASS(TListBox)
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// ---- Combo boxes ----

RTL_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)

// An edit with a list of items to choose from. The list drops down below the
// control in a pop-up window of DropDownCount rows; opening and closing it
// send CBN_DROPDOWN and CBN_CLOSEUP to the parent, which hands them back as
// CN_COMMAND and so runs OnDropDown and OnCloseUp. The user choosing an
// item (by a click in the list, by the arrow keys or by Enter in the open
// list) sends CBN_SELCHANGE, which runs OnChange and then OnSelect.
//
// csDropDown and csSimple edit their text like an edit; csDropDownList and
// the owner-draw styles show only the chosen item and type-select items by
// their first letter. csSimple shows the list for good instead of dropping
// it down.
class TCustomComboBox : public TCustomEdit {
    RTL_CLASS(TCustomComboBox)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const;
    void SetItems(const TStrings* Value);
    // -1: none (in an editable combo, the text matches no item).
    Integer ItemIndex() const { return FItemIndex; }
    // Shows the item's text; runs no event.
    void SetItemIndex(Integer Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value) { FDropDownCount = std::max(Value, 1); }
    // The smallest width of the dropped list (never narrower than the control).
    Integer DroppedWidth() const { return FDroppedWidth; }
    void SetDroppedWidth(Integer Value) { FDroppedWidth = std::max(Value, 0); }
    Integer ItemHeight() const;
    void SetItemHeight(Integer Value);
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value);
    // Completes typed text with the first item that starts with it.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    // The list window while it exists (for tests and owner drawing).
    TCustomListBox* ListControl() const;
    // The inner edit window of the editable styles, the first child of the
    // combo's window over its edit field (null in the other styles and
    // without a window). It answers the edit messages (EM_*, the text, the
    // clipboard) by handing them to the combo, with points moved between
    // the two windows; the mouse passes through it to the combo.
    winapi::HWND EditHandle() const { return FEditHandle; }

    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    // With an owner-draw style: paints an item on the canvas of the Control
    // it is given, the list (ListControl) for the rows of the list and the
    // combo itself, with odComboBoxEdit in the state, for its edit part.
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

protected:
    void CreateWnd() override;
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    // Typed text reaches the parent as CBN_EDITCHANGE.
    Word ChangeNotifyCode() const override;
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();

private:
    class TComboStrings;
    class TComboList;
    friend class TComboStrings;
    friend class TComboList;
    bool Editable() const { return FStyle == csDropDown || FStyle == csSimple; }
    TRect ButtonRect() const;
    void ItemsChanged();
    // The text as the program sets it: no OnChange.
    void ShowText(const String& Value);
    void Notify(Integer Code);
    // The user chose Index: shows it, closes the list, notifies.
    void ChooseItem(Integer Index);
    void MakeList();
    void PlaceList();
    void UpdateFormatRect();
    // Makes, places or destroys the inner edit window as the style asks.
    void UpdateEditWindow(const TRect& Field);
    void CompleteText(Char& Key);
    bool FillComboBoxInfo(winapi::COMBOBOXINFO& Info);

    std::unique_ptr<TComboStrings> FItems;
    TComboList* FList = nullptr;
    Integer FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    Integer FDropDownCount = 8;
    Integer FDroppedWidth = 0;
    bool FDroppedDown = false;
    bool FAutoComplete = true;
    Integer FItemHeight = 16;
    bool FShowingText = false;
    winapi::HWND FEditHandle = nullptr;
};

class TComboBox : public TCustomComboBox {
    RTL_CLASS(TComboBox)
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// ---- Scroll bars ----

RTL_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
RTL_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
         scEndScroll)

// What the user does to a scroll bar; the handler may change ScrollPos.
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos)>;

// A scroll bar control: arrows at both ends step by SmallChange, the track
// beside the box pages by LargeChange, the box drags; the arrow keys, Page
// Up/Down and Home/End do the same from the keyboard. Every step by the user
// runs OnScroll and, when Position changes, OnChange.
class TScrollBar : public TCustomControl {
    RTL_CLASS(TScrollBar)
public:
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    Integer Min() const { return FMin; }
    void SetMin(Integer Value) { SetParams(FPosition, Value, FMax); }
    Integer Max() const { return FMax; }
    void SetMax(Integer Value) { SetParams(FPosition, FMin, Value); }
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value) { SetParams(Value, FMin, FMax); }
    // The part of the range one view shows; the box is that long, and the
    // position goes no further than Max - PageSize + 1.
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value);
    Integer SmallChange() const { return FSmallChange; }
    void SetSmallChange(Integer Value) { FSmallChange = std::max(Value, 1); }
    Integer LargeChange() const { return FLargeChange; }
    void SetLargeChange(Integer Value) { FLargeChange = std::max(Value, 1); }
    // Raises EInvalidOperation "Scroll bar property out of range" when
    // AMin > AMax; the position is kept within the range.
    void SetParams(Integer APosition, Integer AMin, Integer AMax);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, Integer& ScrollPos);

private:
    // Positions along the bar: 0 at the top (left) end.
    struct TLayout {
        Integer Length = 0;     // of the whole bar
        Integer Arrow = 0;      // length of each arrow button
        Integer ThumbStart = 0; // where the box begins
        Integer ThumbLength = 0;
    };
    TLayout Layout() const;
    Integer HighestPosition() const;
    Integer AlongBar(TPoint Point) const;
    // A step by the user: OnScroll, then the position it leaves.
    void UserScroll(TScrollCode Code, Integer Target);
    Integer PositionAt(Integer ThumbStart) const;

    TScrollBarKind FKind = sbHorizontal;
    Integer FMin = 0;
    Integer FMax = 100;
    Integer FPosition = 0;
    Integer FPageSize = 0;
    Integer FSmallChange = 1;
    Integer FLargeChange = 1;
    Integer FDragOffset = -1; // while dragging the box: the mouse's distance from its start
};
