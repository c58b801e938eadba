#include "RarEvadTestSupport.h"
#include "graphics/Canvas.h"
#include "graphics/DeviceContext.h"
#include "graphics/GraphicsObjects.h"
#include "gridbase/RarEvad.h"
#include "rtl/Encoding.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "rtltesting/StringLines.h"

#include <cstring>
#include <memory>

namespace {

using RarEvadText = LocaleTest;

struct TFreeDeleter {
    void operator()(TObject* Obj) const { Free(Obj); }
};

TEST_F(RarEvadText, Quoting) {
    EXPECT_EQ(EscapeQuotes(u"a\"b\""), u"a\"\"b\"\"");
    EXPECT_EQ(StripEnclosingQuotes(u"\"ab\""), u"ab");
    EXPECT_EQ(StripEnclosingQuotes(u"\"\""), u"\"\"");
    EXPECT_EQ(StripEnclosingQuotes(u"\"ab"), u"\"ab");
    EXPECT_EQ(CollapseDoubledChar(u'"', u"a\"\"b\"\"\""), u"a\"b\"\"");
    EXPECT_EQ(CountCharInText(u',', u"a,b,,c"), 3);
    EXPECT_EQ(CountCharWithDelimiter(u',', u';', u"a,b;c"), 1);

    std::unique_ptr<TStringList, TFreeDeleter> list(Create<TStringList>());
    SplitAndQuote(u';', u"a b;;c", *list);
    EXPECT_EQ(LinesOf(*list), (std::vector<String>{u"\"a b\"", u"", u"c"}));
    EXPECT_EQ(JoinListLines(*list), u"\"a b\"c");
}

TEST_F(RarEvadText, FindClosingQuoteAndCountUnquoted) {
    const struct {
        const Char* text;
        Integer pos;
    } quotes[] = {
        {u"abc\",x", 4}, {u"a\"\"b\",x", 5}, {u"ab\"\"", 4}, {u"ab\"\"x", 0}, {u"abc", 0}, {u"\"\"\",", 3},
    };
    for (const auto& c : quotes) {
        Integer pos = -1;
        EXPECT_EQ(FindClosingQuote(u'"', c.text, pos), c.pos) << Utf8(c.text);
        EXPECT_EQ(pos, c.pos);
    }
    EXPECT_EQ(CountUnquotedChar(u',', u"a,\"b,c\",'d,e',f"), 3);
    EXPECT_EQ(CountUnquotedChar(u',', u"a,\"b',c\",d"), 2);
    EXPECT_EQ(CountUnquotedChar(u',', u"a,\"b,c"), 2); // open at the end: all count
}

TEST_F(RarEvadText, LineBreakForms) {
    const String text = u"a\r\nb\rc";
    EXPECT_EQ(EncodeLineBreaks(text), String(u"a\t\bb\tc"));
    EXPECT_EQ(EncodeLineBreaks(String(u"a\nb\0", 4)), String(u"a\nb\0", 4)); // no CR: unchanged
    EXPECT_EQ(EncodeLineBreaks(String(u"a\rb\0", 4)), String(u"a\tb\1", 4));
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(text), true), text);
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(text), false), u"a");
    EXPECT_EQ(DecodeLineBreaks(u"a\tb", true), u"a\tb"); // no #8: not encoded
    EXPECT_EQ(LineBreaksToEscapes(text), u"a\\nb\\nc");
    EXPECT_EQ(EscapedNewlinesToCR(u"a\\nb"), u"a\rb");
    EXPECT_EQ(LineBreaksToTildes(text), u"a~b~c");
    EXPECT_EQ(TildesToLineBreaks(u"a~b"), u"a\r\nb");
    EXPECT_EQ(TildesToLineBreaks(u"^"), u"");

    String cell = u"a\r\nb";
    QuoteMultilineCell(cell);
    EXPECT_EQ(cell, u"\"a\vb\"");
    VerticalTabsToCRLF(cell);
    EXPECT_EQ(cell, u"\"a\r\nb\"");
    CRLFToLF(cell);
    EXPECT_EQ(cell, u"\"a\nb\"");
    cell = u"say \"hi\"\r\nnow";
    QuoteMultilineCell(cell);
    EXPECT_EQ(cell, u"\"say \"\"hi\"\"\vnow\""); // a valid CSV field
    EXPECT_EQ(StripCarriageReturns(text), u"a\nbc");
    EXPECT_EQ(CarriageReturnsToLF(text), u"a\n\nb\nc");
}

