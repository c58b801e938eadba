#pragma once
// TfrmRefinements: refines the regional data of a project: the crop-area
// file (the installed default or one of the user's), the crop acreage it
// gives, an additional dilution factor per abstraction point and the market
// shares of the groupings in use. "Save and Close" checks the factors and
// shares (each in [0,1]) and stores the project.

#include "vcl/Forms.h"

class TDWProject;
class TfraProjectSummary;
class TfraCropAreas;
class TfraRCA;
class TGroupBox;
class TRadioButton;
class TStaticText;
class TButton;
class TMemo;
class TPageControl;
class TTabSheet;
class TOpenDialog;
class TVarErozidOvur;

class TfrmRefinements : public TForm {
    RTL_CLASS(TfrmRefinements)
public:
    explicit TfrmRefinements(TComponent* AOwner);

    // Keeps the project (not owned) and shows it: comments, file choice,
    // summary, crop acreage, market shares and dilution factors.
    void AssignProject(TDWProject* AProject);
    TDWProject* Project() const { return FProject; }

    void UpdateFileControls();
    void LoadDilutionFactors();
    // False, with the first factor outside [0,1] made current on its page
    // and the error box shown; the factors before it are stored already.
    bool SaveDilutionFactors();
    bool CheckMarketShares();

    // The two lines shown after a crop-area file was read.
    static String NewFileMessage(const String& FileName);

    TfraProjectSummary* fraProjectSummary1() const;
    TGroupBox* gbCropArcreage() const;
    TRadioButton* radDefault() const;
    TRadioButton* radFile() const;
    TStaticText* txtFileName() const;
    TButton* btnBrowse() const;
    TMemo* mmComments() const;
    TPageControl* pagPages() const;
    TTabSheet* tabAreas() const;
    TTabSheet* tabADF() const;
    TTabSheet* tabRCA() const;
    TfraCropAreas* fraCropAreas1() const;
    TVarErozidOvur* grdADF() const;
    TfraRCA* fraRCA1() const;
    TButton* btnCancel() const;
    TButton* btnClose() const;
    TOpenDialog* OpenDialog1() const;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void pagPagesChange(TObject* Sender);
    void radFileClick(TObject* Sender);
    void radDefaultClick(TObject* Sender);
    void btnBrowseClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);
    void btnCloseClick(TObject* Sender);

protected:
    void Loaded() override;

private:
    // Gives the project the crop-area file; when it cannot be loaded the
    // project gets back the points it held before, the error box says why
    // and the answer is false.
    bool AssignCropAreaFile(const String& FileName);
    void CheckDefault();

    TDWProject* FProject = nullptr;
    bool FUpdating = false; // the window sets its radio buttons itself
};
