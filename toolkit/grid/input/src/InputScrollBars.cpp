// The grid's scroll bars: their look (normal, flat, painted), the
// proportional thumbs on the platform grid's 0 to 127 scale, the horizontal
// and vertical scroll messages with the thumb-drag hint, live scrolling and
// the cell scroll bar, scrolling while a drag stands near an edge, the short
// scroll after a flick, and the removal notification.

#include "grid/ZirOvararIzazInput.h"

#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timer.h"
#include "windowing/Input.h"
#include "windowing/ScrollBar.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>
#include <cmath>

using namespace winapi;

namespace {

constexpr Integer ScrollScale = 127;
constexpr Integer HintMaxWidth = 100;
constexpr Cardinal SmoothInterval = 10;

bool HasVerticalBar(TScrollStyle S) {
    return S == ssVertical || S == ssBoth;
}

bool HasHorizontalBar(TScrollStyle S) {
    return S == ssHorizontal || S == ssBoth;
}

} // namespace

// ---- Settings -----------------------------------------------------------------------------------------

void TZirOvararIzazInput::SetScrollType(TScrollType Value) {
    if (Value == ScrollType()) return;
    TZirOvararIzazCore::SetScrollType(Value);
    // The flat scroll-bar functions are not available: the flat types keep
    // the normal bars, and no type leaves flat bars active.
    FFlatScrollActive = false;
    if (!HandleAllocated()) return;
    if (Value == ssMetro) {
        CreateScrollControls();
        SetScrollBars(ssNone);
    } else if (VScrollControl() || HScrollControl()) {
        FreeScrollControls();
        SetScrollBars(ssBoth);
    }
}

void TZirOvararIzazInput::SetScrollHints(TScrollHintType Value) {
    if (Value == ScrollHints()) return;
    TZirOvararIzazCore::SetScrollHints(Value);
    if (Value != shNone && !FScrollHint && HandleAllocated()) FScrollHint = CreateScrollHintWindow();
}

void TZirOvararIzazInput::SetScrollProportional(bool Value) {
    TZirOvararIzazCore::SetScrollProportional(Value);
    if (!Value) return;
    UpdateProportionalVScroll();
    UpdateProportionalHScroll();
}

TCustomHintWindow* TZirOvararIzazInput::CreateScrollHintWindow() {
    // A plain hint window until the markup hint window takes its place.
    return Create<THintWindow>(this);
}

void TZirOvararIzazInput::CreateWnd() {
    TZirOvararIzazCore::CreateWnd();
    if (ScrollHints() != shNone && !FScrollHint) FScrollHint = CreateScrollHintWindow();
}

void TZirOvararIzazInput::TopLeftChanged() {
    TZirOvararIzazCore::TopLeftChanged();
    if (VScrollControl()) VScrollControl()->Invalidate();
    if (HScrollControl()) HScrollControl()->Invalidate();
    // The platform grid has just put its own thumb back.
    if (ScrollProportional()) {
        UpdateProportionalVScroll();
        UpdateProportionalHScroll();
    }
}

// ---- Proportional thumbs ------------------------------------------------------------------------------

void TZirOvararIzazInput::UpdateProportionalVScroll() {
    if (IsLoading() || IsDesigning() || !ScrollProportional() || ScrollType() == ssMetro) return;
    if (!HasVerticalBar(ScrollBars()) || !HandleAllocated()) return;
    if (VisibleRowCount() + FixedRows() >= RowCount()) return;
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, Info);
    const Integer L = GridLineWidth();
    Integer H = Height();
    if (VisibleColCount() + FixedCols() < ColCount())
        H -= GetSystemMetricsForDpi(SM_CYHSCROLL, UINT(std::lround(96 * DPIScale())));
    Integer F = L, T = L, B = L;
    for (Integer R = 0; R < FixedRows(); ++R) F += RowHeights(R) + L;
    for (Integer R = FixedRows(); R < RowCount(); ++R) {
        T += RowHeights(R) + L;
        if (R < TopRow()) B += RowHeights(R) + L;
    }
    if (T == 0) return;
    const Single Ratio = Single(H - F) / Single(T);
    if (std::isnan(Ratio) || Ratio >= 0.9999f) return;
    const Integer Max = Integer(Trunc((Ratio + 127) / (1 - Ratio)));
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMax = Max;
    Info.nPage = UINT(Max - 126);
    Info.nPos = H < T ? Integer(Trunc(Double(B) / (T - H) * 128)) : 127;
    SetScrollInfo(Handle(), SB_VERT, Info, true);
}

