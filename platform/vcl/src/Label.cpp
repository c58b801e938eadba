// Labels: a text drawn on the parent, sized to itself, and the accelerator
// that focuses the control it names.

#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "windowing/Paint.h"

using namespace winapi;

const TClassInfo& TCustomLabel::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TCustomLabel, TGraphicControl>()
            .Property(u"Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
            .Default(taLeftJustify)
            .Property(u"AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize)
            .Default(true)
            .Property(u"FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
            .Property(u"Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout)
            .Default(tlTop)
            .Property(u"WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap)
            .Default(false)
            .Build();
    return Info;
}
const TClassInfo& TLabel::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TLabel, TCustomLabel>().Build();
    return Info;
}

namespace {

constexpr Cardinal AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

} // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (Transparent() == Value) return;
    if (Value)
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    else
        SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

Cardinal TCustomLabel::TextFlags() const {
    return DT_EXPANDTABS | (FWordWrap ? Cardinal(DT_WORDBREAK) : 0u) |
           (FShowAccelChar ? 0u : Cardinal(DT_NOPREFIX));
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    // Measured on a screen context, so a label sizes itself before its
    // parent has a window. An empty caption still measures one line.
    HDC DC = GetDC(nullptr);
    TCanvas Measure;
    Measure.SetHandle(DC);
    Measure.Font()->Assign(Font());
    TRect Rect{0, 0, FWordWrap ? Width() : 0, 0};
    String Text = Caption().empty() ? String(u" ") : Caption();
    DrawText(Measure.Handle(), Text, Rect, TextFlags() | DT_CALCRECT);
    Measure.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    Integer NewLeft = Left();
    if (FAlignment == taRightJustify) NewLeft += Width() - Rect.Right;
    SetBounds(NewLeft, Top(), Rect.Right, Rect.Bottom);
}

void TCustomLabel::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::WndProc(Message);
        AdjustBounds();
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(Word(Message.WParam), Caption()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            Message.Result = 1;
            return;
        }
        TGraphicControl::WndProc(Message);
        return;
    default:
        TGraphicControl::WndProc(Message);
        return;
    }
}

void TCustomLabel::Paint() {
    TRect Client = ClientRect();
    TCanvas* Canvas = this->Canvas();
    if (!Transparent()) {
        Canvas->Brush()->SetColor(Color());
        Canvas->FillRect(Client);
    }
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    Canvas->Font()->Assign(Font());
    Cardinal Flags = TextFlags() | AlignmentFlags[FAlignment];
    TRect Text = Client;
    if (FLayout != tlTop) {
        TRect Measure = Client;
        DrawText(Canvas->Handle(), Caption(), Measure, Flags | DT_CALCRECT);
        Integer Free = Client.Height() - Measure.Height();
        OffsetRect(Text, 0, FLayout == tlBottom ? Free : Free / 2);
    }
    if (Enabled()) {
        DrawText(Canvas->Handle(), Caption(), Text, Flags);
        return;
    }
    // The classic disabled look: the text embossed in highlight and shadow.
    TRect Raised = Text;
    OffsetRect(Raised, 1, 1);
    Canvas->Font()->SetColor(clBtnHighlight);
    DrawText(Canvas->Handle(), Caption(), Raised, Flags);
    Canvas->Font()->SetColor(clBtnShadow);
    DrawText(Canvas->Handle(), Caption(), Text, Flags);
}
