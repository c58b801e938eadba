// A form showing a marked-up text with a picture, a check box, a button and
// a link, and a tool tip next to it, on whichever backend is chosen. It
// prints "ready" once the form is painted and ends when its time (argument
// 1, seconds; default 30) is up. The screenshot test runs it under Xvfb.

#include "graphics/Colors.h"
#include "graphics/ImageCodecs.h"
#include "kel/KelGraphics.h"
#include "kel/KelToolTip.h"
#include "kel/PictureContainer.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"
#include "vcl/Forms.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Paints its text as markup on a white face.
class TMarkupPanel : public TCustomControl {
public:
    TMarkupPanel(TComponent* AOwner, TPictureContainer* APictures) : TCustomControl(AOwner), FPictures(APictures) {}
    String Text;

protected:
    void Paint() override {
        std::unique_ptr<TKelGraphics, void (*)(TObject*)> G(TKelGraphics::CreateNative(Canvas()), &Free);
        G->BeginScene();
        G->SetFillKind(gfkSolid);
        G->SetFillColor(clWhite);
        G->SetStrokeKind(gskNone);
        G->DrawRectangle(RectF(0, 0, Single(Width()), Single(Height())));
        G->SetPictureContainer(FPictures);
        G->SetURLColor(clBlue);
        G->SetFontName(u"DejaVu Sans");
        G->SetFontColor(clBlack);
        G->DrawText(RectF(4, 4, Single(Width() - 4), Single(Height() - 4)), Text, false, gtaLeading, gtaLeading);
        G->EndScene();
    }

private:
    TPictureContainer* FPictures;
};

} // namespace

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(40, 40, 360, 200);
    Form->SetColor(clSilver);

    auto* Pictures = Create<TPictureContainer>(Form);
    TPictureItem* Item = Pictures->Items()->Add();
    Item->SetName(u"green");
    const std::vector<Byte> Png = EncodePng(TDecodedImage::Blank(24, 24, 0xFF00FF00));
    TMemoryStream Stream;
    Stream.Write(Png.data(), Int64(Png.size()));
    Stream.SetPosition(0);
    Item->Picture()->LoadFromStream(&Stream);

    auto* Panel = Create<TMarkupPanel>(Form, Pictures);
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 300, 80);
    Panel->Text = u"<IMG SRC=\"green\"> <B>Bold</B> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\"> "
                  u"<A HREF=\"go\">link</A><BR><FONT COLOR=\"#FF0000\">red text</FONT>";

    auto* Tip = Create<TKelToolTip>(Form);
    Tip->SetPosition(ttBottomLeft);
    Tip->Font()->SetName(u"DejaVu Sans");
    auto* TipWindow = Create<TKelToolTipWindow>(Form);
    TipWindow->SetText(u"A tool tip");

    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(Cardinal(Seconds) * 1000);
    Timer->OnTimer = [](TObject*) { Application->Terminate(); };
    Timer->SetEnabled(true);

    Form->Show();
    TipWindow->Show(Panel, Tip);
    Application->ProcessMessages();
    std::printf("ready\n");
    std::fflush(stdout);
    Application->Run();
    return 0;
}
