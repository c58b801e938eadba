// Filtering: the row test against the conditions of Filter, the filter
// levels that applications stack and remove, and the narrow-down search.
//
// An application prepares every condition once (accents stripped, case
// folded, expressions split, literal alternatives listed) and then only
// reads each row's value; the failing rows leave the grid in one step.

#include "grid/ZirOvararIzazCore.h"
#include "gridbase/FilterExpression.h"
#include "gridbase/MarkupText.h"
#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/IniFile.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"

#include <optional>

// ---- Prepared conditions ----

struct TZirOvararIzazCore::TPreparedFilter {
    struct TItem {
        const TFilterData* Data = nullptr;
        // The condition as matched: accents stripped with RemoveAccented,
        // upper-cased for a whole-row test.
        String Condition;
        // A literal list "a|b|c", or one literal.
        bool HasAlternatives = false;
        std::vector<String> Alternatives;
        std::optional<TFilterExpression> Expression;
    };
    std::vector<TItem> Items;

    explicit TPreparedFilter(const TFilter* Filter) {
        for (Integer i = 0; i < Filter->Count(); ++i) {
            const TFilterData* Data = Filter->Items(i);
            TItem Item;
            Item.Data = Data;
            if (!Data->Enabled()) {
                Items.push_back(std::move(Item));
                continue;
            }
            Item.Condition = Data->RemoveAccented() ? StripDiacritics(Data->Condition()) : Data->Condition();
            if (Data->Data() == fcRow) {
                Item.Condition = UpperCase(Item.Condition);
            } else if (!Item.Condition.empty()) {
                if (Data->Method() == fmLiteral) {
                    Item.HasAlternatives = Item.Condition.find(u'|') != String::npos;
                    if (Item.HasAlternatives) {
                        size_t From = 0;
                        for (;;) {
                            const size_t Bar = Item.Condition.find(u'|', From);
                            Item.Alternatives.push_back(Item.Condition.substr(From, Bar - From));
                            if (Bar == String::npos) break;
                            From = Bar + 1;
                        }
                    }
                } else {
                    Item.Expression.emplace(Item.Condition, Data->CaseSensitive());
                }
            }
            Items.push_back(std::move(Item));
        }
    }
};

namespace {

bool StartsWith(const String& S, const String& Head) {
    return S.size() >= Head.size() && S.compare(0, Head.size(), Head) == 0;
}

// A literal condition: one of the alternatives exactly, "" an empty value
// only, anything else the value exactly; case always counts.
bool MatchLiteral(const String& Condition, bool HasAlternatives, const std::vector<String>& Alternatives,
                  const String& Value) {
    if (HasAlternatives) {
        for (const String& A : Alternatives)
            if (A == Value) return true;
        return false;
    }
    if (Condition == u"\"\"") return Value.empty();
    return Condition == Value;
}

} // namespace

// ---- The row test ----

String TZirOvararIzazCore::FilterValue(const TFilterData* Item, Integer ARow, String& Prefix, String& Suffix,
                                       String& Separator) {
    const Integer C = Item->Column();
    switch (Item->Data()) {
    case fcVirtual: {
        String Value = GetFormattedCell(C, ARow);
        if (Value.find(u"</") != String::npos) Value = MarkupToPlainText(Value);
        if (Value.empty()) {
            // A column of images is filtered on the image index.
            TSortStyle Style = ssAutomatic;
            DoGetFormat(C, Style, Prefix, Suffix);
            if (Style == ssImages) {
                Integer Idx = -1;
                Value = GetImageIdx(C, ARow, Idx) ? IntToStr(Idx) : String(u"-1");
            }
        }
        return Value;
    }
    case fcNormal:
        return GridCells(C, ARow);
    case fcStripHTML:
        return GetStrippedCell(C, ARow);
    case fcCalculated:
        return GetRawCellText(C, ARow);
    case fcRow: {
        String Value;
        const Integer All = AllColCount();
        if (FIgnoreColumns->Count() == 0) {
            Separator = u"\n";
            for (Integer c = 0; c < All; ++c)
                if (VisibleCol(c)) Value += Cells(c, ARow) + u"\r\n";
        } else {
            Separator = u",";
            for (Integer c = 0; c < All; ++c)
                if (VisibleCol(c) && !IsIgnoredColumn(c)) Value += u"," + GridCells(c, ARow);
        }
        return Value;
    }
    }
    return String();
}

