#include "ViewTestSupport.h"

#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Stream.h"
#include "rtltesting/TestFiles.h"

#include <cstdlib>

namespace {

class ExchangeCSVTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        Grid->SetColCount(2);
        Grid->SetRowCount(1);
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(0);
    }
    std::string Saved(bool Unicode = false) {
        Grid->SaveToCSV(Folder / u"out.csv", Unicode);
        return ReadFileBytes(Folder / u"out.csv");
    }
    void Load(const std::string& Bytes, Integer MaxRows = 0, Integer IgnoreRows = 0) {
        WriteFileBytes(Folder / u"in.csv", Bytes);
        Grid->LoadFromCSV(Folder / u"in.csv", MaxRows, IgnoreRows);
    }
    TTempFolder Folder;
};

TEST_F(ExchangeCSVTest, FieldsAreQuotedAsTheOptionsSay) {
    struct Case {
        const char16_t* Text;
        const char* Written;
        bool Multiline = false, Java = false, QuoteEmpty = true;
    };
    const Case Cases[] = {
        {u"plain", "plain"},
        {u"a,b", "\"a,b\""},
        {u"say \"hi\"", "\"say \"\"hi\"\"\""},
        {u"a\"b,c", "\"a\"\"b,c\""},
        {u"", "\"\""},
        {u"", "", false, false, false},
        {u"", "^", false, true},
        {u"one\r\ntwo", "\"one\vtwo\""},
        {u"one\r\ntwo", "\"one\r\ntwo\"", true},
        {u"one\r\ntwo", "one~two", false, true},
        // A lone line feed is enclosed too, so the record stays whole.
        {u"one\ntwo", "\"one\ntwo\""},
    };
    for (const Case& C : Cases) {
        Grid->SetMultilinecells(C.Multiline);
        Grid->SetJavaCSV(C.Java);
        Grid->SetQuoteEmptyCells(C.QuoteEmpty);
        Grid->SetCells(0, 0, C.Text);
        Grid->SetCells(1, 0, u"z");
        EXPECT_EQ(Saved(), std::string(C.Written) + ",z\r\n") << Utf8(C.Text);
    }
}

TEST_F(ExchangeCSVTest, UnicodeWritesUtf8WithMarkAndAsciiReplacesOthers) {
    Grid->SetCells(0, 0, u"\u00e9\u20ac");
    Grid->SetCells(1, 0, u"x");
    EXPECT_EQ(Saved(true), "\xEF\xBB\xBF\xC3\xA9\xE2\x82\xAC,x\r\n");
    EXPECT_EQ(Saved(false), "??,x\r\n");
    Grid->SetDelimiter(u';');
    Grid->SaveToCSV(Folder / u"r.csv", TGridRect(1, 0, 1, 0), TEncoding::ANSI());
    EXPECT_EQ(ReadFileBytes(Folder / u"r.csv"), "x\r\n");
    Grid->AppendToCSV(Folder / u"r.csv", TEncoding::ANSI());
    EXPECT_EQ(ReadFileBytes(Folder / u"r.csv"), "x\r\n\xE9\x80;x\r\n");
}

TEST_F(ExchangeCSVTest, DelimiterIsDetectedInThreePasses) {
    struct Case {
        const char* Text;
        const char16_t* First;
        const char16_t* Second;
    };
    const Case Cases[] = {
        {"a;b;c\r\n1;2;3\r\n", u"a", u"b"},        // pass 1
        {"a,b\r\n1;2\r\n", u"a", u"b"},            // pass 3 takes the first candidate reaching 1
        {"\"x;y\",b\r\n1,2\r\n", u"x;y", u"b"},    // quoted delimiters do not count
        {"only\r\n", u"only", u""},                // nothing separates fields
    };
    for (const Case& C : Cases) {
        Grid->SetColCount(2);
        Grid->SetCells(0, 0, u"");
        Grid->SetCells(1, 0, u"");
        Load(C.Text);
        EXPECT_EQ(Grid->Cells(0, 0), C.First) << C.Text;
        EXPECT_EQ(Grid->Cells(1, 0), C.Second) << C.Text;
        EXPECT_EQ(Grid->Delimiter(), Char(0));
    }
}

TEST_F(ExchangeCSVTest, FieldsAreReadWithQuotesBlanksAndLineBreaks) {
    struct Case {
        const char* Line;
        std::vector<const char16_t*> Cells;
    };
    const Case Cases[] = {
        {"\"a,b\",c", {u"a,b", u"c"}},
        {"\"say \"\"hi\"\"\",x", {u"say \"hi\"", u"x"}},
        {"  a,  b", {u"a", u"b"}},                 // blanks before every field go
        {"a,\"open", {u"a", u"open"}},             // an unterminated quote takes the rest
        {"\"one\vtwo\",x", {u"one\r\ntwo", u"x"}},
        {"\"one\r\ntwo\",x", {u"one\r\ntwo", u"x"}}, // a field over two lines
        {"a,", {u"a", u""}},                       // the delimiter at the end empties the last column
        {"a,b,c", {u"a", u"b", u"c"}},             // the grid grows for a third column
    };
    for (const Case& C : Cases) {
        Grid->SetColCount(2);
        Grid->SetDelimiter(u',');
        Grid->SetCells(0, 0, u"old");
        Grid->SetCells(1, 0, u"old");
        Load(std::string(C.Line) + "\r\n");
        ASSERT_EQ(Grid->ColCount(), Integer(C.Cells.size())) << C.Line;
        for (size_t k = 0; k < C.Cells.size(); ++k) EXPECT_EQ(Grid->Cells(Integer(k), 0), C.Cells[k]) << C.Line;
        EXPECT_EQ(Grid->RowCount(), 1);
    }
}

