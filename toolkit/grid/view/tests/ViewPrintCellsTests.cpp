// Printed cells, header, footer and frame: pixels of a page drawn on a
// bitmap, and a whole print read back from its PDF file with the Debian
// poppler tools (pdfinfo, pdftotext, pdftoppm).

#include "ViewTestSupport.h"

#include "graphics/Printer.h"
#include "rtl/DateTime.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace {

class TPrintCellsGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
    using TZirOvararIzaz::PrintEngine;
    using TZirOvararIzaz::ppsPreview;
    using TZirOvararIzaz::ppsPrint;
    struct TRowCall {
        Integer Pass, Page, Row, Y, Advance;
    };
    std::vector<TRowCall> Calls;
    Integer PrintRow(Integer Y, Integer FromCol, Integer ToCol, Integer ARow) override {
        const Integer A = TZirOvararIzaz::PrintRow(Y, FromCol, ToCol, ARow);
        Calls.push_back({PrintEngine().Pass, PrintRun().PageNr + 1, ARow, Y, A});
        return A;
    }
    TDateTime PrintTime() override { return EncodeDate(2026, 3, 4) + EncodeTime(9, 7, 0, 0); }
    const TRowCall* Find(Integer Pass, Integer Page, Integer Row) const {
        for (const TRowCall& C : Calls)
            if (C.Pass == Pass && C.Page == Page && C.Row == Row) return &C;
        return nullptr;
    }
};

// The standard output of a command.
std::string RunCommand(const std::string& Command) {
    std::string Out;
    if (FILE* P = ::popen(Command.c_str(), "r")) {
        char Buf[4096];
        std::size_t N;
        while ((N = std::fread(Buf, 1, sizeof Buf, P)) > 0) Out.append(Buf, N);
        ::pclose(P);
    }
    return Out;
}

bool IsInk(TColor C) { return C != clWhite; }

class PrintCellsTest : public GridFormTest<TPrintCellsGrid> {
protected:
    void SetUp() override {
        GridFormTest<TPrintCellsGrid>::SetUp();
        Page = WhiteCanvasBitmap(PageW, PageH);
        Grid->PrintSettings()->SetCentered(false);
        Grid->PrintSettings()->SetLeftSize(100);
    }
    void TearDown() override {
        Free(Page);
        GridFormTest<TPrintCellsGrid>::TearDown();
    }
    void Fill(Integer Cols, Integer Rows, const String& Text = String()) {
        Grid->SetFixedRows(0);
        Grid->SetFixedCols(0);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) Grid->SetCells(c, r, Text);
    }
    void Draw() {
        Grid->Calls.clear();
        Grid->PrintDraw(Page->Canvas(), TRect(0, 0, PageW, PageH));
    }
    // 0.1 mm to the page bitmap's pixels.
    static Integer Px(Integer Tenths) { return Integer(std::lround(Tenths * 96.0 / 254)); }
    // Ink within a pixel of (x, y) given in 0.1 mm from the page's top-left.
    bool InkNear(Integer X, Integer Y) {
        for (Integer dx = -1; dx <= 1; ++dx)
            for (Integer dy = -1; dy <= 1; ++dy)
                if (IsInk(Page->Canvas()->Pixels(Px(X) + dx, Px(Y) + dy))) return true;
        return false;
    }
    // The right edge of column ACol.
    Integer RightEdge(Integer ACol) {
        return Grid->PrintColOffset(ACol) + Grid->PrintColWidth(ACol) + Grid->PrintSettings()->ColumnSpacing() + 20;
    }
    // The top and the bottom of row ARow of the drawn page.
    std::pair<Integer, Integer> RowSpan(Integer ARow) {
        const auto* C = Grid->Find(TPrintCellsGrid::ppsPrint, 1, ARow);
        return C ? std::make_pair(C->Y, C->Y + C->Advance) : std::make_pair(-1, -1);
    }

    static constexpr Integer PageW = 794, PageH = 1123;
    TBitmap* Page = nullptr;
};

