// Text on the drawing class: plain text through the context, marked-up text
// through the registered markup renderer, the line-by-line shortcut for long
// marked-up texts, and measuring.

#include "kel/KelGraphics.h"
#include "kel/KelMarkupRenderer.h"
#include "kel/RarEvads.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"

#include <vector>

namespace {

TKelMarkupTextRenderer MarkupTextRenderer = &RenderKelMarkupText;

// The lines of a text cut at "<BR/>" (spelled as at its first occurrence);
// empty when the text holds no such tag.
std::vector<String> SplitAtLineBreakTags(const String& AText) {
    const Integer At = Pos(u"<BR/>", UpperCase(AText));
    if (At == 0) return {};
    const String Tag = Copy(AText, At, 5);
    std::vector<String> Lines;
    std::size_t From = 0;
    while (true) {
        const std::size_t Next = AText.find(Tag, From);
        if (Next == String::npos) break;
        Lines.push_back(AText.substr(From, Next - From));
        From = Next + Tag.size();
    }
    Lines.push_back(AText.substr(From));
    return Lines;
}

} // namespace

void SetKelMarkupTextRenderer(TKelMarkupTextRenderer ARenderer) {
    MarkupTextRenderer = ARenderer;
}

TKelMarkupTextRenderer KelMarkupTextRenderer() {
    return MarkupTextRenderer;
}

String TKelGraphics::ApplyHilight(const String& AText, const String& AHilight, const String& ATag,
                                  bool ADoCase) {
    return HighlightMarkup(AText, AHilight, ATag, ADoCase);
}

bool TKelGraphics::IsMarkup(const String& AText, bool ASupportHTML) const {
    // Without a renderer, marked-up text is drawn as it stands.
    return ASupportHTML && MarkupTextRenderer && TRarEvads::IsHTML(AText);
}

String TKelGraphics::DrawText(const TRectF& ARect, const String& AText, String& AControlID,
                              String& AControlValue, String& AControlType, bool AWordWrapping,
                              TKelGraphicsTextAlign AHorizontalAlign, TKelGraphicsTextAlign AVerticalAlign,
                              TKelGraphicsTextTrimming ATrimming, Single AAngle, Single AMinWidth,
                              Single AMinHeight, bool ASupportHTML, bool ATestAnchor, Single AX, Single AY) {
    if (!ATestAnchor && FOptimizedHTMLDrawing && IsMarkup(AText, true)) {
        const std::vector<String> Lines = SplitAtLineBreakTags(AText);
        if (!Lines.empty()) {
            TRectF Running = ARect;
            for (const String& Line : Lines) {
                const TRectF R = CalculateText(Line, Running, AWordWrapping, ASupportHTML);
                InternalDrawText(RectF(R.Left, R.Top, R.Right + 1, R.Bottom), Line, AControlID, AControlValue,
                                 AControlType, AWordWrapping, AHorizontalAlign, AVerticalAlign, ATrimming,
                                 AAngle, AMinWidth, AMinHeight, ASupportHTML, ATestAnchor, AX, AY);
                Running.Top += R.Height();
                Running.Bottom += R.Height();
            }
            return String();
        }
    }
    return InternalDrawText(ARect, AText, AControlID, AControlValue, AControlType, AWordWrapping,
                            AHorizontalAlign, AVerticalAlign, ATrimming, AAngle, AMinWidth, AMinHeight,
                            ASupportHTML, ATestAnchor, AX, AY);
}

String TKelGraphics::DrawText(const TRectF& ARect, const String& AText, bool AWordWrapping,
                              TKelGraphicsTextAlign AHorizontalAlign, TKelGraphicsTextAlign AVerticalAlign,
                              TKelGraphicsTextTrimming ATrimming, Single AAngle, Single AMinWidth,
                              Single AMinHeight, bool ASupportHTML, bool ATestAnchor, Single AX, Single AY) {
    String ControlID, ControlValue, ControlType;
    return DrawText(ARect, AText, ControlID, ControlValue, ControlType, AWordWrapping, AHorizontalAlign,
                    AVerticalAlign, ATrimming, AAngle, AMinWidth, AMinHeight, ASupportHTML, ATestAnchor, AX,
                    AY);
}

String TKelGraphics::DrawText(const TPointF& APoint, const String& AText, Single AAngle, bool ASupportHTML,
                              bool ATestAnchor, Single AX, Single AY) {
    return DrawText(RectF(APoint.X, APoint.Y, APoint.X + 10000, APoint.Y + 10000), AText, false, gtaLeading,
                    gtaLeading, gttNone, AAngle, -1, -1, ASupportHTML, ATestAnchor, AX, AY);
}

