#pragma once
// TfrmMapsIntake: maps of the abstraction points (fitted to the page; a
// click shows the natural size, the next fits again) and of the intake areas
// of four groups of points, the second with its sub-area beside it. The maps
// are pictures in the resources folder (GetResourcesDir); a missing or
// unreadable one raises the picture's file error while the window is being
// shown, and the window does not open.

#include "vcl/Forms.h"

class TComboBox;
class TImage;
class TPageControl;
class TPanel;
class TScrollBox;
class TTabSheet;

class TfrmMapsIntake : public TForm {
    RTL_CLASS(TfrmMapsIntake)
public:
    explicit TfrmMapsIntake(TComponent* AOwner);

    static void Execute();

    // The second area's two pictures side by side at half the page's width
    // each (only while that area is selected).
    void ArrangeSubareaImages();
    // True while the abstraction-point map is shown at its natural size.
    bool Zoomed() const { return FZoomed; }

    TPageControl* pagPages() const;
    TScrollBox* sbAbstractionPoints() const;
    TImage* imgAbstractionPoints() const;
    TTabSheet* tabIntakeAreas() const;
    TPanel* pnlArea() const;
    TComboBox* cmbIntakePoints() const;
    TImage* imgIntakeArea() const;
    TPanel* pnlSpacer() const;
    TImage* imgSubarea() const;

    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void cmbIntakePointsChange(TObject* Sender);
    void imgAbstractionPointsClick(TObject* Sender);

private:
    void FitAbstractionPointsMap();
    bool FZoomed = false;
};

// The one window the program block makes at start and keeps hidden; the
// information button opens a new one each time.
extern TfrmMapsIntake* frmMapsIntake;
