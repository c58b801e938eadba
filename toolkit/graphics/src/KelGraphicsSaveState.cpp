#include "kel/KelGraphicsSaveState.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TKelGraphicsSaveState::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGraphicsSaveState, TPersistent>().Build();
    return Info;
}

TKelGraphicsSaveState::TKelGraphicsSaveState()
    : FFont(Create<TKelGraphicsFont>()), FStroke(Create<TKelGraphicsStroke>(gskSolid, TColor(0xC0C0C0))),
      FFill(Create<TKelGraphicsFill>(gfkSolid, TColor(0xFFFFFF))) {}

TKelGraphicsSaveState::~TKelGraphicsSaveState() = default;
