#pragma once
// Pictures named in markup texts.
//   - THTMLPicture holds the raw bytes of a raster picture (or an SVG) and
//     decodes them whenever it is measured or drawn; for a GIF it keeps the
//     current frame's place, size and delay, and steps through the frames
//     on an animation timer's ticks (each tick counts as 100 ms).
//   - THTMLPictureCache: the pictures a markup text loaded, by source text.
//   - TPictureItem / TPictureCollection: named pictures.
//   - TPictureContainer: a component owning such a collection that answers
//     look-ups by name, ignoring case.

#include "kel/KelBitmap.h"
#include "kel/Resources.h"
#include "rtl/Collection.h"
#include "rtl/Component.h"
#include "rtl/Stream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

using TDownloadErrorEvent = std::function<void(TObject* Sender, const String& Err)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadProgressEvent = std::function<void(TObject* Sender, Cardinal dwSize, Cardinal dwTotSize)>;

class THTMLPicture : public TKelSVGBitmap {
    RTL_CLASS(THTMLPicture)
public:
    THTMLPicture();
    ~THTMLPicture() override;

    void Assign(const TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) const override;
    // Draws the SVG into (X, Y, X + W, Y + H); nothing for raster data.
    virtual void DrawSVG(TCanvas* ACanvas, Integer X, Integer Y, Integer W, Integer H) const;
    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}

    // A file that cannot be read leaves the picture empty, without error.
    void LoadFromFile(const String& FileName);
    // Nothing for a null stream; the SVG parser's error passes through.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) const override;
    // Form streaming: as LoadFromStream / SaveToStream without OnChange.
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream) const { SaveToStream(Stream); }
    // Nothing when the module has no resource of that name.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    // The resource numbered ResID (named "#" and the number); EResNotFound
    // when the module has none.
    void LoadFromResourceID(HINSTANCE Instance, Integer ResID);
    // "RES://name" loads the program's resource, "FILE://path" the file;
    // any other address is only remembered (Asynch off) or marks the picture
    // Busy (Asynch on, once): downloading is not done.
    void LoadFromURL(const String& url);

    bool Stretch() const { return FStretched; }
    void WriteStretch(bool Value) { FStretched = Value; }
    Integer Frame() const { return FFrame; }
    void SetFrame(Integer Value);
    void FrameNext();
    void FramePrev();
    // One animation tick; true when the picture moved to its next frame.
    bool Step();

    bool IsGIF() const;
    // The number of GIF frames (counted once); -1 for other data.
    Integer CountFrames();
    Integer FrameCount() { return CountFrames(); }
    // The delay of frame i (from 1) in hundredths of a second; -1 when there
    // is no such frame. Remembers that frame's transparency and disposal.
    Integer FrameTime(Integer i);
    Integer GetMaxWidth() const { return Width(); }
    Integer GetMaxHeight() const { return Height(); }
    std::uint16_t FrameXPos() const { return FFrameXPos; }
    std::uint16_t FrameYPos() const { return FFrameYPos; }
    std::uint16_t FrameXSize() const { return FFrameXSize; }
    std::uint16_t FrameYSize() const { return FFrameYSize; }
    std::uint16_t AnimMaxX() const { return FAnimMaxX; }
    std::uint16_t AnimMaxY() const { return FAnimMaxY; }
    bool FrameTransp() const { return FFrameTransp; }
    Byte FrameDisposal() const { return FFrameDisposal; }

    bool Busy() const { return FThreadBusy; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    const String& ID() const { return FID; }
    void SetID(const String& Value) { FID = Value; }
    const String& URL() const { return FURL; }
    bool IsDB() const { return FIsDB; }
    void SetIsDB(bool Value) { FIsDB = Value; }

    TNotifyEvent OnFrameChange;
    TDownloadErrorEvent OnDownLoadError;
    TDownloadCompleteEvent OnDownLoadComplete;
    TDownloadCancelEvent OnDownLoadCancel;
    TDownloadProgressEvent OnDownLoadProgress;

private:
    struct TGifControl {
        std::size_t Offset; // of the extension's introducer
        Byte Packed;
        Integer Delay;
    };
    std::vector<TGifControl> ScanGif() const;
    void Loaded(bool Notify);
    void DecodeFrame();

    // Mutable: measuring a stream (Size) and rewinding it are not changes.
    mutable TMemoryStream FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    Integer FLogPixX = 96, FLogPixY = 96;
    String FURL;
    String FID;
    Integer FHeight = 0, FWidth = 0;
    bool FIsDB = false;
    bool FAsynch = true;
    bool FThreadBusy = false;
    Integer FFrame = 1;
    Integer FFrameCount = -1;
    std::uint16_t FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
    bool FFrameTransp = false;
    Byte FFrameDisposal = 0;
    std::uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
    Integer FNextCount = -1;
    Integer FTimerCount = -1;
};

class THTMLPictureCache {
public:
    THTMLPictureCache() = default;
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;
    ~THTMLPictureCache() { ClearPictures(); }

    Integer Count() const { return Integer(FPictures.size()); }
    THTMLPicture* Items(Integer Index) const { return FPictures.at(std::size_t(Index)); }
    // A new picture, owned by the cache.
    THTMLPicture* AddPicture();
    // The first picture whose ID is ID exactly (case counts); null for none.
    THTMLPicture* FindPicture(const String& ID) const;
    void ClearPictures();
    // Steps every picture; true when any moved on.
    bool Animate();

private:
    std::vector<THTMLPicture*> FPictures;
};

class TPictureContainer;
class TControl;

class TPictureItem : public TCollectionItem {
    RTL_CLASS(TPictureItem)
public:
    explicit TPictureItem(TCollection* Collection);
    ~TPictureItem() override;

    void Assign(const TPersistent* Source) override;
    THTMLPicture* Picture() const { return FPicture; }
    void SetPicture(const THTMLPicture* Value) { FPicture->Assign(Value); }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    // The container owning the collection; null when there is none.
    TPictureContainer* Container() const;
    // A copy of the picture, owned by the container and valid until its next
    // FindBitmap or Bitmap call.
    TPicture* Bitmap();

protected:
    virtual THTMLPicture* CreatePicture() const;

private:
    THTMLPicture* FPicture = nullptr;
    Integer FTag = 0;
    String FName;
};

class TPictureCollection : public TOwnedCollection {
public:
    explicit TPictureCollection(TPersistent* AOwner);

    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(Integer Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
    TPictureItem* GetItem(Integer Index) const { return static_cast<TPictureItem*>(Items(Index)); }
    // Steps every item's picture; true when any moved on.
    bool Animate();
};

class TPictureContainer : public TComponent {
    RTL_CLASS(TPictureContainer)
public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;

    TPictureCollection* Items() const { return FItems; }
    // The picture of the first item so named (ignoring case); null for none.
    virtual THTMLPicture* FindPicture(const String& Name) const;
    // A copy of the picture of the first item so named (ignoring case), owned
    // by the container; the previous result is freed first in every case.
    virtual TPicture* FindBitmap(const String& Name);

    // Controls to repaint when the pictures change.
    void RegisterControl(TControl* AControl) { FControls.push_back(AControl); }
    virtual void NotifyControls();
    virtual Integer GetVersionNr() const;
    String Version() const;

    TNotifyEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual TPictureCollection* CreateItems();

private:
    friend class TPictureItem;
    TPicture* KeepBitmap(const THTMLPicture* Picture);

    std::vector<TControl*> FControls;
    std::unique_ptr<TPicture> FPicture;
    TPictureCollection* FItems = nullptr;
};
