#pragma once
// In-process drag and drop in the shape of OLE's: data objects that offer
// their formats through an enumerator, drop targets registered per window,
// a drop source asked whether to go on and shown the effect, and DoDragDrop
// running the drag loop on the GUI thread until the button is released or
// the drag is cancelled.

#include "windowing/Clipboard.h"

#include <memory>

namespace winapi {

using HRESULT = Integer;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000E);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFF);
constexpr HRESULT E_FAIL = HRESULT(0x80004005);
constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003);
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = HRESULT(0x80040100);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = HRESULT(0x80040101);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = HRESULT(0x80040102);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
constexpr bool SUCCEEDED(HRESULT r) {
    return r >= 0;
}
constexpr bool FAILED(HRESULT r) {
    return r < 0;
}

enum : DWORD {
    DROPEFFECT_NONE = 0,
    DROPEFFECT_COPY = 1,
    DROPEFFECT_MOVE = 2,
    DROPEFFECT_LINK = 4,
    DROPEFFECT_SCROLL = 0x80000000,
};
enum : DWORD { DVASPECT_CONTENT = 1 };
enum : DWORD { TYMED_NULL = 0, TYMED_HGLOBAL = 1 };
enum : DWORD { DATADIR_GET = 1, DATADIR_SET = 2 };

struct FORMATETC {
    UINT cfFormat = 0;
    void* ptd = nullptr; // target device: never used
    DWORD dwAspect = DVASPECT_CONTENT;
    Integer lindex = -1;
    DWORD tymed = TYMED_HGLOBAL;
};

// A medium: a movable memory block. Released by ReleaseStgMedium unless a
// release object is named (then that object's owner frees it).
struct STGMEDIUM {
    DWORD tymed = TYMED_NULL;
    HGLOBAL hGlobal = nullptr;
    void* pUnkForRelease = nullptr;
};
void ReleaseStgMedium(STGMEDIUM& medium);

class IEnumFORMATETC {
public:
    virtual ~IEnumFORMATETC() = default;
    virtual HRESULT Next(UINT count, FORMATETC* formats, UINT* fetched) = 0;
    virtual HRESULT Skip(UINT count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(std::shared_ptr<IEnumFORMATETC>& clone) = 0;
};

class IDataObject {
public:
    virtual ~IDataObject() = default;
    virtual HRESULT GetData(const FORMATETC& format, STGMEDIUM& medium) = 0;
    virtual HRESULT GetDataHere(const FORMATETC& format, STGMEDIUM& medium) = 0;
    virtual HRESULT QueryGetData(const FORMATETC& format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const FORMATETC& format, FORMATETC& canonical) = 0;
    virtual HRESULT SetData(const FORMATETC& format, STGMEDIUM& medium, bool release) = 0;
    virtual HRESULT EnumFormatEtc(DWORD direction, std::shared_ptr<IEnumFORMATETC>& enumerator) = 0;
    // Advise connections are not supported by any data object of the program.
    virtual HRESULT DAdvise() { return OLE_E_ADVISENOTSUPPORTED; }
    virtual HRESULT DUnadvise() { return OLE_E_ADVISENOTSUPPORTED; }
    virtual HRESULT EnumDAdvise() { return OLE_E_ADVISENOTSUPPORTED; }
};

// Points are in screen coordinates; keyState holds MK_ flags.
class IDropTarget {
public:
    virtual ~IDropTarget() = default;
    virtual HRESULT DragEnter(IDataObject& data, DWORD keyState, TPoint point, DWORD& effect) = 0;
    virtual HRESULT DragOver(DWORD keyState, TPoint point, DWORD& effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject& data, DWORD keyState, TPoint point, DWORD& effect) = 0;
};

class IDropSource {
public:
    virtual ~IDropSource() = default;
    // S_OK to go on, DRAGDROP_S_DROP to drop, DRAGDROP_S_CANCEL to cancel.
    virtual HRESULT QueryContinueDrag(bool escapePressed, DWORD keyState) = 0;
    // DRAGDROP_S_USEDEFAULTCURSORS lets the loop show the cursor of the effect.
    virtual HRESULT GiveFeedback(DWORD effect) = 0;
};

HRESULT OleInitialize();
void OleUninitialize();

// Registers the drop target of a window; the registration keeps the target
// alive until RevokeDragDrop or the window's destruction.
HRESULT RegisterDragDrop(HWND window, std::shared_ptr<IDropTarget> target);
HRESULT RevokeDragDrop(HWND window);

// Runs the drag loop: mouse and key input goes to the loop, every other
// message is dispatched as usual. On each input the source is asked whether
// to go on; the window under the cursor nearest to a registered target gets
// DragEnter, DragOver and DragLeave, and Drop on the release when its last
// effect was not none (the effect is cut down to `allowed`). Answers
// DRAGDROP_S_DROP with the target's effect, or DRAGDROP_S_CANCEL with none;
// E_UNEXPECTED when called during another drag.
HRESULT DoDragDrop(IDataObject& data, IDropSource& source, DWORD allowed, DWORD& effect);
bool IsDragging();

// The file list block of CF_HDROP: the names follow the header at pFiles,
// each zero-terminated, the list ending with an empty name.
struct DROPFILES {
    Cardinal pFiles = 20;
    TPoint pt;
    Integer fNC = 0;
    Integer fWide = 0;
};
static_assert(sizeof(DROPFILES) == 20);

} // namespace winapi
