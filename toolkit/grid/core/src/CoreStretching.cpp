// Column stretching, the reactions to changed column widths, row heights
// and dimensions (with the user's sizing of one column or row), and the
// footer row's calculation.

#include "grid/GridPanels.h"
#include "grid/ZirOvararIzazCore.h"
#include "vcl/Forms.h"

#include <cmath>

namespace {

bool ApplicationTerminating() {
    return Application && Application->Terminated();
}

} // namespace

// ---- Stretching ----

void TZirOvararIzazCore::ApplyColumnStretch(Integer StretchCol, Integer Width) {
    if (IsLoading() || IsDestroying() || ApplicationTerminating()) return;
    if (StretchCol < -1 || StretchCol >= ColCount()) return;
    if (Width == -1) Width = ClientWidth();
    if (StretchCol == -1) StretchCol = ColCount() - 1;
    if (ColCount() == 0 || !FColumnSize->Stretch() || FColChanging) return;
    FColChanging = true;
    FColChangeAllowed = false;
    auto Allowed = [this](Integer ACol) {
        bool Allow = true;
        DoColumnSize(ACol, Allow);
        return Allow;
    };
    try {
        if (ColCount() == 1) {
            if (Allowed(0)) SetColWidths(0, Width);
        } else if (FColumnSize->StretchAll()) {
            const Integer N = ColCount() - FixedCols() - FFixedRightCols;
            if (N > 0) {
                // The rest is shared; the first columns take a pixel of the
                // remainder each.
                const Integer Rest = std::max(0, Width - FixedColumnsWidth());
                for (Integer i = 0; i < N; ++i) {
                    const Integer C = FixedCols() + i;
                    if (Allowed(C)) SetColWidths(C, Rest / N + (i < Rest % N ? 1 : 0));
                }
            }
        } else {
            Integer Others = 0;
            for (Integer c = 0; c < ColCount(); ++c)
                if (c != StretchCol) Others += ColWidths(c);
            if (Width < Others) {
                // Too narrow: the column falls back to the default width,
                // unless the grid is scrolled sideways.
                if (LeftCol() == FixedCols() && Allowed(StretchCol)) SetColWidths(StretchCol, DefaultColWidth());
            } else if (Allowed(StretchCol)) {
                SetColWidths(StretchCol, Width - Others);
            }
        }
    } catch (...) {
        FColChanging = false;
        FColChangeAllowed = true;
        throw;
    }
    FColChanging = false;
    FColChangeAllowed = true;
    if (FFloatingFooter->Visible() && FFooterPanel) FFooterPanel->SetAlign(alBottom);
}

void TZirOvararIzazCore::StretchColumns() {
    // Both flags directly: no stretch from their setters on the way.
    FColumnSize->StoreStretchAll(true);
    FColumnSize->StoreStretch(true);
    ApplyColumnStretch(-1, -1);
}

void TZirOvararIzazCore::ReStretchColumns() {
    if (Parent()) ApplyColumnStretch(FColumnSize->StretchColumn(), -1);
}

// ---- The user's sizing ----

void TZirOvararIzazCore::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft) {
        TGridState State = gsNormal;
        Integer Index = -1, Pos = 0, Ofs = 0;
        CalcSizingState(X, Y, State, Index, Pos, Ofs);
        if (State == gsColSizing) {
            FClickedCol = Index;
            FClickedColWidth = ColWidths(Index);
            FColSizedByUser = true;
        } else if (State == gsRowSizing) {
            FClickedRow = Index;
            FClickedRowHeight = RowHeights(Index);
            FRowSizedByUser = true;
        }
    }
    TBaseGrid::MouseDown(Button, Shift, X, Y);
}

void TZirOvararIzazCore::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    // A release that changed no size leaves no record behind.
    if (Button == mbLeft && (FColSizedByUser || FRowSizedByUser)) {
        FColSizedByUser = FRowSizedByUser = false;
        FClickedCol = FClickedRow = -1;
    }
}

// ---- Notifications of the platform grid ----

void TZirOvararIzazCore::ColWidthsChanged() {
    if (FColWidthsInternal)
        TBaseGrid::ColWidthsChanged();
    else
        HandleColWidthsChanged();
}

void TZirOvararIzazCore::RowHeightsChanged() {
    HandleRowHeightsChanged();
}

void TZirOvararIzazCore::SizeChanged(Integer OldColCount, Integer OldRowCount) {
    HandleSizeChanged(OldColCount, OldRowCount);
}

void TZirOvararIzazCore::HandleColWidthsChanged() {
    // The user's sizing is taken once: widths set below see none.
    const bool UserSized = FColSizedByUser && FClickedCol >= 0 && FClickedCol < ColCount();
    const Integer SizedCol = FClickedCol;
    FColSizedByUser = false;

    if (FColChangeAllowed && HandleAllocated()) ApplyColumnStretch(FColumnSize->StretchColumn(), -1);
    TBaseGrid::ColWidthsChanged();
    FColumnsSized = true;

    if (UserSized) {
        const Integer NewWidth = ColWidths(SizedCol);
        if (FMouseActions->Settings().AllColumnSize && FClickedColWidth > 0) {
            const Double Factor = Double(NewWidth) / Double(FClickedColWidth);
            for (Integer c = FixedCols(); c < ColCount(); ++c)
                if (c != SizedCol) SetColWidths(c, Integer(std::nearbyint(ColWidths(c) * Factor)));
        }
        if (OnEndColumnSize) OnEndColumnSize(this, SizedCol);
        Integer W = ColWidths(SizedCol);
        DoUpdateColumnSize(SizedCol, W);
        if (W != ColWidths(SizedCol)) {
            FColWidthsInternal = true;
            SetColWidths(SizedCol, W);
            FColWidthsInternal = false;
        }
        FClickedCol = FClickedRow = -1;
    }
    // The in-place editors follow their cell once the input layer places
    // them; a check box cell needs no editor.
    if (HasCheckBox(Col(), Row())) SetEditorMode(false);
    UpdateFooter();
    CellControlsUpdate(false);
}

