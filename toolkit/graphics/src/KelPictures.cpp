#include "graphics/Picture.h"
#include "kel/KelBitmap.h"
#include "kel/KelTypes.h"
#include "kel/RarEvads.h"

bool IsPictureEmpty(const TPicture* APicture) {
    const TGraphic* graphic = PictureGraphic(APicture);
    return !graphic || graphic->Empty();
}

TGraphic* PictureGraphic(const TPicture* APicture) {
    return APicture ? APicture->Graphic() : nullptr;
}

void LoadBitmapFromResource(TPicture* APicture, const String& AResourceName, HINSTANCE AInstance) {
    const std::unique_ptr<TMemoryStream> stream =
        TRarEvads::GetResourceStream(AResourceName, AInstance ? AInstance : TRarEvads::GetHInstance());
    if (stream) APicture->LoadFromStream(stream.get());
}

std::unique_ptr<TKelBitmap> CreateBitmapFromResource(const String& AResourceName, HINSTANCE AInstance) {
    auto Picture = std::make_unique<TKelBitmap>();
    LoadBitmapFromResource(Picture.get(), AResourceName, AInstance);
    return Picture;
}
