// The grid's layout and state: counts, column and row sizes, the scroll
// position, the current cell and the selection, the scroll bars.

#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "vcl/Grids.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"
#include "windowing/ScrollBar.h"

#include <algorithm>

using namespace winapi;

namespace {

constexpr const Char* IndexOutOfRange = u"Grid index out of range";
// The scroll bars run over a fixed scale, whatever the number of rows or columns.
constexpr Integer ScrollScale = 127;

} // namespace

TGridRect GridRect(TGridCoord Corner1, TGridCoord Corner2) {
    return {std::min(Corner1.X, Corner2.X), std::min(Corner1.Y, Corner2.Y), std::max(Corner1.X, Corner2.X),
            std::max(Corner1.Y, Corner2.Y)};
}

// ---- One axis ----------------------------------------------------------------------------------------

Integer TCustomGrid::TAxis::Extent(Integer Index) const {
    Integer S = Size(Index);
    return S > 0 ? S + LineWidth : 0;
}

Integer TCustomGrid::TAxis::FixedExtent() const {
    Integer Result = 0;
    for (Integer I = 0; I < FixedCount; ++I)
        Result += Extent(I);
    return Result;
}

Integer TCustomGrid::TAxis::Start(Integer Index) const {
    Integer Pos = 0;
    if (Index < FixedCount) {
        for (Integer I = 0; I < Index; ++I)
            Pos += Extent(I);
    } else {
        if (Index < First || Index >= Count) return -1;
        Pos = FixedExtent();
        for (Integer I = First; I < Index; ++I)
            Pos += Extent(I);
    }
    return Pos < ClientSize ? Pos : -1;
}

Integer TCustomGrid::TAxis::FullVisibleCount() const {
    Integer Pos = FixedExtent();
    Integer Result = 0;
    for (Integer I = First; I < Count && Pos + Size(I) <= ClientSize; ++I) {
        Pos += Extent(I);
        ++Result;
    }
    return (Result == 0 && First < Count) ? 1 : Result;
}

Integer TCustomGrid::TAxis::IndexAt(Integer Pos) const {
    if (Pos < 0 || Pos >= ClientSize) return -1;
    Integer Edge = 0;
    for (Integer I = 0; I < FixedCount; ++I) {
        Edge += Extent(I);
        if (Pos < Edge) return I;
    }
    for (Integer I = First; I < Count; ++I) {
        Edge += Extent(I);
        if (Pos < Edge) return I;
    }
    return -1;
}

Integer TCustomGrid::TAxis::MaxFirst() const {
    if (Count <= FixedCount) return FixedCount;
    Integer Room = ClientSize - FixedExtent();
    Integer Used = Size(Count - 1);
    Integer Result = Count - 1;
    for (Integer I = Count - 2; I >= FixedCount; --I) {
        if (Used + Extent(I) > Room) break;
        Used += Extent(I);
        Result = I;
    }
    return Result;
}

Integer TCustomGrid::TAxis::LastShown() const {
    Integer Pos = FixedExtent();
    Integer Result = First - 1;
    for (Integer I = First; I < Count && Pos < ClientSize; ++I) {
        Pos += Extent(I);
        Result = I;
    }
    return Result;
}

TCustomGrid::TAxis TCustomGrid::Horz() const {
    return {FColCount, FFixedCols, FTopLeft.X, ClientWidth(), &FColWidths, FDefaultColWidth, FGridLineWidth};
}

TCustomGrid::TAxis TCustomGrid::Vert() const {
    return {FRowCount,    FFixedRows,        FTopLeft.Y,    ClientHeight(),
            &FRowHeights, FDefaultRowHeight, FGridLineWidth};
}

// ---- TInplaceEdit ------------------------------------------------------------------------------------

const TClassInfo& TInplaceEdit::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TInplaceEdit, TCustomMaskEdit>().Build();
    return Info;
}

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    SetVisible(false);
    SetTabStop(true);
}

void TInplaceEdit::UpdateContents() {
    if (!FGrid) return;
    Integer ACol = FGrid->Col();
    Integer ARow = FGrid->Row();
    SetEditMask(FGrid->GetEditMask(ACol, ARow));
    SetText(FGrid->GetEditText(ACol, ARow));
    SetMaxLength(FGrid->GetEditLimit());
    ClearUndo();
    SetModified(false);
}

void TInplaceEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        TCustomMaskEdit::WndProc(Message);
        // Enter and Escape end the edit in the grid; Tab moves on in it.
        Message.Result |= DLGC_WANTALLKEYS;
        if (FGrid && FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
        return;
    }
    TCustomMaskEdit::WndProc(Message);
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == 0 || !FGrid) return;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
    case VK_RETURN:
    case VK_TAB:
        FGrid->Perform(WM_KEYDOWN, Key, 0);
        Key = 0;
        return;
    default:
        return;
    }
}

void TInplaceEdit::KeyPress(Char& Key) {
    TCustomMaskEdit::KeyPress(Key);
    if (Key == 0 || !FGrid) return;
    switch (Key) {
    case u'\r':
        FGrid->Perform(WM_CHAR, Key, 0);
        Key = 0;
        return;
    case u'\t':
    case 27:
        Key = 0; // their key-downs went to the grid
        return;
    default:
        return;
    }
}

void TInplaceEdit::Move(const TRect& Loc) {
    SetBoundsRect(Loc);
    Show();
}

// ---- TCustomGrid: creation ---------------------------------------------------------------------------

const TClassInfo& TCustomGrid::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomGrid, TCustomControl>().Build();
    return Info;
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetTabStop(true);
    InitAppearance(true, clWindow, true);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
    if (FBorderStyle == bsSingle) Params.Style |= WS_BORDER;
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollBars();
}

void TCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FInplaceEdit) {
        FInplaceEdit = nullptr;
        FEditorMode = false;
    }
}

void TCustomGrid::Resize() {
    ClampTopLeft();
    UpdateScrollBars();
    TCustomControl::Resize();
}

// ---- Counts ------------------------------------------------------------------------------------------

void TCustomGrid::SetColCount(Integer Value) {
    if (Value == FColCount) return;
    if (Value < 1) throw EInvalidGridOperation(IndexOutOfRange);
    Integer OldColCount = FColCount;
    if (Value <= FFixedCols) FFixedCols = Value - 1;
    FColCount = Value;
    if (Integer(FColWidths.size()) > Value) FColWidths.resize(Value);
    FCurrent.X = std::clamp(FCurrent.X, FFixedCols, Value - 1);
    FAnchor.X = std::clamp(FAnchor.X, FFixedCols, Value - 1);
    SizeChanged(OldColCount, FRowCount);
    AfterSizesChanged();
}

void TCustomGrid::SetRowCount(Integer Value) {
    if (Value == FRowCount) return;
    if (Value < 1) throw EInvalidGridOperation(IndexOutOfRange);
    Integer OldRowCount = FRowCount;
    if (Value <= FFixedRows) FFixedRows = Value - 1;
    FRowCount = Value;
    if (Integer(FRowHeights.size()) > Value) FRowHeights.resize(Value);
    FCurrent.Y = std::clamp(FCurrent.Y, FFixedRows, Value - 1);
    FAnchor.Y = std::clamp(FAnchor.Y, FFixedRows, Value - 1);
    SizeChanged(FColCount, OldRowCount);
    AfterSizesChanged();
}

void TCustomGrid::SetFixedCols(Integer Value) {
    if (Value == FFixedCols) return;
    if (Value < 0) throw EInvalidGridOperation(IndexOutOfRange);
    if (Value >= FColCount) throw EInvalidGridOperation(u"Fixed column count must be less than column count");
    FFixedCols = Value;
    FCurrent.X = std::max(FCurrent.X, Value);
    FAnchor.X = std::max(FAnchor.X, Value);
    FTopLeft.X = Value;
    AfterSizesChanged();
}

void TCustomGrid::SetFixedRows(Integer Value) {
    if (Value == FFixedRows) return;
    if (Value < 0) throw EInvalidGridOperation(IndexOutOfRange);
    if (Value >= FRowCount) throw EInvalidGridOperation(u"Fixed row count must be less than row count");
    FFixedRows = Value;
    FCurrent.Y = std::max(FCurrent.Y, Value);
    FAnchor.Y = std::max(FAnchor.Y, Value);
    FTopLeft.Y = Value;
    AfterSizesChanged();
}

