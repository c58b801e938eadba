// How a cell looks: its font, colours, gradient, alignment and word wrap in
// one order of precedence, the placement of its graphic object, its display
// text and the text the exporters write.

#include "grid/ZirOvararIzaz.h"

#include "graphics/Colors.h"
#include "gridbase/CellPainting.h"
#include "gridbase/MarkupText.h"
#include "gridbase/RarEvad.h"
#include "gridbase/XLSFormat.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"
#include "vcl/RichEdit.h"
#include "windowing/Input.h"

#include <algorithm>

namespace {

// Kinds whose record brush marks the cell as coloured by its own settings;
// the other kinds take the record brush as it is, none included.
bool IsTextCellKind(TCellType Kind) {
    return Kind == ctNone || Kind == ctRotated || Kind == ctEmpty;
}

} // namespace

TColor BlendColors(TColor C1, TColor C2, Integer Percent) {
    if (Percent >= 100) return C1;
    if (Percent <= 0) return C2;
    if (C1 == clNone) return C2;
    if (C2 == clNone) return C1;
    const TColor R1 = ColorToRGB(C1), R2 = ColorToRGB(C2);
    const Double P = Percent / 100.0;
    auto Mix = [&](Integer Shift) {
        const Integer A = (R1 >> Shift) & 0xFF, B = (R2 >> Shift) & 0xFF;
        return std::min(255, RoundToInt(P * A + (1 - P) * B)) << Shift;
    };
    return Mix(0) | Mix(8) | Mix(16);
}

TColor MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, Integer Factor) {
    return Mixer ? BlendColors(SelColor, CellColor, Factor) : SelColor;
}

bool TZirOvararIzaz::IsMouseButtonDown() {
    return winapi::GetKeyState(winapi::VK_LBUTTON) < 0;
}

