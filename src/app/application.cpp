#include "app/application.h"

#include <ole2.h>

#include "app/app_state.h"
#include "tray/copy_switch.h"
#include "tray/tray_presence.h"
#include "ui/help.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {

AppState appState;

namespace {

// Runs a step when the scope ends, whichever way it ends.
template <typename F>
class ExitStep {
public:
    explicit ExitStep(F f) : f_(f) {}
    ExitStep(const ExitStep&) = delete;
    ExitStep& operator=(const ExitStep&) = delete;
    ~ExitStep() { f_(); }

private:
    F f_;
};

// The seven bindings of the form; every handler gives no answer.
Bindings FormBindings() {
    Bindings b;
    b.created = &OnMainWindowCreated;
    b.mayClose = [] {
        OnMainWindowClosing();
        return Answer::None;
    };
    b.positionChanged = &OnMainWindowStateChanged;
    b.tray = &OnTrayEvent;
    b.button5Click = &OnCopySwitchClicked;
    b.button6LeftPressed = [](int32_t x, int32_t y, int32_t keyState) {
        OnHelpPressed(x, y, keyState);
        return Answer::None;
    };
    b.label1Feedback = &OnHotkeyFeedback;
    return b;
}

}  // namespace

void ReleaseAppState() { appState.pressPoint.reset(); }

void OnMainWindowCreated() {}

void OnMainWindowClosing() {}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (窗口.PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int RunApplication(const StartupSeams& seams) {
    OleInitialize(nullptr);
    appState.pressPoint = std::make_unique<Point>();
    int exitCode = 0;
    {
        ExitStep releaseState(&ReleaseAppState);
        if (!窗口.Create(GetModuleHandleA(nullptr), FormBindings(), seams.createWindow)) {
            seams.messageBox(nullptr, texts::kStartupFailed, texts::kProductName, MB_ICONERROR);
            exitCode = -1;
        } else {
            窗口.Open();
            if (窗口.Exists()) exitCode = RunMessageLoop();
        }
    }
    OleUninitialize();
    return exitCode;
}

}  // namespace talvine
