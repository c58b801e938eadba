// Grouping: header rows as nodes over runs of equal values of a column,
// summary rows after the groups, sub-groups inside them, and the
// calculations written per group.
//
// Grouping processes no window messages while it works: an edit, a sort or
// the grid's destruction cannot run in the middle of it.

#include "grid/ZirOvararIzazCore.h"
#include "grid/GridError.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

// No cell text equals it: the value before the first row.
const String GroupSentinel = u"\u00FF\u00FE";

TColor ToRGB(TColor C) {
    return C == clNone ? C : ColorToRGB(C);
}

} // namespace

// ---- Look of header and summary rows ----

void TZirOvararIzazCore::ApplyGroupColors(Integer ARow, bool Header) {
    const TColor Color = ToRGB(Header ? FGrouping->HeaderColor() : FGrouping->SummaryColor());
    const TColor ColorTo = ToRGB(Header ? FGrouping->HeaderColorTo() : FGrouping->SummaryColorTo());
    const TColor Text = ToRGB(Header ? FGrouping->HeaderTextColor() : FGrouping->SummaryTextColor());
    if (Color != clNone) SetRowColor(ARow, Color);
    if (ColorTo != clNone) SetRowColorTo(ARow, ColorTo);
    if (Text != clNone) SetRowFontColor(ARow, Text);
}

void TZirOvararIzazCore::ResetGroupColors(Integer ARow, bool Header) {
    if ((Header ? FGrouping->HeaderColor() : FGrouping->SummaryColor()) != clNone) SetRowColor(ARow, clNone);
    if ((Header ? FGrouping->HeaderColorTo() : FGrouping->SummaryColorTo()) != clNone) SetRowColorTo(ARow, clNone);
}

// Merges a header or summary row from column FromCol to the last column and
// gives the merged cell the row colours.
void TZirOvararIzazCore::MergeGroupRow(Integer ARow, Integer FromCol, bool Header) {
    if (FromCol >= ColCount()) return;
    MergeCells(FromCol, ARow, ColCount() - FromCol, 1);
    const TColor Color = ToRGB(Header ? FGrouping->HeaderColor() : FGrouping->SummaryColor());
    const TColor ColorTo = ToRGB(Header ? FGrouping->HeaderColorTo() : FGrouping->SummaryColorTo());
    const TColor Text = ToRGB(Header ? FGrouping->HeaderTextColor() : FGrouping->SummaryTextColor());
    if (Color != clNone) SetColors(FromCol, ARow, Color);
    if (ColorTo != clNone) SetColorsTo(FromCol, ARow, ColorTo);
    if (Text != clNone) SetFontColors(FromCol, ARow, Text);
}

