// Frames: a child scrolling container in its parent's colour and font.

#include "rtl/ClassBuilder.h"
#include "vcl/Frame.h"

using namespace winapi;

const TClassInfo& TCustomFrame::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomFrame, TScrollingWinControl>().Build();
    return Info;
}

const TClassInfo& TFrame::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFrame, TCustomFrame>().Build();
    return Info;
}

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                  csDoubleClicks});
    InitAppearance(true, clBtnFace, true);
    SetParentColor(true);
    StoreBounds(0, 0, 320, 240);
}

void TCustomFrame::CreateParams(TCreateParams& Params) {
    TScrollingWinControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}
