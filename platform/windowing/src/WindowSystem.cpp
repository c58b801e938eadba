#include "WindowSystem.h"

#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"
#include "windowing/HeadlessBackend.h"

#include <chrono>
#include <cstdlib>

namespace {

std::unique_ptr<TWindowSystem>& Instance() {
    static std::unique_ptr<TWindowSystem> instance;
    return instance;
}

// Registered names and their ids live as long as the process, like the
// platform's atom table; a new backend does not renumber them.
struct TAtomTable {
    std::mutex Lock;
    std::map<String, winapi::UINT> Ids; // upper-case names
    std::map<winapi::UINT, String> Names;
    winapi::UINT Next = 0xC000;
};

TAtomTable& Atoms() {
    static TAtomTable table;
    return table;
}

} // namespace

TWindowSystem::TWindowSystem() : Clock(std::make_shared<TSteadyClock>()) {
    KeyState[winapi::VK_NUMLOCK] = 0x01; // the keypad types digits, as it does at start-up on the platform
}

TWindowSystem::~TWindowSystem() {
    for (auto* window : std::vector<winapi::HWND>(Live.begin(), Live.end())) {
        if (window->Surface) cairo_surface_destroy(window->Surface);
        delete window;
    }
    Live.clear();
    Graveyard.clear();
    for (void* storage : Tombstones)
        ::operator delete(storage);
    for (auto& [format, block] : Clipboard.Formats)
        winapi::GlobalFree(block);
    for (auto& [id, cursor] : SharedCursors)
        if (cursor->Image) cairo_surface_destroy(cursor->Image);
    if (ScreenSurface) cairo_surface_destroy(ScreenSurface);
}

bool HasSystem() {
    return Instance() != nullptr;
}

TWindowSystem& System() {
    auto& instance = Instance();
    if (!instance) SelectBackend(CreateDefaultBackend());
    return *instance;
}

void SelectBackend(std::unique_ptr<TWindowBackend> backend) {
    auto& instance = Instance();
    std::shared_ptr<TWindowClock> clock;
    if (instance) {
        clock = instance->Clock;
        // Windows go before the backend that shows them.
        auto& system = *instance;
        for (winapi::HWND window : std::vector<winapi::HWND>(system.TopLevels))
            if (system.Live.count(window)) winapi::DestroyWindow(window);
        instance.reset();
    }
    instance = std::make_unique<TWindowSystem>();
    if (clock) instance->Clock = clock;
    instance->BackendPtr = std::move(backend);
}

TWindowBackend& Backend() {
    return *System().BackendPtr;
}

std::unique_ptr<TWindowBackend> CreateDefaultBackend() {
    const char* forced = std::getenv("VANDREL_BACKEND");
    String choice = forced ? LowerCase(FromUtf8(forced)) : String();
    if (choice == u"headless") return std::make_unique<THeadlessBackend>();
    if (choice == u"sdl") return CreateSdlBackend();
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display && *display) || (wayland && *wayland)) {
        try {
            return CreateSdlBackend();
        } catch (const EWindowingError&) {
            // No usable display after all: the program still runs, headless.
        }
    }
    return std::make_unique<THeadlessBackend>();
}

THeadlessBackend& UseHeadlessBackend(TSize screen) {
    auto backend = std::make_unique<THeadlessBackend>(screen);
    THeadlessBackend& result = *backend;
    SelectBackend(std::move(backend));
    return result;
}

UInt64 TSteadyClock::Milliseconds() {
    using namespace std::chrono;
    return UInt64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TWindowClock& SetWindowClock(std::shared_ptr<TWindowClock> clock) {
    auto& system = System();
    system.Clock = clock ? std::move(clock) : std::make_shared<TSteadyClock>();
    return *system.Clock;
}

TWindowClock& WindowClock() {
    return *System().Clock;
}

TWindowRecord* Record(winapi::HWND window) {
    if (!window) return nullptr;
    auto& system = System();
    return system.Live.count(window) ? window : nullptr;
}

bool IsTopLevel(const TWindowRecord& record) {
    return (record.Style & winapi::WS_CHILD) == 0;
}

winapi::HWND TopLevelOf(winapi::HWND window) {
    while (window && !IsTopLevel(*window))
        window = window->Parent;
    return window;
}

TRect SurfaceRect(winapi::HWND window) {
    if (IsTopLevel(*window)) return Bounds(0, 0, window->Rect.Width(), window->Rect.Height());
    TRect parent = SurfaceRect(window->Parent);
    Integer x = parent.Left + window->Parent->Client.Left + window->Rect.Left;
    Integer y = parent.Top + window->Parent->Client.Top + window->Rect.Top;
    return Bounds(x, y, window->Rect.Width(), window->Rect.Height());
}

TPoint ClientOriginOnScreen(winapi::HWND window) {
    winapi::HWND top = TopLevelOf(window);
    TRect surface = SurfaceRect(window);
    return {top->Rect.Left + surface.Left + window->Client.Left,
            top->Rect.Top + surface.Top + window->Client.Top};
}

bool IsShownSelf(const TWindowRecord& record) {
    return (record.Style & winapi::WS_VISIBLE) && !record.RedrawOff;
}

bool IsShownChain(winapi::HWND window) {
    for (; window; window = IsTopLevel(*window) ? nullptr : window->Parent)
        if (!IsShownSelf(*window)) return false;
    return true;
}

bool IsEnabledChain(winapi::HWND window) {
    for (; window; window = IsTopLevel(*window) ? nullptr : window->Parent)
        if (window->Style & winapi::WS_DISABLED) return false;
    return true;
}

void CollectGarbage() {
    auto& system = System();
    if (system.DispatchDepth != 0) return;
    for (auto& record : system.Graveyard) {
        TWindowRecord* dead = record.release();
        dead->~TWindowRecord(); // frees what the record holds; its bytes stay reserved
        system.Tombstones.push_back(dead);
    }
    system.Graveyard.clear();
}

winapi::LRESULT Send(winapi::HWND window, winapi::UINT message, winapi::WPARAM wParam,
                     winapi::LPARAM lParam) {
    return winapi::SendMessage(window, message, wParam, lParam);
}

namespace detail {

UInt64 Now() {
    return System().Clock->Milliseconds();
}

winapi::UINT RegisterAtom(const String& name) {
    if (name.empty()) return 0;
    auto& atoms = Atoms();
    std::lock_guard lock(atoms.Lock);
    String key = UpperCase(name);
    auto found = atoms.Ids.find(key);
    if (found != atoms.Ids.end()) return found->second;
    if (atoms.Next > 0xFFFF) return 0;
    winapi::UINT id = atoms.Next++;
    atoms.Ids.emplace(key, id);
    atoms.Names.emplace(id, name);
    return id;
}

bool AtomName(winapi::UINT atom, String& name) {
    auto& atoms = Atoms();
    std::lock_guard lock(atoms.Lock);
    auto found = atoms.Names.find(atom);
    if (found == atoms.Names.end()) return false;
    name = found->second;
    return true;
}

} // namespace detail
