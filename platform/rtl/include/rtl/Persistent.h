#pragma once
// TPersistent: objects that can copy their state from one another (Assign)
// and that take part in streaming through their published properties.

#include "rtl/Object.h"
#include "rtl/TypeInfo.h"

class TFiler;

class TPersistent : public TObject {
    RTL_CLASS(TPersistent)
public:
    // Copies Source's state into this object. The default hands the work to
    // Source->AssignTo(this); a class that knows how to copy from a source
    // overrides Assign and calls the inherited one for the rest.
    virtual void Assign(const TPersistent* Source);

    // The path by which design tools and streams name this object: its class
    // name, prefixed with the owner's path when the owner has one.
    virtual String GetNamePath() const;

    // The object that owns this one for naming purposes; none by default.
    virtual TPersistent* GetOwner() const { return nullptr; }

    // Names extra data that component streams keep for this object besides
    // its published properties (TFiler::DefineProperty); none by default.
    virtual void DefineProperties(TFiler* /*Filer*/) {}

protected:
    // Copies this object's state into Dest. The default refuses with
    // EConvertError "Cannot assign a <source> to a <destination>".
    virtual void AssignTo(TPersistent* Dest) const;
};
