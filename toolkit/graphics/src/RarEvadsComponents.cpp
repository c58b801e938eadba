// Components and forms: finding a component's form, rescaling a control or
// form to a resolution, cloning a component through its published
// properties, and message boxes.

#include "graphics/DeviceContext.h"
#include "kel/KelPersistence.h"
#include "kel/RarEvads.h"
#include "os/FilePath.h"
#include "vcl/OpenDialog.h"
#include "rtl/MathUtils.h"
#include "vcl/Forms.h"

namespace {

constexpr Integer DesignPixelsPerInch = 96;

// Children first, then the control itself; forms inside the tree are
// passed over but their controls are not.
template <class F>
void ForEachControlBottomUp(TControl* AControl, F&& AVisit) {
    if (auto* Parent = dynamic_cast<TWinControl*>(AControl))
        for (Integer I = 0; I < Parent->ControlCount(); ++I)
            ForEachControlBottomUp(Parent->Controls(I), AVisit);
    if (!dynamic_cast<TCustomForm*>(AControl)) AVisit(AControl);
}

} // namespace

TCustomForm* TRarEvads::GetOwnerForm(const TComponent* AComponent) {
    for (TComponent* Owner = AComponent ? AComponent->Owner() : nullptr; Owner; Owner = Owner->Owner())
        if (auto* Form = dynamic_cast<TCustomForm*>(Owner)) return Form;
    return nullptr;
}

TCustomForm* TRarEvads::GetParentForm(const TControl* AControl) {
    return AControl ? ::GetParentForm(AControl, true) : nullptr;
}

void TRarEvads::ScaleForDPI(TControl* AControl, Integer ADPI) {
    if (!AControl || ADPI <= 0) return;
    auto* Form = dynamic_cast<TCustomForm*>(AControl);
    if (!Form) Form = ::GetParentForm(AControl, true);
    const Integer Current = Form ? Form->PixelsPerInch() : ScreenPixelsPerInch();
    if (Current > 0 && Current != ADPI) AControl->ChangeScale(ADPI, Current);
    if (auto* Self = dynamic_cast<TCustomForm*>(AControl)) Self->SetPixelsPerInch(ADPI);
}

void TRarEvads::ScaleForCurrentDPI(TCustomForm* AForm) {
    if (!AForm) return;
    ForEachControlBottomUp(AForm, [](TControl* AControl) {
        TFont* Font = AControl->Font();
        if (Font && Font->PixelsPerInch() > 0)
            Font->SetHeight(MulDivInt(Font->Height(), DesignPixelsPerInch, Font->PixelsPerInch()));
    });
    ScaleForDPI(AForm, ScreenPixelsPerInch());
}

TComponent* TRarEvads::Clone(TComponent* AComponent) {
    if (!AComponent) return nullptr;
    // The copy is written without its name, so that it may live beside the
    // source; the source gets its name back whatever happens.
    TMemoryStream Saved;
    const String Name = AComponent->Name();
    AComponent->SetName(String());
    try {
        TKelPersistence::SaveSettingsToStream(AComponent, &Saved);
    } catch (...) {
        AComponent->SetName(Name);
        throw;
    }
    AComponent->SetName(Name);
    TObject* Made = AComponent->ClassType().CreateInstance(nullptr);
    auto* Copy = dynamic_cast<TComponent*>(Made);
    if (!Copy) {
        Free(Made);
        return nullptr;
    }
    try {
        Saved.SetPosition(0);
        TKelPersistence::LoadSettingsFromStream(Copy, &Saved);
    } catch (...) {
        Free(Copy);
        throw;
    }
    return Copy;
}

Integer TRarEvads::Message(const String& AMessage) {
    return MessageDlg(AMessage, mtInformation, {mbOK}, 0);
}

Integer TRarEvads::Message(const String& AMessage, TMsgDlgType ADialogType, TMsgDlgButtons AButtons,
                           Integer AHelpContext) {
    return MessageDlg(AMessage, ADialogType, AButtons, AHelpContext);
}

bool TRarEvads::SelectFile(String& AFileName, const String& ADefaultFolder, const String& AFilter,
                           const TRarEvadsFileCallBackEvent& ACallBack) {
    TOpenDialog* Dialog = Create<TOpenDialog>(Application);
    bool Result = false;
    try {
        Dialog->SetOptions(TOpenOptions{ofFileMustExist});
        Dialog->SetInitialDir(ADefaultFolder.empty() ? GetDocumentsPath() : AddForwardslash(ADefaultFolder));
        Dialog->SetFilter(AFilter);
        Result = Dialog->Execute();
        if (Result) AFileName = Dialog->FileName();
    } catch (...) {
        Free(Dialog);
        throw;
    }
    Free(Dialog);
    if (ACallBack) ACallBack(AFileName, Result);
    return Result;
}

bool TRarEvads::SaveFile(String& AFileName, const String& AFilter, const TRarEvadsFileCallBackEvent& ACallBack) {
    TSaveDialog* Dialog = Create<TSaveDialog>(Application);
    bool Result = false;
    try {
        // A save dialog asks for a name that may not exist yet: "file must
        // exist" would make saving a new file impossible, so only the
        // overwrite prompt is asked for.
        Dialog->SetOptions(TOpenOptions{ofOverwritePrompt});
        const String Folder = ExtractFilePath(AFileName);
        Dialog->SetInitialDir(Folder.empty() ? GetDocumentsPath() : Folder);
        Dialog->SetFileName(ExtractFileName(AFileName));
        // The extension goes on before the dialog checks for an existing
        // file, so a name typed without it is still asked about.
        Dialog->SetDefaultExt(ExtractFileExt(AFileName));
        Dialog->SetFilter(AFilter);
        Result = Dialog->Execute();
        if (Result) {
            String Chosen = Dialog->FileName();
            if (ExtractFileExt(Chosen).empty()) Chosen += ExtractFileExt(AFileName);
            AFileName = Chosen;
        }
    } catch (...) {
        Free(Dialog);
        throw;
    }
    Free(Dialog);
    if (ACallBack) ACallBack(AFileName, Result);
    return Result;
}
