// The cell markup renderer: the line loop with its measuring and drawing
// passes, text runs, and the style, colour, anchor, list, paragraph, rule,
// indent and rotation tags. Pictures, form controls and emoji are in
// MarkupObjects.cpp.

#include "MarkupLayout.h"

#include "gridbase/MarkupColors.h"
#include "gridbase/MarkupText.h"

#include "graphics/DeviceContext.h"
#include "graphics/GdiText.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace detail::cellmarkup {

namespace {

// The decoded text of a run: the per-run entities.
String DecodeRun(std::u16string_view ASource) {
    String Run(ASource);
    if (Run.find(u'&') == String::npos) return Run;
    Run = StringReplace(Run, u"&nbsp;", u" ", {rfReplaceAll});
    Run = StringReplace(Run, u"&lt;", u"<", {rfReplaceAll});
    return StringReplace(Run, u"&gt;", u">", {rfReplaceAll});
}

String UpperAscii(String AText) {
    for (Char& Ch : AText)
        if (Ch >= u'a' && Ch <= u'z') Ch = Char(Ch - u'a' + u'A');
    return AText;
}

// The same words in the same fonts are measured again on every paint of
// every cell, and each measurement lays the text out anew. Widths and line
// heights are kept per thread, keyed by all they depend on: the font, the
// context's scale, the text flags and the text.
struct TMeasureKey {
    String Name;
    Integer Height;
    std::uint64_t Style;
    Integer Orientation;
    double ScaleX, ScaleY;
    Cardinal Flags;
    String Text;
    bool operator==(const TMeasureKey&) const = default;
};

struct TMeasureKeyHash {
    std::size_t operator()(const TMeasureKey& K) const {
        std::size_t H = std::hash<String>()(K.Text);
        auto Mix = [&](std::size_t V) { H ^= V + 0x9e3779b97f4a7c15ULL + (H << 6) + (H >> 2); };
        Mix(std::hash<String>()(K.Name));
        Mix(std::hash<Integer>()(K.Height));
        Mix(std::hash<std::uint64_t>()(K.Style));
        Mix(std::hash<Integer>()(K.Orientation));
        Mix(std::hash<double>()(K.ScaleX));
        Mix(std::hash<double>()(K.ScaleY));
        Mix(std::hash<Cardinal>()(K.Flags));
        return H;
    }
};

// Bounded: when full it starts again.
constexpr std::size_t MeasureCacheLimit = 8192;
// Flags no text measurement uses, marking a line height in the cache.
constexpr Cardinal LineHeightFlags = ~Cardinal(0);

std::unordered_map<TMeasureKey, Integer, TMeasureKeyHash>& MeasureCache() {
    thread_local std::unordered_map<TMeasureKey, Integer, TMeasureKeyHash> Cache;
    return Cache;
}

template <class F>
Integer Measured(TCanvas* C, Cardinal AFlags, const String& AText, F&& AMeasure) {
    const TFont* Font = C->Font();
    const winapi::HDC DC = C->Handle();
    if (!DC) return AMeasure();
    TMeasureKey Key{Font->Name(), Font->Height(),     Font->Style().Mask(), Font->Orientation(),
                    DC->ScaleX(), DC->ScaleY(), AFlags, AText};
    auto& Cache = MeasureCache();
    if (auto Found = Cache.find(Key); Found != Cache.end()) return Found->second;
    const Integer Value = AMeasure();
    if (Cache.size() >= MeasureCacheLimit) Cache.clear();
    Cache.emplace(std::move(Key), Value);
    return Value;
}

String TrimBlanks(const String& AText) {
    std::size_t From = 0, To = AText.size();
    while (From < To && AText[From] == u' ')
        ++From;
    while (To > From && AText[To - 1] == u' ')
        --To;
    return AText.substr(From, To - From);
}

} // namespace

TMarkupLayout::TMarkupLayout(const TMarkupLayoutParams& AParams, TMarkupDrawResult& AResult)
    : P(AParams), R(AResult), C(AParams.Canvas) {}

TMarkupLayout::~TMarkupLayout() = default;

Integer TMarkupLayout::TextHeight(const String& AText) {
    return Measured(C, LineHeightFlags, AText, [&] { return C->TextHeight(AText); });
}

const TMarkupLayout::TFontMetrics& TMarkupLayout::Metrics() {
    const TFont* Font = C->Font();
    for (const TFontMetrics& M : FMetrics)
        if (M.Height == Font->Height() && M.Orientation == Font->Orientation() && M.Style == Font->Style() &&
            M.Name == Font->Name())
            return M;
    TFontMetrics M;
    M.Name = Font->Name();
    M.Height = Font->Height();
    M.Style = Font->Style();
    M.Orientation = Font->Orientation();
    M.LineHeight = TextHeight(u"gh");
    M.Blank = RunWidth(u" ");
    FMetrics.push_back(M);
    return FMetrics.back();
}

// Text drawn straight on the device context needs the canvas font, with the
// changes tags made to it, selected there first.
void TMarkupLayout::SelectFont() { (void)C->TextExtent(String()); }

