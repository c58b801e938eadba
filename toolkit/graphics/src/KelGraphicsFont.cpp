#include "kel/KelGraphicsFont.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TKelGraphicsFont::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGraphicsFont, TFont>().Build();
    return Info;
}

TKelGraphicsFont::TKelGraphicsFont() {
    SetHeight(-11);
    OnChange = [this](TObject*) { DoChanged(); };
}

void TKelGraphicsFont::Assign(const TPersistent* Source) {
    ChangeAsOne([&] { TFont::Assign(Source); });
}
