#include "gridbase/ControlList.h"

#include "vcl/Controls.h"

TKelControlList::~TKelControlList() {
    while (Count() > 0)
        RemoveControl(0);
}

void TKelControlList::AddControl(Integer X, Integer Y, TControl* AObject) {
    Add(new TControlItem(X, Y, AObject));
}

Integer TKelControlList::ControlIndex(Integer X, Integer Y) const {
    for (Integer I = 0; I < Count(); ++I)
        if (GetControl(I)->X == X && GetControl(I)->Y == Y) return I;
    return -1;
}

bool TKelControlList::HasHandle(winapi::HWND Handle) const {
    for (Integer I = 0; I < Count(); ++I) {
        auto* Windowed = dynamic_cast<TWinControl*>(GetControl(I)->Control());
        if (Windowed && Windowed->HandleAllocated() && Windowed->Handle() == Handle) return true;
    }
    return false;
}

void TKelControlList::RemoveControl(Integer Index) {
    TControlItem* Item = GetControl(Index);
    Delete(Index);
    delete Item;
}

void TKelControlList::ClearControls() {
    for (Integer I = 0; I < Count(); ++I)
        delete GetControl(I);
    Clear();
}
