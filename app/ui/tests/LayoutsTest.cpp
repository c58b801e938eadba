// Every window reads its layout: designed size at 96 DPI, caption, the
// program's font, and its controls in their tab order.

#include "UiTestSupport.h"
#include "ui/About.h"
#include "ui/CopyProject.h"
#include "ui/Results.h"
#include "ui/UserInteraction.h"
#include "vcl/StdCtrls.h"

namespace {

class UiLayouts : public UiTest {};

struct TWindowCase {
    std::function<TForm*()> Make;
    String Caption;
    Integer Width;
    Integer Height;
    String FontName;
};

} // namespace

TEST_F(UiLayouts, EveryWindowHasItsDesignedSizeCaptionAndFont) {
    const TWindowCase Cases[] = {
        {[] { return Create<TfrmResults>(Application); }, u"Summary results", 426, 458, u"Tahoma"},
        {[] { return Create<TfrmCopyProject>(Application); }, u"Copy Project", 426, 277, u"Tahoma"},
        {[] { return Create<TfrmAbout>(Application); }, u"About", 641, 345, u"Tahoma"},
        {[] { return Create<TfrmSplash>(Application); }, u"V A N D R E L", 358, 358, u"Tahoma"},
        {[] { return Create<TfrmFileView>(Application); }, u"File Viewer", 800, 600, u"Tahoma"},
        {[] { return Create<TfrmInputFiles>(Application); }, u"Input files", 800, 600, u"Tahoma"},
    };
    for (const TWindowCase& C : Cases) {
        TForm* Form = C.Make();
        EXPECT_EQ(Form->Caption(), C.Caption);
        EXPECT_EQ(Form->Width(), C.Width) << Narrow(C.Caption);
        EXPECT_EQ(Form->Height(), C.Height) << Narrow(C.Caption);
        EXPECT_EQ(Form->Font()->Name(), C.FontName) << Narrow(C.Caption);
        EXPECT_EQ(Form->Font()->Size(), 8) << Narrow(C.Caption);
        Free(Form);
    }
}

TEST_F(UiLayouts, TheCopyDialogTabsThroughTheNewNameDescriptionAndButtonsOnly) {
    auto* Form = Create<TfrmCopyProject>(Application);
    EXPECT_FALSE(Form->edtName()->TabStop());
    EXPECT_FALSE(Form->edtDesc()->TabStop());
    EXPECT_TRUE(Form->edtName()->ReadOnly());
    EXPECT_EQ(Form->edtNameNew()->TabOrder(), 0);
    EXPECT_EQ(Form->edtDescNew()->TabOrder(), 1);
    EXPECT_EQ(Form->edtNameNew()->MaxLength(), 20);
    EXPECT_EQ(Form->edtDescNew()->MaxLength(), 100);
    Free(Form);
}
