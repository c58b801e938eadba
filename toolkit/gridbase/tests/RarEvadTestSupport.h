#pragma once
// Locale settings for one test, restored when the test ends.

#include "rtl/FormatSettings.h"

#include <gtest/gtest.h>

class LocaleTest : public testing::Test {
protected:
    void SetUp() override { FSaved = FormatSettings; }
    void TearDown() override { FormatSettings = FSaved; }

    // "," as decimal and "." as thousand separator.
    static void UseEuropeanNumbers() {
        FormatSettings.DecimalSeparator = u',';
        FormatSettings.ThousandSeparator = u'.';
    }
    static void UseDates(const Char* shortDateFormat, Char dateSeparator, Char timeSeparator = u':') {
        FormatSettings.ShortDateFormat = shortDateFormat;
        FormatSettings.DateSeparator = dateSeparator;
        FormatSettings.TimeSeparator = timeSeparator;
    }

private:
    TFormatSettings FSaved;
};
