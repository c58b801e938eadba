#include "ViewTestSupport.h"

#include "data/ADODataSet.h"
#include "data/Connection.h"
#include "grid/GridError.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "rtltesting/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

class ExchangeOfficeTest : public ViewTest {
protected:
    // A fixture workbook copied into the test folder.
    String Fixture(const char* Name) {
        std::filesystem::copy_file(std::string(VANDREL_FIXTURES) + "/" + Name, Folder.Native(FromUtf8(Name)));
        return Folder / FromUtf8(Name);
    }
    // Runs a Python script with arguments; answers what it wrote to out.json.
    std::string Python(const std::string& Script, const std::string& Args) {
        WriteFileBytes(Folder / u"script.py", Script);
        const std::string Cmd = PythonCommand() + " " + Folder.Native(u"script.py") + " " + Folder.Native(u"out.json") +
                                " " + Args;
        EXPECT_EQ(std::system(Cmd.c_str()), 0) << Cmd;
        return ReadFileBytes(Folder / u"out.json");
    }
    bool HasPythonModule(const char* Module) {
        return std::system((PythonCommand() + " -c 'import " + Module + "' >/dev/null 2>&1").c_str()) == 0;
    }
    TTempFolder Folder;
};

TEST_F(ExchangeOfficeTest, WorkbookColumnNamesGoBeyondTwoLetters) {
    const std::pair<Integer, const char16_t*> Cases[] = {{1, u"A"},     {26, u"Z"},     {27, u"AA"},
                                                         {52, u"AZ"},   {702, u"ZZ"},   {703, u"AAA"},
                                                         {704, u"AAB"}, {16384, u"XFD"}};
    for (const auto& [Col, Letters] : Cases) {
        EXPECT_EQ(TZirOvararIzaz::WorkbookColumnName(Col), Letters) << Col;
        EXPECT_EQ(TZirOvararIzaz::WorkbookColumnNumber(Letters), Col) << Col;
    }
    for (const char16_t* Bad : {u"", u"A1", u"XFE", u"ABCD"}) EXPECT_EQ(TZirOvararIzaz::WorkbookColumnNumber(Bad), 0);
}

// Both fixtures were made once by LibreOffice from one spreadsheet: sheet
// "Data" uses B2:D5 and holds a #DIV/0! cell at C4, sheet "One" only C3.
class WorkbookFixtureTest : public ExchangeOfficeTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WorkbookFixtureTest, UsedRangeLoadsAtTheSaveOffsets) {
    const String File = Fixture(GetParam());
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    Grid->SetCells(1, 2, u"kept");
    Grid->SetCells(2, 3, u"overwritten");
    Grid->LoadFromXLSSheet(File, u"Data");
    ASSERT_EQ(Grid->ColCount(), 3);
    ASSERT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->Cells(0, 0), u"Name");
    EXPECT_EQ(Grid->Cells(2, 0), u"Date");
    EXPECT_EQ(Grid->Cells(0, 1), u"Alpha");
    EXPECT_EQ(Grid->Cells(1, 1), FloatToStr(12.5));
    EXPECT_EQ(Grid->Cells(2, 1), DateToStr(EncodeDate(2024, 3, 15)));
    EXPECT_EQ(Grid->Cells(0, 2), u"Beta, \"quoted\"");
    // The error cell leaves the grid cell alone; FreeXL reports a legacy
    // file's error cell as one without a value, which loads as empty.
    EXPECT_EQ(Grid->Cells(1, 2), std::string(GetParam()).ends_with(".xlsx") ? u"kept" : u"");
    EXPECT_EQ(Grid->Cells(2, 2), DateToStr(EncodeDate(2024, 12, 31)));
    EXPECT_EQ(Grid->Cells(0, 3), u"Gr\u00f6\u00dfe");
    EXPECT_EQ(Grid->Cells(1, 3), u"-3");
    EXPECT_EQ(Grid->Cells(2, 3), u"1000000");
    EXPECT_EQ(Grid->FixedCols(), 1);
    EXPECT_EQ(Grid->FixedRows(), 1);

    // The active sheet is "Data"; without saved fixed cells the range moves
    // past the fixed column and row.
    Grid->SaveFixedCells = false;
    Grid->LoadFromXLS(File);
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->Cells(1, 1), u"Name");
    EXPECT_EQ(Grid->Cells(3, 4), u"1000000");
}

