// The string grid: a text and an object per cell, kept for any non-negative
// index (also outside the grid's counts), and the columns and rows as lines.

#include "rtl/ClassBuilder.h"
#include "vcl/Grids.h"

#include <algorithm>

namespace {

constexpr const Char* IndexOutOfRange = u"Grid index out of range";

// Moves element From to To in a vector, growing it first so that both exist.
template <class T>
void MoveItem(std::vector<T>& Items, Integer From, Integer To) {
    if (Integer(Items.size()) <= std::min(From, To)) return; // nothing stored in the moved range
    if (Integer(Items.size()) <= std::max(From, To)) Items.resize(std::max(From, To) + 1);
    auto First = Items.begin();
    if (From < To)
        std::rotate(First + From, First + From + 1, First + To + 1);
    else
        std::rotate(First + To, First + From, First + From + 1);
}

} // namespace

// ---- Columns and rows as lines -----------------------------------------------------------------------

const TClassInfo& TStringGridStrings::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStringGridStrings, TStrings>().Build();
    return Info;
}

Integer TStringGridStrings::Count() const {
    return FIsColumn ? FGrid->RowCount() : FGrid->ColCount();
}

String TStringGridStrings::Get(Integer Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return FIsColumn ? FGrid->Cells(FIndex, Index) : FGrid->Cells(Index, FIndex);
}

void TStringGridStrings::Put(Integer Index, const String& S) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    if (FIsColumn)
        FGrid->SetCells(FIndex, Index, S);
    else
        FGrid->SetCells(Index, FIndex, S);
}

TObject* TStringGridStrings::GetObject(Integer Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return FIsColumn ? FGrid->Objects(FIndex, Index) : FGrid->Objects(Index, FIndex);
}

void TStringGridStrings::PutObject(Integer Index, TObject* AObject) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    if (FIsColumn)
        FGrid->SetObjects(FIndex, Index, AObject);
    else
        FGrid->SetObjects(Index, FIndex, AObject);
}

void TStringGridStrings::Clear() {
    FGrid->BeginUpdate();
    for (Integer I = 0; I < Count(); ++I) {
        Put(I, String());
        PutObject(I, nullptr);
    }
    FGrid->EndUpdate();
}

void TStringGridStrings::Delete(Integer) {
    throw EInvalidOperation(u"Lines cannot be deleted from a grid column or row");
}

void TStringGridStrings::Insert(Integer, const String&) {
    throw EInvalidOperation(u"Lines cannot be inserted into a grid column or row");
}

void TStringGridStrings::Assign(const TPersistent* Source) {
    const auto* Lines = dynamic_cast<const TStrings*>(Source);
    if (!Lines) {
        TStrings::Assign(Source);
        return;
    }
    FGrid->BeginUpdate();
    const Integer Available = Lines->Count();
    for (Integer I = 0; I < Count(); ++I) {
        Put(I, I < Available ? Lines->Get(I) : String());
        PutObject(I, I < Available ? Lines->GetObject(I) : nullptr);
    }
    FGrid->EndUpdate();
}

// ---- TStringGrid -------------------------------------------------------------------------------------

const TClassInfo& TStringGrid::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStringGrid, TDrawGrid>().Build();
    return Info;
}

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

const TStringGrid::TCellData* TStringGrid::FindCell(Integer ACol, Integer ARow) const {
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(IndexOutOfRange);
    if (ARow >= Integer(FData.size()) || ACol >= Integer(FData[ARow].size())) return nullptr;
    return &FData[ARow][ACol];
}

TStringGrid::TCellData& TStringGrid::CellAt(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(IndexOutOfRange);
    if (ARow >= Integer(FData.size())) FData.resize(ARow + 1);
    auto& Line = FData[ARow];
    if (ACol >= Integer(Line.size())) Line.resize(ACol + 1);
    return Line[ACol];
}

String TStringGrid::Cells(Integer ACol, Integer ARow) const {
    const TCellData* Cell = FindCell(ACol, ARow);
    return Cell ? Cell->Text : String();
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const String& Value) {
    const TCellData* Cell = FindCell(ACol, ARow);
    if (Cell ? Cell->Text == Value : Value.empty()) return;
    CellAt(ACol, ARow).Text = Value;
    CellChanged(ACol, ARow);
}

