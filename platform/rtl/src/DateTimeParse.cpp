// Reading dates and times from text in the order and with the separators of
// the format settings.

#include "rtl/DateTime.h"
#include "rtl/Exception.h"

#include <algorithm>

namespace {

enum class TDateOrder { DMY, MDY, YMD };

TDateOrder DateOrderOf(std::u16string_view shortDateFormat) {
    for (const Char c : shortDateFormat) {
        switch (c) {
        case u'd':
        case u'D':
            return TDateOrder::DMY;
        case u'm':
        case u'M':
            return TDateOrder::MDY;
        case u'y':
        case u'Y':
            return TDateOrder::YMD;
        default:
            break;
        }
    }
    return TDateOrder::MDY;
}

class TScanner {
public:
    explicit TScanner(std::u16string_view text) : FText(text) {}

    bool AtEnd() const { return FPos >= FText.size(); }

    void SkipBlanks() {
        while (FPos < FText.size() && FText[FPos] == u' ')
            ++FPos;
    }

    // Up to five decimal digits after optional blanks; `digits` tells how many.
    bool Number(Word& value, int& digits) {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (FPos < FText.size() && FText[FPos] >= u'0' && FText[FPos] <= u'9') {
            if (++digits > 5) return false;
            value = static_cast<Word>(std::min(value * 10 + (FText[FPos] - u'0'), 65535));
            ++FPos;
        }
        return digits > 0;
    }

    bool Separator(Char c) {
        SkipBlanks();
        if (FPos < FText.size() && FText[FPos] == c) {
            ++FPos;
            return true;
        }
        return false;
    }

    // A word compared without regard to letter case.
    bool Keyword(std::u16string_view word) {
        SkipBlanks();
        if (word.empty() || FText.size() - FPos < word.size()) return false;
        for (size_t k = 0; k < word.size(); ++k) {
            Char a = FText[FPos + k], b = word[k];
            if (a >= u'a' && a <= u'z') a = static_cast<Char>(a - 32);
            if (b >= u'a' && b <= u'z') b = static_cast<Char>(b - 32);
            if (a != b) return false;
        }
        FPos += word.size();
        return true;
    }

    size_t Position() const { return FPos; }
    void SetPosition(size_t pos) { FPos = pos; }

private:
    std::u16string_view FText;
    size_t FPos = 0;
};

Word CurrentYear() {
    Word year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    return year;
}

// A year of one or two digits placed in the settings' hundred-year window.
Word ExpandYear(Word year, const TFormatSettings& s) {
    const int current = CurrentYear();
    const int windowStart = current - s.TwoDigitYearCenturyWindow;
    int full = year + (s.TwoDigitYearCenturyWindow > 0 ? windowStart / 100 * 100 : current / 100 * 100);
    if (s.TwoDigitYearCenturyWindow > 0 && full < windowStart) full += 100;
    return static_cast<Word>(full);
}

bool ScanDate(TScanner& scan, const TFormatSettings& s, TDateTime& date) {
    Word n1 = 0, n2 = 0, n3 = 0;
    int d1 = 0, d2 = 0, d3 = 0;
    if (!scan.Number(n1, d1) || !scan.Separator(s.DateSeparator) || !scan.Number(n2, d2)) return false;
    const TDateOrder order = DateOrderOf(s.ShortDateFormat);
    Word year = 0, month = 0, day = 0;
    int yearDigits = 4;
    const size_t afterTwo = scan.Position();
    if (scan.Separator(s.DateSeparator) && scan.Number(n3, d3)) {
        switch (order) {
        case TDateOrder::DMY:
            day = n1, month = n2, year = n3, yearDigits = d3;
            break;
        case TDateOrder::MDY:
            month = n1, day = n2, year = n3, yearDigits = d3;
            break;
        case TDateOrder::YMD:
            year = n1, month = n2, day = n3, yearDigits = d1;
            break;
        }
    } else {
        scan.SetPosition(afterTwo);
        year = CurrentYear();
        if (order == TDateOrder::DMY)
            day = n1, month = n2;
        else
            month = n1, day = n2;
    }
    if (yearDigits <= 2) year = ExpandYear(year, s);
    return TryEncodeDate(year, month, day, date);
}

bool ScanTime(TScanner& scan, const TFormatSettings& s, TDateTime& time) {
    Word hour = 0, min = 0, sec = 0, msec = 0;
    int digits = 0;
    if (!scan.Number(hour, digits) || !scan.Separator(s.TimeSeparator) || !scan.Number(min, digits))
        return false;
    if (scan.Separator(s.TimeSeparator)) {
        if (!scan.Number(sec, digits)) return false;
        if (scan.Separator(s.DecimalSeparator) && !scan.Number(msec, digits)) return false;
    }
    const bool am = scan.Keyword(s.TimeAMString) || scan.Keyword(u"AM");
    const bool pm = !am && (scan.Keyword(s.TimePMString) || scan.Keyword(u"PM"));
    if (am || pm) {
        if (hour == 0 || hour > 12) return false;
        if (hour == 12) hour = 0;
        if (pm) hour = static_cast<Word>(hour + 12);
    }
    return TryEncodeTime(hour, min, sec, msec, time);
}

template <class Scan>
bool ReadWhole(std::u16string_view text, Scan&& scan) {
    TScanner scanner(text);
    if (!scan(scanner)) return false;
    scanner.SkipBlanks();
    return scanner.AtEnd();
}

} // namespace