Integer TMarkupLayout::RunWidth(const String& ARun) {
    const Cardinal Flags = (FFlags & ~Cardinal(DT_END_ELLIPSIS)) | DT_CALCRECT;
    return Measured(C, Flags, ARun, [&] {
        SelectFont();
        TRect Box{0, 0, 0, 0};
        winapi::DrawText(C->Handle(), ARun, Box, Flags);
        return Box.Width();
    });
}

void TMarkupLayout::SetStyle(TFontStyle AStyle, bool AOn) {
    TFontStyles Style = C->Font()->Style();
    if (AOn)
        Style.Include(AStyle);
    else
        Style.Exclude(AStyle);
    C->Font()->SetStyle(Style);
}

Integer TMarkupLayout::ListIndent() const { return 12; }

bool TMarkupLayout::Run() {
    R.Hit = false;
    R.PlainText.clear();
    R.FocusAnchorHref.clear();
    R.AnchorTitle.clear();
    R.Width = R.Height = R.AnchorCount = 0;
    R.HitAnchor = -1;
    R.ControlRect = {};
    if (!P.HitTestOnly) R.ControlID.clear();
    R.ControlValue.clear();
    R.ControlType.clear();
    if (!C) return false;
    if (P.ImageScale < 1) P.ImageScale = 1;

    // What the caller gets back: pen, brush, font and background mode.
    TFont SavedFont;
    SavedFont.Assign(C->Font());
    const TColor SavedPenColor = C->Pen()->Color(), SavedBrushColor = C->Brush()->Color();
    const Integer SavedPenWidth = C->Pen()->Width();
    const TBrushStyle SavedBrushStyle = C->Brush()->Style();
    FBase.Assign(C->Font());
    FEntryBackground = SavedBrushStyle == bsClear ? clNone : SavedBrushColor;
    const Integer SavedBkMode = winapi::SetBkMode(C->Handle(), TRANSPARENT);

    String Text = Static() ? PrepareStaticMarkupText(P.Text, P.KeepLineBreaks) : PrepareMarkupText(P.Text);
    FFlags = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS;
    if (!Static()) FFlags |= DT_EXTERNALLEADING;
    if (!P.WordWrap) FFlags |= DT_END_ELLIPSIS;
    if (Static() && P.Text.find(u" & ") != String::npos) FFlags |= DT_NOPREFIX;

    TFont LineFont;
    LineFont.Assign(C->Font());
    const Integer RectLeft = P.Rect.Left + 1;
    Integer Top = P.Rect.Top;
    while (!Text.empty()) {
        if (Static()) {
            Text = TrimBlanks(Text);
            if (Text.empty()) break;
        }
        if (FFloatHeight > 0 && FFloatTop + FFloatHeight <= Top) FFloatLeft = FFloatRight = FFloatHeight = 0;
        const TMarkupState Start = S;
        TMarkupLine M;
        M.Left = RectLeft + FFloatLeft;
        M.Right = P.Rect.Right - FFloatRight;
        M.Top = Top;
        C->Font()->Assign(&LineFont);
        M.GH = Metrics().LineHeight;
        M.Height = Static() ? 0 : M.GH;
        M.Bottom = Top + M.Height;
        const std::size_t Before = Text.size();
        FRunWidths.clear();
        const String LineMarkup = LayoutLine(Text, M);
        // A pass that took nothing cannot take anything later either.
        if (Text.size() == Before) break;
        Integer Height = M.Height;
        if (Static()) {
            Height = Integer(Round((Height + P.LineSpacing) * S.LineHeightFactor));
            S.LineHeightFactor = 1;
        }
        TRect Draw{M.Left, Top, M.Right, Top + Height + M.SubDrop + M.SupRaise};
        if (S.Align == TMarkupAlign::Right && Draw.Right - M.Width > Draw.Left)
            Draw.Left = Draw.Right - M.Width;
        else if (S.Align == TMarkupAlign::Center && (Draw.Right - Draw.Left - M.Width) / 2 > 0)
            Draw.Left += (Draw.Right - Draw.Left - M.Width) / 2;
        Draw.Left += S.ParagraphIndent;
        if (!P.MeasureOnly) {
            const TMarkupState Measured = S;
            S = Start;
            S.LineHeightFactor = 1;
            C->Font()->Assign(&LineFont);
            TMarkupLine D;
            D.Drawing = true;
            D.Paint = !P.HitTestOnly;
            D.Left = Draw.Left;
            D.Right = Draw.Right;
            D.Top = Top;
            D.Bottom = Draw.Bottom;
            D.Height = Height;
            D.GH = M.GH;
            D.KnownSubDrop = M.SubDrop;
            D.KnownSupRaise = M.SupRaise;
            D.PictureOffset = M.PictureOffset;
            String Markup = LineMarkup;
            FNextRun = 0;
            LayoutLine(Markup, D);
            // The alignment and indent found by measuring stay for the next line
            // unless the drawing pass set them back.
            S.LineHeightFactor = 1;
            (void)Measured;
        }
        LineFont.Assign(C->Font());
        Top += Height + M.SubDrop + M.SupRaise;
        R.Height += Height + M.SubDrop + M.SupRaise;
        if (!P.MeasureOnly && Top + M.GH > P.Rect.Bottom) break;
    }
    R.AnchorCount = S.AnchorCount;
    C->Font()->Assign(&FBase);
    if (R.Height == 0) R.Height = TextHeight(u"gh");

    C->Font()->Assign(&SavedFont);
    C->Pen()->SetColor(SavedPenColor);
    C->Pen()->SetWidth(SavedPenWidth);
    C->Brush()->SetColor(SavedBrushColor);
    C->Brush()->SetStyle(SavedBrushStyle);
    winapi::SetBkMode(C->Handle(), SavedBkMode);
    return R.Hit;
}

