// Cell decorations: the add / create / query / remove family per kind,
// ownership of created objects, balloons, comments, markers, data images,
// radio lists, buttons, in-cell scroll bars, the placement queries, and the
// grid's bottom panel and painted scroll controls.

#include "CoreTestSupport.h"

#include "grid/CellGraphic.h"
#include "graphics/DeviceContext.h"
#include "graphics/ImageList.h"
#include "graphics/Picture.h"
#include "gridbase/FileHelpers.h"
#include "kel/PictureContainer.h"

#include <functional>

namespace {

class DecorationTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Grid->SetColCount(5);
        Grid->SetRowCount(8);
    }
};

} // namespace

TEST_F(DecorationTest, EachKindIsAddedWithItsFieldsAndRemovedOnlyByItsOwnRemove) {
    // Every add names its kind; the remove of another kind leaves the object
    // alone, its own remove takes it away.
    auto* Items = Create<TStringList>();
    Items->Add(u"a");
    Items->Add(u"b");
    struct TCase {
        const char* Name;
        std::function<void()> Add;
        TCellType Kind;
        std::function<void(const TCellGraphic*)> Check;
        std::function<void()> Remove;
    };
    TZirOvararIzazCore* G = Grid;
    const std::vector<TCase> Cases = {
        {"progress", [G] { G->AddProgressFormatted(1, 1, 0x0000FF, 0x111111, 0x00FF00, 0x222222, u"%d%%", 5, 50, 2.5); },
         ctProgress,
         [](const TCellGraphic* O) {
             EXPECT_EQ(O->CellBitmapColor(), 0x0000FF);
             EXPECT_EQ(O->CellIconColor(), 0x00FF00);
             EXPECT_EQ(O->CellIndex(), 0x111111);
             EXPECT_EQ(O->CellAngle(), 0x222222);
             EXPECT_TRUE(O->CellBoolean());
             EXPECT_EQ(O->CellErrFrom(), 5);
             EXPECT_EQ(O->CellErrLen(), 50);
             EXPECT_EQ(O->CellText(), u"%d%%");
             EXPECT_EQ(O->CellValue(), 2.5);
         },
         [G] { G->RemoveProgress(1, 1); }},
        {"plain progress", [G] { G->AddProgress(1, 1, 0x0000FF, 0x00FF00); }, ctProgress,
         [](const TCellGraphic* O) {
             EXPECT_EQ(O->CellErrFrom(), 0);
             EXPECT_EQ(O->CellErrLen(), 100);
             EXPECT_FALSE(O->CellBoolean());
         },
         [G] { G->RemoveProgress(1, 1); }},
        {"kel progress", [G] { G->AddKelProgress(1, 1, 10, 20); }, ctXPProgress,
         [](const TCellGraphic* O) { EXPECT_EQ(O->CellErrLen(), 20); }, [G] { G->RemoveKelProgress(1, 1); }},
        {"pie", [G] { G->AddProgressPie(1, 1, 0x00FF00, 40); }, ctProgressPie,
         [](const TCellGraphic* O) {
             EXPECT_EQ(O->CellErrFrom(), 0x00FF00);
             EXPECT_EQ(O->CellAngle(), 40);
             EXPECT_EQ(O->CellHAlign(), haBeforeText);
         },
         [G] { G->RemoveProgressPie(1, 1); }},
        {"range", [G] { G->AddRangeIndicator(1, 1, 50, 0x0000FF, 0x00FF00, true); }, ctRangeIndicator,
         [](const TCellGraphic* O) {
             EXPECT_EQ(O->CellIndex(), 50);
             EXPECT_EQ(O->CellBitmapColor(), 0x0000FF);
             EXPECT_EQ(O->CellIconColor(), 0x00FF00);
         },
         [G] { G->RemoveRangeIndicator(1, 1); }},
        {"shape", [G] { G->AddShape(1, 1, csStar, 0x00FFFF, 0x000080, haCenter, vaCenter); }, ctShape,
         [G](const TCellGraphic* O) {
             EXPECT_EQ(O->CellAngle(), Integer(csStar));
             EXPECT_EQ(G->GetShapeColor(1, 1), 0x00FFFF);
             EXPECT_EQ(O->CellBitmapColor(), 0x000080);
         },
         [G] { G->RemoveShape(1, 1); }},
        {"rating", [G] { G->AddRating(1, 1, 5, 0x00FFFF, 0xC0C0C0); }, ctRating,
         [](const TCellGraphic* O) {
             EXPECT_EQ(O->CellAngle(), 5);
             EXPECT_EQ(O->CellHAlign(), haFull);
         },
         [G] { G->RemoveRating(1, 1); }},
        {"expand", [G] { G->AddExpand(1, 1, 80); }, ctExpand,
         [G](const TCellGraphic*) {
             EXPECT_FALSE(G->GetExpandState(1, 1));
             EXPECT_EQ(G->GetExpandHeight(1, 1, true), 80);
             EXPECT_EQ(G->GetExpandHeight(1, 1, false), G->RowHeights(1));
             EXPECT_TRUE(G->ToggleExpand(1, 1));
             EXPECT_TRUE(G->GetExpandState(1, 1));
         },
         [G] { G->RemoveExpand(1, 1); }},
        {"radio list", [G, Items] { G->AddRadio(1, 1, 1, 0, Items); }, ctRadio,
         [G, Items](const TCellGraphic* O) {
             EXPECT_EQ(O->CellAngle(), 2);
             EXPECT_TRUE(O->CellBoolean());
             EXPECT_EQ(G->GetRadioStrings(1, 1), Items);
         },
         [G] { G->RemoveRadio(1, 1); }},
        {"button", [G] { G->AddButton(1, 1, 40, 18, u"Go", haRight, vaCenter); }, ctButton,
         [G](const TCellGraphic*) { EXPECT_EQ(G->GetButtonText(1, 1), u"Go"); }, [G] { G->RemoveButton(1, 1); }},
        {"rotated", [G] { G->AddRotated(1, 1, -90, u"up"); }, ctRotated,
         [G](const TCellGraphic*) {
             Integer Angle = 0;
             EXPECT_TRUE(G->IsRotated(1, 1, Angle));
             EXPECT_EQ(Angle, 270);
             EXPECT_EQ(G->Cells(1, 1), u"up");
         },
         [G] { G->RemoveRotated(1, 1); }},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        C.Add();
        ASSERT_EQ(Grid->GetCellType(1, 1), C.Kind);
        C.Check(Grid->GetCellGraphic(1, 1));
        const bool IsShape = C.Kind == ctShape;
        if (!IsShape) Grid->RemoveShape(1, 1);
        else Grid->RemoveRating(1, 1);
        EXPECT_EQ(Grid->GetCellType(1, 1), C.Kind);
        C.Remove();
        EXPECT_EQ(Grid->GetCellGraphic(1, 1), nullptr);
    }
    // The item list handed in stays the caller's.
    EXPECT_EQ(Items->Count(), 2);
    Free(Items);
}

