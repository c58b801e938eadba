// The grid's option objects: defaults, setters with their side effects and
// Assign.

#include "gridbase/GridOptions.h"

#include "rtl/ClassBuilder.h"
#include "vcl/Grids.h"
#include "windowing/Window.h"

// Plain settings kept in a settings struct: read and written as fields,
// with the struct's initial value as the stream default.
#define NAVIGATION_PLAIN(Name)                                                                                \
    .Property(                                                                                                \
        u"" #Name, [](const TNavigation& O) { return O.Settings().Name; },                                    \
        [](TNavigation& O, decltype(TNavigationSettings::Name) V) { O.PlainSettings().Name = V; })             \
        .Default(TNavigationSettings{}.Name)
#define MOUSEACTIONS_PLAIN(Name)                                                                              \
    .Property(                                                                                                \
        u"" #Name, [](const TMouseActions& O) { return O.Settings().Name; },                                  \
        [](TMouseActions& O, decltype(TMouseActionsSettings::Name) V) { O.PlainSettings().Name = V; })         \
        .Default(TMouseActionsSettings{}.Name)

const TClassInfo& TSearchFooter::StaticClassInfo() {
    using S = TSearchFooter;
    static const TClassInfo Info =
        TClassBuilder<S, TPersistent>()
            .Property(u"AlwaysHighLight", &S::AlwaysHighLight, &S::SetAlwaysHighLight).Default(false)
            .Property(u"AutoSearch", &S::AutoSearch, &S::SetAutoSearch).Default(true)
            .Property(u"Color", TypeInfo_TColor(), &S::Color, &S::SetColor).Default(0xFFFFFF)
            .Property(u"ColorTo", TypeInfo_TColor(), &S::ColorTo, &S::SetColorTo).Default(clBtnFace)
            .Property(u"FindNextCaption", &S::FindNextCaption, &S::SetFindNextCaption)
            .Property(u"FindPrevCaption", &S::FindPrevCaption, &S::SetFindPrevCaption)
            .Property(u"Font", &S::Font, &S::SetFont)
            .Property(u"HighLight", &S::HighLight, &S::SetHighLight).Default(hMatchingText)
            .Property(u"HighLightCaption", &S::HighLightCaption, &S::SetHighLightCaption)
            .Property(u"HintClose", &S::HintClose, &S::SetHintClose)
            .Property(u"HintFindNext", &S::HintFindNext, &S::SetHintFindNext)
            .Property(u"HintFindPrev", &S::HintFindPrev, &S::SetHintFindPrev)
            .Property(u"HintHighlight", &S::HintHighlight, &S::SetHintHighlight)
            .Property(u"IgnoreAccents", &S::IgnoreAccents, &S::SetIgnoreAccents).Default(false)
            .Property(u"IgnoreHTML", &S::IgnoreHTML, &S::SetIgnoreHTML).Default(true)
            .Property(u"MatchCaseCaption", &S::MatchCaseCaption, &S::SetMatchCaseCaption)
            .Property(u"ResultFormat", &S::ResultFormat, &S::SetResultFormat)
            .Property(u"SearchActiveColumnOnly", &S::SearchActiveColumnOnly, &S::SetSearchActiveColumnOnly)
            .Default(false)
            .Property(u"SearchColor", TypeInfo_TColor(), &S::SearchColor, &S::SetSearchColor).Default(clWindow)
            .Property(u"SearchColumn", &S::SearchColumn, &S::SetSearchColumn).Default(-1)
            .Property(u"SearchDirection", &S::SearchDirection, &S::SetSearchDirection).Default(sdTopBottom)
            .Property(u"SearchErrorColor", TypeInfo_TColor(), &S::SearchErrorColor, &S::SetSearchErrorColor)
            .Default(0x0000FF)
            .Property(u"SearchErrorTextColor", TypeInfo_TColor(), &S::SearchErrorTextColor,
                      &S::SetSearchErrorTextColor)
            .Default(0xFFFFFF)
            .Property(u"SearchFixedCells", &S::SearchFixedCells, &S::SetSearchFixedCells).Default(false)
            .Property(u"SearchFromFocusCell", &S::SearchFromFocusCell, &S::SetSearchFromFocusCell).Default(false)
            .Property(u"SearchHiddenRows", &S::SearchHiddenRows, &S::SetSearchHiddenRows).Default(false)
            .Property(u"SearchMatchStart", &S::SearchMatchStart, &S::SetSearchMatchStart).Default(false)
            .Property(u"SearchTextColor", TypeInfo_TColor(), &S::SearchTextColor, &S::SetSearchTextColor)
            .Default(clWindowText)
            .Property(u"SearchType", &S::SearchType, &S::SetSearchType).Default(stSearch)
            .Property(u"ShowClose", &S::ShowClose, &S::SetShowClose).Default(true)
            .Property(u"ShowFindNext", &S::ShowFindNext, &S::SetShowFindNext).Default(true)
            .Property(u"ShowFindPrev", &S::ShowFindPrev, &S::SetShowFindPrev).Default(true)
            .Property(u"ShowHighLight", &S::ShowHighLight, &S::SetShowHighLight).Default(true)
            .Property(u"ShowMatchCase", &S::ShowMatchCase, &S::SetShowMatchCase).Default(true)
            .Property(u"ShowResults", &S::ShowResults, &S::SetShowResults).Default(false)
            .Property(u"Visible", &S::Visible, &S::SetVisible).Default(false)
            .Property(u"OnChange", &S::OnChange, [](S& O, TNotifyEvent E) { O.OnChange = std::move(E); })
            .Build();
    return Info;
}

