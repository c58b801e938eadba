// One form holding every standard control, on whichever backend is chosen:
// the controls in their normal look, one focused, some disabled and some
// pressed or down; a data-aware grid and navigator over a small SQLite table
// of crops. It prints "at <name> <left> <top> <width> <height>" (the
// bounds in screen pixels) for the controls a test looks at, then "ready" once the form is
// painted, and "click <name>" when a push button is clicked; it ends when
// its time (argument 1, seconds; default 30) is up. Argument 2, when given,
// is a PNG file the form's surface is saved to once it is painted. The
// screenshot test runs it under Xvfb.

#include "data/ADODataSet.h"
#include "data/Connection.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBNavigator.h"
#include "graphics/Colors.h"
#include "rtl/Encoding.h"
#include "vcl/Buttons.h"
#include "vcl/CheckLst.h"
#include "vcl/DateTimePicker.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/GroupBox.h"
#include "vcl/Image.h"
#include "vcl/Mask.h"
#include "vcl/PageControl.h"
#include "vcl/ScrollBox.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timer.h"
#include "vcl/TrackBar.h"
#include "windowing/Backend.h"
#include "windowing/Paint.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace {

template <class T>
T* Place(TWinControl* Parent, Integer Left, Integer Top, Integer Width, Integer Height,
         const String& Caption = String()) {
    auto* Control = Create<T>(GetParentForm(Parent) ? static_cast<TComponent*>(GetParentForm(Parent))
                                                     : static_cast<TComponent*>(Parent));
    Control->SetParent(Parent);
    Control->SetBounds(Left, Top, Width, Height);
    if (!Caption.empty()) Control->SetCaption(Caption);
    return Control;
}

// Where the control's bounds (frame included) are on the screen.
void Report(const char* Name, const TControl* Control) {
    TPoint P = Control->Parent() ? Control->Parent()->ClientToScreen({Control->Left(), Control->Top()})
                                 : TPoint{Control->Left(), Control->Top()};
    std::printf("at %s %d %d %d %d\n", Name, P.X, P.Y, Control->Width(), Control->Height());
}

