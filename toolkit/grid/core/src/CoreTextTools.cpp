// Work on the texts of many cells at once: highlighting and marking, the cell
// checker, fills, header texts and per-cell properties over a rectangle; and
// a few small services (version text, print layout, merged columns, skipping).

#include "grid/ZirOvararIzazCore.h"
#include "gridbase/CellCheck.h"
#include "gridbase/MarkupText.h"
#include "rtl/Format.h"
#include "rtl/Convert.h"

#include <random>

namespace {

const String HiTag = u"hi";
const String MarkTag = u"e";

// A backslash followed by n in a header text is a line break.
String HeaderText(const String& S) {
    String R;
    R.reserve(S.size());
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == u'\\' && i + 1 < S.size() && S[i + 1] == u'n') {
            R += u'\r';
            ++i;
        } else {
            R += S[i];
        }
    }
    return R;
}

} // namespace

// ---- Highlighting and marking ----

String TZirOvararIzazCore::HilightText(bool DoCase, const String& S, const String& Text) {
    return HighlightInMarkup(S, Text, HiTag, false, DoCase);
}
String TZirOvararIzazCore::MarkText(bool DoCase, const String& S, const String& Text) {
    return HighlightInMarkup(S, Text, MarkTag, false, DoCase);
}
String TZirOvararIzazCore::UnHilightText(const String& S) { return RemoveMarkupTag(S, HiTag); }
String TZirOvararIzazCore::UnMarkText(const String& S) { return RemoveMarkupTag(S, MarkTag); }

TGridRect TZirOvararIzazCore::TextToolArea(bool DoFixed, bool AddHidden) const {
    TGridRect R;
    if (DoFixed) {
        R.Left = 0, R.Top = 0, R.Right = ColCount() - 1, R.Bottom = RowCount() - 1;
    } else {
        R.Left = FixedCols(), R.Top = FixedRows();
        R.Right = ColCount() - FixedRightCols() - 1, R.Bottom = RowCount() - FixedFooters() - 1;
    }
    if (AddHidden) R.Right += FNumHidden;
    return R;
}

// The highlighter compares against the plain text of a cell, entities
// decoded, so the search text goes in as it is typed.
void TZirOvararIzazCore::HilightCells(const TGridRect& R, const String& Tag, const String& HiText, bool DoCase,
                                      bool FullText) {
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c) {
            if (!IsBaseCell(c, r)) continue;
            // Cells gives the displayed text when OnGetDisplText is bound.
            const String S = Cells(c, r);
            const String Result = HighlightInMarkup(S, HiText, Tag, FullText, DoCase);
            if (Result != S) SetCells(c, r, Result);
        }
}

void TZirOvararIzazCore::UnHilightCells(const TGridRect& R, const String& Tag) {
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c)
            if (IsBaseCell(c, r)) SetCells(c, r, RemoveMarkupTag(Cells(c, r), Tag));
}

void TZirOvararIzazCore::HilightInCell(bool DoCase, Integer Col, Integer Row, const String& HiText, bool FullText) {
    HilightCells(TGridRect{Col, Row, Col, Row}, HiTag, HiText, DoCase, FullText);
}
void TZirOvararIzazCore::HilightInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText, bool FullText) {
    TGridRect R = TextToolArea(DoFixed, false);
    R.Left = R.Right = Col;
    HilightCells(R, HiTag, HiText, DoCase, FullText);
}
void TZirOvararIzazCore::HilightInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText, bool FullText) {
    TGridRect R = TextToolArea(DoFixed, false);
    R.Top = R.Bottom = Row;
    HilightCells(R, HiTag, HiText, DoCase, FullText);
}
void TZirOvararIzazCore::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText, bool FullText) {
    HilightCells(TextToolArea(DoFixed, !DoFixed), HiTag, HiText, DoCase, FullText);
}
void TZirOvararIzazCore::MarkInCell(bool DoCase, Integer Col, Integer Row, const String& HiText) {
    HilightCells(TGridRect{Col, Row, Col, Row}, MarkTag, HiText, DoCase, false);
}
void TZirOvararIzazCore::MarkInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText) {
    TGridRect R = TextToolArea(DoFixed, false);
    R.Left = R.Right = Col;
    HilightCells(R, MarkTag, HiText, DoCase, false);
}
void TZirOvararIzazCore::MarkInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText) {
    TGridRect R = TextToolArea(DoFixed, false);
    R.Top = R.Bottom = Row;
    HilightCells(R, MarkTag, HiText, DoCase, false);
}
void TZirOvararIzazCore::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText) {
    HilightCells(TextToolArea(DoFixed, false), MarkTag, HiText, DoCase, false);
}

