// The inline form controls of the grid's markup.

#include "gridbase/MarkupControls.h"

#include "gridbase/MarkupEntities.h"
#include "gridbase/MarkupTags.h"
#include "rtl/StringUtils.h"

#include <vector>

namespace {

// The value of `name` (written with its "=") in a control's attribute text.
// Names are looked for outside quoted values only, so that a value holding
// "WIDTH=" cannot stand in for the control's own attribute.
String ControlAttribute(std::u16string_view attributes, std::u16string_view name) {
    const String upper = UpperCase(attributes);
    bool quoted = false;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        if (upper[i] == u'"') {
            quoted = !quoted;
            continue;
        }
        if (quoted || std::u16string_view(upper).substr(i, name.size()) != name) continue;
        const std::size_t open = upper.find(u'"', i + name.size());
        if (open == String::npos) return String();
        const std::size_t close = upper.find(u'"', open + 1);
        const std::size_t end = close == String::npos ? upper.size() : close;
        return String(attributes.substr(open + 1, end - open - 1));
    }
    return String();
}

struct TControlTag {
    std::size_t Start;  // the "<"
    std::size_t Length; // through the ">"
    TMarkupControl Control;
};

// Every "<CONTROL " tag (any case) of the text, each ending at the next ">".
std::vector<TControlTag> ControlTags(const String& text) {
    constexpr std::u16string_view Opening = u"<CONTROL ";
    const String upper = UpperCase(text);
    std::vector<TControlTag> tags;
    for (std::size_t at = upper.find(Opening); at != String::npos; at = upper.find(Opening, at + 1)) {
        const std::size_t close = upper.find(u'>', at);
        if (close == String::npos) break;
        const std::size_t attributes = at + Opening.size() - 1;
        tags.push_back({at, close + 1 - at, ParseControlTag(text.substr(attributes, close - attributes))});
    }
    return tags;
}

const TControlTag* FindControl(const std::vector<TControlTag>& tags, const String& id) {
    for (const TControlTag& tag : tags)
        if (tag.Control.ID == id) return &tag;
    return nullptr;
}

bool IsEditable(const TMarkupControl& control) {
    return control.Type != u"BUTTON" && control.Type != u"CHECK" && control.Type != u"RADIO";
}

// ` NAME="value"`, built by appending (GCC 12 warns falsely about
// `literal + String&&` in optimised builds).
String Attribute(std::u16string_view name, const String& value) {
    String attribute;
    attribute.reserve(name.size() + value.size() + 4);
    attribute.append(u" ").append(name).append(u"=\"").append(value).append(u"\"");
    return attribute;
}

} // namespace

TMarkupControl ParseControlTag(const String& AAttributes) {
    TMarkupControl control;
    control.Type = UpperCase(ControlAttribute(AAttributes, u"TYPE="));
    control.ID = ControlAttribute(AAttributes, u"ID=");
    control.MaxLen = ControlAttribute(AAttributes, u"MAXLEN=");
    control.Prop = DecodeMarkupEntities(ControlAttribute(AAttributes, u"PROP="), true);
    control.Height = ControlAttribute(AAttributes, u"HEIGHT=");
    control.Width = ControlAttribute(AAttributes, u"WIDTH=");
    control.Value = DecodeMarkupEntities(ControlAttribute(AAttributes, u"VALUE="), true);
    return control;
}

bool HasMarkupControl(const String& AText) {
    return UpperCase(AText).find(u"<CONTROL") != String::npos;
}

String NextMarkupControlID(const String& AText, const String& AID) {
    const std::vector<TControlTag> tags = ControlTags(AText);
    auto from = tags.begin();
    if (!AID.empty()) {
        const TControlTag* current = FindControl(tags, AID);
        if (!current) return String();
        from = tags.begin() + (current - tags.data()) + 1;
    }
    for (auto tag = from; tag != tags.end(); ++tag)
        if (IsEditable(tag->Control)) return tag->Control.ID;
    return String();
}

String ClearMarkupRadios(const String& AText) {
    std::vector<String> radios;
    for (const TControlTag& tag : ControlTags(AText))
        if (tag.Control.Type == u"RADIO") radios.push_back(tag.Control.ID);
    String result = AText;
    for (const String& id : radios)
        SetMarkupControlValue(result, id, u"FALSE");
    return result;
}

bool GetMarkupControlValue(const String& AText, const String& AID, String& AValue) {
    const std::vector<TControlTag> tags = ControlTags(AText);
    const TControlTag* tag = FindControl(tags, AID);
    if (!tag) return false;
    AValue = tag->Control.Value;
    return true;
}

String GetMarkupControlProp(const String& AText, const String& AID) {
    const std::vector<TControlTag> tags = ControlTags(AText);
    const TControlTag* tag = FindControl(tags, AID);
    return tag ? tag->Control.Prop : String();
}

Integer GetMarkupControlMaxLen(const String& AText, const String& AID) {
    const std::vector<TControlTag> tags = ControlTags(AText);
    const TControlTag* tag = FindControl(tags, AID);
    return tag ? MarkupNumber(tag->Control.MaxLen) : 0;
}

bool SetMarkupControlValue(String& AText, const String& AID, const String& AValue) {
    const std::vector<TControlTag> tags = ControlTags(AText);
    const TControlTag* tag = FindControl(tags, AID);
    if (!tag) return false;
    const TMarkupControl& control = tag->Control;
    String rewritten = u"<CONTROL" + Attribute(u"ID", AID) +
                       Attribute(u"VALUE", EncodeMarkupEntities(AValue, true)) +
                       Attribute(u"WIDTH", control.Width) + Attribute(u"TYPE", control.Type);
    if (!control.Height.empty()) rewritten += Attribute(u"HEIGHT", control.Height);
    if (!control.Prop.empty()) rewritten += Attribute(u"PROP", EncodeMarkupEntities(control.Prop, true));
    if (!control.MaxLen.empty()) rewritten += Attribute(u"MAXLEN", control.MaxLen);
    rewritten += u">";
    AText.replace(tag->Start, tag->Length, rewritten);
    return true;
}

String PasswordMask(const String& AText) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < AText.size(); ++i) {
        // The second half of a surrogate pair belongs to the first.
        if (AText[i] >= 0xDC00 && AText[i] <= 0xDFFF && i > 0 && AText[i - 1] >= 0xD800 &&
            AText[i - 1] <= 0xDBFF)
            continue;
        ++characters;
    }
    return String(characters, u'*');
}