String TMarkupLayout::LayoutLine(String& AText, TMarkupLine& L) {
    if (L.Drawing && L.Paint && S.ParagraphBackground) FillBand(L, S.ParagraphColor);
    L.X = L.Left;
    if (Static() && S.Offset > 0) {
        if (L.Drawing)
            L.X += S.Offset;
        else
            L.Right -= S.Offset;
    }
    if (S.AnchorOpen) {
        L.AnchorLeft = L.Left;
        L.AnchorTop = L.Top;
    }
    if (S.FocusOpen) S.FocusLeft = L.X;
    String Out;
    std::size_t Pos = 0;
    while (Pos < AText.size() && !L.Break && !L.Full && !L.DropRest) {
        if (AText[Pos] == u'<') {
            const auto End = MarkupTagEnd(AText, Pos);
            if (!End) {
                L.DropRest = true;
                break;
            }
            const String TagText = AText.substr(Pos, *End - Pos + 1);
            if (!Tag(TagText, L)) break;
            Out += TagText;
            Pos = *End + 1;
            continue;
        }
        std::size_t Stop = AText.find(u'<', Pos);
        if (Stop == String::npos) Stop = AText.size();
        if (P.WordWrap) {
            const std::size_t Blank = AText.find(u' ', Pos);
            if (Blank != String::npos && Blank < Stop) Stop = Blank + 1;
        }
        const std::u16string_view Source(AText.data() + Pos, Stop - Pos);
        bool Consume = true;
        TextRun(DecodeRun(Source), Integer(Source.size()), L, Consume);
        if (!Consume) break;
        Out += Source;
        Pos = Stop;
    }
    AText.erase(0, L.DropRest ? AText.size() : Pos);
    L.Width = std::max(L.Width - L.TrailingBlank, 0);
    R.Width = std::max(R.Width, L.Width);
    // A focus anchor that goes on to the next line is closed here and
    // reopened at the next line's left.
    if (L.Drawing && S.FocusOpen) {
        const Integer Bottom = L.Bottom - L.KnownSubDrop - L.PictureOffset;
        const TRect Focus{S.FocusLeft - 1, Bottom - L.GH, L.X + 1, Bottom};
        if (L.Paint) C->DrawFocusRect(Focus);
    }
    return Out;
}

void TMarkupLayout::TextRun(const String& ARun, Integer, TMarkupLine& L, bool& AConsume) {
    AConsume = true;
    if (ARun.empty()) return;
    const TFontMetrics& Font = Metrics();
    // Every run of a single-line text is as high as its font's line.
    const Integer H = Font.LineHeight;
    const Integer BlankWidth = Font.Blank;
    if (Static() && L.Height == 0) L.Height = L.GH;
    if (S.Subscript) L.SubDrop = std::max(L.SubDrop, H / 4);
    if (S.Superscript) L.SupRaise = std::max(L.SupRaise, H / 4);
    L.Height = std::max(L.Height, H);
    if (!L.Drawing) R.PlainText += ARun;
    if (S.Hidden) return;

    // The drawing pass takes the widths its measuring pass found, run by run;
    // runs of blanks are as wide as their blanks.
    const bool Blanks = ARun.find_first_not_of(u' ') == String::npos;
    Integer W;
    if (L.Drawing && FNextRun < FRunWidths.size())
        W = FRunWidths[FNextRun++];
    else
        W = Blanks ? BlankWidth * Integer(ARun.size()) : RunWidth(ARun);
    const Integer Blank = ARun.back() == u' ' ? BlankWidth : 0;
    const Integer Before = L.Width;
    if (!L.Drawing) {
        const Integer Available = L.Right - L.Left;
        const bool EndsInBlank = !L.PlacedText.empty() && L.PlacedText.back() == u' ';
        bool Fits;
        if (P.WordWrap) {
            // A word wider than the line takes a line of its own; a word is
            // not split where a tag interrupts it (except in the static text).
            Fits = Before + W - Blank <= Available || L.PlacedText.empty() || (!Static() && !EndsInBlank);
            if (!Fits) {
                L.Full = true;
                AConsume = false;
                return;
            }
        } else {
            Fits = Before + W < Available || W >= Available;
            if (!Fits && L.PlacedText.empty()) L.DropRest = true;
        }
    }
    if (!L.Drawing) FRunWidths.push_back(W);
    L.Width += W;
    L.TrailingBlank = Blank;
    L.PlacedText += ARun;
    L.Placed = true;
    if (!L.Drawing) {
        L.X += W;
        return;
    }
    // Drawing: an anchor's text is hit within its run and the text's height.
    const Integer LineBase = L.Bottom - L.PictureOffset;
    if (S.AnchorOpen && !P.MeasureOnly) {
        const Integer HX = P.HitX - L.Left;
        if (HX >= Before && HX < Before + W && P.HitY > LineBase - L.GH && P.HitY < LineBase) {
            L.AnchorHit = true;
            R.Hit = true;
            if (L.Top < P.HitY) {
                R.Anchor = S.Href;
                R.AnchorTitle = S.Title;
            }
        }
    }
    Integer Bottom = L.Bottom - L.KnownSubDrop;
    if (S.Superscript) Bottom -= L.KnownSupRaise;
    if (S.Subscript) Bottom += L.KnownSubDrop;
    Bottom -= L.PictureOffset;
    const bool Visible =
        !(Static() && !P.WordWrap && L.X > L.Right - RunWidth(u"l"));
    // Blanks show only through what is drawn with them.
    const TFontStyles Style = C->Font()->Style();
    const bool Marks = S.Background != clNone || Style.Contains(fsUnderline) || Style.Contains(fsStrikeOut);
    if (L.Paint && Visible && (!Blanks || Marks)) {
        SelectFont();
        if (S.Background != clNone) {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(S.Background);
            C->FillRect({L.X, Bottom - H, std::min(L.X + W, L.Right), Bottom});
        }
        const Cardinal Flags = Static() ? FFlags & ~Cardinal(DT_EXTERNALLEADING) : FFlags;
        if (S.Shadow) {
            const TColor Color = C->Font()->Color();
            C->Font()->SetColor(P.ShadowColor);
            TRect Shadow{L.X + P.ShadowOffset, L.Top + P.ShadowOffset, L.Right + P.ShadowOffset,
                         Bottom + P.ShadowOffset};
            SelectFont();
            winapi::DrawText(C->Handle(), ARun, Shadow, Flags);
            C->Font()->SetColor(Color);
            SelectFont();
        }
        TRect Box{L.X, L.Top, L.Right, Bottom};
        if (Static() && C->Font()->Style().Contains(fsItalic)) Box.Right += 2;
        winapi::DrawText(C->Handle(), ARun, Box, Flags);
        if (S.ErrorMark) Zigzag(L.X, L.X + W, Bottom);
    }
    L.X += W;
}

