#include "graphics/GdiText.h"

#include "TextPrefixes.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>

#include "Raster.h"
#include "graphics/Fonts.h"
#include "rtl/Encoding.h"

namespace {

// The selected font at the context's scale, in surface pixels.
struct TPixelFont {
    PangoFontDescription* Desc = nullptr;
    double EmSize = 0;
    double Ascent = 0;
    double Descent = 0;
    double AveCharWidth = 0;
    double Height() const { return Ascent + Descent; }
};

struct TPixelFontDeleter {
    void operator()(TPixelFont* f) const {
        pango_font_description_free(f->Desc);
        delete f;
    }
};

TPixelFont MeasureFont(const TLogFont& lf, double emSize) {
    TPixelFont f;
    f.EmSize = emSize;
    f.Desc = CreatePangoFontDescription(lf.FaceName, emSize, lf.Weight, lf.Italic);
    PangoFontMetrics* m = pango_context_get_metrics(GraphicsPangoContext(), f.Desc, nullptr);
    f.Ascent = double(pango_font_metrics_get_ascent(m)) / PANGO_SCALE;
    f.Descent = double(pango_font_metrics_get_descent(m)) / PANGO_SCALE;
    f.AveCharWidth = double(pango_font_metrics_get_approximate_char_width(m)) / PANGO_SCALE;
    pango_font_metrics_unref(m);
    return f;
}

// Fonts are looked up often and change rarely: keep the ones made.
const TPixelFont& FontOf(const TDeviceContext& dc) {
    static std::map<std::tuple<String, Integer, bool, double>, std::unique_ptr<TPixelFont, TPixelFontDeleter>> cache;
    const TLogFont& lf = dc.State().Font;
    const double height = (lf.Height == 0 ? 16 : lf.Height) * std::abs(dc.ScaleY());
    auto key = std::make_tuple(lf.FaceName, lf.Weight, lf.Italic, height);
    auto found = cache.find(key);
    if (found != cache.end()) return *found->second;
    double em = -height;
    if (height > 0) {
        // A positive height is the cell height: ascent plus descent.
        TPixelFont reference = MeasureFont(lf, 100);
        em = height * 100 / reference.Height();
        pango_font_description_free(reference.Desc);
    }
    auto font = std::unique_ptr<TPixelFont, TPixelFontDeleter>(new TPixelFont(MeasureFont(lf, em)));
    return *cache.emplace(key, std::move(font)).first->second;
}

struct TLayoutDeleter {
    void operator()(PangoLayout* l) const { g_object_unref(l); }
};
using TLayout = std::unique_ptr<PangoLayout, TLayoutDeleter>;

// A layout of one run; `marks` flags the characters to underline (the "&"
// prefixes), and may be empty.
TLayout MakeLayout(const TDeviceContext& dc, const TPixelFont& font, const String& text,
                   const std::vector<bool>& marks = {}, bool rtl = false) {
    TLayout layout(pango_layout_new(GraphicsPangoContext()));
    pango_layout_set_font_description(layout.get(), font.Desc);
    const std::string utf8 = Utf8(text);
    pango_layout_set_text(layout.get(), utf8.data(), int(utf8.size()));
    pango_layout_set_auto_dir(layout.get(), FALSE);
    if (rtl) pango_context_set_base_dir(GraphicsPangoContext(), PANGO_DIRECTION_RTL);
    const TLogFont& lf = dc.State().Font;
    PangoAttrList* attrs = pango_attr_list_new();
    if (lf.Underline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (lf.StrikeOut) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    if (!marks.empty()) {
        size_t byte = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            size_t len = Utf8(text.substr(i, 1)).size();
            if (marks[i]) {
                PangoAttribute* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
                a->start_index = guint(byte);
                a->end_index = guint(byte + len);
                pango_attr_list_insert(attrs, a);
            }
            byte += len;
        }
    }
    pango_layout_set_attributes(layout.get(), attrs);
    pango_attr_list_unref(attrs);
    if (rtl) pango_context_set_base_dir(GraphicsPangoContext(), PANGO_DIRECTION_LTR);
    return layout;
}

double LayoutWidth(PangoLayout* layout) {
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return double(logical.width) / PANGO_SCALE;
}

double RunWidth(const TDeviceContext& dc, const TPixelFont& font, const String& text) {
    if (text.empty()) return 0;
    return LayoutWidth(MakeLayout(dc, font, text).get());
}

// Draws a laid-out run: the origin (surface pixels) is the point the run
// turns around, `left`/`top` the corner of its cell in the turned frame.
void DrawLayout(TDeviceContext& dc, const TPixelFont& font, PangoLayout* layout, double originX, double originY,
                double left, double top, double width, double angleTenths, bool opaque) {
    cairo_t* cr = dc.Context();
    cairo_save(cr);
    cairo_translate(cr, originX, originY);
    if (angleTenths != 0) cairo_rotate(cr, -angleTenths * M_PI / 1800);
    if (opaque) {
        cairo_rectangle(cr, std::round(left), std::round(top), std::round(width), std::round(font.Height()));
        detail::SetSourceColor(cr, dc.State().BkColor);
        cairo_fill(cr);
    }
    const double baseline = double(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    cairo_move_to(cr, left, top + font.Ascent - baseline);
    detail::SetSourceColor(cr, dc.State().TextColor);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
}

TPoint ToSurfacePoint(const TDeviceContext& dc, Integer x, Integer y, double& sx, double& sy) {
    sx = x;
    sy = y;
    dc.LogicalToSurface(sx, sy);
    return {Integer(std::lround(sx)), Integer(std::lround(sy))};
}

bool TextOutCore(TDeviceContext& dc, Integer x, Integer y, const String& text, const TRect* clip) {
    const TPixelFont& font = FontOf(dc);
    auto& state = dc.State();
    const bool updateCP = state.TextAlign & TA_UPDATECP;
    if (updateCP) {
        x = state.CurrentPos.X;
        y = state.CurrentPos.Y;
    }
    double ox, oy;
    TPoint origin = ToSurfacePoint(dc, x, y, ox, oy);
    TLayout layout = MakeLayout(dc, font, text, {}, state.TextAlign & TA_RTLREADING);
    const double width = LayoutWidth(layout.get());
    double left = 0, top = 0;
    switch (state.TextAlign & (TA_CENTER)) {
    case TA_RIGHT: left = -width; break;
    case TA_CENTER: left = -width / 2; break;
    default: break;
    }
    switch (state.TextAlign & TA_BASELINE) {
    case TA_BOTTOM: top = -font.Height(); break;
    case TA_BASELINE: top = -font.Ascent; break;
    default: break;
    }
    cairo_t* cr = dc.Context();
    cairo_save(cr);
    if (clip) {
        TRect r = dc.LogicalToSurface(*clip);
        cairo_rectangle(cr, r.Left, r.Top, r.Width(), r.Height());
        cairo_clip(cr);
    }
    DrawLayout(dc, font, layout.get(), origin.X, origin.Y, left, top, width, state.Font.Escapement,
               state.BkMode == OPAQUE);
    cairo_restore(cr);
    if (updateCP) {
        state.CurrentPos.X += Integer(std::lround(width / std::abs(dc.ScaleX())));
    }
    return true;
}

// ---- DrawText layout --------------------------------------------------------------

struct TTextLine {
    String Text;
    std::vector<bool> Marks; // underlined characters
    double Width = 0;
};

} // namespace


namespace {

using detail::StripPrefixes;

class TTextLayout {
public:
    TTextLayout(TDeviceContext& dc, Cardinal format) : FDC(dc), FFont(FontOf(dc)), FFormat(format) {}

