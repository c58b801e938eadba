// A string grid with the input layer on a form, on whichever backend is
// chosen: column 1 takes floating-point numbers, column 2 a date through
// the edit mask "90-LLL-0000", column 3 plain text; Enter validates and
// moves to the next row. Cell (3, 3) is current at the start.
//
// Column 4 is a list combo of "Apple", "Banana" and "Cherry" (starting at
// "Apple"), column 5 a date picker showing "dd-MM-yyyy" (starting at
// 1 January 2026).
//
// It prints "cell C R X Y", the screen point in the middle of each cell of
// row 1, "march5 <text>", the cell text 5 March 2026 is stored as, then
// "ready", and from then on a "state" line whenever the current cell, the
// edit or a text of row 1 changes, and a "special" line whenever the
// special editors' cells, the open editor or the combo's list change:
//   state <col> <row> <edit 0|1> [<editor text>] [<cell 1,1>|<cell 2,1>|<cell 3,1>|<cell 1,2>]
//   special <col> <row> <edit 0|1> <list open 0|1> [<cell 4,1>|<cell 5,1>]
// It ends when its time (argument 1, seconds; default 30) is up. The
// screenshot test of the input layer runs it under Xvfb.
//
// With "search" as argument 2 it shows a grid of fruit names with the search
// footer instead. It prints "label X Y W H", the screen rectangle from the
// footer's result label to the footer's right edge, then "ready", and from
// then on a "search" line whenever the current cell, the focus, the footer's
// edit text or its result label changes:
//   search <col> <row> <edit focused 0|1> [<edit text>] [<result label>]
//
// With "mouse" as argument 2 it shows a sortable grid of fruit (a click on a
// header sorts, a header can be dragged onto another column, a double click
// on a column border fits the column to its texts) with a web link in cell
// (3, 1); the link goes to a recording opener that prints "open <target>".
// It prints "head C X Y", the screen point in the middle of each header
// cell, "border X Y", the border between columns 1 and 2 in the header,
// "link X Y", then "ready", and from then on a "mouse" line whenever the
// rows, the column order or the widths change:
//   mouse [<column 1 from row 1 down, joined by ",">] [<header texts>] [<widths of columns 1 to 3>]

#include "grid/GridCombo.h"
#include "grid/GridPickerEditors.h"
#include "grid/SearchPanel.h"
#include "grid/SortSettings.h"
#include "grid/ZirOvararIzazInput.h"
#include "os/Shell.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string StateLine(TZirOvararIzazInput* Grid) {
    const bool Editing = Grid->EditMode();
    const String Editor = Editing && Grid->NormalEdit() ? Grid->NormalEdit()->Text() : String();
    return "state " + std::to_string(Grid->Col()) + " " + std::to_string(Grid->Row()) + " " +
           (Editing ? "1" : "0") + " [" + Utf8(Editor) + "] [" + Utf8(Grid->Cells(1, 1)) + "|" +
           Utf8(Grid->Cells(2, 1)) + "|" + Utf8(Grid->Cells(3, 1)) + "|" + Utf8(Grid->Cells(1, 2)) + "]";
}

std::string SpecialLine(TZirOvararIzazInput* Grid) {
    TGridCombo* Combo = Grid->Combobox();
    const bool Open = Combo && Combo->DroppedDown();
    return "special " + std::to_string(Grid->Col()) + " " + std::to_string(Grid->Row()) + " " +
           (Grid->EditMode() ? "1" : "0") + " " + (Open ? "1" : "0") + " [" + Utf8(Grid->Cells(4, 1)) + "|" +
           Utf8(Grid->Cells(5, 1)) + "]";
}

std::string SearchLine(TZirOvararIzazInput* Grid) {
    TSearchPanel* Panel = Grid->SearchPanel();
    return "search " + std::to_string(Grid->Col()) + " " + std::to_string(Grid->Row()) + " " +
           (Panel->Edit()->Focused() ? "1" : "0") + " [" + Utf8(Panel->Edit()->Text()) + "] [" +
           Utf8(Panel->ResultLabel()->Caption()) + "]";
}

