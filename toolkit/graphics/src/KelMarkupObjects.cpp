// Pictures (IMG, the BODY picture attributes) and form controls (CONTROL)
// of the mini-HTML renderer, with their part of the hit test.

#include "KelMarkupLayout.h"

#include "graphics/DeviceContext.h"
#include "graphics/ImageList.h"
#include "graphics/Picture.h"
#include "kel/PictureContainer.h"
#include "kel/RarEvads.h"
#include "os/FileUtils.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"

#include <algorithm>

namespace {

// The value after "NAME=" between the next two double quotes, as written.
String ControlAttribute(const String& AAttributes, const String& AUpper, const String& AName) {
    const std::size_t At = AUpper.find(AName + u"=");
    if (At == String::npos) return String();
    const std::size_t Open = AUpper.find(u'"', At + AName.size() + 1);
    if (Open == String::npos) return String();
    const std::size_t Close = AUpper.find(u'"', Open + 1);
    if (Close == String::npos) return String();
    return AAttributes.substr(Open + 1, Close - Open - 1);
}

String AttributesAfter(const String& ATag, std::size_t ANameLength) {
    if (ATag.size() <= ANameLength) return String();
    String Result = ATag.substr(ANameLength);
    const std::size_t Close = Result.find(u'>');
    if (Close != String::npos) Result.resize(Close);
    return Result;
}

bool PicturePresent(const TPicture* APicture) {
    return APicture && APicture->Graphic() && !APicture->Graphic()->Empty();
}

} // namespace

TMarkupControl ParseMarkupControl(const String& AAttributes) {
    const String Upper = UpperCase(AAttributes);
    TMarkupControl Result;
    Result.Type = UpperCase(ControlAttribute(AAttributes, Upper, u"TYPE"));
    Result.Width = ControlAttribute(AAttributes, Upper, u"WIDTH");
    Result.Height = ControlAttribute(AAttributes, Upper, u"HEIGHT");
    Result.ID = ControlAttribute(AAttributes, Upper, u"ID");
    Result.Value = TRarEvads::UnFixMarkup(ControlAttribute(AAttributes, Upper, u"VALUE"), true);
    Result.Prop = TRarEvads::UnFixMarkup(ControlAttribute(AAttributes, Upper, u"PROP"), true);
    Result.MaxLen = ControlAttribute(AAttributes, Upper, u"MAXLEN");
    return Result;
}