TObject* TStringGrid::Objects(Integer ACol, Integer ARow) const {
    const TCellData* Cell = FindCell(ACol, ARow);
    return Cell ? Cell->Object : nullptr;
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value) {
    const TCellData* Cell = FindCell(ACol, ARow);
    if (Cell ? Cell->Object == Value : Value == nullptr) return;
    CellAt(ACol, ARow).Object = Value;
}

void TStringGrid::CellChanged(Integer ACol, Integer ARow) {
    if (FUpdateCount == 0) InvalidateCell(ACol, ARow);
}

void TStringGrid::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Invalidate();
}

TStrings* TStringGrid::Cols(Integer Index) {
    if (Index < 0) throw EInvalidGridOperation(IndexOutOfRange);
    if (Index >= Integer(FColViews.size())) FColViews.resize(Index + 1);
    if (!FColViews[Index]) FColViews[Index] = std::make_unique<TStringGridStrings>(this, true, Index);
    return FColViews[Index].get();
}

TStrings* TStringGrid::Rows(Integer Index) {
    if (Index < 0) throw EInvalidGridOperation(IndexOutOfRange);
    if (Index >= Integer(FRowViews.size())) FRowViews.resize(Index + 1);
    if (!FRowViews[Index]) FRowViews[Index] = std::make_unique<TStringGridStrings>(this, false, Index);
    return FRowViews[Index].get();
}

String TStringGrid::GetEditText(Integer ACol, Integer ARow) {
    String Value = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, Value);
    return Value;
}

void TStringGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
    SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    if (DefaultDrawing()) {
        const TCellData* Cell = FindCell(ACol, ARow);
        if (Cell && !Cell->Text.empty()) Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cell->Text);
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
    for (auto& Line : FData)
        MoveItem(Line, FromIndex, ToIndex);
    Invalidate();
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
    MoveItem(FData, FromIndex, ToIndex);
    Invalidate();
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

// ---- Row-store block operations ----------------------------------------------------------------------
// Rows are vectors of cells; a block operation moves the row vectors, never
// the cells' texts.

void TStringGrid::InsertRowBlock(Integer Index, Integer Count) {
    TDrawGrid::InsertRowBlock(Index, Count);
    if (Count > 0 && Integer(FData.size()) > Index) FData.insert(FData.begin() + Index, size_t(Count), {});
}

void TStringGrid::DeleteRowBlock(Integer Index, Integer Count) {
    TDrawGrid::DeleteRowBlock(Index, Count);
    if (Integer(FData.size()) > Index)
        FData.erase(FData.begin() + Index, FData.begin() + std::min<Integer>(Index + Count, Integer(FData.size())));
}

void TStringGrid::MoveRowBlock(Integer From, Integer Count, Integer To) {
    TDrawGrid::MoveRowBlock(From, Count, To);
    if (Count == 0 || From == To) return;
    const Integer End = std::max(From, To) + Count;
    if (Integer(FData.size()) <= std::min(From, To)) return; // nothing stored in the moved range
    if (Integer(FData.size()) < End) FData.resize(size_t(End));
    auto First = FData.begin();
    if (From < To)
        std::rotate(First + From, First + From + Count, First + To + Count);
    else
        std::rotate(First + To, First + From, First + From + Count);
}

void TStringGrid::PermuteRows(Integer First, const std::vector<Integer>& Order) {
    TDrawGrid::PermuteRows(First, Order);
    const Integer N = Integer(Order.size());
    if (N == 0 || Integer(FData.size()) <= First) return;
    if (Integer(FData.size()) < First + N) FData.resize(size_t(First + N));
    std::vector<std::vector<TCellData>> Old(N);
    for (Integer i = 0; i < N; ++i) Old[size_t(i)].swap(FData[size_t(First + i)]);
    for (Integer i = 0; i < N; ++i) FData[size_t(First + i)].swap(Old[size_t(Order[size_t(i)])]);
}

void TStringGrid::InsertCellColumns(Integer Index, Integer Count) {
    if (Index < 0 || Count < 0) throw EInvalidGridOperation(IndexOutOfRange);
    for (auto& Line : FData)
        if (Integer(Line.size()) > Index) Line.insert(Line.begin() + Index, size_t(Count), TCellData{});
    Invalidate();
}

void TStringGrid::DeleteCellColumns(Integer Index, Integer Count) {
    if (Index < 0 || Count < 0) throw EInvalidGridOperation(IndexOutOfRange);
    for (auto& Line : FData)
        if (Integer(Line.size()) > Index)
            Line.erase(Line.begin() + Index, Line.begin() + std::min<Integer>(Index + Count, Integer(Line.size())));
    Invalidate();
}
