// Cell objects of the string grid: creating, finding, replacing and removing
// a cell's object, the kind queries, the shared row check box, the image
// queries, the screen and print sizes of an object and the display-text
// post-processing (links, group counts).

#include "grid/ZirOvararIzazCore.h"

#include "gridbase/RarEvad.h"
#include "graphics/Canvas.h"
#include "graphics/Picture.h"
#include "kel/PictureContainer.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"

#include <algorithm>
#include <cmath>

TCellGraphic* TZirOvararIzazCore::CreateCellGraphic(Integer ACol, Integer ARow) {
    if (!InGrid(ACol, ARow)) return nullptr;
    auto* Graphic = Create<TCellGraphic>();
    // The record takes the new object and frees the one it owned before.
    SetGraphicObjects(ACol, ARow, Graphic, true);
    if (FNumHidden > 0 && RealToDisplColumn(ACol) != ACol) RepaintCell(RealToDisplColumn(ACol), ARow);
    return Graphic;
}

bool TZirOvararIzazCore::RemoveCellGraphic(Integer ACol, Integer ARow) {
    TCellGraphic* Graphic = GetCellGraphic(ACol, ARow);
    if (!Graphic) return false;
    if (Graphic == FRowCheckBox.get() || IsSharedCellKind(Graphic->CellType())) return false;
    TCellProperties* Props = RecordOf(ACol, ARow);
    if (!Props || Props->GraphicObject() != Graphic) return false;
    const bool Owned = Props->GraphicOwned();
    Props->SetGraphicObject(nullptr);
    if (Owned) Free(Graphic);
    if (!IsDestroying()) RepaintCell(ACol, ARow);
    return true;
}

bool TZirOvararIzazCore::RemoveCellGraphicOfKind(Integer ACol, Integer ARow, TCellType Kind) {
    return GetCellType(ACol, ARow) == Kind && RemoveCellGraphic(ACol, ARow);
}

bool TZirOvararIzazCore::CellTypeIn(Integer ACol, Integer ARow, std::initializer_list<TCellType> Kinds) {
    if (ACol < 0 || ARow < 0) return false;
    const TPoint Base = BaseCell(ACol, ARow);
    const TCellGraphic* Graphic = GetCellGraphic(Base.X, Base.Y);
    return Graphic && std::find(Kinds.begin(), Kinds.end(), Graphic->CellType()) != Kinds.end();
}

TCellGraphic* TZirOvararIzazCore::GetCellGraphic(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return nullptr;
    TObject* Stored = GraphicObjects(ACol, ARow);
    auto* Graphic = dynamic_cast<TCellGraphic*>(Stored);
    if (ACol == 0 && FMouseActions->HotmailRowSelect() && (!Stored || Graphic)) {
        TCellGraphic* Row = FRowCheckBox.get();
        Row->SetCellType(ctRowCheckBox);
        if (ARow == 0) {
            Integer Selected = 0;
            for (Integer r = FixedRows(); r < RowCount(); ++r)
                if (RowCheckSelected(r)) ++Selected;
            const Integer Normal = RowCount() - FixedRows();
            Row->SetCellAngle(Selected > 0 && Selected < Normal ? 1 : 0);
            Row->SetCellBoolean(Normal > 0 && Selected >= Normal);
        } else {
            Row->SetCellAngle(0);
            Row->SetCellBoolean(RowCheckSelected(ARow));
        }
        Row->SetCellTransparent(FControlLook->ControlStyle() == ZirOvararIzaz::csFlat);
        return Row;
    }
    return Graphic;
}

TCellType TZirOvararIzazCore::GetCellType(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return ctEmpty;
    const TCellGraphic* Graphic = GetCellGraphic(ACol, ARow);
    return Graphic ? Graphic->CellType() : ctEmpty;
}

bool TZirOvararIzazCore::GetCellEmpty(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return true;
    const auto* Graphic = dynamic_cast<const TCellGraphic*>(GraphicObjects(ACol, ARow));
    return !(Graphic && (Graphic->CellType() != ctNone || !Graphic->CellComment().empty()));
}

TIntList* TZirOvararIzazCore::GetCellImages(Integer ACol, Integer ARow) {
    const TCellGraphic* Graphic = GetCellGraphic(ACol, ARow);
    return Graphic ? Graphic->ImageIndexes() : nullptr;
}

