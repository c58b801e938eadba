// The demonstration grid of the view layer on whichever backend is chosen:
// a fixed row and column, merged cells, check boxes, a radio group, a
// progress bar, the sort indicator, banded rows and the focused current
// cell. It prints "backend <name>", then "grid <left> <top> <width>
// <height>" (the grid window's screen rectangle) and "ready" once painted,
// and ends when its time (argument 1, seconds; default 30) is up. With a
// second argument it saves the grid window's pixels as that PNG file and
// prints "saved" before "ready". The screenshot test compares the SDL2
// window under Xvfb with the headless backend's rendering.

#include "grid/ZirOvararIzaz.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"
#include "windowing/Paint.h"
#include "windowing/Window.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void BuildDemoGrid(TZirOvararIzaz* Grid) {
    Grid->SetColCount(6);
    Grid->SetRowCount(9);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(1);
    Grid->SetDefaultRowHeight(22);
    const Integer Widths[] = {40, 90, 70, 120, 90, 60};
    for (Integer c = 0; c < 6; ++c) Grid->SetColWidths(c, Widths[c]);
    const char16_t* Headers[] = {u"", u"Substance", u"Use", u"Status", u"Removal", u"Score"};
    for (Integer c = 0; c < 6; ++c) Grid->SetCells(c, 0, Headers[c]);
    const char16_t* Names[] = {u"Atrazine", u"Glyphosate", u"Bentazone", u"Mecoprop",
                               u"Metazachlor", u"Chloridazon", u"Dimethenamid"};
    for (Integer r = 1; r < 9; ++r) {
        Grid->SetCells(0, r, IntToStr(r));
        if (r <= 7) Grid->SetCells(1, r, Names[r - 1]);
        Grid->SetCells(5, r, IntToStr(r * 7 % 10) + u".5");
    }
    for (Integer r = 1; r <= 4; ++r) Grid->AddCheckBox(2, r, r % 2 == 1, false);

    TStrings* Items = Grid->CreateRadio(3, 2, 1, 1);
    Items->Add(u"low");
    Items->Add(u"high");

    const Integer Progress[] = {0, 35, 70, 100};
    for (Integer r = 1; r <= 4; ++r) {
        Grid->SetCells(4, r, IntToStr(Progress[r - 1]));
        Grid->AddProgress(4, r, clBlue, clSilver);
    }

    Grid->MergeCells(2, 6, 3, 2);
    Grid->SetCells(2, 6, u"merged over three columns and two rows");

    Grid->SortSettings()->SetShow(true);
    Grid->SortSettings()->SetColumn(1);

    Grid->Bands()->SetPrimaryColor(0xF0E0D0);
    Grid->Bands()->SetSecondaryColor(clWhite);
    Grid->Bands()->SetPrimaryLength(1);
    Grid->Bands()->SetSecondaryLength(1);
    Grid->Bands()->SetActive(true);

    Grid->SetCol(5);
    Grid->SetRow(3);
}

} // namespace

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const std::string Png = argc > 2 ? argv[2] : "";
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetCaption(u"View grid demo");
    Form->SetBounds(40, 40, 520, 260);

    auto* Grid = Create<TZirOvararIzaz>(Form);
    Grid->SetParent(Form);
    Grid->SetScrollBars(ssNone);
    Grid->SetAlign(alClient);
    BuildDemoGrid(Grid);

    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(Cardinal(Seconds) * 1000);
    Timer->OnTimer = [](TObject*) { Application->Terminate(); };
    Timer->SetEnabled(true);

    Form->Show();
    Grid->SetFocus();
    Application->ProcessMessages();
    Grid->Repaint();
    Application->ProcessMessages();

    TRect R;
    winapi::GetWindowRect(Grid->Handle(), R);
    std::printf("grid %d %d %d %d\n", int(R.Left), int(R.Top), int(R.Width()), int(R.Height()));
    if (!Png.empty()) {
        if (!SaveWindowToPng(Grid->Handle(), FromUtf8(Png))) {
            std::printf("not saved\n");
            return 1;
        }
        std::printf("saved\n");
    }
    std::printf("ready\n");
    std::fflush(stdout);
    Application->Run();
    return 0;
}
