// The open and save dialogs: the request they make, the scripted answers of
// tests, and the chooser form shown modally.

#include "vcl/OpenDialog.h"

#include "rtl/ClassBuilder.h"
#include "vcl/Dialogs.h"
#include "windowing/Backend.h"

namespace {

TFileDialogHandler& FileDialogHandler() {
    static TFileDialogHandler Handler;
    return Handler;
}

TFileDialogDriver& FileDialogDriver() {
    static TFileDialogDriver Driver;
    return Driver;
}

// A script that keeps answering names the dialog refuses would never end.
constexpr Integer ScriptRounds = 1000;

// Runs the script as the user at the form: true with the chosen file and
// the filter index when it chose one.
bool RunScript(const TFileDialogRequest& Request, String& Chosen, Integer& FilterIndex) {
    TFileChooser Chooser(Request);
    for (Integer Round = 0; Round < ScriptRounds; ++Round) {
        TFileDialogAnswer Answer = FileDialogHandler()(Request, Chooser.Folder());
        if (!Answer.Ok) return false;
        if (Answer.FilterIndex > 0) Chooser.SetFilterIndex(Answer.FilterIndex);
        TFileChoice Choice = Chooser.Resolve(Answer.FileName);
        switch (Choice.Kind) {
        case TFileChoice::fcNothing:
            continue;
        case TFileChoice::fcOpenFolder:
            Chooser.SetFolder(Choice.Path);
            continue;
        case TFileChoice::fcRefused:
            MessageDlg(Choice.Message, mtWarning, TMsgDlgButtons{mbOK}, 0);
            continue;
        case TFileChoice::fcConfirm:
            if (MessageDlg(Choice.Message, mtWarning, mbYesNo, 0) != mrYes) continue;
            break;
        case TFileChoice::fcAccepted:
            break;
        }
        Chosen = Choice.Path;
        FilterIndex = Chooser.FilterIndex();
        return true;
    }
    throw EFileDialogUnavailable(u"The file dialog's script answers without end: " + Request.Title);
}

} // namespace

TFileDialogHandler SetFileDialogHandler(TFileDialogHandler Handler) {
    TFileDialogHandler Old = std::move(FileDialogHandler());
    FileDialogHandler() = std::move(Handler);
    return Old;
}

TFileDialogDriver SetFileDialogDriver(TFileDialogDriver Driver) {
    TFileDialogDriver Old = std::move(FileDialogDriver());
    FileDialogDriver() = std::move(Driver);
    return Old;
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
    using D = TOpenDialog;
    static const TClassInfo Info = TClassBuilder<D, TComponent>()
                                       .Property(u"DefaultExt", &D::DefaultExt, &D::SetDefaultExt)
                                       .Property(u"FileName", &D::FileName, &D::SetFileName)
                                       .Property(u"Filter", &D::Filter, &D::SetFilter)
                                       .Property(u"FilterIndex", &D::FilterIndex, &D::SetFilterIndex)
                                       .Default(1)
                                       .Property(u"InitialDir", &D::InitialDir, &D::SetInitialDir)
                                       .Property(u"Options", &D::Options, &D::SetOptions)
                                       .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing})
                                       .Property(u"Title", &D::Title, &D::SetTitle)
                                       .Property(u"OnShow", &D::OnShow,
                                                 [](D& Dialog, TNotifyEvent E) { Dialog.OnShow = std::move(E); })
                                       .Property(u"OnClose", &D::OnClose,
                                                 [](D& Dialog, TNotifyEvent E) { Dialog.OnClose = std::move(E); })
                                       .Build();
    return Info;
}

const TClassInfo& TSaveDialog::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TSaveDialog, TOpenDialog>().Build();
    return Info;
}

bool TOpenDialog::Execute() {
    winapi::HWND Owner = nullptr;
    if (Screen && Screen->ActiveCustomForm() && Screen->ActiveCustomForm()->HandleAllocated())
        Owner = Screen->ActiveCustomForm()->Handle();
    return Execute(Owner);
}

bool TOpenDialog::Execute(winapi::HWND ParentWnd) {
    TFileDialogRequest Request;
    Request.Save = IsSave();
    Request.Owner = ParentWnd;
    Request.Title = !FTitle.empty() ? FTitle : IsSave() ? String(u"Save As") : String(u"Open");
    Request.Filter = FFilter;
    Request.FilterIndex = FFilterIndex;
    Request.InitialDir = FInitialDir;
    Request.FileName = FFileName;
    Request.DefaultExt = FDefaultExt;
    Request.Options = FOptions;

    String Chosen;
    Integer Index = FFilterIndex;
    bool Ok = false;
    if (FileDialogHandler()) {
        if (OnShow) OnShow(this);
        Ok = RunScript(Request, Chosen, Index);
        if (OnClose) OnClose(this);
    } else {
        if (Backend().Name() == u"headless" && !FileDialogDriver())
            throw EFileDialogUnavailable(u"No display to ask: " + Request.Title);
        TFileChooserForm* Dialog = CreateNew<TFileChooserForm>(Application);
        try {
            Dialog->Setup(Request);
            Dialog->OnShow = [this](TObject*) {
                if (OnShow) OnShow(this);
            };
            // The driver gets the form placed and active, as a user sees it.
            Dialog->OnActivate = [Dialog, Driven = false](TObject*) mutable {
                if (Driven || !FileDialogDriver()) return;
                Driven = true;
                FileDialogDriver()(Dialog);
            };
            Ok = Dialog->ShowModal() == mrOk;
            if (Ok) {
                Chosen = Dialog->ChosenFile();
                Index = Dialog->Chooser().FilterIndex();
            }
            if (OnClose) OnClose(this);
        } catch (...) {
            Free(Dialog);
            throw;
        }
        Free(Dialog);
    }
    if (Ok) {
        FFileName = Chosen;
        FFilterIndex = Index;
    }
    return Ok;
}
