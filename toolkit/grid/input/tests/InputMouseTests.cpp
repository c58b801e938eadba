// Presses, releases, double clicks and the right button on the grid's
// click targets, injected as window messages: the order in which a press
// tests its targets, links and the desktop's opener, the shift state, the
// touch-scroll release, sorting by a click, column moves, the right button
// and the double click on a header border.

#include "InputTestSupport.h"
#include "grid/SortSettings.h"
#include "gridbase/RarEvad.h"
#include "os/Shell.h"
#include "vcl/Clipbrd.h"
#include "vcl/Menus.h"
#include "vcl/Timer.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using namespace winapi;

namespace {

std::string Narrow(const String& S) {
    return std::string(S.begin(), S.end());
}

// Records what reaches the platform grid's own press handling.
class TMouseGrid : public TTestInput {
public:
    using TTestInput::TTestInput;
    using TTestInput::GetCellGraphic;
    std::vector<std::string> Log;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
        Log.push_back("std");
        TTestInput::MouseDown(Button, Shift, X, Y);
    }
};

class MouseTest : public GridFormTest<TMouseGrid> {
protected:
    void SetUp() override {
        GridFormTest<TMouseGrid>::SetUp();
        Show();
        Grid->SetBounds(0, 0, 580, 380);
        Grid->SetColCount(8);
        Grid->SetRowCount(8);
        for (Integer r = 1; r < 8; ++r)
            for (Integer c = 1; c < 8; ++c) Grid->SetCells(c, r, String(1, Char(u'a' + c)) + String(1, Char(u'0' + r)));
        Grid->SetFocus();
        Pump();
        PreviousHook = os::SetShellOpenHook([this](const String& Target) {
            Opened.push_back(Narrow(Target));
            return true;
        });
        Grid->OnClickCell = [this](TObject*, Integer ARow, Integer ACol) { Log("click " + Cell(ACol, ARow)); };
        Grid->OnAnchorClick = [this](TObject*, Integer, Integer, const String& Anchor, bool&) {
            Log("anchor " + Narrow(Anchor));
        };
        Grid->OnCheckBoxClick = [this](TObject*, Integer ACol, Integer ARow, bool State) {
            Log("check " + Cell(ACol, ARow) + (State ? " on" : " off"));
        };
        Grid->OnRadioButtonClick = [this](TObject*, Integer ACol, Integer ARow) { Log("radiobutton " + Cell(ACol, ARow)); };
        Grid->OnRadioClick = [this](TObject*, Integer ACol, Integer ARow, Integer Idx) {
            Log("radio " + Cell(ACol, ARow) + " " + std::to_string(Idx));
        };
        Grid->OnRatingChange = [this](TObject*, Integer ACol, Integer ARow, Double& Rate, bool&) {
            Log("rating " + Cell(ACol, ARow) + " " + std::to_string(Rate).substr(0, 3));
        };
        Grid->OnContractNode = [this](TObject*, Integer ARow, Integer) { Log("contract " + std::to_string(ARow)); };
        Grid->OnExpandNode = [this](TObject*, Integer ARow, Integer) { Log("expand " + std::to_string(ARow)); };
        Grid->OnControlClick = [this](TObject*, Integer, Integer, const String& ID, const String& Type,
                                      const String& Value) {
            Log("control " + Narrow(ID) + " " + Narrow(Type) + " " + Narrow(Value));
        };
    }
    void TearDown() override {
        os::SetShellOpenHook(PreviousHook);
        GridFormTest<TMouseGrid>::TearDown();
    }
    static std::string Cell(Integer ACol, Integer ARow) {
        return std::to_string(ACol) + "," + std::to_string(ARow);
    }
    void Log(const std::string& S) { Grid->Log.push_back(S); }
    std::string Joined() {
        std::string S;
        for (const auto& L : Grid->Log) S += (S.empty() ? "" : " ") + L;
        Grid->Log.clear();
        return S;
    }
    TPoint Centre(Integer ACol, Integer ARow) {
        const TRect R = Grid->CellRect(ACol, ARow);
        return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    LRESULT Send(UINT Msg, TPoint P) { return Grid->Perform(Msg, 0, MAKELPARAM(P.X, P.Y)); }
    LRESULT Press(TPoint P) { return Send(WM_LBUTTONDOWN, P); }
    void Release(TPoint P) { Send(WM_LBUTTONUP, P); }
    void ClickAt(TPoint P) {
        Press(P);
        Release(P);
    }
    void Hold(std::initializer_list<Word> Keys) {
        for (Word K : Keys) static_cast<THeadlessBackend&>(Backend()).PressKey(K);
        Pump();
    }
    void Let(std::initializer_list<Word> Keys) {
        for (Word K : Keys) static_cast<THeadlessBackend&>(Backend()).ReleaseKey(K);
        Pump();
    }
    TMouseActionsSettings& MA() { return Grid->MouseActions()->PlainSettings(); }
    void SetOption(TGridOption O, bool On) {
        TGridOptions Opts = Grid->Options();
        if (On)
            Opts.Include(O);
        else
            Opts.Exclude(O);
        Grid->SetOptions(Opts);
    }
    std::vector<std::string> Opened;
    os::TShellOpenHook PreviousHook;
};

TEST_F(MouseTest, EachTargetTakesThePressInItsOrder) {
    auto* Items = Create<TStringList>();
    Items->Add(u"one");
    Items->Add(u"two");
    struct Case {
        const char* Name;
        std::function<TPoint()> Setup;
        std::string Expected;
    };
    const Case Cases[] = {
        {"plain cell", [&] { return Centre(2, 1); }, "std click 2,1"},
        {"check box",
         [&] {
             Grid->ControlLook()->SetCheckAlwaysActive(true);
             Grid->AddCheckBox(2, 2, false, false);
             return Centre(2, 2);
         },
         "check 2,2 on"},
        {"radio button",
         [&] {
             Grid->ControlLook()->SetRadioAlwaysActive(true);
             Grid->AddRadioButton(3, 2, false);
             return Centre(3, 2);
         },
         "radiobutton 3,2 check 3,2 off"},
        {"radio list",
         [&] {
             Grid->ControlLook()->SetRadioAlwaysActive(true);
             Grid->AddRadio(4, 2, 0, 0, Items);
             const TRect R = Grid->CellRect(4, 2);
             return TPoint(R.Left + 5, R.Top + 8);
         },
         "radio 4,2 0"},
        {"rating",
         [&] {
             SetOption(goEditing, true);
             Grid->AddRating(5, 2, 5, clYellow, clGray);
             const TRect R = Grid->CellRect(5, 2);
             return TPoint(R.Left + 20, R.Top + 5);
         },
         "rating 5,2 1.0"},
        {"cell button",
         [&] {
             Grid->AddButton(6, 2, 20, 16, u"b", haLeft, vaTop);
             Grid->GetCellGraphic(6, 2)->SetCellValue(2 + 2 * 65536);
             const TRect R = Grid->CellRect(6, 2);
             return TPoint(R.Left + 6, R.Top + 6);
         },
         "click 6,2"},
        {"expand button",
         [&] {
             Grid->AddExpand(7, 2, 40);
             const TRect R = Grid->CellRect(7, 2);
             return TPoint(R.Right - 7, R.Top + 7);
         },
         "click 7,2"},
        {"node glyph",
         [&] {
             MA().PreciseNodeClick = false;
             Grid->AddNode(4, 2);
             return Centre(0, 4);
         },
         "click 0,4 contract 4"},
        {"link",
         [&] {
             Grid->SetURLShow(true);
             Grid->SetCells(1, 3, u"http://example.org/a");
             return Centre(1, 3);
         },
         "anchor http://example.org/a"},
        {"fixed corner",
         [&] {
             MA().AllSelect = true;
             SetOption(goRangeSelect, true);
             Grid->SetMouseSelectMode(msAll);
             return Centre(0, 0);
         },
         "std click 0,0"},
        {"fixed row",
         [&] {
             MA().ColSelect = true;
             SetOption(goRangeSelect, true);
             Grid->SetMouseSelectMode(msColumn);
             return Centre(3, 0);
         },
         "std click 3,0"},
        {"fixed column",
         [&] {
             MA().RowSelect = true;
             Grid->SetMouseSelectMode(msRow);
             return Centre(0, 5);
         },
         "std click 0,5"},
        {"resize handle",
         [&] {
             Grid->SetSelectionResizer(true);
             Grid->SetSelectionRectangle(true);
             Grid->FocusCell(2, 5);
             const TRect R = Grid->CellRect(2, 5);
             return TPoint(R.Right - 2, R.Bottom - 2);
         },
         ""},
    };
    for (const Case& C : Cases) {
        const TPoint P = C.Setup();
        Grid->Log.clear();
        Press(P);
        EXPECT_EQ(Joined(), C.Expected) << C.Name;
        Release(P);
        Grid->SetMouseSelectMode(msNormal);
        Grid->Log.clear();
    }
    // What the selecting presses left behind.
    Grid->SetMouseSelectMode(msAll);
    Press(Centre(0, 0));
    Release(Centre(0, 0));
    const Integer Last = Grid->RowCount() - 1;
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 7, Last}));
    Grid->SetMouseSelectMode(msColumn);
    Press(Centre(3, 0));
    EXPECT_EQ(Grid->Selection(), (TGridRect{3, 1, 3, Last}));
    Release(Centre(3, 0));
    Grid->SetMouseSelectMode(msRow);
    Press(Centre(0, 5));
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 5, 7, 5}));
    Release(Centre(0, 5));
    Grid->RemoveCellGraphic(4, 2);
    Free(Items);
}

