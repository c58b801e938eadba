#include "grid/GridItem.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TGridItem::StaticClassInfo() {
    using C = TGridItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Idx", &C::Idx, &C::SetIdx)
                                       .Default(0)
                                       .Property(u"Height", &C::Height, &C::SetHeight)
                                       .Default(0)
                                       .Property(u"Level", &C::Level, &C::SetLevel)
                                       .Default(0)
                                       .Build();
    return Info;
}

TGridItem::TGridItem(TCollection* ACollection) : TCollectionItem(ACollection), FItems(new TStringList()) {}

TGridItem::~TGridItem() {
    delete FItems;
}

void TGridItem::SetItems(TStringList* Value) {
    if (Value == FItems) return;
    delete FItems;
    FItems = Value;
}
