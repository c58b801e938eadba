#include "kel/KelBitmap.h"

#include "kel/KelGraphicsSVGEngine.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Stream.h"

#include <cmath>

const TClassInfo& TKelBitmap::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelBitmap, TPicture>().Build();
    return Info;
}

// ---- The SVG picture ---------------------------------------------------------------

const TClassInfo& TKelSVGBitmap::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelSVGBitmap, TGraphic>().Build();
    return Info;
}

TKelSVGBitmap::TKelSVGBitmap() : FSVG(std::make_unique<TKelGraphicsSVGImport>()) {}

TKelSVGBitmap::~TKelSVGBitmap() = default;

bool TKelSVGBitmap::HasSVG() const {
    return FSVG->HasElements();
}

void TKelSVGBitmap::ClearSVG() {
    FSVG->Clear();
}

void TKelSVGBitmap::LoadSVGFromFile(const String& FileName) {
    FSVG->LoadFromFile(FileName);
}

void TKelSVGBitmap::LoadSVGFromStream(TStream* Stream) {
    FSVG->LoadFromStream(Stream);
}

void TKelSVGBitmap::SaveSVGToStream(TStream* Stream) const {
    FSVG->SaveToStream(Stream);
}

void TKelSVGBitmap::AssignSVG(const TKelSVGBitmap& Source) {
    if (&Source == this) return;
    FSVG->Clear();
    if (!Source.HasSVG()) return;
    TMemoryStream Text;
    Source.SaveSVGToStream(&Text);
    Text.SetPosition(0);
    FSVG->LoadFromStream(&Text);
}

Integer TKelSVGBitmap::Width() const {
    return HasSVG() ? Integer(std::lround(FSVG->ViewRect().Width())) : 0;
}

Integer TKelSVGBitmap::Height() const {
    return HasSVG() ? Integer(std::lround(FSVG->ViewRect().Height())) : 0;
}
