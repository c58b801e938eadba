#include "ui/MainWindow.h"

#include "OddsAndEnds/VANDRELRegistry.h"
#include "VORN/VORNInterface.h"
#include "core/DataModule.h"
#include "core/Folders.h"
#include "graphics/Canvas.h"
#include "graphics/Graphic.h"
#include "os/FileUtils.h"
#include "os/Shell.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "ui/About.h"
#include "ui/ProjectList.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "ui/UserWizard.h"
#include "vcl/Buttons.h"
#include "vcl/Dialogs.h"
#include "vcl/Menus.h"
#include "vcl/PageControl.h"
#include "vcl/StdCtrls.h"

#include "ui/MapsIntake.h"
#include "ui/InfoSurfaceAreas.h"
#include "ui/CropGroupingInfo.h"
#include "ui/MapD3Scenario.h"

#include <memory>

TfrmMain* frmMain = nullptr;

const THelpLinks& HelpLinks() {
    // The FOCUS page is the public surface-water page; the others stand in
    // until the product's own addresses are chosen.
    static const THelpLinks Links{
        u"https://www.example.org/vandrel/user-manual.pdf",
        u"mailto:vandrel-support@example.org",
        u"https://www.example.org/vandrel/",
        u"https://esdac.jrc.ec.europa.eu/projects/surface-water",
        u"https://www.example.org/travo/",
    };
    return Links;
}

namespace {

TColor RGBColor(Integer R, Integer G, Integer B) { return TColor(R | (G << 8) | (B << 16)); }

// The speed buttons' glyphs: 24-pixel pictures of our own, one colour and
// mark per button.
enum class TGlyphMark { Star, List, Door, Map, Area, Crops, Ditch };

std::unique_ptr<TBitmap> DrawGlyph(TGlyphMark Mark, TColor Colour) {
    constexpr Integer S = 24;
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->SetSize(S, S);
    TCanvas* C = Glyph->Canvas();
    C->Brush()->SetColor(clBtnFace);
    C->FillRect({0, 0, S, S});
    C->Pen()->SetColor(Colour);
    C->Brush()->SetColor(Colour);
    switch (Mark) {
    case TGlyphMark::Star:
        C->Polygon({{12, 1}, {15, 9}, {23, 9}, {17, 14}, {19, 22}, {12, 17}, {5, 22}, {7, 14}, {1, 9}, {9, 9}});
        break;
    case TGlyphMark::List:
        for (Integer Y : {3, 10, 17})
            C->FillRect({3, Y, 21, Y + 4});
        break;
    case TGlyphMark::Door:
        C->FillRect({5, 2, 17, 22});
        C->Brush()->SetColor(clWhite);
        C->FillRect({13, 11, 15, 13});
        break;
    case TGlyphMark::Map:
        C->Polygon({{2, 5}, {8, 2}, {16, 5}, {22, 2}, {22, 19}, {16, 22}, {8, 19}, {2, 22}});
        break;
    case TGlyphMark::Area:
        C->Rectangle(2, 2, 22, 22);
        C->Brush()->SetColor(clWhite);
        C->FillRect({6, 6, 18, 18});
        break;
    case TGlyphMark::Crops:
        for (Integer X : {4, 11, 18}) {
            C->FillRect({X, 8, X + 2, 22});
            C->Ellipse(X - 2, 2, X + 4, 10);
        }
        break;
    case TGlyphMark::Ditch:
        C->Polygon({{1, 6}, {23, 6}, {16, 20}, {8, 20}});
        break;
    }
    return Glyph;
}

void ShowStartError(const String& Text, TMsgDlgButtons Buttons) { MessageDlg(Text, mtError, Buttons, 0); }

} // namespace

