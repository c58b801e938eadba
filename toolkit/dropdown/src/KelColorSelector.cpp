#include "dropdown/KelColorSelector.h"

#include "graphics/Colors.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "vcl/Forms.h"
#include "vcl/Image.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace winapi;

namespace {

Byte RedOf(TColor C) {
    return Byte(C & 0xFF);
}
Byte GreenOf(TColor C) {
    return Byte((C >> 8) & 0xFF);
}
Byte BlueOf(TColor C) {
    return Byte((C >> 16) & 0xFF);
}

// The cube's colours row by row, as 0x00BBGGRR values; row r holds
// 13 - |r - 7| cells.
constexpr TColor CubeColors[TKelColorCubePanel::CellCount] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,                               // 1
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,                     // 2
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,           // 3
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066, // 4
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399,
    0xFF0099, // 5
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC,
    0xFF00CC, 0xCC0099, // 6
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF,
    0xFF00FF, 0xCC00CC, 0x660066, // 7
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF,
    0x9900CC, 0x800080, // 8
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC,
    0x990099,                                                                                           // 9
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399, // 10
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,           // 11
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,                     // 12
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,                               // 13
};

// A hexagon with a point at top and bottom, 2w wide and 4h high.
std::vector<TPoint> Hexagon(Integer Cx, Integer Cy, Integer W, Integer H) {
    return {{Cx - W, Cy - H}, {Cx, Cy - 2 * H}, {Cx + W, Cy - H},
            {Cx + W, Cy + H}, {Cx, Cy + 2 * H}, {Cx - W, Cy + H}};
}

// The pipette: "X" black, "." white, blank transparent; its tip, the hot
// spot, is at (1, 30).
constexpr const char* PipetteRows[32] = {
    "                                ", "                       .....    ",
    "                     ..XXXXX..  ", "                     .XXXXXXX.  ",
    "                    .XXXXXXXXX. ", "                    .XXXXXXXXX. ",
    "                    .XXXXXXXXX. ", "                    .XXXXXXXXX. ",
    "                    .XXXXXXXXX. ", "                     .XXXXXXX.  ",
    "                   ..XXXXXXX..  ", "                 ..XXX......    ",
    "                ..XXX.          ", "               ..XXX.           ",
    "              ..XXX..           ", "             ..XXX..            ",
    "            ..XXX..             ", "           ..XXX..              ",
    "          ..XXX..               ", "         ..XXX..                ",
    "        ..XXX..                 ", "       ..XXX..                  ",
    "      ..XXX..                   ", "     ..XXX..                    ",
    "    ..XXX..                     ", "   ..XXX..                      ",
    "  ..XXX..                       ", " ..XXX..                        ",
    "..XXX..                         ", ".XXX..                          ",
    ".XX..                           ", "....                            ",
};

// The pipette cursor, made once for the program's life and entered in the
// screen's cursor table.
void RegisterPipetteCursor() {
    static HCURSOR Cursor = [] {
        std::vector<Cardinal> Pixels(32 * 32, 0);
        for (Integer Y = 0; Y < 32; ++Y)
            for (Integer X = 0; X < 32; ++X) {
                const char C = PipetteRows[Y][X];
                Pixels[size_t(Y * 32 + X)] = C == 'X' ? 0xFF000000u : C == '.' ? 0xFFFFFFFFu : 0u;
            }
        return CreateCursorFromImage(32, 32, Pixels.data(), TPoint(1, 30));
    }();
    if (Screen) Screen->SetCursors(crKelPipette, Cursor);
}

} // namespace

