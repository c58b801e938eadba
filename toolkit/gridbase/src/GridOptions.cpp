// The grid's option objects: defaults, setters with their side effects and
// Assign.

#include "gridbase/GridOptions.h"

#include "rtl/ClassBuilder.h"
#include "vcl/Grids.h"
#include "windowing/Window.h"

#define GRIDOPTION_CLASS_INFO(TSelf, TParent)                                                                 \
    const TClassInfo& TSelf::StaticClassInfo() {                                                              \
        static const TClassInfo Info = TClassBuilder<TSelf, TParent>().Build();                               \
        return Info;                                                                                          \
    }

GRIDOPTION_CLASS_INFO(TSearchFooter, TPersistent)
GRIDOPTION_CLASS_INFO(TNavigation, TPersistent)
GRIDOPTION_CLASS_INFO(TMouseActions, TPersistent)
GRIDOPTION_CLASS_INFO(TSyncGrid, TPersistent)
GRIDOPTION_CLASS_INFO(TBands, TPersistent)
GRIDOPTION_CLASS_INFO(TFocusHelper, TPersistent)
GRIDOPTION_CLASS_INFO(TGridFocusWindow, TCustomControl)

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
    FGrid = Value;
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