// A crops table of 40 rows in a database file of its own.
std::string MakeCropsDatabase() {
    std::string Template = (std::filesystem::temp_directory_path() / "vandrel-controls-XXXXXX").string();
    std::string Folder = mkdtemp(Template.data());
    std::string Path = Folder + "/crops.db";
    sqlite3* Db = nullptr;
    sqlite3_open(Path.c_str(), &Db);
    sqlite3_exec(Db,
                 "CREATE TABLE Crops(CropID INTEGER PRIMARY KEY, Crop TEXT, Area REAL);"
                 "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < 40) "
                 "INSERT INTO Crops SELECT I, CASE I % 4 WHEN 0 THEN 'Maize' WHEN 1 THEN 'Winter wheat' "
                 "WHEN 2 THEN 'Potatoes' ELSE 'Sugar beet' END || ' ' || I, I * 2.5 FROM N;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(Db);
    return Path;
}

} // namespace

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const std::string PngFile = argc > 2 ? argv[2] : "";
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    const std::string Database = MakeCropsDatabase();

    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(10, 10, 780, 600);

    // ---- Edits, labels, buttons and boxes ----
    auto* Label = Place<TLabel>(Form, 10, 13, 60, 17, u"&Name:");
    auto* Edit = Place<TEdit>(Form, 70, 10, 130, 21);
    Edit->SetText(u"Drinking water");
    Label->SetFocusControl(Edit);
    auto* OffEdit = Place<TEdit>(Form, 70, 38, 130, 21);
    OffEdit->SetText(u"Disabled edit");
    OffEdit->SetEnabled(false);
    auto* Mask = Place<TMaskEdit>(Form, 70, 66, 130, 21);
    Mask->SetEditMask(u"00/00/0000;1;_");
    Mask->SetText(u"11/12/2026");
    auto* Ok = Place<TButton>(Form, 210, 9, 80, 25, u"OK");
    Ok->SetDefault(true);
    auto* Press = Place<TButton>(Form, 210, 37, 80, 25, u"&Press");
    Press->OnClick = [](TObject*) {
        std::printf("click Press\n");
        std::fflush(stdout);
    };
    auto* OffButton = Place<TButton>(Form, 210, 65, 80, 25, u"Disabled");
    OffButton->SetEnabled(false);
    auto* Check = Place<TCheckBox>(Form, 10, 96, 120, 17, u"Check box");
    Check->SetChecked(true);
    auto* OffCheck = Place<TCheckBox>(Form, 10, 116, 120, 17, u"Disabled check");
    OffCheck->SetChecked(true);
    OffCheck->SetEnabled(false);
    auto* Radio = Place<TRadioButton>(Form, 140, 96, 110, 17, u"Radio button");
    Radio->SetChecked(true);
    Place<TRadioButton>(Form, 140, 116, 110, 17, u"Other choice");
    auto* Memo = Place<TMemo>(Form, 10, 140, 140, 60);
    Memo->Lines()->SetText(u"A memo of\r\nthree\r\nlines");
    auto* List = Place<TListBox>(Form, 160, 140, 130, 60);
    List->Items()->SetCommaText(u"Maize,\"Winter wheat\",Potatoes,\"Sugar beet\"");
    List->SetItemIndex(1);
    auto* Combo = Place<TComboBox>(Form, 10, 208, 140, 21);
    Combo->Items()->SetCommaText(u"Rhine,Meuse,Scheldt");
    Combo->SetItemIndex(0);
    auto* ListCombo = Place<TComboBox>(Form, 160, 208, 130, 21);
    ListCombo->SetStyle(csDropDownList);
    ListCombo->Items()->SetCommaText(u"Spring,Summer,Autumn");
    ListCombo->SetItemIndex(1);
    auto* Bar = Place<TScrollBar>(Form, 10, 238, 280, 17);
    Bar->SetPosition(40);
    auto* Picker = Place<TDateTimePicker>(Form, 10, 262, 140, 21);
    (void)Picker;

    // ---- Containers, pictures, speed buttons, track bar, check list ----
    auto* Panel = Place<TPanel>(Form, 300, 9, 150, 45, u"Panel");
    Panel->SetBevelInner(bvLowered);
    auto* Group = Place<TGroupBox>(Form, 300, 60, 150, 70, u"Group box");
    Place<TRadioButton>(Group, 10, 20, 120, 17, u"In the group")->SetChecked(true);
    Place<TCheckBox>(Group, 10, 42, 120, 17, u"Also here");
    auto* Static = Place<TStaticText>(Form, 300, 138, 150, 19, u"Static text");
    Static->SetBorderStyle(sbsSunken);
    auto* Box = Place<TScrollBox>(Form, 300, 164, 150, 90);
    Place<TButton>(Box, 10, 10, 100, 25, u"In a scroll box");
    Place<TEdit>(Box, 10, 120, 100, 21)->SetText(u"Further down");
    auto* Flat = Place<TSpeedButton>(Form, 460, 9, 70, 25, u"Flat");
    Flat->SetFlat(true);
    auto* Up = Place<TSpeedButton>(Form, 535, 9, 70, 25, u"Up");
    Up->SetGroupIndex(1);
    auto* Down = Place<TSpeedButton>(Form, 610, 9, 70, 25, u"Down");
    Down->SetGroupIndex(1);
    Down->SetDown(true);
    auto* Bit = Place<TBitBtn>(Form, 685, 9, 85, 25);
    Bit->SetKind(bkCancel);
    auto* OkBit = Place<TBitBtn>(Form, 685, 39, 85, 25);
    OkBit->SetKind(bkOK);
    auto* Image = Place<TImage>(Form, 460, 40, 60, 60);
    {
        TBitmap Picture;
        Picture.SetSize(30, 30);
        Picture.Canvas()->Brush()->SetColor(clTeal);
        Picture.Canvas()->FillRect({0, 0, 30, 30});
        Picture.Canvas()->Brush()->SetColor(clYellow);
        Picture.Canvas()->Ellipse(5, 5, 25, 25);
        Image->Picture()->SetGraphic(&Picture);
    }
    Image->SetStretch(true);
    auto* Track = Place<TTrackBar>(Form, 525, 40, 155, 45);
    Track->SetPosition(4);
    auto* OffTrack = Place<TTrackBar>(Form, 525, 88, 155, 45);
    OffTrack->SetPosition(7);
    OffTrack->SetEnabled(false);
    auto* Checks = Place<TCheckListBox>(Form, 460, 138, 150, 80);
    Checks->SetAllowGrayed(true);
    Checks->Items()->SetCommaText(u"Run-off,Drainage,\"Spray drift\"");
    Checks->SetChecked(0, true);
    Checks->SetState(2, cbGrayed);
    Checks->SetItemIndex(1);

    // ---- Pages, the string grid, the data-aware grid and navigator ----
    auto* Pages = Place<TPageControl>(Form, 10, 292, 280, 150);
    for (const char16_t* Caption : {u"General", u"Crops", u"Hidden"}) {
        auto* Sheet = Create<TTabSheet>(Form);
        Sheet->SetPageControl(Pages);
        Sheet->SetCaption(Caption);
    }
    Pages->Pages(2)->SetTabVisible(false);
    Place<TCheckBox>(Pages->Pages(0), 10, 10, 150, 17, u"On the first sheet")->SetChecked(true);
    Place<TEdit>(Pages->Pages(0), 10, 36, 150, 21)->SetText(u"Sheet edit");
    auto* Grid = Place<TStringGrid>(Form, 300, 262, 150, 180);
    Grid->SetColCount(3);
    Grid->SetRowCount(6);
    Grid->SetDefaultColWidth(45);
    Grid->SetCells(1, 0, u"Year");
    Grid->SetCells(2, 0, u"PEC");
    Grid->SetCells(1, 1, u"2026");
    Grid->SetCells(2, 1, u"0.12");

    auto* Connection = Create<TADOConnection>(Form);
    Connection->SetLoginPrompt(false);
    Connection->SetConnectionString(u"Provider=SQLite;Data Source=" + FromUtf8(Database));
    Connection->Open();
    auto* Table = Create<TADOTable>(Form);
    Table->SetConnection(Connection);
    Table->SetTableName(u"Crops");
    Table->SetIndexFieldNames(u"CropID");
    auto* Source = Create<TDataSource>(Form);
    Source->SetDataSet(Table);
    auto* DBGrid = Place<TDBGrid>(Form, 460, 262, 310, 180);
    DBGrid->SetColor(clInfoBk);
    TColumn* CropColumn = DBGrid->Columns()->Add();
    CropColumn->SetFieldName(u"Crop");
    CropColumn->SetTitleCaption(u"Crop");
    CropColumn->SetWidth(150);
    TColumn* AreaColumn = DBGrid->Columns()->Add();
    AreaColumn->SetFieldName(u"Area");
    AreaColumn->SetTitleCaption(u"Area (ha)");
    AreaColumn->SetWidth(90);
    AreaColumn->SetAlignment(taRightJustify);
    DBGrid->SetDataSource(Source);
    auto* Navigator = Place<TDBNavigator>(Form, 460, 446, 200, 25);
    Navigator->SetVisibleButtons(TNavButtonSet{nbFirst, nbPrior, nbNext, nbLast, nbDelete});
    Navigator->SetDataSource(Source);
    Table->Open();
    Table->SetRecNo(3);

    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(Cardinal(Seconds) * 1000);
    Timer->OnTimer = [](TObject*) { Application->Terminate(); };
    Timer->SetEnabled(true);

    Form->Show();
    ListCombo->SetFocus();
    Application->ProcessMessages();
    Report("Form", Form);
    Report("Ok", Ok);
    Report("Press", Press);
    Report("OffButton", OffButton);
    Report("OffEdit", OffEdit);
    Report("Edit", Edit);
    Report("ListCombo", ListCombo);
    Report("OffCheck", OffCheck);
    Report("Down", Down);
    Report("Flat", Flat);
    Report("Image", Image);
    Report("Static", Static);
    Report("Group", Group);
    Report("Pages", Pages);
    Report("List", List);
    Report("DBGrid", DBGrid);
    Report("Navigator", Navigator);
    if (!PngFile.empty()) SaveWindowToPng(Form->Handle(), FromUtf8(PngFile));
    std::printf("ready\n");
    std::fflush(stdout);
    Application->Run();
    Table->Close();
    Connection->Close();
    std::filesystem::remove_all(std::filesystem::path(Database).parent_path());
    return 0;
}
