// Cell objects: ownership by kind, the setters, picture and object sizes,
// display-text links; check boxes, three-state boxes, radio buttons and
// radio lists with their events, veto and undo.

#include "CoreTestSupport.h"

#include "grid/CellGraphic.h"
#include "gridbase/FileHelpers.h"
#include "gridbase/UndoRedo.h"
#include "graphics/Picture.h"
#include "vcl/RichEdit.h"

#include <fstream>
#include <sstream>
#include <string>

namespace {

String Fixture(const char* Name) {
    return FromUtf8(std::string(VANDREL_FIXTURES) + "/" + Name);
}

class CellObjectTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Grid->SetColCount(5);
        Grid->SetRowCount(8);
    }
};

} // namespace

// ---- Ownership ----

TEST_F(CellObjectTest, EveryOwningKindIsFreedOnReplaceRemoveAndWithTheGrid) {
    // Each maker gives the cell an object that owns something; LSan reports
    // whatever a path forgets.
    using TMaker = std::function<void(TCellGraphic*, Integer c, Integer r)>;
    const std::vector<std::pair<const char*, TMaker>> Makers = {
        {"bitmap", [](TCellGraphic* G, Integer, Integer) { G->SetBitmap(Create<TBitmap>(), false, haLeft, vaTop); G->SetCellCreated(true); }},
        {"icon", [](TCellGraphic* G, Integer, Integer) { G->SetIcon(Create<TIcon>(), haLeft, vaTop); G->SetCellCreated(true); }},
        {"picture", [](TCellGraphic* G, Integer, Integer) { G->SetPicture(Create<TPicture>(), false, Stretch, 0, haLeft, vaTop); G->SetCellCreated(true); }},
        {"file picture", [](TCellGraphic* G, Integer, Integer) { G->SetFilePicture(Create<TFilePicture>(), false, Stretch, 0, haLeft, vaTop); G->SetCellCreated(true); }},
        {"glyph", [](TCellGraphic* G, Integer, Integer) { G->SetBitButton(20, 10, u"Go", Create<TBitmap>(), haLeft, vaTop); G->SetCellCreated(true); }},
        {"radio list", [](TCellGraphic* G, Integer, Integer) { G->SetCellType(ctRadio); G->SetCellBitmap(Create<TStringList>()); G->SetCellCreated(true); }},
        {"images", [](TCellGraphic* G, Integer c, Integer r) { G->SetMultiImage(c, r, 0, haLeft, vaTop, nullptr); }},
        {"balloon kind", [](TCellGraphic* G, Integer, Integer) { G->SetCellType(ctBalloon); G->SetCellBitmap(Create<TStringList>()); }},
        {"check box balloon", [](TCellGraphic* G, Integer, Integer) { G->SetCheckBox(true, false, true, haLeft, vaTop); G->SetBalloon(u"T", u"x", biInfo); }},
        {"radio balloon", [](TCellGraphic* G, Integer, Integer) { G->SetRadioButton(true, true, haLeft, vaTop, rgRow); G->SetBalloon(u"T", u"x", biInfo); }},
    };
    for (const auto& [Name, Make] : Makers) {
        SCOPED_TRACE(Name);
        Make(Grid->CreateCellGraphic(1, 1), 1, 1);
        // Replaced by a second object: the first and what it owns go.
        Make(Grid->CreateCellGraphic(1, 1), 1, 1);
        EXPECT_TRUE(Grid->RemoveCellGraphic(1, 1));
        EXPECT_EQ(Grid->GetCellGraphic(1, 1), nullptr);
        EXPECT_FALSE(Grid->RemoveCellGraphic(1, 1));
        // Left in a row and a column that are then hidden, for the grid to free.
        Make(Grid->CreateCellGraphic(2, 6), 2, 6);
        Make(Grid->CreateCellGraphic(3, 2), 3, 2);
    }
    Grid->HideRow(6);
    Grid->HideColumn(3);
    Free(Form);
    Form = nullptr;
    Grid = nullptr;
    Form = Create<TForm>(nullptr);
}

TEST_F(CellObjectTest, ObjectsHandedInStayTheCallers) {
    auto* Bmp = Create<TBitmap>();
    Grid->CreateCellGraphic(1, 1)->SetBitmap(Bmp, false, haLeft, vaTop);
    Grid->RemoveCellGraphic(1, 1);
    Bmp->SetSize(3, 3); // still alive
    Free(Bmp);
}

