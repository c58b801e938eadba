#pragma once
// TfrmPecPeak: corrects the grouping, peak, date and entry route of the runs
// of a stored project that carry a peak, with the wizard's peak rules, and
// saves the project when closed with OK.

#include "vcl/Forms.h"

class TDWProject;
class TVarErozidOvur;
class TButton;

class TfrmPecPeak : public TForm {
    RTL_CLASS(TfrmPecPeak)
public:
    explicit TfrmPecPeak(TComponent* AOwner);

    // Keeps the project (not owned) and lists its valid runs.
    void AssignProject(TDWProject* AProject);
    void LoadRuns();
    void InitCausedByItems();
    bool CheckPeakInput();

    TVarErozidOvur* grdPec() const;
    TButton* btnOK() const;
    TButton* btnCancel() const;

    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void grdPecRowChanging(TObject* Sender, Integer OldRow, Integer NewRow, bool& Allow);
    void grdPecColChanging(TObject* Sender, Integer OldCol, Integer NewCol, bool& Allow);

protected:
    void Loaded() override;

private:
    TDWProject* FProject = nullptr;
};
