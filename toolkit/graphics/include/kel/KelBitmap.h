#pragma once
// TKelBitmap: the toolkit's picture holder. For now it is the platform's
// picture holder as it stands; the vector picture format and the SVG
// importer it hands out join it with the SVG picture.

#include "graphics/Picture.h"

#include <memory>

class TKelBitmap : public TPicture {
    RTL_CLASS(TKelBitmap)
public:
    TKelBitmap() = default;
};

class TKelSVGImport;

// TKelSVGBitmap: a picture that can hold an SVG document. This is the part
// the raster pictures built on it use: holding, loading, saving, copying and
// clearing the SVG, and its size. Drawing the SVG joins with the SVG
// renderer; until then an SVG is measured but draws nothing.
class TKelSVGBitmap : public TGraphic {
    RTL_CLASS(TKelSVGBitmap)
public:
    TKelSVGBitmap();
    ~TKelSVGBitmap() override;

    // True when an SVG document with content is loaded.
    bool HasSVG() const;
    void ClearSVG();
    // Raise the XML parser's error for text that is not XML.
    void LoadSVGFromFile(const String& FileName);
    void LoadSVGFromStream(TStream* Stream);
    void SaveSVGToStream(TStream* Stream) const;
    // Copies the source's SVG document (an empty one clears this one's).
    void AssignSVG(const TKelSVGBitmap& Source);
    TKelSVGImport* SVG() const { return FSVG.get(); }

    bool Empty() const override { return !HasSVG(); }
    // The SVG's view rectangle, rounded.
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}
    void Draw(TCanvas*, const TRect&) const override {}
    void LoadFromStream(TStream* Stream) override { LoadSVGFromStream(Stream); }
    void SaveToStream(TStream* Stream) const override { SaveSVGToStream(Stream); }

private:
    std::unique_ptr<TKelSVGImport> FSVG;
};
