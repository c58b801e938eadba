// The visual-properties file: the settings that make up a grid's look as
// "key=value" lines.

#include "grid/ZirOvararIzaz.h"

#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"
#include "vcl/ColorNames.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

namespace {

const Char* const ControlStyleNames[] = {u"csClassic", u"csFlat", u"csWinXP", u"csBorland",
                                         u"csDOV",     u"csGlyph", u"csTheme"};
const Char* const BackGroundDisplayNames[] = {u"bdTile", u"bdFixed", u"bdGradientHorz", u"bdGradientVert"};
const Char* const BackGroundCellsNames[] = {u"bcNormal", u"bcFixed", u"bcAll"};

String BoolText(bool Value) {
    return Value ? u"true" : u"false";
}

// ---- Writing ----

class TPropsWriter {
public:
    void Line(const String& Key, const String& Value) { FText += Key + u"=" + Value + u"\r\n"; }
    void Colour(const String& Key, TColor Value) { Line(Key, ColorToString(Value)); }
    void Bool(const String& Key, bool Value) { Line(Key, BoolText(Value)); }
    void Int(const String& Key, Integer Value) { Line(Key, IntToStr(Value)); }
    void Font(const String& Key, const TFont* F) {
        Colour(Key + u".Color", F->Color());
        String Styles;
        const TFontStyles S = F->Style();
        for (auto [Style, Name] : {std::pair{fsBold, u"fsBold"}, std::pair{fsItalic, u"fsItalic"},
                                   std::pair{fsUnderline, u"fsUnderline"}, std::pair{fsStrikeOut, u"fsStrikeOut"}})
            if (S.Contains(Style)) Styles += (Styles.empty() ? u"" : u",") + String(Name);
        Line(Key + u".Style", Styles);
        Int(Key + u".Size", F->Size());
        Line(Key + u".Name", F->Name());
    }
    const String& Text() const { return FText; }

private:
    String FText;
};

// ---- Reading ----

class TPropsReader {
public:
    explicit TPropsReader(const String& Text) {
        size_t Start = 0;
        while (Start < Text.size()) {
            size_t End = Text.find(u'\n', Start);
            if (End == String::npos) End = Text.size();
            String Line = Text.substr(Start, End - Start);
            if (!Line.empty() && Line.back() == u'\r') Line.pop_back();
            FLines.push_back(std::move(Line));
            Start = End + 1;
        }
    }
    // The text after the first "=" of the first line whose key matches
    // without regard to case; empty without such a line.
    String Value(const String& Key) const {
        const String Wanted = UpperCase(Key);
        for (const String& Line : FLines) {
            const size_t Eq = Line.find(u'=');
            if (Eq != String::npos && UpperCase(Line.substr(0, Eq)) == Wanted) return Line.substr(Eq + 1);
        }
        return String();
    }
    TColor Colour(const String& Key) const {
        const String V = Value(Key);
        return V.empty() ? clNone : StringToColor(V);
    }
    bool Bool(const String& Key) const { return UpperCase(Value(Key)) == u"TRUE"; }
    Integer Int(const String& Key) const { return StrToInt(Value(Key)); }
    // The ordinal of the first listed name that matches, none when nothing
    // matches.
    template <size_t N>
    std::optional<Integer> Name(const String& Key, const Char* const (&Names)[N]) const {
        const String V = UpperCase(Value(Key));
        for (size_t i = 0; i < N; ++i)
            if (V == UpperCase(Names[i])) return Integer(i);
        return std::nullopt;
    }

private:
    std::vector<String> FLines;
};

struct TFontProps {
    TColor Color;
    TFontStyles Style;
    Integer Size;
    String Name;

