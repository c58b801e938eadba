// The inline objects of the cell markup renderer: pictures, form controls,
// emoji and system icons, and the pictures of BODY.

#include "MarkupLayout.h"

#include "gridbase/MarkupControls.h"
#include "gridbase/MarkupEntities.h"

#include "graphics/DeviceContext.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/ImageList.h"
#include "kel/PictureContainer.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"

#include <algorithm>

namespace detail::cellmarkup {

namespace {

String UpperAscii(String AText) {
    for (Char& Ch : AText)
        if (Ch >= u'a' && Ch <= u'z') Ch = Char(Ch - u'a' + u'A');
    return AText;
}

Integer Scaled(double AValue, double AScale) { return Integer(Round(AValue * AScale)); }

// A file-type icon stands for the system's: a page with a folded corner.
void DrawFileIcon(TCanvas* ACanvas, const TRect& ABox) {
    const Integer Fold = std::max(ABox.Width() / 4, 2);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(clWhite);
    ACanvas->Pen()->SetColor(clGray);
    ACanvas->Polygon({{ABox.Left + 1, ABox.Top},
                      {ABox.Right - 1 - Fold, ABox.Top},
                      {ABox.Right - 2, ABox.Top + Fold},
                      {ABox.Right - 2, ABox.Bottom - 1},
                      {ABox.Left + 1, ABox.Bottom - 1}});
}

} // namespace

void TMarkupLayout::DrawGraphic(TGraphic* AGraphic, const TRect& ABox) {
    if (!AGraphic || ABox.IsEmpty()) return;
    C->StretchDraw(ABox, AGraphic);
}

TGraphic* TMarkupLayout::FindPicture(const String& ASource, bool AUseCache) {
    if (ASource.empty()) return nullptr;
    if (ASource.find(u"://") != String::npos) {
        if (!AUseCache || !P.PictureCache) return nullptr;
        if (THTMLPicture* Found = P.PictureCache->FindPicture(ASource)) return Found;
        THTMLPicture* Added = P.PictureCache->AddPicture();
        Added->SetID(ASource);
        Added->SetAsynch(false);
        try {
            Added->LoadFromURL(ASource);
        } catch (const Exception&) {
            // Data no picture class reads leaves the picture empty: it is
            // shown as missing, and the paint goes on.
            Added->Assign(nullptr);
        }
        return Added;
    }
    if (ASource.find(u':') != String::npos || !P.PictureContainer) return nullptr;
    return P.PictureContainer->FindPicture(ASource);
}

void TMarkupLayout::DrawBodyPictures(const String& AAttributes, const String& AUpper) {
    const String& Values = Static() ? AAttributes : AUpper;
    auto Source = [&](std::u16string_view AName) -> TGraphic* {
        const auto Value = MarkupAttributeValue(Values, AName);
        if (!Value) return nullptr;
        TGraphic* Graphic = FindPicture(*Value, true);
        return Graphic && !Graphic->Empty() && Graphic->Width() > 0 && Graphic->Height() > 0 ? Graphic : nullptr;
    };
    if (TGraphic* Tile = Source(u"BACKGROUND")) {
        const Integer Saved = winapi::SaveDC(C->Handle());
        winapi::IntersectClipRect(C->Handle(), P.Rect.Left, P.Rect.Top, P.Rect.Right, P.Rect.Bottom);
        for (Integer Y = P.Rect.Top; Y < P.Rect.Bottom; Y += Tile->Height())
            for (Integer X = P.Rect.Left; X < P.Rect.Right; X += Tile->Width())
                C->Draw(X, Y, Tile);
        winapi::RestoreDC(C->Handle(), Saved);
    }
    if (!Static()) return;
    if (TGraphic* Corner = Source(u"BGTOPLEFT")) C->Draw(P.Rect.Left, P.Rect.Top, Corner);
    if (TGraphic* Corner = Source(u"BGTOPRIGHT")) C->Draw(P.Rect.Right - Corner->Width(), P.Rect.Top, Corner);
}

bool TMarkupLayout::Picture(const String& ATag, TMarkupLine& L) {
    ++S.PictureCount;
    const String Raw = MarkupAttributeText(ATag);
    const String Upper = UpperAscii(Raw);
    // The static text keeps the case of its sources.
    const String& Sources = Static() ? Raw : Upper;
    String Src = MarkupAttributeValue(Sources, u"SRC").value_or(u"");
    if (const auto Alt = MarkupAttributeValue(Sources, u"ALT"); Alt && S.PictureCount == FPictureHit) Src = *Alt;
    // Addresses keep their case: the path of a file address names a file
    // on a file system that tells cases apart.
    if (Src.find(u"://") != String::npos) {
        const auto RawSrc = MarkupAttributeValue(Raw, u"SRC");
        const auto RawAlt = MarkupAttributeValue(Raw, u"ALT");
        Src = RawAlt && S.PictureCount == FPictureHit ? *RawAlt : RawSrc.value_or(Src);
    }
    const auto WidthValue = MarkupAttributeValue(Upper, u"WIDTH");
    const auto HeightValue = MarkupAttributeValue(Upper, u"HEIGHT");
    const double Scale = P.ControlScale;
    const Integer GivenW = WidthValue ? Scaled(MarkupNumber(*WidthValue), Scale) : 0;
    const Integer GivenH = HeightValue ? Scaled(MarkupNumber(*HeightValue), Scale) : 0;

    Integer RoomW = 0, RoomH = 0;
    std::function<void(const TRect&)> Paint;
    const auto Source = MarkupPictureSource(Src);
    if (Source && Source->Kind == TMarkupPictureKind::ImageList) {
        const Integer Index = StrToIntDef(Source->Name, -1);
        if (P.Images && Index >= 0 && Index < P.Images->Count()) {
            RoomW = P.Images->Width();
            RoomH = P.Images->Height();
            if (P.StretchImages) {
                RoomW = Scaled(RoomW, P.ImageScale);
                RoomH = Scaled(RoomH, P.ImageScale);
            }
            TCustomImageList* Images = P.Images;
            const bool Stretch = P.StretchImages;
            Paint = [this, Images, Index, Stretch](const TRect& Box) {
                if (!Stretch) {
                    Images->Draw(C, Box.Left, Box.Top, Index);
                    return;
                }
                TBitmap Copy;
                Copy.SetSize(Images->Width(), Images->Height());
                Copy.Canvas()->Brush()->SetColor(FEntryBackground == clNone ? clWhite : FEntryBackground);
                Copy.Canvas()->FillRect({0, 0, Images->Width(), Images->Height()});
                Images->Draw(Copy.Canvas(), 0, 0, Index);
                C->StretchDraw(Box, &Copy);
            };
        }
    } else if (Source && (Source->Kind == TMarkupPictureKind::SmallSystemIcon ||
                          Source->Kind == TMarkupPictureKind::LargeSystemIcon)) {
        RoomW = RoomH = Source->Kind == TMarkupPictureKind::SmallSystemIcon ? 16 : 32;
        if (P.StretchImages) RoomW = RoomH = Scaled(RoomW, P.ImageScale);
        Paint = [this](const TRect& Box) { DrawFileIcon(C, Box); };
    } else if (Source) {
        TGraphic* Graphic = FindPicture(Source->Name, Source->Kind == TMarkupPictureKind::Cache);
        if (Graphic && !Graphic->Empty() && Graphic->Width() > 0 && Graphic->Height() > 0) {
            const Integer PW = Graphic->Width(), PH = Graphic->Height();
            if (WidthValue && HeightValue) {
                RoomW = GivenW;
                RoomH = GivenH;
            } else if (WidthValue) {
                RoomW = GivenW;
                RoomH = Integer(Round(double(PH) * GivenW / PW));
            } else if (HeightValue) {
                RoomH = GivenH;
                RoomW = Integer(Round(double(PW) * GivenH / PH));
            } else {
                RoomW = Scaled(PW, Scale);
                RoomH = Scaled(PH, Scale);
            }
            Paint = [this, Graphic](const TRect& Box) { DrawGraphic(Graphic, Box); };
        }
    }

    const Integer Available = L.Right - L.Left;
    if (!L.Drawing) {
        if (L.Width + RoomW > Available && RoomW < Available && L.Placed) {
            --S.PictureCount;
            L.Full = true;
            return false;
        }
        // A picture inside an anchor is hit over its room.
        const Integer HX = P.HitX - L.Left;
        if (!P.MeasureOnly && S.AnchorOpen && HX >= L.Width && HX < L.Width + RoomW && P.HitY >= L.Top &&
            P.HitY < L.Top + RoomH) {
            R.Hit = true;
            R.Anchor = S.Href;
            R.AnchorTitle = S.Title;
            FPictureHit = S.PictureCount;
        }
    } else if (L.Paint && Paint && RoomW > 0 && RoomH > 0) {
        Paint(Bounds(L.X, L.Top, RoomW, RoomH));
    }
    L.Width += RoomW + 2;
    L.X += RoomW + 2;
    L.Placed = true;
    if (L.Drawing) return true;
    L.Height = std::max(L.Height, RoomH);
    // Where the line's text stands beside the picture.
    const bool Top = Upper.find(u"\"TOP") != String::npos;
    const bool Middle = Upper.find(u"\"MIDDLE") != String::npos;
    const auto Float = MarkupAttributeValue(Upper, u"FLOAT");
    if (Top || (Float && (*Float == u"LEFT" || *Float == u"RIGHT")))
        L.PictureOffset = std::max(L.Height - L.GH, 0);
    else if (Middle)
        L.PictureOffset = std::max((L.Height - L.GH) / 2, 0);
    if (Upper.find(u"WRAP") != String::npos) {
        L.Height = L.GH;
        L.PictureOffset = 0;
    }
    if (Float && (*Float == u"LEFT" || *Float == u"RIGHT") && RoomW > 0) {
        FFloatTop = L.Top;
        FFloatHeight = RoomH;
        if (*Float == u"LEFT") {
            FFloatLeft = RoomW + 2;
        } else {
            FFloatRight = RoomW + 2;
            L.Full = true;
        }
        // The following lines run beside the picture.
        L.Height = L.GH;
        L.PictureOffset = 0;
    }
    return true;
}

bool TMarkupLayout::Control(const String& ATag, TMarkupLine& L) {
    const TMarkupControl Ctl = ParseControlTag(MarkupAttributeText(ATag));
    const double Scale = P.ControlScale;
    const auto HeightValue = MarkupStrictNumber(Ctl.Height);
    const Integer G = Scaled(HeightValue ? *HeightValue : 25, Scale);
    if (Ctl.Width.empty()) return true;
    const Integer Width = Scaled(MarkupNumber(Ctl.Width), Scale);
    const bool Check = Ctl.Type == u"CHECK" || Ctl.Type == u"RADIO";
    Integer HitW = MarkupStrictNumber(Ctl.Width) ? Width : 0;
    Integer HitH = L.GH + 10;
    if (Ctl.Type == u"BUTTON" || Ctl.Type == u"COMBO") HitH = Scaled(25, Scale);
    if (Check) {
        HitH = Scaled(16, Scale);
        HitW = Scaled(16 * Scale, P.ImageScale);
    }
    const Integer LineHeight = G > 25 * Scale ? G - 2 : Scaled(Check ? 16 : 23, Scale);
    if (!L.Drawing) {
        if (L.Width + HitW > L.Right - L.Left && HitW < L.Right - L.Left && L.Placed) {
            L.Full = true;
            return false;
        }
        L.Height = std::max({L.Height, LineHeight, HitH});
        L.Width += HitW;
        L.X += HitW;
        L.Placed = true;
        return true;
    }
    const TRect Box{L.Left + L.Width, L.Top, L.Left + L.Width + HitW, L.Top + HitH};
    const bool Hot = P.HitX >= Box.Left && P.HitX < Box.Right && P.HitY >= Box.Top && P.HitY < Box.Bottom;
    if (Hot || (P.HitTestOnly && !R.ControlID.empty() && R.ControlID == Ctl.ID)) {
        R.Hit = true;
        R.Anchor = u"ctrl";
        R.ControlRect = Box;
        R.ControlValue = Ctl.Value;
        R.ControlID = Ctl.ID;
        R.ControlType = Ctl.Type;
    }
    if (L.Paint) {
        const Integer B = L.Bottom - L.KnownSubDrop, H = L.Height, X = L.X;
        const Integer S16 = Scaled(16, Scale), S14 = Scaled(14, Scale), S18 = Scaled(18, Scale);
        C->Pen()->SetColor(clGray);
        C->Pen()->SetWidth(1);
        const Cardinal Text = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        const bool Checked = UpperAscii(Ctl.Value) == u"TRUE";
        if (Ctl.Type == u"EDIT" || Ctl.Type == u"PASSWORD" || Ctl.Type == u"MASK") {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(clWhite);
            C->Rectangle(X, B - H + 4, X + Width, B + 2);
            TRect Inner{X + 2, B - H + 4, X + Width, B};
            SelectFont();
            winapi::DrawText(C->Handle(), Ctl.Type == u"PASSWORD" ? PasswordMask(Ctl.Value) : Ctl.Value, Inner,
                             Text);
        } else if (Ctl.Type == u"COMBO") {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(clWhite);
            C->Rectangle(X, B - H + 4, X + Width, B + 1);
            TRect Inner{X + 4, B - H + 4, X + Width - S18, B};
            SelectFont();
            winapi::DrawText(C->Handle(), Ctl.Value, Inner, Text);
            TRect Button{X + Width - S18, B - H + 5, X + Width - 1, B + 1};
            winapi::DrawFrameControl(C->Handle(), Button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        } else if (Ctl.Type == u"CHECK") {
            TRect Frame{X + 2, B - S16 + 1, X + S16 - 1, B};
            winapi::DrawFrameControl(C->Handle(), Frame, DFC_BUTTON,
                                     DFCS_BUTTONCHECK | DFCS_FLAT | (Checked ? Cardinal(DFCS_CHECKED) : 0u));
        } else if (Ctl.Type == u"RADIO") {
            TRect Frame{X + 2, B - S14, X + S14, B};
            winapi::DrawFrameControl(C->Handle(), Frame, DFC_BUTTON,
                                     DFCS_BUTTONRADIO | DFCS_FLAT | (Checked ? Cardinal(DFCS_CHECKED) : 0u));
        } else if (Ctl.Type == u"BUTTON") {
            TRect Frame{X + 2, B - G, X + Width - 2, B};
            const bool InIt = P.HitX >= Frame.Left && P.HitX < Frame.Right && P.HitY >= Frame.Top &&
                              P.HitY < Frame.Bottom;
            const bool Pressed = P.PressedControl && P.PressedControlID == Ctl.ID && InIt;
            TRect Face = Frame;
            winapi::DrawFrameControl(C->Handle(), Face, DFC_BUTTON,
                                     DFCS_BUTTONPUSH | (Pressed ? Cardinal(DFCS_PUSHED) : 0u));
            TRect Caption{Frame.Left + 2, Frame.Top + 2, Frame.Right - 2, Frame.Bottom - 2};
            SelectFont();
            winapi::DrawText(C->Handle(), Ctl.Value, Caption, Text | DT_CENTER);
        }
    }
    L.Width += HitW;
    L.X += HitW;
    L.Placed = true;
    return true;
}

void TMarkupLayout::Emoji(const String& ATag, TMarkupLine& L) {
    if (S.Hidden) return;
    const auto Glyph = MarkupEmojiOf(ATag);
    if (!Glyph) return;
    const Integer Advance = TextHeight(u"gh");
    if (L.Paint) {
        TRect Box{L.X, L.Top - 2, L.X + 100, L.Bottom - L.KnownSubDrop - L.PictureOffset};
        SelectFont();
        winapi::DrawText(C->Handle(), *Glyph, Box, DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX | DT_NOCLIP);
    }
    L.X += Advance;
}

} // namespace detail::cellmarkup
