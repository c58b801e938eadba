#include "grid/SizeWhileTyping.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TSizeWhileTyping::StaticClassInfo() {
    using C = TSizeWhileTyping;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"Height", &C::Height, &C::SetHeight)
                                       .Default(false)
                                       .Property(u"Width", &C::Width, &C::SetWidth)
                                       .Default(false)
                                       .Build();
    return Info;
}

void TSizeWhileTyping::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TSizeWhileTyping*>(Source);
    if (!Other) return;
    FHeight = Other->FHeight;
    FWidth = Other->FWidth;
}
