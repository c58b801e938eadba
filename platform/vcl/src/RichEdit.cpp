// The rich edit: formats kept with the memo's text, RTF lines, the
// character-format messages, the size requests and drawing formatted runs.

#include "vcl/RichEdit.h"

#include "graphics/DeviceContext.h"
#include "graphics/GdiDraw.h"
#include "graphics/GdiObjects.h"
#include "graphics/GdiText.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "rtl/Stream.h"
#include "windowing/MessageQueue.h"

#include <algorithm>
#include <cmath>
#include <map>

using namespace winapi;

const TClassInfo& TCustomRichEdit::StaticClassInfo() {
    using R = TCustomRichEdit;
    static const TClassInfo Info =
        TClassBuilder<R, TCustomMemo>()
            .Property(u"PlainText", &R::PlainText, &R::SetPlainText)
            .Default(false)
            .Property(u"OnSelectionChange", &R::OnSelectionChange,
                      [](R& C, TNotifyEvent E) { C.OnSelectionChange = std::move(E); })
            .Build();
    return Info;
}

const TClassInfo& TRichEdit::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TRichEdit, TCustomRichEdit>().Build();
    return Info;
}

namespace {

// One piece of a laid-out line in one format.
struct TRun {
    Integer Start = 0;
    Integer Length = 0;
    Integer X = 0;
    Integer Width = 0;
    const TCharFormat* Format = nullptr;
};

struct TRichLine {
    std::vector<TRun> Runs;
    Integer Width = 0;
    Integer Ascent = 0;
    Integer Descent = 0;
    TAlignment Alignment = taLeftJustify;
};

// Fonts for the formats of one layout, at the device's resolution.
class TFontSet {
public:
    explicit TFontSet(Integer PixelsPerInch) : FDpi(PixelsPerInch) {}
    TFont& For(const TCharFormat& Format) {
        for (auto& Entry : FFonts)
            if (Entry.first == Format) return *Entry.second;
        auto Font = std::make_unique<TFont>();
        Font->SetName(Format.Name);
        // Raised and lowered text is drawn smaller, as word processors do.
        Integer Points = Format.Offset != 0 ? std::max(1, Format.Size * 2 / 3) : Format.Size;
        Font->SetHeight(-std::max(1, Integer(std::lround(Points * FDpi / 72.0))));
        Font->SetStyle(Format.Style);
        Font->SetColor(Format.Color);
        FFonts.emplace_back(Format, std::move(Font));
        return *FFonts.back().second;
    }
    Integer Dpi() const { return FDpi; }

private:
    Integer FDpi;
    std::vector<std::pair<TCharFormat, std::unique_ptr<TFont>>> FFonts;
};

Integer TextWidth(HDC DC, const String& Text) {
    if (Text.empty()) return 0;
    TSize Size;
    GetTextExtentPoint32(DC, Text, Size);
    return Size.cx;
}

// Lays the document out in lines no wider than Width (no limit when Width
// is 0 or less): paragraphs break at CR LF, and with a limit at the last
// blank before the text grows too wide.
std::vector<TRichLine> LayoutDocument(HDC DC, const TRichDocument& Doc, Integer Width, TFontSet& Fonts) {
    std::vector<TRichLine> Lines;
    const String& Text = Doc.Text();
    HGDIOBJ Old = SelectObject(DC, Fonts.For(Doc.DefaultFormat()).Handle());
    auto Metrics = [&](const TCharFormat& F, TRichLine& Line) {
        SelectObject(DC, Fonts.For(F).Handle());
        TTextMetric M;
        GetTextMetrics(DC, M);
        Integer Shift = MulDiv(F.Offset, Fonts.Dpi(), 1440);
        Line.Ascent = std::max(Line.Ascent, M.tmAscent + std::max(Shift, 0));
        Line.Descent = std::max(Line.Descent, M.tmDescent + std::max(-Shift, 0));
    };
    Integer Start = 0;
    while (true) {
        size_t Break = Text.find(u"\r\n", size_t(Start));
        Integer End = Break == String::npos ? Integer(Text.size()) : Integer(Break);
        TRichLine Line;
        Line.Alignment = Doc.ParagraphAlignment(Start);
        Metrics(Doc.Format(Start), Line);
        // Pieces: one format, and a blank ends a piece (it stays with the word before).
        Integer I = Start;
        while (I < End) {
            Integer J = I + 1;
            while (J < End && Doc.Format(J) == Doc.Format(I) && Text[size_t(J) - 1] != u' ') ++J;
            const TCharFormat& F = Doc.Format(I);
            SelectObject(DC, Fonts.For(F).Handle());
            String Piece = Text.substr(size_t(I), size_t(J - I));
            Integer PieceWidth = TextWidth(DC, Piece);
            bool Blank = Piece.find_first_not_of(u' ') == String::npos;
            if (Width > 0 && !Line.Runs.empty() && !Blank && Line.Width + PieceWidth > Width) {
                Lines.push_back(Line);
                Line = TRichLine{};
                Line.Alignment = Doc.ParagraphAlignment(I);
            }
            if (!Line.Runs.empty() && Line.Runs.back().Format == &F &&
                Line.Runs.back().Start + Line.Runs.back().Length == I) {
                Line.Runs.back().Length += J - I;
                Line.Runs.back().Width += PieceWidth;
            } else {
                Line.Runs.push_back({I, J - I, Line.Width, PieceWidth, &F});
            }
            Line.Width += PieceWidth;
            Metrics(F, Line);
            I = J;
        }
        Lines.push_back(Line);
        if (Break == String::npos) break;
        Start = End + 2;
    }
    SelectObject(DC, Old);
    return Lines;
}

// Draws the lines from (Left, Top) in a box Width wide; Selection colours
// the characters from SelFrom to SelTo. Answers the height drawn.
Integer DrawLines(HDC DC, const TRichDocument& Doc, const std::vector<TRichLine>& Lines, TFontSet& Fonts,
                  Integer Left, Integer Top, Integer Width, Integer Bottom, Integer SelFrom, Integer SelTo,
                  bool Enabled) {
    const String& Text = Doc.Text();
    Integer Y = Top;
    SetBkMode(DC, TRANSPARENT);
    HGDIOBJ Old = SelectObject(DC, Fonts.For(Doc.DefaultFormat()).Handle());
    for (const TRichLine& Line : Lines) {
        if (Y >= Bottom) break;
        Integer Shift = Line.Alignment == taCenter         ? std::max((Width - Line.Width) / 2, 0)
                        : Line.Alignment == taRightJustify ? std::max(Width - Line.Width, 0)
                                                           : 0;
        Integer Base = Y + Line.Ascent;
        for (const TRun& Run : Line.Runs) {
            SelectObject(DC, Fonts.For(*Run.Format).Handle());
            TTextMetric M;
            GetTextMetrics(DC, M);
            Integer Raise = MulDiv(Run.Format->Offset, Fonts.Dpi(), 1440);
            Integer X = Left + Shift + Run.X;
            Integer TextTop = Base - Raise - M.tmAscent;
            String Piece = Text.substr(size_t(Run.Start), size_t(Run.Length));
            Integer From = std::clamp(SelFrom - Run.Start, 0, Run.Length);
            Integer To = std::clamp(SelTo - Run.Start, 0, Run.Length);
            SetTextColor(DC, Enabled ? ColorToRGB(Run.Format->Color) : ColorToRGB(clGrayText));
            TextOut(DC, X, TextTop, Piece);
            if (From < To) {
                Integer SelLeft = X + TextWidth(DC, Piece.substr(0, size_t(From)));
                Integer SelRight = X + TextWidth(DC, Piece.substr(0, size_t(To)));
                TRect Area{SelLeft, Y, SelRight, Y + Line.Ascent + Line.Descent};
                HBRUSH Brush = CreateSolidBrush(ColorToRGB(clHighlight));
                FillRect(DC, Area, Brush);
                DeleteObject(Brush);
                SetTextColor(DC, ColorToRGB(clHighlightText));
                TextOut(DC, SelLeft, TextTop, Piece.substr(size_t(From), size_t(To - From)));
            }
        }
        Y += Line.Ascent + Line.Descent;
    }
    SelectObject(DC, Old);
    return Y - Top;
}

TSize LinesSize(const std::vector<TRichLine>& Lines) {
    TSize Size{0, 0};
    for (const TRichLine& Line : Lines) {
        Size.cx = std::max(Size.cx, Line.Width);
        Size.cy += Line.Ascent + Line.Descent;
    }
    return Size;
}

constexpr Integer Margin = 1; // the formatting rectangle's inset

} // namespace

