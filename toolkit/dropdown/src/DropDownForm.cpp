#include "dropdown/DropDownForm.h"

#include "dropdown/KelBars.h"
#include "dropdown/KelDropDown.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "windowing/Focus.h"
#include "windowing/MessageQueue.h"
#include "windowing/Timers.h"

#include <cmath>

using namespace winapi;

const TClassInfo& TDropDownForm::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDropDownForm, TCustomForm>().Build();
    return Info;
}

TDropDownForm::TDropDownForm(TComponent* AOwner, Integer Dummy) : TCustomForm(AOwner, Dummy) {
    SetBorderStyle(bsNone);
    SetBorderIcons({});
}

TDropDownForm::~TDropDownForm() = default;

void TDropDownForm::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TCustomForm::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TDropDownForm::CreateParams(TCreateParams& Params) {
    TCustomForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_TOPMOST;
    // Owned by the form that holds the edit, so the pop-up stays above it.
    if (FKelDropDown)
        if (TCustomForm* Form = GetParentForm(FKelDropDown)) Params.WndParent = Form->Handle();
}

void TDropDownForm::AdjustClientRect(TRect& Rect) const {
    TCustomForm::AdjustClientRect(Rect);
    if (!FKelDropDown) return;
    const Integer Border = FKelDropDown->DropDownBorderWidth();
    InflateRect(Rect, -Border, -Border);
}

void TDropDownForm::InitializeAndUpdate() {
    if (!FKelDropDown) return;
    const Single Factor = FKelDropDown->DPIScale();
    const auto Scaled = [Factor](Integer Value) { return Integer(std::nearbyint(Value * Factor)); };
    THeaderAppearance* HeaderLook = FKelDropDown->DropDownHeader();
    if (!FHeader && HeaderLook->Visible()) {
        FHeader = Create<TKelHeader>(this);
        FHeader->SetParent(this);
        FHeader->SetAlign(alTop);
    }
    if (FHeader) {
        FHeader->SetKelDropDown(FKelDropDown);
        FHeader->SetHeight(Scaled(HeaderLook->Height()));
        FHeader->RebuildButtons();
        FHeader->SetVisible(HeaderLook->Visible());
        FHeader->OnDrawBackGround = FKelDropDown->OnDrawHeader;
        FHeader->OnGetText = FKelDropDown->OnGetHeaderText;
        FHeader->SetStyleElements(FKelDropDown->StyleElements());
    }
    TFooterAppearance* FooterLook = FKelDropDown->DropDownFooter();
    if (!FFooter && FooterLook->Visible()) {
        FFooter = Create<TKelFooter>(this);
        FFooter->SetParent(this);
        FFooter->SetAlign(alBottom);
    }
    if (FFooter) {
        FFooter->SetKelDropDown(FKelDropDown);
        FFooter->SetHeight(Scaled(FooterLook->Height()));
        FFooter->RebuildButtons();
        FFooter->SetVisible(FooterLook->Visible());
        FFooter->OnDrawBackGround = FKelDropDown->OnDrawFooter;
        FFooter->OnGetText = FKelDropDown->OnGetFooterText;
        FFooter->SetStyleElements(FKelDropDown->StyleElements());
    }
}

void TDropDownForm::Paint() {
    TCustomForm::Paint();
    PaintBackground(Canvas());
}

void TDropDownForm::PaintBackground(TCanvas* Canvas) {
    if (!FKelDropDown || !Canvas) return;
    const Integer Border = FKelDropDown->DropDownBorderWidth();
    TRect Client = ClientRect();
    TRect Inner = Client;
    InflateRect(Inner, -Border, -Border);
    const TColor From = FKelDropDown->DropDownColor();
    const TColor To = FKelDropDown->DropDownColorTo();
    if (From != clNone && To != clNone) {
        DrawBandedGradient(Canvas, From, To, 80, Inner, FKelDropDown->DropDownGradient() == gdHorizontal);
    } else if (From != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(From);
        Canvas->FillRect(Inner);
    }
    if (Border > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetWidth(Border);
        Canvas->Pen()->SetColor(FKelDropDown->DropDownBorderColor());
        Canvas->Rectangle(Client.Left + Border / 2, Client.Top + Border / 2, Client.Right, Client.Bottom);
        Canvas->Pen()->SetWidth(1);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

void TDropDownForm::HandleActivate(TMessage& Message) {
    TCustomForm::WndProc(Message);
    if (FBlockActivate) return;
    const bool Activating = LOWORD(Message.WParam) != WA_INACTIVE;
    if (Activating) {
        // The owner keeps its active look while its pop-up is up.
        if (FKelDropDown)
            if (HWND Top = GetAncestor(FKelDropDown->Handle(), GA_ROOT)) SendMessage(Top, WM_NCACTIVATE, 1, 0);
        return;
    }
    if (!Visible()) return;
    FIsDeactivating = true;
    FDeActivate = GetTickCount();
    // Windows inside the pop-up (a pop-up of the hosted control) keep it open.
    HWND Activated = reinterpret_cast<HWND>(Message.LParam);
    bool Inside = false;
    for (HWND Window = Activated ? GetParent(Activated) : nullptr; Window; Window = GetParent(Window))
        if (Window == Handle()) {
            Inside = true;
            break;
        }
    if (Inside) return;
    if (FKelDropDown)
        FKelDropDown->DoHideDropDown(FCancelOnDeActivate);
    else
        Hide();
    FIsDeactivating = false;
}

void TDropDownForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ACTIVATE:
        HandleActivate(Message);
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    case WM_NCHITTEST: {
        const TPoint Point = ScreenToClient({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        if (FSizeable && Point.X > Width() - 10 && Point.Y > Height() - 10) {
            Message.Result = HTBOTTOMRIGHT;
            return;
        }
        TCustomForm::WndProc(Message);
        return;
    }
    case WM_SIZE:
        TCustomForm::WndProc(Message);
        Invalidate();
        if (OnSize) OnSize(this);
        return;
    case WM_SIZING:
        TCustomForm::WndProc(Message);
        if (OnSizing) OnSizing(this);
        return;
    default:
        TCustomForm::WndProc(Message);
        return;
    }
}
