// The mini-HTML renderer: preparation of the text, the line loop with its two
// passes per line, text runs, and the text, style, list, paragraph, rule,
// indent and colour tags. Pictures and form controls: KelMarkupObjects.cpp.

#include "KelMarkupLayout.h"

#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"

#include <algorithm>

namespace detail {

namespace {

// Lists nest at most this deep; deeper UL tags are drawn at this level.
constexpr Integer MaxListLevel = 16;
constexpr Single ListIndent = 12;

// The tag's text after its first ANameLength characters, up to the first ">".
String TagAttributes(const String& ATag, std::size_t ANameLength) {
    if (ATag.size() <= ANameLength) return String();
    String Result = ATag.substr(ANameLength);
    const std::size_t Close = Result.find(u'>');
    if (Close != String::npos) Result.resize(Close);
    return Result;
}

void ReplaceAll(String& AText, const String& AFrom, const String& ATo) {
    std::size_t At = 0;
    while ((At = AText.find(AFrom, At)) != String::npos) {
        AText.replace(At, AFrom.size(), ATo);
        At += ATo.size();
    }
}

// The text with its markup prepared: entities decoded, the "<#" form
// unwrapped, carriage returns as BR tags and line feeds removed.
String PrepareMarkupText(String AText) {
    if (AText.find(u'&') != String::npos) {
        AText = TRarEvads::UnFixMarkup(AText, true);
        // "&amp;amp;" and the like decode one level at a time.
        while (true) {
            const Integer At = TRarEvads::IPos(u"&amp;", AText);
            if (At == 0) break;
            AText.replace(std::size_t(At - 1), 5, u"&");
        }
    }
    const std::size_t Hash = AText.find(u"<#");
    if (Hash != String::npos) {
        AText.erase(Hash, 1);
        const std::size_t Close = AText.find(u'>', Hash);
        if (Close != String::npos) AText.erase(Close, 1);
    }
    String Result;
    Result.reserve(AText.size());
    for (Char C : AText) {
        if (C == u'\r')
            Result += u"<BR>";
        else if (C != u'\n')
            Result += C;
    }
    return Result;
}

} // namespace

String MarkupAttribute(const String& AAttributes, const String& AUpper, const String& AName) {
    const std::size_t At = AUpper.find(AName);
    if (At == String::npos) return String();
    const std::size_t Open = AUpper.find(u'"', At + AName.size());
    if (Open == String::npos) return String();
    const std::size_t Close = AUpper.find(u'"', Open + 1);
    if (Close == String::npos) return String();
    return AAttributes.substr(Open + 1, Close - Open - 1);
}

bool HasMarkupAttribute(const String& AUpper, const String& AName) {
    return AUpper.find(AName) != String::npos;
}

String MaskMarkupAttribute(String AUpper, const String& AName) {
    for (std::size_t At = AUpper.find(AName); At != String::npos; At = AUpper.find(AName, At + AName.size()))
        AUpper.replace(At, AName.size(), AName.size(), u'\x01');
    return AUpper;
}

Integer MarkupInteger(const String& AValue) {
    Integer Value = 0;
    Integer Code = 0;
    Val(Trim(AValue), Value, Code);
    return Value;
}

TColor MarkupColor(const String& AValue, TColor ADefault) {
    if (AValue.empty()) return ADefault;
    if (AValue[0] == u'#') return TKelGraphics::HTMLToColor(AValue);
    return TKelGraphics::TextToColor(AValue);
}

TMarkupLayout::TMarkupLayout(TKelGraphics* AGraphics, const TRectF& ARect, const TMarkupTextOptions& AOptions,
                             TMarkupTextOutputs& AOutputs)
    : G(AGraphics), FRect(ARect), O(AOptions), Out(AOutputs) {}

void TMarkupLayout::CaptureFont() {
    const TKelGraphicsFont* F = G->Font();
    S.Font = TMarkupFont{F->Name(), F->Height(), F->Style(), F->Color()};
}

void TMarkupLayout::ApplyFont(const TMarkupFont& AFont) {
    const TKelGraphicsFont* F = G->Font();
    if (F->Name() == AFont.Name && F->Height() == AFont.Height && F->Style() == AFont.Style &&
        F->Color() == AFont.Color)
        return;
    TKelGraphicsFont Font;
    Font.Assign(F);
    Font.SetName(AFont.Name);
    Font.SetHeight(AFont.Height);
    Font.SetStyle(AFont.Style);
    Font.SetColor(AFont.Color);
    G->SetFont(&Font);
}

TRectF TMarkupLayout::MeasureRun(const String& ARun) {
    return G->CalculateText(ARun, RectF(0, 0, 10000, 10000), false, false);
}

Single TMarkupLayout::TextHeight(const String& AText) {
    return MeasureRun(AText).Height();
}

void TMarkupLayout::SetFontStyle(TFontStyle AStyle, bool AOn) {
    TFontStyles Style = G->Font()->Style();
    if (AOn)
        Style.Include(AStyle);
    else
        Style.Exclude(AStyle);
    G->SetFontStyles(Style);
}

bool TMarkupLayout::Run(String AText) {
    const TKelGraphicsFill* Fill = G->Fill();
    const TKelGraphicsStroke* Stroke = G->Stroke();
    const TKelGraphicsFillKind SavedFillKind = Fill->Kind();
    const TColor SavedFillColor = Fill->Color();
    const TKelGraphicsStrokeKind SavedStrokeKind = Stroke->Kind();
    const TColor SavedStrokeColor = Stroke->Color();
    TKelGraphicsFont EntryFont;
    EntryFont.Assign(G->Font());

    FEntryFill = SavedFillColor;
    CaptureFont();
    FEntryFont = S.Font;
    S.TextColor = S.Font.Color;
    S.SavedTextColor = S.Font.Color;

    Out.TextWidth = 0;
    Out.TextHeight = 0;
    Out.LinkCount = 0;
    Out.LineCount = 0;
    Out.LinkUnderPoint = -1;
    Out.LinkUnderPointRect = TRectF{};
    Out.ControlRect = TRectF{};
    Out.PlainText.clear();
    Out.FocusAnchor.clear();
    Out.ControlValue.clear();
    Out.ControlType.clear();
    if (!O.HitTestOnly) Out.ControlID.clear();

    bool Result = false;
    auto Restore = [&] {
        G->SetFillKind(SavedFillKind);
        G->SetFillColor(SavedFillColor);
        G->SetStrokeKind(SavedStrokeKind);
        G->SetStrokeColor(SavedStrokeColor);
        G->SetFont(&EntryFont);
    };
    try {
        String Text = PrepareMarkupText(std::move(AText));
        Single Top = FRect.Top;
        while (!Text.empty()) {
            Text = Trim(Text);
            if (Text.empty()) break;
            ApplyFont(S.Font);
            const Single StartHeight = TextHeight(u"gh");

            TMarkupLinePass First;
            First.NoDraw = true;
            First.First = true;
            First.Left = FRect.Left + FFloatLeftWidth;
            First.Right = FRect.Right - FFloatRightWidth;
            First.Top = Top;
            First.Bottom = FRect.Bottom;
            First.CarriedOffset = S.Offset;
            First.Height = StartHeight;
            TMarkupLineHits Hits;
            const TMarkupState AtStart = S;
            const std::size_t Before = Text.size();
            const String LineText = LayoutLine(Text, First, Hits);
            if (Text.size() == Before) break; // nothing consumed: never loop
            CaptureFont();

            Out.LineCount += 1;
            First.Height += Single(O.LineSpacing);

            TRectF Draw = RectF(First.Left, Top, First.Right, 0);
            if (S.Align == TMarkupAlign::Right) {
                Draw.Left = std::max(Draw.Left, Draw.Right - First.Width);
            } else if (S.Align == TMarkupAlign::Center) {
                const Single Space = (Draw.Right - Draw.Left - First.Width) / 2;
                if (Space > 0) Draw.Left += Space;
            }
            Draw.Left += S.Indent;
            Draw.Right += S.Indent;
            Draw.Bottom = Top + First.Height + First.SubscriptAllowance + First.SuperscriptAllowance;

            Single Advance = First.Height;
            Single PictureShift = First.PictureShift;
            if (!O.MeasureOnly) {
                S = AtStart;
                ApplyFont(S.Font);
                TMarkupLinePass Second;
                Second.NoDraw = O.HitTestOnly;
                Second.Left = Draw.Left;
                Second.Right = Draw.Right;
                Second.Top = Draw.Top;
                Second.Bottom = Draw.Bottom;
                Second.CarriedOffset = First.CarriedOffset;
                Second.KnownSubscript = First.SubscriptAllowance;
                Second.KnownSuperscript = First.SuperscriptAllowance;
                Second.Height = StartHeight;
                Second.PictureShift = First.PictureShift;
                String Consumed = LineText;
                LayoutLine(Consumed, Second, Hits);
                CaptureFont();
                Advance = Second.Height + Single(O.LineSpacing);
                PictureShift = Second.PictureShift;
                // Next lines flow beside a floating picture until below it.
                if (FFloatLeftWidth > 0 || FFloatRightWidth > 0) {
                    if (Top + Advance >= FFloatBottom) {
                        FFloatLeftWidth = 0;
                        FFloatRightWidth = 0;
                    }
                }
                const Single Gh = TextHeight(u"gh");
                const Single B = Draw.Bottom - PictureShift;
                if ((Hits.TextLink && B - Gh < Single(O.PointY) && Single(O.PointY) < B) || Hits.Object)
                    Result = true;
            } else if (FFloatLeftWidth > 0 || FFloatRightWidth > 0) {
                if (Top + Advance >= FFloatBottom) {
                    FFloatLeftWidth = 0;
                    FFloatRightWidth = 0;
                }
            }

            const Single Step = Advance + First.SubscriptAllowance + First.SuperscriptAllowance;
            if (FFloatParagraph != 0) {
                Top = Single(FFloatParagraphStart.Y);
                FFloatParagraph = 0;
            } else {
                Top += Step;
                Out.TextHeight += Step;
            }
            if (!O.MeasureOnly && FRect.Bottom + 1 < Top + StartHeight) break;
        }
        if (Out.TextHeight == 0) {
            ApplyFont(FEntryFont);
            Out.TextHeight = TextHeight(u"gh");
        }
    } catch (...) {
        Restore();
        throw;
    }
    Restore();
    return Result;
}

String TMarkupLayout::LayoutLine(String& AText, TMarkupLinePass& ALine, TMarkupLineHits& AHits) {
    String LineText;
    ALine.X = ALine.Left + ALine.CarriedOffset;
    if (ALine.Drawing() && S.ParagraphBackground)
        PaintBackground(RectF(FRect.Left, ALine.Top, FRect.Right, ALine.Top + ALine.Height),
                        G->Fill()->Color(), S.ParagraphColorTo, S.ParagraphHorizontal);
    while (!AText.empty() && !ALine.LineEnd && !ALine.LineFull) {
        LayoutRun(AText, LineText, ALine, AHits);
        if (AText.empty() || AText[0] != u'<') continue;
        if (AText.size() <= 2) {
            AText.clear();
            continue;
        }
        if (ALine.LineEnd || ALine.LineFull) continue;
        const std::size_t Close = AText.find(u'>');
        const String Tag = Close == String::npos ? AText : AText.substr(0, Close + 1);
        LayoutTag(Tag, ALine, AHits);
        if (ALine.LineFull) continue;
        if (Close == String::npos) {
            AText.clear();
        } else {
            LineText += Tag;
            AText.erase(0, Close + 1);
        }
    }
    ALine.Width -= ALine.TrailingSpace;
    if (Out.TextWidth < ALine.Width) Out.TextWidth = ALine.Width + 2;
    return LineText;
}

void TMarkupLayout::LayoutRun(String& AText, String& ALineText, TMarkupLinePass& ALine, TMarkupLineHits& AHits) {
    const std::size_t Open = AText.find(u'<');
    std::size_t End = Open == String::npos ? AText.size() : Open;
    if (O.WordWrap) {
        const std::size_t Space = AText.find(u' ');
        if (Space != String::npos && Space < End) End = Space + 1;
    }
    if (End == 0) return;
    const String Source = AText.substr(0, End);
    String Run = Source;
    ReplaceAll(Run, u"&nbsp;", u" ");
    ReplaceAll(Run, u"&lt;", u"<");
    ReplaceAll(Run, u"&gt;", u">");

    const TRectF Size = MeasureRun(Run);
    const Single W = Size.Width();
    const Single H = Size.Height();
    if (S.Subscript) ALine.SubscriptAllowance = std::max(ALine.SubscriptAllowance, H / 4);
    if (S.Superscript) ALine.SuperscriptAllowance = std::max(ALine.SuperscriptAllowance, H / 4);
    ALine.Height = std::max(ALine.Height, H);

    auto Keep = [&] {
        AText.erase(0, End);
        ALineText += Source;
        // Only the first pass reports text, so each run enters it once.
        if (ALine.First) Out.PlainText += Run;
    };
    // Hidden text takes its height but is neither drawn nor counted in the width.
    if (S.Hidden) {
        Keep();
        return;
    }

    if (ALine.NoDraw) {
        ALine.Width += W;
        if (S.InLink) {
            const Single PX = Single(O.PointX) - ALine.Left;
            if (ALine.Width - W <= PX && PX <= ALine.Width) {
                AHits.TextLink = true;
                if (Single(O.PointY) > ALine.Top) {
                    Out.Anchor = S.LinkTarget;
                    S.LinkUnderPointMark = true;
                }
            }
        }
    } else {
        TRectF Box = RectF(ALine.X, ALine.Top, ALine.Right, ALine.RunBoxBottom());
        if (S.Superscript) Box.Bottom -= ALine.KnownSuperscript;
        if (S.Subscript) Box.Bottom += ALine.KnownSubscript;
        Box.Bottom -= ALine.PictureShift;
        if (S.RunBackground != -1) {
            G->SetFillKind(gfkSolid);
            G->SetStrokeKind(gskSolid);
            G->SetFillColor(S.RunBackground);
            G->SetStrokeColor(S.RunBackground);
            G->DrawRectangle(ALine.X, ALine.Top, ALine.X + W, ALine.Top + TextHeight(u"gh"));
        }
        if (S.Shadow && O.ShadowColor != -1) {
            const Single D = Single(O.ShadowDistance);
            G->SetFontColor(O.ShadowColor);
            G->DrawText(RectF(Box.Left + D, Box.Top + D, Box.Right + D, Box.Bottom + D), Run, false, gtaLeading,
                        gtaCenter, gttNone, 0, -1, -1, false);
        }
        G->SetFontColor(S.TextColor);
        G->DrawText(Box, Run, false, gtaLeading, gtaCenter, gttNone, 0, -1, -1, false);
        if (S.InLink && S.LinkCount == O.FocusLink + 1) Out.FocusAnchor = S.LinkTarget;
        if (S.ErrorMark) ErrorMark(ALine.X, ALine.X + W, ALine);
        ALine.X += W;
    }

    // A word that does not fit moves to the next line; one wider than the
    // whole line stays and overflows it. The second pass replays what fitted.
    if (O.WordWrap && ALine.First) {
        const Single Available = (ALine.Right - ALine.Left) - ALine.CarriedOffset;
        if (!(ALine.Width < Available + 1 || W >= Available)) {
            ALine.LineFull = true;
            ALine.Width -= W;
            return;
        }
    }
    Keep();
    ALine.TrailingSpace = Run.back() == u' ' ? MeasureRun(u" ").Width() : 0;
}

void TMarkupLayout::LayoutTag(const String& ATag, TMarkupLinePass& ALine, TMarkupLineHits& AHits) {
    if (ATag.size() > 3 && ATag[1] == u'/')
        ClosingTag(ATag, ALine);
    else
        OpeningTag(ATag, ALine, AHits);
}

void TMarkupLayout::OpeningTag(const String& ATag, TMarkupLinePass& ALine, TMarkupLineHits& AHits) {
    const String Upper = UpperCase(ATag);
    const Char Second = Upper[1];
    const Char Third = Upper.size() > 2 ? Upper[2] : u'\0';
    switch (Second) {
    case u'A':
        LinkStart(ATag, ALine);
        break;
    case u'B':
        if (Third == u'>') {
            SetFontStyle(fsBold, true);
        } else if (Third == u'L') {
            if (!O.BlinkShown) S.TextColor = FEntryFill;
        } else if (Third == u'O') {
            Body(ATag, ALine);
        } else if (Third == u'R') {
            ALine.LineEnd = true;
            if (ALine.First) Out.PlainText += u'\r';
        }
        break;
    case u'C':
        Control(ATag, ALine, AHits);
        break;
    case u'E':
        if (ALine.Drawing()) S.ErrorMark = true;
        break;
    case u'F':
        FontTag(ATag, ALine);
        break;
    case u'H':
        if (Third == u'I') {
            if (ALine.Drawing()) {
                S.HighlightSavedTextColor = S.TextColor;
                S.HighlightSavedBackground = S.RunBackground;
                S.RunBackground = O.HighlightColor;
                S.TextColor = O.HighlightTextColor;
            }
            // The style comes back at "</HI>" in every pass, so that what
            // follows is measured as it is drawn.
            S.HighlightSavedStyle = G->Font()->Style();
            S.HighlightOn = true;
            G->SetFontStyles(O.HighlightFontStyles);
        } else if (Third == u'R') {
            HorizontalRule(ATag, ALine);
        }
        break;
    case u'I':
        if (Third == u'>')
            SetFontStyle(fsItalic, true);
        else if (Third == u'N') {
            const String Attributes = TagAttributes(ATag, 3);
            const String Value = MarkupAttribute(Attributes, UpperCase(Attributes), u"X");
            Integer N = 0;
            if (TryStrToInt(Value, N) && Single(N) > ALine.Width) {
                ALine.Width = Single(N);
                ALine.X = FRect.Left + Single(N);
            }
        } else if (Third == u'M') {
            Image(ATag, ALine, AHits);
        }
        break;
    case u'L':
        ListItem(ATag, ALine);
        break;
    case u'O':
        if (Third == u'F') {
            const String Attributes = TagAttributes(ATag, 3);
            const Single X = Single(MarkupInteger(MarkupAttribute(Attributes, UpperCase(Attributes), u"X")));
            S.Offset = X;
            ALine.X = X;
            ALine.Width = X;
        }
        break;
    case u'P':
        Paragraph(ATag, ALine);
        break;
    case u'S':
        if (Third == u'>')
            SetFontStyle(fsStrikeOut, true);
        else if (Third == u'H')
            S.Shadow = true;
        else if (Upper == u"<SUB>")
            S.Subscript = true;
        else if (Upper == u"<SUP>")
            S.Superscript = true;
        break;
    case u'U':
        if (Third == u'>') {
            SetFontStyle(fsUnderline, true);
        } else {
            if (S.ListLevel < MaxListLevel) S.ListLevel += 1;
            ALine.LineEnd = true;
        }
        break;
    case u'Z':
        S.Hidden = true;
        break;
    default:
        break;
    }
}

void TMarkupLayout::ClosingTag(const String& ATag, TMarkupLinePass& ALine) {
    const String Upper = UpperCase(ATag);
    switch (Upper[2]) {
    case u'A':
        LinkEnd(ALine);
        break;
    case u'B':
        if (Upper == u"</B>")
            SetFontStyle(fsBold, false);
        else
            S.TextColor = S.SavedTextColor;
        break;
    case u'E':
        if (ALine.Drawing()) S.ErrorMark = false;
        break;
    case u'F':
        if (G->Font()->Name() != FEntryFont.Name) G->SetFontName(FEntryFont.Name);
        if (G->Font()->Height() != FEntryFont.Height) G->Font()->SetHeight(FEntryFont.Height);
        if (ALine.Drawing() && !O.KeepColors) {
            S.TextColor = S.SavedTextColor;
            G->SetFillColor(S.BodySavedFill);
        }
        S.RunBackground = S.FontSavedBackground;
        break;
    case u'H':
        if (S.HighlightOn) {
            if (ALine.Drawing()) {
                S.TextColor = S.HighlightSavedTextColor;
                S.RunBackground = S.HighlightSavedBackground;
                G->SetFillColor(S.HighlightSavedBackground);
            }
            G->SetFontStyles(S.HighlightSavedStyle);
            S.HighlightOn = false;
        }
        break;
    case u'I':
        SetFontStyle(fsItalic, false);
        break;
    case u'L':
        ALine.LineEnd = true;
        break;
    case u'O':
        S.Offset = 0;
        break;
    case u'P':
        ALine.LineEnd = true;
        if (ALine.Drawing()) G->SetFillColor(S.ParagraphSavedFill);
        S.ParagraphBackground = false;
        break;
    case u'S':
        if (Upper.compare(2, 2, u"SU") == 0) {
            S.Subscript = false;
            S.Superscript = false;
        } else if (Upper.compare(2, 2, u"SH") == 0) {
            S.Shadow = false;
        } else {
            SetFontStyle(fsStrikeOut, false);
        }
        break;
    case u'U':
        if (Upper == u"</U>" || S.ListLevel < 1)
            SetFontStyle(fsUnderline, false);
        else
            S.ListLevel -= 1;
        break;
    case u'Z':
        S.Hidden = false;
        break;
    default:
        break;
    }
}

void TMarkupLayout::LinkStart(const String& ATag, TMarkupLinePass& ALine) {
    S.LinkCount += 1;
    Out.LinkCount = std::max(Out.LinkCount, S.LinkCount);
    const bool Hovered = S.LinkCount == O.HoverLink;
    const bool Styled = !O.StyleHoverLinkOnly || Hovered;
    S.LinkSavedBackground = S.RunBackground;
    if (!O.KeepColors) {
        S.SavedTextColor = S.TextColor;
        S.TextColor = O.LinkColor;
    }
    if (ALine.Drawing() && Styled) {
        if (O.LinkUnderline) SetFontStyle(fsUnderline, true);
        if (O.LinkHoverColor != -1) S.RunBackground = O.LinkHoverColor;
        if (O.LinkHoverTextColor != -1) S.TextColor = O.LinkHoverTextColor;
    }
    const String Upper = UpperCase(ATag);
    const std::size_t Open = Upper.find(u'"');
    const std::size_t Close = Open == String::npos ? String::npos : Upper.find(u'"', Open + 1);
    S.LinkTarget = Close == String::npos ? String() : ATag.substr(Open + 1, Close - Open - 1);
    S.InLink = true;
    S.LinkStartWidth = ALine.Width;
    S.LinkStartTop = ALine.Top;
}

void TMarkupLayout::LinkEnd(TMarkupLinePass& ALine) {
    if (ALine.Drawing() && (!O.StyleHoverLinkOnly || S.LinkCount == O.HoverLink)) SetFontStyle(fsUnderline, false);
    if (!O.KeepColors) S.TextColor = S.SavedTextColor;
    S.RunBackground = S.LinkSavedBackground;
    S.InLink = false;
    if (S.LinkUnderPointMark) {
        const Single Left = S.LinkStartTop == ALine.Top ? ALine.Left + S.LinkStartWidth : ALine.Left;
        Out.LinkUnderPointRect = RectF(Left, ALine.Top, ALine.Left + ALine.Width, ALine.RunBoxBottom());
        Out.LinkUnderPoint = S.LinkCount;
        S.LinkUnderPointMark = false;
    }
}

void TMarkupLayout::FontTag(const String& ATag, TMarkupLinePass& ALine) {
    const String Attributes = TagAttributes(ATag, 5);
    const String Upper = UpperCase(Attributes);
    S.FontSavedBackground = S.RunBackground;
    const String Face = MarkupAttribute(Attributes, Upper, u"FACE");
    if (!Face.empty()) G->SetFontName(Face);
    if (HasMarkupAttribute(Upper, u" COLOR") && !O.KeepColors) {
        S.SavedTextColor = S.TextColor;
        const String Value = MarkupAttribute(Attributes, Upper, u" COLOR");
        if (!Value.empty()) S.TextColor = MarkupColor(Value, S.TextColor);
    }
    if (HasMarkupAttribute(Upper, u"BGCOLOR") && ALine.Drawing() && !O.KeepColors) {
        const String Value = MarkupAttribute(Attributes, Upper, u"BGCOLOR");
        if (!Value.empty()) S.RunBackground = MarkupColor(Value, -1);
    }
    if (HasMarkupAttribute(Upper, u"STYLE")) {
        String Style = UpperCase(MarkupAttribute(Attributes, Upper, u"STYLE"));
        const std::size_t At = Style.find(u"FONT-SIZE:");
        if (At != String::npos) {
            Style = Style.substr(At + 10);
            const std::size_t Pt = Style.find(u"PT");
            if (Pt != String::npos) {
                const Integer Size = MarkupInteger(Trim(Style.substr(0, Pt)));
                if (Size > 0) TRarEvads::SetFontSize(G->Font(), Single(Size));
            }
        }
    } else if (HasMarkupAttribute(Upper, u"SIZE")) {
        Integer Size = MarkupInteger(MarkupAttribute(Attributes, Upper, u"SIZE"));
        switch (Size) {
        case 1: Size = 8; break;
        case 2: Size = 10; break;
        case 3: Size = 12; break;
        case 4: Size = 14; break;
        case 5: Size = 16; break;
        default: break;
        }
        if (Size > 0) TRarEvads::SetFontSize(G->Font(), Single(Size));
    }
}

void TMarkupLayout::HorizontalRule(const String& ATag, TMarkupLinePass& ALine) {
    ALine.LineEnd = true;
    if (!ALine.Drawing()) return;
    const String Attributes = TagAttributes(ATag, 3);
    const TColor Color = MarkupColor(MarkupAttribute(Attributes, UpperCase(Attributes), u"COLOR"), 0);
    const TColor SavedStroke = G->Stroke()->Color();
    const Single Y = ALine.RunBoxBottom() + 1;
    G->SetStrokeKind(gskSolid);
    G->SetStrokeColor(Color);
    G->DrawLine(PointF(ALine.Left, Y), PointF(ALine.Right, Y));
    G->SetStrokeColor(SavedStroke);
}

void TMarkupLayout::ListItem(const String& ATag, TMarkupLinePass& ALine) {
    const String Attributes = TagAttributes(ATag, 3);
    const String Upper = UpperCase(Attributes);
    const String Type = UpperCase(MarkupAttribute(Attributes, Upper, u"TYPE"));
    const TColor Color = MarkupColor(MarkupAttribute(Attributes, Upper, u"COLOR"), -1);
    // One item per line: a second one starts the next line.
    if (ALine.ListItem) {
        ALine.LineFull = true;
        return;
    }
    ALine.ListItem = true;
    const Single Indent = Single(S.ListLevel) * ListIndent;
    ALine.Width += Indent;
    ALine.X += Indent - ListIndent;
    if (ALine.Drawing() && !S.Hidden) {
        const Single X = ALine.X;
        const Single T = ALine.Top;
        if (Type == u"SQUARE" || Type == u"CIRCLE") {
            const TColor SavedFill = G->Fill()->Color();
            G->SetFillKind(gfkSolid);
            G->SetStrokeKind(gskSolid);
            G->SetFillColor(Color);
            G->SetStrokeColor(Color);
            if (Type == u"SQUARE")
                G->DrawRectangle(X, T + 2, X + 8, T + 10);
            else
                G->DrawEllipse(X, T + 2, X + 8, T + 10);
            G->SetFillColor(SavedFill);
        } else if (Type.empty()) {
            const TFontStyles SavedStyle = G->Font()->Style();
            G->SetFontStyles(TFontStyles());
            const String Bullet = S.ListLevel % 2 == 1 ? String(u"\u2022") : String(u"o");
            G->DrawText(RectF(X, T, ALine.Right, ALine.RunBoxBottom()), Bullet, false, gtaLeading, gtaCenter,
                        gttNone, 0, -1, -1, false);
            G->SetFontStyles(SavedStyle);
        }
    }
    ALine.X += ListIndent;
}

void TMarkupLayout::Paragraph(const String& ATag, TMarkupLinePass& ALine) {
    const String Attributes = TagAttributes(ATag, 2);
    const String Upper = UpperCase(Attributes);
    if (HasMarkupAttribute(Upper, u"ALIGN")) {
        const String Align = UpperCase(MarkupAttribute(Attributes, Upper, u"ALIGN"));
        if (Align.find(u"RIGHT") != String::npos) S.Align = TMarkupAlign::Right;
        if (Align.find(u"LEFT") != String::npos) S.Align = TMarkupAlign::Left;
        if (Align.find(u"CENTER") != String::npos) S.Align = TMarkupAlign::Center;
    }
    if (HasMarkupAttribute(Upper, u"INDENT"))
        S.Indent = Single(MarkupInteger(MarkupAttribute(Attributes, Upper, u"INDENT")));
    if (HasMarkupAttribute(Upper, u"FLOAT")) {
        const String Float = UpperCase(MarkupAttribute(Attributes, Upper, u"FLOAT"));
        if (Float == u"LEFT" || Float == u"RIGHT") {
            FFloatParagraph = Float == u"LEFT" ? 1 : 2;
            FFloatParagraphStart = TPoint{Integer(Round(ALine.Left)), Integer(Round(ALine.Top))};
        }
    }
    // BGCOLOR is looked for apart from BGCOLORTO, which may come first.
    const String OneColour = MaskMarkupAttribute(Upper, u"BGCOLORTO");
    if (HasMarkupAttribute(OneColour, u"BGCOLOR")) {
        const TColor Color = MarkupColor(MarkupAttribute(Attributes, OneColour, u"BGCOLOR"), -1);
        if (ALine.Drawing()) {
            S.ParagraphBackground = true;
            S.ParagraphSavedFill = G->Fill()->Color();
            // BGCOLORTO makes the band a gradient, left to right unless DIR is "V".
            S.ParagraphColorTo = HasMarkupAttribute(Upper, u"BGCOLORTO")
                                     ? MarkupColor(MarkupAttribute(Attributes, Upper, u"BGCOLORTO"), -1)
                                     : -1;
            S.ParagraphHorizontal =
                !UpperCase(Trim(MarkupAttribute(Attributes, Upper, u"DIR"))).starts_with(u"V");
            PaintBackground(RectF(FRect.Left, ALine.Top, FRect.Right, ALine.Bottom), Color,
                            S.ParagraphColorTo, S.ParagraphHorizontal);
        }
    }
}

void TMarkupLayout::PaintBackground(const TRectF& ARect, TColor AColor, TColor AColorTo, bool AHorizontal) {
    G->SetFillKind(gfkSolid);
    G->SetStrokeKind(gskSolid);
    G->SetFillColor(AColor);
    G->SetStrokeColor(AColor);
    if (AColor == -1 || AColorTo == -1) {
        G->DrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
        return;
    }
    // The gradient is drawn with a fill of its own; the solid fill in the
    // first colour stays in force afterwards, as for a one-colour background.
    TKelGraphicsFill Gradient(gfkGradient, AColor);
    Gradient.SetColorTo(AColorTo);
    Gradient.SetOrientation(AHorizontal ? gfoHorizontal : gfoVertical);
    TKelGraphicsFill Solid;
    Solid.Assign(G->Fill());
    G->SetFill(&Gradient);
    G->SetStrokeKind(gskNone);
    try {
        G->DrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    } catch (...) {
        G->SetFill(&Solid);
        G->SetStrokeKind(gskSolid);
        throw;
    }
    G->SetFill(&Solid);
    G->SetStrokeKind(gskSolid);
}

void TMarkupLayout::ErrorMark(Single AFrom, Single ATo, const TMarkupLinePass& ALine) {
    const TColor SavedStroke = G->Stroke()->Color();
    G->SetStrokeKind(gskSolid);
    G->SetStrokeWidth(1);
    G->SetStrokeColor(0x0000FF); // red
    const Integer X0 = Integer(Round(AFrom));
    const Single B = ALine.RunBoxBottom();
    Single P = X0 % 4 == 0 ? 2 : 0;
    for (Single X = AFrom; X < ATo; X += 2) {
        const Single Y1 = B + P - 1;
        P = P == 0 ? 2 : 0;
        const Single Y2 = B + P - 1;
        G->DrawLine(PointF(X, Y1), PointF(X + 2, Y2));
    }
    G->SetStrokeColor(SavedStroke);
}

} // namespace detail

