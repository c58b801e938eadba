// The HTML static-text control: painting through the static-text build of
// the markup renderer, anchors by mouse and keyboard, hover, mini scroll,
// blink and animation timer, automatic sizing.

#include "gridbase/HTMLStaticText.h"

#include "gridbase/ControlScale.h"
#include "gridbase/MarkupRenderer.h"
#include "gridbase/MarkupText.h"

#include "graphics/GdiControls.h"
#include "graphics/Graphic.h"
#include "graphics/ImageList.h"
#include "kel/PictureContainer.h"
#include "os/Shell.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/ControlMessages.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Timers.h"

#include <algorithm>

namespace {
constexpr NativeUInt BlinkTimer = 1;
constexpr Integer ScrollStep = 4;

TPoint CursorOnScreen() {
    TPoint At{-100000, -100000};
    winapi::GetCursorPos(At);
    return At;
}
} // namespace

const TClassInfo& THTMLStaticText::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<THTMLStaticText, TCustomStaticText>()
            .Property(u"AutoScroll", &THTMLStaticText::AutoScroll, &THTMLStaticText::SetAutoScroll)
            .Default(false)
            .Property(u"AutoSizeType", &THTMLStaticText::AutoSizeType, &THTMLStaticText::SetAutoSizeType)
            .Default(asVertical)
            .Property(u"AnchorHint", &THTMLStaticText::AnchorHint, &THTMLStaticText::SetAnchorHint)
            .Default(false)
            .Property(u"AutoSizing", &THTMLStaticText::AutoSizing, &THTMLStaticText::SetAutoSizing)
            .Default(false)
            .Property(u"BevelWidth", &THTMLStaticText::BevelWidth, &THTMLStaticText::SetBevelWidth)
            .Default(1)
            .Property(u"BorderWidth", &THTMLStaticText::BorderWidth, &THTMLStaticText::SetBorderWidth)
            .Default(0)
            .Property(u"EnableBlink", &THTMLStaticText::EnableBlink, &THTMLStaticText::SetEnableBlink)
            .Default(false)
            .Property(u"Ellipsis", &THTMLStaticText::Ellipsis, &THTMLStaticText::SetEllipsis)
            .Default(false)
            .Property(u"Hover", &THTMLStaticText::Hover, &THTMLStaticText::SetHover)
            .Default(false)
            .Property(u"LineSpacing", &THTMLStaticText::LineSpacing, &THTMLStaticText::SetLineSpacing)
            .Default(0)
            .Property(u"MiniScroll", &THTMLStaticText::MiniScroll, &THTMLStaticText::SetMiniScroll)
            .Default(false)
            .Property(u"ShadowOffset", &THTMLStaticText::ShadowOffset, &THTMLStaticText::SetShadowOffset)
            .Default(1)
            .Property(u"VAlignment", &THTMLStaticText::VAlignment, &THTMLStaticText::SetVAlignment)
            .Default(tvaTop)
            .Build();
    return Info;
}

THTMLStaticText::THTMLStaticText(TComponent* AOwner)
    : TCustomStaticText(AOwner), FHTMLText(std::make_unique<TStringList>()),
      FImageCache(std::make_unique<THTMLPictureCache>()) {
    FHTMLText->OnChange = [this](TObject* Sender) { HTMLChanged(Sender); };
    SetCaption(u"");
    SetAutoSize(false);
    SetBounds(Left(), Top(), 150, 20);
    SetDoubleBuffered(true);
}

THTMLStaticText::~THTMLStaticText() {
    FHTMLText->OnChange = nullptr;
    FImageCache->ClearPictures();
}

String THTMLStaticText::Version() const { return u"1.6.0.0"; }

void THTMLStaticText::HTMLChanged(TObject*) {
    FHoverHyperLink = -1;
    FFocusHyperLink = -1;
    Invalidate();
}

void THTMLStaticText::SetHTMLText(const TStrings* Value) {
    if (Value) FHTMLText->Assign(Value);
    Invalidate();
}

namespace {
template <typename T>
bool Store(T& Field, T Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}
} // namespace

