// The grid's event glue: its window procedure for the registered messages
// and the editor's text changes, click, enter and exit, focus gain and
// loss, the mouse cursor, dialog characters and component messages, the
// cells-changed notification and the footer, style colours and the fixed
// cell hover highlight.

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazInput.h"
#include "vcl/ControlMessages.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <array>
#include <vector>

using namespace winapi;

namespace {

// The grid's selection cursors, drawn here: 8010 a right arrow (row
// selection), 8011 a down arrow (column selection), 8012 four arrows (the
// whole grid, resizing), 8014 a small cell frame with an arrow (the cell
// selector). Made once, black with a white outline.
HCURSOR GridCursor(Integer Id) {
    static std::array<HCURSOR, 4> Cursors{};
    const Integer Index = Id == 8010 ? 0 : Id == 8011 ? 1 : Id == 8012 ? 2 : 3;
    if (Cursors[size_t(Index)]) return Cursors[size_t(Index)];
    constexpr Integer N = 16;
    std::vector<Cardinal> Pixels(N * N, 0);
    auto Put = [&](Integer X, Integer Y) {
        if (X >= 0 && Y >= 0 && X < N && Y < N) Pixels[size_t(Y * N + X)] = 0xFF000000;
    };
    auto Arrow = [&](Integer Dx, Integer Dy) {
        // A shaft from the centre and a head at its end.
        for (Integer i = 0; i < 7; ++i) Put(7 + Dx * i, 7 + Dy * i);
        for (Integer i = 1; i < 4; ++i) {
            Put(7 + Dx * 6 - Dx * i + Dy * i, 7 + Dy * 6 - Dy * i + Dx * i);
            Put(7 + Dx * 6 - Dx * i - Dy * i, 7 + Dy * 6 - Dy * i - Dx * i);
        }
    };
    TPoint Hot(7, 7);
    switch (Index) {
    case 0:
        Arrow(1, 0);
        Hot = TPoint(13, 7);
        break;
    case 1:
        Arrow(0, 1);
        Hot = TPoint(7, 13);
        break;
    case 2:
        Arrow(1, 0);
        Arrow(-1, 0);
        Arrow(0, 1);
        Arrow(0, -1);
        break;
    default:
        for (Integer i = 2; i < 13; ++i) {
            Put(i, 2);
            Put(i, 12);
            Put(2, i);
            Put(12, i);
        }
        Put(7, 7);
        break;
    }
    // The outline: white where a neighbour is black.
    std::vector<Cardinal> Out = Pixels;
    for (Integer y = 0; y < N; ++y)
        for (Integer x = 0; x < N; ++x) {
            if (Pixels[size_t(y * N + x)]) continue;
            bool Near = false;
            for (Integer dy = -1; dy <= 1 && !Near; ++dy)
                for (Integer dx = -1; dx <= 1; ++dx) {
                    const Integer X = x + dx, Y = y + dy;
                    if (X >= 0 && Y >= 0 && X < N && Y < N && Pixels[size_t(Y * N + X)]) {
                        Near = true;
                        break;
                    }
                }
            if (Near) Out[size_t(y * N + x)] = 0xFFFFFFFF;
        }
    Cursors[size_t(Index)] = CreateCursorFromImage(N, N, Out.data(), Hot);
    return Cursors[size_t(Index)];
}

} // namespace

HCURSOR TZirOvararIzazInput::SelectionCursor(Integer Id) {
    return GridCursor(Id);
}

// ---- Window procedure --------------------------------------------------------------

