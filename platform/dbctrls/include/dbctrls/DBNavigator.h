#pragma once
// The data set navigator: a row of buttons that move a data source's data
// set to its first, prior, next and last record and insert, delete, edit,
// post, cancel and refresh. Each button is enabled only where its action
// makes sense. A delete refused by the data set's BeforeDelete (EAbort)
// leaves the record and the position, and raises nothing; a delete on an
// empty data set does nothing. The navigator asks for no confirmation.

#include "data/DataSource.h"
#include "rtl/Set.h"
#include "vcl/Buttons.h"
#include "vcl/ExtCtrls.h"

#include <array>
#include <memory>

RTL_ENUM(TNavigateBtn, nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh)
using TNavButtonSet = TSet<TNavigateBtn>;
RTL_SET_INFO(TNavButtonSet)

using ENavClick = std::function<void(TObject* Sender, TNavigateBtn Button)>;

class TDBNavigator : public TCustomPanel {
    RTL_CLASS(TDBNavigator)
public:
    explicit TDBNavigator(TComponent* AOwner);
    ~TDBNavigator() override;
    void BeforeDestruction() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    TNavButtonSet VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(TNavButtonSet Value);
    // The speed button of an action (for hints, tests and looks).
    TSpeedButton* Button(TNavigateBtn Which) const { return FButtons[Which]; }
    // Runs the action of a button as its click does.
    void BtnClick(TNavigateBtn Which);

    // After the action of a button.
    ENavClick OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;

private:
    class TNavDataLink;
    friend class TNavDataLink;
    void UpdateButtons();
    void PlaceButtons();

    std::unique_ptr<TNavDataLink> FDataLink;
    std::array<TSpeedButton*, 10> FButtons{};
    TNavButtonSet FVisibleButtons{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete,
                                  nbEdit,  nbPost,  nbCancel, nbRefresh};
};