bool TZirOvararIzazCore::MatchFilter(Integer ARow) {
    // Outside an application the conditions are prepared for this row only.
    std::optional<TPreparedFilter> Local;
    const TPreparedFilter* Prepared = FPreparedFilter;
    if (!Prepared) Prepared = &Local.emplace(FFilter.get());

    bool Result = true;
    for (const TPreparedFilter::TItem& P : Prepared->Items) {
        const TFilterData* Item = P.Data;
        if (!Item->Enabled()) continue;
        bool Match;
        // A condition that cannot be evaluated fails the row: matching
        // never stops the filter.
        try {
            String Prefix = Item->Prefix(), Suffix = Item->Suffix(), Separator;
            String Value = Trim(FilterValue(Item, ARow, Prefix, Suffix, Separator));
            if (Item->RemoveAccented()) Value = StripDiacritics(Value);
            if (Value.find(u"|\\") != String::npos) Value = DecodeWideCellText(Value);
            if (Item->Data() == fcRow) {
                Value = UpperCase(Value);
                if (FNarrowDownFromStart)
                    Match = StartsWith(Value, P.Condition) || Value.find(Separator + P.Condition) != String::npos;
                else
                    Match = Value.find(P.Condition) != String::npos;
            } else {
                if (!Prefix.empty() && StartsWith(Value, Prefix)) Value.erase(0, Item->Prefix().size());
                if (!Suffix.empty()) {
                    const size_t At = Value.find(Suffix);
                    if (At != String::npos && At + Suffix.size() == Value.size()) Value.resize(At);
                }
                Match = true;
                if (!P.Condition.empty()) {
                    if (Item->Method() == fmLiteral)
                        Match = MatchLiteral(P.Condition, P.HasAlternatives, P.Alternatives, Value);
                    else
                        Match = P.Expression->Matches(Value);
                }
            }
        } catch (const std::exception&) {
            Match = false;
        }
        switch (Item->Operation()) {
        case foSHORT:
            Result = Match;
            break;
        case foNONE:
            Result = Match;
            break;
        case foAND:
            Result = Result && Match;
            break;
        case foXOR:
            Result = Result != Match;
            break;
        case foOR:
            Result = Result || Match;
            break;
        }
        if (Item->Operation() == foSHORT && !Match) break;
    }
    if (OnCustomFilter) {
        bool AcceptRow = Result;
        OnCustomFilter(this, ARow, AcceptRow);
        Result = AcceptRow;
    }
    return Result;
}

bool TZirOvararIzazCore::FilterRow(Integer ARow) {
    if (MatchFilter(ARow)) return false;
    if (FFilterType == ftSuppress)
        SuppressRow(ARow);
    else
        HideRow(RealRowIndex(ARow));
    return true;
}

// ---- Applying and removing levels ----

void TZirOvararIzazCore::ApplyFilter() {
    FFilterFixedRows = FMinFixedRows;
    const Integer N = RowCount() - FFixedFooters - FMinFixedRows;
    if (N <= 0) return;
    const TPreparedFilter Prepared(FFilter.get());
    FPreparedFilter = &Prepared;
    TIntList Failing(0, 0);
    Integer Tested = 0;
    try {
        const Integer Last = RowCount() - FFixedFooters;
        const bool Tree = FNodeCount > 0;
        for (Integer r = FixedRows(); r < Last; ++r) {
            if (FFilterNormalCellsOnly && ((Tree && IsNode(r)) || IsSummary(r))) continue;
            if (!MatchFilter(r)) Failing.Add(r);
            ++Tested;
            if (OnFilterProgress) OnFilterProgress(this, int16_t(Round(Tested * 100.0 / N)));
        }
    } catch (...) {
        FPreparedFilter = nullptr;
        throw;
    }
    FPreparedFilter = nullptr;
    // ftSuppress suppresses the rows instead, without a new level.
    HideRowList(&Failing);
    if (OnFilterProgress) OnFilterProgress(this, int16_t(Round(Tested * 100.0 / N)));
}