// ---- Attributes ----

TCharFormat TTextAttributes::Get() const {
    const TRichDocument& Doc = FOwner.Document();
    if (FType == atDefaultText) return Doc.DefaultFormat();
    if (FOwner.SelLength() == 0) return FOwner.InsertFormat();
    return Doc.Format(FOwner.SelStart());
}

template <class F>
void TTextAttributes::Change(F&& Edit) {
    FOwner.ApplyFormat(FType, Edit);
}

void TTextAttributes::SetName(const String& Value) {
    Change([&](TCharFormat& C) { C.Name = Value; });
}

void TTextAttributes::SetSize(Integer Value) {
    Change([&](TCharFormat& C) { C.Size = Value; });
}

Integer TTextAttributes::Height() const {
    return -MulDiv(Size(), 96, 72);
}

void TTextAttributes::SetHeight(Integer Value) {
    SetSize(MulDiv(std::abs(Value), 72, 96));
}

void TTextAttributes::SetStyle(TFontStyles Value) {
    Change([&](TCharFormat& C) { C.Style = Value; });
}

void TTextAttributes::SetColor(TColor Value) {
    Change([&](TCharFormat& C) { C.Color = Value; });
}

void TTextAttributes::SetOffset(Integer Value) {
    Change([&](TCharFormat& C) { C.Offset = Value; });
}

