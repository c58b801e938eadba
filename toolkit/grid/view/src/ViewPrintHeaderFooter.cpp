// The texts around the cells of a printed page: the page number and the six
// header and footer slots with the time, the date, the page number and the
// title; the font-size mapping of the page.

#include "grid/ZirOvararIzaz.h"
#include "gridbase/RarEvad.h"
#include "gridbase/MarkupRenderer.h"
#include "graphics/DeviceContext.h"
#include "rtl/Convert.h"

#include <cmath>

Integer TZirOvararIzaz::MapFontHeight(Integer PointSize) const {
    return -Integer(std::trunc(Double(PointSize) * 254 / 72 * Fontscalefactor));
}

Integer TZirOvararIzaz::MapFontSize(Integer Height) const { return Integer(std::trunc(Double(Height) * 72 / 254)); }

String TZirOvararIzaz::JoinWithSpace(const String& A, const String& B) {
    if (A.empty()) return B;
    if (B.empty()) return A;
    return A + u" " + B;
}

String TZirOvararIzaz::GetPageNumberText() {
    const TPrintSettings* S = PrintSettings();
    const TPrintRunState& Run = FPrintRun;
    String Text;
    Integer PageNum = 0;
    if (Run.MultiColPages) {
        Text = IntToStr(Run.RowPage + 1) + u"-" + IntToStr(Run.ColPage);
        PageNum = Run.RowPage + 1;
    } else {
        Text = IntToStr(Run.PageNr + S->PageNumberOffset() + 1);
        if (!S->PageNumSep().empty() && Run.Total > 1)
            Text += S->PageNumSep() + IntToStr(Run.Total + S->MaxPagesOffset());
        PageNum = Run.PageNr + 1;
    }
    DoPrintGetPageNum(PageNum, Run.ColPage, Text);
    return Text;
}

TZirOvararIzaz::THeaderFooterTexts TZirOvararIzaz::BuildHeaderFooterTexts(TDateTime ANow) {
    const TPrintSettings* S = PrintSettings();
    THeaderFooterTexts Result;
    auto Slot = [&](TPrintPosition Pos) -> String* {
        return Pos >= ppTopLeft && Pos <= ppBottomCenter ? &Result.Slots[std::size_t(Pos) - 1] : nullptr;
    };
    auto IsLeft = [](TPrintPosition Pos) { return Pos == ppTopLeft || Pos == ppBottomLeft; };
    // An item goes before the text of a left slot and after the text of the
    // others, with one blank between even when the slot was empty.
    auto Put = [&](TPrintPosition Pos, const String& Item) {
        if (String* T = Slot(Pos)) *T = IsLeft(Pos) ? Item + u" " + *T : *T + u" " + Item;
    };
    Put(S->Time(), FormatDateTime(u"hh:nn", ANow));
    Put(S->Date(), FormatDateTime(S->DateFormat(), ANow));
    if (Slot(S->PageNr())) Put(S->PageNr(), S->PagePrefix() + u" " + GetPageNumberText() + u" " + S->PageSuffix());
    if (String* T = Slot(S->Title())) {
        const bool Left = IsLeft(S->Title());
        if (!S->TitleText().empty()) {
            *T = T->empty() ? S->TitleText() : Left ? S->TitleText() + u" " + *T : *T + u" " + S->TitleText();
        } else if (S->TitleLines()->Count() > 0) {
            const String Joined = JoinListLines(*S->TitleLines());
            if (GetCellTextKind(Joined, EnableHTML()) == ctHTML)
                Result.MarkupTitle = Joined;
            else
                *T = Left ? JoinWithSpace(S->TitleLines()->Strings(0), *T)
                          : JoinWithSpace(*T, S->TitleLines()->Strings(0));
        }
    }
    return Result;
}

namespace {
// The x of a slot's text of width W on a page of width PageW: the left slots
// at the left margin, the right slots ending 2 mm inside the right margin,
// the centre slots centred.
Integer SlotX(TPrintPosition Pos, Integer W, Integer PageW, const TPrintSettings* S) {
    if (Pos == ppTopLeft || Pos == ppBottomLeft) return S->LeftSize();
    if (Pos == ppTopRight || Pos == ppBottomRight) return PageW - W - S->RightSize() - 20;
    return (PageW - W) / 2;
}
} // namespace

