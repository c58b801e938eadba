// Pictures on the drawing class: placing a picture in a rectangle and
// drawing part of a picture.

#include "kel/KelGraphics.h"
#include "kel/KelGraphicsSVGEngine.h"
#include "kel/PictureContainer.h"
#include "kel/RarEvads.h"
#include "rtl/Encoding.h"
#include "rtl/MathUtils.h"

#include <cstdio>

void TKelGraphics::GetAspectSize(Single& AWidth, Single& AHeight, Single AOriginalWidth,
                                 Single AOriginalHeight, Single ANewWidth, Single ANewHeight,
                                 bool AAspectRatio, bool AStretch, bool) {
    const Single OW = AOriginalWidth, OH = AOriginalHeight, NW = ANewWidth, NH = ANewHeight;
    if (AAspectRatio) {
        if (OW <= 0 || OH <= 0 || NW <= 0 || NH <= 0) {
            AWidth = 0;
            AHeight = 0;
        } else if (NW > OW && NH > OH && !AStretch) {
            AWidth = OW;
            AHeight = OH;
        } else if (OW / OH < NW / NH) {
            AHeight = NH;
            AWidth = NH * OW / OH;
        } else {
            AWidth = NW;
            AHeight = NW * OH / OW;
        }
    } else if (AStretch) {
        AWidth = NW;
        AHeight = NH;
    } else {
        // Cropping keeps the picture's own size as well.
        AWidth = OW;
        AHeight = OH;
    }
}

TRectF TKelGraphics::GetBitmapDrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                                            const TPicture* ABitmap, bool AAspectRatio, bool AStretch,
                                            bool ACenter, bool ACropping) {
    if (!ABitmap) return TRectF{};
    const Single AvailableWidth = Single(ARight - ALeft);
    const Single AvailableHeight = Single(ABottom - ATop);
    Single W = 0, H = 0;
    GetAspectSize(W, H, Single(ABitmap->Width()), Single(ABitmap->Height()), AvailableWidth, AvailableHeight,
                  AAspectRatio, AStretch, ACropping);
    Single DX = 0, DY = 0;
    if (ACenter || ACropping) {
        DX = Single(Round((AvailableWidth - W) / 2));
        DY = Single(Round((AvailableHeight - H) / 2));
    }
    const Single L = Single(ALeft) + DX;
    const Single T = Single(ATop) + DY;
    return RectF(L, T, L + W, T + H);
}

void TKelGraphics::DrawBitmap(Double ALeft, Double ATop, Double ARight, Double ABottom,
                              const TPicture* ABitmap, bool AAspectRatio, bool AStretch, bool ACenter,
                              bool ACropping) {
    if (!ABitmap || !ABitmap->Graphic()) return;
    const TRectF R = GetBitmapDrawRectangle(ALeft, ATop, ARight, ABottom, ABitmap, AAspectRatio, AStretch,
                                            ACenter, ACropping);
    if (IsSVGPicture(ABitmap)) {
        DrawSVGPicture(R, ABitmap);
        return;
    }
    Context()->DrawBitmap(ABitmap->Graphic(),
                          RectF(0, 0, Single(ABitmap->Width()), Single(ABitmap->Height())), R, 1);
}

void TKelGraphics::DrawBitmap(Single ALeft, Single ATop, const TPicture* ABitmap) {
    if (!ABitmap) return;
    DrawBitmap(ALeft, ATop, ALeft + ABitmap->Width(), ATop + ABitmap->Height(), ABitmap, true, false, true,
               false);
}

void TKelGraphics::DrawBitmapPart(const TRectF& ASourceRect, const TRectF& ADestinationRect,
                                  const TPicture* ABitmap, bool AAspectRatio, bool AStretch, bool ACenter,
                                  bool ACropping) {
    if (IsSVGPicture(ABitmap)) {
        // A vector picture has no pixels to cut: it is drawn whole.
        if (!IsRectEmptyF(ASourceRect) && !IsRectEmptyF(ADestinationRect)) DrawSVGPicture(ADestinationRect, ABitmap);
        return;
    }
    const std::unique_ptr<TKelBitmap> Part = DrawBitmapPartSync(ASourceRect, ADestinationRect, ABitmap);
    if (Part) DrawBitmap(ADestinationRect, Part.get(), AAspectRatio, AStretch, ACenter, ACropping);
}