void TZirOvararIzazCore::SetGroupColumn(Integer Value) {
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

// ---- Grouping and ungrouping ----

void TZirOvararIzazCore::Group(Integer ColIndex) {
    // The grouped column leaves the grid; the node column and the columns
    // before it stay, or the header nodes would leave or move with them.
    if (ColIndex < FixedCols() || ColIndex <= FCellNode->NodeColumn()) return;
    if (FGroupColumn != -1) UnGroup();
    if (ColIndex >= AllColCount() || DataRowCount() <= 0) return;
    if (ColIndex < FColumnSize->StretchColumn()) FColumnSize->SetStretchColumn(FColumnSize->StretchColumn() - 1);
    const bool Summary = FGrouping->Summary();
    BeginUpdate();
    FIsGrouping = true;
    FGroupColumn = ColIndex;
    try {
        const Integer D = DisplColIndex(ColIndex);
        FGroupWidth = IsHiddenColumn(ColIndex) ? AllColWidths(ColIndex) : ColWidths(D);
        FGroupCaption = FixedRows() > 0 ? GridCells(ColIndex, 0) : String();
        FGroupFooter = FFixedFooters > 0 ? GridCells(ColIndex, RowCount() - 1) : String();
        if (FSortSettings->AutoSortForGrouping()) {
            FSortSettings->SetColumn(ColIndex);
            QSort();
        }
        const Integer CaptionCol = ColIndex == 1 ? 2 : 1;
        auto InsertSummary = [&](Integer At) {
            InsertRows(At, 1);
            MarkSummaryRow(RealRowIndex(At));
            if (!FGrouping->MergeSummary()) ApplyGroupColors(At, false);
        };
        String Prev = GroupSentinel;
        Integer H = -1;
        Integer b = FixedRows();
        while (b <= RowCount() - FFixedFooters - 1) {
            const String v = GridCells(ColIndex, b);
            if (v != Prev) {
                if (H >= 0) {
                    // The summary row of the group before H goes in before H.
                    if (H > FixedRows() && Summary) {
                        InsertSummary(H);
                        ++H, ++b;
                    }
                    AddNode(RealRowIndex(H), b - H);
                }
                InsertRows(b, 1);
                SetGridCells(CaptionCol, b, v);
                if (!FGrouping->MergeHeader()) ApplyGroupColors(b, true);
                H = b++;
            }
            Prev = GridCells(ColIndex, b);
            ++b;
        }
        if (H >= 0) {
            if (H > FixedRows() && Summary) {
                InsertSummary(H);
                ++H, ++b;
            }
            AddNode(RealRowIndex(H), b - H);
        }
        if (Summary) InsertSummary(b);
        RemoveCols(ColIndex, 1);
        for (Integer c = FixedRows(); c < RowCount(); ++c) {
            if (IsNode(c) && FGrouping->MergeHeader())
                MergeGroupRow(c, 1, true);
            else if (IsSummary(c) && Summary && FGrouping->MergeSummary())
                MergeGroupRow(c, 1, false);
        }
        if (FCellNode->ExpandOne())
            for (Integer c = FixedRows(); c < RowCount(); ++c)
                if (IsNode(c)) {
                    ExpandNode(RealRowIndex(c));
                    break;
                }
        if (Col() >= ColCount() || Row() >= RowCount()) FocusCell(FixedCols(), FixedRows());
        if (FixedRows() < RowCount()) SetRowEx(FixedRows());
    } catch (...) {
        FIsGrouping = false;
        EndUpdate();
        throw;
    }
    FIsGrouping = false;
    EndUpdate();
}

void TZirOvararIzazCore::UnGroup() {
    if (FGroupColumn < 0) return;
    const bool ExpandOne = FCellNode->ExpandOne();
    FCellNode->SetExpandOne(false);
    ExpandAll();
    // Sub-groups go first, so that their columns get their values back.
    std::set<Integer> SubColumns;
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (TCellGraphic* N = NodeObject(r); N && N->CellVar() >= 0) SubColumns.insert(N->CellVar());
    for (Integer c : SubColumns) SubUnGroup(c);

    InsertCols(FGroupColumn, 1);
    if (!IsHiddenColumn(FGroupColumn)) SetColWidths(DisplColIndex(FGroupColumn), FGroupWidth);
    if (FGroupColumn < FColumnSize->StretchColumn()) FColumnSize->SetStretchColumn(FColumnSize->StretchColumn() + 1);
    if (FixedRows() > 0) SetGridCells(FGroupColumn, 0, FGroupCaption);
    if (FFixedFooters > 0) SetGridCells(FGroupColumn, RowCount() - 1, FGroupFooter);
    const Integer CaptionCol = FGroupColumn == 1 ? 2 : 1;
    FIsGrouping = true;
    try {
        String t;
        for (Integer r = FixedRows(); r <= RowCount() - FFixedFooters - 1;) {
            TCellGraphic* N = NodeObject(r);
            if (!N) {
                if (IsSummary(r))
                    RemoveRows(r, 1);
                else
                    SetGridCells(FGroupColumn, r, t), ++r;
                continue;
            }
            // The summary row right after the span goes with its header.
            const Integer s = r + std::max(N->CellIndex(), 1);
            if (IsSummary(s)) {
                if (FGrouping->MergeSummary()) SplitCells(1, s);
                RemoveRows(s, 1);
            }
            t = GridCells(CaptionCol, r);
            RemoveNode(RealRowIndex(r));
            if (FGrouping->MergeHeader()) SplitCells(1, r);
            RemoveRows(r, 1);
        }
    } catch (...) {
        FIsGrouping = false;
        FCellNode->SetExpandOne(ExpandOne);
        throw;
    }
    FIsGrouping = false;
    FGroupColumn = -1;
    FCellNode->SetExpandOne(ExpandOne);
    Invalidate();
}

void TZirOvararIzazCore::SubGroup(Integer ColIndex) {
    // The caption goes into the next column, which must exist.
    if (ColIndex < FixedCols() || ColIndex + 1 >= ColCount()) return;
    auto Special = [this](Integer r) { return IsNode(r) || IsSummary(r); };
    auto MakeNode = [this, ColIndex](Integer At, Integer Span) {
        AddNode(RealRowIndex(At), Span);
        if (TCellGraphic* N = NodeObject(At)) N->SetCellVar(ColIndex);
    };
    BeginUpdate();
    try {
        String Prev = GroupSentinel;
        Integer S = -1;
        Integer r = FixedRows() + 1;
        while (r < RowCount() - FFixedFooters) {
            const String v = Cells(ColIndex, r);
            if (v != Prev || Special(r)) {
                if (S >= 0 && !Special(S)) MakeNode(S, r - S);
                if (!Special(r)) {
                    InsertChildRow(RealRowIndex(r), 0);
                    SetCells(ColIndex + 1, r, v);
                    if (FGrouping->MergeHeader())
                        MergeGroupRow(r, ColIndex + 1, true);
                    else
                        ApplyGroupColors(r, true);
                }
                S = r++;
            }
            if (r >= RowCount() - FFixedFooters || Special(r - 1)) {
                Prev = GroupSentinel;
            } else {
                Prev = Cells(ColIndex, r);
                SetCells(ColIndex, r, String());
                ++r;
            }
        }
        if (S >= 0 && !Special(S)) MakeNode(S, r - S);
        if (FixedRows() < RowCount()) SetRowEx(FixedRows());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZirOvararIzazCore::SubUnGroup(Integer ColIndex) {
    ExpandAll();
    FIsGrouping = true;
    try {
        String t;
        for (Integer r = FixedRows(); r < RowCount() - FFixedFooters;) {
            TCellGraphic* N = NodeObject(r);
            if (N && N->CellVar() == ColIndex) {
                t = Cells(ColIndex + 1, r);
                RemoveNode(RealRowIndex(r));
                if (FGrouping->MergeHeader())
                    SplitCells(ColIndex + 1, r);
                else
                    ResetGroupColors(r, true);
                RemoveChildRow(RealRowIndex(r));
                continue;
            }
            if (!N && !IsSummary(r)) SetCells(ColIndex, r, t);
            ++r;
        }
    } catch (...) {
        FIsGrouping = false;
        throw;
    }
    FIsGrouping = false;
}

// ---- Group calculations ----

std::vector<Double> TZirOvararIzazCore::GroupValues(Integer ACol, Integer FromRow, Integer ToRow) {
    // A row counts when its cell is no covered part of a merged area and it
    // is no header or summary row of a grouped grid; texts that are no
    // number are left out.
    std::vector<Double> Values;
    const bool Grouped = FGroupColumn != -1;
    for (Integer r = FromRow; r <= ToRow; ++r) {
        if (!IsBaseCell(ACol, r)) continue;
        if (Grouped && (IsNode(r) || IsSummary(r))) continue;
        try {
            Values.push_back(Floats(ACol, r));
        } catch (const EKelGridError&) {
        }
    }
    return Values;
}

void TZirOvararIzazCore::GroupCalc(Integer ColIndex, Integer Method) {
    for (Integer r = FixedRows(); r < RowCount();) {
        TCellGraphic* N = NodeObject(r);
        if (!N || N->CellBoolean()) {
            ++r;
            continue;
        }
        // The displayed rows of the group; the summary row follows them.
        const Integer End = std::max(NodeSpanEnd(r), r + 1);
        const Integer From = r + 1, To = End - 1, Rows = To - From + 1;
        const Integer Target = FGrouping->Summary() ? End : r;
        if (Target < RowCount()) {
            const std::vector<Double> V = Method >= 1 && Method <= 4 ? GroupValues(ColIndex, From, To)
                                                                       : std::vector<Double>();
            Double Sum = 0;
            for (Double x : V) Sum += x;
            switch (Method) {
            case 1:
                SetFloats(ColIndex, Target, Sum);
                break;
            case 2:
                SetFloats(ColIndex, Target, Rows > 0 ? Sum / Rows : 0);
                break;
            case 3:
                SetFloats(ColIndex, Target, V.empty() ? 0 : *std::min_element(V.begin(), V.end()));
                break;
            case 4:
                SetFloats(ColIndex, Target, V.empty() ? 0 : *std::max_element(V.begin(), V.end()));
                break;
            case 5:
                SetInts(ColIndex, Target, Rows);
                break;
            case 6:
                SetFloats(ColIndex, Target, GroupCustomCalc(ColIndex, From, To));
                break;
            case 7: {
                std::set<String> Distinct;
                for (Integer i = From; i <= To; ++i) Distinct.insert(AnsiUpperCase(GetFormattedCell(ColIndex, i)));
                SetFloats(ColIndex, Target, Double(Distinct.size()));
                break;
            }
            case 8: {
                const std::vector<Double> W = GroupValues(ColIndex, From, To);
                Double Mean = 0, Squares = 0;
                for (Double x : W) Mean += x;
                if (Rows > 0) Mean /= Rows;
                for (Double x : W) Squares += (x - Mean) * (x - Mean);
                SetFloats(ColIndex, Target, Rows > 0 ? std::sqrt(Squares / Rows) : 0);
                break;
            }
            default:
                break;
            }
        }
        r = End;
    }
}

void TZirOvararIzazCore::SetFooterCalc(Integer ACol, TColumnCalcType Calc) {
    // The footer's calculation kind lives in the record of its cell.
    if (!FFloatingFooter->Visible() || RowCount() < 1) return;
    if (TCellProperties* P = CellProperties(ACol, RowCount() - 1)) P->SetCalcType(Calc);
}

void TZirOvararIzazCore::GroupSum(Integer ColIndex) {
    GroupCalc(ColIndex, 1);
    SetFooterCalc(ColIndex, acSUM);
}

void TZirOvararIzazCore::GroupAvg(Integer ColIndex) {
    GroupCalc(ColIndex, 2);
    SetFooterCalc(ColIndex, acAVG);
}

void TZirOvararIzazCore::GroupMin(Integer ColIndex) {
    GroupCalc(ColIndex, 3);
    SetFooterCalc(ColIndex, acMIN);
}

void TZirOvararIzazCore::GroupMax(Integer ColIndex) {
    GroupCalc(ColIndex, 4);
    SetFooterCalc(ColIndex, acMAX);
}

void TZirOvararIzazCore::GroupCount(Integer ColIndex) {
    GroupCalc(ColIndex, 5);
    SetFooterCalc(ColIndex, acCOUNT);
}

Double TZirOvararIzazCore::GroupCustomCalc(Integer ACol, Integer FromRow, Integer ToRow) {
    Double Res = 0;
    if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, Res);
    return Res;
}
