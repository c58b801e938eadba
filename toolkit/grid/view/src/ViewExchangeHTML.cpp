// HTML export: one table, one style class per distinct cell look, links for
// addresses and cell pictures written as JPEG files beside the document.

#include "grid/ZirOvararIzaz.h"
#include "grid/CellGraphic.h"
#include "gridbase/MarkupEntities.h"
#include "gridbase/RarEvad.h"
#include "graphics/Colors.h"
#include "graphics/Graphic.h"
#include "graphics/GraphicsObjects.h"
#include "graphics/ImageList.h"
#include "graphics/Picture.h"
#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/Shell.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <memory>

namespace {

constexpr TColor Marker = 0x7FFFFFFF;

String EscapeText(const String& Text) {
    String Out;
    Out.reserve(Text.size());
    for (Char Ch : Text) {
        switch (Ch) {
        case u'&': Out += u"&amp;"; break;
        case u'<': Out += u"&lt;"; break;
        case u'>': Out += u"&gt;"; break;
        default: Out += Ch;
        }
    }
    return Out;
}

String EscapeAttribute(const String& Text) { return StringReplace(EscapeText(Text), u"\"", u"&quot;", {rfReplaceAll}); }

String Quoted(const String& Value) { return u"\"" + Value + u"\""; }

// Everything the export of one rectangle keeps between its cells.
struct THTMLExport {
    std::vector<String> Classes;
    Integer Picture = 1;
    String Dir;
    bool XHTML = false;
    // No picture files (the clipboard's HTML): pictures are left out.
    bool NoPictures = false;

    Integer ClassOf(const String& Style) {
        const auto At = std::find(Classes.begin(), Classes.end(), Style);
        if (At != Classes.end()) return Integer(At - Classes.begin());
        Classes.push_back(Style);
        return Integer(Classes.size()) - 1;
    }
    String ImageTag(const String& File) const {
        if (File.empty()) return String();
        return u"<img src=\"file://" + EscapeAttribute(File) + (XHTML ? u"\" />" : u"\">");
    }
};

String StyleText(TBrush* Brush, TFont* Font, TAlignment HA, TVAlignment VA, TColor Background, bool SaveColor) {
    std::vector<String> Parts;
    if (SaveColor && Background != Marker) Parts.push_back(u"background-color: #" + ColorToHexRGB(ColorToRGB(Background)));
    if (SaveColor && Font->Color() != Marker) Parts.push_back(u"color: #" + ColorToHexRGB(ColorToRGB(Font->Color())));
    Parts.push_back(u"font-size:" + IntToStr(Font->Size()) + u"pt");
    if (Font->Style().Contains(fsItalic)) Parts.push_back(u"font-style: italic");
    if (Font->Style().Contains(fsBold)) Parts.push_back(u"font-weight: bold");
    Parts.push_back(u"font-family: " + Font->Name());
    if (HA == taRightJustify) Parts.push_back(u"text-align: right");
    if (HA == taCenter) Parts.push_back(u"text-align: center");
    Parts.push_back(VA == vtaTop ? u"vertical-align: top" : VA == vtaCenter ? u"vertical-align: middle" : u"vertical-align: bottom");
    (void)Brush;
    String Out;
    for (size_t i = 0; i < Parts.size(); ++i) Out += (i ? u";" : u"") + Parts[i];
    return Out;
}

// Named entities of the markup table as character references ("&eacute;"
// as "&#233;"); the ones XML defines stay.
String NamedEntitiesAsReferences(const String& Text) {
    if (Text.find(u'&') == String::npos) return Text;
    String Out;
    Out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        const size_t Semi = Text[i] == u'&' ? Text.find(u';', i) : String::npos;
        if (Semi != String::npos && Semi - i <= 10) {
            const String Name = Text.substr(i, Semi - i + 1);
            const bool XMLOwn = Name == u"&amp;" || Name == u"&lt;" || Name == u"&gt;" || Name == u"&quot;" || Name == u"&apos;";
            const TMarkupEntity* Found = nullptr;
            if (!XMLOwn)
                for (const TMarkupEntity& E : MarkupEntities())
                    if (Name == E.Name) {
                        Found = &E;
                        break;
                    }
            if (Name == u"&nbsp;") {
                // The markup draws it as a blank; in HTML it is the non-breaking space.
                Out += u"&#160;";
                i = Semi + 1;
                continue;
            }
            if (Found) {
                const String Ch = Found->Character;
                Cardinal Code = Ch.empty() ? 0 : Ch[0];
                if (Ch.size() == 2 && Ch[0] >= 0xD800 && Ch[0] <= 0xDBFF)
                    Code = 0x10000 + ((Cardinal(Ch[0]) - 0xD800) << 10) + (Cardinal(Ch[1]) - 0xDC00);
                Out += u"&#" + IntToStr(Int64(Code)) + u";";
                i = Semi + 1;
                continue;
            }
        }
        Out += Text[i++];
    }
    return Out;
}

} // namespace

