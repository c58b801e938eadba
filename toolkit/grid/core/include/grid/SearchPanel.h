#pragma once
// The grid's search footer: the panel under the grid with a search edit,
// find-next and find-previous buttons, a highlight toggle, a match-case box,
// a result label and a close button. The panel only lays out and paints its
// controls and passes their clicks on; the grid's handlers do the searching.

#include "gridbase/KelCheckBox.h"
#include "gridbase/KelGridButton.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

class TZirOvararIzazCore;

// The search edit. Enter fires OnReturn (OnCtrlReturn with Ctrl held) and
// goes no further, so a form's default button never takes it; CR and LF
// typed as characters reach OnKeyPress and are then dropped.
class TRetEdit : public TEdit {
    RTL_CLASS(TRetEdit)
public:
    explicit TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}

    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
};

class TSearchPanel : public TCustomPanel {
    RTL_CLASS(TSearchPanel)
public:
    explicit TSearchPanel(TComponent* AOwner);
    void AfterConstruction() override;

    // The grid that owns the panel; null when the owner is no grid.
    TZirOvararIzazCore* Grid() const { return FGrid; }
    TRetEdit* Edit() const { return FEdit; }
    TKelGridButton* ExitButton() const { return FExitButton; }
    TKelGridButton* ForwardButton() const { return FForwardButton; }
    TKelGridButton* BackwardButton() const { return FBackwardButton; }
    TKelGridButton* HighlightButton() const { return FHighlightButton; }
    TKelCheckBox* MatchCase() const { return FMatchCase; }
    TLabel* ResultLabel() const { return FResultLabel; }

    // The gradient's end colour; clNone paints the panel in Color alone.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);

    // Captions and hints go straight to their controls; an empty hint is
    // not shown.
    String FindNextCaption() const;
    void SetFindNextCaption(const String& Value);
    String FindPrevCaption() const;
    void SetFindPrevCaption(const String& Value);
    String MatchCaseCaption() const;
    void SetMatchCaseCaption(const String& Value);
    String HighLightCaption() const;
    void SetHighLightCaption(const String& Value);
    String HintFindNext() const { return FForwardButton->Hint(); }
    void SetHintFindNext(const String& Value) { SetButtonHint(FForwardButton, Value); }
    String HintFindPrev() const { return FBackwardButton->Hint(); }
    void SetHintFindPrev(const String& Value) { SetButtonHint(FBackwardButton, Value); }
    String HintClose() const { return FExitButton->Hint(); }
    void SetHintClose(const String& Value) { SetButtonHint(FExitButton, Value); }
    String HintHighlight() const { return FHighlightButton->Hint(); }
    void SetHintHighlight(const String& Value) { SetButtonHint(FHighlightButton, Value); }

    // Places the controls at the grid's DPI factor, mirrored right to left
    // (done when the window is made).
    void LayoutControls();
    // What Enter and Ctrl+Enter in the edit do: the forward and backward clicks.
    void ForwardClick();
    void BackwardClick();

    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnEditChange;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighLightClick;
    TNotifyEvent OnMatchCaseClick;

protected:
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;

private:
    static void SetButtonHint(TKelGridButton* Button, const String& Value);
    void EditChanged();

    TZirOvararIzazCore* FGrid = nullptr;
    TRetEdit* FEdit = nullptr;
    TKelGridButton* FExitButton = nullptr;
    TKelGridButton* FForwardButton = nullptr;
    TKelGridButton* FBackwardButton = nullptr;
    TKelGridButton* FHighlightButton = nullptr;
    TKelCheckBox* FMatchCase = nullptr;
    TLabel* FResultLabel = nullptr;
    TColor FColorTo = clNone;
};