TEST_F(PrintCellsTest, CellLinesFollowThePrintBorders) {
    struct TCase {
        const char* What;
        TPrintBorders Borders;
        bool Vertical, Horizontal, Frame;
    };
    const TCase Cases[] = {
        {"single", pbSingle, true, true, true},
        {"vertical", pbVertical, true, false, false},
        {"horizontal", pbHorizontal, false, true, false},
        {"around: the page frame, no cell lines", pbAround, false, false, true},
        {"none", pbNoborder, false, false, false},
    };
    for (const TCase& C : Cases) {
        Free(Page);
        Page = WhiteCanvasBitmap(PageW, PageH);
        Fill(3, 3);
        Grid->PrintSettings()->SetBorders(C.Borders);
        Draw();
        const auto [Top0, Bottom0] = RowSpan(0);
        const auto [Top2, Bottom2] = RowSpan(2);
        ASSERT_GT(Bottom0, Top0) << C.What;
        const Integer MidRow = (Top0 + Bottom0) / 2;
        const Integer MidCol = (Grid->PrintColOffset(0) + Grid->PrintColOffset(1)) / 2;
        // Between columns 0 and 1, and between rows 0 and 1.
        EXPECT_EQ(InkNear(Grid->PrintColOffset(1), MidRow), C.Vertical) << C.What;
        EXPECT_EQ(InkNear(MidCol, Bottom0), C.Horizontal) << C.What;
        // The left edge of the table, halfway down the last row.
        EXPECT_EQ(InkNear(Grid->PrintColOffset(0), (Top2 + Bottom2) / 2), C.Vertical || C.Frame) << C.What;
    }
}

TEST_F(PrintCellsTest, AMergedCellIsOneBox) {
    Fill(3, 3);
    Grid->MergeCells(0, 0, 2, 2);
    Grid->PrintSettings()->SetBorders(pbSingle);
    Draw();
    const auto [Top0, Bottom0] = RowSpan(0);
    const auto [Top1, Bottom1] = RowSpan(1);
    // No line inside the merged box, across or down.
    EXPECT_FALSE(InkNear(Grid->PrintColOffset(1), (Top0 + Bottom0) / 2));
    EXPECT_FALSE(InkNear(Grid->PrintColOffset(1), (Top1 + Bottom1) / 2));
    EXPECT_FALSE(InkNear((Grid->PrintColOffset(0) + Grid->PrintColOffset(1)) / 2, Bottom0));
    // Its right edge spans both rows; the cell beside it has its own lines.
    EXPECT_TRUE(InkNear(Grid->PrintColOffset(2), (Top1 + Bottom1) / 2));
    EXPECT_TRUE(InkNear((Grid->PrintColOffset(2) + RightEdge(2)) / 2, Bottom0));
}

TEST_F(PrintCellsTest, CellObjectsPrintOnlyWithPrintGraphics) {
    for (bool Graphics : {true, false}) {
        Free(Page);
        Page = WhiteCanvasBitmap(PageW, PageH);
        Fill(2, 2);
        Grid->AddCheckBox(0, 0, true, false);
        Grid->PrintSettings()->SetBorders(pbNoborder);
        Grid->PrintSettings()->SetPrintGraphics(Graphics);
        Draw();
        const auto [Top, Bottom] = RowSpan(0);
        bool Ink = false;
        for (Integer y = Px(Top); y <= Px(Bottom); ++y)
            for (Integer x = Px(Grid->PrintColOffset(0)); x < Px(Grid->PrintColOffset(1)); ++x)
                Ink = Ink || IsInk(Page->Canvas()->Pixels(x, y));
        EXPECT_EQ(Ink, Graphics) << Graphics;
    }
}

TEST_F(PrintCellsTest, ThreeLinesTurnedByNinetyDegreesStandSideBySide) {
    Fill(2, 2);
    Grid->AddRotated(0, 0, 90, u"Ab\r\nCd\r\nEf");
    Grid->PrintSettings()->SetBorders(pbNoborder);
    Draw();
    const auto [Top, Bottom] = RowSpan(0);
    // Columns of pixels with ink, grouped into runs.
    Integer Runs = 0;
    bool Previous = false;
    for (Integer x = Px(Grid->PrintColOffset(0)); x < Px(Grid->PrintColOffset(1)); ++x) {
        bool Ink = false;
        for (Integer y = Px(Top); y <= Px(Bottom); ++y) Ink = Ink || IsInk(Page->Canvas()->Pixels(x, y));
        if (Ink && !Previous) ++Runs;
        Previous = Ink;
    }
    EXPECT_EQ(Runs, 3);
}