void TZirOvararIzazInput::UpdateProportionalHScroll() {
    if (HandleAllocated() && SearchFooter()->Visible()) UpdateSearchPanel();
    if (IsLoading() || IsDesigning() || !ScrollProportional() || ScrollType() == ssMetro) return;
    if (!HasHorizontalBar(ScrollBars()) || !HandleAllocated()) return;
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_HORZ, Info);
    const Integer L = GridLineWidth();
    Integer W = Width();
    if (VisibleRowCount() + FixedRows() < RowCount())
        W -= GetSystemMetricsForDpi(SM_CXVSCROLL, UINT(std::lround(96 * DPIScale())));
    Integer F = L, T = L, B = L;
    for (Integer C = 0; C < FixedCols(); ++C) F += ColWidths(C) + L;
    for (Integer C = FixedCols(); C < ColCount(); ++C) {
        T += ColWidths(C) + L;
        if (C < LeftCol()) B += ColWidths(C) + L;
    }
    // Columns without width give no ratio.
    const Single Ratio = Single(W - F) / Single(T);
    if (std::isnan(Ratio) || std::isinf(Ratio) || Ratio >= 0.99999f) return;
    if (T + F - W < 0) return;
    const Integer Max = Integer(Trunc((Ratio + 127) / (1 - Ratio)));
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMax = Max;
    Info.nPage = UINT(Max - 126);
    if (W < T) Info.nPos = Integer(Trunc(Double(B) / (T - W) * 128));
    if (Info.nPage < 10000) SetScrollInfo(Handle(), SB_HORZ, Info, true);
}

// ---- Scroll messages ----------------------------------------------------------------------------------

void TZirOvararIzazInput::ShowScrollHint(bool Vertical, Integer Index) {
    String Text = (Vertical ? u"Row : " : u"Col : ") + IntToStr(Index);
    if (OnScrollHint) OnScrollHint(this, Index, Text);
    TRect R = FScrollHint->CalcHintRect(HintMaxWidth, Text, nullptr);
    TPoint Mouse;
    GetCursorPos(Mouse);
    OffsetRect(R, Mouse.X + 10, Mouse.Y);
    FScrollHint->SetColor(HintColor());
    FScrollHint->ActivateHint(R, Text);
    FScrollHintShowing = true;
}

void TZirOvararIzazInput::HideScrollHint() {
    FScrollHint->ReleaseHandle();
    FScrollHintShowing = false;
}

bool TZirOvararIzazInput::FixedBackGround() const {
    const TBackGround* Back = BackGround();
    return Back->Display() == bdFixed && Back->Bitmap() && !Back->Bitmap()->Empty();
}

TRect TZirOvararIzazInput::BackGroundCells() const {
    const TBackGround* Back = BackGround();
    TRect Cells;
    MouseToCell(Back->Left(), Back->Top(), Cells.Left, Cells.Top);
    MouseToCell(Back->Left() + Back->Bitmap()->Width(), Back->Top() + Back->Bitmap()->Height(), Cells.Right,
                Cells.Bottom);
    return Cells;
}

void TZirOvararIzazInput::HandleWMHScroll(TMessage& Message) {
    const Integer Code = LOWORD(Message.WParam);
    const Integer Pos = HIWORD(Message.WParam);
    const Integer Range = ColCount() - VisibleColCount() - FixedCols();
    if ((ScrollHints() == shHorizontal || ScrollHints() == shBoth) && FScrollHint) {
        if (Code == SB_ENDSCROLL) HideScrollHint();
        if (Code == SB_THUMBTRACK) ShowScrollHint(false, MulDiv(Pos, Range, ScrollScale) + FixedCols());
    }
    if (Navigation()->Settings().AlwaysEdit && FEditMode) HideInplaceEdit();
    const Integer C = MulDiv(Pos, Range, ScrollScale) + FixedCols();
    if (Code == SB_THUMBTRACK && ScrollSynch()) SetLeftCol(C);
    const bool Fixed = FixedBackGround();
    const TRect Before = Fixed ? BackGroundCells() : TRect{};
    if (FixedCols() == 0 && C >= Col()) HideInplaceEdit();
    TZirOvararIzazCore::WndProc(Message);
    if (Fixed && Code != SB_THUMBTRACK) {
        const TRect After = BackGroundCells();
        if (After != Before) {
            RepaintCell(Before.Left, Before.Top);
            RepaintCell(Before.Right, Before.Bottom);
        }
    }
    if (Code == SB_ENDSCROLL && ColCount() == 1) Repaint();
    if (HasCheckBox(Col(), Row()) && EditorMode()) SetEditorMode(false);
    UpdateFooter();
}

