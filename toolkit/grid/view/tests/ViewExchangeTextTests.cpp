#include "ViewTestSupport.h"

#include "grid/GridError.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"
#include "rtltesting/TestFiles.h"

namespace {

class ExchangeTextTest : public ViewTest {
protected:
    void Fill(Integer Cols, Integer Rows, std::initializer_list<std::tuple<Integer, Integer, const char16_t*>> Cells) {
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        for (auto [c, r, t] : Cells) Grid->SetCells(c, r, t);
    }
    std::string Saved(bool Unicode = true) {
        Grid->SaveToFile(Folder / u"grid.txt", Unicode);
        return ReadFileBytes(Folder / u"grid.txt");
    }
    TTempFolder Folder;
};

TEST_F(ExchangeTextTest, FileHoldsSizeWidthsAndNonEmptyCellsWithEncodedLineBreaks) {
    Fill(2, 2, {{0, 0, u"a\r\nb"}, {1, 1, u"x"}});
    Grid->SetColWidths(0, 40);
    Grid->SetColWidths(1, 50);
    EXPECT_EQ(Saved(), "\xEF\xBB\xBF" "2,2\r\ncw 0,40\r\ncw 1,50\r\n0,0,a\t\bb\r\n1,1,x\r\n");
    EXPECT_EQ(Saved(false).substr(0, 3), "2,2");
    // The export is announced: start, each row, done.
    const std::vector<std::pair<Integer, Integer>> Calls{
        {esExportStart, 0}, {esExportNextRow, 0}, {esExportNextRow, 1}, {esExportDone, -1}};
    Grid->ExportCalls.clear();
    Saved();
    EXPECT_EQ(Grid->ExportCalls, Calls);
}

TEST_F(ExchangeTextTest, LineBreaksReadBackOnlyWithMultilineCells) {
    Fill(2, 2, {{0, 0, u"a\r\nb"}});
    Saved();
    for (bool Multi : {false, true}) {
        Grid->SetCells(0, 0, u"");
        Grid->SetMultilinecells(Multi);
        Grid->LoadFromFile(Folder / u"grid.txt");
        EXPECT_EQ(Grid->Cells(0, 0), Multi ? u"a\r\nb" : u"a") << Multi;
    }
}

TEST_F(ExchangeTextTest, LoadingWithoutFixedCellsOffsetsTheSizeButKeepsAbsoluteIndexes) {
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->SaveFixedCells = false;
    WriteFileBytes(Folder / u"in.txt", "3,2\r\ncw 1,33\r\n2,1,kept\r\n7,1,skipped\r\n1,9,skipped\r\n");
    Grid->LoadFromFile(Folder / u"in.txt");
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->ColWidths(1), 33);
    EXPECT_EQ(Grid->Cells(2, 1), u"kept");
}

TEST_F(ExchangeTextTest, FileWithoutSizeIsRefused) {
    WriteFileBytes(Folder / u"bad.txt", "0,5\r\n");
    try {
        Grid->LoadFromFile(Folder / u"bad.txt");
        FAIL();
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"File contains no data or corrupt file " + (Folder / u"bad.txt"));
    }
}

TEST_F(ExchangeTextTest, StreamIsUtf16WithRelativeIndexesAndStopsAtForeignData) {
    Fill(2, 3, {});
    Grid->SaveFixedCells = true;
    TMemoryStream Stream;
    Grid->SaveToStream(Stream);
    const std::string Head(reinterpret_cast<const char*>(Stream.Memory()), 10);
    EXPECT_EQ(Head, std::string("2\0,\0" "3\0\r\0\n\0", 10));

    TMemoryStream Mixed;
    Fill(3, 3, {{1, 1, u"b\r\nc"}, {2, 2, u"z"}});
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->SaveFixedCells = false;
    Grid->SaveToStream(Mixed);
    const Int64 End = Mixed.Position();
    const char Tail[] = "t\0a\0i\0l\0\r\0\n\0";
    Mixed.WriteBuffer(Tail, 12);
    Mixed.SetPosition(0);
    Grid->SetCells(1, 1, u"");
    Grid->SetCells(2, 2, u"");
    Grid->SetMultilinecells(true);
    Grid->LoadFromStream(Mixed);
    EXPECT_EQ(Grid->Cells(1, 1), u"b\r\nc");
    EXPECT_EQ(Grid->Cells(2, 2), u"z");
    EXPECT_EQ(Mixed.Position(), End);
}

TEST_F(ExchangeTextTest, AsciiPadsAndAlignsColumns) {
    Fill(2, 2, {{0, 0, u"ab"}, {0, 1, u"abcde"}, {1, 0, u"x"}, {1, 1, u"yz"}});
    Grid->OnGetAlignment = [](TObject*, Integer ARow, Integer ACol, TAlignment& HA, TVAlignment&) {
        if (ACol == 0 && ARow == 0) HA = taRightJustify;
        if (ACol == 1 && ARow == 0) HA = taCenter;
    };
    Grid->SaveToASCII(Folder / u"t.txt", false);
    // The centred text grows past the width and gets no separating blank.
    EXPECT_EQ(ReadFileBytes(Folder / u"t.txt"), "   ab  x \r\nabcde yz \r\n");
    Grid->AppendToASCII(Folder / u"t.txt", false);
    EXPECT_EQ(ReadFileBytes(Folder / u"t.txt"), "   ab  x \r\nabcde yz \r\n   ab  x \r\nabcde yz \r\n");
}

TEST_F(ExchangeTextTest, AsciiContinuationLinesOfMultilineCells) {
    Fill(2, 1, {{0, 0, u"ab"}, {1, 0, u"c\r\nde"}});
    Grid->SetMultilinecells(true);
    Grid->SaveToASCII(Folder / u"t.txt", false);
    EXPECT_EQ(ReadFileBytes(Folder / u"t.txt"), "ab c  \r\n   de\r\n");
}

} // namespace