// A five-page print: row 0 fixed and filled, repeated on every page, twenty
// rows a page, the page number "n/5" in the footer and a header title.
class PrintPdfTest : public PrintCellsTest {
protected:
    void SetUp() override {
        PrintCellsTest::SetUp();
        Printer = Create<TPrinter>();
        Path = std::filesystem::temp_directory_path() /
               ("vandrel-pdf-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf");
        std::filesystem::remove(Path);
        Printer->SetFileName(FromUtf8(Path.string()));
        Printer->SetPixelsPerInch(150);
        SetPrinter(Printer);

        Fill(3, 96);
        Grid->SetFixedRows(1);
        for (Integer c = 0; c < 3; ++c) Grid->SetCells(c, 0, u"Head" + IntToStr(c));
        for (Integer r = 1; r < 96; ++r)
            for (Integer c = 0; c < 3; ++c) Grid->SetCells(c, r, u"R" + IntToStr(r) + u"C" + IntToStr(c));
        TPrintSettings* S = Grid->PrintSettings();
        S->SetRepeatFixedRows(true);
        S->SetBorders(pbAround);
        S->SetPageNr(ppBottomRight);
        S->SetPageNumSep(u"/");
        S->SetTitle(ppTopCenter);
        S->SetTitleText(u"Catchment report");
        S->SetJobName(u"Vandrel grid print");
        S->SetOrientation(poLandscape);
        Grid->OnPrintNewPage = [](TObject*, Integer ARow, bool& NewPage) { NewPage = ARow % 20 == 0; };
        Grid->OnGetCellPrintColor = [](TObject*, Integer ARow, Integer, TGridDrawState, TBrush* ABrush, TFont*) {
            if (ARow == 0) ABrush->SetColor(0x0000FF); // red
        };
        Grid->OnIsPasswordCell = [](TObject*, Integer ARow, Integer ACol, bool& IsPassword) {
            IsPassword = ARow == 5 && ACol == 2;
        };
    }
    void TearDown() override {
        SetPrinter(nullptr);
        Free(Printer);
        std::filesystem::remove(Path);
        PrintCellsTest::TearDown();
    }
    std::string PageText(Integer P) {
        return RunCommand("pdftotext -layout -f " + std::to_string(P) + " -l " + std::to_string(P) + " '" + Path.string() +
                   "' -");
    }

    TPrinter* Printer = nullptr;
    std::filesystem::path Path;
};

TEST_F(PrintPdfTest, FivePagesWithTheirHeadersFootersAndCells) {
    Grid->Print();
    ASSERT_TRUE(std::filesystem::exists(Path));
    const std::string Info = RunCommand("pdfinfo '" + Path.string() + "'");
    EXPECT_NE(Info.find("Pages:           5"), std::string::npos) << Info;
    EXPECT_NE(Info.find("Title:           Vandrel grid print"), std::string::npos) << Info;
    // A4 landscape.
    double W = 0, H = 0;
    const std::size_t At = Info.find("Page size:");
    ASSERT_NE(At, std::string::npos) << Info;
    ASSERT_EQ(std::sscanf(Info.c_str() + At, "Page size: %lf x %lf", &W, &H), 2) << Info;
    EXPECT_NEAR(W, 841.89, 0.5);
    EXPECT_NEAR(H, 595.28, 0.5);
    for (Integer P = 1; P <= 5; ++P) {
        const std::string Text = PageText(P);
        EXPECT_NE(Text.find(std::to_string(P) + "/5"), std::string::npos) << P << Text;
        EXPECT_NE(Text.find("Catchment report"), std::string::npos) << P;
        EXPECT_NE(Text.find("Head1"), std::string::npos) << P;
        // The first and the last row of the page, and nothing of the next.
        const Integer First = P == 1 ? 1 : (P - 1) * 20, Last = std::min(P * 20 - 1, 95);
        EXPECT_NE(Text.find("R" + std::to_string(First) + "C0"), std::string::npos) << P;
        EXPECT_NE(Text.find("R" + std::to_string(Last) + "C1"), std::string::npos) << P;
        EXPECT_EQ(Text.find("R" + std::to_string(Last + 1) + "C1 "), std::string::npos) << P;
    }
    // A password cell prints as a row of password characters.
    const std::string First = PageText(1);
    EXPECT_EQ(First.find("R5C2"), std::string::npos);
    EXPECT_NE(First.find("****"), std::string::npos);
}

