#pragma once
// TfraRCA: the market share of every crop grouping in use at every
// abstraction point, with its relative cropped area. Only the market-share
// column takes the cursor; moving left or right steps a row up or down, so
// Tab and the arrow keys walk through the shares.

#include "vcl/Frame.h"

#include <memory>
#include <vector>

class TCropData;
class TDWProject;
class TStringList;
class TVarErozidOvur;

class TfraRCA : public TFrame {
    RTL_CLASS(TfraRCA)
public:
    explicit TfraRCA(TComponent* AOwner);
    ~TfraRCA() override;

    // Lists, per abstraction point, the crop data of the groupings the
    // project's valid, used runs assess (grouping "000" never). A point
    // without any of them keeps one row with its caption only.
    void AssignProject(const TDWProject& Project);
    // Gives every listed crop data the market share of its row. A share
    // whose cell still shows the formatted stored value keeps the stored
    // value, so values nobody edited are not rounded.
    void SaveToProject(TDWProject& Project);
    // False, with the first share below 0 or above 1 made current, when
    // there is one; an empty cell counts 0, a text that is not a number
    // raises the grid's float error.
    bool CheckInputMarketShare(TDWProject& Project);
    // Frees the used groupings.
    void CloseFrame();

    TVarErozidOvur* grdAbsPoints1() const;
    const TStringList* usedCrops() const { return FUsedCrops.get(); }

    void grdAbsPoints1ColChanging(TObject* Sender, Integer OldCol, Integer NewCol, bool& Allow);
    // Tab steps one share down, Shift+Tab one up; neither leaves the grid.
    void grdAbsPoints1KeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void grdAbsPoints1CanEditCell(TObject* Sender, Integer ARow, Integer ACol, bool& CanEdit);

protected:
    void Loaded() override;

private:
    // The crop data a row lists: the point's index and the index of its
    // crop data there (-1 on a caption-only row).
    struct TRowData {
        Integer Point = -1;
        Integer Crop = -1;
    };
    // The share a row stands for: the stored one while its cell shows it
    // unchanged, else the cell's number. Null when the row lists none.
    TCropData* RowCrop(const TDWProject& Project, Integer Row) const;
    double RowShare(const TDWProject& Project, Integer Row) const;

    std::unique_ptr<TStringList> FUsedCrops;
    std::vector<TRowData> FRows; // by grid row; row 0 is the header
};
