#pragma once
// Drag and drop of the grid through the platform's OLE-style services: a
// reader of the formats a data object offers, a drop-target base that
// decides the effect and hands the data to overridable operations, the data
// object and format enumerator of drags that start in the grid, a drop-source
// base, and the two routines that start a drag.
//
// Blocks (movable memory, TYMED_HGLOBAL):
//   CF_TEXT              the text in Windows-1252, zero-terminated
//   CF_UNICODETEXT       the text in UTF-16, zero-terminated
//   "Rich Text Format"   the rich text in Windows-1252, zero-terminated
//   "Grid Column"        4 bytes: the column index, 32-bit
//   "TZirOvararIzaz Cells"  offset 0: 32-bit byte count n; offset 4: 4 zero
//                        bytes; offset 8: the n bytes of the cell stream
//   CF_HDROP             DROPFILES header, then zero-terminated names (UTF-16
//                        with fWide, else Windows-1252) ending with an empty one
// Every read of a dropped block stays inside the block's size: a count,
// offset or name that would run past it is refused.

#include "rtl/Events.h"
#include "rtl/Exception.h"
#include "rtl/Set.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
#include "rtl/TypeInfo.h"
#include "windowing/DragDrop.h"

#include <memory>
#include <vector>

RTL_ENUM(TDropFormat, dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells, dfURI, dfFileContents)
using TDropFormats = TSet<TDropFormat>;

// The process-wide rich-text switch (off at start): rich text is accepted on
// drops and offered on drags only while it is on.
void SetOleRTFSupport(bool On);
bool OleRTFSupport();

// The registered formats of the grid's blocks. Each is 0 until it has been
// looked up, which happens whenever a format reader or a grid data object is
// made and the clipboard can be opened.
struct TGridDropFormatIds {
    winapi::UINT RTF = 0;       // "Rich Text Format"
    winapi::UINT Column = 0;    // "Grid Column"
    winapi::UINT GridCells = 0; // "TZirOvararIzaz Cells"
    winapi::UINT URL = 0;       // "UniformResourceLocator"
};
const TGridDropFormatIds& GridDropFormatIds();

// Copy with Ctrl held; otherwise move when the source allows it, else copy.
winapi::DWORD EffectFromKeyState(TShiftState Shift, winapi::DWORD AllowedEffects);

// Reads what one data object offers. The data object must outlive the reader.
class TEnumFormats : public TObject {
public:
    // Raises Exception "Cannot get the format enumerator" when the data
    // object gives no enumerator for reading.
    explicit TEnumFormats(winapi::IDataObject& DataObject);
    ~TEnumFormats() override;

    // The current entry.
    const winapi::FORMATETC& FormatEtc() const { return FFormatEtc; }
    winapi::DWORD Aspect() const { return FFormatEtc.dwAspect; }
    void SetAspect(winapi::DWORD Value) { FFormatEtc.dwAspect = Value; }
    winapi::UINT Format() const { return FFormatEtc.cfFormat; }
    void SetFormat(winapi::UINT Value) { FFormatEtc.cfFormat = Value; }
    Integer Index() const { return FFormatEtc.lindex; }
    void SetIndex(Integer Value) { FFormatEtc.lindex = Value; }
    winapi::DWORD Medium() const { return FFormatEtc.tymed; }
    void SetMedium(winapi::DWORD Value) { FFormatEtc.tymed = Value; }
    // Entries fetched since the last reset.
    Integer Count() const { return FCount; }

    // Fetches the next entry; true when there was one.
    bool Next();
    // Back before the first entry; true when the enumerator agreed.
    bool Reset();
    // Moves to the first entry of Format; false (and nothing current) when
    // none is offered. Format 0 is never offered.
    bool HasFormat(winapi::UINT Format);

    // The data of the current entry in the medium Tymed, null when there is
    // no current entry, its media do not include Tymed or the data object
    // refuses. The block stays valid until the next request or the reader's end.
    winapi::HGLOBAL Handle(winapi::DWORD Tymed);
    winapi::HGLOBAL GlobalHandle() { return Handle(winapi::TYMED_HGLOBAL); }

