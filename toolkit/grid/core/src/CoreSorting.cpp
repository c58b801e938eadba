// Sorting the normal rows: cell comparison in every sort style, the single
// column, indexed and range sorts, the undo of a sort and the column type.
//
// A sort reads each compared cell once into a TSortKey (text, detected kind,
// converted value), orders row offsets by a stable merge sort over the keys
// and moves the rows as one permutation. The merge sort only ever looks at
// offsets inside the range and finishes after a fixed number of passes, so a
// comparison that contradicts itself (a compare event, or ssAutomatic in a
// column mixing numbers and words) can give a strange order but never loses
// a row or runs away.

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazCore.h"

#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <algorithm>
#include <climits>

namespace {

template <class T>
Integer Sign(T a, T b) {
    return (a > b) - (a < b);
}

Integer SignOf(Integer Value) {
    return (Value > 0) - (Value < 0);
}

// Ordinal order of UTF-16 code units.
Integer CompareOrdinal(const String& a, const String& b) {
    const int r = a.compare(b);
    return (r > 0) - (r < 0);
}

String AsciiUpper(String s) {
    for (Char& c : s)
        if (c >= u'a' && c <= u'z') c = Char(c - (u'a' - u'A'));
    return s;
}

void RemoveFirst(String& s, const String& Part) {
    if (Part.empty()) return;
    const size_t At = s.find(Part);
    if (At != String::npos) s.erase(At, Part.size());
}

bool IsAsciiDigit(Char c) {
    return c >= u'0' && c <= u'9';
}

// dd?mm?yy or dd?mm?yyyy with ? the date separator at the third place.
bool HasDateShape(const String& s, Char DateSep) {
    const size_t At = s.find(DateSep);
    return At == 2 && (s.size() == 8 || s.size() == 10) && IsAsciiDigit(s[1]) && IsAsciiDigit(s[3]);
}

// h:mm or hh:mm..., the time separator at the second or third place, not
// last, with digits on both sides.
bool HasTimeShape(const String& s, Char TimeSep) {
    const size_t At = s.find(TimeSep);
    return (At == 1 || At == 2) && At + 1 < s.size() && IsAsciiDigit(s[At - 1]) && IsAsciiDigit(s[At + 1]);
}

bool HoldsNumber(const String& s) {
    const TValueKind Kind = DetectValueKind(s);
    return Kind == vkInteger || Kind == vkFloat || Kind == vkScientific;
}

bool IsSortCheckBox(TCellType Kind) {
    return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox || Kind == ctRowCheckBox;
}

TDateTime DateTimeOrZero(const String& s) {
    TDateTime Value = 0;
    return TryStrToDateTime(s, Value) ? Value : 0.0;
}

// Stable bottom-up merge sort of Items by Before (strict). Every index it
// touches lies inside the vector and the number of passes is fixed, so it
// ends with every item whatever Before answers.
template <class F>
void StableMergeSort(std::vector<Integer>& Items, F Before) {
    const size_t N = Items.size();
    constexpr size_t Run = 16;
    for (size_t Lo = 0; Lo < N; Lo += Run) {
        const size_t Hi = std::min(N, Lo + Run);
        for (size_t i = Lo + 1; i < Hi; ++i) {
            const Integer Item = Items[i];
            size_t j = i;
            while (j > Lo && Before(Item, Items[j - 1])) {
                Items[j] = Items[j - 1];
                --j;
            }
            Items[j] = Item;
        }
    }
    std::vector<Integer> Buffer(N);
    for (size_t Width = Run; Width < N; Width *= 2) {
        for (size_t Lo = 0; Lo < N; Lo += 2 * Width) {
            const size_t Mid = std::min(N, Lo + Width), Hi = std::min(N, Lo + 2 * Width);
            size_t a = Lo, b = Mid, o = Lo;
            if (Mid < Hi && !Before(Items[Mid], Items[Mid - 1])) {
                // Already in order: copy through.
                std::copy(Items.begin() + std::ptrdiff_t(Lo), Items.begin() + std::ptrdiff_t(Hi),
                          Buffer.begin() + std::ptrdiff_t(Lo));
                continue;
            }
            while (a < Mid && b < Hi) Buffer[o++] = Before(Items[b], Items[a]) ? Items[b++] : Items[a++];
            while (a < Mid) Buffer[o++] = Items[a++];
            while (b < Hi) Buffer[o++] = Items[b++];
        }
        Items.swap(Buffer);
    }
}

// Entry i of the list (by position) takes the old entry Order[i] of the
// positions Index(First + i); the list is grown with Fill when it reaches
// into the range but is shorter than the positions.
template <class IndexOf>
void PermuteIntList(TIntList* List, Integer First, const std::vector<Integer>& Order, IndexOf Index,
                    Integer Fill) {
    const Integer N = Integer(Order.size());
    if (List->Count() <= Index(First)) return;
    Integer Top = 0;
    for (Integer i = 0; i < N; ++i) Top = std::max(Top, Index(First + i));
    while (List->Count() <= Top) List->Add(Fill);
    std::vector<Integer> Old(static_cast<size_t>(N));
    for (Integer i = 0; i < N; ++i) Old[size_t(i)] = List->Items(Index(First + i));
    for (Integer i = 0; i < N; ++i) {
        const Integer Value = Old[size_t(Order[size_t(i)])];
        if (List->Items(Index(First + i)) != Value) List->SetItems(Index(First + i), Value);
    }
}

} // namespace

