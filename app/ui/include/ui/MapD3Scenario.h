#pragma once
// TfrmMapD3Scenario: a map of the FOCUS D3 ditch scenario, stretched to the
// window keeping its shape. The picture is "D3ScenarioMap.jpg" in the
// resources folder; a missing one keeps the window from opening.

#include "vcl/Forms.h"

class TImage;

class TfrmMapD3Scenario : public TForm {
    RTL_CLASS(TfrmMapD3Scenario)
public:
    explicit TfrmMapD3Scenario(TComponent* AOwner);

    static void Execute();

    TImage* imgMap() const;

    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
};
