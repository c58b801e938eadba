// The binary cell stream: a header record, then per cell a text record,
// a property record, the object record and its data record, each one a
// component stream of a wrapper of grid/GridCellStreamIO.h.

#include "grid/GridCellStreamIO.h"
#include "grid/ZirOvararIzaz.h"
#include "gridbase/RarEvad.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/Filer.h"
#include "rtl/MathUtils.h"
#include "rtl/StreamData.h"
#include "rtl/TextCompare.h"
#include "rtl/Encoding.h"
#include "vcl/FormLayout.h"
#include "graphics/DeviceContext.h"

#include <cmath>
#include <cstdint>
#include <memory>

// ---- The wrappers ----

const TClassInfo& TGridPropIO::StaticClassInfo() {
    using P = TGridPropIO;
    static const TClassInfo Info = TClassBuilder<P, TComponent>()
                                       .Property(u"ColCount", &P::ColCount, &P::SetColCount)
                                       .Property(u"RowCount", &P::RowCount, &P::SetRowCount)
                                       .Property(u"ColWidths", &P::ColWidths, &P::SetColWidths)
                                       .Property(u"RowHeights", &P::RowHeights, &P::SetRowHeights)
                                       .Property(u"FullGrid", &P::FullGrid, &P::SetFullGrid)
                                       .Property(u"ID", &P::ID, &P::SetID)
                                       .Build();
    return Info;
}

const TClassInfo& TGridCellIO::StaticClassInfo() {
    using P = TGridCellIO;
    static const TClassInfo Info = TClassBuilder<P, TComponent>()
                                       .Property(u"Col", &P::Col, &P::SetCol)
                                       .Property(u"Row", &P::Row, &P::SetRow)
                                       .Property(u"Cell", &P::Cell, &P::SetCell)
                                       .Property(u"HasProp", &P::HasProp, &P::SetHasProp)
                                       .Build();
    return Info;
}

// Every property without a default, so every one is written (but an empty
// font name and a control without a name).
const TClassInfo& TStreamedCellProperties::StaticClassInfo() {
    using P = TStreamedCellProperties;
    static const TClassInfo Info =
        TClassBuilder<P, TPersistent>()
            .Property(u"IsBaseCell", &P::IsBaseCell, &P::SetIsBaseCell)
            .Property(u"CellSpanX", &P::CellSpanX, &P::SetCellSpanX)
            .Property(u"CellSpanY", &P::CellSpanY, &P::SetCellSpanY)
            .Property(u"Alignment", &P::Alignment, &P::SetAlignment)
            .Property(u"BorderColor", TypeInfo_TColor(), &P::BorderColor, &P::SetBorderColor)
            .Property(u"BorderWidth", &P::BorderWidth, &P::SetBorderWidth)
            .Property(u"BrushColor", TypeInfo_TColor(), &P::BrushColor, &P::SetBrushColor)
            .Property(u"BrushColorTo", TypeInfo_TColor(), &P::BrushColorTo, &P::SetBrushColorTo)
            .Property(u"BrushStyle", &P::BrushStyle, &P::SetBrushStyle)
            .Property(u"CellObject", &P::ObjectHandle, &P::SetObjectHandle)
            .Property(u"FontColor", TypeInfo_TColor(), &P::FontColor, &P::SetFontColor)
            .Property(u"FontName", &P::FontName, &P::SetFontName)
            .Property(u"FontSize", &P::FontSize, &P::SetFontSize)
            .Property(u"FontStyle", &P::FontStyle, &P::SetFontStyle)
            .Property(u"Editor", &P::Editor, &P::SetEditor)
            .Property(u"GradientDirection", &P::GradientDirection, &P::SetGradientDirection)
            .Property(u"ReadOnly", &P::ReadOnly, &P::SetReadOnly)
            .Property(u"VAlignment", &P::VAlignment, &P::SetVAlignment)
            .Property(u"WordWrap", &P::WordWrap, &P::SetWordWrap)
            .Property(u"NodeLevel", &P::NodeLevel, &P::SetNodeLevel)
            .Property(u"Control", &P::StreamedControl, &P::SetStreamedControl)
            .Build();
    return Info;
}

