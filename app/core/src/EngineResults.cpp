#include "core/EngineResults.h"

#include "core/AbstractionPoints.h"
#include "os/FileUtils.h"
#include "rtl/Exception.h"
#include "rtl/StringUtils.h"

namespace {

// The characters in front of a result row's value: " * " and the point's
// name in its field of 19 characters, after the row's leading blank is gone.
constexpr Integer ResultRowPrefixLength = 21;

Integer IndexOfLine(const TStrings& lines, const String& text) {
    for (Integer i = 0; i < lines.Count(); ++i)
        if (lines.Strings(i) == text) return i;
    return -1;
}

Integer IndexOfLineHolding(const TStrings& lines, const String& text, Integer from) {
    for (Integer i = from; i < lines.Count(); ++i)
        if (Pos(text, lines.Strings(i)) > 0) return i;
    return -1;
}

// Every line of the file's own layout starts with " *"; the messages of a
// range check follow the last of them, separated by lines holding "*".
String EngineMessagesOf(const TStrings& lines) {
    Integer first = 0;
    for (Integer i = 0; i < lines.Count(); ++i)
        if (lines.Strings(i).starts_with(u" *")) first = i + 1;
    String messages;
    for (Integer i = first; i < lines.Count(); ++i) {
        const String line = Trim(lines.Strings(i));
        if (line.empty() || line == u"*") continue;
        if (!messages.empty()) messages += u"\r\n";
        messages += line;
    }
    return messages;
}

String RemarkOf(const TStrings& lines, Integer from) {
    String remark;
    for (Integer i = from; i < lines.Count(); ++i) {
        String line = Trim(lines.Strings(i));
        if (line.empty()) continue;
        if (line.starts_with(u'*')) line = Trim(Copy(line, 2));
        remark += line + u" ";
    }
    return Trim(remark);
}

} // namespace

TSummaryResults ReadSummaryResults(const TStrings& lines, Integer pointCount) {
    TSummaryResults results;
    const Integer marker = IndexOfLine(lines, SummaryOutputMarker);
    if (marker < 0) {
        results.PEC_Tier1.assign(pointCount, String());
        results.EngineMessages = EngineMessagesOf(lines);
        return results;
    }
    const Integer firstRow = IndexOfLineHolding(lines, u"DE PUNT", marker);
    if (firstRow < 0 || firstRow + pointCount > lines.Count()) throw EReadError(u"Summary.out incomplete");

    results.Complete = true;
    for (Integer k = 0; k < pointCount; ++k) {
        String row = Trim(lines.Strings(firstRow + k));
        results.PEC_Tier1.push_back(Trim(Copy(row, ResultRowPrefixLength + 1)));
    }
    results.Kom_comment = RemarkOf(lines, firstRow + pointCount);
    return results;
}

void TAbstractionPoints::ReadResults(const String& FileName) {
    if (!FileExists(FileName)) throw EFOpenError(u"File nof found: " + FileName);
    TStringList lines;
    lines.LoadFromFile(FileName, &TEncoding::ANSI());
    TSummaryResults results = ReadSummaryResults(lines, Count());
    for (Integer k = 0; k < Count(); ++k)
        Items(k)->SetPEC_Tier1(results.PEC_Tier1[k]);
    FKom_comment = std::move(results.Kom_comment);
    FRunStopped = !results.Complete;
    FEngineMessages = std::move(results.EngineMessages);
}
