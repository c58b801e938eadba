#include "kel/KelBitmap.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TKelBitmap::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelBitmap, TPicture>().Build();
    return Info;
}
