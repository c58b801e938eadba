#include "RecordingSettingsOwner.h"
#include "grid/DragDropSettings.h"

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

TEST(DragDropSettings, NewSettingsAcceptTextFilesAndURLsButAreNoTargetOrSource) {
    TRecordingSettingsOwner Grid;
    TDragDropSettings Settings(&Grid);
    EXPECT_TRUE(Settings.OleAcceptText());
    EXPECT_TRUE(Settings.OleAcceptFiles());
    EXPECT_TRUE(Settings.OleAcceptURLs());
    EXPECT_TRUE(Settings.ShowCells());
    EXPECT_FALSE(Settings.OleDropTarget());
    EXPECT_FALSE(Settings.OleDropSource());
    EXPECT_EQ(Settings.SourceRow(), 0);
    EXPECT_EQ(Settings.RowDelta(), 0);
    EXPECT_TRUE(Grid.Calls.empty());
}

TEST(DragDropSettings, DropTargetRegistersOnceAndRevokesWhatWasRegistered) {
    TRecordingSettingsOwner Grid;
    TDragDropSettings Settings(&Grid);
    Settings.SetOleDropTarget(true);
    Settings.SetOleDropTarget(true);
    EXPECT_EQ(Grid.Take(), Calls{"RegisterDropTarget"});
    Settings.SetOleDropTarget(false);
    Settings.SetOleDropTarget(false);
    EXPECT_EQ(Grid.Take(), Calls{"RevokeDropTarget"});

    // A refused registration leaves nothing to revoke.
    Grid.RegistrationSucceeds = false;
    Settings.SetOleDropTarget(true);
    EXPECT_TRUE(Settings.OleDropTarget());
    EXPECT_FALSE(Settings.DropTargetRegistered());
    Settings.SetOleDropTarget(false);
    EXPECT_EQ(Grid.Take(), Calls{"RegisterDropTarget"});
}

TEST(DragDropSettings, AtDesignTimeTheDropTargetIsOnlyStored) {
    TRecordingSettingsOwner Grid;
    Grid.Designing = true;
    TDragDropSettings Settings(&Grid);
    Settings.SetOleDropTarget(true);
    EXPECT_TRUE(Settings.OleDropTarget());
    EXPECT_TRUE(Grid.Calls.empty());
}

TEST(DragDropSettings, RichTextSwitchesTheProcessWideSupportEveryTime) {
    TRecordingSettingsOwner Grid;
    TDragDropSettings Settings(&Grid);
    Settings.SetOleDropRTF(true);
    Settings.SetOleDropRTF(true);
    Settings.SetOleDropRTF(false);
    EXPECT_EQ(Grid.Take(), (Calls{"OleRTF on", "OleRTF on", "OleRTF off"}));
    EXPECT_FALSE(Settings.OleDropRTF());
}

TEST(DragDropSettings, AssignCopiesTheSixteenSwitchesWithoutSetters) {
    TRecordingSettingsOwner SourceGrid, TargetGrid;
    TDragDropSettings Source(&SourceGrid), Target(&TargetGrid);
    for (const TPropInfo* Prop : GetPropList(&Source))
        SetOrdProp(&Source, *Prop, GetOrdProp(&Source, *Prop) ? 0 : 1);
    Source.SetSourceRow(7);
    Source.SetRowDelta(2);
    Target.Assign(&Source);
    EXPECT_TRUE(TargetGrid.Calls.empty()) << "neither registers nor switches rich text";
    ASSERT_EQ(GetPropList(&Target).size(), 16u);
    for (const TPropInfo* Prop : GetPropList(&Target))
        EXPECT_EQ(GetOrdProp(&Target, *Prop), GetOrdProp(&Source, *Prop)) << Utf8(Prop->Name);
    EXPECT_TRUE(Target.OleDropTarget());
    EXPECT_FALSE(Target.DropTargetRegistered());
    EXPECT_EQ(Target.SourceRow(), 0);
    EXPECT_EQ(Target.RowDelta(), 0);

    TDragScrollOptions Other;
    Target.Assign(&Other);
    EXPECT_TRUE(Target.OleDropTarget());
}

TEST(DragScrollOptions, NewOptionsWaitOneSecondThenAQuarterWithinFiftyPixels) {
    TDragScrollOptions Options;
    EXPECT_FALSE(Options.Active());
    EXPECT_EQ(Options.Delays()->InitialDelay(), 1000);
    EXPECT_EQ(Options.Delays()->RepeatDelay(), 250);
    for (Integer Margin : {Options.Margins()->TopMargin(), Options.Margins()->BottomMargin(),
                           Options.Margins()->LeftMargin(), Options.Margins()->RightMargin()})
        EXPECT_EQ(Margin, 50);
}

TEST(DragScrollOptions, AssignCopiesDelaysMarginsAndActiveIntoTheOwnedObjects) {
    TDragScrollOptions Source, Target;
    Source.SetActive(true);
    Source.Delays()->SetInitialDelay(10);
    Source.Delays()->SetRepeatDelay(20);
    Source.Margins()->SetTopMargin(1);
    Source.Margins()->SetBottomMargin(2);
    Source.Margins()->SetLeftMargin(3);
    Source.Margins()->SetRightMargin(4);
    TDragScrollDelays* OwnDelays = Target.Delays();
    Target.Assign(&Source);
    EXPECT_EQ(Target.Delays(), OwnDelays);
    EXPECT_TRUE(Target.Active());
    EXPECT_EQ(Target.Delays()->InitialDelay(), 10);
    EXPECT_EQ(Target.Delays()->RepeatDelay(), 20);
    EXPECT_EQ(Target.Margins()->TopMargin(), 1);
    EXPECT_EQ(Target.Margins()->BottomMargin(), 2);
    EXPECT_EQ(Target.Margins()->LeftMargin(), 3);
    EXPECT_EQ(Target.Margins()->RightMargin(), 4);

    TDragScrollMargins Margins;
    Target.Assign(&Margins);
    Target.Margins()->Assign(&Source);
    Target.Delays()->Assign(&Margins);
    EXPECT_EQ(Target.Margins()->TopMargin(), 1) << "other sources are ignored";
    EXPECT_EQ(Target.Delays()->InitialDelay(), 10);
}

} // namespace
