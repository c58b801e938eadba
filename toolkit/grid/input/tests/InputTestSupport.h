#pragma once
// An input-layer grid on a headless form with a manual clock.

#include "grid/ZirOvararIzazInput.h"
#include "grid_testing/GridFormTest.h"

class TTestInput : public TZirOvararIzazInput {
public:
    using TZirOvararIzazInput::TZirOvararIzazInput;
    // navigation
    using TZirOvararIzazInput::AdvanceCell;
    using TZirOvararIzazInput::FCellChangingBlocked;
    using TZirOvararIzazInput::FEditing;
    using TZirOvararIzazInput::FForceSel;
    using TZirOvararIzazInput::FindNextNavigableCell;
    using TZirOvararIzazInput::InvalidSelection;
    using TZirOvararIzazInput::SetInvalidSelection;
    using TZirOvararIzazInput::FLastTabCol;
    using TZirOvararIzazInput::NextVisibleCol;
    using TZirOvararIzazInput::NextVisibleRow;
    bool IsSelectionVisibleForTest() { return IsSelectionVisible(); }
    bool DoCanShowFixedDropDownForTest(Integer ACol) { return DoCanShowFixedDropDown(ACol, 0); }
};

using InputTest = GridFormTest<TTestInput>;
