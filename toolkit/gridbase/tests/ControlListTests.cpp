// The control list of grid cells and the control scale factor.

#include "BaseGridTestSupport.h"
#include "gridbase/ControlList.h"
#include "gridbase/ControlScale.h"
#include "vcl/StdCtrls.h"

namespace {

TEST_F(BaseGridTest, ControlListFindsCellsAndHandles) {
    auto* Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Show();
    TKelControlList List;
    List.AddControl(2, 3, Grid);
    List.AddControl(4, 5, Edit);
    List.AddControl(4, 5, nullptr);
    EXPECT_EQ(List.ControlIndex(4, 5), 1);
    EXPECT_EQ(List.ControlIndex(5, 4), -1);
    EXPECT_EQ(List.GetControl(0)->Control(), Grid);
    EXPECT_TRUE(List.HasHandle(Edit->Handle()));
    EXPECT_FALSE(List.HasHandle(nullptr));
    List.RemoveControl(0);
    EXPECT_EQ(List.Count(), 2);
    EXPECT_EQ(List.ControlIndex(4, 5), 0);
    List.ClearControls();
    EXPECT_EQ(List.Count(), 0);
    List.AddControl(1, 1, Edit); // the destructor frees what is left
}

TEST_F(BaseGridTest, ControlScaleFollowsTheScalingForm) {
    EXPECT_FLOAT_EQ(GetControlDPIScale(nullptr), 1.0f);
    EXPECT_FLOAT_EQ(GetControlDPIScale(Grid), 1.0f); // 96 pixels per inch
    Form->SetScaled(false);
    EXPECT_FLOAT_EQ(GetControlDPIScale(Grid), 1.0f);
    auto* Orphan = new TTestGrid(Form);
    EXPECT_FLOAT_EQ(GetControlDPIScale(Orphan), 1.0f); // no parent form
}

} // namespace
