// Cells read and written as integers, numbers, dates and times, and the
// values of form controls inside a cell's markup.

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazCore.h"
#include "gridbase/MarkupControls.h"
#include "gridbase/MarkupText.h"
#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"

#include <cmath>

namespace {

const char16_t* const NoInteger = u"Cell does not contain integer value";
const char16_t* const NoFloat = u"Cell does not contain a float value";

bool CountsAsZero(const String& Text) {
    return Text.empty() || Text == u"-";
}

// A number in "." notation with an optional exponent and no thousands
// separators, as the platform's conversion reads it.
bool ParsePlainFloat(const String& Text, Double& Value) {
    return TryStrToFloat(Text, Value, TFormatSettings::Invariant());
}

Integer ParseIntegerText(const String& Text, bool AllowFraction) {
    if (CountsAsZero(Text)) return 0;
    const bool HasSeparator = Text.find(GridDecimalSeparator()) != String::npos ||
                              Text.find(GridThousandSeparator()) != String::npos;
    if (AllowFraction && HasSeparator) {
        Double Value = 0;
        if (!ParsePlainFloat(Text, Value) || !std::isfinite(Value) || std::fabs(Value) > 2147483647.0)
            throw EKelGridError(NoInteger);
        return Integer(Round(Value));
    }
    Integer Value = 0;
    if (!TryStrToInt(Text, Value)) throw EKelGridError(NoInteger);
    return Value;
}

// A displayed number ("(12.50)", "EUR 3.25") read as a double. An empty
// text or a lone minus reads 0; any other text must yield a number.
Double ParseFloatText(const String& Text) {
    const String Trimmed = Trim(Text);
    if (CountsAsZero(Trimmed)) return 0;
    const String Normal = NormalizeNumberText(Trimmed);
    Double Value = 0;
    if (CountsAsZero(Normal) || !ParsePlainFloat(Normal, Value)) throw EKelGridError(NoFloat);
    return Value;
}

} // namespace

TGridItem* TZirOvararIzazCore::HiddenEntryOf(Integer RealRow) const {
    if (NumHiddenRows() == 0) return nullptr;
    const auto& H = HiddenLookup();
    const auto Found = std::lower_bound(H.begin(), H.end(), RealRow);
    if (Found == H.end() || *Found != RealRow) return nullptr;
    return HiddenItem(Integer(Found - H.begin()));
}

String TZirOvararIzazCore::AllCells(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return String();
    if (TGridItem* Entry = HiddenEntryOf(ARow)) {
        // A hidden row's stored texts grow to the column asked for, and are
        // shown as a displayed cell's would be.
        TStringList* Items = Entry->Items();
        while (Items->Count() <= ACol) Items->Add(String());
        String Value = Items->Strings(ACol);
        GetDisplText(ACol, ARow, Value);
        return Value;
    }
    return Cells(ACol, DisplRowIndex(ARow));
}

void TZirOvararIzazCore::SetAllCells(Integer ACol, Integer ARow, const String& Value) {
    if (ACol < 0 || ARow < 0) return;
    if (TGridItem* Entry = HiddenEntryOf(ARow)) {
        TStringList* Items = Entry->Items();
        while (Items->Count() <= ACol) Items->Add(String());
        Items->SetStrings(ACol, Value);
        return;
    }
    SetCells(ACol, DisplRowIndex(ARow), Value);
    if (RealToDisplColumn(ACol) != ACol) RepaintCell(RealToDisplColumn(ACol), DisplRowIndex(ARow));
}

String TZirOvararIzazCore::GetCellsEx(Integer ACol, Integer ARow) {
    return AllCells(ACol, ARow);
}

TCellProperties* TZirOvararIzazCore::GetRealObject(Integer ACol, Integer ARow) {
    if (TGridItem* Entry = HiddenEntryOf(ARow)) {
        TStringList* Items = Entry->Items();
        return ACol >= 0 && ACol < Items->Count() ? dynamic_cast<TCellProperties*>(Items->Objects(ACol)) : nullptr;
    }
    return RecordOf(ACol, DisplRowIndex(ARow));
}