TColor SpectrumPixel(Integer X, Integer Y) {
    // The hue turns once across the 128 columns: red, yellow, green, cyan,
    // blue, magenta, red.
    const double Hue = std::clamp(X, 0, 127) * 6.0 / 128.0;
    const Integer Sector = Integer(Hue);
    const double F = Hue - Sector;
    double R = 0, G = 0, B = 0;
    switch (Sector) {
    case 0:
        R = 1, G = F, B = 0;
        break;
    case 1:
        R = 1 - F, G = 1, B = 0;
        break;
    case 2:
        R = 0, G = 1, B = F;
        break;
    case 3:
        R = 0, G = 1 - F, B = 1;
        break;
    case 4:
        R = F, G = 0, B = 1;
        break;
    default:
        R = 1, G = 0, B = 1 - F;
        break;
    }
    // White in the top row, the full colour in row 64, black in the last row.
    Y = std::clamp(Y, 0, 127);
    const auto Mix = [Y](double V) {
        const double Value = Y <= 64 ? 1.0 + (V - 1.0) * Y / 64.0 : V * (127 - Y) / 63.0;
        return Integer(std::lround(Value * 255.0));
    };
    return TColor(Mix(R) | (Mix(G) << 8) | (Mix(B) << 16));
}

// ---- TKelCustomColorSelectorPanel ----

const TClassInfo& TKelCustomColorSelectorPanel::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelCustomColorSelectorPanel, TCustomControl>().Build();
    return Info;
}

void TKelCustomColorSelectorPanel::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    }
    TCustomControl::WndProc(Message);
}

// ---- TKelColorCubePanel ----

const TClassInfo& TKelColorCubePanel::StaticClassInfo() {
    using C = TKelColorCubePanel;
    static const TClassInfo Info =
        TClassBuilder<C, TKelCustomColorSelectorPanel>()
            .Property(u"SelectedColor", TypeInfo_TColor(), &C::SelectedColor, &C::SetSelectedColor)
            .Property(u"ShowRGBHint", &C::ShowRGBHint, &C::SetShowRGBHint)
            .Build();
    return Info;
}

TKelColorCubePanel::TKelColorCubePanel(TComponent* AOwner) : TKelCustomColorSelectorPanel(AOwner) {
    InitCubeCells();
    SetShowRGBHint(true);
}

void TKelColorCubePanel::InitCubeCells() {
    FCubeSize = TPoint(6, 3);
    Integer Cell = 1;
    for (Integer Row = 1; Row <= 13; ++Row) {
        const Integer Count = 13 - std::abs(Row - 7);
        const Integer Y = 20 + 10 * (Row - 1);
        Integer X = Row <= 7 ? 55 - 6 * (Row - 1) : 19 + 6 * (Row - 7);
        for (Integer I = 0; I < Count; ++I, ++Cell, X += 2 * FCubeSize.X)
            FCubeCells[size_t(Cell)] = {X, Y, CubeColors[Cell - 1]};
    }
}

void TKelColorCubePanel::ResetCube() {
    FHotIndex = -1;
    SetHeight(160);
    SetWidth(182);
}

void TKelColorCubePanel::SetSelectedColor(TColor Value) {
    FSelectedColor = Value;
    FSelectedIndex = -1;
    for (Integer I = 1; I <= CellCount; ++I)
        if (FCubeCells[size_t(I)].Color == Value) {
            FSelectedIndex = I;
            break;
        }
}

void TKelColorCubePanel::SetShowRGBHint(bool Value) {
    FShowRGBHint = Value;
    SetShowHint(Value);
}

void TKelColorCubePanel::CheckCell(Integer Index) const {
    if (Index < 1 || Index > CellCount) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
}

TColor TKelColorCubePanel::CubeCellColor(Integer Index) const {
    CheckCell(Index);
    return FCubeCells[size_t(Index)].Color;
}

void TKelColorCubePanel::SetCubeCellColor(Integer Index, TColor Value) {
    CheckCell(Index);
    FCubeCells[size_t(Index)].Color = Value;
}

TPoint TKelColorCubePanel::CubeCellCenter(Integer Index) const {
    CheckCell(Index);
    return {FCubeCells[size_t(Index)].X, FCubeCells[size_t(Index)].Y};
}

Integer TKelColorCubePanel::CellAtPos(Integer X, Integer Y) const {
    const Integer Radius2 = FCubeSize.X * FCubeSize.X;
    for (Integer I = 1; I <= CellCount; ++I) {
        const Integer Dx = FCubeCells[size_t(I)].X - X;
        const Integer Dy = FCubeCells[size_t(I)].Y - Y;
        if (Dx * Dx + Dy * Dy <= Radius2) return I;
    }
    return -1;
}