    double Measure(const String& text) const {
        if (!(FFormat & DT_EXPANDTABS) || text.find(u'\t') == String::npos) return RunWidth(FDC, FFont, text);
        double x = 0;
        const double tab = TabWidth();
        size_t start = 0;
        while (true) {
            size_t t = text.find(u'\t', start);
            x += RunWidth(FDC, FFont, text.substr(start, t - start));
            if (t == String::npos) break;
            x = (std::floor(x / tab) + 1) * tab;
            start = t + 1;
        }
        return x;
    }

    // Whether a run of this width fits `width` pixels: measured rectangles
    // are rounded to whole pixels, and text must fit the rectangle its own
    // measure answered.
    static bool Fits(double runWidth, double width) { return runWidth < width + 0.5; }

    double TabWidth() const { return 8 * std::round(FFont.AveCharWidth); }
    double LineHeight() const { return std::round(FFont.Height()); }
    const TPixelFont& Font() const { return FFont; }

    std::vector<TTextLine> Lines(const String& text, const std::vector<bool>& marks, double width) const {
        std::vector<TTextLine> lines;
        if (FFormat & DT_SINGLELINE) {
            TTextLine line;
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] == u'\r' || text[i] == u'\n') continue;
                line.Text += text[i];
                line.Marks.push_back(marks[i]);
            }
            lines.push_back(std::move(line));
        } else {
            size_t start = 0;
            for (size_t i = 0; i <= text.size(); ++i) {
                if (i < text.size() && text[i] != u'\r' && text[i] != u'\n') continue;
                TTextLine paragraph{text.substr(start, i - start),
                                    std::vector<bool>(marks.begin() + start, marks.begin() + i)};
                if (FFormat & DT_WORDBREAK) {
                    Wrap(paragraph, width, lines);
                } else {
                    lines.push_back(std::move(paragraph));
                }
                if (i < text.size() && text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
                start = i + 1;
            }
        }
        for (TTextLine& line : lines) {
            line.Width = Measure(line.Text);
            if ((FFormat & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) && !Fits(line.Width, width)) Ellipsis(line, width);
        }
        return lines;
    }

private:
    // Breaks a paragraph into lines no wider than `width`: after blanks where
    // possible, inside a word that is wider than the whole line.
    void Wrap(TTextLine paragraph, double width, std::vector<TTextLine>& lines) const {
        const String& t = paragraph.Text;
        size_t lineStart = 0;
        if (t.empty()) {
            lines.push_back(std::move(paragraph));
            return;
        }
        while (lineStart < t.size()) {
            size_t end = lineStart; // end of the text that fits, blanks excluded
            size_t next = lineStart; // where the next line would start
            size_t pos = lineStart;
            while (pos < t.size()) {
                size_t wordEnd = pos;
                while (wordEnd < t.size() && t[wordEnd] != u' ') ++wordEnd;
                if (!Fits(Measure(t.substr(lineStart, wordEnd - lineStart)), width) && end > lineStart) break;
                if (!Fits(Measure(t.substr(lineStart, wordEnd - lineStart)), width)) {
                    // The first word alone is too wide: break it.
                    size_t fit = lineStart + 1;
                    while (fit < wordEnd && Fits(Measure(t.substr(lineStart, fit + 1 - lineStart)), width)) ++fit;
                    end = next = fit;
                    break;
                }
                end = wordEnd;
                while (wordEnd < t.size() && t[wordEnd] == u' ') ++wordEnd;
                next = pos = wordEnd;
            }
            lines.push_back({t.substr(lineStart, end - lineStart),
                             std::vector<bool>(paragraph.Marks.begin() + lineStart, paragraph.Marks.begin() + end)});
            lineStart = next;
        }
    }

