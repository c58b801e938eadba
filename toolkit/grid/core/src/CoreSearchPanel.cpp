// The search footer: the search edit, the footer panel with its layout and
// painting, and the grid's handlers behind the panel's controls.

#include "grid/SearchPanel.h"

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazCore.h"
#include "rtl/ClassBuilder.h"
#include "rtl/FlagScope.h"
#include "rtl/Format.h"
#include "rtl/Stream.h"
#include "windowing/Input.h"

#include <cmath>

namespace {

void LoadGlyph(TBitmap* Glyph, const char16_t* Name) {
    const TResourceEntry* Entry = GridResourceInstance() ? GridResourceInstance()->Find(Name) : nullptr;
    if (!Entry) throw EResNotFound(Format(u"Resource %s not found", {String(Name)}));
    TBytesStream Data(TBytes(Entry->Data.begin(), Entry->Data.end()));
    Glyph->LoadFromStream(&Data);
}

TKelGridButton* MakeButton(TSearchPanel* Panel, const char16_t* Glyph, const char16_t* Disabled) {
    auto* Button = Create<TKelGridButton>(Panel);
    Button->SetParent(Panel);
    TBitmap Picture;
    LoadGlyph(&Picture, Disabled);
    Button->SetGlyphDisabled(&Picture);
    LoadGlyph(&Picture, Glyph);
    Button->SetGlyph(&Picture);
    return Button;
}

} // namespace

// ---- TRetEdit ------------------------------------------------------------------------------------------

const TClassInfo& TRetEdit::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TRetEdit, TEdit>().Build();
    return Info;
}

void TRetEdit::WndProc(TMessage& Message) {
    TEdit::WndProc(Message);
    // Enter belongs to the edit, not to the form's dialog keys.
    if (Message.Msg == winapi::WM_GETDLGCODE) Message.Result |= winapi::DLGC_WANTALLKEYS;
}

void TRetEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == winapi::VK_RETURN) {
        Key = 0;
        if (Shift.Contains(ssCtrl)) {
            if (OnCtrlReturn) OnCtrlReturn(this);
        } else if (OnReturn) {
            OnReturn(this);
        }
        return;
    }
    TEdit::KeyDown(Key, Shift);
}

void TRetEdit::KeyPress(Char& Key) {
    if (Key == u'\r' || Key == u'\n') {
        TEdit::KeyPress(Key);
        Key = 0;
        return;
    }
    TEdit::KeyPress(Key);
}

// ---- TSearchPanel --------------------------------------------------------------------------------------

const TClassInfo& TSearchPanel::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TSearchPanel, TCustomPanel>().Build();
    return Info;
}

TSearchPanel::TSearchPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    FGrid = dynamic_cast<TZirOvararIzazCore*>(AOwner);
}

void TSearchPanel::AfterConstruction() {
    TCustomPanel::AfterConstruction();
    SetBevelOuter(bvNone);
    FEdit = Create<TRetEdit>(this);
    FEdit->SetParent(this);
    FEdit->OnChange = [this](TObject*) { EditChanged(); };
    FEdit->OnReturn = [this](TObject*) { ForwardClick(); };
    FEdit->OnCtrlReturn = [this](TObject*) { BackwardClick(); };

    FExitButton = MakeButton(this, u"ZOICLOSE", u"ZOICLOSE");
    TBitmap Picture;
    LoadGlyph(&Picture, u"ZOICLOSEH");
    FExitButton->SetGlyphHot(&Picture);
    LoadGlyph(&Picture, u"ZOICLOSED");
    FExitButton->SetGlyphDown(&Picture);
    FExitButton->SetShowCaption(false);
    FExitButton->OnClick = [this](TObject*) {
        if (OnExitClick) OnExitClick(this);
    };
    FForwardButton = MakeButton(this, u"ZOIARDOWN", u"ZOIARDOWND");
    FForwardButton->OnClick = [this](TObject*) { ForwardClick(); };
    FBackwardButton = MakeButton(this, u"ZOIARUP", u"ZOIARUPD");
    FBackwardButton->OnClick = [this](TObject*) { BackwardClick(); };
    FHighlightButton = MakeButton(this, u"ZOIHI", u"ZOIHID");
    FHighlightButton->SetStyle(tasCheck);
    FHighlightButton->SetAllowAllUp(true);
    FHighlightButton->OnClick = [this](TObject*) {
        if (OnHighLightClick) OnHighLightClick(this);
    };
    // Nothing to find or highlight until the edit holds text.
    FForwardButton->SetEnabled(false);
    FBackwardButton->SetEnabled(false);
    FHighlightButton->SetEnabled(false);

    FMatchCase = Create<TKelCheckBox>(this);
    FMatchCase->SetParent(this);
    FMatchCase->OnClick = [this](TObject*) {
        if (OnMatchCaseClick) OnMatchCaseClick(this);
    };
    FResultLabel = Create<TLabel>(this);
    FResultLabel->SetParent(this);
    FResultLabel->SetLayout(tlCenter);
}

