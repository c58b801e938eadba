#pragma once
// TZirOvararIzazInput: the string grid's input layer on the core. It edits a
// cell in place with the editor the cell's kind asks for, validates, commits
// and cancels the edit, passes every move of the current cell through one
// query with the changing events, and handles Enter, Tab and the keys.
//
// It fills in bodies of the core's virtual operations; it adds no new
// virtual slots of the grid's own (the view layer relies on the core's).

#include "grid/KelInplaceEdit.h"
#include "grid/ZirOvararIzazCore.h"

#include <set>
#include <vector>

// What a press over the grid selects, as the mouse cursor shows it.
RTL_ENUM(TMouseSelectMode, msNormal, msColumn, msRow, msAll, msURL, msResize)

// Where a drag over the grid stands: entering, leaving or moving over it.
RTL_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove)
// The directions a drag held near the grid's edges scrolls in.
RTL_ENUM(TDragScrollDirectionItem, dsdUp, dsdDown, dsdLeft, dsdRight)
using TDragScrollDirection = TSet<TDragScrollDirectionItem>;

class TCustomHintWindow;
class TScrollBar;
class TTimer;

class TZirOvararIzazInput : public TZirOvararIzazCore {
    RTL_CLASS(TZirOvararIzazInput)
public:
    explicit TZirOvararIzazInput(TComponent* AOwner);
    ~TZirOvararIzazInput() override;

