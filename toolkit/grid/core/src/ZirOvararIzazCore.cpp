// The string grid's life: construction with its owned objects, window
// creation, loading, copying, resizing and destruction.

#include "grid/ZirOvararIzazCore.h"
#include "grid/SearchPanel.h"

#include "grid/GridUnit.h"
#include "gridbase/CellCheck.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Format.h"
#include "rtl/Stream.h"
#include "windowing/ScrollBar.h"
#include "windowing/SystemMetrics.h"
#include "windowing/Timers.h"
#include "windowing/Window.h"

using namespace winapi;

const TClassInfo& TZirOvararIzazCore::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TZirOvararIzazCore, TBaseGrid>().Build();
    return Info;
}

const TClassInfo& TGridChangeNotifier::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridChangeNotifier, TComponent>().Build();
    return Info;
}

namespace {

// The filter-edit glyphs, in the order of the filter types they stand for.
const char16_t* const FilterGlyphNames[] = {u"BKELGRDSTARTSWITH", u"BKELGRDENDSWITH",   u"BKELGRDCONTAINS",
                                            u"BKELGRDNOTCONTAINS", u"BKELGRDEQUAL",     u"BKELGRDNOTEQUAL",
                                            u"BKELGRDLARGER",     u"BKELGRDSMALLER",    u"BKELGRDCLEAR"};

} // namespace

TZirOvararIzazCore::TZirOvararIzazCore(TComponent* AOwner) : TBaseGrid(AOwner) {
    GridModuleStartUp();
    SetDrawingStyle(gdsClassic);
    CreateOwnedObjects();
}

void TZirOvararIzazCore::CreateOwnedObjects() {
    // Settings objects and lists; the order follows their dependencies only.
    FAutoColor = std::make_unique<TAutoColor>();
    FCellFont = std::make_unique<TFont>();
    FFocusHelper = std::make_unique<TFocusHelper>(this);
    FSearchFooter = std::make_unique<TSearchFooter>(this, false);
    FSearchFooter->OnChange = [this](TObject* Sender) { ApplySearchFooterSettings(Sender); };
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(this);
    FSortSettings->OnHeaderRow = [this] { return FixedRows() > 0 ? FixedRows() - 1 : -1; };
    FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FControlLook = std::make_unique<TControlLook>(this);
    FNavigation = std::make_unique<TNavigation>();
    FNavigation->OnChange = [this](TObject* Sender) { NavigationChanged(Sender); };
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FBands = std::make_unique<TBands>();
    FBands->OnChange = [this](TObject*) { Invalidate(); };
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>(this);
    FMouseActions->OnChange = [this](TObject* Sender) { MouseActionsChanged(Sender); };
    FMouseActions->OnIsDesigning = [this](TObject* Sender, bool& IsDesigning) { GetDesigning(Sender, IsDesigning); };
    FMouseActions->OnInvalidate = [this](TObject* Sender) { RefreshGrid(Sender); };
    FGrouping = std::make_unique<TGrouping>(this);
    FColumnHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject* Sender) {
        ColumnHeadersChanged(Sender);
        ShowColumnHeaders();
    };
    FCachedRowHeights = std::make_unique<TIntList>(0, 0);
    FPictureCache = std::make_unique<THTMLPictureCache>();
    FSuppressColSizes = std::make_unique<TIntList>(0, 0);
    FSuppressRowSizes = std::make_unique<TIntList>(0, 0);
    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName(u"Tahoma");
    FFixedFont->SetStyle(TFontStyles{fsBold});
    FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
    FActiveCellFont = std::make_unique<TFont>();
    FActiveCellFont->SetStyle(TFontStyles{fsBold});
    FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
    FRowHeaders = std::make_unique<TStringList>();
    FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
    FSortList = std::make_unique<TStringList>();
    FLookupItems = std::make_unique<TStringList>();
    FSortIndexes = std::make_unique<TSortIndexList>();
    FRowCheckBox = std::make_unique<TCellGraphic>();
    FSortRowXRef = std::make_unique<TIntList>(0, 0);
    FUnSortRowXRef = std::make_unique<TIntList>(0, 0);
    FMergedColumns = std::make_unique<TIntList>(0, 0);
    FMergedColumns->SetOnChange([this](TObject*, Integer, Integer) {
        SplitMergedColumns();
        RemergeColumns();
    });
    FSelectedCells = std::make_unique<TCellSelection>();
    FSelectedRows = std::make_unique<TIntList>(0, 0);
    FModifiedRows = std::make_unique<TIntList>(0, 0);
    FEnabledRows = std::make_unique<TIntList>(0, 0);
    FRowIndicator = std::make_unique<TBitmap>();
    FBackGround = std::make_unique<TBackGround>(this);
    FControlList = std::make_unique<TKelControlList>();
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FSyncGrid = std::make_unique<TSyncGrid>(this);
    FBalloon = std::make_unique<TBalloonSettings>();
    FShowModified = std::make_unique<TShowModified>();
    FShowModified->OnChange = [this](TObject*) { RepaintColumn0(); };
    FColumnOrder = std::make_unique<TIntList>(0, 0);
    FOfficeHint = std::make_unique<TKelHintInfo>();
    FIgnoreColumns = std::make_unique<TIntList>(0, 0);
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
    FFilterList = std::make_unique<TStringList>();
    FFilterList->SetSorted(true);
    FFilterList->SetDuplicates(dupIgnore);
    FFilterEdit = std::make_unique<TFilterEdit>(this);
    FHoverButtons = std::make_unique<THoverButtons>(this);
    LoadFilterGlyphs();
}

