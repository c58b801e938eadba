#include "ui/About.h"

#include "graphics/Canvas.h"
#include "graphics/Graphic.h"
#include "graphics/Picture.h"
#include "rtl/ClassBuilder.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/Image.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timer.h"

#include <vector>

TfrmSplash* frmSplash = nullptr;

namespace {
TColor RGBColor(Integer R, Integer G, Integer B) { return TColor(R | (G << 8) | (B << 16)); }
} // namespace

void DrawProductPicture(TPicture& Picture, Integer Size) {
    TBitmap* Bitmap = Picture.Bitmap();
    Bitmap->SetSize(Size, Size);
    TCanvas* Canvas = Bitmap->Canvas();
    Canvas->Brush()->SetColor(RGBColor(0, 91, 145));
    Canvas->FillRect(TRect{0, 0, Size, Size});
    // The river.
    Canvas->Pen()->SetColor(RGBColor(120, 190, 230));
    Canvas->Brush()->SetColor(RGBColor(120, 190, 230));
    Canvas->Rectangle(0, Size * 3 / 4, Size, Size * 3 / 4 + Size / 12);
    // The drop: a circle under a triangle.
    Canvas->Pen()->SetColor(clWhite);
    Canvas->Brush()->SetColor(clWhite);
    const Integer R = Size / 6;
    const Integer Cx = Size / 2;
    const Integer Cy = Size / 2;
    Canvas->Ellipse(Cx - R, Cy - R, Cx + R + 1, Cy + R + 1);
    const std::vector<TPoint> Tip{{Cx, Cy - 2 * R - R / 2}, {Cx - R + 1, Cy - R / 3}, {Cx + R - 1, Cy - R / 3}};
    Canvas->Polygon(Tip);
}

// ---- about box

const TClassInfo& TfrmAbout::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmAbout, TForm>()
                                       .Method(u"FormActivate", &TfrmAbout::FormActivate)
                                       .Method(u"FormKeyPress", &TfrmAbout::FormKeyPress)
                                       .Method(u"SpeedButton1Click", &TfrmAbout::SpeedButton1Click)
                                       .Method(u"btnCloseClick", &TfrmAbout::btnCloseClick)
                                       .Build();
    return Info;
}

TfrmAbout::TfrmAbout(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

void TfrmAbout::ShowAbout() {
    auto* About = Create<TfrmAbout>(nullptr);
    try {
        About->ShowModal();
    } catch (...) {
        Free(About);
        throw;
    }
    Free(About);
}

void TfrmAbout::Loaded() {
    TForm::Loaded();
    DrawProductPicture(*imgProduct()->Picture(), 300);
    for (const Char* Name : {u"mmoDesigners1", u"mmoDesigners2"})
        LayoutPart<TMemo>(this, Name)->SetBorderStyle(bsNone);
}

TLabel* TfrmAbout::lblVersion() const { return LayoutPart<TLabel>(this, u"lblVersion"); }
TLabel* TfrmAbout::lblDate() const { return LayoutPart<TLabel>(this, u"lblDate"); }
TImage* TfrmAbout::imgProduct() const { return LayoutPart<TImage>(this, u"imgProduct"); }

void TfrmAbout::FormActivate(TObject*) {
    AutoScrollOff(*this);
    SetCaption(String(u"VANDREL ") + VandrelVersion + u" - About");
    lblVersion()->SetCaption(VandrelVersion);
    lblDate()->SetCaption(VandrelReleaseDate);
}

void TfrmAbout::FormKeyPress(TObject*, Char& Key) {
    if (Key == 27) Close();
}

void TfrmAbout::SpeedButton1Click(TObject*) { Close(); }

void TfrmAbout::btnCloseClick(TObject*) { Close(); }

// ---- splash window

const TClassInfo& TfrmSplash::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmSplash, TForm>().Build();
    return Info;
}

TfrmSplash::TfrmSplash(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

void TfrmSplash::Loaded() {
    TForm::Loaded();
    DrawProductPicture(*LayoutPart<TImage>(this, u"imgProduct")->Picture(), 300);
}

TTimer* TfrmSplash::Timer1() const { return LayoutPart<TTimer>(this, u"Timer1"); }

void TfrmSplash::SetTimerEnabled(bool Value) { Timer1()->SetEnabled(Value); }

void HideSplash() {
    if (!frmSplash) return;
    frmSplash->SetTimerEnabled(false);
    frmSplash->Release();
    frmSplash = nullptr;
}
