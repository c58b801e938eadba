#include "kel/KelBitmap.h"

#include "kel/KelGraphicsSVGEngine.h"
#include "kel/RarEvads.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"

#include <cstring>

// ---- The SVG picture ---------------------------------------------------------------

const TClassInfo& TKelSVGImport::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TKelSVGImport, TPersistent>()
            .Property(u"GrayScale", &TKelSVGImport::GrayScale, &TKelSVGImport::SetGrayScale)
            .Default(false)
            .Property(u"CustomFillColor", TypeInfo_TColor(), &TKelSVGImport::CustomFillColor,
                      &TKelSVGImport::SetCustomFillColor)
            .Default(TColor(-1))
            .Property(u"CustomStrokeColor", TypeInfo_TColor(), &TKelSVGImport::CustomStrokeColor,
                      &TKelSVGImport::SetCustomStrokeColor)
            .Default(TColor(-1))
            .Property(u"TintColor", TypeInfo_TColor(), &TKelSVGImport::TintColor,
                      &TKelSVGImport::SetTintColor)
            .Default(TColor(-1))
            .Property(u"CustomOpacity", &TKelSVGImport::CustomOpacity, &TKelSVGImport::SetCustomOpacity)
            .Property(u"RotationAngle", &TKelSVGImport::RotationAngle, &TKelSVGImport::SetRotationAngle)
            .Build();
    return Info;
}

const TClassInfo& TKelSVGBitmap::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelSVGBitmap, TGraphic>().Build();
    return Info;
}

namespace {

// The picture holder loads files with the extension SVG, and streams that
// start no raster format, into an SVG picture.
const struct TSVGFormatRegistration {
    TSVGFormatRegistration() {
        TGraphicClass Class = GraphicClassOf<TKelSVGBitmap>();
        Class.CanLoadFromStream = &TKelSVGBitmap::CanLoadFromStream;
        TPicture::RegisterFileFormat(u"svg", u"Scalable Vector Graphics (VCL)", Class);
    }
    ~TSVGFormatRegistration() { TPicture::UnregisterGraphicClass(u"TKelSVGBitmap"); }
} SVGFormatRegistration;

} // namespace

TKelSVGBitmap::TKelSVGBitmap() : FSVG(std::make_unique<TKelGraphicsSVGImport>()) {}

TKelSVGBitmap::~TKelSVGBitmap() {
    // The importer goes before the bytes it was made from.
    FSVG.reset();
}

bool TKelSVGBitmap::HasSVG() const {
    return FSVG && FSVG->HasElements();
}

void TKelSVGBitmap::ClearSVG() {
    FSVG->Clear();
    FStream.Clear();
}

void TKelSVGBitmap::LoadSVGFromFile(const String& FileName) {
    TMemoryStream File;
    File.LoadFromFile(FileName);
    LoadSVGFromStream(&File);
}

void TKelSVGBitmap::LoadSVGFromStream(TStream* Stream) {
    FStream.Clear();
    FSVG->Clear();
    const Int64 Start = Stream->Position();
    Stream->SetPosition(0);
    FStream.CopyFrom(*Stream, Stream->Size());
    Stream->SetPosition(Start);
    FSVG->LoadFromStream(&FStream);
}

void TKelSVGBitmap::SaveSVGToStream(TStream* Stream) const {
    if (FStream.Size() > 0)
        Stream->Write(FStream.Memory(), FStream.Size());
    else
        FSVG->SaveToStream(Stream);
}

void TKelSVGBitmap::AssignSVG(const TKelSVGBitmap& Source) {
    if (&Source == this) return;
    ClearSVG();
    if (Source.FStream.Size() == 0) return;
    TMemoryStream Copy;
    Copy.Write(Source.FStream.Memory(), Source.FStream.Size());
    LoadSVGFromStream(&Copy);
}

void TKelSVGBitmap::SetFileName(const String& Value) {
    if (Value == FFileName) return;
    LoadFromFile(Value);
    FFileName = Value;
}

void TKelSVGBitmap::Assign(const TPersistent* Source) {
    auto* Picture = dynamic_cast<const TKelSVGBitmap*>(Source);
    if (!Picture) return;
    if (Picture != this) {
        // A document that does not parse leaves this picture empty or partly
        // loaded; copying never fails the caller.
        try {
            AssignSVG(*Picture);
        } catch (const Exception&) {
        }
    }
    Changed();
}

