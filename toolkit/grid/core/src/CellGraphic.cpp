// Cell objects: ownership by kind, the setters and the picture size.

#include "grid/CellGraphic.h"

#include "gridbase/FileHelpers.h"
#include "graphics/Picture.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"

#include <algorithm>
#include <cmath>

const TClassInfo& TBaseCellGraphic::StaticClassInfo() {
    using P = TBaseCellGraphic;
    static const TClassInfo Info =
        TClassBuilder<P, TPersistent>()
            .Property(u"CellType", &P::CellType, &P::SetCellType)
            .Default(ctNone)
            .Property(u"CellVAlign", &P::CellVAlign, &P::SetCellVAlign)
            .Default(vaTop)
            .Property(u"CellHAlign", &P::CellHAlign, &P::SetCellHAlign)
            .Default(haLeft)
            .Property(u"CellIndex", &P::CellIndex, &P::SetCellIndex)
            .Default(0)
            .Property(u"CellTransparent", &P::CellTransparent, &P::SetCellTransparent)
            .Default(false)
            .Property(u"CellCreated", &P::CellCreated, &P::SetCellCreated)
            .Default(false)
            .Property(u"CellBoolean", &P::CellBoolean, &P::SetCellBoolean)
            .Default(false)
            .Property(u"CellCheckBoxState", &P::CellCheckBoxState, &P::SetCellCheckBoxState)
            .Default(cbUnchecked)
            .Property(u"CellAngle", &P::CellAngle, &P::SetCellAngle)
            .Default(0)
            .Property(u"CellValue", &P::CellValue, &P::SetCellValue)
            .Stored([](const P& G) { return G.CellValue() != 0; })
            .Property(u"CellErrFrom", &P::CellErrFrom, &P::SetCellErrFrom)
            .Default(0)
            .Property(u"CellErrLen", &P::CellErrLen, &P::SetCellErrLen)
            .Default(0)
            .Property(u"CellText", &P::CellText, &P::SetCellText)
            .Build();
    return Info;
}

const TClassInfo& TCellGraphic::StaticClassInfo() {
    using P = TCellGraphic;
    static const TClassInfo Info = TClassBuilder<P, TBaseCellGraphic>()
                                       .Property(u"CellComment", &P::CellComment, &P::SetCellComment)
                                       .Property(u"CommentColor", TypeInfo_TColor(), &P::CommentColor,
                                                 &P::SetCommentColor)
                                       .Default(clNone)
                                       .Build();
    return Info;
}

TBaseCellGraphic::~TBaseCellGraphic() {
    FreeOwned();
}

void TBaseCellGraphic::FreeOwned() {
    switch (FCellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        if (FCellCreated && FCellBitmap) Free(FCellBitmap);
        FCellBitmap = nullptr;
        break;
    case ctIcon:
        if (FCellCreated && FCellIcon) Free(FCellIcon);
        FCellIcon = nullptr;
        break;
    case ctImages:
    case ctBalloon:
        if (FCellBitmap) Free(FCellBitmap);
        FCellBitmap = nullptr;
        break;
    default:
        break;
    }
    FCellCreated = false;
    RemoveBalloon();
}

void TBaseCellGraphic::ChangeKind(TCellType Kind) {
    // A kind change by a setter hands over no object: what the old kind owned
    // goes first (a rotation of a picture cell would otherwise leak it).
    FreeOwned();
    FCellBitmap = nullptr;
    FCellIcon = nullptr;
    FCellType = Kind;
}

void TBaseCellGraphic::Assign(const TPersistent* Source) {
    const auto* Src = dynamic_cast<const TBaseCellGraphic*>(Source);
    if (!Src) return;
    FCellType = Src->FCellType;
    FCellVAlign = Src->FCellVAlign;
    FCellHAlign = Src->FCellHAlign;
    FCellIndex = Src->FCellIndex;
    FCellTransparent = Src->FCellTransparent;
    FCellValue = Src->FCellValue;
    FCellAngle = Src->FCellAngle;
    FCellBoolean = Src->FCellBoolean;
    FCellErrFrom = Src->FCellErrFrom;
    FCellErrLen = Src->FCellErrLen;
    FCellText = Src->FCellText;
    FCellCreated = Src->FCellCreated;
}

void TCellGraphic::Assign(const TPersistent* Source) {
    TBaseCellGraphic::Assign(Source);
    if (const auto* Src = dynamic_cast<const TCellGraphic*>(Source)) {
        FCellComment = Src->FCellComment;
        FCommentColor = Src->FCommentColor;
    }
}

void TBaseCellGraphic::SetBalloon(const String& Title, const String& Text, TBalloonIcon Icon) {
    if (!FBalloon) FBalloon = Create<TStringList>();
    FBalloon->Clear();
    FBalloon->Add(Title);
    FBalloon->Add(Text);
    FBalloonIcon = Icon;
}

void TBaseCellGraphic::RemoveBalloon() {
    if (FBalloon) Free(FBalloon);
    FBalloon = nullptr;
    FBalloonIcon = biNone;
}

void TBaseCellGraphic::SetInterfacedCell(TObject* AObject) {
    ChangeKind(ctInterface);
    FCellBitmap = AObject;
}

void TBaseCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val) {
    ChangeKind(ctBitmap);
    FCellBitmap = ABmp;
    FCellTransparent = Transparent;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetButton(Integer bw, Integer bh, const String& Caption, TCellHAlign hal, TCellVAlign val) {
    ChangeKind(ctButton);
    FCellIndex = Integer(uint32_t(bh) << 16 | (uint32_t(bw) & 0xFFFFu));
    FCellBoolean = false;
    FCellText = Caption;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetBitButton(Integer bw, Integer bh, const String& Caption, TBitmap* Glyph,
                                    TCellHAlign hal, TCellVAlign val) {
    SetButton(bw, bh, Caption, hal, val);
    FCellType = ctBitButton;
    FCellBitmap = Glyph;
}

void TBaseCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, Integer Padding,
                                  TCellHAlign hal, TCellVAlign val) {
    ChangeKind(ctPicture);
    FCellBitmap = APicture;
    FCellTransparent = Transparent;
    FCellAngle = Integer(StretchMode);
    FCellIndex = Padding;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetFilePicture(TObject* APicture, bool Transparent, TStretchMode StretchMode,
                                      Integer Padding, TCellHAlign hal, TCellVAlign val) {
    SetPicture(nullptr, Transparent, StretchMode, Padding, hal, val);
    FCellType = ctFilePicture;
    FCellBitmap = APicture;
}

void TBaseCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val) {
    ChangeKind(Data ? ctDataCheckBox : ctCheckBox);
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
    ChangeKind(ctTriStateCheckBox);
    FCellCheckBoxState = Value;
    FCellBoolean = false;
    FCellTransparent = Flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val,
                                      TRadioButtonGroup Group) {
    ChangeKind(ctRadioButton);
    FCellAngle = Integer(Group);
    FCellBoolean = Value;
    FCellTransparent = Flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val) {
    ChangeKind(ctIcon);
    FCellIcon = AIcon;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetDataImage(Integer Idx, TCellHAlign hal, TCellVAlign val) {
    ChangeKind(ctDataImage);
    FCellIndex = Idx;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetDataPicture(TCellHAlign hal, TCellVAlign val) {
    ChangeKind(ctDataPicture);
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetMultiImage(Integer Col, Integer Row, Integer Dir, TCellHAlign hal, TCellVAlign val,
                                     TImageChangeEvent Notifier) {
    ChangeKind(ctImages);
    FCellBoolean = Dir == 0;
    auto* List = Create<TIntList>(Col, Row);
    List->SetOnChange(std::move(Notifier));
    FCellBitmap = List;
    FCellCreated = true;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetImageIdx(Integer Idx, TCellHAlign hal, TCellVAlign val) {
    ChangeKind(ctImageList);
    FCellIndex = Idx;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TBaseCellGraphic::SetAngle(Integer AAngle) {
    ChangeKind(ctRotated);
    while (AAngle < 0) AAngle += 360;
    while (AAngle > 360) AAngle -= 360;
    FCellAngle = AAngle;
}

TBitmap* TBaseCellGraphic::Bitmap() const {
    return FCellType == ctBitmap || FCellType == ctBitButton ? dynamic_cast<TBitmap*>(FCellBitmap) : nullptr;
}

TIcon* TBaseCellGraphic::Icon() const {
    return FCellType == ctIcon ? dynamic_cast<TIcon*>(FCellIcon) : nullptr;
}

TPicture* TBaseCellGraphic::Picture() const {
    return FCellType == ctPicture ? dynamic_cast<TPicture*>(FCellBitmap) : nullptr;
}

TIntList* TBaseCellGraphic::ImageIndexes() const {
    return FCellType == ctImages ? dynamic_cast<TIntList*>(FCellBitmap) : nullptr;
}

TStringList* TBaseCellGraphic::Items() const {
    return FCellType == ctRadio ? dynamic_cast<TStringList*>(FCellBitmap) : nullptr;
}

TPoint TBaseCellGraphic::PictureExtent() const {
    if (FCellType == ctPicture) {
        if (const auto* Pic = dynamic_cast<const TPicture*>(FCellBitmap)) return TPoint(Pic->Width(), Pic->Height());
        if (const auto* Graphic = dynamic_cast<const TGraphic*>(FCellBitmap))
            return TPoint(Graphic->Width(), Graphic->Height());
    } else if (FCellType == ctFilePicture) {
        if (const auto* Pic = dynamic_cast<const TFilePicture*>(FCellBitmap))
            return TPoint(Pic->Width(), Pic->Height());
        if (const auto* Pic = dynamic_cast<const TPicture*>(FCellBitmap)) return TPoint(Pic->Width(), Pic->Height());
    }
    return TPoint(0, 0);
}

TPoint TBaseCellGraphic::GetPictureSize(Integer cw, Integer rh, bool HasText) const {
    (void)HasText;
    if (FCellType != ctPicture && FCellType != ctFilePicture) return TPoint(0, 0);
    const TPoint Ext = PictureExtent();
    const Integer W = Ext.X, H = Ext.Y;
    cw -= FCellIndex;
    rh -= FCellIndex;
    auto Ratio = [&](bool Limit) {
        Double rw = W > 0 ? Double(cw) / W : 1.0;
        Double rr = H > 0 ? Double(rh) / H : 1.0;
        if (Limit) rw = std::min(rw, 1.0), rr = std::min(rr, 1.0);
        if (rr > rw) return TPoint(cw, RoundToInt(H * rw));
        return TPoint(RoundToInt(W * rr), rh);
    };
    switch (TStretchMode(FCellAngle)) {
    case Stretch:
        return TPoint(cw, rh);
    case StretchWithAspectRatio:
        return Ratio(false);
    case Shrink:
        return W > cw || H > rh ? TPoint(cw, rh) : TPoint(W, H);
    case ShrinkWithAspectRatio:
        return W > cw || H > rh ? Ratio(true) : TPoint(W, H);
    default:
        return TPoint(W, H);
    }
}