// ---- Keys and comparison ----

TSortColumn TZirOvararIzazCore::SortColumnOf(Integer ACol) {
    TSortColumn Column;
    Column.Col = ACol;
    if (FSortSettings->AutoFormat())
        Column.Style = ssAutomatic;
    else if (FSortSettings->IgnoreCase())
        Column.Style = ssAlphaNoCase;
    else
        Column.Style = FSortSettings->DefaultFormat();
    DoGetFormat(ACol, Column.Style, Column.Prefix, Column.Suffix);
    Column.NoCase = Column.Style == ssAlphaNoCase || Column.Style == ssAlphaNumericNoCase ||
                    (Column.Style == ssAutomatic && FSortSettings->IgnoreCase());
    return Column;
}

void TZirOvararIzazCore::ReadSortKey(const TSortColumn& Column, Integer ARow, TSortKey& Key) {
    const Integer ACol = Column.Col;
    Key.Row = ARow;
    const String Text = FSortSettings->SortOnVirtualCells() ? Cells(ACol, ARow) : GridCells(ACol, ARow);
    Key.Empty = Text.empty();

    // The number of a numeric style: suffix and prefix taken off, for
    // ssFinancial the currency and thousand separators too, the decimal
    // separator made ".", then read as a whole.
    auto ReadNumber = [&](bool Financial) {
        String S = Text;
        RemoveFirst(S, Column.Suffix);
        RemoveFirst(S, Column.Prefix);
        if (Financial) {
            const String Currency = GridCurrencyString();
            if (!Currency.empty())
                for (size_t At; (At = S.find(Currency)) != String::npos;) {
                    S.erase(At, Currency.size());
                    S = Trim(S);
                }
            const Char Thousand = GridThousandSeparator();
            S.erase(std::remove(S.begin(), S.end(), Thousand), S.end());
        }
        const Char Decimal = GridDecimalSeparator();
        if (Decimal != u'.') {
            const size_t At = S.find(Decimal);
            if (At != String::npos) S[At] = u'.';
        }
        Double Value = 0;
        Integer Code = 0;
        Val(S, Value, Code);
        Key.Converts = Code == 0 || Text.empty();
        Key.Number = Code == 0 ? Value : 0.0;
        Key.Empty = S.empty();
    };
    auto StripAffixes = [&] {
        String S = Text;
        RemoveFirst(S, Column.Suffix);
        RemoveFirst(S, Column.Prefix);
        return S;
    };
    auto ReadCheckBox = [&] {
        bool State = false;
        Key.HasCheckBox = IsSortCheckBox(GetCellType(ACol, ARow));
        if (Key.HasCheckBox) {
            GetCheckBoxState(ACol, NumHiddenRows() > 0 ? RealRowIndex(ARow) : ARow, State);
            Key.Checked = State;
        }
    };

    switch (Column.Style) {
    case ssAutomatic: {
        ReadCheckBox();
        Key.HoldsNumber = HoldsNumber(Text);
        if (Key.HoldsNumber) {
            const bool Empty = Key.Empty;
            ReadNumber(false);
            Key.Empty = Empty;
        } else if (HasDateShape(Text, GridDateSeparator())) {
            Key.DateShape = true;
            Key.Moment = DateTimeOrZero(StripAffixes());
        } else if (HasTimeShape(Text, GridTimeSeparator())) {
            TDateTime Value = 0;
            Key.TimeShape = true;
            Key.Moment = TryStrToTime(Text, Value) ? Value : 0.0;
        }
        Key.Text = Column.NoCase ? AsciiUpper(Text) : Text;
        break;
    }
    case ssNumeric:
    case ssFinancial:
        ReadNumber(Column.Style == ssFinancial);
        break;
    case ssAlphaNumeric:
    case ssAlphaNumericNoCase: {
        Key.HoldsNumber = HoldsNumber(Text);
        if (Key.HoldsNumber) {
            const bool Empty = Key.Empty;
            ReadNumber(false);
            Key.Empty = Empty;
        }
        Key.Text = Column.NoCase ? AsciiUpper(Text) : Text;
        break;
    }
    case ssDate:
        Key.Number = DateTimeOrZero(StripAffixes());
        break;
    case ssDateTime:
        Key.Number = Text.empty() ? 0.0 : DateTimeOrZero(Text);
        break;
    case ssTime: {
        TDateTime Value = 0;
        Key.Number = TryStrToTime(Text, Value) ? Value : 0.0;
        break;
    }
    case ssShortDateEU:
    case ssShortDateUS:
        try {
            Key.Number = Column.Style == ssShortDateEU ? ParseDateDMY(Text) : ParseDateMDY(Text);
        } catch (const EConvertError&) {
            Key.Number = 0;
        }
        break;
    case ssVarDate: {
        // US English notation whatever the program's settings.
        TDateTime Value = 0;
        Key.Number = TryStrToDateTime(Text, Value, TFormatSettings{}) ? Value : 0.0;
        break;
    }
    case ssAlphaNoCase:
        Key.Text = AsciiUpper(Text);
        break;
    case ssHTML:
        Key.Text = GetStrippedCell(ACol, ARow);
        Key.Empty = Key.Text.empty();
        break;
    case ssImages:
        Key.Number = GetCellImageIdx(ACol, ARow);
        break;
    case ssCheckBox:
        ReadCheckBox();
        break;
    case ssRaw:
        break;
    default: // the ordinal, locale-aware, natural and custom text styles
        Key.Text = Text;
        break;
    }
}

