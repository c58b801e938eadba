#pragma once
// The option objects the string grid nests in its published properties:
// the search bar, navigation, mouse actions, grid synchronisation, row bands,
// the focus helper and its marker window. Plain settings are fields with a
// getter and a setter; the setters with side effects are written out.

#include "gridbase/GridTypes.h"
#include "graphics/GraphicsObjects.h"
#include "rtl/Persistent.h"
#include "rtl/StringList.h"
#include "vcl/Controls.h"

#include <memory>

class TStringGrid;

// A plain setting: a field, its getter and a setter that only stores.
#define GRIDOPTION_PLAIN(Type, Name, Initial)                                                                  \
public:                                                                                                       \
    Type Name() const { return F##Name; }                                                                     \
    void Set##Name(Type Value) { F##Name = Value; }                                                           \
                                                                                                              \
private:                                                                                                      \
    Type F##Name = Initial;

class TSearchFooter : public TPersistent {
    RTL_CLASS(TSearchFooter)
public:
    // InitDesign gives the captions and hints their English texts.
    TSearchFooter(TPersistent* AOwner, bool InitDesign);
    ~TSearchFooter() override;
    // Copies every setting but AutoSearch, SearchFixedCells and
    // AutoThemeAdapt, without notifying.
    void Assign(const TPersistent* Source) override;

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool AutoSearch() const { return FAutoSearch; }
    // Also forgets the last search text.
    void SetAutoSearch(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    const String& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const String& Value);
    const String& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const String& Value);
    const String& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const String& Value);
    const String& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const String& Value);
    const String& HintClose() const { return FHintClose; }
    void SetHintClose(const String& Value);
    const String& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const String& Value);
    const String& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const String& Value);
    const String& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const String& Value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value);
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool Value);
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool Value);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool Value);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool Value);
    bool ShowResults() const { return FShowResults; }
    void SetShowResults(bool Value);
    TSearchType SearchType() const { return FSearchType; }
    void SetSearchType(TSearchType Value);
    TColor SearchColor() const { return FSearchColor; }
    void SetSearchColor(TColor Value);
    TColor SearchTextColor() const { return FSearchTextColor; }
    void SetSearchTextColor(TColor Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    const String& LastSearch() const { return FLastSearch; }
    void SetLastSearch(const String& Value) { FLastSearch = Value; }

    TNotifyEvent OnChange;

    GRIDOPTION_PLAIN(bool, AlwaysHighLight, false)
    GRIDOPTION_PLAIN(String, ResultFormat, u"(%d of %d)")
    GRIDOPTION_PLAIN(Integer, SearchColumn, -1)
    GRIDOPTION_PLAIN(bool, SearchActiveColumnOnly, false)
    GRIDOPTION_PLAIN(bool, SearchMatchStart, false)
    GRIDOPTION_PLAIN(bool, SearchFixedCells, false)
    GRIDOPTION_PLAIN(bool, SearchHiddenRows, false)
    GRIDOPTION_PLAIN(bool, SearchFromFocusCell, false)
    GRIDOPTION_PLAIN(TSearchDirection, SearchDirection, sdTopBottom)
    GRIDOPTION_PLAIN(THighlightType, HighLight, hMatchingText)
    GRIDOPTION_PLAIN(bool, IgnoreHTML, true)
    GRIDOPTION_PLAIN(bool, IgnoreAccents, false)
    GRIDOPTION_PLAIN(TColor, SearchErrorColor, 0x0000FF)
    GRIDOPTION_PLAIN(TColor, SearchErrorTextColor, 0xFFFFFF)
    GRIDOPTION_PLAIN(Integer, ResultPosition, 0)
    GRIDOPTION_PLAIN(Integer, ResultTotal, 0)

private:
    void Changed();
    template <typename T>
    void StoreAndNotify(T& Field, const T& Value, bool OnlyOnChange);

    bool FVisible = false;
    bool FAutoSearch = true;
    TColor FColor = 0xFFFFFF;
    TColor FColorTo = clBtnFace;
    std::unique_ptr<TFont> FFont;
    String FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHighLightCaption;
    String FHintClose, FHintFindNext, FHintFindPrev, FHintHighlight;
    bool FShowClose = true;
    bool FShowFindNext = true;
    bool FShowFindPrev = true;
    bool FShowHighLight = true;
    bool FShowMatchCase = true;
    bool FShowResults = false;
    TSearchType FSearchType = stSearch;
    TColor FSearchColor = clWindow;
    TColor FSearchTextColor = clWindowText;
    bool FAutoThemeAdapt = false;
    String FLastSearch;
};