void THTMLStaticText::SetAutoSizing(bool Value) {
    FAutoSizing = Value;
    Invalidate();
}
void THTMLStaticText::SetBevelInner(TBevelCut Value) {
    FBevelInner = Value;
    Invalidate();
}
void THTMLStaticText::SetBevelOuter(TBevelCut Value) {
    FBevelOuter = Value;
    Invalidate();
}
void THTMLStaticText::SetBevelWidth(Integer Value) {
    FBevelWidth = Value;
    Invalidate();
}
void THTMLStaticText::SetBorderWidth(Integer Value) {
    FBorderWidth = Value;
    Invalidate();
}
void THTMLStaticText::SetHTMLBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value;
    Invalidate();
}
void THTMLStaticText::SetEllipsis(bool Value) {
    if (Store(FEllipsis, Value)) Invalidate();
}
void THTMLStaticText::SetHover(bool Value) {
    if (Store(FHover, Value)) Invalidate();
}
void THTMLStaticText::SetHoverColor(TColor Value) {
    FHoverColor = Value;
    Invalidate();
}
void THTMLStaticText::SetHoverFontColor(TColor Value) {
    FHoverFontColor = Value;
    Invalidate();
}
void THTMLStaticText::SetImages(TCustomImageList* Value) {
    FImages = Value;
    Invalidate();
}
void THTMLStaticText::SetLineSpacing(Integer Value) {
    if (Store(FLineSpacing, Value)) Invalidate();
}
void THTMLStaticText::SetPictureContainer(TPictureContainer* Value) {
    FContainer = Value;
    Invalidate();
}
void THTMLStaticText::SetShadowColor(TColor Value) {
    FShadowColor = Value;
    Invalidate();
}
void THTMLStaticText::SetShadowOffset(Integer Value) {
    FShadowOffset = Value;
    Invalidate();
}
void THTMLStaticText::SetURLColor(TColor Value) {
    if (Store(FURLColor, Value)) Invalidate();
}

void THTMLStaticText::SetVAlignment(THTMLTextVAlignment Value) {
    if (!Store(FVAlignment, Value)) return;
    if (Value != tvaTop) FMiniScroll = false;
    Invalidate();
}

void THTMLStaticText::SetMiniScroll(bool Value) {
    if (Store(FMiniScroll, Value)) {
        if (Value)
            FVAlignment = tvaTop;
        else
            FVOffset = 0;
        UpdateTimer();
    }
    Invalidate();
}

void THTMLStaticText::SetVOffset(Integer Value) {
    if (!FMiniScroll || ComponentState().Contains(csDesigning)) return;
    if (Value < 0) {
        FVOffset = 0;
        return;
    }
    FVOffset = Value;
    Invalidate();
}

void THTMLStaticText::SetEnableBlink(bool Value) {
    FEnableBlink = Value;
    if (!ComponentState().Contains(csLoading)) UpdateTimer();
    FBlinking = false;
    Invalidate();
}

void THTMLStaticText::SetAutoScroll(bool Value) {
    FAutoScroll = Value;
    if (!ComponentState().Contains(csLoading)) UpdateTimer();
    Invalidate();
}

// One timer runs while blinking, auto scroll or the mini scroll is on, and
// only while the window exists.
void THTMLStaticText::UpdateTimer() {
    const bool Wanted = FEnableBlink || FAutoScroll || FMiniScroll;
    if (Wanted && FTimerID == 0 && HandleAllocated() && !ComponentState().Contains(csDesigning))
        FTimerID = winapi::SetTimer(Handle(), BlinkTimer, 100, nullptr);
    else if (!Wanted && FTimerID != 0) {
        if (HandleAllocated()) winapi::KillTimer(Handle(), FTimerID);
        FTimerID = 0;
    }
}

void THTMLStaticText::Loaded() {
    TCustomStaticText::Loaded();
    SetCaption(u"");
    UpdateTimer();
}

void THTMLStaticText::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomStaticText::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FContainer) FContainer = nullptr;
}

void THTMLStaticText::CreateWnd() {
    TCustomStaticText::CreateWnd();
    const TCustomForm* Form = GetParentForm(this);
    FFormScaled = Form ? Form->Scaled() : true;
    FDPIScale = GetControlDPIScale(this);
    UpdateTimer();
}