Integer TZirOvararIzazCore::CompareSortKeys(const TSortColumn& Column, const TSortKey& A, const TSortKey& B,
                                            TSortDirection Direction) {
    ++FCompares;
    // Numbers first, then texts that do not convert (equal among themselves).
    auto Numbers = [&] {
        if (A.Converts && B.Converts) return Sign(A.Number, B.Number);
        if (A.Converts != B.Converts) return A.Converts ? -1 : 1;
        return 0;
    };
    Integer Result = 0;
    switch (Column.Style) {
    case ssAutomatic:
        if (A.HasCheckBox || B.HasCheckBox)
            Result = Sign(A.Checked, B.Checked);
        else if (A.HoldsNumber && B.HoldsNumber)
            Result = Numbers();
        else if ((A.DateShape && B.DateShape) || (A.TimeShape && B.TimeShape))
            Result = Sign(A.Moment, B.Moment);
        else
            Result = CompareOrdinal(A.Text, B.Text);
        break;
    case ssNumeric:
    case ssFinancial:
        Result = Numbers();
        break;
    case ssAlphaNumeric:
    case ssAlphaNumericNoCase:
        Result = A.HoldsNumber && B.HoldsNumber ? Numbers() : CompareOrdinal(A.Text, B.Text);
        break;
    case ssDate:
    case ssDateTime:
    case ssTime:
    case ssShortDateEU:
    case ssShortDateUS:
    case ssVarDate:
    case ssImages:
        Result = Sign(A.Number, B.Number);
        break;
    case ssCheckBox:
        Result = Sign(A.Checked, B.Checked);
        break;
    case ssAnsiAlphaCase:
        Result = SignOf(AnsiCompareStr(A.Text, B.Text));
        break;
    case ssAnsiAlphaNoCase:
        Result = SignOf(AnsiCompareText(A.Text, B.Text));
        break;
    case ssNatural:
        Result = SignOf(winapi::StrCmpLogicalW(A.Text, B.Text));
        break;
    case ssCustom:
        if (OnCustomCompare) OnCustomCompare(this, A.Text, B.Text, Result);
        Result = SignOf(Result);
        break;
    case ssRaw:
        if (OnRawCompare) OnRawCompare(this, Column.Col, A.Row, B.Row, Result);
        Result = SignOf(Result);
        break;
    default: // ssAlphabetic, ssAlphaCase, ssAlphaNoCase (upper-cased keys), ssHTML (stripped keys)
        Result = CompareOrdinal(A.Text, B.Text);
        break;
    }
    if (FSortSettings->IgnoreBlanks() && A.Empty != B.Empty) {
        // Blanks at the same end in both directions.
        const Integer First = FSortSettings->BlankPos() == blFirst ? -1 : 1;
        Result = A.Empty ? First : -First;
        if (Direction == sdDescending) Result = -Result;
    }
    return Result;
}

