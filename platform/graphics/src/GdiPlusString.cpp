// GDI+ string layout: Pango shapes and breaks the lines; the rules of the
// layout rectangle, alignment, trimming without an ellipsis, hotkey prefixes
// and the measuring padding are GDI+'s. Measuring and drawing share one
// layout, so MeasureString answers exactly what DrawString covers.

#include "GdiPlusNative.h"
#include "TextPrefixes.h"
#include "graphics/Colors.h"
#include "graphics/Fonts.h"
#include "graphics/GdiPlusGraphics.h"
#include "graphics/GdiText.h"
#include "graphics/GraphicsObjects.h"
#include "rtl/Encoding.h"

#include <cmath>
#include <memory>
#include <pango/pangocairo.h>

namespace {

struct TLayoutDeleter {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};

struct TStringLayout {
    std::unique_ptr<PangoLayout, TLayoutDeleter> Layout;
    double Left = 0, Top = 0; // where the layout's own origin goes
    double FirstLineTop = 0;  // layout units of the first visible line, in pixels
    Integer VisibleLines = 0;
    Integer Fitted = 0;
    TGPRectF Box;
    bool Clip = false;
    TGPRectF ClipRect;
};

// UTF-8 byte offset of each UTF-16 index of `text` (and of its end).
std::vector<int> ByteOffsets(const String& text) {
    std::vector<int> offsets;
    int bytes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        offsets.push_back(bytes);
        const char16_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            offsets.push_back(bytes); // the low half shares the pair's offset
            bytes += 4;
            ++i;
        } else {
            bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        }
    }
    offsets.push_back(bytes);
    return offsets;
}

