// The drop-down editors: each kind set up from its cell, changed and written
// back; Esc, the key protocol, the typed start character, the colour and
// image pickers, the editor getters and the maker of the kel-grid kind.

#include "InputEditingSupport.h"

#include "grid/GridDropDownEditors.h"
#include "graphics/ImageList.h"

#include <functional>

using namespace winapi;

namespace {

class DropDownEditorTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        Grid->OnGetEditorType = [this](TObject*, Integer, Integer, TEditorType& Kind) { Kind = EditKind; };
    }
    // Opens the editor of the kind on cell (1, 1) holding Text.
    TKelCustomDropDown* Open(TEditorType Kind, const String& Text) {
        EditKind = Kind;
        Grid->SetCells(1, 1, Text);
        Key(VK_F2);
        EXPECT_TRUE(Grid->EditMode());
        auto* Editor = dynamic_cast<TKelCustomDropDown*>(Grid->EditCtrl());
        EXPECT_NE(Editor, nullptr);
        if (Editor) {
            EXPECT_TRUE(Editor->Visible());
            EXPECT_TRUE(Editor->Focused());
        }
        return Editor;
    }
    TEditorType EditKind = edNormal;
};

struct TKindCase {
    const char* Name;
    TEditorType Kind;
    String Start;
    // What the editor shows for the start text.
    std::function<String(TTestInput*)> Shown;
    std::function<void(TTestInput*)> Change;
    String Stored;
};

void AddDetailItems(TTestInput* G) {
    for (const char16_t* Caption : {u"One", u"Two", u"Three"})
        G->DetailPickerDropDown()->Items()->Add()->SetCaption(Caption);
}

void AddGridItems(TTestInput* G) {
    for (const char16_t* Text : {u"Alpha", u"Beta", u"Gamma"})
        G->GridDropDown()->Items()->Add()->Text()->Add(Text);
}

} // namespace

TEST_F(DropDownEditorTest, EachKindStartsFromTheCellAndWritesItsValueBack) {
    const TKindCase Cases[] = {
        {"trackbar", edTrackbarDropDown, u"3",
         [](TTestInput* G) { return IntToStr(G->TrackbarDropDown()->Position()); },
         [](TTestInput* G) { G->TrackbarDropDown()->SetPosition(7); }, u"7"},
        {"memo", edMemoDropDown, u"first",
         [](TTestInput* G) { return G->MemoDropDown()->MemoValue(); },
         [](TTestInput* G) { G->MemoDropDown()->SetMemoValue(u"one\ntwo"); }, u"one\r\ntwo"},
        {"calculator", edCalculatorDropDown, u"12",
         [](TTestInput* G) { return G->CalculatorDropDown()->Text(); },
         [](TTestInput* G) { G->CalculatorDropDown()->SetText(u"15"); }, u"15.00"},
        {"time picker", edTimePickerDropDown, u"10:30:15",
         [](TTestInput* G) { return G->TimePickerDropDown()->Text(); },
         [](TTestInput* G) { G->TimePickerDropDown()->SetText(u"11:45:00"); }, u"11:45:00"},
        {"detail", edDetailDropDown, u"Two",
         [](TTestInput* G) { return IntToStr(G->DetailPickerDropDown()->ItemIndex()); },
         [](TTestInput* G) { G->DetailPickerDropDown()->SetItemIndex(2); }, u"Three"},
        {"grid", edGridDropDown, u"Beta",
         [](TTestInput* G) { return IntToStr(G->GridDropDown()->ItemIndex()); },
         [](TTestInput* G) { G->GridDropDown()->SetText(u"Gamma"); }, u"Gamma"},
        {"control", edControlDropDown, u"plain",
         [](TTestInput* G) { return G->ControlDropDown()->Text(); },
         [](TTestInput* G) { G->ControlDropDown()->SetText(u"changed"); }, u"changed"},
    };
    const String Expected[] = {u"3", u"first", u"12", u"10:30:15", u"1", u"1", u"plain"};
    AddDetailItems(Grid);
    AddGridItems(Grid);
    Integer i = 0;
    for (const TKindCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TKelCustomDropDown* Editor = Open(Case.Kind, Case.Start);
        ASSERT_NE(Editor, nullptr);
        EXPECT_EQ(Case.Shown(Grid), Expected[i++]);
        Case.Change(Grid);
        Key(VK_RETURN);
        EXPECT_FALSE(Grid->EditMode());
        EXPECT_FALSE(Editor->Visible());
        EXPECT_FALSE(Editor->Enabled());
        EXPECT_EQ(Grid->Cells(1, 1), Case.Stored);
        Grid->FocusCell(1, 1);
        Pump();
    }
}

