// The page engine: column pages, pages of rows, fit-to-page scaling,
// repeated fixed rows, page breaks, the print events and the entry points'
// page ranges, on a grid that records every row it is asked to print.

#include "ViewTestSupport.h"

#include "graphics/DeviceContext.h"
#include "graphics/Printer.h"
#include "rtl/DateTime.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <unistd.h>

namespace {

class TPrintPagesGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
    using TZirOvararIzaz::PrintEngine;
    using TZirOvararIzaz::ppsCountPreview;
    using TZirOvararIzaz::ppsPreview;
    using TZirOvararIzaz::ppsPrint;
    using TZirOvararIzaz::ppsCountPrint;
    struct TRowCall {
        Integer Pass, Page, Row, FromCol, ToCol, Y;
    };
    std::vector<TRowCall> Calls;
    std::vector<std::pair<Integer, Integer>> ExportCalls;
    Integer Sheets = 0;
    Integer PrintRow(Integer Y, Integer FromCol, Integer ToCol, Integer ARow) override {
        Calls.push_back({PrintEngine().Pass, PrintRun().PageNr + 1, ARow, FromCol, ToCol, Y});
        return TZirOvararIzaz::PrintRow(Y, FromCol, ToCol, ARow);
    }
    void NewPrintSheet() override {
        ++Sheets;
        TZirOvararIzaz::NewPrintSheet();
    }
    void ExportNotification(Integer AState, Integer ARow) override {
        if (AState == esExportStart || AState == esExportDone) ExportCalls.emplace_back(AState, ARow);
    }
    TDateTime PrintTime() override { return EncodeDate(2026, 3, 4) + EncodeTime(9, 7, 0, 0); }
    // The rows of one pass by page.
    std::map<Integer, std::vector<Integer>> RowsByPage(Integer Pass) const {
        std::map<Integer, std::vector<Integer>> R;
        for (const TRowCall& C : Calls)
            if (C.Pass == Pass) R[C.Page].push_back(C.Row);
        return R;
    }
};

class PrintPagesTest : public GridFormTest<TPrintPagesGrid> {
protected:
    void SetUp() override {
        GridFormTest<TPrintPagesGrid>::SetUp();
        Page = WhiteCanvasBitmap(PageW, PageH);
        Grid->PrintSettings()->SetBorders(pbNoborder);
    }
    void TearDown() override {
        Free(Page);
        if (OwnPrinter) {
            SetPrinter(nullptr);
            Free(OwnPrinter);
        }
        GridFormTest<TPrintPagesGrid>::TearDown();
    }
    // Cols x Rows cells reading "c:r", no fixed cells.
    void Fill(Integer Cols, Integer Rows) {
        Grid->SetFixedRows(0);
        Grid->SetFixedCols(0);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) Grid->SetCells(c, r, IntToStr(c) + u":" + IntToStr(r));
    }
    // A preview of the page PreviewPage; answers the pages counted.
    Integer Preview(Integer PreviewPage = 1) {
        Grid->Calls.clear();
        Grid->SetPreviewPage(PreviewPage);
        Grid->PrintPreview(Page->Canvas(), TRect(0, 0, PageW, PageH));
        return Grid->PrintNrOfPages();
    }
    // The program's printer replaced by one writing into a file of its own.
    TPrinter* UsePrinter() {
        OwnPrinter = Create<TPrinter>();
        PdfPath = std::filesystem::temp_directory_path() / ("vandrel-print-" + std::to_string(::getpid()) + "-" +
                                                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf");
        std::filesystem::remove(PdfPath);
        OwnPrinter->SetFileName(FromUtf8(PdfPath.string()));
        OwnPrinter->SetPixelsPerInch(150);
        SetPrinter(OwnPrinter);
        return OwnPrinter;
    }

    // A4 at 96 pixels per inch: a page of 2100 x 2970 tenths of a millimetre.
    static constexpr Integer PageW = 794, PageH = 1123;
    TBitmap* Page = nullptr;
    TPrinter* OwnPrinter = nullptr;
    std::filesystem::path PdfPath;
};