void THTMLStaticText::DestroyWnd() {
    // The timer never outlives the window, whatever started it.
    if (FTimerID != 0) {
        winapi::KillTimer(Handle(), FTimerID);
        FTimerID = 0;
    }
    TCustomStaticText::DestroyWnd();
}

void THTMLStaticText::BeginUpdate() { ++FUpdateCount; }

void THTMLStaticText::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) Invalidate();
}

void THTMLStaticText::Doit() {
    if (HandleAllocated()) PaintToCanvas(false, nullptr);
}

String THTMLStaticText::GetDisplayText() {
    String Text;
    for (Integer I = 0; I < FHTMLText->Count(); ++I)
        Text += FHTMLText->Strings(I);
    return Text;
}

String THTMLStaticText::PlainText() { return StaticMarkupToPlainText(GetDisplayText()); }

void THTMLStaticText::HilightText(const String& HiText, bool DoCase) {
    FHTMLText->SetText(StaticHighlightInMarkup(FHTMLText->Text(), HiText, u"hi", DoCase));
}
void THTMLStaticText::UnHilightText() { FHTMLText->SetText(StaticRemoveMarkupTag(FHTMLText->Text(), u"hi")); }
void THTMLStaticText::MarkText(const String& HiText, bool DoCase) {
    FHTMLText->SetText(StaticHighlightInMarkup(FHTMLText->Text(), HiText, u"e", DoCase));
}
void THTMLStaticText::UnMarkText() { FHTMLText->SetText(StaticRemoveMarkupTag(FHTMLText->Text(), u"e")); }

Integer THTMLStaticText::ArrowSize() const { return Integer(Round(10 * double(FDPIScale))); }

// The client area less the bevels and the single border.
TRect THTMLStaticText::TextArea() const {
    TRect R = ClientRect();
    if (FBevelInner != bvNone || FBevelOuter != bvNone) winapi::InflateRect(R, -FBevelWidth, -FBevelWidth);
    if (FBorderStyle == bsSingle) winapi::InflateRect(R, -FBorderWidth, -FBorderWidth);
    return R;
}

void THTMLStaticText::Paint() {
    if (FUpdateCount > 0) return;
    PaintToCanvas(true, Canvas());
}

