// Spreadsheet number formats: sections and conditions, then each section
// rendered piece by piece into literals, date and time parts and number
// parts that the platform's formatting writes.

#include "gridbase/XLSFormat.h"

#include "XLSNumberPicture.h"

#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "rtl/StringUtils.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace {

const String NoUsableSection(19, u'#');
const String UnwritableDate = u"##";
constexpr std::size_t MaxSections = 4;

Char At(std::u16string_view text, std::size_t index) {
    return index < text.size() ? text[index] : Char(0);
}

Char Upper(Char c) {
    return c >= u'a' && c <= u'z' ? Char(c - 32) : c;
}

// Dates and times are written with the locale's settings; a locale without
// AM and PM strings gets the spreadsheet's.
TFormatSettings DateSettings() {
    TFormatSettings settings = FormatSettings;
    if (settings.TimeAMString.empty()) settings.TimeAMString = u"AM";
    if (settings.TimePMString.empty()) settings.TimePMString = u"PM";
    return settings;
}

// ---- Sections and conditions ----------------------------------------------------

struct TResultCondition {
    bool SupressNeg = false;     // write the absolute value when this section is used
    bool SupressNegComp = false; // the same for the section chosen when the condition fails
    bool Complement = false;     // the condition did not hold
    bool Assigned = false;       // the section has a condition
};

struct TSections {
    std::array<String, MaxSections> Texts;
    std::array<TResultCondition, MaxSections> Conditions;
    std::size_t Count = 0;
    std::optional<std::size_t> Held; // the first section whose condition held
};

// The bracket content "<=5", ">-1.5" …: whether it is a condition, and its outcome for x.
std::optional<TResultCondition> ParseFormatCondition(std::u16string_view content, double x) {
    static const std::u16string_view operators[] = {u"<=", u"<>", u"<", u"=", u">=", u">"};
    for (const std::u16string_view op : operators) {
        if (!content.starts_with(op)) continue;
        double e = 0;
        if (!TryStrToFloat(content.substr(op.size()), e, TFormatSettings::Invariant())) return std::nullopt;
        bool holds = false;
        TResultCondition condition;
        condition.Assigned = true;
        if (op == u"<=" || op == u"<") {
            holds = op == u"<=" ? x <= e : x < e;
            condition.SupressNeg = e <= 0;
            condition.SupressNegComp = true;
        } else if (op == u"<>") {
            holds = x != e;
            condition.SupressNegComp = true;
        } else if (op == u"=") {
            holds = x == e;
            condition.SupressNeg = true;
        } else {
            holds = op == u">=" ? x >= e : x > e;
            condition.SupressNegComp = e <= 0;
        }
        condition.Complement = !holds;
        return condition;
    }
    return std::nullopt;
}

TSections SplitFormatSections(std::u16string_view format, double x) {
    TSections sections;
    std::size_t section = 0, start = 0, i = 0;
    bool inQuotes = false;
    while (i < format.size()) {
        const Char c = format[i];
        if (c == u'"') {
            inQuotes = !inQuotes;
        } else if (inQuotes) {
            // Quoted text is literal: no section ends and no bracket starts in it.
        } else if (c == u'\\') {
            ++i;
        } else if (c == u'[' && i + 2 < format.size()) {
            const std::size_t close = format.find(u']', i);
            const std::size_t end = close == format.npos ? format.size() : close;
            if (const auto condition = ParseFormatCondition(format.substr(i + 1, end - i - 1), x)) {
                sections.Conditions[section] = *condition;
                if (!condition->Complement && !sections.Held) sections.Held = section;
            }
            i = end;
        } else if (c == u';') {
            sections.Texts[section] = String(format.substr(start, i - start));
            start = i + 1;
            if (++section == MaxSections) break;
        }
        ++i;
    }
    if (section < MaxSections)
        sections.Texts[section] = String(format.substr(std::min(start, format.size())));
    sections.Count = std::min(section + 1, MaxSections);
    return sections;
}

struct TChoice {
    std::size_t Section = 0;
    bool Absolute = false;
};

