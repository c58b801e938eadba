// The grid's text search: one cell test and one scan behind every Find
// variant, counting all matches and replacing text.

#include "grid/ZirOvararIzazCore.h"
#include "gridbase/FilterExpression.h"
#include "gridbase/MarkupText.h"
#include "gridbase/RarEvad.h"
#include "rtl/StringUtils.h"

#include <algorithm>

namespace {

bool IsEmptySearch(const String& S) { return S.empty() || S == u"\"\""; }

bool IsAsciiText(std::u16string_view S) {
    for (Char C : S)
        if (C >= 0x80) return false;
    return true;
}

Char AsciiUpper(Char C) { return C >= u'a' && C <= u'z' ? Char(C - 32) : C; }

// Whether the upper-cased ASCII Key lies in the ASCII Text at At, case
// ignored.
bool AsciiMatchAt(std::u16string_view Text, std::u16string_view Key, size_t At) {
    for (size_t i = 0; i < Key.size(); ++i)
        if (AsciiUpper(Text[At + i]) != Key[i]) return false;
    return true;
}

// The search of a case-blind find in a text of ASCII characters, without an
// upper-cased copy: the first place of Key (upper-cased) in Text, as the
// find over the upper-cased text would answer.
size_t AsciiFindNoCase(std::u16string_view Text, std::u16string_view Key) {
    if (Key.size() > Text.size()) return String::npos;
    if (Key.empty()) return 0;
    const Char First = Key[0];
    const Char FirstLower = First >= u'A' && First <= u'Z' ? Char(First + 32) : First;
    for (size_t i = 0, Last = Text.size() - Key.size(); i <= Last; ++i)
        if ((Text[i] == First || Text[i] == FirstLower) && AsciiMatchAt(Text, Key, i)) return i;
    return String::npos;
}

} // namespace

bool TZirOvararIzazCore::MatchFindCell(Integer ACol, Integer ARow, bool Wide) {
    const TFindParams P = FFindParams;
    if (!P.Contains(fnIncludeHiddenColumns)) ACol = RealColIndex(ACol);
    String Text;
    if (Wide) Text = WideCells(ACol, ARow);
    else if (P.Contains(fnIncludeHiddenRows)) Text = AllCells(ACol, ARow);
    else Text = GetFormattedCell(ACol, ARow);
    if (!Wide) {
        if (P.Contains(fnIgnoreHTMLTags)) Text = MarkupToPlainText(Text);
        if (P.Contains(fnIgnoreAccents)) Text = StripDiacritics(Text);
    }
    if (IsEmptySearch(FFindText)) return Text.empty();
    if (P.Contains(fnMatchRegular)) return MatchFilterExpression(FFindText, Text, P.Contains(fnMatchCase));
    size_t Pos;
    if (P.Contains(fnMatchCase)) {
        Pos = Text.find(FFindText);
    } else if (IsAsciiText(FFindText) && IsAsciiText(Text)) {
        // ASCII on both sides folds through a table. A text with other
        // characters takes the full upper-casing: some of them (the dotless
        // i, the long s) have ASCII capitals.
        Pos = AsciiFindNoCase(Text, FFindText);
        if (Pos == String::npos) return false;
        if (P.Contains(fnMatchStart) && Pos != 0) return false;
        return !P.Contains(fnMatchFull) || Text.size() == FFindText.size();
    } else {
        Text = AnsiUpperCase(Text);
        Pos = Text.find(FFindText);
    }
    if (Pos == String::npos) return false;
    if (P.Contains(fnMatchStart) && Pos != 0) return false;
    if (P.Contains(fnMatchFull) && Text != FFindText) return false;
    return true;
}