void TZirOvararIzazCore::UnHilightInCell(Integer Col, Integer Row) {
    UnHilightCells(TGridRect{Col, Row, Col, Row}, HiTag);
}
void TZirOvararIzazCore::UnMarkInCell(Integer Col, Integer Row) {
    UnHilightCells(TGridRect{Col, Row, Col, Row}, MarkTag);
}
void TZirOvararIzazCore::UnHilightInCol(bool DoFixed, Integer Col) {
    TGridRect R = TextToolArea(DoFixed, false);
    R.Left = R.Right = Col;
    UnHilightCells(R, HiTag);
}
void TZirOvararIzazCore::UnMarkInCol(bool DoFixed, Integer Col) {
    TGridRect R = TextToolArea(DoFixed, false);
    R.Left = R.Right = Col;
    UnHilightCells(R, MarkTag);
}
void TZirOvararIzazCore::UnHilightInRow(bool DoFixed, Integer Row) {
    TGridRect R = TextToolArea(DoFixed, true);
    R.Top = R.Bottom = Row;
    UnHilightCells(R, HiTag);
}
void TZirOvararIzazCore::UnMarkInRow(bool DoFixed, Integer Row) {
    TGridRect R = TextToolArea(DoFixed, true);
    R.Top = R.Bottom = Row;
    UnHilightCells(R, MarkTag);
}
void TZirOvararIzazCore::UnHilightInGrid(bool DoFixed) { UnHilightCells(TextToolArea(DoFixed, true), HiTag); }
void TZirOvararIzazCore::UnMarkInGrid(bool DoFixed) { UnHilightCells(TextToolArea(DoFixed, true), MarkTag); }

// ---- Cell checking ----

void TZirOvararIzazCore::SetCellChecker(TZirOvararIzazCheck* Value) {
    if (Value == FCellChecker) return;
    if (FCellChecker) FCellChecker->RemoveFreeNotification(this);
    FCellChecker = Value;
    if (FCellChecker) FCellChecker->FreeNotification(this);
}

bool TZirOvararIzazCore::CheckCell(Integer Col, Integer Row) {
    if (!FCellChecker) return true;
    const String Before = RemoveMarkupTag(Cells(Col, Row), MarkTag);
    if (FCellChecker->GotoCell()) FocusCell(Col, Row);
    String Text = Before;
    if (FCellChecker->UseCorrect()) Text = FCellChecker->Correct(Col, Row, Before);
    if (FCellChecker->UseMarkError()) Text = FCellChecker->MarkError(Col, Row, Before);
    SetCells(Col, Row, Text);
    return Text == Before;
}

bool TZirOvararIzazCore::CheckCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow) {
    if (!FCellChecker) return true;
    FCellChecker->StartCheck();
    const Integer OldCol = Col(), OldRow = Row();
    bool AllGood = true;
    bool Stop = false;
    for (Integer r = FromRow; r <= ToRow && !Stop; ++r)
        for (Integer c = FromCol; c <= ToCol; ++c) {
            if (!CheckCell(c, r)) AllGood = false;
            // The checker may have gone while it ran (a dialog closing the form).
            if (!FCellChecker || FCellChecker->LastResult() != 1) {
                Stop = true;
                break;
            }
        }
    if (FCellChecker) {
        FCellChecker->StopCheck();
        if (FCellChecker->GotoCell()) FocusCell(OldCol, OldRow);
    }
    return AllGood;
}