TEST_F(DecorationTest, CreatedObjectsAreOwnedAndHandedInObjectsStayTheCallers) {
    // LSan reports a created object that replacing, rotating or destroying
    // the grid forgets; ASan one that is freed although the caller owns it.
    TBitmap* Bmp = Grid->CreateBitmap(1, 1, true, haLeft, vaTop);
    EXPECT_EQ(Grid->GetBitmap(1, 1), Bmp);
    EXPECT_TRUE(Grid->HasBitmap(1, 1));
    TPicture* Pic = Grid->CreatePicture(1, 2, false, Stretch, 2, haLeft, vaTop);
    EXPECT_EQ(Grid->GetPicture(1, 2), Pic);
    TFilePicture* FilePic = Grid->CreateFilePicture(1, 3, false, noStretch, 0, haLeft, vaTop);
    EXPECT_EQ(Grid->GetFilePicture(1, 3), FilePic);
    EXPECT_NE(Grid->CreateIcon(1, 4, haLeft, vaTop), nullptr);
    EXPECT_NE(Grid->CreateBitButton(1, 5, 20, 16, u"x", haLeft, vaTop), nullptr);
    TStrings* Radio = Grid->CreateRadio(1, 6, 0, -1);
    Radio->Add(u"one");
    EXPECT_EQ(Grid->GetRadioStrings(1, 6), Radio);
    // Replaced, rotated, removed, and left for the grid.
    Grid->AddButton(1, 1, 20, 16, u"b", haLeft, vaTop);
    Grid->SetRotated(1, 2, 90);
    EXPECT_EQ(Grid->GetCellType(1, 2), ctRotated);
    Grid->RemoveFilePicture(1, 3);
    EXPECT_FALSE(Grid->HasFilePicture(1, 3));

    TBitmap Mine;
    TIcon MyIcon;
    TPicture MyPicture;
    Grid->AddBitmap(2, 1, &Mine, false, haLeft, vaTop);
    Grid->AddIcon(2, 2, &MyIcon, haLeft, vaTop);
    Grid->AddPicture(2, 3, &MyPicture, false, noStretch, 0, haLeft, vaTop);
    Grid->AddBitButton(2, 4, 20, 16, u"g", &Mine, haLeft, vaTop);
    Grid->RemoveBitmap(2, 1);
    Grid->RemoveIcon(2, 2);
    Grid->SetRotated(2, 3, 45);
    Grid->RemoveBitButton(2, 4);
    EXPECT_EQ(Grid->GetCellGraphic(2, 4), nullptr);
}

