// Column widths and order kept in the registry or an INI file, and the
// column-state string that packs widths, order and visibility of all
// columns into one text.

#include "grid/ZirOvararIzaz.h"

#include "os/RegistryIniFile.h"
#include "rtl/Convert.h"
#include "rtl/IniFile.h"
#include "rtl/MathUtils.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr Integer MaxStateColumns = 100000;

// Splits at every Separator; an empty text gives no entries.
std::vector<String> Split(const String& Text, Char Separator) {
    std::vector<String> Parts;
    if (Text.empty()) return Parts;
    size_t Start = 0;
    for (;;) {
        const size_t At = Text.find(Separator, Start);
        Parts.push_back(Text.substr(Start, At == String::npos ? String::npos : At - Start));
        if (At == String::npos) break;
        Start = At + 1;
    }
    return Parts;
}

[[noreturn]] void ListIndexError(Integer Index) {
    throw EListError(u"List index out of bounds (%d)", {Index});
}

// The entries of a field as numbers, at least Needed of them.
std::vector<Integer> Numbers(const std::vector<String>& Entries, Integer Needed) {
    std::vector<Integer> Values;
    for (const String& E : Entries) Values.push_back(StrToInt(E));
    if (Integer(Values.size()) < Needed) ListIndexError(Integer(Values.size()));
    return Values;
}

// Positions ordered by the column they hold: entry c is the position of
// column c. Every column 0 .. N-1 must be named exactly once.
std::vector<Integer> Inverse(const std::vector<Integer>& Order, Integer N) {
    std::vector<Integer> Q(size_t(N), -1);
    for (Integer k = 0; k < Integer(Order.size()); ++k) {
        const Integer c = Order[size_t(k)];
        if (c < 0 || c >= N || Q[size_t(c)] != -1) ListIndexError(c);
        Q[size_t(c)] = k;
    }
    for (Integer c = 0; c < N; ++c)
        if (Q[size_t(c)] == -1) ListIndexError(c);
    return Q;
}

} // namespace

namespace {

// The store ColumnSize names; null without Key or Section.
std::unique_ptr<TCustomIniFile> OpenStore(const TColumnSize& Size) {
    if (Size.Key().empty() || Size.Section().empty()) return nullptr;
    if (Size.Location() == clIniFile) return std::make_unique<TMemIniFile>(Size.Key());
    return std::make_unique<TRegistryIniFile>(Size.Key());
}

} // namespace

void TZirOvararIzaz::BeforeDestruction() {
    // The widths as shown, before the teardown changes the columns.
    if (ColumnSize()->Save() && !ComponentState().Contains(csDestroying)) SaveColSizes();
    TZirOvararIzazInput::BeforeDestruction();
}

void TZirOvararIzaz::Loaded() {
    TZirOvararIzazInput::Loaded();
    if (ColumnSize()->Save()) LoadColSizes();
}

void TZirOvararIzaz::CreateWnd() {
    TZirOvararIzazInput::CreateWnd();
    if (ColumnSize()->Save() && !IsLoading()) LoadColSizes();
}

void TZirOvararIzaz::SaveColSizes() {
    auto Store = OpenStore(*ColumnSize());
    if (!Store || IsDesigning()) return;
    Single Scale = DPIScale();
    if (Scale == 0) Scale = 1;
    for (Integer i = 0; i < ColCount(); ++i)
        Store->WriteInteger(ColumnSize()->Section(), u"Col" + IntToStr(i), RoundToInt(Double(ColWidths(i)) / Scale));
    Store->UpdateFile();
}

void TZirOvararIzaz::LoadColSizes() {
    auto Store = OpenStore(*ColumnSize());
    if (!Store || IsDesigning()) return;
    const Single Scale = DPIScale() == 0 ? 1.0f : DPIScale();
    const String& Section = ColumnSize()->Section();
    for (Integer i = 0; i < ColCount(); ++i) {
        const String Key = u"Col" + IntToStr(i);
        if (!Store->ValueExists(Section, Key)) continue;
        const Integer W = RoundToInt(Double(Store->ReadInteger(Section, Key, ColWidths(i))) * Scale);
        if (W != ColWidths(i)) SetColWidths(i, W);
    }
}

void TZirOvararIzaz::SaveColPositions() {
    auto Store = OpenStore(*ColumnSize());
    if (!Store || IsDesigning()) return;
    for (Integer k = 0; k < ColumnOrder()->Count(); ++k)
        Store->WriteInteger(ColumnSize()->Section(), u"Pos" + IntToStr(k), ColumnOrder()->Items(k));
    Store->UpdateFile();
}