void TMarkupLayout::Zigzag(Integer AFrom, Integer ATo, Integer ABottom) {
    const TColor Color = C->Pen()->Color();
    const Integer Width = C->Pen()->Width();
    C->Pen()->SetColor(clRed);
    C->Pen()->SetWidth(1);
    Integer X = AFrom & ~1;
    bool Up = X % 4 != 0;
    C->MoveTo(X, Up ? ABottom - 1 : ABottom + 1);
    while (X < ATo) {
        X += 2;
        Up = !Up;
        C->LineTo(X, Up ? ABottom - 1 : ABottom + 1);
    }
    C->Pen()->SetColor(Color);
    C->Pen()->SetWidth(Width);
}

void TMarkupLayout::FillBand(const TMarkupLine& L, TColor AColor) {
    if (AColor == clNone) return;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(AColor);
    C->Pen()->SetColor(AColor);
    C->FillRect({P.Rect.Left, L.Top, P.Rect.Right, L.Top + L.Height});
}

bool TMarkupLayout::Tag(const String& ATag, TMarkupLine& L) {
    if (ATag.size() > 1 && ATag[1] == u'/') {
        ClosingTag(MarkupClosingTag(ATag, S.ListDepth), ATag, L);
        return true;
    }
    return OpeningTag(MarkupOpeningTag(ATag, P.Dialect), ATag, L);
}