// The fruit grid with the search footer shown.
void SetUpSearch(TZirOvararIzazInput* Grid) {
    Grid->SetColCount(4);
    Grid->SetRowCount(6);
    const char16_t* const Rows[][3] = {{u"apple", u"plum", u"fig"},
                                       {u"cherry", u"lime", u"date"},
                                       {u"kiwi", u"pear", u"melon"},
                                       {u"mango", u"grape", u"prickly pear"},
                                       {u"lemon", u"quince", u"peach"}};
    for (Integer r = 0; r < 5; ++r)
        for (Integer c = 0; c < 3; ++c) Grid->SetCells(c + 1, r + 1, Rows[r][c]);
    TSearchFooter* Footer = Grid->SearchFooter();
    Footer->SetShowResults(true);
    Footer->SetFindNextCaption(u"Next");
    Footer->SetFindPrevCaption(u"Previous");
    Footer->SetHighLightCaption(u"Highlight");
    Footer->SetMatchCaseCaption(u"Match case");
    Footer->SetVisible(true);
}

// The sortable fruit grid of the mouse mode.
void SetUpMouse(TZirOvararIzazInput* Grid) {
    Grid->SetColCount(4);
    Grid->SetRowCount(5);
    for (Integer c = 0; c < 4; ++c) Grid->SetColWidths(c, c == 0 ? 40 : 110);
    TGridOptions Options = Grid->Options();
    Options.Exclude(goEditing);
    Options.Include(goColSizing);
    Options.Include(goColMoving);
    Grid->SetOptions(Options);
    Grid->OnGetEditorType = nullptr;
    const char16_t* const Rows[][3] = {{u"pear", u"3", u"http://example.org/fruit"},
                                       {u"apple", u"12", u"x"},
                                       {u"the longest fruit name", u"7", u"y"},
                                       {u"kiwi", u"1", u"z"}};
    Grid->SetCells(1, 0, u"Name");
    Grid->SetCells(2, 0, u"Size");
    Grid->SetCells(3, 0, u"Link");
    for (Integer r = 0; r < 4; ++r)
        for (Integer c = 0; c < 3; ++c) Grid->SetCells(c + 1, r + 1, Rows[r][c]);
    Grid->SetURLShow(true);
    Grid->SortSettings()->SetShow(true);
    os::SetShellOpenHook([](const String& Target) {
        std::printf("open %s\n", Utf8(Target).c_str());
        std::fflush(stdout);
        return true;
    });
}