bool TZirOvararIzazCore::CheckCol(bool DoFixed, Integer Col) {
    const TGridRect R = TextToolArea(DoFixed, false);
    return CheckCells(Col, R.Top, Col, R.Bottom);
}
bool TZirOvararIzazCore::CheckRow(bool DoFixed, Integer Row) {
    const TGridRect R = TextToolArea(DoFixed, false);
    return CheckCells(R.Left, Row, R.Right, Row);
}
bool TZirOvararIzazCore::CheckGrid(bool DoFixed) {
    const TGridRect R = TextToolArea(DoFixed, false);
    return CheckCells(R.Left, R.Top, R.Right, R.Bottom);
}

// ---- Filling ----

void TZirOvararIzazCore::TextFill(bool DoFixed, const String& Txt) {
    const TGridRect R = TextToolArea(DoFixed, false);
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c) SetCells(c, r, Txt);
    for (Integer c = R.Left; c <= R.Right; ++c) RecalcFooter(c);
}

void TZirOvararIzazCore::FormatFill(bool DoFixed, const String& Fmt) {
    const TGridRect R = TextToolArea(DoFixed, false);
    // Every text is formatted before the first is written: a format the two
    // integers do not fit raises before any cell changed.
    std::vector<String> Texts;
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c) Texts.push_back(Format(Fmt, {c, r}));
    size_t i = 0;
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c) SetCells(c, r, Texts[i++]);
    for (Integer c = R.Left; c <= R.Right; ++c) RecalcFooter(c);
}

void TZirOvararIzazCore::RandomFill(bool DoFixed, Integer Rnd) {
    static std::mt19937 Engine{std::random_device{}()};
    const TGridRect R = TextToolArea(DoFixed, false);
    std::uniform_int_distribution<Integer> Pick(0, Rnd > 0 ? Rnd - 1 : 0);
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c) SetInts(c, r, Pick(Engine));
    for (Integer c = R.Left; c <= R.Right; ++c) RecalcFooter(c);
}

void TZirOvararIzazCore::LinearFill(bool DoFixed) {
    const TGridRect R = TextToolArea(DoFixed, false);
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c) SetCells(c, r, IntToStr(c) + u":" + IntToStr(r));
    for (Integer c = R.Left; c <= R.Right; ++c) RecalcFooter(c);
}

// ---- Headers ----

void TZirOvararIzazCore::ShowColumnHeaders() {
    if (FixedRows() <= 0) return;
    for (Integer i = 0; i < FColumnHeaders->Count() && i < TotalColCount(); ++i)
        SetCells(i, 0, HeaderText(FColumnHeaders->Strings(i)));
}

void TZirOvararIzazCore::ShowRowHeaders() {
    if (FixedCols() <= 0) return;
    for (Integer i = 0; i < FRowHeaders->Count() && i < RowCount(); ++i)
        SetCells(0, i, HeaderText(FRowHeaders->Strings(i)));
}

void TZirOvararIzazCore::ClearColumnHeaders() {
    for (Integer i = 0; i < ColCount(); ++i) SetCells(i, 0, String());
}

void TZirOvararIzazCore::ClearRowHeaders() {
    for (Integer i = 0; i < RowCount(); ++i) SetCells(0, i, String());
}

void TZirOvararIzazCore::SetColumnHeaders(const TStrings* Value) {
    if (!Value) return;
    FColumnHeaders->Assign(Value);
    if (FixedRows() > 0) ClearColumnHeaders();
    ShowColumnHeaders();
}

void TZirOvararIzazCore::SetRowHeaders(const TStrings* Value) {
    if (!Value) return;
    FRowHeaders->Assign(Value);
    ShowRowHeaders();
}

void TZirOvararIzazCore::SetLookupItems(const TStrings* Value) {
    if (Value) FLookupItems->Assign(Value);
}

// ---- Range formatting ----