Integer TZirOvararIzazCore::CompareCells(Integer ACol, Integer ARow1, TSortDirection Direction, Integer ARow2) {
    const TSortColumn Column = SortColumnOf(ACol);
    TSortKey Key1, Key2;
    ReadSortKey(Column, ARow1, Key1);
    ReadSortKey(Column, ARow2, Key2);
    return CompareSortKeys(Column, Key1, Key2, Direction);
}

// ---- Ordering ----

std::vector<TSortColumn> TZirOvararIzazCore::ColumnSortPlan(Integer Col) {
    std::vector<TSortColumn> Plan;
    const Integer Last = FSortSettings->Full() ? AllColCount() - 1 : Col;
    for (Integer c = Col; c <= Last; ++c) Plan.push_back(SortColumnOf(c));
    return Plan;
}

std::vector<TSortColumn> TZirOvararIzazCore::IndexedSortPlan() {
    std::vector<TSortColumn> Plan;
    const Integer Count = FSortSettings->Full() ? FSortIndexes->Count() : std::min(FSortIndexes->Count(), 1);
    for (Integer i = 0; i < Count; ++i) {
        TSortColumn Column = SortColumnOf(FSortIndexes->SortColumns(i));
        Column.Descending = !FSortIndexes->SortDirections(i);
        Plan.push_back(std::move(Column));
    }
    return Plan;
}

std::vector<Integer> TZirOvararIzazCore::SortOrder(Integer First, Integer Last, std::vector<TSortColumn> Plan,
                                                   bool Indexed, TSortDirection Direction, Integer SortDirValue) {
    std::vector<Integer> Order;
    if (Last <= First) return Order;
    const Integer N = Last - First + 1;
    // Keys are read on first use: the first column for every row, later
    // columns only for rows that tie before them.
    std::vector<std::vector<TSortKey>> Keys(Plan.size());
    std::vector<std::vector<bool>> Read(Plan.size());
    std::vector<bool> Ignored(Plan.size());
    for (size_t k = 0; k < Plan.size(); ++k) Ignored[k] = IsIgnoredColumn(Plan[k].Col);
    auto KeyOf = [&](size_t k, Integer Offset) -> const TSortKey& {
        if (Keys[k].empty()) {
            Keys[k].resize(size_t(N));
            Read[k].assign(size_t(N), false);
        }
        if (!Read[k][size_t(Offset)]) {
            ReadSortKey(Plan[k], First + Offset, Keys[k][size_t(Offset)]);
            Read[k][size_t(Offset)] = true;
        }
        return Keys[k][size_t(Offset)];
    };
    auto Compare = [&](Integer a, Integer b) {
        for (size_t k = 0; k < Plan.size(); ++k) {
            Integer r = 0;
            if (!Ignored[k]) {
                const TSortDirection Dir = Indexed ? (Plan[k].Descending ? sdDescending : sdAscending) : Direction;
                r = CompareSortKeys(Plan[k], KeyOf(k, a), KeyOf(k, b), Dir);
            }
            if (Indexed && Plan[k].Descending) r = -r;
            if (r != 0) return r;
        }
        return 0;
    };
    if (!Plan.empty())
        for (Integer i = 0; i < N; ++i) (void)KeyOf(0, i);
    Order.resize(size_t(N));
    for (Integer i = 0; i < N; ++i) Order[size_t(i)] = i;
    const Integer Before = Indexed ? -1 : -SortDirValue;
    StableMergeSort(Order, [&](Integer a, Integer b) { return Compare(a, b) == Before; });
    return Order;
}