TEST_F(CellObjectTest, RotatingAPictureCellFreesThePicture) {
    TCellGraphic* G = Grid->CreateCellGraphic(1, 1);
    G->SetPicture(Create<TPicture>(), false, noStretch, 0, haLeft, vaTop);
    G->SetCellCreated(true);
    G->SetAngle(90); // LSan reports the picture if the kind change leaks it
    EXPECT_EQ(G->CellType(), ctRotated);
    EXPECT_EQ(G->CellBitmap(), nullptr);
}

TEST_F(CellObjectTest, TextOfTheCellIsKeptAndOneObjectStays) {
    Grid->SetCells(2, 2, u"abc");
    TCellGraphic* First = Grid->CreateCellGraphic(1, 1);
    EXPECT_EQ(Grid->Cells(1, 1), u"");
    Grid->CreateCellGraphic(2, 2);
    EXPECT_EQ(Grid->Cells(2, 2), u"abc");
    TCellGraphic* Second = Grid->CreateCellGraphic(1, 1);
    EXPECT_NE(First, Second);
    EXPECT_EQ(Grid->GetCellGraphic(1, 1), Second);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctNone);
    EXPECT_TRUE(Grid->GetCellEmpty(1, 1));
    Second->SetCellComment(u"note");
    EXPECT_FALSE(Grid->GetCellEmpty(1, 1));
    EXPECT_EQ(Grid->GetCellType(-1, 1), ctEmpty);
    EXPECT_EQ(Grid->GetCellType(3, 3), ctEmpty);
    EXPECT_FALSE(Grid->RemoveCellGraphicOfKind(1, 1, ctIcon));
    EXPECT_TRUE(Grid->RemoveCellGraphicOfKind(1, 1, ctNone));
}

TEST_F(CellObjectTest, AssignCopiesFieldsButNotReferences) {
    TCellGraphic Src;
    Src.SetButton(30, 20, u"Go", haCenter, vaBottom);
    Src.SetCellComment(u"c");
    Src.SetCellCheckBoxState(cbGrayed);
    TCellGraphic Dst;
    Dst.Assign(&Src);
    EXPECT_EQ(Dst.CellType(), ctButton);
    EXPECT_EQ(Dst.CellIndex(), 20 * 65536 + 30);
    EXPECT_EQ(Dst.CellText(), u"Go");
    EXPECT_EQ(Dst.CellHAlign(), haCenter);
    EXPECT_EQ(Dst.CellComment(), u"c");
    EXPECT_EQ(Dst.CellCheckBoxState(), cbUnchecked);
}

TEST(CellGraphic, SetAngleBringsTheAngleIntoRange) {
    const std::vector<std::pair<Integer, Integer>> Cases = {{-90, 270}, {720, 360}, {360, 360}, {45, 45}, {-360, 0}};
    for (const auto& [In, Out] : Cases) {
        TCellGraphic G;
        G.SetAngle(In);
        EXPECT_EQ(G.CellAngle(), Out) << In;
        EXPECT_EQ(G.CellType(), ctRotated);
    }
}

TEST(CellGraphic, PictureSizeFollowsTheStretchMode) {
    struct Case {
        Integer W, H;
        TStretchMode Mode;
        Integer Padding;
        TPoint Size;
    };
    const std::vector<Case> Cases = {
        {200, 100, StretchWithAspectRatio, 0, TPoint(100, 50)},
        {200, 100, ShrinkWithAspectRatio, 0, TPoint(100, 50)},
        {50, 50, ShrinkWithAspectRatio, 0, TPoint(50, 50)},
        {50, 50, Stretch, 0, TPoint(100, 100)},
        {50, 50, noStretch, 0, TPoint(50, 50)},
        {200, 50, Shrink, 0, TPoint(100, 100)},
        {50, 50, Shrink, 0, TPoint(50, 50)},
        {50, 100, StretchWithAspectRatio, 10, TPoint(45, 90)},
    };
    for (const Case& C : Cases) {
        auto* Bmp = Create<TBitmap>();
        Bmp->SetSize(C.W, C.H);
        auto* Pic = Create<TPicture>();
        Pic->SetGraphic(Bmp);
        Free(Bmp);
        TCellGraphic G;
        G.SetPicture(Pic, false, C.Mode, C.Padding, haLeft, vaTop);
        G.SetCellCreated(true);
        EXPECT_EQ(G.GetPictureSize(100, 100), C.Size) << C.W << "x" << C.H << " mode " << Integer(C.Mode);
    }
}

