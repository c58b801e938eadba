#include "dropdown/KelItemSelector.h"

#include "gridbase/CellPainting.h"
#include "gridbase/MarkupRenderer.h"
#include "gridbase/MarkupText.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"
#include "windowing/Paint.h"
#include "windowing/ScrollBar.h"

#include <cmath>

using namespace winapi;

// ---- TSelectorItem ----

const TClassInfo& TSelectorItem::StaticClassInfo() {
    using C = TSelectorItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Caption", &C::Caption, &C::SetCaption)
                                       .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
                                       .Default(clNone)
                                       .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
                                       .Default(-1)
                                       .Property(u"Image", &C::Image, &C::SetImage)
                                       .Property(u"Hint", &C::Hint, &C::SetHint)
                                       .Build();
    return Info;
}

TSelectorItem::TSelectorItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()), FRect(-1, -1, -1, -1) {}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::Changed() {
    if (auto* Items = dynamic_cast<TSelectorItems*>(Collection()))
        if (Items->OnChange) Items->OnChange(Items);
}

void TSelectorItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed();
}

void TSelectorItem::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    Changed();
}

void TSelectorItem::SetImageIndex(Integer Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed();
}

void TSelectorItem::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TSelectorItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(Other->FCaption);
    SetColor(Other->FColor);
    SetImageIndex(Other->FImageIndex);
    FImage->Assign(Other->FImage.get());
    FEnabled = Other->FEnabled;
    FHint = Other->FHint;
}

const TClassInfo& TSelectorItems::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TSelectorItems, TOwnedCollection>().Build();
    return Info;
}

TSelectorItems::TSelectorItems(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TSelectorItem::StaticClassInfo()) {}

// ---- TKelCustomItemSelector ----

const TClassInfo& TKelCustomItemSelector::StaticClassInfo() {
    using C = TKelCustomItemSelector;
    static const TClassInfo Info = TClassBuilder<C, TScrollingWinControl>()
                                       .Property(u"Columns", &C::Columns, &C::SetColumns)
                                       .Default(1)
                                       .Property(u"Items", &C::Items, &C::SetItems)
                                       .Property(u"ItemIndex", &C::ItemIndex, &C::SetItemIndex)
                                       .Property(u"SelectorType", &C::SelectorType, &C::SetSelectorType)
                                       .Default(stImage)
                                       .Property(u"ItemLayout", &C::ItemLayout, &C::SetItemLayout)
                                       .Default(ilCaptionRight)
                                       .Property(u"ItemAppearance", &C::ItemAppearance, &C::SetItemAppearance)
                                       .Property(u"ColorBoxHeight", &C::ColorBoxHeight, &C::SetColorBoxHeight)
                                       .Property(u"ColorBoxWidth", &C::ColorBoxWidth, &C::SetColorBoxWidth)
                                       .Build();
    return Info;
}

TKelCustomItemSelector::TKelCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
    SetColor(clWindow);
    FItemAppearance->SetColorStyle(scOffice2007);
    SetAutoScroll(true);
    FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
    FItemSelectorPanel = Create<TCustomItemSelector>(this);
    FItemSelectorPanel->SetParent(this);
    FItemSelectorPanel->OnItemSelect = [this](TObject*) {
        if (OnItemSelect) OnItemSelect(this);
    };
    UpdateSelectorPanel();
}

TKelCustomItemSelector::~TKelCustomItemSelector() = default;

void TKelCustomItemSelector::UpdateSelectorPanel() {
    if (FItemSelectorPanel) FItemSelectorPanel->UpdateLayout();
}

Integer TKelCustomItemSelector::ItemIndex() const {
    return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1;
}

