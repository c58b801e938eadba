#include "dropdown/KelDetailDropDown.h"

#include "graphics/GdiText.h"
#include "gridbase/MarkupRenderer.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/SystemMetrics.h"
#include "DropDownScopes.h"

#include <cmath>

using namespace winapi;

namespace {

bool StartsWith(const String& Text, const String& Prefix) {
    return Text.size() >= Prefix.size() && Text.compare(0, Prefix.size(), Prefix) == 0;
}

} // namespace

// ---- TDetailItem ----

const TClassInfo& TDetailItem::StaticClassInfo() {
    using C = TDetailItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Caption", &C::Caption, &C::SetCaption)
                                       .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
                                       .Default(-1)
                                       .Property(u"Image", &C::Image, &C::SetImage)
                                       .Property(u"Notes", &C::Notes, &C::SetNotes)
                                       .Property(u"Tag", &C::Tag, &C::SetTag)
                                       .Default(0)
                                       .Build();
    return Info;
}

TDetailItem::TDetailItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TDetailItem::~TDetailItem() = default;

void TDetailItem::Changed() {
    if (auto* Items = dynamic_cast<TDetailItems*>(Collection()))
        if (Items->OnChange) Items->OnChange(Items);
}

void TDetailItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed();
}

void TDetailItem::SetImageIndex(Integer Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed();
}

void TDetailItem::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TDetailItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(Other->FCaption);
    SetImageIndex(Other->FImageIndex);
    FImage->Assign(Other->FImage.get());
    FEnabled = Other->FEnabled;
    FNotes = Other->FNotes;
    FTag = Other->FTag;
    FItemObject = Other->FItemObject;
}

const TClassInfo& TDetailItems::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDetailItems, TOwnedCollection>().Build();
    return Info;
}

TDetailItems::TDetailItems(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TDetailItem::StaticClassInfo()) {}

Integer TDetailItems::IndexOf(const String& Value) const {
    for (Integer I = 0; I < Count(); ++I)
        if (Items(I)->Caption() == Value) return I;
    return -1;
}

// ---- TKelDetailDropDown ----

const TClassInfo& TKelDetailDropDown::StaticClassInfo() {
    using C = TKelDetailDropDown;
    static const TClassInfo Info = TClassBuilder<C, TKelCustomDropDown>()
                                       .Property(u"ImageVAlign", &C::ImageVAlign, &C::SetImageVAlign)
                                       .Default(taVerticalCenter)
                                       .Property(u"Items", &C::Items, &C::SetItems)
                                       .Property(u"ItemIndex", &C::ItemIndex, &C::SetItemIndex)
                                       .Default(-1)
                                       .Property(u"ItemHeight", &C::ItemHeight, &C::SetItemHeight)
                                       .Default(22)
                                       .Property(u"Layout", &C::Layout, &C::SetLayout)
                                       .Default(ilCaptionRight)
                                       .Property(u"ItemAppearance", &C::ItemAppearance, &C::SetItemAppearance)
                                       .Property(u"CaptionFont", &C::CaptionFont, &C::SetCaptionFont)
                                       .Property(u"NotesFont", &C::NotesFont, &C::SetNotesFont)
                                       .Build();
    return Info;
}

TKelDetailDropDown::TKelDetailDropDown(TComponent* AOwner)
    : TKelCustomDropDown(AOwner), FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)), FCaptionFont(std::make_unique<TFont>()),
      FNotesFont(std::make_unique<TFont>()) {
    FItems->OnChange = [](TObject*) {};
    FEditorEnabled = true;
    FDropDownEnabled = true;
    CreateListKeyTimer();
    FCaptionFont->Assign(Font());
    FNotesFont->Assign(Font());
}

// The timer and the list are owned components, freed (and so stopped) with
// the other components.
TKelDetailDropDown::~TKelDetailDropDown() = default;

void TKelDetailDropDown::SetItemIndex(Integer Value) {
    if (Value == FItemIndex) return;
    if (Value == -1) {
        FItemIndex = -1;
        WriteText(u"");
        Invalidate();
        return;
    }
    if (Value < 0 || Value >= FItems->Count()) return;
    FItemIndex = Value;
    WriteText(FItems->Items(Value)->Caption());
    SelectAll();
    Invalidate();
    if (FItemSelector) FItemSelector->Invalidate();
    if (OnSelect) OnSelect(this);
}