bool TMarkupLayout::OpeningTag(TMarkupTag AKind, const String& ATag, TMarkupLine& L) {
    switch (AKind) {
    case TMarkupTag::A:
        AnchorOpen(ATag, L);
        break;
    case TMarkupTag::B:
        SetStyle(fsBold, true);
        break;
    case TMarkupTag::I:
        SetStyle(fsItalic, true);
        break;
    case TMarkupTag::U:
        SetStyle(fsUnderline, true);
        break;
    case TMarkupTag::S:
    case TMarkupTag::STRIKE:
        SetStyle(fsStrikeOut, true);
        break;
    case TMarkupTag::BR:
        L.Break = true;
        if (!L.Drawing) R.PlainText += u'\r';
        if (Static() && L.Height == 0) L.Height = L.GH;
        break;
    case TMarkupTag::BLINK:
        if (!P.BlinkOn) C->Font()->SetColor(FEntryBackground == clNone ? clWhite : FEntryBackground);
        break;
    case TMarkupTag::BODY:
        BodyTag(ATag, L);
        break;
    case TMarkupTag::CONTROL:
        return Control(ATag, L);
    case TMarkupTag::E:
        S.ErrorMark = true;
        break;
    case TMarkupTag::FONT:
        FontTag(ATag, L);
        break;
    case TMarkupTag::HI:
        if (L.Drawing && !S.HighlightOn) {
            S.HighlightOn = true;
            S.HighlightSavedBackground = S.Background;
            S.HighlightSavedText = C->Font()->Color();
            S.HighlightSavedStyle = C->Font()->Style();
            S.Background = Static() ? P.HighlightColor : MarkupHighlightColor();
            C->Font()->SetColor(Static() ? P.HighlightTextColor : MarkupHighlightTextColor());
            if (Static()) C->Font()->SetStyle(P.HighlightStyle);
        }
        break;
    case TMarkupTag::HR:
        L.Break = true;
        if (L.Paint) {
            const auto Value = MarkupAttributeValue(MarkupAttributeText(ATag), u"COLOR");
            const TColor Saved = C->Pen()->Color();
            C->Pen()->SetColor(Value ? (Static() ? ParseStaticMarkupColor(*Value) : ParseMarkupColor(*Value))
                                     : clBlack);
            C->MoveTo(L.Left, L.Bottom + 1);
            C->LineTo(L.Right, L.Bottom + 1);
            C->Pen()->SetColor(Saved);
        }
        break;
    case TMarkupTag::IND: {
        const auto Value = MarkupAttributeValue(MarkupAttributeText(ATag), u"X");
        const auto X = Value ? MarkupStrictNumber(*Value) : std::nullopt;
        if (X) {
            const Integer At = Integer(Round(*X * double(P.ControlScale)));
            if (L.Width < At) {
                L.Width = At;
                L.X = L.Left + At;
            }
        }
        break;
    }
    case TMarkupTag::IMG:
        return Picture(ATag, L);
    case TMarkupTag::J:
        Emoji(ATag, L);
        break;
    case TMarkupTag::LI:
        return ListItem(ATag, L);
    case TMarkupTag::OL:
    case TMarkupTag::UL:
        // A list starts on a line of its own.
        if (L.Placed) {
            L.Full = true;
            return false;
        }
        if (AKind == TMarkupTag::OL) {
            S.Ordered = true;
            S.ItemNumber = 1;
        } else {
            S.Ordered = false;
        }
        S.ListDepth = std::min(S.ListDepth + 1, 64);
        break;
    case TMarkupTag::P:
        ParagraphTag(ATag, L);
        break;
    case TMarkupTag::R:
        if (!S.Rotated) {
            const auto Value = MarkupAttributeValue(MarkupAttributeText(ATag), u"A");
            S.Rotated = true;
            S.SavedOrientation = C->Font()->Orientation();
            C->Font()->SetOrientation(MarkupNumber(Value.value_or(u"")) * 10);
        }
        break;
    case TMarkupTag::SPAN:
        if (L.Drawing) {
            const auto Color = MarkupSpanBackground(UpperAscii(MarkupAttributeText(ATag)));
            if (Color) {
                S.SpanSavedBackground = S.Background;
                S.Background = *Color;
            }
        }
        break;
    case TMarkupTag::SHAD:
        S.Shadow = true;
        break;
    case TMarkupTag::SUB:
        S.Subscript = true;
        break;
    case TMarkupTag::SUP:
        S.Superscript = true;
        break;
    case TMarkupTag::Z:
        S.Hidden = true;
        break;
    case TMarkupTag::OFS: {
        const auto Value = MarkupAttributeValue(MarkupAttributeText(ATag), u"X");
        const Integer X = std::max(MarkupNumber(Value.value_or(u"")), 0);
        S.Offset = X;
        L.Width = X;
        L.X = L.Left + X;
        break;
    }
    case TMarkupTag::None:
        break;
    }
    return true;
}

void TMarkupLayout::ClosingTag(TMarkupTag AKind, const String&, TMarkupLine& L) {
    switch (AKind) {
    case TMarkupTag::A:
        AnchorClose(L);
        break;
    case TMarkupTag::B:
        SetStyle(fsBold, false);
        break;
    case TMarkupTag::BODY:
        C->Font()->SetColor(FBase.Color());
        break;
    case TMarkupTag::E:
        S.ErrorMark = false;
        break;
    case TMarkupTag::FONT:
        C->Font()->SetName(FBase.Name());
        C->Font()->SetSize(FBase.Size());
        if (L.Drawing && !P.FixedColors) {
            C->Font()->SetColor(FBase.Color());
            S.Background = S.SavedBackground;
        }
        break;
    case TMarkupTag::HI:
        if (L.Drawing && S.HighlightOn) {
            S.HighlightOn = false;
            S.Background = S.HighlightSavedBackground;
            C->Font()->SetColor(S.HighlightSavedText);
            if (Static()) C->Font()->SetStyle(S.HighlightSavedStyle);
        }
        break;
    case TMarkupTag::I:
        SetStyle(fsItalic, false);
        break;
    case TMarkupTag::LI:
        L.Break = true;
        break;
    case TMarkupTag::OL:
        if (Static() && S.ListDepth == 0) S.Offset = 0;
        S.ListDepth = std::max(S.ListDepth - 1, 0);
        S.Ordered = false;
        break;
    case TMarkupTag::UL:
        S.ListDepth = std::max(S.ListDepth - 1, 0);
        break;
    case TMarkupTag::P:
        L.Break = true;
        S.ParagraphBackground = false;
        if (L.Drawing) {
            S.Align = TMarkupAlign::Left;
            S.Background = S.SavedBackground;
        }
        break;
    case TMarkupTag::R:
        if (S.Rotated) {
            C->Font()->SetOrientation(S.SavedOrientation);
            S.Rotated = false;
        }
        break;
    case TMarkupTag::S:
    case TMarkupTag::STRIKE:
        SetStyle(fsStrikeOut, false);
        break;
    case TMarkupTag::SUB:
        S.Subscript = S.Superscript = false;
        break;
    case TMarkupTag::SPAN:
        if (L.Drawing) S.Background = S.SpanSavedBackground;
        break;
    case TMarkupTag::SHAD:
        S.Shadow = false;
        break;
    case TMarkupTag::U:
        SetStyle(fsUnderline, false);
        break;
    case TMarkupTag::Z:
        S.Hidden = false;
        break;
    default:
        break;
    }
}