void TZirOvararIzazInput::WndProc(TMessage& Message) {
    const UINT Msg = Message.Msg;
    if (Msg != 0 && Msg == WM_GRIDEDITSHOW()) {
        ShowInplaceEdit();
        return;
    }
    if (Msg != 0 && Msg == WM_GRIDEDITDONE()) {
        HandleGridEditDone(Integer(Message.WParam), Integer(Message.LParam));
        return;
    }
    if (Msg != 0 && Msg == WM_GRIDEDITINVALID()) {
        HandleGridEditInvalid(Integer(Message.WParam), Integer(Message.LParam));
        return;
    }
    if (Msg != 0 && Msg == WM_FILTEREDITUPDATE()) {
        if (OnFilterEditDone) OnFilterEditDone(this, FilterEditCol(), FilterEditCondition(), FilterEditType());
        return;
    }
    switch (Msg) {
    case WM_LBUTTONDOWN:
        HandleWMLButtonDown(Message);
        return;
    case WM_LBUTTONUP:
        HandleWMLButtonUp(Message);
        return;
    case WM_LBUTTONDBLCLK:
        HandleWMLButtonDblClk(Message);
        return;
    case WM_RBUTTONDOWN:
        HandleWMRButtonDown(Message);
        return;
    case WM_RBUTTONUP:
        HandleWMRButtonUp(Message);
        return;
    case WM_HSCROLL:
        HandleWMHScroll(Message);
        return;
    case WM_VSCROLL:
        HandleWMVScroll(Message);
        return;
    case WM_NOTIFY:
        HandleWMNotify(Message);
        return;
    case WM_GETDLGCODE:
        HandleWMGetDlgCode(Message);
        return;
    case WM_COMMAND:
        TZirOvararIzazCore::WndProc(Message);
        if (HIWORD(Message.WParam) == EN_CHANGE) HandleEditorTextChange(Message);
        HandleComboCommand(Message);
        return;
    case WM_CHAR:
        // Enter handed on by the normal editor after an accepted value ends
        // the edit and moves on with the Enter advance; the grid's own Enter
        // (which would open the editor again) does not run for it.
        if (Message.WParam == VK_RETURN && FEditMode && !Focused() && NormalEdit() && NormalEdit()->Visible() &&
            !Options().Contains(goAlwaysShowEditor) && !FEditing) {
            HideInplaceEdit();
            // The Enter advance moves on from the committed cell.
            if (Navigation()->Settings().AdvanceOnEnter)
                AdvanceCell(Col(), Row(), false, false, GetKeyState(VK_SHIFT) >= 0, false, false);
            Message.Result = 0;
            return;
        }
        TZirOvararIzazCore::WndProc(Message);
        return;
    case WM_SETFOCUS:
        HandleSetFocus(Message);
        return;
    case WM_KILLFOCUS:
        HandleKillFocus(Message);
        return;
    case WM_SETCURSOR:
        HandleSetCursor(Message);
        return;
    case CM_DIALOGCHAR:
        HandleDialogChar(Message);
        return;
    case CM_ENABLEDCHANGED:
        TZirOvararIzazCore::WndProc(Message);
        Invalidate();
        return;
    case CM_COLORCHANGED:
        TZirOvararIzazCore::WndProc(Message);
        if (FloatingFooter()->Visible()) Invalidate();
        return;
    case CM_CURSORCHANGED:
        TZirOvararIzazCore::WndProc(Message);
        if (!FInvokedChange) FMouseSelectMode = msNormal;
        FInvokedChange = false;
        return;
    default:
        TZirOvararIzazCore::WndProc(Message);
    }
}

void TZirOvararIzazInput::HandleGridEditDone(Integer ACol, Integer ARow) {
    if (OnEditCellDone) OnEditCellDone(this, ACol, ARow);
    if (MouseActions()->EditOnDblClickOnly()) {
        HideInplaceEdit();
        FEditMode = false;
        TGridOptions Opts = Options();
        Opts.Exclude(goEditing);
        SetOptions(Opts);
    }
    if (!FEditMode && FocusHelper()->Enabled()) UpdateFocusWindow();
}

void TZirOvararIzazInput::HandleGridEditInvalid(Integer ACol, Integer ARow) {
    FocusCell(ACol, ARow);
    const String Kept = FInvalidCache;
    SetCells(RealColIndex(Col()), Row(), Kept);
    ShowInplaceEdit();
    ValidateCell(Kept);
    if (TKelInplaceEdit* Edit = NormalEdit()) {
        const bool Old = FNoEditChange;
        FNoEditChange = true;
        Edit->SetText(Kept);
        FNoEditChange = Old;
        Edit->SelectAll();
    }
    FInvalidSel = false;
}

