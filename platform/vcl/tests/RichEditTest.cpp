// The rich edit: reading and writing Rich Text Format, formats following
// the text, the selection's attributes, the character-format messages, the
// size requests and drawing into a device context.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiDraw.h"
#include "graphics/GdiObjects.h"
#include "windowing/Input.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"
#include "vcl/RichEdit.h"
#include "windowing/MessageQueue.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace winapi;

namespace {

std::string FixturePath(const char* Name) {
    return std::string(VANDREL_FIXTURES) + "/" + Name;
}

std::string ReadFile(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream Buffer;
    Buffer << In.rdbuf();
    return Buffer.str();
}

// A parent that records the size requests of its rich edits.
class TRequestParent : public TCustomControl {
public:
    TRequestParent(TComponent* AOwner, std::vector<TRect>& Requests) : TCustomControl(AOwner), FRequests(Requests) {}
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(Message.LParam)->code == EN_REQUESTRESIZE)
            FRequests.push_back(reinterpret_cast<const REQRESIZE*>(Message.LParam)->rc);
        TCustomControl::WndProc(Message);
    }

private:
    std::vector<TRect>& FRequests;
};

class RichEditTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
        Parent = new TRequestParent(Form, Requests);
        Parent->SetParent(Form);
        Parent->SetBounds(0, 0, 380, 260);
        Edit = new TRichEdit(Form);
        Edit->SetParent(Parent);
        Edit->SetBounds(10, 10, 300, 120);
        Form->Show();
        Edit->SetFocus();
        Pump();
    }
    void Load(const std::string& Rtf) {
        TBytesStream Stream(std::vector<Byte>(Rtf.begin(), Rtf.end()));
        Edit->Lines()->LoadFromStream(Stream);
    }

    TForm* Form = nullptr;
    TRequestParent* Parent = nullptr;
    TRichEdit* Edit = nullptr;
    std::vector<TRect> Requests;
};

} // namespace

TEST(RichDocumentTest, ReadsTheFormatsOfRichText) {
    struct TCase {
        const char* Name;
        const char* Rtf;
        const Char* Text;
        Integer At; // a character whose format is checked
        TCharFormat Expected;
    };
    auto Format = [](const Char* Name, Integer Size, TFontStyles Style, TColor Color, Integer Offset = 0) {
        return TCharFormat{Name, Size, Style, Color, Offset};
    };
    const char* Tables = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
                         "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
    std::string Bold = std::string(Tables) + "\\f0\\fs20 plain {\\b bold}\\par}";
    std::string Mixed = std::string(Tables) + "\\f1\\fs28\\i\\ul\\cf2 x\\i0\\ulnone\\cf1\\strike y}";
    std::string Raised = std::string(Tables) + "\\f0\\fs20 H{\\dn4 2}O x{\\super 2}}";
    std::string Escapes = std::string(Tables) + "\\f0 a\\{b\\}c\\\\ caf\\'e9 \\u8364? 5\\tab x\\~y}";
    std::string BadEscapes = std::string(Tables) + "\\f0 a\\'zzb\\'0ac\\u10?d}";
    std::string Huge = std::string(Tables) + "\\f0\\fs99999999999999999999999\\up99999999999999 big}";
    std::string Skipped = std::string(Tables) +
                          "{\\*\\generator LibreOffice}{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}"
                          "\\f0 kept\\par}";
    const TCase Cases[] = {
        {"group ends bold", Bold.c_str(), u"plain bold", 0, Format(u"Arial", 10, {}, clWindowText)},
        {"bold inside the group", Bold.c_str(), u"plain bold", 6, Format(u"Arial", 10, {fsBold}, clWindowText)},
        {"font, size, italic, underline, colour", Mixed.c_str(), u"xy", 0,
         Format(u"Courier New", 14, {fsItalic, fsUnderline}, clBlue)},
        {"switched off, strike, colour 1", Mixed.c_str(), u"xy", 1, Format(u"Courier New", 14, {fsStrikeOut}, clRed)},
        {"lowered by half points", Raised.c_str(), u"H2O x2", 1, Format(u"Arial", 10, {}, clWindowText, -40)},
        {"superscript", Raised.c_str(), u"H2O x2", 5, Format(u"Arial", 10, {}, clWindowText, 40)},
        {"escapes, code page and unicode", Escapes.c_str(), u"a{b}c\\ caf\u00e9 \u20ac 5\tx\u00a0y", 0,
         Format(u"Arial", 12, {}, clWindowText)},
        {"escapes without hex digits stand for nothing, control characters are dropped", BadEscapes.c_str(),
         u"azzbcd", 0, Format(u"Arial", 12, {}, clWindowText)},
        {"numbers past the 16-bit range are held at it", Huge.c_str(), u"big", 0,
         Format(u"Arial", 32768, {}, clWindowText, 655350)},
        {"unknown destinations skipped, last paragraph mark dropped", Skipped.c_str(), u"kept", 0,
         Format(u"Arial", 12, {}, clWindowText)},
    };
    for (const TCase& Case : Cases) {
        TRichDocument Doc;
        Doc.LoadRtf(Case.Rtf);
        EXPECT_EQ(Narrow(Doc.Text()), Narrow(Case.Text)) << Case.Name;
        const TCharFormat& F = Doc.Format(Case.At);
        EXPECT_EQ(Narrow(F.Name), Narrow(Case.Expected.Name)) << Case.Name;
        EXPECT_EQ(F.Size, Case.Expected.Size) << Case.Name;
        EXPECT_TRUE(F.Style == Case.Expected.Style) << Case.Name;
        EXPECT_EQ(F.Color, Case.Expected.Color) << Case.Name;
        EXPECT_EQ(F.Offset, Case.Expected.Offset) << Case.Name;
    }
    TRichDocument Doc;
    try {
        Doc.LoadRtf("plain words");
        FAIL() << "no exception";
    } catch (const ERichTextError& E) {
        EXPECT_EQ(Narrow(E.Message()), "The text is not in Rich Text Format");
    }
}