    static TFontProps Read(const TPropsReader& R, const String& Key) {
        TFontProps P;
        P.Color = R.Colour(Key + u".Color");
        const String S = R.Value(Key + u".Style");
        for (auto [Style, Name] : {std::pair{fsBold, u"fsBold"}, std::pair{fsItalic, u"fsItalic"},
                                   std::pair{fsUnderline, u"fsUnderline"}, std::pair{fsStrikeOut, u"fsStrikeOut"}})
            if (S.find(Name) != String::npos) P.Style.Include(Style);
        P.Size = R.Int(Key + u".Size");
        P.Name = R.Value(Key + u".Name");
        return P;
    }
    void Apply(TFont* F) const {
        F->SetColor(Color);
        F->SetStyle(Style);
        F->SetSize(Size);
        // An empty name would leave the font without a face: keep the one
        // it has.
        if (!Name.empty()) F->SetName(Name);
    }
};

// Everything a file holds, converted before any of it is applied.
struct TVisualProps {
    TColor Color, HintColor, Selection[5], URLColor;
    bool URLShow, URLShowInText;
    TColor ScrollColor, ActiveRowColor;
    bool ActiveRowShow, ActiveCellShow;
    TFontProps Font;
    TColor ActiveCellColor, ActiveCellColorTo;
    TFontProps ActiveCellFont, FixedFont;
    TColor BalloonBackground, BalloonText;
    Integer BalloonTransparency;
    TColor BandsPrimary, BandsSecondary;
    bool BandsActive;
    TColor SortIndexColor, FloatingFooterColor;
    Integer CheckSize;
    TColor LookColor, CommentColor;
    std::optional<Integer> ControlStyle;
    TColor FixedGradientFrom, FixedGradientTo;
    Integer RadioSize;
    bool FlatButton;
    TColor ProgressBorderColor;
    bool ProgressXP;
    std::optional<Integer> Look;
    TColor SearchFooterColor, SearchFooterColorTo;
    TColor GridLineColor, GridFixedLineColor;
    TColor GroupHeaderColor, GroupHeaderColorTo, GroupHeaderTextColor;
    bool GroupHeaderUnderline;
    TColor GroupHeaderLineColor;
    Integer GroupHeaderLineWidth;
    TColor GroupSummaryColor, GroupSummaryColorTo, GroupSummaryTextColor;
    bool GroupSummaryLine;
    TColor GroupSummaryLineColor;
    Integer GroupSummaryLineWidth;
    Integer BackGroundTop, BackGroundLeft;
    std::optional<Integer> BackGroundDisplay, BackGroundCells;
    TColor BackGroundColor, BackGroundColorTo;
    bool HasGradient;
    TColor DOV[4]; // from, to, mirror from, mirror to
    std::optional<Integer> SelectionStyle;
};

const Char* const SelectionKeys[5] = {u"SelectionColor", u"SelectionColorTo", u"SelectionMirrorColor",
                                      u"SelectionMirrorColorTo", u"SelectionTextColor"};

TVisualProps ReadProps(const TPropsReader& R) {
    TVisualProps P;
    P.Color = R.Colour(u"Color");
    P.HintColor = R.Colour(u"HintColor");
    for (int i = 0; i < 5; ++i) P.Selection[i] = R.Colour(SelectionKeys[i]);
    P.URLColor = R.Colour(u"URLColor");
    P.URLShow = R.Bool(u"URLShow");
    P.URLShowInText = R.Bool(u"URLShowInText");
    P.ScrollColor = R.Colour(u"ScrollColor");
    P.ActiveRowColor = R.Colour(u"ActiveRowColor");
    P.ActiveRowShow = R.Bool(u"ActiveRowShow");
    P.ActiveCellShow = R.Bool(u"ActiveCellShow");
    P.Font = TFontProps::Read(R, u"Font");
    P.ActiveCellColor = R.Colour(u"ActiveCellColor");
    P.ActiveCellColorTo = R.Colour(u"ActiveCellColorTo");
    P.ActiveCellFont = TFontProps::Read(R, u"ActiveCellFont");
    P.FixedFont = TFontProps::Read(R, u"FixedFont");
    P.BalloonBackground = R.Colour(u"Balloon.BackGroundColor");
    P.BalloonText = R.Colour(u"Balloon.TextColor");
    P.BalloonTransparency = R.Int(u"Balloon.Transparency");
    P.BandsPrimary = R.Colour(u"Bands.PrimaryColor");
    P.BandsSecondary = R.Colour(u"Bands.SecondaryColor");
    P.BandsActive = R.Bool(u"Bands.Active");
    P.SortIndexColor = R.Colour(u"SortSettings.IndexColor");
    P.FloatingFooterColor = R.Colour(u"FloatingFooter.Color");
    P.CheckSize = R.Int(u"ControlLook.CheckSize");
    P.LookColor = R.Colour(u"ControlLook.Color");
    P.CommentColor = R.Colour(u"ControlLook.CommentColor");
    P.ControlStyle = R.Name(u"ControlLook.ControlStyle", ControlStyleNames);
    P.FixedGradientFrom = R.Colour(u"ControlLook.FixedGradientFrom");
    P.FixedGradientTo = R.Colour(u"ControlLook.FixedGradientTo");
    P.RadioSize = R.Int(u"ControlLook.RadioSize");
    P.FlatButton = R.Bool(u"ControlLook.FlatButton");
    P.ProgressBorderColor = R.Colour(u"ControlLook.ProgressBorderColor");
    P.ProgressXP = R.Bool(u"ControlLook.ProgressXP");
    {
        // The custom look has no name; the nine others in ordinal order.
        const Char* const Looks[] = {u"glStandard", u"glSoft",  u"glClassic", u"glDOV",       u"glXP",
                                     u"glListView", u"glVista", u"glWin7",    u"glOffice2007"};
        P.Look = R.Name(u"Look", Looks);
    }
    P.SearchFooterColor = R.Colour(u"SearchFooter.Color");
    P.SearchFooterColorTo = R.Colour(u"SearchFooter.ColorTo");
    P.GridLineColor = R.Colour(u"GridLineColor");
    P.GridFixedLineColor = R.Colour(u"GridFixedLineColor");
    P.GroupHeaderColor = R.Colour(u"Grouping.HeaderColor");
    P.GroupHeaderColorTo = R.Colour(u"Grouping.HeaderColorTo");
    P.GroupHeaderTextColor = R.Colour(u"Grouping.HeaderTextColor");
    P.GroupHeaderUnderline = R.Bool(u"Grouping.HeaderUnderline");
    P.GroupHeaderLineColor = R.Colour(u"Grouping.HeaderLineColor");
    P.GroupHeaderLineWidth = R.Int(u"Grouping.HeaderLineWidth");
    P.GroupSummaryColor = R.Colour(u"Grouping.SummaryColor");
    P.GroupSummaryColorTo = R.Colour(u"Grouping.SummaryColorTo");
    P.GroupSummaryTextColor = R.Colour(u"Grouping.SummaryTextColor");
    P.GroupSummaryLine = R.Bool(u"Grouping.SummaryLine");
    P.GroupSummaryLineColor = R.Colour(u"Grouping.SummaryLineColor");
    P.GroupSummaryLineWidth = R.Int(u"Grouping.SummaryLineWidth");
    P.BackGroundTop = R.Int(u"BackGround.Top");
    P.BackGroundLeft = R.Int(u"BackGround.Left");
    P.BackGroundDisplay = R.Name(u"BackGround.Display", BackGroundDisplayNames);
    P.BackGroundCells = R.Name(u"BackGround.Cells", BackGroundCellsNames);
    P.BackGroundColor = R.Colour(u"BackGround.Color");
    P.BackGroundColorTo = R.Colour(u"BackGround.ColorTo");
    P.HasGradient = !R.Value(u"DOVGradFrom").empty();
    if (P.HasGradient) {
        P.DOV[0] = R.Colour(u"DOVGradFrom");
        P.DOV[1] = R.Colour(u"DOVGradTo");
        P.DOV[3] = R.Colour(u"DOVGradMirrorTo");
        P.DOV[2] = R.Colour(u"DOVGradMirrorFrom");
        // Only the four selection styles there are.
        const Integer Style = R.Int(u"SelectionStyle");
        if (Style >= ssDefault && Style <= ssOffice2007) P.SelectionStyle = Style;
    }
    return P;
}

} // namespace