std::unique_ptr<TKelBitmap> TKelGraphics::DrawBitmapPartSync(const TRectF& ASourceRect,
                                                             const TRectF& ADestinationRect,
                                                             const TPicture* ABitmap) {
    if (IsPictureEmpty(ABitmap) || IsRectEmptyF(ASourceRect) || IsRectEmptyF(ADestinationRect) ||
        IsSVGPicture(ABitmap))
        return nullptr;
    // The picture at its natural size on a bitmap of the source's size, the
    // source part at the bitmap's origin.
    const Integer Width = Integer(Round(ASourceRect.Width()));
    const Integer Height = Integer(Round(ASourceRect.Height()));
    std::unique_ptr<TKelGraphics, void (*)(TObject*)> Scratch(CreateBitmapCanvas(Width, Height, FNative),
                                                              &Free);
    Scratch->BeginScene();
    Scratch->DrawBitmap(-ASourceRect.Left, -ASourceRect.Top, Width - ASourceRect.Left,
                        Height - ASourceRect.Top, ABitmap, false, false, false, false);
    Scratch->EndScene();
    auto Part = std::make_unique<TKelBitmap>();
    Part->SetGraphic(Scratch->Bitmap());
    return Part;
}

// ---- SVG pictures, named and per-scale pictures -----------------------------------------

namespace {

TKelGraphicsSVGImport* SVGEngineOf(const TPicture* ABitmap) {
    auto* Picture = ABitmap ? dynamic_cast<const TKelSVGBitmap*>(ABitmap->Graphic()) : nullptr;
    return Picture && Picture->HasSVG() ? dynamic_cast<TKelGraphicsSVGImport*>(Picture->SVG()) : nullptr;
}

bool HoldsPicture(const TPicture* ABitmap) {
    return ABitmap && ABitmap->Graphic() && !ABitmap->Graphic()->Empty();
}

// A scale as a name suffix: up to 15 significant digits, always with ".".
String ScaleText(Single AScale) {
    char Text[40];
    std::snprintf(Text, sizeof Text, "%.15g", Double(AScale));
    String Result = FromUtf8(Text);
    for (Char& C : Result)
        if (C == u',') C = u'.';
    return Result;
}

} // namespace

bool TKelGraphics::IsSVGPicture(const TPicture* ABitmap) {
    return SVGEngineOf(ABitmap) != nullptr;
}

void TKelGraphics::DrawSVGPicture(const TRectF& ARect, const TPicture* ABitmap) {
    if (TKelGraphicsSVGImport* Engine = SVGEngineOf(ABitmap)) Engine->Draw(this, ARect, true, true);
}

TPicture* TKelGraphics::GetBitmapFromPictureContainer(TPictureContainer* APictureContainer, const String& AName,
                                                      bool AApplyScale, Single AScale) {
    if (!APictureContainer || AName.empty()) return nullptr;
    if (AApplyScale) {
        const Single Scale = AScale > 0 ? AScale : TRarEvads::GetDPIScale();
        if (TPicture* Scaled = APictureContainer->FindBitmap(AName + u"_" + ScaleText(Scale))) return Scaled;
    }
    return APictureContainer->FindBitmap(AName);
}

void TKelGraphics::DrawBitmapWithName(const TRectF& ARect, const String& ABitmapName, bool AApplyScale,
                                      Single AScale, bool AAspectRatio, bool AStretch, bool ACenter,
                                      bool ACropping) {
    if (TPicture* Picture = GetBitmapFromPictureContainer(FPictureContainer, ABitmapName, AApplyScale, AScale))
        DrawBitmap(ARect, Picture, AAspectRatio, AStretch, ACenter, ACropping);
}

TPicture* TKelGraphics::GetScaledBitmap(const TKelScaledBitmaps* ABitmaps, Single AScale,
                                        TPictureContainer* APictureContainer) {
    if (!ABitmaps) return nullptr;
    const Single Scale = AScale > 0 ? AScale : TRarEvads::GetDPIScale();
    TKelScaledBitmap* Item = ABitmaps->GetItemByScale(Scale);
    if (!Item) return nullptr;
    if (HoldsPicture(Item->Bitmap())) return Item->Bitmap();
    TPicture* Named = GetBitmapFromPictureContainer(APictureContainer, Item->BitmapName(), true, AScale);
    if (HoldsPicture(Named)) return Named;
    Named = GetBitmapFromPictureContainer(APictureContainer, Item->BitmapName(), false, AScale);
    return HoldsPicture(Named) ? Named : nullptr;
}

void TKelGraphics::DrawScaledBitmap(const TRectF& ARect, const TKelScaledBitmaps* ABitmaps, Single AScale,
                                    bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
    if (TPicture* Picture = GetScaledBitmap(ABitmaps, AScale, FPictureContainer))
        DrawBitmap(ARect, Picture, AAspectRatio, AStretch, ACenter, ACropping);
}
