// The core string grid in the grid comparison (headless, no window): cells
// written through Cells, rows inserted and removed through InsertRows and
// RemoveRows, sorted through Sort (the automatic style finds the numbers)
// and put back through QUnSort; found through FindAll, filtered through
// one condition and ApplyFilter, and unfiltered through RemoveAllFilters.

#include "GridBenchCommon.h"
#include "grid/ZirOvararIzazCore.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"

namespace {

struct TCoreAdapter {
    TZirOvararIzazCore* Grid = nullptr;
    void Create(int Rows, int Cols) {
        Grid = ::Create<TZirOvararIzazCore>(nullptr);
        Grid->SetFixedRows(0);
        Grid->SetFixedCols(0);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
    }
    void Set(int Row, int Col, const std::string& Text) { Grid->SetCells(Col, Row, FromUtf8(Text)); }
    void InsertRows(int At, int Count) { Grid->InsertRows(At, Count); }
    void DeleteRows(int At, int Count) { Grid->RemoveRows(At, Count); }
    int RowCount() const { return Grid->RowCount(); }
    std::string Get(int Row, int Col) { return Utf8(Grid->Cells(Col, Row)); }
    // Empty cells last, equal rows in their order (no tie-break on the
    // next columns), as the other grids sort.
    void PrepareSort() {
        TSortSettings* Settings = Grid->SortSettings();
        Settings->SetIgnoreBlanks(true);
        Settings->SetBlankPos(blLast);
        Settings->SetFull(false);
    }
    void SortNumbers(int Col) { Grid->Sort(Col, sdAscending); }
    void SortTexts(int Col) { Grid->Sort(Col, sdAscending); }
    void UnSort() { Grid->QUnSort(); }
    int FindAll(const char* Text) {
        Integer Found = 0;
        Grid->FindAll(FromUtf8(Text), TFindParams{}, Found);
        return Found;
    }
    void PrepareFilter() {}
    int Filter(int Col, const char* Text) {
        TFilterData* Item = Grid->Filter()->Add();
        Item->SetColumn(Col);
        Item->SetCaseSensitive(false);
        Item->SetFilterType(ftContains);
        Item->BuildCondition(FromUtf8(Text));
        Grid->ApplyFilter();
        return Grid->RowCount();
    }
    int Unfilter() {
        Grid->RemoveAllFilters();
        return Grid->RowCount();
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s data-file\n", argv[0]);
        return 2;
    }
    UseHeadlessBackend();
    Application = Create<TApplication>(nullptr);
    TCoreAdapter Adapter;
    const int Result = gridbench::Run(Adapter, argv[1]);
    Free(Adapter.Grid);
    return Result;
}
