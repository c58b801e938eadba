#pragma once
// A bare base grid on a headless form: columns 50 wide and rows 20 high,
// 10 x 10 cells, one fixed row and column.

#include "gridbase/BaseGrid.h"
#include "gridbase/UndoRedo.h"
#include "rtl/Encoding.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"

#include <gtest/gtest.h>
#include <map>
#include <utility>

// The smallest concrete base grid: no nodes, no check boxes; it counts
// the content it is asked to draw per cell.
class TTestGrid : public TBaseGrid {
public:
    explicit TTestGrid(TComponent* AOwner) : TBaseGrid(AOwner) {}
    bool IsNode(Integer) override { return false; }
    bool IsSummary(Integer) override { return false; }
    bool HasCellCheckBox(Integer ACol, Integer ARow) override { return CheckCells.count({ACol, ARow}) > 0; }
    void SetCellCheckText(Integer ACol, Integer ARow, const String& Value) override {
        CheckTexts.push_back(Value);
        SetCells(ACol, ARow, Value);
    }
    void DrawCellContent(TCanvas*, Integer ACol, Integer ARow, TRect ARect, TGridDrawState) override {
        ++Drawn[{ACol, ARow}];
        LastContent[{ACol, ARow}] = ARect;
    }
    void HiddenRowChanged() override { ++HiddenRowChanges; }

    using TBaseGrid::DoMouseWheelDown;
    using TBaseGrid::DoMouseWheelUp;
    using TBaseGrid::KeyDown;

    std::map<std::pair<Integer, Integer>, Integer> Drawn;
    std::map<std::pair<Integer, Integer>, TRect> LastContent;
    std::map<std::pair<Integer, Integer>, bool> CheckCells;
    std::vector<String> CheckTexts;
    Integer HiddenRowChanges = 0;
};

class BaseGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Grid = new TTestGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetDefaultColWidth(50);
        Grid->SetDefaultRowHeight(20);
        Grid->SetBounds(0, 0, 200, 100);
        Grid->SetColCount(10);
        Grid->SetRowCount(10);
    }
    void TearDown() override {
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
    }
    void Show() {
        Form->Show();
        Application->ProcessMessages();
    }

    TForm* Form = nullptr;
    TTestGrid* Grid = nullptr;
};
