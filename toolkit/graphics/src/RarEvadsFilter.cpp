// The filter-expression matcher: comparisons with numbers, dates and texts,
// wildcard patterns with negation, joined by and/or separators and brackets,
// evaluated left to right without precedence.

#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <array>

namespace {

bool Contains(const String& text, Char ch) {
    return text.find(ch) != String::npos;
}

// The operand of a comparison whose operator ends before `start` (0-based):
// blanks skipped, up to the next blank, "&" or "|" outside double quotes, with
// its enclosing quotes removed.
String ComparisonOperand(const String& condition, std::size_t start) {
    while (start < condition.size() && condition[start] == u' ')
        ++start;
    bool quoted = false;
    std::size_t end = start;
    for (; end < condition.size(); ++end) {
        const Char ch = condition[end];
        if (ch == u'"') quoted = !quoted;
        if (!quoted && (ch == u' ' || ch == u'&' || ch == u'|')) break;
    }
    String operand = condition.substr(start, end - start);
    if (!operand.empty() && operand.front() == u'"') operand.erase(0, 1);
    if (!operand.empty() && operand.back() == u'"') operand.pop_back();
    return operand;
}

bool TryNumber(const String& text, double& value) {
    return TRarEvads::TryStrToFloatDot(TRarEvads::StripThousandSep(text), value);
}

// value > operand (or <, with `orEqual` also equal): as numbers when both are
// numbers and neither a date, as dates when both are dates, else as texts by
// character codes.
bool Compare(const String& value, const String& operand, bool greater, bool orEqual) {
    double valueNumber = 0, operandNumber = 0;
    TDateTime valueDate = 0, operandDate = 0;
    const bool numbers = TryNumber(value, valueNumber) && TryNumber(operand, operandNumber);
    const bool valueIsDate = TRarEvads::IsDate(value, valueDate);
    const bool operandIsDate = TRarEvads::IsDate(operand, operandDate);
    int order;
    if (numbers && !valueIsDate && !operandIsDate)
        order = valueNumber < operandNumber ? -1 : valueNumber > operandNumber ? 1 : 0;
    else if (valueIsDate && operandIsDate)
        order = valueDate < operandDate ? -1 : valueDate > operandDate ? 1 : 0;
    else
        order = value.compare(operand) < 0 ? -1 : value.compare(operand) > 0 ? 1 : 0;
    if (order == 0) return orEqual;
    return greater ? order > 0 : order < 0;
}

// The wildcard match of pattern[p..] against value[v..]: "?" any one
// character, a run of "*" any text (the shortest rest of the value first),
// "!" sets `negated`, double quotes are skipped.
bool WildcardMatch(const String& pattern, std::size_t p, const String& value, std::size_t v, bool& negated) {
    while (p < pattern.size()) {
        const Char ch = pattern[p];
        if (ch == u'!') {
            negated = true;
            ++p;
        } else if (ch == u'"') {
            ++p;
        } else if (ch == u'?') {
            if (v >= value.size()) return false;
            ++p;
            ++v;
        } else if (ch == u'*') {
            while (p < pattern.size() && pattern[p] == u'*')
                ++p;
            for (std::size_t start = value.size() + 1; start-- > v;)
                if (WildcardMatch(pattern, p, value, start, negated)) return true;
            return false;
        } else {
            if (v >= value.size() || value[v] != ch) return false;
            ++p;
            ++v;
        }
    }
    return v == value.size();
}

enum class TJoin { None, And, Or, Bracket };

TJoin JoinOf(Char separator) {
    switch (separator) {
    case u'&':
        return TJoin::And;
    case u'(':
        return TJoin::Bracket;
    case 0:
        return TJoin::None;
    default:
        return TJoin::Or;
    }
}

void Combine(bool& result, bool partial, TJoin join) {
    switch (join) {
    case TJoin::None:
        result = partial;
        break;
    case TJoin::And:
        result = result && partial;
        break;
    case TJoin::Or:
        result = result || partial;
        break;
    case TJoin::Bracket:
        break;
    }
}

} // namespace

String TRarEvads::StripLogicSpaces(const String& AValue) {
    String result;
    Integer quotes = 0;
    for (const Char ch : AValue) {
        if (ch == u'"') ++quotes;
        if (ch == u' ' && quotes % 2 == 0) continue;
        result += ch;
    }
    return result;
}

String TRarEvads::StripThousandSep(const String& ps) {
    String result = ps;
    std::erase(result, FormatSettings.ThousandSeparator);
    return result;
}

Integer TRarEvads::ClosingParenthesis(const String& s1) {
    Integer open = 0, close = 0;
    for (std::size_t i = 0; i < s1.size(); ++i) {
        if (s1[i] == u'(') ++open;
        if (s1[i] == u')' && ++close == open) return Integer(i + 1);
    }
    return 0;
}

bool TRarEvads::MatchStrEx(const String& AValue1, const String& AValue2, bool ACaseSensitive) {
    String condition = StripLogicSpaces(Trim(AValue1));
    if (!condition.empty() && condition.front() == u'=') condition.erase(0, 1);
    if (condition.empty()) return AValue2.empty();
    if (condition == u"*" && AValue2.empty()) return false;

    static const TRarEvadsCharSet separators = CreateCharSet(u"(;^&|");
    bool result = false;
    Char previous = 0;
    Integer position = 0;
    Char separator;
    while ((separator = FirstChar(separators, condition, position)) != 0) {
        bool partial;
        if (condition.front() == u'(') {
            // An unclosed bracket runs to the end of the condition.
            Integer closing = ClosingParenthesis(condition);
            if (closing == 0) closing = Length(condition) + 1;
            partial = MatchStrEx(Copy(condition, 2, closing - 2), AValue2, ACaseSensitive);
            condition.erase(0, std::min<std::size_t>(std::size_t(closing), condition.size()));
        } else {
            partial = MatchStr(Copy(condition, 1, position - 1), AValue2, ACaseSensitive);
            condition.erase(0, std::size_t(position));
        }
        Combine(result, partial, JoinOf(previous));
        previous = separator;
    }
    Combine(result, MatchStr(condition, AValue2, ACaseSensitive), JoinOf(previous));
    return result;
}