void TMarkupLayout::AnchorOpen(const String& ATag, TMarkupLine& L) {
    if (L.Drawing && S.AnchorCount == P.FocusAnchor) {
        S.FocusOpen = true;
        S.FocusLeft = L.X;
    }
    ++S.AnchorCount;
    const bool Hot = P.HoverOnly && S.AnchorCount == P.HotAnchor;
    const bool Styled = !P.HoverOnly || Hot;
    if (L.Drawing && Styled) {
        SetStyle(fsUnderline, true);
        if (P.HoverBackColor != clNone) {
            S.AnchorSavedBackground = S.Background;
            S.Background = P.HoverBackColor;
        }
        if (P.HoverTextColor != clNone) {
            S.AnchorSavedText = C->Font()->Color();
            C->Font()->SetColor(P.HoverTextColor);
        }
    }
    if (!P.FixedColors && !(Hot && P.HoverTextColor != clNone)) C->Font()->SetColor(P.AnchorColor);
    const String Attributes = MarkupAttributeText(ATag);
    const auto Href = MarkupAttributeValue(Attributes, u"HREF");
    S.Title = MarkupAttributeValue(Attributes, u"TITLE").value_or(u"");
    S.AnchorOpen = Href.has_value();
    S.Href = Href.value_or(u"");
    L.AnchorLeft = L.Left + L.Width;
    L.AnchorTop = L.Top;
    L.AnchorHit = false;
    if (L.Drawing && S.AnchorCount - 1 == P.FocusAnchor) R.FocusAnchorHref = S.Href;
}

void TMarkupLayout::AnchorClose(TMarkupLine& L) {
    const bool Styled = !P.HoverOnly || S.AnchorCount == P.HotAnchor;
    if (L.Drawing && Styled) {
        SetStyle(fsUnderline, false);
        if (P.HoverBackColor != clNone) S.Background = S.AnchorSavedBackground;
        if (P.HoverTextColor != clNone) C->Font()->SetColor(S.AnchorSavedText);
    }
    if (!P.FixedColors) C->Font()->SetColor(FBase.Color());
    S.AnchorOpen = false;
    if (L.AnchorHit) {
        R.HitAnchorRect = {L.AnchorLeft, L.AnchorTop, L.Left + L.Width, L.Bottom};
        R.HitAnchor = S.AnchorCount;
        L.AnchorHit = false;
    }
    if (L.Drawing && S.FocusOpen && S.AnchorCount == P.FocusAnchor + 1) {
        const Integer Bottom = L.Bottom - L.KnownSubDrop - L.PictureOffset;
        const TRect Focus{S.FocusLeft - 1, Bottom - L.GH, L.X + 1, Bottom};
        if (L.Paint) C->DrawFocusRect(Focus);
        S.FocusOpen = false;
    }
}

void TMarkupLayout::FontTag(const String& ATag, TMarkupLine& L) {
    const String Attributes = UpperAscii(MarkupAttributeText(ATag));
    auto Color = [this](const String& AValue) {
        return Static() ? ParseStaticMarkupColor(AValue) : ParseMarkupColor(AValue);
    };
    if (const auto Face = MarkupAttributeValue(Attributes, u"FACE")) C->Font()->SetName(*Face);
    if (const auto Value = MarkupAttributeValue(Attributes, u" COLOR"); Value && !P.FixedColors)
        C->Font()->SetColor(Color(*Value));
    if (const auto Value = MarkupAttributeValue(Attributes, u"BGCOLOR"); Value && L.Drawing && !P.FixedColors) {
        S.SavedBackground = S.Background;
        S.Background = Color(*Value);
    }
    if (Static()) {
        if (const auto Size = MarkupAttributeValue(Attributes, u"SIZE")) {
            const Integer N = MarkupNumber(*Size);
            if (const auto Step = StaticMarkupFontSizeStep(N))
                C->Font()->SetSize(FBase.Size() + *Step);
            else if (N > 0)
                C->Font()->SetSize(P.FormScaled ? Integer(Round(N * double(P.ControlScale))) : N);
        }
    } else if (const auto Size = MarkupFontSize(Attributes); Size && *Size > 0) {
        C->Font()->SetSize(*Size);
    }
}