Integer TZirOvararIzazCore::GetCellImageIdx(Integer ACol, Integer ARow) {
    const TCellGraphic* Graphic = GetCellGraphic(ACol, ARow);
    if (!Graphic) return -1;
    switch (Graphic->CellType()) {
    case ctImageList:
        return Graphic->CellIndex();
    case ctBitmap:
        // The object's identity: cells sharing one bitmap answer alike.
        return Integer(reinterpret_cast<uintptr_t>(Graphic->CellBitmap()) & 0x7FFFFFFF);
    case ctIcon:
        return Integer(reinterpret_cast<uintptr_t>(Graphic->CellIcon()) & 0x7FFFFFFF);
    default:
        return -1;
    }
}

bool TZirOvararIzazCore::GetImageIdx(Integer ACol, Integer ARow, Integer& Idx) {
    if (!FGridImages || GetCellType(ACol, ARow) != ctImageList) return false;
    Idx = GetCellGraphic(ACol, ARow)->CellIndex();
    return true;
}

void TZirOvararIzazCore::SetImageIdx(Integer ACol, Integer ARow, Integer Idx) {
    if (!FGridImages || GetCellType(ACol, ARow) != ctImageList) return;
    GetCellGraphic(ACol, ARow)->SetCellIndex(Idx);
}

void TZirOvararIzazCore::SetGridImages(TCustomImageList* Value) {
    if (FGridImages == Value) return;
    if (FGridImages) FGridImages->RemoveFreeNotification(this);
    FGridImages = Value;
    if (FGridImages) FGridImages->FreeNotification(this);
    Invalidate();
}

void TZirOvararIzazCore::SetPictureContainer(TPictureContainer* Value) {
    if (FPictureContainer == Value) return;
    if (FPictureContainer) FPictureContainer->RemoveFreeNotification(this);
    FPictureContainer = Value;
    if (FPictureContainer) FPictureContainer->FreeNotification(this);
    Invalidate();
}

TCustomImageList* TZirOvararIzazCore::GetCellImageList(Integer ACol, Integer ARow) {
    (void)ACol, (void)ARow;
    return FGridImages;
}

bool TZirOvararIzazCore::IsSortIndicatorCell(Integer ACol, Integer ARow) {
    if (!FSortSettings->Show() || RowCount() <= FixedRows() + 1) return false;
    const Integer SortRow = FSortSettings->Row();
    if (ARow == SortRow) return true;
    if (IsMergedCell(ACol, ARow) && IsBaseCell(ACol, ARow))
        return SortRow >= ARow && SortRow <= ARow + CellSpan(ACol, ARow).Y;
    return false;
}

// ---- Sizes ---------------------------------------------------------------------------------------------

TPoint TZirOvararIzazCore::GetCellGraphicSize(Integer ACol, Integer ARow) {
    return GetCellGraphicSizeEx(ACol, ARow, 0);
}

TPoint TZirOvararIzazCore::GetCellGraphicSizeEx(Integer ACol, Integer ARow, Integer HeightReserve) {
    return CalcCellGraphicSize(Canvas(), ACol, ARow, HeightReserve, 1.0);
}

TPoint TZirOvararIzazCore::TextSizeOf(TCanvas* ACanvas, const String& Text) const {
    const TSize Size = ACanvas->TextExtent(Text);
    return TPoint(Size.cx, Size.cy);
}