// ---- Sizes -------------------------------------------------------------------------------------------

void TCustomGrid::SetDefaultColWidth(Integer Value) {
    Value = std::max(Value, 0);
    if (Value == FDefaultColWidth && FColWidths.empty()) return;
    FDefaultColWidth = Value;
    FColWidths.clear();
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(Integer Value) {
    Value = std::max(Value, 0);
    if (Value == FDefaultRowHeight && FRowHeights.empty()) return;
    FDefaultRowHeight = Value;
    FRowHeights.clear();
    RowHeightsChanged();
}

Integer TCustomGrid::ColWidths(Integer Index) const {
    return Index >= 0 && Index < Integer(FColWidths.size()) ? FColWidths[Index] : FDefaultColWidth;
}

Integer TCustomGrid::RowHeights(Integer Index) const {
    return Index >= 0 && Index < Integer(FRowHeights.size()) ? FRowHeights[Index] : FDefaultRowHeight;
}

void TCustomGrid::SetColWidths(Integer Index, Integer Value) {
    if (Index < 0 || Index >= FColCount) throw EInvalidGridOperation(IndexOutOfRange);
    Value = std::max(Value, 0);
    if (Value == ColWidths(Index)) return;
    if (Integer(FColWidths.size()) <= Index) FColWidths.resize(FColCount, FDefaultColWidth);
    FColWidths[Index] = Value;
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value) {
    if (Index < 0 || Index >= FRowCount) throw EInvalidGridOperation(IndexOutOfRange);
    Value = std::max(Value, 0);
    if (Value == RowHeights(Index)) return;
    if (Integer(FRowHeights.size()) <= Index) FRowHeights.resize(FRowCount, FDefaultRowHeight);
    FRowHeights[Index] = Value;
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(Integer Value) {
    Value = std::max(Value, 0);
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    AfterSizesChanged();
}

Integer TCustomGrid::GridWidth() const {
    TAxis Axis = Horz();
    Integer Result = 0;
    for (Integer I = 0; I < FColCount; ++I)
        Result += Axis.Extent(I);
    return Result;
}

Integer TCustomGrid::GridHeight() const {
    TAxis Axis = Vert();
    Integer Result = 0;
    for (Integer I = 0; I < FRowCount; ++I)
        Result += Axis.Extent(I);
    return Result;
}

void TCustomGrid::ColWidthsChanged() {
    AfterSizesChanged();
}

void TCustomGrid::RowHeightsChanged() {
    AfterSizesChanged();
}

void TCustomGrid::ChangeScale(Integer M, Integer D) {
    if (M != D && D != 0) {
        FDefaultColWidth = MulDiv(FDefaultColWidth, M, D);
        FDefaultRowHeight = MulDiv(FDefaultRowHeight, M, D);
        for (Integer& Width : FColWidths)
            Width = MulDiv(Width, M, D);
        for (Integer& Height : FRowHeights)
            Height = MulDiv(Height, M, D);
        ColWidthsChanged();
        RowHeightsChanged();
    }
    TCustomControl::ChangeScale(M, D);
}

void TCustomGrid::AfterSizesChanged() {
    ClampTopLeft();
    UpdateScrollBars();
    UpdateEditor();
    Invalidate();
}

// ---- View --------------------------------------------------------------------------------------------

Integer TCustomGrid::VisibleColCount() const {
    return Horz().FullVisibleCount();
}

Integer TCustomGrid::VisibleRowCount() const {
    return Vert().FullVisibleCount();
}

void TCustomGrid::SetLeftCol(Integer Value) {
    SetTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(Integer Value) {
    SetTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::SetTopLeft(Integer ALeft, Integer ATop) {
    ALeft = std::clamp(ALeft, FFixedCols, std::max(FFixedCols, Horz().MaxFirst()));
    ATop = std::clamp(ATop, FFixedRows, std::max(FFixedRows, Vert().MaxFirst()));
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
    FTopLeft = {ALeft, ATop};
    Invalidate();
    UpdateScrollBars();
    UpdateEditor();
    TopLeftChanged();
}

void TCustomGrid::ClampTopLeft() {
    TGridCoord Old = FTopLeft;
    FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, Horz().MaxFirst()));
    FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, Vert().MaxFirst()));
    if (!(Old == FTopLeft)) TopLeftChanged();
}

