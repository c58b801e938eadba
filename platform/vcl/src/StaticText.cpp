// Static text: text in a window of its own with an optional border.

#include "vcl/StaticText.h"

#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "windowing/Paint.h"

using namespace winapi;

const TClassInfo& TCustomStaticText::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TCustomStaticText, TCustomControl>()
            .Property(u"Alignment", &TCustomStaticText::Alignment, &TCustomStaticText::SetAlignment)
            .Default(taLeftJustify)
            .Property(u"AutoSize", &TCustomStaticText::AutoSize, &TCustomStaticText::SetAutoSize)
            .Default(true)
            .Property(u"BorderStyle", &TCustomStaticText::BorderStyle, &TCustomStaticText::SetBorderStyle)
            .Default(sbsNone)
            .Property(u"FocusControl", &TCustomStaticText::FocusControl, &TCustomStaticText::SetFocusControl)
            .Property(u"ShowAccelChar", &TCustomStaticText::ShowAccelChar, &TCustomStaticText::SetShowAccelChar)
            .Default(true)
            .Property(u"Transparent", &TCustomStaticText::Transparent, &TCustomStaticText::SetTransparent)
            .Default(false)
            .Build();
    return Info;
}
const TClassInfo& TStaticText::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStaticText, TCustomStaticText>().Build();
    return Info;
}

namespace {
constexpr Cardinal AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
} // namespace

TCustomStaticText::TCustomStaticText(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csReplicatable,
                                  csDoubleClicks});
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TCustomStaticText::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomStaticText::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomStaticText::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomStaticText::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomStaticText::SetTransparent(bool Value) {
    if (Transparent() == Value) return;
    if (Value)
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    else
        SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TCustomStaticText::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomStaticText::Loaded() {
    TCustomControl::Loaded();
    AdjustBounds();
}

Integer TCustomStaticText::BorderWidth() const {
    return FBorderStyle == sbsNone ? 0 : 1;
}

Cardinal TCustomStaticText::TextFlags() const {
    return DT_EXPANDTABS | DT_SINGLELINE | (FShowAccelChar ? 0u : Cardinal(DT_NOPREFIX));
}

void TCustomStaticText::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    HDC DC = GetDC(nullptr);
    TCanvas Measure;
    Measure.SetHandle(DC);
    Measure.Font()->Assign(Font());
    TRect Rect{0, 0, 0, 0};
    DrawText(Measure.Handle(), Caption().empty() ? String(u" ") : Caption(), Rect, TextFlags() | DT_CALCRECT);
    Measure.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    Integer NewWidth = Rect.Right + 2 * BorderWidth();
    Integer NewLeft = Left();
    if (FAlignment == taRightJustify) NewLeft += Width() - NewWidth;
    SetBounds(NewLeft, Top(), NewWidth, Rect.Bottom + 2 * BorderWidth());
}

void TCustomStaticText::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        AdjustBounds();
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(Word(Message.WParam), Caption()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TCustomStaticText::Paint() {
    TRect Rect = ClientRect();
    TCanvas* C = Canvas();
    if (FBorderStyle == sbsSunken) {
        DrawEdge(C->Handle(), Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else if (FBorderStyle == sbsSingle) {
        C->Brush()->SetColor(clWindowFrame);
        C->FrameRect(Rect);
        InflateRect(Rect, -1, -1);
    }
    if (!Transparent()) {
        C->Brush()->SetColor(Color());
        C->FillRect(Rect);
    }
    SetBkMode(C->Handle(), TRANSPARENT);
    C->Font()->Assign(Font());
    Cardinal Flags = TextFlags() | AlignmentFlags[FAlignment];
    if (Enabled()) {
        DrawText(C->Handle(), Caption(), Rect, Flags);
        return;
    }
    TRect Raised = Rect;
    OffsetRect(Raised, 1, 1);
    C->Font()->SetColor(clBtnHighlight);
    DrawText(C->Handle(), Caption(), Raised, Flags);
    C->Font()->SetColor(clBtnShadow);
    DrawText(C->Handle(), Caption(), Rect, Flags);
}
