// Aligning the children of a windowed control: top bars, then bottom bars,
// left and right columns, and the client control in what remains; children
// without alignment keep their anchored distances to the parent's edges.

#include "ControlGlobals.h"
#include "vcl/Controls.h"

#include <vector>

void TWinControl::DisableAlign() {
    ++FAlignLevel;
}

void TWinControl::EnableAlign() {
    --FAlignLevel;
    if (FAlignLevel == 0 && ControlState().Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl) {
    if (ComponentState().Contains(csDestroying)) return;
    if (FAlignLevel != 0) {
        SetControlState(ControlState() + TControlState{csAlignmentNeeded});
        return;
    }
    DisableAlign();
    try {
        TRect Rect = ClientRect();
        AlignControls(AControl, Rect);
    } catch (...) {
        SetControlState(ControlState() - TControlState{csAlignmentNeeded});
        --FAlignLevel;
        throw;
    }
    SetControlState(ControlState() - TControlState{csAlignmentNeeded});
    EnableAlign();
}

namespace {

// Whether C1 goes before C2 among the controls of one alignment: nearer
// the edge it is aligned to.
bool InsertBefore(const TControl* C1, const TControl* C2, TAlign Align) {
    switch (Align) {
    case alTop:
        return C1->Top() < C2->Top();
    case alBottom:
        return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft:
        return C1->Left() < C2->Left();
    case alRight:
        return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default:
        return false;
    }
}

} // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    bool Work = false;
    for (Integer I = 0; I < ControlCount() && !Work; ++I) {
        const TControl* Child = Controls(I);
        Work = Child->Align() != alNone || Child->Anchors() != TAnchors{akLeft, akTop};
    }
    if (!Work) return;
    AdjustClientRect(Rect);

    auto Place = [](TControl* Child, Integer NewLeft, Integer NewTop, Integer NewWidth, Integer NewHeight) {
        Child->FAnchorMove = true;
        try {
            Child->SetBounds(NewLeft, NewTop, std::max(NewWidth, 0), std::max(NewHeight, 0));
        } catch (...) {
            Child->FAnchorMove = false;
            throw;
        }
        Child->FAnchorMove = false;
    };

    for (TAlign Align : {alTop, alBottom, alLeft, alRight, alClient}) {
        // The control that asked for alignment goes after those it ties with.
        std::vector<TControl*> List;
        if (AControl && AControl->Align() == Align && AControl->Visible()) List.push_back(AControl);
        for (Integer I = 0; I < ControlCount(); ++I) {
            TControl* Child = Controls(I);
            if (Child == AControl || Child->Align() != Align || !Child->Visible()) continue;
            size_t J = 0;
            while (J < List.size() && !InsertBefore(Child, List[J], Align))
                ++J;
            List.insert(List.begin() + std::ptrdiff_t(J), Child);
        }
        for (TControl* Child : List) {
            Integer NewLeft = Rect.Left, NewTop = Rect.Top;
            Integer NewWidth = Rect.Width(), NewHeight = Rect.Height();
            switch (Align) {
            case alTop:
                NewHeight = Child->Height();
                Rect.Top += NewHeight;
                break;
            case alBottom:
                NewHeight = Child->Height();
                Rect.Bottom -= NewHeight;
                NewTop = Rect.Bottom;
                break;
            case alLeft:
                NewWidth = Child->Width();
                Rect.Left += NewWidth;
                break;
            case alRight:
                NewWidth = Child->Width();
                Rect.Right -= NewWidth;
                NewLeft = Rect.Right;
                break;
            default:
                break;
            }
            Place(Child, NewLeft, NewTop, NewWidth, NewHeight);
            // A child that did not take the size (constraints) gives the rest back.
            Integer DW = std::max(NewWidth, 0) - Child->Width(),
                    DH = std::max(NewHeight, 0) - Child->Height();
            switch (Align) {
            case alTop:
                Rect.Top -= DH;
                break;
            case alBottom:
                Rect.Bottom += DH;
                break;
            case alLeft:
                Rect.Left -= DW;
                break;
            case alRight:
                Rect.Right += DW;
                break;
            default:
                break;
            }
        }
    }

    TRect Client = ClientRect();
    for (Integer I = 0; I < ControlCount(); ++I) {
        TControl* Child = Controls(I);
        if (Child->Align() != alNone || Child->Anchors() == TAnchors{akLeft, akTop}) continue;
        Integer NewLeft, NewTop, NewWidth, NewHeight;
        Child->AnchoredBounds({Client.Right, Client.Bottom}, NewLeft, NewTop, NewWidth, NewHeight);
        Place(Child, NewLeft, NewTop, NewWidth, NewHeight);
    }
}