void THTMLStaticText::PaintToCanvas(bool WithFrame, TCanvas* Target) {
    const TRect Client = ClientRect();
    if (Client.IsEmpty()) return;
    TBitmap Buffer;
    Buffer.SetSize(Client.Width(), Client.Height());
    TCanvas* C = Buffer.Canvas();
    C->Font()->Assign(Font());
    TRect R = Client;
    const bool Bevel = FBevelInner != bvNone || FBevelOuter != bvNone;
    if (WithFrame) {
        auto BevelFrame = [&](TBevelCut Cut) {
            if (Cut == bvNone) return;
            TRect Edge = R;
            for (Integer I = 0; I < FBevelWidth; ++I) {
                winapi::DrawEdge(C->Handle(), Edge, Cut == bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                                 BF_RECT | BF_ADJUST);
            }
            R = Edge;
        };
        BevelFrame(FBevelOuter);
        BevelFrame(FBevelInner);
        C->Pen()->SetColor(Color());
        C->Brush()->SetColor(Color());
        if (FBorderStyle == bsSingle && FBorderWidth > 0) {
            C->Pen()->SetColor(clWindowFrame);
            C->Pen()->SetWidth(FBorderWidth);
            C->Brush()->SetStyle(bsClear);
            C->Rectangle(TextArea().Left - 1, TextArea().Top - 1, TextArea().Right + 1, TextArea().Bottom + 1);
            C->Brush()->SetStyle(bsSolid);
            C->Pen()->SetWidth(1);
        }
    }
    R = TextArea();
    if (!(FBorderStyle == bsSingle && FBorderWidth > 0)) {
        C->Brush()->SetColor(Color());
        C->FillRect(Bevel ? R : Client);
    }
    const String Text = GetDisplayText();
    TRect Layout = R;
    if (FAutoSizing) {
        const TAlign A = Align();
        if ((A == alNone || A == alLeft || A == alRight) && FAutoSizeType != asVertical) Layout.Right += 65535;
    }
    Layout.Bottom = 65535;
    TPoint Mouse{-1, -1};
    if (HandleAllocated() && Application) Mouse = ScreenToClient(CursorOnScreen());

    TStaticMarkupDrawParams P;
    P.Canvas = C;
    P.Text = Text;
    P.Images = FImages;
    P.PictureContainer = FContainer;
    P.PictureCache = FImageCache.get();
    P.HitX = Mouse.X;
    P.HitY = Mouse.Y;
    P.FocusAnchor = Focused() ? FFocusHyperLink : -1;
    P.HotAnchor = FHoverHyperLink;
    P.HoverOnly = FHover;
    P.BlinkOn = FBlinking;
    P.WordWrap = !FEllipsis;
    P.AnchorColor = FURLColor;
    P.HoverBackColor = FHoverColor;
    P.HoverTextColor = FHoverFontColor;
    P.ShadowColor = FShadowColor;
    P.ShadowOffset = FShadowOffset;
    P.LineSpacing = FLineSpacing;
    P.FormScaled = FFormScaled;
    P.Scale = FDPIScale;
    if (FMiniScroll) {
        Layout.Top -= FVOffset;
        Layout.Right -= ArrowSize();
        FUpScroll = FDownScroll = false;
        TStaticMarkupDrawParams M = P;
        M.Rect = Layout;
        M.MeasureOnly = true;
        TStaticMarkupDrawResult Measured;
        DrawStaticTextMarkup(M, Measured);
        const Integer S = ArrowSize();
        if (Measured.Height >= Height() + FVOffset) {
            TRect Arrow{R.Right - S, R.Bottom - S, R.Right, R.Bottom};
            winapi::DrawFrameControl(C->Handle(), Arrow, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
            FDownScroll = true;
        }
        if (FVOffset > 0) {
            TRect Arrow{R.Right - S, R.Top, R.Right, R.Top + S};
            winapi::DrawFrameControl(C->Handle(), Arrow, DFC_SCROLL, DFCS_SCROLLUP | DFCS_FLAT);
            FUpScroll = true;
        }
    }
    if (FVAlignment != tvaTop) {
        Layout = Client;
        TStaticMarkupDrawParams M = P;
        M.Rect = Layout;
        M.MeasureOnly = true;
        TStaticMarkupDrawResult Measured;
        DrawStaticTextMarkup(M, Measured);
        if (Measured.Height < Height())
            Layout.Top = FVAlignment == tvaCenter ? Layout.Top + (Layout.Height() - Measured.Height) / 2
                                                  : Layout.Bottom - Measured.Height;
    }
    const Integer Saved = winapi::SaveDC(C->Handle());
    winapi::IntersectClipRect(C->Handle(), R.Left, R.Top, R.Right, R.Bottom);
    TStaticMarkupDrawResult Result;
    P.Rect = Layout;
    if (Enabled()) {
        DrawStaticTextMarkup(P, Result);
    } else {
        // Embossed: a white copy one pixel down and right, the grey text on it.
        TStaticMarkupDrawParams E = P;
        E.Images = nullptr;
        E.HoverBackColor = E.HoverTextColor = clNone;
        E.Rect = {Layout.Left + 1, Layout.Top + 1, Layout.Right + 1, Layout.Bottom + 1};
        E.AnchorColor = clWhite;
        C->Font()->SetColor(clWhite);
        DrawStaticTextMarkup(E, Result);
        E.Rect = Layout;
        E.AnchorColor = clGray;
        C->Font()->SetColor(clGray);
        DrawStaticTextMarkup(E, Result);
    }
    FHTMLHeight = Result.Height + 2;
    FHTMLWidth = Result.Width;
    FNumHyperLinks = Result.AnchorCount;
    FFocusAnchor = Result.AnchorInfo;
    winapi::RestoreDC(C->Handle(), Saved);
    bool Resized = false;
    if (FAutoSizing) {
        const TAlign A = Align();
        if ((A == alNone || A == alTop || A == alBottom) && FAutoSizeType != asHorizontal &&
            Height() != Result.Height + 6) {
            SetHeight(Result.Height + 6);
            Resized = true;
        }
        if ((A == alNone || A == alLeft || A == alRight) && FAutoSizeType != asVertical &&
            Width() != Result.Width + 6) {
            SetWidth(Result.Width + 6);
            Resized = true;
        }
    }
    if (Target)
        Target->Draw(0, 0, &Buffer);
    else if (HandleAllocated())
        Invalidate();
    if (Resized && OnNewSize) OnNewSize(this, Width(), Height());
}

String THTMLStaticText::GetAnchorAt(Integer X, Integer Y, TRect& AnchorRect) {
    AnchorRect = {-1, -1, -1, -1};
    TRect R = ClientRect();
    if (FMiniScroll) {
        R.Top -= FVOffset;
        R.Right -= ArrowSize();
    }
    if (FBevelInner != bvNone || FBevelOuter != bvNone) winapi::InflateRect(R, -FBevelWidth, -FBevelWidth);
    if (FBorderStyle == bsSingle) winapi::InflateRect(R, -FBorderWidth, -FBorderWidth);
    TBitmap Measure;
    Measure.SetSize(1, 1);
    Measure.Canvas()->Font()->Assign(Font());
    TStaticMarkupDrawParams P;
    P.Canvas = Measure.Canvas();
    P.Text = GetDisplayText();
    P.Images = FImages;
    P.PictureContainer = FContainer;
    P.PictureCache = FImageCache.get();
    P.WordWrap = !FEllipsis;
    P.LineSpacing = FLineSpacing;
    P.FormScaled = FFormScaled;
    P.Scale = FDPIScale;
    R.Bottom = std::max(R.Bottom, R.Top + 65535);
    if (FVAlignment != tvaTop) {
        TStaticMarkupDrawParams M = P;
        M.Rect = R;
        M.MeasureOnly = true;
        TStaticMarkupDrawResult Measured;
        DrawStaticTextMarkup(M, Measured);
        const TRect Client = ClientRect();
        if (Measured.Height < Height())
            R.Top = FVAlignment == tvaCenter ? Client.Top + (Client.Height() - Measured.Height) / 2
                                             : Client.Bottom - Measured.Height;
    }
    P.Rect = R;
    P.HitTestOnly = true;
    P.HitX = X;
    P.HitY = Y;
    TStaticMarkupDrawResult Result;
    if (DrawStaticTextMarkup(P, Result) && !Result.Anchor.empty()) {
        FHoverHyperLink = Result.HitAnchor;
        AnchorRect = Result.HitAnchorRect;
        return Result.Anchor;
    }
    FHoverHyperLink = -1;
    return String();
}

void THTMLStaticText::OpenAnchor(const String& Anchor) {
    if (Anchor.find(u"://") != String::npos || Anchor.find(u"mailto:") != String::npos) os::ShellOpen(Anchor);
}

void THTMLStaticText::DoScrollChanged() {
    if (OnScrollChanged) OnScrollChanged(this);
}
void THTMLStaticText::DoAnchorClick(const String& Anchor) {
    if (OnAnchorClick) OnAnchorClick(this, Anchor);
}
void THTMLStaticText::DoAnchorRightClick(const String& Anchor) {
    if (OnAnchorRightClick) OnAnchorRightClick(this, Anchor);
}

void THTMLStaticText::ScrollBy(Integer Delta) {
    SetVOffset(FVOffset + Delta);
    DoScrollChanged();
}

void THTMLStaticText::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomStaticText::MouseDown(Button, Shift, X, Y);
    FMouseDown = true;
    if (FMiniScroll && (FUpScroll || FDownScroll)) {
        const TRect R = TextArea();
        const Integer S = ArrowSize();
        if (X > R.Right - S) {
            if (FUpScroll && Y < R.Top + S) ScrollBy(-ScrollStep);
            if (FDownScroll && Y > R.Bottom - S) ScrollBy(ScrollStep);
        }
    }
    TRect Box;
    const String Anchor = GetAnchorAt(X, Y, Box);
    if (Anchor.empty()) return;
    if (Button == mbLeft) {
        DoAnchorClick(Anchor);
        OpenAnchor(Anchor);
    } else if (Button == mbRight) {
        DoAnchorRightClick(Anchor);
    }
}

