// The navigator: speed buttons that move and change a data set.

#include "dbctrls/DBNavigator.h"

#include "rtl/ClassBuilder.h"

using namespace winapi;

const TClassInfo& TDBNavigator::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TDBNavigator, TCustomPanel>()
            .Property(u"DataSource", &TDBNavigator::DataSource, &TDBNavigator::SetDataSource)
            .Property(u"VisibleButtons", &TDBNavigator::VisibleButtons, &TDBNavigator::SetVisibleButtons)
            .Property(u"OnClick", &TDBNavigator::OnClick, [](auto& C, ENavClick E) { C.OnClick = std::move(E); })
            .Build();
    return Info;
}

namespace {

constexpr const char16_t* ButtonHints[] = {u"First record", u"Prior record", u"Next record", u"Last record",
                                           u"Insert record", u"Delete record", u"Edit record", u"Post edit",
                                           u"Cancel edit", u"Refresh data"};

// The button's picture: black marks on an olive ground (the transparent colour).
std::unique_ptr<TBitmap> ButtonGlyph(TNavigateBtn Which) {
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->SetSize(12, 12);
    TCanvas* C = Glyph->Canvas();
    C->Brush()->SetColor(clOlive);
    C->FillRect({0, 0, 12, 12});
    C->Brush()->SetColor(clBlack);
    C->Pen()->SetColor(clBlack);
    auto Left = [&](Integer X) { C->Polygon({{X + 4, 2}, {X, 6}, {X + 4, 10}}); };
    auto Right = [&](Integer X) { C->Polygon({{X, 2}, {X + 4, 6}, {X, 10}}); };
    switch (Which) {
    case nbFirst:
        C->FillRect({2, 2, 4, 11});
        Left(5);
        break;
    case nbPrior:
        Left(4);
        break;
    case nbNext:
        Right(4);
        break;
    case nbLast:
        Right(3);
        C->FillRect({8, 2, 10, 11});
        break;
    case nbInsert:
        C->FillRect({5, 2, 7, 10});
        C->FillRect({2, 5, 10, 7});
        break;
    case nbDelete:
        C->FillRect({2, 5, 10, 7});
        break;
    case nbEdit:
        C->Polygon({{2, 10}, {3, 7}, {8, 2}, {10, 4}, {5, 9}});
        break;
    case nbPost:
        C->Pen()->SetWidth(2);
        C->Polyline({{2, 6}, {5, 9}, {10, 3}});
        break;
    case nbCancel:
        C->Pen()->SetWidth(2);
        C->Polyline({{2, 2}, {10, 10}});
        C->Polyline({{10, 2}, {2, 10}});
        break;
    case nbRefresh:
        C->Pen()->SetWidth(2);
        C->Polyline({{9, 3}, {3, 3}, {3, 9}, {9, 9}, {9, 6}});
        break;
    }
    return Glyph;
}

} // namespace

class TDBNavigator::TNavDataLink : public TDataLink {
public:
    explicit TNavDataLink(TDBNavigator& Navigator) : FNavigator(Navigator) {}

protected:
    void ActiveChanged() override { FNavigator.UpdateButtons(); }
    void DataSetChanged() override { FNavigator.UpdateButtons(); }
    void EditingChanged() override { FNavigator.UpdateButtons(); }

private:
    TDBNavigator& FNavigator;
};

TDBNavigator::TDBNavigator(TComponent* AOwner)
    : TCustomPanel(AOwner), FDataLink(std::make_unique<TNavDataLink>(*this)) {
    SetBevelOuter(bvNone);
    SetCaption(String());
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption});
    for (Integer I = 0; I < Integer(FButtons.size()); ++I) {
        auto Which = TNavigateBtn(I);
        auto* Button = new TSpeedButton(this);
        Button->SetParent(this);
        Button->SetHint(ButtonHints[I]);
        std::unique_ptr<TBitmap> Glyph = ButtonGlyph(Which);
        Button->SetGlyph(Glyph.get());
        Button->OnClick = [this, Which](TObject*) { BtnClick(Which); };
        FButtons[std::size_t(I)] = Button;
    }
    SetBounds(0, 0, 241, 25);
    UpdateButtons();
}

