// The short-lived thread that copies a drag's selection and shows it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/geometry.h"

namespace talvine {

// Names the window whose text every copy replaces: the main window's edit box 编辑框1.
// Set once at start-up, before any hook can start a worker.
void SetCopyTarget(HWND editBox);

// What a drag's release saw: the top-level window under its press, and that window's
// rectangle at the press. A window dragged by its frame is moved as its own program
// handles the mouse, which may be after the release has passed the hook (and, where
// windows are not shown while dragged, only at the release), so the worker looks
// again before it types anything.
struct CopyRequest {
    HWND pressWindow = nullptr;
    std::optional<PixelRect> rectAtPress;
};

// The window's outer rectangle; none when it cannot be read (the window is gone).
std::optional<PixelRect> WindowRectOf(HWND window);

// Waits 100 ms, types Ctrl+C (Ctrl+Insert into a terminal), waits 50 ms, reads the
// clipboard's text and sets it as the text of the copy target (the empty text when
// there is none). Given a CopyRequest (which it deletes), it ends after the first
// wait, typing nothing and leaving the box alone, if the press's window has been
// moved or resized meanwhile: that drag selected nothing.
DWORD WINAPI CopyWorker(LPVOID request);

// Returns when ms milliseconds have passed, dispatching the calling thread's
// messages meanwhile. It polls the tick count and never sleeps.
void DelayWithEvents(int32_t ms);

// The clipboard's CF_TEXT bytes, up to the first zero; absent when the clipboard
// cannot be opened, holds no text, its text is empty, or its content is marked as
// not for clipboard viewers and history.
std::optional<std::string> ReadClipboardText();

}  // namespace talvine
