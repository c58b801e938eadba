// Group boxes: an etched frame and a caption around child controls.

#include "vcl/GroupBox.h"

#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "windowing/Paint.h"

using namespace winapi;

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomGroupBox, TCustomControl>().Build();
    return Info;
}
const TClassInfo& TGroupBox::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGroupBox, TCustomGroupBox>().Build();
    return Info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable, csParentBackground});
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

Integer TCustomGroupBox::CaptionHeight() const {
    HDC DC = GetDC(nullptr);
    TCanvas Measure;
    Measure.SetHandle(DC);
    Measure.Font()->Assign(Font());
    Integer Height = Measure.TextHeight(u"0");
    Measure.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    return Height;
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) const {
    Rect.Top += CaptionHeight();
    InflateRect(Rect, -2, -2);
}

void TCustomGroupBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        // The accelerator of the caption focuses the first control inside.
        if (Enabled() && IsAccel(Word(Message.WParam), Caption()) && CanFocus()) {
            SelectFirst();
            Message.Result = 1;
            return;
        }
        break;
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        Realign();
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TCustomGroupBox::Paint() {
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    Integer TextHeight = C->TextHeight(u"0");
    TRect Client = ClientRect();
    C->Brush()->SetColor(Color());
    C->FillRect(Client);
    TRect Frame{0, TextHeight / 2 - 1, Client.Right, Client.Bottom};
    DrawEdge(C->Handle(), Frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty()) return;
    // The caption interrupts the frame's top line, 8 pixels from the left.
    TRect Text{0, 0, 0, 0};
    DrawText(C->Handle(), Caption(), Text, DT_SINGLELINE | DT_CALCRECT);
    OffsetRect(Text, 8, 0);
    SetBkMode(C->Handle(), OPAQUE);
    SetBkColor(C->Handle(), ColorToRGB(Color()));
    if (!Enabled()) C->Font()->SetColor(clGrayText);
    DrawText(C->Handle(), Caption(), Text, DT_SINGLELINE);
}