namespace detail {

const TPicture* TMarkupLayout::FindPicture(const String& ASource, bool AAllowFile, bool AAllowBase64,
                                           std::unique_ptr<TPicture>& AOwned) {
    AOwned.reset();
    const TPicture* Result = nullptr;
    if (ASource.find(u':') == String::npos && O.PictureContainer)
        Result = O.PictureContainer->FindBitmap(ASource);
    // A picture that cannot be loaded is a missing picture: the paint goes on.
    try {
        if (AAllowFile && TRarEvads::IPos(u"FILE://", ASource) > 0) {
            const String Path = ASource.substr(7);
            if (FileExists(Path)) {
                auto Loaded = std::make_unique<TPicture>();
                Loaded->LoadFromFile(Path);
                AOwned = std::move(Loaded);
                Result = AOwned.get();
            }
        }
        if (AAllowBase64 && TRarEvads::IPos(u"DATA:", ASource) > 0) {
            const Integer At = TRarEvads::IPos(u"BASE64,", ASource);
            if (At > 0) {
                auto Loaded = std::make_unique<TPicture>();
                TRarEvads::LoadBitmapFromBase64(ASource.substr(std::size_t(At - 1 + 7)), Loaded.get(), false);
                AOwned = std::move(Loaded);
                Result = AOwned.get();
            }
        }
    } catch (const Exception&) {
        AOwned.reset();
        Result = nullptr;
    }
    return PicturePresent(Result) ? Result : nullptr;
}

void TMarkupLayout::Image(const String& ATag, TMarkupLinePass& ALine, TMarkupLineHits& AHits) {
    const String Attributes = AttributesAfter(ATag, 2);
    const String Upper = UpperCase(Attributes);
    const Integer Fh = Integer(Round(TextHeight(u"gh")));
    Single ImageListOffset = 0;
    S.ImageCounter += 1;
    const Integer Number = S.ImageCounter;

    String Source = MarkupAttribute(Attributes, Upper, u"SRC");
    if (HasMarkupAttribute(Upper, u"ALT") && Number == FPictureUnderPoint)
        Source = UpperCase(MarkupAttribute(Attributes, Upper, u"ALT"));
    const Integer Width = MarkupInteger(MarkupAttribute(Attributes, Upper, u"WIDTH"));
    const Integer Height = MarkupInteger(MarkupAttribute(Attributes, Upper, u"HEIGHT"));
    enum { Bottom, Middle, TopAlign } Align = Bottom;
    const String AlignValue = UpperCase(MarkupAttribute(Attributes, Upper, u"ALIGN"));
    if (AlignValue == u"MIDDLE") Align = Middle;
    if (AlignValue == u"TOP") Align = TopAlign;
    const String FloatValue = UpperCase(MarkupAttribute(Attributes, Upper, u"FLOAT"));
    const bool FloatLeft = FloatValue == u"LEFT";
    const bool FloatRight = FloatValue == u"RIGHT";
    if (FloatLeft) ALine.X = FRect.Left;

    Single BoxWidth = 0;
    Single BoxHeight = 0;
    if (TRarEvads::IPos(u"IDX:", Source) > 0) {
        Source = Source.substr(4);
        const Integer Index = MarkupInteger(Source);
        if (O.ImageList && Index >= 0 && Index < O.ImageList->Count()) {
            TCanvas* Canvas = G->Canvas();
            const winapi::HDC DC = Canvas->Handle();
            BoxWidth = Single(MulDiv(O.ImageList->Width(), winapi::GetDeviceCaps(DC, LOGPIXELSX), 96));
            BoxHeight = Single(MulDiv(O.ImageList->Height(), winapi::GetDeviceCaps(DC, LOGPIXELSY), 96));
            if (O.ImageList->Height() < Fh) {
                if (Align == Bottom) ImageListOffset = Single(Fh - O.ImageList->Height());
                if (Align == Middle) ImageListOffset = Single((Fh - O.ImageList->Height()) / 2);
            }
            if (ALine.Drawing() && !O.SkipImageListImages)
                O.ImageList->Draw(Canvas, Integer(Round(ALine.X)), Integer(Round(ALine.Top + ImageListOffset)),
                                  Index, true);
        }
    }

    Single Sw = 0;
    Single Sh = 0;
    std::unique_ptr<TPicture> Owned;
    if (const TPicture* Picture = FindPicture(Source, true, true, Owned)) {
        const Single Pw = Single(Picture->Width());
        const Single Ph = Single(Picture->Height());
        if (Width > 0 && Height > 0) {
            Sw = Single(Width);
            Sh = Single(Height);
        } else if (Width > 0) {
            Sw = Single(Width);
            Sh = Pw > 0 ? Single(Round(Ph * Single(Width) / Pw)) : 0;
        } else if (Height > 0) {
            Sw = Ph > 0 ? Single(Round(Pw * Single(Height) / Ph)) : 0;
            Sh = Single(Height);
        } else {
            Sw = Pw;
            Sh = Ph;
        }
        if (FloatRight) ALine.X = ALine.Right - Sw;
        if (ALine.Drawing()) {
            const Single L = Single(Round(ALine.X));
            const Single T = Single(Round(ALine.Top));
            G->DrawBitmap(L, T, L + Sw, T + Sh, Picture, true, false, true, false);
        }
        BoxWidth = Sw;
        BoxHeight = Sh;
    }

    const Single PX = Single(O.PointX) - ALine.Left;
    const Single PY = Single(O.PointY);
    if (S.InLink && ALine.Width < PX && PX < ALine.Width + BoxWidth && ALine.Top < PY &&
        PY < ALine.Top + BoxHeight) {
        AHits.Object = true;
        Out.Anchor = S.LinkTarget;
        FPictureUnderPoint = Number;
    }

    const Single Space = ALine.Right - ALine.Left;
    if (Space >= ALine.Width + BoxWidth || Space <= BoxWidth) {
        ALine.Width += BoxWidth + 2;
        ALine.X += BoxWidth + 2;
        ALine.Height = std::max(ALine.Height, BoxHeight);
    } else {
        ALine.LineFull = true;
        return;
    }

    const Single Gh = TextHeight(u"gh");
    if (HasMarkupAttribute(Upper, u"ALIGN")) {
        if (HasMarkupAttribute(Upper, u"\"TOP"))
            ALine.PictureShift = ALine.Height - Gh;
        else if (HasMarkupAttribute(Upper, u"\"MIDDLE"))
            ALine.PictureShift = (ALine.Height - Gh) / 2;
    }
    if (HasMarkupAttribute(Upper, u"WRAP")) {
        ALine.Height = Gh;
        ALine.PictureShift = 0;
    }
    if (FloatLeft || FloatRight) {
        ALine.PictureShift = ALine.Height - Gh;
        if (FloatLeft)
            FFloatLeftWidth = Sw;
        else
            FFloatRightWidth = Sw;
        // The float reaches down to the picture's bottom edge.
        FFloatBottom = ALine.Top + Sh;
        if (FloatRight) ALine.Width = FRect.Right;
        if (ALine.Drawing()) ALine.Height = Gh;
    }
}

void TMarkupLayout::Body(const String& ATag, TMarkupLinePass& ALine) {
    if (!ALine.Drawing() || O.KeepColors) return;
    const String Attributes = AttributesAfter(ATag, 5);
    const String Upper = UpperCase(Attributes);
    std::unique_ptr<TPicture> Owned;

    String Background = UpperCase(MarkupAttribute(Attributes, Upper, u"BACKGROUND"));
    if (!Background.empty()) {
        if (TRarEvads::IPos(u"IDX:", Background) > 0) Background = Background.substr(4);
        if (const TPicture* Picture = FindPicture(Background, true, false, Owned)) {
            const Integer W = Picture->Width();
            const Integer H = Picture->Height();
            if (W > 0 && H > 0) {
                for (Single Dy = 0; Dy < FRect.Height(); Dy += Single(H))
                    for (Single Dx = 0; Dx < FRect.Width(); Dx += Single(W)) {
                        const Single L = Single(Round(FRect.Left + Dx));
                        const Single T = Single(Round(FRect.Top + Dy));
                        G->DrawBitmap(L, T, L + Single(W), T + Single(H), Picture, true, false, true, false);
                    }
            }
        }
    }
    const String TopLeft = UpperCase(MarkupAttribute(Attributes, Upper, u"BGTOPLEFT"));
    if (!TopLeft.empty())
        if (const TPicture* Picture = FindPicture(TopLeft, false, false, Owned)) {
            const Single L = Single(Round(FRect.Left));
            const Single T = Single(Round(FRect.Top));
            G->DrawBitmap(L, T, L + Single(Picture->Width()), T + Single(Picture->Height()), Picture, true, false,
                          true, false);
        }
    const String TopRight = UpperCase(MarkupAttribute(Attributes, Upper, u"BGTOPRIGHT"));
    if (!TopRight.empty())
        if (const TPicture* Picture = FindPicture(TopRight, false, false, Owned)) {
            const Single R = Single(Round(FRect.Right));
            const Single T = Single(Round(FRect.Top));
            G->DrawBitmap(R - Single(Picture->Width()), T, R, T + Single(Picture->Height()), Picture, true, false,
                          true, false);
        }
    const String OneColour = MaskMarkupAttribute(Upper, u"BGCOLORTO");
    if (HasMarkupAttribute(OneColour, u"BGCOLOR")) {
        const TColor Color = MarkupColor(MarkupAttribute(Attributes, OneColour, u"BGCOLOR"), -1);
        const TColor SavedStroke = G->Stroke()->Color();
        S.BodySavedFill = G->Fill()->Color();
        // BGCOLORTO makes it a gradient, left to right unless DIR is "V".
        const TColor ColorTo = HasMarkupAttribute(Upper, u"BGCOLORTO")
                                   ? MarkupColor(MarkupAttribute(Attributes, Upper, u"BGCOLORTO"), -1)
                                   : -1;
        const bool Horizontal =
            !UpperCase(Trim(MarkupAttribute(Attributes, Upper, u"DIR"))).starts_with(u"V");
        PaintBackground(RectF(FRect.Left - 2, FRect.Top, FRect.Right, FRect.Bottom), Color, ColorTo,
                        Horizontal);
        G->SetStrokeColor(SavedStroke);
    }
}

void TMarkupLayout::Control(const String& ATag, TMarkupLinePass& ALine, TMarkupLineHits& AHits) {
    const TMarkupControl C = ParseMarkupControl(AttributesAfter(ATag, 8));
    const bool Box = C.Type == u"CHECK" || C.Type == u"RADIO";
    Double HeightValue = 25.0;
    if (!C.Height.empty() && !TryStrToFloat(C.Height, HeightValue)) HeightValue = 25.0;
    if (C.Width.empty() && !Box) return;

    Integer W = 0;
    Single BoxWidth = 0;
    Single BoxHeight = 0;
    if (TryStrToInt(C.Width, W)) {
        BoxWidth = Single(W);
        BoxHeight = Single(Round(TextHeight(u"gh"))) + 10;
    }
    // The control's height, but never less than what the line already
    // holds: a taller picture before it keeps its room.
    const Single ControlHeight = HeightValue > 25 ? Single(HeightValue - 2) : Box ? 16 : 23;
    ALine.Height = std::max(ALine.Height, ControlHeight);

    const Integer Glyph = Integer(Round(O.ControlScale * 16)) + 2;
    const bool Pressed = O.ControlDown && O.ControlDownID == C.ID;
    if (ALine.Drawing()) {
        const Single Bottom = ALine.RunBoxBottom();
        if (Box) {
            const Single T = ALine.Top + (Bottom - ALine.Top - Single(Glyph - 2)) / 2;
            const TRectF R = RectF(Single(Round(ALine.X + 1)), Single(Round(T)), Single(Round(ALine.X + Glyph - 1)),
                                   Single(Round(T + Glyph - 2)));
            const bool Checked = UpperCase(C.Value) == u"TRUE";
            if (C.Type == u"CHECK")
                G->DrawCheckBox(R, Checked, Pressed, true, 1.0f);
            else
                G->DrawRadioButton(R, Checked, Pressed, true, 1.0f);
        } else if (C.Type == u"BUTTON") {
            const Single T = ALine.Top + (Bottom - ALine.Top - 22) / 2;
            TRectF R = RectF(Single(Round(ALine.X + 2)), Single(Round(T)), Single(Round(ALine.X + Single(W) - 2)),
                             Single(Round(T + 22)));
            const bool Hot = TKelGraphics::PointInRect(PointF(Single(O.PointX), Single(O.PointY)), R);
            G->DrawButton(R, Pressed, Hot, true, true, 1.0f);
            R = RectF(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
            G->DrawText(R, C.Value, false, gtaCenter, gtaCenter, gttNone, 0, -1, -1, true);
        }
    }
    if (C.Type == u"BUTTON") BoxHeight = 22;
    if (C.Type == u"COMBO") BoxHeight = 25;
    if (Box) {
        BoxWidth = Single(Glyph);
        BoxHeight = Single(Glyph);
    }

    const Single PX = Single(O.PointX) - ALine.Left;
    const Single PY = Single(O.PointY);
    const bool Under =
        ALine.Width < PX && PX < ALine.Width + BoxWidth && ALine.Top < PY && PY < ALine.Top + BoxHeight;
    // A control asked for by its ID is reported wherever it lies.
    const bool Asked = O.HitTestOnly && !Out.ControlID.empty() && Out.ControlID == C.ID;
    if (Under || Asked) {
        AHits.Object = true;
        Out.Anchor = u"ctrl";
        FPictureUnderPoint = S.ImageCounter;
        const Single L = ALine.Left + ALine.Width;
        Out.ControlRect = RectF(L, ALine.Top, L + BoxWidth, ALine.Top + BoxHeight);
        Out.ControlValue = C.Value;
        Out.ControlID = C.ID;
        Out.ControlType = C.Type;
    }

    const Single Space = ALine.Right - ALine.Left;
    if (Space >= ALine.Width + BoxWidth || Space <= BoxWidth) {
        ALine.Width += BoxWidth;
        ALine.X += BoxWidth;
        ALine.Height = std::max(ALine.Height, BoxHeight);
    } else {
        ALine.LineFull = true;
    }
}

} // namespace detail