TEST_P(WorkbookFixtureTest, SheetsAndSingleCell) {
    const String File = Fixture(GetParam());
    std::unique_ptr<TStringList> Sheets(Grid->GetXLSSheets(File));
    EXPECT_EQ(Sheets->CommaText(), u"Data,One");
    Grid->LoadFromXLSSheet(File, u"One");
    EXPECT_EQ(Grid->ColCount(), 1);
    EXPECT_EQ(Grid->RowCount(), 1);
    EXPECT_EQ(Grid->Cells(0, 0), u"Solo");
    try {
        Grid->LoadFromXLSSheet(File, u"Missing");
        FAIL() << "no error";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Excel worksheet Missing not found");
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, WorkbookFixtureTest, ::testing::Values("workbook.xlsx", "workbook.xls"));

TEST_F(ExchangeOfficeTest, FilesThatAreNoWorkbooksAreRefused) {
    const std::pair<const char16_t*, std::string> Cases[] = {
        {u"text.xlsx", "Name,Amount\r\n"},
        {u"short.xls", "PK"},
        {u"broken.xlsx", std::string("PK\3\4", 4) + std::string(40, '\0')},
        {u"broken.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0')},
    };
    for (const auto& [Name, Bytes] : Cases) {
        WriteFileBytes(Folder / Name, Bytes);
        try {
            Grid->LoadFromXLS(Folder / Name);
            ADD_FAILURE() << Utf8(Name);
        } catch (const EKelGridError&) {
            ADD_FAILURE() << Utf8(Name);
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), u"Incorrect Excel file") << Utf8(Name);
        }
    }
    // An existing file that is not a workbook is not overwritten.
    EXPECT_THROW(Grid->SaveToXLSSheet(Folder / u"text.xlsx", u"Grid"), Exception);
    EXPECT_EQ(ReadFileBytes(Folder / u"text.xlsx"), "Name,Amount\r\n");
    try {
        Grid->SaveToXLSSheet(Folder / u"new.xlsx", u"a/b");
        FAIL() << "no error";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Invalid worksheet name a/b");
    }
}

// A new workbook from a grid of 27 columns and 10 rows fills A1:AA10;
// numbers are numbers, carriage returns are gone.
TEST_F(ExchangeOfficeTest, NewWorkbookIsReadByOpenpyxl) {
    Grid->SetColCount(27);
    Grid->SetRowCount(10);
    Grid->SetCells(0, 0, u"Name");
    Grid->SetCells(26, 0, u"Last");
    Grid->SetCells(0, 1, u"12");
    Grid->SetCells(1, 1, FloatToStr(12.5));
    Grid->SetCells(2, 1, u"a\r\nb");
    Grid->SetCells(26, 9, u"end \u00e9");
    Grid->ExportCalls.clear();
    Grid->SaveToXLS(Folder / u"new.xlsx", true);
    ASSERT_EQ(Grid->ExportCalls.size(), 12u);
    EXPECT_EQ(Grid->ExportCalls.front(), std::make_pair(Integer(esExportStart), 0));
    EXPECT_EQ(Grid->ExportCalls.back(), std::make_pair(Integer(esExportDone), -1));

    TTestGrid* Back = Grid; // reads its own file back
    Back->ClearAll();
    Back->LoadFromXLS(Folder / u"new.xlsx");
    EXPECT_EQ(Back->ColCount(), 27);
    EXPECT_EQ(Back->RowCount(), 10);
    EXPECT_EQ(Back->Cells(2, 1), u"a\nb");
    EXPECT_EQ(Back->Cells(26, 9), u"end \u00e9");

    if (!HasPythonModule("openpyxl")) GTEST_SKIP() << "python3-openpyxl is not installed";
    const std::string Script = "import openpyxl,sys,json\n"
                               "wb=openpyxl.load_workbook(sys.argv[2])\n"
                               "ws=wb[wb.sheetnames[0]]\n"
                               "v=[ws[a].value for a in ('A1','AA1','A2','B2','C2','AA10')]\n"
                               "json.dump({'sheets':wb.sheetnames,'dim':ws.dimensions,'v':v},open(sys.argv[1],'w'))\n";
    EXPECT_EQ(Python(Script, Folder.Native(u"new.xlsx")),
              R"({"sheets": ["Sheet1"], "dim": "A1:AA10", "v": ["Name", "Last", 12, 12.5, "a\nb", "end \u00e9"]})");
}