void TZirOvararIzaz::SaveVisualProps(const String& FileName) {
    TPropsWriter W;
    W.Colour(u"Color", Color());
    W.Colour(u"HintColor", HintColor());
    const TColor Selection[5] = {SelectionColor(), SelectionColorTo(), SelectionMirrorColor(),
                                 SelectionMirrorColorTo(), SelectionTextColor()};
    for (int i = 0; i < 5; ++i) W.Colour(SelectionKeys[i], Selection[i]);
    W.Colour(u"URLColor", URLColor());
    W.Bool(u"URLShow", URLShow());
    W.Bool(u"URLShowInText", URLShowInText());
    W.Colour(u"ScrollColor", ScrollColor());
    W.Colour(u"ActiveRowColor", ActiveRowColor());
    W.Bool(u"ActiveRowShow", ActiveRowShow());
    W.Bool(u"ActiveCellShow", ActiveCellShow());
    W.Font(u"Font", Font());
    W.Colour(u"ActiveCellColor", ActiveCellColor());
    W.Colour(u"ActiveCellColorTo", ActiveCellColorTo());
    W.Font(u"ActiveCellFont", ActiveCellFont());
    W.Font(u"FixedFont", FixedFont());
    W.Colour(u"Balloon.BackgroundColor", Balloon()->BackgroundColor());
    W.Colour(u"Balloon.TextColor", Balloon()->TextColor());
    W.Int(u"Balloon.Transparency", Balloon()->Transparency());
    W.Colour(u"Bands.PrimaryColor", Bands()->PrimaryColor());
    W.Colour(u"Bands.SecondaryColor", Bands()->SecondaryColor());
    W.Bool(u"Bands.Active", Bands()->Active());
    W.Colour(u"SortSettings.IndexColor", SortSettings()->IndexColor());
    W.Colour(u"FloatingFooter.Color", FloatingFooter()->Color());
    TControlLook* CL = ControlLook();
    W.Int(u"ControlLook.CheckSize", CL->CheckSize());
    W.Colour(u"ControlLook.Color", CL->Color());
    W.Colour(u"ControlLook.CommentColor", CL->CommentColor());
    W.Line(u"ControlLook.ControlStyle", ControlStyleNames[CL->ControlStyle()]);
    W.Colour(u"ControlLook.FixedGradientFrom", CL->FixedGradientFrom());
    W.Colour(u"ControlLook.FixedGradientTo", CL->FixedGradientTo());
    W.Int(u"ControlLook.RadioSize", CL->RadioSize());
    W.Bool(u"ControlLook.FlatButton", CL->FlatButton());
    W.Colour(u"ControlLook.ProgressBorderColor", CL->ProgressBorderColor());
    W.Bool(u"ControlLook.ProgressXP", CL->ProgressXP());
    W.Line(u"Look", LookToString(Look()));
    W.Colour(u"SearchFooter.Color", SearchFooter()->Color());
    W.Colour(u"SearchFooter.ColorTo", SearchFooter()->ColorTo());
    TGrouping* G = Grouping();
    W.Colour(u"Grouping.HeaderColor", G->HeaderColor());
    W.Colour(u"Grouping.HeaderColorTo", G->HeaderColorTo());
    W.Colour(u"Grouping.HeaderTextColor", G->HeaderTextColor());
    W.Bool(u"Grouping.HeaderUnderline", G->HeaderUnderline());
    W.Colour(u"Grouping.HeaderLineColor", G->HeaderLineColor());
    W.Int(u"Grouping.HeaderLineWidth", G->HeaderLineWidth());
    W.Colour(u"Grouping.SummaryColor", G->SummaryColor());
    W.Colour(u"Grouping.SummaryColorTo", G->SummaryColorTo());
    W.Colour(u"Grouping.SummaryTextColor", G->SummaryTextColor());
    W.Bool(u"Grouping.SummaryLine", G->SummaryLine());
    W.Colour(u"Grouping.SummaryLineColor", G->SummaryLineColor());
    W.Int(u"Grouping.SummaryLineWidth", G->SummaryLineWidth());
    W.Colour(u"GridLineColor", GridLineColor());
    W.Colour(u"GridFixedLineColor", GridFixedLineColor());
    TBackGround* B = BackGround();
    W.Int(u"BackGround.Top", B->Top());
    W.Int(u"BackGround.Left", B->Left());
    W.Line(u"BackGround.Display", BackGroundDisplayNames[B->Display()]);
    W.Line(u"BackGround.Cells", BackGroundCellsNames[B->Cells()]);
    W.Colour(u"BackGround.Color", B->Color());
    W.Colour(u"BackGround.ColorTo", B->ColorTo());
    W.Colour(u"DOVGradFrom", DOVGradientFrom());
    W.Colour(u"DOVGradTo", DOVGradientTo());
    W.Colour(u"DOVGradMirrorFrom", DOVGradientMirrorFrom());
    W.Colour(u"DOVGradMirrorTo", DOVGradientMirrorTo());
    W.Int(u"SelectionStyle", Integer(SelectionStyle()));

    std::ofstream File(Utf8(FileName), std::ios::binary | std::ios::trunc);
    if (!File) throw EKelGridError(u"Cannot Create " + FileName);
    const AnsiString Bytes = ToAnsi(W.Text());
    File.write(Bytes.data(), std::streamsize(Bytes.size()));
    File.close();
    if (!File) throw EKelGridError(u"Cannot Create " + FileName);
}

