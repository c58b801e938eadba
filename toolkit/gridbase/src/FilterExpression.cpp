// The filter matcher: expressions of terms, clauses and conditions.

#include "gridbase/FilterExpression.h"

#include "gridbase/RarEvad.h"
#include "kel/RarEvads.h"
#include "rtl/DateTime.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// Comparison operands are cut to the length of the buffer they were
// always read into.
constexpr std::size_t MaxOperandLength = 255;

const String ExpressionOperators = u"(;^&|";

bool IsJoinOperator(Char ch) {
    return ch == u'&' || ch == u'|' || ch == u'^' || ch == u';';
}

// The character at a 0-based index; 0 past the end, as for a
// null-terminated text.
Char At(std::u16string_view text, std::size_t index) {
    return index < text.size() ? text[index] : Char(0);
}

bool HoldsUnquoted(std::u16string_view text, Char ch) {
    return FindUnquotedChar(String(text), ch) > 0;
}

// The operand after a comparison operator that ends before `start`
// (0-based). For ">" (looseBlanks) the operand ends at a blank, "&", "|" or
// ")" outside quotes, and one blank right after an operand character is
// stepped over; for "<" it ends at any blank and at "&", "|", ")" outside quotes.
String ReadOperand(std::u16string_view pattern, std::size_t start, bool looseBlanks) {
    std::size_t i = start;
    while (At(pattern, i) == u' ')
        ++i;
    String operand;
    bool inQuotes = false;
    for (Char c; (c = At(pattern, i)) != 0; ++i) {
        const bool ends =
            c == u' ' ? (looseBlanks ? !inQuotes : true) : !inQuotes && (c == u'&' || c == u'|' || c == u')');
        if (ends) break;
        if (c == u'"') inQuotes = !inQuotes;
        if (c != u'"' || !operand.empty()) operand += c;
        if (looseBlanks && !inQuotes && At(pattern, i + 1) == u' ') ++i;
    }
    if (!operand.empty() && operand.back() == u'"') operand.pop_back();
    if (operand.size() > MaxOperandLength) operand.resize(MaxOperandLength);
    return operand;
}

// A number in locale notation, unless the text reads as a date.
bool TryLocaleNumber(const String& text, double& number) {
    TDateTime date = 0;
    return !TryParseLocaleDateTime(text, date) &&
           TRarEvads::TryStrToFloatDot(LocaleToDotNumber(text.c_str()), number);
}

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : a > b ? 1 : 0;
}

// The order of value against operand, by the operand's kind: numbers,
// dates and times compare only with values of their own kind, texts
// ordinally by their first 255 characters. Nothing when the two cannot be
// compared (an empty value, or a value of another kind than the operand).
std::optional<int> CompareOperand(const String& value, const String& operand) {
    if (value.empty()) return std::nullopt;
    double valueNumber = 0, operandNumber = 0;
    if (TryLocaleNumber(operand, operandNumber)) {
        if (!TryLocaleNumber(value, valueNumber)) return std::nullopt;
        return Order(valueNumber, operandNumber);
    }
    TDateTime valueDate = 0, operandDate = 0;
    if (TryParseLocaleDateTime(operand, operandDate)) {
        if (!TryParseLocaleDateTime(value, valueDate)) return std::nullopt;
        return Order(valueDate, operandDate);
    }
    if (TryStrToTime(operand, operandDate)) {
        if (!TryStrToTime(value, valueDate)) return std::nullopt;
        return Order(valueDate, operandDate);
    }
    return Order(CompareStr(std::u16string_view(value).substr(0, MaxOperandLength),
                            std::u16string_view(operand).substr(0, MaxOperandLength)),
                 0);
}

// The 1-based position of the first unquoted `op` of the pattern that is a
// comparison of its own (the ">" of "<>" belongs to the "<"); 0 when none.
std::size_t FindComparison(std::u16string_view pattern, Char op) {
    bool inQuotes = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const Char c = pattern[i];
        if (c == u'"') inQuotes = !inQuotes;
        if (inQuotes || c != op) continue;
        if (op == u'>' && i > 0 && pattern[i - 1] == u'<') continue;
        return i + 1;
    }
    return 0;
}

// One comparison of the pattern: whether it holds an unquoted `op`, and
// the outcome of value op operand (or op= operand, or for "<>" not equal).
struct TComparison {
    bool Present = false;
    bool Result = true;
};

TComparison Compare(std::u16string_view pattern, std::u16string_view value, Char op) {
    TComparison comparison;
    std::size_t next = FindComparison(pattern, op);
    if (next == 0) return comparison;
    const bool notEqual = op == u'<' && At(pattern, next) == u'>';
    const bool orEqual = !notEqual && At(pattern, next) == u'=';
    if (notEqual || orEqual) ++next;
    const auto order = CompareOperand(String(value), ReadOperand(pattern, next, op == u'>'));
    comparison.Present = true;
    if (notEqual)
        comparison.Result = !order || *order != 0;
    else if (!order)
        comparison.Result = false;
    else
        comparison.Result = *order == 0 ? orEqual : (op == u'>' ? *order > 0 : *order < 0);
    return comparison;
}