void TZirOvararIzazCore::LoadFilterGlyphs() {
    auto Glyphs = std::make_unique<TImageList>(nullptr);
    for (const char16_t* Name : FilterGlyphNames) {
        const TResourceEntry* Entry = GridResourceInstance() ? GridResourceInstance()->Find(Name) : nullptr;
        if (!Entry) throw EResNotFound(Format(u"Resource %s not found", {String(Name)}));
        TBitmap Glyph;
        TBytesStream Data(TBytes(Entry->Data.begin(), Entry->Data.end()));
        Glyph.LoadFromStream(&Data);
        Glyphs->AddMasked(&Glyph, 0xFFFFFF);
    }
    FFilterGlyphs = std::move(Glyphs);
}

void TZirOvararIzazCore::AfterConstruction() {
    TBaseGrid::AfterConstruction();
    // The bottom panel stays out of sight (no height, no border) until the
    // floating footer shows something in it.
    FFooterPanel = CreateFooterPanel();
    if (FFooterPanel) {
        FFooterPanel->SetBorderWidth(0);
        FFooterPanel->SetAlign(alBottom);
        FFooterPanel->SetHeight(0);
        FFooterPanel->SetParent(this);
    }
    CreateSearchPanel();
    CreateFilterDropLists();
    SetRowCount(10);
    TBaseGrid::SetBounds(Left(), Top(), 400, 250);
    FHiddenRows = std::make_unique<TOwnedCollection>(this, TGridItem::StaticClassInfo());
    FFilter = std::make_unique<TFilter>(this);
    FVisibleCol.assign(ColCount(), true);
    FAllColWidths.assign(ColCount(), 0);
    WriteDefaultRowHeight(22);
    SetFixedRowHeight(DefaultRowHeight());
    FDOVGradientTo = ColorToRGB(clBtnFace);
    FIsComCtl6 = (GetFileVersionMS(u"comctl32.dll") >> 16) > 5;
    FBorderColor = FIsWinXP ? 0xB99D7F : 0x808080;
    FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    FRememberedLeftCol = LeftCol();
    FRememberedTopRow = TopRow();
    SetLinkCursor(crHandPoint);
    FMinFixedRows = TBaseGrid::FixedRows();
    FMinFixedCols = TBaseGrid::FixedCols();
}