TEST(RichDocumentTest, ParagraphsKeepTheirAlignmentThroughSaving) {
    TRichDocument Doc;
    Doc.SetPlainText(u"Title\r\nBody {text} caf\u00e9 \u20ac\r\nEnd");
    Doc.SetFormat(0, 5, TCharFormat{u"Times New Roman", 16, {fsBold}, clNavy, 0});
    Doc.SetFormat(7, 4, TCharFormat{u"Arial", 9, {fsItalic, fsUnderline}, clRed, 40});
    Doc.SetParagraphAlignment(0, 0, taCenter);
    Doc.SetParagraphAlignment(Doc.Length() - 1, 0, taRightJustify);
    TRichDocument Copy;
    Copy.LoadRtf(Doc.SaveRtf());
    ASSERT_EQ(Narrow(Copy.Text()), Narrow(Doc.Text()));
    for (Integer I = 0; I < Doc.Length(); ++I) {
        if (Doc.Text()[size_t(I)] == u'\r' || Doc.Text()[size_t(I)] == u'\n') continue; // paragraph marks
        EXPECT_EQ(Narrow(Copy.Format(I).Name), Narrow(Doc.Format(I).Name)) << I;
        EXPECT_EQ(Copy.Format(I).Size, Doc.Format(I).Size) << I;
        EXPECT_TRUE(Copy.Format(I).Style == Doc.Format(I).Style) << I;
        EXPECT_EQ(ColorToRGB(Copy.Format(I).Color), ColorToRGB(Doc.Format(I).Color)) << I;
        EXPECT_EQ(Copy.Format(I).Offset, Doc.Format(I).Offset) << I;
    }
    EXPECT_EQ(Copy.ParagraphAlignment(0), taCenter);
    EXPECT_EQ(Copy.ParagraphAlignment(8), taLeftJustify);
    EXPECT_EQ(Copy.ParagraphAlignment(Copy.Length() - 1), taRightJustify);
    // Removing a paragraph break joins the paragraphs under the first one's alignment.
    Copy.Replace(5, 2, u" ", Copy.Format(4));
    EXPECT_EQ(Copy.ParagraphAlignment(8), taCenter);
    EXPECT_EQ(Copy.ParagraphAlignment(Copy.Length() - 1), taRightJustify);
}