void TZirOvararIzazCore::SetFilterActive(bool Value) {
    if (IsLoading()) return;
    if (Value != FFilterActive) {
        FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount()) FocusCell(FixedCols(), FixedRows());
            BeginUpdate();
            try {
                ApplyFilter();
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
            FSelHidden = false;
        } else {
            if (FFilterType == ftSuppress) {
                UnSuppressAllRows();
            } else if (FFilterLevel > 0) {
                UnHideRowList();
                --FFilterLevel;
            }
            if (FFilterFixedRows >= 0) SetFixedRows(FFilterFixedRows);
            if (IsSelectionHidden()) UnHideSelection();
        }
        if (FixedRows() < RowCount()) SetTopRow(FixedRows());
    }
    CalcFooter(-1);
}

bool TZirOvararIzazCore::RemoveLastFilter() {
    bool Result = false;
    if (FFilterLevel > 0) {
        if (FFilterType == ftSuppress)
            UnSuppressAllRows();
        else
            UnHideRowList();
        if (FFilterFixedRows >= 0) SetFixedRows(FFilterFixedRows);
        if (IsSelectionHidden()) UnHideSelection();
        CalcFooter(-1);
        --FFilterLevel;
        if (FFilter->Count() > 0) FFilter->Delete(FFilter->Count() - 1);
        Result = FFilterLevel > 1;
    }
    FNarrowDownActive = false;
    return Result;
}

void TZirOvararIzazCore::RemoveAllFilters() {
    if (FFilterLevel > 0)
        while (FFilterLevel > 0) RemoveLastFilter();
    else
        FFilter->Clear();
    // Nothing is filtered any more: switching the filter on applies again.
    FFilterActive = false;
    FNarrowDownActive = false;
    FLastNarrowDown.clear();
    FNarrowDownBase = 0;
}

// ---- Narrowing down ----

void TZirOvararIzazCore::RemoveNarrowDownLevels() {
    FNarrowDownBase = std::min(FNarrowDownBase, FFilterLevel);
    while (FFilterLevel > FNarrowDownBase) RemoveLastFilter();
}

void TZirOvararIzazCore::NarrowDown(const String& ACondition, bool DoRemoveAccented, Integer AColumn) {
    NarrowDown(ACondition, DoRemoveAccented ? TNarrowDownOptions{ndRemoveAccented} : TNarrowDownOptions{}, AColumn);
}

void TZirOvararIzazCore::NarrowDown(const String& ACondition, TNarrowDownOptions AOptions, Integer AColumn) {
    const String Last = FLastNarrowDown;
    // Narrowing begins on top of whatever levels are in force; only the
    // levels it adds are ever taken off again.
    if (Last.empty()) FNarrowDownBase = FFilterLevel;
    FNarrowDownActive = !ACondition.empty();
    if (FixedRows() > 0) SetFixedRowAlways(true);

    const auto NewItem = [&] {
        FFilter->Clear();
        TFilterData* Item = FFilter->Add();
        String Condition = ACondition;
        if (AColumn != -1) {
            // A text with a blank is quoted to keep its blanks; a leading "="
            // stays outside the quotes so that it still anchors the match.
            const String Pattern = FNarrowDownFromStart ? ACondition + u"*" : u"*" + ACondition + u"*";
            const String Quoted = ACondition.find(u' ') != String::npos ? u"\"" + Pattern + u"\"" : Pattern;
            Condition = FNarrowDownFromStart ? u"=" + Quoted : Quoted;
            Item->SetData(fcNormal);
        } else {
            Item->SetData(fcRow);
        }
        Item->SetCondition(Condition);
        Item->SetRemoveAccented(AOptions.Contains(ndRemoveAccented));
        Item->SetCaseSensitive(AOptions.Contains(ndCaseSensitive));
        Item->SetColumn(AColumn);
        Item->SetOperation(foNONE);
        Item->SetMethod(fmExpression);
    };

    const Integer Added = FFilterLevel - FNarrowDownBase;
    if (!ACondition.empty() && Length(ACondition) == Length(Last) + 1 && StartsWith(ACondition, Last)) {
        // One more character: narrow the rows the earlier levels left.
        NewItem();
        ApplyFilter();
    } else if (!ACondition.empty() && Length(ACondition) + 1 == Length(Last) && StartsWith(Last, ACondition) &&
               FFilterType == ftHide && Added > 1) {
        // One character less: the level before is the answer.
        RemoveLastFilter();
    } else {
        if (FFilterType == ftSuppress) UnSuppressAllOpenRows();
        RemoveNarrowDownLevels();
        if (!ACondition.empty()) {
            NewItem();
            ApplyFilter();
        }
    }
    FLastNarrowDown = ACondition;
    FNarrowDownActive = !ACondition.empty();
}