// The matcher of one pattern against one value. A run of "*" matches the
// rest of the pattern (with all its phases) against every tail of the
// value; those answers depend only on where the rest and the tail start,
// so each is worked out once and kept: the work grows with the value's
// length times the pattern's, never with a power of it.
class TConditionMatcher {
public:
    TConditionMatcher(std::u16string_view pattern, std::u16string_view value)
        : FPattern(pattern), FValue(value) {}

    bool Matches() { return Match(0, 0); }

private:
    // The pattern from p against the value from v.
    bool Match(std::size_t p, std::size_t v) {
        const std::u16string_view pattern = FPattern.substr(p), value = FValue.substr(v);
        TComparison greater = Compare(pattern, value, u'>');
        TComparison less = Compare(pattern, value, u'<');
        const bool hasGreaterOperator = greater.Present, hasLessOperator = less.Present;
        // A negated pattern counts as a passed comparison when "&" or "^"
        // joins it with one.
        if (HoldsUnquoted(pattern, u'!')) {
            greater.Present = true;
            less.Present = true;
        }
        if (HoldsUnquoted(pattern, u'^') && (greater.Present || less.Present))
            return greater.Result || less.Result;
        if (HoldsUnquoted(pattern, u'&') && greater.Present && less.Present)
            return greater.Result && less.Result;
        if ((hasGreaterOperator && greater.Result) || (hasLessOperator && less.Result)) return true;
        return WildcardWalk(p, v);
    }

    // The wildcard walk of the pattern from p over the value from v.
    bool WildcardWalk(std::size_t p, std::size_t v) {
        const std::u16string_view pattern = FPattern.substr(p), value = FValue.substr(v);
        if (pattern.empty() && value.empty()) return true;
        const bool quotedPattern = At(pattern, 0) == u'"';
        bool negate = false, quote = false, match = true;
        std::size_t i = 0, j = 0;
        while (match && (i < pattern.size() || j < value.size())) {
            const Char c = At(pattern, i);
            if (c == u'!' && !quotedPattern) {
                negate = true;
                ++i;
                quote = false;
            } else if (c == u'"' && !quote) {
                ++i;
                quote = true;
            } else if (c == u'*') {
                while (At(pattern, i) == u'*')
                    ++i;
                // The rest of the pattern against the tails of the value.
                match = AnyTailMatches(p + i, v + j);
                break;
            } else if (c == u'?') {
                match = j < value.size();
                ++i, ++j;
                quote = false;
            } else {
                // Also a quote inside quotes, "!" in a quoted pattern and the end of the pattern.
                match = c == At(value, j);
                ++i, ++j;
                if (c != u'"') quote = false;
            }
        }
        return negate ? !match : match;
    }

    // Whether the pattern from p matches any tail of the value from v on.
    bool AnyTailMatches(std::size_t p, std::size_t v) {
        v = std::min(v, FValue.size());
        auto [entry, added] = FTails.try_emplace(p);
        TTails& tails = entry->second;
        if (added) {
            tails.Known.assign(FValue.size() + 2, false);
            tails.From = FValue.size() + 1; // the empty set of tails beyond the end
        }
        // Filled from the end of the value towards its start.
        while (tails.From > v) {
            const std::size_t t = tails.From - 1;
            tails.Known[t] = tails.Known[t + 1] || Match(p, t);
            tails.From = t;
        }
        return tails.Known[v];
    }

    struct TTails {
        std::vector<bool> Known; // [t]: some tail from t on matches
        std::size_t From = 0;    // the first t worked out
    };

    std::u16string_view FPattern, FValue;
    std::map<std::size_t, TTails> FTails;
};

bool Match(std::u16string_view pattern, std::u16string_view value) {
    return TConditionMatcher(pattern, value).Matches();
}

} // namespace

String StripUnquotedSpaces(const String& text) {
    return TRarEvads::StripLogicSpaces(text);
}

Integer MatchingParenPos(const String& text) {
    return TRarEvads::ClosingParenthesis(text);
}

Char FindUnquotedOperator(const String& operators, const String& text, Integer& pos) {
    Integer quotes = 0, depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c == u'"') ++quotes;
        if (c == u'(') ++depth;
        if (c == u')' && depth > 0) --depth;
        if (quotes % 2 == 0 && depth % 2 == 0 && operators.find(c) != String::npos) {
            pos = Integer(i + 1);
            return c;
        }
    }
    pos = -1;
    return 0;
}

Integer FindUnquotedChar(const String& text, Char ch) {
    Integer pos = -1;
    TRarEvads::FirstChar(TRarEvadsCharSet{ch}, text, pos);
    return pos > 0 ? pos : 0;
}

bool MatchCondition(const Char* pattern, const Char* value) {
    return Match(pattern ? pattern : u"", value ? value : u"");
}