void TZirOvararIzazInput::HandleEditorTextChange(TMessage& Message) {
    if (!FShowEditProcess) return;
    TKelInplaceEdit* Edit = NormalEdit();
    if (!Edit || !Edit->HandleAllocated() || reinterpret_cast<HWND>(Message.LParam) != Edit->Handle()) return;
    if (!FEditMode || !IsNormalEditorKind()) return;
    SetEditText(Col(), Row(), Edit->Text());
}

bool TZirOvararIzazInput::IsNormalKind(TEditorType Kind) {
    switch (Kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

// ---- Click, enter, exit ------------------------------------------------------------

void TZirOvararIzazInput::Click() {
    TZirOvararIzazCore::Click();
    SaveOldCellText(Col(), Row());
}

void TZirOvararIzazInput::DoEnter() {
    if (FBlockFocus) return;
    const bool Inside = Col() >= 0 && Row() >= 0 && Col() < ColCount() && Row() < RowCount();
    try {
        TZirOvararIzazCore::DoEnter();
        if ((Options().Contains(goEditing) || MouseActions()->Settings().RangeSelectAndEdit) && Inside)
            SelectCell(Col(), Row());
    } catch (...) {
        if (Inside) SaveOldCellText(Col(), Row());
        throw;
    }
    if (Inside) SaveOldCellText(Col(), Row());
    if (MouseActions()->HotmailRowSelect() && Col() == ColCount()) FocusCell(LeftCol(), TopRow());
}

void TZirOvararIzazInput::DoExit() {
    if (FBlockKill) return;
    if (FSelChange && MouseActions()->DisjunctRowSelect()) SelectionToRowSelect(false);
    FSelChange = false;
    TZirOvararIzazCore::DoExit();
}

// ---- Focus -------------------------------------------------------------------------

void TZirOvararIzazInput::HandleKillFocus(TMessage& Message) {
    if (FBlockKill) {
        Message.Result = 1;
        return;
    }
    TZirOvararIzazCore::WndProc(Message);
    if (IsMergedCell(RealColIndex(Col()), Row())) RepaintCell(Col(), Row());
    if (FCtrlDown) {
        FCtrlDown = false;
        RepaintCell(FCtrlXY.X, FCtrlXY.Y);
    }
    if (HoverButtons()->Enabled()) HideButtonForm(this);
}

void TZirOvararIzazInput::HandleSetFocus(TMessage& Message) {
    if (FInvokedFocusChange) return;
    TZirOvararIzazCore::WndProc(Message);
    if (HasCheckBox(Col(), Row())) return;
    const HWND From = reinterpret_cast<HWND>(Message.WParam);
    const bool Visible = Col() >= LeftCol() && Col() <= LeftCol() + VisibleColCount() && Row() >= TopRow() &&
                         Row() <= TopRow() + VisibleRowCount();
    const bool Moving = GridState() == gsRowMoving || GridState() == gsColMoving;
    const TNavigationSettings& Nav = Navigation()->Settings();
    if (TKelInplaceEdit* Edit = NormalEdit()) {
        const bool FromEditor = Edit->HandleAllocated() && From == Edit->Handle();
        const bool TextKind = FEditControl == edNormal || FEditControl == edCapital || FEditControl == edMixedCase ||
                              FEditControl == edLowerCase || FEditControl == edUpperCase ||
                              FEditControl == edValidChars;
        if (!FromEditor && !Moving && Nav.AlwaysEdit && TextKind) {
            bool CanEdit = true;
            DoCanEdit(RealColIndex(Col()), Row(), CanEdit);
            if (Visible && CanEdit) {
                ShowInplaceEdit();
                Message.Result = 0;
                return;
            }
        }
    } else if (Nav.AlwaysEdit) {
        bool CanEdit = true;
        DoCanEdit(RealColIndex(Col()), Row(), CanEdit);
        if (Visible && CanEdit && !MouseActions()->Settings().DirectEdit &&
            !ControlLook()->DropDownAlwaysVisible() && DoHasComboBox(RealColIndex(Col()), Row(), edNone))
            ShowInplaceEdit();
    }
    if (IsMergedCell(RealColIndex(Col()), Row())) Invalidate();
}

// ---- Cursor, dialog characters -----------------------------------------------------

void TZirOvararIzazInput::HandleSetCursor(TMessage& Message) {
    const bool Sizing = GridState() == gsRowSizing || GridState() == gsColSizing;
    if (FMouseSelectMode != msNormal && !Sizing) {
        if (FMouseSelectMode == msColumn)
            winapi::SetCursor(GridCursor(8011));
        else if (FMouseSelectMode == msRow)
            winapi::SetCursor(GridCursor(8010));
        else if (FMouseSelectMode == msAll || FMouseSelectMode == msResize)
            winapi::SetCursor(GridCursor(8012));
        Message.Result = 1;
    } else if (FCellSelectorMode) {
        winapi::SetCursor(GridCursor(8014));
        Message.Result = 1;
    } else {
        TZirOvararIzazCore::WndProc(Message);
        TPoint P;
        GetCursorPos(P);
        P = ScreenToClient(P);
        Integer C = -1, R = -1;
        MouseToCell(P.X, P.Y, C, R);
        if (C >= 0 && R >= 0) DoGetCellCursor(C, R, P.X, P.Y);
    }
    if (FSizeFixed || FSizingFixed) {
        winapi::SetCursor(LoadCursor(IDC_SIZEWE));
        Message.Result = 1;
    }
    if (FSizeFixedR || FSizingFixedR) {
        winapi::SetCursor(LoadCursor(IDC_SIZENS));
        Message.Result = 1;
    }
}

void TZirOvararIzazInput::HandleDialogChar(TMessage& Message) {
    // The search footer's buttons take their accelerators with the search
    // layer; nothing else here answers a dialog character.
    Message.Result = 0;
}

// ---- Cells changed and the footer --------------------------------------------------

void TZirOvararIzazInput::CellsChanged(TRect R) {
    TZirOvararIzazCore::CellsChanged(R);
    if (OnCellsChanged) OnCellsChanged(this, R);
    CalcFooter(-1);
}

void TZirOvararIzazInput::RecalcFooter(Integer ACol) {
    (void)ACol;
    CalcFooter(-1);
}

void TZirOvararIzazInput::UpdateFooterCell(Integer ACol, Integer ARow) {
    (void)ARow;
    CalcFooter(ACol);
}

// ---- Style colours, hover highlight ------------------------------------------------

void TZirOvararIzazInput::ApplyStyleServicesColors(bool ResetCells) {
    const bool WasVCLStyles = FUseVCLStyles;
    FUseVCLStyles = false;
    FUseScrollStyles = false;
    // No visual style is active on this platform: the classic colours hold.
    const bool Use = false;
    (void)WasVCLStyles;
    if (ResetCells) {
        SetColor(clWindow);
        SetGridLineColor(0xC0C0C0);
        SetGridFixedLineColor(0x808080);
        FixedFont()->SetColor(clWindowText);
        SetSelectionTextColor(clWindowText);
        TGridOptions Opts = Options();
        Opts.Include(goFixedVertLine);
        Opts.Include(goFixedHorzLine);
        SetOptions(Opts);
        if (!ParentFont()) Font()->SetColor(0x000000);
    }
    (void)Use;
}

void TZirOvararIzazInput::ResetFixedCellHighlight() {
    FSizeFixed = false;
    FSizeFixedR = false;
    FNoMouseLeave = false;
    if (HoverFixedCells() != hfNone && (FHoverFixedX != -1 || FHoverFixedY != -1)) {
        const Integer X = FHoverFixedX, Y = FHoverFixedY;
        FHoverFixedX = -1;
        FHoverFixedY = -1;
        if (X >= 0 && Y >= 0) RepaintCell(X, Y);
    }
}