void TKelCustomItemSelector::SetItemIndex(Integer Value) {
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SetItemIndex(Value);
    ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

Integer TKelCustomItemSelector::ItemHot() const {
    return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1;
}

void TKelCustomItemSelector::SetSelectorType(TSelectorType Value) {
    FSelectorType = Value;
    UpdateSelectorPanel();
}

void TKelCustomItemSelector::SetColumns(Integer Value) {
    if (Value <= 0) return;
    FColumns = Value;
    UpdateSelectorPanel();
}

void TKelCustomItemSelector::SetColorBoxWidth(Integer Value) {
    FColorBoxWidth = Value;
    UpdateSelectorPanel();
}

void TKelCustomItemSelector::SetColorBoxHeight(Integer Value) {
    FColorBoxHeight = Value;
    UpdateSelectorPanel();
}

void TKelCustomItemSelector::SetImages(TCustomImageList* Value) {
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    UpdateSelectorPanel();
}

void TKelCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
    if (Operation == opRemove && AComponent == FItemSelectorPanel) FItemSelectorPanel = nullptr;
}

#define SELECTOR_STEP(Name, Index)                                                                           \
    void TKelCustomItemSelector::Name() {                                                                    \
        if (!FItemSelectorPanel) return;                                                                     \
        FItemSelectorPanel->Name();                                                                          \
        ScrollItemInView(FItemSelectorPanel->Index());                                                       \
    }
SELECTOR_STEP(SelectFirst, ItemIndex)
SELECTOR_STEP(SelectLast, ItemIndex)
SELECTOR_STEP(SelectNext, ItemIndex)
SELECTOR_STEP(SelectPrevious, ItemIndex)
SELECTOR_STEP(HotNext, ItemHot)
SELECTOR_STEP(HotPrevious, ItemHot)
#undef SELECTOR_STEP

bool TKelCustomItemSelector::LookupItem(const String& S) {
    return FItemSelectorPanel && FItemSelectorPanel->LookupItem(S);
}

void TKelCustomItemSelector::ScrollItemInView(Integer Index) {
    if (!FItemSelectorPanel || Index < 0 || Index >= FItems->Count()) return;
    TControlScrollBar* Bar = VertScrollBar();
    if (!Bar->IsScrollBarVisible()) return;
    TRect R = FItemSelectorPanel->ItemRect(Index);
    R.Top -= Bar->Margin();
    R.Bottom += Bar->Margin();
    const TPoint TopLeft = ScreenToClient(FItemSelectorPanel->ClientToScreen({R.Left, R.Top}));
    const TPoint BottomRight = ScreenToClient(FItemSelectorPanel->ClientToScreen({R.Right, R.Bottom}));
    Integer Top = TopLeft.Y, Bottom = BottomRight.Y;
    const Integer Client = ClientHeight();
    if (Top < 0) {
        Bar->SetPosition(Bar->Position() + Top);
    } else if (Bottom > Client) {
        if (Bottom - Top > Client) Bottom = Top + Client;
        Bar->SetPosition(Bar->Position() + Bottom - Client);
    }
}

Integer TKelCustomItemSelector::GetVisibleItemCount() const {
    if (!FItemSelectorPanel || FItems->Count() == 0) return 0;
    const Integer CellHeight = FItems->Items(0)->Rect().Height();
    // A zero cell height (before a layout, or from an item-size handler)
    // counts no items rather than dividing by it.
    if (CellHeight <= 0) return 0;
    Integer H = Height();
    if (HorzScrollBar()->IsScrollBarVisible()) H -= 20;
    return H / CellHeight * FColumns;
}

void TKelCustomItemSelector::GetPanelSize(TSize& Size) const {
    if (!FItemSelectorPanel) {
        Size = {100, 50};
        return;
    }
    Size = {FItemSelectorPanel->Width(), FItemSelectorPanel->Height()};
}

void TKelCustomItemSelector::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    case WM_VSCROLL:
        if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
            VertScrollBar()->SetPosition(Integer(HIWORD(Message.WParam)));
            return;
        }
        TScrollingWinControl::WndProc(Message);
        return;
    default:
        TScrollingWinControl::WndProc(Message);
        return;
    }
}

// ---- TCustomItemSelector ----

const TClassInfo& TCustomItemSelector::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomItemSelector, TCustomControl>().Build();
    return Info;
}

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner) {
    FKelItemSelector = dynamic_cast<TKelCustomItemSelector*>(AOwner);
    if (!FKelItemSelector) throw Exception(u"Invalid parent");
    SetParentColor(true);
}