TEST_F(CellObjectTest, RealPictureFilesMeasureTheirSize) {
    const std::vector<std::pair<const char*, TPoint>> Files = {{"pic40x20.png", TPoint(40, 20)},
                                                               {"pic30x50.jpg", TPoint(30, 50)},
                                                               {"pic24x12.gif", TPoint(24, 12)},
                                                               {"pic16x32.bmp", TPoint(16, 32)},
                                                               {"pic32x32.ico", TPoint(32, 32)}};
    Grid->SetColWidths(1, 200);
    Grid->SetRowHeights(1, 100);
    for (const auto& [Name, Size] : Files) {
        SCOPED_TRACE(Name);
        auto* Pic = Create<TPicture>();
        Pic->LoadFromFile(Fixture(Name));
        TCellGraphic* G = Grid->CreateCellGraphic(1, 1);
        G->SetPicture(Pic, false, noStretch, 0, haLeft, vaTop);
        G->SetCellCreated(true);
        EXPECT_EQ(G->GetPictureSize(200, 100), Size);
        EXPECT_EQ(Grid->GetCellGraphicSize(1, 1), Size);
        // A file picture takes its stored size from the file.
        auto* FilePic = Create<TFilePicture>();
        FilePic->SetFilename(Fixture(Name));
        G = Grid->CreateCellGraphic(1, 1);
        G->SetFilePicture(FilePic, false, noStretch, 0, haLeft, vaTop);
        G->SetCellCreated(true);
        EXPECT_EQ(Grid->GetCellGraphicSize(1, 1), Size);
    }
}

TEST_F(CellObjectTest, RadioListAndControlSizes) {
    TCellGraphic* G = Grid->CreateCellGraphic(1, 1);
    G->SetCellType(ctRadio);
    auto* Items = Create<TStringList>();
    G->SetCellBitmap(Items);
    G->SetCellCreated(true);
    // An empty list.
    EXPECT_EQ(Grid->GetCellGraphicSize(1, 1), TPoint(12, 16));
    Items->Add(u"A");
    Items->Add(u"B");
    Items->Add(u"C");
    const Integer LineH = Grid->Canvas()->TextExtent(u"gh").cy;
    EXPECT_EQ(Grid->GetCellGraphicSize(1, 1).Y, std::max(16, (LineH + 3) * 3));
    Grid->AddCheckBox(2, 2, true, false);
    const Integer S = Grid->ControlLook()->CheckSize();
    EXPECT_EQ(Grid->GetCellGraphicSize(2, 2), TPoint(S, S));
    Grid->CreateCellGraphic(3, 3)->SetCellType(ctRating);
    Grid->GetCellGraphic(3, 3)->SetCellAngle(5);
    EXPECT_EQ(Grid->GetCellGraphicSize(3, 3), TPoint(90, 16));
    EXPECT_EQ(Grid->CalcPrintGraphicSize(2, 2, 100, 100, 1.0), TPoint(S, S));
}

TEST_F(CellObjectTest, ImageIdentityAndImageIndex) {
    auto* Bmp = Create<TBitmap>();
    Grid->CreateCellGraphic(1, 1)->SetBitmap(Bmp, false, haLeft, vaTop);
    Grid->CreateCellGraphic(1, 2)->SetBitmap(Bmp, false, haLeft, vaTop);
    EXPECT_EQ(Grid->GetCellImageIdx(1, 1), Grid->GetCellImageIdx(1, 2));
    Grid->AddCheckBox(2, 2, false, false);
    EXPECT_EQ(Grid->GetCellImageIdx(2, 2), -1);
    Grid->CreateCellGraphic(3, 3)->SetImageIdx(4, haLeft, vaTop);
    Integer Idx = -1;
    EXPECT_FALSE(Grid->GetImageIdx(3, 3, Idx)); // no image list
    auto* Images = Create<TCustomImageList>(Form);
    Grid->SetGridImages(Images);
    EXPECT_TRUE(Grid->GetImageIdx(3, 3, Idx));
    EXPECT_EQ(Idx, 4);
    // The removed list is forgotten.
    Free(Images);
    EXPECT_EQ(Grid->GridImages(), nullptr);
    Grid->RemoveCellGraphic(1, 1);
    Grid->RemoveCellGraphic(1, 2);
    Free(Bmp);
}

