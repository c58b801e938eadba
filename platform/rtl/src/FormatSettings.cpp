#include "rtl/FormatSettings.h"

TFormatSettings FormatSettings = TFormatSettings::Create();

TFormatSettings TFormatSettings::Invariant() {
    TFormatSettings s;
    s.DecimalSeparator = u'.';
    s.ThousandSeparator = u',';
    s.DateSeparator = u'/';
    s.TimeSeparator = u':';
    s.ShortDateFormat = u"MM/dd/yyyy";
    s.LongDateFormat = u"dddd, dd MMMM yyyy";
    s.ShortTimeFormat = u"HH:mm";
    s.LongTimeFormat = u"HH:mm:ss";
    s.CurrencyString = u"\u00A4";
    s.CurrencyFormat = 0;
    s.NegCurrFormat = 0;
    s.CurrencyDecimals = 2;
    return s;
}