String TZirOvararIzaz::HTMLCellText(const String& Saved) {
    THTMLSettings* S = HTMLSettings();
    String Text = Saved;
    if (S->ConvertSpecialChars())
        Text = EncodeMarkupEntities(Text, true);
    else if (GetCellTextKind(Text, true) != ctHTML)
        // Plain text must not be read as markup.
        Text = EscapeText(Text);
    if (S->NonBreakingText()) Text = SpacesToNbsp(Text);
    Text = StringReplace(Text, u"\r", S->XHTML() ? u"<br/>" : u"<br>", {rfReplaceAll});
    const bool NoMarkup = Text.find(u"</") == String::npos;
    String Result = Text;
    if (URLShow() && NoMarkup && Text.find(u"://") != String::npos) {
        const String Label = URLFull() ? Text : Text.substr(Text.find(u"://") + 3, 255);
        Result = u"<a href=" + Quoted(StringReplace(Text, u"\"", u"&quot;", {rfReplaceAll})) + u">" + Label + u"</a>";
    }
    if (URLShow() && NoMarkup && Text.find(u"mailto:") != String::npos) {
        const String Label = URLFull() ? Text : Text.substr(Text.find(u"mailto:") + 7, 255);
        Result = u"<a href=" + Quoted(StringReplace(Text, u"\"", u"&quot;", {rfReplaceAll})) + u">" + Label + u"</a>";
    }
    // XML knows no named entities beyond its own five.
    if (S->XHTML()) Result = NamedEntitiesAsReferences(Result);
    return Result;
}

namespace {

// Saves a picture as the next JPEG file of the export and answers its name.
String SavePicture(THTMLExport& E, THTMLSettings* S, const TGraphic* Graphic) {
    if (E.NoPictures) return String();
    const String Folder = E.Dir + S->ImageFolder();
    if (!DirectoryExists(Folder) && !ForceDirectories(Folder)) throw Exception(u"Cannot create " + Folder);
    const String File = Folder + u"/" + S->ImageBaseName() + IntToStr(E.Picture) + u".jpg";
    if (dynamic_cast<const TJPEGImage*>(Graphic)) {
        Graphic->SaveToFile(File);
    } else {
        TBitmap Bitmap;
        Bitmap.SetSize(std::max(Graphic->Width(), 1), std::max(Graphic->Height(), 1));
        Bitmap.Canvas()->Draw(0, 0, Graphic);
        TJPEGImage Jpeg;
        Jpeg.Assign(&Bitmap);
        Jpeg.SaveToFile(File);
    }
    ++E.Picture;
    return File;
}

String SaveImage(THTMLExport& E, THTMLSettings* S, TCustomImageList* L, Integer Index) {
    TBitmap Bitmap;
    Bitmap.SetSize(std::max(L->Width(), 1), std::max(L->Height(), 1));
    L->Draw(Bitmap.Canvas(), 0, 0, Index);
    return E.ImageTag(SavePicture(E, S, &Bitmap));
}

} // namespace