TEST_F(MouseTest, ARefusedClickDoesNothingButEmptiesTheSearchText) {
    Grid->SearchInc = u"ab";
    bool Asked = false;
    Grid->OnCanClickCell = [&](TObject*, Integer ARow, Integer ACol, bool& Allow) {
        Asked = ARow == 3 && ACol == 4;
        Allow = false;
    };
    Press(Centre(4, 3));
    Release(Centre(4, 3));
    EXPECT_TRUE(Asked);
    EXPECT_EQ(Joined(), "");
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_TRUE(Grid->SearchInc.empty());
}

TEST_F(MouseTest, RadioListBoundariesChooseNothing) {
    auto* Items = Create<TStringList>();
    Items->Add(u"one");
    Items->Add(u"two");
    Grid->ControlLook()->SetRadioAlwaysActive(true);
    Grid->ControlLook()->SetControlStyle(ZirOvararIzaz::csClassic);
    Grid->AddRadio(2, 2, 1, 0, Items);
    // The first call puts the cell's font on the canvas.
    Grid->SelectRadioItemAt(2, 2, -5, 4);
    const Integer W = Grid->Canvas()->TextWidth(u"one") + Grid->ControlLook()->RadioSize();
    struct Case {
        Integer X;
        std::string Expected;
    };
    for (const Case& C : {Case{0, ""}, Case{W, ""}, Case{W / 2, "radio 2,2 0"}, Case{W + 4, "radio 2,2 1"}}) {
        Grid->SelectRadioItemAt(2, 2, C.X, 4);
        EXPECT_EQ(Joined(), C.Expected) << C.X;
    }
    Grid->RemoveCellGraphic(2, 2);
    Free(Items);
}

