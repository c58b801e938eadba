// The string grid: a text and an object per cell, kept for any non-negative
// index (also outside the grid's counts), and the columns and rows as lines.

#include "rtl/ClassBuilder.h"
#include "vcl/Grids.h"

#include <algorithm>
#include <utility>

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

// ---- Row store --------------------------------------------------------------------------------------
// Chunks hold between one and 2 * ChunkRows row pointers; a chunk that grows
// past that is halved, and a small chunk left by a deletion joins the one
// before it.

namespace {
constexpr Integer ChunkRows = 1024;
}

TStringGrid::TRowStore::~TRowStore() {
    for (auto& Chunk : FChunks)
        for (TCellRow* Row : Chunk.Rows) delete Row;
}

size_t TStringGrid::TRowStore::Locate(Integer Index) const {
    auto Holds = [&](size_t C) {
        return C < FChunks.size() && FChunks[C].Start <= Index &&
               Index < FChunks[C].Start + Integer(FChunks[C].Rows.size());
    };
    if (Holds(FLast)) return FLast;
    if (Holds(FLast + 1)) return ++FLast;
    auto It = std::upper_bound(FChunks.begin(), FChunks.end(), Index,
                               [](Integer I, const TChunk& C) { return I < C.Start; });
    FLast = size_t(It - FChunks.begin()) - 1;
    return FLast;
}

void TStringGrid::TRowStore::Renumber(size_t From) {
    Integer Start = From == 0 ? 0 : FChunks[From - 1].Start + Integer(FChunks[From - 1].Rows.size());
    for (size_t C = From; C < FChunks.size(); ++C) {
        FChunks[C].Start = Start;
        Start += Integer(FChunks[C].Rows.size());
    }
}

size_t TStringGrid::TRowStore::SplitAt(Integer Index) {
    if (Index >= FSize) return FChunks.size();
    const size_t C = Locate(Index);
    const Integer Offset = Index - FChunks[C].Start;
    if (Offset == 0) return C;
    TChunk Tail;
    Tail.Start = Index;
    Tail.Rows.assign(FChunks[C].Rows.begin() + Offset, FChunks[C].Rows.end());
    FChunks[C].Rows.resize(size_t(Offset));
    FChunks.insert(FChunks.begin() + std::ptrdiff_t(C) + 1, std::move(Tail));
    return C + 1;
}

void TStringGrid::TRowStore::MergeSmall(size_t Index) {
    if (Index == 0 || Index >= FChunks.size()) return;
    auto& Before = FChunks[Index - 1].Rows;
    auto& After = FChunks[Index].Rows;
    if (Integer(Before.size() + After.size()) > ChunkRows) return;
    Before.insert(Before.end(), After.begin(), After.end());
    FChunks.erase(FChunks.begin() + std::ptrdiff_t(Index));
}

TStringGrid::TCellRow* TStringGrid::TRowStore::Find(Integer Index) const {
    if (Index >= FSize) return nullptr;
    const TChunk& Chunk = FChunks[Locate(Index)];
    return Chunk.Rows[size_t(Index - Chunk.Start)];
}

TStringGrid::TCellRow& TStringGrid::TRowStore::Get(Integer Index, Integer Reserve) {
    Grow(Index + 1);
    TChunk& Chunk = FChunks[Locate(Index)];
    TCellRow*& Row = Chunk.Rows[size_t(Index - Chunk.Start)];
    if (!Row) {
        Row = new TCellRow;
        Row->reserve(size_t(Reserve));
    }
    return *Row;
}

void TStringGrid::TRowStore::Grow(Integer Count) {
    while (FSize < Count) {
        if (FChunks.empty() || Integer(FChunks.back().Rows.size()) >= ChunkRows) {
            FChunks.emplace_back();
            FChunks.back().Start = FSize;
            FChunks.back().Rows.reserve(size_t(ChunkRows));
        }
        auto& Rows = FChunks.back().Rows;
        const Integer Add = std::min(Count - FSize, ChunkRows - Integer(Rows.size()));
        Rows.insert(Rows.end(), size_t(Add), nullptr);
        FSize += Add;
    }
}