String TZirOvararIzaz::SaveRectToHTMLString(const TGridRect& ARect, const String& dir) {
    THTMLSettings* S = HTMLSettings();
    THTMLExport E;
    E.Dir = dir;
    E.XHTML = S->XHTML();
    E.NoPictures = FHTMLWithoutPictures;
    String Prologue;
    if (S->XHTML())
        Prologue = u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                   u"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
                   u"\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
                   u"<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n";
    String Table = u"<table border=" + Quoted(IntToStr(S->BorderSize())) + u" cellspacing=" +
                   Quoted(IntToStr(S->CellSpacing())) + u" cellpadding=" + Quoted(IntToStr(S->CellPadding())) + u" ";
    if (!S->Summary().empty()) Table += u"summary=" + Quoted(EscapeAttribute(S->Summary())) + u" ";
    if (!S->TableStyle().empty()) Table += u" " + S->TableStyle() + u" ";
    Table += u" width=" + Quoted(IntToStr(S->Width()) + u"%") + u">\r\n";

    TBrush Brush;
    TFont Font;
    auto Look = [&](Integer c, Integer r, TAlignment& HA, TVAlignment& VA, bool& WW) {
        Font.Assign(this->Font());
        Font.SetColor(Marker);
        Font.SetStyle(TFontStyles());
        Brush.SetColor(Marker);
        TGridDrawState State;
        TColor To = clNone, Mirror = clNone, MirrorTo = clNone;
        TCellGradientDirection GD = GradientHorizontal;
        HA = taLeftJustify;
        VA = vtaTop;
        WW = false;
        GetVisualProperties(c, r, State, false, false, true, &Brush, To, Mirror, MirrorTo, &Font, HA, VA, WW, GD);
    };
    auto Cell = [&](Integer c, Integer r, Integer D, const String& Text, TColor Background, Integer Width,
                    TAlignment HA, TVAlignment VA, bool WW) {
        const Integer Class = E.ClassOf(StyleText(&Brush, &Font, HA, VA, Background, S->SaveColor()));
        String Line = u"<td class=\"c" + IntToStr(Class) + u"\"";
        const TPoint Span = CellSpan(c, r);
        if (Span.X > 0) Line += u" colspan=" + Quoted(IntToStr(Span.X + 1));
        if (Span.Y > 0) Line += u" rowspan=" + Quoted(IntToStr(Span.Y + 1));
        if (!WW) Line += u" nowrap=\"nowrap\"";
        if (Width >= 0) Line += u" width=" + Quoted(IntToStr(Width) + u"px");
        Line += u">";
        String Content = Text;
        TCellGraphic* G = S->ExportImages() ? GetCellGraphic(D, r) : nullptr;
        if (G) {
            TCustomImageList* L = GetCellImageList(c, r);
            auto ValidIndex = [&](Integer Index) { return L && GridImages() && Index >= 0 && Index < GridImages()->Count(); };
            switch (G->CellType()) {
            case ctBitmap:
                if (G->Bitmap()) Content = Text + E.ImageTag(SavePicture(E, S, G->Bitmap()));
                break;
            case ctImageList:
                if (ValidIndex(G->CellIndex())) Content = SaveImage(E, S, L, G->CellIndex()) + Text;
                break;
            case ctDataImage: {
                Integer Index = 0;
                String Saved;
                SaveCell(D, r, Saved);
                Content.clear();
                if (TryStrToInt(Saved, Index) && ValidIndex(Index)) Content = SaveImage(E, S, L, Index);
                break;
            }
            case ctNode: Content = u"+" + Text; break;
            case ctImages:
                if (L) {
                    String Refs;
                    if (TIntList* List = G->ImageIndexes())
                        for (Integer k = 0; k < List->Count(); ++k) Refs += SaveImage(E, S, L, List->Items(k));
                    Content = Refs + Text;
                }
                break;
            case ctPicture:
                if (G->Picture() && G->Picture()->Graphic())
                    Content = Text + E.ImageTag(SavePicture(E, S, G->Picture()->Graphic()));
                break;
            case ctInterface:
                if (auto* I = dynamic_cast<IInterfacedCell*>(G->CellBitmap())) {
                    const TRect R = CellRect(c, r);
                    Integer W = I->GetWidth(), H = I->GetHeight();
                    if (W == 0) W = R.Width();
                    if (H == 0) H = R.Height();
                    H = std::abs(H);
                    TBitmap Bitmap;
                    Bitmap.SetSize(std::max(W, 1), std::max(H, 1));
                    I->Draw(Bitmap.Canvas(), TRect(0, 0, W - 1, H - 1), c, r, false, false);
                    Content = Text + E.ImageTag(SavePicture(E, S, &Bitmap));
                }
                break;
            default: break;
            }
        }
        return Line + Content + u"</td>\r\n";
    };

    String Rows;
    const bool HeaderRow = FixedRows() > 0 && ARect.Top < FixedRows() && (SaveFixedCells || SaveFixedRows);
    if (HeaderRow) {
        Rows += u"<tr>\r\n";
        for (Integer j = ARect.Left; j <= ARect.Right; ++j) {
            if (!IsBaseCell(j, 0)) continue;
            const Integer D = RealColIndex(j);
            String Saved;
            SaveCell(D, 0, Saved);
            String Text = Saved.empty() ? (S->XHTML() ? u"&#160;" : u"&nbsp;") : HTMLCellText(Saved);
            TAlignment HA;
            TVAlignment VA;
            bool WW;
            Look(j, 0, HA, VA, WW);
            const Integer Width = j < S->ColWidths()->Count() ? S->ColWidths()->Items(j) : -1;
            Rows += Cell(j, 0, D, Text, FixedColor(), Width, HA, VA, WW);
        }
        Rows += u"</tr>\r\n";
    }
    const Integer FirstRow = HeaderRow ? 1 : ARect.Top;
    ExportNotification(esExportStart, FirstRow);
    for (Integer r = FirstRow; r <= ARect.Bottom; ++r) {
        ExportNotification(esExportNextRow, r);
        Rows += u"<tr>\r\n";
        for (Integer c = ARect.Left; c <= ARect.Right; ++c) {
            if (!IsBaseCell(c, r)) continue;
            const Integer D = RealColIndex(c);
            String Saved;
            SaveCell(D, r, Saved);
            TAlignment HA;
            TVAlignment VA;
            bool WW;
            Look(c, r, HA, VA, WW);
            if (IsFixed(c, r)) Brush.SetColor(FixedColor());
            const Integer Index = c - ARect.Left;
            const Integer Width = !HeaderRow && Index < S->ColWidths()->Count() ? S->ColWidths()->Items(Index) : -1;
            String Text = HTMLCellText(Saved);
            if (Trim(Saved).empty()) Text = S->XHTML() ? u"&#160;" : u"&nbsp;";
            Rows += Cell(c, r, D, Text, Brush.Color(), Width, HA, VA, WW);
        }
        Rows += u"</tr>\r\n";
    }
    ExportNotification(esExportDone, -1);
    Rows += u"</table>\r\n";
    if (!S->SuffixTag().empty()) Rows += S->SuffixTag() + u"\r\n";
    if (!S->FooterText().empty()) Rows += S->FooterText() + u"\r\n";
    if (S->XHTML()) Rows += u"</html>\r\n";

    String Style = u"<style>\r\n";
    for (size_t i = 0; i < E.Classes.size(); ++i) Style += u".c" + IntToStr(Integer(i)) + u" {" + E.Classes[i] + u"}\r\n";
    Style += u"</style>\r\n";
    return Prologue + S->HeaderText() + S->PrefixTag() + Style + Table + Rows;
}