void THTMLStaticText::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TRect Box;
    const Integer OldHover = FHoverHyperLink;
    const String Anchor = GetAnchorAt(X, Y, Box);
    if (!Anchor.empty()) {
        FFocusHyperLink = -1;
        if (FHover && (Anchor != FAnchor || Box != FCurrHoverRect || FHoverHyperLink != OldHover))
            Invalidate();
        if (Cursor() == crDefault || Anchor != FAnchor) {
            FAnchor = Anchor;
            SetCursor(crHandPoint);
            if (OnAnchorEnter) OnAnchorEnter(this, Anchor);
            FOldHoverHyperlink = FHoverHyperLink;
            FCurrHoverRect = Box;
        }
    } else if (Cursor() == crHandPoint) {
        SetCursor(crDefault);
        FFocusHyperLink = -1;
        FAnchor.clear();
        if (FHover) Invalidate();
        FHoverHyperLink = -1;
        if (OnAnchorExit) OnAnchorExit(this, String());
    }
    TCustomStaticText::MouseMove(Shift, X, Y);
}

void THTMLStaticText::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomStaticText::MouseUp(Button, Shift, X, Y);
    FMouseDown = false;
}

void THTMLStaticText::KeyDown(Word& Key, TShiftState Shift) {
    if (FNumHyperLinks > 0) {
        switch (Key) {
        case winapi::VK_LEFT:
        case winapi::VK_UP:
            FFocusHyperLink = FFocusHyperLink <= 0 ? FNumHyperLinks - 1 : FFocusHyperLink - 1;
            Invalidate();
            Key = 0;
            return;
        case winapi::VK_RIGHT:
        case winapi::VK_DOWN:
            FFocusHyperLink = FFocusHyperLink >= FNumHyperLinks - 1 ? 0 : FFocusHyperLink + 1;
            Invalidate();
            Key = 0;
            return;
        case winapi::VK_RETURN:
        case winapi::VK_SPACE:
            if (OnAnchorKeypress) OnAnchorKeypress(this, FFocusAnchor);
            OpenAnchor(FFocusAnchor);
            return;
        default:
            break;
        }
    }
    TCustomStaticText::KeyDown(Key, Shift);
}

