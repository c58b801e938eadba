#pragma once
// The matcher that decides whether a cell value satisfies a filter condition
// typed by a user.
//
// An expression is terms joined by "&" (and) or "|", "^", ";" (or), combined
// strictly from left to right without precedence ("a|b&c" is (a or b) and
// c), with parenthesised groups. A term (clause) is "" (the empty value) or
// a condition: comparisons ">", ">=", "<", "<=" against numbers, dates in the
// locale format or texts, "!" negation and wildcard patterns with "*" and "?";
// double quotes keep blanks and operator characters literal.

#include "rtl/Types.h"

#include <memory>
#include <vector>

// Blanks outside double quotes are ignored, and so is a leading "=". An
// empty expression matches only the empty value.
bool MatchFilterExpression(const String& expression, const String& value, bool caseSensitive);
// An expression taken apart once: split into its terms, each term
// upper-cased once when case does not count. Matches gives the answer of
// MatchFilterExpression for every value, and upper-cases a value at most
// once, so a condition tested against many values is prepared only once.
class TFilterExpression {
public:
    TFilterExpression(const String& expression, bool caseSensitive);
    ~TFilterExpression();
    TFilterExpression(TFilterExpression&&) noexcept;
    TFilterExpression& operator=(TFilterExpression&&) noexcept;
    bool Matches(const String& value) const;

private:
    struct TTerm;
    bool Evaluate(const String& value, String& upperValue, bool& upperKnown) const;
    std::vector<TTerm> FTerms;
    bool FCaseSensitive;
};

// One term: "" matches only the empty value; otherwise MatchCondition, on
// the upper-cased texts unless caseSensitive.
bool MatchFilterClause(const String& clause, const String& value, bool caseSensitive);
// One condition, case-sensitive; texts end at their first character 0.
bool MatchCondition(const Char* pattern, const Char* value);

// Text routines of the matcher (1-based positions).
// Every blank outside double quotes removed.
String StripUnquotedSpaces(const String& text);
// The ")" at which as many ")" as "(" have been seen; 0 when none.
Integer MatchingParenPos(const String& text);
// The first character of operators outside double quotes and outside one
// level of parentheses (a "(" that opens a second level is returned
// itself); #0 and pos -1 when none.
Char FindUnquotedOperator(const String& operators, const String& text, Integer& pos);
// The first ch outside double quotes; 0 when none.
Integer FindUnquotedChar(const String& text, Char ch);