TPoint TZirOvararIzazCore::CalcCellGraphicSize(TCanvas* ACanvas, Integer ACol, Integer ARow, Integer HeightReserve,
                                               Double Scale) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G) return TPoint(0, 0);
    if (Scale <= 0) Scale = 1.0;
    const Double Dpi = FDPIScale;
    const bool NoText = Cells(ACol, ARow).empty();
    const bool HRule = G->CellHAlign() == haBeforeText || G->CellHAlign() == haAfterText || NoText;
    const bool VRule = G->CellVAlign() == vaUnderText || G->CellVAlign() == vaAboveText || NoText;
    const TPoint CellExtent = CellSize(ACol, ARow);
    const Integer BoxW = CellExtent.X - 1 - TotalXOffset();
    const Integer BoxH = CellExtent.Y - 1 - TotalYOffset() - HeightReserve;
    auto RadioSize = [&](bool ForPrint) {
        TStringList* Items = G->Items();
        const Integer Count = Items ? Items->Count() : 0;
        const Integer LineH = TextSizeOf(ACanvas, u"gh").Y;
        if (G->CellBoolean()) {
            Integer W = 0;
            for (Integer i = 0; i < Count; ++i) W += TextSizeOf(ACanvas, Items->Strings(i)).X + 12;
            return TPoint(W, LineH);
        }
        Integer W = 12;
        for (Integer i = 0; i < Count; ++i) W = std::max(W, TextSizeOf(ACanvas, Items->Strings(i)).X + 12);
        if (ForPrint) return TPoint(W, LineH * Count);
        return TPoint(W, std::max(16, RoundToInt((LineH + 3) * Count / Scale)));
    };
    TPoint R(0, 0);
    bool Exempt = false;
    switch (G->CellType()) {
    case ctBitmap:
        if (const TBitmap* B = G->Bitmap()) R = TPoint(HRule ? B->Width() : 0, VRule ? B->Height() : 0);
        break;
    case ctIcon:
        if (const TIcon* I = G->Icon()) R = TPoint(HRule ? I->Width() : 0, I->Height());
        break;
    case ctImageList:
    case ctDataImage:
        if (TCustomImageList* L = GetCellImageList(ACol, ARow))
            R = TPoint(HRule ? L->Width() : 0, VRule ? L->Height() : 0);
        break;
    case ctImages:
        if (TCustomImageList* L = GetCellImageList(ACol, ARow)) {
            const TIntList* List = G->ImageIndexes();
            const Integer N = List ? List->Count() : 0;
            R = G->CellBoolean() ? TPoint(N * L->Width(), L->Height()) : TPoint(L->Width(), N * L->Height());
        }
        break;
    case ctPicture:
    case ctFilePicture:
        R = G->GetPictureSize(BoxW, BoxH, !NoText);
        break;
    case ctDataPicture:
        if (FPictureContainer)
            if (const THTMLPicture* P = FPictureContainer->FindPicture(Cells(ACol, ARow)))
                R = TPoint(P->Width(), P->Height());
        break;
    case ctButton:
    case ctBitButton:
    case ctVirtButton: {
        const Integer bw = G->CellIndex() & 0xFFFF;
        const Integer bh = Integer(uint32_t(G->CellIndex()) >> 16);
        R = TPoint(RoundToInt(bw * Dpi), RoundToInt(bh * Dpi));
        const bool VText = G->CellVAlign() == vaUnderText || G->CellVAlign() == vaAboveText;
        const bool HText = G->CellHAlign() == haBeforeText || G->CellHAlign() == haAfterText;
        if (!NoText) {
            if (G->CellHAlign() == haCenter) R.X = 0;
            if (G->CellHAlign() == haFull) R.X = RoundToInt((TextSizeOf(ACanvas, G->CellText()).X + 4) / Scale);
            if (!VText && !HText) R.Y = 0;
            if (VText) R.X = 0;
        } else if (G->CellHAlign() == haFull) {
            AssignCellFont(ACol, ARow, ACanvas->Font());
            R.X = RoundToInt((TextSizeOf(ACanvas, G->CellText()).X + 8) / Scale);
            Exempt = !G->CellText().empty();
        }
        break;
    }
    case ctInterface: {
        auto* Cell = dynamic_cast<IInterfacedCell*>(G->CellBitmap());
        const Integer W = Cell ? Cell->GetWidth() : 0;
        const Integer H = Cell ? Cell->GetHeight() : 0;
        R = W == 0 || H == 0 ? CellExtent : TPoint(W, H);
        break;
    }
    case ctProgressPie:
        R = TPoint(20, 20);
        break;
    case ctRadioButton:
        R = TPoint(FControlLook->RadioSize(), FControlLook->RadioSize());
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: {
        const Integer S = RoundToInt(FControlLook->CheckSize() * Dpi);
        R = TPoint(S, S);
        break;
    }
    case ctRadio:
        R = RadioSize(false);
        break;
    case ctRating:
        R = TPoint(G->CellAngle() * 18, 16);
        break;
    case ctShape:
        R = TPoint(DefaultRowHeight() - 4, DefaultRowHeight() - 4);
        break;
    default:
        break;
    }
    if (G->CellType() != ctRating && !Exempt) {
        const TRect Rect = CellRect(ACol, ARow);
        if (G->CellVAlign() == vaFull) R.Y = Rect.Bottom - Rect.Top;
        if (G->CellHAlign() == haFull) R.X = Rect.Right - Rect.Left;
    }
    return R;
}