    bool HasText() { return HasFormat(winapi::CF_UNICODETEXT); }
    bool HasRTF() { return HasFormat(GridDropFormatIds().RTF); }
    bool HasCol() { return HasFormat(GridDropFormatIds().Column); }
    bool HasFile() { return HasFormat(winapi::CF_HDROP); }
    // Virtual files (contents without a file) are never taken.
    bool HasFileContents() { return false; }
    bool HasURI() { return HasFormat(GridDropFormatIds().URL); }
    bool HasURL() { return HasFormat(GridDropFormatIds().URL); }
    bool HasGridCells() { return HasFormat(GridDropFormatIds().GridCells); }

    // Empty when not offered.
    String Text();
    String RTF();
    // The link text narrowed to Windows-1252 (characters it lacks become '?').
    String URI();
    // -1 when not offered or the block is shorter than 4 bytes.
    Integer Col();
    // The dropped cells, or null when not offered or the count runs past the block.
    std::unique_ptr<TMemoryStream> Stream();
    // The names of the CF_HDROP block of the current entry, in block order;
    // true when there is at least one. A header offset outside the block
    // gives none; a name without its terminator inside the block ends the list.
    bool ReadFileDropList(TStrings& List);
    // The reader's own list, for ReadFileDropList.
    TStringList& Files() { return *FFiles; }

private:
    // The bytes of the block of Format; empty when not offered.
    std::vector<Byte> Block(winapi::UINT Format);

    winapi::IDataObject& FDataObject;
    std::shared_ptr<winapi::IEnumFORMATETC> FEnumerator;
    winapi::FORMATETC FFormatEtc;
    bool FValid = false;
    Integer FCount = 0;
    std::unique_ptr<TStringList> FFiles;
    winapi::STGMEDIUM FMedium;
};

// The drop target of a window. Derived classes take the data; the base
// decides acceptance and effects. Points are screen co-ordinates.
class TZOIDropTarget : public TObject, public winapi::IDropTarget {
public:
    TZOIDropTarget() = default;

    bool AcceptText() const { return FAcceptText; }
    void SetAcceptText(bool Value) { FAcceptText = Value; }
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool Value) { FAcceptFiles = Value; }
    bool AcceptCols() const { return FAcceptCols; }
    void SetAcceptCols(bool Value) { FAcceptCols = Value; }
    bool AcceptURLs() const { return FAcceptURLs; }
    void SetAcceptURLs(bool Value) { FAcceptURLs = Value; }
    // The formats of the drag over the window, as seen on entry.
    TDropFormats DropFormats() const { return FDropFormats; }
    void SetDropFormats(TDropFormats Value) { FDropFormats = Value; }

    winapi::HRESULT DragEnter(winapi::IDataObject& Data, winapi::DWORD KeyState, TPoint Point,
                              winapi::DWORD& Effect) override;
    winapi::HRESULT DragOver(winapi::DWORD KeyState, TPoint Point, winapi::DWORD& Effect) override;
    winapi::HRESULT DragLeave() override;
    winapi::HRESULT Drop(winapi::IDataObject& Data, winapi::DWORD KeyState, TPoint Point,
                         winapi::DWORD& Effect) override;

protected:
    // Answers whether the text was taken; false makes the drop report no effect.
    virtual bool DropText(TPoint Point, const String& Text) = 0;
    virtual void DropStream(TPoint Point, TStream& Stream) = 0;
    virtual void DropCol(TPoint Point, Integer Column) = 0;
    virtual void DropRTF(TPoint Point, const String& RTF) = 0;
    virtual void DropFiles(TPoint Point, TStrings& Files) = 0;
    // Never called: virtual files are not taken.
    virtual void DropFileContents(TPoint Point) = 0;
    virtual void DropURL(TPoint Point, const String& URL) = 0;
    // Clearing Allow refuses the drop at Point.
    virtual void DragMouseMove(TPoint Point, bool& Allow, TDropFormats Formats);
    virtual void DragMouseEnter() = 0;
    virtual void DragMouseLeave() = 0;