bool TCustomItemSelector::IsValid(Integer Index) const {
    return FKelItemSelector && Index >= 0 && Index < FKelItemSelector->Items()->Count();
}

bool TCustomItemSelector::IsDisabled(Integer Index) const {
    return IsValid(Index) && !FKelItemSelector->Items()->Items(Index)->Enabled();
}

TRect TCustomItemSelector::ItemRect(Integer Index) const {
    if (!IsValid(Index)) return TRect(-1, -1, -1, -1);
    return FKelItemSelector->Items()->Items(Index)->Rect();
}

Integer TCustomItemSelector::ItemAtPos(TPoint P) const {
    if (!FKelItemSelector) return -1;
    TSelectorItems* Items = FKelItemSelector->Items();
    for (Integer I = 0; I < Items->Count(); ++I) {
        const TRect R = Items->Items(I)->Rect();
        if (P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom) return I;
    }
    return -1;
}

void TCustomItemSelector::SetItemIndex(Integer Value) {
    // An index at or past Count is ignored like a disabled item.
    if (IsDisabled(Value) || (FKelItemSelector && Value >= FKelItemSelector->Items()->Count())) return;
    if (IsValid(FItemIndex) && FItemIndex != Value) {
        const Integer Old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(Old);
    }
    FItemIndex = Value;
    if (Value >= 0) {
        InvalidateItem(Value);
        if (OnItemSelect) OnItemSelect(this);
    }
}

void TCustomItemSelector::SetItemHot(Integer Index) {
    if (Index == FItemHot || IsDisabled(Index)) return;
    if (FKelItemSelector && Index >= FKelItemSelector->Items()->Count()) return;
    const Integer Old = FItemHot;
    FItemHot = Index;
    if (IsValid(Old)) InvalidateItem(Old);
    if (Index >= 0) InvalidateItem(Index);
}

