#include "rtl/Object.h"

#include "rtl/TypeInfo.h"

String TObject::ClassName() const {
    return detail::ClassNameOf(typeid(*this));
}

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo Info = [] {
        TClassInfo Root;
        Root.Name = u"TObject";
        Root.Factory = [](TComponent*) -> TObject* { return Create<TObject>(); };
        return Root;
    }();
    return Info;
}

const TClassInfo& TObject::ClassType() const {
    return StaticClassInfo();
}

bool TObject::InheritsFrom(const TClassInfo& AClass) const {
    return ClassType().InheritsFrom(AClass);
}
