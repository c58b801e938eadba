#pragma once
// TKelBitmap: the toolkit's picture holder, which tells whether it holds an
// SVG picture and hands out its importer. TKelSVGBitmap: the vector picture,
// registered with the picture holder as the format "SVG" (extension .svg,
// and streams of no raster format). TKelScaledBitmap(s): pictures kept per
// display scale.

#include "graphics/Picture.h"
#include "rtl/Collection.h"
#include "rtl/Stream.h"

#include <memory>

class TKelSVGImport;

// TKelSVGBitmap keeps the document's bytes exactly as they were loaded and an
// importer that parses and draws them. Its streamed data is the byte count
// (signed 32-bit, little-endian) followed by the bytes.
class TKelSVGBitmap : public TGraphic {
    RTL_CLASS(TKelSVGBitmap)
public:
    TKelSVGBitmap();
    ~TKelSVGBitmap() override;

    // True when the importer holds at least one top-level element.
    virtual bool HasSVG() const;
    TKelSVGImport* SVG() const { return FSVG.get(); }
    // The document's bytes as last loaded.
    const TMemoryStream& Stream() const { return FStream; }

    // The name last assigned; assigning another loads that file first.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value);

    // Only from another SVG picture (any other source is ignored): its bytes
    // are copied and parsed; a failure leaves this picture empty. Reports
    // the change in every case.
    void Assign(const TPersistent* Source) override;
    // Into another SVG picture; any other destination is ignored.
    void AssignTo(TPersistent* Dest) const override;
    // Forgets the document and the file name; reports the change.
    virtual void Clear();
    // The file's bytes, parsed; errors (a missing file, text that is not
    // XML) propagate, and no change is reported then.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName) const;
    // The whole stream from its start; errors are swallowed (the picture is
    // then empty or partly loaded); the change is reported in every case.
    void LoadFromStream(TStream* Stream) override;
    // The held bytes from their start.
    void SaveToStream(TStream* Stream) const override;
    // True when the four bytes at the stream's position start no raster
    // format (fewer than four bytes left also count as SVG); the position
    // is restored.
    static bool CanLoadFromStream(TStream* Stream);
    // The streamed form: EReadError when the stored count is negative or
    // larger than the bytes left.
    void ReadSVGData(TStream* Stream);
    void WriteSVGData(TStream* Stream) const;

    bool Empty() const override { return !HasSVG(); }
    // The view rectangle times the display scale, rounded.
    Integer Width() const override;
    Integer Height() const override;
    // An SVG picture has no size of its own to set.
    void SetWidth(Integer) override;
    void SetHeight(Integer) override;
    // Stretched into the rectangle, through the GDI+-style drawing context.
    void Draw(TCanvas* ACanvas, const TRect& Rect) const override;

    // For the pictures built on this one, which keep raster data beside:
    // forget the SVG, load it raising the parser's error, write it, copy it.
    void ClearSVG();
    void LoadSVGFromFile(const String& FileName);
    void LoadSVGFromStream(TStream* Stream);
    void SaveSVGToStream(TStream* Stream) const;
    void AssignSVG(const TKelSVGBitmap& Source);

private:
    std::unique_ptr<TKelSVGImport> FSVG;
    // Mutable: the stream answers its size only through a non-const call.
    mutable TMemoryStream FStream;
    String FFileName;
};

class TKelBitmap : public TPicture {
    RTL_CLASS(TKelBitmap)
public:
    TKelBitmap() = default;

    // True when the held graphic is an SVG picture with content.
    virtual bool HasSVG() const;
    // The held SVG picture's importer when HasSVG, else null.
    TKelSVGImport* SVG() const;
};

// One picture for one display scale, or the name of one in a picture container.
class TKelScaledBitmap : public TCollectionItem {
    RTL_CLASS(TKelScaledBitmap)
public:
    explicit TKelScaledBitmap(TCollection* Collection);
    ~TKelScaledBitmap() override;

    // Only from another scaled picture: picture, name and scale.
    void Assign(const TPersistent* Source) override;
    TKelBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(const TKelBitmap* Value);
    Single Scale() const { return FScale; }
    void SetScale(Single Value);
    const String& BitmapName() const { return FBitmapName; }
    void SetBitmapName(const String& Value);

private:
    std::unique_ptr<TKelBitmap> FBitmap;
    Single FScale = 1;
    String FBitmapName;
};

class TKelScaledBitmaps : public TOwnedCollection {
    RTL_CLASS(TKelScaledBitmaps)
public:
    explicit TKelScaledBitmaps(TPersistent* AOwner);

    TKelScaledBitmap* Items(Integer Index) const { return static_cast<TKelScaledBitmap*>(TCollection::Items(Index)); }
    TKelScaledBitmap* Add(Single Scale = 1);
    TKelScaledBitmap* Insert(Integer Index, Single Scale = 1);
    TKelScaledBitmap* AddBitmap(const TKelBitmap* Bitmap, Single Scale);
    TKelScaledBitmap* AddDrawBitmap(const TGraphic* Bitmap, Single Scale);
    TKelScaledBitmap* AddBitmapFromFile(const String& FileName, Single Scale);
    // The program's resource of that name; a missing one leaves the picture empty.
    TKelScaledBitmap* AddBitmapFromResource(const String& ResourceName, Single Scale);
    TKelScaledBitmap* AddBitmapName(const String& BitmapName, Single Scale);
    // The item of exactly that scale, else the one of the largest scale above 0
    // (the first of equals); null when none qualifies.
    TKelScaledBitmap* GetItemByScale(Single Scale) const;
    TKelBitmap* GetBitmapByScale(Single Scale) const;
    TKelBitmap* Bitmaps(Single Scale) const { return GetBitmapByScale(Scale); }
    // The found item's picture (a new item's when none is found) from Value.
    void SetBitmaps(Single Scale, const TKelBitmap* Value);

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;
};