void TZirOvararIzazCore::BeforeDestruction() {
    // The theme notifier must not send to a window that is gone.
    ThemeNotifierRegistration(false);
    // Hidden columns and rows come back first, so that the records parked
    // with hidden rows are in their cells and go with them.
    if (FHiddenRows) {
        UnHideColumnsAll();
        UnHideRowsAll();
    }
    IncludeComponentState(TComponentState{csDestroying});
    if (ActiveFocusGrid() == this) SetActiveFocusGrid(nullptr);
    if (FColumnSize && FColumnSize->Save()) {
        // Storing the widths is the view layer's (SaveColSizes).
    }
    // Show hidden rows and columns again (their layer), then clear every cell
    // so that the cell properties and objects are freed.
    Integer Rows = RowCount(), Cols = ColCount();
    if (FHiddenRows && FHiddenRows->Count() == 0 && FNodeCount == 0) {
        Rows = std::max(Rows, FMaxRowCount);
        Cols = std::max(Cols, FMaxColCount);
    }
    if (Rows > 0 && Cols > 0 && HasCellProps()) {
        if (Rows != RowCount()) TBaseGrid::SetRowCount(Rows);
        if (Cols != ColCount()) TBaseGrid::SetColCount(Cols);
        ClearRect(0, 0, ColCount() - 1, RowCount() - 1);
    }
    if (FGridTimerID && HandleAllocated()) KillTimer(Handle(), GridTimerID);
    FGridTimerID = 0;
    TBaseGrid::BeforeDestruction();
}

TZirOvararIzazCore::~TZirOvararIzazCore() {
    if (ActiveFocusGrid() == this) SetActiveFocusGrid(nullptr);
    if (FSortIndexes) FSortIndexes->SetOnChange(nullptr);
    if (FMergedColumns) FMergedColumns->SetOnChange(nullptr);
}

void TZirOvararIzazCore::Notification(TComponent* AComponent, TOperation Operation) {
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    auto Found = std::find(FNotifiers.begin(), FNotifiers.end(), AComponent);
    if (Found != FNotifiers.end()) FNotifiers.erase(Found);
    // Cells keep no reference of their own to these: forgetting the list or
    // container is enough.
    if (AComponent == FGridImages) FGridImages = nullptr;
    if (FCellChecker && AComponent == static_cast<TComponent*>(FCellChecker)) FCellChecker = nullptr;
    if (AComponent == FPictureContainer) FPictureContainer = nullptr;
}

void TZirOvararIzazCore::RegisterNotifier(TGridChangeNotifier* Item) {
    if (!Item || std::find(FNotifiers.begin(), FNotifiers.end(), Item) != FNotifiers.end()) return;
    FNotifiers.push_back(Item);
    Item->FreeNotification(this);
}

void TZirOvararIzazCore::UnRegisterNotifier(TGridChangeNotifier* Item) {
    auto Found = std::find(FNotifiers.begin(), FNotifiers.end(), Item);
    if (Found == FNotifiers.end()) return;
    FNotifiers.erase(Found);
    Item->RemoveFreeNotification(this);
}

void TZirOvararIzazCore::CreateHandle() {
    TBaseGrid::CreateHandle();
    if (FDragDropSettings->OleDropTarget()) RegisterDropTarget();
}

void TZirOvararIzazCore::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
    TBaseGrid::GetChildren(
        [&](TComponent* Child) {
            if (Child->Owner() != this) Proc(Child);
        },
        Root);
}

void TZirOvararIzazCore::CreateWnd() {
    if (ComponentState().Contains(csDestroying)) return;
    TBaseGrid::CreateWnd();
    if (Parent()) FDPIScale = Single(GetDpiForWindow(Handle())) / 96.0f;
    if (FDPIScale <= 0) FDPIScale = 1.0f;
    ParentSearchPanel();
    FGridTimerID = Integer(SetTimer(Handle(), GridTimerID, 500, nullptr));
    if (FScrollType == ssMetro) CreateScrollControls();
    InitWheelScroll(true);
}