TEST_F(RarEvadText, LinesOfAText) {
    String source = u"one\r\ntwo\rthree", line;
    TakeFirstLine(source, true, line);
    EXPECT_EQ(line, u"one");
    EXPECT_EQ(source, u"two\rthree");
    TakeFirstLine(source, false, line);
    EXPECT_EQ(line, u"two");
    EXPECT_EQ(source, u"");
    source = u"only";
    TakeFirstLine(source, true, line);
    EXPECT_EQ(line, u"only");
    EXPECT_EQ(source, u"");

    const struct {
        const Char* text;
        Integer lines;
    } counts[] = {{u"", 1}, {u"a", 1}, {u"a\r\n", 1}, {u"a\r\nb", 2}, {u"a\r\n\r\nb", 3}, {u"a\rb\rc", 3}};
    for (const auto& c : counts)
        EXPECT_EQ(CountTextLines(c.text, true), c.lines) << Utf8(c.text);
    EXPECT_EQ(CountTextLines(u"a\r\nb", false), 1);
}

TEST_F(RarEvadText, WidestTextLine) {
    const winapi::HDC dc = winapi::CreateCompatibleDC(nullptr);
    {
        std::unique_ptr<TCanvas, TFreeDeleter> canvas(Create<TCanvas>());
        canvas->SetHandle(dc);
        canvas->Font()->SetName(u"Courier New"); // equal widths: the first of them wins
        EXPECT_EQ(WidestTextLine(*canvas, u"ab\r\n\r\nabcd\r\nwxyz\r\nabc"), u"abcd");
        EXPECT_EQ(WidestTextLine(*canvas, u"\r\nx"), u"x");
        EXPECT_EQ(WidestTextLine(*canvas, u""), u"");
    }
    winapi::DeleteDC(dc);
}

TEST_F(RarEvadText, CellTextKind) {
    const struct {
        const Char* text;
        bool detectHTML;
        TCellTextKind kind;
    } cases[] = {
        {u"", true, ctPlain},
        {u"plain", true, ctPlain},
        {u"<b>x</b>", true, ctHTML},
        {u"<b>x</b>", false, ctPlain},
        {u"a<br>", true, ctHTML},
        {u"<Img src=x>", true, ctHTML},
        {u"a<b", true, ctPlain},
        {u"http://x", true, ctURL},
        {u"mailto:a@b", false, ctURL},
        {u"{\\rtf1}", true, ctRTF},
        {u"{\\rtf1 http://x}", true, ctRTF},
        {u"=A1+1", true, ctFormula},
        {u"=a</b>", true, ctHTML},
        {u"=a</b>", false, ctPlain},
        {u"|\\\u0000=", true, ctFormula},
        {u"|\\\u0000a", true, ctWideText},
    };
    for (const auto& c : cases) {
        const String text = c.text[0] == u'|' ? String(c.text, 4) : String(c.text);
        EXPECT_EQ(GetCellTextKind(text, c.detectHTML), c.kind) << Utf8(text);
    }
}

TEST_F(RarEvadText, HtmlRoutines) {
    EXPECT_EQ(EscapeNonLatin1(u"\u00E9\u0100\U0001F600"), u"\u00E9&#256;&#55357;&#56832;");
    EXPECT_EQ(CRToBreakTags(u"a\r\nb"), u"a<br>\nb");
    EXPECT_EQ(ColorToHexRGB(0x00336699), u"996633");
    EXPECT_EQ(ColorToHexRGB(TColor(0xFF00000F)), u"0F0000");

    String url = u"see http://a.b/c";
    EXPECT_TRUE(IsURLText(url));
    StripURLScheme(url);
    EXPECT_EQ(url, u"a.b/c");
    url = u"mailto:x@y";
    StripURLScheme(url);
    EXPECT_EQ(url, u"x@y");
    EXPECT_FALSE(IsURLText(u"MAILTO:x"));
}

TEST_F(RarEvadText, LinkifyURL) {
    String html = u"unchanged";
    EXPECT_FALSE(LinkifyURL(u"no link", u"HTTP://", html));
    EXPECT_EQ(html, u"unchanged");
    ASSERT_TRUE(LinkifyURL(u"<see> http://a.b/c?x=1 now", u"HTTP://", html));
    EXPECT_EQ(html, u"&lt;see&gt; <a href=\"http://a.b/c?x=1\">http://a.b/c?x=1</a> now");
    ASSERT_TRUE(LinkifyURL(u"www.x.org\u00E9", u"WWW.", html));
    EXPECT_EQ(html, u"<a href=\"www.x.org\">www.x.org</a>\u00E9");
}

