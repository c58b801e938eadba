// The grid's reaction to a change of scale, the conversion of a cell's text
// to a number with a located error, and the tool-bar pop-up it may hold.

#include "grid/ZirOvararIzaz.h"

#include "grid/GridError.h"
#include "gridbase/ControlScale.h"
#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "rtl/ClassBuilder.h"

#include <vector>

const TClassInfo& TKelGridPopup::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGridPopup, TComponent>().Build();
    return Info;
}

void TZirOvararIzaz::SetPopupToolBar(TKelGridPopup* Value) {
    if (FPopupToolBar == Value) return;
    if (FPopupToolBar) FPopupToolBar->RemoveFreeNotification(this);
    FPopupToolBar = Value;
    if (Value) Value->FreeNotification(this);
}

void TZirOvararIzaz::Notification(TComponent* AComponent, TOperation Operation) {
    TZirOvararIzazInput::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupToolBar) FPopupToolBar = nullptr;
}

void TZirOvararIzaz::HandleChangeScale(Integer M, Integer D, bool IsDpiChange) {
    if ((M == 1 && D == 1) || D == 0) {
        TZirOvararIzazInput::ChangeScale(M, D);
        return;
    }
    std::vector<Integer> Widths, Heights;
    for (Integer c = 0; c < ColCount(); ++c) Widths.push_back(ColWidths(c));
    for (Integer r = 0; r < RowCount(); ++r) Heights.push_back(RowHeights(r));
    const Integer DefHeight = DefaultRowHeight(), MinHeight = MinRowHeight(), MaxHeight = MaxRowHeight();

    TZirOvararIzazInput::ChangeScale(M, D);

    for (Integer c = 0; c < Integer(Widths.size()) && c < ColCount(); ++c) SetColWidths(c, MulDiv(Widths[c], M, D));
    if (IsDpiChange)
        for (Integer c = 0; c < AllColCount(); ++c)
            for (Integer r = 0; r < RowCount(); ++r)
                if (HasCellProperties(c, r))
                    if (TCellProperties* Props = RecordOf(c, r))
                        Props->SetFontSize(MulDiv(Props->FontSize(), M, D));

    SetDPIScaleValue(GetControlDPIScale(this));
    if (IsDpiChange && !IsDesigning()) FixedFont()->SetHeight(MulDiv(FixedFont()->Height(), M, D));

    SetDefaultRowHeight(MulDiv(DefHeight, M, D));
    SetMinRowHeight(MulDiv(MinHeight, M, D));
    SetMaxRowHeight(MulDiv(MaxHeight, M, D));
    for (Integer r = 0; r < Integer(Heights.size()) && r < RowCount(); ++r) SetRowHeights(r, MulDiv(Heights[r], M, D));

    if (SearchFooter()->Visible()) UpdateSearchPanel();
    if (OnChangeScale) OnChangeScale(this, DPIScale());
}

Double TZirOvararIzaz::CellToReal(Integer ACol, Integer ARow) {
    const String Text = Cells(ACol, ARow);
    if (Text.empty()) return 0;
    // The displayed number in "." notation: negative in brackets or with a
    // leading "-", leading characters that start no number and thousand
    // separators dropped. Whatever follows the number stays, so that it is
    // reported.
    String T = Trim(Text);
    bool Negative = false;
    if (T.size() >= 2 && T.front() == u'(' && T.back() == u')') {
        Negative = true;
        T = T.substr(1, T.size() - 2);
    }
    const Char Dec = GetDecimalSeparator(), Thousand = GetThousandSeparator();
    size_t Start = 0;
    while (Start < T.size() && !(T[Start] >= u'0' && T[Start] <= u'9') && T[Start] != Dec) {
        if (T[Start] == u'-') Negative = true;
        ++Start;
    }
    String N = Negative ? u"-" : u"";
    for (size_t i = Start; i < T.size(); ++i) {
        if (T[i] == Thousand && Thousand != Dec) continue;
        N += T[i] == Dec ? u'.' : T[i];
    }
    Double Value = 0;
    Integer Code = 0;
    Val(N, Value, Code);
    if (Code != 0) {
        // The position in the number as read, without the sign added here.
        const Integer Pos = Negative ? Code - 1 : Code;
        throw EKelGridError(u"Error at position: " + IntToStr(Pos) + u" in Cell [" + IntToStr(ACol) + u", " +
                            IntToStr(ARow) + u"].");
    }
    return Value;
}