TEST_F(MouseTest, OnlyWebAndMailLinksReachTheOpener) {
    Grid->SetURLShow(true);
    struct Case {
        const char* Text;
        bool Opened;
    };
    const Case Cases[] = {
        {"http://example.org/x", true}, {"https://example.org/y", true}, {"mailto:a@example.org", true},
        {"file:///bin/sh", false},      {"smb://host/x", false},         {"/usr/bin/xterm", false},
    };
    for (const Case& C : Cases) {
        const String Text(C.Text, C.Text + std::char_traits<char>::length(C.Text));
        Grid->SetCells(2, 2, Text);
        Opened.clear();
        ClickAt(Centre(2, 2));
        const std::string Logged = Joined();
        if (IsURLText(Text)) {
            EXPECT_EQ(Logged, "anchor " + std::string(C.Text)) << C.Text;
        }
        EXPECT_EQ(Opened, C.Opened ? std::vector<std::string>{C.Text} : std::vector<std::string>{}) << C.Text;
    }
}

TEST_F(MouseTest, CellLinksMoveToR1C1ReferencesOnly) {
    Grid->SetRowCount(60);
    Grid->SetURLShow(true);
    struct Case {
        const char* Text;
        TPoint At;
    };
    for (const Case& C : {Case{"CELL://R40C2", {2, 40}}, Case{"cell://r30c3", {3, 30}}, Case{"CELL://B5", {1, 1}}}) {
        Grid->FocusCell(1, 1);
        Grid->SetTopRow(1);
        Grid->SetCells(1, 1, String(C.Text, C.Text + std::char_traits<char>::length(C.Text)));
        ClickAt(Centre(1, 1));
        EXPECT_EQ(TPoint(Grid->Col(), Grid->Row()), C.At) << C.Text;
        if (C.At.Y > 1) {
            EXPECT_GT(C.At.Y, Grid->TopRow()) << C.Text;
            EXPECT_LT(C.At.Y, Grid->TopRow() + Grid->VisibleRowCount() - 1) << C.Text;
        }
        EXPECT_TRUE(Opened.empty());
    }
}

