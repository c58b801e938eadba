#pragma once
// An input-layer grid on a headless form with a manual clock.

#include "grid/ZirOvararIzazInput.h"
#include "grid_testing/GridFormTest.h"

class TTestInput : public TZirOvararIzazInput {
public:
    using TZirOvararIzazInput::TZirOvararIzazInput;
};

using InputTest = GridFormTest<TTestInput>;
