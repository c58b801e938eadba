// The input layer's life: construction and destruction.

#include "grid/ZirOvararIzazInput.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TZirOvararIzazInput::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TZirOvararIzazInput, TZirOvararIzazCore>().Build();
    return Info;
}

TZirOvararIzazInput::TZirOvararIzazInput(TComponent* AOwner) : TZirOvararIzazCore(AOwner) {}

TZirOvararIzazInput::~TZirOvararIzazInput() = default;