TEST_F(MouseTest, AnHtmlCheckControlTogglesItsValue) {
    SetOption(goEditing, true);
    Grid->SetColWidths(2, 160);
    Grid->SetCells(2, 2, u"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"FALSE\" WIDTH=\"16\"> <b>x</b>");
    const TRect R = Grid->CellRect(2, 2);
    const TPoint P(R.Left + 10, (R.Top + R.Bottom) / 2);
    for (const char* Value : {"TRUE", "FALSE"}) {
        ClickAt(P);
        EXPECT_EQ(Joined(), std::string("control c1 CHECK ") + Value);
        EXPECT_NE(Narrow(Grid->Cells(2, 2)).find(std::string("VALUE=\"") + Value + "\""), std::string::npos);
    }
}

TEST_F(MouseTest, EveryHeldModifierReachesOnMouseDown) {
    TShiftState Seen;
    Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, Integer, Integer) { Seen = Shift; };
    SetOption(goRowSelect, false);
    struct Case {
        std::initializer_list<Word> Keys;
        TShiftState Expected;
    };
    const Case Cases[] = {
        {{}, TShiftState()},
        {{VK_CONTROL}, TShiftState{ssCtrl}},
        {{VK_CONTROL, VK_SHIFT}, TShiftState{ssCtrl, ssShift}},
        {{VK_CONTROL, VK_SHIFT, VK_MENU}, TShiftState{ssCtrl, ssShift, ssAlt}},
    };
    // A press on the current cell of a grid that may not be edited tells
    // OnMouseDown itself.
    for (const Case& C : Cases) {
        Hold(C.Keys);
        Seen = TShiftState();
        Grid->FocusCell(3, 3);
        Press(Centre(3, 3));
        Release(Centre(3, 3));
        Let(C.Keys);
        EXPECT_EQ(Seen.Contains(ssCtrl), C.Expected.Contains(ssCtrl));
        EXPECT_EQ(Seen.Contains(ssShift), C.Expected.Contains(ssShift));
        EXPECT_EQ(Seen.Contains(ssAlt), C.Expected.Contains(ssAlt));
    }
}

TEST_F(MouseTest, ShiftPressWithDisjunctRowsStoresANormalisedRectangle) {
    MA().DisjunctRowSelect = true;
    SetOption(goRangeSelect, true);
    Grid->FocusCell(2, 2);
    Hold({VK_SHIFT});
    Press(Centre(1, 5));
    Let({VK_SHIFT});
    const TGridRect S = Grid->Selection();
    Release(Centre(1, 5));
    EXPECT_LE(S.Left, S.Right);
    EXPECT_LE(S.Top, S.Bottom);
    EXPECT_EQ(S, (TGridRect{1, 2, 2, 5}));
}