void TKelSVGBitmap::AssignTo(TPersistent* Dest) const {
    if (auto* Picture = dynamic_cast<TKelSVGBitmap*>(Dest)) Picture->Assign(this);
}

void TKelSVGBitmap::Clear() {
    ClearSVG();
    FFileName.clear();
    Changed();
}

void TKelSVGBitmap::LoadFromFile(const String& FileName) {
    LoadSVGFromFile(FileName);
    Changed();
}

void TKelSVGBitmap::SaveToFile(const String& FileName) const {
    TMemoryStream Bytes;
    SaveToStream(&Bytes);
    Bytes.SaveToFile(FileName);
}

void TKelSVGBitmap::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    FFileName.clear();
    // A stream that does not hold a readable document leaves the picture
    // empty or partly loaded; the holder repaints either way.
    try {
        LoadSVGFromStream(Stream);
    } catch (const Exception&) {
    }
    Changed();
}

void TKelSVGBitmap::SaveToStream(TStream* Stream) const {
    if (Stream && FStream.Size() > 0) Stream->Write(FStream.Memory(), FStream.Size());
}

bool TKelSVGBitmap::CanLoadFromStream(TStream* Stream) {
    return TRarEvads::GetImageType(Stream, true).empty();
}

void TKelSVGBitmap::ReadSVGData(TStream* Stream) {
    Integer Count = 0; // signed 32-bit, little-endian on every target we build for
    Stream->ReadBuffer(&Count, sizeof Count);
    // A stored count beyond the bytes that follow is damaged data, not a
    // request to read past the end.
    if (Count < 0 || Count > Stream->Size() - Stream->Position()) throw EReadError(u"Stream read error");
    FStream.Clear();
    FSVG->Clear();
    if (Stream->Size() > 0 && Count > 0) {
        FStream.CopyFrom(*Stream, Count);
        FSVG->LoadFromStream(&FStream);
    }
}

void TKelSVGBitmap::WriteSVGData(TStream* Stream) const {
    const Integer Count = Integer(FStream.Size());
    Stream->WriteBuffer(&Count, sizeof Count);
    if (Count > 0) Stream->WriteBuffer(FStream.Memory(), Count);
}

Integer TKelSVGBitmap::Width() const {
    if (!HasSVG()) return 0;
    return Integer(Round(TRarEvads::GetDPIScale(nullptr, -1) * Double(FSVG->ViewRect().Width())));
}

Integer TKelSVGBitmap::Height() const {
    if (!HasSVG()) return 0;
    return Integer(Round(TRarEvads::GetDPIScale(nullptr, -1) * Double(FSVG->ViewRect().Height())));
}

void TKelSVGBitmap::SetWidth(Integer) {
    throw EInvalidGraphicOperation(u"Abstract Error");
}

void TKelSVGBitmap::SetHeight(Integer) {
    throw EInvalidGraphicOperation(u"Abstract Error");
}

void TKelSVGBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) const {
    if (!ACanvas || Empty()) return;
    FSVG->Draw(ACanvas, RectToRectF(Rect), true);
}

// ---- The picture holder -------------------------------------------------------------

const TClassInfo& TKelBitmap::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelBitmap, TPicture>().Build();
    return Info;
}

bool TKelBitmap::HasSVG() const {
    auto* Picture = dynamic_cast<const TKelSVGBitmap*>(Graphic());
    return Picture && Picture->HasSVG();
}

TKelSVGImport* TKelBitmap::SVG() const {
    return HasSVG() ? static_cast<const TKelSVGBitmap*>(Graphic())->SVG() : nullptr;
}

// ---- Pictures per display scale ------------------------------------------------------

const TClassInfo& TKelScaledBitmap::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TKelScaledBitmap, TCollectionItem>()
            .Property(u"Scale", &TKelScaledBitmap::Scale, &TKelScaledBitmap::SetScale)
            .Property(u"BitmapName", &TKelScaledBitmap::BitmapName, &TKelScaledBitmap::SetBitmapName)
            .Build();
    return Info;
}

TKelScaledBitmap::TKelScaledBitmap(TCollection* Collection)
    : TCollectionItem(Collection), FBitmap(std::make_unique<TKelBitmap>()) {
    FBitmap->OnChange = [this](TObject*) { Changed(false); };
}

