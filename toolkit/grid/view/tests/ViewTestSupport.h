#pragma once
// A final string grid on a headless form with a manual clock.

#include "grid/ZirOvararIzaz.h"
#include "grid_testing/GridFormTest.h"

class TTestGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
};

using ViewTest = GridFormTest<TTestGrid>;