TEST_F(CellObjectTest, LinksStartAtTheSchemeBeforeWWW) {
    Grid->SetURLShowInText(true);
    const std::vector<std::pair<String, String>> Cases = {
        {u"see www.x.org now", u"www.x.org"},
        {u"see WWW.x.org now", u"WWW.x.org"},
        {u"go HTTPS://WWW.x.org now", u"HTTPS://WWW.x.org"},
    };
    for (const auto& [Text, Link] : Cases) {
        Grid->SetCells(1, 1, Text);
        String Shown = Grid->Cells(1, 1);
        Grid->GetDisplText(1, 1, Shown);
        EXPECT_NE(Shown.find(u">" + Link + u"</"), String::npos) << Utf8(Shown);
    }
}

// ---- Check boxes and radio buttons ----

TEST_F(CellObjectTest, AddCheckBoxChecksTheDisplayedGrid) {
    Grid->HideRow(3);
    Grid->HideColumn(2);
    // Beyond the displayed grid: "Invalid cell", whatever is hidden.
    const std::vector<std::pair<Integer, Integer>> Bad = {{0, Grid->RowCount()}, {Grid->ColCount(), 0}, {-1, 1}};
    for (const auto& [c, r] : Bad) {
        try {
            Grid->AddCheckBox(c, r, true, false);
            ADD_FAILURE() << c << "," << r;
        } catch (const EKelGridError& E) {
            EXPECT_EQ(E.Message(), u"Invalid cell");
        }
        EXPECT_THROW(Grid->AddRadioButton(c, r), EKelGridError);
        EXPECT_THROW(Grid->AddRadioButtonGroup(c, r, rgRow), EKelGridError);
        EXPECT_THROW(Grid->AddCheckBox(c, r, cbGrayed), EKelGridError);
    }
    Grid->AddCheckBox(Grid->ColCount() - 1, Grid->RowCount() - 1, true, false);
    EXPECT_TRUE(Grid->HasCheckBox(Grid->ColCount() - 1, Grid->RowCount() - 1));
}

TEST_F(CellObjectTest, DataCheckBoxTextAndToggle) {
    Grid->SetCells(1, 1, u"N");
    Grid->AddCheckBox(1, 1, true, true);
    EXPECT_EQ(Grid->Cells(1, 1), u"N"); // a check text stays
    Grid->SetCells(1, 2, u"other");
    Grid->AddCheckBox(1, 2, false, true);
    EXPECT_EQ(Grid->Cells(1, 2), u"N");
    Grid->SetCells(1, 2, u"other");
    EXPECT_TRUE(Grid->ToggleCheckBox(1, 2)); // neither text: becomes checked
    EXPECT_TRUE(Grid->IsChecked(1, 2));
    EXPECT_EQ(Grid->Cells(1, 2), u"Y");
    EXPECT_TRUE(Grid->Modified());
}

TEST_F(CellObjectTest, TriStateCycleInBothToggleModes) {
    struct Step {
        TToggleTriStateCheck Mode;
        TCheckBoxState From, To;
        bool Reported;
    };
    const std::vector<Step> Steps = {{tsAllStates, cbUnchecked, cbGrayed, false},
                                     {tsCheckUnCheck, cbUnchecked, cbChecked, true},
                                     {tsAllStates, cbChecked, cbUnchecked, false},
                                     {tsAllStates, cbGrayed, cbChecked, true}};
    for (const Step& S : Steps) {
        Grid->Navigation()->PlainSettings().ToggleTriStateCheck = S.Mode;
        Grid->AddCheckBox(1, 1, S.From);
        std::vector<bool> Reports;
        Grid->OnCheckBoxChange = [&](TObject*, Integer, Integer, bool State) { Reports.push_back(State); };
        EXPECT_TRUE(Grid->ToggleCheckBox(1, 1));
        TCheckBoxState Now = cbUnchecked;
        EXPECT_TRUE(Grid->GetCheckBoxState(1, 1, Now));
        EXPECT_EQ(Now, S.To);
        ASSERT_EQ(Reports.size(), 1u);
        EXPECT_EQ(Reports[0], S.Reported);
        // The Boolean form answers True exactly for a checked box.
        bool Checked = !S.Reported;
        EXPECT_TRUE(Grid->GetCheckBoxState(1, 1, Checked));
        EXPECT_EQ(Checked, S.To == cbChecked);
    }
    // With hidden rows too.
    Grid->AddCheckBox(1, 5, cbChecked);
    Grid->HideRow(2);
    EXPECT_TRUE(Grid->IsChecked(1, 5));
}

