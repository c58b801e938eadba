// A cell's text alignment and the room its text needs with the cell's font,
// shared by painting, printing, exporting, auto-sizing and hints; and the
// small measures of rows and columns the printer and exporters use.

#include "grid/ZirOvararIzaz.h"

#include "graphics/Canvas.h"
#include "graphics/GdiText.h"
#include "gridbase/MarkupRenderer.h"
#include "gridbase/RarEvad.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/RichEdit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Integer UnboundedEdge = 65535;
constexpr Integer ButtonRoom = 17;

bool IsDropDownEditor(TEditorType E) {
    return E == edComboEdit || E == edComboList || E == edEditBtn || (E >= edTrackbarDropDown && E <= edKelGridDropDown);
}

} // namespace

void TZirOvararIzaz::ResolveAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    HAlign = DefaultAlignment();
    VAlign = VAlignment();
    String Text = Cells(ACol, ARow);
    const bool Formula = !Text.empty() && Text[0] == u'=';
    if (AutoNumAlign()) {
        if (!Text.empty()) {
            if (Formula || (Text.size() > 3 && Text[0] == u'|' && Text[1] == u'\\' && Text[3] == u'='))
                Text = GetRawCellText(ACol, ARow);
            Text = Trim(Text);
            const TValueKind Kind = Text.empty() ? vkText : DetectValueKind(Text);
            if (Kind == vkInteger || Kind == vkFloat || Kind == vkScientific) HAlign = taRightJustify;
        }
    } else if (!Formula) {
        if (const TCellProperties* Props = RecordOf(ACol, ARow)) {
            HAlign = Props->Alignment();
            VAlign = Props->VAlignment();
        }
    }
    DoGetAlignment(ACol, ARow, HAlign, VAlign);
}

TSize TZirOvararIzaz::GetCellTextSize(Integer ACol, Integer ARow, bool VS, bool SB) {
    return CalcCellTextSizeEx(ACol, RealToDisplColumn(ACol), ARow, false, VS, SB);
}

TSize TZirOvararIzaz::CalcCellTextSize(Integer ACol, Integer RealCol, Integer ARow, bool ForWidth, bool WordWrap) {
    return CalcCellTextSizeEx(RealCol, ACol, ARow, ForWidth, WordWrap, false);
}

