#include "ui/UserInteraction.h"

#include "os/FileUtils.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringList.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/Dialogs.h"
#include "vcl/OpenDialog.h"
#include "vcl/PageControl.h"
#include "vcl/RichEdit.h"
#include "windowing/Input.h"

#include <memory>

void TUserInteraction::ShowMessage(const String& text) { ::ShowMessage(text); }

void TUserInteraction::ShowWarning(const String& text) { MessageDlg(text, mtWarning, TMsgDlgButtons{mbOK}, 0); }

void TUserInteraction::ShowError(const String& text) { MessageDlg(text, mtError, TMsgDlgButtons{mbOK}, 0); }

bool TUserInteraction::Confirm(const String& text) {
    return MessageDlg(text, mtConfirmation, mbYesNo, 0) == mrYes;
}

bool TUserInteraction::OpenFile(const TOpenFileRequest& request, String& fileName) {
    std::unique_ptr<TOpenDialog, void (*)(TOpenDialog*)> Dialog(Create<TOpenDialog>(nullptr),
                                                                [](TOpenDialog* D) { Free(D); });
    Dialog->SetTitle(request.Title);
    Dialog->SetInitialDir(request.InitialDir);
    Dialog->SetFileName(request.FileName);
    Dialog->SetFilter(request.Filter);
    Dialog->SetOptions(TOpenOptions{ofHideReadOnly, ofEnableSizing, ofPathMustExist, ofFileMustExist});
    if (!Dialog->Execute()) return false;
    fileName = Dialog->FileName();
    return true;
}

void TUserInteraction::ProcessMessages() { Application->ProcessMessages(); }

void TUserInteraction::ViewTextFiles(const std::vector<TTextFilePage>& pages) {
    RegisterUiClasses();
    auto* Form = Create<TfrmInputFiles>(nullptr);
    try {
        for (const TTextFilePage& Page : pages)
            Form->AddPage(Page);
        if (Form->Pages()->PageCount() > 0) Form->Pages()->SetActivePageIndex(0);
        Form->ShowModal();
    } catch (...) {
        Free(Form);
        throw;
    }
    Free(Form);
}

// ---- the input-file viewer

const TClassInfo& TfrmInputFiles::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmInputFiles, TForm>()
                                       .Method(u"FormActivate", &TfrmInputFiles::FormActivate)
                                       .Method(u"FormKeyDown", &TfrmInputFiles::FormKeyDown)
                                       .Build();
    return Info;
}

TfrmInputFiles::TfrmInputFiles(TComponent* AOwner) : TForm(AOwner) {}

TPageControl* TfrmInputFiles::Pages() const { return static_cast<TPageControl*>(FindComponent(u"pagFiles")); }

void TfrmInputFiles::AddPage(const TTextFilePage& Page) {
    auto* Sheet = new TTabSheet(this);
    Sheet->SetPageControl(Pages());
    Sheet->SetCaption(Page.Caption);
    auto* Viewer = new TRichEdit(this);
    Viewer->SetParent(Sheet);
    Viewer->SetAlign(alClient);
    Viewer->SetPlainText(true);
    Viewer->SetReadOnly(true);
    Viewer->SetWordWrap(false);
    Viewer->SetScrollBars(ssBoth);
    Viewer->Font()->SetName(u"Courier New");
    Viewer->Font()->SetHeight(-11);
    if (FileExists(Page.FileName)) {
        TStringList Lines;
        Lines.LoadFromFile(Page.FileName);
        Viewer->Lines()->Assign(&Lines);
    }
}

void TfrmInputFiles::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmInputFiles::FormKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key == winapi::VK_ESCAPE) {
        Key = 0;
        SetModalResult(mrCancel);
    }
}
