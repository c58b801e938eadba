// The texts around a printed page's cells: page numbers, the six header and
// footer slots, and the font-size mapping of the page.

#include "ViewTestSupport.h"

#include "rtl/DateTime.h"

namespace {

class TPrintTextGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
    using TZirOvararIzaz::BuildHeaderFooterTexts;
    using TZirOvararIzaz::GetPageNumberText;
    using TZirOvararIzaz::JoinWithSpace;
    using TZirOvararIzaz::PrintRun;
};

using PrintTextTest = GridFormTest<TPrintTextGrid>;

// 2026-03-04 09:07.
TDateTime SomeMoment() { return EncodeDate(2026, 3, 4) + EncodeTime(9, 7, 0, 0); }

TEST_F(PrintTextTest, FontHeightsMapToTenthsOfAMillimetre) {
    EXPECT_EQ(Grid->MapFontHeight(10), -35);
    EXPECT_EQ(Grid->MapFontHeight(8), -28);
    EXPECT_EQ(Grid->MapFontSize(35), 9);
    EXPECT_EQ(Grid->MapFontSize(-Grid->MapFontHeight(12)), 11);
    EXPECT_EQ(Grid->GetLandscapeRotation(), 270);
}

TEST_F(PrintTextTest, PageNumbersFollowTheRunTheSeparatorAndTheOffsets) {
    struct TCase {
        const char* What;
        Integer PageNr, RowPage, ColPage, Total;
        bool MultiColPages;
        const char16_t* Sep;
        Integer PageOffset, TotalOffset;
        const char16_t* Expected;
    };
    const TCase Cases[] = {
        {"page 2 of 5", 1, 1, 1, 5, false, u"/", 0, 0, u"2/5"},
        {"a single page shows no total", 0, 0, 1, 1, false, u"/", 0, 0, u"1"},
        {"an uncounted total shows none", 6, 6, 1, -1, false, u"/", 0, 0, u"7"},
        {"no separator, no total", 1, 1, 1, 5, false, u"", 0, 0, u"2"},
        {"offsets", 1, 1, 1, 5, false, u" of ", 10, 20, u"12 of 25"},
        {"column pages: row page, then column page", 7, 1, 3, 9, true, u"/", 10, 0, u"2-3"},
    };
    for (const TCase& C : Cases) {
        Grid->PrintSettings()->SetPageNumSep(C.Sep);
        Grid->PrintSettings()->SetPageNumberOffset(C.PageOffset);
        Grid->PrintSettings()->SetMaxPagesOffset(C.TotalOffset);
        Grid->PrintRun() = {C.PageNr, C.RowPage, C.ColPage, C.Total, C.MultiColPages};
        EXPECT_EQ(Grid->GetPageNumberText(), String(C.Expected)) << C.What;
    }
}

TEST_F(PrintTextTest, TheEventSeesThePageNumbersAndMayReplaceTheText) {
    std::vector<std::pair<Integer, Integer>> Seen;
    Grid->OnPrintGetPageNum = [&](TObject*, Integer PageNum, Integer PageColNum, String& Text) {
        Seen.emplace_back(PageNum, PageColNum);
        if (PageColNum == 2) Text = u"page " + Text;
    };
    Grid->PrintRun() = {4, 1, 2, 9, true};
    EXPECT_EQ(Grid->GetPageNumberText(), u"page 2-2");
    Grid->PrintRun() = {4, 4, 1, 9, false};
    EXPECT_EQ(Grid->GetPageNumberText(), u"5/9");
    EXPECT_EQ(Seen, (std::vector<std::pair<Integer, Integer>>{{2, 2}, {5, 1}}));
}

TEST_F(PrintTextTest, SlotsHoldTheirItemsWithTheirBlanks) {
    TPrintSettings* S = Grid->PrintSettings();
    auto Reset = [S] {
        S->SetTime(ppNone);
        S->SetDate(ppNone);
        S->SetPageNr(ppNone);
        S->SetTitle(ppNone);
        S->SetTitleText(u"");
        S->TitleLines()->Clear();
        S->SetPagePrefix(u"");
        S->SetPageSuffix(u"");
        S->SetPageNumSep(u"/");
        S->SetDateFormat(u"yyyy-mm-dd");
    };
    Grid->PrintRun() = {1, 1, 1, 5, false};

    // The page number alone at the bottom right: two blanks, 2/5 and a blank.
    Reset();
    S->SetPageNr(ppBottomRight);
    auto T = Grid->BuildHeaderFooterTexts(SomeMoment());
    EXPECT_EQ(T.Slots[ppBottomRight - 1], u"  2/5 ");
    for (Integer i = 0; i < 6; ++i) {
        if (i == ppBottomRight - 1) continue;
        EXPECT_EQ(T.Slots[std::size_t(i)], u"") << i;
    }

    // Time and date in one left slot: the date first, each with its blank.
    Reset();
    S->SetTime(ppTopLeft);
    S->SetDate(ppTopLeft);
    EXPECT_EQ(Grid->BuildHeaderFooterTexts(SomeMoment()).Slots[ppTopLeft - 1], u"2026-03-04 09:07 ");

    // In a right slot the items follow in their order.
    Reset();
    S->SetTime(ppTopRight);
    S->SetDate(ppTopRight);
    S->SetPageNr(ppTopRight);
    S->SetPagePrefix(u"Page");
    S->SetTitle(ppTopRight);
    S->SetTitleText(u"Rhine");
    EXPECT_EQ(Grid->BuildHeaderFooterTexts(SomeMoment()).Slots[ppTopRight - 1], u" 09:07 2026-03-04 Page 2/5  Rhine");

    // A title text alone; the first title line joined with one blank.
    Reset();
    S->SetTitle(ppTopCenter);
    S->SetTitleText(u"Rhine");
    EXPECT_EQ(Grid->BuildHeaderFooterTexts(SomeMoment()).Slots[ppTopCenter - 1], u"Rhine");
    Reset();
    S->SetTitle(ppBottomLeft);
    S->TitleLines()->Add(u"first");
    S->TitleLines()->Add(u"second");
    S->SetDate(ppBottomLeft);
    T = Grid->BuildHeaderFooterTexts(SomeMoment());
    EXPECT_EQ(T.Slots[ppBottomLeft - 1], u"first 2026-03-04 ");
    EXPECT_EQ(T.MarkupTitle, u"");

    // Title lines that form markup become the markup title, not slot text.
    Reset();
    S->SetTitle(ppTopCenter);
    S->TitleLines()->Add(u"<b>Water");
    S->TitleLines()->Add(u" works</b>");
    T = Grid->BuildHeaderFooterTexts(SomeMoment());
    EXPECT_EQ(T.MarkupTitle, u"<b>Water works</b>");
    EXPECT_EQ(T.Slots[ppTopCenter - 1], u"");
}

TEST_F(PrintTextTest, JoinWithSpaceLeavesOutTheBlankBesideAnEmptyText) {
    EXPECT_EQ(TPrintTextGrid::JoinWithSpace(u"a", u"b"), u"a b");
    EXPECT_EQ(TPrintTextGrid::JoinWithSpace(u"", u"b"), u"b");
    EXPECT_EQ(TPrintTextGrid::JoinWithSpace(u"a", u""), u"a");
}

} // namespace
