// A core string grid filling a form, on whichever backend is chosen. Its
// column widths follow the window's width (ColumnSize.SynchWithGrid), and
// cell (2, 2) blinks: the grid timer repaints it every 500 ms in red or
// white. It prints "widths", the grid's client width and its column widths
// after every size change, and its screen origin and "ready" once painted,, and ends when its time (argument 1, seconds;
// default 30) is up. The screenshot test runs it under Xvfb.

#include "grid/ZirOvararIzazCore.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class TDemoGrid : public TZirOvararIzazCore {
public:
    using TZirOvararIzazCore::TZirOvararIzazCore;
    using TZirOvararIzazCore::InitOrigColSizes;

protected:
    void DrawCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override {
        if (ACol == 2 && ARow == 2) {
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Brush()->SetColor(GridBlink() ? clRed : clWhite);
            ACanvas->FillRect(ARect);
            return;
        }
        TZirOvararIzazCore::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
    }
};

void PrintWidths(TZirOvararIzazCore* Grid) {
    std::string Line = "widths " + std::to_string(Grid->ClientWidth());
    for (Integer c = 0; c < Grid->ColCount(); ++c) Line += " " + std::to_string(Grid->ColWidths(c));
    std::printf("%s\n", Line.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetCaption(u"Core grid demo");
    Form->SetBounds(40, 40, 400, 250);

    auto* Grid = Create<TDemoGrid>(Form);
    Grid->SetParent(Form);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetBounds(0, 0, 400, 250);
    Grid->SetAlign(alClient);
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    for (Integer c = 0; c < 5; ++c) Grid->SetColWidths(c, 60);
    Grid->SetCells(1, 1, u"steady");
    Grid->SetCells(2, 2, u"<BLINK>on</BLINK>");
    Grid->SetEnableBlink(true);
    Grid->ColumnSize()->SetSynchWithGrid(true);
    Grid->OnResize = [Grid](TObject*) { PrintWidths(Grid); };

    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(Cardinal(Seconds) * 1000);
    Timer->OnTimer = [](TObject*) { Application->Terminate(); };
    Timer->SetEnabled(true);

    Form->Show();
    Application->ProcessMessages();
    // The widths as shown are the base of the proportional sizes.
    Grid->InitOrigColSizes();
    PrintWidths(Grid);
    TPoint Origin = Grid->ClientToScreen(TPoint(0, 0));
    std::printf("origin %d %d\n", int(Origin.X), int(Origin.Y));
    std::printf("ready\n");
    std::fflush(stdout);
    Application->Run();
    return 0;
}
