#include "XMLText.h"

#include "rtl/Encoding.h"
#include "xml/XMLDocument.h"

#include <libxml/tree.h>

namespace detail {

String FromXmlChars(const xmlChar* Text) {
    return Text ? FromUtf8(reinterpret_cast<const char*>(Text)) : String();
}

namespace {

bool IsHighSurrogate(Char C) {
    return C >= 0xD800 && C <= 0xDBFF;
}
bool IsLowSurrogate(Char C) {
    return C >= 0xDC00 && C <= 0xDFFF;
}

bool IsForbiddenInXml(Char C) {
    return (C < 0x20 && C != u'\t' && C != u'\n' && C != u'\r') || C == 0xFFFE || C == 0xFFFF;
}

} // namespace

std::string CheckedText(const String& Text) {
    for (size_t I = 0; I < Text.size(); ++I) {
        const Char C = Text[I];
        if (IsHighSurrogate(C) && I + 1 < Text.size() && IsLowSurrogate(Text[I + 1])) {
            ++I;
            continue;
        }
        if (IsForbiddenInXml(C) || IsHighSurrogate(C) || IsLowSurrogate(C))
            throw EXMLDocError(u"Character #%d cannot be stored in an XML document", {Integer(C)});
    }
    return Utf8(Text);
}

std::string CheckedName(const String& Name) {
    std::string Result = CheckedText(Name);
    if (Name.empty() || xmlValidateQName(XmlChars(Result), 0) != 0)
        throw EXMLDocError(u"\"%s\" is not a valid XML name", {Name});
    return Result;
}

} // namespace detail
