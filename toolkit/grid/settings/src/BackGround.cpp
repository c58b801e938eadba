#include "grid/BackGround.h"

#include "graphics/DeviceContext.h"
#include "rtl/ClassBuilder.h"

#include <algorithm>

const TClassInfo& TBackGround::StaticClassInfo() {
    using C = TBackGround;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"Top", &C::Top, &C::SetTop)
                                       .Default(0)
                                       .Property(u"Left", &C::Left, &C::SetLeft)
                                       .Default(0)
                                       .Property(u"Display", &C::Display, &C::SetDisplay)
                                       .Default(bdTile)
                                       .Property(u"Bitmap", &C::Bitmap, &C::SetBitmap)
                                       .Property(u"Cells", &C::Cells, &C::SetCells)
                                       .Default(bcNormal)
                                       .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
                                       .Default(clWindow)
                                       .Property(u"ColorTo", TypeInfo_TColor(), &C::ColorTo, &C::SetColorTo)
                                       .Default(clBtnFace)
                                       .Build();
    return Info;
}

TBackGround::TBackGround(IGridSettingsOwner* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

TPersistent* TBackGround::GetOwner() const {
    return FGrid ? FGrid->GridObject() : nullptr;
}

void TBackGround::Repaint() {
    if (FGrid) FGrid->Repaint();
}

void TBackGround::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TBackGround*>(Source);
    if (!Other) return;
    FTop = Other->FTop;
    FLeft = Other->FLeft;
    FDisplay = Other->FDisplay;
    FBitmap->Assign(Other->FBitmap.get());
    FCells = Other->FCells;
    FColor = Other->FColor;
    FColorTo = Other->FColorTo;
}

void TBackGround::SetTop(Integer Value) {
    FTop = Value;
    Repaint();
}

void TBackGround::SetLeft(Integer Value) {
    FLeft = Value;
    Repaint();
}

void TBackGround::SetDisplay(TBackGroundDisplay Value) {
    FDisplay = Value;
    Repaint();
}

void TBackGround::SetBitmap(const TBitmap* Value) {
    FBitmap->Assign(Value);
    Repaint();
}

void TBackGround::SetCells(TBackGroundCells Value) {
    FCells = Value;
    Repaint();
}

void TBackGround::SetColor(TColor Value) {
    FColor = Value;
    Repaint();
}

void TBackGround::SetColorTo(TColor Value) {
    FColorTo = Value;
    Repaint();
}

// ---- Painters ----------------------------------------------------------------

void PaintBackgroundFixed(TCanvas* Canvas, const TBackGround& BackGround, const TRect& R) {
    TBitmap* Picture = BackGround.Bitmap();
    if (Picture->Empty()) return;
    const TRect Placed{BackGround.Left(), BackGround.Top(), BackGround.Left() + Picture->Width(),
                       BackGround.Top() + Picture->Height()};
    const TRect Dest{std::max(R.Left, Placed.Left), std::max(R.Top, Placed.Top),
                     std::min(R.Right, Placed.Right), std::min(R.Bottom, Placed.Bottom)};
    if (Dest.Left >= Dest.Right || Dest.Top >= Dest.Bottom) return;
    const TRect Source{Dest.Left - Placed.Left, Dest.Top - Placed.Top, Dest.Right - Placed.Left,
                       Dest.Bottom - Placed.Top};
    winapi::SetBkMode(Canvas->Handle(), TRANSPARENT);
    Canvas->CopyRect(Dest, Picture->Canvas(), Source);
}

void PaintBackgroundTiled(TCanvas* Canvas, const TBackGround& BackGround, const TRect& R) {
    TBitmap* Picture = BackGround.Bitmap();
    if (Picture->Empty()) return;
    const Integer W = Picture->Width();
    const Integer H = Picture->Height();
    winapi::SetBkMode(Canvas->Handle(), TRANSPARENT);
    for (Integer Y = R.Top - 1; Y < R.Bottom; Y += H)
        for (Integer X = R.Left - 1; X < R.Right; X += W) {
            const Integer CopyW = std::min(W, R.Right - X);
            const Integer CopyH = std::min(H, R.Bottom - Y);
            Canvas->CopyRect(TRect{X, Y, X + CopyW, Y + CopyH}, Picture->Canvas(), TRect{0, 0, CopyW, CopyH});
        }
}
