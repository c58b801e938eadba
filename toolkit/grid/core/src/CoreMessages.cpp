// The update lock and the grid's handling of the timer, paint, erase,
// size and character messages.

#include "grid/GridUnit.h"
#include "grid/SearchPanel.h"
#include "grid/ZirOvararIzazCore.h"
#include "kel/ThemeNotifier.h"
#include "rtl/StringUtils.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"
#include "windowing/Window.h"

using namespace winapi;

// ---- Update lock -------------------------------------------------------------------

void TZirOvararIzazCore::BeginUpdate() {
    // The lock counts whether or not the grid shows, so a grid hidden inside
    // the lock still paints again when the lock ends; only the redraw switch
    // waits for a visible window.
    if (FUpdateCount == 0) TStringGrid::BeginUpdate();
    ++FUpdateCount;
    if (Visible() && HandleAllocated()) SendMessage(Handle(), WM_SETREDRAW, 0, 0);
}

void TZirOvararIzazCore::EndUpdate() {
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    if (ComponentState().Contains(csDestroying) || FUpdateCount > 0) return;
    TStringGrid::EndUpdate();
    FSelChange = false;
    if (!HandleAllocated()) return;
    SendMessage(Handle(), WM_SETREDRAW, 1, 0);
    InvalidateRect(Handle(), nullptr, false);
    DrawNCBorder();
    UpdateSearchPanel();
    if (FControlList->Count() > 0) CellControlsUpdate(false);
}

// ---- Window messages -----------------------------------------------------------------

void TZirOvararIzazCore::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_TIMER:
        HandleWMTimer(Message);
        return;
    case WM_PAINT:
        HandleWMPaint(Message);
        return;
    case WM_ERASEBKGND:
        // The paint covers every pixel.
        Message.Result = 0;
        return;
    case WM_SIZE:
        HandleWMSize(Message);
        return;
    case WM_CHAR:
        HandleWMChar(Message);
        return;
    case WM_KEYDOWN:
        HandleWMKeyDown(Message);
        return;
    case WM_KEYUP:
        HandleWMKeyUp(Message);
        return;
    case WM_THEMECHANGED:
    case WM_OFFICETHEMECHANGE:
        if (FAutoThemeAdapt) AdaptToOfficeTheme();
        TBaseGrid::WndProc(Message);
        return;
    default:
        TBaseGrid::WndProc(Message);
    }
}

void TZirOvararIzazCore::HandleWMTimer(TMessage& Message) {
    if (Integer(Message.WParam) != GridTimerID) {
        // The platform grid's scroll timer of a range selection.
        TBaseGrid::WndProc(Message);
        return;
    }
    ++FTimerTicks;
    if (FNavigation->Settings().AutoGotoIncremental && ++SearchTics >= 4) {
        SearchInc.clear();
        SearchTics = 0;
    }
    if (FHovering && HandleAllocated()) {
        TPoint P;
        GetCursorPos(P);
        if (WindowFromPoint(P) == Handle()) {
            winapi::ScreenToClient(Handle(), P);
            Integer C = -1, R = -1;
            MouseToCell(P.X, P.Y, C, R);
            if (C >= FixedCols() && R >= FixedRows() && C < ColCount() && R < RowCount()) {
                if (CanFocus()) SetFocus();
                SetRow(R);
                SetCol(C);
            }
        }
    }
    if (FEnableBlink) {
        FGridBlink = !FGridBlink;
        RepaintBlinkCells();
    }
}

void TZirOvararIzazCore::RepaintBlinkCells() {
    auto Repaint = [this](Integer RealCol, Integer ARow) {
        if (RealCol < 0 || RealCol >= TotalColCount() || ARow < 0 || ARow >= RowCount()) return;
        if (UpperCase(GridCells(RealCol, ARow)).find(u"<BLI") != String::npos)
            RepaintCell(RealToDisplColumn(RealCol), ARow);
    };
    const Integer FirstCol = LeftCol(), LastCol = LeftCol() + VisibleColCount() + FNumHidden - 1;
    const Integer FirstRow = TopRow(), LastRow = TopRow() + VisibleRowCount() - 1;
    for (Integer r = FirstRow; r <= LastRow; ++r)
        for (Integer c = FirstCol; c <= LastCol; ++c) Repaint(c, r);
    for (Integer r = 0; r < FixedRows(); ++r)
        for (Integer c = FirstCol; c <= LastCol; ++c) Repaint(c, r);
    for (Integer c = 0; c < FixedCols(); ++c)
        for (Integer r = FirstRow; r <= LastRow; ++r) Repaint(c, r);
}

void TZirOvararIzazCore::HandleWMPaint(TMessage& Message) {
    if (FUpdateCount >= 1) {
        // Nothing is painted while the lock holds; its end repaints the grid.
        if (HandleAllocated()) ValidateRect(Handle(), nullptr);
        Message.Result = 0;
        return;
    }
    // The platform paints into the window's off-screen surface already, so
    // its own path is the double-buffered one.
    TBaseGrid::WndProc(Message);
    if (!TabStop() && FPaintCount == 0) FPaintCount = 1;
}