// Writing a sheet into an existing workbook keeps its other sheets; a new
// sheet is added, an existing one is overwritten from row 1 on.
TEST_F(ExchangeOfficeTest, SheetWrittenIntoAnExistingWorkbook) {
    const String Book = Fixture("workbook.xlsx");
    Grid->SetColCount(704);
    Grid->SetRowCount(2);
    Grid->SetCells(0, 0, u"first");
    Grid->SetCells(703, 0, u"far");
    Grid->SetCells(703, 1, u"42");
    Grid->SaveToXLSSheet(Book, u"Grid");

    Grid->SetColCount(2);
    Grid->SetCells(0, 0, u"x");
    Grid->SetCells(1, 1, u"<&>");
    Grid->SaveToXLSSheet(Book, u"One");

    std::unique_ptr<TStringList> Sheets(Grid->GetXLSSheets(Book));
    EXPECT_EQ(Sheets->CommaText(), u"Data,One,Grid");
    Grid->LoadFromXLSSheet(Book, u"Grid");
    EXPECT_EQ(Grid->ColCount(), 704);
    EXPECT_EQ(Grid->Cells(703, 0), u"far");
    EXPECT_EQ(Grid->Cells(703, 1), u"42");
    Grid->LoadFromXLSSheet(Book, u"One");
    ASSERT_EQ(Grid->ColCount(), 3);
    ASSERT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->Cells(0, 0), u"x");
    EXPECT_EQ(Grid->Cells(1, 1), u"<&>");
    EXPECT_EQ(Grid->Cells(2, 2), u"Solo");
    Grid->LoadFromXLSSheet(Book, u"Data");
    EXPECT_EQ(Grid->Cells(2, 1), DateToStr(EncodeDate(2024, 3, 15)));

    if (!HasPythonModule("openpyxl")) GTEST_SKIP() << "python3-openpyxl is not installed";
    const std::string Script = "import openpyxl,sys,json\n"
                               "wb=openpyxl.load_workbook(sys.argv[2])\n"
                               "g=wb['Grid']\n"
                               "v=[wb['Data']['B3'].value,wb['Data']['C3'].value,g['A1'].value,g['AAB1'].value,"
                               "g['AAB2'].value,wb['One']['B2'].value,wb['One']['C3'].value]\n"
                               "json.dump({'sheets':wb.sheetnames,'dim':g.dimensions,'v':v},open(sys.argv[1],'w'))\n";
    EXPECT_EQ(Python(Script, Folder.Native(u"workbook.xlsx")),
              R"({"sheets": ["Data", "One", "Grid"], "dim": "A1:AAB2", "v": ["Alpha", 12.5, "first", "far", 42, "<&>", "Solo"]})");
}

// python-docx sees the table where it belongs: at the start of a new
// document, at a bookmark's paragraph, or after the last line.
TEST_F(ExchangeOfficeTest, DocumentTablesAreReadByPythonDocx) {
    if (!HasPythonModule("docx")) GTEST_SKIP() << "python3-docx is not installed";
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->SetCells(0, 0, u"a");
    Grid->SetCells(1, 0, u"b\r\nc");
    Grid->SetCells(0, 1, u"1");
    Grid->SetCells(1, 1, u"x&<y>");
    Grid->SetAlignments(0, 1, taRightJustify);
    Grid->SetAlignments(1, 1, taCenter);

    const std::string Make = "import docx,sys\n"
                             "from docx.oxml import OxmlElement\n"
                             "from docx.oxml.ns import qn\n"
                             "d=docx.Document()\n"
                             "d.add_paragraph('Intro')\n"
                             "p=d.add_paragraph('Marked')\n"
                             "b=OxmlElement('w:bookmarkStart');b.set(qn('w:id'),'0');b.set(qn('w:name'),'Here')\n"
                             "p._p.insert(0,b)\n"
                             "e=OxmlElement('w:bookmarkEnd');e.set(qn('w:id'),'0');p._p.append(e)\n"
                             "d.add_paragraph('Outro')\n"
                             "d.save(sys.argv[2]);d.save(sys.argv[3])\n"
                             "open(sys.argv[1],'w').write('')\n";
    Python(Make, Folder.Native(u"marked.docx") + " " + Folder.Native(u"plain.docx"));
    Grid->AppendToDoc(Folder / u"marked.docx", u"here");
    Grid->AppendToDoc(Folder / u"plain.docx", u"Nope");
    Grid->SaveToDOC(Folder / u"new.docx");

    const std::string Read =
        "import docx,sys,json\n"
        "from docx.oxml.ns import qn\n"
        "d=docx.Document(sys.argv[2])\n"
        "body=[]\n"
        "for el in d.element.body.iterchildren():\n"
        "  tag=el.tag.split('}')[1]\n"
        "  if tag=='p': body.append(''.join(t.text or '' for t in el.iter(qn('w:t'))))\n"
        "  elif tag=='tbl': body.append('TABLE')\n"
        "t=d.tables[0]\n"
        "cells=[[c.text for c in r.cells] for r in t.rows]\n"
        "al=[t.cell(1,0).paragraphs[0].alignment,t.cell(1,1).paragraphs[0].alignment]\n"
        "json.dump({'body':body,'cells':cells,'align':[int(a) if a is not None else None for a in al]},"
        "open(sys.argv[1],'w'))\n";
    const std::string Table = R"("cells": [["a", "b\nc"], ["1", "x&<y>"]], "align": [2, 1]})";
    EXPECT_EQ(Python(Read, Folder.Native(u"marked.docx")),
              R"({"body": ["", "Intro", "TABLE", "Marked", "Outro"], )" + Table);
    EXPECT_EQ(Python(Read, Folder.Native(u"plain.docx")),
              R"({"body": ["", "Intro", "Marked", "Outro", "TABLE", ""], )" + Table);
    EXPECT_EQ(Python(Read, Folder.Native(u"new.docx")), R"({"body": ["TABLE", ""], )" + Table);
}