void TTextAttributes::Assign(const TPersistent* Source) {
    if (auto* Font = dynamic_cast<const TFont*>(Source)) {
        Change([&](TCharFormat& C) {
            C.Name = Font->Name();
            C.Size = Font->Size();
            C.Style = Font->Style();
            C.Color = Font->Color();
        });
        return;
    }
    TPersistent::Assign(Source);
}

TAlignment TParaAttributes::Alignment() const {
    return FOwner.Document().ParagraphAlignment(FOwner.SelStart());
}

void TParaAttributes::SetAlignment(TAlignment Value) {
    FOwner.Doc().SetParagraphAlignment(FOwner.SelStart(), FOwner.SelLength(), Value);
    FOwner.Invalidate();
}

// ---- Lines ----

TStrings& TRichEditStrings::Plain() const {
    return *FEdit.TCustomMemo::Lines();
}

Integer TRichEditStrings::Count() const {
    return Plain().Count();
}

String TRichEditStrings::Get(Integer Index) const {
    return Plain().Get(Index);
}

void TRichEditStrings::Put(Integer Index, const String& S) {
    Plain().Put(Index, S);
}

void TRichEditStrings::Clear() {
    Plain().Clear();
}

void TRichEditStrings::Delete(Integer Index) {
    Plain().Delete(Index);
}

void TRichEditStrings::Insert(Integer Index, const String& S) {
    Plain().Insert(Index, S);
}

String TRichEditStrings::Text() const {
    return Plain().Text();
}

void TRichEditStrings::SetAllLines(std::vector<String> Lines) {
    Plain().Clear();
    for (const String& Line : Lines) Plain().Add(Line);
}

void TRichEditStrings::LoadFromStream(TStream& Stream) {
    std::string Bytes(size_t(Stream.Size() - Stream.Position()), '\0');
    if (!Bytes.empty()) Stream.ReadBuffer(Bytes.data(), Int64(Bytes.size()));
    if (!FEdit.PlainText() && TRichDocument::IsRichText(Bytes)) {
        FEdit.LoadRichText(Bytes);
        return;
    }
    TBytesStream Copy(std::vector<Byte>(Bytes.begin(), Bytes.end()));
    Plain().LoadFromStream(Copy);
}

void TRichEditStrings::SaveToStream(TStream& Stream) const {
    if (FEdit.PlainText()) {
        Plain().SaveToStream(Stream);
        return;
    }
    std::string Bytes = FEdit.SaveRichText();
    Stream.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
}

void TRichEditStrings::LoadFromFile(const String& FileName) {
    TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(File);
}

void TRichEditStrings::SaveToFile(const String& FileName) const {
    TFileStream File(FileName, fmCreate);
    SaveToStream(File);
}

// ---- The control ----

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomMemo(AOwner), FRichLines(std::make_unique<TRichEditStrings>(*this)),
      FSelAttributes(std::make_unique<TTextAttributes>(*this, atSelected)),
      FDefAttributes(std::make_unique<TTextAttributes>(*this, atDefaultText)),
      FParagraph(std::make_unique<TParaAttributes>(*this)) {
    TCharFormat Default;
    Default.Name = Font()->Name();
    Default.Size = Font()->Size();
    Default.Color = Font()->Color();
    FDoc.SetDefaultFormat(Default);
}

