#include "OutputText.h"

#include "rtl/Encoding.h"
#include "rtl/StringList.h"

#include <cstring>

namespace vorn {

String InText(const char* text) {
    return text ? FromAnsi(text) : String();
}

bool PutText(const String& text, char** aText, std::int32_t* aSize) {
    if (!aText || !*aText || !aSize || *aSize < 0)
        throw ESubstanceStoreError(u"No buffer for the output text.");
    const AnsiString bytes = ToAnsi(text);
    const auto length = static_cast<std::int32_t>(bytes.size());
    if (length > *aSize) {
        *aSize = length;
        return false;
    }
    std::memcpy(*aText, bytes.data(), bytes.size());
    (*aText)[length] = '\0';
    *aSize = length;
    return true;
}

String ListText(const std::vector<String>& items) {
    // An empty list is an empty text (DelimitedText would not tell it from
    // one empty item otherwise).
    if (items.empty()) return {};
    TStringList list;
    list.SetDelimiter(u';');
    list.SetQuoteChar(u'"');
    list.SetStrictDelimiter(false);
    for (const String& item : items)
        list.Add(item);
    return list.DelimitedText();
}

String InfoListText(const TInfoList& list) {
    std::vector<String> items;
    for (const TAttribute& attribute : list)
        items.push_back(attribute.Name + u"=" + attribute.Value);
    return ListText(items);
}

} // namespace vorn
