#pragma once
// TfrmCropGroupingInfo: the FOCUS D3 crops against the regional crop
// groupings they stand for (the Crops table), and the crop acreage of the
// default crop-area file. Read-only; Execute makes, shows and frees it.

#include "vcl/Forms.h"

class TButton;
class TDataSource;
class TDBGrid;
class TPageControl;
class TfraCropAreas;

class TfrmCropGroupingInfo : public TForm {
    RTL_CLASS(TfrmCropGroupingInfo)
public:
    explicit TfrmCropGroupingInfo(TComponent* AOwner);

    static void Execute();

    void OpenCropsTable();
    void CloseCropsTable();
    // The crop acreage of the default crop-area file, read into a
    // temporary project.
    void LoadDefaultCropAreas();

    TPageControl* pagPages() const;
    TDBGrid* grdCrops() const;
    TDataSource* dsCrops() const;
    TfraCropAreas* fraCropAreas1() const;
    TButton* btnClose() const;

    void FormActivate(TObject* Sender);
};