void TCustomItemSelector::SelectFirst() {
    if (FKelItemSelector->Items()->Count() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast() {
    if (FKelItemSelector->Items()->Count() > 0) SetItemIndex(FKelItemSelector->Items()->Count() - 1);
}

void TCustomItemSelector::SelectNext() {
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (IsValid(FItemIndex + 1))
        SetItemIndex(FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious() {
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (IsValid(FItemIndex - 1))
        SetItemIndex(FItemIndex - 1);
}

void TCustomItemSelector::HotNext() {
    if (FItemHot < 0)
        SetItemHot(0);
    else if (IsValid(FItemHot + 1))
        SetItemHot(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious() {
    if (FItemHot < 0)
        SetItemHot(0);
    else if (IsValid(FItemHot - 1))
        SetItemHot(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const String& S) {
    TSelectorItems* Items = FKelItemSelector->Items();
    if (Items->Count() == 0) return false;
    const auto Matches = [&](Integer I) {
        const String Plain = CaseFold(Trim(MarkupToPlainText(Items->Items(I)->Caption())), false);
        return Plain.compare(0, S.size(), S) == 0;
    };
    const Integer Start = FItemIndex >= 0 ? FItemIndex : 0;
    for (Integer I = Start; I < Items->Count(); ++I)
        if (I != FItemIndex && Matches(I)) {
            SetItemIndex(I);
            return true;
        }
    if (Start > 0)
        for (Integer I = 0; I < Items->Count(); ++I)
            if (Matches(I)) {
                SetItemIndex(I);
                return true;
            }
    return false;
}

void TCustomItemSelector::InvalidateItem(Integer Index) {
    if (!IsValid(Index) || !HandleAllocated()) return;
    const TRect R = ItemRect(Index);
    InvalidateRect(Handle(), &R, true);
}

void TCustomItemSelector::GetItemsArea(TRect& R) const {
    R = ClientRect();
    InflateRect(R, -FOffSetX, -FOffSetY);
}

TSize TCustomItemSelector::ContentSize(Integer Index, Single Factor) const {
    if (FKelItemSelector->SelectorType() == stColor)
        return {RoundToInt(FKelItemSelector->ColorBoxWidth() * Factor),
                RoundToInt(FKelItemSelector->ColorBoxHeight() * Factor)};
    TSelectorItem* Item = FKelItemSelector->Items()->Items(Index);
    if (Item->Image()->Graphic() && !Item->Image()->Graphic()->Empty())
        return {Item->Image()->Width(), Item->Image()->Height()};
    if (TCustomImageList* Images = FKelItemSelector->Images(); Images && Item->ImageIndex() >= 0)
        return {Images->Width(), Images->Height()};
    return {0, 0};
}

void TCustomItemSelector::DrawCaption(TCanvas* Canvas, const String& Caption, const TRect& R, Single Factor,
                                      bool Draw, TSize& Size) {
    Size = {0, 0};
    if (Caption.empty()) return;
    if (!Draw) {
        MeasureMarkupText(Canvas, Caption, R, FKelItemSelector->Images(), false, this, Factor, Size);
        return;
    }
    TMarkupDrawParams Params;
    Params.Canvas = Canvas;
    Params.Text = Caption;
    Params.Rect = R;
    Params.Images = FKelItemSelector->Images();
    Params.OwnerWindow = HandleAllocated() ? Handle() : nullptr;
    Params.ControlScale = Factor;
    Params.AnchorColor = 0xFF0000;
    Params.ShadowColor = 0x808080;
    TMarkupDrawResult Result;
    Canvas->Brush()->SetStyle(bsClear);
    DrawMarkupOnCanvas(Params, Result);
    Canvas->Brush()->SetStyle(bsSolid);
    Size = {Result.Width, Result.Height};
}

void TCustomItemSelector::GetItemSize(TSize& Size) {
    if (FKelItemSelector->OnItemSize) {
        FKelItemSelector->OnItemSize(this, Size);
        return;
    }
    TSelectorItems* Items = FKelItemSelector->Items();
    Integer W = 0, H = 0;
    for (Integer I = 0; I < Items->Count(); ++I) {
        const TSize Content = ContentSize(I, 1.0f);
        W = std::max(W, Content.cx);
        H = std::max(H, Content.cy);
    }
    const Single F = GetDPIScale(this);
    Canvas()->Font()->Assign(FKelItemSelector->ItemAppearance()->Font());
    Canvas()->Font()->SetHeight(RoundToInt(Canvas()->Font()->Height() * F));
    Integer TW = 0, TH = 0;
    for (Integer I = 0; I < Items->Count(); ++I) {
        TSize Measured{0, 0};
        MeasureMarkupText(Canvas(), Items->Items(I)->Caption(), TRect(0, 0, 1000, 500), FKelItemSelector->Images(),
                          false, this, F, Measured);
        TW = std::max(TW, RoundToInt(Measured.cx * F));
        TH = std::max(TH, Measured.cy);
    }
    if (TW > 0) TW += 4;
    const TItemLayout Layout = FKelItemSelector->ItemLayout();
    if (Layout == ilCaptionLeft || Layout == ilCaptionRight) {
        Size.cx = 2 * FItemOffSetX + (W > 0 ? W : 0) + (W > 0 && TW > 0 ? FCaptionGap : 0) + (TW > 0 ? TW : 0);
        Size.cy = 2 * FItemOffSetY + std::max(H, TH);
    } else {
        Size.cx = 2 * FItemOffSetX + std::max(W, TW);
        Size.cy = 2 * FItemOffSetY + (H > 0 ? H : 0) + (H > 0 && TH >= 1 ? FCaptionGap : 0) + (TH >= 1 ? TH : 0);
    }
}

void TCustomItemSelector::UpdateLayout() {
    TSelectorItems* Items = FKelItemSelector->Items();
    if (Items->Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize Cell{0, 0};
    GetItemSize(Cell);
    // The area's margins are those of the panel's own client rectangle.
    const TRect A(FOffSetX, FOffSetY, FOffSetX, FOffSetY);
    Integer X = A.Left, Y = A.Top, Column = 0, Widest = 0;
    const Integer Columns = FKelItemSelector->Columns();
    for (Integer I = 0; I < Items->Count(); ++I) {
        Items->Items(I)->SetRect(TRect(X, Y, X + Cell.cx, Y + Cell.cy));
        ++Column;
        if (I + 1 < Items->Count()) {
            if (Column < Columns) {
                X += Cell.cx;
            } else {
                Widest = std::max(Widest, X);
                X = A.Left;
                Y += Cell.cy;
                Column = 0;
            }
        }
    }
    Widest = std::max(Widest, X);
    SetBounds(Left(), Top(), Widest + Cell.cx + A.Left, Y + Cell.cy + A.Top);
    Invalidate();
}

void TCustomItemSelector::Paint() {
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
    if (FKelItemSelector->OnBeforeDrawItems) FKelItemSelector->OnBeforeDrawItems(this, C);
    DrawItems(C);
    if (FKelItemSelector->OnAfterDrawItems) FKelItemSelector->OnAfterDrawItems(this, C);
}

void TCustomItemSelector::DrawItems(TCanvas* Canvas) {
    for (Integer I = 0; I < FKelItemSelector->Items()->Count(); ++I)
        DrawItem(I, Canvas);
}

void TCustomItemSelector::PaintBackground(Integer Index, TCanvas* Canvas, TColor& TextColor) {
    const TItemAppearance& Look = *FKelItemSelector->ItemAppearance();
    const TRect R = ItemRect(Index);
    TColor Frame = Look.BorderColor(), TopLine = Look.BorderColorTop(), BottomLine = Look.BorderColorBottom(),
           Edge = Look.EdgeColor();
    TColor Fill = clNone, FillTo = clNone, Mirror = clNone, MirrorTo = clNone;
    const bool Hot = Index == FItemHot, Selected = Index == FItemIndex;
    if (Hot) {
        Fill = Look.ColorHot();
        FillTo = Look.ColorHotTo();
        Mirror = Look.ColorMirrorHot();
        MirrorTo = Look.ColorMirrorHotTo();
        if (Look.BorderColorHot() != clNone) {
            Frame = Look.BorderColorHot();
            TopLine = BottomLine = Edge = clNone;
        }
    }
    if (Selected) {
        Fill = Look.ColorSelected();
        FillTo = Look.ColorSelectedTo();
        Mirror = Look.ColorMirrorSelected();
        MirrorTo = Look.ColorMirrorSelectedTo();
        if (Look.BorderColorSelected() != clNone) {
            Frame = Look.BorderColorSelected();
            TopLine = BottomLine = Edge = clNone;
        }
    }
    const TColor Background = Color();
    TextColor = Font()->Color();
    if (!Hot && !Selected) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Background);
        Canvas->FillRect(R);
    } else if (TopLine == clNone) {
        DrawBackgroundAndBorder(Canvas, R, Fill, FillTo, Frame, 1, gdVertical);
    } else {
        DrawSelectionFrame(Canvas, Fill, FillTo, Mirror, MirrorTo, TopLine, BottomLine, Frame, Edge, Background, R,
                           sfSingle);
    }
}

void TCustomItemSelector::DrawItemBackground(Integer Index, TCanvas* ACanvas) {
    if (!IsValid(Index) || !ACanvas) return;
    TColor TextColor;
    PaintBackground(Index, ACanvas, TextColor);
}

void TCustomItemSelector::DrawItem(Integer Index, TCanvas* Canvas) {
    if (!IsValid(Index) || !Canvas || !FKelItemSelector) return;
    TSelectorItem* Item = FKelItemSelector->Items()->Items(Index);
    const TRect Cell = Item->Rect();
    if (Cell.Left < 0 && Cell.Right < 0) return;
    TColor TextColor = clBlack;
    PaintBackground(Index, Canvas, TextColor);
    if (FKelItemSelector->OnDrawItem) {
        FKelItemSelector->OnDrawItem(this, Canvas, Cell, Index);
        return;
    }
    const Single F = GetDPIScale(this);
    const TSize Content = ContentSize(Index, F);
    const Integer W = Content.cx, H = Content.cy;
    TRect T = Cell;
    InflateRect(T, -FItemOffSetX, -FItemOffSetY);
    TRect K = T;
    const TItemAppearance& Look = *FKelItemSelector->ItemAppearance();
    Canvas->Font()->Assign(Look.Font());
    Canvas->Font()->SetHeight(RoundToInt(Look.Font()->Height() * F));
    if (Index == FItemHot) TextColor = Look.ColorHotText();
    if (Index == FItemIndex) TextColor = Look.ColorSelectedText();
    Canvas->Font()->SetColor(TextColor);
    const TColor BoxColor = Item->Color() != clNone ? Item->Color() : Canvas->Brush()->Color();
    const bool IsColor = FKelItemSelector->SelectorType() == stColor;
    const bool HasPicture = !IsColor && Item->Image()->Graphic() && !Item->Image()->Graphic()->Empty();
    TCustomImageList* Images = FKelItemSelector->Images();
    const auto DrawContent = [&](Integer X, Integer Y) {
        if (IsColor) {
            Canvas->Pen()->SetColor(clBlack);
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(BoxColor);
            Canvas->Rectangle(X, Y, X + W, Y + H);
        } else if (HasPicture) {
            Canvas->Draw(X, Y, Item->Image()->Graphic());
        } else if (Images && Item->ImageIndex() >= 0) {
            Images->Draw(Canvas, X, Y, Item->ImageIndex(), Item->Enabled());
        }
    };
    const String& Caption = Item->Caption();
    TSize Measured{0, 0};
    switch (FKelItemSelector->ItemLayout()) {
    case ilCaptionLeft:
        if (!Caption.empty()) {
            T.Right -= W;
            DrawCaption(Canvas, Caption, T, F, false, Measured);
            if (Measured.cy < T.Height()) T.Top += (T.Height() - Measured.cy) / 2;
            DrawCaption(Canvas, Caption, T, F, true, Measured);
            K.Left = T.Left + Measured.cx + FCaptionGap;
        }
        DrawContent(K.Left, IsColor ? K.Top : K.Top + (K.Height() - H) / 2);
        break;
    case ilCaptionRight:
        DrawContent(K.Left, IsColor ? K.Top : K.Top + (K.Height() - H) / 2);
        if (W > 0) T.Left = K.Left + W + FCaptionGap;
        if (!Caption.empty()) {
            DrawCaption(Canvas, Caption, T, F, false, Measured);
            if (Measured.cy < T.Height()) T.Top += (T.Height() - Measured.cy) / 2;
            DrawCaption(Canvas, Caption, T, F, true, Measured);
        }
        break;
    case ilCaptionTop:
        if (!Caption.empty()) {
            T.Bottom -= H;
            DrawCaption(Canvas, Caption, T, F, true, Measured);
            K.Top = T.Top + Measured.cy + FCaptionGap;
        } else {
            K.Top += (K.Height() - H) / 2;
        }
        K.Left += (K.Width() - W) / 2;
        DrawContent(K.Left, K.Top);
        break;
    case ilCaptionBottom:
        if (Caption.empty()) K.Top += (K.Height() - H) / 2;
        K.Left += (K.Width() - W) / 2;
        DrawContent(K.Left, K.Top);
        T.Top = K.Top + H + FCaptionGap;
        if (!Caption.empty()) DrawCaption(Canvas, Caption, T, F, true, Measured);
        break;
    }
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const Integer Index = ItemAtPos({X, Y});
    if (Index >= 0 && !IsDisabled(Index)) SetItemIndex(Index);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    const Integer Index = ItemAtPos({X, Y});
    if (Index < 0) {
        SetItemHot(-1);
        return;
    }
    if (Index == FItemHot) return;
    if (IsDisabled(Index)) {
        SetItemHot(-1);
        return;
    }
    SetItemHot(Index);
    SetHint(FKelItemSelector->Items()->Items(Index)->Hint());
    if (Application) Application->CancelHint();
}

void TCustomItemSelector::MouseLeave() {
    TCustomControl::MouseLeave();
    SetItemHot(-1);
}