TEST_F(ExchangeCSVTest, TrimSpacesOffKeepsBlanksOfEveryField) {
    Grid->SetCSVTrimSpaces(false);
    Load(" a, b\r\n");
    EXPECT_EQ(Grid->Cells(0, 0), u" a");
    EXPECT_EQ(Grid->Cells(1, 0), u" b");
}

TEST_F(ExchangeCSVTest, RowsLimitsHeaderAndInsert) {
    std::string Text = "h1,h2\r\n";
    for (int i = 1; i <= 12; ++i) Text += std::to_string(i) + ",x\r\n";
    Grid->SetLoadFirstRow(false);
    Load(Text, 10);
    EXPECT_EQ(Grid->RowCount(), 10);
    EXPECT_EQ(Grid->Cells(0, 0), u"1");
    EXPECT_EQ(Grid->Cells(0, 9), u"10");

    Grid->SetLoadFirstRow(true);
    WriteFileBytes(Folder / u"more.csv", "skip,me\r\nm,n\r\n");
    Grid->InsertFromCSV(Folder / u"more.csv", 0, 1);
    EXPECT_EQ(Grid->RowCount(), 11);
    EXPECT_EQ(Grid->Cells(0, 10), u"m");
    EXPECT_EQ(Grid->Cells(0, 9), u"10");
}

TEST_F(ExchangeCSVTest, EmptyTextIsAnErrorAndAnEmptyFileChangesNothing) {
    Grid->SetCells(0, 0, u"keep");
    Load("");
    EXPECT_EQ(Grid->Cells(0, 0), u"keep");
    // A stream read from its end has no line.
    TMemoryStream Stream;
    Stream.WriteBuffer("a,b\r\n", 5);
    try {
        Grid->LoadFromCSVStream(Stream, 0, 0);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"File is empty");
    }
    EXPECT_EQ(Grid->Cells(0, 0), u"keep");
}

TEST_F(ExchangeCSVTest, TextWithoutMarkIsUtf8WhenValidElseWindows1252) {
    Load("\xC3\xA9,x\r\n");
    EXPECT_EQ(Grid->Cells(0, 0), u"\u00e9");
    Load("\xE9\x80,x\r\n");
    EXPECT_EQ(Grid->Cells(0, 0), u"\u00e9\u20ac");
    Load(std::string("\xFF\xFE" "a\0,\0b\0", 8));
    EXPECT_EQ(Grid->Cells(1, 0), u"b");
}

TEST_F(ExchangeCSVTest, SavedCellsReadBackEqual) {
    const char16_t* Texts[] = {u"plain", u"a,b", u"\"q\"", u"", u"two\r\nlines", u"x;y", u"\u00e9"};
    for (bool Multiline : {false, true}) {
        Grid->SetMultilinecells(Multiline);
        Grid->SetColCount(Integer(std::size(Texts)));
        Grid->SetRowCount(2);
        for (Integer c = 0; c < Grid->ColCount(); ++c) {
            Grid->SetCells(c, 0, Texts[c]);
            Grid->SetCells(c, 1, u"r2");
        }
        Grid->SaveToCSV(Folder / u"round.csv", true);
        Grid->ClearAll();
        Grid->LoadFromCSV(Folder / u"round.csv");
        ASSERT_EQ(Grid->RowCount(), 2);
        for (Integer c = 0; c < Grid->ColCount(); ++c) {
            EXPECT_EQ(Grid->Cells(c, 0), Texts[c]) << c << " " << Multiline;
            EXPECT_EQ(Grid->Cells(c, 1), u"r2");
        }
    }
}

// Python's csv module reads the file field for field.
TEST_F(ExchangeCSVTest, PythonCsvReadsTheFile) {
    if (std::system((PythonCommand() + " -c 'import csv' >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "python3 with its csv module is not installed";
    Grid->SetMultilinecells(true);
    const char16_t* Texts[] = {u"a,b", u"say \"hi\"", u"  lead", u"one\r\ntwo", u"\u00e9\u4e2d", u""};
    Grid->SetColCount(Integer(std::size(Texts)));
    for (Integer c = 0; c < Grid->ColCount(); ++c) Grid->SetCells(c, 0, Texts[c]);
    Grid->SaveToCSV(Folder / u"py.csv", true);
    const std::string Script = "import csv,sys,json\n"
                               "rows=list(csv.reader(open(sys.argv[1],encoding='utf-8-sig',newline='')))\n"
                               "open(sys.argv[2],'w',encoding='utf-8').write(json.dumps(rows))\n";
    WriteFileBytes(Folder / u"read.py", Script);
    const std::string Cmd = PythonCommand() + " " + Folder.Native(u"read.py") + " " + Folder.Native(u"py.csv") + " " +
                            Folder.Native(u"py.json");
    ASSERT_EQ(std::system(Cmd.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(Folder / u"py.json"),
              "[[\"a,b\", \"say \\\"hi\\\"\", \"  lead\", \"one\\r\\ntwo\", \"\\u00e9\\u4e2d\", \"\"]]");
}

} // namespace
