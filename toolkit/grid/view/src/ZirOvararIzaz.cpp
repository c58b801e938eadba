// The final string grid's life: construction and destruction.

#include "grid/ZirOvararIzaz.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TZirOvararIzaz::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TZirOvararIzaz, TZirOvararIzazInput>().Build();
    return Info;
}

TZirOvararIzaz::TZirOvararIzaz(TComponent* AOwner) : TZirOvararIzazInput(AOwner) {
    // The exporters write the fixed cells too unless told otherwise.
    SaveFixedCells = true;
}

TZirOvararIzaz::~TZirOvararIzaz() = default;
