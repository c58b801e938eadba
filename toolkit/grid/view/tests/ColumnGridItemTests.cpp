// Column items and the column collection: initial settings, change effects,
// copies, streaming defaults, the look a new column takes over, and the
// reorganisation by default positions.

#include "ColumnGridTestSupport.h"

#include "graphics/DeviceContext.h"
#include "rtl/Filer.h"
#include "rtl/Stream.h"
#include "rtltesting/ExceptionMessage.h"

namespace {

TGridColumnItem* Item(TVarErozidOvur* G, Integer i) { return G->Columns()->Items(i); }

} // namespace

TEST_F(ColumnGridTest, ItemsStartWithTheirInitialSettings) {
    ASSERT_EQ(Grid->Columns()->Count(), Grid->ColCount());
    TGridColumnItem* I = Item(Grid, 1);
    EXPECT_EQ(I->CheckTrue(), u"Y");
    EXPECT_EQ(I->CheckFalse(), u"N");
    EXPECT_EQ(I->DropDownCount(), 8);
    EXPECT_EQ(I->SpinStep(), 1);
    EXPECT_EQ(I->ButtonWidth(), 24);
    EXPECT_EQ(I->ButtonHeight(), 18);
    EXPECT_EQ(I->BorderPen()->Color(), clSilver);
    EXPECT_EQ(I->PrintBorderPen()->Color(), clBlack);
    EXPECT_EQ(I->PrintBorders(), (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
    EXPECT_TRUE(I->Borders().Empty());
    EXPECT_EQ(I->PrintColor(), clWhite);
    EXPECT_TRUE(I->PrintBorderCustom());
    EXPECT_TRUE(I->PrintFontCustom());
    EXPECT_EQ(I->StyleElements(), (TStyleElements{seFont, seClient, seBorder}));
    EXPECT_EQ(I->ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_EQ(I->Color(), Grid->Color());
    EXPECT_EQ(I->Font()->Name(), Grid->Font()->Name());
    EXPECT_EQ(I->Width(), Grid->ColWidths(1));
    EXPECT_EQ(I->DisplayName(), u"Column 1");
    I->SetName(u"Depth");
    EXPECT_EQ(I->DisplayName(), u"Col 1: Depth");
    EXPECT_EQ(Grid->ColumnByName(u"Depth"), I);
    EXPECT_EQ(Grid->ColumnByName(u"depth"), nullptr);
    EXPECT_EQ(Grid->GetVersionString(), u"3.2.0.3 Jun, 2021");
    EXPECT_EQ(&FindClass(u"TGridColumnItem"), &TGridColumnItem::StaticClassInfo());
    EXPECT_EQ(&FindClass(u"TVarErozidOvur"), &TVarErozidOvur::StaticClassInfo());
    EXPECT_EQ(MessageOf([&] { Grid->Columns()->Items(99); }), u"List index out of bounds (99)");
}

TEST_F(ColumnGridTest, OnlyTheDataCheckBoxEditorRepaints) {
    struct Case {
        TEditorType From, To;
        bool Repaints;
    };
    const Case Cases[] = {{edNormal, edComboList, false},
                          {edNormal, edDataCheckBox, true},
                          {edDataCheckBox, edNormal, true},
                          {edDataCheckBox, edDataCheckBox, false}};
    for (const Case& C : Cases) {
        TGridColumnItem* I = Item(Grid, 2);
        I->SetEditor(C.From);
        Grid->Repaints = 0;
        I->SetEditor(C.To);
        EXPECT_EQ(Grid->Repaints > 0, C.Repaints) << C.From << " -> " << C.To;
    }
}

TEST_F(ColumnGridTest, ANewColumnTakesThePredecessorsLookButTheGridsFont) {
    // With one fixed column the first added item copies the fixed column's.
    Grid->SetColCount(1);
    ASSERT_EQ(Grid->Columns()->Count(), 1);
    TGridColumnItem* Fixed = Item(Grid, 0);
    Fixed->SetAlignment(taCenter);
    Fixed->SetEditor(edFloat);
    Fixed->SetReadOnly(true);
    Fixed->SetHeader(u"Name");
    Fixed->SetColor(clYellow);
    Fixed->Font()->SetHeight(-20);
    Fixed->ComboItems()->Add(u"a");
    Fixed->SetColumnPopupType(cpAllCellsLClick);
    Grid->SetColCount(3);
    ASSERT_EQ(Grid->Columns()->Count(), 3);
    for (Integer i = 1; i < 3; ++i) {
        TGridColumnItem* I = Item(Grid, i);
        EXPECT_EQ(I->Alignment(), taCenter);
        EXPECT_EQ(I->Editor(), edFloat);
        EXPECT_TRUE(I->ReadOnly());
        EXPECT_EQ(I->Header(), u"");
        EXPECT_EQ(I->Color(), Grid->Color());
        EXPECT_EQ(I->Font()->Height(), Grid->Font()->Height());
        EXPECT_EQ(I->ComboItems()->Count(), 0);
        EXPECT_EQ(I->ColumnPopupType(), cpFixedCellsRClick);
        // Default positions stay distinct.
        EXPECT_EQ(I->DefIdx(), i);
    }
}

TEST_F(ColumnGridTest, AssignCopiesEverythingAssignVisualsLeavesFourSettings) {
    TGridColumnItem* Source = Item(Grid, 1);
    Source->SetColumnPopupType(cpNormalCellsLClick);
    Source->SetPrintBorderCustom(false);
    Source->SetPrintFontCustom(false);
    Source->SetStyleElements(TStyleElements{seFont});
    Source->SetHeader(u"Depth");
    Source->SetEditMask(u"90-LLL-0000");
    Source->SetDefIdx(7);
    Grid->SetColWidths(1, 77);

    TGridColumnItem* Copy = Item(Grid, 2);
    Copy->Assign(Source);
    EXPECT_EQ(Copy->ColumnPopupType(), cpNormalCellsLClick);
    EXPECT_FALSE(Copy->PrintBorderCustom());
    EXPECT_FALSE(Copy->PrintFontCustom());
    EXPECT_EQ(Copy->StyleElements(), TStyleElements{seFont});
    EXPECT_EQ(Copy->Header(), u"Depth");
    EXPECT_EQ(Copy->DefIdx(), 7);
    // The width is stored, no grid column changes.
    EXPECT_EQ(Copy->StoredWidth(), 77);
    EXPECT_NE(Grid->ColWidths(2), 77);

    TGridColumnItem* Visual = Item(Grid, 3);
    Visual->AssignVisuals(Source);
    EXPECT_EQ(Visual->ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_TRUE(Visual->PrintBorderCustom());
    EXPECT_TRUE(Visual->PrintFontCustom());
    EXPECT_EQ(Visual->StyleElements(), (TStyleElements{seFont, seClient, seBorder}));
    EXPECT_EQ(Visual->Header(), u"");
    EXPECT_EQ(Visual->EditMask(), u"90-LLL-0000");
    EXPECT_EQ(Visual->DefIdx(), 7);

    // Another class of source is ignored.
    TFont Other;
    Visual->Assign(&Other);
    Visual->AssignVisuals(&Other);
    EXPECT_EQ(Visual->EditMask(), u"90-LLL-0000");
}

TEST_F(ColumnGridTest, ANewColumnsFontIsBroughtBackToTheDesignedSizeOnALargerScale) {
    SetScreenPixelsPerInch(144);
    Show();
    SetScreenPixelsPerInch(96);
    ASSERT_FLOAT_EQ(Grid->DPIScale(), 1.5f);
    Grid->Font()->SetHeight(-18);
    Grid->SetColCount(Grid->ColCount() + 1);
    EXPECT_EQ(Item(Grid, Grid->ColCount() - 1)->Font()->Height(), -12);
}

TEST_F(ColumnGridTest, ButtonHeightIsStreamedOnlyWhenNotEighteen) {
    auto* Source = Create<TVarErozidOvur>(Form);
    auto Write = [&](TMemoryStream& Stream) {
        WriteComponent(Stream, Source);
        Stream.SetPosition(0);
    };
    auto Text = [&] {
        TMemoryStream Stream;
        Write(Stream);
        return ObjectBinaryToText(Stream);
    };
    EXPECT_EQ(Text().find(u"ButtonHeight"), String::npos);
    Source->Columns()->Items(2)->SetButtonHeight(16);
    EXPECT_NE(Text().find(u"ButtonHeight = 16"), String::npos);
    // Other ordinal settings are written whatever their value.
    EXPECT_NE(Text().find(u"DropDownCount = 8"), String::npos);
}

TEST_F(ColumnGridTest, TypedCellAccessAndTheSpareItem) {
    TGridColumnItem* I = Item(Grid, 2);
    I->SetFloats(1, 2.5);
    EXPECT_DOUBLE_EQ(Grid->Floats(2, 1), 2.5);
    I->SetInts(2, 42);
    EXPECT_EQ(I->Rows(2), u"42");
    I->SetRows(3, u"abc");
    EXPECT_EQ(MessageOf([&] { I->Ints(3); }), u"Cell does not contain integer value");
    // An item without a collection stores settings only.
    std::unique_ptr<TGridColumnItem> Spare(Create<TGridColumnItem>(static_cast<TCollection*>(nullptr)));
    Spare->SetWidth(99);
    EXPECT_EQ(Spare->Width(), 0);
    Spare->SetHeader(u"x");
    EXPECT_EQ(Spare->Header(), u"x");
}

TEST_F(ColumnGridTest, ResetOrganizationEndsAndOrdersStably) {
    struct Case {
        std::vector<Integer> DefIdx;
        std::vector<String> Expected; // headers of columns 0..4 afterwards
    };
    const Case Cases[] = {
        {{0, 3, 1, 2, 4}, {u"A", u"C", u"D", u"B", u"E"}},
        // Duplicates keep their present order.
        {{0, 2, 1, 1, 3}, {u"A", u"C", u"D", u"B", u"E"}},
        // Out of range values go last, in their present order.
        {{0, 99, 1, -5, 2}, {u"A", u"C", u"E", u"B", u"D"}},
    };
    for (const Case& C : Cases) {
        Grid->SetColCount(5);
        const String Names[] = {u"A", u"B", u"C", u"D", u"E"};
        for (Integer i = 0; i < 5; ++i) {
            Grid->SetCells(i, 0, Names[i]);
            Item(Grid, i)->SetName(Names[i]);
            Item(Grid, i)->SetDefIdx(C.DefIdx[size_t(i)]);
        }
        Grid->Columns()->ResetOrganization();
        for (Integer i = 0; i < 5; ++i) {
            EXPECT_EQ(Grid->Cells(i, 0), C.Expected[size_t(i)]) << i;
            EXPECT_EQ(Item(Grid, i)->Name(), C.Expected[size_t(i)]) << i;
        }
    }
}