void TStringGrid::TRowStore::Insert(Integer Index, Integer Count) {
    if (Count <= 0 || Index >= FSize) return;
    size_t C;
    if (Count <= ChunkRows) {
        C = Locate(Index);
        auto& Rows = FChunks[C].Rows;
        Rows.insert(Rows.begin() + (Index - FChunks[C].Start), size_t(Count), nullptr);
        if (Integer(Rows.size()) > 2 * ChunkRows) {
            TChunk Tail;
            Tail.Rows.assign(Rows.begin() + std::ptrdiff_t(Rows.size() / 2), Rows.end());
            Rows.resize(Rows.size() / 2);
            FChunks.insert(FChunks.begin() + std::ptrdiff_t(C) + 1, std::move(Tail));
        }
    } else {
        C = SplitAt(Index);
        std::vector<TChunk> Blank(size_t((Count + ChunkRows - 1) / ChunkRows));
        for (size_t B = 0; B < Blank.size(); ++B)
            Blank[B].Rows.assign(size_t(std::min(ChunkRows, Count - Integer(B) * ChunkRows)), nullptr);
        FChunks.insert(FChunks.begin() + std::ptrdiff_t(C), std::make_move_iterator(Blank.begin()),
                       std::make_move_iterator(Blank.end()));
    }
    FSize += Count;
    Renumber(C);
}

void TStringGrid::TRowStore::Erase(Integer Index, Integer Count) {
    Count = std::min(Count, FSize - Index);
    if (Count <= 0) return;
    size_t C = Locate(Index);
    if (Index + Count <= FChunks[C].Start + Integer(FChunks[C].Rows.size())) {
        // Within one chunk: shift its pointers.
        auto& Rows = FChunks[C].Rows;
        auto First = Rows.begin() + (Index - FChunks[C].Start);
        for (auto It = First; It != First + Count; ++It) delete *It;
        Rows.erase(First, First + Count);
        if (Rows.empty())
            FChunks.erase(FChunks.begin() + std::ptrdiff_t(C));
        else if (Integer(Rows.size()) < ChunkRows / 4) {
            MergeSmall(C + 1);
            MergeSmall(C);
            if (C > 0) --C;
        }
    } else {
        // Across chunks: cut the range out as whole chunks.
        C = SplitAt(Index);
        const size_t End = SplitAt(Index + Count);
        for (size_t K = C; K < End; ++K)
            for (TCellRow* Row : FChunks[K].Rows) delete Row;
        FChunks.erase(FChunks.begin() + std::ptrdiff_t(C), FChunks.begin() + std::ptrdiff_t(End));
        MergeSmall(C);
        if (C > 0) --C;
    }
    FSize -= Count;
    FLast = 0;
    if (C < FChunks.size()) Renumber(C);
}

void TStringGrid::TRowStore::Clear(Integer Index) {
    if (Index >= FSize) return;
    TChunk& Chunk = FChunks[Locate(Index)];
    TCellRow*& Row = Chunk.Rows[size_t(Index - Chunk.Start)];
    delete Row;
    Row = nullptr;
}

std::vector<TStringGrid::TCellRow*> TStringGrid::TRowStore::Take(Integer First, Integer Count) const {
    std::vector<TCellRow*> Rows;
    Rows.reserve(size_t(Count));
    for (size_t C = Count > 0 ? Locate(First) : FChunks.size(); Integer(Rows.size()) < Count; ++C) {
        const TChunk& Chunk = FChunks[C];
        const Integer From = std::max<Integer>(First - Chunk.Start, 0);
        const Integer To = std::min<Integer>(Integer(Chunk.Rows.size()), From + Count - Integer(Rows.size()));
        Rows.insert(Rows.end(), Chunk.Rows.begin() + From, Chunk.Rows.begin() + To);
    }
    return Rows;
}

void TStringGrid::TRowStore::Put(Integer First, const std::vector<TCellRow*>& Rows) {
    size_t Done = 0;
    for (size_t C = Rows.empty() ? FChunks.size() : Locate(First); Done < Rows.size(); ++C) {
        TChunk& Chunk = FChunks[C];
        const Integer From = std::max<Integer>(First - Chunk.Start, 0);
        const size_t N = std::min(Chunk.Rows.size() - size_t(From), Rows.size() - Done);
        std::copy_n(Rows.begin() + std::ptrdiff_t(Done), N, Chunk.Rows.begin() + From);
        Done += N;
    }
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
    const TCellRow* Line = FData.Find(ARow);
    if (!Line || ACol >= Integer(Line->size())) return nullptr;
    return &(*Line)[size_t(ACol)];
}

