#include "ViewTestSupport.h"

#include "graphics/Graphic.h"
#include "os/Shell.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtltesting/TestFiles.h"

#include <cstdlib>

namespace {

class ExchangeHTMLTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(0);
        Grid->SetColCount(2);
        Grid->SetRowCount(1);
    }
    String Html(const TGridRect& R) { return Grid->SaveRectToHTMLString(R, Folder.Path()); }
    static bool Has(const String& Text, const String& Part) { return Text.find(Part) != String::npos; }
    static Integer Occurrences(const String& Text, const String& Part) {
        Integer n = 0;
        for (size_t At = Text.find(Part); At != String::npos; At = Text.find(Part, At + 1)) ++n;
        return n;
    }
    TTempFolder Folder;
};

TEST_F(ExchangeHTMLTest, EqualLooksShareOneClassNumberedByFirstUse) {
    Grid->SetColCount(3);
    Grid->SetCells(0, 0, u"a");
    Grid->SetCells(1, 0, u"b");
    Grid->SetCells(2, 0, u"c");
    Grid->OnGetAlignment = [](TObject*, Integer, Integer ACol, TAlignment& HA, TVAlignment&) {
        if (ACol == 1) HA = taRightJustify;
    };
    const String S = Html(TGridRect(0, 0, 2, 0));
    EXPECT_EQ(Occurrences(S, u"\r\n.c"), 2);
    EXPECT_TRUE(Has(S, u"<td class=\"c0\" nowrap=\"nowrap\">a</td>"));
    EXPECT_TRUE(Has(S, u"<td class=\"c1\" nowrap=\"nowrap\">b</td>"));
    EXPECT_TRUE(Has(S, u"<td class=\"c0\" nowrap=\"nowrap\">c</td>"));
    EXPECT_TRUE(Has(S, u"text-align: right"));
    EXPECT_TRUE(S.starts_with(u"<style>\r\n.c0 {"));
    EXPECT_TRUE(Has(S, u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\"  width=\"100%\">\r\n<tr>\r\n"));
}

TEST_F(ExchangeHTMLTest, CellTexts) {
    struct Case {
        const char16_t* Text;
        const char16_t* Content;
        bool NonBreaking = false, URLShow = false, URLFull = false;
    };
    const Case Cases[] = {
        {u"a b", u"a&nbsp;b", true},
        {u"", u"&nbsp;"},
        {u"  ", u"&nbsp;"},
        {u"a\r\nb", u"a<br>\nb"},
        {u"x < y & z", u"x &lt; y &amp; z"},
        {u"<b>bold</b>", u"<b>bold</b>"},
        {u"http://example.org/a", u"<a href=\"http://example.org/a\">example.org/a</a>", false, true},
        {u"http://example.org/a", u"<a href=\"http://example.org/a\">http://example.org/a</a>", false, true, true},
        {u"mailto:me@example.org", u"<a href=\"mailto:me@example.org\">me@example.org</a>", false, true},
    };
    for (const Case& C : Cases) {
        Grid->HTMLSettings()->SetNonBreakingText(C.NonBreaking);
        Grid->SetURLShow(C.URLShow);
        Grid->SetURLFull(C.URLFull);
        Grid->SetCells(0, 0, C.Text);
        const String S = Html(TGridRect(0, 0, 0, 0));
        EXPECT_TRUE(Has(S, u"nowrap=\"nowrap\">" + String(C.Content) + u"</td>")) << Utf8(C.Text) << "\n" << Utf8(S);
    }
}

TEST_F(ExchangeHTMLTest, MergedCellsSpanAndCoveredCellsAreLeftOut) {
    Grid->SetColCount(3);
    Grid->SetRowCount(2);
    Grid->MergeCells(0, 0, 2, 2);
    Grid->SetCells(0, 0, u"m");
    Grid->SetCells(2, 1, u"z");
    const String S = Html(TGridRect(0, 0, 2, 1));
    EXPECT_TRUE(Has(S, u" colspan=\"2\" rowspan=\"2\"")) << Utf8(S);
    EXPECT_EQ(Occurrences(S, u"<td "), 3);
}

TEST_F(ExchangeHTMLTest, FixedRowIsTheHeaderWithWidthsAndFixedColour) {
    Grid->SetRowCount(3);
    Grid->SetFixedRows(1);
    Grid->SetFixedColor(0x0000FF);
    Grid->SetCells(0, 0, u"H");
    Grid->SetCells(0, 1, u"d");
    Grid->HTMLSettings()->ColWidths()->Add(40);
    Grid->ExportCalls.clear();
    const String S = Grid->SaveToHTMLString(Folder.Path());
    EXPECT_TRUE(Has(S, u"width=\"40px\">H</td>")) << Utf8(S);
    EXPECT_EQ(Occurrences(S, u"width=\"40px\""), 1);
    EXPECT_TRUE(Has(S, u"background-color: #FF0000"));
    EXPECT_EQ(Occurrences(S, u"<tr>"), 3);
    EXPECT_EQ(Grid->ExportCalls.front(), std::make_pair(Integer(esExportStart), Integer(1)));
}

