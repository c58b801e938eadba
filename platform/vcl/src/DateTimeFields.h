#pragma once
// The fields of a date-time picker's display format: parsing the format,
// the text of each field for a value, and changing one field of a value.

#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"

#include <vector>

namespace detail {

enum class TFieldKind { Literal, Day, DayName, Month, Year, Hour12, Hour24, Minute, Second, AmPm };

struct TFieldPart {
    TFieldKind Kind = TFieldKind::Literal;
    Integer Width = 0; // the number of format letters (dd: 2)
    String Literal;
};

class TDateTimeFields {
public:
    // Format in the picker's own language (see DateTimePicker.h).
    explicit TDateTimeFields(const String& Format);
    // A format of the program's settings (M or m month, n or m after h
    // minutes, AMPM) in the picker's language.
    static String FromProgramFormat(const String& Format, bool Time, const TFormatSettings& Settings);

    const std::vector<TFieldPart>& Parts() const { return FParts; }
    // The parts the user can choose, as indexes into Parts.
    const std::vector<Integer>& Editable() const { return FEditable; }

    String PartText(const TFieldPart& Part, TDateTime Value) const;
    String Text(TDateTime Value) const;

    // The value with the part stepped by Delta, wrapping within the field
    // (the year does not wrap).
    TDateTime Step(const TFieldPart& Part, TDateTime Value, Integer Delta) const;
    // The value with the part set to Number (for an hour of a 12-hour clock
    // Number is 1-12 in the value's half of the day); false when that is
    // no valid date and time.
    bool SetPart(const TFieldPart& Part, TDateTime Value, Integer Number, TDateTime& Result) const;
    // How many digits complete the part (0: it takes no digits).
    static Integer Digits(const TFieldPart& Part);
    // The largest number the part takes.
    static Integer Largest(const TFieldPart& Part);

private:
    std::vector<TFieldPart> FParts;
    std::vector<Integer> FEditable;
};

} // namespace detail
