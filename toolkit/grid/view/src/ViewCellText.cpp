// The text step of the cell painter: selection colours, the search
// highlight, the text in its kinds (plain, markup, rich text, formula),
// password characters, the cell's scroll offset, the filter button and the
// filter-edit placeholder, the background picture or gradient of the cell,
// the selection rectangle, the sort indicator's place and the wavy
// underline of a marked range; and the rich-text cell drawn through the
// grid's rich edit, for the screen and for paper.

#include "grid/CellPainting.h"
#include "grid/ZirOvararIzaz.h"

#include "dropdown/KelDropDownRoutines.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiText.h"
#include "graphics/Graphic.h"
#include "graphics/ImageList.h"
#include "grid/SearchPanel.h"
#include "gridbase/CellPainting.h"
#include "gridbase/KelCheckBox.h"
#include "gridbase/KelGridButton.h"
#include "gridbase/MarkupRenderer.h"
#include "gridbase/MarkupText.h"
#include "gridbase/RarEvad.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/RichEdit.h"
#include "windowing/Focus.h"

#include <algorithm>

using namespace winapi;

namespace {

// The longest text handed to the text drawing of one single-line cell.
constexpr size_t MaxSingleLineText = 4096;

// Selects a clip rectangle for the rest of the text step and takes it off
// again on every way out.
class TCellClip {
public:
    TCellClip(TCanvas* Canvas) : FCanvas(Canvas) {}
    ~TCellClip() { Release(); }
    void Select(const TRect& R) {
        if (FSaved) return;
        FSaved = SaveDC(FCanvas->Handle());
        IntersectClipRect(FCanvas->Handle(), R.Left, R.Top, R.Right, R.Bottom);
    }
    void Release() {
        if (!FSaved) return;
        RestoreDC(FCanvas->Handle(), FSaved);
        FSaved = 0;
    }

private:
    TCanvas* FCanvas;
    Integer FSaved = 0;
};

Cardinal HorizontalFlag(TAlignment A) {
    switch (A) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

Cardinal VerticalFlag(TVAlignment A) {
    switch (A) {
    case vtaCenter:
        return DT_VCENTER;
    case vtaBottom:
        return DT_BOTTOM;
    default:
        return DT_TOP;
    }
}

} // namespace

bool TZirOvararIzaz::SearchHighlightCell(Integer RealCol, Integer ARow) {
    if (ARow < FixedRows() || ARow >= RowCount() - FixedFooters()) return false;
    const Integer SearchCol = SearchFooter()->SearchColumn();
    if (SearchCol != -1) return RealCol == SearchCol;
    return RealCol >= FixedCols() && RealCol < ColCount() + NumHiddenColumns() - FixedRightCols();
}

void TZirOvararIzaz::DrawCellText(TCellPaintContext& C) {
    TCanvas* Canvas = C.Canvas;
    TCellClip Clip(Canvas);
    const bool HasFocus = HandleAllocated() && GetFocus() == Handle();

    // 1. Selection colours (the plain and disjunct row selections).
    TColor LinkColor = URLColor();
    const bool InRowSelect = RowSelect(C.Row) && Options().Contains(goRowSelect) && C.Col >= FixedCols() &&
                             C.Col < ColCount() - FixedRightCols();
    if ((C.State.Contains(gdSelected) || InRowSelect) && !C.Fixed) {
        if (IsSelectionVisible()) {
            if (SelectionColor() != clNone) Canvas->Brush()->SetColor(SelectionColor());
            if (SelectionTextColor() != clNone && Enabled() && UseSelectionTextColor())
                Canvas->Font()->SetColor(SelectionTextColor());
            LinkColor = SelectionTextColor();
        }
        if ((!HasFocus || HasCheckBox(C.RealCol, C.Row)) && !IsSelectionVisible()) {
            Canvas->Brush()->SetColor(C.BrushColor);
            Canvas->Font()->SetColor(C.FontColor);
            LinkColor = URLColor();
        }
    }

    // 2. - 4. The text, the search highlight, its kind and the marked range.
    String Text = GetFormattedCell(C.RealCol, C.Row);
    TSearchFooter* SF = SearchFooter();
    if (SF->Visible() && SearchPanel() && SearchHighlightCell(C.RealCol, C.Row)) {
        const bool Down = SearchPanel()->HighlightButton() && SearchPanel()->HighlightButton()->Down();
        const String Search = SearchPanel()->Edit() ? SearchPanel()->Edit()->Text() : String();
        const bool MatchCase = SearchPanel()->MatchCase() && SearchPanel()->MatchCase()->Checked();
        if ((Down || SF->AlwaysHighLight()) && !Search.empty())
            Text = HighlightInMarkup(Text, Search, u"hi", SF->HighLight() == hFullCell, MatchCase);
    }
    TCellTextKind Kind = GetCellTextKind(Text, EnableHTML());
    if (Kind == ctFormula) {
        Text = GetRawCellText(C.RealCol, C.Row);
        Kind = GetCellTextKind(Text, EnableHTML());
    }
    Integer MarkPos = 0, MarkLen = 0;
    GetMarker(C.RealCol, C.Row, MarkPos, MarkLen);
    if (QueryPasswordCell(C.RealCol, C.Row)) FillWithChar(Text, PasswordChar());

    // 5. The text rectangle; a scrolled cell moves its content up.
    TRect TR = C.R;
    if (C.Fixed) {
        TR.Left += GridLineWidth();
        TR.Top += GridLineWidth();
    }
    if (C.ScrollPos > 0) {
        Clip.Select(TR);
        TR.Top -= C.ScrollPos;
    }

    // 6. The filter button of the filter row.
    if (C.FilterButton) {
        TFilterDropDown* FD = FilterDropDown();
        const TBitmap* Glyph = Filter()->HasFilter(C.RealCol) ? FD->GlyphActive() : FD->Glyph();
        if (!Glyph || Glyph->Empty()) {
            DrawResourceBitmapTransparent(Canvas, FixedColor(), TRect(TR.Right - 16, TR.Top, TR.Right, TR.Bottom),
                                          u"ZOIFILT", 1);
        } else {
            TBitmap Copy;
            Copy.Assign(Glyph);
            if (Copy.PixelFormat() == pf32bit) Copy.SetPixelFormat(pf24bit);
            Copy.SetTransparentMode(tmAuto);
            Copy.SetTransparent(true);
            Canvas->Draw(TR.Right - Glyph->Width(), TR.Top, &Copy);
        }
    }

    // 7. A merged cell that reaches the sort row keeps room for the sort
    // indicator.
    if (SortSettings()->Show() && C.RealCol == SortSettings()->Column() && IsMergedCell(C.RealCol, C.Row) &&
        IsSortIndicatorCell(C.RealCol, C.Row))
        TR.Right -= 12;

    // 8. Disjunct selections: cells outside them take the grid's colours.
    TMouseActions* MA = MouseActions();
    if (!C.Fixed && !IsMouseButtonDown() &&
        ((MA->DisjunctRowSelect() && !RowSelect(C.Row)) || (MA->DisjunctColSelect() && !ColSelect(C.Col)))) {
        LinkColor = URLColor();
        Canvas->Brush()->SetColor(Color());
        Canvas->Font()->SetColor(Font()->Color());
        if (DPIScale() > 0) Canvas->Font()->SetHeight(RoundToInt(Canvas->Font()->Height() / DPIScale()));
        DoGetCellColor(C.RealCol, C.Row, C.State, Canvas->Brush(), Canvas->Font());
        Canvas->Font()->SetSize(Canvas->Font()->Size() + ZoomFactor());
    }

    // 9. - 10. The cell's part of the background picture or gradient.
    TBackGround* BG = BackGround();
    const bool FixedState = C.State.Contains(gdFixed);
    const bool CellsMatch =
        BG->Cells() == bcAll || (FixedState ? BG->Cells() == bcFixed : BG->Cells() == bcNormal);
    const bool Selected = C.State.Contains(gdSelected);
    const bool SelectionShown = IsSelectionVisible();
    if (BG->Bitmap() && !BG->Bitmap()->Empty() && Colors(C.RealCol, C.Row) == clNone && CellsMatch &&
        !(Selected && SelectionShown)) {
        const TRect Grown(TR.Left - (GridLineWidth() - 1), TR.Top - (GridLineWidth() - 1), TR.Right, TR.Bottom);
        if (BG->Display() != bdTile)
            DrawBackgroundFixed(Grown, C);
        else
            DrawBackgroundTiled(Grown, C);
    }
    if (BG->Display() == bdGradientHorz || BG->Display() == bdGradientVert) {
        const bool Control = C.Object.Graphic && (HasCheckBox(C.RealCol, C.Row) || IsRadio(C.RealCol, C.Row) ||
                                                  HasButton(C.RealCol, C.Row) ||
                                                  C.Object.Graphic->CellType() == ctRadioButton);
        const bool FocusSelected = C.State.Contains(gdFocused) && Options().Contains(goDrawFocusSelected);
        if ((Colors(C.RealCol, C.Row) == clNone || Control) && CellsMatch &&
            !((Selected || FocusSelected) && SelectionShown))
            DrawBackgroundGradient(TRect(TR.Left - 1, TR.Top - GridLineWidth(), TR.Right,
                                         TR.Bottom + GridLineWidth() - 1),
                                   C);
    }

    // 11. The selection rectangle and its resize handle.
    if (SelectionRectangle() && !C.Fixed) DrawSelectionRectangle(C, TR);

    // 12. A cell whose object hides the text ends here.
    if (!C.Object.TextShown) return;

    // 13. Offsets and the room of the cell object.
    TR.Left += XYOffset().X;
    TR.Top += XYOffset().Y;
    if (!XYOffsetTopLeftOnly()) TR.Right -= XYOffset().X;
    Integer Indent = 0;
    if (C.Object.Graphic) {
        const Integer W = C.Object.Width, H = C.Object.Height;
        const TCellHAlign OH = C.Object.HAlign;
        if (OH == haBeforeText) TR.Left += W;
        if (OH == haAfterText) TR.Right -= W;
        if (OH == haLeft || (OH == haBeforeText && C.HAlign == taLeftJustify)) Indent = W;
        if (C.Object.VAlign == vaAboveText) TR.Top += H;
        if (C.Object.VAlign == vaUnderText) TR.Bottom -= H;
    }
    if (C.RealCol == 0 && HasNodes() && !IsNode(C.Row)) TR.Left += GetNodeIndent(C.Row);

    // 14. The filter-edit row: the filter type's glyph and its name as the
    // placeholder of an empty cell.
    String Placeholder;
    const bool FilterEditCell = DoHasFilterEdit(C.RealCol, C.Row);
    if (FilterEditCell) {
        const TFilterType Type = Filter()->HasFilterType(C.RealCol);
        if (TCustomImageList* Glyphs = FilterGlyphs(); Glyphs && Integer(Type) < Glyphs->Count())
            Glyphs->Draw(Canvas, TR.Left, TR.Top, Integer(Type));
        const Integer Room = RoundToInt(18 * DPIScale());
        TR.Left += Room;
        Indent += Room;
        if (Integer(Type) < FilterEdit()->TypeNames()->Count())
            Placeholder = FilterEdit()->TypeNames()->Strings(Integer(Type));
    }

    TSortSettings* SS = SortSettings();
    const bool SortColumn = C.RealCol == SS->Column() || SortIndexes()->FindIndex(C.RealCol) >= 0;
    const bool SortShown = IsSortIndicatorCell(C.Col, C.Row) && SortColumn && FixedRows() > 0 &&
                           (C.Col >= FixedCols() || SS->FixedCols());
    const bool FirstSortColumn =
        SortIndexes()->Count() > 0 ? SortIndexes()->FindIndex(C.RealCol) == 0 : C.RealCol == SS->Column();
    const bool SortDrawn = SortShown && (FirstSortColumn || SS->IndexShow());
    auto SortY = [&](const TRect& R) {
        if (C.VAlign == vtaCenter) return R.Top + (R.Bottom - R.Top) / 2;
        if (C.VAlign == vtaBottom) return R.Bottom - 8;
        return R.Top + 8;
    };

    // 15. Markup and rich text.
    if (Kind == ctHTML) {
        TR.Right -= C.FilterButton ? 18 : 0;
        --TR.Left;
        if (SortShown) TR.Right -= 10;
        TMarkupDrawParams P;
        P.Canvas = Canvas;
        P.Text = Text;
        P.Rect = TR;
        P.Images = GetCellImageList(C.RealCol, C.Row);
        P.PictureContainer = PictureContainer();
        P.PictureCache = PictureCache();
        P.OwnerWindow = HandleAllocated() ? Handle() : nullptr;
        P.AnchorColor = LinkColor;
        P.ShadowColor = 0x808080;
        P.HoverOnly = URLUnderlineOnHover();
        P.WordWrap = C.WordWrap;
        P.ControlScale = DPIScale();
        TMarkupDrawResult Result;
        DrawMarkupOnCanvas(P, Result);
        if (SortDrawn) DrawSortIndicator(Canvas, C.RealCol, TR.Right + 2, SortY(TR));
        C.TextWidth = Result.Width + 2;
        return;
    }
    if (Kind == ctRTF) {
        Canvas->Pen()->SetColor(Canvas->Brush()->Color());
        if (!(Selected && !C.State.Contains(gdFocused) && SelectionColor() == clNone)) Canvas->FillRect(C.R);
        Canvas->Brush()->SetStyle(bsClear);
        DrawRichTextCell(C.RealCol, C.Row, Canvas, TR);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Font()->SetColor(clBlack);
        return;
    }

    // 16. Plain text: the sort indicator's room, links and the flags.
    const bool Centred = C.HAlign == taCenter;
    if (SS->Show() && C.Row == SS->Row() && SortColumn && Centred) TR.Left += 10;
    const bool IsURL = URLShow() && IsURLText(Text);
    if (IsURL) {
        if (!URLFull()) StripURLScheme(Text);
        TFontStyles Style = Canvas->Font()->Style();
        Style.Include(fsUnderline);
        Canvas->Font()->SetStyle(Style);
        Canvas->Font()->SetColor(LinkColor);
    }
    Cardinal Flags = DT_EDITCONTROL;
    const Integer Lines = CountTextLines(Text, Multilinecells());
    if (Lines == 1 && !C.WordWrap) {
        String First;
        TakeFirstLine(Text, false, First);
        Text = First;
        Flags |= DT_SINGLELINE;
        if (EnhTextSize()) Flags |= DT_END_ELLIPSIS;
    }
    if (C.WordWrap && !Multilinecells() && EnhTextSize()) Flags |= DT_END_ELLIPSIS;
    Flags |= DT_EXPANDTABS | DT_NOPREFIX | HorizontalFlag(C.HAlign) | VerticalFlag(C.VAlign);
    Flags |= C.WordWrap ? (DT_WORDBREAK | DT_EDITCONTROL) : DT_SINGLELINE;
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    if (C.FilterButton) TR.Right -= 16;

    // 17. The text's width, where objects or the sort indicator sit beside it.
    if ((C.Object.Graphic || SortDrawn) && !Text.empty()) {
        TRect M = TR;
        DrawText(Canvas->Handle(), Text, M, Flags | DT_CALCRECT);
        C.TextWidth = M.Right - M.Left + 2;
    }

    if (Multilinecells() && Lines > 1) {
        // 18. Line by line.
        TRect GH(0, 0, 1000, 1000);
        const Integer LineHeight = DrawText(Canvas->Handle(), u"gh", GH, DT_SINGLELINE | DT_CALCRECT);
        TRect LR = TR;
        if (C.VAlign == vtaCenter) LR.Top = TR.Top + (TR.Height() - LineHeight * Lines) / 2;
        if (C.VAlign == vtaBottom) LR.Top = TR.Bottom - LineHeight * Lines;
        const Cardinal LineFlags = Flags & ~Cardinal(DT_VCENTER | DT_BOTTOM);
        String Rest = Text;
        for (Integer I = 0; I < Lines; ++I) {
            String Line;
            TakeFirstLine(Rest, true, Line);
            LR.Top += DrawText(Canvas->Handle(), Line, LR, LineFlags);
        }
    } else {
        // 19. One block, or the placeholder of an empty filter-edit cell.
        const TFontStyles SavedStyle = Canvas->Font()->Style();
        const TColor SavedColor = Canvas->Font()->Color();
        String Shown = Text;
        if (Shown.empty() && !Placeholder.empty()) {
            Shown = Placeholder;
            TFontStyles Italic = SavedStyle;
            Italic.Include(fsItalic);
            Canvas->Font()->SetStyle(Italic);
            Canvas->Font()->SetColor(0x808080);
        } else if (FilterEditCell && !Shown.empty()) {
            TFontStyles Upright = SavedStyle;
            Upright.Exclude(fsItalic);
            Canvas->Font()->SetStyle(Upright);
            Canvas->Font()->SetColor(clBlack);
        }
        if ((Flags & DT_SINGLELINE) && Shown.size() > MaxSingleLineText) Shown.resize(MaxSingleLineText);
        if (Canvas->Font()->Style().Contains(fsItalic) && C.HAlign == taRightJustify) Shown += u' ';
        if ((Flags & DT_END_ELLIPSIS) && C.HAlign == taLeftJustify && !Trim(Shown).empty() &&
            Canvas->TextWidth(Shown) > TR.Width())
            Shown += u"     ";
        TRect Block = TR;
        DrawText(Canvas->Handle(), Shown, Block, Flags);
        Canvas->Font()->SetStyle(SavedStyle);
        Canvas->Font()->SetColor(SavedColor);
    }

    // 20. The marked range, the sort indicator's anchor.
    if (MarkLen > 0 && (!C.Object.Graphic || C.Object.Graphic->CellType() == ctEmpty ||
                        C.Object.Graphic->CellType() == ctValue)) {
        TRect HG(0, 0, 1000, 1000);
        const Integer H = DrawText(Canvas->Handle(), u"hg", HG, DT_SINGLELINE | DT_CALCRECT);
        DrawWavyUnderline(this, Canvas, Text, TR, H, MarkPos, MarkLen);
    }
    TRect AR = C.R;
    if (C.Fixed) {
        AR.Left += GridLineWidth();
        AR.Top += GridLineWidth();
    }
    if (C.FilterButton) AR.Right -= 16;
    if (SortDrawn) {
        const Integer W = std::max(std::min(AR.Right - AR.Left - Indent - 16, C.TextWidth), 0);
        Integer X = AR.Left + 8;
        if (C.HAlign == taLeftJustify) X = AR.Left + W + Indent + 10;
        if (C.HAlign == taRightJustify) X = AR.Right - W - 10;
        DrawSortIndicator(Canvas, C.RealCol, X, SortY(AR));
    }
    if (IsURL) {
        TFontStyles Style = Canvas->Font()->Style();
        Style.Exclude(fsUnderline);
        Canvas->Font()->SetStyle(Style);
    }
}

void TZirOvararIzaz::DrawSelectionRectangle(TCellPaintContext& C, const TRect& R) {
    TGridRect Sel = Selection();
    if (C.Col < Sel.Left || C.Col > Sel.Right || C.Row < Sel.Top || C.Row > Sel.Bottom) return;
    TCanvas* Canvas = C.Canvas;
    const bool Lines = Options().Contains(goVertLine) || Options().Contains(goHorzLine);
    const Integer Cw = Lines ? 1 : 0;
    Canvas->Pen()->SetColor(SelectionRectangleColor());
    Canvas->Pen()->SetWidth(Lines ? 2 : 1);
    const Integer G = GridLineWidth();
    auto Line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
    };
    const bool Left = C.Col == Sel.Left, Right = C.Col == Sel.Right;
    if (Left) Line(R.Left + Cw - G, R.Bottom, R.Left + Cw - G, R.Top - G);
    if (Right) Line(R.Right - 1, R.Bottom, R.Right - 1, R.Top - G);
    const Integer X1 = Left ? R.Left - G : R.Left - G - 1;
    const Integer X2 = Right ? R.Right - 1 : R.Right;
    if (C.Row == Sel.Top) Line(X1, R.Top + Cw - G, X2, R.Top + Cw - G);
    if (C.Row == Sel.Bottom) Line(X1, R.Bottom + Cw - 1, X2, R.Bottom + Cw - 1);
    if (SelectionResizer() && Right && C.Row == Sel.Bottom) {
        const Integer S = RoundToInt(4 * DPIScale());
        Canvas->Brush()->SetColor(SelectionRectangleColor());
        Canvas->FillRect(TRect(R.Right - S, R.Bottom - S, R.Right, R.Bottom));
    }
    Canvas->Pen()->SetWidth(1);
}

