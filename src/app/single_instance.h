// One copy of the program per session. Two copies would each install both hooks:
// every middle press would paste twice and every drag type two chords.
#pragma once

#include <windows.h>

#include "base/handles.h"

namespace talvine {

// Holds a named mutex in the session's namespace for as long as it lives. The kernel
// lets go of it when its owner dies, so a copy that crashed never blocks a start.
class SingleInstance {
public:
    SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance();

    // Whether this is the only copy running; if the mutex cannot be made at all, the
    // program starts as it would have without it.
    bool First() const { return first_; }

private:
    HANDLE mutex_;
    bool first_ = true;
};

// For a second start: brings the running copy's main window forward, out of the
// tray too, as a left-button release over its icon does. Waits a few seconds for a
// copy that is still starting to show its window.
void BringRunningCopyForward();

}  // namespace talvine
