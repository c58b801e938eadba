// The colour panels on the headless window system: the cube's cells and hit
// test, the spectrum's picture and sample boxes, the palette's layout,
// selection and keys.

#include "DropDownTestSupport.h"
#include "dropdown/KelColorSelector.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "vcl/Image.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

using namespace winapi;

namespace {

class ColorPanels : public DropDownTest {
protected:
    template <typename T>
    T* NewPanel() {
        Form = NewForm();
        auto* Panel = Create<T>(Form);
        Panel->SetParent(Form);
        Panel->SetColor(clWhite);
        return Panel;
    }
    TPoint ScreenOf(TControl* Control, Integer X, Integer Y) { return Control->ClientToScreen(TPoint(X, Y)); }
    void MoveTo(TControl* Control, Integer X, Integer Y) {
        const TPoint P = ScreenOf(Control, X, Y);
        Backend->MoveMouse(P.X, P.Y);
        Pump();
    }

    TForm* Form = nullptr;
};

} // namespace

TEST_F(ColorPanels, CubeHitTest) {
    auto* Cube = NewPanel<TKelColorCubePanel>();
    ASSERT_EQ(Cube->CubeCellCenter(1), TPoint(55, 20));
    ASSERT_EQ(Cube->CubeCellCenter(8), TPoint(49, 30));
    ASSERT_EQ(Cube->CubeCellCenter(64), TPoint(91, 80));
    ASSERT_EQ(Cube->CubeCellCenter(127), TPoint(127, 140));
    struct Case {
        TPoint P;
        Integer Cell;
    };
    const Case Cases[] = {
        {{55, 26}, 1},  // exactly 6 pixels below cell 1's centre
        {{55, 13}, -1}, // 7 pixels above it
        {{61, 20}, 1},  // 6 pixels from cells 1 and 2: the lower number wins
        {{52, 25}, 1},  // inside cells 1 and 8
        {{61, 23}, -1}, // between cells 1, 2 and 9
        {{91, 80}, 64}, // the white middle
        {{0, 0}, -1},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Cube->CellAtPos(C.P.X, C.P.Y), C.Cell) << C.P.X << "," << C.P.Y;
}

TEST_F(ColorPanels, CubeColoursSelectionAndRange) {
    auto* Cube = NewPanel<TKelColorCubePanel>();
    EXPECT_EQ(Cube->CubeCellColor(64), TColor(0xFFFFFF));
    EXPECT_EQ(Cube->CubeCellColor(127), TColor(0x2100A5));
    Cube->SetSelectedColor(0x0000FF);
    EXPECT_EQ(Cube->SelectedIndex(), 118);
    Cube->SetSelectedColor(0x123456); // in no cell
    EXPECT_EQ(Cube->SelectedIndex(), -1);
    EXPECT_EQ(Cube->SelectedColor(), TColor(0x123456));
    for (Integer Index : {0, 128, -1}) {
        try {
            Cube->SetCubeCellColor(Index, clRed);
            ADD_FAILURE() << Index;
        } catch (const EListError& E) {
            EXPECT_EQ(E.Message(), u"List index out of bounds (" + IntToStr(Index) + u")");
        }
        EXPECT_THROW(Cube->CubeCellColor(Index), EListError);
    }
    Cube->ResetCube();
    EXPECT_EQ(Cube->Width(), 182);
    EXPECT_EQ(Cube->Height(), 160);
    EXPECT_TRUE(Cube->ShowHint());
}

TEST_F(ColorPanels, CubeMouseMarksTheHotCellShowsItsRGBAndSelects) {
    auto* Cube = NewPanel<TKelColorCubePanel>();
    Cube->ResetCube();
    int Selects = 0, Hides = 0;
    Cube->OnSelect = [&](TObject*) { ++Selects; };
    Cube->OnShouldHide = [&](TObject*) { ++Hides; };
    Pump();
    EXPECT_EQ(WindowPixel(Cube->Handle(), 55, 20), TColor(0x663300));
    MoveTo(Cube, 55, 21);
    EXPECT_EQ(Cube->HotIndex(), 1);
    EXPECT_EQ(Cube->Hint(), u"Red: 0,  Green: 51,  Blue: 102");
    MoveTo(Cube, 61, 23); // between cells: the hot cell stays, the hint goes
    EXPECT_EQ(Cube->HotIndex(), 1);
    EXPECT_EQ(Cube->Hint(), u"");
    const TPoint P = ScreenOf(Cube, 91, 80);
    Backend->Click(P.X, P.Y);
    Pump();
    EXPECT_EQ(Cube->SelectedIndex(), 64);
    EXPECT_EQ(Cube->SelectedColor(), TColor(0xFFFFFF));
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Hides, 1);
    // The selected frame: black outside, white inside, over the cell's colour.
    EXPECT_EQ(WindowPixel(Cube->Handle(), 91 - 5, 80), clBlack);
}