bool TRarEvads::MatchStr(const String& AValue1, const String& AValue2, bool ACaseSensitive) {
    if (ACaseSensitive) return Matches(AValue1, AValue2);
    return Matches(AnsiUpperCase(AValue1), AnsiUpperCase(AValue2));
}

bool TRarEvads::Matches(const Char* s0a, const Char* s1a) {
    return Matches(String(s0a ? s0a : u""), String(s1a ? s1a : u""));
}

bool TRarEvads::Matches(const String& s0a, const String& s1a) {
    const String& condition = s0a;
    const String& value = s1a;
    bool greaterTested = false, lessTested = false;
    bool greaterAnswer = true, lessAnswer = true;

    if (const std::size_t at = condition.find(u'>'); at != String::npos) {
        const bool orEqual = at + 1 < condition.size() && condition[at + 1] == u'=';
        greaterAnswer = Compare(value, ComparisonOperand(condition, at + (orEqual ? 2 : 1)), true, orEqual);
        greaterTested = true;
    }
    if (const std::size_t at = condition.find(u'<'); at != String::npos) {
        const bool orEqual = at + 1 < condition.size() && condition[at + 1] == u'=';
        lessAnswer = Compare(value, ComparisonOperand(condition, at + (orEqual ? 2 : 1)), false, orEqual);
        lessTested = true;
    }
    const bool hasGreater = Contains(condition, u'>');
    const bool hasLess = Contains(condition, u'<');
    // A negated pattern takes part in "&" and "^" as a passed comparison; the
    // pattern itself is judged by the wildcard match below.
    if (Contains(condition, u'!')) {
        if (!hasGreater) greaterTested = true;
        if (!hasLess) lessTested = true;
    }

    if (Contains(condition, u'^') && (greaterTested || lessTested)) return greaterAnswer || lessAnswer;
    if (Contains(condition, u'&') && greaterTested && lessTested) return greaterAnswer && lessAnswer;
    if ((hasGreater && greaterAnswer) || (hasLess && lessAnswer)) return true;

    if (condition.empty() || value.empty()) return true;
    bool negated = false;
    const bool matched = WildcardMatch(condition, 0, value, 0, negated);
    return negated ? !matched : matched;
}

bool TRarEvads::IsDate(const String& AValue, TDateTime& ADate) {
    return IsDate(AValue, ADate, FormatSettings);
}

bool TRarEvads::IsDate(const String& AValue, TDateTime& ADate, const TFormatSettings& ASettings) {
    // The order of day, month and year in the short date format.
    const String format = UpperCase(ASettings.ShortDateFormat);
    std::array<std::pair<Integer, Char>, 3> order{
        {{Pos(u"D", format), u'D'}, {Pos(u"M", format), u'M'}, {Pos(u"Y", format), u'Y'}}};
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    const Char dateSeparator = ASettings.DateSeparator;
    const std::size_t first = AValue.find(dateSeparator);
    if (first == String::npos) return false;
    const std::size_t second = AValue.find(dateSeparator, first + 1);
    if (second == String::npos) return false;
    std::array<String, 3> fields{AValue.substr(0, first), AValue.substr(first + 1, second - first - 1)};
    String rest = Trim(AValue.substr(second + 1));
    String timeText;
    if (const std::size_t space = rest.find(u' '); space != String::npos) {
        timeText = Trim(rest.substr(space));
        rest.resize(space);
    }
    fields[2] = rest;

    Integer day = 0, month = 0, year = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        Integer number;
        if (!TryStrToInt(fields[i], number)) return false;
        (order[i].second == u'D' ? day : order[i].second == u'M' ? month : year) = number;
    }
    if (day > 31 || month > 12) return false;

    Integer hour = 0, minute = 0, second_ = 0;
    if (!timeText.empty()) {
        const Char timeSeparator = ASettings.TimeSeparator;
        const std::size_t colon = timeText.find(timeSeparator);
        if (colon == String::npos) return false;
        if (!TryStrToInt(timeText.substr(0, colon), hour) || hour > 23) return false;
        const String afterHour = timeText.substr(colon + 1);
        String minuteText = afterHour;
        if (const std::size_t colon2 = afterHour.find(timeSeparator); colon2 != String::npos) {
            minuteText = afterHour.substr(0, colon2);
            if (!TryStrToInt(afterHour.substr(colon2 + 1), second_) || second_ > 60) return false;
        }
        if (!TryStrToInt(minuteText, minute) || minute > 59) return false;
    }
    const auto fitsWord = [](Integer v) { return v >= 0 && v <= 0xFFFF; };
    if (!fitsWord(year) || !fitsWord(month) || !fitsWord(day) || !fitsWord(hour) || !fitsWord(minute) ||
        !fitsWord(second_))
        return false;
    return TryEncodeDateTime(Word(year), Word(month), Word(day), Word(hour), Word(minute), Word(second_), 0,
                             ADate);
}