void TKelColorCubePanel::DrawCell(TCanvas* Canvas, Integer Index) {
    if (Index < 1 || Index > CellCount) return;
    const TCubeCell& Cell = FCubeCells[size_t(Index)];
    Canvas->Pen()->SetColor(Cell.Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Cell.Color);
    Canvas->Polygon(Hexagon(Cell.X, Cell.Y, FCubeSize.X, FCubeSize.Y));
    const auto Frame = [&](TColor Outer) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetColor(Outer);
        Canvas->Polygon(Hexagon(Cell.X, Cell.Y, 5, 3));
        Canvas->Pen()->SetColor(0xFFFFFF);
        Canvas->Polygon(Hexagon(Cell.X, Cell.Y, 4, 2));
        Canvas->Brush()->SetStyle(bsSolid);
    };
    if (Index == FHotIndex) Frame(0x0000FF);
    // The selected frame lies over the hot one.
    if (Index == FSelectedIndex) Frame(0x000000);
}

void TKelColorCubePanel::RedrawCell(Integer Index) {
    if (Index < 1 || Index > CellCount || !HandleAllocated()) return;
    const TCubeCell& Cell = FCubeCells[size_t(Index)];
    const TRect R(Cell.X - FCubeSize.X - 1, Cell.Y - 2 * FCubeSize.Y - 1, Cell.X + FCubeSize.X + 2,
                  Cell.Y + 2 * FCubeSize.Y + 2);
    InvalidateRect(Handle(), &R, false);
}

void TKelColorCubePanel::Paint() {
    TKelCustomColorSelectorPanel::Paint();
    for (Integer I = 1; I <= CellCount; ++I)
        DrawCell(Canvas(), I);
}

void TKelColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TKelCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const Integer I = CellAtPos(X, Y);
    if (I < 1) return;
    if (FSelectedIndex >= 1) {
        const Integer Old = FSelectedIndex;
        FSelectedIndex = -1;
        RedrawCell(Old);
    }
    FSelectedColor = FCubeCells[size_t(I)].Color;
    FSelectedIndex = I;
    RedrawCell(I);
    if (OnSelect) OnSelect(this);
}

void TKelColorCubePanel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TKelCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const Integer I = CellAtPos(X, Y);
    if (I > 0 && I != FHotIndex) {
        if (FHotIndex >= 1) {
            const Integer Old = FHotIndex;
            FHotIndex = -1;
            RedrawCell(Old);
        }
        FHotIndex = I;
        RedrawCell(I);
        if (FShowRGBHint) {
            const TColor C = FCubeCells[size_t(I)].Color;
            SetHint(Format(u"Red: %d,  Green: %d,  Blue: %d",
                           {Integer(RedOf(C)), Integer(GreenOf(C)), Integer(BlueOf(C))}));
            if (Application) Application->CancelHint();
        }
    } else if (I < 1 && FShowRGBHint) {
        // The hot cell stays marked; only the hint goes.
        SetHint(u"");
        if (Application) Application->CancelHint();
    }
}

void TKelColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TKelCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    DoShouldHide();
}

// ---- TKelColorSpectrumPanel ----

const TClassInfo& TKelColorSpectrumPanel::StaticClassInfo() {
    using C = TKelColorSpectrumPanel;
    static const TClassInfo Info =
        TClassBuilder<C, TKelCustomColorSelectorPanel>()
            .Property(u"SelectedColor", TypeInfo_TColor(), &C::SelectedColor, &C::SetSelectedColor)
            .Build();
    return Info;
}