TStringLayout LayOut(const String& source, const detail::GpFont& font, const TGPRectF& rect,
                     const detail::GpStringFormat& format) {
    // Hotkey prefixes follow GDI's "&" rule.
    const auto [text, marks] =
        detail::StripPrefixes(source, format.Prefix == HotkeyPrefixNone   ? Cardinal(DT_NOPREFIX)
                                      : format.Prefix == HotkeyPrefixHide ? Cardinal(DT_HIDEPREFIX)
                                                                          : Cardinal(0));

    TStringLayout result;
    result.Layout.reset(pango_layout_new(GraphicsPangoContext()));
    PangoLayout* layout = result.Layout.get();
    const double em = font.PixelSize();
    PangoFontDescription* desc = CreatePangoFontDescription(
        font.Family, em, font.Style & FontStyleBold ? 700 : 400, (font.Style & FontStyleItalic) != 0);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    const std::string utf8 = Utf8(text);
    pango_layout_set_text(layout, utf8.data(), int(utf8.size()));

    PangoAttrList* attrs = pango_attr_list_new();
    if (font.Style & FontStyleUnderline)
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.Style & FontStyleStrikeout) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    if (!marks.empty()) {
        const std::vector<int> offsets = ByteOffsets(text);
        for (std::size_t i = 0; i < marks.size(); ++i) {
            if (!marks[i]) continue;
            PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
            underline->start_index = guint(offsets[i]);
            underline->end_index = guint(offsets[i + 1]);
            pango_attr_list_insert(attrs, underline);
        }
    }
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);

    const double padding = format.Typographic ? 0 : em / 6;
    const bool noWrap = format.Flags & StringFormatFlagsNoWrap;
    const bool bounded = rect.Width > 0;
    const double available = std::max(0.0, rect.Width - 2 * padding);
    if (bounded && (!noWrap || format.Trimming != StringTrimmingNone)) {
        pango_layout_set_width(layout, int(available * PANGO_SCALE));
        const bool ellipsis = format.Trimming >= StringTrimmingEllipsisCharacter;
        pango_layout_set_wrap(layout, format.Trimming == StringTrimmingWord && noWrap ? PANGO_WRAP_WORD
                                                                                      : PANGO_WRAP_WORD_CHAR);
        if (ellipsis && noWrap)
            pango_layout_set_ellipsize(layout, format.Trimming == StringTrimmingEllipsisPath
                                                   ? PANGO_ELLIPSIZE_MIDDLE
                                                   : PANGO_ELLIPSIZE_END);
        pango_layout_set_alignment(layout, format.Alignment == StringAlignmentCenter ? PANGO_ALIGN_CENTER
                                           : format.Alignment == StringAlignmentFar  ? PANGO_ALIGN_RIGHT
                                                                                     : PANGO_ALIGN_LEFT);
    }

    // Which lines show: without wrapping only the first line of each
    // paragraph (the rest is trimmed away); a bounded height drops the lines
    // below it (only partly visible ones too, with LineLimit).
    double minX = 1e300, maxX = -1e300, top = 0, bottom = 0;
    bool any = false;
    int lastEnd = 0;
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        if (noWrap && !line->is_paragraph_start) continue;
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        const double lineTop = logical.y / double(PANGO_SCALE),
                     lineBottom = (logical.y + logical.height) / double(PANGO_SCALE);
        const double shownTop = any ? top : lineTop;
        if (rect.Height > 0) {
            const double limit = (format.Flags & StringFormatFlagsLineLimit) ? lineBottom : lineTop;
            if (limit - shownTop >= rect.Height - (format.Flags & StringFormatFlagsLineLimit ? -0.01 : 0))
                break;
        }
        if (!any) top = lineTop;
        any = true;
        bottom = lineBottom;
        minX = std::min(minX, logical.x / double(PANGO_SCALE));
        maxX = std::max(maxX, (logical.x + logical.width) / double(PANGO_SCALE));
        ++result.VisibleLines;
        lastEnd = line->start_index + line->length;
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    if (!any) minX = maxX = 0;

    // Code points fitted: the source characters up to the last shown one.
    const std::vector<int> offsets = ByteOffsets(text);
    Integer shown = 0;
    while (shown < Integer(text.size()) && offsets[std::size_t(shown)] < lastEnd)
        ++shown;
    result.Fitted = shown == Integer(text.size()) ? Integer(source.size()) : shown;

    const double textWidth = (maxX - minX) + 2 * padding, textHeight = bottom - top;
    double boxX;
    if (bounded) {
        result.Left = rect.X + padding;
        boxX = rect.X + minX;
    } else {
        const double shift = format.Alignment == StringAlignmentCenter ? textWidth / 2
                             : format.Alignment == StringAlignmentFar  ? textWidth
                                                                       : 0;
        result.Left = rect.X - shift + padding - minX;
        boxX = rect.X - shift;
    }
    double boxY;
    if (rect.Height > 0) {
        boxY = format.LineAlignment == StringAlignmentCenter ? rect.Y + (rect.Height - textHeight) / 2
               : format.LineAlignment == StringAlignmentFar  ? rect.Y + rect.Height - textHeight
                                                             : rect.Y;
    } else {
        boxY = format.LineAlignment == StringAlignmentCenter ? rect.Y - textHeight / 2
               : format.LineAlignment == StringAlignmentFar  ? rect.Y - textHeight
                                                             : rect.Y;
    }
    result.Top = boxY - top;
    result.FirstLineTop = top;
    result.Box = {Single(boxX), Single(boxY),
                  Single(bounded ? std::min<double>(textWidth, rect.Width) : textWidth), Single(textHeight)};
    result.Clip = bounded && rect.Height > 0 && !(format.Flags & StringFormatFlagsNoClip);
    result.ClipRect = rect;
    return result;
}

const detail::GpStringFormat& FormatOf(const TGPStringFormat* format) {
    static const detail::GpStringFormat defaults;
    return format && format->nativeFormat ? *format->nativeFormat : defaults;
}

String Prefix(const String& string, Integer length) {
    return length < 0 || length >= Integer(string.size()) ? string : string.substr(0, std::size_t(length));
}

} // namespace

Status TGPGraphics::MeasureString(const String& string, Integer length, const TGPFont* font,
                                  const TGPRectF& layoutRect, const TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox, Integer* codepointsFitted, Integer* linesFilled) {
    if (!nativeGraphics || !font || !font->nativeFont) return SetStatus(InvalidParameter);
    const TStringLayout layout =
        LayOut(Prefix(string, length), *font->nativeFont, layoutRect, FormatOf(stringFormat));
    boundingBox = layout.Box;
    if (codepointsFitted) *codepointsFitted = layout.Fitted;
    if (linesFilled) *linesFilled = layout.VisibleLines;
    return Ok;
}

Status TGPGraphics::MeasureString(const String& string, Integer length, const TGPFont* font,
                                  const TGPSizeF& layoutRectSize, const TGPStringFormat* stringFormat,
                                  TGPSizeF& size, Integer* codepointsFitted, Integer* linesFilled) {
    TGPRectF box;
    const Status status =
        MeasureString(string, length, font, TGPRectF{0, 0, layoutRectSize.Width, layoutRectSize.Height},
                      stringFormat, box, codepointsFitted, linesFilled);
    if (status == Ok) size = {box.Width, box.Height};
    return status;
}