TEST(RichDocumentTest, BracesInAFontNameDoNotEndItsGroup) {
    TRichDocument Doc;
    Doc.LoadRtf("{\\rtf1{\\fonttbl{\\f0 Odd\\} \\{Name\\\\;}}\\f0 text}");
    ASSERT_EQ(Narrow(Doc.Format(0).Name), "Odd} {Name\\");
    TRichDocument Copy;
    Copy.LoadRtf(Doc.SaveRtf());
    EXPECT_EQ(Narrow(Copy.Text()), "text");
    EXPECT_EQ(Narrow(Copy.Format(0).Name), "Odd} {Name\\");
}

TEST(RichDocumentTest, ADocumentWrittenByAWordProcessorLoads) {
    TRichDocument Doc;
    Doc.LoadRtf(ReadFile(FixturePath("libreoffice.rtf")));
    EXPECT_EQ(Narrow(Doc.Text()), "Vandrel risk report\r\nRed text and plain\r\nCaf\xC3\xA9 5 \xE2\x82\xAC");
    struct TCase {
        Integer At;
        const char* Name;
        Integer Size;
        TFontStyles Style;
        TColor Color;
    };
    const TCase Cases[] = {
        {0, "Arial", 14, {fsBold}, clBlack},     {8, "Arial", 14, {fsItalic}, clBlack},
        {13, "Arial", 14, {fsUnderline}, clBlack}, {21, "Arial", 10, {}, clRed},
        {30, "Arial", 10, {}, clBlack},            {42, "Courier New", 12, {}, clBlack},
    };
    for (const TCase& Case : Cases) {
        const TCharFormat& F = Doc.Format(Case.At);
        EXPECT_EQ(Narrow(F.Name), Case.Name) << Case.At;
        EXPECT_EQ(F.Size, Case.Size) << Case.At;
        EXPECT_TRUE(F.Style == Case.Style) << Case.At;
        EXPECT_EQ(ColorToRGB(F.Color), ColorToRGB(Case.Color)) << Case.At;
    }
    EXPECT_EQ(Doc.ParagraphAlignment(0), taCenter);
    EXPECT_EQ(Doc.ParagraphAlignment(21), taLeftJustify);
    EXPECT_EQ(Doc.ParagraphAlignment(42), taRightJustify);
}

TEST_F(RichEditTest, LinesLoadRichTextOrPlainText) {
    const std::string Rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 one {\\b two}\\par three\\par}";
    Load(Rtf);
    EXPECT_EQ(Narrow(Edit->Text()), "one two\r\nthree");
    EXPECT_EQ(Edit->Lines()->Count(), 2);
    EXPECT_EQ(Narrow(Edit->Lines()->Get(1)), "three");
    Edit->SetSelStart(5);
    Edit->SetSelLength(2);
    EXPECT_TRUE(Edit->SelAttributes()->Style() == TFontStyles{fsBold});
    EXPECT_EQ(Edit->SelAttributes()->Size(), 10);
    // Saved and loaded again: the same text and formats.
    TBytesStream Saved;
    Edit->Lines()->SaveToStream(Saved);
    Edit->Clear();
    Saved.SetPosition(0);
    Edit->Lines()->LoadFromStream(Saved);
    EXPECT_EQ(Narrow(Edit->Text()), "one two\r\nthree");
    Edit->SetSelStart(5);
    Edit->SetSelLength(1);
    EXPECT_TRUE(Edit->SelAttributes()->Style() == TFontStyles{fsBold});
    // Plain text takes the RTF as it stands; bytes that are not RTF load as text.
    Edit->SetPlainText(true);
    Load(Rtf);
    EXPECT_EQ(Narrow(Edit->Lines()->Get(0)), Rtf);
    Edit->SetPlainText(false);
    Load("just text\r\nsecond");
    EXPECT_EQ(Edit->Lines()->Count(), 2);
}

