// The texts around the cells of a printed page: the page number and the six
// header and footer slots with the time, the date, the page number and the
// title; the font-size mapping of the page.

#include "grid/ZirOvararIzaz.h"
#include "gridbase/RarEvad.h"
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
    if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, Run.ColPage, Text);
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
