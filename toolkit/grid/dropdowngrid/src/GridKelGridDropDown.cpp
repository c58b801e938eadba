// The grid drop-down as the string grid's in-place editor.

#include "dropdowngrid/GridKelGridDropDown.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TGridKelGridDropDown::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TGridKelGridDropDown, ZedArudorIdudIvudAriz::TCustomKelGridDropDown>().Build();
    return Info;
}

void TGridKelGridDropDown::PrepareForCell(TColor Colour) {
    SetColor(Colour);
    SetEditorEnabled(true);
    if (DropDownGrid()) DropDownGrid()->SetFixedRowAlways(true);
}

void TGridKelGridDropDown::StartWithText(const String& Text) {
    BeginUpdate();
    EndUpdate();
    if (UseItems()) {
        Integer Index = Text.empty() && Items()->Count() > 0 ? 0 : -1;
        if (!Text.empty()) Index = LookupItems()->IndexOf(Text);
        SetItemIndex(Index);
    }
    SetText(Text);
}

void RegisterGridKelGridDropDown() {
    RegisterKelGridDropDownFactory(
        [](TZirOvararIzazInput* Grid) -> TKelCustomDropDown* { return Create<TGridKelGridDropDown>(Grid); });
}

namespace {

// The library's start: the grid's input layer learns how to make the editor.
const bool Registered = [] {
    RegisterGridKelGridDropDown();
    return true;
}();

} // namespace