void TZirOvararIzazInput::HandleWMVScroll(TMessage& Message) {
    const Integer Code = LOWORD(Message.WParam);
    const Integer Pos = HIWORD(Message.WParam);
    if (FCellScrollBar && FCellScrollBar->HandleAllocated() &&
        Message.LParam == reinterpret_cast<LPARAM>(FCellScrollBar->Handle())) {
        // A cell scroll bar moved: the cell keeps the new position.
        TScrollBar* Bar = FCellScrollBar;
        const Integer P = Bar->Position();
        switch (Code) {
        case SB_LINEUP:
            Bar->SetPosition(std::max(Bar->Min(), P - 10));
            break;
        case SB_LINEDOWN:
            Bar->SetPosition(std::min(Bar->Max(), P + 10));
            break;
        case SB_PAGEUP:
            Bar->SetPosition(std::max(Bar->Min(), P - 100));
            break;
        case SB_PAGEDOWN:
            Bar->SetPosition(std::min(Bar->Max(), P + 100));
            break;
        case SB_THUMBTRACK:
            Bar->SetPosition(std::clamp(Pos, Bar->Min(), std::max(Bar->Min(), Bar->Max())));
            break;
        default:
            break;
        }
        if (Bar->Position() != P) {
            Message.Result = 1;
            SetScrollPosition(FScrollCol, FScrollRow, Bar->Position());
            RepaintCell(DisplColIndex(FScrollCol), FScrollRow);
            DoScrollCell(FScrollCol, FScrollRow, Bar->Position(), Bar->Min(), Bar->Max());
        }
        return;
    }
    const Integer Range = RowCount() - VisibleRowCount() - FixedRows();
    const Integer R = MulDiv(Pos, Range, ScrollScale) + FixedRows();
    if ((ScrollHints() == shVertical || ScrollHints() == shBoth) && FScrollHint) {
        if (Code == SB_ENDSCROLL) HideScrollHint();
        if (Code == SB_THUMBTRACK) ShowScrollHint(true, R);
    }
    if (Navigation()->Settings().AlwaysEdit && FEditMode) HideInplaceEdit();
    if (Code == SB_THUMBTRACK && ScrollSynch()) SetTopRow(R);
    const bool Fixed = FixedBackGround();
    const TRect Before = Fixed ? BackGroundCells() : TRect{};
    TZirOvararIzazCore::WndProc(Message);
    if (Fixed && Code != SB_THUMBTRACK) {
        const TRect After = BackGroundCells();
        if (After != Before) {
            RepaintCell(Before.Left, Before.Top);
            RepaintCell(Before.Right, Before.Bottom);
        }
    }
    if (HasCheckBox(Col(), Row()) && EditorMode()) SetEditorMode(false);
}

// ---- The cell scroll bar ------------------------------------------------------------------------------

TScrollBar* TZirOvararIzazInput::CellScrollBar() {
    if (!FCellScrollBar) {
        FCellScrollBar = Create<TScrollBar>(this);
        FCellScrollBar->SetKind(sbVertical);
        FCellScrollBar->SetVisible(false);
        FCellScrollBar->SetParent(this);
    }
    return FCellScrollBar;
}

void TZirOvararIzazInput::SetScrollCell(Integer ACol, Integer ARow) {
    FScrollCol = ACol;
    FScrollRow = ARow;
}

// ---- Drag scrolling -----------------------------------------------------------------------------------

void TZirOvararIzazInput::StopDragScroll() {
    if (!FDragScrollTimer) return;
    FDragScrollTimer->SetEnabled(false);
    Free(FDragScrollTimer);
    FDragScrollTimer = nullptr;
}

