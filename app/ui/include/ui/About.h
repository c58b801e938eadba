#pragma once
// The about box with the program's version and release date, and the splash
// window that the main window can dismiss (the program block never makes one).

#include "vcl/Forms.h"

class TImage;
class TLabel;
class TTimer;
class TPicture;

// The program's version and release date.
inline constexpr const Char* VandrelVersion = u"1.4.2";
inline constexpr const Char* VandrelReleaseDate = u"14 July 2025";

// Draws the product picture (a water drop over the river on the program's
// blue) into Picture at the size given.
void DrawProductPicture(TPicture& Picture, Integer Size);

class TfrmAbout : public TForm {
    RTL_CLASS(TfrmAbout)
public:
    explicit TfrmAbout(TComponent* AOwner);
    // Makes the about box without an owner, shows it modally and frees it.
    static void ShowAbout();

    TLabel* lblVersion() const;
    TLabel* lblDate() const;
    TImage* imgProduct() const;

    void FormActivate(TObject* Sender);
    void FormKeyPress(TObject* Sender, Char& Key);
    void SpeedButton1Click(TObject* Sender);
    void btnCloseClick(TObject* Sender);

protected:
    void Loaded() override;
};

class TfrmSplash : public TForm {
    RTL_CLASS(TfrmSplash)
public:
    explicit TfrmSplash(TComponent* AOwner);
    void SetTimerEnabled(bool Value);
    TTimer* Timer1() const;

protected:
    void Loaded() override;
};

// The splash window, when one exists (none does unless a caller makes one).
extern TfrmSplash* frmSplash;
// Stops the splash window's timer and releases it, when there is one.
void HideSplash();
