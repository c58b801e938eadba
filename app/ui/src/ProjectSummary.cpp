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

TGroupBox* TfraProjectSummary::GroupBox1() const { return LayoutPart<TGroupBox>(this, u"GroupBox1"); }
TStaticText* TfraProjectSummary::txtName() const { return LayoutPart<TStaticText>(this, u"txtName"); }
TMemo* TfraProjectSummary::mmoDescription() const { return LayoutPart<TMemo>(this, u"mmoDescription"); }
TStaticText* TfraProjectSummary::txtCreated() const { return LayoutPart<TStaticText>(this, u"txtCreated"); }
TStaticText* TfraProjectSummary::txtModified() const { return LayoutPart<TStaticText>(this, u"txtModified"); }
TStaticText* TfraProjectSummary::txtPath() const { return LayoutPart<TStaticText>(this, u"txtPath"); }
TLabel* TfraProjectSummary::lblSubstance() const { return LayoutPart<TLabel>(this, u"lblSubstance"); }
TStaticText* TfraProjectSummary::txtSubstance() const { return LayoutPart<TStaticText>(this, u"txtSubstance"); }

void TfraProjectSummary::AssignProject(const TProject& Project) {
    txtName()->SetCaption(Project.Name());
    mmoDescription()->Lines()->SetText(Project.Description);
    txtCreated()->SetCaption(Project.Created);
    txtModified()->SetCaption(Project.Modified);
    txtSubstance()->SetCaption(Project.Substance()->Caption());
    txtPath()->SetCaption(Project.Path());
}
