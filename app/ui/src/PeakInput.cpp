#include "ui/PeakInput.h"

#include "core/CropGroupCache.h"
#include "core/Project.h"
#include "core/TextChecks.h"
#include "core/UserInteraction.h"
#include "grid/VarErozidOvur.h"
#include "rtl/Convert.h"
#include "rtl/FormatSettings.h"
#include "rtl/StringList.h"

#include <cmath>

void InitCausedByItems(TVarErozidOvur& Grid) {
    TStringList Items;
    Items.Add(u"spray drift");
    Items.Add(u"drainage");
    Grid.Columns()->Items(PeakColCausedBy)->SetComboItems(&Items);
}

void SetGroupingChoices(TVarErozidOvur& Grid, Integer ARow) {
    TStringList Names;
    if (ARow >= 1 && ARow < Grid.RowCount()) GetKorvalisCropNames(Grid.Cells(PeakColCrop, ARow), Names);
    Grid.Columns()->Items(PeakColGrouping)->SetComboItems(&Names);
}

String MultipleGroupingWarning() {
    return String(u"Two or more FOCUS-SW D3-crops are connected to the same Korvalis crop") +
           u" grouping, only the FOCUS-SW D3-crop with the highest PEC_FOCUS_NL,D3" +
           u" will be used for the calculation of the PEC_Tier I at the abstraction points.";
}

void SetUpPeakGrid(TVarErozidOvur& Grid) {
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(0);
    Grid.SetDefaultRowHeight(21);
    TGridOptions Options = Grid.Options();
    Options.Include(goEditing);
    Options.Include(goAlwaysShowEditor);
    Grid.SetOptions(Options);
}

bool CheckPeakRows(TVarErozidOvur& Grid, TTRAVOProject& Project, bool TakeGrouping) {
    for (Integer Row = 1; Row < Grid.RowCount(); ++Row) {
        const String Crop = Grid.Cells(PeakColCrop, Row);
        TRun* Run = Project.getRun(Crop);
        for (Integer Col : {PeakColPeak, PeakColDate, PeakColCausedBy})
            if (Grid.Cells(Col, Row).empty()) {
                Grid.FocusCell(Col, Row);
                throw Exception(u"Enter a value");
            }
        Double Peak = 0;
        if (!TryStrToFloat(Grid.Cells(PeakColPeak, Row), Peak, FormatSettings)) {
            Grid.FocusCell(PeakColPeak, Row);
            throw Exception(u"Invalid input");
        }
        if (Run) Run->PEC_peak = Peak;
        if (std::isnan(Peak) || Peak < 0.001 || Peak > 1000000) {
            if (!Confirm(u"Are you sure the PEC value for crop " + Crop + u" is correct?")) {
                Grid.FocusCell(PeakColPeak, Row);
                return false;
            }
        }
        if (!IsValidDayMonthYear(Grid.Cells(PeakColDate, Row))) {
            Grid.FocusCell(PeakColDate, Row);
            throw Exception(u"Invalid Date peak");
        }
        if (!Run) continue;
        if (TakeGrouping) {
            const String Grouping = Grid.Cells(PeakColGrouping, Row);
            Run->KorvalisCrop()->KV_NameE = Grouping;
            Run->KorvalisCrop()->ID = GetKorvalisCropID(Crop, Grouping);
        }
        Run->Date_peak = Grid.Cells(PeakColDate, Row);
        Run->sCausedBy = Grid.Cells(PeakColCausedBy, Row);
        Run->valid = true;
    }
    return true;
}
