// Numbers computed from the cells of a column, a row, a rectangle or the
// selection: count, sum, average, extremes, deviation, distinct texts and
// the custom calculations handed to the application.

#include "grid/ZirOvararIzazCore.h"
#include "rtl/StringUtils.h"

#include <cmath>

// ---- TCellTotals ----

void TZirOvararIzazCore::TCellTotals::Start(Double Value) {
    FMin = FMax = Value;
    FStarted = true;
}

void TZirOvararIzazCore::TCellTotals::AddNumber(Double Value) {
    FSum += Value;
    ++FNumbers;
    if (!FStarted) {
        Start(Value);
        return;
    }
    // A value that does not compare (NaN) replaces the minimum only.
    if (!(Value >= FMin)) FMin = Value;
    if (Value > FMax) FMax = Value;
}

void TZirOvararIzazCore::TCellTotals::AddText(const String& Text) {
    FTexts.insert(AnsiLowerCase(Text));
}

// ---- Column ranges ----

TZirOvararIzazCore::TColumnRange TZirOvararIzazCore::ResolveColumnRange(Integer FromRow, Integer ToRow) const {
    TColumnRange Range;
    if (FromRow == -1 || ToRow == -1) {
        Range.FromRow = FixedRows();
        Range.ToRow = RowCount() - FFixedFooters - 1;
        return Range;
    }
    Range.FromRow = FromRow;
    Range.ToRow = ToRow;
    // A range past the displayed rows counts real rows. Without hidden rows
    // both index spaces are the same, so the mode changes nothing there.
    Range.RealIndex = ToRow > RowCount() - 1;
    return Range;
}

bool TZirOvararIzazCore::ColumnCalcTakesRow(Integer ACol, Integer Row, bool RealIndex) {
    if (RealIndex && IsHiddenRow(Row)) {
        // A hidden row's parked record tells whether its cell is covered by
        // a merged area; node and summary rows count once hidden.
        const TCellProperties* Props = GetRealObject(ACol, Row);
        return !Props || Props->IsBaseCell();
    }
    const Integer D = RealIndex ? DisplRowIndex(Row) : Row;
    if (!IsBaseCell(ACol, D)) return false;
    return FGroupColumn == -1 || (!IsNode(D) && !IsSummary(D));
}

Double TZirOvararIzazCore::ColumnNumber(Integer ACol, Integer Row, bool RealIndex) {
    return RealIndex ? AllFloats(ACol, Row) : Floats(ACol, Row);
}

void TZirOvararIzazCore::AccumulateColumn(Integer ACol, const TColumnRange& Range, TCellTotals& Totals,
                                          bool Numbers, bool Texts) {
    ExportNotification(esExportStart, Range.FromRow);
    for (Integer r = Range.FromRow; r <= Range.ToRow; ++r) {
        // The distinct texts take every row; the numbers the included ones.
        if (Texts) {
            ExportNotification(esExportNextRow, r);
            Totals.AddText(Range.RealIndex ? AllCells(ACol, r) : Cells(ACol, r));
        }
        if (!Numbers || !ColumnCalcTakesRow(ACol, r, Range.RealIndex)) continue;
        if (!Texts) ExportNotification(esExportNextRow, r);
        try {
            Totals.AddNumber(ColumnNumber(ACol, r, Range.RealIndex));
        } catch (const EKelGridError&) {
            // A cell that is no number is left out.
        }
    }
    ExportNotification(esExportDone, -1);
}

// ---- Column functions ----

Double TZirOvararIzazCore::ColumnCount(Integer ACol, Integer FromRow, Integer ToRow) {
    (void)ACol;
    if (FromRow == -1 || ToRow == -1) return RowCount() - FixedRows() - FFixedFooters;
    return ToRow - FromRow + 1;
}

Double TZirOvararIzazCore::RangeCalc(Integer ACol, const TColumnRange& Range, TColumnCalcType Kind) {
    TCellTotals Totals;
    switch (Kind) {
    case acSUM:
        AccumulateColumn(ACol, Range, Totals, true, false);
        return Totals.Sum();
    case acAVG:
        if (Range.Count() <= 0) return 0;
        AccumulateColumn(ACol, Range, Totals, true, false);
        return Totals.Mean(Range.Count());
    case acMIN:
    case acMAX:
        Totals.Start(ColumnNumber(ACol, Range.FromRow, Range.RealIndex));
        AccumulateColumn(ACol, Range, Totals, true, false);
        return Kind == acMIN ? Totals.Min() : Totals.Max();
    case acDISTINCT:
        AccumulateColumn(ACol, Range, Totals, false, true);
        return Totals.Distinct();
    case acSTDDEV: {
        // An empty range has no deviation: 0 rather than 0 / 0.
        if (Range.Count() <= 0) return 0;
        const Double Avg = RangeCalc(ACol, Range, acAVG);
        ExportNotification(esExportStart, Range.FromRow);
        Double Squares = 0;
        for (Integer r = Range.FromRow; r <= Range.ToRow; ++r) {
            const Double Delta = ColumnNumber(ACol, r, Range.RealIndex) - Avg;
            Squares += Delta * Delta;
        }
        ExportNotification(esExportDone, -1);
        return std::sqrt(Squares / Range.Count());
    }
    default:
        return 0;
    }
}

