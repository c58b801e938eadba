// Undo and redo of single changes and sequences, the linear history,
// trimming by MaxLevel and the check-box path.

#include "BaseGridTestSupport.h"
#include "gridbase/UndoRedo.h"

namespace {

class UndoRedoTest : public BaseGridTest {
protected:
    void SetUp() override {
        BaseGridTest::SetUp();
        Undo = Create<TKelGridUndoRedo>(Form);
        Grid->SetUndoRedo(Undo);
    }
    // Writes a cell and registers the change, as the string grid does.
    void Edit(Integer Col, Integer Row, const String& Value) {
        Undo->RegisterChange(Col, Row, Grid->Cells(Col, Row), Value);
        Grid->SetCells(Col, Row, Value);
    }
    TKelGridUndoRedo* Undo = nullptr;
};

TEST_F(UndoRedoTest, SingleChangesFollowedByTheCurrentCell) {
    Edit(1, 1, u"a");
    Edit(2, 3, u"b");
    std::vector<std::string> Events;
    Undo->OnUndo = [&](TObject*, TBaseGrid*, Integer Col, Integer Row, const String& Orig, const String& New) {
        Events.push_back(std::to_string(Col) + "," + std::to_string(Row) + ":" + Utf8(Orig) + ">" + Utf8(New));
    };
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(2, 3), u"");
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(Undo->Level(), 1);
    EXPECT_TRUE(Undo->CanRedo());
    Undo->Redo();
    EXPECT_EQ(Grid->Cells(2, 3), u"b");
    Undo->Undo();
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(1, 1), u"");
    EXPECT_FALSE(Undo->CanUndo());
    Undo->Undo(); // nothing left
    EXPECT_EQ(Events, (std::vector<std::string>{"2,3:b>", "2,3:b>", "1,1:a>"}));
}

TEST_F(UndoRedoTest, SequencesUndoAndRedoAsOneStep) {
    Undo->StartSequence();
    Edit(1, 1, u"x");
    Edit(2, 1, u"y");
    Undo->StopSequence();
    Edit(3, 1, u"z");
    EXPECT_EQ(Undo->Level(), 5);
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(3, 1), u"");
    EXPECT_EQ(Undo->Level(), 4);
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(1, 1), u"");
    EXPECT_EQ(Grid->Cells(2, 1), u"");
    EXPECT_EQ(Undo->Level(), 0);
    Undo->Redo();
    EXPECT_EQ(Grid->Cells(1, 1), u"x");
    EXPECT_EQ(Grid->Cells(2, 1), u"y");
    EXPECT_EQ(Grid->Cells(3, 1), u"");
    EXPECT_EQ(Undo->Level(), 4);
    Undo->Redo();
    EXPECT_EQ(Grid->Cells(3, 1), u"z");
    EXPECT_FALSE(Undo->CanRedo());
}

TEST_F(UndoRedoTest, AChangeAfterAnUndoDropsTheUndoneItems) {
    Edit(1, 1, u"a");
    Edit(1, 1, u"b");
    Undo->Undo();
    Edit(1, 1, u"c");
    EXPECT_EQ(Undo->Items()->Count(), 2);
    EXPECT_FALSE(Undo->CanRedo());
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(1, 1), u"a");
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(1, 1), u"");
}

TEST_F(UndoRedoTest, MaxLevelTrimsWholeSteps) {
    Undo->SetMaxLevel(3);
    for (const Char* Text : {u"1", u"2", u"3", u"4"})
        Edit(1, 1, Text);
    EXPECT_EQ(Undo->Items()->Count(), 3);
    Undo->Undo();
    Undo->Undo();
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(1, 1), u"1");
    EXPECT_FALSE(Undo->CanUndo());

    // A sequence goes as a whole: no orphan stop marker is left behind.
    Undo->Reset();
    Undo->SetMaxLevel(4);
    Undo->StartSequence();
    Edit(2, 2, u"s1");
    Edit(3, 2, u"s2");
    Undo->StopSequence();
    Edit(4, 2, u"t");
    EXPECT_EQ(Undo->Items()->Count(), 1);
    EXPECT_FALSE(Undo->Items()->Items(0)->SequenceStop());
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(4, 2), u"");
    EXPECT_EQ(Undo->Level(), 0);
}

TEST_F(UndoRedoTest, OpenOrOrphanMarkersStayInRange) {
    Edit(1, 1, u"a");
    Undo->StartSequence(); // never closed
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(1, 1), u"");
    EXPECT_EQ(Undo->Level(), 0);
    Undo->Redo();
    Undo->Redo();
    EXPECT_EQ(Undo->Level(), 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"a");
}

TEST_F(UndoRedoTest, CheckBoxCellsUndoThroughTheirCheckText) {
    Grid->CheckCells[{2, 2}] = true;
    Edit(2, 2, u"1");
    Undo->Undo();
    EXPECT_EQ(Grid->CheckTexts, (std::vector<String>{u""}));
    Undo->Redo(); // redo writes the text
    EXPECT_EQ(Grid->CheckTexts.size(), 1u);
    EXPECT_EQ(Grid->Cells(2, 2), u"1");
}

TEST_F(UndoRedoTest, NothingHappensWithoutAGrid) {
    Edit(1, 1, u"a");
    Grid->SetUndoRedo(nullptr);
    EXPECT_EQ(Undo->Grid(), nullptr);
    Undo->Undo();
    EXPECT_EQ(Undo->Level(), 1);
}

} // namespace