TPoint TZirOvararIzazCore::FindCell(TPoint StartCell, const String& S, TFindParams FindParams, bool Wide) {
    TPoint Result{-1, -1};
    FFindParams = FindParams;
    FFindText = S;
    if (FindParams.Contains(fnIgnoreAccents) && !Wide) FFindText = StripDiacritics(FFindText);
    if (!FindParams.Contains(fnMatchCase) && !FindParams.Contains(fnMatchRegular)) FFindText = AnsiUpperCase(FFindText);
    if (ColCount() <= FixedCols() || TotalRowCount() <= FixedRows() || ColCount() == 0 || RowCount() == 0)
        return Result;

    Integer C1, R1, C2, R2;
    if (FindParams.Contains(fnIncludeFixed)) {
        C1 = 0, R1 = 0, C2 = ColCount() - 1, R2 = RowCount() - 1;
    } else {
        C1 = FixedCols(), R1 = FixedRows(), C2 = ColCount() - FixedRightCols() - 1, R2 = RowCount() - FixedFooters() - 1;
    }
    if (FindParams.Contains(fnSelectedCells)) {
        const TGridRect Sel = Selection();
        C1 = Sel.Left, R1 = Sel.Top, C2 = Sel.Right, R2 = Sel.Bottom;
    }
    if (FindParams.Contains(fnIncludeHiddenColumns)) C2 += FNumHidden;
    if (FindParams.Contains(fnIncludeHiddenRows)) R2 += NumHiddenRows();
    if (FindParams.Contains(fnFindInCurrentRow)) R1 = R2 = Row();
    if (FindParams.Contains(fnFindInPresetRow)) R1 = R2 = FindRow;
    if (FindParams.Contains(fnFindInCurrentCol)) C1 = C2 = Col();
    if (FindParams.Contains(fnFindInPresetCol)) C1 = C2 = FindCol;
    if (C2 < C1 || R2 < R1) return Result;

    const bool Back = FindParams.Contains(fnBackward);
    const bool ByRow = FindParams.Contains(fnDirectionLeftRight);
    const Integer Step = Back ? -1 : 1;
    // Start: the first (last) cell, or one step on from StartCell in scan order.
    Integer c, r;
    const bool Outside = (StartCell.X < C1 || StartCell.X > C2) && (StartCell.Y < R1 || StartCell.Y > R2);
    if ((StartCell.X == -1 && StartCell.Y == -1) || Outside) {
        c = Back ? C2 : C1;
        r = Back ? R2 : R1;
    } else {
        c = StartCell.X, r = StartCell.Y;
        if (ByRow) {
            c += Step;
            if (c > C2 || c < C1) c = Back ? C2 : C1, r += Step;
        } else {
            r += Step;
            if (r > R2 || r < R1) r = Back ? R2 : R1, c += Step;
        }
    }
    auto Ignored = [this](Integer ACol) {
        for (Integer i = 0; i < FIgnoreColumns->Count(); ++i)
            if (FIgnoreColumns->Items(i) == ACol) return true;
        return false;
    };
    auto InRange = [&](Integer V, Integer Lo, Integer Hi) { return V >= Lo && V <= Hi; };
    bool Found = false;
    Integer FoundCol = -1, FoundRow = -1;
    if (ByRow) {
        for (; InRange(r, R1, R2) && !Found; r += Step) {
            ExportNotification(esExportFindRow, r);
            for (; InRange(c, C1, C2); c += Step)
                if (!Ignored(c) && MatchFindCell(c, r, Wide)) {
                    Found = true;
                    FoundCol = c, FoundRow = r;
                    break;
                }
            if (!Found) c = Back ? C2 : C1;
        }
    } else {
        for (; InRange(c, C1, C2) && !Found; c += Step) {
            if (!Ignored(c))
                for (; InRange(r, R1, R2); r += Step) {
                    ExportNotification(esExportFindRow, r);
                    if (MatchFindCell(c, r, Wide)) {
                        Found = true;
                        FoundCol = c, FoundRow = r;
                        break;
                    }
                }
            if (!Found) r = Back ? R2 : R1;
        }
    }
    if (!Found) {
        ExportNotification(esExportFindRow, Row());
        return Result;
    }
    Result = TPoint{FoundCol, FoundRow};
    FLastFound = Result;
    if (FindParams.Contains(fnAutoGoto)) FindGotoFound(FoundCol, FoundRow, FindParams);
    return Result;
}

// The node row (displayed) whose collapsed span holds the real row ARow; -1
// when no displayed node row holds it.
Integer TZirOvararIzazCore::NodeRowOfRealRow(Integer ARow) {
    for (Integer d = FixedRows(); d < RowCount(); ++d) {
        if (!IsNode(d)) continue;
        const Integer Real = RealRowIndex(d);
        if (Real > ARow) break;
        if (ARow < Real + GetNodeSpan(d)) return d;
    }
    return -1;
}