Integer TZirOvararIzaz::PrintHeaderFooter() {
    if (!PrintPageDrawn()) return 0;
    const TPrintSettings* S = PrintSettings();
    TPrintEngine& E = FPrintEngine;
    TCanvas* Cv = E.Canvas;
    Fontscalefactor = E.Scale;
    const THeaderFooterTexts Texts = BuildHeaderFooterTexts(PrintTime());
    TFont SavedFont;
    TBrush SavedBrush;
    SavedFont.Assign(Cv->Font());
    SavedBrush.Assign(Cv->Brush());
    Cv->Brush()->SetStyle(bsClear);
    const TPrintPosition TitlePos = S->TitleText().empty() ? S->Title() : ppNone;
    const Integer TitleLines = S->TitleLines()->Count();
    Integer Result = 0;

    // Draws the markup title in the box (0.1 mm, distances below the top)
    // in the device mapping; answers its height in 0.1 mm.
    auto DrawMarkupTitle = [&](const TFont* Font, TRect Box) {
        winapi::HDC DC = Cv->Handle();
        TPoint P[2] = {TPoint(Box.Left, -Box.Top), TPoint(Box.Right, -Box.Bottom)};
        winapi::LPtoDP(DC, P, 2);
        const Integer Mode = winapi::SetMapMode(DC, MM_TEXT);
        Cv->Font()->Assign(Font);
        TMarkupDrawParams MP;
        MP.Canvas = Cv;
        MP.Text = Texts.MarkupTitle;
        MP.Rect = TRect(P[0].X, P[0].Y, P[1].X, P[1].Y);
        MP.Images = GridImages();
        MP.PictureContainer = PictureContainer();
        MP.AnchorColor = URLColor();
        MP.ImageScale = E.DevRatio;
        TMarkupDrawResult R;
        DrawMarkupOnCanvas(MP, R);
        winapi::SetMapMode(DC, Mode);
        const Integer PPI = winapi::GetDeviceCaps(DC, LOGPIXELSY);
        return Integer(std::lround(Double(R.Height) * 254 / (PPI > 0 ? PPI : 96)));
    };
    auto DrawSlots = [&](TPrintPosition From, Integer Top, const TFont* Font) {
        Cv->Font()->Assign(Font);
        Cv->Font()->SetHeight(MapFontHeight(Font->Size()));
        const Integer LineH = Cv->TextHeight(u"gh");
        Integer Extra = 0;
        for (Integer i = 0; i < 3; ++i) {
            const TPrintPosition Pos = TPrintPosition(Integer(From) + i);
            const String& T = Texts.Slots[std::size_t(Pos) - 1];
            if (!T.empty()) Cv->TextOut(SlotX(Pos, Cv->TextWidth(T), E.PageW, S), -Top, T);
            // The further lines of a title below its first line.
            if (Pos == TitlePos && TitleLines > 1 && Texts.MarkupTitle.empty())
                for (Integer l = 1; l < TitleLines; ++l) {
                    const String& Line = S->TitleLines()->Strings(l);
                    Extra += LineH;
                    Cv->TextOut(SlotX(Pos, Cv->TextWidth(Line), E.PageW, S), -(Top + Extra), Line);
                }
        }
        return Extra;
    };
    const bool TitleTop = TitlePos == ppTopLeft || TitlePos == ppTopRight || TitlePos == ppTopCenter;
    const Integer HeaderExtra = DrawSlots(ppTopLeft, E.HdrSize, S->HeaderFont());
    if (TitleTop) Result = HeaderExtra;
    if (TitleTop && !Texts.MarkupTitle.empty())
        Result = DrawMarkupTitle(S->HeaderFont(), TRect(S->LeftSize(), E.HdrSize, E.PageW - S->RightSize() - 20,
                                                       E.HdrSize + E.PageH));
    const Integer FooterTop = E.PageH - E.FtrSize - E.Gap - E.FtrLine;
    DrawSlots(ppBottomLeft, FooterTop, S->FooterFont());
    if (!TitleTop && TitlePos != ppNone && !Texts.MarkupTitle.empty())
        DrawMarkupTitle(S->FooterFont(), TRect(S->LeftSize(), E.PageH - S->FooterSize(), E.PageW, E.PageH));
    Cv->Font()->Assign(&SavedFont);
    Cv->Brush()->Assign(&SavedBrush);
    return Result;
}

void TZirOvararIzaz::FinishPrintPage(Integer ColStart, Integer ColEnd, Integer Y) {
    if (!PrintPageDrawn()) return;
    const TPrintSettings* S = PrintSettings();
    const TPrintEngine& E = FPrintEngine;
    TCanvas* Cv = E.Canvas;
    const std::vector<Integer>& Ind = FPrintColOffsets;
    const Integer Top = E.HdrRes + Integer(std::nearbyint(S->TitleSpacing() * E.Scale));
    const Integer Bottom = Y - E.Gap / 2;
    const Integer Left = Ind[std::size_t(E.RepeatCols ? 0 : ColStart)];
    const Integer Right = Ind[std::size_t(ColEnd) + 1];
    auto Line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
        Cv->MoveTo(X1, -Y1);
        Cv->LineTo(X2, -Y2);
    };
    auto Rect = [&] {
        Line(Left, Top, Right, Top);
        Line(Right, Top, Right, Bottom);
        Line(Right, Bottom, Left, Bottom);
        Line(Left, Bottom, Left, Top);
    };
    auto FixedVerticals = [&] {
        if (!E.RepeatCols) return;
        for (Integer c = 0; c < FixedCols(); ++c) Line(Ind[std::size_t(c)], Top, Ind[std::size_t(c)], Bottom);
    };
    switch (S->Borders()) {
    case pbAround: Rect(); break;
    case pbAroundVertical:
        Rect();
        FixedVerticals();
        break;
    case pbAroundHorizontal:
        Rect();
        Line(Left, Bottom, Right, Bottom);
        break;
    case pbDouble:
        Line(Left, Bottom, Right, Bottom);
        FixedVerticals();
        break;
    case pbHorizontal: Line(Left, Bottom, Right, Bottom); break;
    case pbVertical: FixedVerticals(); break;
    default: break;
    }
}

void TZirOvararIzaz::StartNextPrintPage() {
    TPrintEngine& E = FPrintEngine;
    const Integer Next = FPrintRun.PageNr + 2;
    if (Next < FPrintPageFrom || Next > FPrintPageTo) return;
    if (E.Pass == ppsPrint && FPrintRun.PageNr + 1 >= FPrintPageFrom) {
        NewPrintSheet();
        // A new sheet starts in the device mapping.
        winapi::SetMapMode(E.Canvas->Handle(), MM_LOMETRIC);
    }
    if (E.Draws() && OnPrintPage) OnPrintPage(this, E.Canvas, Next, E.PageW, -E.PageH);
}
