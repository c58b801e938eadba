// Panels: bevels, border, caption and the room they leave for children.

#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "vcl/ExtCtrls.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TCustomPanel::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TCustomPanel, TCustomControl>()
            .Property(u"Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
            .Default(taCenter)
            .Property(u"BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
            .Default(bvNone)
            .Property(u"BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
            .Default(bvRaised)
            .Build();
    return Info;
}
const TClassInfo& TPanel::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TPanel, TCustomPanel>().Build();
    return Info;
}

namespace {

constexpr Cardinal AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// Draws one bevel of Width pixels and shrinks Rect to its inside. A raised
// bevel is light at the top left and shadowed at the bottom right, a
// lowered one the other way round; a space bevel is the panel's colour.
void DrawBevel(TCanvas* Canvas, TRect& Rect, TBevelCut Cut, Integer Width, TColor Color) {
    if (Cut == bvNone) return;
    for (Integer I = 0; I < Width; ++I) {
        if (Cut == bvSpace) {
            Canvas->Brush()->SetColor(Color);
            Canvas->FrameRect(Rect);
            InflateRect(Rect, -1, -1);
        } else {
            DrawEdge(Canvas->Handle(), Rect, Cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
                     BF_RECT | BF_ADJUST);
        }
    }
}

} // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable});
    InitAppearance(true, clBtnFace, true);
    Brush()->SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    FrameChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    FrameChanged();
}

void TCustomPanel::SetBevelWidth(Integer Value) {
    Value = std::max(Value, 1);
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    FrameChanged();
}

void TCustomPanel::SetBorderWidth(Integer Value) {
    Value = std::max(Value, 0);
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    FrameChanged();
}

void TCustomPanel::FrameChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) const {
    Integer Inset = FBorderWidth;
    if (FBevelOuter != bvNone) Inset += FBevelWidth;
    if (FBevelInner != bvNone) Inset += FBevelWidth;
    InflateRect(Rect, -Inset, -Inset);
}

void TCustomPanel::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED) Invalidate();
}

void TCustomPanel::Paint() {
    TRect Rect = ClientRect();
    DrawBevel(Canvas(), Rect, FBevelOuter, FBevelWidth, Color());
    Canvas()->Brush()->SetColor(Color());
    for (Integer I = 0; I < FBorderWidth; ++I) {
        Canvas()->FrameRect(Rect);
        InflateRect(Rect, -1, -1);
    }
    DrawBevel(Canvas(), Rect, FBevelInner, FBevelWidth, Color());
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(Rect);
    if (Caption().empty()) return;
    Canvas()->Font()->Assign(Font());
    if (!Enabled()) Canvas()->Font()->SetColor(clGrayText);
    SetBkMode(Canvas()->Handle(), TRANSPARENT);
    DrawText(Canvas()->Handle(), Caption(), Rect, DT_SINGLELINE | DT_VCENTER | AlignmentFlags[FAlignment]);
}