void TZirOvararIzaz::GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print,
                                         bool Select, bool Remap, TBrush* ABrush, TColor& AColorTo,
                                         TColor& AMirrorColor, TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA,
                                         TVAlignment& VA, bool& WW, TCellGradientDirection& GD) {
    TPrintSettings* PS = PrintSettings();
    TMouseActions* MA = MouseActions();
    const bool FixedByPos = ACol < FixedCols() || ARow < FixedRows();
    const bool DisplayFont = !Print || PS->UseDisplayFont();

    // Base font.
    if (DisplayFont)
        AssignCellFont(AFont, FixedByPos, true);
    else
        AFont->Assign(FixedByPos && UseFixedFont() ? PS->FixedFont() : PS->Font());

    // Real coordinates.
    const Integer RCol = Remap ? RealColIndex(ACol) : ACol;
    const Integer RRow =
        (MA->DisjunctRowSelect() && MA->Settings().RowSelectPersistent) || EnabledRowsInUse() ? RealRowIndex(ARow) : ARow;

    ABrush->SetColor(clNone);
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;

    // The cell's own settings.
    bool OwnColor = false;
    const TCellProperties* Props = RecordOf(RCol, ARow);
    if (Props) {
        if (IsTextCellKind(GetCellType(RCol, ARow))) {
            if (Props->BrushColor() != clNone) {
                ABrush->SetColor(Props->BrushColor());
                OwnColor = true;
            }
        } else {
            ABrush->SetColor(Props->BrushColor());
        }
        if (Props->FontColor() != clNone) AFont->SetColor(Props->FontColor());
        if (!Props->FontStyle().Empty()) AFont->SetStyle(Props->FontStyle());
        if (PS->UseDisplayFont()) {
            if (Props->FontSize() != 0) AFont->SetHeight(Props->FontSize());
            if (!Props->FontName().empty()) AFont->SetName(Props->FontName());
        }
        WW = Props->WordWrap();
        AColorTo = Props->BrushColorTo();
        GD = Props->GradientDirection();
    }
    if (AState.Contains(gdSelected)) GD = GradientVertical;

    // Default background: the grid colour, the bands, the fixed colour.
    const bool OutsideNormal = ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() - FixedRightCols() ||
                               ARow >= RowCount() - FixedFooters();
    if (ABrush->Color() == clNone) {
        ABrush->SetColor(Color());
        TBands* B = Bands();
        if (B->Active() && (!Print || B->Print()) && !OutsideNormal) {
            const Integer Total = B->PrimaryLength() + B->SecondaryLength();
            if (Total > 0) {
                if ((ARow - FixedRows()) % Total < B->PrimaryLength())
                    ABrush->SetColor(B->PrimaryColor());
                else if (!UsesVCLStyles())
                    ABrush->SetColor(B->SecondaryColor());
            }
        }
        if (OutsideNormal) ABrush->SetColor(FixedColor());
    }

    // Fixed cells.
    const bool CellFixed = IsFixed(ACol, ARow) || FixedByPos;
    if (CellFixed && !OwnColor) {
        ABrush->SetColor(FixedColor());
        if (UseFixedFont()) {
            if (DisplayFont) {
                AFont->Assign(FixedFont());
                if (DPIScale() != 0) AFont->SetHeight(RoundToInt(FixedFont()->Height() / Double(DPIScale())));
            } else {
                AFont->Assign(PS->FixedFont());
            }
        }
        AState.Include(gdFixed);
        const TGridLook L = Look();
        if (L != glStandard && L != glSoft && L != glClassic && L != glListView) {
            ABrush->SetColor(DOVGradientFrom());
            AColorTo = DOVGradientTo();
            AMirrorColor = DOVGradientMirrorFrom();
            AMirrorColorTo = DOVGradientMirrorTo();
        }
    }

    // The filter-edit row.
    if (ARow == FilterEdit()->Row() && DoHasFilterEdit(RCol, ARow)) {
        const TColor C = FilterEdit()->Color();
        ABrush->SetColor(C);
        AColorTo = C;
        AMirrorColor = C;
        AMirrorColorTo = C;
    }

    // Automatic number colours.
    if (AutoColor()->IsActive()) {
        const String Text = Cells(RCol, ARow);
        const TValueKind Kind = Text.empty() ? vkText : DetectValueKind(Text);
        if (Kind == vkInteger || Kind == vkFloat) {
            const TColorSetting* S =
                Floats(RCol, ARow) < 0 ? AutoColor()->NegativeNumber() : AutoColor()->PositiveNumber();
            if (S->TextColor() != clNone) AFont->SetColor(S->TextColor());
            if (S->BkgColor() != clNone) ABrush->SetColor(S->BkgColor());
        }
    }

    // The colour hook. A cell's own font height stays out of a font that is
    // not the display font, also when the hook applies the cell's settings.
    const Integer HeightBeforeHook = AFont->Height();
    if (Print)
        DoGetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
    else
        DoGetCellColor(RCol, ARow, AState, ABrush, AFont);
    if (Props && Props->FontSize() != 0 && !PS->UseDisplayFont()) AFont->SetHeight(HeightBeforeHook);

    if (OnGetCellGradient) {
        TColor C = ABrush->Color();
        OnGetCellGradient(this, ARow, RCol, C, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->SetColor(C);
    }

    const TColor UnselBrush = ABrush->Color();
    const TColor UnselFont = AFont->Color();
    const bool Visible = IsSelectionVisible();
    const bool MouseDown = IsMouseButtonDown();

    auto ApplySelection = [&](bool Mixing) {
        if (!Mixing || ABrush->Color() == Color())
            ABrush->SetColor(SelectionColor());
        else
            ABrush->SetColor(MixSelectionColor(SelectionColor(), ABrush->Color(), SelectionColorMixer(),
                                               SelectionColorMixerFactor()));
        AColorTo = SelectionColorTo();
        AMirrorColor = SelectionMirrorColor();
        AMirrorColorTo = SelectionMirrorColorTo();
        if (SelectionTextColor() != clNone) AFont->SetColor(SelectionTextColor());
    };

    const bool NormalCell = ACol >= FixedCols() && ARow >= FixedRows();
    // Disjunct row selection.
    if (NormalCell && MA->DisjunctRowSelect() && !Print && Select && Visible && !CellFixed) {
        const bool DownHere = MouseDown && Row() == ARow;
        const bool InList = RowSelect(RRow);
        if ((InList && !DownHere) || (!InList && MouseDown && AState.Contains(gdSelected))) {
            AState = TGridDrawState{gdSelected};
            ApplySelection(true);
        } else {
            AState.Exclude(gdSelected);
        }
    }
    // Disjunct column selection.
    if (NormalCell && MA->DisjunctColSelect() && !Print && Select && Visible && !CellFixed) {
        const bool DownHere = MouseDown && Col() == ACol;
        const bool InList = ColSelect(ACol);
        if ((InList && !DownHere) || (!InList && MouseDown && AState.Contains(gdSelected))) {
            AState = TGridDrawState{gdSelected};
            ApplySelection(false);
        }
    }
    // Plain selection.
    if ((Select && !Print && Visible && !CellFixed && IsSelected(ACol, ARow) && !MA->DisjunctRowSelect() &&
         !MA->DisjunctColSelect()) ||
        (AState.Contains(gdSelected) && MouseDown && Visible)) {
        ApplySelection(true);
        AState.Include(gdSelected);
    }
    // Disjunct cell selection.
    if (MA->DisjunctCellSelect() && Visible) {
        if (SelectedCells(ACol, ARow)) {
            ApplySelection(false);
            AState.Include(gdSelected);
        } else if (Col() == ACol && Row() == ARow) {
            AState.Exclude(gdSelected);
            ABrush->SetColor(UnselBrush);
            AFont->SetColor(UnselFont);
        }
    }
    // Disabled rows and a disabled grid.
    if (UseDisabledFont() && ((EnabledRowsInUse() && !RowEnabled(RRow)) || !Enabled()))
        AFont->SetColor(DisabledFontColor());
    // Selected rows away from the current row of a disjunct row selection.
    if (IsSelected(ACol, ARow) && Visible && !Print && ARow != Row() && MA->DisjunctRowSelect() &&
        SelectionColorTo() == clNone && ShowFocusedSelectionColor())
        ABrush->SetColor(AdjustColorPercent(ABrush->Color(), -10));

    DoGetWordWrap(RCol, ARow, WW);
    ResolveAlignment(RCol, ARow, HA, VA);
}

void TZirOvararIzaz::GetFontProperties(Integer ACol, Integer RCol, Integer ARow, TGridDrawState& AState,
                                       TFont* AFont, TBrush* ABrush, bool Remap) {
    (void)Remap;
    const bool Fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    AssignCellFont(AFont, Fixed, true);
    if (const TCellProperties* Props = RecordOf(RCol, ARow)) {
        if (Props->FontColor() != clNone) AFont->SetColor(Props->FontColor());
        if (!Props->FontStyle().Empty()) AFont->SetStyle(Props->FontStyle());
        if (Props->FontSize() != 0) AFont->SetHeight(Props->FontSize());
        if (!Props->FontName().empty()) AFont->SetName(Props->FontName());
    }
    DoGetCellColor(RCol, ARow, AState, ABrush, AFont);
}

TCellGraphicLayout TZirOvararIzaz::GetCellGraphicLayout(Integer ACol, Integer ARow) {
    TCellGraphicLayout L;
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    L.Graphic = G;
    if (!G) return L;
    L.HAlign = G->CellHAlign();
    L.VAlign = G->CellVAlign();
    const Double Dpi = DPIScale();
    auto Size = [&](Integer W, Integer H) {
        L.Width = W;
        L.Height = H;
    };
    switch (G->CellType()) {
    case ctBitmap:
        if (const TBitmap* B = G->Bitmap()) Size(B->Width(), B->Height());
        break;
    case ctIcon:
        if (const TIcon* I = G->Icon()) Size(I->Width(), I->Height());
        break;
    case ctImageList:
    case ctDataImage:
        if (TCustomImageList* List = GetCellImageList(ACol, ARow)) {
            Size(List->Width(), List->Height());
            if (G->CellType() == ctDataImage) L.TextShown = false;
        }
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox: {
        const Integer S = RoundToInt(ControlLook()->CheckSize() * Dpi);
        Size(S, S);
        L.TextShown = G->CellType() == ctCheckBox || G->CellType() == ctTriStateCheckBox;
        break;
    }
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        L.TextShown = false;
        break;
    case ctImages:
        if (TCustomImageList* List = GetCellImageList(ACol, ARow)) {
            const TIntList* Indexes = G->ImageIndexes();
            const Integer N = Indexes ? Indexes->Count() : 0;
            if (G->CellBoolean())
                Size(N * List->Width(), List->Height());
            else
                Size(List->Width(), N * List->Height());
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint Extent = CellSize(ACol, ARow);
        const TPoint P = G->GetPictureSize(Extent.X - TotalXOffset(), Extent.Y - TotalYOffset());
        Size(P.X, P.Y);
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctVirtButton:
        Size(RoundToInt((G->CellIndex() & 0xFFFF) * Dpi), RoundToInt(Integer(uint32_t(G->CellIndex()) >> 16) * Dpi));
        break;
    case ctProgressPie:
        Size(20, 20);
        break;
    case ctInterface:
        if (auto* Cell = dynamic_cast<IInterfacedCell*>(G->CellBitmap())) Size(Cell->GetWidth(), Cell->GetHeight());
        break;
    case ctRadioButton:
        Size(ControlLook()->RadioSize() + 4, ControlLook()->RadioSize() + 4);
        break;
    case ctShape: {
        const Integer S = std::min(ColWidths(DisplColIndex(ACol)), RowHeights(ARow)) - 2 * XYOffset().Y;
        Size(S, S);
        break;
    }
    case ctRating:
        Size(G->CellAngle() * 18, 16);
        L.TextShown = false;
        break;
    case ctDataPicture:
        if (PictureContainer())
            if (const THTMLPicture* P = PictureContainer()->FindPicture(Cells(ACol, ARow))) {
                Size(P->Width(), P->Height());
                L.TextShown = false;
            }
        break;
    default:
        break;
    }
    return L;
}

String TZirOvararIzaz::GetFormattedCell(Integer ACol, Integer ARow) {
    const String Text = ExportCell(ACol, ARow);
    if (!OnGetFloatFormat) return Text;
    const TValueKind Kind = Text.empty() ? vkText : DetectValueKind(Text);
    bool IsFloat = Kind == vkInteger || Kind == vkFloat || Kind == vkScientific;
    if (!IsFloat) return Text;
    String Fmt = FloatFormat();
    OnGetFloatFormat(this, ACol, ARow, IsFloat, Fmt);
    if (!IsFloat || Fmt.empty()) return Text;
    try {
        if (FormatType() == ftVCL) {
            if (Fmt.find(u'd') != String::npos || Fmt.find(u'x') != String::npos) {
                // An integer format takes integers only: a fraction would be
                // cut off silently.
                if (Kind != vkInteger) return Text;
                return Format(Fmt, {Ints(ACol, ARow)});
            }
            return Format(Fmt, {Floats(ACol, ARow)});
        }
        return ApplyXLSFormat(Variant(Floats(ACol, ARow)), Fmt);
    } catch (const Exception&) {
        // A format that does not fit the value (or a text the typed readers
        // refuse) shows the cell as exported.
        return Text;
    }
}

void TZirOvararIzaz::SaveCell(Integer ACol, Integer ARow, String& Value) {
    String Text = FSaveVirtCells ? GetFormattedCell(ACol, ARow) : GridCells(ACol, ARow);
    if (!FSaveMergedCells && !IsBaseCell(ACol, ARow)) Text.clear();
    if (Text.empty()) {
        const TCellType Kind = GetCellType(ACol, ARow);
        TCheckBoxState State = cbUnchecked;
        if ((Kind == ctCheckBox || Kind == ctTriStateCheckBox) && GetCheckBoxState(ACol, ARow, State)) {
            if (Kind == ctTriStateCheckBox && State == cbGrayed)
                Text = u"-";
            else
                Text = State == cbChecked ? DoGetCheckTrue(ACol, ARow) : DoGetCheckFalse(ACol, ARow);
        }
    }
    switch (GetCellTextKind(Text, true)) {
    case ctHTML:
        if (!FSaveWithHTML) Text = MarkupToPlainText(Text);
        break;
    case ctRTF:
        if (FSaveWithRTF) {
            std::erase_if(Text, [](Char C) { return C == u'\r' || C == u'\n'; });
        } else {
            TRichEdit* Rich = RichEdit();
            CellToRich(ACol, ARow, Rich);
            Text = Rich->Text();
        }
        break;
    default:
        break;
    }
    if (OnSaveCell) OnSaveCell(this, ACol, ARow, Text);
    Value = Text;
}
