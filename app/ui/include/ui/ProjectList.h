#pragma once
// TfrmDWProjects: the stored assessment projects in a data-aware grid on the
// data module's projects table, and the selected one in a panel: its
// substance (switched or edited in the substance library), its refinements,
// peaks and copy, its input files, the engine run and its results, and its
// folder. The panel follows the data module's current project, which follows
// the table's cursor.

#include "vcl/Forms.h"

class TDWProject;
class TDBGrid;
class TDBNavigator;
class TButton;
class TBitBtn;
class TComboBox;
class TGroupBox;
class TMemo;
class TStaticText;
class TStringList;
class TfraProjectSummary;

// Opens the project list modally on the projects table's current row, after
// locating the substances row of ProjectID (-1: none in particular).
void ShowProjectList(Integer ProjectID);

class TfrmDWProjects : public TForm {
    RTL_CLASS(TfrmDWProjects)
public:
    explicit TfrmDWProjects(TComponent* AOwner);
    ~TfrmDWProjects() override;

    TDWProject* SelectedProject() const { return FSelectedProject; }

    // Compares the stored substance checksums with the library's.
    void UpdateCheckSums();
    // Fills the substance drop-down from the library: complete substances
    // first, then the incomplete ones with " (incomplete)", each group in the
    // library's order.
    void LoadSubstances();
    // Shows the current project in the panel and enables its buttons.
    void ProjectChanged(TObject* Sender);
    String SelectedSubstanceGUID() const;
    Integer IndexOfSubstance(const String& GUID) const;
    // The substance's caption as the library describes it now.
    static String SubstanceCaption(const String& GUID);

    TDBGrid* grdProjects() const;
    TDBNavigator* DBNavigator1() const;
    TButton* btnCopy() const;
    TGroupBox* grpRuns() const;
    TStaticText* txtName() const;
    TMemo* mmoDescription() const;
    TStaticText* txtCreated() const;
    TStaticText* txtModified() const;
    TStaticText* txtPath() const;
    TComboBox* cbxSubstanceCode() const;
    TButton* btnSubstances() const;
    TButton* btnRefinements() const;
    TButton* btnPecPeak() const;
    TButton* btnCreateView() const;
    TButton* btnCreateCalc() const;
    TButton* btnResults() const;
    TButton* btnExplore() const;
    TfraProjectSummary* fraTRAVOProject() const;
    TBitBtn* BitBtn1() const;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormActivate(TObject* Sender);
    void cbxSubstanceCodeChange(TObject* Sender);
    void btnSubstancesClick(TObject* Sender);
    void btnCreateViewClick(TObject* Sender);
    void btnCreateCalcClick(TObject* Sender);
    void btnResultsClick(TObject* Sender);
    void btnRefinementsClick(TObject* Sender);
    void btnPecPeakClick(TObject* Sender);
    void btnCopyClick(TObject* Sender);
    void btnExploreClick(TObject* Sender);

protected:
    void Loaded() override;

private:
    // Reads the current project again from the table's current row, so
    // values a window changed but did not store are gone.
    void RereadCurrentProject();
    void FreeSubstanceLists();

    TDWProject* FSelectedProject = nullptr;
    TStringList* slSubstances = nullptr;
};