TEST_F(DropDownEditorTest, EscapePutsTheCellBack) {
    const TEditorType Kinds[] = {edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edControlDropDown};
    for (TEditorType Kind : Kinds) {
        SCOPED_TRACE(Integer(Kind));
        TKelCustomDropDown* Editor = Open(Kind, u"5");
        ASSERT_NE(Editor, nullptr);
        Type(u"9");
        if (Kind == edMemoDropDown) Grid->MemoDropDown()->SetMemoValue(u"other");
        Key(VK_ESCAPE);
        EXPECT_FALSE(Grid->EditMode());
        EXPECT_FALSE(Editor->Visible());
        EXPECT_EQ(Grid->Cells(1, 1), u"5");
        EXPECT_TRUE(Grid->Focused());
    }
}

TEST_F(DropDownEditorTest, ATypedCharacterStartsTheEditInTheDropDownEditor) {
    EditKind = edControlDropDown;
    Grid->SetCells(1, 1, u"old");
    Type(u"x");
    Pump();
    ASSERT_EQ(Grid->EditCtrl(), Grid->ControlDropDown());
    EXPECT_EQ(Grid->ControlDropDown()->Text(), u"x");
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), u"x");
}

TEST_F(DropDownEditorTest, ARefusedValueKeepsTheEditorOpen) {
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String& Value, bool& Valid) { Valid = Value != u"bad"; };
    TKelCustomDropDown* Editor = Open(edControlDropDown, u"good");
    ASSERT_NE(Editor, nullptr);
    Editor->SetText(u"bad");
    Key(VK_RETURN);
    EXPECT_TRUE(Editor->Visible());
    EXPECT_EQ(Grid->Row(), 1);
    Editor->SetText(u"fine");
    Key(VK_DOWN);
    EXPECT_FALSE(Editor->Visible());
    EXPECT_EQ(Grid->Cells(1, 1), u"fine");
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(DropDownEditorTest, TabWithGoTabsWritesBackAndMovesOn) {
    TGridOptions Opts = Grid->Options();
    Opts.Include(goTabs);
    Grid->SetOptions(Opts);
    TKelCustomDropDown* Editor = Open(edCalculatorDropDown, u"1");
    ASSERT_NE(Editor, nullptr);
    Editor->SetText(u"2");
    Key(VK_TAB);
    EXPECT_EQ(Grid->Cells(1, 1), u"2");
    EXPECT_EQ(Grid->Col(), 2);
    // The next cell's edit, when one opens there, starts from that cell.
    if (Grid->EditMode()) {
        EXPECT_EQ(Editor->Text(), u"c2r1");
    }
}

TEST_F(DropDownEditorTest, TheColourPickerColoursTheCellOrItsShape) {
    // A plain cell: the colour's text and the cell's background colour.
    Grid->SetColors(1, 1, clBlue);
    Open(edColorPickerDropDown, u"");
    TGridColorDropDown* Picker = Grid->ColorPickerDropDown();
    EXPECT_EQ(Picker->SelectedColor(), clBlue);
    Picker->SetColorValueText(cvtHex);
    Picker->SetSelectedColor(clRed);
    const String RedText = Picker->GetSelectedColorText();
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Colors(1, 1), clRed);
    EXPECT_EQ(Grid->Cells(1, 1), RedText);

    // A shape cell: the shape takes the colour, and no text is written.
    Grid->FocusCell(1, 1);
    Pump();
    Grid->AddShape(1, 1, csRectangle, clYellow, clBlack, haLeft, vaTop);
    Open(edColorPickerDropDown, u"");
    EXPECT_EQ(Picker->SelectedColor(), clYellow);
    Picker->SetSelectedColor(clGreen);
    Key(VK_RETURN);
    EXPECT_EQ(Grid->GetShapeColor(1, 1), clGreen);
    EXPECT_EQ(Grid->Cells(1, 1), u"");

    // OnColorSelected may change the colour; Esc leaves the shape alone.
    Grid->OnColorSelected = [](TObject*, Integer, Integer, TColor& Colour, String&) { Colour = clMaroon; };
    Grid->FocusCell(1, 1);
    Pump();
    Open(edColorPickerDropDown, u"");
    Picker->SetSelectedColor(clNavy);
    Key(VK_RETURN);
    EXPECT_EQ(Grid->GetShapeColor(1, 1), clMaroon);
    Grid->FocusCell(1, 1);
    Pump();
    Open(edColorPickerDropDown, u"");
    Picker->SetSelectedColor(clNavy);
    Key(VK_ESCAPE);
    EXPECT_EQ(Grid->GetShapeColor(1, 1), clMaroon);
}

