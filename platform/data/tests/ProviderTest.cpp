// The text formats the data sets read: connection texts, parameter markers in
// SQL and filters.

#include "ConnectionString.h"
#include "FilterExpression.h"
#include "IsoDateTime.h"
#include "SqlParameters.h"
#include "data/DataErrors.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "rtl/TextCompare.h"

#include <gtest/gtest.h>

using namespace detail;

TEST(ConnectionString, NamesIgnoreCaseAndQuotedValuesKeepSemicolons) {
    const TConnectionString Settings = ParseConnectionString(
        u"Provider=SQLite; data source = /tmp/a;b.db ;Extended Properties=\"x;\"\"y\"\"\";Mode=");
    EXPECT_EQ(Settings.Value(u"PROVIDER"), u"SQLite");
    EXPECT_EQ(Settings.Value(u"Data Source"), u"/tmp/a"); // an unquoted value ends at the semicolon
    EXPECT_EQ(Settings.Value(u"Extended Properties"), u"x;\"y\"");
    EXPECT_TRUE(Settings.Has(u"mode"));
    EXPECT_FALSE(Settings.Has(u"User ID"));
}

TEST(SqlParameters, NamedMarkersOutsideQuotesAndComments) {
    struct Case {
        const char16_t* Sql;
        const char16_t* Text;
        std::vector<String> Names;
    } Cases[] = {
        {u"SELECT * FROM t WHERE a=:A AND b = :b_2", u"SELECT * FROM t WHERE a=? AND b = ?", {u"A", u"b_2"}},
        {u"UPDATE t SET x=:v WHERE y=:v", u"UPDATE t SET x=? WHERE y=?", {u"v", u"v"}},
        {u"SELECT ':no', \":no\" FROM t -- :no\nWHERE /* :no */ a=:yes",
         u"SELECT ':no', \":no\" FROM t -- :no\nWHERE /* :no */ a=?",
         {u"yes"}},
        {u"SELECT 'it''s :no' || :p", u"SELECT 'it''s :no' || ?", {u"p"}},
        {u"SELECT time '12:30'", u"SELECT time '12:30'", {}},
    };
    for (const Case& C : Cases) {
        const TParsedSql Parsed = ParseSqlParameters(C.Sql);
        EXPECT_EQ(Parsed.Text, C.Text);
        EXPECT_EQ(Parsed.ParamNames, C.Names);
    }
}

TEST(IsoDateTime, RoundTripAndRejects) {
    const TDateTime When = EncodeDateTime(2024, 2, 29, 13, 5, 9, 0);
    EXPECT_EQ(FormatIsoDateTime(When), u"2024-02-29 13:05:09");
    EXPECT_EQ(FormatIsoDateTime(EncodeDateTime(1999, 12, 31, 0, 0, 0, 250)), u"1999-12-31 00:00:00.250");
    TDateTime Read = 0;
    ASSERT_TRUE(TryParseIsoDateTime(u"2024-02-29 13:05:09", Read));
    EXPECT_DOUBLE_EQ(Read, When);
    ASSERT_TRUE(TryParseIsoDateTime(u"2024-02-29", Read));
    EXPECT_DOUBLE_EQ(Read, EncodeDate(2024, 2, 29));
    for (const char16_t* Bad : {u"2023-02-29", u"29-02-2024", u"2024-02-29 25:00:00", u"2024-02-29x", u""})
        EXPECT_FALSE(TryParseIsoDateTime(Bad, Read)) << Utf8(Bad);
}

namespace {

// Rows of (ID, Name, Value) for the filter cases.
Integer Lookup(std::u16string_view name) {
    if (SameText(name, u"ID")) return 0;
    if (SameText(name, u"Name")) return 1;
    if (SameText(name, u"Value")) return 2;
    return -1;
}

std::vector<Int64> MatchingIds(const char16_t* filter) {
    const std::vector<std::vector<TDbValue>> Rows = {
        {Int64(1), String(u"Rhine"), 0.5},
        {Int64(6), String(u"Meuse"), 1.5},
        {Int64(9), String(u"rhine"), std::monostate()},
        {Int64(10), String(u"O'Brien"), -2.0},
    };
    const TFilterExpression Filter(filter, Lookup);
    std::vector<Int64> Ids;
    for (const auto& Row : Rows)
        if (Filter.Matches(Row)) Ids.push_back(std::get<Int64>(Row[0]));
    return Ids;
}

} // namespace

TEST(FilterExpression, ComparisonsJoinedWithAndOr) {
    struct Case {
        const char16_t* Filter;
        std::vector<Int64> Ids;
    } Cases[] = {
        {u"ID<10", {1, 6, 9}},
        {u"ID=6 or ID=10", {6, 10}},
        {u"id >= 6 AND id <> 9", {6, 10}},
        {u"Name='RHINE'", {1, 9}},
        {u"Name = 'O''Brien'", {10}},
        {u"Value > 0", {1, 6}}, // a null matches no comparison
        {u"Value <= -2.0 or (ID = 1 and Name = 'Rhine')", {1, 10}},
        {u"[Value] < 1", {1, 10}},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(MatchingIds(C.Filter), C.Ids) << Utf8(C.Filter);
}

TEST(FilterExpression, BadTextRaisesProviderMessage) {
    for (const char16_t* Bad : {u"ID<", u"Nope=1", u"ID=1 or", u"(ID=1", u"ID=1 xor ID=2", u"Name='open"}) {
        try {
            MatchingIds(Bad);
            ADD_FAILURE() << Utf8(Bad);
        } catch (const EADOError& E) {
            EXPECT_EQ(E.Message(), u"Arguments are of the wrong type, are out of acceptable range, or are in "
                                   u"conflict with one another.");
        }
    }
}