// The section for x, or none when the chosen one does not exist.
std::optional<TChoice> ChooseFormatSection(const TSections& sections, double x) {
    const std::size_t n = sections.Count;
    const auto& conditions = sections.Conditions;
    TChoice choice;
    if (sections.Held) {
        choice = {*sections.Held, conditions[*sections.Held].SupressNeg};
    } else if (!conditions[0].Assigned && (x > 0 || std::isnan(x) || n < 2 || (x == 0 && n <= 2))) {
        choice = {0, false};
    } else if (conditions[1].Assigned || (x >= 0 && n > 2)) {
        choice = {std::size_t(conditions[2].Assigned ? 3 : 2), false};
    } else {
        choice = {1, true};
        if (n == 2 && conditions[0].Assigned) choice.Absolute = conditions[0].SupressNegComp;
    }
    if (choice.Section >= n) return std::nullopt;
    return choice;
}

// ---- Rendering a section ----------------------------------------------------------

bool IsLiteralChar(Char c) {
    return std::u16string_view(u" !$&'()<=>^{}~\u00B4").find(c) != std::u16string_view::npos;
}

bool IsDateChar(Char c) {
    return c == u'\\' || std::u16string_view(u"./:ACDHMNPQSTWY").find(Upper(c)) != std::u16string_view::npos;
}

bool IsNumberChar(Char c) {
    return std::u16string_view(u" \"#%*+,-.0?E\\e").find(c) != std::u16string_view::npos;
}

bool StartsWithNoCase(std::u16string_view text, std::size_t at, std::u16string_view prefix) {
    if (at + prefix.size() > text.size()) return false;
    for (std::size_t k = 0; k < prefix.size(); ++k)
        if (Upper(text[at + k]) != Upper(prefix[k])) return false;
    return true;
}

// Whether the m-run at `at` is minutes by the spreadsheet rule: the next
// date code after it (letters only) is seconds.
bool SecondsFollow(std::u16string_view section, std::size_t at) {
    while (at < section.size() && Upper(section[at]) == u'M')
        ++at;
    for (; at < section.size(); ++at) {
        const Char c = Upper(section[at]);
        if (c >= u'A' && c <= u'Z') return c == u'S';
    }
    return false;
}

bool HasAmPm(std::u16string_view section) {
    bool inQuotes = false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        if (section[i] == u'"') inQuotes = !inQuotes;
        if (!inQuotes && StartsWithNoCase(section, i, u"AM/PM")) return true;
    }
    return false;
}

class TSectionRenderer {
public:
    TSectionRenderer(std::u16string_view section, const Variant& value, double x, bool absolute)
        : FSection(section), FValue(value), FX(x), FAbsolute(absolute), FTwelveHour(HasAmPm(section)),
          FDateSection(detail::HasDateCodes(section)) {}

    String Render() {
        // A number section is one picture; the rest render piece by piece.
        if (auto picture = detail::RenderNumberPicture(FSection, FX, FAbsolute)) return *picture;
        while (FPos < FSection.size()) {
            const std::size_t before = FPos;
            if (!RenderLocaleBracket() && !RenderElapsedTime() && !RenderOtherBracket() && !RenderLiteral() &&
                !RenderDatePart() && !RenderNumberPart())
                return PlainText();
            if (FPos == before) return PlainText();
            if (FFailed) return FFailedText;
        }
        return FOut;
    }

    // Text values: brackets, literals and "@" only.
    String RenderText(const String& text) {
        while (FPos < FSection.size()) {
            if (FSection[FPos] == u'@') {
                FOut += text;
                ++FPos;
            } else if (!RenderLocaleBracket() && !RenderOtherBracket() && !RenderLiteral()) {
                return text;
            }
        }
        return FOut;
    }

private:
    // The value's own text; a date the platform cannot write is shown as
    // a row of "#".
    String PlainText() const {
        try {
            if (FAbsolute && FX < 0) return VarToStr(Variant(-FX));
            return VarToStr(FValue);
        } catch (const EConvertError&) {
            return detail::UnshowableValue(FSection);
        }
    }

    // "[$<currency>-<locale>]": the currency text.
    bool RenderLocaleBracket() {
        if (!FSection.substr(FPos).starts_with(u"[$")) return false;
        const std::size_t close = FSection.find(u']', FPos);
        if (close == FSection.npos) return false;
        const std::u16string_view inside = FSection.substr(FPos + 2, close - FPos - 2);
        FOut += inside.substr(0, inside.find(u'-'));
        FPos = close + 1;
        return true;
    }

