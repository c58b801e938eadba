// The filter drop-down: the value list of a column, the pick of the
// single-pick list and the ticks of the check list as filter conditions,
// and the filter-edit row's switch and application.

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazCore.h"
#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"
#include "windowing/MessageQueue.h"

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <vector>

using namespace winapi;

namespace {

const Char Tab = u'\t';
const String EmptyCondition = u"\"\"";

// The shown part of an entry: the text before its TAB.
String EntryName(const String& Entry) {
    const size_t At = Entry.find(Tab);
    return At == String::npos ? Entry : Entry.substr(0, At);
}

bool ContainsAny(const String& S, std::u16string_view Chars) {
    return S.find_first_of(Chars) != String::npos;
}

// Numbers first, by value; then the other entries in natural order. One
// strict order for any mix of entries, so sorting never depends on where
// numbers and texts meet.
struct TFilterValueOrder {
    bool operator()(const std::pair<String, std::optional<Double>>& A,
                    const std::pair<String, std::optional<Double>>& B) const {
        if (A.second && B.second) return *A.second < *B.second;
        if (A.second || B.second) return bool(A.second);
        return NaturalCompareText(A.first, B.first) < 0;
    }
};

} // namespace

// ---- The lists and the settings ---------------------------------------------------------

void TZirOvararIzazCore::CreateFilterDropLists() {
    FFilterDropList = Create<TDropList>(this);
    FFilterDropCheckList = Create<TDropCheckList>(this);
    auto Close = [this](TObject*) {
        DoFilterClose(FFilterCol);
        FFilterCol = -1;
    };
    FFilterDropList->OnSelect = [this](TObject*, Integer ItemIndex) { DoFilterSelect(ItemIndex); };
    FFilterDropCheckList->OnSelect = [this](TObject*, Integer ItemIndex) { DoFilterCheck(ItemIndex); };
    for (TCustomListBox* List : {static_cast<TCustomListBox*>(FFilterDropList),
                                 static_cast<TCustomListBox*>(FFilterDropCheckList)}) {
        List->SetVisible(false);
        List->SetBounds(0, 0, 0, 0);
        List->SetParent(this);
    }
    FFilterDropList->OnClose = [this](TObject* Sender) { FocusGrid(Sender); };
    FFilterDropCheckList->OnClose = [this](TObject* Sender) { FocusGrid(Sender); };
    FFilterDropList->OnCancel = Close;
    FFilterDropCheckList->OnCancel = Close;
}

void TZirOvararIzazCore::SetFilterDropDownAuto(bool Value) {
    if (FFilterDropDownAuto == Value) return;
    FFilterDropDownAuto = Value;
    Invalidate();
    if (Value)
        SetFixedRowAlways(true);
    else
        FFilterList->Clear();
}

void TZirOvararIzazCore::SetFilterDropDownRow(Integer Value) {
    if (Value < 0 || Value >= FixedRows()) return;
    FFilterDropDownRow = Value;
    Invalidate();
}

void TZirOvararIzazCore::FocusGrid(TObject*) {
    if (CanFocus()) SetFocus();
}

String TZirOvararIzazCore::DoGetCheckTrue(Integer ACol, Integer ARow) {
    String Value = FCheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
    return Value;
}

String TZirOvararIzazCore::DoGetCheckFalse(Integer ACol, Integer ARow) {
    String Value = FCheckFalse;
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
    return Value;
}

// ---- The value list -----------------------------------------------------------------------

String TZirOvararIzazCore::FilterEntry(String Value) const {
    if (Value.empty()) return String(1, Tab) + EmptyCondition;
    if (FFilterDropDown->Method() == fmExpression && Value.find(u' ') != String::npos)
        return Value + Tab + u'"' + EscapeQuotes(Value) + u'"';
    return Value;
}

