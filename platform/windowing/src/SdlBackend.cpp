#include "windowing/Backend.h"

std::unique_ptr<TWindowBackend> CreateSdlBackend() {
    throw EWindowingError(u"The SDL2 backend is not built in");
}