Integer TStreamedCellProperties::ObjectHandle() const {
    return Integer(std::uint32_t(reinterpret_cast<std::uintptr_t>(CellObject())));
}

const TClassInfo& TGridCellPropIO::StaticClassInfo() {
    using P = TGridCellPropIO;
    static const TClassInfo Info = TClassBuilder<P, TComponent>()
                                       .Property(u"CellProperties", &P::CellProperties, nullptr)
                                       .Property(u"HasGraphic", &P::HasGraphic, &P::SetHasGraphic)
                                       .Build();
    return Info;
}

TGridCellPropIO::TGridCellPropIO(TComponent* AOwner, TBaseGrid* Grid)
    : TComponent(AOwner), FCellProperties(std::make_unique<TStreamedCellProperties>(Grid)) {}
TGridCellPropIO::~TGridCellPropIO() = default;

const TClassInfo& TGridGraphicIO::StaticClassInfo() {
    using P = TGridGraphicIO;
    static const TClassInfo Info =
        TClassBuilder<P, TComponent>().Property(u"CellGraphic", &P::CellGraphic, nullptr).Build();
    return Info;
}

TGridGraphicIO::TGridGraphicIO(TComponent* AOwner)
    : TComponent(AOwner), FCellGraphic(std::make_unique<TBaseCellGraphic>()) {}
TGridGraphicIO::~TGridGraphicIO() = default;

void TGridGraphicIO::Reset() {
    FCellGraphic = std::make_unique<TBaseCellGraphic>();
}

const TClassInfo& TStreamedBitmap::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStreamedBitmap, TBitmap>().Build();
    return Info;
}
const TClassInfo& TStreamedIcon::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStreamedIcon, TIcon>().Build();
    return Info;
}
const TClassInfo& TStreamedPicture::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStreamedPicture, TPicture>().Build();
    return Info;
}

namespace {

// A graphic's own data: a bitmap's BMP file after its byte count, any other
// graphic's file image.
void WriteGraphicData(const TGraphic& Graphic, TStream& Stream) {
    TMemoryStream Data;
    Graphic.SaveToStream(&Data);
    if (dynamic_cast<const TBitmap*>(&Graphic)) WriteInteger(Stream, Integer(Data.Size()));
    Data.SetPosition(0);
    if (Data.Size() > 0) Stream.CopyFrom(Data, Data.Size());
}

void ReadGraphicData(TGraphic& Graphic, TStream& Stream) {
    if (!dynamic_cast<TBitmap*>(&Graphic)) {
        Graphic.LoadFromStream(&Stream);
        return;
    }
    const Integer Count = ReadInteger(Stream);
    if (Count < 0 || Count > Stream.Size() - Stream.Position()) throw EReadError(u"Stream read error");
    if (Count == 0) {
        Graphic.SetWidth(0);
        return;
    }
    TMemoryStream Data;
    Data.CopyFrom(Stream, Count);
    Data.SetPosition(0);
    Graphic.LoadFromStream(&Data);
}

// The registered picture class of a streamed class name, by the file
// extensions pictures are registered under.
std::unique_ptr<TGraphic> MakeGraphic(const String& ClassName) {
    for (const char16_t* Ext : {u"bmp", u"ico", u"png", u"jpg", u"jpeg", u"gif", u"svg"})
        if (const TGraphicClass* Class = TPicture::FindGraphicClass(Ext))
            if (SameText(Class->ClassName, ClassName)) return Class->Create();
    throw EInvalidGraphic(u"Unknown picture format");
}

} // namespace

void TStreamedBitmap::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        u"Data", [this](TStream* Stream) { ReadGraphicData(*this, *Stream); },
        [this](TStream* Stream) { WriteGraphicData(*this, *Stream); }, !Empty());
}

void TStreamedIcon::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        u"Data", [this](TStream* Stream) { ReadGraphicData(*this, *Stream); },
        [this](TStream* Stream) { WriteGraphicData(*this, *Stream); }, !Empty());
}