bool TZirOvararIzazCore::DoGetColumnFilter(Integer ACol, bool StopAtFirst, bool IncludeHidden) {
    TFilterDropDown* D = FFilterDropDown.get();
    FFilterList->Clear();
    FFilterList->SetSorted(false);
    FFilterList->SetCaseSensitive(D->CaseSensitive());
    std::vector<String> Entries;
    if (FFilterDropDownAuto && (ACol >= FixedCols() || FFilterDropDownColumns == fdAll)) {
        bool CheckTexts = false;
        if (HasDataCheckBoxColumn(ACol) && !D->TextChecked().empty() && !D->TextUnChecked().empty()) {
            Entries = {D->TextChecked(), D->TextUnChecked()};
            CheckTexts = true;
        } else {
            // Values differing only in case are listed once, as first met.
            std::unordered_set<String> Met;
            for (Integer r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
                if (IsNode(r)) continue;
                String Entry = FilterEntry(Trim(D->IgnoreHTML() ? GetStrippedCell(ACol, r) : Cells(ACol, r)));
                if (Met.insert(WideUpperCase(Entry)).second) Entries.push_back(std::move(Entry));
                if (StopAtFirst && !Entries.empty()) break;
            }
        }
        // The values of the rows that filter levels took out, unless the
        // list offers only what is left.
        if ((IncludeHidden || (!CheckTexts && !FFilterIncremental)) && !(StopAtFirst && !Entries.empty())) {
            auto Key = [&](const String& S) { return D->CaseSensitive() ? S : WideUpperCase(S); };
            std::unordered_set<String> Listed;
            for (const String& Entry : Entries) Listed.insert(Key(Entry));
            for (Integer i = 0; i < NumHiddenRows(); ++i) {
                const TGridItem* Item = HiddenItem(i);
                if (Item->Level() < 0) continue;
                String Value = ACol >= 0 && ACol < Item->Items()->Count() ? Trim(Item->Items()->Strings(ACol)) : String();
                if (OnGetDisplText) OnGetDisplText(this, ACol, Item->Idx(), Value);
                String Entry = FilterEntry(Value);
                if (Listed.insert(Key(Entry)).second) Entries.push_back(std::move(Entry));
                if (StopAtFirst) break;
            }
        }
    }
    if (D->Sorted() && Entries.size() > 1) {
        std::vector<std::pair<String, std::optional<Double>>> Keyed;
        Keyed.reserve(Entries.size());
        for (String& Entry : Entries) {
            Double Number = 0;
            const bool IsNumber = TryStrToFloat(Entry, Number);
            Keyed.emplace_back(std::move(Entry), IsNumber ? std::optional<Double>(Number) : std::nullopt);
        }
        std::stable_sort(Keyed.begin(), Keyed.end(), TFilterValueOrder());
        for (size_t i = 0; i < Keyed.size(); ++i) Entries[i] = std::move(Keyed[i].first);
    }
    FFilterList->BeginUpdate();
    for (const String& Entry : Entries) FFilterList->Add(Entry);
    if (FFilterDropDownAuto) {
        if (!FFilterDropDownClear.empty() && !FFilterDropDownCheck) FFilterList->Insert(0, FFilterDropDownClear);
        if (!FFilterDropDownCheckUnCheckAll.empty() && FFilterDropDownCheck)
            FFilterList->Insert(0, FFilterDropDownCheckUnCheckAll);
    }
    FFilterList->EndUpdate();
    if (OnGetColumnFilter) OnGetColumnFilter(this, ACol, FFilterList.get());
    return FFilterList->Count() > 0;
}

String TZirOvararIzazCore::CheckTextCondition(Integer ACol, const String& Text) {
    if (Text.empty() || !HasDataCheckBoxColumn(ACol)) return Text;
    if (Text == FFilterDropDown->TextChecked()) return GetFilterCheckTrue();
    if (Text == FFilterDropDown->TextUnChecked()) return GetFilterCheckFalse();
    return Text;
}

// ---- A pick and the ticks ----------------------------------------------------------------

void TZirOvararIzazCore::DoFilterSelect(Integer ItemIndex) {
    FocusGrid(this);
    const Integer Col = FFilterCol;
    FFilterCol = -1;
    if (Col < 0 || Col >= AllColCount() || ItemIndex < 0) return;
    DoGetColumnFilter(Col);
    if (ItemIndex >= FFilterList->Count()) return;
    String Condition = CheckTextCondition(Col, FFilterList->Strings(ItemIndex));
    const String Friendly = EntryName(FFilterList->Strings(ItemIndex));
    if (FAutoFilterUpdate) SetFilterActive(false);
    if (const size_t At = Condition.find(Tab); At != String::npos) Condition.erase(0, At + 1);
    if (Condition == FFilterDropDownClear) Condition.clear();
    Condition = StripEnclosingQuotes(Condition);
    if (OnFilterSelect) OnFilterSelect(this, Col, ItemIndex, Friendly, Condition);
    if (FFilterDropDown->Method() == fmExpression && !ContainsAny(Condition, u"<>=!") &&
        ContainsAny(Condition, u"& ") && Condition.front() != u'"')
        Condition = u'"' + Condition + u'"';
    if (!FFilterDropDownMultiCol) FFilter->Clear();
    if (!Condition.empty()) {
        TFilterData* Item = FFilter->ColumnFilter(Col);
        Item->SetCondition(Condition);
        Item->SetFriendlyName(Friendly);
    } else {
        FFilter->RemoveColumnFilter(Col);
    }
    if (FAutoFilterUpdate) {
        DoBeforeFilter();
        SetFixedRowAlways(true);
        SetFilterActive(true);
        if (RowCount() - FFixedFooters > FixedRows()) SetRow(FixedRows());
        DoFilterDone();
    }
}

