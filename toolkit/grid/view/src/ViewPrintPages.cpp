// The page engine: a range of cells laid out on pages of 0.1 mm (the metric
// mapping, y up, so a page runs from y 0 down to a negative y), column
// pages, pages of rows, header and footer reserves, repeated fixed rows and
// columns, the print events; in a drawing pass the pages within
// FPrintPageFrom .. FPrintPageTo are drawn. Positions kept here are
// distances below the page top; the surface gets them negated.

#include "grid/ZirOvararIzaz.h"
#include "gridbase/MarkupRenderer.h"
#include "gridbase/RarEvad.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiText.h"

#include "ViewPrintRounding.h"

#include <algorithm>
#include <cmath>

using view_print::RoundEven;

namespace {

// The canvas's pixels per inch (horizontal or vertical); 0 when unknown.
Integer SurfacePixelsPerInch(TCanvas* Canvas, bool Vertical) {
    return winapi::GetDeviceCaps(Canvas->Handle(), Vertical ? LOGPIXELSY : LOGPIXELSX);
}

// The height of "gh" in Font at the page's font height for its size.
Integer LineHeight(TCanvas* Canvas, const TFont* Font, Integer Height) {
    Canvas->Font()->Assign(Font);
    Canvas->Font()->SetHeight(Height);
    return Canvas->TextHeight(u"gh");
}

} // namespace

void TZirOvararIzaz::DoPrintGetPageNum(Integer PageNum, Integer PageColNum, String& PageNumString) {
    if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}

TDateTime TZirOvararIzaz::PrintTime() { return Now(); }

bool TZirOvararIzaz::PrintPageDrawn() const {
    const Integer Page = FPrintRun.PageNr + 1;
    return FPrintEngine.Draws() && Page >= FPrintPageFrom && Page <= FPrintPageTo;
}

bool TZirOvararIzaz::IsRowPrinted(Integer ARow) {
    if (!FPrintEngine.SelectedOnly) return true;
    if (ARow < FixedRows() && PrintSettings()->FixedCellsAlways()) return true;
    // The row flags map a displayed row to the real one themselves.
    if (MouseActions()->DisjunctRowSelect()) return RowSelect(ARow);
    const TGridRect Sel = Selection();
    return ARow >= Sel.Top && ARow <= Sel.Bottom;
}

bool TZirOvararIzaz::IsColPrinted(Integer ACol) {
    if (!FPrintEngine.SelectedOnly) return true;
    if (MouseActions()->DisjunctRowSelect()) return true;
    if (ACol < FixedCols() && PrintSettings()->FixedCellsAlways()) return true;
    if (MouseActions()->DisjunctColSelect()) return ColSelect(ACol);
    const TGridRect Sel = Selection();
    return ACol >= Sel.Left && ACol <= Sel.Right;
}

