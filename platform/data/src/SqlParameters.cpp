#include "SqlParameters.h"

namespace detail {

namespace {

bool IsNameChar(Char c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
           c >= 0x80;
}

// Copies a quoted part (text or a quoted name) up to its closing quote; a
// doubled quote stays inside. Answers the position after the part.
size_t CopyQuoted(std::u16string_view sql, size_t at, String& out) {
    const Char Quote = sql[at];
    out += sql[at++];
    while (at < sql.size()) {
        out += sql[at];
        if (sql[at++] == Quote) {
            if (at < sql.size() && sql[at] == Quote) {
                out += sql[at++];
                continue;
            }
            break;
        }
    }
    return at;
}

} // namespace

TParsedSql ParseSqlParameters(std::u16string_view sql) {
    TParsedSql Result;
    Result.Text.reserve(sql.size());
    size_t At = 0;
    while (At < sql.size()) {
        const Char C = sql[At];
        if (C == u'\'' || C == u'"') {
            At = CopyQuoted(sql, At, Result.Text);
        } else if (C == u'-' && At + 1 < sql.size() && sql[At + 1] == u'-') {
            const size_t End = sql.find(u'\n', At);
            const size_t Stop = End == std::u16string_view::npos ? sql.size() : End;
            Result.Text.append(sql.substr(At, Stop - At));
            At = Stop;
        } else if (C == u'/' && At + 1 < sql.size() && sql[At + 1] == u'*') {
            const size_t End = sql.find(u"*/", At + 2);
            const size_t Stop = End == std::u16string_view::npos ? sql.size() : End + 2;
            Result.Text.append(sql.substr(At, Stop - At));
            At = Stop;
        } else if (C == u':' && At + 1 < sql.size() && IsNameChar(sql[At + 1]) &&
                   (At == 0 || !IsNameChar(sql[At - 1]))) {
            size_t End = At + 1;
            while (End < sql.size() && IsNameChar(sql[End]))
                ++End;
            Result.ParamNames.emplace_back(sql.substr(At + 1, End - At - 1));
            Result.Text += u'?';
            At = End;
        } else {
            Result.Text += C;
            ++At;
        }
    }
    return Result;
}

} // namespace detail