TEST_F(MouseTest, TheResizeHandleKeepsItsCopyInsideTheGrid) {
    Clipboard()->SetAsText(u"kept");
    Grid->SetSelectionResizer(true);
    Grid->SetSelectionRectangle(true);
    Grid->Navigation()->PlainSettings().AllowSmartClipboard = true;
    Grid->FocusCell(2, 2);
    const TRect R = Grid->CellRect(2, 2);
    EXPECT_EQ(Press(TPoint(R.Right - 2, R.Bottom - 2)), 1);
    EXPECT_EQ(TPoint(Grid->Col(), Grid->Row()), TPoint(2, 2));
    EXPECT_EQ(Grid->SmartFillCopy(), (std::vector<std::vector<String>>{{u"c2"}}));
    TGridRect Reported{-1, -1, -1, -1};
    Grid->OnSelectionResized = [&](TObject*, const TGridRect&, const TGridRect& NewSel) { Reported = NewSel; };
    Grid->SetSelection(TGridRect{2, 2, 2, 4});
    Release(Centre(2, 4));
    EXPECT_EQ(Reported, (TGridRect{2, 2, 2, 4}));
    EXPECT_EQ(Grid->Cells(2, 4), u"c2");
    EXPECT_EQ(Clipboard()->AsText(), u"kept");
}

// ---- Release ----

TEST_F(MouseTest, AQuickSwipeScrollsOnASlowOneDoesNot) {
    Grid->SetRowCount(80);
    MA().TouchScroll = true;
    for (bool Quick : {true, false}) {
        Grid->SetTopRow(20);
        Grid->FocusCell(1, 20);
        EXPECT_EQ(Press(Centre(2, 24)), 1);
        Grid->SetTopRow(18);
        Clock->Advance(Quick ? 100 : 600);
        Release(Centre(2, 26));
        EXPECT_EQ(Grid->SmoothScrollTimer() != nullptr && Grid->SmoothScrollTimer()->Enabled(), Quick) << Quick;
        if (Grid->SmoothScrollTimer()) Grid->SmoothScrollTimer()->SetEnabled(false);
        EXPECT_EQ(Grid->TopRow(), 18) << Quick;
    }
}

TEST_F(MouseTest, ATapTogglesACheckBoxAndMovesByTheRowSelectRule) {
    MA().TouchScroll = true;
    SetOption(goEditing, true);
    Grid->AddCheckBox(3, 4, false, false);
    Grid->FocusCell(1, 1);
    ClickAt(Centre(3, 4));
    bool State = false;
    Grid->GetCheckBoxState(3, 4, State);
    EXPECT_TRUE(State);
    EXPECT_EQ(TPoint(Grid->Col(), Grid->Row()), TPoint(3, 4));
    // With row selection the vertical tap leaves the current cell where it
    // is; the horizontal one makes the tapped cell current.
    SetOption(goRowSelect, true);
    const TPoint P = Centre(2, 4);
    Press(P);
    Grid->FocusCell(1, 4);
    Release(P);
    EXPECT_EQ(Grid->Col(), 1);
    Press(P);
    Grid->FocusCell(1, 4);
    Release(TPoint(P.X + 20, P.Y));
    EXPECT_EQ(Grid->Col(), 2);
}

class SortClickTest : public MouseTest {
protected:
    void SetUp() override {
        MouseTest::SetUp();
        Grid->SetRowCount(5);
        const char16_t* Names[] = {u"c", u"a", u"d", u"b"};
        const char16_t* Other[] = {u"2", u"2", u"1", u"1"};
        for (Integer r = 1; r < 5; ++r) {
            Grid->SetCells(1, r, Names[r - 1]);
            Grid->SetCells(2, r, Other[r - 1]);
        }
        Grid->SortSettings()->SetShow(true);
    }
    std::string Column(Integer C) {
        std::string S;
        for (Integer r = 1; r < Grid->RowCount(); ++r) S += Narrow(Grid->Cells(C, r));
        return S;
    }
};

TEST_F(SortClickTest, ClicksFlipTheDirectionAndUndoRestores) {
    Grid->SortSettings()->SetUndoSort(true);
    ClickAt(Centre(1, 0));
    EXPECT_EQ(Column(1), "abcd");
    ClickAt(Centre(1, 0));
    EXPECT_EQ(Column(1), "dcba");
    ClickAt(Centre(1, 0));
    EXPECT_EQ(Column(1), "cadb");
    EXPECT_EQ(Grid->SortSettings()->Column(), -1);
}