void TZirOvararIzazCore::HandleWMSize(TMessage& Message) {
    if (FInWMSize) {
        Message.Result = 1;
        return;
    }
    UpdateSearchPanel();
    const Integer NewWidth = Integer(Message.LParam & 0xFFFF);
    if (FOldSize > 0 && FColumnSize->SynchWithGrid()) {
        const bool NormalOnly = FColumnSize->SynchNormalCellsOnly();
        const Integer A = NormalOnly ? FixedColumnsWidth() : 0;
        const Integer B = Options().Contains(goVertLine) ? ColCount() - FixedCols() - 1 : 0;
        HideInplaceEdit();
        // The remembered size was measured the same way, so an unchanged
        // width keeps every column as it is.
        const Double Factor = Double(NewWidth - A - B) / Double(FOldSize);
        const Integer First = NormalOnly ? FixedCols() : 0;
        const Integer Last = NormalOnly ? ColCount() - FFixedRightCols - 1 : ColCount() - 1;
        Double Fractions = 0;
        Integer LastSized = -1;
        for (Integer c = First; c <= Last; ++c) {
            if (c >= Integer(FOrigColSizes.size())) continue;
            const Double Exact = FOrigColSizes[size_t(c)] * Factor;
            const Integer Truncated = Integer(Exact);
            Fractions += Exact - Truncated;
            SetColWidths(c, Truncated);
            LastSized = c;
        }
        if (LastSized >= 0) SetColWidths(LastSized, ColWidths(LastSized) + Integer(Fractions));
    }
    // Column stretching arrives with its layer; the platform sizes the rest.
    TBaseGrid::WndProc(Message);
}

void TZirOvararIzazCore::HandleWMChar(TMessage& Message) {
    Char Ch = Char(Message.WParam);
    const Integer RealCol = RealColIndex(Col());
    const String Text = Cells(RealCol, Row());
    if (FEnableHTML && UpperCase(Text).find(u"<CONTROL") != String::npos) {
        Message.Result = 1;
        return;
    }
    bool CanEdit = true;
    DoCanEdit(RealCol, Row(), CanEdit);
    if (CanEdit && FMouseActions->EditOnDblClickOnly()) {
        TGridOptions Opts = Options();
        Opts.Include(goEditing);
        SetOptions(Opts);
    }
    if (!CanEdit) {
        if (OnKeyPress) OnKeyPress(this, Ch);
        Message.Result = 1;
        return;
    }
    const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
    if (FNavigation->Settings().AllowClipboardShortCuts && Ctrl && (Ch == 3 || Ch == 22 || Ch == 24)) Ch = 0;
    const bool ControlCell = FControlList->ControlIndex(RealCol, Row()) >= 0;
    if (FMouseActions->Settings().RangeSelectAndEdit && !ControlCell && IsEditable(RealCol, Row()) &&
        Ch != VK_TAB && Ch != VK_ESCAPE && Ch != 0 && !Ctrl) {
        if (OnKeyPress) {
            Char Copy = Ch;
            OnKeyPress(this, Copy);
        }
        FStartEditChar = Ch;
        TGridOptions Opts = Options();
        Opts.Include(goEditing);
        SetOptions(Opts);
        if (Col() < LeftCol() || Col() > LeftCol() + VisibleColCount() || Row() < TopRow() ||
            Row() > TopRow() + VisibleRowCount())
            ScrollInView(Col(), Row());
        // The editor opens directly: a simulated click could toggle a check
        // box or follow a link in the cell.
        ShowEditor();
        if (Ch != VK_RETURN && InplaceEditor() && InplaceEditor()->HandleAllocated())
            PostMessage(InplaceEditor()->Handle(), WM_CHAR, Ch, Message.LParam);
        return;
    }
    if (FExcelStyleDecimalSeparator && Ch == u'.' && (Message.LParam & 0x400000)) Ch = GridDecimalSeparator();
    if (Ch == VK_RETURN && ControlCell && FNavigation->AdvanceOnEnter()) {
        TBaseGrid::WndProc(Message);
        return;
    }
    // Backspace and every printable character start an edit, also those
    // beyond Latin-1.
    if (Options().Contains(goEditing) && (Ch == VK_BACK || (Ch >= 32 && Ch != VK_TAB))) {
        if (OnKeyPress) OnKeyPress(this, Ch);
        if (Ch == 0) return;
        FStartEditChar = Ch;
        if (!ControlCell) {
            ShowEditor();
            if (InplaceEditor() && InplaceEditor()->HandleAllocated())
                PostMessage(InplaceEditor()->Handle(), WM_CHAR, Ch, Message.LParam);
        }
        return;
    }
    Message.WParam = Ch;
    if (Focused()) TBaseGrid::WndProc(Message);
}

// ---- Search panel and sizes ---------------------------------------------------------

void TZirOvararIzazCore::UpdateSearchPanel() {
    if (!HandleAllocated() || !FSearchPanel || !FSearchPanel->Visible()) return;
    // The panel lies along the bottom of the grid, above the horizontal
    // scroll bar when the columns are wider than the client area or the bar
    // is always shown.
    Integer W = 0;
    for (Integer c = 0; c < ColCount(); ++c) W += ColWidths(c);
    const TScrollBarAlways Always = ScrollBarAlways();
    Integer Top = Height() - GetSearchFooterHeight();
    if (W > ClientWidth() || Always == saHorz || Always == saBoth) Top -= GetSystemMetrics(SM_CYHSCROLL);
    FSearchPanel->SetBounds(ClientRect().Left, Top, ClientWidth(), FSearchPanel->Height());
}

void TZirOvararIzazCore::InitOrigColSizes() {
    FOrigColSizes.clear();
    for (Integer c = 0; c < ColCount(); ++c) FOrigColSizes.push_back(ColWidths(c));
    // The client width less what the size handler leaves out: the fixed
    // columns with SynchNormalCellsOnly and one pixel per normal grid line.
    Integer Size = ClientWidth();
    if (FColumnSize->SynchNormalCellsOnly()) Size -= FixedColumnsWidth();
    if (Options().Contains(goVertLine)) Size -= ColCount() - FixedCols() - 1;
    FOldSize = Size;
}