    // ---- Editing cycle, normal editor and event glue ----
    // The editing state: an edit granted and its editor (being) shown, the
    // kind of that edit, the special editor showing (null for the normal
    // editor), and the cell's raw text when the edit was granted (what a
    // cancel restores).
    bool EditMode() const { return FEditMode; }
    TEditorType EditControl() const { return FEditControl; }
    TWinControl* EditCtrl() const { return FEditCtrl; }
    bool EditActive() const { return FEditActive; }
    const String& OriginalCellValue() const { return FCellCache; }
    void SetOriginalCellValue(const String& Value) { FCellCache = Value; }
    // Validate also when the text did not change.
    bool AlwaysValidate() const { return FAlwaysValidate; }
    void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
    // The edit mask of the normal editor (OnGetEditMask may change it per cell).
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }
    // A '.' typed into a number is the decimal separator.
    bool ForceDecimalSeparator() const { return FForceDecimalSeparator; }
    void SetForceDecimalSeparator(bool Value) { FForceDecimalSeparator = Value; }
    // The characters edValidChars takes when ValidChars is empty.
    std::set<Char>& ValidCharSet() { return FValidCharSet; }
    // The normal editor, once made (null before the first edit).
    TKelInplaceEdit* NormalEdit() const;

    // Scrolls the current cell into view and asks the platform grid to show
    // its editor (nothing for a control cell).
    void ShowInplaceEdit() override;
    // Ends the running edit: the editor's text to the cell, the special
    // editor written back, the current cell asked again.
    void HideInplaceEdit() override;
    // The editing-done step: OnEditingDone, the editor hidden, and
    // "GridEditDone" (ACol, ARow) posted to the grid.
    void FinishEditing(Integer ACol, Integer ARow);
    // A special editor hands a key back: the edit ends and the grid acts on
    // Tab, the arrows and Enter.
    void DoneInplaceEdit(Word Key, TShiftState Shift);
    // A left press (and release) at the cell's top left + (2, 2), without the
    // application's mouse handlers.
    void SimulateCellClick(Integer ACol, Integer ARow, bool WithRelease);
    // True when the value of the running edit is accepted; a refused value
    // stays in the editor for correction.
    bool ValidateCell(const String& NewValue) override;
    bool ValidateCellWide(const String& NewValue) override;
    bool IsEditable(Integer ACol, Integer ARow) override;
    bool IsFixed(Integer ACol, Integer ARow) override;
    // The special editor written back into its cell; F2 asks for an edit.
    void HideCellEdit();
    void ShowCellEdit();
    // Whether the editors take Tab themselves (goTabs, or a validation
    // handler that must see the value before the grid moves on).
    bool EditorWantsTab();
    bool QueryPasswordCell(Integer ACol, Integer ARow);
    // The form that holds a control (the control itself for a form).
    static TCustomForm* LookupParentForm(TControl* Control);
    // Recalculates the floating footer for every column.
    void RecalcFooter(Integer ACol) override;
    // Colours of an active visual style, or the default colours with ResetCells.
    void ApplyStyleServicesColors(bool ResetCells);
    // Forgets the fixed cell highlighted under the mouse.
    void ResetFixedCellHighlight();

    TCellValidateEvent OnCellValidate;
    TCellValidateEvent OnCellValidateWide;
    TEditCellDoneEvent OnEditCellDone;
    TEditChangeEvent OnEditChange;
    TGetEditMaskEvent OnGetEditMask;
    TGetEditorPropEvent OnGetEditorProp;
    TGetEditorPropIntEvent OnGetEditorPropInt;
    TEllipsClickEvent OnEllipsClick;
    TCellsChangedEvent OnCellsChanged;
    TClickCellEvent OnClickCell;
    TClickSortEvent OnClickSort;
    TCheckBoxClickEvent OnCheckBoxClick;
    TDblClickCellEvent OnDblClickCell;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TClipboardPasteCellEvent OnClipboardBeforePasteCell;
    TClipboardAfterPasteCellEvent OnClipboardAfterPasteCell;

    // ---- Current cell, Enter and Tab advance, keys ----
    // The one query every move of the current cell passes (displayed
    // indexes): the platform grid makes a cell current only on True. It
    // switches edit permission for the target cell, validates an edit that
    // runs outside the normal editor, fires the changing events and tells
    // the listeners.
    bool AllowSelectCell(Integer ACol, Integer ARow);
    // Tab (Backward: Shift+Tab) from the current cell to the next cell the
    // keyboard may enter; False when the Tab went on to the parent window.
    bool NavigateByKey(bool Backward);
    // The Enter advance forced from a cell (the filter-edit row opens the
    // next fixed-cell editor instead).
    void NextEdit(Integer ACol, Integer ARow, bool AForward);
    void NextEdit() override { NextEdit(Col(), Row(), true); }
    // Makes the cell current and opens its editor once the posted
    // "GridEditShow" is handled.
    void LaunchEdit(Integer ACol, Integer ARow);
    // The first (last) column of a row the keyboard may enter, -1 for none.
    Integer FirstCellInRow(Integer ARow);
    Integer LastCellInRow(Integer ARow);
    // Whether the keyboard may put the cursor on the cell.
    bool IsNavigableCell(Integer ACol, Integer ARow);
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TScrollCellEvent OnScrollCell;
    TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
    TNotifyEvent OnStartBlockFocus;
    TNotifyEvent OnEndBlockFocus;
    TAutoAdvanceEvent OnAutoAdvance;
    TAutoAddRowEvent OnAutoAddRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TAutoInsertRowEvent OnAutoInsertRow;
    TCanDeleteRowEvent OnCanDeleteRow;
    TClipboardDoneEvent OnClipboardCutDone;
    TClipboardDoneEvent OnClipboardCopyDone;
    TRadioClickEvent OnRadioClick;
    TRadioButtonClickEvent OnRadioButtonClick;

    // ---- Special editors: combo, check box and button ----
    // What the combo editor tells while its selected item changes: the
    // real column, the row, the item's index and text (and its object).
    using TComboChangeEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, const String& ASelection)>;
    using TComboObjectChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                                       const String& ASelection, TObject* AObject)>;
    // The editors made with the grid (after the core's own objects).
    void AfterConstruction() override;
    void BeforeDestruction() override;
    // The combo editor of edComboList and edComboEdit (null in a designer).
    class TGridCombo* Combobox() const { return FEditCombo; }
    class TGridCombo* UniCombo() const { return FEditCombo; }
    // The control of the running edit: null unless an edit runs, else the
    // special editor showing, else the normal editor.
    TWinControl* CellEditor() const;
    // The combo editor's items, for OnGetEditorProp and for code outside an
    // edit. The list's own search is exact and case-insensitive.
    void ClearComboString();
    void AddComboString(const String& S);
    void AddComboStringObject(const String& S, TObject* AObject);
    // False when S is not in the list.
    bool RemoveComboString(const String& S);
    // The item the next combo edit selects when the cell's text names none;
    // False (and no change) when S is not in the list.
    bool SetComboSelectionString(const String& S);
    // The item the next combo edit selects, whatever the cell's text names.
    void SetComboSelection(Integer Index);
    // The cell's list (through DoGetEditorProp), then the cell := item Index.
    void SetComboIndex(Integer ACol, Integer ARow, Integer Index);
    // The index of the cell's text in the cell's list; -1 when absent.
    Integer GetComboIndex(Integer ACol, Integer ARow);
    Integer GetComboCount();
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;

    // ---- Special editors: drop-down editors ----
    // The drop-down editors, each made on first use (owner and parent the
    // grid, hidden) and freed with the grid. KelGridDropDown is made by the
    // maker its library registers (RegisterKelGridDropDownFactory); null
    // without one. The classes are in grid/GridDropDownEditors.h.
    class TGridTrackbarDropDown* TrackbarDropDown();
    class TGridMemoDropDown* MemoDropDown();
    class TGridCalculatorDropDown* CalculatorDropDown();
    class TGridTimepickerDropDown* TimePickerDropDown();
    class TGridDetailPickerDropDown* DetailPickerDropDown();
    class TGridGridDropDown* GridDropDown();
    class TGridColorDropDown* ColorPickerDropDown();
    class TGridImageDropDown* ImagePickerDropDown();
    class TKelCustomDropDown* KelGridDropDown();
    class TGridControlDropDown* ControlDropDown();
    // A header or footer button of a drop-down editor's pop-up was clicked
    // (Sender the editor, the current cell, the button's index).
    using TDropDownButtonClickEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ButtonIndex)>;
    // The colour picker's value on its way into cell (ACol, ARow): the
    // handler may change the colour and the text.
    using TColorSelectedEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor& Color, String& Text)>;
    // The image picker's index on its way into cell (ACol, ARow).
    using TImageSelectedEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer& Index)>;
    TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
    TDropDownButtonClickEvent OnDropDownFooterButtonClick;
    TColorSelectedEvent OnColorSelected;
    TImageSelectedEvent OnImageSelected;

    // ---- Special editors: spin, date-time and edit-with-button ----
    // The editors of the typed kinds, made (owned by the grid, invisible) on
    // the first call; the date pickers' handlers are bound to the grid.
    class TGridSpin* SpinEdit();
    // The spin editor once made; null before its first use (nothing is made).
    class TGridSpin* MadeSpinEdit() const { return FEditSpin; }
    class TGridDatePicker* DateTimePicker();
    class TGridDateTimePicker* DateAndTimePicker();
    class TGridEditBtn* BtnEdit();
    class TGridUnitEditBtn* BtnUnitEdit();
    using TFloatSpinClickEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, Double AValue, bool UpDown)>;
    using TDateTimeSpinClickEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime AValue, bool UpDown)>;
    using TDateTimeChangeEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime ADateTime)>;
    using TDatePickerEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
    using TCustomStrToDateEvent = std::function<void(TObject* Sender, const String& Value, TDateTime& ADate)>;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TDateTimeChangeEvent OnDateTimeChange;
    TDatePickerEvent OnDatePickerDropDown;
    TDatePickerEvent OnDatePickerCloseUp;
    TCustomStrToDateEvent OnCustomStrToDate;

    // ---- Scroll bars and notifications ----
    // The look of the bars. ssFlat and ssEncarta keep the normal bars (the
    // flat scroll-bar functions are not available); ssMetro makes the thin
    // painted controls for the bars ScrollBars includes and turns the
    // normal bars off, leaving it frees them and turns both bars on.
    void SetScrollType(TScrollType Value);
    // A change to a hint kind makes the scroll hint window once the grid has
    // its window.
    void SetScrollHints(TScrollHintType Value);
    // On: the thumbs take the size of the visible share at once.
    void SetScrollProportional(bool Value);
    // True only once the flat scroll bars were set up (never here).
    bool FlatScrollBarsActive() const { return FFlatScrollActive; }
    // The thumb sizes on the platform grid's 0 to 127 scale.
    void UpdateProportionalVScroll();
    void UpdateProportionalHScroll();
    // The hint window of thumb drags (null until made), and whether it shows.
    TCustomHintWindow* ScrollHintWindow() const { return FScrollHint; }
    bool ScrollHintShowing() const { return FScrollHintShowing; }
    // The scroll bar that cell scroll bars use, made on first use, and the
    // cell it serves.
    TScrollBar* CellScrollBar();
    Integer ScrollCellCol() const { return FScrollCol; }
    Integer ScrollCellRow() const { return FScrollRow; }
    void SetScrollCell(Integer ACol, Integer ARow);
    // A drag over the grid: held within a margin of an edge it scrolls
    // towards that edge, first after the initial delay, then at the repeat
    // delay.
    void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    TTimer* DragScrollTimer() const { return FDragScrollTimer; }
    TDragScrollDirection DragScrollDirection() const { return FDragScrollDir; }
    // The short scroll after a flick: Steps ticks of 10 ms, each moving the
    // top row (Rows) or the left column by Step (+1 or -1), never past the
    // first normal or the last full view.
    void StartSmoothScroll(Integer Steps, Integer Step, bool Rows);
    TTimer* SmoothScrollTimer() const { return FSmoothTimer; }
    bool SmoothScrollEnded() const { return FScrollEnd; }
    using TScrollHintEvent = std::function<void(TObject* Sender, Integer ARow, String& hintstr)>;
    using TDragScrollEvent = std::function<void(TObject* Sender, Integer TopRow, Integer LeftCol,
                                                TDragScrollDirection& DragScrollDir, bool& CanScroll)>;
    using TGridBalloonEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& ATitle,
                                                 String& AText, Integer& AIcon)>;
    TScrollHintEvent OnScrollHint;
    TDragScrollEvent OnDragScroll;
    TGridBalloonEvent OnCellBalloon;
    // The displayed column and row of the last balloon text given out.
    TPoint LastBalloonCell() const { return FLastBalloonCell; }

    // ---- Window procedure, keys, wheel, panning and fixed-cell editors ----

    // ---- Mouse press, release, double click and right button ----
    // What a press, release or double click on the grid fires itself.
    using TCanClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
    using TControlClickEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& CtrlID,
                                                  const String& CtrlType, const String& CtrlVal)>;
    using TFixedCellClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
    using TSelectionResizeEvent =
        std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>;
    using TRadioMouseUpEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIdx)>;
    // The grid's handlers of the button messages; the point is the message's
    // LParam as two signed 16-bit client coordinates. The press tests its
    // targets in a fixed order, and only a press that none takes goes on to
    // the platform grid's own handling.
    void HandleWMLButtonDown(TMessage& Message);
    void HandleWMLButtonUp(TMessage& Message);
    void HandleWMLButtonDblClk(TMessage& Message);
    void HandleWMRButtonDown(TMessage& Message);
    void HandleWMRButtonUp(TMessage& Message);
    // A press on a radio list: ACol the stored column, (X, Y) relative to the
    // cell's top-left corner. The item whose span holds the point strictly
    // inside is chosen; a point on a boundary chooses nothing.
    void SelectRadioItemAt(Integer ACol, Integer ARow, Integer X, Integer Y);
    // What the mouse-move handling found under the pointer (the press reads it).
    TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
    void SetMouseSelectMode(TMouseSelectMode Value) { FMouseSelectMode = Value; }
    // Milliseconds the last sort started by a click took.
    Cardinal ClickSortTime() const { return FClickSortTime; }
    // The selection's texts kept by a press on its resize handle, for the
    // smart fill of the release (the system clipboard is not touched).
    const std::vector<std::vector<String>>& SmartFillCopy() const { return FSmartFillCopy; }
    using TNodeAllowEvent = std::function<void(TObject* Sender, Integer ARow, Integer ARowReal, bool& Allow)>;
    using TNodeEvent = std::function<void(TObject* Sender, Integer ARow, Integer ARowReal)>;
    TCanClickCellEvent OnCanClickCell;
    TNodeAllowEvent OnBeforeExpandNode;
    TNodeAllowEvent OnBeforeContractNode;
    TNodeEvent OnExpandNode;
    TNodeEvent OnContractNode;
    TControlClickEvent OnControlClick;
    TAnchorClickEvent OnAnchorClick;
    TFixedCellClickEvent OnFixedCellClick;
    TClickCellEvent OnRightClickCell;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TRadioMouseUpEvent OnRadioMouseUp;
    TSelectionResizeEvent OnSelectionResize;
    TSelectionResizeEvent OnSelectionResized;