    // "[h]", "[mm]", "[ss]": elapsed hours, minutes or seconds.
    bool RenderElapsedTime() {
        if (At(FSection, FPos) != u'[') return false;
        const std::size_t close = FSection.find(u']', FPos);
        if (close == FSection.npos || close == FPos + 1) return false;
        const std::u16string_view letters = FSection.substr(FPos + 1, close - FPos - 1);
        const Char unit = Upper(letters[0]);
        if (unit != u'H' && unit != u'M' && unit != u'S') return false;
        for (const Char c : letters)
            if (Upper(c) != unit) return false;
        const double factor = unit == u'H' ? 24 : unit == u'M' ? 1440 : 86400;
        const double amount = FX * factor;
        // Beyond 64-bit integers (and not a number) the count cannot be written.
        if (!(std::fabs(amount) < 9.0e18)) {
            FFailed = true;
            FFailedText = detail::UnshowableValue(FSection);
            FPos = close + 1;
            return true;
        }
        const Int64 whole = Int64(std::floor(std::fabs(amount)));
        if (amount < 0) FOut += u'-';
        FOut += Format(u"%.*d", {Integer(letters.size()), whole});
        // The next m-run of the date part counts minutes.
        if (unit == u'H') FElapsedHours = true;
        FPos = close + 1;
        return true;
    }

    // Colours, conditions and any other bracket: no output.
    bool RenderOtherBracket() {
        if (At(FSection, FPos) != u'[') return false;
        const std::size_t close = FSection.find(u']', FPos);
        if (close == FSection.npos) return false;
        FPos = close + 1;
        return true;
    }

    bool RenderLiteral() {
        const Char c = At(FSection, FPos);
        // Among date codes, commas and signs are plain text ("mmm d, yyyy").
        if (IsLiteralChar(c) || (FDateSection && (c == u',' || c == u'-' || c == u'+'))) {
            FOut += c;
            FPos += 1;
        } else if ((c == u'\\' || c == u'*') && FPos + 1 < FSection.size()) {
            FOut += FSection[FPos + 1];
            FPos += 2;
        } else if (c == u'_') {
            FOut += u' ';
            FPos = std::min(FPos + 2, FSection.size());
        } else if (c == u'"') {
            const std::size_t close = FSection.find(u'"', FPos + 1);
            const std::size_t end = close == FSection.npos ? FSection.size() : close;
            FOut += FSection.substr(FPos + 1, end - FPos - 1);
            FPos = std::min(end + 1, FSection.size());
        } else {
            return false;
        }
        return true;
    }

    bool RenderDatePart() {
        if (!IsDateChar(At(FSection, FPos))) return false;
        String format;
        bool hourMark = FElapsedHours, hourInRun = false, amPmInRun = false;
        FElapsedHours = false;
        while (FPos < FSection.size() && IsDateChar(FSection[FPos])) {
            if (FSection[FPos] == u'\\') {
                if (++FPos >= FSection.size()) break;
                format += FSection[FPos++];
                continue;
            }
            const Char c = Upper(FSection[FPos]);
            if (c == u'A' && StartsWithNoCase(FSection, FPos, u"AM/PM")) {
                format += u"AMPM";
                amPmInRun = true;
                FPos += 5;
            } else if (c == u'M' && (hourMark || SecondsFollow(FSection, FPos))) {
                while (FPos < FSection.size() && Upper(FSection[FPos]) == u'M') {
                    format += u'n';
                    ++FPos;
                }
                hourMark = false;
            } else {
                if (c == u'H') hourMark = hourInRun = true;
                format += FSection[FPos++];
            }
        }
        // An hour takes the 12-hour clock of an AM/PM code elsewhere in the
        // section: the platform decides it from an am/pm specifier after the
        // hour, whose own text is then taken off again.
        if (format.empty()) return true;
        const bool borrowAmPm = FTwelveHour && hourInRun && !amPmInRun;
        const TFormatSettings settings = DateSettings();
        try {
            String text = FormatDateTime(borrowAmPm ? format + u"AMPM" : format, FX, settings);
            if (borrowAmPm) text.resize(text.size() - FormatDateTime(u"AMPM", FX, settings).size());
            FOut += text;
        } catch (const EConvertError&) {
            // The date lies outside the years the platform can write.
            FFailed = true;
        }
        return true;
    }

