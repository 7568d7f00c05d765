// The owner of the two low-level mouse hooks: the only code that installs and
// removes them.
#pragma once

#include <windows.h>

#include "base/app_state.h"
#include "base/handles.h"
#include "tray/copy_switch.h"

namespace talvine {

// Installs CopyHookProc and PasteHookProc and removes them again. AppState's fields
// hold each hook's latest handle, as the hook procedures need it, and keep it after
// the hook is removed; the owner alone knows whether a hook is in place, so that it
// never removes one twice and never installs one beside itself.
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

private:
    AppState& state_;
    UniqueHook copyHook_;
    UniqueHook pasteHook_;
};

}  // namespace talvine
