#include "KelPictureBytes.h"

#include "graphics/Graphic.h"
#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/StringUtils.h"

#include <new>
#include <span>

namespace KelPictureBytes {

namespace {

bool IsRaster(TStream* Stream) {
    return !TRarEvads::GetImageType(Stream, true).empty();
}

std::span<const Byte> BytesOf(const TMemoryStream& Data) {
    return {Data.Memory(), static_cast<std::size_t>(const_cast<TMemoryStream&>(Data).Size())};
}

} // namespace

void Read(TKelSVGBitmap& Picture, TMemoryStream& Data, TStream* Stream) {
    if (IsRaster(Stream)) {
        Picture.ClearSVG();
        Data.LoadFromStream(*Stream);
    } else {
        Data.Clear();
        Picture.LoadSVGFromStream(Stream);
    }
}

void ReadFile(TKelSVGBitmap& Picture, TMemoryStream& Data, const String& FileName) {
    TMemoryStream File;
    File.LoadFromFile(FileName);
    Read(Picture, Data, &File);
}

void Write(const TKelSVGBitmap& Picture, const TMemoryStream& Data, TStream* Stream) {
    if (!Stream) return;
    if (Picture.HasSVG())
        Picture.SaveSVGToStream(Stream);
    else {
        const std::span<const Byte> Bytes = BytesOf(Data);
        Stream->Write(Bytes.data(), Int64(Bytes.size()));
    }
}

std::unique_ptr<TGPImage> Decode(const TMemoryStream& Data) {
    const std::span<const Byte> Bytes = BytesOf(Data);
    if (Bytes.empty()) return nullptr;
    std::unique_ptr<TGPImage> Image;
    try {
        Image = std::make_unique<TGPImage>(Bytes);
    } catch (const std::bad_alloc&) {
        throw Exception(u"Could not allocate memory for image");
    }
    if (!Image->nativeImage) return nullptr;
    return Image;
}

void StretchDrawBitmap(TCanvas* ACanvas, const TRect& Rect, const TMemoryStream& Data, bool Transparent) {
    TBitmap Bitmap;
    TMemoryStream Bytes;
    Bytes.LoadFromStream(const_cast<TMemoryStream&>(Data));
    Bytes.SetPosition(0);
    Bitmap.LoadFromStream(&Bytes);
    Bitmap.SetTransparentMode(tmAuto);
    Bitmap.SetTransparent(Transparent);
    ACanvas->StretchDraw(Rect, &Bitmap);
}

std::unique_ptr<TMemoryStream> Resource(HINSTANCE Instance, const String& ResName) {
    return TRarEvads::GetResourceStream(ResName, Instance);
}

std::unique_ptr<TMemoryStream> ResourceByID(HINSTANCE Instance, Integer ResID) {
    const String Name = u"#" + IntToStr(ResID);
    std::unique_ptr<TMemoryStream> Stream = TRarEvads::GetResourceStream(Name, Instance);
    if (!Stream) throw EResNotFound(u"Resource " + Name + u" not found");
    return Stream;
}

bool StripPrefix(const String& URL, const String& Prefix, String& Rest) {
    if (!UpperCase(URL).starts_with(Prefix)) return false;
    Rest = URL.substr(Prefix.size());
    return true;
}

} // namespace KelPictureBytes
