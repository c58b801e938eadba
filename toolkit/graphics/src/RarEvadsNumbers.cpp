// Locale-independent number conversion, byte sizes, epoch times, integer
// scaling and the 16-bit word routines.

#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"

#include <array>

namespace {

// "." as decimal and "," as thousand separator, whatever the program's
// settings. The conversions take these settings explicitly instead of
// switching the process-wide ones for their duration.
TFormatSettings DotSettings() {
    TFormatSettings settings = FormatSettings;
    settings.DecimalSeparator = u'.';
    settings.ThousandSeparator = u',';
    return settings;
}

constexpr std::array<const Char*, 5> ByteSizeUnits{u"Bytes", u"KB", u"MB", u"GB", u"TB"};

} // namespace

bool TRarEvads::TryStrToFloatDot(const String& AValue, double& AResult) {
    return TryStrToFloat(AValue, AResult, DotSettings());
}

double TRarEvads::StrToFloatDot(const String& AValue) {
    return StrToFloat(AValue, DotSettings());
}

String TRarEvads::FloatToStrDot(double AValue) {
    return FloatToStr(AValue, DotSettings());
}

String TRarEvads::FormatBytesAsString(Extended ASize) {
    if (ASize <= -1) return String();
    std::size_t unit = 0;
    // Sizes of 1024 TB and more stay in TB, the largest unit there is.
    while (ASize >= 1024 && unit + 1 < ByteSizeUnits.size()) {
        ASize /= 1024;
        ++unit;
    }
    const String number = unit == 0 ? FloatToStr(ASize) : FormatFloat(u"0.00", ASize);
    return number + u" " + ByteSizeUnits[unit];
}

TDateTime TRarEvads::EpochToDateTime(const String& AEpoch) {
    constexpr TDateTime unixEpoch = 25569; // 1970-01-01 as a date-time
    return unixEpoch + double(StrToInt(AEpoch)) / 86400;
}

Integer TRarEvads::MulDivInt(Integer nNumber, Integer nNumerator, Integer nDenominator) {
    return MulDiv(nNumber, nNumerator, nDenominator);
}

Single TRarEvads::MulDivSingle(Single nNumber, Single nNumerator, Single nDenominator) {
    if (nDenominator == 0) return -1;
    return nNumber * nNumerator / nDenominator;
}

Word HighWordOf(Cardinal AValue) {
    return Word(AValue >> 16);
}

Word LowWordOf(Cardinal AValue) {
    return Word(AValue & 0xFFFF);
}

Cardinal PackWord(Cardinal Lo, Cardinal Hi) {
    return Lo | (Hi << 8);
}

Cardinal PackLong(Cardinal Lo, Cardinal Hi) {
    return Lo | (Hi << 16);
}