Status TGPGraphics::MeasureString(const String& string, Integer length, const TGPFont* font,
                                  const TGPPointF& origin, const TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox) {
    return MeasureString(string, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, stringFormat, boundingBox);
}

Status TGPGraphics::MeasureString(const String& string, Integer length, const TGPFont* font,
                                  const TGPPointF& origin, TGPRectF& boundingBox) {
    return MeasureString(string, length, font, origin, nullptr, boundingBox);
}

Status TGPGraphics::MeasureString(const String& string, Integer length, const TGPFont* font,
                                  const TGPRectF& layoutRect, TGPRectF& boundingBox) {
    return MeasureString(string, length, font, layoutRect, nullptr, boundingBox);
}

Status TGPGraphics::DrawString(const String& string, Integer length, const TGPFont* font,
                               const TGPRectF& layoutRect, const TGPStringFormat* stringFormat,
                               const TGPBrush* brush) {
    if (!nativeGraphics || !font || !font->nativeFont || !brush || !brush->nativeBrush)
        return SetStatus(InvalidParameter);
    const TStringLayout layout =
        LayOut(Prefix(string, length), *font->nativeFont, layoutRect, FormatOf(stringFormat));
    detail::GpGraphics& g = *nativeGraphics;
    g.Begin(false);
    cairo_t* cr = g.Cr;
    if (layout.Clip) {
        cairo_rectangle(cr, layout.ClipRect.X, layout.ClipRect.Y, layout.ClipRect.Width,
                        layout.ClipRect.Height);
        cairo_clip(cr);
    }
    cairo_pattern_t* pattern = detail::CreatePattern(*brush->nativeBrush);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    // The visible lines, each at its own place in the layout.
    PangoLayoutIter* iter = pango_layout_get_iter(layout.Layout.get());
    Integer drawn = 0;
    const bool noWrap = stringFormat && stringFormat->nativeFormat &&
                        (stringFormat->nativeFormat->Flags & StringFormatFlagsNoWrap);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        if (noWrap && !line->is_paragraph_start) continue;
        if (drawn++ >= layout.VisibleLines) break;
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        const double baseline = pango_layout_iter_get_baseline(iter) / double(PANGO_SCALE);
        const double shift = noWrap ? layout.FirstLineTop : 0; // skipped lines take no room
        cairo_move_to(cr, layout.Left + logical.x / double(PANGO_SCALE), layout.Top + baseline - shift);
        pango_cairo_show_layout_line(cr, line);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    g.End();
    return Ok;
}

Status TGPGraphics::DrawString(const String& string, const TGPFont* font, const TGPRectF& layoutRect,
                               const TGPStringFormat* stringFormat, const TGPBrush* brush) {
    return DrawString(string, Integer(string.size()), font, layoutRect, stringFormat, brush);
}

Status TGPGraphics::DrawString(const String& string, Integer length, const TGPFont* font,
                               const TGPPointF& origin, const TGPBrush* brush) {
    return DrawString(string, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, nullptr, brush);
}

Status TGPGraphics::DrawString(const String& string, Integer length, const TGPFont* font,
                               const TGPPointF& origin, const TGPStringFormat* stringFormat,
                               const TGPBrush* brush) {
    return DrawString(string, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, stringFormat, brush);
}

// ---- Text as paths and measured ranges ----

namespace {

// Each visible line of a layout, with where its origin goes.
template <class Visit>
void ForEachLine(const TStringLayout& layout, bool noWrap, Visit visit) {
    PangoLayoutIter* iter = pango_layout_get_iter(layout.Layout.get());
    Integer drawn = 0;
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        if (noWrap && !line->is_paragraph_start) continue;
        if (drawn++ >= layout.VisibleLines) break;
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        const double baseline = pango_layout_iter_get_baseline(iter) / double(PANGO_SCALE);
        const double shift = noWrap ? layout.FirstLineTop : 0;
        visit(line, layout.Left + logical.x / double(PANGO_SCALE), layout.Top + baseline - shift,
              layout.Top + logical.y / double(PANGO_SCALE) - shift, logical.height / double(PANGO_SCALE));
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
}

} // namespace

