#pragma once
// TBackGround: the grid's BackGround settings, a picture or gradient behind
// the cells, and the two painters of the picture in the area outside the
// cells.

#include "graphics/Colors.h"
#include "graphics/Graphic.h"
#include "grid/GridSettingsOwner.h"
#include "grid/GridSettingsTypes.h"

#include <memory>

class TBackGround : public TPersistent {
    RTL_CLASS(TBackGround)
public:
    explicit TBackGround(IGridSettingsOwner* AGrid);
    ~TBackGround() override;

    // From another background: every setting, without repainting; other
    // sources are ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    // Every setter stores and repaints the grid.
    Integer Top() const { return FTop; }
    void SetTop(Integer Value);
    Integer Left() const { return FLeft; }
    void SetLeft(Integer Value);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay Value);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(const TBitmap* Value);
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);

private:
    void Repaint();

    IGridSettingsOwner* FGrid;
    Integer FTop = 0;
    Integer FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    std::unique_ptr<TBitmap> FBitmap;
    TBackGroundCells FCells = bcNormal;
    TColor FColor = clWindow;
    TColor FColorTo = clBtnFace;
};

// The part of the picture, placed at (Left, Top) at its own size, that lies
// under R, copied onto the canvas with a transparent background mode.
// Nothing is drawn when the picture does not meet R.
void PaintBackgroundFixed(TCanvas* Canvas, const TBackGround& BackGround, const TRect& R);

// Copies of the picture laid row by row from (R.Left - 1, R.Top - 1) until
// R is covered, each cut at R's right and bottom edges. An empty picture
// draws nothing.
void PaintBackgroundTiled(TCanvas* Canvas, const TBackGround& BackGround, const TRect& R);
