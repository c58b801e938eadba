// The final string grid's life: construction and destruction.

#include "grid/ZirOvararIzaz.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TZirOvararIzaz::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TZirOvararIzaz, TZirOvararIzazInput>().Build();
    return Info;
}

TZirOvararIzaz::TZirOvararIzaz(TComponent* AOwner) : TZirOvararIzazInput(AOwner) {}

TZirOvararIzaz::~TZirOvararIzaz() = default;
