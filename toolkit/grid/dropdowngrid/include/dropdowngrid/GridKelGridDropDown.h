#pragma once
// The string grid's editor of the edKelGridDropDown kind: the grid drop-down
// with the grid's key protocol. The library registers its maker with the
// grid's input layer when it starts (RegisterGridKelGridDropDown may be
// called again at any time; it only registers once more).

#include "dropdowngrid/ZedArudorIdudIvudAriz.h"
#include "grid/GridDropDownEditors.h"

class TGridKelGridDropDown : public TGridDropDownEditor<ZedArudorIdudIvudAriz::TCustomKelGridDropDown>,
                             public IGridKelGridDropDown {
    RTL_CLASS(TGridKelGridDropDown)
public:
    explicit TGridKelGridDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
    // The string grid shown in the pop-up (null before it first opens).
    TZirOvararIzaz* Grid() const { return DropDownGrid(); }

    // Before the cell's editor properties are asked: the cell's colour, an
    // editable field and a header row that stays when the list is narrowed.
    void PrepareForCell(TColor Colour) override;
    // After them: the lookup list rebuilt, the item whose lookup text is the
    // cell's text chosen (the first item for an empty text), the text shown.
    void StartWithText(const String& Text) override;
};

// Registers the maker of TGridKelGridDropDown with the grid's input layer.
void RegisterGridKelGridDropDown();
