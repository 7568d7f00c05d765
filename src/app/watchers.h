// The owner of the two low-level mouse hooks: the only code that installs and
// removes them, and that puts them back when the system has removed them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/app_state.h"
#include "base/handles.h"
#include "tray/copy_switch.h"
#include "ui/window_events.h"

namespace talvine {

// Installs CopyHookProc and PasteHookProc and removes them again. AppState's fields
// hold each hook's latest handle, as the hook procedures need it, and keep it after
// the hook is removed; the owner alone knows whether a hook is meant to be in place,
// so that it never removes one twice and never installs one beside itself.
class Watchers : public CopyWatch {
public:
    explicit Watchers(AppState& state) : state_(state) {}
    Watchers(const Watchers&) = delete;
    Watchers& operator=(const Watchers&) = delete;
    ~Watchers() = default;

    // A hook already in place is replaced, never doubled. On failure the field
    // holds null, and that hook's work simply never happens.
    void InstallCopyHook() override;
    void RemoveCopyHook() override;
    void InstallPasteHook();
    void RemovePasteHook();

    bool CopyHookInstalled() const { return static_cast<bool>(copyHook_); }
    bool PasteHookInstalled() const { return static_cast<bool>(pasteHook_); }

    // Makes `window` the witness of mouse input (a raw-input sink, which sees the
    // mouse whatever window is active and whether or not the hooks work) and has it
    // told of session changes. `window` runs the check on its kHookCheckTimer.
    void WatchInputOf(HWND window);
    void StopWatchingInput();

    // The witness saw mouse input: the check runs within a second.
    void MouseInputSeen(uint32_t now);
    // Reinstalls each hook meant to be in place that the witness shows to be gone.
    void CheckNow(uint32_t now);
    // Puts back, as new hooks, the hooks meant to be in place (the copy hook only
    // while copying is on): after sleep, at unlock and after long calls of the main
    // thread, when Windows is known to drop hooks without a trace.
    void Rearm();

    // What the main window passes on: the witness's input and the check's timer,
    // and the moments the hooks are re-armed.
    void Heed(WatchNotice notice);

    // How many hooks the check found removed and reinstalled in this run.
    int Reinstalls() const { return reinstalls_; }

private:
    AppState& state_;
    UniqueHook copyHook_;
    UniqueHook pasteHook_;
    uint32_t copyInstalledAt_ = 0;
    uint32_t pasteInstalledAt_ = 0;
    HWND window_ = nullptr;
    bool checkPending_ = false;
    bool witnessed_ = false;
    uint32_t witness_ = 0;
    int reinstalls_ = 0;
};

// The main window's property that counts the check's reinstalls, for the bench.
inline constexpr char kReinstallsProperty[] = "TalvineHookReinstalls";

}  // namespace talvine
