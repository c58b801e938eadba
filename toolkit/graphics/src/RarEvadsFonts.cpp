#include "graphics/Fonts.h"
#include "kel/RarEvads.h"
#include "rtl/Encoding.h"
#include "rtl/StringList.h"
#include "rtl/TextCompare.h"

#include <pango/pango.h>

namespace {

// Holds a list's change announcements back for the scope's lifetime.
class TUpdateScope {
public:
    explicit TUpdateScope(TStrings& list) : FList(list) { FList.BeginUpdate(); }
    ~TUpdateScope() { FList.EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    TStrings& FList;
};

} // namespace

void TRarEvads::GetFonts(TStringList* FontList) {
    const TUpdateScope update(*FontList);
    FontList->Clear();
    PangoFontFamily** families = nullptr;
    int count = 0;
    pango_font_map_list_families(GraphicsFontMap(), &families, &count);
    String last;
    for (int i = 0; i < count; ++i) {
        const String name = FromUtf8(pango_font_family_get_name(families[i]));
        if (FontList->Count() > 0 && SameText(name, last)) continue;
        FontList->Add(name);
        last = name;
    }
    g_free(families);
    FontList->Sort();
}