    void Ellipsis(TTextLine& line, double width) const {
        static const String dots = u"...";
        auto take = [&](size_t n) {
            line.Text = line.Text.substr(0, n) + dots;
            line.Marks.resize(n);
            line.Marks.resize(n + dots.size(), false);
            line.Width = Measure(line.Text);
        };
        if (FFormat & DT_WORD_ELLIPSIS) {
            for (size_t n = line.Text.rfind(u' '); n != String::npos && n > 0; n = line.Text.rfind(u' ', n - 1)) {
                size_t end = n;
                while (end > 0 && line.Text[end - 1] == u' ') --end;
                if (end > 0 && Measure(line.Text.substr(0, end) + dots) <= width) {
                    take(end);
                    return;
                }
                if (end == 0) break;
                n = end;
            }
        }
        size_t n = line.Text.size();
        while (n > 0 && Measure(line.Text.substr(0, n) + dots) > width) --n;
        take(n);
    }

    TDeviceContext& FDC;
    const TPixelFont& FFont;
    Cardinal FFormat;
};

} // namespace

namespace winapi {

bool TextOut(HDC dc, Integer x, Integer y, const String& text) {
    return dc && TextOutCore(*dc, x, y, text, nullptr);
}

bool ExtTextOut(HDC dc, Integer x, Integer y, Cardinal options, const TRect* rect, const String& text) {
    if (!dc) return false;
    if (rect && (options & ETO_OPAQUE)) {
        TPixelRegion area(dc->LogicalToSurface(*rect));
        detail::TRaster(*dc).FillRegion(area, TLogBrush{BS_SOLID, dc->State().BkColor, 0});
    }
    return TextOutCore(*dc, x, y, text, rect && (options & ETO_CLIPPED) ? rect : nullptr);
}

bool GetTextExtentPoint32(HDC dc, const String& text, TSize& size) {
    if (!dc) return false;
    const TPixelFont& font = FontOf(*dc);
    size.cx = Integer(std::lround(RunWidth(*dc, font, text) / std::abs(dc->ScaleX())));
    size.cy = Integer(std::lround(std::round(font.Height()) / std::abs(dc->ScaleY())));
    return true;
}

bool GetTextMetrics(HDC dc, TTextMetric& metrics) {
    if (!dc) return false;
    const TPixelFont& font = FontOf(*dc);
    const double sy = std::abs(dc->ScaleY()), sx = std::abs(dc->ScaleX());
    metrics.tmAscent = Integer(std::lround(font.Ascent / sy));
    metrics.tmDescent = Integer(std::lround(font.Descent / sy));
    metrics.tmHeight = Integer(std::lround(std::round(font.Height()) / sy));
    metrics.tmInternalLeading = std::max(0, Integer(std::lround((font.Height() - font.EmSize) / sy)));
    metrics.tmExternalLeading = 0;
    metrics.tmAveCharWidth = Integer(std::lround(font.AveCharWidth / sx));
    metrics.tmMaxCharWidth = Integer(std::lround(RunWidth(*dc, font, u"W") / sx));
    return true;
}

Integer DrawText(HDC dc, const String& text, TRect& rect, Cardinal format) {
    if (!dc) return 0;
    TTextLayout layout(*dc, format);
    const auto [shown, marks] = StripPrefixes(text, format);
    const TRect box = dc->LogicalToSurface(rect);
    std::vector<TTextLine> lines = layout.Lines(shown, marks, box.Width());
    const double lineHeight = layout.LineHeight();
    const double height = lineHeight * lines.size();
    const double sx = dc->ScaleX(), sy = dc->ScaleY();

    if (format & DT_CALCRECT) {
        double widest = 0;
        for (const TTextLine& line : lines) widest = std::max(widest, line.Width);
        rect.Right = rect.Left + Integer(std::lround(widest / std::abs(sx)));
        rect.Bottom = rect.Top + Integer(std::lround(height / sy));
        return Integer(std::lround(height / std::abs(sy)));
    }

    double top = box.Top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) top = box.Top + (box.Height() - Integer(lineHeight)) / 2;
        if (format & DT_BOTTOM) top = box.Bottom - lineHeight;
    }
    cairo_t* cr = dc->Context();
    cairo_save(cr);
    if (!(format & DT_NOCLIP)) {
        cairo_rectangle(cr, box.Left, box.Top, box.Width(), box.Height());
        cairo_clip(cr);
    }
    const bool opaque = dc->State().BkMode == OPAQUE;
    const bool rtl = format & DT_RTLREADING;
    for (const TTextLine& line : lines) {
        // Lines align on whole pixels, as GDI's integer widths do.
        const Integer width = Integer(std::lround(line.Width));
        Integer left = box.Left;
        const bool right = (format & DT_RIGHT) || (rtl && !(format & DT_CENTER));
        if (format & DT_CENTER) {
            left = box.Left + (box.Width() - width) / 2;
        } else if (right) {
            left = box.Right - width;
        }
        const bool prefixOnly = format & DT_PREFIXONLY;
        if (line.Text.find(u'\t') != String::npos && (format & DT_EXPANDTABS)) {
            double x = 0;
            size_t start = 0;
            while (true) {
                size_t t = line.Text.find(u'\t', start);
                String part = line.Text.substr(start, t - start);
                std::vector<bool> partMarks(line.Marks.begin() + start,
                                            line.Marks.begin() + (t == String::npos ? line.Text.size() : t));
                TLayout run = MakeLayout(*dc, layout.Font(), part, partMarks, rtl);
                double w = LayoutWidth(run.get());
                if (!prefixOnly) DrawLayout(*dc, layout.Font(), run.get(), left + x, top, 0, 0, w, 0, opaque);
                x += w;
                if (t == String::npos) break;
                x = (std::floor(x / layout.TabWidth()) + 1) * layout.TabWidth();
                start = t + 1;
            }
        } else if (!prefixOnly) {
            TLayout run = MakeLayout(*dc, layout.Font(), line.Text, line.Marks, rtl);
            DrawLayout(*dc, layout.Font(), run.get(), left, top, 0, 0, line.Width, 0, opaque);
        }
        top += lineHeight;
    }
    cairo_restore(cr);
    return Integer(std::lround(height / std::abs(sy)));
}

} // namespace winapi
