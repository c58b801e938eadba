#include "RarEvadTestSupport.h"
#include "gridbase/FilterExpression.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"

#include <vector>

namespace {

using FilterExpression = LocaleTest;

struct TFilterCase {
    const Char* expression;
    const Char* value;
    bool matches;
};

void ExpectMatches(std::initializer_list<TFilterCase> cases, bool caseSensitive = false) {
    for (const auto& c : cases)
        EXPECT_EQ(MatchFilterExpression(c.expression, c.value, caseSensitive), c.matches)
            << Utf8(c.expression) << " against " << Utf8(c.value);
}

TEST_F(FilterExpression, ComparisonsAndWildcards) {
    ExpectMatches({
        {u">10", u"11", true},      {u">10", u"10", false},     {u">=10", u"10", true},
        {u"<=10", u"10.5", false},  {u"< 10", u"9", true},      {u"A*", u"Apple", true},
        {u"A*", u"pear", false},    {u"*x*", u"boxes", true},   {u"*x*", u"boats", false},
        {u"!A*", u"Apple", false},  {u"!A*", u"pear", true},    {u"?", u"a", true},
        {u"?", u"ab", false},       {u"?", u"", false},         {u"a?c", u"abc", true},
        {u"*", u"", true},          {u"*", u"anything", true},  {u"\"a b\"", u"a b", true},
        {u"\"a b\"", u"ab", false}, {u"\"a|b\"", u"a|b", true}, {u">abc", u"abd", true},
        {u">abc", u"abb", false},   {u"<abc", u"abb", true},
    });
}

TEST_F(FilterExpression, EmptyValuesAndCase) {
    ExpectMatches({
        {u"", u"", true},
        {u"", u"x", false},
        {u"=", u"", true},
        {u"=", u"x", false},
        {u"\"\"", u"", true},
        {u"\"\"", u"x", false},
        {u"x|\"\"", u"x", true},
        {u"x|\"\"", u"", true},
        {u"x|\"\"", u"y", false},
        {u"=abc", u"ABC", true},
        {u" a b c ", u"abc", true},
    });
    ExpectMatches({{u"abc", u"ABC", false}, {u"ABC", u"ABC", true}}, true);
}

TEST_F(FilterExpression, OperatorsFromLeftToRight) {
    ExpectMatches({
        {u">5&<10", u"7", true},
        {u">5&<10", u"12", false},
        {u"A*|B*", u"Bob", true},
        {u"A*|B*", u"Carl", false},
        {u"a;b", u"b", true},
        {u"a^b", u"b", true},
        // No precedence: (a or b) and c.
        {u"a|b&c", u"a", false},
        {u"(a|b)&c", u"a", false},
        {u"(a|b)&*", u"b", true},
        {u"a|(b|c)", u"c", true},
        {u"a|(b|c)", u"d", false},
        {u"(>5&<10)", u"7", true},
        {u"(>5&<10)", u"12", false},
        {u"((a)|b)", u"b", true},
        // A group that never closes ends as one term instead of looping.
        {u"((a)|b", u"b", false},
        {u"(a", u"(a", true},
    });
}

TEST_F(FilterExpression, NumbersAndDatesOfTheLocale) {
    UseEuropeanNumbers();
    ExpectMatches({{u">1,5", u"2", true}, {u">1,5", u"1", false}, {u"<1.000", u"999", true}});

    FormatSettings = TFormatSettings::Create();
    UseDates(u"dd/MM/yyyy", u'/');
    ExpectMatches({
        {u">01/02/2024", u"15/03/2024", true},
        {u"<01/02/2024", u"15/03/2024", false},
        {u">=15/03/2024", u"15/03/2024", true},
        {u"<01/02/2024", u"abc", false},
    });
}

TEST_F(FilterExpression, ComparisonsOnlyMatchValuesOfTheOperandsKind) {
    ExpectMatches({
        // A numeric comparison never matches an empty or non-numeric cell.
        {u">5", u"", false},     {u">5", u"abc", false},   {u"<5", u"", false},
        {u"<=5", u"n/a", false}, {u">=5", u"7", true},     {u"<abc", u"", false},
        // "<>" means not equal.
        {u"<>5", u"5", false},   {u"<>5", u"6", true},     {u"<>5", u"abc", true},
        {u"<>5", u"", true},     {u"<>abc", u"ABC", false}, {u"<>abc", u"abd", true},
        // Times compare as times, not as texts.
        {u">9:30", u"10:15", true}, {u">9:30", u"9:05", false}, {u"<=10:00", u"9:59", true},
        {u">9:30", u"late", false},
    });
}

TEST_F(FilterExpression, WildcardsTakeLinearTime) {
    // Each "*" used to try every tail with a full match of the rest: eight
    // of them against 30 characters took seconds; now this is immediate.
    const String value(30, u'a');
    EXPECT_FALSE(MatchFilterExpression(u"*a*a*a*a*a*a*a*a*b", value, false));
    EXPECT_TRUE(MatchFilterExpression(u"*a*a*a*a*a*a*a*a*", value, false));
    EXPECT_TRUE(MatchFilterExpression(u"a*?*a", u"aXa", false));
    EXPECT_FALSE(MatchFilterExpression(u"a*?*a", u"aa", false));
    EXPECT_TRUE(MatchFilterExpression(u"*!b*", u"abc", false)); // a negated rest inside a star
    const String longValue = String(20000, u'x') + u"y";
    EXPECT_TRUE(MatchFilterExpression(u"*x*x*x*y", longValue, true));
    EXPECT_FALSE(MatchFilterExpression(u"*x*x*x*z", longValue, true));
}

TEST_F(FilterExpression, MatchConditionDirectly) {
    EXPECT_TRUE(MatchCondition(u">5^<2", u"1"));
    EXPECT_FALSE(MatchCondition(u">5^<2", u"3"));
    EXPECT_TRUE(MatchCondition(u">5&<10", u"6"));
    EXPECT_FALSE(MatchCondition(u">5&<10", u"10"));
    EXPECT_TRUE(MatchCondition(u"\"!x\"", u"!x")); // "!" inside a quoted pattern is literal
    EXPECT_TRUE(MatchCondition(u"> 1 0", u"11"));  // one blank after an operand character is stepped over
    EXPECT_FALSE(MatchCondition(nullptr, u"x"));
    EXPECT_TRUE(MatchCondition(nullptr, nullptr));
}

// A prepared expression answers as the condition matcher for every plain
// wildcard pattern (its own faster walk) and reuses one preparation.
TEST_F(FilterExpression, PreparedExpressionAgreesWithTheConditionMatcher) {
    const String Alphabet = u"ab*?";
    std::vector<String> Texts{String()};
    for (size_t n = 0; n < Texts.size() && Texts.size() < 1365; ++n)
        if (Texts[n].size() < 5)
            for (Char c : Alphabet) Texts.push_back(Texts[n] + c);
    for (const String& Pattern : Texts) {
        if (Pattern.empty()) continue;
        const TFilterExpression Prepared(Pattern, true);
        const TFilterExpression NoCase(Pattern, false);
        for (const String& Value : Texts) {
            if (Value.find_first_of(u"*?") != String::npos) continue;
            const bool Expected = MatchCondition(Pattern.c_str(), Value.c_str());
            ASSERT_EQ(Prepared.Matches(Value), Expected) << Utf8(Pattern) << " " << Utf8(Value);
            ASSERT_EQ(NoCase.Matches(AnsiUpperCase(Value)), Expected) << Utf8(Pattern) << " " << Utf8(Value);
        }
    }
}

TEST_F(FilterExpression, TextRoutines) {
    EXPECT_EQ(StripUnquotedSpaces(u"a b \"c d\" e"), u"ab\"c d\"e");
    EXPECT_EQ(MatchingParenPos(u"(a(b))c"), 6);
    EXPECT_EQ(MatchingParenPos(u"(a(b)"), 0);
    EXPECT_EQ(FindUnquotedChar(u"\"a>b\">c", u'>'), 6);
    EXPECT_EQ(FindUnquotedChar(u"abc", u'>'), 0);

    const struct {
        const Char* text;
        Char op;
        Integer pos;
    } operators[] = {
        {u"a&b", u'&', 2},    {u"\"a&b\"|c", u'|', 6}, {u"(a&b)|c", u'|', 6},
        {u"((a)|b", u'(', 2}, {u"abc", 0, -1},
    };
    for (const auto& c : operators) {
        Integer pos = 99;
        EXPECT_EQ(FindUnquotedOperator(u"(;^&|", c.text, pos), c.op) << Utf8(c.text);
        EXPECT_EQ(pos, c.pos) << Utf8(c.text);
    }
}

} // namespace