bool MatchFilterClause(const String& clause, const String& value, bool caseSensitive) {
    if (clause == u"\"\"") return value.empty();
    if (caseSensitive) return MatchCondition(clause.c_str(), value.c_str());
    return MatchCondition(AnsiUpperCase(clause).c_str(), AnsiUpperCase(value).c_str());
}

namespace {

// A group "(...)" whose closing parenthesis is its last character.
bool IsWholeGroup(const String& term) {
    return !term.empty() && term.front() == u'(' && MatchingParenPos(term) == Length(term);
}

void Combine(bool& accumulator, bool result, Char pending) {
    switch (pending) {
    case 0:
        accumulator = result;
        break;
    case u'&':
        accumulator = accumulator && result;
        break;
    case u'(':
        break;
    default:
        accumulator = accumulator || result;
    }
}

} // namespace

// One term of a prepared expression: a group, or a clause (upper-cased
// already when case does not count), with the operator that joins it to
// the terms before it (0 for the first; "(" drops the term's answer).
struct TFilterExpression::TTerm {
    std::unique_ptr<TFilterExpression> Group;
    String Clause;
    Char Pending = 0;
    // No comparison, negation or quote: the clause is a pattern of plain
    // characters, "*" and "?" only.
    bool Plain = false;
};

namespace {

bool IsPlainPattern(const String& clause) {
    return clause.find_first_of(u"\"!<>^&") == String::npos;
}

// The text up to its first character 0, as the condition matcher reads it.
std::u16string_view UpToNull(const String& text) {
    return std::u16string_view(text.c_str());
}

// A plain pattern against a value, as the condition matcher walks it: "?"
// takes one character, a run of "*" any number; every other character
// matches itself. Backtracks only to the last "*", so the work stays
// within the value's length times the pattern's.
bool MatchPlainPattern(std::u16string_view pattern, std::u16string_view value) {
    std::size_t p = 0, v = 0, starP = std::u16string_view::npos, starV = 0;
    while (v < value.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = ++p;
            starV = v;
        } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == value[v])) {
            ++p, ++v;
        } else if (starP != std::u16string_view::npos) {
            p = starP;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

TFilterExpression::TFilterExpression(const String& expression, bool caseSensitive) : FCaseSensitive(caseSensitive) {
    String rest = StripUnquotedSpaces(Trim(expression));
    if (!rest.empty() && rest.front() == u'=') rest.erase(0, 1);
    Char pending = 0;
    Integer pos = -1;
    const auto addClause = [&](const String& clause) {
        TTerm term;
        term.Clause = caseSensitive || clause == u"\"\"" ? clause : AnsiUpperCase(clause);
        term.Plain = IsPlainPattern(term.Clause);
        term.Pending = pending;
        FTerms.push_back(std::move(term));
    };
    const auto addGroup = [&](const String& inner) {
        TTerm term;
        term.Group = std::make_unique<TFilterExpression>(inner, caseSensitive);
        term.Pending = pending;
        FTerms.push_back(std::move(term));
    };
    for (Char op; (op = FindUnquotedOperator(ExpressionOperators, rest, pos)) != 0;) {
        if (rest.front() == u'(') {
            const Integer closing = MatchingParenPos(rest);
            // A group that never closes cannot be consumed: the rest is one term.
            if (closing == 0) break;
            addGroup(Copy(rest, 2, closing - 2));
            Delete(rest, 1, closing);
            if (!rest.empty() && IsJoinOperator(rest.front())) {
                op = rest.front();
                rest.erase(0, 1);
            }
        } else {
            addClause(Copy(rest, 1, pos - 1));
            Delete(rest, 1, pos);
        }
        pending = op;
    }
    if (IsWholeGroup(rest))
        addGroup(Copy(rest, 2, Length(rest) - 2));
    else
        addClause(rest);
}

TFilterExpression::~TFilterExpression() = default;
TFilterExpression::TFilterExpression(TFilterExpression&&) noexcept = default;
TFilterExpression& TFilterExpression::operator=(TFilterExpression&&) noexcept = default;

bool TFilterExpression::Evaluate(const String& value, String& upperValue, bool& upperKnown) const {
    bool accumulator = false;
    for (const TTerm& term : FTerms) {
        bool result;
        if (term.Group) {
            result = term.Group->Evaluate(value, upperValue, upperKnown);
        } else if (term.Clause == u"\"\"") {
            result = value.empty();
        } else {
            if (!FCaseSensitive && !upperKnown) {
                upperValue = AnsiUpperCase(value);
                upperKnown = true;
            }
            const String& subject = FCaseSensitive ? value : upperValue;
            result = term.Plain ? MatchPlainPattern(UpToNull(term.Clause), UpToNull(subject))
                                : MatchCondition(term.Clause.c_str(), subject.c_str());
        }
        Combine(accumulator, result, term.Pending);
    }
    return accumulator;
}

bool TFilterExpression::Matches(const String& value) const {
    String upperValue;
    bool upperKnown = false;
    return Evaluate(value, upperValue, upperKnown);
}

bool MatchFilterExpression(const String& expression, const String& value, bool caseSensitive) {
    return TFilterExpression(expression, caseSensitive).Matches(value);
}