namespace {
template <typename F> void ForRect(const TGridRect& R, F Each) {
    if (R.Right < R.Left) return;
    for (Integer c = R.Left; c <= R.Right; ++c)
        for (Integer r = R.Top; r <= R.Bottom; ++r) Each(c, r);
}
} // namespace

void TZirOvararIzazCore::SetFontStyle(const TGridRect& GridRect, TFontStyle AStyle, bool DoSet) {
    ForRect(GridRect, [&](Integer c, Integer r) {
        TFontStyles S = FontStyles(c, r);
        if (DoSet) S.Include(AStyle);
        else S.Exclude(AStyle);
        SetFontStyles(c, r, S);
    });
}
void TZirOvararIzazCore::SetCellColor(const TGridRect& GridRect, TColor AColor) {
    ForRect(GridRect, [&](Integer c, Integer r) { SetColors(c, r, AColor); });
}
void TZirOvararIzazCore::SetCellTextColor(const TGridRect& GridRect, TColor AColor) {
    ForRect(GridRect, [&](Integer c, Integer r) { SetFontColors(c, r, AColor); });
}
void TZirOvararIzazCore::SetCellFontName(const TGridRect& GridRect, const String& AFontName) {
    ForRect(GridRect, [&](Integer c, Integer r) { SetFontNames(c, r, AFontName); });
}
void TZirOvararIzazCore::SetCellFontSize(const TGridRect& GridRect, Integer AFontSize) {
    ForRect(GridRect, [&](Integer c, Integer r) { SetFontSizes(c, r, AFontSize); });
}
void TZirOvararIzazCore::SetAlignment(const TGridRect& GridRect, TAlignment AAlignment) {
    ForRect(GridRect, [&](Integer c, Integer r) { SetAlignments(c, r, AAlignment); });
}
bool TZirOvararIzazCore::IsFontStyle(const TGridRect& GridRect, TFontStyle AStyle) {
    bool All = true;
    ForRect(GridRect, [&](Integer c, Integer r) { All = All && FontStyles(c, r).Contains(AStyle); });
    return All;
}
bool TZirOvararIzazCore::IsAlignment(const TGridRect& GridRect, TAlignment AAlignment) {
    bool All = true;
    ForRect(GridRect, [&](Integer c, Integer r) { All = All && Alignments(c, r) == AAlignment; });
    return All;
}

// ---- Small services ----

String TZirOvararIzazCore::Version() {
    const Integer Nr = GetVersionNr();
    return IntToStr((Nr >> 24) & 0xFF) + u"." + IntToStr((Nr >> 16) & 0xFF) + u"." + IntToStr((Nr >> 8) & 0xFF) +
           u"." + IntToStr(Nr & 0xFF);
}

Integer TZirOvararIzazCore::PrintColWidth(Integer ACol) const {
    if (ACol < 0 || ACol >= AllColCount()) throw EKelGridError(u"Columns is not in valid range");
    return size_t(ACol) < FPrintColWidths.size() ? FPrintColWidths[size_t(ACol)] : 0;
}

Integer TZirOvararIzazCore::PrintColOffset(Integer ACol) const {
    if (ACol < 0 || ACol >= AllColCount()) throw EKelGridError(u"Columns is not in valid range");
    return size_t(ACol) < FPrintColOffsets.size() ? FPrintColOffsets[size_t(ACol)] : 0;
}

void TZirOvararIzazCore::SplitMergedColumns() {
    for (Integer c = 0; c < ColCount(); ++c) SplitColumnCells(c);
}

void TZirOvararIzazCore::RemergeColumns() {
    for (Integer i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->Items(i), i == 0);
}

bool TZirOvararIzazCore::MustSkip(Integer ACol, Integer ARow) {
    const TNavigationSettings& N = Navigation()->Settings();
    if (N.SkipFixedCells && IsFixed(ACol, ARow)) return true;
    if (N.SkipReadOnly) {
        bool CanEdit = true;
        DoCanEdit(ACol, ARow, CanEdit);
        return !CanEdit;
    }
    return false;
}