Double TZirOvararIzazCore::ColumnSum(Integer ACol, Integer FromRow, Integer ToRow) {
    return RangeCalc(ACol, ResolveColumnRange(FromRow, ToRow), acSUM);
}

Double TZirOvararIzazCore::ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow) {
    return RangeCalc(ACol, ResolveColumnRange(FromRow, ToRow), acAVG);
}

Double TZirOvararIzazCore::ColumnMin(Integer ACol, Integer FromRow, Integer ToRow) {
    return RangeCalc(ACol, ResolveColumnRange(FromRow, ToRow), acMIN);
}

Double TZirOvararIzazCore::ColumnMax(Integer ACol, Integer FromRow, Integer ToRow) {
    return RangeCalc(ACol, ResolveColumnRange(FromRow, ToRow), acMAX);
}

Double TZirOvararIzazCore::ColumnStdDev(Integer ACol, Integer FromRow, Integer ToRow) {
    return RangeCalc(ACol, ResolveColumnRange(FromRow, ToRow), acSTDDEV);
}

Double TZirOvararIzazCore::ColumnDistinct(Integer ACol, Integer FromRow, Integer ToRow) {
    return RangeCalc(ACol, ResolveColumnRange(FromRow, ToRow), acDISTINCT);
}

Double TZirOvararIzazCore::ColumnCustomCalc(Integer ACol, Integer FromRow, Integer ToRow) {
    Double Res = 0;
    if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, Res);
    return Res;
}

// ---- Row functions ----

Double TZirOvararIzazCore::RowSum(Integer ARow, Integer FromCol, Integer ToCol) {
    TCellTotals Totals;
    for (Integer c = FromCol; c <= ToCol; ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        try {
            Totals.AddNumber(Floats(c, ARow));
        } catch (const EKelGridError&) {
        }
    }
    return Totals.Sum();
}

Double TZirOvararIzazCore::RowAvg(Integer ARow, Integer FromCol, Integer ToCol) {
    if (ToCol < FromCol) return 0;
    return RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

Double TZirOvararIzazCore::RowMin(Integer ARow, Integer FromCol, Integer ToCol) {
    TCellTotals Totals;
    Totals.Start(Floats(FromCol, ARow));
    for (Integer c = FromCol; c <= ToCol; ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        try {
            Totals.AddNumber(Floats(c, ARow));
        } catch (const EKelGridError&) {
        }
    }
    return Totals.Min();
}

Double TZirOvararIzazCore::RowMax(Integer ARow, Integer FromCol, Integer ToCol) {
    TCellTotals Totals;
    Totals.Start(Floats(FromCol, ARow));
    for (Integer c = FromCol; c <= ToCol; ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        try {
            Totals.AddNumber(Floats(c, ARow));
        } catch (const EKelGridError&) {
        }
    }
    return Totals.Max();
}

// ---- Rectangles and the selection ----

Double TZirOvararIzazCore::CalcOverCells(const std::vector<Integer>& Cols, const std::vector<Integer>& Rows,
                                         TCalcType CalcType) {
    TCellTotals Totals;
    if (Cols.empty() || Rows.empty()) return 0;
    if (CalcType == ctMin || CalcType == ctMax) Totals.Start(AllFloats(Cols.front(), Rows.front()));
    for (Integer c : Cols)
        for (Integer r : Rows) Totals.AddNumber(AllFloats(c, r));
    switch (CalcType) {
    case ctSum:
        return Totals.Sum();
    case ctAvg:
        return Totals.Mean(Totals.Numbers());
    case ctMin:
        return Totals.Min();
    case ctMax:
        return Totals.Max();
    }
    return 0;
}

Double TZirOvararIzazCore::RectCalc(TGridRect GR, TCalcType CalcType) {
    if (GR.Left > GR.Right) std::swap(GR.Left, GR.Right);
    if (GR.Top > GR.Bottom) std::swap(GR.Top, GR.Bottom);
    std::vector<Integer> Cols, Rows;
    for (Integer c = GR.Left; c <= GR.Right; ++c) Cols.push_back(c);
    for (Integer r = GR.Top; r <= GR.Bottom; ++r) Rows.push_back(r);
    return CalcOverCells(Cols, Rows, CalcType);
}

Double TZirOvararIzazCore::SelectionCalc(TCalcType CalcType) {
    // The selection counts displayed columns and rows; the cells it shows
    // are read at their real indexes, so hidden rows and columns between
    // them are left out.
    TGridRect GR = Selection();
    if (GR.Left > GR.Right) std::swap(GR.Left, GR.Right);
    if (GR.Top > GR.Bottom) std::swap(GR.Top, GR.Bottom);
    std::vector<Integer> Cols, Rows;
    for (Integer c = GR.Left; c <= GR.Right; ++c) Cols.push_back(RealColIndex(c));
    for (Integer r = GR.Top; r <= GR.Bottom; ++r) Rows.push_back(RealRowIndex(r));
    return CalcOverCells(Cols, Rows, CalcType);
}
