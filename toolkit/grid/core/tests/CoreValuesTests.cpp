// Cells read and written as numbers, dates and times.

#include "CoreTestSupport.h"

#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"

namespace {

enum TReader { rInts, rAllInts, rFloats, rAllFloats };

struct TValueCase {
    const char16_t* Text;
    TReader Reader;
    Char Decimal;
    Char Thousand;
    Double Value;            // when no error
    const char16_t* Error;   // the exact message, or null
};

class ValueTest : public CoreTest {
protected:
    void TearDown() override {
        FormatSettings = TFormatSettings::Create();
        CoreTest::TearDown();
    }
};

TEST_F(ValueTest, ReadersParseOrRaiseTheirExactMessage) {
    const char16_t* NoInt = u"Cell does not contain integer value";
    const char16_t* NoFloat = u"Cell does not contain a float value";
    const TValueCase Cases[] = {
        {u"", rInts, u'.', u',', 0, nullptr},
        {u"-", rInts, u'.', u',', 0, nullptr},
        {u"  42 ", rInts, u'.', u',', 42, nullptr},
        {u"<b>7</b>", rInts, u'.', u',', 7, nullptr},
        {u"2.5", rInts, u'.', u',', 2, nullptr},
        {u"3.5", rInts, u'.', u',', 4, nullptr},
        {u"1.5e3", rInts, u'.', u',', 1500, nullptr},
        {u"1e3", rInts, u'.', u',', 0, NoInt},
        {u"1,000", rInts, u'.', u',', 0, NoInt},
        {u"abc", rInts, u'.', u',', 0, NoInt},
        {u" -", rAllInts, u'.', u',', 0, nullptr},
        {u"12", rAllInts, u'.', u',', 12, nullptr},
        {u"2.5", rAllInts, u'.', u',', 0, NoInt},
        {u"1,000", rFloats, u'.', u',', 1000, nullptr},
        {u"(12.50)", rFloats, u'.', u',', -12.5, nullptr},
        {u"EUR 3.25", rFloats, u'.', u',', 3.25, nullptr},
        {u"<i>1.5</i>", rFloats, u'.', u',', 1.5, nullptr},
        {u"1.234,5", rFloats, u',', u'.', 1234.5, nullptr},
        {u"  ", rFloats, u'.', u',', 0, nullptr},
        {u"-", rFloats, u'.', u',', 0, nullptr},
        {u"abc", rFloats, u'.', u',', 0, NoFloat},
        {u"-x", rAllFloats, u'.', u',', 0, NoFloat},
        {u"7.25", rAllFloats, u'.', u',', 7.25, nullptr},
    };
    for (const auto& Case : Cases) {
        FormatSettings.DecimalSeparator = Case.Decimal;
        FormatSettings.ThousandSeparator = Case.Thousand;
        Grid->SetCells(1, 1, Case.Text);
        const std::string Label = Utf8(Case.Text) + " reader " + std::to_string(Case.Reader);
        try {
            Double Value = 0;
            switch (Case.Reader) {
            case rInts: Value = Grid->Ints(1, 1); break;
            case rAllInts: Value = Grid->AllInts(1, 1); break;
            case rFloats: Value = Grid->Floats(1, 1); break;
            case rAllFloats: Value = Grid->AllFloats(1, 1); break;
            }
            EXPECT_EQ(Case.Error, nullptr) << Label << " read " << Value;
            EXPECT_DOUBLE_EQ(Value, Case.Value) << Label;
        } catch (const EKelGridError& E) {
            ASSERT_NE(Case.Error, nullptr) << Label << ": " << Utf8(E.Message());
            EXPECT_EQ(E.Message(), Case.Error) << Label;
        }
        EXPECT_EQ(Grid->Cells(1, 1), Case.Text) << "a reader leaves the cell as it is";
    }
}

TEST_F(ValueTest, WritersFormatTheirValues) {
    Grid->SetFloats(1, 1, 3.14159);
    EXPECT_EQ(Grid->Cells(1, 1), u"3.14");
    FormatSettings.DecimalSeparator = u',';
    Grid->SetFloats(1, 1, 2.5);
    EXPECT_EQ(Grid->Cells(1, 1), u"2,50");
    Grid->SetInts(2, 1, -17);
    EXPECT_EQ(Grid->Cells(2, 1), u"-17");
    EXPECT_EQ(Grid->Ints(2, 1), -17);

    FormatSettings.ShortDateFormat = u"dd/MM/yyyy";
    Grid->SetDates(1, 2, 0);
    EXPECT_EQ(Grid->Cells(1, 2), u"30/12/1899");
    Grid->SetShowNullDates(false);
    for (TDateTime Null : {0.0, -3.0}) {
        Grid->SetCells(1, 2, u"x");
        Grid->SetDates(1, 2, Null);
        EXPECT_EQ(Grid->Cells(1, 2), u"") << Null;
    }
    Grid->SetDates(1, 2, EncodeDate(2024, 2, 29));
    EXPECT_EQ(Grid->Cells(1, 2), u"29/02/2024");
    EXPECT_DOUBLE_EQ(Grid->Dates(1, 2), EncodeDate(2024, 2, 29));
    // Date and time read leniently: an unreadable text is 0.
    Grid->SetCells(1, 3, u"not a date");
    EXPECT_EQ(Grid->DateTimes(1, 3), 0);
    EXPECT_THROW(Grid->Dates(1, 3), EConvertError);
}

TEST_F(ValueTest, FloatFormatQueryTakesTheHandlersFormatOnlyWhenItSaysFloat) {
    String Format;
    Grid->DoGetFloatFormat(1, 1, Format);
    EXPECT_EQ(Format, u"%.2f");
    Grid->OnGetFloatFormat = [](TObject*, Integer ACol, Integer, bool& IsFloat, String& F) {
        EXPECT_TRUE(F.empty());
        IsFloat = ACol == 2;
        F = u"%.4f";
    };
    Grid->DoGetFloatFormat(1, 1, Format);
    EXPECT_EQ(Format, u"%.2f");
    Grid->DoGetFloatFormat(2, 1, Format);
    EXPECT_EQ(Format, u"%.4f");
}

} // namespace