bool TryStrToDate(std::u16string_view text, TDateTime& value, const TFormatSettings& settings) {
    TDateTime date = 0;
    if (!ReadWhole(text, [&](TScanner& s) { return ScanDate(s, settings, date); })) return false;
    value = date;
    return true;
}

bool TryStrToTime(std::u16string_view text, TDateTime& value, const TFormatSettings& settings) {
    TDateTime time = 0;
    if (!ReadWhole(text, [&](TScanner& s) { return ScanTime(s, settings, time); })) return false;
    value = time;
    return true;
}

bool TryStrToDateTime(std::u16string_view text, TDateTime& value, const TFormatSettings& settings) {
    TDateTime date = 0, time = 0;
    const bool dateAndTime = ReadWhole(text, [&](TScanner& s) {
        if (!ScanDate(s, settings, date)) return false;
        s.SkipBlanks();
        return s.AtEnd() || ScanTime(s, settings, time);
    });
    if (dateAndTime) {
        value = ComposeDateTime(date, time);
        return true;
    }
    return TryStrToTime(text, value, settings);
}

bool TryStrToDate(std::u16string_view text, TDateTime& value) {
    return TryStrToDate(text, value, FormatSettings);
}
bool TryStrToTime(std::u16string_view text, TDateTime& value) {
    return TryStrToTime(text, value, FormatSettings);
}
bool TryStrToDateTime(std::u16string_view text, TDateTime& value) {
    return TryStrToDateTime(text, value, FormatSettings);
}

TDateTime StrToDate(std::u16string_view text, const TFormatSettings& settings) {
    TDateTime value = 0;
    if (!TryStrToDate(text, value, settings)) throw EConvertError(u"'%s' is not a valid date", {text});
    return value;
}

TDateTime StrToTime(std::u16string_view text, const TFormatSettings& settings) {
    TDateTime value = 0;
    if (!TryStrToTime(text, value, settings)) throw EConvertError(u"'%s' is not a valid time", {text});
    return value;
}

TDateTime StrToDateTime(std::u16string_view text, const TFormatSettings& settings) {
    TDateTime value = 0;
    if (!TryStrToDateTime(text, value, settings))
        throw EConvertError(u"'%s' is not a valid date and time", {text});
    return value;
}

TDateTime StrToDate(std::u16string_view text) {
    return StrToDate(text, FormatSettings);
}
TDateTime StrToTime(std::u16string_view text) {
    return StrToTime(text, FormatSettings);
}
TDateTime StrToDateTime(std::u16string_view text) {
    return StrToDateTime(text, FormatSettings);
}