TEST_F(RichEditTest, FormatsFollowTypingAndTheSelection) {
    Edit->SetText(u"abc");
    Edit->SetSelStart(1);
    Edit->SetSelLength(1);
    Edit->SelAttributes()->SetStyle(TFontStyles{fsBold});
    Edit->SelAttributes()->SetColor(clRed);
    // Typing after the bold character continues it.
    Edit->SetSelStart(2);
    headless::TypeText(u"X");
    Pump();
    EXPECT_EQ(Narrow(Edit->Text()), "abXc");
    EXPECT_TRUE(Edit->Document().Format(2).Style == TFontStyles{fsBold});
    EXPECT_EQ(Edit->Document().Format(2).Color, clRed);
    EXPECT_TRUE(Edit->Document().Format(3).Style == TFontStyles{});
    // A format set with nothing selected is for the text typed next.
    Edit->SetSelStart(4);
    Edit->SelAttributes()->SetStyle(TFontStyles{fsItalic});
    Edit->SelAttributes()->SetSize(18);
    EXPECT_TRUE(Edit->SelAttributes()->Style() == TFontStyles{fsItalic});
    headless::TypeText(u"yz");
    Pump();
    EXPECT_EQ(Narrow(Edit->Text()), "abXcyz");
    EXPECT_TRUE(Edit->Document().Format(4).Style == TFontStyles{fsItalic});
    EXPECT_EQ(Edit->Document().Format(5).Size, 18);
    EXPECT_TRUE(Edit->Document().Format(3).Style == TFontStyles{});
    // Deleting keeps the formats of the characters left.
    Edit->SetSelStart(0);
    Edit->SetSelLength(2);
    headless::TypeKey(VK_DELETE);
    Pump();
    EXPECT_EQ(Narrow(Edit->Text()), "Xcyz");
    EXPECT_TRUE(Edit->Document().Format(0).Style == TFontStyles{fsBold});
    // The default attributes format the whole text; the paragraph its alignment.
    Edit->DefAttributes()->SetName(u"Courier New");
    EXPECT_EQ(Narrow(Edit->Document().Format(3).Name), "Courier New");
    Edit->Paragraph()->SetAlignment(taCenter);
    EXPECT_EQ(Edit->Document().ParagraphAlignment(0), taCenter);
}

TEST_F(RichEditTest, CharacterFormatMessagesSetAndReadTheOffset) {
    Edit->SetText(u"x2 y");
    struct TCase {
        const char* Name;
        Integer Offset;
    };
    const TCase Cases[] = {{"superscript", 40}, {"subscript", -40}, {"normal", 0}};
    for (const TCase& Case : Cases) {
        Edit->SetSelStart(1);
        Edit->SetSelLength(1);
        CHARFORMAT2W Set;
        Set.dwMask = CFM_OFFSET;
        Set.yOffset = Case.Offset;
        EXPECT_EQ(SendMessage(Edit->Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&Set)), 1)
            << Case.Name;
        CHARFORMAT2W Get;
        Get.dwMask = CFM_OFFSET;
        SendMessage(Edit->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&Get));
        EXPECT_EQ(Get.yOffset, Case.Offset) << Case.Name;
        EXPECT_EQ(Edit->Document().Format(0).Offset, 0) << Case.Name;
    }
    // Bold and a face through the mask; other effects stay.
    Edit->SetSelStart(0);
    Edit->SetSelLength(4);
    CHARFORMAT2W Bold;
    Bold.dwMask = CFM_BOLD | CFM_FACE | CFM_SIZE;
    Bold.dwEffects = CFE_BOLD;
    Bold.yHeight = 240;
    std::u16string Face = u"Times New Roman";
    std::copy(Face.begin(), Face.end(), Bold.szFaceName);
    SendMessage(Edit->Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&Bold));
    EXPECT_TRUE(Edit->Document().Format(3).Style == TFontStyles{fsBold});
    EXPECT_EQ(Narrow(Edit->Document().Format(3).Name), "Times New Roman");
    EXPECT_EQ(Edit->Document().Format(3).Size, 12);
}