void TSearchPanel::SetColorTo(TColor Value) {
    if (FColorTo == Value) return;
    FColorTo = Value;
    Invalidate();
}

String TSearchPanel::FindNextCaption() const { return FForwardButton->Caption(); }
void TSearchPanel::SetFindNextCaption(const String& Value) { FForwardButton->SetCaption(Value); }
String TSearchPanel::FindPrevCaption() const { return FBackwardButton->Caption(); }
void TSearchPanel::SetFindPrevCaption(const String& Value) { FBackwardButton->SetCaption(Value); }
String TSearchPanel::MatchCaseCaption() const { return FMatchCase->Caption(); }
void TSearchPanel::SetMatchCaseCaption(const String& Value) {
    FMatchCase->SetCaption(Value);
    if (HandleAllocated()) LayoutControls();
}
String TSearchPanel::HighLightCaption() const { return FHighlightButton->Caption(); }
void TSearchPanel::SetHighLightCaption(const String& Value) { FHighlightButton->SetCaption(Value); }

void TSearchPanel::SetButtonHint(TKelGridButton* Button, const String& Value) {
    Button->SetHint(Value);
    Button->SetShowHint(!Value.empty());
}

void TSearchPanel::EditChanged() {
    const bool HasText = !FEdit->Text().empty();
    FForwardButton->SetEnabled(HasText);
    FBackwardButton->SetEnabled(HasText);
    FHighlightButton->SetEnabled(HasText);
    if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::ForwardClick() {
    if (OnForwardClick) OnForwardClick(this);
}

void TSearchPanel::BackwardClick() {
    if (OnBackwardClick) OnBackwardClick(this);
}

void TSearchPanel::LayoutControls() {
    const Double Factor = FGrid ? std::max(Double(FGrid->DPIScale()), 0.01) : 1.0;
    auto S = [Factor](Integer V) { return Integer(std::lround(V * Factor)); };
    const bool Mirror = UseRightToLeftAlignment();
    auto Place = [&](TControl* C, Integer L, Integer T, Integer W, Integer H, Integer Across) {
        if (Mirror) L = Across - W - L;
        C->SetBounds(L, T, W, H);
    };
    Place(FEdit, S(25), S(6), S(110), FEdit->Height(), Width());
    Place(FForwardButton, S(140), S(5), S(90), S(23), Width());
    Place(FBackwardButton, S(235), S(5), S(90), S(23), Width());
    Place(FExitButton, S(5), 7, S(14), S(14), ClientWidth());
    Place(FHighlightButton, S(330), S(5), S(90), S(23), Width());
    Canvas()->Font()->Assign(FMatchCase->Font());
    const Integer BoxLeft = FHighlightButton->Visible() ? S(425) : S(330);
    FMatchCase->SetBounds(BoxLeft, S(6), Canvas()->TextWidth(FMatchCase->Caption()) + S(18), FMatchCase->Height());
    // Sized to its text once there is a window (measuring needs the fonts).
    FResultLabel->SetAutoSize(true);
    FResultLabel->SetTop(10);
    FResultLabel->SetLeft(FMatchCase->Left() + FMatchCase->Width() + S(8));
    FResultLabel->SetHeight(FMatchCase->Height());
}

void TSearchPanel::CreateWnd() {
    TCustomPanel::CreateWnd();
    LayoutControls();
    if (FGrid) FGrid->SearchPanelCreated();
}

void TSearchPanel::Resize() {
    TCustomPanel::Resize();
    if (FGrid && HandleAllocated()) FGrid->SearchPanelResized();
}

void TSearchPanel::Paint() {
    TCanvas* C = Canvas();
    const TRect R = ClientRect();
    if (FColorTo == clNone) {
        C->Brush()->SetColor(Color());
        C->FillRect(R);
    } else {
        DrawButtonGradient(C, Color(), FColorTo, false, R, 32, clNone);
    }
    C->Pen()->SetColor(FGrid ? FGrid->GridLineColor() : clGray);
    C->MoveTo(R.Left, R.Top);
    C->LineTo(R.Right, R.Top);
}

// ---- The grid's side ------------------------------------------------------------------------------------

void TZirOvararIzazCore::CreateSearchPanel() {
    FSearchPanel = Create<TSearchPanel>(this);
    FSearchPanel->SetDoubleBuffered(true);
    FSearchPanel->SetHeight(0);
    FSearchPanel->SetBorderWidth(0);
    FSearchPanel->OnEditChange = [this](TObject* Sender) { SearchFooterEditChanged(Sender); };
    FSearchPanel->OnBackwardClick = [this](TObject* Sender) { SearchFooterFindPrevious(Sender); };
    FSearchPanel->OnForwardClick = [this](TObject* Sender) { SearchFooterFindNext(Sender); };
    FSearchPanel->OnExitClick = [this](TObject* Sender) { SearchFooterClose(Sender); };
    FSearchPanel->OnHighLightClick = [this](TObject* Sender) { SearchFooterHighlightChanged(Sender); };
    FSearchPanel->OnMatchCaseClick = [this](TObject* Sender) { SearchFooterMatchCaseChanged(Sender); };
}

void TZirOvararIzazCore::ParentSearchPanel() {
    if (!FSearchPanel) return;
    const bool Show = FSearchFooter->Visible();
    FSearchPanel->SetVisible(Show);
    FSearchPanel->Edit()->SetColor(FSearchFooter->SearchColor());
    FSearchPanel->Edit()->Font()->SetColor(FSearchFooter->SearchTextColor());
    FSearchPanel->SetHeight(Show ? GetSearchFooterHeight() : 0);
    FSearchPanel->SetParent(this);
}

void TZirOvararIzazCore::ApplySearchFooterSettings(TObject*) {
    // The panel's own window creation comes back here; once is enough.
    if (IsLoading() || !FSearchPanel || FApplyingSearchFooter || ComponentState().Contains(csDestroying)) return;
    TFlagScope Applying(FApplyingSearchFooter, true);
    TSearchFooter* SF = FSearchFooter.get();
    TSearchPanel* P = FSearchPanel;
    // Highlights on view go when the footer is hidden with the highlight
    // button down, and follow AlwaysHighLight.
    const bool Repaint = (P->HighlightButton()->Down() && P->Visible() && !SF->Visible()) || SF->AlwaysHighLight();
    P->SetVisible(SF->Visible());
    if (!P->HandleAllocated()) return;
    if (Repaint && !IsUpdating()) Invalidate();

    P->SetColor(SF->Color());
    P->SetColorTo(SF->ColorTo());
    P->Font()->Assign(SF->Font());
    P->Font()->SetHeight(Integer(std::lround(SF->Font()->Height() * Double(FDPIScale > 0 ? FDPIScale : 1.0f))));
    P->SetFindNextCaption(SF->FindNextCaption());
    P->SetFindPrevCaption(SF->FindPrevCaption());
    P->SetMatchCaseCaption(SF->MatchCaseCaption());
    P->SetHighLightCaption(SF->HighLightCaption());
    P->Edit()->SetColor(SF->SearchColor());
    P->Edit()->Font()->SetColor(SF->SearchTextColor());
    P->SetHintFindNext(SF->HintFindNext());
    P->SetHintFindPrev(SF->HintFindPrev());
    P->SetHintClose(SF->HintClose());
    P->SetHintHighlight(SF->HintHighlight());

    for (TKelGridButton* B : {P->ForwardButton(), P->BackwardButton(), P->HighlightButton()}) {
        if (AutoThemeAdapt()) {
            B->SetAutoThemeAdapt(true);
            B->SetFlat(true);
            continue;
        }
        switch (FControlLook->ControlStyle()) {
        case ZirOvararIzaz::csFlat:
            B->SetFlat(true);
            break;
        case ZirOvararIzaz::csWinXP:
        case ZirOvararIzaz::csTheme:
            B->SetAutoXPStyle(true);
            B->SetFlat(false);
            break;
        case ZirOvararIzaz::csClassic:
            B->SetAutoXPStyle(false);
            B->SetFlat(false);
            break;
        default:
            break;
        }
    }

    const bool Search = SF->SearchType() == stSearch;
    P->HighlightButton()->SetVisible(Search && SF->ShowHighLight());
    P->BackwardButton()->SetVisible(Search && SF->ShowFindPrev());
    P->ForwardButton()->SetVisible(Search && SF->ShowFindNext());
    P->ExitButton()->SetVisible(SF->ShowClose());
    P->MatchCase()->SetVisible(SF->ShowMatchCase());
    P->ResultLabel()->SetVisible(SF->ShowResults());
    LayoutSearchFooterControls();

    if (SF->Visible()) {
        P->SetHeight(GetSearchFooterHeight());
        UpdateSearchPanel();
        NotifySearchPanel();
    } else {
        P->SetHeight(0);
    }
}

// The buttons, the match-case box and the result label in a row from the
// forward button on, each visible one followed by a gap; right to left the
// row runs leftwards from the close button and the edit at the right edge.
void TZirOvararIzazCore::LayoutSearchFooterControls() {
    TSearchPanel* P = FSearchPanel;
    const Double Factor = std::max(Double(FDPIScale), 0.01);
    auto S = [Factor](Integer V) { return Integer(std::lround(V * Factor)); };
    const Integer Gap = 8;
    const Integer ButtonHeight = P->Edit()->Height() + 2;
    TKelGridButton* const Buttons[] = {P->ForwardButton(), P->BackwardButton(), P->HighlightButton()};
    for (TKelGridButton* B : Buttons) B->SetHeight(B->Visible() ? ButtonHeight : 0);
    TKelCheckBox* Box = P->MatchCase();
    P->Canvas()->Font()->Assign(Box->Font());
    Box->SetWidth(P->Canvas()->TextWidth(Box->Caption()) + S(20));
    Box->SetHeight(Box->Visible() ? S(18) : 0);
    TLabel* Label = P->ResultLabel();
    if (P->UseRightToLeftAlignment()) {
        TKelGridButton* Exit = P->ExitButton();
        Exit->SetLeft(P->ClientWidth() - S(5) - Exit->Width());
        P->Edit()->SetLeft(Exit->Left() - Gap - P->Edit()->Width());
        Integer X = P->Edit()->Left() - Gap;
        for (TKelGridButton* B : Buttons) {
            if (!B->Visible()) continue;
            B->SetLeft(X - B->Width());
            X = B->Left() - Gap;
        }
        if (Box->Visible()) {
            Box->SetLeft(X - Box->Width());
            X = Box->Left() - S(10);
        }
        Label->SetLeft(X - Label->Width());
        return;
    }
    Integer X = P->ForwardButton()->Left();
    for (TKelGridButton* B : Buttons) {
        if (!B->Visible()) continue;
        B->SetLeft(X);
        X += B->Width() + Gap;
    }
    if (Box->Visible()) {
        Box->SetLeft(X);
        X += Box->Width() + S(10);
    }
    Label->SetLeft(X);
}

void TZirOvararIzazCore::SearchPanelResized() { ApplySearchFooterSettings(FSearchPanel); }

void TZirOvararIzazCore::SearchPanelCreated() {
    ApplySearchFooterSettings(this);
    if (OnCreatedSearchFooter) OnCreatedSearchFooter(this);
}

bool TZirOvararIzazCore::SearchFooterHighlighting() const {
    return FSearchPanel->HighlightButton()->Down() || FSearchFooter->AlwaysHighLight();
}

// The options of a footer search; the typed search and next/previous use
// the same ones, so that the position they count agrees with the total.
TFindParams TZirOvararIzazCore::SearchFooterParams() {
    TSearchFooter* SF = FSearchFooter.get();
    TFindParams P{fnAutoGoto};
    if (SearchFooterHighlighting() || SF->IgnoreHTML()) P.Include(fnIgnoreHTMLTags);
    if (SF->IgnoreAccents()) P.Include(fnIgnoreAccents);
    if (FSearchPanel->MatchCase()->Checked()) P.Include(fnMatchCase);
    if (SF->SearchActiveColumnOnly()) P.Include(fnFindInCurrentCol);
    if (SF->SearchMatchStart()) P.Include(fnMatchStart);
    if (SF->SearchFixedCells()) P.Include(fnIncludeFixed);
    if (SF->SearchHiddenRows()) P.Include(fnIncludeHiddenRows);
    if (SF->SearchDirection() == sdLeftRight) P.Include(fnDirectionLeftRight);
    if (SF->SearchColumn() >= 0 && SF->SearchColumn() < ColCount()) {
        FindCol = DisplColIndex(SF->SearchColumn());
        P.Include(fnFindInPresetCol);
        P.Exclude(fnDirectionLeftRight);
    }
    return P;
}

void TZirOvararIzazCore::SearchFooterRefreshHighlight() {
    if (!SearchFooterHighlighting()) return;
    const Integer Column = FSearchFooter->SearchColumn();
    if (Column >= 0 && Column < AllColCount()) RepaintCol(DisplColIndex(Column));
    else if (!IsUpdating()) Invalidate();
}

void TZirOvararIzazCore::SearchFooterShowResult() {
    TSearchFooter* SF = FSearchFooter.get();
    const bool Show = SF->ShowResults() && SF->ResultTotal() > 0;
    FSearchPanel->ResultLabel()->SetCaption(
        Show ? Format(SF->ResultFormat(), {SF->ResultPosition(), SF->ResultTotal()}) : String());
}

void TZirOvararIzazCore::SearchFooterEditChanged(TObject*) {
    TSearchFooter* SF = FSearchFooter.get();
    TRetEdit* Edit = FSearchPanel->Edit();
    const String Text = Edit->Text();
    bool DefaultSearch = true;
    if (OnSearchEditChange) OnSearchEditChange(this, Text, DefaultSearch);
    if (SF->SearchType() == stNarrowDown) {
        TNarrowDownOptions Options{ndRemoveAccented};
        if (FSearchPanel->MatchCase()->Checked()) Options.Include(ndCaseSensitive);
        NarrowDown(DoSearchFooterSearch(Text), Options, SF->SearchColumn());
        return;
    }
    if (!DefaultSearch || !SF->AutoSearch()) return;
    const TFindParams P = SearchFooterParams();
    SearchFooterRefreshHighlight();
    SF->SetResultTotal(0);
    if (Text.empty()) {
        Edit->SetColor(SF->SearchColor());
        Edit->Font()->SetColor(SF->SearchTextColor());
        if (FSearchPanel->HighlightButton()->Down()) SearchFooterRefreshHighlight();
        return;
    }
    TPoint Found;
    if (SF->ShowResults()) {
        Integer Count = 0;
        Found = FindAll(DoSearchFooterSearch(Text), P, Count);
        SF->SetResultTotal(Count);
    } else {
        const TPoint Start = SF->SearchFromFocusCell() ? TPoint{Col(), Row()} : TPoint{-1, -1};
        Found = Find(Start, DoSearchFooterSearch(Text), P);
    }
    FLastFound = Found;
    if (Edit->Enabled() && !Edit->Focused() && Edit->CanFocus()) Edit->SetFocus();
    DoSearchFooterAction(Text, Found.X, Found.Y, saFindFirst);
    if (Found.X == -1) {
        SF->SetResultPosition(-1);
        Edit->SetColor(SF->SearchErrorColor());
        Edit->Font()->SetColor(SF->SearchErrorTextColor());
        FSearchPanel->ResultLabel()->SetCaption(String());
        return;
    }
    SF->SetResultPosition(1);
    SearchFooterShowResult();
    Edit->SetColor(SF->SearchColor());
    Edit->Font()->SetColor(SF->SearchTextColor());
    ScrollInView(Found.X, Row(), spMiddle);
    SearchFooterRefreshHighlight();
}

void TZirOvararIzazCore::SearchFooterFindPrevious(TObject*) {
    HideInplaceEdit();
    SearchFooterBackward(false);
}

void TZirOvararIzazCore::SearchFooterFindNext(TObject*) {
    HideInplaceEdit();
    SearchFooterForward(false);
}

void TZirOvararIzazCore::SearchFooterBackward(bool Wrapped) { SearchFooterStep(true, Wrapped); }

void TZirOvararIzazCore::SearchFooterForward(bool Wrapped) { SearchFooterStep(false, Wrapped); }

// One step of next (previous): from the last found cell; past the last
// (first) match the search goes round once more from the start (end) when
// OnSearchFooterSearchEnd lets it.
void TZirOvararIzazCore::SearchFooterStep(bool Back, bool Wrapped) {
    TSearchFooter* SF = FSearchFooter.get();
    const String Text = FSearchPanel->Edit()->Text();
    if (!SF->AutoSearch()) {
        if (Text != SF->LastSearch())
            FLastFound = SF->SearchFromFocusCell() ? TPoint{Col(), Row()} : TPoint{-1, -1};
        SF->SetLastSearch(Text);
    }
    if (Wrapped) FLastFound = TPoint{-1, -1};
    TFindParams P = SearchFooterParams();
    if (Back) P.Include(fnBackward);
    const TPoint Found = Find(FLastFound, DoSearchFooterSearch(Text), P);
    FLastFound = Found;
    if (Found.X != -1) ScrollInView(Found.X, Row(), spMiddle);
    DoSearchFooterAction(Text, Found.X, Found.Y, Back ? saFindPrevious : saFindNext);
    if (Found.X != -1 || Wrapped) {
        SF->SetResultPosition(SF->ResultPosition() + (Back ? -1 : 1));
    } else {
        bool ContinueFromStart = true;
        DoSearchFooterSearchEnd(ContinueFromStart);
        if (ContinueFromStart) {
            SearchFooterStep(Back, true);
            SF->SetResultPosition(Back ? SF->ResultTotal() : 1);
        }
    }
    SearchFooterShowResult();
    FSearchPanel->Invalidate();
}

void TZirOvararIzazCore::SearchFooterClose(TObject*) {
    if (OnSearchFooterClose) OnSearchFooterClose(this);
    if (FSearchFooter->SearchType() == stNarrowDown) NarrowDown(String(), TNarrowDownOptions{}, -1);
    FSearchFooter->SetVisible(false);
    FSearchPanel->SetVisible(false);
}

void TZirOvararIzazCore::SearchFooterHighlightChanged(TObject*) {
    if (IsUpdating() && FSearchFooter->SearchColumn() < 0) return;
    Invalidate();
}

void TZirOvararIzazCore::SearchFooterMatchCaseChanged(TObject* Sender) {
    if (FSearchPanel->HighlightButton()->Down()) SearchFooterEditChanged(Sender);
}