// The plain settings of TNavigation, copied as a whole by Assign.
struct TNavigationSettings {
    bool AdvanceOnEnterLoop = true, AdvanceAutoEdit = true, AdvanceSkipReadOnlyCells = true,
         AutoComboSelect = true, AllowCtrlEnter = true, AllowClipboardRowGrow = true,
         AllowClipboardColGrow = true, EditSelectAll = true, ComboGetUpDown = true, CursorWalkAlwaysEdit = true,
         LeftRightRowSelect = true, CopyHTMLTagsToClipboard = true, SkipFixedCells = true,
         SkipDisabledRows = true;
    bool AllowInsertRow = false, AllowDeleteRow = false, AllowDeleteCells = false, AlwaysEdit = false,
         AdvanceOnEnter = false, AdvanceInsert = false, AutoGotoWhenSorted = false, AutoGotoIncremental = false,
         AutoComboDropSize = false, AllowClipboardShortCuts = false, AllowSmartClipboard = false,
         AllowRTFClipboard = false, AllowFmtClipboard = false, AllowClipboardAlways = false,
         AllowEditButtonCells = false, AdvanceAuto = false, AppendOnArrowDown = false, CursorWalkEditor = false,
         CursorMoveRows = false, MoveRowOnSort = false, KeepScrollOnSort = false, MoveRowOnScroll = false,
         MoveScrollOnly = false, ImproveMaskSel = false, KeepHorizScroll = false, LineFeedOnEnter = false,
         SkipReadOnly = false, TabToNextAtEnd = false;
    TAdvanceDirection AdvanceDirection = adLeftRight, TabAdvanceDirection = adLeftRight;
    TInsertPosition InsertPosition = pInsertBefore;
    TClipboardCutAction ClipboardCutAction = caClear;
    TClipboardPasteAction ClipboardPasteAction = paReplace;
    TCursorAdvance CursorAdvance = caDefault;
    THomeEndAction HomeEndKey = heFirstLastColumn;
    TToggleTriStateCheck ToggleTriStateCheck = tsAllStates;
};

class TNavigation : public TPersistent {
    RTL_CLASS(TNavigation)
public:
    TNavigation() = default;
    // Copies every setting but KeepScrollOnSort.
    void Assign(const TPersistent* Source) override;

    // Every setting, read-only; the setters below change them.
    const TNavigationSettings& Settings() const { return F; }
    // Plain settings are written through this (no side effects).
    TNavigationSettings& PlainSettings() { return F; }

    TAdvanceDirection AdvanceDirection() const { return F.AdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value);
    bool AdvanceInsert() const { return F.AdvanceInsert; }
    void SetAdvanceInsert(bool Value);
    bool AdvanceAuto() const { return F.AdvanceAuto; }
    // Turning it on also turns AdvanceOnEnter on.
    void SetAdvanceAuto(bool Value);
    bool AdvanceOnEnter() const { return F.AdvanceOnEnter; }
    void SetAdvanceOnEnter(bool Value) { F.AdvanceOnEnter = Value; }
    bool AutoGotoWhenSorted() const { return F.AutoGotoWhenSorted; }
    void SetAutoGotoWhenSorted(bool Value) { F.AutoGotoWhenSorted = Value; }

    TNotifyEvent OnChange;

private:
    TNavigationSettings F;
};