TEST_F(RichEditTest, SizeRequestsFollowTheContent) {
    std::vector<TRect> Heard;
    Edit->OnResizeRequest = [&](TObject*, const TRect& Rect) { Heard.push_back(Rect); };
    Edit->SetText(u"one line");
    ASSERT_FALSE(Requests.empty());
    Integer OneLine = Requests.back().Height();
    EXPECT_GT(OneLine, 0);
    EXPECT_EQ(Heard.size(), Requests.size()); // the parent passes them back
    Edit->SetSelStart(8);
    headless::TypeKey(VK_RETURN);
    headless::TypeText(u"two");
    headless::TypeKey(VK_RETURN);
    headless::TypeText(u"three");
    Pump();
    EXPECT_GT(Requests.back().Height(), 2 * OneLine);
    // Typing that does not change the size asks nothing.
    size_t Count = Requests.size();
    headless::TypeText(u"x");
    Pump();
    EXPECT_EQ(Requests.size(), Count);
    // Larger text needs more room; EM_REQUESTRESIZE asks again at once.
    Edit->DefAttributes()->SetSize(24);
    EXPECT_GT(Requests.back().Height(), 3 * OneLine);
    Count = Requests.size();
    SendMessage(Edit->Handle(), EM_REQUESTRESIZE, 0, 0);
    EXPECT_EQ(Requests.size(), Count + 1);
    // Without the event in the mask nothing is sent.
    SendMessage(Edit->Handle(), EM_SETEVENTMASK, 0, ENM_CHANGE);
    Edit->SetText(u"short");
    EXPECT_EQ(Requests.size(), Count + 1);
}

TEST_F(RichEditTest, FormatRangeDrawsIntoATwipsRectangle) {
    Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
         "\\f0\\fs40\\cf1 WWWW\\par second line\\par third line\\par}");
    HDC DC = CreateCompatibleDC(nullptr);
    HBITMAP Bitmap = CreateCompatibleBitmap(DC, 300, 200);
    HGDIOBJ Old = SelectObject(DC, Bitmap);
    TRect All{0, 0, 300, 200};
    HBRUSH White = CreateSolidBrush(clWhite);
    FillRect(DC, All, White);
    DeleteObject(White);
    FORMATRANGE Range;
    Range.hdc = Range.hdcTarget = DC;
    Range.rc = {150, 150, 150 + 3000, 150 + 540}; // 10,10 to 210,46 at 96 per inch
    Range.rcPage = Range.rc;
    Range.chrg = {0, -1};
    LRESULT Fitted = SendMessage(Edit->Handle(), EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&Range));
    EXPECT_EQ(Fitted, 4); // only the first line fits the height
    bool Red = false;
    for (Integer Y = 10; Y < 46; ++Y)
        for (Integer X = 10; X < 120; ++X) {
            TColor P = GetPixel(DC, X, Y);
            if (GetRValue(P) > 200 && GetGValue(P) < 80 && GetBValue(P) < 80) Red = true;
        }
    EXPECT_TRUE(Red);
    for (Integer X = 0; X < 300; ++X) {
        EXPECT_EQ(GetPixel(DC, X, 5), clWhite) << X; // nothing above the rectangle
        EXPECT_EQ(GetPixel(DC, X, 60), clWhite) << X; // nor below it
    }
    // Measuring only draws nothing and answers the same.
    HBRUSH Blank = CreateSolidBrush(clWhite);
    FillRect(DC, All, Blank);
    DeleteObject(Blank);
    EXPECT_EQ(SendMessage(Edit->Handle(), EM_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&Range)), 4);
    EXPECT_EQ(GetPixel(DC, 20, 20), clWhite);
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
}

TEST_F(RichEditTest, FormattedTextIsPainted) {
    Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red0\\green0\\blue255;}"
         "\\f0\\fs24 plain {\\cf1\\b BLUE}\\par}");
    Pump();
    bool Blue = false;
    for (Integer Y = 0; Y < 30; ++Y)
        for (Integer X = 0; X < 150; ++X) {
            TColor P = ControlPixel(Edit, X, Y);
            if (GetBValue(P) > 200 && GetRValue(P) < 80 && GetGValue(P) < 80) Blue = true;
        }
    EXPECT_TRUE(Blue);
    if (const char* Folder = std::getenv("VANDREL_RICH_TEXT_OUT")) {
        // For the word-processor check: a document saved by the edit and its plain text.
        Edit->SetText(u"Saved by Vandrel\r\nSecond caf\u00e9 line");
        Edit->SetSelStart(0);
        Edit->SetSelLength(5);
        Edit->SelAttributes()->SetStyle(TFontStyles{fsBold});
        Edit->Lines()->SaveToFile(FromUtf8(std::string(Folder) + "/saved.rtf"));
        std::ofstream(std::string(Folder) + "/saved.txt", std::ios::binary) << Utf8(Edit->Text());
    }
}