void TMarkupLayout::BodyTag(const String& ATag, TMarkupLine& L) {
    const String Raw = MarkupAttributeText(ATag);
    const String Attributes = UpperAscii(Raw);
    if (L.Drawing) {
        if (L.Paint) DrawBodyPictures(Raw, Attributes);
        if (const auto Value = MarkupAttributeValue(Attributes, u"BGCOLOR")) {
            TColor Color = clNone;
            if (Static()) {
                Color = ParseStaticMarkupColor(*Value);
            } else {
                if (Value->find(u"CL") != String::npos) Color = ParseMarkupColor(*Value);
                if (Value->find(u'#') != String::npos) Color = HexRGBToColor(*Value);
            }
            const auto To = Static() ? MarkupAttributeValue(Attributes, u"BGCOLORTO") : std::nullopt;
            if (Color != clNone && L.Paint) {
                if (To) {
                    // 64 bands, each one pixel wider than its step so no gap remains.
                    const TColor From = ColorToRGB(Color), Last = ColorToRGB(ParseStaticMarkupColor(*To));
                    const bool Horizontal = MarkupAttributeValue(Attributes, u"DIR").value_or(u"H") == u"H";
                    const double Extent = Horizontal ? P.Rect.Width() : P.Rect.Height();
                    for (Integer I = 0; I < 64; ++I) {
                        auto Channel = [&](Integer Shift) {
                            const Integer A = (From >> Shift) & 0xFF, B = (Last >> Shift) & 0xFF;
                            return Integer(Round(A + (B - A) * I / 63.0)) << Shift;
                        };
                        C->Brush()->SetColor(Channel(0) | Channel(8) | Channel(16));
                        const Integer Start = Integer(Extent * I / 64), End = Integer(Extent * (I + 1) / 64) + 1;
                        C->FillRect(Horizontal ? TRect{P.Rect.Left + Start, P.Rect.Top,
                                                       std::min(P.Rect.Left + End, P.Rect.Right), P.Rect.Bottom}
                                               : TRect{P.Rect.Left, P.Rect.Top + Start, P.Rect.Right,
                                                       std::min(P.Rect.Top + End, P.Rect.Bottom)});
                    }
                } else {
                    C->Brush()->SetStyle(bsSolid);
                    C->Brush()->SetColor(Color);
                    C->Pen()->SetColor(Color);
                    C->FillRect(P.Rect);
                }
            }
            if (Color != clNone) S.SavedBackground = Color;
        }
    }
    if (Static()) return;
    if (const auto Family = MarkupAttributeValue(Attributes, u"FONT-FAMILY")) C->Font()->SetName(*Family);
    if (const auto Size = MarkupBodyFontSize(Attributes); Size && *Size > 0) {
        C->Font()->SetSize(*Size);
        L.Height = std::max(L.Height, TextHeight(u"gh"));
    }
    if (const auto Style = MarkupStyleValue(Attributes, u"FONT-STYLE")) {
        if (Style->find(u"BOLD") != String::npos) C->Font()->SetStyle({fsBold});
        if (Style->find(u"ITALIC") != String::npos) C->Font()->SetStyle({fsItalic});
    }
}

bool TMarkupLayout::ListItem(const String& ATag, TMarkupLine& L) {
    if (L.ItemsOnLine > 0) {
        L.Full = true;
        return false;
    }
    ++L.ItemsOnLine;
    const Integer Indent = ListIndent();
    L.Width += S.ListDepth * Indent;
    L.X += S.ListDepth * Indent - Indent;
    const String Attributes = UpperAscii(MarkupAttributeText(ATag));
    const String Type = MarkupAttributeValue(Attributes, u"TYPE").value_or(u"");
    const auto ColorValue = MarkupAttributeValue(Attributes, u"COLOR");
    const TColor Color = ColorValue ? (Static() ? ParseStaticMarkupColor(*ColorValue) : ParseMarkupColor(*ColorValue))
                                    : C->Font()->Color();
    const bool Paint = L.Paint && !S.Hidden;
    Integer Extra = 0;
    if (Type == u"SQUARE" || Type == u"CIRCLE") {
        if (Paint) {
            const TColor Saved = C->Brush()->Color();
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(Color);
            C->Pen()->SetColor(Color);
            if (Type == u"SQUARE")
                C->FillRect({L.X, L.Top + 2, L.X + 8, L.Top + 10});
            else
                C->Ellipse(L.X, L.Top + 2, L.X + 8, L.Top + 10);
            C->Brush()->SetColor(Saved);
            C->Brush()->SetStyle(bsClear);
        }
    } else if (Type == u"IMAGE") {
        TGraphic* Bullet = FindPicture(MarkupAttributeValue(Attributes, u"NAME").value_or(u""), false);
        if (Bullet && !Bullet->Empty()) {
            if (Paint) DrawGraphic(Bullet, Bounds(L.X, L.Top + 2, Bullet->Width(), Bullet->Height()));
            Extra = std::max(Bullet->Width() - 12, 0);
        }
    } else {
        const String Bullet = S.Ordered ? IntToStr(S.ItemNumber) + u". " : (S.ListDepth % 2 ? u"\u2022" : u"o");
        if (S.Ordered) Extra = std::max(RunWidth(Bullet) - 12, 0);
        if (Paint) {
            const TColor Saved = C->Font()->Color();
            C->Font()->SetColor(Color);
            C->TextOut(L.X, L.Top, Bullet);
            C->Font()->SetColor(Saved);
        }
    }
    if (S.Ordered) ++S.ItemNumber;
    L.X += Extra + Indent;
    L.Width += Extra;
    return true;
}

