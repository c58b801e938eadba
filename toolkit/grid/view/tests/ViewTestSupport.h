#pragma once
// A final string grid on a headless form with a manual clock.

#include "grid/ZirOvararIzaz.h"
#include "grid_testing/GridFormTest.h"

#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

class TTestGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
    // looks
    using TZirOvararIzaz::CalcCellTextSizeEx;
    using TZirOvararIzaz::HandleChangeScale;
    using TZirOvararIzaz::MaxLinesInRow;
    using TZirOvararIzaz::ResolveAlignment;
    using TZirOvararIzaz::SetDPIScaleValue;
    // exchange
    std::vector<std::pair<Integer, Integer>> ExportCalls;
    void ExportNotification(Integer AState, Integer ARow) override { ExportCalls.emplace_back(AState, ARow); }
};

using ViewTest = GridFormTest<TTestGrid>;

// cell painting
#include "graphics/Graphic.h"

// A final grid that keeps what the text step of the cell painter got.
class TCellPaintGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
    using TZirOvararIzaz::SearchHighlightCell;
    void DrawCellText(TCellPaintContext& C) override {
        Seen = C;
        SeenBrushColor = C.Canvas->Brush()->Color();
        SeenFontSize = C.Canvas->Font()->Size();
        TZirOvararIzaz::DrawCellText(C);
    }
    TCellPaintContext Seen;
    TColor SeenBrushColor = clNone;
    Integer SeenFontSize = 0;
};

// A white bitmap to paint a cell on (the caller frees it).
inline TBitmap* WhiteCanvasBitmap(Integer W, Integer H) {
    auto* Bmp = Create<TBitmap>();
    Bmp->SetSize(W, H);
    Bmp->Canvas()->Brush()->SetColor(clWhite);
    Bmp->Canvas()->FillRect(TRect(0, 0, W, H));
    return Bmp;
}

// The box of the pixels that are not white (Left > Right when none is).
inline TRect CellInkBox(TBitmap* Bmp) {
    TRect Box(Bmp->Width(), Bmp->Height(), -1, -1);
    for (Integer y = 0; y < Bmp->Height(); ++y)
        for (Integer x = 0; x < Bmp->Width(); ++x)
            if (Bmp->Canvas()->Pixels(x, y) != clWhite) {
                Box.Left = std::min(Box.Left, x);
                Box.Top = std::min(Box.Top, y);
                Box.Right = std::max(Box.Right, x);
                Box.Bottom = std::max(Box.Bottom, y);
            }
    return Box;
}

// exchange: the system's Python (a version manager's wrapper in the path
// only slows every start).
inline std::string PythonCommand() {
    return ::access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
}
