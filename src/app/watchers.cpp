#include "app/watchers.h"

#include "copy/copy_hook.h"
#include "paste/paste_hook.h"

namespace talvine {

namespace {

// A global low-level mouse hook: the system calls it on this thread, while the thread
// waits for messages, for every mouse event on the desktop.
HHOOK InstallMouseHook(HOOKPROC proc) { return SetWindowsHookExA(WH_MOUSE_LL, proc, GetModuleHandleA(nullptr), 0); }

}  // namespace

void Watchers::InstallCopyHook() {
    copyHook_.reset();
    copyHook_.reset(InstallMouseHook(&CopyHookProc));
    state_.copyHook = copyHook_.get();
}

void Watchers::RemoveCopyHook() { copyHook_.reset(); }

void Watchers::InstallPasteHook() {
    pasteHook_.reset();
    pasteHook_.reset(InstallMouseHook(&PasteHookProc));
    state_.pasteHook = pasteHook_.get();
}

void Watchers::RemovePasteHook() { pasteHook_.reset(); }

}  // namespace talvine
