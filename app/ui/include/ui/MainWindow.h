#pragma once
// TfrmMain: the program's main window. While it is created it connects the
// registry and the substance library; when first shown it opens the
// databases; it offers the wizard, the project list, the information
// windows, the about box and the help links.

#include "vcl/Forms.h"

class TVORNInterface;
class TLabel;
class TPageControl;
class TSpeedButton;
class TMainMenu;

// The application's title: program name and version.
inline constexpr const Char* ApplicationTitle = u"VANDREL_1.4.2";
// What the main window's caption and the start-up error name the program for.
inline constexpr const Char* ProgramPurpose = u"Drinking water from surface waters";
// The model versions the program tells the substance library.
inline constexpr const Char* ModelVersions = u"MODEL=VANDREL/SHELL=VANDREL;2";

// The addresses of the help menu, in one place.
struct THelpLinks {
    const Char* UserManual;
    const Char* SupportMail;
    const Char* ProductSite;
    const Char* FocusSite;
    const Char* ScenarioToolSite;
};
const THelpLinks& HelpLinks();

class TfrmMain : public TForm {
    RTL_CLASS(TfrmMain)
public:
    explicit TfrmMain(TComponent* AOwner);

    // Creates the substance-library bridge and tells it the model versions;
    // raises when the bridge exists already or the library refuses them.
    TVORNInterface& ConnectSubstanceTool();
    // Opens a link with the desktop's opener.
    void OpenDocument(const String& Link);
    void ShowAbout();

    TVORNInterface* VORN() const { return FVORN; }
    const String& VORNChecksumName() const { return FVORNChecksumName; }

    TPageControl* PageControl1() const;
    TLabel* lblScaleFactor() const;
    TSpeedButton* btnUserWizard() const;
    TSpeedButton* btnProjects() const;
    TSpeedButton* btnExit() const;
    TSpeedButton* btmMaps() const;
    TSpeedButton* btnAbstractInfo() const;
    TSpeedButton* btnCropGrouping() const;
    TSpeedButton* btnMapD3() const;
    TMainMenu* MainMenu1() const;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void btnUserWizardClick(TObject* Sender);
    void btnProjectsClick(TObject* Sender);
    void btnExitClick(TObject* Sender);
    void btmMapsClick(TObject* Sender);
    void btnAbstractInfoClick(TObject* Sender);
    void btnCropGroupingClick(TObject* Sender);
    void btnMapD3Click(TObject* Sender);
    void UserManualClick(TObject* Sender);
    void Emailadress1Click(TObject* Sender);
    void VANDRELwebsite1Click(TObject* Sender);
    void FOCUSwebsite1Click(TObject* Sender);
    void TRAVOwebsite1Click(TObject* Sender);
    void About1Click(TObject* Sender);

protected:
    void Loaded() override;

private:
    TVORNInterface* FVORN = nullptr;
    String FVORNChecksumName;
    bool FConnectFailed = false;
    bool FShownOnce = false;
};

extern TfrmMain* frmMain;