bool DrawMarkupText(TKelGraphics* Graphics, const String& Text, const TRectF& Rect,
                    const TMarkupTextOptions& Options, TMarkupTextOutputs& Outputs) {
    detail::TMarkupLayout Layout(Graphics, Rect, Options, Outputs);
    const bool Hit = Layout.Run(Text);
    return Hit && !Options.MeasureOnly;
}

void RenderKelMarkupText(TKelGraphics* AGraphics, const TKelMarkupTextRequest& ARequest,
                         TKelMarkupTextResult& AResult) {
    TMarkupTextOptions Options;
    if (!ARequest.MeasureOnly) {
        Options.PointX = ARequest.TestPoint.X;
        Options.PointY = ARequest.TestPoint.Y;
    }
    Options.HitTestOnly = ARequest.HitTest;
    Options.MeasureOnly = ARequest.MeasureOnly;
    Options.WordWrap = ARequest.WordWrap;
    Options.LinkColor = AGraphics->URLColor();
    Options.LinkUnderline = AGraphics->URLUnderline();
    Options.PictureContainer = AGraphics->PictureContainer();
    Options.ImageList = AGraphics->ImageList();
    Options.HighlightColor = AGraphics->HighlightColor();
    Options.HighlightTextColor = AGraphics->HighlightTextColor();
    Options.HighlightFontStyles = AGraphics->HighlightFontStyle();
    TMarkupTextOutputs Outputs;
    AResult.Hit = DrawMarkupText(AGraphics, ARequest.Text, ARequest.Rect, Options, Outputs);
    AResult.XSize = Outputs.TextWidth;
    AResult.YSize = Outputs.TextHeight;
    AResult.LineCount = Outputs.LineCount;
    AResult.Anchor = Outputs.Anchor;
    AResult.ControlID = Outputs.ControlID;
    AResult.ControlValue = Outputs.ControlValue;
    AResult.ControlType = Outputs.ControlType;
}