void THTMLStaticText::TimerTick() {
    if (!FEnableBlink && !FAutoScroll && !FMiniScroll) return;
    ++FTimerCount;
    if (FImageCache->Animate() || (FContainer && FContainer->Items()->Animate())) Invalidate();
    if (FMiniScroll && (FUpScroll || FDownScroll) && (FAutoScroll || FMouseDown) && HandleAllocated()) {
        const TPoint At = ScreenToClient(CursorOnScreen());
        const TRect R = TextArea();
        const Integer S = ArrowSize();
        if (At.X > R.Right - S && At.X < R.Right && At.Y >= 0 && At.Y < Height()) {
            if (FUpScroll && At.Y < R.Top + S) ScrollBy(-ScrollStep);
            if (FDownScroll && At.Y > R.Bottom - S) ScrollBy(ScrollStep);
        }
    }
    if (FTimerCount % 5 == 0 && UpperCase(GetDisplayText()).find(u"<BLINK") != String::npos) {
        FBlinking = !FBlinking;
        Invalidate();
    }
}

void THTMLStaticText::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case winapi::WM_TIMER:
        if (Message.WParam == BlinkTimer) {
            TimerTick();
            return;
        }
        break;
    case winapi::WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case winapi::WM_SETFOCUS:
        if (FFocusHyperLink < 0) FFocusHyperLink = 0;
        Invalidate();
        break;
    case winapi::WM_KILLFOCUS:
        Invalidate();
        break;
    case CM_MOUSELEAVE:
        if (FHoverHyperLink >= 0) {
            FHoverHyperLink = -1;
            if (FHover) Invalidate();
        }
        TCustomStaticText::WndProc(Message);
        if (Message.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
        return;
    case CM_MOUSEENTER:
        TCustomStaticText::WndProc(Message);
        if (Message.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomStaticText::WndProc(Message);
}