void TKelDetailDropDown::SelectFirst() {
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TKelDetailDropDown::SelectLast() {
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TKelDetailDropDown::SelectNext() {
    if (FItemIndex < 0)
        SelectFirst();
    else if (FItemIndex + 1 < FItems->Count())
        SetItemIndex(FItemIndex + 1);
}

void TKelDetailDropDown::SelectPrevious() {
    if (FItemIndex < 0)
        SelectFirst();
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

// ---- The pop-up ----

void TKelDetailDropDown::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    const bool Fresh = !FItemSelector;
    if (!CreateListSelector(stImage)) return;
    if (Fresh) {
        FItemSelector->SetDoubleBuffered(true);
        FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, const TRect& R, Integer Index) {
            DrawItem(Canvas, R, Index);
        };
        FItemSelector->OnItemSize = [this](TObject*, TSize& Size) { ItemSize(Size); };
        FItemSelector->OnResize = [this](TObject*) {
            if (FItemSelector) FItemSelector->UpdateSelectorPanel();
        };
        FItemSelector->UpdateSelectorPanel();
    }
}

void TKelDetailDropDown::FillList() {
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(1);
    FItemSelector->SetImages(FImages);
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(FDropDownColor);
    FItemSelector->ItemAppearance()->Assign(FItemAppearance.get());
    TSelectorItems* List = FItemSelector->Items();
    List->BeginUpdate();
    List->Clear();
    for (Integer I = 0; I < FItems->Count(); ++I) {
        const TDetailItem* Source = FItems->Items(I);
        TSelectorItem* Item = List->Add();
        Item->SetCaption(Source->Caption());
        Item->SetImage(Source->Image());
        Item->SetImageIndex(Source->ImageIndex());
    }
    List->EndUpdate();
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* Sender) { ListItemSelected(Sender); };
}

void TKelDetailDropDown::ListItemSelected(TObject*) {
    const Integer Index = FItemSelector->ItemIndex();
    if (Index < 0 || Index >= FItems->Count()) return;
    SetItemIndex(Index);
    WriteText(FItems->Items(Index)->Caption());
    SelectAll();
    if (!FInternalCall) DoHideDropDown(false);
}

void TKelDetailDropDown::DoBeforeDropDown() {
    TKelCustomDropDown::DoBeforeDropDown();
    FillList();
    FOldItemIndex = FItemIndex;
}

void TKelDetailDropDown::DoShowDropDown() {
    TKelCustomDropDown::DoShowDropDown();
    if (ListOpen() && FItemSelector->CanFocus()) FItemSelector->SetFocus();
}

void TKelDetailDropDown::AdaptDropDownSize() {
    if (FItemSelector) {
        FItemSelector->SetAlign(alNone);
        if (FDropDownWidth <= 0) FItemSelector->SetWidth(Width());
        if (FDropDownHeight <= 0) FItemSelector->SetHeight(100);
        // The base sizes the pop-up from the hosted control's recorded size.
        const Single F = FDPIScale > 0 ? FDPIScale : 1.0f;
        FOrigCtrlW = Integer(Round(FItemSelector->Width() / F));
        FOrigCtrlH = Integer(Round(FItemSelector->Height() / F));
    }
    TKelCustomDropDown::AdaptDropDownSize();
}

void TKelDetailDropDown::DoHideDropDown(bool Cancel) {
    const bool WasOpen = FDropDownForm && FDropDownForm->Visible();
    TKelCustomDropDown::DoHideDropDown(Cancel);
    if (!Cancel || !WasOpen || !FItemSelector) return;
    // The index held at opening comes back, -1 too (the text the base put
    // back is then left as it was).
    if (FOldItemIndex == -1)
        FItemIndex = -1;
    else
        SetItemIndex(FOldItemIndex);
}

void TKelDetailDropDown::DropDownResized() {
    TKelCustomDropDown::DropDownResized();
    if (FItemSelector) FItemSelector->UpdateSelectorPanel();
}

void TKelDetailDropDown::MoveToNextItem() {
    if (!ListOpen()) {
        SelectNext();
    } else {
        const Integer I = FItemSelector->ItemIndex();
        MoveListTo(I < 0 ? 0 : I + 1);
    }
    Invalidate();
}

