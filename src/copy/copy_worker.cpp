#include "copy/copy_worker.h"

#include <atomic>
#include <memory>

#include "copy/clip_text.h"
#include "copy/drag.h"
#include "copy/press_key_chord.h"
#include "copy/wait.h"

namespace talvine {

namespace {

constexpr int32_t kBeforeCopyMs = 100;  // lets the application finish the selection
constexpr int32_t kAfterCopyMs = 50;    // lets it put the selection on the clipboard

// Written once before the first worker starts; read by every worker.
std::atomic<HWND> g_target{nullptr};

// Delivers every waiting message of the calling thread but WM_QUIT, which stays
// queued for the thread's own loop.
void DispatchPass() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
        GetMessageA(&msg, nullptr, 0, 0);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

void SetCopyTarget(HWND editBox) { g_target.store(editBox); }

void DelayWithEvents(int32_t ms) {
    const TickWait wait(GetTickCount(), ms);
    if (!wait.Needed()) return;
    DispatchPass();
    DispatchPass();
    while (!wait.Over(GetTickCount())) {
        DispatchPass();
        DispatchPass();
    }
}

namespace {

// What the open clipboard says of its content.
ClipboardMarks ReadMarks() {
    ClipboardMarks marks;
    marks.excludeFromMonitoring = IsClipboardFormatAvailable(RegisterClipboardFormatA(kExcludeFromMonitoringFormat));
    marks.viewerIgnore = IsClipboardFormatAvailable(RegisterClipboardFormatA(kViewerIgnoreFormat));
    const UINT history = RegisterClipboardFormatA(kHistoryFlagFormat);
    marks.historyFlagPresent = IsClipboardFormatAvailable(history);
    if (marks.historyFlagPresent) {
        if (HANDLE data = GetClipboardData(history)) {
            if (const auto* bytes = static_cast<const unsigned char*>(GlobalLock(data))) {
                marks.historyFlag = DwordFromClipboardBlock(bytes, GlobalSize(data));
                GlobalUnlock(data);
            }
        }
    }
    return marks;
}

}  // namespace

std::optional<std::string> ReadClipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    // Marked content (a password, say) is treated as no text: not read, not shown.
    if (IsPrivate(ReadMarks())) {
        CloseClipboard();
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = TextFromClipboardBlock(bytes, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::optional<PixelRect> WindowRectOf(HWND window) {
    RECT r{};
    if (!window || !GetWindowRect(window, &r)) return std::nullopt;
    return PixelRect{r.left, r.top, r.right, r.bottom};
}

DWORD WINAPI CopyWorker(LPVOID param) {
    const std::unique_ptr<CopyRequest> request(static_cast<CopyRequest*>(param));
    DelayWithEvents(kBeforeCopyMs);
    if (request && !StartsCopy(true, {request->rectAtPress, false}, WindowRectOf(request->pressWindow))) return 0;
    // Ctrl+C, or what the foreground terminal takes instead; a terminal that copied
    // the selection by itself at the release gets no chord, only the wait.
    if (const std::optional<ChordKeys> chord = ChordForForeground(ChordPurpose::Copy))
        PressKeyChord(chord->first, chord->second);
    DelayWithEvents(kAfterCopyMs);
    const std::optional<std::string> text = ReadClipboardText();
    // The edit box belongs to the main thread, which takes the write while this
    // thread waits for it. A box already gone makes the write fail quietly, and the
    // worker just ends.
    SetWindowTextA(g_target.load(), text ? text->c_str() : "");
    return 0;
}

}  // namespace talvine