// The plain settings of TMouseActions.
struct TMouseActionsSettings {
    bool AllSelectAllFixedColumns = true, AutoSizeColOnDblClick = true, PreciseNodeClick = true;
    bool AllColumnSize = false, AllRowSize = false, AllSelect = false, AutoFocus = false, CaretPositioning = false,
         CheckAllCheck = false, ColSelect = false, DirectComboClose = false, DirectComboDrop = false,
         DirectDateClose = false, DirectDateDrop = false, DirectEdit = false, DisjunctRowSelect = false,
         DisjunctRowSelectDrag = false, DisjunctRowSelectNoCtrl = false, DisjunctColSelect = false,
         DisjunctColSelectNoCtrl = false, DisjunctCellSelect = false, EditOnDblClickOnly = false,
         HotmailRowSelect = false, MoveRowOnNodeClick = false, NoAutoRangeScroll = false,
         NodeAllExpandContract = false, NoScrollOnPartialRow = false, NoScrollOnPartialCol = false,
         PreciseCheckBoxCheck = false, RangeSelectAndEdit = false, RowSelect = false, RowSelectPersistent = false,
         SelectOnRightClick = false, SelectOnRightClickNewSelectionOnly = false, SizeFixedCol = false,
         SizeFixedRow = false, ToggleNodeOnDblClick = false, TouchScroll = false;
    Integer PartialScrollDelta = 0, WheelIncrement = 0;
    TGridFixedCellEdit FixedRowsEdit = fceNone, FixedColsEdit = fceNone;
    TGridFixedCellEditor FixedRowsEditor = fceEdit, FixedColsEditor = fceEdit;
    TWheelAction WheelAction = waMoveSelection;
    TWheelActive WheelActive = waFocus;
};

class TMouseActions : public TPersistent {
    RTL_CLASS(TMouseActions)
public:
    explicit TMouseActions(TPersistent* AOwner);
    ~TMouseActions() override;
    // Copies every setting but SizeFixedRow, HotmailRowSelect,
    // EditOnDblClickOnly and FixedComboValues, as plain fields.
    void Assign(const TPersistent* Source) override;

    const TMouseActionsSettings& Settings() const { return F; }
    TMouseActionsSettings& PlainSettings() { return F; }

    TWheelAction WheelAction() const { return F.WheelAction; }
    void SetWheelAction(TWheelAction Value);
    bool HotmailRowSelect() const { return F.HotmailRowSelect; }
    void SetHotmailRowSelect(bool Value);
    bool EditOnDblClickOnly() const { return F.EditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value);
    // At design time the three disjunct selections exclude each other.
    bool DisjunctRowSelect() const { return F.DisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return F.DisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool DisjunctCellSelect() const { return F.DisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    bool CheckAllCheck() const { return F.CheckAllCheck; }
    TStrings* FixedComboValues() const { return FFixedComboValues.get(); }
    void SetFixedComboValues(const TStrings* Value);
    bool IsDesigning();

    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;
    TIsDesigningEvent OnIsDesigning;

private:
    TMouseActionsSettings F;
    std::unique_ptr<TStringList> FFixedComboValues;
};

class TSyncGrid : public TPersistent {
    RTL_CLASS(TSyncGrid)
public:
    explicit TSyncGrid(TStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TPersistent* Source) override;

    TStringGrid* Grid() const { return FGrid; }
    // The owner grid cannot follow itself.
    void SetGrid(TStringGrid* Value);

    GRIDOPTION_PLAIN(bool, ScrollVertical, false)
    GRIDOPTION_PLAIN(bool, ScrollHorizontal, false)
    GRIDOPTION_PLAIN(bool, SelectionColumn, false)
    GRIDOPTION_PLAIN(bool, SelectionRow, false)
    GRIDOPTION_PLAIN(bool, MoveColumn, false)
    GRIDOPTION_PLAIN(bool, MoveRow, false)

private:
    TStringGrid* FOwner;
    TStringGrid* FGrid = nullptr;
};

class TBands : public TPersistent {
    RTL_CLASS(TBands)
public:
    TBands() = default;
    void Assign(const TPersistent* Source) override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);
    Integer PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(Integer Value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    Integer SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(Integer Value);
    // The colour of a data row, counted from the first non-fixed row.
    TColor BandColor(Integer DataRow) const;

    TNotifyEvent OnChange;

    GRIDOPTION_PLAIN(bool, Print, false)

private:
    template <typename T>
    void StoreWhileActive(T& Field, T Value);

    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    Integer FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    Integer FSecondaryLength = 1;
};

class TFocusHelper : public TPersistent {
    RTL_CLASS(TFocusHelper)
public:
    explicit TFocusHelper(TPersistent*) {}
    void Assign(const TPersistent* Source) override;

    GRIDOPTION_PLAIN(bool, Enabled, false)
};

// The marker around the focused cell: a disabled top-most tool pop-up.
class TGridFocusWindow : public TCustomControl {
    RTL_CLASS(TGridFocusWindow)
public:
    explicit TGridFocusWindow(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
};

#undef GRIDOPTION_PLAIN