Status TGPGraphicsPath::AddString(const String& string, Integer length, const TGPFontFamily* family, Integer style,
                                  Single emSize, const TGPRectF& layoutRect, const TGPStringFormat* format) {
    if (!nativePath || !family || !family->nativeFamily || !(emSize > 0)) return SetStatus(InvalidParameter);
    detail::GpFont font{family->nativeFamily->Name, emSize, style, UnitPixel};
    const TStringLayout layout = LayOut(Prefix(string, length), font, layoutRect, FormatOf(format));
    const bool noWrap = format && format->nativeFormat && (format->nativeFormat->Flags & StringFormatFlagsNoWrap);
    cairo_t* cr = detail::ScratchContext();
    ForEachLine(layout, noWrap, [&](PangoLayoutLine* line, double x, double baseline, double, double) {
        cairo_move_to(cr, x, baseline);
        pango_cairo_layout_line_path(cr, line);
    });
    cairo_path_t* outline = cairo_copy_path(cr);
    cairo_new_path(cr);
    detail::GpPath glyphs = detail::PathFromCairo(outline);
    cairo_path_destroy(outline);
    // Each glyph outline is a figure of its own.
    nativePath->NewFigure = true;
    nativePath->Points.insert(nativePath->Points.end(), glyphs.Points.begin(), glyphs.Points.end());
    nativePath->Types.insert(nativePath->Types.end(), glyphs.Types.begin(), glyphs.Types.end());
    nativePath->NewFigure = true;
    return Ok;
}

Status TGPGraphicsPath::AddString(const String& string, Integer length, const TGPFontFamily* family, Integer style,
                                  Single emSize, const TGPPointF& origin, const TGPStringFormat* format) {
    return AddString(string, length, family, style, emSize, TGPRectF{origin.X, origin.Y, 0, 0}, format);
}

Status TGPGraphicsPath::AddString(const String& string, Integer length, const TGPFontFamily* family, Integer style,
                                  Single emSize, const TGPPoint& origin, const TGPStringFormat* format) {
    return AddString(string, length, family, style, emSize, TGPRectF{Single(origin.X), Single(origin.Y), 0, 0},
                     format);
}

Status TGPGraphicsPath::AddString(const String& string, Integer length, const TGPFontFamily* family, Integer style,
                                  Single emSize, const TGPRect& r, const TGPStringFormat* format) {
    return AddString(string, length, family, style, emSize,
                     TGPRectF{Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height)}, format);
}

Status TGPGraphics::MeasureCharacterRanges(const String& string, Integer length, const TGPFont* font,
                                           const TGPRectF& layoutRect, const TGPStringFormat* stringFormat,
                                           Integer regionCount, TGPRegion* regions) {
    if (regionCount <= 0) return InvalidParameter; // not recorded
    if (!nativeGraphics || !font || !font->nativeFont || !regions) return SetStatus(InvalidParameter);
    const detail::GpStringFormat& format = FormatOf(stringFormat);
    if (Integer(format.Ranges.size()) > regionCount) return SetStatus(InvalidParameter);
    const String text = Prefix(string, length);
    for (const TCharacterRange& range : format.Ranges)
        if (range.First < 0 || range.Length < 0 || range.First + range.Length > Integer(text.size()))
            return SetStatus(InvalidParameter);
    // Without hotkey prefixes the layout's text is the string itself, so
    // its indexes map straight to byte offsets.
    detail::GpStringFormat plain = format;
    plain.Prefix = HotkeyPrefixNone;
    const TStringLayout layout = LayOut(text, *font->nativeFont, layoutRect, plain);
    const std::vector<int> offsets = ByteOffsets(text);
    const bool noWrap = format.Flags & StringFormatFlagsNoWrap;
    for (std::size_t k = 0; k < format.Ranges.size(); ++k) {
        const TCharacterRange& range = format.Ranges[k];
        detail::GpRegionTree tree = detail::RegionEmpty();
        const int start = offsets[std::size_t(range.First)], end = offsets[std::size_t(range.First + range.Length)];
        ForEachLine(layout, noWrap, [&](PangoLayoutLine* line, double x, double, double top, double height) {
            int* ranges = nullptr;
            int count = 0;
            pango_layout_line_get_x_ranges(line, start, end, &ranges, &count);
            for (int i = 0; i < count; ++i) {
                const double left = x + ranges[2 * i] / double(PANGO_SCALE) - (line->start_index == 0 ? 0 : 0);
                const double width = (ranges[2 * i + 1] - ranges[2 * i]) / double(PANGO_SCALE);
                if (width <= 0) continue;
                tree = detail::RegionCombine(tree, detail::RegionRect({Single(left), Single(top), Single(width),
                                                                       Single(height)}),
                                             CombineModeUnion);
            }
            g_free(ranges);
        });
        if (!regions[k].nativeRegion) return SetStatus(InvalidParameter);
        regions[k].nativeRegion->Root = tree;
    }
    return Ok;
}