TCustomRichEdit::~TCustomRichEdit() = default;

TRichDocument& TCustomRichEdit::Doc() const {
    const String& Current = Text();
    if (Current != FDoc.Text()) {
        if (FHasPending && FPendingAt >= 0) {
            FDoc.FollowText(Current, &FPending);
        } else {
            FDoc.FollowText(Current, nullptr);
        }
    }
    return FDoc;
}

const TRichDocument& TCustomRichEdit::Document() const {
    return Doc();
}

TCharFormat TCustomRichEdit::InsertFormat() const {
    if (FHasPending && FPendingAt == SelStart()) return FPending;
    Integer Caret = SelStart();
    return Caret > 0 ? Doc().Format(Caret - 1) : Doc().Format(0);
}

void TCustomRichEdit::ApplyFormat(TAttributeType Type, const std::function<void(TCharFormat&)>& Edit) {
    TRichDocument& D = Doc();
    if (Type == atDefaultText) {
        TCharFormat Default = D.DefaultFormat();
        Edit(Default);
        D.SetDefaultFormat(Default);
        D.ChangeFormat(0, D.Length(), Edit);
    } else if (SelLength() == 0) {
        // Nothing selected: the format waits for the text typed here.
        FPending = InsertFormat();
        Edit(FPending);
        FHasPending = true;
        FPendingAt = SelStart();
    } else {
        D.ChangeFormat(SelStart(), SelLength(), Edit);
    }
    Invalidate();
    RequestResize();
}

void TCustomRichEdit::LoadRichText(const std::string& Bytes) {
    FDoc.LoadRtf(Bytes);
    FHasPending = false;
    SetText(FDoc.Text());
    Invalidate();
    RequestResize();
}

std::string TCustomRichEdit::SaveRichText() const {
    return Doc().SaveRtf();
}

void TCustomRichEdit::CreateWnd() {
    TCustomMemo::CreateWnd();
    FLastRequest = {-1, -1};
}

void TCustomRichEdit::Change() {
    Doc();
    // The typing the waiting format was for is done once the caret moves on.
    if (FHasPending && SelStart() != FPendingAt) {
        FHasPending = false;
    }
    TCustomMemo::Change();
    RequestResize();
}

TSize TCustomRichEdit::ContentSize() const {
    HDC DC = CreateCompatibleDC(nullptr);
    TFontSet Fonts(96);
    Integer Width = WordWrap() ? std::max(ClientWidth() - 2 * Margin, 1) : 0;
    TSize Size = LinesSize(LayoutDocument(DC, Doc(), Width, Fonts));
    DeleteDC(DC);
    if (WordWrap()) Size.cx = ClientWidth();
    else Size.cx += 2 * Margin;
    Size.cy += 2 * Margin;
    return Size;
}

void TCustomRichEdit::NotifyParent(NMHDR& Header, UINT Code) {
    Header.hwndFrom = HandleAllocated() ? Handle() : nullptr;
    Header.idFrom = 0;
    Header.code = Code;
    LPARAM Record = reinterpret_cast<LPARAM>(&Header);
    if (HandleAllocated() && Parent() && Parent()->HandleAllocated())
        SendMessage(Parent()->Handle(), WM_NOTIFY, 0, Record);
    else
        Perform(CN_NOTIFY, 0, Record);
}

// Tells the parent the size the content needs when that changed.
void TCustomRichEdit::RequestResize() {
    if ((FEventMask & ENM_REQUESTRESIZE) == 0 || ComponentState().Contains(csDesigning)) return;
    TSize Size = ContentSize();
    if (Size.cx == FLastRequest.cx && Size.cy == FLastRequest.cy) return;
    FLastRequest = Size;
    REQRESIZE Request;
    Request.rc = {0, 0, Size.cx, Size.cy};
    NotifyParent(Request.nmhdr, EN_REQUESTRESIZE);
}

void TCustomRichEdit::Paint() {
    TCanvas* C = Canvas();
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
    HDC DC = C->Handle();
    TFontSet Fonts(96);
    TRect Area = ClientRect();
    InflateRect(Area, -Margin, -Margin);
    Integer Width = WordWrap() ? std::max(Area.Width(), 1) : 0;
    auto Lines = LayoutDocument(DC, Doc(), Width, Fonts);
    bool ShowSelection = SelLength() > 0 && (Focused() || !HideSelection());
    Integer From = ShowSelection ? SelStart() : 0;
    Integer To = ShowSelection ? SelStart() + SelLength() : 0;
    Integer Saved = SaveDC(DC);
    IntersectClipRect(DC, Area.Left, Area.Top, Area.Right, Area.Bottom);
    DrawLines(DC, Doc(), Lines, Fonts, Area.Left, Area.Top, Area.Width(), Area.Bottom, From, To, Enabled());
    RestoreDC(DC, Saved);
}