void TCustomGrid::ScrollInView(Integer ACol, Integer ARow) {
    // The smallest first index from which Index is shown in full.
    auto FirstShowing = [](TAxis Axis, Integer Index) {
        if (Index < Axis.FixedCount) return Axis.First;
        if (Index < Axis.First) return Index;
        Axis.First = Index;
        while (Axis.First > Axis.FixedCount) {
            --Axis.First;
            Integer Start = Axis.Start(Index);
            if (Start < 0 || Start + Axis.Size(Index) > Axis.ClientSize) return Axis.First + 1;
        }
        return Axis.First;
    };
    TAxis H = Horz();
    TAxis V = Vert();
    Integer Left = FTopLeft.X;
    Integer Top = FTopLeft.Y;
    if (ACol >= FFixedCols && (ACol < Left || ACol >= Left + H.FullVisibleCount()))
        Left = ACol < Left ? ACol : FirstShowing(H, ACol);
    if (ARow >= FFixedRows && (ARow < Top || ARow >= Top + V.FullVisibleCount()))
        Top = ARow < Top ? ARow : FirstShowing(V, ARow);
    SetTopLeft(Left, Top);
}

// ---- Current cell and selection ----------------------------------------------------------------------

void TCustomGrid::CheckCoord(Integer ACol, Integer ARow) const {
    if (ACol < FFixedCols || ARow < FFixedRows || ACol >= FColCount || ARow >= FRowCount)
        throw EInvalidGridOperation(IndexOutOfRange);
}

void TCustomGrid::SetCol(Integer Value) {
    if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(Integer Value) {
    if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::FocusCell(Integer ACol, Integer ARow, bool MoveAnchor) {
    MoveColRow(ACol, ARow, MoveAnchor, true);
}

void TCustomGrid::MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show) {
    CheckCoord(ACol, ARow);
    if (!SelectCell(ACol, ARow)) return;
    if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible())
        SetEditText(FCurrent.X, FCurrent.Y, FInplaceEdit->Text());
    TGridRect OldSelection = Selection();
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
    if (Show) ScrollInView(ACol, ARow);
    SelectionMoved(OldSelection);
    UpdateEditor();
}

TGridRect TCustomGrid::Selection() const {
    TGridRect Result = GridRect(FAnchor, FCurrent);
    if (FOptions.Contains(goRowSelect)) {
        Result.Left = FFixedCols;
        Result.Right = FColCount - 1;
    }
    return Result;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
    TGridRect Normal = GridRect(Value.TopLeft(), Value.BottomRight());
    CheckCoord(Normal.Left, Normal.Top);
    CheckCoord(Normal.Right, Normal.Bottom);
    TGridRect OldSelection = Selection();
    FAnchor = Normal.TopLeft();
    FCurrent = Normal.BottomRight();
    SelectionMoved(OldSelection);
    UpdateEditor();
}

void TCustomGrid::PlaceSelection(const TGridRect& Value) {
    TGridRect Normal = GridRect(Value.TopLeft(), Value.BottomRight());
    TGridRect OldSelection = Selection();
    FAnchor = Normal.TopLeft();
    FCurrent = Normal.BottomRight();
    SelectionMoved(OldSelection);
    UpdateEditor();
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSelection) {
    InvalidateRange(OldSelection);
    InvalidateRange(Selection());
}

void TCustomGrid::InvalidateRange(const TGridRect& Range) {
    if (!HandleAllocated()) return;
    TRect First = CellRect(std::max(Range.Left, FTopLeft.X), std::max(Range.Top, FTopLeft.Y));
    TRect Last =
        CellRect(std::min(Range.Right, Horz().LastShown()), std::min(Range.Bottom, Vert().LastShown()));
    if (First.IsEmpty() || Last.IsEmpty()) {
        Invalidate();
        return;
    }
    TRect Area{First.Left, First.Top, Last.Right + FGridLineWidth, Last.Bottom + FGridLineWidth};
    InvalidateRect(Handle(), &Area, false);
}