TKelColorSpectrumPanel::TKelColorSpectrumPanel(TComponent* AOwner) : TKelCustomColorSelectorPanel(AOwner) {
    // The spectrum is made here, once per panel.
    FSpectrumImage = Create<TImage>(this);
    FSpectrumImage->SetParent(this);
    FSpectrumImage->SetBounds(0, 0, 128, 128);
    TBitmap Bitmap;
    Bitmap.SetSize(128, 128);
    for (Integer Y = 0; Y < 128; ++Y) {
        auto* Row = static_cast<Cardinal*>(Bitmap.ScanLine(Y));
        for (Integer X = 0; X < 128; ++X) {
            const TColor C = SpectrumPixel(X, Y);
            Row[X] = 0xFF000000u | (Cardinal(RedOf(C)) << 16) | (Cardinal(GreenOf(C)) << 8) | BlueOf(C);
        }
    }
    FSpectrumImage->Picture()->Assign(&Bitmap);
    FSpectrumImage->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) {
        ImageMouseMove(X, Y);
    };
    FSpectrumImage->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
        // The pixel under the press is taken even when no move came first.
        ImageMouseMove(X, Y);
        FSelectedColor = FHotColor;
        InvalidateRect(Handle(), &FSelectedRect, false);
        if (OnSelect) OnSelect(this);
    };
    FSpectrumImage->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) {
        DoShouldHide();
    };
    RegisterPipetteCursor();
    FSpectrumImage->SetCursor(crKelPipette);
}

void TKelColorSpectrumPanel::ArrangeSpectrum() {
    SetWidth(150);
    SetHeight(174);
    FSpectrumImage->SetLeft((Width() - FSpectrumImage->Width()) / 2);
    FSpectrumImage->SetTop(10);
    const Integer L = FSpectrumImage->Left();
    const Integer T = FSpectrumImage->Top();
    const Integer W = FSpectrumImage->Width();
    const Integer H = FSpectrumImage->Height();
    FSelectedRect = TRect(L - 1, T + H + 8, L + W / 2 - 2, T + H + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, FSelectedRect.Top, L + W + 1, FSelectedRect.Bottom);
    FHotColor = clNone;
    Invalidate();
}

void TKelColorSpectrumPanel::ImageMouseMove(Integer X, Integer Y) {
    // The image shows the spectrum at its own size, so the pixel under the
    // mouse is the spectrum's pixel there.
    if (X < 0 || Y < 0 || X >= FSpectrumImage->Width() || Y >= FSpectrumImage->Height()) return;
    FHotColor = SpectrumPixel(X, Y);
    if (HandleAllocated()) {
        TRect R = FHotRect;
        InflateRect(R, 1, 1);
        InvalidateRect(Handle(), &R, false);
    }
}

void TKelColorSpectrumPanel::DrawBox(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(0x808080);
    Canvas->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    Canvas->Pen()->SetColor(0xFFFFFF);
    // No colour yet: only the frame.
    if (Color != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
    }
    Canvas->Rectangle(R);
    Canvas->Brush()->SetStyle(bsSolid);
}

void TKelColorSpectrumPanel::Paint() {
    TKelCustomColorSelectorPanel::Paint();
    TCanvas* C = Canvas();
    const TRect Image = FSpectrumImage->BoundsRect();
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(0xFFFFFF);
    C->Rectangle(Image.Left - 1, Image.Top - 1, Image.Right + 1, Image.Bottom + 1);
    C->Pen()->SetColor(0x808080);
    C->Rectangle(Image.Left - 2, Image.Top - 2, Image.Right + 2, Image.Bottom + 2);
    DrawBox(C, FSelectedRect, FSelectedColor);
    DrawBox(C, FHotRect, FHotColor);
}

void TKelColorSpectrumPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TKelCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    DoShouldHide();
}

// ---- TColorBoxAppearance ----

const TClassInfo& TColorBoxAppearance::StaticClassInfo() {
    using C = TColorBoxAppearance;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"BorderColor", TypeInfo_TColor(), &C::BorderColor, &C::SetBorderColor)
            .Default(TColor(0xC0C0C0))
            .Property(u"OuterBorderColorHot", TypeInfo_TColor(), &C::OuterBorderColorHot,
                      &C::SetOuterBorderColorHot)
            .Property(u"InnerBorderColorHot", TypeInfo_TColor(), &C::InnerBorderColorHot,
                      &C::SetInnerBorderColorHot)
            .Property(u"OuterBorderColorSelected", TypeInfo_TColor(), &C::OuterBorderColorSelected,
                      &C::SetOuterBorderColorSelected)
            .Property(u"InnerBorderColorSelected", TypeInfo_TColor(), &C::InnerBorderColorSelected,
                      &C::SetInnerBorderColorSelected)
            .Build();
    return Info;
}