protected:
    // ---- Editing cycle, normal editor and event glue: protected part ----
    friend class TKelInplaceEdit;
    // The platform grid's editor protocol.
    bool CanEditShow() override { return CanShowEditor(); }
    TInplaceEdit* CreateEditor() override;
    String GetEditMask(Integer ACol, Integer ARow) override { return ResolveEditMask(ACol, ARow); }
    Integer GetEditLimit() override { return ResolveEditLimit(); }
    // Grants (or refuses) an edit of the current cell; a special kind is set
    // up here and the platform grid's editor stays hidden.
    virtual bool CanShowEditor();
    virtual String ResolveEditMask(Integer ACol, Integer ARow);
    virtual Integer ResolveEditLimit() { return MaxEditLength(); }
    // The frame of a special editor's set-up and write-back.
    virtual void ShowSpecialEditor(Integer ACol, Integer ARow);
    virtual void EndSpecialEdit(Integer ACol, Integer ARow);
    // Where a special editor goes and how it looks: the cell rectangle R,
    // the editor's width W and height H (one pixel less than R's), the
    // cell's colour and font as the painter draws the cell, the real column
    // C and the row of the edited cell.
    struct TSpecialEditorPlace {
        TRect R;
        Integer W = 0;
        Integer H = 0;
        TColor Colour = clWindow;
        const TFont* Font = nullptr;
        Integer C = 0;
        Integer Row = 0;
    };
    virtual void StoreEditValue(Integer ACol, Integer ARow, const String& Value);
    void StoreEditValue(const String& Value) override { StoreEditValue(RealColIndex(Col()), Row(), Value); }
    void RestoreEditCell() override;
    // Remembers a displayed cell as the edited one, with its text.
    virtual void SaveOldCellText(Integer ACol, Integer ARow);
    void SaveOldCellText() override { SaveOldCellText(Col(), Row()); }
    bool IsCellEditable(Integer ACol, Integer ARow);
    String DoEllipsClick(const String& Value) override;
    void DoClickSort(Integer ACol) override;
    void DoClickCell(Integer ARow, Integer ACol) override;
    void DoGetEditorProp(Integer ACol, Integer ARow, TObject* AEditLink) override;
    void DoCheckBoxClick(Integer ACol, Integer ARow, bool State) override;
    void CellsChanged(TRect R) override;
    void UpdateFooterCell(Integer ACol, Integer ARow) override;
    // The grid's window procedure: the registered messages, the editor's
    // text changes, focus, cursor and the component messages.
    void WndProc(TMessage& Message) override;
    void Click() override;
    void DoEnter() override;
    void DoExit() override;

    // ---- Current cell, Enter and Tab advance, keys: protected part ----
    // The platform grid's select-cell query is AllowSelectCell.
    bool SelectCell(Integer ACol, Integer ARow) override { return AllowSelectCell(ACol, ARow); }
    // OnColChanging, OnRowChanging and OnCellChanging with one shared Allow,
    // each only for the axis that changes; nothing while blocked.
    void DoCellChanging(Integer OldRow, Integer OldCol, Integer NewRow, Integer NewCol, bool& Allow) override;
    // The vertical-scroll handling reports an in-cell scroll bar's move.
    void DoScrollCell(Integer ACol, Integer ARow, Integer ScrollPosition, Integer ScrollMin, Integer ScrollMax);
    bool DoCanShowFixedDropDown(Integer ACol, Integer ARow) override;
    void DoStartBlockFocus() override;
    void DoEndBlockFocus() override;
    bool IsSelectionVisible() override;
    // The Enter advance from a cell, by Navigation's advance settings. One
    // call moves at most once and adds at most one row or column; skipping
    // cells that may not be edited ends after one pass over the grid.
    void AdvanceCell(Integer ACol, Integer ARow, bool Force, bool AutoEdit, bool Forward, bool Repeat,
                     bool ContinueEdit);
    // The next navigable cell after the given one in the advance direction;
    // (-1, -1) when none.
    TPoint FindNextNavigableCell(Integer ACol, Integer ARow);
    // FixedCols, or 1 past the node column of a grid with nodes.
    Integer FirstEditColumn();
    // The fixed right columns that are not hidden.
    Integer VisibleFixedRightCols();
    // Steps to rows and columns that have a size (past merged areas).
    Integer NextVisibleRow(Integer ARow);
    Integer NextVisibleCol(Integer ACol, bool Right);
    Integer ClampVisibleCol(Integer ACol);
    Integer FirstVisibleRow();
    Integer LastVisibleRow();
    Integer FirstVisibleCol();
    Integer LastVisibleCol();
    bool IsAtLastRow();
    // Appends an empty row (above a visible floating footer) and reports it.
    void AutoAppendRow();
    void EditNextFormControl(Integer ACol, Integer ARow, const String& ControlID);
    void GotoFirstRow() override { SetRow(FixedRows()); }
    // The character step: Escape, Enter and typing-to-find.
    void KeyPress(Char& Key) override { HandleKeyPress(Key); }
    void HandleKeyPress(Char& Key);
    // The key-down message before the platform sees the key, and the
    // key-down step the platform then runs (arrows, pages, Home, End).
    void HandleWMKeyDown(TMessage& Message) override;
    void HandleWMKeyUp(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override { HandleKeyDown(Key, Shift); }
    void HandleKeyDown(Word& Key, TShiftState Shift);
    // Tells SelectionChanged of a selection that moved since the key began.
    void CheckSelectionMoved();
    // The marker that locks moves while a refused value waits to be shown
    // again by "GridEditInvalid".
    bool InvalidSelection() const { return FInvalidSel; }
    void SetInvalidSelection(bool Value) { FInvalidSel = Value; }

    // ---- Special editors: combo, check box and button: protected part ----
    // Set-up and write-back of the combo, check box and button kinds inside the
    // special-editor frame; each answers False for a kind it does not serve.
    bool SetUpComboFamilyEditor(const TSpecialEditorPlace& Place);
    bool WriteBackComboFamilyEditor(Integer C, Integer ARow);
    // The editors reach the editing state through the one link of the family.
    friend class TGridEditorLink;
    friend class TGridCombo;
    friend class TGridCheckBox;
    friend class TGridButton;
    // Fires OnComboChange and OnComboObjectChange for the combo's selection.
    void ComboSelectionChanged();
    // The combo's selection and edit changes reach the grid as WM_COMMAND.
    void HandleComboCommand(const TMessage& Message);

    // ---- Special editors: drop-down editors: protected part ----
    // Set-up and write-back of the drop-down kinds (edTrackbarDropDown to edControlDropDown) inside the
    // special-editor frame; each answers False for a kind it does not serve.
    bool SetUpDropDownEditor(const TSpecialEditorPlace& Place);
    bool WriteBackDropDownEditor(Integer C, Integer ARow);
    friend class TGridDropDownKeys;
    // The pop-up buttons' clicks, for the current cell.
    void DropDownHeaderButtonClicked(TObject* Sender, Integer ButtonIndex);
    void DropDownFooterButtonClicked(TObject* Sender, Integer ButtonIndex);
    // The memo editor's change: its text becomes the current cell's edit text.
    void MemoEditorChanged(TObject* Sender);

    // ---- Special editors: spin, date-time and edit-with-button: protected part ----
    // Set-up and write-back of the spin, date, time, edit-with-button and value-with-unit kinds inside the
    // special-editor frame; each answers False for a kind it does not serve.
    bool SetUpPickerEditor(const TSpecialEditorPlace& Place);
    bool WriteBackPickerEditor(Integer C, Integer ARow);
    friend class TGridSpin;
    friend class TGridDatePicker;
    friend class TGridDateTimePicker;
    friend class TGridEditBtn;
    friend class TGridUnitEditBtn;
    // The handlers bound to the date pickers.
    void DatePickerChange(TObject* Sender);
    void DatePickerDropDown(TObject* Sender);
    void DatePickerCloseUp(TObject* Sender);
    void DateTimePickerTimeChange(TObject* Sender);

    // ---- Scroll bars and notifications: protected part ----
    void CreateWnd() override;
    void TopLeftChanged() override;
    // Forgets a removed image list, container, cell checker or the grid
    // this one follows.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The hint window of thumb drags.
    TCustomHintWindow* CreateScrollHintWindow();
    void HandleWMHScroll(TMessage& Message);
    void HandleWMVScroll(TMessage& Message);
    void HandleWMNotify(TMessage& Message);
    void HandleWMGetDlgCode(TMessage& Message);

    // ---- Window procedure, keys, wheel, panning and fixed-cell editors: protected part ----

    // ---- Mouse press, release, double click and right button: protected part ----
    // After the platform grid moved a column (row): the column order, the
    // sort column and sort indexes follow the moved data, and so does the
    // current column; a synchronised grid moves along.
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override { HandleColumnMoved(FromIndex, ToIndex); }
    void RowMoved(Integer FromIndex, Integer ToIndex) override { HandleRowMoved(FromIndex, ToIndex); }
    void HandleColumnMoved(Integer FromIndex, Integer ToIndex);
    void HandleRowMoved(Integer FromIndex, Integer ToIndex);
    // The press, release and double click that reach the platform grid's
    // own mouse handling.
    void StandardMouseHandling(TMessage& Message) { TZirOvararIzazCore::WndProc(Message); }
    // The press state the release reads.
    bool FDoOnClick = false;
    bool FMouseKeepDown = false;
    bool FMouseDownMove = false;
    bool FAnchorClick = false;
    TGridRect FOrigSelection{-1, -1, -1, -1};
    TGridRect FDropSelection{-1, -1, -1, -1};
    bool FMouseResize = false;
    bool FScrollStart = false;
    Integer FScrollSteps = 0;
    TPoint FPtDown{-1, -1};
    Integer FTopDown = 0;
    Integer FLeftRight = 0;
    Cardinal FTimeStart = 0;
    Integer FScrollDelta = 0;
    Integer FMoveColInd = -1;
    Integer FMoveRowInd = -1;
    bool FSelectionClick = false;
    TPoint FPushedCellButton{-1, -1};
    TRect FPushedFixedCell;
    bool FFixedCellPushed = false;
    Integer FPressTopRow = 0;
    Integer FPressLeftCol = 0;
    Integer FColClicked = -1;
    Integer FRowClicked = -1;
    Integer FColClickedSize = 0;
    Integer FRowClickedSize = 0;
    TPoint FClickPos{-1, -1};
    TPoint FClickPosD{0, 0};
    TPoint FMoveOfs{0, 0};
    Integer FMoveCell = -1;
    Integer FSizingFixedCol = -1;
    Integer FSizingFixedRow = -1;
    Integer FSizeFixedX = 0;
    Integer FSizeFixedY = 0;
    bool FLButFlg = false;
    bool FDeselectState = false;
    bool FMouseDownFlag = false;
    Integer FMouseSelectStart = -1;
    String FCtrlDownId;
    TPoint FMouseDownPt{-1, -1};
    // The release state.
    bool FColMoveFlg = false;
    bool FColSizeFlg = false;
    bool FDblClk = false;
    TGridRect FDisSelection{-1, -1, -1, -1};

private:
    // ---- Editing cycle, normal editor and event glue: state ----
    static winapi::HCURSOR SelectionCursor(Integer Id);
    // The eleven kinds the normal in-place editor serves.
    static bool IsNormalKind(TEditorType Kind);
    bool IsNormalEditorKind() const { return IsNormalKind(FEditControl); }
    void HandleGridEditDone(Integer ACol, Integer ARow);
    void HandleGridEditInvalid(Integer ACol, Integer ARow);
    void HandleEditorTextChange(TMessage& Message);
    void HandleSetFocus(TMessage& Message);
    void HandleKillFocus(TMessage& Message);
    void HandleSetCursor(TMessage& Message);
    void HandleDialogChar(TMessage& Message);
    // The refusal of a validation: the cell gets Shown, the current cell
    // goes back to the edited one and the editor shows again.
    void RefuseValidation(Integer C, Integer R, const String& Shown, bool Wide);
    // The balloon tip of a refused value (InvalidEntryTitle, -Text, -Icon).
    void ShowInvalidEntryTip();
    // The user's EditOnDblClickOnly comes back once a refused edit is over.
    void GiveBackDblClickOnly();
    bool FEditMode = false;
    TEditorType FEditControl = edNormal;
    TWinControl* FEditCtrl = nullptr;
    bool FValidating = false;
    bool FSpecialEditor = false;
    bool FEditActive = false;
    String FCellCache;
    String FOldCellText;
    String FOldCellTextWide;
    String FNewCellText;
    Integer FOldCol = -1;
    Integer FOldRow = -1;
    bool FOldModifiedValue = false;
    bool FGridModified = false;
    bool FAlwaysValidate = false;
    bool FLastValidation = true;
    // EditOnDblClickOnly as a refusal found it, and whether one is kept.
    bool FValidateDblClick = false;
    bool FDblClickSaved = false;
    bool FShowEditProcess = false;
    bool FGetEditTextAlign = false;
    bool FNoEditChange = false;
    bool FBlockKill = false;
    bool FBlockFocus = false;
    bool FInvokedFocusChange = false;
    bool FHidingEditor = false;
    bool FDoneEditing = false;
    bool FFinishing = false;
    // The cell the running edit was granted for.
    Integer FGrantCol = -1;
    Integer FGrantRow = -1;
    // Set while a validation runs where the editor cannot stay open (the
    // editor lost the focus to another window): a refusal does not show it.
    bool FQuietRefusal = false;
    // The cell a special editor was opened on, which it writes back into.
    Integer FSpecialCol = -1;
    Integer FSpecialRow = -1;
    // A refused text kept for "GridEditInvalid", and the marker that locks
    // moves until that message is handled (set by the current-cell query).
    String FInvalidCache;
    bool FInvalidSel = false;
    // Editing was switched off for the current cell only (read-only cell).
    bool FEditDisable = false;
    String FEditMask;
    // The left button started the edit (the caret goes under the mouse).
    bool FLeftClickEdit = false;
    bool FUseScrollStyles = false;
    bool FUseStyleServices = false;
    Integer FHoverFixedX = -1;
    Integer FHoverFixedY = -1;
    bool FSizeFixed = false;
    bool FSizeFixedR = false;
    bool FSizingFixed = false;
    bool FSizingFixedR = false;
    bool FNoMouseLeave = false;
    bool FCtrlDown = false;
    TPoint FCtrlXY;
    TMouseSelectMode FMouseSelectMode = msNormal;
    bool FInvokedChange = false;
    bool FCellSelectorMode = false;
    bool FForceDecimalSeparator = false;
    std::set<Char> FValidCharSet;

    // ---- Current cell, Enter and Tab advance, keys: state ----
protected:
    // Internal moves: the query answers True at once (no events).
    bool FForceSel = false;
    // The Enter advance fires OnCellChanging itself.
    bool FDisableChange = false;
    // The target cell's text at the start of the query.
    String FEditText;
    bool FEditChange = false;
    // The cell the Tab in progress started from.
    Integer FLastTabCol = -1;
    Integer FLastTabRow = -1;
    // The selection when the key began.
    TGridRect FMoveSelection{0, 0, 0, 0};

private:
    // One Tab step from the current cell; Repeat is set when the step
    // landed on a cell the next step must leave again.
    bool TabStep(bool Backward, bool& Repeat);
    // Space (and Enter for cell buttons) on a check box, radio cell or
    // button; Home and End by HomeEndKey (True when the key was used);
    // the Insert and Delete keys' rows (False when refused).
    void ToggleControlCell(Word Key);
    bool HandleHomeEnd(Word& Key, TShiftState Shift);
    bool InsertRowByKey();
    bool DeleteRowByKey();
    // After a move into the last row, the view scrolls until that row lies
    // above the search footer.
    void KeepRowAboveSearchFooter();
    // The options with one option switched on or off.
    static TGridOptions WithOption(TGridOptions Options, TGridOption Option, bool On) {
        if (On)
            Options.Include(Option);
        else
            Options.Exclude(Option);
        return Options;
    }

    // ---- Special editors: combo, check box and button: state ----
    void SetUpComboList(const TSpecialEditorPlace& Place, const String& StartText);
    void SetUpComboEdit(const TSpecialEditorPlace& Place, const String& StartText);
    void PlaceCombo(const TSpecialEditorPlace& Place);
    class TGridCombo* FEditCombo = nullptr;
    class TGridCheckBox* FEditCheck = nullptr;
    class TGridButton* FGridButton = nullptr;
    // The item the next combo edit selects (-1: none), and whether it wins
    // over the item the cell's text names. One edit uses them.
    Integer FComboIdx = -1;
    bool FForceComboSel = false;
    // A refused commit holds the Enter advance back until the next key-up.
    bool FNoAutoAdvance = false;

    // ---- Special editors: drop-down editors: state ----
    // The editor of a drop-down kind (made on first use), null for the other kinds.
    class TKelCustomDropDown* DropDownEditorOf(TEditorType Kind);
    // What the set-up of every drop-down kind does around the kind's own start.
    void StartDropDownEditor(TKelCustomDropDown* Editor, const TSpecialEditorPlace& Place);
    class TGridTrackbarDropDown* FEditTrackBar = nullptr;
    class TGridMemoDropDown* FEditMemo = nullptr;
    class TGridCalculatorDropDown* FEditCalculator = nullptr;
    class TGridTimepickerDropDown* FEditTimePicker = nullptr;
    class TGridDetailPickerDropDown* FEditDetailPicker = nullptr;
    class TGridGridDropDown* FEditGridPicker = nullptr;
    class TGridColorDropDown* FEditColorPicker = nullptr;
    class TGridImageDropDown* FEditImagePicker = nullptr;
    class TKelCustomDropDown* FEditKelGridPicker = nullptr;
    class TGridControlDropDown* FEditControlPicker = nullptr;

    // ---- Special editors: spin, date-time and edit-with-button: state ----
    TGridSpin* FEditSpin = nullptr;
    TGridDatePicker* FEditDate = nullptr;
    TGridDateTimePicker* FEditDateTime = nullptr;
    TGridEditBtn* FEditBtn = nullptr;
    TGridUnitEditBtn* FUnitEditBtn = nullptr;
    // Set by the mouse when a click on a cell's spin button started the edit.
    bool FSpinUpClick = false;
    bool FSpinDnClick = false;
    // The date and time the cell held when the date-and-time editor opened.
    TDateTime FOriginalDateTime = 0;
    // The picker's value as set up, and whether the cell was empty then: an
    // empty cell left without a change stays empty.
    TDateTime FPickerStartValue = 0;
    bool FPickerStartEmpty = false;
    // Escape in a typed editor: the cell keeps its text from before the edit.
    bool FPickerCancelled = false;

    // ---- Scroll bars and notifications: state ----
    void ShowScrollHint(bool Vertical, Integer Index);
    void HideScrollHint();
    // The fixed background picture's corner cells, for its repaint.
    bool FixedBackGround() const;
    TRect BackGroundCells() const;
    void DragScrollTick(TObject* Sender);
    void SmoothScrollTick(TObject* Sender);
    void StopDragScroll();
    String BalloonCellText(Integer ACol, Integer ARow);
    bool FFlatScrollActive = false;
    TCustomHintWindow* FScrollHint = nullptr;
    bool FScrollHintShowing = false;
    TScrollBar* FCellScrollBar = nullptr;
    Integer FScrollCol = -1;
    Integer FScrollRow = -1;
    TTimer* FDragScrollTimer = nullptr;
    TDragScrollDirection FDragScrollDir;
    TTimer* FSmoothTimer = nullptr;
    Integer FSmoothSteps = 0;
    Integer FSmoothStep = 0;
    bool FSmoothRows = true;
    bool FScrollEnd = false;
    TPoint FLastBalloonCell{-1, -1};
    // The balloon text while the tool tip shows it.
    std::u16string FToolTipBuffer;

    // ---- Window procedure, keys, wheel, panning and fixed-cell editors: state ----

    // ---- Mouse press, release, double click and right button: state ----
    // The modifiers held now (every one of Ctrl, Shift and Alt that is down).
    static TShiftState HeldModifiers();
    // The press on the selection's resize handle (or in resize mode): the
    // selection's texts kept for the smart fill, the platform's selecting
    // started unless Standard is false, the selection and current cell put back.
    void StartSelectionResize(TMessage& Message, Integer X, Integer Y, bool Standard);
    // The tail of a press, from the select-all on (it ends every press that
    // no earlier target took).
    void PressOnCell(TMessage& Message, Integer ACol, Integer ARow, Integer X, Integer Y, TShiftState Shift,
                     const TGridRect& OldSelection, bool FixedByEvent, bool DirectAllowed, bool RangeEditOff);
    void PressOnAnchor(Integer ACol, Integer ARow, Integer RealCol, const String& Anchor, const String& CtrlID,
                       const String& CtrlType, const String& CtrlValue);
    // The disjunct row and column bookkeeping of a press; False when the
    // press ended in it (Shift with a row selection).
    bool DisjunctPressBookkeeping(TMessage& Message, Integer ACol, Integer ARow, const TGridRect& OldSelection,
                                  bool FirstPass);
    // The anchor under the press in the cell's text, with the form control there.
    bool AnchorAt(Integer ACol, Integer ARow, Integer X, Integer Y, String& Anchor, String& CtrlID, String& CtrlType,
                  String& CtrlValue);
    void FireMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
        if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
    }
    void TapAction(Integer ACol, Integer ARow);
    // Ends a press without a release: the press state is cleared, the
    // platform's selecting stops and the mouse is released.
    void EndPressState();
    void EndTouchScroll(Integer X, Integer Y);
    void SmartFill();
    void SortByClick(Integer RealCol);
    void AutoSizeColumnByDblClick(Integer C);
    bool FSyncedMove = false;
    Cardinal FClickSortTime = 0;
    std::vector<std::vector<String>> FSmartFillCopy;
};
