// The grid's event glue: the posted editing messages, focus gain with
// AlwaysEdit, the cells-changed notification and its footer, style colours
// and dialog characters.

#include "InputEditingSupport.h"

#include "grid/GridUnit.h"
#include "rtl/Encoding.h"
#include "vcl/ControlMessages.h"
#include "vcl/StdCtrls.h"

using namespace winapi;

namespace {

TEST_F(EditingTest, EditCellDoneWaitsForThePostedMessage) {
    Grid->OnEditingDone = [&](TObject*) { Log.push_back("EditingDone"); };
    Grid->OnEditCellDone = [&](TObject*, Integer ACol, Integer ARow) {
        Log.push_back("EditCellDone " + std::to_string(ACol) + "," + std::to_string(ARow));
    };
    Edit();
    Grid->FinishEditing(2, 3);
    EXPECT_EQ(Log, std::vector<std::string>{"EditingDone"});
    EXPECT_FALSE(Grid->EditMode());
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"EditingDone", "EditCellDone 2,3"}));
}

TEST_F(EditingTest, EditCellDoneWithEditOnDblClickOnlyTakesEditingAway) {
    Grid->MouseActions()->PlainSettings().EditOnDblClickOnly = true;
    PostMessage(Grid->Handle(), WM_GRIDEDITDONE(), 1, 1);
    Pump();
    EXPECT_FALSE(Grid->Options().Contains(goEditing));
}

TEST_F(EditingTest, GridEditShowOpensTheEditor) {
    PostMessage(Grid->Handle(), WM_GRIDEDITSHOW(), 0, 0);
    EXPECT_FALSE(Grid->EditMode());
    Pump();
    EXPECT_TRUE(Grid->EditMode());
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->Visible());
    EXPECT_EQ(Editor()->Text(), u"c1r1");
}

TEST_F(EditingTest, FocusFromAnotherControlShowsTheEditorWithAlwaysEdit) {
    auto* Other = Create<TEdit>(Form);
    Other->SetParent(Form);
    Other->SetBounds(10, 320, 100, 24);
    Grid->Navigation()->PlainSettings().AlwaysEdit = true;
    // The normal editor exists once the first edit made it.
    Edit();
    Key(VK_ESCAPE);
    Other->SetFocus();
    Pump();
    Grid->SetFocus();
    Pump();
    EXPECT_TRUE(Grid->EditMode());
    EXPECT_TRUE(Editor()->Visible());
    // Taking the focus back from its own editor does not show it again.
    Grid->SetFocus();
    Pump();
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_FALSE(Editor()->Visible());
    // A cell the application keeps read-only gets no editor.
    Grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
    Other->SetFocus();
    Pump();
    Grid->SetFocus();
    Pump();
    EXPECT_FALSE(Grid->EditMode());
}

TEST_F(EditingTest, DialogCharactersAreNotTakenWithoutTheSearchFooter) {
    EXPECT_EQ(Grid->Perform(CM_DIALOGCHAR, u'f', 0), 0);
}

TEST_F(EditingTest, StyleColoursWithoutAVisualStyle) {
    Grid->SetColor(clRed);
    Grid->SetGridLineColor(clBlue);
    Grid->SetOptions(Grid->Options() - TGridOptions{goFixedVertLine, goFixedHorzLine});
    Grid->ApplyStyleServicesColors(false);
    EXPECT_EQ(Grid->Color(), clRed);
    EXPECT_FALSE(Grid->Options().Contains(goFixedVertLine));
    Grid->ApplyStyleServicesColors(true);
    EXPECT_EQ(Grid->Color(), clWindow);
    EXPECT_EQ(Grid->GridLineColor(), 0xC0C0C0);
    EXPECT_EQ(Grid->GridFixedLineColor(), 0x808080);
    EXPECT_EQ(Grid->FixedFont()->Color(), clWindowText);
    EXPECT_EQ(Grid->SelectionTextColor(), clWindowText);
    EXPECT_TRUE(Grid->Options().Contains(goFixedVertLine));
    EXPECT_TRUE(Grid->Options().Contains(goFixedHorzLine));
}

// A grid that counts its footer calculations.
class TFooterGrid : public TZirOvararIzazInput {
public:
    using TZirOvararIzazInput::TZirOvararIzazInput;
    using TZirOvararIzazInput::CellsChanged;
    std::vector<Integer> Calculated;

protected:
    void DoCalcFooter(Integer ACol) override {
        Calculated.push_back(ACol);
        TZirOvararIzazInput::DoCalcFooter(ACol);
    }
};

using FooterTest = GridFormTest<TFooterGrid>;

TEST_F(FooterTest, CellsChangedTellsNotifiersAndTheHandlerThenRecalculatesEveryColumn) {
    // With no notifier and no handler the footer is still recalculated.
    Grid->CellsChanged(TRect(1, 1, 1, 1));
    EXPECT_EQ(Grid->Calculated, std::vector<Integer>{-1});
    class TNotifier : public TGridChangeNotifier {
    public:
        using TGridChangeNotifier::TGridChangeNotifier;
        std::vector<std::string>* Log = nullptr;
        void CellsChanged(TRect R) override { Log->push_back("notifier " + std::to_string(R.Left)); }
    };
    std::vector<std::string> Log;
    auto* Notifier = Create<TNotifier>(Form);
    Notifier->Log = &Log;
    Grid->RegisterNotifier(Notifier);
    Grid->OnCellsChanged = [&](TObject*, TRect R) { Log.push_back("handler " + std::to_string(R.Left)); };
    Grid->CellsChanged(TRect(2, 1, 2, 1));
    EXPECT_EQ(Log, (std::vector<std::string>{"notifier 2", "handler 2"}));
    EXPECT_EQ(Grid->Calculated, (std::vector<Integer>{-1, -1}));
    Grid->UnRegisterNotifier(Notifier);
}

TEST_F(EditingTest, DeferredFilterEditIsReportedWhenTheMessageComesBack) {
    Grid->FilterEdit()->SetEnabled(true);
    Grid->OnFilterEditUpdate = [&](TObject*, Integer, const String&, TFilterType) { Grid->DoAutoEditFilter = false; };
    Grid->OnFilterEditDone = [&](TObject*, Integer ACol, const String& Condition, TFilterType Kind) {
        Log.push_back("FilterEditDone " + std::to_string(ACol) + " " + Utf8(Condition) + " " +
                      std::to_string(Integer(Kind)));
    };
    Grid->SetCells(2, 0, u"c2");
    Grid->ApplyFilterEdit(2, ftEndsWith);
    EXPECT_TRUE(Log.empty());
    Pump();
    EXPECT_EQ(Log, std::vector<std::string>{"FilterEditDone 2 c2 1"});
}

} // namespace
