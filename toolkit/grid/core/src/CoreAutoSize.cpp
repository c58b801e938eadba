// Columns and rows sized to their contents, the columns spread over the
// control, the control sized to its cells, numbering, the exchange of two
// columns or rows (and the sort's row exchange), and the selection of a
// rectangle of cells with its text.

#include "grid/ZirOvararIzazCore.h"

#include "gridbase/RarEvad.h"
#include "rtl/FlagScope.h"
#include "rtl/MathUtils.h"
#include "vcl/RichEdit.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>
#include <utility>

// ---- Row exchange of the sort ----

void TZirOvararIzazCore::SwapListEntries(TIntList* List, Integer A, Integer B, Integer Fill) {
    if (A < 0 || B < 0 || A == B) return;
    while (List->Count() <= std::max(A, B)) List->Add(Fill);
    const Integer Value = List->Items(A);
    List->SetItems(A, List->Items(B));
    List->SetItems(B, Value);
}

void TZirOvararIzazCore::SortSwapRows(Integer ARow1, Integer ARow2) {
    ++FSwaps;
    const Integer XRefs = FSortRowXRef->Count();
    if (ARow1 >= 0 && ARow2 >= 0 && ARow1 < XRefs && ARow2 < XRefs) SwapListEntries(FSortRowXRef.get(), ARow1, ARow2, 0);
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0) return;

    if (FSortSettings->SingleColumn()) {
        // One cell per row changes places; the rows' flags, heights and
        // SortRow stay where they are (the enabled flags belong to the row,
        // not to the one cell that moved).
        Integer C = FSortSettings->Column();
        if (FSortSettings->IndexShow() && C < 0 && FSortIndexes->Count() > 0) C = FSortIndexes->SortColumns(0);
        if (C < 0) return;
        const String Text1 = TStringGrid::Cells(C, ARow1);
        TObject* Object1 = TStringGrid::Objects(C, ARow1);
        TStringGrid::SetCells(C, ARow1, TStringGrid::Cells(C, ARow2));
        TStringGrid::SetObjects(C, ARow1, TStringGrid::Objects(C, ARow2));
        TStringGrid::SetCells(C, ARow2, Text1);
        TStringGrid::SetObjects(C, ARow2, Object1);
        for (const Integer r : {ARow1, ARow2})
            if (auto* Props = static_cast<TCellProperties*>(TStringGrid::Objects(C, r))) {
                Props->SetOwnerCol(C);
                Props->SetOwnerRow(r);
            }
        return;
    }

    // The row flags are kept by real row: with hidden rows the two displayed
    // rows stand for other real indexes.
    const bool InGrid = ARow1 < RowCount() && ARow2 < RowCount();
    const Integer Real1 = InGrid && NumHiddenRows() > 0 ? RealRowIndex(ARow1) : ARow1;
    const Integer Real2 = InGrid && NumHiddenRows() > 0 ? RealRowIndex(ARow2) : ARow2;
    if (FEnabledRowsInUse) SwapListEntries(FEnabledRows.get(), Real1, Real2, 0);
    if (!InGrid) return;

    // The two rows change places in the row store: their cells (every
    // column, hidden ones too) and heights move as whole rows.
    ExchangeStoreRows(ARow1, ARow2);

    if (FMouseActions->DisjunctRowSelect() && FNavigation->Settings().MoveRowOnSort) {
        const bool Sel1 = RowSelectEntry(Real1);
        const bool Sel2 = RowSelectEntry(Real2);
        FRowSelectFlags[size_t(Real1)] = Sel2;
        FRowSelectFlags[size_t(Real2)] = Sel1;
    }
    if (FShowModified->Enabled()) SwapListEntries(FModifiedRows.get(), Real1, Real2, 0);
    if (FSortRow == ARow1)
        FSortRow = ARow2;
    else if (FSortRow == ARow2)
        FSortRow = ARow1;
}

// ---- Shared measuring ----

