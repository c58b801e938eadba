#pragma once
// TSizeWhileTyping: whether the edited cell's column (Width) or row
// (Height, with word wrap) grows to the text while the user types.

#include "rtl/Persistent.h"

class TSizeWhileTyping : public TPersistent {
    RTL_CLASS(TSizeWhileTyping)
public:
    TSizeWhileTyping() = default;
    void Assign(const TPersistent* Source) override;

    bool Height() const { return FHeight; }
    void SetHeight(bool Value) { FHeight = Value; }
    bool Width() const { return FWidth; }
    void SetWidth(bool Value) { FWidth = Value; }

private:
    bool FHeight = false;
    bool FWidth = false;
};