const TClassInfo& TNavigation::StaticClassInfo() {
    using N = TNavigation;
    static const TClassInfo Info =
        TClassBuilder<N, TPersistent>()
            .Property(u"AdvanceAuto", &N::AdvanceAuto, &N::SetAdvanceAuto).Default(false)
            .Property(u"AdvanceDirection", &N::AdvanceDirection, &N::SetAdvanceDirection).Default(adLeftRight)
            .Property(u"AdvanceInsert", &N::AdvanceInsert, &N::SetAdvanceInsert).Default(false)
            .Property(u"AdvanceOnEnter", &N::AdvanceOnEnter, &N::SetAdvanceOnEnter).Default(false)
            .Property(u"AutoGotoWhenSorted", &N::AutoGotoWhenSorted, &N::SetAutoGotoWhenSorted).Default(false)
            NAVIGATION_PLAIN(AdvanceOnEnterLoop)
            NAVIGATION_PLAIN(AdvanceAutoEdit)
            NAVIGATION_PLAIN(AdvanceSkipReadOnlyCells)
            NAVIGATION_PLAIN(AutoComboSelect)
            NAVIGATION_PLAIN(AllowCtrlEnter)
            NAVIGATION_PLAIN(AllowClipboardRowGrow)
            NAVIGATION_PLAIN(AllowClipboardColGrow)
            NAVIGATION_PLAIN(EditSelectAll)
            NAVIGATION_PLAIN(ComboGetUpDown)
            NAVIGATION_PLAIN(CursorWalkAlwaysEdit)
            NAVIGATION_PLAIN(LeftRightRowSelect)
            NAVIGATION_PLAIN(CopyHTMLTagsToClipboard)
            NAVIGATION_PLAIN(SkipFixedCells)
            NAVIGATION_PLAIN(SkipDisabledRows)
            NAVIGATION_PLAIN(AllowInsertRow)
            NAVIGATION_PLAIN(AllowDeleteRow)
            NAVIGATION_PLAIN(AllowDeleteCells)
            NAVIGATION_PLAIN(AlwaysEdit)
            NAVIGATION_PLAIN(AutoGotoIncremental)
            NAVIGATION_PLAIN(AutoComboDropSize)
            NAVIGATION_PLAIN(AllowClipboardShortCuts)
            NAVIGATION_PLAIN(AllowSmartClipboard)
            NAVIGATION_PLAIN(AllowRTFClipboard)
            NAVIGATION_PLAIN(AllowFmtClipboard)
            NAVIGATION_PLAIN(AllowClipboardAlways)
            NAVIGATION_PLAIN(AllowEditButtonCells)
            NAVIGATION_PLAIN(AppendOnArrowDown)
            NAVIGATION_PLAIN(CursorWalkEditor)
            NAVIGATION_PLAIN(CursorMoveRows)
            NAVIGATION_PLAIN(MoveRowOnSort)
            NAVIGATION_PLAIN(KeepScrollOnSort)
            NAVIGATION_PLAIN(MoveRowOnScroll)
            NAVIGATION_PLAIN(MoveScrollOnly)
            NAVIGATION_PLAIN(ImproveMaskSel)
            NAVIGATION_PLAIN(KeepHorizScroll)
            NAVIGATION_PLAIN(LineFeedOnEnter)
            NAVIGATION_PLAIN(SkipReadOnly)
            NAVIGATION_PLAIN(TabToNextAtEnd)
            NAVIGATION_PLAIN(TabAdvanceDirection)
            NAVIGATION_PLAIN(InsertPosition)
            NAVIGATION_PLAIN(ClipboardCutAction)
            NAVIGATION_PLAIN(ClipboardPasteAction)
            NAVIGATION_PLAIN(CursorAdvance)
            NAVIGATION_PLAIN(HomeEndKey)
            NAVIGATION_PLAIN(ToggleTriStateCheck)
            .Build();
    return Info;
}