    bool RenderNumberPart() {
        if (!IsNumberChar(At(FSection, FPos))) return false;
        String format;
        double number = FX;
        const std::size_t start = FPos;
        // The character after "\\" belongs to the run whatever it is.
        bool escaped = false;
        while (FPos < FSection.size() && (escaped || IsNumberChar(FSection[FPos]))) {
            const Char c = FSection[FPos];
            if (!escaped) {
                if (c == u'"' && FPos > start) {
                    const std::size_t close = FSection.find(u'"', FPos + 1);
                    const std::size_t end = close == FSection.npos ? FSection.size() : close;
                    format += FSection.substr(FPos + 1, end - FPos - 1);
                    FPos = std::min(end + 1, FSection.size());
                    continue;
                }
                if (c == u'\\') {
                    escaped = true;
                    ++FPos;
                    continue;
                }
                if (c == u'*') {
                    if (FPos + 1 < FSection.size()) format += FSection[FPos + 1];
                    FPos = std::min(FPos + 2, FSection.size());
                    continue;
                }
            }
            escaped = false;
            if (c == u'%') number *= 100;
            format += c == u'?' ? u'#' : c;
            ++FPos;
        }
        if (format.empty()) return true;
        if (FAbsolute && number < 0) number = -number;
        FOut += FormatFloat(format, number, FormatSettings);
        return true;
    }

    std::u16string_view FSection;
    const Variant& FValue;
    double FX;
    bool FAbsolute;
    bool FTwelveHour;
    bool FElapsedHours = false;
    bool FDateSection;
    bool FFailed = false;
    String FFailedText = UnwritableDate;
    std::size_t FPos = 0;
    String FOut;
};

bool IsNumberVariant(TVarType type) {
    switch (type) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varByte:
    case varInt64:
        return true;
    default:
        return false;
    }
}

String FormatNumber(const Variant& value, const String& format, bool isDate) {
    const double x = value.AsDouble();
    const TSections sections = SplitFormatSections(format, x);
    const auto choice = ChooseFormatSection(sections, x);
    if (!choice) return NoUsableSection;
    const String& section = sections.Texts[choice->Section];
    const String upper = UpperCase(section);
    const TFormatSettings settings = DateSettings();
    try {
        if (Pos(u"[$-F800]", upper) > 0) return FormatDateTime(settings.LongDateFormat, x, settings);
        if (Pos(u"[$-F400]", upper) > 0) return FormatDateTime(settings.LongTimeFormat, x, settings);
    } catch (const EConvertError&) {
        return UnwritableDate;
    }
    if (isDate && x < 0) return NoUsableSection;
    return TSectionRenderer(section, value, x, choice->Absolute).Render();
}

String FormatText(const String& text, const String& format) {
    const TSections sections = SplitFormatSections(format, 0);
    std::u16string_view section;
    if (sections.Count == MaxSections)
        section = sections.Texts[3];
    else if (Pos(u"@", sections.Texts[0]) > 0)
        section = sections.Texts[0];
    else
        return text;
    return TSectionRenderer(section, Variant(text), 0, false).RenderText(text);
}

} // namespace

String ApplyXLSFormat(const Variant& value, const String& format) {
    if (value.IsNull() || value.IsEmpty()) return String();
    if (format.empty()) {
        try {
            return VarToStr(value);
        } catch (const EConvertError&) {
            // A date beyond the years the platform writes.
            return detail::UnshowableValue(format);
        }
    }
    const TVarType type = value.VarType();
    if (IsNumberVariant(type)) return FormatNumber(value, format, false);
    if (type == varDate) return FormatNumber(value, format, true);
    if (type == varUString) return FormatText(value.AsString(), format);
    if (type == varBoolean) return value.AsBoolean() ? u"TRUE" : u"FALSE";
    return VarToStr(value);
}