TEST_F(PrintPdfTest, PageTwoShowsItsFrameAndFilledFixedRowAndEqualsItsPreview) {
    Grid->Print();
    const auto* Fixed = Grid->Find(TPrintCellsGrid::ppsPrint, 2, 0);
    const auto* FirstRow = Grid->Find(TPrintCellsGrid::ppsPrint, 2, 20);
    const auto* LastRow = Grid->Find(TPrintCellsGrid::ppsPrint, 2, 39);
    ASSERT_TRUE(Fixed && FirstRow && LastRow);
    // Page 2 at 100 pixels per inch (0.254 mm a pixel).
    const std::filesystem::path Png = Path.string() + "-2";
    RunCommand("pdftoppm -r 100 -f 2 -l 2 -png -singlefile '" + Path.string() + "' '" + Png.string() + "'");
    auto* Picture = Create<TPngImage>();
    Picture->LoadFromFile(FromUtf8(Png.string() + ".png"));
    auto* Bmp = Create<TBitmap>();
    Bmp->Assign(Picture);
    Free(Picture);
    std::filesystem::remove(Png.string() + ".png");
    auto At = [&](Integer X, Integer Y) {
        return Bmp->Canvas()->Pixels(Integer(std::lround(X * 100 / 254.0)), Integer(std::lround(Y * 100 / 254.0)));
    };
    auto Dark = [](TColor C) { return (C & 0xFF) < 128 && ((C >> 8) & 0xFF) < 128 && ((C >> 16) & 0xFF) < 128; };
    auto Red = [](TColor C) { return (C & 0xFF) > 200 && ((C >> 8) & 0xFF) < 100 && ((C >> 16) & 0xFF) < 100; };
    const Integer Left = Grid->PrintColOffset(0), Right = RightEdge(2);
    // The frame's left and right lines halfway down the page's rows.
    const Integer Mid = (FirstRow->Y + LastRow->Y) / 2;
    bool LeftLine = false, RightLine = false;
    for (Integer d = -3; d <= 3; ++d) {
        LeftLine = LeftLine || Dark(At(Left + d, Mid));
        RightLine = RightLine || Dark(At(Right + d, Mid));
    }
    EXPECT_TRUE(LeftLine);
    EXPECT_TRUE(RightLine);
    // The repeated fixed row is filled (red at its top, fading downwards),
    // in the column spacing right of its last text.
    EXPECT_TRUE(Red(At(Right - 10, Fixed->Y + Fixed->Advance / 5)));
    EXPECT_FALSE(Red(At(Right - 10, FirstRow->Y + FirstRow->Advance / 5)));
    Free(Bmp);

    // The preview of page 2 on a bitmap of the page's proportions shows the
    // same rows, their texts at the same places.
    const Integer W = 1123, H = 794; // A4 landscape at 96 pixels per inch
    TBitmap* View = WhiteCanvasBitmap(W, H);
    Grid->Calls.clear();
    Grid->SetPreviewPage(2);
    Grid->PrintPreview(View->Canvas(), TRect(0, 0, W, H));
    const auto* PFirst = Grid->Find(TPrintCellsGrid::ppsPreview, 2, 20);
    const auto* PLast = Grid->Find(TPrintCellsGrid::ppsPreview, 2, 39);
    ASSERT_TRUE(PFirst && PLast);
    EXPECT_FALSE(Grid->Find(TPrintCellsGrid::ppsPreview, 2, 40));
    for (const auto* Row : {PFirst, PLast}) {
        bool Ink = false;
        for (Integer y = Px(Row->Y); y <= Px(Row->Y + Row->Advance); ++y)
            for (Integer x = Px(Left) + 2; x < Px(Grid->PrintColOffset(1)); ++x)
                Ink = Ink || IsInk(View->Canvas()->Pixels(x, y));
        EXPECT_TRUE(Ink) << Row->Row;
    }
    Free(View);
}

} // namespace