const TClassInfo& TMouseActions::StaticClassInfo() {
    using M = TMouseActions;
    static const TClassInfo Info =
        TClassBuilder<M, TPersistent>()
            .Property(u"DisjunctCellSelect", &M::DisjunctCellSelect, &M::SetDisjunctCellSelect).Default(false)
            .Property(u"DisjunctColSelect", &M::DisjunctColSelect, &M::SetDisjunctColSelect).Default(false)
            .Property(u"DisjunctRowSelect", &M::DisjunctRowSelect, &M::SetDisjunctRowSelect).Default(false)
            .Property(u"EditOnDblClickOnly", &M::EditOnDblClickOnly, &M::SetEditOnDblClickOnly).Default(false)
            .Property(u"FixedComboValues", &M::FixedComboValues, &M::SetFixedComboValues)
            .Property(u"HotmailRowSelect", &M::HotmailRowSelect, &M::SetHotmailRowSelect).Default(false)
            .Property(u"WheelAction", &M::WheelAction, &M::SetWheelAction).Default(waMoveSelection)
            MOUSEACTIONS_PLAIN(AllSelectAllFixedColumns)
            MOUSEACTIONS_PLAIN(AutoSizeColOnDblClick)
            MOUSEACTIONS_PLAIN(PreciseNodeClick)
            MOUSEACTIONS_PLAIN(AllColumnSize)
            MOUSEACTIONS_PLAIN(AllRowSize)
            MOUSEACTIONS_PLAIN(AllSelect)
            MOUSEACTIONS_PLAIN(AutoFocus)
            MOUSEACTIONS_PLAIN(CaretPositioning)
            MOUSEACTIONS_PLAIN(CheckAllCheck)
            MOUSEACTIONS_PLAIN(ColSelect)
            MOUSEACTIONS_PLAIN(DirectComboClose)
            MOUSEACTIONS_PLAIN(DirectComboDrop)
            MOUSEACTIONS_PLAIN(DirectDateClose)
            MOUSEACTIONS_PLAIN(DirectDateDrop)
            MOUSEACTIONS_PLAIN(DirectEdit)
            MOUSEACTIONS_PLAIN(DisjunctRowSelectDrag)
            MOUSEACTIONS_PLAIN(DisjunctRowSelectNoCtrl)
            MOUSEACTIONS_PLAIN(DisjunctColSelectNoCtrl)
            MOUSEACTIONS_PLAIN(MoveRowOnNodeClick)
            MOUSEACTIONS_PLAIN(NoAutoRangeScroll)
            MOUSEACTIONS_PLAIN(NodeAllExpandContract)
            MOUSEACTIONS_PLAIN(NoScrollOnPartialRow)
            MOUSEACTIONS_PLAIN(NoScrollOnPartialCol)
            MOUSEACTIONS_PLAIN(PreciseCheckBoxCheck)
            MOUSEACTIONS_PLAIN(RangeSelectAndEdit)
            MOUSEACTIONS_PLAIN(RowSelect)
            MOUSEACTIONS_PLAIN(RowSelectPersistent)
            MOUSEACTIONS_PLAIN(SelectOnRightClick)
            MOUSEACTIONS_PLAIN(SelectOnRightClickNewSelectionOnly)
            MOUSEACTIONS_PLAIN(SizeFixedCol)
            MOUSEACTIONS_PLAIN(SizeFixedRow)
            MOUSEACTIONS_PLAIN(ToggleNodeOnDblClick)
            MOUSEACTIONS_PLAIN(TouchScroll)
            MOUSEACTIONS_PLAIN(PartialScrollDelta)
            MOUSEACTIONS_PLAIN(WheelIncrement)
            MOUSEACTIONS_PLAIN(FixedRowsEdit)
            MOUSEACTIONS_PLAIN(FixedColsEdit)
            MOUSEACTIONS_PLAIN(FixedRowsEditor)
            MOUSEACTIONS_PLAIN(FixedColsEditor)
            MOUSEACTIONS_PLAIN(WheelActive)
            .Build();
    return Info;
}

