#include "core/StartUp.h"

#include "rtl/FormatSettings.h"

#include <cfenv>

void SetupFormatSettings() {
    TFormatSettings settings = TFormatSettings::Create();
    settings.DateSeparator = u'-';
    settings.ShortDateFormat =
        String(u"dd") + settings.DateSeparator + u"mm" + settings.DateSeparator + u"yyyy";
    settings.DecimalSeparator = u'.';
    settings.ThousandSeparator = u',';
    settings.TimeSeparator = u':';
    settings.LongTimeFormat = String(u"HH") + settings.TimeSeparator + u"mm" + settings.TimeSeparator + u"ss";
    settings.ShortTimeFormat = String(u"HH") + settings.TimeSeparator + u"mm";
    FormatSettings = settings;
}

void MaskFloatingPointExceptions() {
    // Trapping is off unless someone turned it on; turn every trap off again.
    // The denormal-operand exception has no trap on this platform.
    fedisableexcept(FE_ALL_EXCEPT);
}
