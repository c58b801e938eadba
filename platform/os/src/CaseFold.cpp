#include "CaseFold.h"

namespace os::detail {

String FoldName(const String& name) {
    String folded = name;
    for (Char& c : folded)
        if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - u'a' + u'A');
    return folded;
}

bool SameName(const String& a, const String& b) {
    return a.size() == b.size() && FoldName(a) == FoldName(b);
}

} // namespace os::detail