// ---- The filter file ----

void TZirOvararIzazCore::SaveFilter(const String& FileName) {
    // A filter file is a convenience: a file that cannot be written costs
    // the user nothing but the file, so the failure is not passed on.
    try {
        TMemIniFile Ini(FileName);
        Ini.WriteInteger(u"FILTER", u"COUNT", FFilter->Count());
        for (Integer i = 0; i < FFilter->Count(); ++i) {
            const TFilterData* Item = FFilter->Items(i);
            const String Section = u"ITEM" + IntToStr(i);
            Ini.WriteString(Section, u"CONDITION", Item->Condition());
            Ini.WriteInteger(Section, u"COLUMN", Item->Column());
            Ini.WriteInteger(Section, u"OPERATION", Integer(Item->Operation()));
            Ini.WriteInteger(Section, u"METHOD", Integer(Item->Method()));
            Ini.WriteBool(Section, u"CASE", Item->CaseSensitive());
            Ini.WriteBool(Section, u"ENABLED", Item->Enabled());
            Ini.WriteBool(Section, u"REMOVEACCENTED", Item->RemoveAccented());
            Ini.WriteString(Section, u"PREFIX", Item->Prefix());
            Ini.WriteString(Section, u"SUFFIX", Item->Suffix());
            Ini.WriteString(Section, u"FRIENDLYNAME", Item->FriendlyName());
            Ini.WriteInteger(Section, u"TYPE", Integer(Item->FilterType()));
        }
        Ini.UpdateFile();
    } catch (const std::exception&) {
    }
}

namespace {

// An enumeration read as its ordinal; out of range reads as Default.
template <typename T>
T ReadOrdinal(const TCustomIniFile& Ini, const String& Section, const String& Key, T Last) {
    const Integer V = Ini.ReadInteger(Section, Key, 0);
    return V >= 0 && V <= Integer(Last) ? T(V) : T(0);
}

} // namespace

void TZirOvararIzazCore::LoadFilter(const String& FileName) {
    // As for saving, a bad file is not an error of the program: what was
    // read so far stays and nothing is raised.
    try {
        const TMemIniFile Ini(FileName);
        const Integer Count = Ini.ReadInteger(u"FILTER", u"COUNT", -1);
        if (Count <= 0) return;
        FFilter->Clear();
        const bool EditRow = FFilterEdit->Enabled();
        for (Integer i = 0; i < Count; ++i) {
            const String Section = u"ITEM" + IntToStr(i);
            TFilterData* Item = FFilter->Add();
            Item->SetCondition(Ini.ReadString(Section, u"CONDITION", String()));
            Item->SetColumn(Ini.ReadInteger(Section, u"COLUMN", 0));
            Item->SetOperation(ReadOrdinal(Ini, Section, u"OPERATION", foOR));
            Item->SetMethod(ReadOrdinal(Ini, Section, u"METHOD", fmLiteral));
            Item->SetCaseSensitive(Ini.ReadBool(Section, u"CASE", false));
            Item->SetEnabled(Ini.ReadBool(Section, u"ENABLED", true));
            Item->SetRemoveAccented(Ini.ReadBool(Section, u"REMOVEACCENTED", false));
            Item->SetPrefix(Ini.ReadString(Section, u"PREFIX", String()));
            Item->SetSuffix(Ini.ReadString(Section, u"SUFFIX", String()));
            Item->SetFriendlyName(Ini.ReadString(Section, u"FRIENDLYNAME", String()));
            Item->SetFilterType(ReadOrdinal(Ini, Section, u"TYPE", ftNone));
            if (EditRow) SetCells(Item->Column(), FFilterEdit->Row(), Item->Condition());
        }
    } catch (const std::exception&) {
    }
}