void TCustomGrid::InvalidateCell(Integer ACol, Integer ARow) {
    if (!HandleAllocated()) return;
    TRect Area = CellRect(ACol, ARow);
    if (Area.IsEmpty()) return;
    Area.Right += FGridLineWidth;
    Area.Bottom += FGridLineWidth;
    InvalidateRect(Handle(), &Area, false);
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    if (Value == FOptions) return;
    if (Value.Contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
    FOptions = Value;
    if (!FOptions.Contains(goEditing)) HideEditor();
    if (FOptions.Contains(goAlwaysShowEditor)) ShowEditor();
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetFixedColor(TColor Value) {
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    Invalidate();
}

void TCustomGrid::SetDrawingStyle(TGridDrawingStyle Value) {
    if (Value == FDrawingStyle) return;
    FDrawingStyle = Value;
    Invalidate();
}

// ---- Hit test ----------------------------------------------------------------------------------------

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) const {
    TAxis H = Horz();
    TAxis V = Vert();
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return {};
    Integer X = H.Start(ACol);
    Integer Y = V.Start(ARow);
    if (X < 0 || Y < 0) return {};
    return {X, Y, std::min(X + H.Size(ACol), H.ClientSize), std::min(Y + V.Size(ARow), V.ClientSize)};
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const {
    TGridCoord Coord = MouseCoord(X, Y);
    ACol = Coord.X;
    ARow = Coord.Y;
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) const {
    TGridCoord Result{Horz().IndexAt(X), Vert().IndexAt(Y)};
    if (Result.X < 0 || Result.Y < 0) return {-1, -1};
    return Result;
}

// ---- Scroll bars -------------------------------------------------------------------------------------

void TCustomGrid::UpdateScrollBars() {
    if (!HandleAllocated() || FScrollBars == ssNone) return;
    // Showing one bar narrows the client, which may call for the other: two rounds settle it.
    for (Integer Round = 0; Round < 2; ++Round) {
        auto Apply = [&](Integer Bar, const TAxis& Axis, bool Wanted) {
            Integer MaxFirst = Axis.MaxFirst();
            bool Needed = Wanted && MaxFirst > Axis.FixedCount;
            const bool Kept = Wanted && KeepScrollBarVisible(Bar == SB_VERT);
            SCROLLINFO Info;
            Info.fMask = SIF_RANGE | SIF_POS | (Kept ? UINT(SIF_DISABLENOSCROLL) : 0u);
            Info.nMax = Needed ? ScrollScale : 0;
            Info.nPos =
                Needed ? MulDiv(Axis.First - Axis.FixedCount, ScrollScale, MaxFirst - Axis.FixedCount) : 0;
            SetScrollInfo(Handle(), Bar, Info, true);
            ShowScrollBar(Handle(), Bar, Needed || Kept);
        };
        Apply(SB_VERT, Vert(), FScrollBars == ssVertical || FScrollBars == ssBoth);
        Apply(SB_HORZ, Horz(), FScrollBars == ssHorizontal || FScrollBars == ssBoth);
    }
}

void TCustomGrid::HandleScroll(bool Vertical, Integer Code, Integer Position) {
    TAxis Axis = Vertical ? Vert() : Horz();
    Integer First = Axis.First;
    switch (Code) {
    case SB_LINEUP:
        --First;
        break;
    case SB_LINEDOWN:
        ++First;
        break;
    case SB_PAGEUP:
        First -= Axis.FullVisibleCount();
        break;
    case SB_PAGEDOWN:
        First += Axis.FullVisibleCount();
        break;
    case SB_TOP:
        First = Axis.FixedCount;
        break;
    case SB_BOTTOM:
        First = Axis.MaxFirst();
        break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking)) return;
        [[fallthrough]];
    case SB_THUMBPOSITION:
        First = Axis.FixedCount + MulDiv(Position, Axis.MaxFirst() - Axis.FixedCount, ScrollScale);
        break;
    default:
        return;
    }
    if (Vertical)
        SetTopRow(First);
    else
        SetLeftCol(First);
}
