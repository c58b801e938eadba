#include "graphics/Fonts.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <stdexcept>

#include "FontsConfig.h"
#include "rtl/Encoding.h"

namespace {

// The configuration, font map and context, made once and released at exit so
// that leak checks see nothing of them.
struct TFontSystem {
    FcConfig* Config = nullptr;
    PangoFontMap* Map = nullptr;
    PangoContext* Context = nullptr;

    TFontSystem() {
        Config = FcConfigCreate();
        if (!FcConfigParseAndLoadFromMemory(Config, reinterpret_cast<const FcChar8*>(GraphicsFontsConfig), FcTrue) ||
            !FcConfigBuildFonts(Config)) {
            FcConfigDestroy(Config);
            throw std::runtime_error("the fonts configuration could not be loaded");
        }
        Map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
        pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(Map), Config);
        Context = pango_font_map_create_context(Map);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(Context, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(Context, FALSE);
    }

    ~TFontSystem() {
        g_object_unref(Context);
        pango_fc_font_map_shutdown(PANGO_FC_FONT_MAP(Map));
        g_object_unref(Map);
        FcConfigDestroy(Config);
    }
};

TFontSystem& FontSystem() {
    static TFontSystem system;
    return system;
}

FcConfig* GraphicsFontConfig() { return FontSystem().Config; }

bool SameFamily(const char* a, const char* b) {
    return FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(a), reinterpret_cast<const FcChar8*>(b)) == 0;
}

bool Installed(FcConfig* config, const char* family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(config, pattern, objects);
    bool found = false;
    for (int i = 0; fonts && i < fonts->nfont && !found; ++i) {
        FcChar8* name = nullptr;
        for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &name) == FcResultMatch; ++n) {
            if (SameFamily(reinterpret_cast<const char*>(name), family)) found = true;
        }
    }
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

} // namespace

PangoFontMap* GraphicsFontMap() { return FontSystem().Map; }

PangoContext* GraphicsPangoContext() { return FontSystem().Context; }

bool FontFamilyExists(const String& family) {
    if (family.empty()) return false;
    FcConfig* config = GraphicsFontConfig();
    const std::string name = Utf8(family);
    if (Installed(config, name.c_str())) return true;
    // An alias of the configuration replaces the family in the pattern.
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcChar8* first = nullptr;
    bool exists = false;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &first) == FcResultMatch &&
        !SameFamily(reinterpret_cast<const char*>(first), name.c_str())) {
        exists = Installed(config, reinterpret_cast<const char*>(first));
    }
    FcPatternDestroy(pattern);
    return exists;
}

PangoFontDescription* CreatePangoFontDescription(const String& family, double pixelSize, Integer weight,
                                                 bool italic) {
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, family.empty() ? "sans-serif" : Utf8(family).c_str());
    pango_font_description_set_absolute_size(d, pixelSize * PANGO_SCALE);
    pango_font_description_set_weight(d, weight >= 550 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d, italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return d;
}