TEST_F(PrintPagesTest, ColumnPagesHoldWhatFitsAndAtLeastOneColumn) {
    struct TCase {
        const char* What;
        Integer Cols;
        Integer WideCol; // -1: none; else this column's text is wider than the page
        Integer ExpectedColPages;
    };
    const TCase Cases[] = {
        {"a narrow grid is one column page", 4, -1, 1},
        {"a wide grid needs several column pages", 40, -1, 0},
        {"a column wider than the page gets a page of its own", 3, 1, 3},
        {"a first column wider than the page", 2, 0, 2},
    };
    for (const TCase& C : Cases) {
        Fill(C.Cols, 3);
        if (C.WideCol >= 0) Grid->SetCells(C.WideCol, 1, String(400, u'W'));
        if (C.Cols == 40)
            for (Integer c = 0; c < C.Cols; ++c) Grid->SetCells(c, 0, u"a rather long heading " + IntToStr(c));
        Preview();
        // Column pages as the counting pass laid them out.
        std::vector<std::pair<Integer, Integer>> ColPages;
        for (const auto& Call : Grid->Calls)
            if (Call.Pass == TPrintPagesGrid::ppsCountPreview &&
                (ColPages.empty() || ColPages.back() != std::make_pair(Call.FromCol, Call.ToCol)))
                ColPages.emplace_back(Call.FromCol, Call.ToCol);
        if (C.ExpectedColPages > 0)
            EXPECT_EQ(Integer(ColPages.size()), C.ExpectedColPages) << C.What;
        else
            EXPECT_GT(ColPages.size(), 1u) << C.What;
        // Every column once, in order, at least one per column page.
        Integer Next = 0;
        for (const auto& [From, To] : ColPages) {
            EXPECT_EQ(From, Next) << C.What;
            EXPECT_GE(To, From) << C.What;
            Next = To + 1;
        }
        EXPECT_EQ(Next, C.Cols) << C.What;
        if (C.WideCol >= 0) {
            EXPECT_GT(Grid->PrintColWidth(C.WideCol), 2100) << C.What;
            EXPECT_NE(std::find(ColPages.begin(), ColPages.end(), std::make_pair(C.WideCol, C.WideCol)),
                      ColPages.end())
                << C.What;
        }
        EXPECT_EQ(Grid->PrintNrOfPages(), Integer(ColPages.size())) << C.What;
    }
}

TEST_F(PrintPagesTest, ColumnPagesNumberTheirPagesRowPageDashColumnPage) {
    Fill(30, 150);
    for (Integer c = 0; c < 30; ++c) Grid->SetCells(c, 0, u"a rather long heading " + IntToStr(c));
    Grid->PrintSettings()->SetPageNr(ppBottomRight);
    std::vector<String> Numbers;
    Grid->OnPrintGetPageNum = [&](TObject*, Integer, Integer, String& Text) { Numbers.push_back(Text); };
    const Integer Pages = Preview();
    ASSERT_GE(Pages, 4);
    // Page 1 is the first page of the first column page; the last page of
    // the run is the last page of the last column page.
    for (Integer P : {1, 2, Pages}) {
        Numbers.clear();
        Preview(P);
        ASSERT_EQ(Numbers.size(), 1u) << P;
        const Integer Dash = Integer(Numbers[0].find(u'-'));
        ASSERT_GT(Dash, 0) << Utf8(Numbers[0]);
        if (P == 1) {
            EXPECT_EQ(Numbers[0], u"1-1");
        } else if (P == 2) {
            EXPECT_EQ(Numbers[0], u"2-1");
        } else {
            EXPECT_NE(Numbers[0].substr(std::size_t(Dash)), u"-1");
        }
    }
}

