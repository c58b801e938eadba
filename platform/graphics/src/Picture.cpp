#include "graphics/Picture.h"

#include "os/FilePath.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Stream.h"
#include "rtl/StringUtils.h"

#include <vector>

const TClassInfo& TPicture::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TPicture, TPersistent>().Build();
    return Info;
}

namespace {

struct TFileFormat {
    String Extension; // lower case, no dot
    String Description;
    TGraphicClass Class;
};

template <class T>
TGraphicClass Builtin(TImageFileFormat format) {
    TGraphicClass c = GraphicClassOf<T>();
    c.CanLoadFromStream = [format](TStream* stream) {
        Byte head[8] = {};
        const Int64 start = stream->Position();
        const Int64 read = stream->Read(head, sizeof head);
        stream->SetPosition(start);
        return SniffImageFormat(std::span<const Byte>(head, std::size_t(read))) == format;
    };
    return c;
}

std::vector<TFileFormat>& Formats() {
    static std::vector<TFileFormat> formats{
        {u"bmp", u"Bitmaps", Builtin<TBitmap>(TImageFileFormat::Bmp)},
        {u"ico", u"Icons", Builtin<TIcon>(TImageFileFormat::Icon)},
        {u"png", u"Portable Network Graphics", Builtin<TPngImage>(TImageFileFormat::Png)},
        {u"jpg", u"JPEG Image File", Builtin<TJPEGImage>(TImageFileFormat::Jpeg)},
        {u"jpeg", u"JPEG Image File", Builtin<TJPEGImage>(TImageFileFormat::Jpeg)},
        {u"jpe", u"JPEG Image File", Builtin<TJPEGImage>(TImageFileFormat::Jpeg)},
        {u"gif", u"GIF Image", Builtin<TGIFImage>(TImageFileFormat::Gif)},
    };
    return formats;
}

String ExtensionOf(const String& fileName) {
    String ext = ExtractFileExt(fileName);
    if (!ext.empty()) ext.erase(0, 1);
    return LowerCase(ext);
}

} // namespace

void TPicture::RegisterFileFormat(const String& Extension, const String& Description,
                                  TGraphicClass GraphicClass) {
    const String ext = LowerCase(Extension);
    for (auto& f : Formats())
        if (f.Extension == ext) {
            f = {ext, Description, std::move(GraphicClass)};
            return;
        }
    Formats().push_back({ext, Description, std::move(GraphicClass)});
}

void TPicture::UnregisterGraphicClass(const String& ClassName) {
    std::erase_if(Formats(), [&](const TFileFormat& f) { return f.Class.ClassName == ClassName; });
}

const TGraphicClass* TPicture::FindGraphicClass(const String& Extension) {
    const String ext = LowerCase(Extension);
    for (const auto& f : Formats())
        if (f.Extension == ext) return &f.Class;
    return nullptr;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(const TGraphic* value) {
    if (!value) {
        Adopt(nullptr);
        return;
    }
    const TClassInfo& info = value->ClassType();
    std::unique_ptr<TGraphic> copy(static_cast<TGraphic*>(info.Factory ? info.Factory(nullptr) : nullptr));
    if (!copy) throw EInvalidGraphicOperation(u"Cannot copy a " + info.Name);
    copy->Assign(value);
    Adopt(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return bitmap;
    auto bitmap = std::make_unique<TBitmap>();
    if (FGraphic) bitmap->Assign(FGraphic.get());
    Adopt(std::move(bitmap));
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const String& FileName) {
    const String ext = ExtensionOf(FileName);
    const TGraphicClass* graphicClass = FindGraphicClass(ext);
    if (!graphicClass) throw EInvalidGraphic(u"Unknown picture file extension (." + ext + u")");
    std::unique_ptr<TGraphic> graphic = graphicClass->Create();
    graphic->LoadFromFile(FileName);
    Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const String& FileName) const {
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream) {
    // Raster signatures first, then the other registered classes in the
    // order they registered.
    for (const auto& f : Formats()) {
        if (!f.Class.CanLoadFromStream || !f.Class.CanLoadFromStream(Stream)) continue;
        std::unique_ptr<TGraphic> graphic = f.Class.Create();
        graphic->LoadFromStream(Stream);
        Adopt(std::move(graphic));
        return;
    }
    throw EInvalidGraphic(u"Unknown picture format");
}

void TPicture::SaveToStream(TStream* Stream) const {
    if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::Assign(const TPersistent* Source) {
    if (!Source) {
        SetGraphic(nullptr);
    } else if (const auto* picture = dynamic_cast<const TPicture*>(Source)) {
        SetGraphic(picture->Graphic());
    } else if (const auto* graphic = dynamic_cast<const TGraphic*>(Source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(Source);
    }
}