void TZirOvararIzazCore::ApplyRowOrder(Integer First, const std::vector<Integer>& Order) {
    const Integer N = Integer(Order.size());
    Integer Moved = 0;
    for (Integer i = 0; i < N; ++i)
        if (Order[size_t(i)] != i) ++Moved;
    if (Moved == 0) return;
    FSwaps += Moved;
    std::vector<Integer> NewPos(static_cast<size_t>(N));
    for (Integer i = 0; i < N; ++i) NewPos[size_t(Order[size_t(i)])] = i;
    auto Same = [](Integer d) { return d; };
    PermuteIntList(FSortRowXRef.get(), First, Order, Same, 0);

    // Moves the cells of one column only, texts and objects.
    auto PermuteColumn = [&](Integer c) {
        std::vector<std::pair<String, TObject*>> Old;
        Old.reserve(size_t(N));
        for (Integer i = 0; i < N; ++i)
            Old.emplace_back(TStringGrid::Cells(c, First + i), TStringGrid::Objects(c, First + i));
        for (Integer i = 0; i < N; ++i) {
            const auto& Cell = Old[size_t(Order[size_t(i)])];
            TStringGrid::SetObjects(c, First + i, Cell.second);
            TStringGrid::SetCells(c, First + i, Cell.first);
        }
    };
    if (FSortSettings->SingleColumn()) {
        // Only the cells of the sort column move; the rows stay.
        Integer c = FSortSettings->Column();
        if (c < 0 && FSortSettings->IndexShow() && FSortIndexes->Count() > 0) c = FSortIndexes->SortColumns(0);
        if (c >= 0 && c < TotalColCount()) PermuteColumn(c);
        ReownRows(First, First + N - 1);
        return;
    }

    // Column 0 of a grid with fixed columns keeps its texts with
    // NormalCellsOnly: it is moved along and then moved back.
    const bool KeepColumn0 = FSortSettings->NormalCellsOnly() && FixedCols() > 0;
    TStringGrid::PermuteRows(First, Order);
    if (KeepColumn0) {
        std::vector<Integer> Back(static_cast<size_t>(N));
        for (Integer i = 0; i < N; ++i) Back[size_t(i)] = NewPos[size_t(i)];
        std::vector<std::pair<String, TObject*>> Cur;
        Cur.reserve(size_t(N));
        for (Integer i = 0; i < N; ++i)
            Cur.emplace_back(TStringGrid::Cells(0, First + i), TStringGrid::Objects(0, First + i));
        for (Integer i = 0; i < N; ++i) {
            const auto& Cell = Cur[size_t(Back[size_t(i)])];
            TStringGrid::SetObjects(0, First + i, Cell.second);
            TStringGrid::SetCells(0, First + i, Cell.first);
        }
    }
    ReownRows(First, First + N - 1);

    // Flags kept by real row follow their rows.
    std::vector<Integer> Real;
    if (NumHiddenRows() > 0) {
        Real.resize(size_t(N));
        for (Integer i = 0; i < N; ++i) Real[size_t(i)] = RealRowIndex(First + i);
    }
    auto RealOf = [&](Integer d) { return Real.empty() ? d : Real[size_t(d - First)]; };
    PermuteIntList(FEnabledRows.get(), First, Order, RealOf, 0);
    PermuteIntList(FModifiedRows.get(), First, Order, RealOf, 0);
    if (FSuppressRowSizes->Count() >= First + N) PermuteIntList(FSuppressRowSizes.get(), First, Order, Same, 0);

    if (FMouseActions->DisjunctRowSelect() && FNavigation->Settings().MoveRowOnSort) {
        const bool Persistent = FMouseActions->Settings().RowSelectPersistent;
        auto IndexOf = [&](Integer d) { return Persistent ? RealOf(d) : d; };
        const Integer Top = IndexOf(First + N - 1);
        if (Integer(FRowSelectFlags.size()) > IndexOf(First)) {
            if (Integer(FRowSelectFlags.size()) <= Top) FRowSelectFlags.resize(size_t(Top) + 1, false);
            std::vector<bool> Old(static_cast<size_t>(N));
            for (Integer i = 0; i < N; ++i) Old[size_t(i)] = FRowSelectFlags[size_t(IndexOf(First + i))];
            for (Integer i = 0; i < N; ++i)
                FRowSelectFlags[size_t(IndexOf(First + i))] = Old[size_t(Order[size_t(i)])];
            // The selected-row list names the same records at their new places.
            for (Integer e = 0; e < FSelectedRows->Count(); ++e) {
                const Integer Index = FSelectedRows->Items(e);
                Integer Offset = -1;
                if (Persistent && !Real.empty()) {
                    const auto It = std::lower_bound(Real.begin(), Real.end(), Index);
                    if (It != Real.end() && *It == Index) Offset = Integer(It - Real.begin());
                } else if (Index >= First && Index < First + N) {
                    Offset = Index - First;
                }
                if (Offset >= 0) FSelectedRows->SetItems(e, IndexOf(First + NewPos[size_t(Offset)]));
            }
        }
    }
    if (FSortRow >= First && FSortRow < First + N) FSortRow = First + NewPos[size_t(FSortRow - First)];
    Invalidate();
}

