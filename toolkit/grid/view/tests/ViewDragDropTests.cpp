#include "ViewTestSupport.h"

#include "grid/GridCellStreamIO.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
#include "rtltesting/TestFiles.h"

#include <fstream>

namespace {

class DragDropTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
        TGridOptions Options = Grid->Options();
        Options.Include(goEditing);
        Grid->SetOptions(Options);
        Show();
    }
    // The screen point at the middle of a cell.
    TPoint At(Integer ACol, Integer ARow) {
        const TRect R = Grid->CellRect(ACol, ARow);
        return Grid->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    }
    TPoint BelowLastRow() {
        const TRect R = Grid->CellRect(1, Grid->RowCount() - 1);
        return Grid->ClientToScreen(TPoint((R.Left + R.Right) / 2, R.Bottom + 5));
    }
    TDragDropSettings* D() { return Grid->DragDropSettings(); }
};

TEST_F(DragDropTest, ATextDropPastesAndSelectsUnlessRefused) {
    Integer SeenRow = -9, SeenCol = -9;
    bool Refuse = true;
    Grid->OnOleDrop = [&](TObject*, Integer ARow, Integer ACol, const String&, bool& Allow) {
        SeenRow = ARow, SeenCol = ACol;
        Allow = !Refuse;
    };
    EXPECT_FALSE(Grid->OleDropText(At(2, 2), u"a\tb\r\nc\td\r\n"));
    EXPECT_EQ(Grid->Cells(2, 2), u"");
    EXPECT_EQ(SeenRow, 2);
    EXPECT_EQ(SeenCol, 2);

    Refuse = false;
    TGridRect Dropped{};
    Grid->OnOleDropped = [&](TObject*, const TGridRect& R) { Dropped = R; };
    EXPECT_TRUE(Grid->OleDropText(At(1, 2), u"a\tb\r\nc\td\r\n"));
    EXPECT_EQ(Grid->Cells(1, 2), u"a");
    EXPECT_EQ(Grid->Cells(2, 3), u"d");
    EXPECT_EQ(Dropped, (TGridRect{1, 2, 2, 3}));
    EXPECT_EQ(Grid->Selection(), Dropped);
}

TEST_F(DragDropTest, ADropBelowTheLastRowAppendsEntireRows) {
    Grid->SetFixedCols(0);
    D()->SetOleEntireRows(true);
    D()->SetOleAppendRows(true);
    D()->SetOleInsertRows(true);
    EXPECT_TRUE(Grid->OleDropText(BelowLastRow(), u"r0\tr1\r\n"));
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->Cells(0, 5), u"r0");
    EXPECT_EQ(Grid->Cells(1, 5), u"r1");
}

TEST_F(DragDropTest, DroppedCellsLoadAtTheDropPoint) {
    auto* Source = Create<TTestGrid>(Form);
    Source->SetParent(Form);
    Source->SetCells(1, 1, u"s");
    Source->SetCells(2, 1, u"t");
    TMemoryStream Stream;
    Source->SaveRectToBinStream(TRect(1, 1, 2, 1), Stream, false);
    Stream.SetPosition(0);
    Grid->OleDropStream(At(2, 3), Stream);
    EXPECT_EQ(Grid->Cells(2, 3), u"s");
    EXPECT_EQ(Grid->Cells(3, 3), u"t");
}

TEST_F(DragDropTest, FilesGoToTheirImportOrTheListEvent) {
    TTempFolder Folder;
    const String Csv = Folder / u"data.CsV";
    std::ofstream(Utf8(Csv)) << "x,y\r\n1,2\r\n";
    struct TSeen {
        Integer Row, Col;
        String Data;
    };
    std::vector<TSeen> Drops;
    Grid->OnOleDrop = [&](TObject*, Integer ARow, Integer ACol, const String& Data, bool& Allow) {
        Drops.push_back({ARow, ACol, Data});
        Allow = !Data.ends_with(u".xlsx");
    };
    TStringList One;
    One.Add(Csv);
    Grid->OleDropFiles(At(1, 1), One);
    ASSERT_EQ(Drops.size(), 1u);
    EXPECT_EQ(Drops[0].Row, -1);
    EXPECT_EQ(Drops[0].Col, -1);
    EXPECT_EQ(Grid->Cells(0, 0), u"x");
    EXPECT_EQ(Grid->Cells(1, 1), u"2");

    TStringList Book;
    Book.Add(Folder / u"book.xlsx");
    Grid->OleDropFiles(At(1, 1), Book); // refused: the workbook import is not reached
    EXPECT_EQ(Drops.size(), 2u);

    TStringList Two;
    Two.Add(u"a.txt");
    Two.Add(Csv);
    Integer Listed = 0;
    Grid->OnOleDropFiles = [&](TObject*, Integer, Integer, TStrings& Files) { Listed = Files.Count(); };
    Grid->OleDropFiles(At(1, 1), Two);
    EXPECT_EQ(Listed, 2);
    EXPECT_EQ(Drops.size(), 2u);
}

TEST_F(DragDropTest, AColumnIsRefusedOnBodyRowsAndReorderedOnTheHeader) {
    TDropFormats Column;
    Column.Include(dfCol);
    bool Allow = true;
    Grid->OleDragOver(At(2, 2), Allow, Column);
    EXPECT_FALSE(Allow);
    Grid->OleDragOver(At(2, 0), Allow, Column);
    EXPECT_TRUE(Allow);

    for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, 0, String(1, Char(u'A' + c)));
    D()->SetOleColumnReorder(true);
    Integer DroppedCol = -1;
    Grid->OnOleDropCol = [&](TObject*, Integer, Integer ACol, Integer) { DroppedCol = ACol; };
    Grid->OleDropCol(At(3, 0), 1);
    EXPECT_EQ(DroppedCol, 3);
    EXPECT_EQ(Grid->Cells(3, 0), u"B");
    EXPECT_EQ(Grid->Cells(1, 0), u"C");
}

TEST_F(DragDropTest, TextOverFixedRowsIsRefusedAndTheRefusalHidesTheArrow) {
    TDropFormats Text;
    Text.Include(dfText);
    bool Allow = true;
    Grid->OleDragOver(At(1, 0), Allow, Text);
    EXPECT_FALSE(Allow);
    Grid->OleDragOver(At(1, 2), Allow, Text);
    EXPECT_TRUE(Allow);
    Grid->OnOleDragOver = [](TObject*, Integer, Integer, bool& A) { A = false; };
    Grid->OleDragOver(At(1, 2), Allow, Text);
    EXPECT_FALSE(Allow);
}

} // namespace
