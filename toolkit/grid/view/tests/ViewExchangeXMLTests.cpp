#include "ViewTestSupport.h"

#include "grid/GridError.h"
#include "rtl/Exception.h"
#include "rtl/StringList.h"
#include "rtltesting/TestFiles.h"

#include <cstdlib>

namespace {

class ExchangeXMLTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(0);
        Grid->SetColCount(2);
        Grid->SetRowCount(1);
    }
    String Xml() const { return Folder / u"g.xml"; }
    static bool HaveTool(const char* Check) { return std::system(Check) == 0; }
    TTempFolder Folder;
};

TEST_F(ExchangeXMLTest, TwoCellsMakeSevenLines) {
    Grid->SetCells(0, 0, u"x");
    Grid->SetCells(1, 0, u"y");
    Grid->SaveToXML(Xml(), u"LIST", u"ROW", nullptr);
    EXPECT_EQ(ReadFileBytes(Xml()), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<ROW>\r\n"
                                    "<FIELD0>x</FIELD0>\r\n<FIELD1>y</FIELD1>\r\n</ROW>\r\n</LIST>\r\n");
    TStringList Names;
    Names.Add(u"name");
    Grid->SetCells(1, 0, u"");
    Grid->SaveToXML(Xml(), u"LIST", u"ROW", &Names, true);
    EXPECT_EQ(ReadFileBytes(Xml()), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<ROW>\r\n"
                                    "<name>x</name>\r\n<FIELD1>&quot;&quot;</FIELD1>\r\n</ROW>\r\n</LIST>\r\n");
}

TEST_F(ExchangeXMLTest, TextsReadBackEqual) {
    const char16_t* Texts[] = {u"a&b", u"1 < 2 > 0", u"say \"hi\"", u"", u"two\r\nlines", u"\u00e9\u20ac\U0001F600"};
    Grid->SetColCount(Integer(std::size(Texts)));
    Grid->SetRowCount(2);
    for (Integer c = 0; c < Grid->ColCount(); ++c) {
        Grid->SetCells(c, 0, Texts[c]);
        Grid->SetCells(c, 1, u"r");
    }
    for (const char16_t* Encoding : {u"ISO-8859-1", u"UTF-8"}) {
        Grid->SetXMLEncoding(Encoding);
        Grid->SaveToXML(Xml(), u"LIST", u"ROW", nullptr, true);
        Grid->ClearAll();
        Grid->SetColCount(1);
        Grid->LoadFromXML(Xml());
        ASSERT_EQ(Grid->ColCount(), Integer(std::size(Texts)));
        ASSERT_EQ(Grid->RowCount(), 2);
        for (Integer c = 0; c < Grid->ColCount(); ++c) {
            EXPECT_EQ(Grid->Cells(c, 0), Texts[c]) << c;
            EXPECT_EQ(Grid->Cells(c, 1), u"r");
        }
    }
}

TEST_F(ExchangeXMLTest, ReadingMapsElementsAndAttributes) {
    WriteFileBytes(Xml(), "<LIST><ROW><A>1 $amp; 2</A><B>x</B></ROW><ROW id=\"7\"><A>3</A><B/></ROW></LIST>");
    Grid->SetRowCount(2);
    Grid->SetFixedRows(1);
    Grid->SetCells(1, 1, u"old");
    Grid->LoadFromXML(Xml(), false, true);
    // Row 0 holds the field names when the fixed cells are saved.
    EXPECT_EQ(Grid->Cells(0, 0), u"A");
    EXPECT_EQ(Grid->Cells(1, 0), u"B");
    EXPECT_EQ(Grid->Cells(0, 1), u"1 & 2");
    EXPECT_EQ(Grid->Cells(1, 1), u"x");
    EXPECT_EQ(Grid->Cells(0, 2), u"7");
    EXPECT_EQ(Grid->Cells(1, 2), u"3");
    // An empty element fills its cell but does not widen the grid.
    EXPECT_EQ(Grid->ColCount(), 2);
    EXPECT_EQ(Grid->RowCount(), 3);
}