String TZirOvararIzazCore::StrippedCells(Integer ACol, Integer ARow) {
    return MarkupToPlainText(Cells(ACol, ARow));
}

Integer TZirOvararIzazCore::Ints(Integer ACol, Integer ARow) {
    return ParseIntegerText(Trim(StrippedCells(ACol, ARow)), true);
}

void TZirOvararIzazCore::SetInts(Integer ACol, Integer ARow, Integer Value) {
    SetCells(ACol, ARow, IntToStr(Value));
    if (FNumHidden > 0) RepaintCell(RealToDisplColumn(ACol), ARow);
}

Integer TZirOvararIzazCore::AllInts(Integer ACol, Integer ARow) {
    return ParseIntegerText(Trim(AllCells(ACol, ARow)), false);
}

void TZirOvararIzazCore::SetAllInts(Integer ACol, Integer ARow, Integer Value) {
    SetAllCells(ACol, ARow, IntToStr(Value));
}

Double TZirOvararIzazCore::Floats(Integer ACol, Integer ARow) {
    return ParseFloatText(MarkupToPlainText(Cells(ACol, ARow)));
}

void TZirOvararIzazCore::SetFloats(Integer ACol, Integer ARow, Double Value) {
    SetCells(ACol, ARow, Format(FFloatFormat, {Value}));
}

Double TZirOvararIzazCore::AllFloats(Integer ACol, Integer ARow) {
    return ParseFloatText(AllCells(ACol, ARow));
}

void TZirOvararIzazCore::SetAllFloats(Integer ACol, Integer ARow, Double Value) {
    SetAllCells(ACol, ARow, Format(FFloatFormat, {Value}));
}

TDateTime TZirOvararIzazCore::Dates(Integer ACol, Integer ARow) {
    return StrToDate(Cells(ACol, ARow));
}

void TZirOvararIzazCore::SetDates(Integer ACol, Integer ARow, TDateTime Value) {
    if (Value > 0 || std::isnan(Value) || FShowNullDates)
        SetCells(ACol, ARow, FormatDateTime(GridShortDateFormat(), Value));
    else
        SetCells(ACol, ARow, String());
}

TDateTime TZirOvararIzazCore::Times(Integer ACol, Integer ARow) {
    return StrToTime(Cells(ACol, ARow));
}

void TZirOvararIzazCore::SetTimes(Integer ACol, Integer ARow, TDateTime Value) {
    SetCells(ACol, ARow, FormatDateTime(GridLongTimeFormat(), Value));
}

TDateTime TZirOvararIzazCore::DateTimes(Integer ACol, Integer ARow) {
    TDateTime Value = 0;
    const String Text = Cells(ACol, ARow);
    if (Text.empty() || !TryStrToDateTime(Text, Value)) return 0;
    return Value;
}

void TZirOvararIzazCore::SetDateTimes(Integer ACol, Integer ARow, TDateTime Value) {
    if (Value > 0 || std::isnan(Value) || FShowNullDates)
        SetCells(ACol, ARow, FormatDateTime(GridShortDateFormat() + u" " + GridShortTimeFormat(), Value));
    else
        SetCells(ACol, ARow, String());
}

String TZirOvararIzazCore::ControlValues(Integer ACol, Integer ARow, const String& ID) {
    String Value;
    if (!GetMarkupControlValue(Cells(ACol, ARow), ID, Value)) return String();
    return Value;
}

void TZirOvararIzazCore::SetControlValues(Integer ACol, Integer ARow, const String& ID, const String& Value) {
    String Text = Cells(ACol, ARow);
    if (SetMarkupControlValue(Text, ID, Value)) SetCells(ACol, ARow, Text);
}

void TZirOvararIzazCore::DoGetFloatFormat(Integer ACol, Integer ARow, String& AFloatFormat) {
    AFloatFormat = FFloatFormat;
    if (!OnGetFloatFormat) return;
    bool IsFloat = false;
    String Format;
    OnGetFloatFormat(this, ACol, ARow, IsFloat, Format);
    if (IsFloat) AFloatFormat = Format;
}