TEST_F(SortClickTest, ShiftAddsAColumnToTheIndexedSort) {
    Grid->SortSettings()->SetIndexShow(true);
    Grid->SortSettings()->SetIndexSortKey(ikShift);
    ClickAt(Centre(2, 0));
    Hold({VK_SHIFT});
    ClickAt(Centre(1, 0));
    Let({VK_SHIFT});
    EXPECT_EQ(Grid->SortIndexes()->Count(), 2);
    EXPECT_EQ(Column(2) + Column(1), "1122bdac");
    ClickAt(Centre(1, 0));
    EXPECT_EQ(Grid->SortIndexes()->Count(), 1);
    EXPECT_EQ(Column(1), "abcd");
}

TEST_F(SortClickTest, NoSortWithOneDataRowOrAfterABorderDoubleClick) {
    SetOption(goColSizing, true);
    const TRect R = Grid->CellRect(2, 0);
    const TPoint Border(R.Left + 1, (R.Top + R.Bottom) / 2);
    const Integer Before = Grid->ColWidths(1);
    Grid->SetCells(1, 2, u"a much longer text than the column shows");
    Press(Border);
    Release(Border);
    Send(WM_LBUTTONDBLCLK, Border);
    Release(Border);
    EXPECT_GT(Grid->ColWidths(1), Before);
    EXPECT_EQ(Grid->SortSettings()->Column(), -1);
    Grid->SetRowCount(2);
    ClickAt(Centre(1, 0));
    EXPECT_EQ(Grid->SortSettings()->Column(), -1);
}

TEST_F(MouseTest, ColumnMovesCarryTheSortColumnWidthsAndCurrentData) {
    struct Case {
        Integer From, To, SortBefore, SortAfter;
    };
    for (const Case& C : {Case{2, 5, 5, 4}, Case{5, 2, 2, 3}}) {
        Grid->SortSettings()->SetColumn(C.SortBefore);
        for (Integer c = 1; c < 8; ++c) Grid->SetColWidths(c, 40 + c);
        const String Moved = Grid->Cells(C.From, 1);
        Grid->FocusCell(3, 1);
        const String Current = Grid->Cells(3, 1);
        Grid->MoveColumn(C.From, C.To);
        EXPECT_EQ(Grid->SortSettings()->Column(), C.SortAfter);
        EXPECT_EQ(Grid->Cells(C.To, 1), Moved);
        EXPECT_EQ(Grid->ColWidths(C.To), 40 + C.From);
        EXPECT_EQ(Grid->Cells(Grid->Col(), 1), Current);
    }
}

TEST_F(MouseTest, RightClickKeepsAMultiRowSelectionForThePopupMenu) {
    MA().SelectOnRightClick = true;
    MA().DisjunctRowSelect = true;
    auto* Menu = Create<TPopupMenu>(Form);
    Grid->SetPopupMenu(Menu);
    Grid->SetRowSelect(2, true);
    Grid->SetRowSelect(4, true);
    std::string Clicked;
    Grid->OnRightClickCell = [&](TObject*, Integer ARow, Integer ACol) { Clicked = Cell(ACol, ARow); };
    Send(WM_RBUTTONDOWN, Centre(2, 4));
    EXPECT_EQ(Clicked, "2,4");
    EXPECT_EQ(Grid->RowSelectCount(), 2);
    EXPECT_TRUE(Grid->RowSelect(2));
    Send(WM_RBUTTONDOWN, Centre(2, 5));
    EXPECT_EQ(Grid->RowSelectCount(), 1);
    EXPECT_TRUE(Grid->RowSelect(5));
}

TEST_F(MouseTest, ADoubleClickOpensTheEditorWithoutAPress) {
    MA().RangeSelectAndEdit = true;
    Grid->SetCells(2, 3, u"text");
    Send(WM_LBUTTONDBLCLK, Centre(2, 3));
    EXPECT_EQ(TPoint(Grid->Col(), Grid->Row()), TPoint(2, 3));
    EXPECT_TRUE(Grid->EditMode());
    // A check box at the cell's corner is not toggled by the double click.
    Grid->AddCheckBox(4, 3, false, false);
    const TRect R = Grid->CellRect(4, 3);
    Send(WM_LBUTTONDBLCLK, TPoint(R.Right - 4, R.Bottom - 4));
    bool State = true;
    Grid->GetCheckBoxState(4, 3, State);
    EXPECT_FALSE(State);
}

} // namespace