void TKelDetailDropDown::MoveToPreviousItem() {
    if (!ListOpen()) {
        SelectPrevious();
    } else {
        const Integer I = FItemSelector->ItemIndex();
        MoveListTo(I < 0 ? 0 : I - 1);
    }
    Invalidate();
}

void TKelDetailDropDown::DoSetComponentStyle(TKelStyle AStyle) {
    TKelCustomDropDown::DoSetComponentStyle(AStyle);
    if (FItemAppearance) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ---- Cells ----

void TKelDetailDropDown::ItemSize(TSize& Size) {
    const Integer FormWidth = FDropDownForm ? FDropDownForm->Width() : Width();
    Integer W = (FDropDownWidth >= 1 ? FDropDownWidth : FormWidth) - 2 * GetSystemMetrics(SM_CXBORDER) - 4;
    if (FItemSelector && FItemSelector->VertScrollBar()->IsScrollBarVisible())
        W -= GetSystemMetrics(SM_CXVSCROLL);
    Size.cx = W;
    Size.cy = Integer(Round(FItemHeight * FDPIScale));
}

void TKelDetailDropDown::DrawItem(TCanvas* Canvas, TRect R, Integer Index) {
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (Index < 0 || Index >= FItems->Count()) return;
    const TDetailItem* Item = FItems->Items(Index);
    const auto OffsetY = [&](Integer H) {
        switch (FImageVAlign) {
        case taAlignTop:
            return 0;
        case taAlignBottom:
            return R.Height() - H;
        default:
            return (R.Height() - H) / 2;
        }
    };
    TGraphic* Picture = Item->Image()->Graphic();
    if (Picture && !Picture->Empty()) {
        const Integer X = Item->Caption().empty() ? R.Left + (R.Width() - Picture->Width()) / 2 : R.Left + 2;
        if (auto* Bitmap = dynamic_cast<TBitmap*>(Picture)) {
            Bitmap->SetTransparentMode(tmAuto);
            Bitmap->SetTransparent(true);
        }
        Canvas->Draw(X, R.Top + OffsetY(Picture->Height()), Picture);
        R.Left += Picture->Width() + 4;
    } else if (FImages && Item->ImageIndex() >= 0) {
        const Integer X = Item->Caption().empty() ? R.Left + (R.Width() - FImages->Width()) / 2 : R.Left + 2;
        FImages->Draw(Canvas, X, R.Top + OffsetY(FImages->Height()), Item->ImageIndex(), true);
        R.Left += FImages->Width() + 4;
    }
    const bool Hot = FItemSelector && FItemSelector->ItemHot() == Index;
    const bool Selected = FItemSelector && FItemSelector->ItemIndex() == Index;
    const auto UseFont = [&](const TFont* Source) {
        Canvas->Font()->Assign(Source);
        Canvas->Font()->SetHeight(Integer(Round(Source->Height() * FDPIScale)));
        if (Hot) Canvas->Font()->SetColor(FItemAppearance->ColorHotText());
        if (Selected) Canvas->Font()->SetColor(FItemAppearance->ColorSelectedText());
    };
    UseFont(FCaptionFont.get());
    Canvas->Brush()->SetStyle(bsClear);
    R.Left += 4;
    R.Top += 2;
    R.Right -= 4;
    TRect TextRect = R;
    DrawText(Canvas->Handle(), Item->Caption(), TextRect, DT_LEFT | DT_TOP | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (!Item->Notes().empty()) {
        R.Top += Canvas->TextHeight(u"gh");
        UseFont(FNotesFont.get());
        TMarkupDrawParams Params;
        Params.Canvas = Canvas;
        Params.Text = Item->Notes();
        Params.Rect = R;
        Params.Images = FImages;
        Params.ShadowOffset = 2;
        Params.ShadowColor = 0x808080;
        Params.AnchorColor = 0xFF0000;
        Params.HoverBackColor = clNone;
        Params.HoverTextColor = clNone;
        Params.WordWrap = true;
        Params.ControlScale = 1.0f;
        TMarkupDrawResult Result;
        DrawMarkupOnCanvas(Params, Result);
    }
    Canvas->Brush()->SetStyle(bsSolid);
}

// ---- Typing ----

void TKelDetailDropDown::Change() {
    FItemChange = false;
    TKelCustomDropDown::Change();
    if (ComponentState().Contains(csDesigning) || !FWorkMode) return;
    const String Text = ReadText();
    MarkModified(!Text.empty());
    // Only a typed character completes: Home, an arrow, a cut or a text set
    // by a program leave the text as it is. The text written below changes
    // it again, which then does not complete a second time.
    if (!FTypedChar) return;
    FTypedChar = false;
    const Integer P = std::clamp(SelStart(), 0, Integer(Text.size()));
    const String Typed = Text.substr(0, size_t(P));
    if (Typed.empty()) return;
    const String Search = CaseFold(Typed, false);
    for (Integer I = 0; I < FItems->Count(); ++I) {
        const String& Caption = FItems->Items(I)->Caption();
        if (!StartsWith(CaseFold(Caption, false), Search)) continue;
        const String Completed = Text.substr(0, Search.size()) + Caption.substr(Search.size(), 255);
        WriteText(Completed);
        FItemIndex = I;
        FItemIdx = I;
        FItemSel = Integer(Search.size());
        FItemChange = true;
        SetSelStart(FItemSel);
        SetSelLength(Integer(Completed.size()) - FItemSel);
        return;
    }
    if (Text != Typed) WriteText(Typed);
    SetSelStart(Integer(Typed.size()));
}

void TKelDetailDropDown::KeyDown(Word& Key, TShiftState Shift) {
    if (FItems->Count() == 0) {
        TKelCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    switch (Key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE:
        FWorkMode = false;
        break;
    case VK_RETURN: {
        const Integer Index = FItems->IndexOf(ReadText());
        if (Index >= 0) {
            WriteText(FItems->Items(Index)->Caption());
            SetItemIndex(Index);
        }
        break;
    }
    default:
        FWorkMode = true;
        break;
    }
    const Word Pressed = Key;
    TKelCustomDropDown::KeyDown(Key, Shift);
    if (Pressed == VK_ESCAPE) {
        const Integer Index = FItems->IndexOf(ReadText());
        if (Index >= 0) SetItemIndex(Index);
    }
}

void TKelDetailDropDown::KeyUp(Word& Key, TShiftState Shift) {
    TKelCustomDropDown::KeyUp(Key, Shift);
    if (FItemChange) SetItemIndex(FItemIdx);
    FItemChange = false;
}

void TKelDetailDropDown::ForwardControlKeyPress(TObject* Sender, Char& Key) {
    // The list's characters look items up; they do not type into the edit.
    if (ListOpen() && Key >= 32 && Key != 127 && !KeyHeld(VK_CONTROL)) {
        ListTypeAhead(Key);
        return;
    }
    TKelCustomDropDown::ForwardControlKeyPress(Sender, Key);
}

void TKelDetailDropDown::WndProc(TMessage& Message) {
    if (Message.Msg == WM_CHAR) {
        const Char C = Char(Message.WParam);
        const bool Printable = C >= 32 && C != 127 && !KeyHeld(VK_CONTROL);
        // With the editor off the characters only look items up.
        if (!FEditorEnabled && Printable && FItemSelector) {
            ListTypeAhead(C);
            Message.Result = 0;
            return;
        }
        TFlagSet Typed(FTypedChar);
        FTypedChar = Printable;
        TKelCustomDropDown::WndProc(Message);
        return;
    }
    if (Message.Msg != WM_KEYDOWN || !Enabled() || KeyHeld(VK_MENU)) {
        TKelCustomDropDown::WndProc(Message);
        return;
    }
    const Word Key = Word(Message.WParam);
    const bool Open = ListOpen();
    switch (HandleListKey(Key, FItems->Count(), [this] { FillList(); }) ? 0 : Key) {
    case VK_END:
        if (!FEditorEnabled) SelectLast();
        break;
    case VK_HOME:
        if (!FEditorEnabled) SelectFirst();
        break;
    case VK_UP:
        MoveToPreviousItem();
        break;
    case VK_DOWN:
        MoveToNextItem();
        break;
    default:
        break;
    }
    if (Open && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT ||
                 Key == VK_DOWN)) {
        Message.WParam = 0;
        Message.Result = 1;
        return;
    }
    TKelCustomDropDown::WndProc(Message);
}