TSize TZirOvararIzaz::CalcCellTextSizeEx(Integer ACol, Integer DisplayCol, Integer ARow, bool Unbounded, bool VS,
                                         bool SB) {
    TCanvas* C = Canvas();
    const bool EditingThis = EditorMode() && Col() == DisplayCol && Row() == ARow;

    // The text: the editor's while this cell is edited.
    String Text;
    if (EditingThis)
        Text = InplaceEditor() ? InplaceEditor()->Text() : GetFormattedCell(ACol, ARow);
    else
        Text = GetFormattedCell(ACol, ARow);
    const TCellTextKind Kind = GetCellTextKind(Text, EnableHTML());

    // The font.
    TGridDrawState State;
    GetFontProperties(DisplayCol, ACol, ARow, State, C->Font(), C->Brush(), false);
    if ((ARow < FixedRows() || DisplayCol < FixedCols()) && ActiveCellShow() &&
        ActiveCellFont()->Style().Contains(fsBold)) {
        TFontStyles S = C->Font()->Style();
        S.Include(fsBold);
        C->Font()->SetStyle(S);
    }
    if (ZoomFactor() != 0) {
        const Integer Size = C->Font()->Size() + ZoomFactor();
        C->Font()->SetSize(Size == 0 ? 1 : Size);
    }
    if (Kind == ctFormula) Text = GetRawCellText(ACol, ARow);

    // The room the text has.
    TRect R = CellRect(DisplayCol, ARow);
    const TPoint XY = XYOffset();
    R.Left += XY.X + 1;
    R.Top += XY.Y + 1;
    if (!XYOffsetTopLeftOnly()) {
        R.Right -= XY.X + 1;
        R.Bottom -= XY.Y;
    }
    if (SB) R.Right -= ButtonRoom;
    TControlLook* CL = ControlLook();
    if (CL->DropDownAlwaysVisible() || CL->SpinButtonsAlwaysVisible()) {
        TEditorType E = DefaultEditor();
        DoGetEditorType(ACol, ARow, E);
        if ((CL->DropDownAlwaysVisible() && IsDropDownEditor(E)) ||
            (CL->SpinButtonsAlwaysVisible() && (E == edSpinEdit || E == edFloatSpinEdit)))
            R.Right -= Integer(Round(ButtonRoom * Double(DPIScale())));
    }

    // Markup.
    if (Kind == ctHTML) {
        if (Unbounded) R.Right = UnboundedEdge;
        R.Bottom = UnboundedEdge;
        TMarkupDrawParams P;
        P.Canvas = C;
        P.Text = Text;
        P.Rect = R;
        P.Images = GetCellImageList(ACol, ARow);
        P.PictureContainer = PictureContainer();
        P.PictureCache = PictureCache();
        P.OwnerWindow = HandleAllocated() ? Handle() : nullptr;
        P.MeasureOnly = true;
        P.AnchorColor = URLColor();
        P.ImageScale = DPIScale();
        P.ControlScale = DPIScale();
        P.StretchImages = !EnhTextSize();
        P.BiDiMode = Byte(BiDiMode());
        TMarkupDrawResult Result;
        DrawMarkupOnCanvas(P, Result);
        return TSize(Result.Width + 2, Result.Height + 2);
    }

    // Rich text is measured as its plain text in the rich text's font.
    if (Kind == ctRTF) {
        TRichEdit* Rich = RichEdit();
        Rich->Clear();
        Rich->SetWordWrap(false);
        CellToRich(ACol, ARow, Rich);
        C->Font()->SetName(Rich->SelAttributes()->Name());
        C->Font()->SetSize(Rich->SelAttributes()->Size());
        C->Font()->SetStyle(Rich->SelAttributes()->Style());
        Text = Rich->Text();
    }

    Integer Angle = 0;
    const bool Rotated = IsRotated(ACol, ARow, Angle);

    TSize Size(0, 0);
    if (VS) {
        if (EditingThis && !Text.empty() && Text.back() == u'\n') Text += u"w";
        if (Unbounded) R.Right = UnboundedEdge;
        if (URLShow() && !URLFull()) StripURLScheme(Text);
        if (!Text.empty()) {
            const Cardinal Flags = DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL |
                                   (Rotated ? DT_SINGLELINE : DT_WORDBREAK);
            Size.cy = winapi::DrawText(C->Handle(), Text, R, Flags);
            Size.cx = R.Right - R.Left;
        }
    } else if (!Text.empty()) {
        String Rest = Text;
        Integer Lines = 0;
        while (!Rest.empty()) {
            String Line;
            if (Multilinecells()) {
                TakeFirstLine(Rest, true, Line);
            } else {
                Line = Rest;
                Rest.clear();
            }
            if (Kind == ctPlain && URLShow() && !URLFull()) StripURLScheme(Line);
            Size.cx = std::max(Size.cx, C->TextWidth(Line));
            ++Lines;
        }
        Size.cy = Lines * C->TextHeight(u"gh");
    }

    if (Rotated) {
        const Double A = Angle * M_PI / 180.0;
        const Double S = std::sin(A), Co = std::cos(A);
        const Double W = Size.cx, H = Size.cy;
        const Integer NW = std::abs(std::abs(Integer(Trunc(H * S))) - std::abs(Integer(Trunc(W * Co)))) + 12;
        const Integer NH = std::abs(std::abs(Integer(Trunc(H * Co))) - std::abs(Integer(Trunc(W * S)))) + 12;
        Size = TSize(NW, NH);
    }

    // Rich text needs at least what the rich edit asks for its content.
    if (Kind == ctRTF) {
        TRichEdit* Rich = RichEdit();
        Rich->SetBounds(0, 0, Unbounded ? R.Right - R.Left : 1024, R.Bottom - R.Top);
        Rich->SetWordWrap(true);
        Rich->SetWordWrap(false);
        Rich->SetWordWrap(WordWrap());
        const TSize Content = Rich->ContentSize();
        // A wrapping rich edit asks for its whole client width, which says
        // nothing of the text's own width.
        if (!Rich->WordWrap()) Size.cx = std::max(Size.cx, Content.cx);
        Size.cy = std::max(Size.cy, Content.cy + 4);
    }
    return Size;
}

Integer TZirOvararIzaz::MaxLinesInRow(Integer ARow) {
    if (ColCount() == 0 || !Multilinecells()) return 1;
    Integer Most = 1;
    for (Integer c = 0; c < ColCount(); ++c)
        Most = std::max(Most, CountTextLines(Cells(RealColIndex(c), ARow), true));
    return Most;
}

Integer TZirOvararIzaz::MaxColumnTextLength(Integer ACol) {
    Integer Longest = 0;
    for (Integer r = 0; r < RowCount(); ++r) {
        String Rest;
        SaveCell(ACol, r, Rest);
        while (!Rest.empty()) {
            String Line;
            TakeFirstLine(Rest, true, Line);
            Longest = std::max(Longest, Integer(Line.size()));
            if (!Multilinecells()) break;
        }
    }
    return Longest;
}