// Makes a found cell current. A row found among the hidden rows is a real
// row: the collapsed nodes that hold it open first; a row hidden otherwise
// (HideRows, a filter) stays hidden and the current cell stays.
void TZirOvararIzazCore::FindGotoFound(Integer ACol, Integer ARow, TFindParams FindParams) {
    if (FindParams.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
        while (IsHiddenRow(ARow)) {
            const Integer Node = NodeRowOfRealRow(ARow);
            if (Node < 0) return;
            const Integer Hidden = NumHiddenRows();
            ExpandNode(RealRowIndex(Node));
            if (NumHiddenRows() == Hidden) return;
        }
        ARow = DisplRowIndex(ARow);
    }
    if (ARow < 0 || ARow >= RowCount()) return;
    if (MouseActions()->DisjunctRowSelect()) {
        ClearRowSelectList();
        SetRowSelect(ARow, true);
        SetRow(ARow);
        return;
    }
    SetRow(ARow);
    SetCol(std::min(ACol, ColCount() - 1));
}

// After a search moved the current cell: the cell joins the disjunct cell
// selection, and a current row on the last visible row (the last three with
// the floating footer, which covers them) scrolls up into the grid.
void TZirOvararIzazCore::FindScrollAdjust() {
    if (MouseActions()->DisjunctCellSelect()) SelectCells(Col(), Row(), Col(), Row());
    const Integer Rows = FloatingFooter()->Visible() ? 3 : 1;
    const Integer Visible = VisibleRowCount();
    if (Row() >= TopRow() + Visible - Rows && RowCount() > FixedRows() + Visible)
        SetTopRow(std::min(TopRow() + Rows, RowCount() - Visible));
}

