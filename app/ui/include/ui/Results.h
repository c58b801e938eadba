#pragma once
// TfrmResults: the PEC Tier I of a calculated project at every abstraction
// point, read from the project folder's Summary.out, with the warning for
// strongly sorbing substances; and the file viewer TfrmFileView that shows
// a whole text file read-only.

#include "vcl/Forms.h"

class TDWProject;
class TfraProjectSummary;
class TVarErozidOvur;
class TButton;
class TRichEdit;

class TfrmResults : public TForm {
    RTL_CLASS(TfrmResults)
public:
    explicit TfrmResults(TComponent* AOwner);

    // Keeps the project (not owned) and shows it in the summary frame;
    // raises "File not found: " + folder + "Summary.out" when the project
    // folder holds no results, else ShowAll.
    void AssignProject(TDWProject* AProject);
    // Reads the results into the grid: the header, points 1 .. N-1, an empty
    // row and point N; shows the warning at once when the engine wrote a
    // remark.
    void ShowAll();
    // The warning box about values replaced for strongly sorbing substances.
    void ShowKomWarning();
    // The text of that warning.
    static String KomWarningText();

    TfraProjectSummary* fraProjectSummary1() const;
    TVarErozidOvur* grdAbsPoints() const;
    TButton* btnShowReport() const;
    TButton* btnKOMwarning() const;
    TButton* btnClose() const;

    void FormActivate(TObject* Sender);
    void btnShowReportClick(TObject* Sender);
    void btnKOMwarningClick(TObject* Sender);
    void btnCloseClick(TObject* Sender);

protected:
    void Loaded() override;

private:
    String SummaryFile() const;
    TDWProject* FProject = nullptr;
};

// Shows the file in a new file viewer, modally, and frees the viewer.
void ViewTextFile(const String& FileName);

class TfrmFileView : public TForm {
    RTL_CLASS(TfrmFileView)
public:
    explicit TfrmFileView(TComponent* AOwner);

    // Shows the file and takes its name as caption; a missing file is
    // reported in a message box and leaves the viewer empty.
    void setFileName(const String& FileName);
    const String& ViewFileName() const { return FViewFileName; }
    TRichEdit* reFile() const;

    void FormActivate(TObject* Sender);

private:
    String FViewFileName;
};