void TZirOvararIzaz::LoadVisualProps(const String& FileName) {
    std::ifstream File(Utf8(FileName), std::ios::binary);
    std::ostringstream Bytes;
    if (File) Bytes << File.rdbuf();
    if (!File || File.bad()) throw EKelGridError(u"Cannot open file " + FileName);
    File.close();

    // Every value is converted first; a bad one raises before anything of
    // the grid has changed.
    const TVisualProps P = ReadProps(TPropsReader(FromAnsi(Bytes.str())));

    TControlLook* CL = ControlLook();
    auto ApplySelection = [&] {
        SetSelectionColor(P.Selection[0]);
        SetSelectionColorTo(P.Selection[1]);
        SetSelectionMirrorColor(P.Selection[2]);
        SetSelectionMirrorColorTo(P.Selection[3]);
        SetSelectionTextColor(P.Selection[4]);
    };
    // The settings read before the look.
    auto ApplyBeforeLook = [&] {
        SetColor(P.Color);
        TZirOvararIzazCore::SetHintColor(P.HintColor);
        ApplySelection();
        SetURLColor(P.URLColor);
        SetURLShow(P.URLShow);
        SetURLShowInText(P.URLShowInText);
        SetScrollColor(P.ScrollColor);
        SetActiveRowColor(P.ActiveRowColor);
        SetActiveRowShow(P.ActiveRowShow);
        SetActiveCellShow(P.ActiveCellShow);
        P.Font.Apply(Font());
        SetActiveCellColor(P.ActiveCellColor);
        SetActiveCellColorTo(P.ActiveCellColorTo);
        P.ActiveCellFont.Apply(ActiveCellFont());
        P.FixedFont.Apply(FixedFont());
        Balloon()->SetBackgroundColor(P.BalloonBackground);
        Balloon()->SetTextColor(P.BalloonText);
        Balloon()->SetTransparency(Byte(P.BalloonTransparency & 0xFF));
        Bands()->SetPrimaryColor(P.BandsPrimary);
        Bands()->SetSecondaryColor(P.BandsSecondary);
        Bands()->SetActive(P.BandsActive);
        SortSettings()->SetIndexColor(P.SortIndexColor);
        FloatingFooter()->SetColor(P.FloatingFooterColor);
        CL->SetCheckSize(P.CheckSize);
        CL->SetColor(P.LookColor);
        CL->SetCommentColor(P.CommentColor);
        if (P.ControlStyle) CL->SetControlStyle(ZirOvararIzaz::TControlStyle(*P.ControlStyle));
        CL->SetFixedGradientFrom(P.FixedGradientFrom);
        CL->SetFixedGradientTo(P.FixedGradientTo);
        CL->SetRadioSize(P.RadioSize);
        CL->SetFlatButton(P.FlatButton);
        CL->SetProgressBorderColor(P.ProgressBorderColor);
        CL->SetProgressXP(P.ProgressXP);
    };
    ApplyBeforeLook();
    if (P.Look) {
        WriteLook(TGridLook(*P.Look));
        // The look's preset overwrote some of them (active-cell colours,
        // fonts, the control look): what the file holds wins.
        ApplyBeforeLook();
    }
    SearchFooter()->SetColor(P.SearchFooterColor);
    SearchFooter()->SetColorTo(P.SearchFooterColorTo);
    SetGridLineColor(P.GridLineColor);
    SetGridFixedLineColor(P.GridFixedLineColor);
    TGrouping* G = Grouping();
    G->SetHeaderColor(P.GroupHeaderColor);
    G->SetHeaderColorTo(P.GroupHeaderColorTo);
    G->SetHeaderTextColor(P.GroupHeaderTextColor);
    G->SetHeaderUnderline(P.GroupHeaderUnderline);
    G->SetHeaderLineColor(P.GroupHeaderLineColor);
    G->SetHeaderLineWidth(P.GroupHeaderLineWidth);
    G->SetSummaryColor(P.GroupSummaryColor);
    G->SetSummaryColorTo(P.GroupSummaryColorTo);
    G->SetSummaryTextColor(P.GroupSummaryTextColor);
    G->SetSummaryLine(P.GroupSummaryLine);
    G->SetSummaryLineColor(P.GroupSummaryLineColor);
    G->SetSummaryLineWidth(P.GroupSummaryLineWidth);
    TBackGround* B = BackGround();
    B->SetTop(P.BackGroundTop);
    B->SetLeft(P.BackGroundLeft);
    if (P.BackGroundDisplay) B->SetDisplay(TBackGroundDisplay(*P.BackGroundDisplay));
    if (P.BackGroundCells) B->SetCells(TBackGroundCells(*P.BackGroundCells));
    B->SetColor(P.BackGroundColor);
    B->SetColorTo(P.BackGroundColorTo);
    if (P.HasGradient) {
        SetDOVGradientFrom(P.DOV[0]);
        SetDOVGradientTo(P.DOV[1]);
        SetDOVGradientMirrorTo(P.DOV[3]);
        SetDOVGradientMirrorFrom(P.DOV[2]);
        CL->SetFixedGradientFrom(P.DOV[0]);
        CL->SetFixedGradientTo(P.DOV[1]);
        CL->SetFixedGradientMirrorFrom(P.DOV[2]);
        CL->SetFixedGradientMirrorTo(P.DOV[3]);
        if (P.SelectionStyle) SetSelectionStyle(TGridSelectionStyle(*P.SelectionStyle));
    }
    // The look preset above may have changed the selection colours.
    ApplySelection();
    TZirOvararIzazCore::SetLook(glCustom);
}