// ---- Sorts ----

Integer TZirOvararIzazCore::SortLastRow() const {
    const bool FooterRow = FFloatingFooter->Visible() && FFixedFooters == 0;
    return RowCount() - 1 - FFixedFooters - (FooterRow ? 1 : 0);
}

void TZirOvararIzazCore::InitSortXRef() {
    FSortRowXRef->Clear();
    for (Integer r = 0; r < RowCount(); ++r) FSortRowXRef->Add(r);
}

void TZirOvararIzazCore::SortNormalRows(bool Indexed) {
    const TSortDirection Direction = FSortSettings->Direction();
    FSortDir = Direction == sdAscending ? 1 : -1;
    const bool MoveRow = FNavigation->Settings().MoveRowOnSort;
    const Integer OldRow = Row();
    const Integer OldTop = TopRow();
    FSortRow = OldRow;
    std::vector<TSortColumn> Plan = Indexed ? IndexedSortPlan() : ColumnSortPlan(FSortSettings->Column());
    const std::vector<Integer> Order =
        SortOrder(FixedRows(), SortLastRow(), std::move(Plan), Indexed, Direction, FSortDir);
    BeginUpdate();
    try {
        ApplyRowOrder(FixedRows(), Order);
        if (MoveRow && FSortRow != OldRow && FSortRow >= 0 && FSortRow < RowCount()) {
            // The current row follows its record, without cell-change events.
            const bool Blocked = FCellChangingBlocked;
            FCellChangingBlocked = true;
            TBaseGrid::FocusCell(Col(), FSortRow, true);
            FCellChangingBlocked = Blocked;
            if (!Indexed && OnRowChanging) {
                bool Allow = true;
                OnRowChanging(this, OldRow, FSortRow, Allow);
            }
        }
        if (!Indexed && !MoveRow && OnRowUpdate) OnRowUpdate(this, OldRow, Row());
        if (FNavigation->Settings().KeepScrollOnSort) SetTopRowEx(OldTop);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    if (FFloatingFooter->Visible()) RepaintFooterPanel();
}

void TZirOvararIzazCore::QSort() {
    if (FSortSettings->Column() < 0) return;
    if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
    FSortIndexes->Clear();
    SortNormalRows(false);
}

void TZirOvararIzazCore::QSortIndexed() {
    if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
    if (FSortIndexes->Count() == 0) throw EKelGridError(u"No indexes specified for indexed sort");
    SortNormalRows(true);
}

void TZirOvararIzazCore::SortGroups(bool Indexed) {
    if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
    if (Indexed ? FSortIndexes->Count() == 0 : FSortSettings->Column() < 0) return;
    const TSortDirection Direction = FSortSettings->Direction();
    FSortDir = Direction == sdAscending ? 1 : -1;
    const bool MoveRow = FNavigation->Settings().MoveRowOnSort;
    const Integer OldRow = Row();
    const Integer OldTop = TopRow();
    FSortRow = OldRow;
    // The groups of the deepest node level among the normal rows; each
    // expanded one with more than one child row is sorted on its own.
    const Integer Last = SortLastRow();
    Integer Deepest = -1;
    for (Integer r = FixedRows(); r <= Last; ++r)
        if (IsNode(r)) Deepest = std::max(Deepest, GetNodeLevel(r));
    BeginUpdate();
    try {
        for (Integer r = FixedRows(); r <= Last && Deepest >= 0; ++r) {
            if (!IsNode(r) || GetNodeLevel(r) != Deepest || GetNodeState(r)) continue;
            const Integer End = std::min(NodeSpanEnd(r), Last + 1);
            if (End - r <= 2) continue;
            if (Indexed)
                QuickSortIndexed(r + 1, End - 1);
            else
                QuickSort(FSortSettings->Column(), r + 1, End - 1);
        }
        if (MoveRow && FSortRow != OldRow && FSortRow >= 0 && FSortRow < RowCount()) {
            const bool Blocked = FCellChangingBlocked;
            FCellChangingBlocked = true;
            TBaseGrid::FocusCell(Col(), FSortRow, true);
            FCellChangingBlocked = Blocked;
            if (OnRowChanging) {
                bool Allow = true;
                OnRowChanging(this, OldRow, FSortRow, Allow);
            }
        }
        if (FNavigation->Settings().KeepScrollOnSort) SetTopRowEx(OldTop);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZirOvararIzazCore::QSortGroup() {
    SortGroups(false);
}

void TZirOvararIzazCore::QSortGroupIndexed() {
    SortGroups(true);
}

void TZirOvararIzazCore::QUnSort() {
    if (FSortRowXRef->Count() == 0 || HasNodes()) return;
    // Each row goes back to the position its cross-reference entry names;
    // rows the list does not cover (added since) stay after those it does.
    const Integer N = RowCount();
    std::vector<Integer> Target(static_cast<size_t>(N));
    for (Integer p = 0; p < N; ++p) Target[size_t(p)] = p < FSortRowXRef->Count() ? FSortRowXRef->Items(p) : INT_MAX;
    std::vector<Integer> Order(static_cast<size_t>(N));
    for (Integer p = 0; p < N; ++p) Order[size_t(p)] = p;
    StableMergeSort(Order, [&](Integer a, Integer b) { return Target[size_t(a)] < Target[size_t(b)]; });
    BeginUpdate();
    try {
        ApplyRowOrder(0, Order);
        if (FSortSettings->IndexShow()) FSortIndexes->Clear();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    FSortSettings->SetColumn(-1);
}

void TZirOvararIzazCore::Sort(Integer Column, TSortDirection Direction) {
    FSortSettings->SetColumn(Column);
    FSortSettings->SetDirection(Direction);
    QSort();
    if (ControlList()->Count() > 0) CellControlsUpdate(true);
}

void TZirOvararIzazCore::SortByColumn(Integer Col) {
    if (RowCount() <= 1) return;
    FSortSettings->SetColumn(Col);
    QSort();
}

void TZirOvararIzazCore::QuickSort(Integer Col, Integer Left, Integer Right) {
    Left = std::max(Left, 0);
    Right = std::min(Right, RowCount() - 1);
    if (Col < 0 || Col >= AllColCount() || Left >= Right) return;
    const TSortDirection Direction = FSortSettings->Direction();
    FSortDir = Direction == sdAscending ? 1 : -1;
    ApplyRowOrder(Left, SortOrder(Left, Right, ColumnSortPlan(Col), false, Direction, FSortDir));
}

void TZirOvararIzazCore::QuickSortIndexed(Integer Left, Integer Right) {
    Left = std::max(Left, 0);
    Right = std::min(Right, RowCount() - 1);
    if (FSortIndexes->Count() == 0 || Left >= Right) return;
    ApplyRowOrder(Left, SortOrder(Left, Right, IndexedSortPlan(), true, FSortSettings->Direction(), 1));
}

bool TZirOvararIzazCore::SortLine(Integer Col, Integer ARow1, Integer ARow2) {
    for (; Col >= 0 && Col < AllColCount(); ++Col) {
        const Integer r = CompareCells(Col, ARow1, FSortSettings->Direction(), ARow2);
        if (r == FSortDir) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (r != 0) return false;
    }
    return false;
}

TColumnType TZirOvararIzazCore::ColumnType(Integer Col) {
    const Integer R = FixedRows();
    if (HasCheckBox(Col, R) && HasCheckBox(Col, R + 1)) return ctBoolean;
    const TValueKind Kind = DetectValueKind(Cells(Col, R));
    if (Kind != DetectValueKind(Cells(Col, R + 1))) return ctAlpha;
    switch (Kind) {
    case vkInteger:
        return ctNumeric;
    case vkFloat:
        return ctFloat;
    case vkDate:
        return ctDate;
    case vkTime:
        return ctTime;
    default:
        return ctAlpha;
    }
}