void TZirOvararIzazCore::DoFilterCheck(Integer ItemIndex) {
    TDropCheckList* List = FFilterDropCheckList;
    const Integer Col = FFilterCol;
    if (ItemIndex < 0 || ItemIndex >= List->Count() || Col < 0 || Col >= AllColCount()) return;
    if (OnFilterCheckMouseDown) OnFilterCheckMouseDown(this, Col, ItemIndex, List->Checked(ItemIndex), List);
    DoGetColumnFilter(Col);
    if (FAutoFilterUpdate) SetFilterActive(false);
    if (FFilterDropDownMultiCol)
        FFilter->RemoveColumnFilter(Col);
    else
        FFilter->Clear();

    const String& CheckAll = FFilterDropDownCheckUnCheckAll;
    const bool HasCheckAll = !CheckAll.empty();
    if (FFilterDropDownAuto && HasCheckAll && ItemIndex > 0 && !List->Checked(ItemIndex)) List->SetChecked(0, false);
    if (HasCheckAll && List->ItemIndex() == 0 && List->Items()->Strings(ItemIndex) == CheckAll)
        for (Integer i = 1; i < List->Count(); ++i) List->SetChecked(i, List->Checked(0));
    // Every value ticked (the check-all entry set its ticks first) is no
    // filter at all.
    bool AllTicked = FFilterDropDownAuto;
    if (AllTicked)
        for (Integer i = HasCheckAll ? 1 : 0; i < List->Count(); ++i)
            if (!List->Checked(i)) AllTicked = false;
    if (OnFilterCheckClick) OnFilterCheckClick(this, Col, ItemIndex, List->Checked(ItemIndex), List);

    String Conditions, Names;
    bool First = true;
    for (Integer i = 0; i < List->Count() && !AllTicked; ++i) {
        if (!List->Checked(i) || (i >= FFilterList->Count() && !FFilterIncremental)) continue;
        String Text = CheckTextCondition(Col, FFilterIncremental ? List->Items()->Strings(i) : FFilterList->Strings(i));
        const String Friendly = EntryName(Text);
        if (Text.empty() || Text == u" ") Text = EmptyCondition;
        String Condition = Text;
        if (const size_t At = Text.find(Tab); At != String::npos)
            Condition = Text.substr(At + 1);
        else if (FFilterDropDown->Method() == fmExpression && ContainsAny(Text, u"&() "))
            Condition = u'"' + Text + u'"';
        if (Condition == FFilterDropDownClear || Condition == CheckAll) Condition.clear();
        if (OnFilterCheck) OnFilterCheck(this, Col, i, Friendly, Condition, List);
        // An empty alternative would stand for empty cells: the check-all
        // entry adds none.
        if (Condition.empty()) continue;
        Conditions += (First ? u"" : u"|") + Condition;
        Names += (First ? u"" : u"|") + Friendly;
        First = false;
    }
    if (!Conditions.empty()) {
        TFilterData* Item = FFilter->Add();
        Item->SetFriendlyName(Names);
        Item->SetCondition(Conditions);
        Item->SetColumn(Col);
        Item->SetCaseSensitive(FFilterDropDown->CaseSensitive());
        Item->SetMethod(Conditions.find(u"</") != String::npos || FFilterDropDown->Method() == fmLiteral
                            ? fmLiteral
                            : fmExpression);
        Item->SetOperation(FFilter->Count() < 2 ? foNONE : foAND);
    }
    if (FFilter->Count() > 0) DoBeforeFilter();
    SetFilterActive(FFilter->Count() > 0);
    DoFilterDone();
    List->Invalidate();
}

// ---- The filter-edit row --------------------------------------------------------------------

void TZirOvararIzazCore::FilterEditEnabledChanged() {
    Invalidate();
    SetFilterActive(false);
    FFilter->Clear();
    for (Integer c = 0; c < ColCount(); ++c) SetCells(c, FFilterEdit->Row(), String());
    if (!FFilterEdit->Enabled() && FColumnHeaders->Count() > 0) ShowColumnHeaders();
}

void TZirOvararIzazCore::ApplyFilterEdit(Integer ACol, TFilterType AFilterType) {
    SetFilterActive(false);
    const Integer Row = FFilterEdit->Row();
    if (AFilterType == ftClear) {
        SetCells(ACol, Row, String());
        AFilterType = ftContains;
    }
    const bool Existing = FFilter->HasFilter(ACol);
    TFilterData* Item = FFilter->ColumnFilter(ACol);
    if (!Existing) Item->SetFilterType(ftContains);
    Item->SetCaseSensitive(FFilterEdit->CaseSensitive());
    Item->SetColumn(ACol);
    if (AFilterType != ftNone) Item->SetFilterType(AFilterType);
    const String Text = Cells(ACol, Row);
    Item->BuildCondition(Text);
    Item->SetEnabled(!Text.empty());
    DoAutoEditFilter = true;
    DoFilterEditUpdate(ACol, Text, Item->FilterType());
    if (DoAutoEditFilter) {
        DoBeforeFilter();
        SetFilterActive(true);
        RepaintRow(0);
        DoFilterDone();
        return;
    }
    // The handler takes over: the grid reports the edit once the message
    // comes back.
    FFilterEditCondition = Text;
    FFilterEditType = Item->FilterType();
    FFilterEditCol = ACol;
    if (HandleAllocated() || Parent()) PostMessage(Handle(), WM_FILTEREDITUPDATE(), 0, 0);
}