void TZirOvararIzazCore::Loaded() {
    TBaseGrid::Loaded();
    if (FLook == glDOV) {
        // The preset is applied by the view layer's Look setter.
        FLook = glCustom;
        FLook = glDOV;
    }
    if (FAutoSize) AutoSizeColumns(false, 4);
    FMinFixedRows = TBaseGrid::FixedRows();
    FMinFixedCols = TBaseGrid::FixedCols();
    FMinRowHeight = DefaultRowHeight();
    FMinColWidth = 10;
    FRememberedLeftCol = TBaseGrid::FixedCols();
    FMaxColCount = ColCount();
    ShowColumnHeaders();
    ShowRowHeaders();
    FMaxRowCount = RowCount();
    FLoadedFlag = true;
    TGridOptions Opts = Options();
    if (Opts.Contains(goAlwaysShowEditor)) {
        FNavigation->PlainSettings().AlwaysEdit = true;
        Opts.Exclude(goAlwaysShowEditor);
        SetOptions(Opts);
    }
    if (FControlLook->ControlStyle() == ZirOvararIzaz::csTheme) FControlLook->SetControlStyle(ZirOvararIzaz::csClassic);
    FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
    ApplySearchFooterSettings(this);
    ApplyScrollBarAlways(false);
    if (FAutoThemeAdapt && !IsDesigning()) {
        AdaptToOfficeTheme();
        if (Parent() || HandleAllocated()) ThemeNotifierRegistration(true);
    }
    FDisjunctSelection = MakeGridRect(-1, -1, -1, -1);
    InitOrigColSizes();
    if (FSearchFooter->Visible() && HandleAllocated() && FSearchPanel) FSearchPanel->SetVisible(true);
}