void TZirOvararIzaz::DrawBackgroundFixed(const TRect& R, TCellPaintContext& C) {
    TBackGround* BG = BackGround();
    const TBitmap* Bmp = BG->Bitmap();
    const TRect Picture(BG->Left(), BG->Top(), BG->Left() + Bmp->Width(), BG->Top() + Bmp->Height());
    TRect Part;
    if (!IntersectRect(Part, Picture, R)) return;
    SetBkMode(C.Canvas->Handle(), TRANSPARENT);
    C.Canvas->CopyRect(Part, const_cast<TBitmap*>(Bmp)->Canvas(),
                       TRect(Part.Left - Picture.Left, Part.Top - Picture.Top, Part.Right - Picture.Left,
                             Part.Bottom - Picture.Top));
}

void TZirOvararIzaz::DrawBackgroundTiled(const TRect& R, TCellPaintContext& C) {
    TBackGround* BG = BackGround();
    TBitmap* Bmp = BG->Bitmap();
    const Integer PW = Bmp->Width(), PH = Bmp->Height();
    if (PW <= 0 || PH <= 0) return;
    const bool NormalOnly = BG->Cells() == bcNormal;
    const Integer C0 = NormalOnly ? FixedCols() : 0, R0 = NormalOnly ? FixedRows() : 0;
    Integer X0 = 0, Y0 = 0;
    for (Integer I = C0; I < C.RealCol; ++I) X0 += ColWidths(RealToDisplColumn(I));
    for (Integer I = R0; I < C.Row; ++I) Y0 += RowHeights(I);
    Integer SY = Y0 % PH;
    for (Integer Y = R.Top - 1; Y < R.Bottom; SY = 0) {
        const Integer H = std::min(PH - SY, R.Bottom - Y);
        Integer SX = X0 % PW;
        for (Integer X = R.Left - 1; X < R.Right; SX = 0) {
            const Integer W = std::min(PW - SX, R.Right - X);
            C.Canvas->CopyRect(TRect(X, Y, X + W, Y + H), Bmp->Canvas(), TRect(SX, SY, SX + W, SY + H));
            X += W;
        }
        Y += H;
    }
}

