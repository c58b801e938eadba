// The fields of a date-time picker's display format.

#include "DateTimeFields.h"

#include "rtl/Convert.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <cmath>

namespace detail {

namespace {

Integer RunLength(const String& Format, size_t At) {
    size_t End = At;
    while (End < Format.size() && Format[End] == Format[At]) ++End;
    return Integer(End - At);
}

String Padded(Integer Number, Integer Width) {
    String Text = IntToStr(Number);
    while (Integer(Text.size()) < Width) Text.insert(Text.begin(), u'0');
    return Text;
}

struct TParts {
    Word Year, Month, Day, Hour, Minute, Second, MSec;
};

TParts Split(TDateTime Value) {
    TParts P;
    DecodeDateTime(Value, P.Year, P.Month, P.Day, P.Hour, P.Minute, P.Second, P.MSec);
    return P;
}

bool Join(TParts P, TDateTime& Result) {
    if (P.Year < 1 || P.Year > 9999 || P.Month < 1 || P.Month > 12) return false;
    if (P.Day < 1 || P.Day > DaysInAMonth(P.Year, P.Month)) return false;
    return TryEncodeDateTime(P.Year, P.Month, P.Day, P.Hour, P.Minute, P.Second, P.MSec, Result);
}

// Keeps the day within a month that changed under it.
void ClampDay(TParts& P) {
    P.Day = std::min<Word>(P.Day, DaysInAMonth(P.Year, P.Month));
}

Integer Wrap(Integer Value, Integer Low, Integer High) {
    Integer Span = High - Low + 1;
    return Low + ((Value - Low) % Span + Span) % Span;
}

} // namespace

TDateTimeFields::TDateTimeFields(const String& Format) {
    auto AddLiteral = [this](const String& Text) {
        if (Text.empty()) return;
        if (!FParts.empty() && FParts.back().Kind == TFieldKind::Literal)
            FParts.back().Literal += Text;
        else
            FParts.push_back({TFieldKind::Literal, 0, Text});
    };
    size_t I = 0;
    while (I < Format.size()) {
        Char C = Format[I];
        if (C == u'\'') {
            // Quoted text; two quotes stand for one.
            String Text;
            ++I;
            while (I < Format.size()) {
                if (Format[I] == u'\'') {
                    if (I + 1 < Format.size() && Format[I + 1] == u'\'') {
                        Text += u'\'';
                        I += 2;
                        continue;
                    }
                    ++I;
                    break;
                }
                Text += Format[I++];
            }
            AddLiteral(Text);
            continue;
        }
        Integer Run = RunLength(Format, I);
        TFieldKind Kind = TFieldKind::Literal;
        switch (C) {
        case u'd': Kind = Run <= 2 ? TFieldKind::Day : TFieldKind::DayName; break;
        case u'M': Kind = TFieldKind::Month; break;
        case u'y': Kind = TFieldKind::Year; break;
        case u'h': Kind = TFieldKind::Hour12; break;
        case u'H': Kind = TFieldKind::Hour24; break;
        case u'm': Kind = TFieldKind::Minute; break;
        case u's': Kind = TFieldKind::Second; break;
        case u't': Kind = TFieldKind::AmPm; break;
        default: break;
        }
        if (Kind == TFieldKind::Literal) {
            AddLiteral(Format.substr(I, size_t(Run)));
        } else {
            FEditable.push_back(Integer(FParts.size()));
            FParts.push_back({Kind, Run, {}});
        }
        I += size_t(Run);
    }
}

String TDateTimeFields::FromProgramFormat(const String& Format, bool Time, const TFormatSettings& Settings) {
    String Upper = UpperCase(Format);
    bool TwelveHours = Upper.find(u"AMPM") != String::npos || Upper.find(u"AM/PM") != String::npos ||
                       Upper.find(u"A/P") != String::npos;
    String Result;
    bool AfterHour = false;
    for (size_t I = 0; I < Format.size();) {
        Char C = Format[I];
        Char U = C >= u'a' && C <= u'z' ? Char(C - 32) : C;
        if (C == u'"' || C == u'\'') {
            size_t End = Format.find(C, I + 1);
            if (End == String::npos) End = Format.size();
            Result += u'\'' + Format.substr(I + 1, End - I - 1) + u'\'';
            I = End + 1;
            continue;
        }
        if (Upper.compare(I, 4, u"AMPM") == 0 || Upper.compare(I, 5, u"AM/PM") == 0) {
            Result += u"tt";
            I += Upper.compare(I, 4, u"AMPM") == 0 ? 4 : 5;
            continue;
        }
        if (Upper.compare(I, 3, u"A/P") == 0) {
            Result += u"t";
            I += 3;
            continue;
        }
        Integer Run = RunLength(Format, I);
        String Letters;
        switch (U) {
        case u'D': Letters = String(size_t(Run), u'd'); break;
        case u'Y': Letters = String(size_t(Run), u'y'); break;
        case u'H': Letters = String(size_t(std::min(Run, 2)), TwelveHours ? u'h' : u'H'); AfterHour = true; break;
        case u'N': Letters = String(size_t(std::min(Run, 2)), u'm'); break;
        case u'M':
            // After an hour m means minutes, as in the program's formats.
            Letters = String(size_t(Run), (Time || AfterHour) && Run <= 2 ? u'm' : u'M');
            break;
        case u'S': Letters = String(size_t(std::min(Run, 2)), u's'); break;
        case u'Z': break; // milliseconds are not shown
        case u'/': Letters = u"'" + String(1, Settings.DateSeparator) + u"'"; Run = 1; break;
        case u':': Letters = u"'" + String(1, Settings.TimeSeparator) + u"'"; Run = 1; break;
        default: Letters = u"'" + Format.substr(I, size_t(Run)) + u"'"; break;
        }
        Result += Letters;
        I += size_t(Run);
    }
    return Result;
}

String TDateTimeFields::PartText(const TFieldPart& Part, TDateTime Value) const {
    TParts P = Split(Value);
    const TFormatSettings& S = FormatSettings;
    switch (Part.Kind) {
    case TFieldKind::Literal: return Part.Literal;
    case TFieldKind::Day: return Padded(P.Day, Part.Width);
    case TFieldKind::DayName:
        return Part.Width == 3 ? S.ShortDayNames[DayOfWeek(Value) - 1] : S.LongDayNames[DayOfWeek(Value) - 1];
    case TFieldKind::Month:
        if (Part.Width == 3) return S.ShortMonthNames[P.Month - 1];
        if (Part.Width > 3) return S.LongMonthNames[P.Month - 1];
        return Padded(P.Month, Part.Width);
    case TFieldKind::Year:
        if (Part.Width == 1) return IntToStr(P.Year % 10);
        if (Part.Width == 2) return Padded(P.Year % 100, 2);
        return Padded(P.Year, 4);
    case TFieldKind::Hour12: return Padded(P.Hour % 12 == 0 ? 12 : P.Hour % 12, Part.Width);
    case TFieldKind::Hour24: return Padded(P.Hour, Part.Width);
    case TFieldKind::Minute: return Padded(P.Minute, Part.Width);
    case TFieldKind::Second: return Padded(P.Second, Part.Width);
    case TFieldKind::AmPm: {
        const String& Mark = P.Hour < 12 ? S.TimeAMString : S.TimePMString;
        return Part.Width == 1 ? Mark.substr(0, 1) : Mark;
    }
    }
    return {};
}

String TDateTimeFields::Text(TDateTime Value) const {
    String Result;
    for (const TFieldPart& Part : FParts) Result += PartText(Part, Value);
    return Result;
}

TDateTime TDateTimeFields::Step(const TFieldPart& Part, TDateTime Value, Integer Delta) const {
    TParts P = Split(Value);
    switch (Part.Kind) {
    case TFieldKind::Literal: return Value;
    case TFieldKind::Day: P.Day = Word(Wrap(P.Day + Delta, 1, DaysInAMonth(P.Year, P.Month))); break;
    case TFieldKind::DayName: return Value + Delta;
    case TFieldKind::Month:
        P.Month = Word(Wrap(P.Month + Delta, 1, 12));
        ClampDay(P);
        break;
    case TFieldKind::Year:
        P.Year = Word(std::clamp<Integer>(P.Year + Delta, 1, 9999));
        ClampDay(P);
        break;
    case TFieldKind::Hour12:
    case TFieldKind::Hour24: P.Hour = Word(Wrap(P.Hour + Delta, 0, 23)); break;
    case TFieldKind::Minute: P.Minute = Word(Wrap(P.Minute + Delta, 0, 59)); break;
    case TFieldKind::Second: P.Second = Word(Wrap(P.Second + Delta, 0, 59)); break;
    case TFieldKind::AmPm: P.Hour = Word((P.Hour + 12) % 24); break;
    }
    TDateTime Result = Value;
    Join(P, Result);
    return Result;
}

bool TDateTimeFields::SetPart(const TFieldPart& Part, TDateTime Value, Integer Number, TDateTime& Result) const {
    TParts P = Split(Value);
    switch (Part.Kind) {
    case TFieldKind::Day: P.Day = Word(Number); break;
    case TFieldKind::Month:
        if (Number < 1 || Number > 12) return false;
        P.Month = Word(Number);
        ClampDay(P);
        break;
    case TFieldKind::Year:
        if (Number < 1 || Number > 9999) return false;
        P.Year = Word(Number);
        ClampDay(P);
        break;
    case TFieldKind::Hour12:
        if (Number < 1 || Number > 12) return false;
        P.Hour = Word(Number % 12 + (P.Hour >= 12 ? 12 : 0));
        break;
    case TFieldKind::Hour24:
        if (Number > 23) return false;
        P.Hour = Word(Number);
        break;
    case TFieldKind::Minute:
        if (Number > 59) return false;
        P.Minute = Word(Number);
        break;
    case TFieldKind::Second:
        if (Number > 59) return false;
        P.Second = Word(Number);
        break;
    default: return false;
    }
    return Join(P, Result);
}

Integer TDateTimeFields::Digits(const TFieldPart& Part) {
    switch (Part.Kind) {
    case TFieldKind::Day:
    case TFieldKind::Month:
    case TFieldKind::Hour12:
    case TFieldKind::Hour24:
    case TFieldKind::Minute:
    case TFieldKind::Second: return 2;
    case TFieldKind::Year: return Part.Width <= 2 ? 2 : 4;
    default: return 0;
    }
}

Integer TDateTimeFields::Largest(const TFieldPart& Part) {
    switch (Part.Kind) {
    case TFieldKind::Day: return 31;
    case TFieldKind::Month: return 12;
    case TFieldKind::Year: return Part.Width <= 2 ? 99 : 9999;
    case TFieldKind::Hour12: return 12;
    case TFieldKind::Hour24: return 23;
    case TFieldKind::Minute:
    case TFieldKind::Second: return 59;
    default: return 0;
    }
}

} // namespace detail