// Draws (or only measures) the characters of Range into its twips
// rectangle; answers the index after the last character that fits.
Integer TCustomRichEdit::FormatRange(const FORMATRANGE& Range, bool Render) {
    HDC DC = Range.hdc;
    Integer DpiX = GetDeviceCaps(DC, LOGPIXELSX);
    Integer DpiY = GetDeviceCaps(DC, LOGPIXELSY);
    if (DpiX <= 0) DpiX = 96;
    if (DpiY <= 0) DpiY = 96;
    TRect Box{MulDiv(Range.rc.Left, DpiX, 1440), MulDiv(Range.rc.Top, DpiY, 1440),
              MulDiv(Range.rc.Right, DpiX, 1440), MulDiv(Range.rc.Bottom, DpiY, 1440)};
    // The characters asked for, as a document of their own.
    const TRichDocument& Source = Doc();
    Integer First = std::clamp(Range.chrg.cpMin, 0, Source.Length());
    Integer Last = Range.chrg.cpMax < 0 ? Source.Length() : std::clamp(Range.chrg.cpMax, First, Source.Length());
    TRichDocument Part;
    Part.SetDefaultFormat(Source.DefaultFormat());
    for (Integer I = First; I < Last; ++I) {
        Part.Replace(I - First, 0, Source.Text().substr(size_t(I), 1), Source.Format(I));
        if (I == First || Source.Text()[size_t(I) - 1] == u'\n')
            Part.SetParagraphAlignment(I - First, 0, Source.ParagraphAlignment(I));
    }
    TFontSet Fonts(DpiY);
    Integer Width = WordWrap() ? std::max(Box.Width(), 1) : 0;
    auto Lines = LayoutDocument(DC, Part, Width, Fonts);
    if (Render) {
        Integer Saved = SaveDC(DC);
        IntersectClipRect(DC, Box.Left, Box.Top, Box.Right, Box.Bottom);
        DrawLines(DC, Part, Lines, Fonts, Box.Left, Box.Top, Box.Width(), Box.Bottom, 0, 0, true);
        RestoreDC(DC, Saved);
    }
    // What fits: the lines whose bottom stays inside the box.
    Integer Y = Box.Top;
    Integer Fitted = First;
    for (const TRichLine& Line : Lines) {
        Y += Line.Ascent + Line.Descent;
        if (Y > Box.Bottom) break;
        Fitted = Line.Runs.empty() ? Fitted : First + Line.Runs.back().Start + Line.Runs.back().Length;
    }
    return Fitted;
}

void TCustomRichEdit::CharFormatMessage(TMessage& Message) {
    auto* Format = reinterpret_cast<CHARFORMAT2W*>(Message.LParam);
    if (!Format) {
        Message.Result = 0;
        return;
    }
    TTextAttributes& Attributes = Message.WParam & (SCF_SELECTION) ? *FSelAttributes : *FDefAttributes;
    if (Message.Msg == EM_GETCHARFORMAT) {
        TCharFormat F = Message.WParam == SCF_SELECTION ? TCharFormat{Attributes.Name(), Attributes.Size(),
                                                                      Attributes.Style(), Attributes.Color(),
                                                                      Attributes.Offset()}
                                                        : Document().DefaultFormat();
        Format->dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_OFFSET | CFM_FACE | CFM_COLOR |
                         CFM_SIZE;
        auto Effect = [&](TFontStyle Style, DWORD Bit) { return F.Style.Contains(Style) ? Bit : DWORD(0); };
        Format->dwEffects = Effect(fsBold, CFE_BOLD) | Effect(fsItalic, CFE_ITALIC) |
                            Effect(fsUnderline, CFE_UNDERLINE) | Effect(fsStrikeOut, CFE_STRIKEOUT);
        Format->yHeight = F.Size * 20;
        Format->yOffset = F.Offset;
        Format->crTextColor = ColorToRGB(F.Color);
        String Face = F.Name.substr(0, 31);
        std::fill(std::begin(Format->szFaceName), std::end(Format->szFaceName), Char(0));
        std::copy(Face.begin(), Face.end(), Format->szFaceName);
        Message.Result = Format->dwMask;
        return;
    }
    DWORD Mask = Format->dwMask;
    DWORD Effects = Format->dwEffects;
    CHARFORMAT2W Given = *Format;
    auto Edit = [Mask, Effects, Given](TCharFormat& F) {
        auto Flag = [&](DWORD Bit, TFontStyle Style) {
            if (!(Mask & Bit)) return;
            if (Effects & Bit)
                F.Style.Include(Style);
            else
                F.Style.Exclude(Style);
        };
        Flag(CFM_BOLD, fsBold);
        Flag(CFM_ITALIC, fsItalic);
        Flag(CFM_UNDERLINE, fsUnderline);
        Flag(CFM_STRIKEOUT, fsStrikeOut);
        if (Mask & CFM_OFFSET) F.Offset = Given.yOffset;
        if (Mask & CFM_SIZE) F.Size = std::max(1, Given.yHeight / 20);
        if (Mask & CFM_COLOR) F.Color = (Effects & CFE_AUTOCOLOR) ? clWindowText : Given.crTextColor;
        if (Mask & CFM_FACE) F.Name = String(Given.szFaceName);
    };
    ApplyFormat(Message.WParam & SCF_ALL ? atDefaultText : Message.WParam & SCF_SELECTION ? atSelected
                                                                                           : atDefaultText,
                Edit);
    Message.Result = 1;
}

void TCustomRichEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case EM_GETCHARFORMAT:
    case EM_SETCHARFORMAT:
        CharFormatMessage(Message);
        return;
    case EM_REQUESTRESIZE:
        FLastRequest = {-1, -1};
        {
            DWORD Mask = FEventMask;
            FEventMask |= ENM_REQUESTRESIZE;
            RequestResize();
            FEventMask = Mask;
        }
        Message.Result = 0;
        return;
    case EM_SETEVENTMASK:
        Message.Result = LRESULT(FEventMask);
        FEventMask = DWORD(Message.LParam);
        return;
    case EM_GETEVENTMASK:
        Message.Result = LRESULT(FEventMask);
        return;
    case EM_EXGETSEL:
        if (auto* Range = reinterpret_cast<CHARRANGE*>(Message.LParam)) {
            Range->cpMin = SelStart();
            Range->cpMax = SelStart() + SelLength();
        }
        Message.Result = 0;
        return;
    case EM_EXSETSEL:
        if (auto* Range = reinterpret_cast<const CHARRANGE*>(Message.LParam)) {
            Integer Length = Integer(Text().size());
            Integer From = std::clamp(Range->cpMin, 0, Length);
            Integer To = Range->cpMax < 0 ? Length : std::clamp(Range->cpMax, 0, Length);
            SetSelStart(From);
            SetSelLength(std::max(To - From, 0));
        }
        Message.Result = SelStart() + SelLength();
        return;
    case EM_FORMATRANGE:
        Message.Result = Message.LParam ? FormatRange(*reinterpret_cast<const FORMATRANGE*>(Message.LParam),
                                                      Message.WParam != 0)
                                        : 0;
        return;
    case CN_NOTIFY: {
        auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (Header->code == EN_REQUESTRESIZE) {
            if (OnResizeRequest) OnResizeRequest(this, reinterpret_cast<const REQRESIZE*>(Message.LParam)->rc);
        } else if (Header->code == EN_SELCHANGE) {
            if (OnSelectionChange) OnSelectionChange(this);
        }
        Message.Result = 0;
        return;
    }
    case CM_FONTCHANGED: {
        TCustomMemo::WndProc(Message);
        TCharFormat Default = FDoc.DefaultFormat();
        Default.Name = Font()->Name();
        Default.Size = Font()->Size();
        Default.Color = Font()->Color();
        Default.Style = Font()->Style();
        FDoc.SetDefaultFormat(Default);
        if (FDoc.Length() == 0) FDoc.SetPlainText(String());
        Invalidate();
        return;
    }
    default: {
        Integer OldStart = SelStart();
        Integer OldLength = SelLength();
        TCustomMemo::WndProc(Message);
        if ((FEventMask & ENM_SELCHANGE) && (SelStart() != OldStart || SelLength() != OldLength)) {
            SELCHANGE Change;
            Change.chrg = {SelStart(), SelStart() + SelLength()};
            NotifyParent(Change.nmhdr, EN_SELCHANGE);
        }
        return;
    }
    }
}