void TZirOvararIzazInput::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    (void)Source;
    (void)Accept; // the platform has no drag-over answer of its own to add
    TDragScrollOptions* Options = DragScrollOptions();
    if (!Options->Active()) {
        StopDragScroll();
        return;
    }
    const bool WasEmpty = FDragScrollDir.Empty();
    FDragScrollDir = {};
    if (State == dsDragEnter || State == dsDragMove) {
        const TDragScrollMargins* M = Options->Margins();
        if (Y < M->TopMargin())
            FDragScrollDir.Include(dsdUp);
        else if (Y > Height() - M->BottomMargin())
            FDragScrollDir.Include(dsdDown);
        if (X < M->LeftMargin())
            FDragScrollDir.Include(dsdLeft);
        else if (X > Width() - M->RightMargin())
            FDragScrollDir.Include(dsdRight);
        if (FDragScrollDir.Empty())
            StopDragScroll();
        else if (!FDragScrollTimer) {
            // The timer belongs to the grid's parent, as a drag may end with the grid gone.
            FDragScrollTimer = Create<TTimer>(Parent() ? static_cast<TComponent*>(Parent()) : this);
            FDragScrollTimer->SetInterval(Cardinal(Options->Delays()->InitialDelay()));
            FDragScrollTimer->OnTimer = [this](TObject* Sender) { DragScrollTick(Sender); };
            FDragScrollTimer->SetEnabled(true);
        } else if (!WasEmpty)
            FDragScrollTimer->SetInterval(Cardinal(Options->Delays()->InitialDelay()));
    } else if (State == dsDragLeave)
        StopDragScroll();
}

void TZirOvararIzazInput::DragScrollTick(TObject*) {
    TDragScrollOptions* Options = DragScrollOptions();
    if (!Options->Active()) {
        StopDragScroll();
        return;
    }
    FDragScrollTimer->SetInterval(Cardinal(Options->Delays()->RepeatDelay()));
    TDragScrollDirection D = FDragScrollDir;
    if (OnDragScroll) {
        bool CanScroll = true;
        OnDragScroll(this, TopRow(), LeftCol(), D, CanScroll);
        if (!CanScroll) return;
    }
    if (D.Contains(dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    if (D.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    if (D.Contains(dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (D.Contains(dsdRight) && VisibleColCount() + LeftCol() < ColCount()) SetLeftCol(LeftCol() + 1);
}

// ---- Smooth scroll ------------------------------------------------------------------------------------

void TZirOvararIzazInput::StartSmoothScroll(Integer Steps, Integer Step, bool Rows) {
    if (!FSmoothTimer) {
        FSmoothTimer = Create<TTimer>(this);
        FSmoothTimer->SetEnabled(false);
        FSmoothTimer->OnTimer = [this](TObject* Sender) { SmoothScrollTick(Sender); };
    }
    FSmoothSteps = Steps;
    FSmoothStep = Step;
    FSmoothRows = Rows;
    FSmoothTimer->SetInterval(SmoothInterval);
    FSmoothTimer->SetEnabled(Steps > 0);
}

void TZirOvararIzazInput::SmoothScrollTick(TObject*) {
    if (FSmoothSteps > 0) {
        // The view stops at the first normal line and at the last view that
        // is still full.
        if (FSmoothRows) {
            const Integer Last = std::max(FixedRows(), RowCount() - VisibleRowCount());
            SetTopRow(std::clamp(TopRow() + FSmoothStep, FixedRows(), Last));
        } else {
            const Integer Last = std::max(FixedCols(), ColCount() - VisibleColCount());
            SetLeftCol(std::clamp(LeftCol() + FSmoothStep, FixedCols(), Last));
        }
        --FSmoothSteps;
        FScrollEnd = false;
    }
    FSmoothTimer->SetEnabled(FSmoothSteps > 0);
}

// ---- Removal ------------------------------------------------------------------------------------------

void TZirOvararIzazInput::Notification(TComponent* AComponent, TOperation Operation) {
    // The core forgets the image list, the picture container and the cell
    // checker.
    TZirOvararIzazCore::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FCellScrollBar) FCellScrollBar = nullptr;
    if (AComponent == FScrollHint) FScrollHint = nullptr;
    if (AComponent == FDragScrollTimer) FDragScrollTimer = nullptr;
    if (AComponent == FSmoothTimer) FSmoothTimer = nullptr;
    if (!IsDestroying() && SyncGrid() && AComponent && SyncGrid()->Grid() == AComponent) SyncGrid()->SetGrid(nullptr);
}
