// The X window behind an SDL2 window, for the window program.

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstring>
#include <string>

unsigned long XWindowOfTitle(const std::string& Title) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return 0;
    for (Uint32 Id = 1; Id < 1024; ++Id) {
        SDL_Window* Window = SDL_GetWindowFromID(Id);
        if (!Window || !(SDL_GetWindowFlags(Window) & SDL_WINDOW_SHOWN)) continue;
        if (std::strcmp(Title.c_str(), SDL_GetWindowTitle(Window)) != 0) continue;
        SDL_SysWMinfo Info;
        SDL_VERSION(&Info.version);
        if (SDL_GetWindowWMInfo(Window, &Info) && Info.subsystem == SDL_SYSWM_X11)
            return static_cast<unsigned long>(Info.info.x11.window);
    }
    return 0;
}