TEST_F(RarEvadText, WrapClipboardHTML) {
    const struct {
        const Char* fragment;
        Integer bytes;
    } cases[] = {{u"", 0}, {u"\u00E9", 2}, {u"\u20AC", 3}, {u"\U0001F600", 4}, {u"<b>x</b>", 8}};
    for (const auto& c : cases) {
        String html = c.fragment;
        WrapClipboardHTML(html);
        const std::string bytes = Utf8(html);
        const auto number = [&](const char* label) {
            const std::size_t at = bytes.find(label) + std::strlen(label);
            return std::stoi(bytes.substr(at, 8));
        };
        EXPECT_EQ(number("StartHTML:"), 97);
        EXPECT_EQ(number("EndFragment:") - number("StartFragment:"), c.bytes);
        // The offsets are byte offsets into the UTF-8 form.
        EXPECT_EQ(bytes.substr(std::size_t(number("StartHTML:")), 9), "<!DOCTYPE");
        EXPECT_EQ(bytes.substr(std::size_t(number("StartFragment:")), std::size_t(c.bytes)),
                  Utf8(c.fragment));
        EXPECT_EQ(std::size_t(number("EndHTML:")), bytes.size());
    }
    String empty;
    WrapClipboardHTML(empty);
    EXPECT_EQ(Copy(empty, 1, 97), u"Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000301\r\n"
                                  u"StartFragment:00000269\r\nEndFragment:00000269\r\n");
    EXPECT_NE(Pos(u"charset=utf-8", empty), 0);
}

TEST_F(RarEvadText, CapitalizeWords) {
    const struct {
        const Char* text;
        const Char* proper;
    } cases[] = {
        {u"mcdonald henry ii", u"McDonald Henry II"},
        {u"HENRY MCDONALD III", u"Henry McDonald III"},
        {u"o'neil-smith jr.", u"O'Neil-Smith Jr."},
        {u"\u00E9cole", u"\u00C9cole"},
        {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CapitalizeWords(c.text), c.proper) << Utf8(c.text);
}

TEST_F(RarEvadText, ParseRCReference) {
    const struct {
        const Char* text;
        bool ok;
        Integer x, y;
    } cases[] = {
        {u"r12c3", true, 3, 12},  {u"R1C10", true, 10, 1},  {u"R12", false, -1, -1},
        {u"X1C2", false, -1, -1}, {u"R1Cx", false, -1, -1}, {u"RxC1", false, -1, -1},
    };
    for (const auto& c : cases) {
        TPoint point{-1, -1};
        EXPECT_EQ(ParseRCReference(c.text, point), c.ok) << Utf8(c.text);
        EXPECT_EQ(point, (TPoint{c.x, c.y})) << Utf8(c.text);
    }
}

TEST_F(RarEvadText, StripDiacritics) {
    EXPECT_EQ(StripDiacritics(u"Cr\u00E8me br\u00FBl\u00E9e"), u"Creme brulee");
    EXPECT_EQ(StripDiacritics(u"\u0141\u00DF\u03B1x"), u"\u00DFx"); // letters above 255 go
    EXPECT_EQ(StripDiacritics(String(5000, u'\u00E9')), String(5000, u'e'));
}

TEST_F(RarEvadText, SmallRoutines) {
    EXPECT_EQ(LimitToRange(5, 1, 3), 3);
    EXPECT_EQ(LimitToRange(0, 1, 3), 1);
    EXPECT_EQ(LimitToRange(2, 5, 3), 3); // lo > hi: hi wins
    const struct {
        Integer value, min, max, result;
    } sizes[] = {{5, 7, 7, 5}, {5, 7, 0, 7}, {5, 0, 3, 3}, {5, 10, 3, 3}, {5, -1, 9, 5}, {20, 10, 0, 20}};
    for (const auto& c : sizes)
        EXPECT_EQ(ApplyMinMaxSize(c.value, c.min, c.max), c.result) << c.value << c.min << c.max;
    EXPECT_EQ(IntMax(-1, 2), 2);
    EXPECT_EQ(IntMin(-1, 2), -1);

    Integer pos = 9;
    EXPECT_EQ(LocateChar(u'z', u"abc", pos), 0);
    EXPECT_EQ(pos, 9);
    EXPECT_EQ(LocateChar(u'c', u"abc", pos), 3);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(IndexOfChar(u'b', u"abc"), 2);
    EXPECT_EQ(PosToVar(u"x", u"abc", pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(PosInUpperCase(u"BC", u"abc"), 2);
    EXPECT_EQ(WidePos(u"\u00E9", u"a\u00E9"), 2);
    EXPECT_TRUE(CellInGridRect(Rect(1, 1, 3, 2), 3, 2));
    EXPECT_FALSE(CellInGridRect(Rect(1, 1, 3, 2), 4, 2));

    String text = u"key=>value";
    EXPECT_EQ(CutAtDelimiter(text, u"=>"), u"key");
    EXPECT_EQ(text, u"value");
    EXPECT_EQ(CutAtDelimiter(text, u"=>"), u"");
    EXPECT_EQ(text, u"value");
    FillWithChar(text, u'*');
    EXPECT_EQ(text, u"*****");
}

} // namespace

// fontconfig keeps caches for the life of the process that it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
