#pragma once
// A core grid on a headless form with a manual clock, and a grid subclass
// that opens the protected hooks to the tests and counts what is painted.

#include "grid/GridUnit.h"
#include "grid_testing/GridFormTest.h"
#include "grid/ZirOvararIzazCore.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/MessageQueue.h"
#include "windowing/Timers.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

class TTestCore : public TZirOvararIzazCore {
public:
    using TZirOvararIzazCore::TZirOvararIzazCore;
    using TZirOvararIzazCore::DoCanEdit;
    using TZirOvararIzazCore::DoGetAlignment;
    using TZirOvararIzazCore::DoGetCellBorder;
    using TZirOvararIzazCore::DoGetCellColor;
    using TZirOvararIzazCore::DoGetCellHint;
    using TZirOvararIzazCore::DoGetFloatFormat;
    using TZirOvararIzazCore::DoHasComboBox;
    using TZirOvararIzazCore::DoHasEditBtn;
    using TZirOvararIzazCore::DoHasFilterEdit;
    using TZirOvararIzazCore::DoHasSpinEdit;
    using TZirOvararIzazCore::DoIsFixedCell;
    using TZirOvararIzazCore::DoIsNoEditorCell;
    using TZirOvararIzazCore::DoAutoDeleteRow;
    using TZirOvararIzazCore::DoBeforeEdit;
    using TZirOvararIzazCore::DoSearchFooterSearch;
    using TZirOvararIzazCore::DoGetFormat;
    using TZirOvararIzazCore::DoGetEditorType;
    using TZirOvararIzazCore::InitWheelScroll;
    using TZirOvararIzazCore::InitOrigColSizes;
    using TZirOvararIzazCore::DeleteRows;
    using TZirOvararIzazCore::RemoveRowsCore;
    using TZirOvararIzazCore::CalcPrintGraphicSize;
    using TZirOvararIzazCore::CalcCellGraphicSize;

    void WndProc(TMessage& Message) override {
        if (Message.Msg == winapi::WM_PAINT) ++Paints;
        TZirOvararIzazCore::WndProc(Message);
    }
    void DrawCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override {
        ++Drawn[{ACol, ARow}];
        TZirOvararIzazCore::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
    }

    Integer Paints = 0;
    std::map<std::pair<Integer, Integer>, Integer> Drawn;
};

using CoreTest = GridFormTest<TTestCore>;
