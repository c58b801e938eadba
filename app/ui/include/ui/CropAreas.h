#pragma once
// TfraCropAreas: the crop acreage of every regional crop grouping at every
// abstraction point of a project's crop-area file, read-only. Two header
// rows (the points' captions under one merged "Abstraction Points"), the
// intake areas, then one row per grouping in file order; "-" where a point
// has no crop data for a grouping. Used by the refinements window and the
// crop-grouping information window.

#include "gridbase/GridTypes.h"
#include "vcl/Frame.h"

class TDWProject;
class TAbstractionPoints;
class TVarErozidOvur;
class TBrush;
class TFont;
class TPen;

class TfraCropAreas : public TFrame {
    RTL_CLASS(TfraCropAreas)
public:
    explicit TfraCropAreas(TComponent* AOwner);

    // The header rows and columns for the project's points, then LoadCropAreas.
    void AssignProject(const TDWProject& Project);
    // Rows 4 and on: one per grouping of the crop-area file.
    void LoadCropAreas(const TAbstractionPoints& Points);

    TVarErozidOvur* grdCropAreas() const;

    // The cell looks: row 3 and the "total" rows are fixed cells with a
    // border on all sides; fixed cells below row 0 in "Arial Narrow"; the
    // intake-area row light yellow; row 0 and columns 0 and 1 left-aligned,
    // every other cell right-aligned.
    void grdCropAreasIsFixedCell(TObject* Sender, Integer ARow, Integer ACol, bool& IsFixed);
    void grdCropAreasGetCellColor(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState,
                                  TBrush* ABrush, TFont* AFont);
    void grdCropAreasGetCellBorder(TObject* Sender, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders);
    void grdCropAreasGetAlignment(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign,
                                  TVAlignment& VAlign);

protected:
    void Loaded() override;

private:
    bool IsTotalRow(Integer ARow) const;
};