String TKelGraphics::InternalDrawText(const TRectF& ARect, const String& AText, String& AControlID,
                                      String& AControlValue, String& AControlType, bool AWordWrapping,
                                      TKelGraphicsTextAlign AHorizontalAlign,
                                      TKelGraphicsTextAlign AVerticalAlign,
                                      TKelGraphicsTextTrimming ATrimming, Single AAngle, Single AMinWidth,
                                      Single AMinHeight, bool ASupportHTML, bool ATestAnchor, Single AX,
                                      Single AY) {
    TKelGraphicsContext* C = Context();
    // Text is painted with the fill colour of the context: the font colour for now.
    const TColor SavedFillColor = C->GetFillColor();
    C->SetFillColor(FFont->Color());

    TRectF Box = ARect;
    if (AMinHeight > -1 && AMinHeight > Box.Height()) Box.Bottom = Box.Top + AMinHeight;
    if (AMinWidth > -1 && AMinWidth > Box.Width()) Box.Right = Box.Left + AMinWidth;
    const TRectF R = C->SetTextAngle(Box, AAngle);

    String Result;
    try {
        if (IsMarkup(AText, ASupportHTML)) {
            TKelMarkupTextRequest Measure{AText, R, true, AWordWrapping, false, {}};
            TKelMarkupTextResult Size;
            MarkupTextRenderer(this, Measure, Size);
            const Single XSize = Size.XSize + 1;
            const Single YSize = Size.YSize + 1;
            TRectF Target = R;
            if (!AWordWrapping || Size.LineCount < 2) {
                Single X = R.Left;
                Single Y = R.Top;
                if (AHorizontalAlign == gtaCenter) X = R.Left + (R.Width() - XSize) / 2;
                if (AHorizontalAlign == gtaTrailing) X = R.Left + R.Width() - XSize;
                if (AVerticalAlign == gtaCenter) Y = R.Top + (R.Height() - YSize) / 2;
                if (AVerticalAlign == gtaTrailing) Y = R.Top + R.Height() - YSize;
                Target = RectF(X, Y, X + XSize, Y + YSize);
            }
            TKelGraphicsSaveState* State = SaveState(true);
            TKelMarkupTextResult Drawn;
            try {
                ClipRect(R);
                TKelMarkupTextRequest Draw{AText,       Target,
                                           false,       AWordWrapping,
                                           ATestAnchor, TPoint{Integer(Round(AX)), Integer(Round(AY))}};
                MarkupTextRenderer(this, Draw, Drawn);
            } catch (...) {
                RestoreState(State, true);
                throw;
            }
            RestoreState(State, true);
            AControlID = Drawn.ControlID;
            AControlValue = Drawn.ControlValue;
            AControlType = Drawn.ControlType;
            if (Drawn.Hit) Result = Drawn.Anchor;
        } else if (!ATestAnchor) {
            C->DrawText(AText, R, AWordWrapping, AHorizontalAlign, AVerticalAlign, ATrimming, AAngle);
        }
    } catch (...) {
        C->ResetTextAngle(AAngle);
        C->SetFillColor(SavedFillColor);
        throw;
    }
    C->ResetTextAngle(AAngle);
    C->SetFillColor(SavedFillColor);
    return Result;
}

TRectF TKelGraphics::CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                   bool ASupportHTML) {
    if (FOptimizedHTMLDrawing && IsMarkup(AText, true)) {
        const std::vector<String> Lines = SplitAtLineBreakTags(AText);
        if (!Lines.empty()) {
            Single Height = 0;
            for (const String& Line : Lines)
                Height += InternalCalculateText(Line, ARect, AWordWrapping, ASupportHTML).Height();
            return RectF(ARect.Left, ARect.Top, ARect.Right, ARect.Top + Height);
        }
    }
    return InternalCalculateText(AText, ARect, AWordWrapping, ASupportHTML);
}

TSizeF TKelGraphics::CalculateTextSize(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                       bool ASupportHTML) {
    const TRectF R = CalculateText(AText, ARect, AWordWrapping, ASupportHTML);
    return SizeF(R.Width(), R.Height());
}

TRectF TKelGraphics::InternalCalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                           bool ASupportHTML) {
    TRectF Result = ARect;
    if (Round(ARect.Width()) <= 0) {
        Result.Bottom = Result.Top;
        return Result;
    }
    if (AText.empty()) {
        Result.Right = Result.Left;
        Result.Bottom = Result.Top;
        return Result;
    }
    if (IsMarkup(AText, ASupportHTML)) {
        TKelMarkupTextResult Size;
        MarkupTextRenderer(this, TKelMarkupTextRequest{AText, ARect, true, AWordWrapping, false, {}}, Size);
        Result.Right = Result.Left + Size.XSize;
        Result.Bottom = Result.Top + Size.YSize + 1;
        return Result;
    }
    Result = Context()->CalculateText(AText, ARect, AWordWrapping);
    Result.Bottom += 1;
    return Result;
}
