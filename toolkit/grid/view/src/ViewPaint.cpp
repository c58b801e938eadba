// The window-level painting around the cells: the paint override, the
// background where no cell is, the one-pixel border in the non-client area,
// the dotted lines that follow the mouse while a column or row is sized or
// moved, and the small operations that hide overlays or open the editor of
// a fixed cell.

#include "grid/ZirOvararIzaz.h"

#include "dropdown/KelDropDownRoutines.h"
#include "graphics/Canvas.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiObjects.h"
#include "grid/BackGround.h"
#include "grid/FloatingFooter.h"
#include "grid/GridError.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace ZirOvararIzaz;

void TZirOvararIzaz::Paint() {
    // No platform visual styles here: the style background never applies.
    FStyleBkg = false;
    Canvas()->Pen()->SetStyle(psSolid);
    Canvas()->Brush()->SetStyle(bsSolid);
    TZirOvararIzazInput::Paint();
    if (EditMode()) {
        const bool Lines = Options().Contains(goHorzLine) || Options().Contains(goVertLine);
        Canvas()->Pen()->SetColor(GridLineWidth() > 0 && Lines ? GridLineColor() : Color());
        Canvas()->Brush()->SetStyle(bsClear);
        Canvas()->Rectangle(CellRect(Col(), Row()));
        Canvas()->Brush()->SetStyle(bsSolid);
    }
    Canvas()->Pen()->SetColor(clBlack);
    if (!BackGround()->Bitmap()->Empty() || BackGround()->ColorTo() != clNone) PaintEmptyArea();
    PaintDesignHelper();
    if (OnPainted) OnPainted(this);
}

void TZirOvararIzaz::PaintEmptyArea() {
    TBackGround* BG = BackGround();
    const bool LastRowShown = TopRow() + VisibleRowCount() >= RowCount();
    const bool LastColShown = LeftCol() + VisibleColCount() >= ColCount();
    if (!LastRowShown && !LastColShown) return;
    const bool Gradient = BG->Display() == bdGradientHorz || BG->Display() == bdGradientVert;
    if (Gradient && BG->ColorTo() == clNone && BG->Bitmap()->Empty()) return;

    TRect Client = ClientRect();
    const Integer GLW = GridLineWidth();
    TRect Empty[2];
    Integer Count = 0;
    TRect R = CellRect(ColCount() - 1, TopRow());
    winapi::InflateRect(R, GLW, GLW);
    if (LastColShown && R.Right < Client.Right && !R.IsEmpty())
        Empty[Count++] = TRect(R.Right, 0, Client.Right, Client.Bottom);
    R = CellRect(LeftCol(), RowCount() - 1);
    winapi::InflateRect(R, GLW, GLW);
    if (LastRowShown && R.Bottom < Client.Bottom && !R.IsEmpty())
        Empty[Count++] = TRect(0, R.Bottom, Client.Right, Client.Bottom);
    if (Count == 0) return;
    if (FloatingFooter()->Visible()) Client.Bottom -= GetSearchFooterHeight();

    winapi::HRGN Region = winapi::CreateRectRgnIndirect(Empty[0]);
    if (Count == 2) {
        winapi::HRGN Second = winapi::CreateRectRgnIndirect(Empty[1]);
        winapi::CombineRgn(Region, Region, Second, RGN_OR);
        winapi::DeleteObject(Second);
    }
    TCanvas* Cv = Canvas();
    winapi::SelectClipRgn(Cv->Handle(), Region);
    if (BG->Bitmap()->Empty()) {
        if (Gradient)
            DrawBandedGradient(Cv, BG->Color(), BG->ColorTo(), 128, Client, BG->Display() == bdGradientHorz);
    } else if (BG->Display() != bdTile) {
        PaintBackgroundFixed(Cv, *BG, Client);
    } else if (BG->Cells() != bcFixed) {
        TRect From = Client;
        if (BG->Cells() == bcNormal) {
            const TRect First = CellRect(FixedCols(), FixedRows());
            From.Left = First.Left + XYOffset().X;
            From.Top = First.Top + XYOffset().Y;
        }
        PaintBackgroundTiled(Cv, *BG, From);
    }
    winapi::SelectClipRgn(Cv->Handle(), nullptr);
    winapi::DeleteObject(Region);
}

bool TZirOvararIzaz::DrawsNCBorder() {
    const TGridLook L = Look();
    if (L == glStandard || L == glClassic) return false;
    if (BorderStyle() == bsNone || BorderColor() == clNone) return false;
    if (Flat() && L != glCustom) return false;
    return true;
}

void TZirOvararIzaz::DrawNCBorder() {
    if (!HandleAllocated() || !DrawsNCBorder()) return;
    winapi::HDC DC = winapi::GetWindowDC(Handle());
    if (!DC) return;
    {
        TCanvas Cv;
        Cv.SetHandle(DC);
        Cv.Pen()->SetColor(BorderColor());
        Cv.Pen()->SetStyle(psSolid);
        Cv.Pen()->SetWidth(1);
        const Integer W = Width(), H = Height();
        // Only the newer common controls draw a plain frame; they are
        // always there.
        Cv.Polyline({TPoint(0, H - 1), TPoint(0, 0), TPoint(W - 1, 0), TPoint(W - 1, H - 1), TPoint(0, H - 1)});
        Cv.SetHandle(nullptr);
    }
    winapi::ReleaseDC(Handle(), DC);
}

void TZirOvararIzaz::DrawDragLine(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    TCanvas* Cv = Canvas();
    TPen* Pen = Cv->Pen();
    const TColor OldColor = Pen->Color();
    const TPenStyle OldStyle = Pen->Style();
    const TPenMode OldMode = Pen->Mode();
    const Integer OldWidth = Pen->Width();
    Pen->SetColor(clBlack);
    Pen->SetStyle(psDot);
    Pen->SetMode(pmXor);
    Pen->SetWidth(1);
    Cv->MoveTo(X1, Y1);
    Cv->LineTo(X2, Y2);
    Pen->SetColor(OldColor);
    Pen->SetStyle(OldStyle);
    Pen->SetMode(OldMode);
    Pen->SetWidth(OldWidth);
}

void TZirOvararIzaz::DrawColDragLine(Integer X) {
    DrawDragLine(X, 0, X, std::max(Height(), CellRect(0, RowCount() - 1).Bottom));
}

void TZirOvararIzaz::DrawRowDragLine(Integer Y) {
    DrawDragLine(0, Y, std::max(Width(), CellRect(ColCount() - 1, 0).Right), Y);
}

void TZirOvararIzaz::HideHoverButtons() {
    if (HoverButtons()->Enabled()) HideButtonForm(this);
}

void TZirOvararIzaz::ShowFixedInplaceEdit(Integer ACol, Integer ARow) {
    if (!IsFixed(ACol, ARow)) throw EKelGridError(u"Cannot start fixed inplace editor in non-fixed cell");
    StartFixedCellEdit(ACol, ARow, FilterEdit()->Enabled() && ARow == 0);
}

void TZirOvararIzaz::HideFixedInplaceEdit() {
    // The fixed-cell editor closes when it loses the focus.
    if (CanFocus()) SetFocus();
}

Integer TZirOvararIzaz::DesignHelperHitTest(Integer X, Integer Y) {
    // There is no form designer: the panel never shows and every point is
    // outside it.
    (void)X, (void)Y;
    return -1;
}
