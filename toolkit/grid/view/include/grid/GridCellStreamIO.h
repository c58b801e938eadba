#pragma once
// The records of the string grid's binary cell stream (also the clipboard
// and drag-and-drop format "TZirOvararIzaz Cells"). Each record is one
// complete component stream ("TPF0", class name, empty name, properties,
// no children) of one of the wrappers below: a header, then per cell its
// text, its properties with their object, and the object's own data.
//
// Streams come from the clipboard and from drops, so they are never
// trusted: nothing read here is taken as a live object (CellObject and
// Control are written for the record's sake only, and read back as
// nothing), and every count is checked before anything is made from it.

#include "grid/CellGraphic.h"
#include "gridbase/BaseGrid.h"
#include "gridbase/FileHelpers.h"
#include "graphics/Graphic.h"
#include "graphics/Picture.h"
#include "rtl/Component.h"
#include "rtl/StringList.h"

// The largest grid a stream header may ask for.
constexpr Integer MaxStreamedColCount = 100000;
constexpr Integer MaxStreamedRowCount = 10000000;

// The header: the size of the saved rectangle, its column widths and row
// heights ("12,64,64"), whether it is the whole grid, and the writer's ID.
class TGridPropIO : public TComponent {
    RTL_CLASS(TGridPropIO)
public:
    explicit TGridPropIO(TComponent* AOwner) : TComponent(AOwner) {}
    Integer ColCount() const { return FColCount; }
    void SetColCount(Integer Value) { FColCount = Value; }
    Integer RowCount() const { return FRowCount; }
    void SetRowCount(Integer Value) { FRowCount = Value; }
    String ColWidths() const { return FColWidths; }
    void SetColWidths(const String& Value) { FColWidths = Value; }
    String RowHeights() const { return FRowHeights; }
    void SetRowHeights(const String& Value) { FRowHeights = Value; }
    bool FullGrid() const { return FFullGrid; }
    void SetFullGrid(bool Value) { FFullGrid = Value; }
    Integer ID() const { return FID; }
    void SetID(Integer Value) { FID = Value; }

private:
    Integer FColCount = 0;
    Integer FRowCount = 0;
    String FColWidths;
    String FRowHeights;
    bool FFullGrid = false;
    Integer FID = 0;
};

// One cell: its displayed column and row, its text, whether a property
// record follows.
class TGridCellIO : public TComponent {
    RTL_CLASS(TGridCellIO)
public:
    explicit TGridCellIO(TComponent* AOwner) : TComponent(AOwner) {}
    Integer Col() const { return FCol; }
    void SetCol(Integer Value) { FCol = Value; }
    Integer Row() const { return FRow; }
    void SetRow(Integer Value) { FRow = Value; }
    String Cell() const { return FCell; }
    void SetCell(const String& Value) { FCell = Value; }
    bool HasProp() const { return FHasProp; }
    void SetHasProp(bool Value) { FHasProp = Value; }

private:
    Integer FCol = 0;
    Integer FRow = 0;
    String FCell;
    bool FHasProp = false;
};

// A cell's property record as the stream writes it: every property, in
// the stream's order, with FontSize in points. The user object is written
// as its handle value and the control by its name; neither is ever read
// back into the record.
class TStreamedCellProperties : public TCellProperties {
    RTL_CLASS(TStreamedCellProperties)
public:
    explicit TStreamedCellProperties(TBaseGrid* AOwner) : TCellProperties(AOwner, 0, 0) {}
    Integer ObjectHandle() const;
    void SetObjectHandle(Integer) {}
    TControl* StreamedControl() const { return Control(); }
    void SetStreamedControl(TControl*) {}
};

class TGridCellPropIO : public TComponent {
    RTL_CLASS(TGridCellPropIO)
public:
    TGridCellPropIO(TComponent* AOwner, TBaseGrid* Grid);
    ~TGridCellPropIO() override;
    TStreamedCellProperties* CellProperties() const { return FCellProperties.get(); }
    bool HasGraphic() const { return FHasGraphic; }
    void SetHasGraphic(bool Value) { FHasGraphic = Value; }

private:
    std::unique_ptr<TStreamedCellProperties> FCellProperties;
    bool FHasGraphic = false;
};

// The cell's object without its references (a TBaseCellGraphic: the
// comment travels in the other fields).
class TGridGraphicIO : public TComponent {
    RTL_CLASS(TGridGraphicIO)
public:
    explicit TGridGraphicIO(TComponent* AOwner);
    ~TGridGraphicIO() override;
    TBaseCellGraphic* CellGraphic() const { return FCellGraphic.get(); }
    // Back to a new object's values (before each record is read).
    void Reset();

private:
    std::unique_ptr<TBaseCellGraphic> FCellGraphic;
};

// The pictures of the object records keep their pixels as the binary
// "Data" property: a bitmap a 32-bit byte count and its BMP file, an icon
// its ICO file, a picture its graphic's class name (a short string) and
// that graphic's own data. The codecs check what they read; a count
// beyond the data raises EReadError.
class TStreamedBitmap : public TBitmap {
    RTL_CLASS(TStreamedBitmap)
public:
    void DefineProperties(TFiler* Filer) override;
};

class TStreamedIcon : public TIcon {
    RTL_CLASS(TStreamedIcon)
public:
    void DefineProperties(TFiler* Filer) override;
};

// Only the picture classes registered with TPicture are made; another
// class name raises EInvalidGraphic "Unknown picture format".
class TStreamedPicture : public TPicture {
    RTL_CLASS(TStreamedPicture)
public:
    void DefineProperties(TFiler* Filer) override;
};

class TGridBMPIO : public TComponent {
    RTL_CLASS(TGridBMPIO)
public:
    explicit TGridBMPIO(TComponent* AOwner);
    ~TGridBMPIO() override;
    TStreamedBitmap* Bitmap() const { return FBitmap.get(); }

private:
    std::unique_ptr<TStreamedBitmap> FBitmap;
};

class TGridIconIO : public TComponent {
    RTL_CLASS(TGridIconIO)
public:
    explicit TGridIconIO(TComponent* AOwner);
    ~TGridIconIO() override;
    TStreamedIcon* Icon() const { return FIcon.get(); }

private:
    std::unique_ptr<TStreamedIcon> FIcon;
};

class TGridPicIO : public TComponent {
    RTL_CLASS(TGridPicIO)
public:
    explicit TGridPicIO(TComponent* AOwner);
    ~TGridPicIO() override;
    TStreamedPicture* Picture() const { return FPicture.get(); }

private:
    std::unique_ptr<TStreamedPicture> FPicture;
};

class TGridFilePicIO : public TComponent {
    RTL_CLASS(TGridFilePicIO)
public:
    explicit TGridFilePicIO(TComponent* AOwner);
    ~TGridFilePicIO() override;
    TFilePicture* Picture() const { return FPicture.get(); }

private:
    std::unique_ptr<TFilePicture> FPicture;
};

class TGridSLIO : public TComponent {
    RTL_CLASS(TGridSLIO)
public:
    explicit TGridSLIO(TComponent* AOwner);
    ~TGridSLIO() override;
    TStringList* Strings() const { return FStrings.get(); }

private:
    std::unique_ptr<TStringList> FStrings;
};

// Reads the header record at the stream's position (the position moves
// past it); raises the stream's read error for anything else.
void ReadGridStreamHeader(TStream& Stream, TGridPropIO& Header);