TEST_F(PrintPagesTest, FitToPageScalesOnlyTheWayItsModeAllows) {
    struct TCase {
        const char* What;
        TFitToPage Mode;
        bool Wide;
        bool AllowCustom;
        bool Scaled; // the scale differs from 1
    };
    const TCase Cases[] = {
        {"never", fpNever, true, true, false},
        {"shrink, narrow grid", fpShrink, false, true, false},
        {"shrink, wide grid", fpShrink, true, true, true},
        {"grow, wide grid", fpGrow, true, true, false},
        {"grow, narrow grid", fpGrow, false, true, true},
        {"always, narrow grid", fpAlways, false, true, true},
        {"always, wide grid", fpAlways, true, true, true},
        {"custom, allowed", fpCustom, true, true, true},
        {"custom, refused", fpCustom, true, false, false},
    };
    for (const TCase& C : Cases) {
        Fill(C.Wide ? 30 : 3, 4);
        if (C.Wide)
            for (Integer c = 0; c < 30; ++c) Grid->SetCells(c, 0, u"a rather long heading " + IntToStr(c));
        Grid->PrintSettings()->SetFitToPage(C.Mode);
        Integer CustomCalls = 0;
        Grid->OnFitToPage = [&](TObject*, Double&, bool& Allow) {
            ++CustomCalls;
            Allow = C.AllowCustom;
        };
        Preview();
        const Double Scale = Grid->PrintEngine().Scale;
        EXPECT_EQ(Scale != 1.0, C.Scaled) << C.What << " scale " << Scale;
        EXPECT_EQ(CustomCalls > 0, C.Mode == fpCustom) << C.What;
        if (C.Scaled) {
            // The scaled columns fill the page width between the margins.
            EXPECT_EQ(Grid->PrintNrOfPages(), 1) << C.What;
            EXPECT_LE(Grid->PrintPageWidth(), 2100) << C.What;
            EXPECT_GT(Grid->PrintPageWidth(), 1900) << C.What;
        }
    }
}

TEST_F(PrintPagesTest, RepeatedFixedRowsHeadEveryLaterPage) {
    Fill(3, 200);
    Grid->SetFixedRows(1);
    Grid->PrintSettings()->SetRepeatFixedRows(true);
    const Integer Pages = Preview();
    ASSERT_GE(Pages, 3);
    const auto ByPage = Grid->RowsByPage(TPrintPagesGrid::ppsCountPreview);
    // From row 0: the first page shows the fixed row once, as its first row.
    EXPECT_EQ(ByPage.at(1)[0], 0);
    EXPECT_EQ(std::count(ByPage.at(1).begin(), ByPage.at(1).end(), 0), 1);
    for (Integer P = 2; P <= Pages; ++P) {
        EXPECT_EQ(ByPage.at(P)[0], 0) << P;
        EXPECT_GT(ByPage.at(P)[1], 1) << P;
    }
    // Every normal row is printed once.
    std::multiset<Integer> Rows;
    for (const auto& [P, List] : ByPage) Rows.insert(List.begin() + (P > 1 ? 1 : 0), List.end());
    EXPECT_EQ(Rows.size(), 200u);
    EXPECT_EQ(Rows.count(0), 1u);
    EXPECT_EQ(Rows.count(199), 1u);
}

TEST_F(PrintPagesTest, PagesBreakWhenFullOrWhenTheEventAsks) {
    Fill(2, 10);
    EXPECT_EQ(Preview(), 1);
    // A break asked before rows 4 and 7.
    Grid->OnPrintNewPage = [](TObject*, Integer ARow, bool& NewPage) { NewPage = ARow == 4 || ARow == 7; };
    EXPECT_EQ(Preview(), 3);
    const auto ByPage = Grid->RowsByPage(TPrintPagesGrid::ppsCountPreview);
    EXPECT_EQ(ByPage.at(1), (std::vector<Integer>{0, 1, 2, 3}));
    EXPECT_EQ(ByPage.at(2), (std::vector<Integer>{4, 5, 6}));
    EXPECT_EQ(ByPage.at(3), (std::vector<Integer>{7, 8, 9}));
    // A break asked after the last row starts no empty page.
    Grid->OnPrintNewPage = [](TObject*, Integer ARow, bool& NewPage) { NewPage = ARow == 10; };
    EXPECT_EQ(Preview(), 1);
    // Full pages: every row fits above the footer.
    Grid->OnPrintNewPage = nullptr;
    Fill(2, 300);
    const Integer Pages = Preview();
    EXPECT_GT(Pages, 2);
    for (const auto& Call : Grid->Calls) EXPECT_LT(Call.Y, 2970);
}