TEST_F(ExchangeOfficeTest, DatabaseTableLoadsBelowTheFieldNames) {
    WriteFileBytes(Folder / u"data.db", ""); // an empty file is an empty SQLite database
    {
        auto* Connection = Create<TADOConnection>(nullptr);
        auto* Query = Create<TADOQuery>(nullptr);
        Connection->SetConnectionString(u"Provider=SQLite;Data Source=" + (Folder / u"data.db"));
        Connection->Open();
        Query->SetConnection(Connection);
        for (const char16_t* Sql : {u"CREATE TABLE Crops (Name TEXT, Area REAL, Note TEXT)",
                                    u"INSERT INTO Crops VALUES ('Maize', 12.5, NULL)",
                                    u"INSERT INTO Crops VALUES ('Wheat', 3, 'late')"}) {
            Query->SQL()->SetText(Sql);
            Query->ExecSQL();
        }
        Free(Query);
        Free(Connection);
    }
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(1);
    Grid->LoadFromMDBTable(Folder / u"data.db", u"Crops");
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->RowCount(), 3);
    const char16_t* Expected[3][3] = {
        {u"Name", u"Area", u"Note"}, {u"Maize", u"12.5", u""}, {u"Wheat", u"3", u"late"}};
    for (Integer r = 0; r < 3; ++r)
        for (Integer c = 0; c < 3; ++c) EXPECT_EQ(Grid->Cells(c, r), Expected[r][c]) << c << "," << r;

    // An Access file is told by its signature.
    WriteFileBytes(Folder / u"old.mdb", std::string("\0\1\0\0Standard Jet DB\0", 20) + std::string(100, '\0'));
    try {
        Grid->LoadFromMDBSQL(Folder / u"old.mdb", u"SELECT * FROM Crops");
        FAIL() << "no error";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Access database files are not supported");
    }
}

// The office-suite check (scripts/check-office.sh): LibreOffice converts a
// CSV written by the grid to .xlsx and back to CSV; the grid reads that back
// into equal cells, and reads the .xlsx itself into equal cells too.
TEST_F(ExchangeOfficeTest, CsvRoundTripThroughLibreOffice) {
    if (!std::getenv("VANDREL_CHECK_OFFICE")) GTEST_SKIP() << "run by scripts/check-office.sh";
    Grid->SetMultilinecells(true);
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(0);
    const char16_t* Texts[2][4] = {{u"a,b", u"say \"hi\"", u"one\ntwo", u"\u00e9\u4e2d"},
                                   {u"plain", u"x;y", u"tab\there", u"last"}};
    Grid->SetColCount(4);
    Grid->SetRowCount(2);
    for (Integer r = 0; r < 2; ++r)
        for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, r, Texts[r][c]);
    Grid->SaveToCSV(Folder / u"grid.csv", true);
    const std::string Office = "soffice -env:UserInstallation=file://" + Folder.Native(u"profile") +
                               " --headless --infilter=CSV:44,34,76,1 --convert-to ";
    ASSERT_EQ(std::system((Office + "xlsx --outdir " + Folder.Native(u"x") + " " + Folder.Native(u"grid.csv") +
                           " >/dev/null 2>&1").c_str()),
              0);
    ASSERT_EQ(std::system((Office + "csv:\"Text - txt - csv (StarCalc)\":44,34,76,1 --outdir " +
                           Folder.Native(u"y") + " " + Folder.Native(u"x/grid.xlsx") + " >/dev/null 2>&1")
                              .c_str()),
              0);
    for (const String& File : {Folder / u"y/grid.csv", Folder / u"x/grid.xlsx"}) {
        Grid->ClearAll();
        if (File.ends_with(u".csv")) Grid->LoadFromCSV(File);
        else Grid->LoadFromXLS(File);
        ASSERT_EQ(Grid->RowCount(), 2) << Utf8(File);
        for (Integer r = 0; r < 2; ++r)
            for (Integer c = 0; c < 4; ++c) // the CSV reader makes line breaks CR LF, a workbook holds LF
                EXPECT_EQ(StringReplace(Grid->Cells(c, r), u"\r\n", u"\n", {rfReplaceAll}), Texts[r][c])
                    << Utf8(File) << c << r;
    }
}

} // namespace