void TStreamedPicture::DefineProperties(TFiler* Filer) {
    auto Read = [this](TStream* Stream) {
        std::unique_ptr<TGraphic> Graphic = MakeGraphic(FromUtf8(ReadShortString(*Stream)));
        ReadGraphicData(*Graphic, *Stream);
        SetGraphic(Graphic.get());
    };
    auto Write = [this](TStream* Stream) {
        WriteShortString(*Stream, Utf8(Graphic()->ClassName()));
        WriteGraphicData(*Graphic(), *Stream);
    };
    Filer->DefineBinaryProperty(u"Data", Read, Write, Graphic() != nullptr);
}

#define GRID_OBJECT_IO(TWrapper, TObjectClass, Field, PropName, Getter)                                    \
    const TClassInfo& TWrapper::StaticClassInfo() {                                                          \
        static const TClassInfo Info =                                                                       \
            TClassBuilder<TWrapper, TComponent>().Property(PropName, &TWrapper::Getter, nullptr).Build();     \
        return Info;                                                                                         \
    }                                                                                                        \
    TWrapper::TWrapper(TComponent* AOwner) : TComponent(AOwner), Field(std::make_unique<TObjectClass>()) {}  \
    TWrapper::~TWrapper() = default;

GRID_OBJECT_IO(TGridBMPIO, TStreamedBitmap, FBitmap, u"Bitmap", Bitmap)
GRID_OBJECT_IO(TGridIconIO, TStreamedIcon, FIcon, u"Icon", Icon)
GRID_OBJECT_IO(TGridPicIO, TStreamedPicture, FPicture, u"Picture", Picture)
GRID_OBJECT_IO(TGridFilePicIO, TFilePicture, FPicture, u"Picture", Picture)
GRID_OBJECT_IO(TGridSLIO, TStringList, FStrings, u"Strings", Strings)

#undef GRID_OBJECT_IO

namespace {

// A wrapper made for one save or load and freed with it.
struct TFreeObject {
    void operator()(TObject* Obj) const { Free(Obj); }
};
template <class T>
using TRecord = std::unique_ptr<T, TFreeObject>;

template <class T, class... A>
TRecord<T> MakeRecord(A... Args) {
    return TRecord<T>(Create<T>(static_cast<TComponent*>(nullptr), Args...));
}

void WriteRecord(TStream& Stream, TComponent* Record) {
    TWriter Writer(&Stream);
    Writer.WriteRootComponent(Record);
}

// A record never brings a reference to a live component: names resolve to
// nothing.
void ReadRecord(TStream& Stream, TComponent* Record) {
    TReader Reader(&Stream);
    Reader.FindReference = [](const String&) -> TComponent* { return nullptr; };
    Reader.ReadRootComponent(Record);
}

// Kinds followed by a record of their own data.
bool HasDataRecord(TCellType Kind) {
    switch (Kind) {
    case ctBitmap:
    case ctBitButton:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctInterface:
        return true;
    default:
        return false;
    }
}

// Kinds whose object the grid may have made itself (then not written).
bool MayBeCreated(TCellType Kind) {
    switch (Kind) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return true;
    default:
        return false;
    }
}

// Kinds whose comment travels in CellText and CellAngle with the kind kept:
// those with their own data (so the records stay in step), and the image
// kinds. A bit button's CellText is its caption: its comment stays behind.
bool CommentInText(TCellType Kind) {
    return Kind == ctImageList || (HasDataRecord(Kind) && Kind != ctBitButton);
}

String JoinInts(const std::vector<Integer>& Values) {
    String Text;
    for (size_t i = 0; i < Values.size(); ++i) Text += (i ? u"," : u"") + IntToStr(Values[i]);
    return Text;
}

// The comma-separated sizes of a whole-grid header: Count items, each an
// integer (EListError, EConvertError as a string list and StrToInt raise).
std::vector<Integer> ParseSizes(const String& Text, Integer Count) {
    TStringList Items;
    Items.SetCommaText(Text);
    if (Items.Count() < Count) throw EListError(u"List index out of bounds (" + IntToStr(Items.Count()) + u")");
    std::vector<Integer> Sizes;
    Sizes.reserve(size_t(Count));
    for (Integer i = 0; i < Count; ++i) Sizes.push_back(StrToInt(Items.Strings(i)));
    return Sizes;
}

