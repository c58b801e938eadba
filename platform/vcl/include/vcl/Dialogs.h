#pragma once
// Message boxes drawn by our own dialog form: an icon for the kind of
// message, the text wrapped to a sensible width, and a row of buttons with
// a default (Enter) and a cancel button (Escape). MessageDlg and its
// relatives, Application.MessageBox and winapi::MessageBox all show this
// dialog, modally.
//
// Tests answer boxes with a scripted handler (SetMessageBoxHandler). Without
// a script and without a display (the headless backend), asking the user is
// an error (EMessageBoxUnavailable): a box never answers on its own. A test
// that wants the real dialog on the headless backend installs a dialog
// driver, which gets the dialog once it is shown and feeds it input.

#include "vcl/Forms.h"

#include <functional>
#include <vector>

RTL_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
RTL_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
         mbHelp, mbClose)
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
RTL_SET_INFO(TMsgDlgButtons)

// The common button sets.
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

class EMessageBoxUnavailable : public Exception {
public:
    explicit EMessageBoxUnavailable(String message) : Exception(std::move(message)) {}
};

// Shows a message dialog centred on the screen and answers the modal
// result of the button chosen.
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx = 0);
// The same with the dialog's top-left corner at (X, Y) on the screen; -1
// for either centres it that way.
TModalResult MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx,
                           Integer X, Integer Y);
// An information-less box with the application's title and an OK button.
void ShowMessage(const String& Msg);

// What a message box asks: for scripts and for the dialog builder.
struct TMessageBoxRequest {
    winapi::HWND Owner = nullptr;
    String Text;
    String Caption;
    TMsgDlgType DlgType = mtCustom;
    std::vector<TMsgDlgBtn> Buttons; // in the order shown
    Integer DefaultIndex = 0;        // into Buttons
    Integer CancelIndex = -1;        // into Buttons; -1: Escape does nothing
    Integer X = -1, Y = -1;          // the dialog's place; -1 centres it
};

// Makes the dialog form for a request, not yet shown (free it after use).
// Each button is named after its kind ("OK", "Cancel", "Yes" ...) and its
// ModalResult is the kind's result.
TForm* CreateMessageDialog(const TMessageBoxRequest& Request);
// The modal result of a button kind (mbYes → mrYes ...) and its caption.
TModalResult ModalResultOf(TMsgDlgBtn Button);
String ButtonCaption(TMsgDlgBtn Button);

// Asks the user through a script, the dialog, or raises; answers the modal
// result (mrCancel when the dialog was closed otherwise).
TModalResult ShowMessageBox(const TMessageBoxRequest& Request);

// Called with the message dialog once it is shown, before the modal loop
// runs; lets the real dialog run without a display (null: none).
using TMessageDialogDriver = std::function<void(TForm* Dialog)>;
TMessageDialogDriver SetMessageDialogDriver(TMessageDialogDriver Driver);