TEST_F(ExchangeXMLTest, ReadingErrors) {
    try {
        Grid->LoadFromXML(Folder / u"none.xml");
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"XML file not found");
    }
    WriteFileBytes(Xml(), "<LIST>\n<ROW>\n</LIST>");
    try {
        Grid->LoadFromXML(Xml());
        FAIL();
    } catch (const Exception& E) {
        EXPECT_TRUE(E.Message().starts_with(u"XMLDOM Parsing error ")) << Utf8(E.Message());
        EXPECT_TRUE(E.Message().ends_with(u" on line 3")) << Utf8(E.Message());
    }
    // An external entity is never fetched.
    WriteFileBytes(Folder / u"secret.txt", "secret");
    WriteFileBytes(Xml(), "<!DOCTYPE L [<!ENTITY e SYSTEM \"" + Folder.Native(u"secret.txt") +
                              "\">]><L><R><F>&e;</F></R></L>");
    EXPECT_THROW(Grid->LoadFromXML(Xml()), Exception);
    EXPECT_EQ(Grid->Cells(0, 0), u"");
}

TEST_F(ExchangeXMLTest, XmllintAcceptsTheFile) {
    if (!HaveTool("xmllint --version >/dev/null 2>&1")) GTEST_SKIP() << "xmllint is not installed";
    Grid->SetCells(0, 0, u"a&b<c>\"\u4e2d\x01");
    Grid->SaveToXML(Xml(), u"LIST", u"ROW", nullptr, true);
    EXPECT_EQ(std::system(("xmllint --noout " + Folder.Native(u"g.xml")).c_str()), 0);
}

TEST_F(ExchangeXMLTest, JsonRows) {
    struct Case {
        Integer Rows;
        const char16_t* Record;
        bool Names;
        const char16_t* Expected;
    };
    const Case Cases[] = {
        {2, u"", false, u"{\"grid\":[[\"a\",\"b\"]\r\n,[\"c\",\"d\\\"\\\\\\r\\n\\t\\u0001\"]\r\n]}\r\n"},
        {1, u"rec", true, u"{\"grid\":[{\"rec\":[{\"n\\\"1\":\"a\"},{\"n2\":\"b\"}]}\r\n]}\r\n"},
        {0, u"", false, u"{\"grid\":[]}\r\n"},
    };
    TStringList Names;
    Names.Add(u"n\"1");
    Names.Add(u"n2");
    for (const Case& C : Cases) {
        Grid->SetRowCount(std::max<Integer>(C.Rows, 1));
        Grid->SetCells(0, 0, u"a");
        Grid->SetCells(1, 0, u"b");
        if (C.Rows > 1) {
            Grid->SetCells(0, 1, u"c");
            Grid->SetCells(1, 1, u"d\"\\\r\n\t\x01");
        }
        if (C.Rows == 0) Grid->SetRowHeights(0, 0);
        String JSON;
        Grid->SaveToJSON(C.Record, C.Names ? &Names : nullptr, JSON);
        EXPECT_EQ(JSON, C.Expected) << C.Rows;
    }
}

TEST_F(ExchangeXMLTest, PythonAcceptsTheJson) {
    if (!HaveTool((PythonCommand() + " -c 'import json' >/dev/null 2>&1").c_str())) GTEST_SKIP() << "python3 is not installed";
    Grid->SetRowCount(2);
    Grid->SetCells(0, 0, u"q\"\\\r\n\u00e9\x02");
    Grid->SaveToJSON(Folder / u"g.json", u"r", nullptr);
    EXPECT_EQ(std::system((PythonCommand() + " -m json.tool " + Folder.Native(u"g.json") + " >/dev/null").c_str()), 0);
    Grid->SetRowHeights(0, 0);
    Grid->SetRowHeights(1, 0);
    Grid->SaveToJSON(Folder / u"e.json", u"", nullptr);
    EXPECT_EQ(std::system((PythonCommand() + " -m json.tool " + Folder.Native(u"e.json") + " >/dev/null").c_str()), 0);
}

} // namespace