Status TGPGraphics::DrawDriverString(const Word*, Integer, const TGPFont*, const TGPBrush*, const TGPPointF*, Integer,
                                     const TGPMatrix*) {
    return SetStatus(NotImplemented);
}

Status TGPGraphics::MeasureDriverString(const Word*, Integer, const TGPFont*, const TGPPointF*, Integer,
                                        const TGPMatrix*, TGPRectF&) {
    return SetStatus(NotImplemented);
}

// ---- The class library's fonts ----

namespace {

Integer StyleOf(const TFont* font) {
    const TFontStyles s = font->Style();
    return (s.Contains(fsBold) ? 1 : 0) + (s.Contains(fsItalic) ? 2 : 0) + (s.Contains(fsUnderline) ? 4 : 0) +
           (s.Contains(fsStrikeOut) ? 8 : 0);
}

Integer RoundHalfEven(double v) {
    return Integer(std::nearbyint(v));
}

} // namespace

TGPFont* TGPGraphics::MakeFont(const TFont* AFont, Integer ASize) {
    auto family = std::make_unique<TGPFontFamily>(AFont->Name());
    if (family->lastResult == FontFamilyNotFound || family->lastResult == FontStyleNotFound)
        family = std::make_unique<TGPFontFamily>(u"Arial");
    return new TGPFont(family.get(), Single(ASize), StyleOf(AFont), UnitPoint);
}

TGPFont* TGPGraphics::MakeFont(const TFont* AFont) {
    return MakeFont(AFont, AFont->Size());
}

TGPFont* TGPGraphics::MakeFontEx(const TFont* AFont, Integer ASize) {
    if (FCachedFont && FCachedFont->GetSize() == Single(ASize) && FCachedFont->GetStyle() == StyleOf(AFont)) {
        TGPFontFamily family;
        FCachedFont->GetFamily(&family);
        String name;
        family.GetFamilyName(name, 0);
        if (name == AFont->Name()) return FCachedFont;
    }
    delete FCachedFont;
    FCachedFont = MakeFont(AFont, ASize);
    return FCachedFont;
}

TGPFont* TGPGraphics::MakeFontEx(const TFont* AFont) {
    return MakeFontEx(AFont, AFont->Size());
}

Integer TGPGraphics::TextWidth(const String& string_, const TFont* font) {
    TGPRectF box;
    MeasureString(string_, Integer(string_.size()), MakeFontEx(font), TGPRectF{0, 0, 10000, 10000}, box);
    return RoundHalfEven(box.Width);
}

Integer TGPGraphics::TextHeight(const String& string_, const TFont* font) {
    TGPRectF box;
    MeasureString(string_, Integer(string_.size()), MakeFontEx(font), TGPRectF{0, 0, 10000, 10000}, box);
    return RoundHalfEven(box.Height);
}

Integer TGPGraphics::DrawText(const String& string_, Integer len, TRect& rect, const TFont* font,
                              Cardinal style, TColor bkColor) {
    TGPFont* f = MakeFontEx(font);
    if ((style & DT_CALCRECT) || bkColor != clNone) {
        String s = string_;
        const Integer size = font->Size();
        const Integer inset = size > 8 ? 2 + RoundHalfEven((size - 8) / 1.5) : 2;
        // A trailing space takes part in the measurement as an "i".
        if (s.size() > 1 && s.back() == u' ') s.back() = u'i';
        TGPRectF box;
        MeasureString(s, len, f,
                      TGPRectF{Single(rect.Left), Single(rect.Top), Single(rect.Right - rect.Left + 1000),
                               Single(rect.Bottom - rect.Top)},
                      box);
        rect.Right = rect.Left + RoundHalfEven(box.Width - inset);
        rect.Bottom = rect.Top + RoundHalfEven(box.Height);
        if (bkColor != clNone) {
            TGPSolidBrush background(ColorToOpaqueARGB(bkColor));
            FillRectangle(&background, TGPRectF{Single(rect.Left + 1), Single(rect.Top),
                                                box.Width - inset + 1, box.Height});
        }
    }
    if (!(style & DT_CALCRECT)) {
        TGPSolidBrush brush(ColorToOpaqueARGB(font->Color()));
        DrawString(string_, Integer(string_.size()), f, TGPPointF{Single(rect.Left), Single(rect.Top)},
                   &brush);
    }
    return rect.Bottom - rect.Top;
}