TEST_F(PrintPagesTest, EventsOfOnePreview) {
    Fill(2, 300);
    Integer Done = 0, Cancels = 0;
    std::vector<Integer> PagesStarted, PagesDone;
    Grid->OnPrintDone = [&](TObject*) { ++Done; };
    Grid->OnPrintPage = [&](TObject*, TCanvas*, Integer PageNr, Integer XSize, Integer YSize) {
        PagesStarted.push_back(PageNr);
        // A4 in tenths of a millimetre, to the pixel.
        EXPECT_NEAR(XSize, 2100, 3);
        EXPECT_NEAR(YSize, -2970, 3);
    };
    Grid->OnPrintPageDone = [&](TObject*, TCanvas*, Integer, Integer Offset, Integer LastPage, Integer, Integer) {
        PagesDone.push_back(LastPage);
        EXPECT_LT(Offset, 0);
    };
    Grid->OnPrintCancel = [&](TObject*, Integer, bool&) { ++Cancels; };
    const Integer Pages = Preview(2);
    ASSERT_GT(Pages, 2);
    // Counting and drawing: two runs.
    EXPECT_EQ(Done, 2);
    // Only the drawing run fires the page events, at every page; OnPrintPage
    // at the run's start and for the pages drawn.
    EXPECT_EQ(Integer(PagesDone.size()), Pages);
    EXPECT_EQ(Cancels, Pages);
    EXPECT_EQ(PagesStarted, (std::vector<Integer>{1, 2}));
    // The export notifications bracket the call.
    EXPECT_EQ(Grid->ExportCalls,
              (std::vector<std::pair<Integer, Integer>>{{esExportStart, -1}, {esExportDone, -1}}));
    EXPECT_FALSE(Grid->IsPrintPreview());
}

TEST_F(PrintPagesTest, CancelStopsAtTheEndOfThePage) {
    Fill(2, 300);
    Grid->OnPrintCancel = [&](TObject*, Integer PageNr, bool& Cancel) { Cancel = PageNr == 2; };
    Grid->SetPreviewPage(1);
    Grid->Calls.clear();
    Grid->PrintPreview(Page->Canvas(), TRect(0, 0, PageW, PageH));
    const auto ByPage = Grid->RowsByPage(TPrintPagesGrid::ppsPreview);
    EXPECT_EQ(ByPage.size(), 2u);
}

TEST_F(PrintPagesTest, SelectedRowsPrintADisjunctSelectionWithAllColumns) {
    Fill(4, 12);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->SetRowSelect(2, true);
    Grid->SetRowSelect(5, true);
    Grid->SetRowSelect(9, true);
    Grid->Calls.clear();
    Grid->SetPreviewPage(1);
    Grid->PrintPreviewSelectedRows(Page->Canvas(), TRect(0, 0, PageW, PageH));
    const auto ByPage = Grid->RowsByPage(TPrintPagesGrid::ppsPreview);
    ASSERT_EQ(ByPage.size(), 1u);
    EXPECT_EQ(ByPage.at(1), (std::vector<Integer>{2, 5, 9}));
    for (const auto& Call : Grid->Calls) {
        EXPECT_EQ(Call.FromCol, 0);
        EXPECT_EQ(Call.ToCol, 3);
    }
}

TEST_F(PrintPagesTest, PreviewRestoresTheMappingWhenDrawingRaises) {
    Fill(2, 300);
    Grid->OnPrintPage = [](TObject*, TCanvas*, Integer, Integer, Integer) { throw EKelGridError(u"stop"); };
    EXPECT_THROW(Preview(), EKelGridError);
    EXPECT_EQ(winapi::GetMapMode(Page->Canvas()->Handle()), MM_TEXT);
    EXPECT_FALSE(Grid->IsPrintPreview());
    EXPECT_EQ(Grid->ExportCalls.back(), std::make_pair(Integer(esExportDone), -1));
}

