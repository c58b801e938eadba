// Drag and drop of the grid: format reader, drop-target and drop-source
// bases, the grid's data object and its format enumerator.

#include "gridbase/OleDragDrop.h"

#include "vcl/Controls.h"
#include "windowing/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <limits>

using namespace winapi;

namespace {

bool RTFSupport = false;
TGridDropFormatIds FormatIds;

// The ids are the same for the same names; they are looked up again each
// time so that a failed lookup (clipboard held open elsewhere) is retried.
void LookUpFormats() {
    if (!OpenClipboard(nullptr)) return;
    FormatIds.RTF = RegisterClipboardFormat(u"Rich Text Format");
    FormatIds.Column = RegisterClipboardFormat(u"Grid Column");
    FormatIds.GridCells = RegisterClipboardFormat(u"TZirOvararIzaz Cells");
    FormatIds.URL = RegisterClipboardFormat(u"UniformResourceLocator");
    CloseClipboard();
}

// The UTF-16 text at Offset up to its terminator or the block's end.
String WideTextAt(const std::vector<Byte>& Block, std::size_t Offset, bool* Terminated = nullptr) {
    String Result;
    if (Terminated) *Terminated = false;
    for (std::size_t At = Offset; At + 2 <= Block.size(); At += 2) {
        char16_t Unit;
        std::memcpy(&Unit, Block.data() + At, 2);
        if (Unit == 0) {
            if (Terminated) *Terminated = true;
            break;
        }
        Result.push_back(Unit);
    }
    return Result;
}

// The 8-bit text at Offset up to its terminator or the block's end.
AnsiString AnsiTextAt(const std::vector<Byte>& Block, std::size_t Offset, bool* Terminated = nullptr) {
    if (Terminated) *Terminated = false;
    if (Offset >= Block.size()) return {};
    auto Begin = Block.begin() + static_cast<std::ptrdiff_t>(Offset);
    auto End = std::find(Begin, Block.end(), Byte(0));
    if (Terminated) *Terminated = End != Block.end();
    return AnsiString(Begin, End);
}

Cardinal ReadCardinal(const std::vector<Byte>& Block, std::size_t Offset) {
    Cardinal Value;
    std::memcpy(&Value, Block.data() + Offset, 4);
    return Value;
}

} // namespace

void SetOleRTFSupport(bool On) {
    RTFSupport = On;
}

bool OleRTFSupport() {
    return RTFSupport;
}

const TGridDropFormatIds& GridDropFormatIds() {
    return FormatIds;
}

