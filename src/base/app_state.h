// The program's only mutable global state, a plain record that only the main thread
// touches. The application defines and owns the one instance; it is declared here so
// that the two mouse hook procedures, which the system calls with no context, reach it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/geometry.h"

namespace talvine {

struct AppState {
    HHOOK copyHook = nullptr;   // kept after removal: no field is ever reset
    HHOOK pasteHook = nullptr;
    int32_t hotkeyId = 0;       // 33001, or 0 when Esc could not be registered
    // Where the left button last went down. A record of its own that outlives the
    // main window: created before it and released after the message loop.
    std::unique_ptr<Point> pressPoint;
};

extern AppState appState;

}  // namespace talvine
