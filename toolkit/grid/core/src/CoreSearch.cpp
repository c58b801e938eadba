// The grid's text search: one cell test and one scan behind every Find
// variant, counting all matches and replacing text.

#include "grid/ZirOvararIzazCore.h"
#include "gridbase/FilterExpression.h"
#include "gridbase/MarkupText.h"
#include "gridbase/RarEvad.h"
#include "rtl/StringUtils.h"

namespace {

bool IsEmptySearch(const String& S) { return S.empty() || S == u"\"\""; }

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
    if (!P.Contains(fnMatchCase)) Text = AnsiUpperCase(Text);
    const size_t Pos = Text.find(FFindText);
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
    const Integer c2 = FoundCol, r2 = FoundRow;
    FLastFound = Result;
    if (FindParams.Contains(fnAutoGoto) && r2 < RowCount()) {
        SetRow(r2);
        SetCol(std::min(c2, ColCount() - 1));
    }
    return Result;
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
    if (First.X != -1 && FindParams.Contains(fnAutoGoto) && First.Y < RowCount()) {
        SetRow(First.Y);
        SetCol(std::min(First.X, ColCount() - 1));
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