DWORD EffectFromKeyState(TShiftState Shift, DWORD AllowedEffects) {
    if (Shift.Contains(ssCtrl)) return DROPEFFECT_COPY;
    return (AllowedEffects & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

namespace {
DWORD EffectFromKeys(DWORD KeyState, DWORD AllowedEffects) {
    return EffectFromKeyState(KeysToShiftState(static_cast<Word>(KeyState)), AllowedEffects);
}
} // namespace

// ---- TEnumFormats ----

TEnumFormats::TEnumFormats(IDataObject& DataObject) : FDataObject(DataObject) {
    if (FDataObject.EnumFormatEtc(DATADIR_GET, FEnumerator) != S_OK || !FEnumerator)
        throw Exception(u"Cannot get the format enumerator");
    Reset();
    FFiles = std::make_unique<TStringList>();
    LookUpFormats();
}

TEnumFormats::~TEnumFormats() {
    ReleaseStgMedium(FMedium);
}

bool TEnumFormats::Next() {
    ++FCount;
    UINT Fetched = 0;
    FValid = FEnumerator->Next(1, &FFormatEtc, &Fetched) == S_OK && Fetched == 1;
    return FValid;
}

bool TEnumFormats::Reset() {
    FValid = false;
    FCount = 0;
    return FEnumerator->Reset() == S_OK;
}

bool TEnumFormats::HasFormat(UINT Format) {
    Reset();
    if (Format == 0) return false;
    while (Next())
        if (FFormatEtc.cfFormat == Format) return true;
    return false;
}

HGLOBAL TEnumFormats::Handle(DWORD Tymed) {
    ReleaseStgMedium(FMedium);
    if (!FValid || (FFormatEtc.tymed & Tymed) != Tymed) return nullptr;
    FORMATETC Request = FFormatEtc;
    Request.tymed = Tymed;
    if (FDataObject.GetData(Request, FMedium) != S_OK) {
        ReleaseStgMedium(FMedium);
        return nullptr;
    }
    return FMedium.hGlobal;
}

std::vector<Byte> TEnumFormats::Block(UINT Format) {
    std::vector<Byte> Result;
    if (!HasFormat(Format)) return Result;
    HGLOBAL Handle = GlobalHandle();
    if (const void* Bytes = GlobalLock(Handle)) {
        const auto* First = static_cast<const Byte*>(Bytes);
        Result.assign(First, First + GlobalSize(Handle));
        GlobalUnlock(Handle);
    }
    return Result;
}

String TEnumFormats::Text() {
    return WideTextAt(Block(CF_UNICODETEXT), 0);
}

String TEnumFormats::RTF() {
    return FromAnsi(AnsiTextAt(Block(GridDropFormatIds().RTF), 0));
}

String TEnumFormats::URI() {
    return FromAnsi(ToAnsi(WideTextAt(Block(GridDropFormatIds().URL), 0)));
}

Integer TEnumFormats::Col() {
    std::vector<Byte> Data = Block(GridDropFormatIds().Column);
    if (Data.size() < 4) return -1;
    return static_cast<Integer>(ReadCardinal(Data, 0));
}

std::unique_ptr<TMemoryStream> TEnumFormats::Stream() {
    std::vector<Byte> Data = Block(GridDropFormatIds().GridCells);
    if (Data.size() < 8) return nullptr;
    Cardinal Count = ReadCardinal(Data, 0);
    if (Count > Data.size() - 8) return nullptr;
    auto Result = std::make_unique<TMemoryStream>();
    Result->WriteBuffer(Data.data() + 8, Count);
    Result->SetPosition(0);
    return Result;
}

bool TEnumFormats::ReadFileDropList(TStrings& List) {
    List.Clear();
    if (!FValid || FFormatEtc.cfFormat != CF_HDROP) return false;
    std::vector<Byte> Data;
    HGLOBAL Handle = GlobalHandle();
    if (const void* Bytes = GlobalLock(Handle)) {
        const auto* First = static_cast<const Byte*>(Bytes);
        Data.assign(First, First + GlobalSize(Handle));
        GlobalUnlock(Handle);
    }
    if (Data.size() < sizeof(DROPFILES)) return false;
    DROPFILES Header;
    std::memcpy(&Header, Data.data(), sizeof Header);
    if (Header.pFiles < sizeof(DROPFILES) || Header.pFiles >= Data.size()) return false;
    std::size_t At = Header.pFiles;
    for (;;) {
        bool Terminated = false;
        String Name;
        if (Header.fWide) {
            Name = WideTextAt(Data, At, &Terminated);
            At += 2 * (Name.size() + 1);
        } else {
            AnsiString Bytes = AnsiTextAt(Data, At, &Terminated);
            At += Bytes.size() + 1;
            Name = FromAnsi(Bytes);
        }
        if (!Terminated || Name.empty()) break;
        List.Add(Name);
    }
    return List.Count() > 0;
}

// ---- TZOIDropTarget ----

HRESULT TZOIDropTarget::DragEnter(IDataObject& Data, DWORD KeyState, TPoint Point, DWORD& Effect) {
    FIsURI = false;
    FOk = false;
    FDropFormats = TDropFormats();
    try {
        TEnumFormats Reader(Data);
        bool Text = Reader.HasText(), Files = Reader.HasFile(), RTF = Reader.HasRTF(), Col = Reader.HasCol(),
             URL = Reader.HasURL(), Cells = Reader.HasGridCells();
        FOk = (Text && FAcceptText) || (Files && FAcceptFiles) || (RTF && RTFSupport && FAcceptText) ||
              (Col && FAcceptCols) || (URL && FAcceptURLs) || Cells;
        if (Text) FDropFormats.Include(dfText);
        if (Files) FDropFormats.Include(dfFile);
        if (RTF) FDropFormats.Include(dfRTF);
        if (Col) FDropFormats.Include(dfCol);
        if (URL && FAcceptURLs) FDropFormats.Include(dfURL).Include(dfURI);
        if (Cells) FDropFormats.Include(dfGridCells);
    } catch (const Exception&) {
        // A data object that cannot list its formats offers nothing we can
        // take: the drag is refused over this window.
        FOk = false;
    }
    if (!FOk)
        Effect = DROPEFFECT_NONE;
    else if (FDropFormats.Contains(dfURI)) {
        FIsURI = true;
        Effect = DROPEFFECT_LINK;
    } else
        Effect = EffectFromKeys(KeyState, Effect);
    (void)Point;
    DragMouseEnter();
    return S_OK;
}

HRESULT TZOIDropTarget::DragOver(DWORD KeyState, TPoint Point, DWORD& Effect) {
    if (!FOk)
        Effect = DROPEFFECT_NONE;
    else if (FIsURI)
        Effect = DROPEFFECT_LINK;
    else
        Effect = EffectFromKeys(KeyState, Effect);
    bool Allow = Effect != DROPEFFECT_NONE;
    DragMouseMove(Point, Allow, FDropFormats);
    if (!Allow) Effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TZOIDropTarget::DragLeave() {
    FIsURI = false;
    DragMouseLeave();
    return S_OK;
}

HRESULT TZOIDropTarget::Drop(IDataObject& Data, DWORD KeyState, TPoint Point, DWORD& Effect) {
    if (!FOk) {
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    std::unique_ptr<TEnumFormats> Reader;
    try {
        Reader = std::make_unique<TEnumFormats>(Data);
    } catch (const Exception&) {
        // As on entry: nothing can be read, so nothing is dropped.
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    bool Refused = false;
    if (FAcceptURLs && Reader->HasURL())
        DropURL(Point, Reader->Text());
    else if (Reader->HasCol())
        DropCol(Point, Reader->Col());
    else {
        if (Reader->HasGridCells()) {
            if (std::unique_ptr<TMemoryStream> Cells = Reader->Stream()) DropStream(Point, *Cells);
        } else if (RTFSupport && Reader->HasRTF())
            DropRTF(Point, Reader->RTF());
        else if (Reader->HasText())
            Refused = !DropText(Point, Reader->Text());
        if (Reader->HasFile() && Reader->ReadFileDropList(Reader->Files())) DropFiles(Point, Reader->Files());
        // A link reaches DropURL only when links are accepted, and then it
        // has gone there in the first branch already.
    }
    Effect = Refused ? DROPEFFECT_NONE : EffectFromKeys(KeyState, Effect);
    return S_OK;
}

void TZOIDropTarget::DragMouseMove(TPoint, bool&, TDropFormats) {}

// ---- TSourceEnumFormatEtc ----

TSourceEnumFormatEtc::TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, UINT Index)
    : FIndex(Index), FHasCol(HasCol), FHasGridCells(HasGridCells) {}

HRESULT TSourceEnumFormatEtc::Next(UINT Count, FORMATETC* Formats, UINT* Fetched) {
    UINT Filled = 0;
    const TGridDropFormatIds& Ids = GridDropFormatIds();
    while (Filled < Count && FIndex < EntryCount()) {
        FORMATETC Entry;
        Entry.ptd = nullptr;
        Entry.dwAspect = DVASPECT_CONTENT;
        Entry.lindex = -1;
        Entry.tymed = TYMED_HGLOBAL;
        switch (FIndex) {
        case 0:
            Entry.cfFormat = CF_TEXT;
            break;
        case 1:
            Entry.cfFormat = CF_UNICODETEXT;
            break;
        case 2:
            Entry.cfFormat = Ids.RTF;
            break;
        case 3:
            Entry.cfFormat = FHasCol ? Ids.Column : Ids.GridCells;
            break;
        default:
            Entry.cfFormat = Ids.GridCells;
            break;
        }
        Formats[Filled++] = Entry;
        ++FIndex;
    }
    if (Fetched) *Fetched = Filled;
    return Filled == Count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(UINT Count) {
    if (Count > EntryCount() - FIndex) {
        FIndex = EntryCount();
        return S_FALSE;
    }
    FIndex += Count;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset() {
    FIndex = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::shared_ptr<IEnumFORMATETC>& Clone) {
    Clone = std::make_shared<TSourceEnumFormatEtc>(FHasCol, FHasGridCells, FIndex);
    return S_OK;
}

// ---- TSourceDataObject ----

TSourceDataObject::TSourceDataObject(const String& Text, const String& RTF, Integer Column,
                                     TMemoryStream* Cells)
    : textdata(Text), rtfdata(RTF), scolidx(Column), memstr(Cells) {
    // The formats are offered under their ids, so they must be known even
    // when no drop has been read yet.
    LookUpFormats();
}

HRESULT TSourceDataObject::QueryGetData(const FORMATETC& Format) {
    if (Format.dwAspect != DVASPECT_CONTENT || Format.tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
    const TGridDropFormatIds& Ids = GridDropFormatIds();
    UINT Id = Format.cfFormat;
    if (Id == 0) return DV_E_FORMATETC;
    if ((Id == CF_TEXT || Id == CF_UNICODETEXT) && !textdata.empty()) return S_OK;
    if (Id == Ids.RTF && !textdata.empty() && RTFSupport) return S_OK;
    if (Id == Ids.GridCells && memstr) return S_OK;
    if (Id == Ids.Column && scolidx != -1) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const FORMATETC& Format, STGMEDIUM& Medium) {
    Medium = STGMEDIUM();
    if (QueryGetData(Format) != S_OK) return DV_E_FORMATETC;
    const TGridDropFormatIds& Ids = GridDropFormatIds();
    std::vector<Byte> Bytes;
    if (Format.cfFormat == CF_TEXT || Format.cfFormat == Ids.RTF) {
        AnsiString Text = ToAnsi(Format.cfFormat == CF_TEXT ? textdata : rtfdata);
        Bytes.assign(Text.begin(), Text.end());
        Bytes.push_back(0);
    } else if (Format.cfFormat == CF_UNICODETEXT) {
        Bytes.resize(2 * textdata.size() + 2);
        std::memcpy(Bytes.data(), textdata.data(), 2 * textdata.size());
    } else if (Format.cfFormat == Ids.Column) {
        Bytes.resize(4);
        std::memcpy(Bytes.data(), &scolidx, 4);
    } else {
        Int64 Size = memstr->Size();
        if (Size > Int64(std::numeric_limits<Cardinal>::max()) - 8) return DV_E_FORMATETC;
        Cardinal Count = static_cast<Cardinal>(Size);
        Bytes.resize(Count + 8);
        std::memcpy(Bytes.data(), &Count, 4);
        if (Count) std::memcpy(Bytes.data() + 8, memstr->Memory(), Count);
    }
    HGLOBAL Block = GlobalAlloc(GHND, Bytes.size());
    if (!Block) return DV_E_FORMATETC;
    std::memcpy(GlobalLock(Block), Bytes.data(), Bytes.size());
    GlobalUnlock(Block);
    Medium.tymed = TYMED_HGLOBAL;
    Medium.hGlobal = Block;
    Medium.pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(const FORMATETC&, STGMEDIUM&) {
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& Canonical) {
    Canonical.ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::SetData(const FORMATETC&, STGMEDIUM&, bool) {
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD Direction, std::shared_ptr<IEnumFORMATETC>& Enumerator) {
    if (Direction != DATADIR_GET) {
        Enumerator.reset();
        return E_NOTIMPL;
    }
    Enumerator = std::make_shared<TSourceEnumFormatEtc>(scolidx != -1, memstr != nullptr);
    return S_OK;
}

// ---- TZOIDropSource ----

HRESULT TZOIDropSource::QueryContinueDrag(bool EscapePressed, DWORD KeyState) {
    QueryDrag();
    if (EscapePressed) {
        DragEnded();
        return DRAGDROP_S_CANCEL;
    }
    if (!(KeyState & MK_LBUTTON)) {
        DragEnded();
        return DRAGDROP_S_DROP;
    }
    return S_OK;
}

HRESULT TZOIDropSource::GiveFeedback(DWORD Effect) {
    FNoAccept = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---- Starting a drag ----

namespace {
HRESULT RunDrag(TSourceDataObject& Data, TZOIDropSource& DropSource, DWORD AllowedEffects, DWORD& Effect) {
    HRESULT Result = DoDragDrop(Data, DropSource, AllowedEffects, Effect);
    return DropSource.NoAccept() ? DRAGDROP_S_CANCEL : Result;
}
} // namespace

HRESULT BeginTextDrag(TZOIDropSource& DropSource, const String& Text, const String& RTF, TMemoryStream* Cells,
                      DWORD AllowedEffects, DWORD& Effect) {
    TSourceDataObject Data(Text, RTF, -1, Cells);
    return RunDrag(Data, DropSource, AllowedEffects, Effect);
}

HRESULT BeginColumnDrag(TZOIDropSource& DropSource, Integer Column, DWORD AllowedEffects, DWORD& Effect) {
    TSourceDataObject Data(String(), String(), Column, nullptr);
    return RunDrag(Data, DropSource, AllowedEffects, Effect);
}
