#include "ColumnGridTestSupport.h"

#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Filer.h"
#include "rtl/IniFile.h"
#include "rtl/Stream.h"
#include "rtltesting/TestFiles.h"

#include <string>
#include <vector>

namespace {

class ColumnPersistenceTest : public ColumnGridTest {
protected:
    void SetUp() override {
        ColumnGridTest::SetUp();
        Grid->SetColCount(3);
        for (Integer c = 0; c < 3; ++c) Grid->SetCells(c, 0, String(1, Char(u'A' + c)));
    }
    // Row 0 and every item's DefIdx, position by position.
    static std::vector<String> Order(TVarErozidOvur* G) {
        std::vector<String> Out;
        for (Integer c = 0; c < G->Columns()->Count(); ++c)
            Out.push_back(G->Cells(c, 0) + u":" + IntToStr(G->Columns()->Items(c)->DefIdx()));
        return Out;
    }
    String Ini() const { return Folder / u"cols.ini"; }
    TTempFolder Folder;
};

TEST_F(ColumnPersistenceTest, PositionsRoundTripThroughCPKeys) {
    Grid->MoveColumn(0, 2);
    Grid->SaveColumnPositions(Ini(), u"Cols");
    EXPECT_EQ(ReadFileBytes(Ini()), "[Cols]\r\nCP0=1\r\nCP1=2\r\nCP2=0\r\n\r\n");
    Grid->ResetColumnOrder();
    ASSERT_EQ(Order(Grid), (std::vector<String>{u"A:0", u"B:1", u"C:2"}));
    Grid->LoadColumnPositions(Ini(), u"Cols");
    EXPECT_EQ(Order(Grid), (std::vector<String>{u"B:1", u"C:2", u"A:0"}));

    // With an INI file as the column-size location, the grid's own save and
    // load of positions use these keys.
    Grid->ResetColumnOrder();
    Grid->ColumnSize()->SetLocation(clIniFile);
    Grid->ColumnSize()->SetKey(Folder / u"grid.ini");
    Grid->ColumnSize()->SetSection(u"Grid");
    Grid->MoveColumn(2, 0);
    Grid->SaveColPositions();
    EXPECT_EQ(ReadFileBytes(Folder / u"grid.ini"), "[Grid]\r\nCP0=2\r\nCP1=0\r\nCP2=1\r\n\r\n");
    Grid->ResetColumnOrder();
    Grid->LoadColPositions();
    EXPECT_EQ(Order(Grid), (std::vector<String>{u"C:2", u"A:0", u"B:1"}));
}

TEST_F(ColumnPersistenceTest, SectionsThatAreNoPermutationChangeNothing) {
    Grid->MoveColumn(0, 1);
    const std::vector<String> Before = Order(Grid);
    const char* Sections[] = {
        "CP0=1\nCP1=2\n",                    // short
        "CP0=1\nCP1=1\nCP2=0\n",             // repeated
        "CP0=1\nCP1=2\nCP2=3\n",             // out of range
        "CP0=1\nCP1=x\nCP2=0\n",             // not a number
        "CP0=-5\nCP1=2\nCP2=0\n",            // negative
        "CP0=1\nCP1=2\nCP2=100000000000\n", // beyond an integer
    };
    for (const char* Lines : Sections) {
        WriteFileBytes(Ini(), std::string("[Cols]\n") + Lines);
        Grid->LoadColumnPositions(Ini(), u"Cols");
        EXPECT_EQ(Order(Grid), Before) << Lines;
    }
}

TEST_F(ColumnPersistenceTest, ColumnStreamLoadsIntoAnotherGrid) {
    Grid->SetColCount(2);
    Grid->Columns()->Items(0)->SetHeader(u"Name");
    Grid->Columns()->Items(0)->SetWidth(120);
    Grid->Columns()->Items(1)->SetHeader(u"Gr\u00f6\u00dfe");
    Grid->Columns()->Items(1)->SetAlignment(taRightJustify);
    TMemoryStream Stream;
    Grid->SaveColumnsToStream(Stream);
    const std::string Bytes(reinterpret_cast<const char*>(Stream.Memory()), size_t(Stream.Size()));
    EXPECT_EQ(Bytes.substr(0, 22), std::string("TPF0\x10TVarErozidOvurIO\x00", 22));
    // An ASCII header with tag 6, the other with tag 20 and UTF-8.
    EXPECT_NE(Bytes.find(std::string("\x06Header\x06\x04Name", 12)), std::string::npos);
    EXPECT_NE(Bytes.find(std::string("\x06Header\x14\x07\x00\x00\x00Gr\xC3\xB6\xC3\x9F" "e", 19)), std::string::npos);

    auto* Other = Create<TTestColumnGrid>(Form);
    Other->SetParent(Form);
    Other->SetColCount(2);
    Stream.SetPosition(0);
    Other->LoadColumnsFromStream(Stream);
    ASSERT_EQ(Other->Columns()->Count(), 2);
    EXPECT_EQ(Other->Columns()->Items(0)->Header(), u"Name");
    EXPECT_EQ(Other->Columns()->Items(0)->Width(), 120);
    EXPECT_EQ(Other->Columns()->Items(1)->Header(), u"Gr\u00f6\u00dfe");
    EXPECT_EQ(Other->Columns()->Items(1)->Alignment(), taRightJustify);
    EXPECT_FALSE(Other->Columns()->FNoRecursiveUpdate);
}

TEST_F(ColumnPersistenceTest, DamagedColumnStreamsChangeNothing) {
    Grid->Columns()->Items(0)->SetHeader(u"Kept");
    TMemoryStream Good;
    Grid->SaveColumnsToStream(Good);
    const std::string Bytes(reinterpret_cast<const char*>(Good.Memory()), size_t(Good.Size()));
    std::string Unknown = Bytes;
    const size_t At = Unknown.find("Header");
    ASSERT_NE(At, std::string::npos);
    Unknown.replace(At, 6, "Hxader");
    const std::string Cases[] = {Bytes.substr(0, Bytes.size() / 2), Unknown, "TPF1" + Bytes.substr(4),
                                 Bytes.substr(0, 30) + std::string("\x14\xFF\xFF\xFF\x7F", 5)};
    Grid->Columns()->Items(0)->SetHeader(u"Now");
    for (const std::string& Case : Cases) {
        TMemoryStream Stream;
        Stream.WriteBuffer(Case.data(), Int64(Case.size()));
        Stream.SetPosition(0);
        EXPECT_THROW(Grid->LoadColumnsFromStream(Stream), Exception);
        EXPECT_EQ(Grid->Columns()->Items(0)->Header(), u"Now");
        EXPECT_EQ(Grid->Columns()->Count(), 3);
        EXPECT_FALSE(Grid->Columns()->FNoRecursiveUpdate);
    }
}

} // namespace