#undef NAVIGATION_PLAIN
#undef MOUSEACTIONS_PLAIN

const TClassInfo& TSyncGrid::StaticClassInfo() {
    using G = TSyncGrid;
    static const TClassInfo Info = TClassBuilder<G, TPersistent>()
                                       .Property(u"Grid", &G::Grid, &G::SetGrid)
                                       .Property(u"MoveColumn", &G::MoveColumn, &G::SetMoveColumn)
                                       .Default(false)
                                       .Property(u"MoveRow", &G::MoveRow, &G::SetMoveRow)
                                       .Default(false)
                                       .Property(u"ScrollHorizontal", &G::ScrollHorizontal, &G::SetScrollHorizontal)
                                       .Default(false)
                                       .Property(u"ScrollVertical", &G::ScrollVertical, &G::SetScrollVertical)
                                       .Default(false)
                                       .Property(u"SelectionColumn", &G::SelectionColumn, &G::SetSelectionColumn)
                                       .Default(false)
                                       .Property(u"SelectionRow", &G::SelectionRow, &G::SetSelectionRow)
                                       .Default(false)
                                       .Build();
    return Info;
}

const TClassInfo& TBands::StaticClassInfo() {
    using B = TBands;
    static const TClassInfo Info =
        TClassBuilder<B, TPersistent>()
            .Property(u"Active", &B::Active, &B::SetActive).Default(false)
            .Property(u"PrimaryColor", TypeInfo_TColor(), &B::PrimaryColor, &B::SetPrimaryColor).Default(clInfoBk)
            .Property(u"PrimaryLength", &B::PrimaryLength, &B::SetPrimaryLength).Default(1)
            .Property(u"Print", &B::Print, &B::SetPrint).Default(false)
            .Property(u"SecondaryColor", TypeInfo_TColor(), &B::SecondaryColor, &B::SetSecondaryColor)
            .Default(clWindow)
            .Property(u"SecondaryLength", &B::SecondaryLength, &B::SetSecondaryLength).Default(1)
            .Property(u"OnChange", &B::OnChange, [](B& O, TNotifyEvent E) { O.OnChange = std::move(E); })
            .Build();
    return Info;
}

const TClassInfo& TFocusHelper::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFocusHelper, TPersistent>()
                                       .Property(u"Enabled", &TFocusHelper::Enabled, &TFocusHelper::SetEnabled)
                                       .Default(false)
                                       .Build();
    return Info;
}

const TClassInfo& TGridFocusWindow::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridFocusWindow, TCustomControl>().Build();
    return Info;
}

// ---- TSearchFooter ---------------------------------------------------------------------------------------

