// The grid's painting: DrawCell for every shown cell, fixed ones and the
// partly shown last ones included, with its draw state; with DefaultDrawing
// the grid also fills the cells, draws the grid lines and the focus frame.

#include "vcl/Grids.h"

void TCustomGrid::Paint() {
    TCanvas* C = Canvas();
    const TRect Clip = C->ClipRect();
    const TAxis H = Horz();
    const TAxis V = Vert();
    const TGridRect Sel = Selection();
    const bool HasFocus = HandleAllocated() && Focused();
    const Integer LastCol = H.LastShown();
    const Integer LastRow = V.LastShown();

    if (FDefaultDrawing) {
        C->Brush()->SetColor(Color());
        C->FillRect(ClientRect());
    }
    auto Shown = [](const TAxis& Axis, Integer Index) {
        return Index < Axis.FixedCount || Index >= Axis.First;
    };
    for (Integer R = 0; R <= LastRow; ++R) {
        if (!Shown(V, R) || V.Size(R) == 0) continue;
        const Integer Y = V.Start(R);
        if (Y < 0) continue;
        for (Integer Cl = 0; Cl <= LastCol; ++Cl) {
            if (!Shown(H, Cl) || H.Size(Cl) == 0) continue;
            const Integer X = H.Start(Cl);
            if (X < 0) continue;
            const TRect Cell{X, Y, X + H.Size(Cl), Y + V.Size(R)};
            const TRect WithLines{X, Y, Cell.Right + FGridLineWidth, Cell.Bottom + FGridLineWidth};
            if (WithLines.Right <= Clip.Left || WithLines.Left >= Clip.Right ||
                WithLines.Bottom <= Clip.Top || WithLines.Top >= Clip.Bottom)
                continue;
            const bool Fixed = Cl < FFixedCols || R < FFixedRows;
            TGridDrawState State;
            bool FocusedCell = false;
            if (Fixed) {
                State.Include(gdFixed);
            } else {
                FocusedCell = HasFocus && Cl == FCurrent.X && R == FCurrent.Y;
                if (FocusedCell) State.Include(gdFocused);
                if (Sel.Contains(Cl, R) && (!FocusedCell || FOptions.Contains(goDrawFocusSelected) ||
                                            FOptions.Contains(goRowSelect)))
                    State.Include(gdSelected);
                if (FOptions.Contains(goRowSelect) && R == FCurrent.Y) State.Include(gdRowSelected);
            }
            C->Font()->Assign(Font());
            if (FDefaultDrawing) {
                if (Fixed) {
                    C->Brush()->SetColor(FFixedColor);
                } else if (State.Contains(gdSelected)) {
                    C->Brush()->SetColor(clHighlight);
                    C->Font()->SetColor(clHighlightText);
                } else {
                    C->Brush()->SetColor(Color());
                }
                C->FillRect(Cell);
            } else {
                C->Brush()->SetColor(Fixed ? FFixedColor : Color());
            }
            DrawCell(Cl, R, Cell, State);
            if (!FDefaultDrawing) continue;
            if (FocusedCell && !FOptions.Contains(goRowSelect) && !(FEditorMode && FInplaceEdit))
                C->DrawFocusRect(Cell);
            if (FGridLineWidth > 0) {
                const bool Vertical = FOptions.Contains(Fixed ? goFixedVertLine : goVertLine);
                const bool Horizontal = FOptions.Contains(Fixed ? goFixedHorzLine : goHorzLine);
                C->Brush()->SetColor(Fixed ? clBlack : clSilver);
                if (Vertical) C->FillRect({Cell.Right, Cell.Top, WithLines.Right, WithLines.Bottom});
                if (Horizontal) C->FillRect({Cell.Left, Cell.Bottom, WithLines.Right, WithLines.Bottom});
            }
        }
    }
}