void TZirOvararIzazCore::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TZirOvararIzazCore*>(Source);
    if (!Other) return;
    Font()->Assign(Other->Font());
    FActiveCellColor = Other->FActiveCellColor;
    FActiveCellColorTo = Other->FActiveCellColorTo;
    FActiveCellFont->Assign(Other->FActiveCellFont.get());
    FActiveCellShow = Other->FActiveCellShow;
    SetActiveRowShow(Other->ActiveRowShow());
    FFilterDropDown->Assign(Other->FFilterDropDown.get());
    FAnchorHint = Other->FAnchorHint;
    FAutoSize = Other->FAutoSize;
    FAutoColor->Assign(Other->FAutoColor.get());
    FMouseActions->Assign(Other->FMouseActions.get());
    FNavigation->Assign(Other->FNavigation.get());
    FGrouping->Assign(Other->FGrouping.get());
    FSearchFooter->Assign(Other->FSearchFooter.get());
    FPrintSettings->Assign(Other->FPrintSettings.get());
    FFilter->Assign(Other->FFilter.get());
    FHTMLSettings->Assign(Other->FHTMLSettings.get());
    FBands->Assign(Other->FBands.get());
    FBackGround->Assign(Other->FBackGround.get());
    FCellNode->Assign(Other->FCellNode.get());
    FSortSettings->Assign(Other->FSortSettings.get());
    FDragScrollOptions->Assign(Other->FDragScrollOptions.get());
    FDragDropSettings->Assign(Other->FDragDropSettings.get());
    FProgressAppearance->Assign(Other->FProgressAppearance.get());
    FColumnSize->Assign(Other->FColumnSize.get());
    FSyncGrid->Assign(Other->FSyncGrid.get());
    FFocusHelper->Assign(Other->FFocusHelper.get());
    FFilterEdit->Assign(Other->FFilterEdit.get());
    FHoverButtons->Assign(Other->FHoverButtons.get());
    FShowModified->Assign(Other->FShowModified.get());
    FControlLook->Assign(Other->FControlLook.get());
    FBalloon->Assign(Other->FBalloon.get());
    FOfficeHint->Assign(Other->FOfficeHint.get());
    FFixedRowAlways = Other->FFixedRowAlways;
    SetColCount(Other->ColCount());
    SetRowCount(Other->RowCount());
    SetFixedRows(Other->FixedRows());
    SetFixedCols(Other->FixedCols());
    SetDefaultColWidth(Other->DefaultColWidth());
    SetDefaultRowHeight(Other->DefaultRowHeight());
    SetFixedRowHeight(Other->FixedRowHeight());
    SetFixedColWidth(Other->FixedColWidth());
    FInvalidEntryTitle = Other->FInvalidEntryTitle;
    FInvalidEntryIcon = Other->FInvalidEntryIcon;
    FInvalidEntryText = Other->FInvalidEntryText;
    SetOptions(Other->Options());
    for (Integer i = 0; i < ColCount(); ++i) SetColWidths(i, Other->ColWidths(i));
    FColumnHeaders->Assign(Other->FColumnHeaders.get());
    for (Integer i = 0; i < RowCount(); ++i) SetRowHeights(i, Other->RowHeights(i));
    FScrollProportional = Other->FScrollProportional;
    FScrollSynch = Other->FScrollSynch;
    FScrollWidth = Other->FScrollWidth;
    FScrollHints = Other->FScrollHints;
    FScrollBarAlways = Other->FScrollBarAlways;
    SetScrollBars(Other->ScrollBars());
    FScrollColor = Other->FScrollColor;
    FScrollType = Other->FScrollType;
    FLook = Other->FLook;
    SetBorderColor(Other->FBorderColor);
    FSelectionColor = Other->FSelectionColor;
    FSelectionColorTo = Other->FSelectionColorTo;
    FSelectionMirrorColor = Other->FSelectionMirrorColor;
    FSelectionMirrorColorTo = Other->FSelectionMirrorColorTo;
    FSelectionTextColor = Other->FSelectionTextColor;
    FSelectionRTFKeep = Other->FSelectionRTFKeep;
    FSelectionResizer = Other->FSelectionResizer;
    FAutoFilterUpdate = Other->FAutoFilterUpdate;
    FAutoHideSelection = Other->FAutoHideSelection;
    FAutoNumAlign = Other->FAutoNumAlign;
    FAutoThemeAdapt = Other->FAutoThemeAdapt;
    FDefaultEditor = Other->FDefaultEditor;
    FDisabledFontColor = Other->FDisabledFontColor;
    FEditWithTags = Other->FEditWithTags;
    FEnableHTML = Other->FEnableHTML;
    FEnableBlink = Other->FEnableBlink;
    FEnhRowColMove = Other->FEnhRowColMove;
    FEnhTextSize = Other->FEnhTextSize;
    FExcelStyleDecimalSeparator = Other->FExcelStyleDecimalSeparator;
    FFilterDropDownAuto = Other->FFilterDropDownAuto;
    FFilterDropDownCheck = Other->FFilterDropDownCheck;
    FFilterDropDownCheckUnCheckAll = Other->FFilterDropDownCheckUnCheckAll;
    FFilterDropDownClear = Other->FFilterDropDownClear;
    FFilterDropDownColumns = Other->FFilterDropDownColumns;
    FFilterDropDownMultiCol = Other->FFilterDropDownMultiCol;
    FFilterDropDownRow = Other->FFilterDropDownRow;
    FFixedAsButtons = Other->FFixedAsButtons;
    FFixedFooters = Other->FFixedFooters;
    FFixedRightCols = Other->FFixedRightCols;
    SetGridLineColor(Other->GridLineColor());
    SetGridLineWidth(Other->GridLineWidth());
    FHighlightColor = Other->FHighlightColor;
    FHighlightTextColor = Other->FHighlightTextColor;
    FHintColor = Other->FHintColor;
    FHintShowCells = Other->FHintShowCells;
    FHintShowLargeText = Other->FHintShowLargeText;
    FHintShowLargeTextPos = Other->FHintShowLargeTextPos;
    FHovering = Other->FHovering;
    SetHoverRow(Other->HoverRow());
    SetHoverRowColor(Other->HoverRowColor());
    SetHoverRowColorTo(Other->HoverRowColorTo());
    FIntelliZoom = Other->FIntelliZoom;
    FIntelliPan = Other->FIntelliPan;
    FIntegralHeight = Other->FIntegralHeight;
    FHTMLHint = Other->FHTMLHint;
    FHTMLKeepLineBreak = Other->FHTMLKeepLineBreak;
    FLookupHistory = Other->FLookupHistory;
    FLookup = Other->FLookup;
    FLookupItems->Assign(Other->FLookupItems.get());
    FLookupCaseSensitive = Other->FLookupCaseSensitive;
    FMaxComboLength = Other->FMaxComboLength;
    FMaxEditLength = Other->FMaxEditLength;
    FMultilinecells = Other->FMultilinecells;
    AssignCells(Source);
}