TEST_F(DecorationTest, BalloonsAttachToCarryingKindsOnly) {
    String Title, Text;
    TBalloonIcon Icon = biNone;
    TIcon MyIcon;
    Grid->AddIcon(1, 1, &MyIcon, haLeft, vaTop);
    Grid->AddBalloon(1, 1, u"Title", u"Text", biWarning);
    EXPECT_TRUE(Grid->IsBalloon(1, 1, Title, Text, Icon));
    EXPECT_EQ(Title, u"Title");
    EXPECT_EQ(Text, u"Text");
    EXPECT_EQ(Icon, biWarning);
    EXPECT_FALSE(Grid->HasBalloon(1, 1));
    Grid->RemoveBalloon(1, 1);
    EXPECT_FALSE(Grid->IsBalloon(1, 1, Title, Text, Icon));
    EXPECT_EQ(Grid->GetCellType(1, 1), ctIcon);

    // A radio button keeps its group under a balloon.
    Grid->AddRadioButtonGroup(1, 2, rgRow, true);
    Grid->AddBalloon(1, 2, u"T", u"x", biInfo);
    EXPECT_TRUE(Grid->IsBalloon(1, 2, Title, Text, Icon));
    EXPECT_TRUE(Grid->HasRadioButtonGroup(1, 2, rgRow));

    TBitmap Mine;
    Grid->AddBitmap(1, 3, &Mine, false, haLeft, vaTop);
    Grid->AddBalloon(1, 3, u"T", u"x", biInfo);
    EXPECT_FALSE(Grid->IsBalloon(1, 3, Title, Text, Icon));

    Grid->AddBalloon(1, 4, u"Alone", u"y", biError);
    EXPECT_TRUE(Grid->HasBalloon(1, 4));
    EXPECT_TRUE(Grid->IsBalloon(1, 4, Title, Text, Icon));
    EXPECT_EQ(Title, u"Alone");
    Grid->RemoveBalloon(1, 4);
    EXPECT_EQ(Grid->GetCellGraphic(1, 4), nullptr);
    Grid->RemoveCellGraphic(1, 3);
}