void TZirOvararIzaz::LoadColPositions() {
    auto Store = OpenStore(*ColumnSize());
    if (!Store || IsDesigning()) return;
    const String& Section = ColumnSize()->Section();
    if (!Store->ValueExists(Section, u"Pos0")) return;
    // The whole saved order is read and checked before anything moves.
    const Integer N = AllColCount();
    std::vector<Integer> Order;
    for (Integer k = 0; k < N; ++k) {
        const String Key = u"Pos" + IntToStr(k);
        if (Store->ValueExists(Section, Key)) Order.push_back(StrToInt(Store->ReadString(Section, Key, String())));
    }
    const std::vector<Integer> Q = Inverse(Order, N);

    std::vector<Integer> Hidden;
    for (Integer c = 0; c < N; ++c)
        if (IsHiddenColumn(c)) Hidden.push_back(c);
    ColumnOrder()->Clear();
    for (Integer Position : Q) ColumnOrder()->Add(Position);
    UnHideColumnsAll();
    ResetColumnOrder();
    for (Integer c : Hidden) HideColumn(c);
    ColumnOrder()->Clear();
    for (Integer Column : Order) ColumnOrder()->Add(Column);
}

String TZirOvararIzaz::ColumnStatesToString() {
    const Integer N = ColCount() + NumHiddenColumns();
    String Widths, Order, Visible;
    for (Integer i = 0; i < N; ++i) {
        if (i > 0) Widths += u",";
        Widths += IntToStr(i < ColCount() ? ColWidths(i) : DefaultColWidth());
    }
    const Integer Listed = ColumnOrder()->Count();
    const Integer Entries = Listed == 0 ? N : std::max(N, Listed);
    for (Integer k = 0; k < Entries; ++k) {
        if (k > 0) Order += u",";
        Order += IntToStr(k < Listed ? ColumnOrder()->Items(k) : k);
    }
    for (Integer c = 0; c < N; ++c) {
        if (c > 0) Visible += u",";
        Visible += IsHiddenColumn(c) ? u"0" : u"1";
    }
    return IntToStr(N) + u"#" + Widths + u"#" + Order + u"#" + Visible;
}

void TZirOvararIzaz::StringToColumnStates(const String& Text) {
    const std::vector<String> Fields = Split(Text, u'#');
    if (Fields.size() < 2) return;
    auto Field = [&Fields](size_t i) { return i < Fields.size() ? Split(Fields[i], u',') : std::vector<String>(); };

    // Everything is read and checked before the grid changes.
    const Integer N = StrToInt(Fields[0]);
    if (N < FixedCols() + 1 || N > MaxStateColumns) ListIndexError(N);
    const std::vector<String> OrderField = Field(2);
    std::vector<Integer> Order;
    if (!OrderField.empty()) {
        Order = Numbers(OrderField, N);
        Order.resize(size_t(N));
    }
    const std::vector<Integer> Visibility = Numbers(Field(3), N);
    Integer Shown = 0;
    for (Integer c = 0; c < N; ++c)
        if (Visibility[size_t(c)] != 0) ++Shown;
    const std::vector<Integer> Widths = Numbers(Field(1), std::max(Shown, 1));
    const std::vector<Integer> Q = Order.empty() ? std::vector<Integer>() : Inverse(Order, N);

    ColumnOrder()->Clear();
    UnHideColumnsAll();
    SetColCount(N);
    if (!Q.empty()) {
        for (Integer Position : Q) ColumnOrder()->Add(Position);
        ResetColumnOrder();
        ColumnOrder()->Clear();
        for (Integer Column : Order) ColumnOrder()->Add(Column);
    }
    for (Integer c = N - 1; c >= 0; --c)
        if (Visibility[size_t(c)] == 0) HideColumn(c);

    const bool Stretch = ColumnSize()->Stretch();
    ColumnSize()->StoreStretch(false);
    if (Stretch) {
        const Integer S = ColumnSize()->StretchColumn() == -1 ? ColCount() - 1 : ColumnSize()->StretchColumn();
        if (S >= 0 && S < ColCount()) SetDefaultColWidth(ColWidths(S));
    }
    for (Integer i = 0; i < ColCount() && i < Integer(Widths.size()); ++i) {
        if (Widths[size_t(i)] == 0)
            SuppressColumn(i);
        else
            SetColWidths(i, Widths[size_t(i)]);
    }
    ColumnSize()->SetStretch(Stretch);
}