String TZirOvararIzaz::SaveToHTMLString(const String& dir) {
    TGridRect R(FixedCols(), FixedRows(), ColCount() - FixedRightCols() - 1, RowCount() - FixedFooters() - 1);
    if (SaveFixedCells || SaveFixedCols) R.Left = 0, R.Right = ColCount() - 1;
    if (SaveFixedCells || SaveFixedRows) R.Top = 0, R.Bottom = RowCount() - 1;
    return SaveRectToHTMLString(R, dir);
}

void TZirOvararIzaz::WriteHTMLFile(const String& FileName, bool Show, bool Unicode, bool Append) {
    THTMLSettings* S = HTMLSettings();
    TStringList Lines;
    if (Append) {
        try {
            if (FileExists(FileName)) Lines.LoadFromFile(FileName);
        } catch (const Exception&) {
        }
    }
    if (!S->HeaderFile().empty()) {
        TStringList Header;
        Header.LoadFromFile(S->HeaderFile());
        Lines.AddStrings(Header);
    }
    const String Dir = StringReplace(ExtractFilePath(FileName), u"\\", u"/", {rfReplaceAll});
    String Doc = SaveToHTMLString(Dir);
    if (Doc.ends_with(u"\r\n")) Doc.resize(Doc.size() - 2);
    Lines.Add(Doc);
    if (!S->FooterFile().empty()) {
        TStringList Footer;
        Footer.LoadFromFile(S->FooterFile());
        Lines.AddStrings(Footer);
    }
    Lines.SaveToFile(FileName, Unicode ? FEncoding : &TEncoding::ASCII());
    if (Show || S->AutoPreview()) os::ShellOpen(FileName);
}

void TZirOvararIzaz::SaveToHTML(const String& FileName, bool Show, bool Unicode) {
    WriteHTMLFile(FileName, Show, Unicode, false);
}

void TZirOvararIzaz::AppendToHTML(const String& FileName, bool Show, bool Unicode) {
    WriteHTMLFile(FileName, Show, Unicode, true);
}