TKelScaledBitmap::~TKelScaledBitmap() {
    FBitmap->OnChange = nullptr;
}

void TKelScaledBitmap::Assign(const TPersistent* Source) {
    auto* Item = dynamic_cast<const TKelScaledBitmap*>(Source);
    if (!Item) return;
    FBitmap->Assign(Item->FBitmap.get());
    FBitmapName = Item->FBitmapName;
    FScale = Item->FScale;
}

void TKelScaledBitmap::SetBitmap(const TKelBitmap* Value) {
    if (Value == FBitmap.get()) return;
    FBitmap->Assign(Value);
    Changed(false);
}

void TKelScaledBitmap::SetScale(Single Value) {
    if (Value == FScale) return;
    FScale = Value;
    Changed(false);
}

void TKelScaledBitmap::SetBitmapName(const String& Value) {
    if (Value == FBitmapName) return;
    FBitmapName = Value;
    Changed(false);
}

const TClassInfo& TKelScaledBitmaps::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelScaledBitmaps, TOwnedCollection>().Build();
    return Info;
}

TKelScaledBitmaps::TKelScaledBitmaps(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TKelScaledBitmap::StaticClassInfo()) {}

TKelScaledBitmap* TKelScaledBitmaps::Add(Single Scale) {
    auto* Item = static_cast<TKelScaledBitmap*>(TCollection::Add());
    Item->SetScale(Scale);
    return Item;
}

TKelScaledBitmap* TKelScaledBitmaps::Insert(Integer Index, Single Scale) {
    auto* Item = static_cast<TKelScaledBitmap*>(TCollection::Insert(Index));
    Item->SetScale(Scale);
    return Item;
}

TKelScaledBitmap* TKelScaledBitmaps::AddBitmap(const TKelBitmap* Bitmap, Single Scale) {
    TKelScaledBitmap* Item = Add(Scale);
    Item->SetBitmap(Bitmap);
    return Item;
}

TKelScaledBitmap* TKelScaledBitmaps::AddDrawBitmap(const TGraphic* Bitmap, Single Scale) {
    TKelScaledBitmap* Item = Add(Scale);
    Item->Bitmap()->SetGraphic(Bitmap);
    return Item;
}

TKelScaledBitmap* TKelScaledBitmaps::AddBitmapFromFile(const String& FileName, Single Scale) {
    TKelScaledBitmap* Item = Add(Scale);
    Item->Bitmap()->LoadFromFile(FileName);
    return Item;
}

TKelScaledBitmap* TKelScaledBitmaps::AddBitmapFromResource(const String& ResourceName, Single Scale) {
    TKelScaledBitmap* Item = Add(Scale);
    if (std::unique_ptr<TMemoryStream> Data = TRarEvads::GetResourceStream(ResourceName)) {
        Data->SetPosition(0);
        Item->Bitmap()->LoadFromStream(Data.get());
    }
    return Item;
}

TKelScaledBitmap* TKelScaledBitmaps::AddBitmapName(const String& BitmapName, Single Scale) {
    TKelScaledBitmap* Item = Add(Scale);
    Item->SetBitmapName(BitmapName);
    return Item;
}

TKelScaledBitmap* TKelScaledBitmaps::GetItemByScale(Single Scale) const {
    TKelScaledBitmap* Largest = nullptr;
    for (Integer I = 0; I < Count(); ++I) {
        TKelScaledBitmap* Item = Items(I);
        if (Item->Scale() == Scale) return Item;
        if (Item->Scale() > 0 && (!Largest || Item->Scale() > Largest->Scale())) Largest = Item;
    }
    return Largest;
}

TKelBitmap* TKelScaledBitmaps::GetBitmapByScale(Single Scale) const {
    TKelScaledBitmap* Item = GetItemByScale(Scale);
    return Item ? Item->Bitmap() : nullptr;
}

void TKelScaledBitmaps::SetBitmaps(Single Scale, const TKelBitmap* Value) {
    TKelScaledBitmap* Item = GetItemByScale(Scale);
    if (!Item) Item = Add(Scale);
    Item->Bitmap()->Assign(Value);
}

void TKelScaledBitmaps::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    if (OnChange) OnChange(this);
}