TEST_F(DropDownEditorTest, TheImagePickerSetsTheImageOfBothImageCellTypes) {
    auto* Images = Create<TImageList>(Form);
    Images->SetWidth(8);
    Images->SetHeight(8);
    for (int I = 0; I < 3; ++I) {
        TBitmap Bitmap;
        Bitmap.SetSize(8, 8);
        Images->Add(&Bitmap, nullptr);
    }
    Grid->SetGridImages(Images);
    TGridImageDropDown* Picker = Grid->ImagePickerDropDown();

    // An image-list cell: the cell's image index.
    Grid->AddImageIdx(1, 1, 1, haLeft, vaTop);
    Open(edImagePickerDropDown, u"");
    EXPECT_EQ(Picker->Images(), Images);
    EXPECT_EQ(Picker->Items()->Count(), 3);
    EXPECT_EQ(Picker->ImageIndex(), 1);
    Picker->SetImageIndex(2);
    Key(VK_RETURN);
    Integer Index = -1;
    EXPECT_TRUE(Grid->GetImageIdx(1, 1, Index));
    EXPECT_EQ(Index, 2);

    // A data-image cell: the index as the cell's text, through OnImageSelected.
    Grid->OnImageSelected = [](TObject*, Integer, Integer, Integer& I) { I = 0; };
    Grid->FocusCell(1, 2);
    Pump();
    Grid->SetCells(1, 2, u"1");
    Grid->AddDataImage(1, 2, 1, haLeft, vaTop);
    EditKind = edImagePickerDropDown;
    Key(VK_F2);
    EXPECT_EQ(Picker->ImageIndex(), 1);
    Picker->SetImageIndex(2);
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 2), u"0");
}

TEST_F(DropDownEditorTest, GettersMakeEachEditorOnceOwnedByTheGridInItsStyle) {
    Grid->SetUIStyle(tsOffice2019Black);
    TGridMemoDropDown* Memo = Grid->MemoDropDown();
    EXPECT_EQ(Grid->MemoDropDown(), Memo);
    EXPECT_EQ(Memo->Owner(), Grid);
    EXPECT_EQ(Memo->Parent(), Grid);
    EXPECT_FALSE(Memo->Visible());
    EXPECT_EQ(Memo->GetComponentStyle(), tsOffice2019Black);
    EXPECT_TRUE(Grid->TrackbarDropDown()->EditorEnabled());
    EXPECT_GT(Grid->ColorPickerDropDown()->Colors()->Count(), 0);
    // Only the grid may own one.
    EXPECT_THROW(Create<TGridMemoDropDown>(Form), EInvalidCast);
}

TEST_F(DropDownEditorTest, PopUpButtonsReportTheCurrentCell) {
    std::vector<Integer> Seen;
    Grid->OnDropDownHeaderButtonClick = [&](TObject*, Integer C, Integer R, Integer B) { Seen = {C, R, B}; };
    Grid->OnDropDownFooterButtonClick = [&](TObject*, Integer C, Integer R, Integer B) { Seen = {C, R, -B}; };
    TKelCustomDropDown* Editor = Open(edDetailDropDown, u"");
    ASSERT_NE(Editor, nullptr);
    Editor->OnDropDownHeaderButtonClick(Editor, 2);
    EXPECT_EQ(Seen, (std::vector<Integer>{1, 1, 2}));
    Editor->OnDropDownFooterButtonClick(Editor, 3);
    EXPECT_EQ(Seen, (std::vector<Integer>{1, 1, -3}));
}

namespace {

// An editor of the kel-grid kind as the library above would make it.
class TTestKelGridEditor : public TGridDropDownEditor<TKelDropDown>, public IGridKelGridDropDown {
public:
    using TGridDropDownEditor::TGridDropDownEditor;
    void PrepareForCell(TColor Colour) override { Prepared = Colour; }
    void StartWithText(const String& Text) override { SetText(u"[" + Text + u"]"); }
    TColor Prepared = clNone;
};

} // namespace

TEST_F(DropDownEditorTest, TheKelGridKindOpensOnlyWithARegisteredMaker) {
    EditKind = edKelGridDropDown;
    Key(VK_F2);
    EXPECT_TRUE(Grid->EditMode());
    EXPECT_EQ(Grid->EditCtrl(), nullptr);
    EXPECT_EQ(Grid->KelGridDropDown(), nullptr);
    Grid->HideInplaceEdit();

    RegisterKelGridDropDownFactory([](TZirOvararIzazInput* G) { return Create<TTestKelGridEditor>(G); });
    Grid->FocusCell(1, 1);
    Pump();
    TKelCustomDropDown* Editor = Open(edKelGridDropDown, u"k");
    RegisterKelGridDropDownFactory(nullptr);
    ASSERT_NE(Editor, nullptr);
    EXPECT_EQ(Editor, Grid->KelGridDropDown());
    EXPECT_NE(static_cast<TTestKelGridEditor*>(Editor)->Prepared, clNone);
    EXPECT_EQ(Editor->Text(), u"[k]");
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), u"[k]");
}

TEST_F(DropDownEditorTest, TheColourEditorValidatesOnlyOnEnter) {
    Integer Validations = 0;
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool&) { ++Validations; };
    Grid->SetAlwaysValidate(true);
    Open(edColorPickerDropDown, u"");
    Key(VK_DOWN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Validations, 0);
    Grid->FocusCell(1, 1);
    Pump();
    Open(edColorPickerDropDown, u"");
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Validations, 1);
}