TEST_F(DecorationTest, CommentsLiveBesideTheObject) {
    Grid->AddProgress(1, 1, 0x0000FF, 0x00FF00);
    Grid->AddComment(1, 1, u"note");
    EXPECT_EQ(Grid->GetCellType(1, 1), ctProgress);
    EXPECT_EQ(Grid->CellComment(1, 1), u"note");
    EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CommentColor(), Grid->ControlLook()->CommentColor());
    Grid->RemoveComment(1, 1);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctProgress);
    EXPECT_EQ(Grid->GetComment(1, 1), u"");

    // A cell without object gets a comment-only object that stays.
    Grid->SetCellComment(2, 2, u"lonely");
    Grid->AddColorComment(2, 3, u"red", 0x0000FF);
    EXPECT_EQ(Grid->GetCellType(2, 2), ctNone);
    EXPECT_FALSE(Grid->GetCellEmpty(2, 2));
    EXPECT_EQ(Grid->GetCellGraphic(2, 3)->CommentColor(), 0x0000FF);
    Grid->RemoveAllComments();
    String Comment;
    EXPECT_FALSE(Grid->IsComment(2, 2, Comment));
    EXPECT_NE(Grid->GetCellGraphic(2, 2), nullptr);

    // A picture's text serves as its comment.
    TPicture Pic;
    Grid->AddPicture(3, 1, &Pic, false, noStretch, 0, haLeft, vaTop);
    Grid->GetCellGraphic(3, 1)->SetCellText(u"caption");
    EXPECT_TRUE(Grid->IsComment(3, 1, Comment));
    EXPECT_EQ(Comment, u"caption");
    Grid->RemovePicture(3, 1);
}

TEST_F(DecorationTest, MarkersKeepTheKindsOwnFields) {
    Integer Pos = -1, Len = -1;
    Grid->AddMarker(1, 1, 3, 4);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctEmpty);
    EXPECT_NE(Grid->GetCellGraphic(1, 1), nullptr);
    Grid->GetMarker(1, 1, Pos, Len);
    EXPECT_EQ(Pos, 3);
    EXPECT_EQ(Len, 4);
    Grid->RemoveMarker(1, 1);
    EXPECT_EQ(Grid->GetCellGraphic(1, 1), nullptr);
    Grid->GetMarker(1, 1, Pos, Len);
    EXPECT_EQ(Pos + Len, 0);

    Grid->SetCells(1, 2, u"text");
    Grid->AddButton(1, 2, 20, 16, u"b", haRight, vaTop);
    Grid->AddMarker(1, 2, 1, 2);
    Grid->RemoveAllMarkers();
    EXPECT_EQ(Grid->GetCellType(1, 2), ctButton);
    EXPECT_FALSE(Grid->GetCellGraphic(1, 2)->HasMarker());

    // A progress bar keeps its range under a marker; a pie its colour.
    Grid->AddProgressFormatted(1, 3, 1, 2, 3, 4, u"%d", 10, 90, 1.0);
    Grid->AddMarker(1, 3, 5, 6);
    EXPECT_EQ(Grid->GetCellGraphic(1, 3)->CellErrFrom(), 10);
    EXPECT_EQ(Grid->GetCellGraphic(1, 3)->CellErrLen(), 90);
    Grid->AddProgressPie(1, 4, 0x00FF00, 30);
    Grid->AddMarker(1, 4, 5, 6);
    EXPECT_EQ(Grid->GetCellGraphic(1, 4)->CellErrFrom(), 0x00FF00);
}

TEST_F(DecorationTest, DataImagesAndPicturesOwnTheText) {
    Grid->AddDataImage(1, 1, 5, haLeft, vaTop);
    EXPECT_FALSE(Grid->HasDataImage(1, 1)); // no image list: nothing
    auto* Images = Create<TCustomImageList>(Form);
    Grid->SetGridImages(Images);
    Grid->AddDataImage(1, 1, 5, haLeft, vaTop);
    EXPECT_TRUE(Grid->HasDataImage(1, 1));
    EXPECT_EQ(Grid->Cells(1, 1), u"5");
    Grid->SetCells(1, 2, u"2");
    Grid->AddDataImage(1, 2, 5, haLeft, vaTop);
    EXPECT_EQ(Grid->Cells(1, 2), u"2");
    Grid->RemoveDataImage(1, 1);
    EXPECT_FALSE(Grid->HasDataImage(1, 1));
    EXPECT_EQ(Grid->Cells(1, 1), u"");

    auto* Pictures = Create<TPictureContainer>(Form);
    Grid->SetPictureContainer(Pictures);
    Grid->AddDataPicture(2, 1, u"logo", haLeft, vaTop);
    EXPECT_TRUE(Grid->HasDataPicture(2, 1));
    EXPECT_EQ(Grid->Cells(2, 1), u"logo");
    Grid->RemoveDataPicture(2, 1);
    EXPECT_EQ(Grid->Cells(2, 1), u"");

    // Without such an object the text is the user's and stays.
    Grid->SetCells(3, 1, u"keep");
    Grid->RemoveDataPicture(3, 1);
    Grid->RemoveDataImage(3, 1);
    EXPECT_EQ(Grid->Cells(3, 1), u"keep");
    Grid->AddButton(3, 2, 20, 16, u"b", haLeft, vaTop);
    Grid->SetCells(3, 2, u"also");
    Grid->RemoveDataImage(3, 2);
    EXPECT_EQ(Grid->Cells(3, 2), u"also");
    EXPECT_TRUE(Grid->HasButton(3, 2));
}