const TClassInfo& TfrmMain::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmMain, TForm>()
                                       .Method(u"FormCreate", &TfrmMain::FormCreate)
                                       .Method(u"FormShow", &TfrmMain::FormShow)
                                       .Method(u"FormActivate", &TfrmMain::FormActivate)
                                       .Method(u"FormDestroy", &TfrmMain::FormDestroy)
                                       .Method(u"btnUserWizardClick", &TfrmMain::btnUserWizardClick)
                                       .Method(u"btnProjectsClick", &TfrmMain::btnProjectsClick)
                                       .Method(u"btnExitClick", &TfrmMain::btnExitClick)
                                       .Method(u"btmMapsClick", &TfrmMain::btmMapsClick)
                                       .Method(u"btnAbstractInfoClick", &TfrmMain::btnAbstractInfoClick)
                                       .Method(u"btnCropGroupingClick", &TfrmMain::btnCropGroupingClick)
                                       .Method(u"btnMapD3Click", &TfrmMain::btnMapD3Click)
                                       .Method(u"UserManualClick", &TfrmMain::UserManualClick)
                                       .Method(u"Emailadress1Click", &TfrmMain::Emailadress1Click)
                                       .Method(u"VANDRELwebsite1Click", &TfrmMain::VANDRELwebsite1Click)
                                       .Method(u"FOCUSwebsite1Click", &TfrmMain::FOCUSwebsite1Click)
                                       .Method(u"TRAVOwebsite1Click", &TfrmMain::TRAVOwebsite1Click)
                                       .Method(u"About1Click", &TfrmMain::About1Click)
                                       .Build();
    return Info;
}

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TPageControl* TfrmMain::PageControl1() const { return LayoutPart<TPageControl>(this, u"PageControl1"); }
TLabel* TfrmMain::lblScaleFactor() const { return LayoutPart<TLabel>(this, u"lblScaleFactor"); }
TSpeedButton* TfrmMain::btnUserWizard() const { return LayoutPart<TSpeedButton>(this, u"btnUserWizard"); }
TSpeedButton* TfrmMain::btnProjects() const { return LayoutPart<TSpeedButton>(this, u"btnProjects"); }
TSpeedButton* TfrmMain::btnExit() const { return LayoutPart<TSpeedButton>(this, u"btnExit"); }
TSpeedButton* TfrmMain::btmMaps() const { return LayoutPart<TSpeedButton>(this, u"btmMaps"); }
TSpeedButton* TfrmMain::btnAbstractInfo() const { return LayoutPart<TSpeedButton>(this, u"btnAbstractInfo"); }
TSpeedButton* TfrmMain::btnCropGrouping() const { return LayoutPart<TSpeedButton>(this, u"btnCropGrouping"); }
TSpeedButton* TfrmMain::btnMapD3() const { return LayoutPart<TSpeedButton>(this, u"btnMapD3"); }
TMainMenu* TfrmMain::MainMenu1() const { return LayoutPart<TMainMenu>(this, u"MainMenu1"); }

void TfrmMain::Loaded() {
    TForm::Loaded();
    SetCaption(String(ApplicationTitle) + u" - " + ProgramPurpose);
    const std::tuple<TSpeedButton*, TGlyphMark, TColor> Glyphs[] = {
        {btnUserWizard(), TGlyphMark::Star, RGBColor(230, 160, 0)},
        {btnProjects(), TGlyphMark::List, RGBColor(0, 91, 145)},
        {btnExit(), TGlyphMark::Door, RGBColor(150, 60, 40)},
        {btmMaps(), TGlyphMark::Map, RGBColor(40, 130, 70)},
        {btnAbstractInfo(), TGlyphMark::Area, RGBColor(0, 120, 170)},
        {btnCropGrouping(), TGlyphMark::Crops, RGBColor(90, 140, 30)},
        {btnMapD3(), TGlyphMark::Ditch, RGBColor(60, 100, 190)},
    };
    for (const auto& [Button, Mark, Colour] : Glyphs)
        Button->SetGlyph(DrawGlyph(Mark, Colour).get());
}