void CheckHeader(const TGridPropIO& Header) {
    if (Header.ColCount() < 0 || Header.ColCount() > MaxStreamedColCount || Header.RowCount() < 0 ||
        Header.RowCount() > MaxStreamedRowCount)
        throw EReadError(u"Invalid stream format");
}

} // namespace

void ReadGridStreamHeader(TStream& Stream, TGridPropIO& Header) {
    RegisterStandardClasses();
    ReadRecord(Stream, &Header);
    CheckHeader(Header);
}

// ---- Writing ----

Integer TZirOvararIzaz::GridStreamID() {
    void* Id = HandleAllocated() || Parent() ? static_cast<void*>(Handle()) : static_cast<void*>(this);
    return Integer(std::uint32_t(reinterpret_cast<std::uintptr_t>(Id)));
}

Integer TZirOvararIzaz::StreamDpi() {
    const Integer Dpi = winapi::GetDeviceCaps(Canvas()->Handle(), LOGPIXELSY);
    return Dpi > 0 ? Dpi : 96;
}

void TZirOvararIzaz::SaveRectToBinStream(const TRect& Rect, TStream& Stream, bool SaveHidden) {
    RegisterStandardClasses(); // colours by their identifiers
    const Integer Left = Rect.Left, Top = Rect.Top, Bottom = Rect.Bottom;
    const Integer Right = Rect.Right + (SaveHidden ? NumHiddenColumns() : 0);

    auto Header = MakeRecord<TGridPropIO>();
    auto CellIO = MakeRecord<TGridCellIO>();
    auto PropIO = MakeRecord<TGridCellPropIO>(static_cast<TBaseGrid*>(this));
    auto GraphicIO = MakeRecord<TGridGraphicIO>();

    Header->SetRowCount(Bottom - Top + 1);
    Header->SetColCount(Right - Left + 1);
    if (SaveFixedCells)
        Header->SetFullGrid(RowCount() == Header->RowCount() && ColCount() == Header->ColCount());
    else
        Header->SetFullGrid(RowCount() - FixedRows() == Header->RowCount() &&
                            ColCount() - FixedCols() == Header->ColCount());
    Header->SetID(GridStreamID());
    std::vector<Integer> Widths, Heights;
    for (Integer c = Left; c <= Right; ++c) Widths.push_back(SaveHidden ? AllColWidths(c) : ColWidths(c));
    for (Integer r = Top; r <= Bottom; ++r) Heights.push_back(RowHeights(r));
    Header->SetColWidths(JoinInts(Widths));
    Header->SetRowHeights(JoinInts(Heights));
    WriteRecord(Stream, Header.get());

    const Integer Dpi = StreamDpi();
    const bool Rows = Top != Bottom;
    if (Rows) ExportNotification(esExportStart, Top);
    FLastFileProgress = -1;
    for (Integer R = Top; R <= Bottom; ++R) {
        if (Rows) ExportNotification(esExportNextRow, R);
        for (Integer C = Left; C <= Right; ++C) {
            const Integer D = SaveHidden ? C : RealColIndex(C);
            String Text;
            SaveCell(D, R, Text);
            CellIO->SetCol(C);
            CellIO->SetRow(R);
            CellIO->SetCell(LocaleToInvariantNumber(Text));
            CellIO->SetHasProp(HasCellProperties(D, R));
            WriteRecord(Stream, CellIO.get());
            if (!CellIO->HasProp()) continue;

            const TCellProperties* Source = GetRawObject(D, R);
            TStreamedCellProperties* Props = PropIO->CellProperties();
            Props->Assign(Source);
            Props->SetBrushColorTo(Source->BrushColorTo());
            Props->SetGradientDirection(Source->GradientDirection());
            Props->SetFontSize(-MulDiv(Source->FontSize(), 72, Dpi));
            auto* Graphic = dynamic_cast<TCellGraphic*>(Source->GraphicObject());
            const TCellType Kind = Graphic ? Graphic->CellType() : ctEmpty;
            bool HasGraphic = Kind != ctEmpty && !IsSharedCellKind(Kind);
            if (HasGraphic && MayBeCreated(Kind)) HasGraphic = !Graphic->CellCreated();
            PropIO->SetHasGraphic(HasGraphic);
            WriteRecord(Stream, PropIO.get());
            if (!HasGraphic) continue;

            GraphicIO->Reset();
            TBaseCellGraphic* Written = GraphicIO->CellGraphic();
            Written->Assign(Graphic);
            Written->SetCellCheckBoxState(Graphic->CellCheckBoxState());
            if (!Graphic->CellComment().empty() && Kind != ctBitButton) {
                Written->SetCellText(Graphic->CellComment());
                if (CommentInText(Kind)) {
                    Written->SetCellAngle(Graphic->CommentColor());
                } else {
                    Written->SetCellType(ctComment);
                    Written->SetCellIndex(Graphic->CommentColor());
                }
            }
            WriteRecord(Stream, GraphicIO.get());

            switch (Kind) {
            case ctBitmap:
            case ctBitButton:
            case ctInterface: { // an interfaced cell's own object is not streamed
                auto Data = MakeRecord<TGridBMPIO>();
                if (Kind != ctInterface && Graphic->Bitmap()) Data->Bitmap()->Assign(Graphic->Bitmap());
                WriteRecord(Stream, Data.get());
                break;
            }
            case ctIcon: {
                auto Data = MakeRecord<TGridIconIO>();
                if (Graphic->Icon()) Data->Icon()->Assign(Graphic->Icon());
                WriteRecord(Stream, Data.get());
                break;
            }
            case ctRadio:
            case ctImages: {
                auto Data = MakeRecord<TGridSLIO>();
                if (Kind == ctRadio && Graphic->Items()) Data->Strings()->Assign(Graphic->Items());
                if (Kind == ctImages && Graphic->ImageIndexes())
                    Data->Strings()->SetCommaText(Graphic->ImageIndexes()->StrValue());
                WriteRecord(Stream, Data.get());
                break;
            }
            case ctPicture: {
                auto Data = MakeRecord<TGridPicIO>();
                if (Graphic->Picture()) Data->Picture()->Assign(Graphic->Picture());
                WriteRecord(Stream, Data.get());
                break;
            }
            case ctFilePicture: {
                auto Data = MakeRecord<TGridFilePicIO>();
                if (auto* Pic = dynamic_cast<TFilePicture*>(Graphic->CellBitmap())) Data->Picture()->Assign(Pic);
                WriteRecord(Stream, Data.get());
                break;
            }
            default:
                break;
            }
        }
        if (OnFileProgress)
            FireFileProgress(Integer(std::lround(double(R) / std::max(1, Bottom - Top) * 100.0)));
    }
    if (Rows) ExportNotification(esExportDone, -1);
}

