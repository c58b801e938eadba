// Picture-format sniffing and pictures to and from encoded text.

#include "graphics/Picture.h"
#include "kel/KelBitmap.h"
#include "kel/RarEvads.h"
#include "rtl/Exception.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

struct TImageSignature {
    const Char* Type;
    std::array<Byte, 4> Bytes;
    std::size_t Length;
};

// Tested in this order; the first whose bytes start the data wins.
constexpr TImageSignature ImageSignatures[] = {
    {u".gif", {0x47, 0x49, 0x46}, 3},           {u".bmp", {0x42, 0x4D}, 2},
    {u".png", {0x89, 0x50, 0x4E, 0x47}, 4},     {u".tiff", {0x49, 0x49, 0x2A}, 3},
    {u".tiff", {0x4D, 0x4D, 0x2A}, 3},          {u".jpg", {0xFF, 0xD8, 0xFF, 0xE0}, 4},
    {u".jpg", {0xFF, 0xD8, 0xFF, 0xE1}, 4},     {u".jpg", {0xFF, 0xD8, 0xFF, 0xDB}, 4},
    {u".unknown", {0x00, 0x00, 0x01, 0x00}, 4}, {u".empty", {0x00, 0x00, 0x00, 0x00}, 4},
};

// The bytes a picture saves, in its own format; empty without a graphic.
TBytes SavedPicture(const TPicture* APicture) {
    TBytesStream stream;
    if (APicture && APicture->Graphic()) APicture->SaveToStream(&stream);
    return stream.Bytes();
}

bool HasGraphic(const TPicture* APicture) {
    return APicture && APicture->Graphic() && !APicture->Graphic()->Empty();
}

// Data starting with `prefix` at `offset`, all inside the buffer.
bool BytesAt(const Byte* buffer, Int64 size, Int64 offset, std::initializer_list<Byte> prefix) {
    if (offset + Int64(prefix.size()) > size) return false;
    return std::memcmp(buffer + offset, prefix.begin(), prefix.size()) == 0;
}

} // namespace

String TRarEvads::GetImageType(TStream* AData, bool AResetPosition) {
    const Int64 position = AData->Position();
    if (AResetPosition) AData->SetPosition(0);
    std::array<Byte, 4> head{};
    const Int64 read = AData->Read(head.data(), Int64(head.size()));
    AData->SetPosition(position);
    if (read < Int64(head.size())) return String();
    for (const TImageSignature& signature : ImageSignatures)
        if (std::memcmp(head.data(), signature.Bytes.data(), signature.Length) == 0) return signature.Type;
    return String();
}

String TRarEvads::GetImageType(const TPicture* ABitmap) {
    TBytesStream stream(SavedPicture(ABitmap));
    return GetImageType(&stream, true);
}

bool TRarEvads::FindGraphicClass(const Byte* Buffer, Int64 BufferSize, const TGraphicClass*& GraphicClass) {
    GraphicClass = nullptr;
    if (!Buffer || BufferSize <= 0) return false;
    // The extension of the picture class that reads the data; TIFF and
    // metafiles are recognised but have no picture class here.
    const Char* extension = nullptr;
    if (BytesAt(Buffer, BufferSize, 0, {0x49, 0x49, 0x2A, 0x00}))
        extension = nullptr;
    else if (BytesAt(Buffer, BufferSize, 0, {0x42, 0x4D}))
        extension = u"bmp";
    else if (BytesAt(Buffer, BufferSize, 0, {0x4D, 0x4D, 0x00, 0x2A}))
        extension = nullptr;
    else if (BytesAt(Buffer, BufferSize, 0, {0xFF, 0xD8}))
        extension = u"jpg";
    else if (BytesAt(Buffer, BufferSize, 0, {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}))
        extension = u"png";
    else if (BytesAt(Buffer, BufferSize, 0, {0xD7, 0xCD, 0xC6, 0x9A}) ||
             (BytesAt(Buffer, BufferSize, 0, {0x01, 0x00, 0x00, 0x00}) &&
              BytesAt(Buffer, BufferSize, 40, {0x20, 0x45, 0x4D, 0x46})))
        extension = nullptr;
    else if (BytesAt(Buffer, BufferSize, 0, {0x47, 0x49, 0x46}))
        extension = u"gif";
    else if (BytesAt(Buffer, BufferSize, 2, {0x01, 0x00}))
        extension = u"ico";
    if (extension) GraphicClass = TPicture::FindGraphicClass(extension);
    return GraphicClass != nullptr;
}

String TRarEvads::SaveBitmapToBase64(const TPicture* ABitmap, bool AURL) {
    if (!HasGraphic(ABitmap)) return String();
    TBytesStream stream(SavedPicture(ABitmap));
    return SaveStreamToBase64(&stream, AURL);
}

String TRarEvads::SaveBitmapToHexStr(const TPicture* ABitmap) {
    if (!HasGraphic(ABitmap)) return String();
    TBytesStream stream(SavedPicture(ABitmap));
    return SaveStreamToHexStr(&stream);
}

void TRarEvads::LoadBitmapFromBase64(const String& ABase64, TPicture* ABitmap, bool AURL) {
    // A data URL ("data:image/png;base64,...") carries the data after the marker.
    constexpr std::u16string_view marker = u";base64,";
    String data = ABase64;
    if (const std::size_t at = data.find(marker); at != String::npos) data.erase(0, at + marker.size());
    TBytesStream stream(Decode64ToBytes(data, AURL));
    ABitmap->LoadFromStream(&stream);
}

void TRarEvads::LoadBitmapFromHexStr(const String& AHexStr, TPicture* ABitmap) {
    const TBytes bytes = HexStrToBytes(AHexStr);
    if (std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()).find(";base64,") !=
        std::string_view::npos)
        return;
    const TGraphicClass* graphicClass = nullptr;
    if (!FindGraphicClass(bytes.data(), Int64(bytes.size()), graphicClass)) return;
    const std::unique_ptr<TGraphic> graphic = graphicClass->Create();
    TBytesStream stream(bytes);
    graphic->LoadFromStream(&stream);
    ABitmap->SetGraphic(graphic.get());
}

std::unique_ptr<TKelBitmap> TRarEvads::CreateBitmapFromBase64(const String& ABase64, bool AURL) {
    auto Picture = std::make_unique<TKelBitmap>();
    LoadBitmapFromBase64(ABase64, Picture.get(), AURL);
    return Picture;
}

std::unique_ptr<TKelBitmap> TRarEvads::CreateBitmapFromHexStr(const String& AHexStr) {
    auto Picture = std::make_unique<TKelBitmap>();
    LoadBitmapFromHexStr(AHexStr, Picture.get());
    return Picture;
}