TStringGrid::TCellData& TStringGrid::CellAt(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(IndexOutOfRange);
    auto& Line = FData.Get(ARow, std::max(ColCount(), ACol + 1));
    if (ACol >= Integer(Line.size())) Line.resize(size_t(ACol) + 1);
    return Line[size_t(ACol)];
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

String TStringGrid::TakeCellText(Integer ACol, Integer ARow) {
    if (!FindCell(ACol, ARow)) return String();
    return std::exchange(CellAt(ACol, ARow).Text, String());
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
    FData.ForEach([&](TCellRow& Line) { MoveItem(Line, FromIndex, ToIndex); });
    Invalidate();
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
    MoveRowBlockInStore(FromIndex, 1, ToIndex);
    Invalidate();
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::ColumnDeleted(Integer ACol) {
    FData.ForEach([&](TCellRow& Line) {
        if (ACol < Integer(Line.size())) Line[size_t(ACol)] = TCellData{};
    });
    TDrawGrid::ColumnDeleted(ACol);
}

void TStringGrid::RowDeleted(Integer ARow) {
    FData.Clear(ARow);
    TDrawGrid::RowDeleted(ARow);
}

// ---- Row-store block operations ----------------------------------------------------------------------
// A block operation moves row pointers in the store, never the cells' texts.

void TStringGrid::InsertRowBlock(Integer Index, Integer Count) {
    TDrawGrid::InsertRowBlock(Index, Count);
    FData.Insert(Index, Count);
}

void TStringGrid::DeleteRowBlock(Integer Index, Integer Count) {
    TDrawGrid::DeleteRowBlock(Index, Count);
    FData.Erase(Index, Count);
}

void TStringGrid::MoveRowBlockInStore(Integer From, Integer Count, Integer To) {
    if (Count == 0 || From == To) return;
    const Integer Low = std::min(From, To);
    const Integer End = std::max(From, To) + Count;
    if (FData.Size() <= Low) return; // nothing stored in the moved range
    FData.Grow(End);
    std::vector<TCellRow*> Rows = FData.Take(Low, End - Low);
    if (From < To)
        std::rotate(Rows.begin(), Rows.begin() + Count, Rows.end());
    else
        std::rotate(Rows.begin(), Rows.begin() + (From - To), Rows.end());
    FData.Put(Low, Rows);
}

void TStringGrid::MoveRowBlock(Integer From, Integer Count, Integer To) {
    TDrawGrid::MoveRowBlock(From, Count, To);
    MoveRowBlockInStore(From, Count, To);
}

void TStringGrid::PermuteRows(Integer First, const std::vector<Integer>& Order) {
    TDrawGrid::PermuteRows(First, Order);
    const Integer N = Integer(Order.size());
    if (N == 0 || FData.Size() <= First) return;
    FData.Grow(First + N);
    const std::vector<TCellRow*> Old = FData.Take(First, N);
    std::vector<TCellRow*> Rows(static_cast<size_t>(N));
    for (Integer i = 0; i < N; ++i) Rows[size_t(i)] = Old[size_t(Order[size_t(i)])];
    FData.Put(First, Rows);
}

void TStringGrid::InsertCellColumns(Integer Index, Integer Count) {
    if (Index < 0 || Count < 0) throw EInvalidGridOperation(IndexOutOfRange);
    FData.ForEach([&](TCellRow& Line) {
        if (Integer(Line.size()) > Index) Line.insert(Line.begin() + Index, size_t(Count), TCellData{});
    });
    Invalidate();
}

void TStringGrid::DeleteCellColumns(Integer Index, Integer Count) {
    if (Index < 0 || Count < 0) throw EInvalidGridOperation(IndexOutOfRange);
    FData.ForEach([&](TCellRow& Line) {
        if (Integer(Line.size()) > Index)
            Line.erase(Line.begin() + Index, Line.begin() + std::min<Integer>(Index + Count, Integer(Line.size())));
    });
    Invalidate();
}