TPoint TZirOvararIzazCore::CalcPrintGraphicSize(Integer ACol, Integer ARow, Integer AvailWidth, Integer AvailHeight,
                                                Double Scale) {
    (void)Scale;
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G) return TPoint(0, 0);
    TCanvas* C = Canvas();
    switch (G->CellType()) {
    case ctBitmap:
        if (const TBitmap* B = G->Bitmap()) return TPoint(B->Width(), B->Height());
        break;
    case ctIcon:
        if (const TIcon* I = G->Icon()) return TPoint(I->Width(), I->Height());
        break;
    case ctImageList:
    case ctDataImage:
        if (TCustomImageList* L = GetCellImageList(ACol, ARow)) return TPoint(L->Width(), L->Height());
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: {
        const Integer S = RoundToInt(FControlLook->CheckSize() * Double(FDPIScale));
        return TPoint(S, S);
    }
    case ctNode:
    case ctProgressPie:
        return TPoint(20, 20);
    case ctRadio: {
        TStringList* Items = G->Items();
        const Integer Count = Items ? Items->Count() : 0;
        const Integer LineH = C->TextExtent(u"gh").cy;
        Integer W = G->CellBoolean() ? 0 : 12;
        for (Integer i = 0; i < Count; ++i) {
            const Integer IW = C->TextExtent(Items->Strings(i)).cx + 12;
            W = G->CellBoolean() ? W + IW : std::max(W, IW);
        }
        return TPoint(W, G->CellBoolean() ? LineH : LineH * Count);
    }
    case ctImages:
        return CalcCellGraphicSize(C, ACol, ARow, 0, 1.0);
    case ctPicture:
    case ctFilePicture:
        return G->GetPictureSize(AvailWidth, AvailHeight, false);
    case ctDataPicture:
        if (FPictureContainer)
            if (const THTMLPicture* P = FPictureContainer->FindPicture(Cells(ACol, ARow)))
                return TPoint(P->Width(), P->Height());
        break;
    case ctProgress:
    case ctXPProgress:
        return TPoint(ColWidths(ACol), RowHeights(ARow));
    case ctButton:
    case ctBitButton:
    case ctVirtButton:
        return TPoint(G->CellIndex() & 0xFFFF, Integer(uint32_t(G->CellIndex()) >> 16));
    case ctInterface: {
        auto* Cell = dynamic_cast<IInterfacedCell*>(G->CellBitmap());
        if (!Cell) break;
        const TRect Rect = CellRect(ACol, ARow);
        const Integer W = Cell->GetWidth(), H = Cell->GetHeight();
        return TPoint(W ? W : Rect.Right - Rect.Left, H ? H : Rect.Bottom - Rect.Top);
    }
    case ctRadioButton:
        return TPoint(FControlLook->RadioSize(), FControlLook->RadioSize());
    case ctShape:
        return TPoint(RowHeights(ARow) - 2 * XYOffset().Y, RowHeights(ARow) - 2 * XYOffset().Y);
    default:
        break;
    }
    return TPoint(0, 0);
}

void TZirOvararIzazCore::DoGetProgressColor(Integer ACol, Integer ARow, TColor& ColorFG, TColor& ColorBK,
                                            TColor& TextColorFG, TColor& TextColorBK) {
    if (OnProgressColor) OnProgressColor(this, ACol, ARow, ColorFG, ColorBK, TextColorFG, TextColorBK);
}

// ---- Display text --------------------------------------------------------------------------------------

void TZirOvararIzazCore::GetDisplText(Integer ACol, Integer ARow, String& Value) {
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    if (FURLShowInText) {
        // The schemes come before "WWW.", so that an address written with its
        // scheme is linked from the scheme on.
        static const Char* const Prefixes[] = {u"HTTP://", u"HTTPS://", u"MAILTO:", u"NNTP://",
                                               u"FILE://", u"FTP://",   u"WWW."};
        for (const Char* Prefix : Prefixes) {
            String Html;
            if (LinkifyURL(Value, Prefix, Html)) {
                Value = Html;
                break;
            }
        }
    }
    // The group's rows below its header that are no sub-group headers.
    if (FGrouping->ShowGroupCount() && ACol == 1 && IsNode(ARow)) {
        const Integer Count = GetNodeSpan(ARow) - 1 - GetSubNodeCount(ARow);
        if (!FGrouping->GroupCountFormat().empty())
            Value += Format(FGrouping->GroupCountFormat(), {Count});
        else
            Value += u" (" + IntToStr(Count) + u")";
    }
}
