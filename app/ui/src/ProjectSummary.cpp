#include "ui/ProjectSummary.h"

#include "core/Project.h"
#include "rtl/ClassBuilder.h"
#include "ui/UiLayouts.h"
#include "vcl/GroupBox.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"

const TClassInfo& TfraProjectSummary::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfraProjectSummary, TFrame>().Build();
    return Info;
}

TfraProjectSummary::TfraProjectSummary(TComponent* AOwner) : TFrame(AOwner) { RegisterUiClasses(); }

namespace {
template <class T>
T* Part(const TComponent* Owner, const String& Name) {
    auto* Found = dynamic_cast<T*>(Owner->FindComponent(Name));
    if (!Found) throw Exception(u"The layout lacks " + Name);
    return Found;
}
} // namespace

TGroupBox* TfraProjectSummary::GroupBox1() const { return Part<TGroupBox>(this, u"GroupBox1"); }
TStaticText* TfraProjectSummary::txtName() const { return Part<TStaticText>(this, u"txtName"); }
TMemo* TfraProjectSummary::mmoDescription() const { return Part<TMemo>(this, u"mmoDescription"); }
TStaticText* TfraProjectSummary::txtCreated() const { return Part<TStaticText>(this, u"txtCreated"); }
TStaticText* TfraProjectSummary::txtModified() const { return Part<TStaticText>(this, u"txtModified"); }
TStaticText* TfraProjectSummary::txtPath() const { return Part<TStaticText>(this, u"txtPath"); }
TLabel* TfraProjectSummary::lblSubstance() const { return Part<TLabel>(this, u"lblSubstance"); }
TStaticText* TfraProjectSummary::txtSubstance() const { return Part<TStaticText>(this, u"txtSubstance"); }

void TfraProjectSummary::AssignProject(const TProject& Project) {
    txtName()->SetCaption(Project.Name());
    mmoDescription()->Lines()->SetText(Project.Description);
    txtCreated()->SetCaption(Project.Created);
    txtModified()->SetCaption(Project.Modified);
    txtSubstance()->SetCaption(Project.Substance()->Caption());
    txtPath()->SetCaption(Project.Path());
}