void TZirOvararIzazCore::HandleRowHeightsChanged() {
    const bool UserSized = FRowSizedByUser && FClickedRow >= 0 && FClickedRow < RowCount();
    const Integer SizedRow = FClickedRow;
    FRowSizedByUser = false;

    TBaseGrid::RowHeightsChanged();
    // Heights the grid sets itself need nothing more.
    if (FRHChanging) return;

    if (UserSized) {
        if (FMouseActions->Settings().AllRowSize && FClickedRowHeight > 0 && SizedRow >= FixedRows()) {
            const Integer CurrentRow = Row();
            const Double Factor = Double(RowHeights(SizedRow)) / Double(FClickedRowHeight);
            BeginUpdate();
            std::vector<Integer> FixedHeights;
            for (Integer r = 0; r < FixedRows(); ++r) FixedHeights.push_back(RowHeights(r));
            FRHChanging = true;
            for (Integer r = FixedRows(); r < RowCount(); ++r)
                if (r != SizedRow) SetRowHeights(r, Integer(std::nearbyint(RowHeights(r) * Factor)));
            if (FixedRows() < RowCount()) SetDefaultRowHeight(RowHeights(FixedRows()));
            for (Integer r = 0; r < Integer(FixedHeights.size()); ++r) SetRowHeights(r, FixedHeights[size_t(r)]);
            FRHChanging = false;
            EndUpdate();
            SetRow(CurrentRow);
        }
        if (OnEndRowSize) OnEndRowSize(this, SizedRow);
        FClickedCol = FClickedRow = -1;
    }
    if (HasCheckBox(Col(), Row())) SetEditorMode(false);
    CellControlsUpdate(false);
}

void TZirOvararIzazCore::HandleSizeChanged(Integer OldColCount, Integer OldRowCount) {
    if (!Parent() || IsLoading() || ApplicationTerminating()) return;
    if (HandleAllocated() && FColumnSize->Stretch()) ApplyColumnStretch(FColumnSize->StretchColumn(), -1);
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

// ---- Drop-position arrows ----

TColor TZirOvararIzazCore::ArrowColor() const {
    auto* Self = const_cast<TZirOvararIzazCore*>(this);
    if (TWinControl* Up = Self->DropArrow(arrUp)) return Up->Color();
    return FArrowColor;
}

void TZirOvararIzazCore::SetArrowColor(TColor Value) {
    FArrowColor = Value;
    for (Integer d = arrUp; d <= arrRight; ++d)
        if (TWinControl* Arrow = DropArrow(d)) Arrow->SetColor(Value);
}

// ---- The footer row ----

void TZirOvararIzazCore::UpdateFooter() {
    if (FFooterPanel) FFooterPanel->Invalidate();
}

void TZirOvararIzazCore::CalcFooter(Integer ACol) {
    DoCalcFooter(ACol);
}

void TZirOvararIzazCore::DoCalcFooter(Integer ACol) {
    if (!FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow ||
        !FFloatingFooter->EnableCalculation())
        return;
    const Integer FooterRow = RowCount() - 1;
    if (FooterRow < 0) return;
    const Integer Hidden = FFloatingFooter->CalculateHiddenRows() ? NumHiddenRows() : 0;
    // Every row above the footer, hidden ones included when asked for: the
    // range then counts real rows, so that it reads the hidden rows and
    // never the footer row itself.
    TColumnRange Range;
    Range.FromRow = FixedRows();
    Range.ToRow = RowCount() + Hidden - 2;
    Range.RealIndex = Hidden > 0;
    const Integer First = ACol == -1 ? 0 : ACol;
    const Integer Last = ACol == -1 ? AllColCount() - 1 : ACol;
    for (Integer c = First; c <= Last; ++c) {
        if (c < 0 || c >= AllColCount() || !HasCellProperties(c, FooterRow)) continue;
        const TColumnCalcType Kind = GetRawObject(c, FooterRow)->CalcType();
        switch (Kind) {
        case acSUM:
        case acAVG:
        case acMIN:
        case acMAX:
        case acDISTINCT:
        case acSTDDEV:
            try {
                SetFloats(c, FooterRow, RangeCalc(c, Range, Kind));
            } catch (const EKelGridError&) {
                // A calculation that needs a number where the column holds
                // none shows nothing rather than failing the cell change
                // that asked for it.
                SetCells(c, FooterRow, String());
            }
            break;
        case acCOUNT:
            SetInts(c, FooterRow, RowCount() + Hidden - FixedRows() - 1);
            break;
        case acCUSTOM: {
            String Value;
            if (OnFooterCalc)
                OnFooterCalc(this, c, RowCount() + Hidden - 1, Value);
            else if (FFloatingFooter->OnCalcFooter)
                FFloatingFooter->OnCalcFooter(this, c, RowCount() + Hidden - 1, Value);
            SetCells(c, FooterRow, Value);
            break;
        }
        default:
            break;
        }
    }
}
