// Message boxes: the dialog form (icon, wrapped text, buttons), the ways in
// (MessageDlg, ShowMessage, MessageBox) and the scripted answers of tests.

#include "ControlGlobals.h"
#include "graphics/GdiText.h"
#include "rtl/StringUtils.h"
#include "vcl/Dialogs.h"
#include "vcl/StdCtrls.h"
#include "windowing/Backend.h"

#include <algorithm>
#include <iostream>

using namespace winapi;

namespace {

constexpr Integer Margin = 16;
constexpr Integer IconSize = 32;
constexpr Integer IconGap = 12;
constexpr Integer MaxTextWidth = 400;
constexpr Integer ButtonWidth = 75;
constexpr Integer ButtonHeight = 25;
constexpr Integer ButtonGap = 6;

TMessageBoxHandler& MessageBoxHandler() {
    static TMessageBoxHandler Handler;
    return Handler;
}

TMessageDialogDriver& MessageDialogDriver() {
    static TMessageDialogDriver Driver;
    return Driver;
}

const char16_t* const ButtonNames[] = {u"Yes",   u"No",  u"OK",      u"Cancel",   u"Abort", u"Retry",
                                       u"Ignore", u"All", u"NoToAll", u"YesToAll", u"Help",  u"Close"};

// The picture of the message's kind, drawn with the canvas: a red disc with
// a cross (error), a yellow triangle with "!" (warning), a blue disc with
// "i" (information) or "?" (confirmation).
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* AOwner, TMsgDlgType Type) : TGraphicControl(AOwner), FType(Type) {
        SetName(u"Image");
        SetBounds(0, 0, IconSize, IconSize);
    }

protected:
    void Paint() override {
        TCanvas* C = Canvas();
        C->Pen()->SetColor(clBlack);
        C->Font()->SetStyle(TFontStyles{fsBold});
        C->Font()->SetHeight(-22);
        String Mark;
        if (FType == mtWarning) {
            C->Brush()->SetColor(clYellow);
            C->Polygon({{IconSize / 2, 1}, {IconSize - 1, IconSize - 2}, {0, IconSize - 2}});
            C->Font()->SetColor(clBlack);
            Mark = u"!";
        } else {
            C->Brush()->SetColor(FType == mtError ? clRed : clBlue);
            C->Ellipse(0, 0, IconSize, IconSize);
            C->Font()->SetColor(clWhite);
            Mark = FType == mtError ? u"X" : FType == mtInformation ? u"i" : u"?";
        }
        C->Brush()->SetStyle(bsClear);
        TRect R = Rect(0, 2, IconSize, IconSize);
        C->TextRect(R, Mark, TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
    }

private:
    TMsgDlgType FType;
};

String DialogCaption(TMsgDlgType Type) {
    switch (Type) {
    case mtWarning:
        return u"Warning";
    case mtError:
        return u"Error";
    case mtInformation:
        return u"Information";
    case mtConfirmation:
        return u"Confirmation";
    default:
        return Application ? Application->Title() : String();
    }
}

// The MessageBox flags a script sees for a request: the button set (when
// it is one of the standard ones) and the icon.
UINT BoxTypeOf(const TMessageBoxRequest& Request) {
    TMsgDlgButtons Set;
    for (TMsgDlgBtn B : Request.Buttons)
        Set.Include(B);
    UINT Type = MB_OK;
    if (Set == mbOKCancel)
        Type = MB_OKCANCEL;
    else if (Set == mbAbortRetryIgnore)
        Type = MB_ABORTRETRYIGNORE;
    else if (Set == mbYesNoCancel)
        Type = MB_YESNOCANCEL;
    else if (Set == mbYesNo)
        Type = MB_YESNO;
    else if (Set == TMsgDlgButtons{mbRetry, mbCancel})
        Type = MB_RETRYCANCEL;
    switch (Request.DlgType) {
    case mtWarning:
        Type |= MB_ICONWARNING;
        break;
    case mtError:
        Type |= MB_ICONERROR;
        break;
    case mtInformation:
        Type |= MB_ICONINFORMATION;
        break;
    case mtConfirmation:
        Type |= MB_ICONQUESTION;
        break;
    default:
        break;
    }
    if (Request.DefaultIndex == 1) Type |= MB_DEFBUTTON2;
    if (Request.DefaultIndex == 2) Type |= MB_DEFBUTTON3;
    return Type;
}

bool HasDisplay() {
    return Backend().Name() != u"headless";
}

