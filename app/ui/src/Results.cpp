#include "ui/Results.h"

#include "core/Project.h"
#include "core/ProjectDataModule.h"
#include "core/UserInteraction.h"
#include "grid/VarErozidOvur.h"
#include "os/FileUtils.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"
#include "ui/ProjectSummary.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/Dialogs.h"
#include "vcl/GroupBox.h"
#include "vcl/RichEdit.h"
#include "vcl/StdCtrls.h"

#include <algorithm>

const TClassInfo& TfrmResults::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmResults, TForm>()
                                       .Method(u"FormActivate", &TfrmResults::FormActivate)
                                       .Method(u"btnShowReportClick", &TfrmResults::btnShowReportClick)
                                       .Method(u"btnKOMwarningClick", &TfrmResults::btnKOMwarningClick)
                                       .Method(u"btnCloseClick", &TfrmResults::btnCloseClick)
                                       .Build();
    return Info;
}

TfrmResults::TfrmResults(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

void TfrmResults::Loaded() {
    TForm::Loaded();
    fraProjectSummary1()->GroupBox1()->SetCaption(u" VANDREL project: ");
    TVarErozidOvur* Grid = grdAbsPoints();
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(0);
    Grid->SetDefaultRowHeight(21);
    TGridOptions Options = Grid->Options();
    Options.Include(goRangeSelect);
    Options.Exclude(goEditing);
    Grid->SetOptions(Options);
}

TfraProjectSummary* TfrmResults::fraProjectSummary1() const {
    return LayoutPart<TfraProjectSummary>(this, u"fraProjectSummary1");
}
TVarErozidOvur* TfrmResults::grdAbsPoints() const { return LayoutPart<TVarErozidOvur>(this, u"grdAbsPoints"); }
TButton* TfrmResults::btnShowReport() const { return LayoutPart<TButton>(this, u"btnShowReport"); }
TButton* TfrmResults::btnKOMwarning() const { return LayoutPart<TButton>(this, u"btnKOMwarning"); }
TButton* TfrmResults::btnClose() const { return LayoutPart<TButton>(this, u"btnClose"); }

String TfrmResults::SummaryFile() const { return FProject->Path() + u"Summary.out"; }

void TfrmResults::AssignProject(TDWProject* AProject) {
    FProject = AProject;
    fraProjectSummary1()->AssignProject(*FProject);
    if (!FileExists(SummaryFile())) throw Exception(u"File not found: " + SummaryFile());
    ShowAll();
}

void TfrmResults::ShowAll() {
    TAbstractionPoints& Points = *FProject->AbstractionPoints();
    TVarErozidOvur* Grid = grdAbsPoints();
    // N is fixed when the project database opens; a project that holds
    // fewer points shows only those it has.
    const Integer N = std::min(NumberOfAbstractionPoints(), Points.Count());
    Grid->SetRowCount(N + 2);
    Points.ReadResults(SummaryFile());
    Grid->SetColCount(2);
    Grid->SetColWidths(0, ScaledWidth(200));
    Grid->SetColWidths(1, ScaledWidth(190));
    TStringList Header;
    Header.SetCommaText(u"\"Abstraction Point\",\"  PEC_Tier I (\u00B5g/L)\"");
    Grid->SetCells(0, 0, Header.Strings(0));
    Grid->SetCells(1, 0, Header.Strings(1));
    const bool Remark = !Points.Kom_comment().empty();
    btnKOMwarning()->SetVisible(Remark);
    if (Remark) ShowKomWarning();
    auto ShowPoint = [&](Integer Row, Integer Index) {
        const TAbstractionPoint* Point = Points.Items(Index);
        Grid->SetCells(0, Row, Point->Caption());
        Grid->SetCells(1, Row, Format(u"%18s", {Point->PEC_Tier1()}));
    };
    for (Integer Row = 1; Row < N; ++Row)
        ShowPoint(Row, Row - 1);
    if (N > 0) {
        Grid->SetCells(0, N, u"");
        Grid->SetCells(1, N, u"");
        ShowPoint(N + 1, N - 1);
    }
}

String TfrmResults::KomWarningText() {
    return u"For this project, the current Tier1 calculation method does not result in realistic PEC-Tier1 values.\r\n"
           u"Therefore, they have been replaced by \u201C< calculated value \u00B5g/L\u201D.\r\n"
           u"\r\n"
           u"The reason is that the Tier1 calculation method does not account for sorption of mass entered by\r\n"
           u"spray drift deposition. Therefore, for the current substance, with a Kom greater than 10 000 L/kg,\r\n"
           u"this artefact results in unrealistically high values of the calculated PEC-Tier1 (thus the \u201C<\u201D "
           u"sign).\r\n"
           u"\r\n"
           u"Based upon calculations reported in Appendix 9 of the VANDREL user manual (Ter Molsvik et al., "
           u"2010),\r\n"
           u"we suggest dividing the calculated values by a factor of 5.";
}

void TfrmResults::ShowKomWarning() { ::ShowWarning(KomWarningText()); }

void TfrmResults::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmResults::btnShowReportClick(TObject*) {
    if (FProject && FileExists(SummaryFile())) ViewTextFile(SummaryFile());
}

void TfrmResults::btnKOMwarningClick(TObject*) { ShowKomWarning(); }

void TfrmResults::btnCloseClick(TObject*) { Close(); }

// ---- the file viewer

void ViewTextFile(const String& FileName) {
    auto* Viewer = Create<TfrmFileView>(nullptr);
    try {
        Viewer->setFileName(FileName);
        Viewer->ShowModal();
    } catch (...) {
        Free(Viewer);
        throw;
    }
    Free(Viewer);
}

const TClassInfo& TfrmFileView::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmFileView, TForm>()
                                       .Method(u"FormActivate", &TfrmFileView::FormActivate)
                                       .Build();
    return Info;
}

TfrmFileView::TfrmFileView(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TRichEdit* TfrmFileView::reFile() const { return LayoutPart<TRichEdit>(this, u"reFile"); }

void TfrmFileView::setFileName(const String& FileName) {
    if (FileExists(FileName)) {
        SetCaption(FileName);
        TStringList Lines;
        Lines.LoadFromFile(FileName);
        reFile()->SetPlainText(true);
        reFile()->Lines()->Assign(&Lines);
        FViewFileName = FileName;
    } else {
        UserInteraction().ShowMessage(u"File: \"" + FileName + u"\" not found");
        FViewFileName.clear();
        reFile()->Lines()->Clear();
        SetCaption(u"File Viewer");
    }
}

void TfrmFileView::FormActivate(TObject*) { AutoScrollOff(*this); }