void TfrmMain::FormCreate(TObject*) {
    // Help requests are answered as handled: the program has no help system.
    Application->OnHelp = [](Word, NativeInt, bool& CallHelp) {
        CallHelp = false;
        return true;
    };
    FVORN = nullptr;
    Application->SetTitle(ApplicationTitle);
    TVANDRELRegistry::CreateSingleton(ProgramKeyName);
    GetDataPath();
    MeasureScaleFactor(*lblScaleFactor());
    if (!DirectoryExists(GetProjectsDir())) CreateDir(GetProjectsDir());
    try {
        FVORN = &ConnectSubstanceTool();
        FVORNChecksumName = FVORN->ChecksumName();
    } catch (...) {
        // The library's own text is no help to the user here.
        FConnectFailed = true;
        ShowStartError(Format(u"%s cannot start. Reason :\r\r%s", {ApplicationTitle, u"Failed to connect to VORN."}),
                       TMsgDlgButtons{mbOK});
        Application->Terminate();
    }
}

TVORNInterface& TfrmMain::ConnectSubstanceTool() {
    if (TVORNInterface::Created()) throw Exception(u"Internal error DF10C6A9-91E1-48E1-8402-703FFAA2B612");
    TVORNInterface::CreateSingleton(String(1, FormatSettings.DecimalSeparator));
    TVORNInterface& Bridge = TVORNInterface::GetSingleton();
    if (!Bridge.SetModelVersions(ModelVersions))
        throw Exception(Format(u"Warning : Failed to initialize VORN with modelversion %s", {ModelVersions}));
    return Bridge;
}

void TfrmMain::FormShow(TObject*) {
    PageControl1()->SetActivePageIndex(0);
    if (FShownOnce) return;
    FShownOnce = true;
    // A program that is ending without its substance library asks for no
    // database file.
    if (FConnectFailed || !dmDataObjects) return;
    try {
        dmDataObjects->Initialise();
    } catch (const Exception& E) {
        ShowStartError(Format(u"Could not start %s: %s", {ProgramPurpose, E.Message()}), TMsgDlgButtons{mbAbort});
        Application->Terminate();
    }
}

void TfrmMain::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmMain::FormDestroy(TObject*) {
    if (TVANDRELRegistry::Created()) TVANDRELRegistry::DestroySingleton();
    if (FVORN) {
        TVORNInterface::DestroySingleton();
        FVORN = nullptr;
    }
}

void TfrmMain::btnUserWizardClick(TObject*) {
    dmDataObjects->OpenProjectsTable();
    const Integer ProjectID = TfrmUserWizard::Execute();
    if (ProjectID > 0) ShowProjectList(ProjectID);
}

void TfrmMain::btnProjectsClick(TObject*) {
    dmDataObjects->OpenProjectsTable();
    ShowProjectList(-1);
}

void TfrmMain::btnExitClick(TObject*) { Close(); }

void TfrmMain::btmMapsClick(TObject*) {
    TfrmMapsIntake::Execute();
}

void TfrmMain::btnAbstractInfoClick(TObject*) {
    TfrmInfoSurfaceAreas::Execute();
}

void TfrmMain::btnCropGroupingClick(TObject*) {
    TfrmCropGroupingInfo::Execute();
}

void TfrmMain::btnMapD3Click(TObject*) {
    TfrmMapD3Scenario::Execute();
}

void TfrmMain::OpenDocument(const String& Link) { os::ShellOpen(Link); }

void TfrmMain::UserManualClick(TObject*) { OpenDocument(HelpLinks().UserManual); }
void TfrmMain::Emailadress1Click(TObject*) { OpenDocument(HelpLinks().SupportMail); }
void TfrmMain::VANDRELwebsite1Click(TObject*) { OpenDocument(HelpLinks().ProductSite); }
void TfrmMain::FOCUSwebsite1Click(TObject*) { OpenDocument(HelpLinks().FocusSite); }
void TfrmMain::TRAVOwebsite1Click(TObject*) { OpenDocument(HelpLinks().ScenarioToolSite); }
void TfrmMain::About1Click(TObject*) { ShowAbout(); }

void TfrmMain::ShowAbout() { TfrmAbout::ShowAbout(); }