TEST_F(CellObjectTest, VetoedToggleChangesNothing) {
    auto* Undo = Create<TKelGridUndoRedo>(Form);
    Grid->SetUndoRedo(Undo);
    Grid->AddCheckBox(1, 1, false, false);
    bool Fired = false;
    Grid->OnCheckBoxChange = [&](TObject*, Integer, Integer, bool) { Fired = true; };
    Grid->OnCheckBoxCanToggle = [](TObject*, Integer, Integer, bool, bool& Allow) { Allow = false; };
    EXPECT_FALSE(Grid->ToggleCheckBox(1, 1));
    EXPECT_FALSE(Grid->IsChecked(1, 1));
    EXPECT_FALSE(Fired);
    EXPECT_FALSE(Undo->CanUndo());
    EXPECT_FALSE(Grid->Modified());
}

TEST_F(CellObjectTest, UndoAfterAToggleRestoresTheState) {
    auto* Undo = Create<TKelGridUndoRedo>(Form);
    Grid->SetUndoRedo(Undo);
    Grid->AddCheckBox(1, 1, false, false);
    Grid->AddCheckBox(2, 1, true, true);
    EXPECT_TRUE(Grid->ToggleCheckBox(1, 1));
    EXPECT_TRUE(Grid->IsChecked(1, 1));
    Undo->Undo();
    EXPECT_FALSE(Grid->IsChecked(1, 1));
    EXPECT_TRUE(Grid->ToggleCheckBox(2, 1));
    EXPECT_FALSE(Grid->IsChecked(2, 1));
    Undo->Undo();
    EXPECT_TRUE(Grid->IsChecked(2, 1));
}

TEST_F(CellObjectTest, ApplyCheckBoxStateFiresOnChangeOnly) {
    Grid->AddCheckBoxColumn(1, false, false);
    Integer Fired = 0;
    Grid->OnCheckBoxChange = [&](TObject*, Integer, Integer, bool) { ++Fired; };
    Grid->CheckAll(1);
    EXPECT_EQ(Fired, Grid->RowCount() - Grid->FixedRows());
    Grid->CheckAll(1);
    EXPECT_EQ(Fired, Grid->RowCount() - Grid->FixedRows());
    for (Integer r = 1; r < Grid->RowCount(); ++r) EXPECT_TRUE(Grid->IsChecked(1, r));
    EXPECT_FALSE(Grid->HasCheckBox(1, 0));
    Grid->RemoveCheckBoxColumn(1);
    EXPECT_FALSE(Grid->HasCheckBox(1, 3));
}

TEST_F(CellObjectTest, RadioButtonWalkStopsAtTheFirstCellWithoutOne) {
    for (bool RowFourHasOne : {true, false}) {
        for (Integer r = 1; r < Grid->RowCount(); ++r) Grid->RemoveCellGraphic(1, r);
        for (Integer r : {2, 3, 5}) Grid->AddRadioButton(1, r, false);
        if (RowFourHasOne) Grid->AddRadioButton(1, 4, false);
        Grid->SetRadioButtonState(1, 2, true);
        EXPECT_TRUE(Grid->ToggleRadioButton(1, 5));
        EXPECT_TRUE(Grid->IsRadioButtonChecked(1, 5));
        EXPECT_EQ(Grid->IsRadioButtonChecked(1, 2), !RowFourHasOne);
    }
    // A row group walks along the row.
    Grid->AddRadioButtonGroup(1, 6, rgRow, true);
    Grid->AddRadioButtonGroup(2, 6, rgRow, false);
    EXPECT_TRUE(Grid->ToggleRadioButton(2, 6));
    EXPECT_FALSE(Grid->IsRadioButtonChecked(1, 6));
    EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), 2); // row 2 kept its check in the last round
}

TEST_F(CellObjectTest, RadioListCyclesToTheFirstItem) {
    TCellGraphic* G = Grid->CreateCellGraphic(1, 1);
    G->SetCellType(ctRadio);
    auto* Items = Create<TStringList>();
    for (const Char* S : {u"A", u"B", u"C"}) Items->Add(S);
    G->SetCellBitmap(Items);
    G->SetCellCreated(true);
    G->SetCellIndex(2);
    EXPECT_FALSE(Grid->CycleRadio(1, 1, false));
    EXPECT_EQ(G->CellIndex(), 0);
    EXPECT_EQ(Grid->Cells(1, 1), u"A");
    // Without an index the text gives the position.
    G->SetCellIndex(-1);
    Grid->SetCells(1, 1, u"B");
    Grid->CycleRadio(1, 1, false);
    EXPECT_EQ(Grid->Cells(1, 1), u"C");
}