void TZirOvararIzazCore::AssignCells(const TPersistent* Source) {
    auto* Other = const_cast<TZirOvararIzazCore*>(dynamic_cast<const TZirOvararIzazCore*>(Source));
    if (!Other) return;
    TMemoryStream Stream;
    Other->SaveToStream(&Stream);
    Stream.SetPosition(0);
    LoadFromStream(&Stream);
}

void TZirOvararIzazCore::Invalidate() {
    if (FEditorChangeMarker) {
        FEditorChangeMarker = false;
        return;
    }
    TBaseGrid::Invalidate();
    if (FFloatingFooter && FFloatingFooter->Visible() && !IsLoading()) RepaintFooterPanel();
}

void TZirOvararIzazCore::Resize() {
    TBaseGrid::Resize();
    if ((FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert) &&
        ValueIsColor(FBackGround->ColorTo()))
        Invalidate();
    ApplyScrollBarAlways(false);
    CellControlsUpdate(false);
    InitWheelScroll(false);
    ApplySearchFooterSettings(this);
}

bool TZirOvararIzazCore::ScrollBarFits(bool Vertical) const {
    return Vertical ? VisibleRowCount() + TBaseGrid::FixedRows() >= RowCount()
                    : VisibleColCount() + TBaseGrid::FixedCols() >= ColCount();
}

bool TZirOvararIzazCore::KeepScrollBarVisible(bool Vertical) const {
    return Vertical ? FScrollBarAlways == saVert || FScrollBarAlways == saBoth
                    : FScrollBarAlways == saHorz || FScrollBarAlways == saBoth;
}

void TZirOvararIzazCore::ApplyScrollBarAlways(bool HideUnneeded) {
    // Showing a bar resizes the client, which comes back here.
    if (!HandleAllocated() || FApplyingScrollBars) return;
    FApplyingScrollBars = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } Reset{FApplyingScrollBars};
    HWND Wnd = Handle();
    const bool RowsFit = ScrollBarFits(true);
    const bool ColsFit = ScrollBarFits(false);
    const TScrollStyle Bars = ScrollBars();
    if (FScrollBarAlways != saNone) {
        if (RowsFit && (Bars == ssVertical || Bars == ssBoth))
            ShowScrollBar(Wnd, SB_VERT, FScrollBarAlways == saVert || FScrollBarAlways == saBoth);
        if (ColsFit && (Bars == ssHorizontal || Bars == ssBoth))
            ShowScrollBar(Wnd, SB_HORZ, FScrollBarAlways == saHorz || FScrollBarAlways == saBoth);
        EnableScrollBar(Wnd, SB_VERT, RowsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
        EnableScrollBar(Wnd, SB_HORZ, ColsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    } else if (HideUnneeded) {
        if (RowsFit) ShowScrollBar(Wnd, SB_VERT, false);
        if (ColsFit) ShowScrollBar(Wnd, SB_HORZ, false);
    }
}

void TZirOvararIzazCore::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const Integer S =
            VisibleColCount() + TBaseGrid::FixedCols() < ColCount() ? GetSystemMetrics(SM_CYHSCROLL) : 0;
        const Integer B = BorderStyle() == bsSingle ? 2 : 0;
        const Integer Body = AHeight - S - B;
        AHeight = Body - Body % DefaultRowHeight() + S + 2 * B;
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Parent() && Parent()->HandleAllocated()) DrawNCBorder();
}

void TZirOvararIzazCore::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    if (Parent() && Parent()->HandleAllocated() && FUpdateCount == 0) DrawNCBorder();
}

void TZirOvararIzazCore::InitWheelScroll(bool) {
    // The wheel setting is always known here; there is no old wheel driver.
    FWheelMsg = WM_MOUSEWHEEL;
    FWheelScrollLines = GridPlatformAnswers().WheelScrollLines();
    if (FWheelScrollLines == -1) FWheelScrollLines = VisibleRowCount();
}