TEST_F(DecorationTest, MultiImageListRepaintsItsCell) {
    auto* Images = Create<TCustomImageList>(Form);
    Grid->SetGridImages(Images);
    Grid->AddMultiImage(2, 2, 1, haLeft, vaTop);
    ASSERT_NE(Grid->GetCellImages(2, 2), nullptr);
    Show();
    Grid->Drawn.clear();
    Grid->GetCellImages(2, 2)->Add(3);
    Pump();
    EXPECT_GT((Grid->Drawn[{2, 2}]), 0);
    Grid->RemoveMultiImage(2, 2);
    EXPECT_EQ(Grid->GetCellImages(2, 2), nullptr);
}

TEST_F(DecorationTest, RadioListIndexButtonsAndPushState) {
    auto* Items = Create<TStringList>();
    Items->Add(u"x");
    Grid->SetCells(1, 1, u"x");
    Grid->AddRadio(1, 1, 0, 0, Items);
    Integer Idx = -5;
    EXPECT_TRUE(Grid->GetRadioIdx(1, 1, Idx));
    EXPECT_EQ(Idx, 0);
    EXPECT_TRUE(Grid->SetRadioIdx(1, 1, -1));
    EXPECT_EQ(Grid->Cells(1, 1), u"");
    EXPECT_FALSE(Grid->SetRadioIdx(1, 2, 0));

    Grid->AddButton(2, 1, 20, 16, u"first", haLeft, vaTop);
    Grid->AddButton(2, 1, 30, 18, u"second", haLeft, vaTop);
    EXPECT_EQ(Grid->GetButtonText(2, 1), u"second");
    Grid->SetButtonText(2, 1, u"third");
    EXPECT_EQ(Grid->GetCellGraphic(2, 1)->CellText(), u"third");
    Grid->PushButton(2, 1, true);
    EXPECT_TRUE(Grid->GetCellGraphic(2, 1)->CellBoolean());
    Grid->AddBitButton(3, 3, 20, 16, u"g", nullptr, haLeft, vaTop);
    Grid->RemoveAllButtons();
    EXPECT_FALSE(Grid->HasButton(2, 1));
    EXPECT_FALSE(Grid->HasButton(3, 3));
    EXPECT_TRUE(Grid->IsRadio(1, 1));
    Grid->RemoveRadio(1, 1);
    Free(Items);
}

TEST_F(DecorationTest, InCellScrollBarsAndAutoRange) {
    EXPECT_EQ(Grid->GetScrollPosition(1, 1), -1);
    EXPECT_EQ(Grid->GetScrollProp(1, 1).Range, -1);
    Grid->AddScrollBar(1, 1, false);
    EXPECT_TRUE(Grid->HasScrollBar(1, 1));
    EXPECT_FALSE(Grid->HasAutoRangeScrollBar(1, 1));
    EXPECT_EQ(Grid->GetScrollProp(1, 1).Range, 100);
    Grid->SetScrollPosition(1, 1, 7);
    Grid->SetScrollProp(1, 1, TScrollProp{10, 300});
    EXPECT_EQ(Grid->GetScrollPosition(1, 1), 7);
    EXPECT_EQ(Grid->GetScrollProp(1, 1).PageSize, 10);
    EXPECT_EQ(Grid->GetScrollProp(1, 1).Range, 300);

    // Auto range: the page is the row's height, the range the text's, and
    // both follow a new text.
    Grid->SetRowHeights(2, 40);
    Grid->AddScrollBar(1, 2, true);
    EXPECT_TRUE(Grid->HasAutoRangeScrollBar(1, 2));
    EXPECT_EQ(Grid->GetScrollProp(1, 2).PageSize, 40);
    const Integer EmptyRange = Grid->GetScrollProp(1, 2).Range;
    Grid->SetScrollProp(1, 2, TScrollProp{1, 1});
    Grid->SetCells(1, 2, u"Some text");
    EXPECT_EQ(Grid->GetScrollProp(1, 2).PageSize, 40);
    EXPECT_GT(Grid->GetScrollProp(1, 2).Range, 1);
    EXPECT_GE(Grid->GetScrollProp(1, 2).Range, EmptyRange);
}