void TMarkupLayout::ParagraphTag(const String& ATag, TMarkupLine& L) {
    const String Attributes = UpperAscii(MarkupAttributeText(ATag));
    if (const auto Align = MarkupParagraphAlign(Attributes)) S.Align = *Align;
    if (const auto Indent = MarkupAttributeValue(Attributes, u"INDENT")) S.ParagraphIndent = MarkupNumber(*Indent);
    if (Static()) {
        if (const auto Factor = MarkupAttributeValue(Attributes, u"LINE-HEIGHT")) {
            Double Value = 1;
            String Text = StringReplace(*Factor, u",", u".", {rfReplaceAll});
            TFormatSettings Settings = FormatSettings;
            Settings.DecimalSeparator = u'.';
            if (!TryStrToFloat(Text, Value, Settings) || Value <= 0) Value = 1;
            S.LineHeightFactor = std::min(Value, 100.0);
        }
    }
    if (const auto Value = MarkupAttributeValue(Attributes, u"BGCOLOR"); Value && L.Drawing) {
        const TColor Color = Static() ? ParseStaticMarkupColor(*Value) : ParseMarkupColor(*Value);
        S.SavedBackground = S.Background;
        S.Background = Color;
        S.ParagraphColor = Color;
        S.ParagraphBackground = true;
        if (L.Paint) FillBand(L, Color);
    }
}

} // namespace detail::cellmarkup

bool DrawMarkupOnCanvas(const TMarkupDrawParams& Params, TMarkupDrawResult& Result) {
    detail::cellmarkup::TMarkupLayoutParams P;
    P.Canvas = Params.Canvas;
    P.Text = Params.Text;
    P.Rect = Params.Rect;
    P.Images = Params.Images;
    P.PictureContainer = Params.PictureContainer;
    P.PictureCache = Params.PictureCache;
    P.OwnerWindow = Params.OwnerWindow;
    P.HitX = Params.HitX;
    P.HitY = Params.HitY;
    P.FocusAnchor = Params.FocusAnchor;
    P.HotAnchor = Params.HotAnchor;
    P.HoverOnly = Params.HoverOnly;
    P.HitTestOnly = Params.HitTestOnly;
    P.MeasureOnly = Params.MeasureOnly;
    P.WordWrap = Params.WordWrap;
    P.FixedColors = Params.FixedColors;
    P.BlinkOn = Params.BlinkOn;
    P.StretchImages = Params.StretchImages;
    P.ImageScale = Params.ImageScale;
    P.ControlScale = Params.ControlScale;
    P.AnchorColor = Params.AnchorColor;
    P.HoverBackColor = Params.HoverBackColor;
    P.HoverTextColor = Params.HoverTextColor;
    P.ShadowColor = Params.ShadowColor;
    P.ShadowOffset = Params.ShadowOffset;
    P.PressedControl = Params.PressedControl;
    P.PressedControlID = Params.PressedControlID;
    detail::cellmarkup::TMarkupLayout Layout(P, Result);
    return Layout.Run();
}

bool DrawStaticTextMarkup(const TStaticMarkupDrawParams& Params, TStaticMarkupDrawResult& Result) {
    detail::cellmarkup::TMarkupLayoutParams P;
    P.Dialect = TMarkupDialect::StaticText;
    P.Canvas = Params.Canvas;
    P.Text = Params.Text;
    P.Rect = Params.Rect;
    P.Images = Params.Images;
    P.PictureContainer = Params.PictureContainer;
    P.PictureCache = Params.PictureCache;
    P.HitX = Params.HitX;
    P.HitY = Params.HitY;
    P.FocusAnchor = Params.FocusAnchor;
    P.HotAnchor = Params.HotAnchor;
    P.HoverOnly = Params.HoverOnly;
    P.HitTestOnly = Params.HitTestOnly;
    P.MeasureOnly = Params.MeasureOnly;
    P.WordWrap = Params.WordWrap;
    P.BlinkOn = Params.BlinkOn;
    P.KeepLineBreaks = Params.KeepLineBreaks;
    P.AnchorColor = Params.AnchorColor;
    P.HoverBackColor = Params.HoverBackColor;
    P.HoverTextColor = Params.HoverTextColor;
    P.ShadowColor = Params.ShadowColor;
    P.ShadowOffset = Params.ShadowOffset;
    P.HighlightColor = Params.HighlightColor;
    P.HighlightTextColor = Params.HighlightTextColor;
    P.HighlightStyle = Params.HighlightStyle;
    P.LineSpacing = Params.LineSpacing;
    P.FormScaled = Params.FormScaled;
    double Scale = Params.Scale;
    if (Scale <= 0 && Params.Canvas) Scale = Params.Canvas->Font()->PixelsPerInch() / 96.0;
    P.ControlScale = Single(Scale > 0 ? Scale : 1);
    TMarkupDrawResult Full;
    detail::cellmarkup::TMarkupLayout Layout(P, Full);
    Result.Hit = Layout.Run();
    Result.Anchor = Full.Anchor;
    Result.AnchorInfo = Full.FocusAnchorHref.empty() || Params.MeasureOnly || Params.HitTestOnly
                            ? Full.AnchorTitle
                            : Full.FocusAnchorHref;
    Result.Width = Full.Width;
    Result.Height = Full.Height;
    Result.AnchorCount = Full.AnchorCount;
    Result.HitAnchor = Full.HitAnchor;
    if (Full.HitAnchor >= 0) Result.HitAnchorRect = Full.HitAnchorRect;
    Result.PlainText = Full.PlainText;
    return Result.Hit;
}