void TColorBoxAppearance::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TColorBoxAppearance*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    FBorderColor = Other->FBorderColor;
    FOuterBorderColorHot = Other->FOuterBorderColorHot;
    FInnerBorderColorHot = Other->FInnerBorderColorHot;
    FOuterBorderColorSelected = Other->FOuterBorderColorSelected;
    FInnerBorderColorSelected = Other->FInnerBorderColorSelected;
}

// ---- TColorBoxItem(s) ----

const TClassInfo& TColorBoxItem::StaticClassInfo() {
    using C = TColorBoxItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
                                       .Default(clNone)
                                       .Property(u"ColorBoxPos", &C::ColorBoxPos, &C::SetColorBoxPos)
                                       .Default(ipStandAlone)
                                       .Build();
    return Info;
}

void TColorBoxItem::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    if (auto* Items = dynamic_cast<TColorBoxItems*>(Collection()))
        if (Items->OnChange) Items->OnChange(Items);
}

void TColorBoxItem::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TColorBoxItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetColor(Other->FColor);
    FEnabled = Other->FEnabled;
}

const TClassInfo& TColorBoxItems::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TColorBoxItems, TOwnedCollection>().Build();
    return Info;
}

TColorBoxItems::TColorBoxItems(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TColorBoxItem::StaticClassInfo()) {}

// ---- TCustomColorSelector ----

const TClassInfo& TCustomColorSelector::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TCustomColorSelector, TKelCustomColorSelectorPanel>().Build();
    return Info;
}

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TKelCustomColorSelectorPanel(AOwner), FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()),
      FItems(std::make_unique<TColorBoxItems>(this)) {
    WriteItemColorStyle(scOffice2007);
    SetParentColor(true);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::SetColumns(Integer Value) {
    if (Value == FColumns) return;
    FColumns = Value;
    ArrangeItems();
}

void TCustomColorSelector::SetColorBoxWidth(Integer Value) {
    if (Value == FColorBoxWidth) return;
    FColorBoxWidth = Value;
    ArrangeItems();
}

void TCustomColorSelector::SetColorBoxHeight(Integer Value) {
    if (Value == FColorBoxHeight) return;
    FColorBoxHeight = Value;
    ArrangeItems();
}

void TCustomColorSelector::WriteItemColorStyle(TSelectionColorStyle Value) {
    if (Value == FItemColorStyle) return;
    FItemColorStyle = Value;
    if (Value == scCustom) return;
    TColorBoxAppearance* A = FColorBoxAppearance.get();
    A->SetOuterBorderColorSelected(0x0000FF);
    A->SetInnerBorderColorSelected(0x94E2FF);
    A->SetOuterBorderColorHot(0x3694F2);
    A->SetInnerBorderColorHot(0x94E2FF);
    A->SetBorderColor(0xC5C5C5);
}

void TCustomColorSelector::GetItemsRect(TRect& R) const {
    R = ClientRect();
    InflateRect(R, -FOffSetX, -FOffSetY);
}

void TCustomColorSelector::GetColorBoxSize(TSize& Size) const {
    Size.cx = FColorBoxWidth;
    Size.cy = FColorBoxHeight;
}

void TCustomColorSelector::ArrangeItems() {
    if (FItems->Count() == 0) {
        SetWidth(100);
        SetHeight(50);
        return;
    }
    FItemHot = -1;
    TSize Box{FColorBoxWidth, FColorBoxHeight};
    GetColorBoxSize(Box);
    TRect Area;
    GetItemsRect(Area);
    Integer X = Area.Left, Y = Area.Top, Column = 0, Widest = 0;
    bool RowHasStandAlone = false;
    const Integer Last = FItems->Count() - 1;
    for (Integer J = 0; J <= Last; ++J) {
        TColorBoxItem* Item = FItems->Items(J);
        Item->SetRect(TRect(X, Y, X + Box.cx, Y + Box.cy));
        ++Column;
        if (J == Last) break;
        if (Item->ColorBoxPos() == ipStandAlone) RowHasStandAlone = true;
        if (Column < FColumns) {
            X += Box.cx + FColumnGap;
        } else {
            // Rows of shades touch; a row with a stand-alone box is followed by a gap.
            Widest = std::max(Widest, X);
            X = Area.Left;
            Y += Box.cy + (RowHasStandAlone ? FColumnGap : 0);
            Column = 0;
            RowHasStandAlone = false;
        }
    }
    Widest = std::max(Widest, X);
    SetHeight(Y + Box.cy + Area.Top);
    SetWidth(Widest + Box.cx + Area.Left + 1);
}

void TCustomColorSelector::InvalidateItem(Integer Index) {
    if (!IsValid(Index) || !HandleAllocated()) return;
    const TRect R = FItems->Items(Index)->Rect();
    InvalidateRect(Handle(), &R, true);
}

Integer TCustomColorSelector::ItemAtPos(Integer X, Integer Y) const {
    for (Integer I = 0; I < FItems->Count(); ++I) {
        const TRect R = FItems->Items(I)->Rect();
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) return I;
    }
    return -1;
}