void TZirOvararIzaz::SaveToBinStream(TStream& Stream) {
    SaveRectToBinStream(TRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), Stream,
                        SaveHiddenCells());
}

void TZirOvararIzaz::SaveToBinFile(const String& FileName) {
    TMemoryStream Stream;
    SaveToBinStream(Stream);
    Stream.SaveToFile(FileName);
}

// ---- Reading ----

namespace {

// A merge read from a stream that would reach outside the grid becomes no
// merge.
void KeepMergeInside(TCellProperties& Props, Integer C, Integer R, Integer Cols, Integer Rows) {
    bool Inside;
    if (Props.IsBaseCell()) {
        Inside = Props.CellSpanX() >= -1 && Props.CellSpanY() >= -1 && C + Props.CellSpanX() < Cols &&
                 R + Props.CellSpanY() < Rows;
    } else {
        const TPoint Base = Props.BaseCellOf(C, R);
        Inside = Base.X >= 0 && Base.X <= C && Base.Y >= 0 && Base.Y <= R;
    }
    if (Inside) return;
    Props.SetIsBaseCell(true);
    Props.SetCellSpanX(-1);
    Props.SetCellSpanY(-1);
}

} // namespace

void TZirOvararIzaz::LoadAtPointFromBinStream(TPoint Point, TStream& Stream) {
    auto Header = MakeRecord<TGridPropIO>();
    auto CellIO = MakeRecord<TGridCellIO>();
    auto PropIO = MakeRecord<TGridCellPropIO>(static_cast<TBaseGrid*>(this));
    auto GraphicIO = MakeRecord<TGridGraphicIO>();

    ReadGridStreamHeader(Stream, *Header);
    const bool Full = Header->FullGrid();
    if (Full) {
        // Every size is checked before the grid changes.
        const std::vector<Integer> Widths = ParseSizes(Header->ColWidths(), Header->ColCount());
        const std::vector<Integer> Heights = ParseSizes(Header->RowHeights(), Header->RowCount());
        Clear();
        SetRowCount(Header->RowCount());
        SetColCount(Header->ColCount());
        for (Integer c = 0; c < ColCount() && c < Integer(Widths.size()); ++c) SetColWidths(c, Widths[size_t(c)]);
        for (Integer r = 0; r < RowCount() && r < Integer(Heights.size()); ++r)
            SetRowHeights(r, Heights[size_t(r)]);
    }

    const Integer Dpi = StreamDpi();
    bool First = true;
    TPoint Origin(0, 0);
    Integer PrevRow = -1;
    FLastFileProgress = -1;
    while (Stream.Position() < Stream.Size() - 1) {
        CellIO->SetCell(String());
        ReadRecord(Stream, CellIO.get());
        if (First && !Full) Origin = TPoint(CellIO->Col(), CellIO->Row());
        First = false;
        const TPoint At = Full ? TPoint(0, 0) : Point;
        const Int64 TargetCol = Int64(At.X) + CellIO->Col() - Origin.X;
        const Int64 TargetRow = Int64(At.Y) + CellIO->Row() - Origin.Y;
        // A whole grid's records past its header's size (its fixed cells
        // not counted) grow the grid, within the header's limits.
        if (Full && TargetCol >= ColCount() && TargetCol < MaxStreamedColCount) SetColCount(Integer(TargetCol) + 1);
        if (Full && TargetRow >= RowCount() && TargetRow < MaxStreamedRowCount) SetRowCount(Integer(TargetRow) + 1);
        const bool Inside = TargetCol >= 0 && TargetCol < ColCount() && TargetRow >= 0 && TargetRow < RowCount();
        const Integer C = Integer(Inside ? TargetCol : 0), R = Integer(Inside ? TargetRow : 0);
        if (Inside) {
            String Value = InvariantToLocaleNumber(CellIO->Cell());
            DoLoadCell(C, R, Value);
            if (R != PrevRow && OnFileProgress)
                FireFileProgress(Integer(std::lround(double(R) / std::max(1, RowCount()) * 100.0)));
            PrevRow = R;
        }
        if (!CellIO->HasProp()) continue;

        TStreamedCellProperties* Props = PropIO->CellProperties();
        if (Inside) {
            const TCellProperties* Current = CellProperties(C, R);
            Props->Assign(Current);
            Props->SetBrushColorTo(Current->BrushColorTo());
            Props->SetGradientDirection(Current->GradientDirection());
        }
        PropIO->SetHasGraphic(false);
        ReadRecord(Stream, PropIO.get());
        if (Inside) {
            Props->SetOwnerCol(C);
            Props->SetOwnerRow(R);
            Props->SetFontSize(-MulDiv(Props->FontSize(), Dpi, 72));
            KeepMergeInside(*Props, C, R, ColCount(), RowCount());
            TCellProperties* Target = CellProperties(C, R);
            Target->Assign(Props);
            Target->SetBrushColorTo(Props->BrushColorTo());
            Target->SetGradientDirection(Props->GradientDirection());
        }
        if (!PropIO->HasGraphic()) continue;

        GraphicIO->Reset();
        ReadRecord(Stream, GraphicIO.get());
        const TBaseCellGraphic* Read = GraphicIO->CellGraphic();
        TCellType Kind = Read->CellType();
        TCellGraphic* G = nullptr;
        if (Inside) {
            G = CreateCellGraphic(C, R);
            G->Assign(Read);
            G->SetCellCheckBoxState(Read->CellCheckBoxState());
            // Whatever the object owns, the reader makes below.
            G->SetCellCreated(false);
            if (Kind == ctComment) {
                G->SetCellType(ctNone);
                G->SetCellComment(Read->CellText());
                G->SetCommentColor(Read->CellIndex());
                G->SetCellText(String());
            } else if ((CommentInText(Kind) || Kind == ctPicture) && !Read->CellText().empty()) {
                G->SetCellComment(Read->CellText());
                G->SetCommentColor(Read->CellAngle());
                if (Kind != ctImageList && Kind != ctImages && Kind != ctPicture) {
                    G->SetCellText(String());
                    G->SetCellAngle(0);
                }
            }
            // Kinds that point at objects no record carries hold nothing.
            if (IsSharedCellKind(Kind) || Kind == ctBalloon || Kind == ctEmpty || Kind == ctInterface)
                G->SetCellType(ctNone);
        }
        switch (Kind) {
        case ctBitmap:
        case ctBitButton:
        case ctInterface: {
            auto Data = MakeRecord<TGridBMPIO>();
            ReadRecord(Stream, Data.get());
            if (G && Kind != ctInterface) {
                auto Bitmap = std::make_unique<TBitmap>();
                Bitmap->Assign(Data->Bitmap());
                G->SetCellBitmap(Bitmap.release());
                G->SetCellCreated(true);
            }
            break;
        }
        case ctIcon: {
            auto Data = MakeRecord<TGridIconIO>();
            ReadRecord(Stream, Data.get());
            if (G) {
                auto Icon = std::make_unique<TIcon>();
                Icon->Assign(Data->Icon());
                G->SetCellIcon(Icon.release());
                G->SetCellCreated(true);
            }
            break;
        }
        case ctRadio: {
            auto Data = MakeRecord<TGridSLIO>();
            ReadRecord(Stream, Data.get());
            if (G) {
                auto Items = std::make_unique<TStringList>();
                Items->Assign(Data->Strings());
                G->SetCellBitmap(Items.release());
                G->SetCellCreated(true);
            }
            break;
        }
        case ctImages: {
            auto Data = MakeRecord<TGridSLIO>();
            ReadRecord(Stream, Data.get());
            if (G) {
                auto* Indexes = Create<TIntList>(C, R);
                G->SetCellBitmap(Indexes); // the object always owns its index list
                Indexes->SetStrValue(Data->Strings()->CommaText());
            }
            break;
        }
        case ctPicture: {
            auto Data = MakeRecord<TGridPicIO>();
            ReadRecord(Stream, Data.get());
            if (G) {
                auto Picture = std::make_unique<TPicture>();
                Picture->Assign(Data->Picture());
                G->SetCellBitmap(Picture.release());
                G->SetCellCreated(true);
            }
            break;
        }
        case ctFilePicture: {
            auto Data = MakeRecord<TGridFilePicIO>();
            ReadRecord(Stream, Data.get());
            if (G) {
                auto Picture = std::make_unique<TFilePicture>();
                Picture->Assign(Data->Picture());
                G->SetCellBitmap(Picture.release());
                G->SetCellCreated(true);
            }
            break;
        }
        case ctScrollbar:
            if (G && Read->CellBoolean()) CellChanged(C, R);
            break;
        default:
            break;
        }
    }
}

void TZirOvararIzaz::LoadFromBinStream(TStream& Stream) {
    LoadAtPointFromBinStream(TPoint(0, 0), Stream);
}

void TZirOvararIzaz::LoadFromBinFile(const String& FileName) {
    TMemoryStream Stream;
    Stream.LoadFromFile(FileName);
    LoadFromBinStream(Stream);
    RecalcFooter(-1);
}