TSearchFooter::TSearchFooter(TPersistent*, bool InitDesign) : FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this](TObject*) { Changed(); };
    if (InitDesign) {
        FFindNextCaption = u"Find &next";
        FFindPrevCaption = u"Find &previous";
        FMatchCaseCaption = u"Match case";
        FHighLightCaption = u"Highlight";
        FHintClose = u"Close";
        FHintFindNext = u"Find next occurrence";
        FHintFindPrev = u"Find previous occurrence";
        FHintHighlight = u"Highlight occurrences";
    }
}

TSearchFooter::~TSearchFooter() {
    FFont->OnChange = nullptr;
}

void TSearchFooter::Changed() {
    if (OnChange) OnChange(this);
}

template <typename T>
void TSearchFooter::StoreAndNotify(T& Field, const T& Value, bool OnlyOnChange) {
    if (OnlyOnChange && Field == Value) return;
    Field = Value;
    Changed();
}

void TSearchFooter::SetVisible(bool Value) {
    StoreAndNotify(FVisible, Value, true);
}
void TSearchFooter::SetAutoSearch(bool Value) {
    FAutoSearch = Value;
    FLastSearch.clear();
}
void TSearchFooter::SetColor(TColor Value) {
    StoreAndNotify(FColor, Value, false);
}
void TSearchFooter::SetColorTo(TColor Value) {
    StoreAndNotify(FColorTo, Value, false);
}
void TSearchFooter::SetFont(const TFont* Value) {
    FFont->Assign(Value);
    Changed();
}
void TSearchFooter::SetFindNextCaption(const String& Value) {
    StoreAndNotify(FFindNextCaption, Value, false);
}
void TSearchFooter::SetFindPrevCaption(const String& Value) {
    StoreAndNotify(FFindPrevCaption, Value, false);
}
void TSearchFooter::SetMatchCaseCaption(const String& Value) {
    StoreAndNotify(FMatchCaseCaption, Value, false);
}
void TSearchFooter::SetHighLightCaption(const String& Value) {
    StoreAndNotify(FHighLightCaption, Value, false);
}
void TSearchFooter::SetHintClose(const String& Value) {
    StoreAndNotify(FHintClose, Value, false);
}
void TSearchFooter::SetHintFindNext(const String& Value) {
    StoreAndNotify(FHintFindNext, Value, false);
}
void TSearchFooter::SetHintFindPrev(const String& Value) {
    StoreAndNotify(FHintFindPrev, Value, false);
}
void TSearchFooter::SetHintHighlight(const String& Value) {
    StoreAndNotify(FHintHighlight, Value, false);
}
void TSearchFooter::SetShowClose(bool Value) {
    StoreAndNotify(FShowClose, Value, false);
}
void TSearchFooter::SetShowFindNext(bool Value) {
    StoreAndNotify(FShowFindNext, Value, true);
}
void TSearchFooter::SetShowFindPrev(bool Value) {
    StoreAndNotify(FShowFindPrev, Value, true);
}
void TSearchFooter::SetShowHighLight(bool Value) {
    StoreAndNotify(FShowHighLight, Value, true);
}
void TSearchFooter::SetShowMatchCase(bool Value) {
    StoreAndNotify(FShowMatchCase, Value, true);
}
void TSearchFooter::SetShowResults(bool Value) {
    StoreAndNotify(FShowResults, Value, true);
}
void TSearchFooter::SetSearchType(TSearchType Value) {
    StoreAndNotify(FSearchType, Value, true);
}
void TSearchFooter::SetSearchColor(TColor Value) {
    StoreAndNotify(FSearchColor, Value, true);
}
void TSearchFooter::SetSearchTextColor(TColor Value) {
    StoreAndNotify(FSearchTextColor, Value, true);
}
void TSearchFooter::SetAutoThemeAdapt(bool Value) {
    StoreAndNotify(FAutoThemeAdapt, Value, false);
}

