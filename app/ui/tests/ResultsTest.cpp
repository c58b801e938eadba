// The results window on a Summary.out the engine makes for the engine test
// project (ten abstraction points), and the file viewer.

#include "EngineTestProject.h"
#include "UiTestSupport.h"
#include "core/ProjectDataModule.h"
#include "grid/VarErozidOvur.h"
#include "os/FileUtils.h"
#include "rtl/StringList.h"
#include "ui/ProjectSummary.h"
#include "ui/Results.h"
#include "ui/UiGlobals.h"
#include "vcl/GroupBox.h"
#include "vcl/RichEdit.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

namespace {

using TKind = TScriptedUserInteraction::TCallKind;

class UiResults : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        F = std::make_unique<TEngineTestProject>();
        F->InstallEngine();
    }
    void TearDown() override {
        Free(Form);
        F.reset();
        UiTest::TearDown();
    }
    void Calculate() {
        F->Project().CreateInputFiles();
        ASSERT_TRUE(F->Project().Calculate());
    }
    TfrmResults* Open() {
        Form = Create<TfrmResults>(Application);
        Form->AssignProject(&F->Project());
        return Form;
    }
    String Cell(Integer C, Integer R) { return Form->grdAbsPoints()->Cells(C, R); }

    std::unique_ptr<TEngineTestProject> F;
    TfrmResults* Form = nullptr;
};

} // namespace

TEST_F(UiResults, TenPointsGiveTwelveRowsWithTheLastPointSetApartAndRightAlignedValues) {
    Calculate();
    Open();
    TVarErozidOvur* Grid = Form->grdAbsPoints();
    ASSERT_EQ(Grid->RowCount(), 12);
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Cell(0, 0), u"Abstraction Point");
    EXPECT_EQ(Cell(1, 0), u"  PEC_Tier I (\u00B5g/L)");
    TAbstractionPoints& Points = *F->Project().AbstractionPoints();
    for (Integer Row = 1; Row <= 9; ++Row) {
        EXPECT_EQ(Cell(0, Row), Points.Items(Row - 1)->Caption()) << Row;
        EXPECT_EQ(Cell(1, Row), String(18 - Points.Items(Row - 1)->PEC_Tier1().size(), u' ') +
                                    Points.Items(Row - 1)->PEC_Tier1())
            << Row;
    }
    EXPECT_EQ(Cell(0, 10), u"");
    EXPECT_EQ(Cell(1, 10), u"");
    EXPECT_EQ(Cell(0, 11), Points.Items(9)->Caption());
    // The engine's value for point 1 is 0.004: thirteen blanks and the text.
    EXPECT_EQ(Cell(1, 1), u"             0.004");
    EXPECT_FALSE(Form->btnKOMwarning()->Visible());
    EXPECT_TRUE(User.Texts(TKind::Warning).empty());
    // The summary frame shows the project.
    EXPECT_EQ(Form->fraProjectSummary1()->GroupBox1()->Caption(), u" VANDREL project: ");
    EXPECT_EQ(Form->fraProjectSummary1()->txtName()->Caption(), u"Golden_project");
    EXPECT_EQ(Form->fraProjectSummary1()->txtPath()->Caption(), F->ProjectDir());
}

TEST_F(UiResults, ARemarkShowsTheWarningAtOnceAndKeepsItsButton) {
    F->UseSubstance({{u"SubstanceCode", u"Strongly sorbing"}, {u"KomSed", u"25000"}});
    Calculate();
    Open();
    EXPECT_EQ(User.Texts(TKind::Warning), std::vector<String>{TfrmResults::KomWarningText()});
    EXPECT_TRUE(Form->btnKOMwarning()->Visible());
    Form->btnKOMwarning()->Click();
    EXPECT_EQ(User.Texts(TKind::Warning).size(), 2u);
    // Nine lines, the third and seventh empty.
    TStringList Lines;
    Lines.SetText(TfrmResults::KomWarningText());
    ASSERT_EQ(Lines.Count(), 9);
    EXPECT_EQ(Lines.Strings(2), u"");
    EXPECT_EQ(Lines.Strings(6), u"");
    EXPECT_EQ(Lines.Strings(1), u"Therefore, they have been replaced by \u201C< calculated value \u00B5g/L\u201D.");
}

TEST_F(UiResults, ColumnsFollowTheScaleFactor) {
    Calculate();
    ScaleFactor = 1.5;
    Open();
    EXPECT_EQ(Form->grdAbsPoints()->ColWidths(0), 300);
    EXPECT_EQ(Form->grdAbsPoints()->ColWidths(1), 285);
}

TEST_F(UiResults, AMissingSummaryRaisesWithTheFolderAndTheWindowShowsNothing) {
    Form = Create<TfrmResults>(Application);
    try {
        Form->AssignProject(&F->Project());
        FAIL() << "no error";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"File not found: " + F->ProjectDir() + u"Summary.out");
    }
}

TEST_F(UiResults, NoAbstractionPointsShowTheHeaderOnly) {
    Calculate();
    SetNumberOfAbstractionPoints(0);
    Open();
    SetNumberOfAbstractionPoints(10);
    TVarErozidOvur* Grid = Form->grdAbsPoints();
    EXPECT_EQ(Cell(0, 0), u"Abstraction Point");
    for (Integer Row = 1; Row < Grid->RowCount(); ++Row)
        EXPECT_EQ(Cell(0, Row) + Cell(1, Row), u"") << Row;
}

TEST_F(UiResults, ShowReportOpensTheSummaryInTheViewerAndNothingWhenItIsGone) {
    Calculate();
    Open();
    Form->Show();
    Pump();
    String Caption;
    Integer LineCount = 0;
    Steps({[&] {
        auto* Viewer = dynamic_cast<TfrmFileView*>(Screen->ActiveForm());
        ASSERT_NE(Viewer, nullptr);
        Caption = Viewer->Caption();
        LineCount = Viewer->reFile()->Lines()->Count();
        EXPECT_EQ(Viewer->WindowState(), wsMaximized);
        EXPECT_EQ(Viewer->reFile()->Font()->Name(), u"Courier New");
        Viewer->SetModalResult(mrCancel);
    }});
    Form->btnShowReport()->Click();
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Caption, F->ProjectDir() + u"Summary.out");
    TStringList Summary;
    Summary.LoadFromFile(F->ProjectDir() + u"Summary.out");
    EXPECT_EQ(LineCount, Summary.Count());

    ASSERT_TRUE(DeleteFile(F->ProjectDir() + u"Summary.out"));
    Form->btnShowReport()->Click(); // a modal window would fail the test: no steps are left
    EXPECT_TRUE(User.Calls().empty());
}

TEST_F(UiResults, TheViewerGivenAMissingFileSaysSoAndStaysEmpty) {
    auto* Viewer = Create<TfrmFileView>(Application);
    Viewer->setFileName(F->DataPath() + u"nothing.txt");
    EXPECT_EQ(User.Texts(TKind::Message),
              std::vector<String>{u"File: \"" + F->DataPath() + u"nothing.txt\" not found"});
    EXPECT_EQ(Viewer->ViewFileName(), u"");
    EXPECT_EQ(Viewer->Caption(), u"File Viewer");
    EXPECT_EQ(Viewer->reFile()->Lines()->Count(), 0);
    Free(Viewer);
}
