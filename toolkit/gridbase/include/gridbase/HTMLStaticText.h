#pragma once
// THTMLStaticText: a static text showing the static-text dialect of the
// cell markup, with clickable anchors (web and mail addresses open through
// the shell), hover, keyboard navigation between anchors, blinking text, a
// small scrolling area with arrow buttons (the mini scroll), automatic
// sizing, bevels and a border, and an embossed look when disabled.

#include "vcl/ExtCtrls.h"
#include "vcl/StaticText.h"

#include "rtl/StringList.h"

#include <functional>
#include <memory>

class TCustomImageList;
class TPictureContainer;
class THTMLPictureCache;

RTL_ENUM(THTMLTextVAlignment, tvaTop, tvaCenter, tvaBottom)
RTL_ENUM(TAutoSizeType, asVertical, asHorizontal, asBoth)

using TAnchorClick = std::function<void(TObject* Sender, const String& Anchor)>;
using TOnNewSize = std::function<void(TObject* Sender, Integer NewWidth, Integer NewHeight)>;

class THTMLStaticText : public TCustomStaticText {
    RTL_CLASS(THTMLStaticText)
public:
    // The anchor under the mouse, which a handler may change into the hint
    // (the grids' event of the same name also names the cell).
    using TAnchorHintEvent = std::function<void(TObject* Sender, String& Anchor)>;
    explicit THTMLStaticText(TComponent* AOwner);
    ~THTMLStaticText() override;

    TStringList* HTMLText() const { return FHTMLText.get(); }
    // A null list only repaints.
    void SetHTMLText(const TStrings* Value);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    TAutoSizeType AutoSizeType() const { return FAutoSizeType; }
    void SetAutoSizeType(TAutoSizeType Value) { FAutoSizeType = Value; }
    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    bool AutoSizing() const { return FAutoSizing; }
    void SetAutoSizing(bool Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    Integer BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(Integer Value);
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value);
    TBorderStyle HTMLBorderStyle() const { return FBorderStyle; }
    void SetHTMLBorderStyle(TBorderStyle Value);
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    bool Hover() const { return FHover; }
    void SetHover(bool Value);
    TColor HoverColor() const { return FHoverColor; }
    void SetHoverColor(TColor Value);
    TColor HoverFontColor() const { return FHoverFontColor; }
    void SetHoverFontColor(TColor Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    Integer LineSpacing() const { return FLineSpacing; }
    void SetLineSpacing(Integer Value);
    bool MiniScroll() const { return FMiniScroll; }
    void SetMiniScroll(bool Value);
    TPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value);
    Integer ShadowOffset() const { return FShadowOffset; }
    void SetShadowOffset(Integer Value);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);
    THTMLTextVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(THTMLTextVAlignment Value);
    Integer VOffset() const { return FVOffset; }
    void SetVOffset(Integer Value);
    String Version() const;

    // The laid-out size and anchors of the last paint.
    Integer HTMLWidth() const { return FHTMLWidth; }
    Integer HTMLHeight() const { return FHTMLHeight; }
    Integer NumHyperLinks() const { return FNumHyperLinks; }
    Integer FocusHyperLink() const { return FFocusHyperLink; }
    Integer HoverHyperLink() const { return FHoverHyperLink; }
    const String& FocusAnchor() const { return FFocusAnchor; }
    bool Blinking() const { return FBlinking; }
    bool UpScroll() const { return FUpScroll; }
    bool DownScroll() const { return FDownScroll; }
    bool TimerRunning() const { return FTimerID != 0; }

    void BeginUpdate();
    void EndUpdate();
    // Paints at once, without the frame.
    void Doit();
    void HilightText(const String& HiText, bool DoCase);
    void UnHilightText();
    void MarkText(const String& HiText, bool DoCase);
    void UnMarkText();
    // The text without markup.
    String PlainText();
    // The anchor at a client point and its box ((-1, -1, -1, -1) when none).
    String GetAnchorAt(Integer X, Integer Y, TRect& AnchorRect);

    virtual String GetDisplayText();

    TAnchorClick OnAnchorClick, OnAnchorRightClick, OnAnchorEnter, OnAnchorExit, OnAnchorKeypress;
    TAnchorHintEvent OnAnchorHint;
    TNotifyEvent OnMouseLeave, OnMouseEnter, OnScrollChanged;
    TOnNewSize OnNewSize;

    void WndProc(TMessage& Message) override;

protected:
    virtual void DoScrollChanged();
    virtual void DoAnchorClick(const String& Anchor);
    virtual void DoAnchorRightClick(const String& Anchor);
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    void PaintToCanvas(bool WithFrame, TCanvas* Target);
    void HTMLChanged(TObject* Sender);
    void UpdateTimer();
    void TimerTick();
    void OpenAnchor(const String& Anchor);
    void ScrollBy(Integer Delta);
    TRect TextArea() const;
    Integer ArrowSize() const;

    bool FBlinking = true;
    String FAnchor;
    TRect FCurrHoverRect{-1, -1, -1, -1};
    bool FAutoSizing = false;
    std::unique_ptr<TStringList> FHTMLText;
    bool FAnchorHint = false;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    bool FHover = false;
    TColor FHoverColor = clNone, FHoverFontColor = clNone;
    TColor FShadowColor = clGray;
    Integer FShadowOffset = 1;
    Integer FUpdateCount = 0;
    NativeUInt FTimerID = 0;
    TColor FURLColor = clBlue;
    TBevelCut FBevelInner = bvNone, FBevelOuter = bvNone;
    Integer FBevelWidth = 1, FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    Integer FFocusHyperLink = -1, FHoverHyperLink = -1, FOldHoverHyperlink = -1;
    String FFocusAnchor;
    Integer FNumHyperLinks = 0;
    bool FEnableBlink = false;
    THTMLTextVAlignment FVAlignment = tvaTop;
    Integer FTimerCount = 0;
    TAutoSizeType FAutoSizeType = asVertical;
    bool FEllipsis = false;
    TPictureContainer* FContainer = nullptr;
    Integer FVOffset = 0;
    bool FMiniScroll = false, FUpScroll = false, FDownScroll = false;
    bool FMouseDown = false;
    bool FAutoScroll = false;
    Integer FHTMLWidth = 0, FHTMLHeight = 0;
    Integer FLineSpacing = 0;
    bool FFormScaled = true;
    Single FDPIScale = 1;
};