void TZirOvararIzazCore::SetUpMeasuredCell(Integer ACol, Integer ARow, bool IsFixed) {
    TCanvas* C = Canvas();
    AssignCellFont(C->Font(), IsFixed, true);
    DoGetCellColor(ACol, ARow, TGridDrawState(), C->Brush(), C->Font());
}

// ---- Content sizing ----

void TZirOvararIzazCore::AutoSizeCells(bool DoFixedCells, Integer PaddingX, Integer PaddingY) {
    const Integer FirstCol = DoFixedCells ? 0 : FixedCols();
    const Integer FirstRow = DoFixedCells ? 0 : FixedRows();
    BeginUpdate();
    try {
        for (Integer c = FirstCol; c < ColCount(); ++c) {
            const Integer R = RealColIndex(c);
            Integer W = FSizeGrowOnly ? ColWidths(c) : 0;
            for (Integer r = FirstRow; r < RowCount(); ++r) {
                const Integer H = RowHeights(r);
                SetUpMeasuredCell(c, r, c < FixedCols() || r < FixedRows());
                const TPoint G = GetCellGraphicSize(R, r);
                const TSize T = CalcCellTextSize(c, R, r, true, false);
                const Integer w = T.cx + G.X + PaddingX + FXYOffset.X;
                const Integer h = T.cy + G.Y + PaddingY + FXYOffset.Y;
                if (!IsXMergedCell(R, r) && W < w) {
                    const Integer v = ApplyMinMaxSize(w, FMinColWidth, FMaxColWidth);
                    if (W < v) {
                        SetColWidths(c, v);
                        W = v;
                    }
                }
                if (!IsYMergedCell(R, r) && H < h) {
                    const Integer v = ApplyMinMaxSize(h, FMinRowHeight, FMaxRowHeight);
                    if (H < v) SetRowHeights(r, v);
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZirOvararIzazCore::SizeColumnToContent(Integer ACol, bool GrowOnly) {
    const Integer R = RealColIndex(ACol);
    Integer From = 0;
    Integer To = RowCount() - 1;
    switch (FColumnSize->Rows()) {
    case arNormal:
        From = FixedRows();
        To = RowCount() - FFixedFooters;
        break;
    case arFixed:
        To = FixedRows();
        break;
    case arVisible:
        From = TopRow();
        To = TopRow() + VisibleRowCount();
        break;
    default:
        break;
    }
    Integer M = 0;
    for (Integer r = From; r <= To; ++r) {
        if (IsXMergedCell(R, r)) continue;
        SetUpMeasuredCell(ACol, r, ACol < FixedCols() || r < FixedRows());
        Integer w = GetCellGraphicSize(R, r).X + CalcCellTextSize(ACol, R, r, true, WordWrap()).cx;
        if (ACol == 0 && IsNode(r)) w += 16;
        if (FControlLook->DropDownAlwaysVisible() && DoHasComboBox(ACol, r, edNone))
            w += Integer(Round(FControlLook->DropDownButtonWidth() * Double(FDPIScale)));
        if (FFilterDropDownAuto && r == FFilterDropDownRow && DoGetColumnFilter(ACol)) w += 16;
        if (IsSortIndicatorCell(ACol, r) &&
            (ACol == FSortSettings->Column() || FSortIndexes->FindIndex(ACol) >= 0))
            w += 10;
        if (TCellGraphic* G = GetCellGraphic(R, r); G && G->CellHAlign() == haFull)
            w = GetCellGraphicSize(R, r).X - 2 * GridLineWidth() - FXYOffset.X - 2;
        M = std::max(M, w);
    }
    Integer Width = TotalXOffset() + M + 2 * GridLineWidth() + 2;
    if (GrowOnly && Width <= ColWidths(ACol)) return;
    DoUpdateAutoColumnSize(ACol, Width);
    SetColWidths(ACol, ApplyMinMaxSize(Width, FMinColWidth, FMaxColWidth));
}

void TZirOvararIzazCore::AutoSizeCol(Integer ACol, Integer Padding) {
    if (ACol == 0 && HasNodes()) {
        Integer a = 0;
        switch (FCellNode->NodeType()) {
        case ZirOvararIzaz::cnFlat:
        case ZirOvararIzaz::cnXP:
            a = 4;
            break;
        case ZirOvararIzaz::cn3D:
            a = 6;
            break;
        case ZirOvararIzaz::cnGlyph:
            a = FCellNode->ExpandGlyph()->Empty() ? 0 : FCellNode->ExpandGlyph()->Width() / 2;
            break;
        case ZirOvararIzaz::cnLeaf:
            a = 8;
            break;
        }
        Integer Width = 0;
        for (Integer r = 0; r < RowCount(); ++r)
            Width = std::max(Width, a + GetNodeLevel(r) * FCellNode->NodeIndent());
        SetColWidths(0, Width);
    }
    SizeColumnToContent(ACol, FSizeGrowOnly);
    if (Padding != 0) SetColWidths(ACol, ApplyMinMaxSize(ColWidths(ACol) + Padding, FMinColWidth, FMaxColWidth));
}

void TZirOvararIzazCore::AutoSizeColumns(bool DoFixedCols, Integer Padding) {
    const Integer First = DoFixedCols ? 0 : FixedCols();
    const Integer Last = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    for (Integer c = First; c <= Last; ++c) {
        AutoSizeCol(c, 0);
        if (Padding != 0) SetColWidths(c, ApplyMinMaxSize(ColWidths(c) + Padding, FMinColWidth, FMaxColWidth));
    }
}

void TZirOvararIzazCore::AutoGrowColumns(bool DoFixedCols, Integer Padding) {
    TFlagScope Grow(FSizeGrowOnly, true);
    AutoSizeColumns(DoFixedCols, Padding);
}

void TZirOvararIzazCore::AutoGrowCol(Integer ACol, Integer Padding) {
    TFlagScope Grow(FSizeGrowOnly, true);
    AutoSizeCol(ACol, Padding);
}

void TZirOvararIzazCore::SizeRowToLines(Integer ARow, Integer Lines, Integer Padding) {
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    DoGetCellColor(FixedCols(), ARow, TGridDrawState(), C->Brush(), C->Font());
    const Integer h = C->TextHeight(u"gh");
    SetRowHeights(ARow, FXYOffset.Y + ApplyMinMaxSize(Padding + (h + 2) * Lines, FMinRowHeight, FMaxRowHeight));
}

void TZirOvararIzazCore::AutoSizeRow(Integer ARow, Integer Padding) {
    SizeRowToContent(ARow, FSizeGrowOnly, Padding);
    if (Padding != 0)
        SetRowHeights(ARow, ApplyMinMaxSize(RowHeights(ARow) + Padding, FMinRowHeight, FMaxRowHeight));
}

void TZirOvararIzazCore::AutoSizeRows(bool DoFixedRows, Integer Padding) {
    if (RowCount() <= 0) return;
    const Integer First = DoFixedRows ? 0 : FixedRows();
    ExportNotification(esExportStart, First);
    for (Integer r = First; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        if (IsSuppressedRow(r)) continue;
        if (WordWrap()) {
            AutoSizeRow(r, 0);
            if (Padding != 0)
                SetRowHeights(r, ApplyMinMaxSize(RowHeights(r) + Padding, FMinRowHeight, FMaxRowHeight));
        } else {
            SizeRowToLines(r, MaxLinesInRow(r), Padding);
        }
    }
    ApplyScrollBarAlways(true);
    ExportNotification(esExportDone, -1);
}

void TZirOvararIzazCore::SizeRowToContent(Integer ARow, bool GrowOnly, Integer HeightReserve) {
    const bool Editing = EditorMode() && FSizeWhileTyping->Height() && VisibleRowCount() == RowCount();
    Integer M = 0;
    for (Integer c = 0; c < ColCount(); ++c) {
        const Integer R = RealColIndex(c);
        if (IsYMergedCell(R, ARow) || IsIgnoredColumn(R)) continue;
        SetUpMeasuredCell(c, ARow, ARow < FixedRows() || c < FixedCols());
        if (FZoomFactor != 0) {
            const Integer Size = Canvas()->Font()->Size() + FZoomFactor;
            Canvas()->Font()->SetSize(Size == 0 ? 1 : Size);
        }
        Integer T = CalcCellTextSize(c, R, ARow, false, WordWrap()).cy;
        Integer G = GetCellGraphicSizeEx(R, ARow, HeightReserve).Y;
        TCellGraphic* Obj = GetCellGraphic(R, ARow);
        if (Obj) {
            if (Obj->CellVAlign() == vaFull) G = T != 0 ? 0 : DefaultRowHeight();
            if ((Obj->CellType() == ctDataCheckBox || Obj->CellType() == ctVirtCheckBox) && G > 0) T = 0;
        }
        Integer h = IsMergedNonBaseCell(R, ARow) ? 0 : T + G;
        if (Obj && T != 0) {
            switch (Obj->CellType()) {
            case ctCheckBox:
            case ctDataCheckBox:
            case ctButton:
            case ctBitButton:
            case ctVirtCheckBox:
            case ctRadioButton:
                h = std::max(T, G);
                break;
            default:
                break;
            }
        }
        M = std::max(M, h);
    }
    const Integer Height = TotalYOffset() + M + 2 * GridLineWidth() + (FXYOffsetTopLeftOnly ? 2 : 0);
    if (!GrowOnly || RowHeights(ARow) < Height)
        SetRowHeights(ARow, ApplyMinMaxSize(Height, FMinRowHeight, FMaxRowHeight));
    if (Editing && VisibleRowCount() != RowCount()) ShowInplaceEdit();
}

// ---- Fitting the columns and the control ----

void TZirOvararIzazCore::AutoFitColumns(bool DoFixedCells) {
    const bool VertBar = ScrollBarAlways() == saVert ||
                         (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount());
    const Integer s = VertBar ? winapi::GetSystemMetrics(winapi::SM_CXVSCROLL) : 0;
    const Integer b = BorderStyle() == bsSingle ? (Ctl3D() ? 4 : 2) : 0;
    Integer First = 0;
    Integer Last = ColCount() - 1;
    Integer W = Width();
    if (!DoFixedCells) {
        First = FixedCols();
        Last = ColCount() - 1 - FFixedRightCols;
        for (Integer c = 0; c < First; ++c) W -= ColWidths(c);
        for (Integer c = Last + 1; c < ColCount(); ++c) W -= ColWidths(c);
    }
    if (Last < First) return;
    auto Sum = [&] {
        Integer S = 0;
        for (Integer c = First; c <= Last; ++c) S += ColWidths(c);
        return S;
    };
    if (ColCount() < 2) {
        SetColWidths(0, Width() - s - 5);
    } else {
        Integer L = 0;
        if (Options().Contains(goVertLine)) L = GridLineWidth() * (ColCount() - FixedCols() - FFixedRightCols);
        if (Options().Contains(goFixedVertLine) && DoFixedCells) L += FixedCols() + FFixedRightCols;
        const Integer S = Sum();
        if (W - s - b == S || S == 0) return;
        Double f = Double(W - s - b - L) / S;
        Int64 Tot = 0;
        for (Integer c = First; c <= Last; ++c) Tot += Round(ColWidths(c) * f);
        f = Double(Tot) / S;
        for (Integer c = First; c <= Last; ++c) SetColWidths(c, Integer(Round(ColWidths(c) * f)));
    }
    // The remainder of the rounding: spread in whole steps, the rest to the
    // widest column.
    Integer r = W - (Sum() + s + b);
    const Integer n = Last - First + 1;
    if (n < r && n >= 2) {
        const Integer q = r / n;
        for (Integer c = First; c <= Last; ++c) SetColWidths(c, ColWidths(c) + q);
        r -= n * q;
    }
    Integer Widest = First;
    for (Integer c = First + 1; c <= Last; ++c)
        if (ColWidths(c) > ColWidths(Widest)) Widest = c;
    SetColWidths(Widest, ColWidths(Widest) + r);
    InitOrigColSizes();
}

void TZirOvararIzazCore::SizeToCols() {
    Integer W = 0;
    for (Integer c = 0; c < ColCount(); ++c) W += ColWidths(c);
    SetClientWidth(W);
}

void TZirOvararIzazCore::SizeToRows() {
    Integer H = 0;
    for (Integer r = 0; r < RowCount(); ++r) H += RowHeights(r);
    SetClientHeight(H);
}

void TZirOvararIzazCore::SizeToCells() {
    const TScrollStyle Old = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(Old);
}

// ---- Numbering ----

void TZirOvararIzazCore::AutoNumberCol(Integer ACol) {
    if (RowCount() <= 0) return;
    const Integer Last = RowCount() - FFixedFooters - 1;
    for (Integer k = FixedRows() + FAutoNumberStart; k <= Last; ++k) {
        const Integer Number = k - FixedRows() + 1 + FAutoNumberOffset;
        SetInts(ACol, FAutoNumberDirection == sdAscending ? k : FixedRows() + Last - k, Number);
    }
}

void TZirOvararIzazCore::AutoNumberRow(Integer ARow) {
    if (ColCount() <= 0) return;
    const Integer Last = ColCount() - FFixedRightCols - 1;
    for (Integer k = FixedCols() + FAutoNumberStart; k <= Last; ++k) {
        const Integer Number = k - FixedCols() + 1 + FAutoNumberOffset;
        SetInts(FAutoNumberDirection == sdAscending ? k : FixedCols() + Last - k, ARow, Number);
    }
}

// ---- Exchanging columns and rows ----

void TZirOvararIzazCore::ExchangeStoreRows(Integer ARow1, Integer ARow2) {
    const Integer First = std::min(ARow1, ARow2);
    const Integer Last = std::max(ARow1, ARow2);
    std::vector<Integer> Order(size_t(Last - First + 1));
    for (Integer i = 0; i < Integer(Order.size()); ++i) Order[size_t(i)] = i;
    std::swap(Order.front(), Order.back());
    TStringGrid::PermuteRows(First, Order);
    ReownRows(First, First);
    ReownRows(Last, Last);
}

void TZirOvararIzazCore::ExchangeControls(bool Columns, Integer A, Integer B) {
    for (Integer i = 0; i < FControlList->Count(); ++i) {
        TControlItem* Item = FControlList->GetControl(i);
        Integer& Pos = Columns ? Item->X : Item->Y;
        if (Pos == A)
            Pos = B;
        else if (Pos == B)
            Pos = A;
    }
    if (FControlList->Count() > 0) CellControlsUpdate(false);
}

void TZirOvararIzazCore::SwapColumns(Integer ACol1, Integer ACol2) {
    if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0 || ACol1 >= ColCount() || ACol2 >= ColCount()) return;
    const Integer R1 = RealColIndex(ACol1);
    const Integer R2 = RealColIndex(ACol2);
    // The cells (texts and the records with their objects) change places in
    // every displayed row; the parked cells of hidden rows change places too.
    for (Integer r = 0; r < RowCount(); ++r) {
        const String Text = TStringGrid::Cells(R1, r);
        TObject* Object = TStringGrid::Objects(R1, r);
        TStringGrid::SetCells(R1, r, TStringGrid::Cells(R2, r));
        TStringGrid::SetObjects(R1, r, TStringGrid::Objects(R2, r));
        TStringGrid::SetCells(R2, r, Text);
        TStringGrid::SetObjects(R2, r, Object);
        for (const Integer c : {R1, R2})
            if (auto* Props = static_cast<TCellProperties*>(TStringGrid::Objects(c, r))) {
                Props->SetOwnerCol(c);
                Props->SetOwnerRow(r);
            }
    }
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        TStringList* Items = HiddenItem(i)->Items();
        while (Items->Count() <= std::max(R1, R2)) Items->AddObject(String(), nullptr);
        Items->Exchange(R1, R2);
    }
    const Integer Width1 = ColWidths(ACol1);
    SetColWidths(ACol1, ColWidths(ACol2));
    SetColWidths(ACol2, Width1);
    if (ACol1 == FSortSettings->Column())
        FSortSettings->SetColumn(ACol2);
    else if (ACol2 == FSortSettings->Column())
        FSortSettings->SetColumn(ACol1);
    ExchangeControls(true, ACol1, ACol2);
    CellsChanged(Rect(std::min(ACol1, ACol2), 0, std::max(ACol1, ACol2), RowCount() - 1));
    Invalidate();
}

void TZirOvararIzazCore::SwapRows(Integer ARow1, Integer ARow2) {
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount()) return;
    BeginUpdate();
    try {
        // Whole rows (every column, hidden ones too) with their heights.
        ExchangeStoreRows(ARow1, ARow2);
        ExchangeControls(false, ARow1, ARow2);
        CellsChanged(Rect(0, std::min(ARow1, ARow2), ColCount() - 1, std::max(ARow1, ARow2)));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- Range selection ----

void TZirOvararIzazCore::SelectCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow) {
    if (FMouseActions->DisjunctCellSelect()) {
        ClearSelectedCells();
        if (ToCol < FromCol || ToRow < FromRow) return;
        for (Integer r = FromRow; r <= ToRow; ++r)
            for (Integer c = FromCol; c <= ToCol; ++c) SetSelectedCells(c, r, true);
        return;
    }
    if (FromCol == ToCol && FromRow == ToRow && Col() >= 0 && Row() >= 0 && Col() < ColCount() - 1 &&
        Row() < RowCount() - 1) {
        SetCol(ToCol);
        SetRow(ToRow);
        return;
    }
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

String TZirOvararIzazCore::SelectedText() {
    const TGridRect S = Selection();
    Integer Left = S.Left;
    Integer Right = S.Right;
    if (FDragDropSettings->OleEntireRows()) {
        Left = 0;
        Right = ColCount() - 1;
    }
    if (FSaveHiddenCells) Right += NumHiddenColumns();
    auto RowText = [&](Integer r) {
        String Line;
        for (Integer c = Left; c <= Right; ++c) {
            const Integer At = FSaveHiddenCells ? c : RealColIndex(c);
            String Text = Cells(At, r);
            if (Text.find(u"{\\") != String::npos) {
                CellToRich(At, r, RichEdit());
                Text = RichEdit()->Document().Text();
            }
            if (FExcelClipboardFormat && CountTextLines(Text, FMultilinecells) > 1) QuoteMultilineCell(Text);
            Line += Text;
            if (c < Right) Line += u'\t';
        }
        return Line;
    };
    String Result;
    if (FMouseActions->DisjunctRowSelect()) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelectEntry(RowSelectIndex(r))) Result += RowText(r) + u"\r\n";
        return Result;
    }
    for (Integer r = S.Top; r <= S.Bottom; ++r) {
        Result += RowText(r);
        if (r < S.Bottom) Result += u"\r\n";
    }
    return Result;
}

bool TZirOvararIzazCore::IsSelected(Integer ACol, Integer ARow) {
    if (ARow < FixedRows() || ACol < FixedCols()) return false;
    if (FMouseActions->DisjunctCellSelect()) return SelectedCells(ACol, ARow);
    if (FMouseActions->DisjunctRowSelect()) return RowSelectEntry(RowSelectIndex(ARow));
    if (FMouseActions->DisjunctColSelect()) return ColSelectEntry(ACol);
    const TGridRect S = Selection();
    return ACol >= S.Left && ACol <= S.Right && ARow >= S.Top && ARow <= S.Bottom;
}
