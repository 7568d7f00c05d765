// The short-lived thread that copies a drag's selection and shows it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace talvine {

// Names the window whose text every copy replaces: the main window's edit box 编辑框1.
// Set once at start-up, before any hook can start a worker.
void SetCopyTarget(HWND editBox);

// Waits 100 ms, types Ctrl+C (Ctrl+Insert into a terminal), waits 50 ms, reads the
// clipboard's text and sets it as the text of the copy target (the empty text when
// there is none).
DWORD WINAPI CopyWorker(LPVOID);

// Returns when ms milliseconds have passed, dispatching the calling thread's
// messages meanwhile. It polls the tick count and never sleeps.
void DelayWithEvents(int32_t ms);

// The clipboard's CF_TEXT bytes, up to the first zero; absent when the clipboard
// cannot be opened, holds no text, its text is empty, or its content is marked as
// not for clipboard viewers and history.
std::optional<std::string> ReadClipboardText();

}  // namespace talvine