TMessageBoxRequest DialogRequest(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    TMessageBoxRequest Request;
    Request.Text = Msg;
    Request.DlgType = DlgType;
    Request.Caption = DialogCaption(DlgType);
    for (Integer B = mbYes; B <= mbClose; ++B)
        if (Buttons.Contains(TMsgDlgBtn(B))) Request.Buttons.push_back(TMsgDlgBtn(B));
    if (Request.Buttons.empty()) Request.Buttons.push_back(mbOK);
    auto IndexOf = [&](TMsgDlgBtn B) -> Integer {
        auto Found = std::find(Request.Buttons.begin(), Request.Buttons.end(), B);
        return Found == Request.Buttons.end() ? -1 : Integer(Found - Request.Buttons.begin());
    };
    Request.DefaultIndex = IndexOf(mbOK) >= 0 ? IndexOf(mbOK) : IndexOf(mbYes) >= 0 ? IndexOf(mbYes) : 0;
    Request.CancelIndex = IndexOf(mbCancel) >= 0 ? IndexOf(mbCancel)
                          : IndexOf(mbNo) >= 0 ? IndexOf(mbNo)
                                               : IndexOf(mbOK);
    if (Request.Buttons.size() == 1) Request.CancelIndex = 0;
    return Request;
}

} // namespace

TModalResult ModalResultOf(TMsgDlgBtn Button) {
    static const TModalResult Results[] = {mrYes,   mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                           mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrHelp,  mrClose};
    return Results[Button];
}

String ButtonCaption(TMsgDlgBtn Button) {
    static const char16_t* const Captions[] = {u"&Yes",    u"&No",  u"OK",         u"Cancel",
                                               u"&Abort",  u"&Retry", u"&Ignore",  u"&All",
                                               u"N&o to All", u"Yes to &All", u"&Help", u"&Close"};
    return Captions[Button];
}

TForm* CreateMessageDialog(const TMessageBoxRequest& Request) {
    TForm* Dialog = CreateNew<TForm>(Application);
    try {
        Dialog->SetName(u"MessageDialog");
        Dialog->SetBorderStyle(bsDialog);
        Dialog->SetBorderIcons(TBorderIcons{biSystemMenu});
        Dialog->SetCaption(Request.Caption);
        Dialog->SetAutoScroll(false);
        Dialog->SetKeyPreview(true);

        // The text's size when wrapped at the widest a box grows to.
        TRect TextRect = Rect(0, 0, MaxTextWidth, 0);
        Dialog->Canvas()->Font()->Assign(Dialog->Font());
        Dialog->Canvas()->TextRect(TextRect, Request.Text, TTextFormat{tfCalcRect, tfWordBreak});
        Dialog->Canvas()->Handle(); // keep the measuring context until the form goes
        bool HasIcon = Request.DlgType != mtCustom;
        Integer TextLeft = Margin + (HasIcon ? IconSize + IconGap : 0);
        if (HasIcon) {
            auto* Icon = new TMessageIcon(Dialog, Request.DlgType);
            Icon->SetBounds(Margin, Margin, IconSize, IconSize);
            Icon->SetParent(Dialog);
        }
        auto* Message = Create<TLabel>(Dialog);
        Message->SetName(u"Message");
        Message->SetShowAccelChar(false);
        Message->SetWordWrap(true);
        Message->SetAutoSize(false);
        Message->SetBounds(TextLeft, Margin, TextRect.Width(), TextRect.Height());
        Message->SetCaption(Request.Text);
        Message->SetParent(Dialog);

        Integer ButtonCount = Integer(Request.Buttons.size());
        Integer ButtonsWidth = ButtonCount * ButtonWidth + (ButtonCount - 1) * ButtonGap;
        Integer ClientWidth = std::max(TextLeft + TextRect.Width() + Margin, ButtonsWidth + 2 * Margin);
        Integer BodyHeight = std::max(HasIcon ? IconSize : 0, TextRect.Height());
        Integer ButtonTop = Margin + BodyHeight + Margin;
        Dialog->SetClientWidth(ClientWidth);
        Dialog->SetClientHeight(ButtonTop + ButtonHeight + 12);

        Integer X = (ClientWidth - ButtonsWidth) / 2;
        for (Integer I = 0; I < ButtonCount; ++I) {
            TMsgDlgBtn Kind = Request.Buttons[size_t(I)];
            auto* Button = Create<TButton>(Dialog);
            Button->SetName(ButtonNames[Kind]);
            Button->SetCaption(ButtonCaption(Kind));
            Button->SetModalResult(ModalResultOf(Kind));
            Button->SetBounds(X, ButtonTop, ButtonWidth, ButtonHeight);
            Button->SetTabStop(true);
            Button->SetParent(Dialog);
            Button->SetDefault(I == Request.DefaultIndex);
            Button->SetCancel(I == Request.CancelIndex);
            if (I == Request.DefaultIndex) Dialog->SetActiveControl(Button);
            X += ButtonWidth + ButtonGap;
        }
        // A box without a cancel button is closed only by its buttons.
        bool Closable = Request.CancelIndex >= 0;
        TModalResult CancelResult =
            Closable ? ModalResultOf(Request.Buttons[size_t(Request.CancelIndex)]) : mrNone;
        Dialog->OnCloseQuery = [Dialog, Closable](TObject*, bool& CanClose) {
            if (!Closable && Dialog->ModalResult() == mrCancel) CanClose = false;
        };
        Dialog->OnClose = [Dialog, CancelResult](TObject*, TCloseAction&) {
            // Closed by its frame or Alt+F4: the cancel button's answer.
            if (Dialog->ModalResult() == mrCancel && CancelResult != mrNone) Dialog->SetModalResult(CancelResult);
        };

        if (Request.X >= 0 && Request.Y >= 0) {
            Dialog->SetPosition(poDesigned);
            Dialog->SetLeft(Request.X);
            Dialog->SetTop(Request.Y);
        } else {
            Dialog->SetPosition(poScreenCenter);
        }
        if (Request.Owner) Dialog->SetParentWindow(Request.Owner);
    } catch (...) {
        Free(Dialog);
        throw;
    }
    return Dialog;
}