TEST_F(ColorPanels, SpectrumPictureAndLayout) {
    struct Case {
        Integer X, Y;
        TColor Color;
    };
    const Case Pixels[] = {
        {0, 0, 0xFFFFFF},     {127, 0, 0xFFFFFF}, {0, 127, 0x000000},
        {127, 127, 0x000000}, {0, 64, 0x0000FF},  {64, 64, 0xFFFF00}, // red on the left, cyan in the middle
        {32, 64, 0x00FF80}, // yellow-green a quarter across: red 128, green 255
    };
    auto* Spectrum = NewPanel<TKelColorSpectrumPanel>();
    auto* Bitmap = dynamic_cast<TBitmap*>(Spectrum->SpectrumImage()->Picture()->Graphic());
    ASSERT_NE(Bitmap, nullptr);
    EXPECT_EQ(Bitmap->Width(), 128);
    EXPECT_EQ(Bitmap->Height(), 128);
    for (const Case& C : Pixels) {
        EXPECT_EQ(SpectrumPixel(C.X, C.Y), C.Color) << C.X << "," << C.Y;
        EXPECT_EQ(Bitmap->Canvas()->Pixels(C.X, C.Y), C.Color) << C.X << "," << C.Y;
    }
    Spectrum->ArrangeSpectrum();
    EXPECT_EQ(Spectrum->Width(), 150);
    EXPECT_EQ(Spectrum->Height(), 174);
    EXPECT_EQ(Spectrum->SpectrumImage()->BoundsRect(), TRect(11, 10, 139, 138));
    EXPECT_EQ(Spectrum->SelectedRect(), TRect(10, 146, 73, 166));
    EXPECT_EQ(Spectrum->HotRect(), TRect(77, 146, 140, 166));
    EXPECT_EQ(Spectrum->HotColor(), clNone);
    // The pipette is cursor 54, an image cursor of its own.
    EXPECT_EQ(Spectrum->SpectrumImage()->Cursor(), crKelPipette);
    EXPECT_EQ(CursorShape(Screen->Cursors(crKelPipette)), 0);
}

TEST_F(ColorPanels, SpectrumPicksThePixelUnderTheMouse) {
    auto* Spectrum = NewPanel<TKelColorSpectrumPanel>();
    Spectrum->ArrangeSpectrum();
    int Selects = 0, Hides = 0;
    Spectrum->OnSelect = [&](TObject*) { ++Selects; };
    Spectrum->OnShouldHide = [&](TObject*) { ++Hides; };
    Pump();
    MoveTo(Spectrum, 11 + 64, 10 + 64);
    EXPECT_EQ(Spectrum->HotColor(), TColor(0xFFFF00));
    Pump();
    EXPECT_EQ(WindowPixel(Spectrum->Handle(), 100, 156), TColor(0xFFFF00)); // the hot box
    const TPoint P = ScreenOf(Spectrum, 11, 10 + 64);
    Backend->Click(P.X, P.Y);
    Pump();
    EXPECT_EQ(Spectrum->SelectedColor(), TColor(0x0000FF));
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Hides, 1);
    EXPECT_EQ(WindowPixel(Spectrum->Handle(), 40, 156), TColor(0x0000FF)); // the selected box
}

TEST_F(ColorPanels, PaletteLayout) {
    auto* Palette = NewPanel<TCustomColorSelector>();
    Palette->ArrangeItems();
    EXPECT_EQ(Palette->Width(), 100); // empty
    EXPECT_EQ(Palette->Height(), 50);
    Palette->AddDefaultPalette();
    Palette->ArrangeItems();
    ASSERT_EQ(Palette->Items()->Count(), 60);
    EXPECT_EQ(Palette->Width(), 165);
    EXPECT_EQ(Palette->Height(), 84);
    struct Case {
        Integer Index;
        TRect R;
    };
    // The base row is followed by a 4-pixel gap; the rows of shades touch.
    const Case Boxes[] = {{0, {4, 4, 16, 16}},
                          {9, {148, 4, 160, 16}},
                          {10, {4, 20, 16, 32}},
                          {20, {4, 32, 16, 44}},
                          {59, {148, 68, 160, 80}}};
    for (const Case& C : Boxes) {
        TRect R;
        Palette->GetItemRect(C.Index, R);
        EXPECT_EQ(R, C.R) << C.Index;
    }
    TRect None;
    Palette->GetItemRect(60, None);
    EXPECT_EQ(None, TRect(-1, -1, -1, -1));
    // The last box does not count for the gap: a lone stand-alone box in a
    // second row leaves the first row's height as it is.
    TCustomColorSelector* Small = NewPanel<TCustomColorSelector>();
    Small->SetColumns(2);
    for (TItemPos Pos : {ipTop, ipTop, ipStandAlone})
        Small->Items()->Add()->SetColorBoxPos(Pos);
    Small->ArrangeItems();
    EXPECT_EQ(Small->Height(), 4 + 12 + 12 + 4);
}