TEST_F(PrintPagesTest, OnPrintStartChoosesThePagesOfAPrint) {
    Fill(2, 300);
    TPrinter* Pr = UsePrinter();
    Grid->PrintSettings()->SetPageNr(ppBottomRight);
    const Integer Pages = [&] {
        Grid->PrintSettings()->SetJobName(u"count");
        Integer N = 0;
        Grid->OnPrintStart = [&](TObject*, Integer NrOfPages, Integer&, Integer& To) {
            N = NrOfPages;
            To = 0;
        };
        Grid->Print();
        return N;
    }();
    ASSERT_GE(Pages, 5);
    // ToPage 0: nothing printed, no document begun.
    EXPECT_EQ(Pr->PageCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(PdfPath));

    std::vector<String> Numbers;
    Grid->OnPrintGetPageNum = [&](TObject*, Integer, Integer, String& Text) { Numbers.push_back(Text); };
    Grid->OnPrintStart = [&](TObject*, Integer, Integer& From, Integer& To) {
        From = 2;
        To = 3;
    };
    Grid->Sheets = 0;
    Grid->Print();
    EXPECT_EQ(Pr->PageCount(), 2);
    EXPECT_EQ(Grid->Sheets, 1);
    EXPECT_EQ(Numbers, (std::vector<String>{u"2/" + IntToStr(Pages), u"3/" + IntToStr(Pages)}));
    EXPECT_TRUE(std::filesystem::exists(PdfPath));
}

TEST_F(PrintPagesTest, PrintInsideTheCallersDocumentAddsPages) {
    Fill(2, 300);
    TPrinter* Pr = UsePrinter();
    Pr->BeginDoc();
    Grid->Print();
    EXPECT_TRUE(Pr->Printing());
    const Integer Pages = Grid->PrintNrOfPages();
    Pr->NewPage();
    Grid->Print();
    EXPECT_TRUE(Pr->Printing());
    Pr->EndDoc();
    EXPECT_EQ(Pr->PageCount(), 2 * Pages);
}

TEST_F(PrintPagesTest, FastPrintPrintsEveryPageAndStopsAfterTheLastAsked) {
    Fill(2, 300);
    TPrinter* Pr = UsePrinter();
    Grid->Print();
    const Integer Pages = Pr->PageCount();
    ASSERT_GE(Pages, 5);

    Grid->SetFastPrint(true);
    std::vector<String> Numbers;
    Grid->PrintSettings()->SetPageNr(ppBottomRight);
    Grid->OnPrintGetPageNum = [&](TObject*, Integer, Integer, String& Text) { Numbers.push_back(Text); };
    Grid->Print();
    EXPECT_EQ(Pr->PageCount(), Pages);
    EXPECT_EQ(Grid->PrintNrOfPages(), 2147483647);
    // Not counted: no total after the page number.
    ASSERT_EQ(Integer(Numbers.size()), Pages);
    EXPECT_EQ(Numbers.back(), IntToStr(Pages));

    Grid->OnPrintStart = [&](TObject*, Integer, Integer& From, Integer& To) {
        From = 1;
        To = 3;
    };
    Grid->Calls.clear();
    Grid->Print();
    EXPECT_EQ(Pr->PageCount(), 3);
    Integer LastPage = 0;
    for (const auto& Call : Grid->Calls) LastPage = std::max(LastPage, Call.Page);
    EXPECT_EQ(LastPage, 3);
}

TEST_F(PrintPagesTest, AFailedPrintLeavesNoDocument) {
    Fill(2, 300);
    TPrinter* Pr = UsePrinter();
    Grid->OnPrintPage = [](TObject*, TCanvas*, Integer PageNr, Integer, Integer) {
        if (PageNr == 2) throw EKelGridError(u"paper jam");
    };
    EXPECT_THROW(Grid->Print(), EKelGridError);
    EXPECT_FALSE(Pr->Printing());
    EXPECT_TRUE(Pr->Aborted());
    EXPECT_FALSE(std::filesystem::exists(PdfPath));
    EXPECT_EQ(winapi::GetMapMode(Grid->Canvas()->Handle()), MM_TEXT);
}

} // namespace
