#include "ui/About.h"
#include "ui/CopyProject.h"
#include "ui/CropAreas.h"
#include "ui/CropGroupingInfo.h"
#include "ui/InfoSurfaceAreas.h"
#include "ui/MainWindow.h"
#include "ui/MapD3Scenario.h"
#include "ui/MapsIntake.h"
#include "ui/PecPeak.h"
#include "ui/ProjectList.h"
#include "ui/ProjectSummary.h"
#include "ui/RCA.h"
#include "ui/Refinements.h"
#include "ui/Results.h"
#include "ui/UiLayouts.h"
#include "ui/UserInteraction.h"
#include "ui/UserWizard.h"
#include "data/DataSource.h"
#include "dbctrls/DBGrid.h"
#include "vcl/FormLayout.h"
#include "vcl/RichEdit.h"

#include "grid/VarErozidOvur.h"

namespace {

void Register(const TClassInfo& Class, const String& FileName) {
    RegisterClass(Class);
    const char16_t* Text = EmbeddedLayoutText(FileName);
    if (!Text) throw Exception(u"The program carries no layout " + FileName);
    RegisterLayoutText(Class, Text, FileName);
}

} // namespace

void RegisterUiClasses() {
    static const bool Registered = [] {
        RegisterStandardClasses();
        RegisterClass(TVarErozidOvur::StaticClassInfo());
        RegisterClass(TRichEdit::StaticClassInfo());
        Register(TfraProjectSummary::StaticClassInfo(), u"ProjectSummary.layout");
        Register(TfrmResults::StaticClassInfo(), u"Results.layout");
        Register(TfrmFileView::StaticClassInfo(), u"FileView.layout");
        Register(TfrmInputFiles::StaticClassInfo(), u"InputFiles.layout");
        Register(TfrmAbout::StaticClassInfo(), u"About.layout");
        Register(TfrmSplash::StaticClassInfo(), u"Splash.layout");
        Register(TfrmCopyProject::StaticClassInfo(), u"CopyProject.layout");
        Register(TfrmUserWizard::StaticClassInfo(), u"UserWizard.layout");
        Register(TfrmPecPeak::StaticClassInfo(), u"PecPeak.layout");
        // The main window, the project list and the information windows.
        RegisterDBControlClasses();
        Register(TfrmDWProjects::StaticClassInfo(), u"ProjectList.layout");
        Register(TfrmMain::StaticClassInfo(), u"Main.layout");
        // The refinements window and its frames.
        Register(TfraCropAreas::StaticClassInfo(), u"CropAreas.layout");
        Register(TfraRCA::StaticClassInfo(), u"RCA.layout");
        Register(TfrmRefinements::StaticClassInfo(), u"Refinements.layout");
        // The information windows.
        RegisterClass(TDataSource::StaticClassInfo());
        Register(TfrmCropGroupingInfo::StaticClassInfo(), u"CropGroupingInfo.layout");
        Register(TfrmMapsIntake::StaticClassInfo(), u"MapsIntake.layout");
        Register(TfrmInfoSurfaceAreas::StaticClassInfo(), u"InfoSurfaceAreas.layout");
        Register(TfrmMapD3Scenario::StaticClassInfo(), u"MapD3Scenario.layout");
        return true;
    }();
    (void)Registered;
}
