#include "ConnectionString.h"

#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

namespace detail {

String TConnectionString::Value(std::u16string_view name) const {
    for (const auto& [Name, Value] : Items)
        if (SameText(Name, name)) return Value;
    return String();
}

bool TConnectionString::Has(std::u16string_view name) const {
    for (const auto& Item : Items)
        if (SameText(Item.first, name)) return true;
    return false;
}

TConnectionString ParseConnectionString(std::u16string_view text) {
    TConnectionString Result;
    size_t At = 0;
    while (At < text.size()) {
        size_t NameEnd = text.find(u'=', At);
        size_t ItemEnd = text.find(u';', At);
        if (NameEnd == std::u16string_view::npos ||
            (ItemEnd != std::u16string_view::npos && ItemEnd < NameEnd)) {
            // An item without "=": a name with an empty value.
            const size_t End = ItemEnd == std::u16string_view::npos ? text.size() : ItemEnd;
            const String Name = Trim(text.substr(At, End - At));
            if (!Name.empty()) Result.Items.emplace_back(Name, String());
            At = End + 1;
            continue;
        }
        const String Name = Trim(text.substr(At, NameEnd - At));
        size_t ValueAt = NameEnd + 1;
        while (ValueAt < text.size() && text[ValueAt] == u' ')
            ++ValueAt;
        String Value;
        if (ValueAt < text.size() && text[ValueAt] == u'"') {
            size_t Scan = ValueAt + 1;
            while (Scan < text.size()) {
                if (text[Scan] == u'"') {
                    if (Scan + 1 < text.size() && text[Scan + 1] == u'"') {
                        Value += u'"';
                        Scan += 2;
                        continue;
                    }
                    break;
                }
                Value += text[Scan++];
            }
            ItemEnd = text.find(u';', Scan);
        } else {
            ItemEnd = text.find(u';', ValueAt);
            const size_t End = ItemEnd == std::u16string_view::npos ? text.size() : ItemEnd;
            Value = Trim(text.substr(ValueAt, End - ValueAt));
        }
        if (!Name.empty()) Result.Items.emplace_back(Name, Value);
        At = ItemEnd == std::u16string_view::npos ? text.size() : ItemEnd + 1;
    }
    return Result;
}

} // namespace detail