void TSearchFooter::Assign(const TPersistent* Source) {
    const auto* S = dynamic_cast<const TSearchFooter*>(Source);
    if (!S) return;
    const bool AutoSearch = FAutoSearch, SearchFixedCells = FSearchFixedCells, AutoThemeAdapt = FAutoThemeAdapt;
    const TNotifyEvent Event = OnChange;
    const String LastSearch = FLastSearch;
    OnChange = nullptr;
    FVisible = S->FVisible;
    FAlwaysHighLight = S->FAlwaysHighLight;
    FColor = S->FColor;
    FColorTo = S->FColorTo;
    FFont->Assign(S->FFont.get());
    FFindNextCaption = S->FFindNextCaption;
    FFindPrevCaption = S->FFindPrevCaption;
    FMatchCaseCaption = S->FMatchCaseCaption;
    FHighLightCaption = S->FHighLightCaption;
    FHintClose = S->FHintClose;
    FHintFindNext = S->FHintFindNext;
    FHintFindPrev = S->FHintFindPrev;
    FHintHighlight = S->FHintHighlight;
    FShowClose = S->FShowClose;
    FShowFindNext = S->FShowFindNext;
    FShowFindPrev = S->FShowFindPrev;
    FShowHighLight = S->FShowHighLight;
    FShowMatchCase = S->FShowMatchCase;
    FShowResults = S->FShowResults;
    FResultFormat = S->FResultFormat;
    FSearchColumn = S->FSearchColumn;
    FSearchActiveColumnOnly = S->FSearchActiveColumnOnly;
    FSearchMatchStart = S->FSearchMatchStart;
    FSearchHiddenRows = S->FSearchHiddenRows;
    FSearchFromFocusCell = S->FSearchFromFocusCell;
    FSearchType = S->FSearchType;
    FSearchDirection = S->FSearchDirection;
    FHighLight = S->FHighLight;
    FIgnoreHTML = S->FIgnoreHTML;
    FIgnoreAccents = S->FIgnoreAccents;
    FSearchColor = S->FSearchColor;
    FSearchTextColor = S->FSearchTextColor;
    FSearchErrorColor = S->FSearchErrorColor;
    FSearchErrorTextColor = S->FSearchErrorTextColor;
    FAutoSearch = AutoSearch;
    FSearchFixedCells = SearchFixedCells;
    FAutoThemeAdapt = AutoThemeAdapt;
    FLastSearch = LastSearch;
    OnChange = Event;
}

// ---- TNavigation -----------------------------------------------------------------------------------------

void TNavigation::Assign(const TPersistent* Source) {
    const auto* S = dynamic_cast<const TNavigation*>(Source);
    if (!S) return;
    const bool KeepScrollOnSort = F.KeepScrollOnSort;
    F = S->F;
    F.KeepScrollOnSort = KeepScrollOnSort;
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value) {
    if (F.AdvanceDirection == Value) return;
    F.AdvanceDirection = Value;
    if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool Value) {
    if (F.AdvanceInsert == Value) return;
    F.AdvanceInsert = Value;
    if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool Value) {
    if (F.AdvanceAuto == Value) return;
    F.AdvanceAuto = Value;
    if (Value) F.AdvanceOnEnter = true;
}

// ---- TMouseActions ---------------------------------------------------------------------------------------

TMouseActions::TMouseActions(TPersistent*) : FFixedComboValues(std::make_unique<TStringList>()) {}

TMouseActions::~TMouseActions() = default;

void TMouseActions::Assign(const TPersistent* Source) {
    const auto* S = dynamic_cast<const TMouseActions*>(Source);
    if (!S) return;
    const TMouseActionsSettings Kept = F;
    F = S->F;
    F.SizeFixedRow = Kept.SizeFixedRow;
    F.HotmailRowSelect = Kept.HotmailRowSelect;
    F.EditOnDblClickOnly = Kept.EditOnDblClickOnly;
}

void TMouseActions::SetWheelAction(TWheelAction Value) {
    if (F.WheelAction == Value) return;
    F.WheelAction = Value;
    if (OnChange) OnChange(this);
}