TEST_F(ExchangeHTMLTest, FileInAsciiOrEncodingAndShownThroughTheShell) {
    Grid->SetCells(0, 0, u"\u00e9");
    std::vector<String> Opened;
    auto Previous = os::SetShellOpenHook([&](const String& T) {
        Opened.push_back(T);
        return true;
    });
    const String File = Folder / u"t.html";
    Grid->SaveToHTML(File, false, false);
    EXPECT_NE(ReadFileBytes(File).find(">?</td>"), std::string::npos);
    EXPECT_TRUE(Opened.empty());
    Grid->HTMLSettings()->SetConvertSpecialChars(true);
    Grid->SaveToHTML(File, true, false);
    EXPECT_NE(ReadFileBytes(File).find(">&eacute;</td>"), std::string::npos);
    EXPECT_EQ(Opened.size(), 1u);
    Grid->HTMLSettings()->SetConvertSpecialChars(false);
    Grid->AppendToHTML(File, false, true);
    const std::string Both = ReadFileBytes(File);
    EXPECT_NE(Both.find("\xC3\xA9</td>"), std::string::npos);
    EXPECT_NE(Both.find("&eacute;"), std::string::npos);
    os::SetShellOpenHook(Previous);
}

TEST_F(ExchangeHTMLTest, PicturesAreJpegFilesBesideTheDocument) {
    TBitmap Bitmap;
    Bitmap.SetSize(8, 6);
    Grid->AddBitmap(0, 0, &Bitmap, false, haLeft, vaTop);
    Grid->SetCells(0, 0, u"pic");
    const String S = Html(TGridRect(0, 0, 1, 0));
    const String File = Folder.Path() + u"images/img1.jpg";
    EXPECT_TRUE(Has(S, u">pic<img src=\"file://" + File + u"\"></td>")) << Utf8(S);
    const std::string Bytes = ReadFileBytes(File);
    ASSERT_GE(Bytes.size(), 3u);
    EXPECT_EQ(Bytes.substr(0, 3), "\xFF\xD8\xFF");

    WriteFileBytes(Folder / u"blocked", "x");
    Grid->HTMLSettings()->SetImageFolder(u"blocked");
    try {
        Html(TGridRect(0, 0, 1, 0));
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Cannot create " + Folder.Path() + u"blocked");
    }
}

TEST_F(ExchangeHTMLTest, XmllintAcceptsHtmlAndXhtml) {
    if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
    Grid->SetColCount(3);
    Grid->SetRowCount(2);
    Grid->SetCells(0, 0, u"a & <b> \"q\"");
    Grid->SetCells(1, 0, u"two\r\nlines");
    Grid->SetCells(2, 0, u"http://example.org/?a=1&b=2");
    Grid->SetCells(0, 1, u"<b>bold</b>");
    Grid->SetURLShow(true);
    Grid->HTMLSettings()->SetNonBreakingText(true);
    Grid->HTMLSettings()->SetSummary(u"a \"summary\"");
    Grid->HTMLSettings()->ColWidths()->Add(30);
    Grid->SetCells(1, 1, u"caf\u00e9 \u00a9 \u4e2d");
    // With special characters converted, XHTML holds character references
    // where HTML has named entities XML does not define.
    for (bool Convert : {false, true})
        for (bool XHTML : {false, true}) {
            Grid->HTMLSettings()->SetConvertSpecialChars(Convert);
            Grid->HTMLSettings()->SetXHTML(XHTML);
            const String File = Folder / (XHTML ? u"x.html" : u"h.html");
            Grid->SaveToHTML(File, false, true);
            const std::string Check = std::string(XHTML ? "xmllint --noout " : "xmllint --html --noout ") +
                                      Utf8(File) + " 2>" + Folder.Native(u"lint.txt");
            EXPECT_EQ(std::system(Check.c_str()), 0) << XHTML << Convert;
            EXPECT_EQ(ReadFileBytes(Folder / u"lint.txt"), "") << XHTML << Convert;
            if (Convert) {
                EXPECT_NE(ReadFileBytes(File).find(XHTML ? "caf&#233;&#160;&#169;" : "caf&eacute;&nbsp;&copy;"),
                          std::string::npos)
                    << XHTML;
            }
        }
}

} // namespace
