#include "rtl/Persistent.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TPersistent, TObject>().Build();
    return Info;
}

void TPersistent::Assign(const TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    // Nothing knows how to take a null source: refuse it as for a source of
    // an unknown class.
    throw EConvertError(u"Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    throw EConvertError(u"Cannot assign a " + ClassName() + u" to a " + Dest->ClassName());
}

String TPersistent::GetNamePath() const {
    String Result = ClassName();
    if (const TPersistent* Owner = GetOwner()) {
        const String OwnerPath = Owner->GetNamePath();
        if (!OwnerPath.empty()) Result = OwnerPath + u"." + Result;
    }
    return Result;
}