TEST_F(CellObjectTest, PreciseCheckBoxHitBox) {
    Grid->MouseActions()->PlainSettings().PreciseCheckBoxCheck = true;
    Grid->ControlLook()->SetCheckSize(16);
    Grid->AddCheckBox(1, 1, false, false);
    const TRect R = Grid->CellRect(1, 1);
    const Integer Left = R.Left + 2, Top = R.Top + 2;
    struct Hit {
        Integer X, Y;
        bool In;
    };
    for (const Hit& H : std::vector<Hit>{{Left - 2, Top, false}, {Left, Top, true}, {Left + 15, Top + 15, true},
                                         {Left + 16, Top, false}, {Left, Top + 16, false}})
        EXPECT_EQ(Grid->IsInCheckBox(1, 1, H.X, H.Y), H.In) << H.X - Left << "," << H.Y - Top;
    Grid->MouseActions()->PlainSettings().PreciseCheckBoxCheck = false;
    EXPECT_TRUE(Grid->IsInCheckBox(1, 1, R.Right - 1, R.Bottom - 1));
    EXPECT_FALSE(Grid->IsInCheckBox(2, 2, R.Left, R.Top));
}

// ---- Accessors ----

namespace {

std::string ReadBytes(const String& Path) {
    std::ifstream In(Utf8(Path), std::ios::binary);
    std::stringstream Buffer;
    Buffer << In.rdbuf();
    return Buffer.str();
}

} // namespace

TEST_F(CellObjectTest, StrippedCellOfARichTextDocumentGivesItsText) {
    const String Rtf = FromUtf8(ReadBytes(Fixture("../../../../../platform/vcl/tests/fixtures/libreoffice.rtf")));
    ASSERT_FALSE(Rtf.empty());
    Grid->SetCells(1, 1, Rtf);
    EXPECT_EQ(Utf8(Grid->GetStrippedCell(1, 1)),
              "Vandrel risk report\r\nRed text and plain\r\nCaf\xC3\xA9 5 \xE2\x82\xAC");
    Grid->SetCells(1, 2, u"<b>bold</b> text");
    EXPECT_EQ(Grid->GetStrippedCell(1, 2), u"bold text");
    // Round trip through the grid's rich edit.
    Grid->CellToRich(1, 1, Grid->RichEdit());
    Grid->RichToCell(2, 2, Grid->RichEdit());
    EXPECT_EQ(Grid->GetStrippedCell(2, 2), Grid->GetStrippedCell(1, 1));
}

TEST_F(CellObjectTest, HyperlinksKeepTheirCase) {
    Grid->SetCells(1, 1, u"<a href=\"http://Example.org/Path/File.html\">Word</a>");
    EXPECT_EQ(Grid->GetHyperlink(1, 1), u"http://Example.org/Path/File.html");
    String URL, Text;
    EXPECT_TRUE(Grid->GetHyperlinkDetails(1, 1, URL, Text));
    EXPECT_EQ(URL, u"http://Example.org/Path/File.html");
    EXPECT_EQ(Text, u"Word");
    Grid->SetCells(1, 2, u"mail MAILTO:Someone@x.org now");
    EXPECT_EQ(Grid->GetHyperlink(1, 2), u"MAILTO:Someone@x.org now");
    EXPECT_TRUE(Grid->HasHyperlink(1, 1));
    EXPECT_EQ(Grid->GetHyperlink(1, 3), u"");
}