private:
    bool FOk = false;
    bool FIsURI = false;
    bool FAcceptText = true;
    bool FAcceptFiles = true;
    bool FAcceptCols = false;
    bool FAcceptURLs = true;
    TDropFormats FDropFormats;
};

// The enumerator of a grid data object: CF_TEXT, CF_UNICODETEXT, "Rich Text
// Format", then "Grid Column" with a column and "TZirOvararIzaz Cells" with cells.
class TSourceEnumFormatEtc : public TObject, public winapi::IEnumFORMATETC {
public:
    TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, winapi::UINT Index = 0);

    winapi::HRESULT Next(winapi::UINT Count, winapi::FORMATETC* Formats, winapi::UINT* Fetched) override;
    winapi::HRESULT Skip(winapi::UINT Count) override;
    winapi::HRESULT Reset() override;
    winapi::HRESULT Clone(std::shared_ptr<winapi::IEnumFORMATETC>& Clone) override;

private:
    winapi::UINT EntryCount() const { return 3 + (FHasCol ? 1 : 0) + (FHasGridCells ? 1 : 0); }
    winapi::UINT FIndex;
    bool FHasCol;
    bool FHasGridCells;
};

// The data of a drag that starts in the grid. The cell stream is not owned
// and must outlive the drag.
class TSourceDataObject : public TObject, public winapi::IDataObject {
public:
    TSourceDataObject(const String& Text, const String& RTF, Integer Column, TMemoryStream* Cells);

    winapi::HRESULT GetData(const winapi::FORMATETC& Format, winapi::STGMEDIUM& Medium) override;
    winapi::HRESULT GetDataHere(const winapi::FORMATETC& Format, winapi::STGMEDIUM& Medium) override;
    winapi::HRESULT QueryGetData(const winapi::FORMATETC& Format) override;
    winapi::HRESULT GetCanonicalFormatEtc(const winapi::FORMATETC& Format,
                                          winapi::FORMATETC& Canonical) override;
    winapi::HRESULT SetData(const winapi::FORMATETC& Format, winapi::STGMEDIUM& Medium,
                            bool Release) override;
    winapi::HRESULT EnumFormatEtc(winapi::DWORD Direction,
                                  std::shared_ptr<winapi::IEnumFORMATETC>& Enumerator) override;

private:
    String textdata;
    String rtfdata;
    Integer scolidx;
    TMemoryStream* memstr;
};

// The drop source of a drag that starts in the grid: Escape cancels,
// releasing the left button drops.
class TZOIDropSource : public TObject, public winapi::IDropSource {
public:
    TZOIDropSource() = default;

    winapi::HRESULT QueryContinueDrag(bool EscapePressed, winapi::DWORD KeyState) override;
    winapi::HRESULT GiveFeedback(winapi::DWORD Effect) override;

    // The last feedback carried no effect.
    bool NoAccept() const { return FNoAccept; }

protected:
    // The drag ends (dropped or cancelled).
    virtual void DragEnded() {}
    // The effect the window under the cursor gives.
    virtual void CurrentEffect(winapi::DWORD Effect) { (void)Effect; }
    // Asked on every continue query.
    virtual void QueryDrag() {}

private:
    bool FNoAccept = false;
};

// Drags the text, rich text and (when given) the cells; answers the platform's
// result, but DRAGDROP_S_CANCEL whenever the last feedback carried no effect.
winapi::HRESULT BeginTextDrag(TZOIDropSource& DropSource, const String& Text, const String& RTF,
                              TMemoryStream* Cells, winapi::DWORD AllowedEffects, winapi::DWORD& Effect);
// Drags the column index only; the same result rule.
winapi::HRESULT BeginColumnDrag(TZOIDropSource& DropSource, Integer Column, winapi::DWORD AllowedEffects,
                                winapi::DWORD& Effect);