void TMouseActions::SetHotmailRowSelect(bool Value) {
    F.HotmailRowSelect = Value;
    if (Value) {
        F.DisjunctRowSelect = true;
        F.CheckAllCheck = true;
    }
    if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value) {
    F.EditOnDblClickOnly = Value;
    if (Value && OnDisableEdit) OnDisableEdit(this);
}

bool TMouseActions::IsDesigning() {
    bool Designing = false;
    if (OnIsDesigning) OnIsDesigning(this, Designing);
    return Designing;
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
    F.DisjunctRowSelect = Value;
    if (Value && IsDesigning()) F.DisjunctColSelect = F.DisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
    F.DisjunctColSelect = Value;
    if (Value && IsDesigning()) F.DisjunctRowSelect = F.DisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
    F.DisjunctCellSelect = Value;
    if (Value && IsDesigning()) F.DisjunctRowSelect = F.DisjunctColSelect = false;
}

void TMouseActions::SetFixedComboValues(const TStrings* Value) {
    FFixedComboValues->Assign(Value);
}

// ---- TSyncGrid, TBands, TFocusHelper ---------------------------------------------------------------------

void TSyncGrid::SetGrid(TStringGrid* Value) {
    if (Value && Value == FOwner) return;
    if (FGrid == Value) return;
    // The owner hears of the followed grid's removal and clears the link.
    if (FGrid && FOwner) FGrid->RemoveFreeNotification(FOwner);
    FGrid = Value;
    if (FGrid && FOwner) FGrid->FreeNotification(FOwner);
}

void TSyncGrid::Assign(const TPersistent* Source) {
    const auto* S = dynamic_cast<const TSyncGrid*>(Source);
    if (!S) return;
    SetGrid(S->FGrid);
    FScrollVertical = S->FScrollVertical;
    FScrollHorizontal = S->FScrollHorizontal;
    FSelectionColumn = S->FSelectionColumn;
    FSelectionRow = S->FSelectionRow;
    FMoveColumn = S->FMoveColumn;
    FMoveRow = S->FMoveRow;
}

void TBands::SetActive(bool Value) {
    if (FActive == Value) return;
    FActive = Value;
    if (OnChange) OnChange(this);
}

template <typename T>
void TBands::StoreWhileActive(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (FActive && OnChange) OnChange(this);
}

void TBands::SetPrimaryColor(TColor Value) {
    StoreWhileActive(FPrimaryColor, Value);
}
void TBands::SetPrimaryLength(Integer Value) {
    StoreWhileActive(FPrimaryLength, Value);
}
void TBands::SetSecondaryColor(TColor Value) {
    StoreWhileActive(FSecondaryColor, Value);
}
void TBands::SetSecondaryLength(Integer Value) {
    StoreWhileActive(FSecondaryLength, Value);
}

TColor TBands::BandColor(Integer DataRow) const {
    const Integer Period = FPrimaryLength + FSecondaryLength;
    if (Period <= 0) return FPrimaryColor;
    const Integer Phase = ((DataRow % Period) + Period) % Period;
    return Phase < FPrimaryLength ? FPrimaryColor : FSecondaryColor;
}

void TBands::Assign(const TPersistent* Source) {
    const auto* S = dynamic_cast<const TBands*>(Source);
    if (!S) return;
    FActive = S->FActive;
    FPrimaryColor = S->FPrimaryColor;
    FPrimaryLength = S->FPrimaryLength;
    FSecondaryColor = S->FSecondaryColor;
    FSecondaryLength = S->FSecondaryLength;
    FPrint = S->FPrint;
}

void TFocusHelper::Assign(const TPersistent* Source) {
    if (const auto* S = dynamic_cast<const TFocusHelper*>(Source)) FEnabled = S->FEnabled;
}

// ---- TGridFocusWindow ------------------------------------------------------------------------------------

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), 0, 0);
    SetColor(0x0000FF);
}

void TGridFocusWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = winapi::WS_POPUP | winapi::WS_DISABLED;
    Params.ExStyle |= winapi::WS_EX_TOOLWINDOW | winapi::WS_EX_TOPMOST;
}