TPoint TZirOvararIzazCore::Find(TPoint StartCell, const String& S, TFindParams FindParams) {
    if (StartCell.X == -1 && StartCell.Y == -1) ExportNotification(esExportStart, -1);
    BeginUpdate();
    TPoint Result;
    try {
        Result = FindCell(StartCell, S, FindParams, false);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    if (FindParams.Contains(fnAutoGoto) && Result.X != -1) FindScrollAdjust();
    ExportNotification(Result.X == -1 ? esExportDone : esExportFail, -1);
    return Result;
}

TPoint TZirOvararIzazCore::FindWide(TPoint StartCell, const String& S, TFindParams FindParams) {
    ExportNotification(esExportStart, -1);
    const TPoint Result = FindCell(StartCell, S, FindParams, true);
    ExportNotification(Result.X == -1 ? esExportDone : esExportFail, -1);
    return Result;
}

TPoint TZirOvararIzazCore::FindFirst(const String& S, TFindParams FindParams) {
    FLastFound = Find(TPoint{-1, -1}, S, FindParams);
    return FLastFound;
}

// Goes on from the last found cell with the stored text and options.
TPoint TZirOvararIzazCore::FindNext() {
    if (FLastFound.X == -1 && FLastFound.Y == -1) return FLastFound;
    const TFindParams P = FFindParams;
    // Preparing the stored text again (upper case, accents) changes nothing.
    const String Text = FFindText;
    BeginUpdate();
    TPoint Result;
    try {
        Result = FindCell(FLastFound, Text, P, false);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    FLastFound = Result;
    return Result;
}

TPoint TZirOvararIzazCore::FindAll(const String& S, TFindParams FindParams, Integer& NumResults) {
    NumResults = 0;
    TFindParams Quiet = FindParams;
    Quiet.Exclude(fnAutoGoto);
    const TPoint First = Find(TPoint{-1, -1}, S, Quiet);
    FLastFound = First;
    if (First.X != -1) {
        NumResults = 1;
        while (FindNext().X != -1) ++NumResults;
    }
    if (First.X != -1 && FindParams.Contains(fnAutoGoto)) {
        FindGotoFound(First.X, First.Y, FindParams);
        FindScrollAdjust();
    }
    FLastFound = First;
    return First;
}

Integer TZirOvararIzazCore::Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams) {
    if (OrigStr.empty()) return 0;
    const bool DoCase = FindParams.Contains(fnMatchCase);
    const String Key = DoCase ? OrigStr : AnsiUpperCase(OrigStr);
    Integer Count = 0;
    TPoint At = Find(TPoint{-1, -1}, OrigStr, FindParams);
    while (At.X != -1) {
        // The scan goes on from the written cell, so each cell is written once.
        const Integer C = FindParams.Contains(fnIncludeHiddenColumns) ? At.X : RealColIndex(At.X);
        // The stored text, not the displayed one, is the one rewritten.
        const String Old = GridCells(C, At.Y);
        const String Compared = DoCase ? Old : AnsiUpperCase(Old);
        String New;
        size_t From = 0;
        for (size_t Pos = Compared.find(Key); Pos != String::npos; Pos = Compared.find(Key, From)) {
            New.append(Old, From, Pos - From);
            New += NewStr;
            From = Pos + Key.size();
        }
        New.append(Old, From, String::npos);
        if (New != Old) {
            SetCells(C, At.Y, New);
            if (ShowModified()->Enabled()) SetRowModified(At.Y, true);
            ++Count;
        }
        At = Find(At, OrigStr, FindParams);
    }
    return Count;
}

// ---- Quick search of the sort column ----

Integer TZirOvararIzazCore::Search(const String& S) {
    if (RowCount() < 2) return -1;
    Integer Column = FixedCols();
    if (SortSettings()->Show()) {
        if (SortSettings()->IndexShow())
            Column = SortIndexes()->Count() > 0 ? SortIndexes()->SortColumns(0) : FixedCols();
        else
            Column = SortSettings()->Column();
    }
    if (Column < 0 || Column >= AllColCount()) return -1;
    for (Integer r = FixedRows(); r < RowCount(); ++r) {
        const String Text = GetStrippedCell(Column, r);
        if (AnsiUpperCase(Text.substr(0, S.size())) == S) return r;
    }
    return -1;
}

// ---- Search over several columns ----

// A condition in the filter-clause syntax: a text with a blank is quoted so
// that it stays one word.
String TZirOvararIzazCore::BuildMultiCondition(const String& Text, TMultiSearchType SearchType) {
    const String T = Text.find(u' ') != String::npos ? u"\"" + Text + u"\"" : Text;
    switch (SearchType) {
        case stStartsWith: return T + u"*";
        case stEndsWith: return u"*" + T;
        case stContains: return u"*" + T + u"*";
        case stEqual: return T;
        case stNotEqual: return u"!" + T;
        case stNotContains: return u"!*" + T + u"*";
    }
    return T;
}

bool TZirOvararIzazCore::MatchMultiRow(Integer ARow) {
    for (size_t i = 0; i < FMultiConditions.size(); ++i) {
        const Integer C = FMultiColumns[i];
        if (C < 0 || C >= AllColCount()) return false;
        const String Text = FMultiIgnoreHTML ? GetStrippedCell(C, ARow) : Cells(C, ARow);
        if (!MatchFilterClause(FMultiConditions[i], Text, FMultiCase[i])) return false;
    }
    return true;
}

Integer TZirOvararIzazCore::FindMultiFrom(Integer FromRow, bool AutoGoto) {
    for (Integer r = std::max(FromRow, FixedRows()); r < RowCount() - FixedFooters(); ++r)
        if (MatchMultiRow(r)) {
            FLastFound = TPoint{0, r};
            if (AutoGoto) SetRow(r);
            return r;
        }
    return -1;
}

Integer TZirOvararIzazCore::FindMulti(const std::vector<String>& Conditions, const std::vector<Integer>& Columns,
                                      const std::vector<TMultiSearchType>& SearchTypes,
                                      const std::vector<bool>& CaseSensitive, bool IgnoreHTML, bool AutoGoto) {
    const size_t N = Conditions.size();
    if (Columns.size() != N || SearchTypes.size() != N || CaseSensitive.size() != N)
        throw EKelGridError(u"Array size of parameters not matching");
    FMultiConditions.clear();
    for (size_t i = 0; i < N; ++i) FMultiConditions.push_back(BuildMultiCondition(Conditions[i], SearchTypes[i]));
    FMultiColumns = Columns;
    FMultiCase = CaseSensitive;
    FMultiIgnoreHTML = IgnoreHTML;
    FMultiAutoGoto = AutoGoto;
    FLastFound = TPoint{0, -1};
    return FindMultiFrom(FixedRows(), AutoGoto);
}

Integer TZirOvararIzazCore::FindMultiNext() {
    if (FMultiConditions.empty()) return -1;
    return FindMultiFrom(FLastFound.Y + 1, FMultiAutoGoto);
}
