// One of the desktop program's windows, opened by its name on whichever
// backend is chosen, for the tests that look at real windows:
//   ui_show_window <name> [<seconds> [<project database>]]
// with name About, Splash, CopyProject, Results, FileView, UserWizard or
// PecPeak. The copy dialog reads the project names of the given database.
//
// It prints "backend <name>", then, once the window shows, "window <name>
// <X window id>" (on SDL2; 0 elsewhere) and "ready". The wizard opens on its
// crop page with two runs and the grouping cell of the first one current;
// the peak editor lists two runs with the "Caused by" cell of the first one
// current. Both print "cell <col> <row> <x> <y>", the screen point in the
// middle of each cell of row 1, before "ready", and from then on a line
// whenever a text of row 1 changes:
//   row [<col 0>|<col 1>|<col 2>|<col 3>|<col 4>] <col 2 as a number or "-">
// It ends when its time (default 60 seconds) is up.

#include "core/DataModule.h"
#include "core/CropGroupCache.h"
#include "coretesting/MemoryProjectDataModule.h"
#include "grid/VarErozidOvur.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "ui/About.h"
#include "ui/CopyProject.h"
#include "ui/PeakInput.h"
#include "ui/PecPeak.h"
#include "ui/Results.h"
#include "ui/UiGlobals.h"
#include "ui/UserWizard.h"
#include "vcl/Forms.h"
#include "vcl/PageControl.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

// The X window SDL made for the shown window of this title; 0 when the
// backend is not SDL2 or no such window shows (ShowWindowX11.cpp: the X
// headers do not mix with the platform layer's names).
unsigned long XWindowOfTitle(const std::string& Title);

namespace {

class TShowDataModule : public TdmDataObjects {
public:
    TShowDataModule() : TdmDataObjects(nullptr) {}
    using TdmData::OpenProjectDatabase;
};

std::string RowLine(TVarErozidOvur& Grid) {
    std::string Line = "row [";
    for (Integer Col = 0; Col < 5; ++Col) Line += (Col ? "|" : "") + Utf8(Grid.Cells(Col, 1));
    Double Value = 0;
    const bool Number = TryStrToFloat(Grid.Cells(PeakColPeak, 1), Value);
    return Line + "] " + (Number ? Utf8(FloatToStr(Grid.Floats(PeakColPeak, 1))) : std::string("-"));
}

// Two runs of a leafy vegetable crop and of bulb vegetables, each with two
// groupings to choose from.
void AddCrops(TMemoryProjectDataModule& Crops) {
    Crops.Crops = {{u"Vegetables, leafy", u"Leafy vegetables", u"Bladgroenten", u"11"},
                   {u"Vegetables, leafy", u"Cabbages", u"Kool", u"12"},
                   {u"Vegetables, bulb", u"Onions", u"Uien", u"21"},
                   {u"Vegetables, bulb", u"Leek", u"Prei", u"22"}};
}

void FillCropRows(TVarErozidOvur& Grid) {
    Grid.SetRowCount(3);
    const char16_t* const Rows[2][5] = {
        {u"Vegetables, leafy_2", u"<select Korvalis crop>", u"1", u"0.7500", u"18-may-1985"},
        {u"Vegetables, bulb", u"<select Korvalis crop>", u"1", u"1.2000", u"10-apr-1985"}};
    for (Integer Row = 0; Row < 2; ++Row)
        for (Integer Col = 0; Col < 5; ++Col) Grid.SetCells(Col, Row + 1, Rows[Row][Col]);
}

void FillPeakRows(TVarErozidOvur& Grid) {
    Grid.SetRowCount(3);
    const char16_t* const Rows[2][2] = {{u"Vegetables, leafy_2", u"Cabbages"}, {u"Vegetables, bulb", u"Onions"}};
    for (Integer Row = 0; Row < 2; ++Row)
        for (Integer Col = 0; Col < 2; ++Col) Grid.SetCells(Col, Row + 1, Rows[Row][Col]);
}

void PrintCells(TVarErozidOvur& Grid) {
    for (Integer Col = 0; Col < 5; ++Col) {
        const TRect R = Grid.CellRect(Col, 1);
        const TPoint P = Grid.ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
        std::printf("cell %d 1 %d %d\n", int(Col), int(P.X), int(P.Y));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_show_window <name> [<seconds> [<project database>]]\n");
        return 2;
    }
    const std::string Name = argv[1];
    const int Seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    Application->Initialize();

    TShowDataModule* Data = nullptr;
    if (argc > 3) {
        Data = Create<TShowDataModule>();
        Data->OpenProjectDatabase(FromUtf8(argv[3]));
        dmDataObjects = Data;
    }
    TMemoryProjectDataModule Crops;
    AddCrops(Crops);

    TForm* Form = nullptr;
    TVarErozidOvur* Grid = nullptr;
    if (Name == "About") {
        Form = Create<TfrmAbout>(Application);
    } else if (Name == "Splash") {
        Form = Create<TfrmSplash>(Application);
    } else if (Name == "CopyProject") {
        auto* Copy = Create<TfrmCopyProject>(Application);
        Copy->edtName()->SetText(u"A");
        Form = Copy;
    } else if (Name == "Results") {
        Form = Create<TfrmResults>(Application);
    } else if (Name == "FileView") {
        Form = Create<TfrmFileView>(Application);
    } else if (Name == "UserWizard") {
        auto* Wizard = Create<TfrmUserWizard>(Application);
        Wizard->pagPages()->SetActivePageIndex(1);
        Grid = Wizard->grdCrops();
        FillCropRows(*Grid);
        Form = Wizard;
    } else if (Name == "PecPeak") {
        auto* Peaks = Create<TfrmPecPeak>(Application);
        Grid = Peaks->grdPec();
        FillPeakRows(*Grid);
        Form = Peaks;
    } else {
        std::fprintf(stderr, "no window named %s\n", Name.c_str());
        return 2;
    }

    auto* Quit = Create<TTimer>(Form);
    Quit->SetInterval(Cardinal(Seconds) * 1000);
    Quit->OnTimer = [](TObject*) { Application->Terminate(); };
    Quit->SetEnabled(true);

    Form->Show();
    Application->ProcessMessages();
    if (Grid) {
        Grid->SetFocus();
        const Integer Current = Name == "UserWizard" ? 1 : PeakColCausedBy;
        if (Name == "UserWizard") SetGroupingChoices(*Grid, 1);
        Grid->FocusCell(Current, 1);
        Application->ProcessMessages();
        PrintCells(*Grid);
    }
    std::printf("window %s %lu\n", Name.c_str(), XWindowOfTitle(Utf8(Form->Caption())));
    std::printf("ready\n");
    std::fflush(stdout);

    std::string Last;
    auto* Watch = Create<TTimer>(Form);
    Watch->SetInterval(50);
    Watch->OnTimer = [&](TObject*) {
        if (!Grid) return;
        const std::string Line = RowLine(*Grid);
        if (Line == Last) return;
        Last = Line;
        std::printf("%s\n", Line.c_str());
        std::fflush(stdout);
    };
    Watch->SetEnabled(true);
    Application->Run();
    Free(Form);
    FreeCropGroupCache();
    dmDataObjects = nullptr;
    Free(Data);
    return 0;
}
