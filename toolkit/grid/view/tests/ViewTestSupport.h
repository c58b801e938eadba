#pragma once
// A final string grid on a headless form with a manual clock.

#include "grid/ZirOvararIzaz.h"
#include "grid_testing/GridFormTest.h"

class TTestGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
    // looks
    using TZirOvararIzaz::CalcCellTextSizeEx;
    using TZirOvararIzaz::HandleChangeScale;
    using TZirOvararIzaz::MaxLinesInRow;
    using TZirOvararIzaz::ResolveAlignment;
    using TZirOvararIzaz::SetDPIScaleValue;
};

using ViewTest = GridFormTest<TTestGrid>;