TDBNavigator::~TDBNavigator() = default;

void TDBNavigator::BeforeDestruction() {
    FDataLink->SetDataSource(nullptr);
    TCustomPanel::BeforeDestruction();
}

TDataSource* TDBNavigator::DataSource() const {
    return FDataLink->DataSource();
}

void TDBNavigator::SetDataSource(TDataSource* Value) {
    if (Value == DataSource()) return;
    if (DataSource()) DataSource()->RemoveFreeNotification(this);
    FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
    UpdateButtons();
}

void TDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == DataSource()) {
        FDataLink->SetDataSource(nullptr);
        UpdateButtons();
    }
}

void TDBNavigator::SetVisibleButtons(TNavButtonSet Value) {
    FVisibleButtons = Value;
    PlaceButtons();
}

void TDBNavigator::Resize() {
    TCustomPanel::Resize();
    PlaceButtons();
}

void TDBNavigator::PlaceButtons() {
    if (FButtons[0] == nullptr) return;
    Integer Shown = 0;
    for (Integer I = 0; I < Integer(FButtons.size()); ++I)
        if (FVisibleButtons.Contains(TNavigateBtn(I))) ++Shown;
    // The visible buttons share the width; the first ones take the pixels left over.
    Integer X = 0, Each = Shown ? Width() / Shown : 0, Extra = Shown ? Width() % Shown : 0;
    for (Integer I = 0; I < Integer(FButtons.size()); ++I) {
        TSpeedButton* Button = FButtons[std::size_t(I)];
        bool Visible = FVisibleButtons.Contains(TNavigateBtn(I));
        Button->SetVisible(Visible);
        if (!Visible) continue;
        Integer W = Each + (Extra-- > 0 ? 1 : 0);
        Button->SetBounds(X, 0, W, Height());
        X += W;
    }
}

void TDBNavigator::UpdateButtons() {
    if (FButtons[0] == nullptr || ComponentState().Contains(csDestroying)) return;
    bool Active = FDataLink->Active();
    TDataSet* DataSet = Active ? FDataLink->DataSet() : nullptr;
    bool Browsing = Active && DataSet->State() == dsBrowse;
    bool Editing = Active && !Browsing;
    bool Empty = !Active || DataSet->IsEmpty();
    bool AtFirst = Empty || DataSet->RecNo() <= 1;
    bool AtLast = Empty || DataSet->RecNo() >= DataSet->RecordCount();
    bool CanModify = Active && DataSet->CanModify();
    const bool Enabled[] = {Browsing && !AtFirst, Browsing && !AtFirst, Browsing && !AtLast,
                            Browsing && !AtLast,  CanModify && Browsing,  CanModify && !Empty,
                            CanModify && Browsing && !Empty, Editing, Editing, Browsing};
    for (Integer I = 0; I < Integer(FButtons.size()); ++I) FButtons[std::size_t(I)]->SetEnabled(Enabled[I]);
}

void TDBNavigator::BtnClick(TNavigateBtn Which) {
    if (!FDataLink->Active()) return;
    TDataSet* DataSet = FDataLink->DataSet();
    switch (Which) {
    case nbFirst:
        DataSet->First();
        break;
    case nbPrior:
        DataSet->Prior();
        break;
    case nbNext:
        DataSet->Next();
        break;
    case nbLast:
        DataSet->Last();
        break;
    case nbInsert:
        DataSet->Insert();
        break;
    case nbDelete:
        if (DataSet->IsEmpty()) return; // nothing to delete, nothing to report
        try {
            DataSet->Delete();
        } catch (const EAbort&) {
            // BeforeDelete refused: the record and the position stay; the
            // refusal is silent by nature.
            UpdateButtons();
            return;
        }
        break;
    case nbEdit:
        DataSet->Edit();
        break;
    case nbPost:
        DataSet->Post();
        break;
    case nbCancel:
        DataSet->Cancel();
        break;
    case nbRefresh:
        DataSet->Refresh();
        break;
    }
    UpdateButtons();
    if (OnClick) OnClick(this, Which);
}