TEST_F(ColorPanels, PaletteSelectionAndKeys) {
    auto* Palette = NewPanel<TCustomColorSelector>();
    Palette->AddDefaultPalette();
    Palette->ArrangeItems();
    int Selects = 0;
    Palette->OnItemSelect = [&](TObject*) { ++Selects; };
    Palette->WriteItemIndex(60); // out of range: ignored
    Palette->WriteItemIndex(-2);
    EXPECT_EQ(Palette->ItemIndex(), -1);
    EXPECT_EQ(Selects, 0);
    Palette->WriteItemIndex(3);
    Palette->WriteItemIndex(3); // again: drawn and reported again
    EXPECT_EQ(Selects, 2);
    EXPECT_EQ(Palette->SelectedColor(), TColor(0x7D491F));
    Palette->Items()->Items(4)->SetEnabled(false);
    Palette->WriteItemIndex(4);
    EXPECT_EQ(Palette->ItemIndex(), 3);
    Palette->WriteSelectedColor(0x123456); // in no box
    EXPECT_EQ(Palette->ItemIndex(), -1);
    Palette->WriteSelectedColor(0x000000);
    EXPECT_EQ(Palette->ItemIndex(), 1);
    Palette->WriteSelectedColor(clNone);
    EXPECT_EQ(Palette->ItemIndex(), -1);
    Palette->Items()->Items(4)->SetEnabled(true);

    struct Case {
        Integer From;
        Word Key;
        bool EditorEnabled, DroppedDown;
        Integer To;
    };
    const Case Keys[] = {
        {5, VK_DOWN, false, true, 15},  {5, VK_DOWN, false, false, 6},  {-1, VK_DOWN, false, true, 0},
        {5, VK_UP, false, true, 5},     {15, VK_UP, false, true, 5},    {5, VK_UP, false, false, 4},
        {5, VK_LEFT, true, false, 5},   {5, VK_LEFT, true, true, 4},    {5, VK_RIGHT, false, false, 6},
        {5, VK_HOME, false, true, 0},   {5, VK_PRIOR, false, true, 0},  {5, VK_END, false, true, 59},
        {5, VK_NEXT, false, false, 59}, {55, VK_DOWN, false, true, 55}, {5, VK_RETURN, false, true, 5},
    };
    for (const Case& C : Keys) {
        Palette->WriteItemIndex(C.From);
        Palette->HandleKey(C.Key, C.EditorEnabled, C.DroppedDown);
        EXPECT_EQ(Palette->ItemIndex(), C.To) << C.From << " key " << C.Key;
    }
}

TEST_F(ColorPanels, PaletteDrawsFramesAndGroupedShades) {
    auto* Palette = NewPanel<TCustomColorSelector>();
    Palette->AddDefaultPalette();
    Palette->ArrangeItems();
    Palette->WriteItemIndex(2);
    Palette->SetHotItem(3);
    Pump();
    const HWND W = Palette->Handle();
    TRect R;
    Palette->GetItemRect(2, R); // selected: red outside, light yellow inside
    EXPECT_EQ(WindowPixel(W, R.Left, R.Top + 5), TColor(0x0000FF));
    EXPECT_EQ(WindowPixel(W, R.Left + 1, R.Top + 5), TColor(0x94E2FF));
    Palette->GetItemRect(3, R); // hot
    EXPECT_EQ(WindowPixel(W, R.Left, R.Top + 5), TColor(0x3694F2));
    Palette->GetItemRect(0, R); // stand-alone: framed all round
    EXPECT_EQ(WindowPixel(W, R.Left + 5, R.Top), TColor(0xC5C5C5));
    Palette->GetItemRect(21, R); // a middle shade: sides only, no line on top
    EXPECT_EQ(WindowPixel(W, R.Left, R.Top + 5), TColor(0xC5C5C5));
    EXPECT_EQ(WindowPixel(W, R.Left + 5, R.Top), Palette->Items()->Items(21)->Color());
}
