#include "ui/CopyProject.h"

#include "core/DataModule.h"
#include "core/TextChecks.h"
#include "core/UserInteraction.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/StdCtrls.h"

String InvalidNameCharsMessage() {
    return String(u"invalid characters: <space> = / \\ ( ) * : ? ") + u"\"" + u" < > | , . ";
}

const TClassInfo& TfrmCopyProject::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmCopyProject, TForm>()
                                       .Method(u"FormShow", &TfrmCopyProject::FormShow)
                                       .Method(u"FormActivate", &TfrmCopyProject::FormActivate)
                                       .Method(u"FormCloseQuery", &TfrmCopyProject::FormCloseQuery)
                                       .Method(u"edtNameNewChange", &TfrmCopyProject::edtNameNewChange)
                                       .Build();
    return Info;
}

TfrmCopyProject::TfrmCopyProject(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TEdit* TfrmCopyProject::edtName() const { return LayoutPart<TEdit>(this, u"edtName"); }
TEdit* TfrmCopyProject::edtDesc() const { return LayoutPart<TEdit>(this, u"edtDesc"); }
TEdit* TfrmCopyProject::edtNameNew() const { return LayoutPart<TEdit>(this, u"edtNameNew"); }
TEdit* TfrmCopyProject::edtDescNew() const { return LayoutPart<TEdit>(this, u"edtDescNew"); }

String TfrmCopyProject::FreeCopyName(const String& SourceName) {
    String Proposal = u"Copy_of_" + SourceName;
    for (Integer K = 1; dmDataObjects->ProjectNameExists(Proposal); ++K)
        Proposal = u"Copy" + IntToStr(K) + u"_of_" + SourceName;
    return Proposal;
}

void TfrmCopyProject::FormShow(TObject*) {
    edtNameNew()->SetText(FreeCopyName(edtName()->Text()));
    edtDescNew()->SetText(u"Copy_of_" + edtDesc()->Text());
    FNewName = edtNameNew()->Text();
    SetActiveControl(edtNameNew());
}

void TfrmCopyProject::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmCopyProject::edtNameNewChange(TObject*) {
    TEdit& Edit = *edtNameNew();
    StripNonASCIIFromEdit(Edit);
    if (HasInvalidNameChars(Edit.Text())) {
        Edit.SetText(FNewName);
        throw Exception(InvalidNameCharsMessage());
    }
    FNewName = Edit.Text();
}

void TfrmCopyProject::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() != mrOk) return;
    // A project without a name would have the projects folder itself as its
    // folder, so an empty or blank name is refused like a taken one.
    const String Name = Trim(edtNameNew()->Text());
    String Message;
    if (Name.empty())
        Message = u"Enter a name";
    else if (dmDataObjects->ProjectNameExists(edtNameNew()->Text()))
        Message = u"Name already exists";
    if (Message.empty()) return;
    SetActiveControl(edtNameNew());
    ::ShowError(Message);
    CanClose = false;
}