TModalResult ShowMessageBox(const TMessageBoxRequest& Request) {
    if (MessageBoxHandler())
        return MessageBoxHandler()(Request.Owner, Request.Text, Request.Caption, BoxTypeOf(Request));
    if (!HasDisplay() && !MessageDialogDriver()) {
        // A box with nothing to decide still tells what it says; one that
        // asks a question cannot be answered without someone to ask.
        if (Request.Buttons.size() == 1) {
            std::cerr << Utf8(Request.Caption) << ": " << Utf8(Request.Text) << std::endl;
            return ModalResultOf(Request.Buttons.front());
        }
        throw EMessageBoxUnavailable(u"No display to ask: " + Request.Caption + u": " + Request.Text);
    }
    TForm* Dialog = CreateMessageDialog(Request);
    TModalResult Result = mrCancel;
    try {
        if (MessageDialogDriver()) Dialog->OnShow = [Dialog](TObject*) { MessageDialogDriver()(Dialog); };
        Result = Dialog->ShowModal();
    } catch (...) {
        Free(Dialog);
        throw;
    }
    Free(Dialog);
    return Result;
}

TMessageDialogDriver SetMessageDialogDriver(TMessageDialogDriver Driver) {
    TMessageDialogDriver Old = std::move(MessageDialogDriver());
    MessageDialogDriver() = std::move(Driver);
    return Old;
}

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx) {
    return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

TModalResult MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer /*HelpCtx*/,
                           Integer X, Integer Y) {
    TMessageBoxRequest Request = DialogRequest(Msg, DlgType, Buttons);
    Request.X = X;
    Request.Y = Y;
    if (Screen && Screen->ActiveCustomForm() && Screen->ActiveCustomForm()->HandleAllocated())
        Request.Owner = Screen->ActiveCustomForm()->Handle();
    return ShowMessageBox(Request);
}

void ShowMessage(const String& Msg) {
    MessageDlg(Msg, mtCustom, TMsgDlgButtons{mbOK}, 0);
}

Integer winapi::MessageBox(HWND Owner, const String& Text, const String& Caption, UINT Type) {
    if (MessageBoxHandler()) return MessageBoxHandler()(Owner, Text, Caption, Type);
    TMessageBoxRequest Request;
    Request.Owner = Owner;
    Request.Text = Text;
    Request.Caption = Caption;
    switch (Type & 0xF0) {
    case MB_ICONERROR:
        Request.DlgType = mtError;
        break;
    case MB_ICONQUESTION:
        Request.DlgType = mtConfirmation;
        break;
    case MB_ICONWARNING:
        Request.DlgType = mtWarning;
        break;
    case MB_ICONINFORMATION:
        Request.DlgType = mtInformation;
        break;
    default:
        Request.DlgType = mtCustom;
        break;
    }
    switch (Type & 0xF) {
    case MB_OKCANCEL:
        Request.Buttons = {mbOK, mbCancel};
        Request.CancelIndex = 1;
        break;
    case MB_ABORTRETRYIGNORE:
        Request.Buttons = {mbAbort, mbRetry, mbIgnore};
        break;
    case MB_YESNOCANCEL:
        Request.Buttons = {mbYes, mbNo, mbCancel};
        Request.CancelIndex = 2;
        break;
    case MB_YESNO:
        Request.Buttons = {mbYes, mbNo};
        break;
    case MB_RETRYCANCEL:
        Request.Buttons = {mbRetry, mbCancel};
        Request.CancelIndex = 1;
        break;
    default:
        Request.Buttons = {mbOK};
        Request.CancelIndex = 0;
        break;
    }
    Integer Default = (Type & MB_DEFBUTTON3) ? 2 : (Type & MB_DEFBUTTON2) ? 1 : 0;
    Request.DefaultIndex = std::min(Default, Integer(Request.Buttons.size()) - 1);
    return ShowMessageBox(Request);
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler Handler) {
    TMessageBoxHandler Old = std::move(MessageBoxHandler());
    MessageBoxHandler() = std::move(Handler);
    return Old;
}