TEST_F(CellObjectTest, PerCellSettingsAndRowColourReset) {
    EXPECT_EQ(Grid->Colors(1, 1), clNone);
    EXPECT_FALSE(Grid->HasCellProperties(1, 1));
    Grid->SetFontSizes(1, 1, 10);
    EXPECT_EQ(Grid->CellProperties(1, 1)->FontSize(), -13);
    EXPECT_EQ(Grid->FontSizes(1, 1), 10);
    Grid->SetAlignments(2, 1, taRightJustify);
    Grid->SetReadOnly(2, 1, true);
    Grid->SetRowColor(1, 0xFF);
    Grid->AddCheckBox(3, 1, true, false);
    EXPECT_EQ(Grid->Colors(2, 1), TColor(0xFF));
    Grid->SetRowColor(1, clNone);
    // Only the colour goes: alignment, read-only, fonts and the check box stay.
    EXPECT_EQ(Grid->Colors(2, 1), clNone);
    EXPECT_EQ(Grid->Alignments(2, 1), taRightJustify);
    EXPECT_TRUE(Grid->ReadOnly(2, 1));
    EXPECT_EQ(Grid->FontSizes(1, 1), 10);
    EXPECT_TRUE(Grid->HasCheckBox(3, 1));
    Grid->SetRowFontColor(1, 0xFF00);
    EXPECT_EQ(Grid->FontColors(1, 1), TColor(0xFF00));
    Grid->SetRowFontColor(1, clNone);
    EXPECT_EQ(Grid->FontColors(1, 1), clNone);
}

TEST_F(CellObjectTest, ZoomStaysWithinTwentyAndSparesNarrowColumns) {
    Grid->SetColWidths(2, 3);
    std::vector<Integer> Widths, Heights;
    for (Integer c = 0; c < Grid->ColCount(); ++c) Widths.push_back(Grid->ColWidths(c));
    for (Integer r = 0; r < Grid->RowCount(); ++r) Heights.push_back(Grid->RowHeights(r));
    for (Integer i = 0; i < 4; ++i) Grid->Zoom(5);
    EXPECT_EQ(Grid->ZoomFactor(), 20);
    const Integer Wide = Grid->ColWidths(1);
    Grid->Zoom(5);
    EXPECT_EQ(Grid->ZoomFactor(), 20);
    EXPECT_EQ(Grid->ColWidths(1), Wide);
    Grid->ZoomReset();
    EXPECT_EQ(Grid->ZoomFactor(), 0);
    for (Integer c = 0; c < Grid->ColCount(); ++c) EXPECT_EQ(Grid->ColWidths(c), Widths[size_t(c)]);
    for (Integer r = 0; r < Grid->RowCount(); ++r) EXPECT_EQ(Grid->RowHeights(r), Heights[size_t(r)]);
    Grid->Zoom(-5);
    EXPECT_EQ(Grid->ColWidths(2), 3);
    EXPECT_EQ(Grid->ZoomFactor(), -5);
}

TEST_F(CellObjectTest, AllCellsReadsAHiddenRowsStoredCopy) {
    Grid->SetCells(1, 4, u"four");
    Grid->SetCells(1, 5, u"five");
    Grid->HideRow(4);
    EXPECT_EQ(Grid->Cells(1, 4), u"five");
    EXPECT_EQ(Grid->AllCells(1, 4), u"four");
    EXPECT_EQ(Grid->AllCells(1, 5), u"five");
    EXPECT_EQ(Grid->AllCells(-1, 5), u"");
    Grid->SetAllCells(1, 4, u"changed");
    Grid->UnHideRow(4);
    EXPECT_EQ(Grid->Cells(1, 4), u"changed");
}

TEST_F(CellObjectTest, RowCheckBoxShowsTheRowSelection) {
    Grid->MouseActions()->PlainSettings().DisjunctRowSelect = true;
    Grid->MouseActions()->SetHotmailRowSelect(true);
    EXPECT_EQ(Grid->GetCellType(0, 3), ctRowCheckBox);
    EXPECT_TRUE(Grid->HasCheckBox(0, 3));
    EXPECT_FALSE(Grid->IsChecked(0, 3));
    EXPECT_TRUE(Grid->ToggleCheckBox(0, 3));
    EXPECT_TRUE(Grid->RowSelect(3));
    // Some rows selected: the header box is grayed; all: checked.
    TCellGraphic* Head = Grid->GetCellGraphic(0, 0);
    EXPECT_EQ(Head->CellAngle(), 1);
    EXPECT_FALSE(Head->CellBoolean());
    for (Integer r = Grid->FixedRows(); r < Grid->RowCount(); ++r) Grid->SetRowSelect(r, true);
    Head = Grid->GetCellGraphic(0, 0);
    EXPECT_EQ(Head->CellAngle(), 0);
    EXPECT_TRUE(Head->CellBoolean());
    // The shared object is never removed.
    EXPECT_FALSE(Grid->RemoveCellGraphic(0, 3));
}
