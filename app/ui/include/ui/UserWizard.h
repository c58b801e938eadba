#pragma once
// TfrmUserWizard: a new assessment project from a scenario project in four
// pages: the scenario project, a crop grouping per FOCUS D3 crop, the peak
// of every run, and the project's name. Finish stores the project.

#include "vcl/Forms.h"

#include <memory>

class TDWProject;
class TPageControl;
class TTabSheet;
class TComboBox;
class TEdit;
class TButton;
class TVarErozidOvur;
class TfraProjectSummary;

class TfrmUserWizard : public TForm {
    RTL_CLASS(TfrmUserWizard)
public:
    explicit TfrmUserWizard(TComponent* AOwner);
    ~TfrmUserWizard() override;

    // Shows the wizard modally; the stored project's ID after Finish, else
    // -1. Raises, without showing the wizard, when no scenario project can
    // be used.
    static Integer Execute();

    void LoadScenarioProjects();
    void UpdateCaption();
    void InitCausedByItems();
    void AssignScenarioProject();
    void FillCropGrid();
    void FillPeakGrid();
    void CheckCropChoice();
    bool CheckPeakInput();
    bool CheckProjectName();

    TDWProject* DWProject() const { return FDWProject.get(); }
    TPageControl* pagPages() const;
    TComboBox* cmbTravoProjects() const;
    TVarErozidOvur* grdCrops() const;
    TVarErozidOvur* grdPec() const;
    TEdit* edtName() const;
    TEdit* edtDescription() const;
    TButton* btnBack() const;
    TButton* btnNext() const;
    TButton* btnFinish() const;
    TButton* btnCancel() const;
    TfraProjectSummary* Frame(Integer Page) const;

    bool changing = false;
    bool doCheckInput = false;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void FormActivate(TObject* Sender);
    void btnNextClick(TObject* Sender);
    void btnBackClick(TObject* Sender);
    void btnFinishClick(TObject* Sender);
    void pagPagesChanging(TObject* Sender, bool& AllowChange);
    void pagPagesChange(TObject* Sender);
    void cmbTravoProjectsChange(TObject* Sender);
    void TabSheet4Show(TObject* Sender);
    void ComboBox1Change(TObject* Sender);
    void edtNameChange(TObject* Sender);
    void grdCropsRowChanging(TObject* Sender, Integer OldRow, Integer NewRow, bool& Allow);
    void grdCropsColChanging(TObject* Sender, Integer OldCol, Integer NewCol, bool& Allow);
    void grdPecGridHint(TObject* Sender, Integer ARow, Integer ACol, String& HintStr);

protected:
    void Loaded() override;

private:
    std::unique_ptr<TDWProject> FDWProject;
    String FLastName; // the last name the project took
};