std::string MouseLine(TZirOvararIzazInput* Grid) {
    std::string Rows, Heads, Widths;
    for (Integer r = 1; r < Grid->RowCount(); ++r) Rows += (r > 1 ? "," : "") + Utf8(Grid->Cells(1, r));
    for (Integer c = 1; c < Grid->ColCount(); ++c) {
        Heads += (c > 1 ? "," : "") + Utf8(Grid->Cells(c, 0));
        Widths += (c > 1 ? "," : "") + std::to_string(Grid->ColWidths(c));
    }
    return "mouse [" + Rows + "] [" + Heads + "] [" + Widths + "]";
}

} // namespace

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const bool Search = argc > 2 && std::string(argv[2]) == "search";
    const bool Mouse = argc > 2 && std::string(argv[2]) == "mouse";
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetCaption(u"Input grid demo");
    Form->SetBounds(40, 40, 640, 260);

    auto* Grid = Create<TZirOvararIzazInput>(Form);
    Grid->SetParent(Form);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetBounds(0, 0, 640, 260);
    Grid->SetAlign(alClient);
    Grid->SetColCount(6);
    Grid->SetRowCount(5);
    for (Integer c = 0; c < 6; ++c) Grid->SetColWidths(c, c == 0 ? 40 : 110);
    TGridOptions Options = Grid->Options();
    Options.Include(goEditing);
    Grid->SetOptions(Options);
    TNavigationSettings& Nav = Grid->Navigation()->PlainSettings();
    Nav.AdvanceOnEnter = true;
    Nav.AdvanceDirection = adTopBottom;
    Nav.AdvanceAutoEdit = false;
    Grid->SetCells(1, 0, u"Amount");
    Grid->SetCells(2, 0, u"Date");
    Grid->SetCells(3, 0, u"Note");
    Grid->SetCells(1, 1, u"1.5");
    Grid->SetCells(3, 1, u"keep");
    Grid->SetCells(4, 0, u"Fruit");
    Grid->SetCells(5, 0, u"Day");
    Grid->SetCells(4, 1, u"Apple");
    Grid->SetCells(5, 1, DateToStr(EncodeDate(2026, 1, 1)));
    Grid->OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& Kind) {
        if (ACol == 1) Kind = edFloat;
        if (ACol == 4) Kind = edComboList;
        if (ACol == 5) Kind = edDateEdit;
    };
    Grid->OnGetEditorProp = [Grid](TObject*, Integer ACol, Integer, TObject*) {
        if (ACol != 4) return;
        Grid->ClearComboString();
        for (const char16_t* Item : {u"Apple", u"Banana", u"Cherry"}) Grid->AddComboString(Item);
    };
    Grid->DateTimePicker()->SetFormat(u"dd-MM-yyyy");
    Grid->OnGetEditMask = [](TObject*, Integer ACol, Integer, String& Value) {
        if (ACol == 2) Value = u"90-LLL-0000";
    };
    if (Search) SetUpSearch(Grid);
    if (Mouse) SetUpMouse(Grid);

    auto* Quit = Create<TTimer>(Form);
    Quit->SetInterval(Cardinal(Seconds) * 1000);
    Quit->OnTimer = [](TObject*) { Application->Terminate(); };
    Quit->SetEnabled(true);

    Form->Show();
    Application->ProcessMessages();
    // The grid has the focus and another cell is current, so that a click
    // on a cell of row 1 moves there without opening its editor.
    Grid->SetFocus();
    Grid->FocusCell(Search ? 1 : 3, Search ? 1 : 3);
    Application->ProcessMessages();
    if (Search) {
        TSearchPanel* Panel = Grid->SearchPanel();
        TLabel* Label = Panel->ResultLabel();
        const TPoint P = Panel->ClientToScreen(TPoint(Label->Left(), 0));
        std::printf("label %d %d %d %d\n", int(P.X), int(P.Y), int(Panel->Width() - Label->Left()),
                    int(Panel->Height()));
    }
    auto Screen = [Grid](TRect R) {
        return Grid->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    };
    if (Mouse) {
        for (Integer c = 1; c < 4; ++c) {
            const TPoint P = Screen(Grid->CellRect(c, 0));
            std::printf("head %d %d %d\n", int(c), int(P.X), int(P.Y));
        }
        const TRect R = Grid->CellRect(2, 0);
        const TPoint B = Grid->ClientToScreen(TPoint(R.Left, (R.Top + R.Bottom) / 2));
        std::printf("border %d %d\n", int(B.X), int(B.Y));
        const TRect L = Grid->CellRect(3, 1);
        const TPoint P = Grid->ClientToScreen(TPoint(L.Left + 12, (L.Top + L.Bottom) / 2));
        std::printf("link %d %d\n", int(P.X), int(P.Y));
    }
    for (Integer c = 1; c < 6 && !Search && !Mouse; ++c) {
        const TRect R = Grid->CellRect(c, 1);
        const TPoint P = Grid->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
        std::printf("cell %d 1 %d %d\n", int(c), int(P.X), int(P.Y));
    }
    if (!Search && !Mouse) std::printf("march5 %s\n", Utf8(DateToStr(EncodeDate(2026, 3, 5))).c_str());
    std::printf("ready\n");
    std::fflush(stdout);

    std::string Last, LastSpecial;
    auto* Watch = Create<TTimer>(Form);
    Watch->SetInterval(50);
    Watch->OnTimer = [&](TObject*) {
        if (Mouse) {
            const std::string Line = MouseLine(Grid);
            if (Line == Last) return;
            Last = Line;
            std::printf("%s\n", Line.c_str());
            std::fflush(stdout);
            return;
        }
        if (Search) {
            const std::string Line = SearchLine(Grid);
            if (Line == Last) return;
            Last = Line;
            std::printf("%s\n", Line.c_str());
            std::fflush(stdout);
            return;
        }
        const std::string Line = StateLine(Grid);
        if (Line != Last) {
            Last = Line;
            std::printf("%s\n", Line.c_str());
        }
        const std::string Special = SpecialLine(Grid);
        if (Special != LastSpecial) {
            LastSpecial = Special;
            std::printf("%s\n", Special.c_str());
        }
        std::fflush(stdout);
    };
    Watch->SetEnabled(true);
    Application->Run();
    return 0;
}
