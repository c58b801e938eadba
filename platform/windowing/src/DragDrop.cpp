// In-process drag and drop: drop-target registrations and the drag loop.

#include "WindowSystem.h"

using namespace winapi;

namespace {

DWORD DragKeyState() {
    auto& state = System().KeyState;
    DWORD keys = 0;
    if (state[VK_LBUTTON] & 0x80) keys |= MK_LBUTTON;
    if (state[VK_RBUTTON] & 0x80) keys |= MK_RBUTTON;
    if (state[VK_MBUTTON] & 0x80) keys |= MK_MBUTTON;
    if (state[VK_SHIFT] & 0x80) keys |= MK_SHIFT;
    if (state[VK_CONTROL] & 0x80) keys |= MK_CONTROL;
    if (state[VK_MENU] & 0x80) keys |= MK_ALT;
    return keys;
}

// The window under the point nearest to a registered drop target, and that target.
std::pair<HWND, std::shared_ptr<IDropTarget>> TargetAt(TPoint point) {
    auto& targets = System().DropTargets;
    for (HWND window = WindowFromPoint(point); window; window = GetAncestor(window, GA_PARENT)) {
        auto found = targets.find(window);
        if (found != targets.end()) return {window, found->second};
    }
    return {nullptr, nullptr};
}

Integer EffectCursor(DWORD effect) {
    if (effect & DROPEFFECT_MOVE) return IDC_ARROW;
    if (effect & DROPEFFECT_COPY) return IDC_ARROW;
    if (effect & DROPEFFECT_LINK) return IDC_HAND;
    return IDC_NO;
}

class TDragLoop {
public:
    TDragLoop(IDataObject& data, IDropSource& source, DWORD allowed)
        : FData(data), FSource(source), FAllowed(allowed) {}

    HRESULT Run(DWORD& effect) {
        HRESULT state = FSource.QueryContinueDrag(false, DragKeyState());
        if (state == S_OK) Track();
        while (state == S_OK) {
            auto& system = System();
            if (system.Input.empty()) {
                MSG message;
                if (PeekMessage(message, nullptr, 0, 0, PM_REMOVE)) {
                    TranslateMessage(message);
                    DispatchMessage(message);
                } else {
                    WaitMessage();
                }
                continue;
            }
            TInputEvent event = system.Input.front();
            system.Input.pop_front();
            detail::TrackInputState(event);
            bool escape = event.Kind == TInputEvent::TKind::KeyDown && event.VirtualKey == VK_ESCAPE;
            state = FSource.QueryContinueDrag(escape, DragKeyState());
            if (state == S_OK) Track();
        }
        TPoint point = System().CursorPos;
        if (state == DRAGDROP_S_DROP && FTarget && FEffect != DROPEFFECT_NONE) {
            DWORD dropEffect = FAllowed;
            auto target = FTarget;
            FTarget.reset();
            target->Drop(FData, DragKeyState(), point, dropEffect);
            effect = dropEffect & FAllowed;
            return DRAGDROP_S_DROP;
        }
        if (FTarget) FTarget->DragLeave();
        FTarget.reset();
        effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    }

private:
    // Enter, over or leave at the cursor, then the source's feedback.
    void Track() {
        TPoint point = System().CursorPos;
        auto [window, target] = TargetAt(point);
        DWORD effect = FAllowed;
        if (target != FTarget) {
            if (FTarget) FTarget->DragLeave();
            FTarget = target;
            FWindow = window;
            if (FTarget) FTarget->DragEnter(FData, DragKeyState(), point, effect);
        } else if (FTarget) {
            FTarget->DragOver(DragKeyState(), point, effect);
        }
        FEffect = FTarget ? (effect & (FAllowed | DROPEFFECT_SCROLL)) : DROPEFFECT_NONE;
        if (FSource.GiveFeedback(FEffect) == DRAGDROP_S_USEDEFAULTCURSORS)
            SetCursor(LoadCursor(EffectCursor(FEffect)));
    }

    IDataObject& FData;
    IDropSource& FSource;
    DWORD FAllowed;
    std::shared_ptr<IDropTarget> FTarget;
    HWND FWindow = nullptr;
    DWORD FEffect = DROPEFFECT_NONE;
};

} // namespace

namespace winapi {

void ReleaseStgMedium(STGMEDIUM& medium) {
    if (medium.tymed == TYMED_HGLOBAL && !medium.pUnkForRelease) GlobalFree(medium.hGlobal);
    medium = STGMEDIUM();
}

HRESULT OleInitialize() {
    return S_OK;
}
void OleUninitialize() {}

HRESULT RegisterDragDrop(HWND window, std::shared_ptr<IDropTarget> target) {
    if (!Record(window) || !target) return DRAGDROP_E_INVALIDHWND;
    auto& targets = System().DropTargets;
    if (targets.count(window)) return DRAGDROP_E_ALREADYREGISTERED;
    targets.emplace(window, std::move(target));
    return S_OK;
}

HRESULT RevokeDragDrop(HWND window) {
    if (!Record(window)) return DRAGDROP_E_INVALIDHWND;
    return System().DropTargets.erase(window) ? S_OK : DRAGDROP_E_NOTREGISTERED;
}

HRESULT DoDragDrop(IDataObject& data, IDropSource& source, DWORD allowed, DWORD& effect) {
    auto& system = System();
    effect = DROPEFFECT_NONE;
    if (system.Dragging) return E_UNEXPECTED;
    struct TGuard {
        TGuard() {
            System().Dragging = true;
            System().InputHeld = true;
        }
        ~TGuard() {
            System().Dragging = false;
            System().InputHeld = false;
        }
    } guard;
    HCURSOR cursor = GetCursor();
    HRESULT result = TDragLoop(data, source, allowed).Run(effect);
    SetCursor(cursor);
    return result;
}

bool IsDragging() {
    return System().Dragging;
}

} // namespace winapi