void TCustomColorSelector::GetItemRect(Integer Index, TRect& R) const {
    R = IsValid(Index) ? FItems->Items(Index)->Rect() : TRect(-1, -1, -1, -1);
}

void TCustomColorSelector::DrawColorBox(Integer Index, TCanvas* Canvas) {
    if (!IsValid(Index) || !Canvas) return;
    const TColorBoxItem* Item = FItems->Items(Index);
    TRect R = Item->Rect();
    if (R.Left < 0 && R.Right < 0) return;
    const TColorBoxAppearance* A = FColorBoxAppearance.get();
    TColor Outer = A->BorderColor(), Inner = clNone;
    bool Marked = false;
    if (Index == FItemHot) {
        Outer = A->OuterBorderColorHot();
        Inner = A->InnerBorderColorHot();
        Marked = true;
    }
    if (Index == FItemIndex) {
        Outer = A->OuterBorderColorSelected();
        Inner = A->InnerBorderColorSelected();
        Marked = true;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    if (Item->Color() != clNone) {
        Canvas->Pen()->SetColor(Item->Color());
        Canvas->Brush()->SetColor(Item->Color());
        Canvas->Rectangle(R);
    }
    if (Marked) {
        Canvas->Brush()->SetStyle(bsClear);
        if (Outer != clNone) {
            Canvas->Pen()->SetColor(Outer);
            Canvas->Rectangle(R);
            InflateRect(R, -1, -1);
        }
        if (Inner != clNone) {
            Canvas->Pen()->SetColor(Inner);
            Canvas->Rectangle(R);
        }
        Canvas->Brush()->SetStyle(bsSolid);
        return;
    }
    // Grouped shades share their side lines and leave out the lines
    // between them.
    Canvas->Pen()->SetColor(A->BorderColor());
    const Integer L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    switch (Item->ColorBoxPos()) {
    case ipStandAlone:
        Canvas->Polyline({{L, B}, {L, T}, {Rt, T}, {Rt, B}, {L, B}});
        break;
    case ipTop:
        Canvas->Polyline({{L, B}, {L, T}, {Rt, T}, {Rt, B}});
        break;
    case ipMiddle:
        Canvas->Polyline({{L, T}, {L, B}});
        Canvas->Polyline({{Rt, T}, {Rt, B}});
        break;
    case ipBottom:
        Canvas->Polyline({{L, T}, {L, B}, {Rt, B}});
        Canvas->Polyline({{Rt, T}, {Rt, B + 1}});
        break;
    }
}

void TCustomColorSelector::DrawAllItems(TCanvas* Canvas) {
    for (Integer I = 0; I < FItems->Count(); ++I)
        DrawColorBox(I, Canvas);
}

void TCustomColorSelector::Paint() {
    TKelCustomColorSelectorPanel::Paint();
    DrawAllItems(Canvas());
}

void TCustomColorSelector::WriteItemIndex(Integer Index) {
    if (Index < -1 || Index >= FItems->Count() || IsDisabled(Index)) return;
    if (FItemIndex >= 0 && Index != FItemIndex) {
        const Integer Old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(Old);
    }
    FItemIndex = Index;
    if (Index < 0) return;
    FSelectedColor = FItems->Items(Index)->Color();
    InvalidateItem(Index);
    if (OnItemSelect) OnItemSelect(this);
}

void TCustomColorSelector::SetHotItem(Integer Index) {
    if (Index == FItemHot || IsDisabled(Index)) return;
    const Integer Old = FItemHot;
    FItemHot = -1;
    InvalidateItem(Old);
    FItemHot = Index;
    if (Index >= 0) InvalidateItem(Index);
}

void TCustomColorSelector::WriteSelectedColor(TColor Value) {
    if (Value == FSelectedColor) return;
    FSelectedColor = Value;
    if (Value == clNone) WriteItemIndex(-1);
    for (Integer I = 0; I < FItems->Count(); ++I)
        if (FItems->Items(I)->Color() == Value) {
            WriteItemIndex(I);
            return;
        }
    WriteItemIndex(-1);
}

void TCustomColorSelector::SelectFirst() {
    if (FItems->Count() > 0) WriteItemIndex(0);
}

void TCustomColorSelector::SelectLast() {
    if (FItems->Count() > 0) WriteItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext() {
    if (IsValid(FItemIndex + 1)) WriteItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious() {
    if (FItemIndex - 1 >= 0) WriteItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext() {
    if (IsValid(FItemHot + 1)) SetHotItem(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious() {
    if (FItemHot - 1 >= 0) SetHotItem(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(Word Key, bool EditorEnabled, bool DroppedDown) {
    if (!Enabled() || Key < VK_PRIOR || Key > VK_DOWN) return;
    const bool Sideways = !EditorEnabled || DroppedDown;
    const auto Vertical = [&](Integer Step) {
        const Integer Target = FItemIndex < 0 ? 0 : FItemIndex + Step;
        if (IsValid(Target)) WriteItemIndex(Target);
    };
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME:
        SelectFirst();
        break;
    case VK_NEXT:
    case VK_END:
        SelectLast();
        break;
    case VK_LEFT:
        if (Sideways) SelectPrevious();
        break;
    case VK_RIGHT:
        if (Sideways) SelectNext();
        break;
    case VK_UP:
        if (DroppedDown)
            Vertical(-FColumns);
        else
            SelectPrevious();
        break;
    case VK_DOWN:
        if (DroppedDown)
            Vertical(FColumns);
        else
            SelectNext();
        break;
    default:
        break;
    }
}

void TCustomColorSelector::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TKelCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const Integer I = ItemAtPos(X, Y);
    if (I < 0) {
        if (FItemHot >= 0) SetHotItem(-1);
    } else if (I != FItemHot) {
        SetHotItem(IsDisabled(I) ? -1 : I);
    }
}

void TCustomColorSelector::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TKelCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    const Integer I = ItemAtPos(X, Y);
    if (I >= 0 && !IsDisabled(I)) WriteItemIndex(I);
}

void TCustomColorSelector::MouseLeave() {
    TKelCustomColorSelectorPanel::MouseLeave();
    if (FItemHot >= 0) SetHotItem(-1);
}

void TCustomColorSelector::AddDefaultPalette() {
    static constexpr TColor Palette[6][10] = {
        {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7},
        {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD},
        {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB},
        {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA},
        {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3},
        {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897},
    };
    static constexpr TItemPos Positions[6] = {ipStandAlone, ipTop, ipMiddle, ipMiddle, ipMiddle, ipBottom};
    FItems->BeginUpdate();
    FItems->Clear();
    FItemIndex = -1;
    FItemHot = -1;
    for (Integer Row = 0; Row < 6; ++Row)
        for (TColor C : Palette[Row]) {
            TColorBoxItem* Item = FItems->Add();
            Item->SetColor(C);
            Item->SetColorBoxPos(Positions[Row]);
        }
    FItems->EndUpdate();
}

void RegisterColorSelectorClasses() {
    RegisterClasses({&TKelColorCubePanel::StaticClassInfo(), &TKelColorSpectrumPanel::StaticClassInfo(),
                     &TColorBoxAppearance::StaticClassInfo(), &TColorBoxItem::StaticClassInfo(),
                     &TColorBoxItems::StaticClassInfo(), &TCustomColorSelector::StaticClassInfo()});
}