TEST_F(DecorationTest, PlacementOfDrawnObjectsAndExpandButtons) {
    SetScreenPixelsPerInch(144);
    Show();
    SetScreenPixelsPerInch(96);
    ASSERT_FLOAT_EQ(Grid->DPIScale(), 1.5f);
    Grid->SetColWidths(0, 100);
    Grid->SetRowHeights(0, 50);
    Grid->SetColWidths(1, 60);
    Grid->SetRowHeights(1, 40);
    const TRect Cell = Grid->CellRect(1, 1);
    ASSERT_EQ(Cell.Left, 100);
    ASSERT_EQ(Cell.Top, 50);
    EXPECT_EQ(Grid->GetCellGraphicRect(1, 1), TRect(0, 0, 0, 0));
    // A 20 x 16 button the painter drew at (4, 2).
    Grid->AddButton(1, 1, 20, 16, u"b", haLeft, vaTop);
    Grid->GetCellGraphic(1, 1)->SetCellValue(2 * 65536 + 4);
    EXPECT_EQ(Grid->GetCellGraphicRect(1, 1), TRect(104, 52, 134, 76));
    Grid->GetCellGraphic(1, 1)->SetCellVAlign(vaFull);
    Grid->GetCellGraphic(1, 1)->SetCellHAlign(haFull);
    EXPECT_EQ(Grid->GetCellGraphicRect(1, 1), Cell);

    EXPECT_EQ(Grid->GetExpandRect(1, 1), TRect(0, 0, 0, 0));
    Grid->AddExpand(1, 1, 80);
    EXPECT_EQ(Grid->GetExpandRect(1, 1), TRect(Cell.Right - 13, Cell.Top + 2, Cell.Right - 2, Cell.Top + 13));
}

TEST_F(DecorationTest, FooterPanelAndPaintedScrollControls) {
    TFooterPanel* Footer = Grid->FooterPanel();
    ASSERT_NE(Footer, nullptr);
    EXPECT_EQ(Footer->Grid(), Grid);
    EXPECT_EQ(Footer->Parent(), Grid);
    EXPECT_EQ(Footer->Align(), alBottom);
    EXPECT_EQ(Footer->Height(), 0);
    EXPECT_EQ(Footer->BorderWidth(), 0);

    EXPECT_EQ(Grid->VScrollControl(), nullptr);
    Grid->SetScrollBars(ssVertical);
    Grid->CreateScrollControls();
    TScrollControl* V = Grid->VScrollControl();
    ASSERT_NE(V, nullptr);
    EXPECT_EQ(Grid->HScrollControl(), nullptr);
    EXPECT_EQ(V->Direction(), sdVertical);
    EXPECT_EQ(V->Width(), 6);
    EXPECT_EQ(V->Align(), alRight);
    EXPECT_TRUE(V->DoubleBuffered());
    EXPECT_TRUE(V->Visible());
    Grid->SetScrollBars(ssBoth);
    Grid->CreateScrollControls();
    EXPECT_EQ(Grid->VScrollControl(), V); // made once
    ASSERT_NE(Grid->HScrollControl(), nullptr);
    EXPECT_EQ(Grid->HScrollControl()->Direction(), sdHorizontal);
    EXPECT_EQ(Grid->HScrollControl()->Height(), 6);
    EXPECT_EQ(Grid->HScrollControl()->Align(), alBottom);
    EXPECT_EQ(Grid->HScrollControl()->Parent(), Grid);
}