void TZirOvararIzaz::DrawBackgroundGradient(const TRect& R, TCellPaintContext& C) {
    TBackGround* BG = BackGround();
    const bool Vertical = BG->Display() == bdGradientVert;
    const Integer Extent = Vertical ? ClientHeight() : ClientWidth();
    const Integer From = Vertical ? R.Top : R.Left, To = Vertical ? R.Bottom : R.Right;
    const TColor Start = BlendColorAt(BG->Color(), BG->ColorTo(), 0, Extent, From);
    const TColor End = BlendColorAt(BG->Color(), BG->ColorTo(), 0, Extent, To);
    C.Canvas->Brush()->SetColor(End);
    C.Canvas->Pen()->SetColor(End);
    TRect Band = R;
    if (!Options().Contains(goHorzLine)) ++Band.Bottom;
    DrawBandedGradient(C.Canvas, Start, End, 128, Band, !Vertical);
}

void TZirOvararIzaz::DrawRichTextCell(Integer ACol, Integer ARow, TCanvas* Canvas, const TRect& R) {
    TRichEdit* Rich = RichEdit();
    CellToRich(ACol, ARow, Rich);
    Rich->Brush()->SetStyle(bsClear);
    // Selected text takes the selection's text colour.
    const TGridRect Sel = Selection();
    const bool InSelection = ACol >= Sel.Left && ACol <= Sel.Right && ARow >= Sel.Top && ARow <= Sel.Bottom &&
                             (!(ACol == Col() && ARow == Row()) || Options().Contains(goDrawFocusSelected)) &&
                             !MouseActions()->DisjunctRowSelect();
    const bool InDisjunct = (MouseActions()->DisjunctRowSelect() && RowSelect(ARow)) ||
                            (MouseActions()->DisjunctColSelect() && ColSelect(ACol));
    HDC DC = Canvas->Handle();
    if ((InSelection || InDisjunct) && !SelectionRTFKeep() && GetMapMode(DC) == MM_TEXT) {
        Rich->SetSelStart(0);
        Rich->SetSelLength(0xFFFF);
        if (SelectionTextColor() != clNone) Rich->SelAttributes()->SetColor(SelectionTextColor());
    }
    const Integer DpiX = GetDeviceCaps(DC, LOGPIXELSX) > 0 ? GetDeviceCaps(DC, LOGPIXELSX) : 96;
    const Integer DpiY = GetDeviceCaps(DC, LOGPIXELSY) > 0 ? GetDeviceCaps(DC, LOGPIXELSY) : 96;
    const Double OX = XYRTFOffset().X * Double(DpiX) / 96, OY = XYRTFOffset().Y * Double(DpiY) / 96;
    FORMATRANGE Range;
    Range.hdc = DC;
    Range.hdcTarget = DC;
    Range.rc.Left = RoundToInt((R.Left + OX) / DpiX * 1440);
    Range.rc.Top = RoundToInt((R.Top + OY) / DpiY * 1440);
    Range.rc.Right = Range.rc.Left + RoundToInt((R.Width() - 2 * OX) / DpiX * 1440);
    Range.rc.Bottom = Range.rc.Top + RoundToInt((R.Height() - 2 * OY) / DpiY * 1440);
    Range.rcPage = Range.rc;
    Range.chrg.cpMin = 0;
    Range.chrg.cpMax = -1;
    const Integer OldMode = SetMapMode(DC, MM_TEXT);
    Rich->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&Range));
    Rich->Perform(EM_FORMATRANGE, 0, 0);
    SetMapMode(DC, OldMode);
}