TSize TZirOvararIzaz::MeasurePrintCell(Integer RealCol, Integer ARow) {
    const TPrintSettings* S = PrintSettings();
    TPrintEngine& E = FPrintEngine;
    TCanvas* Cv = E.Canvas;
    String Text = HasDataGraphic(RealCol, ARow) ? String() : GetFormattedCell(DisplColIndex(RealCol), ARow);
    TCellTextKind Kind = GetCellTextKind(Text, EnableHTML());
    const Integer DisplCol = DisplColIndex(RealCol);
    const Integer ScreenW = DisplCol < ColCount() ? ColWidths(DisplCol) : 0;
    TSize Size;
    if (Kind == ctHTML) {
        // The markup engine measures in device pixels with the font's points.
        TFont Saved;
        Saved.Assign(Cv->Font());
        Cv->Font()->Assign(S->Font());
        const Integer Mode = winapi::SetMapMode(Cv->Handle(), MM_TEXT);
        TMarkupDrawParams P;
        P.Canvas = Cv;
        P.Text = Text;
        const Integer BoxW = S->NoAutoSize() ? RoundEven((ScreenW + 4) * E.PxScale) : 65535;
        P.Rect = TRect(0, 0, Integer(std::lround(BoxW / 254.0 * std::max(1, SurfacePixelsPerInch(Cv, false)))), 65535);
        P.MeasureOnly = true;
        P.Images = GridImages();
        P.PictureContainer = PictureContainer();
        TMarkupDrawResult R;
        DrawMarkupOnCanvas(P, R);
        winapi::SetMapMode(Cv->Handle(), Mode);
        Cv->Font()->Assign(&Saved);
        const Double ToX = 254.0 / std::max(1, SurfacePixelsPerInch(Cv, false));
        const Double ToY = 254.0 / std::max(1, SurfacePixelsPerInch(Cv, true));
        Size.cx = RoundEven(R.Width * ToX);
        Size.cy = RoundEven(R.Height * ToY) - RoundEven(E.Gap * E.PxScale);
        return Size;
    }
    if (Kind == ctFormula) Text = GetRawCellText(RealCol, ARow);
    // The cell's print look, its font at the page's height.
    TGridDrawState State;
    TBrush Brush;
    TFont Font;
    TColor To = clNone, Mirror = clNone, MirrorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = WordWrap();
    TCellGradientDirection GD{};
    GetVisualProperties(DisplCol, ARow, State, true, false, true, &Brush, To, Mirror, MirrorTo, &Font, HA, VA, WW, GD);
    TFont Saved;
    Saved.Assign(Cv->Font());
    Cv->Font()->Assign(&Font);
    Cv->Font()->SetHeight(MapFontHeight(Font.Size()));
    WW = WordWrap();
    DoGetWordWrap(RealCol, ARow, WW);
    Integer Angle = 0;
    const bool Rotated = IsRotated(RealCol, ARow, Angle);
    // Measured unturned: the turned box follows from the angle below.
    Integer GW = 0, GH = 0;
    if (S->PrintGraphics() && GetCellGraphic(RealCol, ARow)) {
        const TPoint G = CalcCellGraphicSize(Cv, RealCol, ARow, 0, 1.0);
        GW = RoundEven(G.X * E.PxScale);
        GH = RoundEven(G.Y * E.PxScale);
    }
    if (Text.empty()) Text = u"gh";
    const Integer LineH = Cv->TextHeight(u"gh");
    Integer Widest = 0;
    if (WW && S->NoAutoSize() && !Rotated) {
        const Integer W = IsXMergedCell(DisplCol, ARow) ? 65535 : FPrintColWidths[std::size_t(DisplCol)];
        TRect R(0, 0, W, 0);
        winapi::DrawText(Cv->Handle(), Text, R, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        Size.cx = W;
        Size.cy = std::abs(R.Height());
        Widest = W;
    } else {
        Integer Lines = 0;
        String Rest = Text;
        const bool Split = Multilinecells() || WW;
        while (true) {
            String Line;
            if (Split)
                TakeFirstLine(Rest, true, Line);
            else
                std::swap(Line, Rest);
            if (URLShow() && !URLShowInText() && GetCellTextKind(Line, false) == ctURL) StripURLScheme(Line);
            Widest = std::max(Widest, Cv->TextWidth(Line));
            ++Lines;
            if (Rest.empty()) break;
        }
        Size.cx = Widest + GW;
        Size.cy = LineH * Lines;
    }
    if (Rotated) {
        const Double A = Angle * M_PI / 180;
        const Integer W = Size.cx, H = Size.cy;
        Size.cx = std::abs(RoundEven(std::cos(A) * W)) + std::abs(RoundEven(std::sin(A) * H));
        Size.cy = std::abs(RoundEven(std::sin(A) * Widest)) + std::abs(RoundEven(std::cos(A) * H));
    }
    Size.cy = std::max(Size.cy, GH);
    Size.cx = std::max(Size.cx, GW);
    Cv->Font()->Assign(&Saved);
    return Size;
}

void TZirOvararIzaz::CalcPrintColumnWidths() {
    const TPrintSettings* S = PrintSettings();
    TPrintEngine& E = FPrintEngine;
    const TGridRect& R = FPrintRect;
    for (Integer c = R.Left; c <= R.Right; ++c) FPrintColWidths[std::size_t(c)] = 0;
    if (S->NoAutoSize()) {
        for (Integer c = R.Left; c <= R.Right; ++c)
            if (IsColPrinted(c) && ColWidths(c) > 0)
                FPrintColWidths[std::size_t(c)] = RoundEven((ColWidths(c) + 4) * E.PxScale);
        return;
    }
    auto MeasureRow = [&](Integer Row) {
        for (Integer c = R.Left; c <= R.Right; ++c) {
            if (!IsColPrinted(c) || IsXMergedCell(c, Row)) continue;
            const Integer W = S->UseFixedWidth() ? S->FixedWidth() : MeasurePrintCell(RealColIndex(c), Row).cx;
            Integer& Max = FPrintColWidths[std::size_t(c)];
            Max = std::max(Max, W);
        }
    };
    for (Integer r = R.Top; r <= R.Bottom; ++r) MeasureRow(r);
    if (S->RepeatFixedRows())
        for (Integer r = 0; r < FixedRows(); ++r) MeasureRow(r);
}

Integer TZirOvararIzaz::GetPrintRowHeight(Integer ARow) {
    const TPrintSettings* S = PrintSettings();
    TPrintEngine& E = FPrintEngine;
    if (FUseCacheRowHeights && ARow >= 0 && std::size_t(ARow) < FCacheRowHeights.size())
        return FCacheRowHeights[std::size_t(ARow)];
    if (ARow == E.MemoRow) return E.MemoHeight;
    if (S->NoAutoSizeRow()) return RoundEven(RowHeights(ARow) * E.PxScale) + 4;
    Integer H = 0;
    if (S->UseFixedHeight()) {
        H = S->FixedHeight();
    } else {
        Fontscalefactor = E.Scale;
        Integer Last = 0;
        for (Integer c = FPrintRect.Left; c <= FPrintRect.Right; ++c) {
            Last = MeasurePrintCell(RealColIndex(c), ARow).cy;
            if (!IsYMergedCell(c, ARow)) H = std::max(H, Last);
        }
        if (H == 0) H = Last;
        H += H / 8;
        if (OnPrintSetRowHeight) OnPrintSetRowHeight(this, ARow, H);
    }
    E.MemoRow = ARow;
    E.MemoHeight = H;
    if (ARow >= 0) {
        if (FCacheRowHeights.size() <= std::size_t(ARow)) FCacheRowHeights.resize(std::size_t(ARow) + 1, 0);
        FCacheRowHeights[std::size_t(ARow)] = H;
    }
    return H;
}

void TZirOvararIzaz::CalcPrintReserves(bool DrawTitle) {
    const TPrintSettings* S = PrintSettings();
    TPrintEngine& E = FPrintEngine;
    auto Top = [](TPrintPosition P) { return P == ppTopLeft || P == ppTopRight || P == ppTopCenter; };
    auto Bottom = [](TPrintPosition P) { return P == ppBottomLeft || P == ppBottomRight || P == ppBottomCenter; };
    const Integer Lines = S->TitleLines()->Count();
    if (Top(S->Time()) || Top(S->Date()) || Top(S->PageNr()) || Top(S->Title())) {
        E.HdrRes = E.Gap + E.HdrLine + E.HdrSize;
        if (Lines > 0 && Top(S->Title())) {
            const Integer T = DrawTitle ? PrintHeaderFooter() : 0;
            if (T != 0 && (E.Pass == ppsPrint || E.Pass == ppsCountPrint))
                E.HdrRes += T + E.HdrSize;
            else
                E.HdrRes += (Lines - 1) * E.HdrLine;
        }
    } else {
        E.HdrRes = E.HdrSize;
    }
    if (Bottom(S->Time()) || Bottom(S->Date()) || Bottom(S->PageNr()) || Bottom(S->Title())) {
        E.FtrRes = 2 * (E.Gap + E.FtrLine) + E.FtrSize;
        if (Lines > 0 && Bottom(S->Title())) E.FtrRes += (Lines - 1) * E.FtrLine;
    } else {
        E.FtrRes = E.Gap + E.FtrLine + E.FtrSize;
    }
}

Integer TZirOvararIzaz::PrintPages(TCanvas* Canvas, Integer Pass, Integer Total, bool SelectedOnly) {
    const TPrintSettings* S = PrintSettings();
    TPrintEngine& E = FPrintEngine;
    E = TPrintEngine{};
    E.Canvas = Canvas;
    E.Pass = Pass;
    E.SelectedOnly = SelectedOnly;
    FPrintRun = TPrintRunState{};
    FPrintRun.Total = Total;
    winapi::HDC DC = Canvas->Handle();
    winapi::SetMapMode(DC, MM_TEXT);
    FPrintColWidths.resize(std::size_t(AllColCount()) + 1, 0);
    FPrintColOffsets.resize(std::size_t(AllColCount()) + 1, 0);
    winapi::SetMapMode(DC, MM_LOMETRIC);
    Fontscalefactor = 1.0;

    // The surface's own font, pen and brush come back at the end.
    TFont SavedFont;
    TPen SavedPen;
    TBrush SavedBrush;
    SavedFont.Assign(Canvas->Font());
    SavedPen.Assign(Canvas->Pen());
    SavedBrush.Assign(Canvas->Brush());
    struct TRestore {
        TZirOvararIzaz* G;
        TCanvas* Cv;
        TFont& F;
        TPen& P;
        TBrush& B;
        ~TRestore() {
            Cv->Font()->Assign(&F);
            Cv->Pen()->Assign(&P);
            Cv->Brush()->Assign(&B);
            G->Fontscalefactor = 1.0;
        }
    } Restore{this, Canvas, SavedFont, SavedPen, SavedBrush};

    // The frame pen of the page.
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(S->BorderStyle());
    Canvas->Pen()->SetWidth(S->Borders() == pbDouble ? 10 : 2);

    const Integer GridPPI = SurfacePixelsPerInch(TCustomControl::Canvas(), false);
    E.PxScale = 254.0 / (GridPPI > 0 ? GridPPI : 96);
    const Integer SurfacePPI = SurfacePixelsPerInch(Canvas, false);
    E.DevRatio = GridPPI > 0 && SurfacePPI > 0 ? Double(SurfacePPI) / GridPPI : 1.0;

    E.HdrLine = LineHeight(Canvas, S->HeaderFont(), MapFontHeight(S->HeaderFont()->Size()));
    E.FtrLine = LineHeight(Canvas, S->FooterFont(), MapFontHeight(S->FooterFont()->Size()));
    E.Gap = LineHeight(Canvas, S->Font(), MapFontHeight(S->Font()->Size())) / 8;
    E.HalfG = Canvas->TextWidth(u"g") / 2;

    // The page.
    if (Pass == ppsPreview || Pass == ppsCountPreview) {
        TPoint Corners[2] = {PrevRect.TopLeft(), PrevRect.BottomRight()};
        winapi::DPtoLP(DC, Corners, 2);
        const TPoint A = Corners[0], B = Corners[1];
        E.PageW = B.X - A.X;
        E.PageH = -(B.Y - A.Y);
    } else if (Pass == ppsPrint) {
        TRect Clip;
        winapi::GetClipBox(DC, Clip);
        E.PageW = Clip.Width();
        E.PageH = -std::min(Clip.Top, Clip.Bottom);
    } else {
        E.PageW = PrevRect.Width();
        E.PageH = PrevRect.Height();
    }
    FPrintPageRect = TRect(0, 0, E.PageW, -E.PageH);

    const TGridRect Range = FPrintRect;
    E.Spacing = S->UseFixedWidth() || S->NoAutoSize() ? 0 : S->ColumnSpacing() + 20;
    E.Scale = 1.0;
    CalcPrintColumnWidths();
    auto SumWidths = [&](bool PrintedOnly) {
        Integer T = 0;
        for (Integer c = Range.Left; c <= Range.Right; ++c)
            if (!PrintedOnly || IsColPrinted(c)) T += FPrintColWidths[std::size_t(c)] + E.Spacing;
        return T;
    };
    Integer TotalW = SumWidths(true);

    if (S->FitToPage() != fpNever) {
        const Integer Fixed = std::max(0, Range.Right - Range.Left + 1) * E.Spacing;
        if (TotalW != Fixed)
            E.Scale = Double(E.PageW - S->RightSize() - S->LeftSize() - Fixed) / Double(TotalW - Fixed);
        if (S->FitToPage() == fpShrink && E.Scale > 1) E.Scale = 1;
        if (S->FitToPage() == fpGrow && E.Scale < 1) E.Scale = 1;
        if (E.Scale != 1 && S->FitToPage() == fpCustom) {
            bool Allow = true;
            if (OnFitToPage) OnFitToPage(this, E.Scale, Allow);
            if (!Allow) E.Scale = 1;
        }
        if (E.Scale != 1) {
            for (Integer c = Range.Left; c <= Range.Right; ++c) {
                Integer& W = FPrintColWidths[std::size_t(c)];
                W = Integer(std::trunc(W * E.Scale));
            }
            TotalW = SumWidths(false);
            E.HdrLine = RoundEven(E.HdrLine * E.Scale);
        }
    }
    if (OnPrintSetColumnWidth) {
        for (Integer c = Range.Left; c <= Range.Right; ++c) OnPrintSetColumnWidth(this, c, FPrintColWidths[std::size_t(c)]);
        TotalW = SumWidths(true);
    }
    (void)TotalW;

    const Integer ExportState = Range.Top <= FixedRows() && Range.Bottom >= RowCount() - 1 - FixedFooters()
                                    ? esExportNewRow
                                    : esExportSelRow;
    bool Stop = false;
    E.ColStart = E.ColEnd = Range.Left;
    while (E.ColEnd <= Range.Right && !Stop) {
        FPrintRun.ColPage += E.ColStart == Range.Left ? 0 : 1;
        FPrintRun.RowPage = 0;
        const Integer First = E.ColEnd;
        E.RepeatCols = FixedCols() > 0 && S->RepeatFixedCols() && (Range.Left < E.ColEnd || FixedCols() < Range.Left);
        Integer FixedW = 0;
        if (E.RepeatCols)
            for (Integer c = 0; c < FixedCols(); ++c) FixedW += FPrintColWidths[std::size_t(c)] + E.Spacing;
        // Fill the page width: a column page holds at least one column, and
        // a column wider than the page is clipped at its edge.
        Integer X = FixedW;
        const Integer Limit = E.PageW - S->RightSize();
        while (E.ColEnd <= Range.Right) {
            const Integer Next = X + FPrintColWidths[std::size_t(E.ColEnd)] + E.Spacing;
            if (Next > Limit && E.ColEnd > First) break;
            X = Next;
            ++E.ColEnd;
        }
        --E.ColEnd; // the last column that went in
        E.ColEnd = std::min(E.ColEnd, Range.Right);
        if (E.ColEnd < Range.Right) FPrintRun.MultiColPages = true;
        FPrintPageWidth = X;

        std::vector<Integer>& Ind = FPrintColOffsets;
        const std::vector<Integer>& MW = FPrintColWidths;
        Ind[std::size_t(E.ColStart)] = Ind[0] = S->Centered() ? 0 : S->LeftSize();
        for (Integer c = E.ColStart; c <= E.ColEnd; ++c)
            Ind[std::size_t(c) + 1] = Ind[std::size_t(c)] + (IsColPrinted(c) ? MW[std::size_t(c)] + E.Spacing : 0);
        FPrintColStart = E.ColStart;
        FPrintColEnd = E.ColEnd;
        if (E.RepeatCols)
            for (Integer c = 1; c < FixedCols(); ++c)
                Ind[std::size_t(c)] = Ind[std::size_t(c) - 1] + MW[std::size_t(c) - 1] + E.Spacing;
        if (S->Centered() && X < E.PageW) {
            const Integer Off = (E.PageW - X) / 2;
            for (Integer c = E.ColStart; c <= E.ColEnd + 1; ++c) Ind[std::size_t(c)] += Off;
            if (E.RepeatCols)
                for (Integer c = 0; c <= FixedCols(); ++c)
                    if (c < E.ColStart) Ind[std::size_t(c)] += Off;
        }
        for (Integer c = E.ColStart; c <= E.ColEnd + 1; ++c) Ind[std::size_t(c)] += FixedW;

        E.HdrSize = S->ScaleHeader() ? RoundEven(S->HeaderSize() * E.Scale) : S->HeaderSize();
        E.FtrSize = S->ScaleFooter() ? RoundEven(S->FooterSize() * E.Scale) : S->FooterSize();
        // The first page's header is drawn with the first row.
        CalcPrintReserves(false);

        Integer Row = Range.Top;
        if (E.Draws() && OnPrintPage) OnPrintPage(this, Canvas, FPrintRun.PageNr + 1, E.PageW, -E.PageH);
        Integer Y = 0, RowsOnPage = 0;
        bool Ended = false;
        auto PrintLine = [&](Integer R) {
            Integer Advance = 0;
            if (E.RepeatCols) PrintRow(Y, 0, FixedCols() - 1, R);
            Advance = PrintRow(Y, E.ColStart, E.ColEnd, R);
            Y += Advance;
        };
        while (Row <= Range.Bottom && !Stop) {
            ExportNotification(ExportState, Row);
            if (RowsOnPage == 0) {
                if (OnPrintPageTopBottomSize)
                    OnPrintPageTopBottomSize(this, Canvas, FPrintRun.PageNr + 1, E.HdrRes, E.FtrRes);
                Y = E.HdrRes;
                PrintHeaderFooter();
                Y += RoundEven(S->TitleSpacing() * E.Scale);
                if (Row > 0 && S->RepeatFixedRows() && FixedRows() > 0 &&
                    (FPrintRun.PageNr > 0 || Range.Top >= FixedRows())) {
                    for (Integer r = 0; r < FixedRows(); ++r) PrintLine(r);
                    ++RowsOnPage;
                }
            }
            if (IsRowPrinted(Row)) {
                GetPrintRowHeight(Row);
                PrintLine(Row);
            }
            ++Row;
            const Integer H = Row < RowCount() ? GetPrintRowHeight(Row) : 0;
            ++RowsOnPage;
            bool NewPage = false;
            if (OnPrintNewPage) OnPrintNewPage(this, Row, NewPage);
            const bool Full = Y + H > E.PageH - E.FtrRes;
            if (E.Draws() && (Row > Range.Bottom || Full || NewPage)) {
                if (OnPrintPageDone)
                    OnPrintPageDone(this, Canvas, Row, -Y, FPrintRun.PageNr + 1, E.PageW, -E.PageH);
                bool Cancel = false;
                if (OnPrintCancel) OnPrintCancel(this, FPrintRun.PageNr + 1, Cancel);
                if (Cancel) Stop = true;
            }
            // A page break only when a row remains: no empty page at the end.
            if (!Stop && Row <= Range.Bottom && (Full || NewPage)) {
                FinishPrintPage(E.ColStart, E.ColEnd, Y);
                RowsOnPage = 0;
                // A fast print ends after the last page asked for.
                if (FFastPrint && FPrintRun.PageNr + 1 >= FPrintPageTo) {
                    Stop = Ended = true;
                    break;
                }
                StartNextPrintPage();
                ++FPrintRun.PageNr;
                ++FPrintRun.RowPage;
                CalcPrintReserves(false);
            }
        }
        if (!Ended) FinishPrintPage(E.ColStart, E.ColEnd, Y);
        E.ColStart = E.ColEnd = E.ColEnd + 1;
        if (E.ColEnd <= Range.Right && !Stop) StartNextPrintPage();
        ++FPrintRun.PageNr;
    }
    const Integer Pages = FPrintRun.PageNr;
    if (OnPrintDone) OnPrintDone(this);
    return Pages;
}
