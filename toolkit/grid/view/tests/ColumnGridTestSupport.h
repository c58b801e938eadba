#pragma once
// A column grid on a headless form that counts its repaints.

#include "grid/VarErozidOvur.h"
#include "grid_testing/GridFormTest.h"

class TTestColumnGrid : public TVarErozidOvur {
public:
    using TVarErozidOvur::TVarErozidOvur;
    void Invalidate() override {
        ++Repaints;
        TVarErozidOvur::Invalidate();
    }
    Integer Repaints = 0;
    // The protected per-cell questions, for the tests.
    using TVarErozidOvur::ChangeScale;
    using TVarErozidOvur::MouseDown;
    using TVarErozidOvur::DoCanEdit;
    using TVarErozidOvur::DoGetAlignment;
    using TVarErozidOvur::DoGetCellBorder;
    using TVarErozidOvur::DoGetCellColor;
    using TVarErozidOvur::DoGetColumnFilter;
    using TVarErozidOvur::ResolveEditMask;
    using TVarErozidOvur::ResolveEditLimit;
    using TVarErozidOvur::DoFilterSelect;
    using TVarErozidOvur::DoGetEditorType;
    using TVarErozidOvur::DoGetFloatFormat;
    using TVarErozidOvur::DoGetFormat;
    using TVarErozidOvur::DoHasComboBox;
    using TVarErozidOvur::DoIsFixedCell;
    using TVarErozidOvur::DoIsPasswordCell;
    using TVarErozidOvur::DoUpdateAutoColumnSize;
    using TVarErozidOvur::DoUpdateColumnSize;
    using TVarErozidOvur::DoGetCheckTrue;
    using TVarErozidOvur::DoGetCheckFalse;
    using TVarErozidOvur::DoGetCellHint;
};

using ColumnGridTest = GridFormTest<TTestColumnGrid>;
