#include "ViewTestSupport.h"

#include "grid/GridError.h"
#include "gridbase/IntList.h"
#include "rtltesting/TestFiles.h"

namespace {

class ExchangeFixedTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(0);
    }
    TTempFolder Folder;
    TIntList List{0, 0};
};

TEST_F(ExchangeFixedTest, MissingWidthsComeFromTheWidestTextAndAreGivenBack) {
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->SetCells(0, 0, u"1234567");
    Grid->SetCells(0, 1, u"ab");
    Grid->SetCells(1, 0, u"toolong");
    Grid->SetCells(1, 1, u"x\r\ny");
    List.Add(3);
    Grid->SaveToFixed(Folder / u"f.txt", &List);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.Items(1), 8);
    EXPECT_EQ(ReadFileBytes(Folder / u"f.txt"), "123toolong \r\nab x\r\ny    \r\n");
}

TEST_F(ExchangeFixedTest, SaveToAFileThatCannotBeMadeNamesIt) {
    const String Name = Folder / u"no/such/f.txt";
    try {
        Grid->SaveToFixed(Name, &List);
        FAIL();
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Cannot Create file " + Name);
    }
}

TEST_F(ExchangeFixedTest, PositionsInAnyOrderDelimitTheColumns) {
    WriteFileBytes(Folder / u"in.txt", "abcdeFGHIJKLMxyz\r\n  p  q\r\nr\r\ns\r\n");
    for (auto Order : {std::vector<Integer>{1, 6, 14}, std::vector<Integer>{14, 1, 6}}) {
        List.Clear();
        for (Integer P : Order) List.Add(P);
        Grid->SetRowCount(1);
        Grid->LoadFromFixed(Folder / u"in.txt", &List, true, -1);
        EXPECT_EQ(Grid->ColCount(), 2);
        EXPECT_EQ(Grid->RowCount(), 4);
        EXPECT_EQ(Grid->Cells(0, 0), u"abcde");
        EXPECT_EQ(Grid->Cells(1, 0), u"FGHIJKLM");
        EXPECT_EQ(Grid->Cells(0, 1), u"p");
        EXPECT_EQ(Grid->Cells(1, 1), u"q");
        EXPECT_EQ(List.Items(0), 1);
    }
}

TEST_F(ExchangeFixedTest, MaxRowsReadsAtLeastOneLineAndNeverShrinks) {
    WriteFileBytes(Folder / u"in.txt", "a\r\nb\r\nc\r\nd\r\ne\r\n");
    List.Add(1);
    List.Add(2);
    const std::pair<Integer, Integer> Cases[] = {{0, 1}, {3, 3}, {-1, 5}};
    for (auto [MaxRows, Lines] : Cases) {
        Grid->SetRowCount(1);
        Grid->ClearAll();
        Grid->LoadFromFixed(Folder / u"in.txt", &List, true, MaxRows);
        EXPECT_EQ(Grid->Cells(0, Lines - 1), String(1, Char(u'a' + Lines - 1))) << MaxRows;
        EXPECT_EQ(Grid->Cells(0, Lines), u"") << MaxRows;
    }
    Grid->SetRowCount(50);
    Grid->LoadFromFixed(Folder / u"in.txt", &List, true, -1);
    EXPECT_EQ(Grid->RowCount(), 50);
    try {
        Grid->LoadFromFixed(Folder / u"none.txt", &List, true, -1);
        FAIL();
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"File " + (Folder / u"none.txt") + u" not found");
    }
}

} // namespace
