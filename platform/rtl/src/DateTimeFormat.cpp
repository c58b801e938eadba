// FormatDateTime and the date and time texts built on it.

#include "DecimalText.h"
#include "rtl/DateTime.h"

#include <cmath>

namespace {

Char Upper(Char c) {
    return c >= u'a' && c <= u'z' ? static_cast<Char>(c - u'a' + u'A') : c;
}

bool StartsWithNoCase(std::u16string_view text, size_t i, std::u16string_view prefix) {
    if (text.size() - i < prefix.size()) return false;
    for (size_t k = 0; k < prefix.size(); ++k)
        if (Upper(text[i + k]) != Upper(prefix[k])) return false;
    return true;
}

class TDateTimeWriter {
public:
    TDateTimeWriter(TDateTime value, const TFormatSettings& settings) : FSettings(settings) {
        DecodeDateTime(value, FYear, FMonth, FDay, FHour, FMin, FSec, FMSec);
        FDayOfWeek = DayOfWeek(value);
    }

    String Write(std::u16string_view format) {
        Append(format.empty() ? u"c" : format, 0);
        return std::move(FOut);
    }

private:
    void Number(unsigned value, int minDigits) {
        String digits;
        detail::AppendUnsigned(digits, value);
        if (static_cast<int>(digits.size()) < minDigits) FOut.append(minDigits - digits.size(), u'0');
        FOut += digits;
    }

    static size_t RunLength(std::u16string_view format, size_t i) {
        size_t n = 1;
        while (i + n < format.size() && Upper(format[i + n]) == Upper(format[i]))
            ++n;
        return n;
    }

    // Whether an hour at `i` is written on the 12-hour clock: an am/pm
    // specifier follows before the next hour.
    static bool TwelveHour(std::u16string_view format, size_t i) {
        Char quote = 0;
        for (size_t k = i + 1; k < format.size(); ++k) {
            const Char c = format[k];
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (Upper(c) == u'H') {
                return false;
            } else if (StartsWithNoCase(format, k, u"am/pm") || StartsWithNoCase(format, k, u"a/p") ||
                       StartsWithNoCase(format, k, u"ampm")) {
                return true;
            }
        }
        return false;
    }

    void Append(std::u16string_view format, int depth) {
        if (depth > 2) return; // settings formats that name each other
        size_t i = 0;
        while (i < format.size()) {
            const Char c = format[i];
            Char token = Upper(c);
            if (token >= u'A' && token <= u'Z') {
                if (token == u'M' && FLastToken == u'H') token = u'N';
                FLastToken = token;
            }
            const size_t count = RunLength(format, i);
            switch (token) {
            case u'"':
            case u'\'': {
                const size_t end = format.find(c, i + 1);
                FOut +=
                    format.substr(i + 1, (end == std::u16string_view::npos ? format.size() : end) - i - 1);
                i = end == std::u16string_view::npos ? format.size() : end + 1;
                continue;
            }
            case u'C':
                Append(FSettings.ShortDateFormat, depth + 1);
                if (FHour != 0 || FMin != 0 || FSec != 0 || FMSec != 0) {
                    FOut += u' ';
                    Append(FSettings.LongTimeFormat, depth + 1);
                }
                i += 1;
                continue;
            case u'D':
                if (count <= 2)
                    Number(FDay, static_cast<int>(count));
                else if (count == 3)
                    FOut += FSettings.ShortDayNames[FDayOfWeek - 1];
                else if (count == 4)
                    FOut += FSettings.LongDayNames[FDayOfWeek - 1];
                else if (count == 5)
                    Append(FSettings.ShortDateFormat, depth + 1);
                else
                    Append(FSettings.LongDateFormat, depth + 1);
                break;
            case u'M':
                if (count <= 2)
                    Number(FMonth, static_cast<int>(count));
                else if (count == 3)
                    FOut += FSettings.ShortMonthNames[FMonth - 1];
                else
                    FOut += FSettings.LongMonthNames[FMonth - 1];
                break;
            case u'Y':
                if (count <= 2)
                    Number(FYear % 100, 2);
                else
                    Number(FYear, 4);
                break;
            case u'H': {
                unsigned hour = FHour;
                if (TwelveHour(format, i + count - 1)) hour = hour % 12 == 0 ? 12 : hour % 12;
                Number(hour, count >= 2 ? 2 : 1);
                break;
            }
            case u'N':
                Number(FMin, count >= 2 ? 2 : 1);
                break;
            case u'S':
                Number(FSec, count >= 2 ? 2 : 1);
                break;
            case u'Z':
                Number(FMSec, count >= 3 ? 3 : 1);
                break;
            case u'T':
                Append(count >= 2 ? FSettings.LongTimeFormat : FSettings.ShortTimeFormat, depth + 1);
                break;
            case u'A':
                if (StartsWithNoCase(format, i, u"am/pm")) {
                    FOut += format.substr(FHour < 12 ? i : i + 3, 2);
                    i += 5;
                } else if (StartsWithNoCase(format, i, u"a/p")) {
                    FOut += format[FHour < 12 ? i : i + 2];
                    i += 3;
                } else if (StartsWithNoCase(format, i, u"ampm")) {
                    FOut += FHour < 12 ? FSettings.TimeAMString : FSettings.TimePMString;
                    i += 4;
                } else {
                    FOut += c;
                    i += 1;
                }
                continue;
            case u'/':
                FOut += FSettings.DateSeparator;
                i += 1;
                continue;
            case u':':
                FOut += FSettings.TimeSeparator;
                i += 1;
                continue;
            default:
                FOut += c;
                i += 1;
                continue;
            }
            i += count;
        }
    }

    const TFormatSettings& FSettings;
    Word FYear = 0, FMonth = 0, FDay = 0, FHour = 0, FMin = 0, FSec = 0, FMSec = 0, FDayOfWeek = 1;
    Char FLastToken = 0;
    String FOut;
};

} // namespace

String FormatDateTime(std::u16string_view format, TDateTime value, const TFormatSettings& settings) {
    return TDateTimeWriter(value, settings).Write(format);
}

String FormatDateTime(std::u16string_view format, TDateTime value) {
    return FormatDateTime(format, value, FormatSettings);
}

String DateToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(u"ddddd", value, settings);
}
String DateToStr(TDateTime value) {
    return DateToStr(value, FormatSettings);
}

String TimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(u"tt", value, settings);
}
String TimeToStr(TDateTime value) {
    return TimeToStr(value, FormatSettings);
}

String DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(u"c", value, settings);
}
String DateTimeToStr(TDateTime value) {
    return DateTimeToStr(value, FormatSettings);
}
