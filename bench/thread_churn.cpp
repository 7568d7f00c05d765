// Threads created and ended the way the program's copy worker is, and nothing else:
// the yardstick for the memory a copy leaves behind. Each thread is started detached
// (CreateThread, the handle closed at once) while the main thread runs its window's
// messages, and does one of:
//
//   empty      nothing
//   queue      makes its message queue and delivers what waits in it, as the worker's
//              waits do
//   open       opens the clipboard and closes it, reading nothing
//   clipboard  opens the clipboard, reads its CF_TEXT and closes it
//   settext    the same, then sets the text of an edit box the main thread owns
//   main-read  no thread: the main thread reads the clipboard as `clipboard` does
//
// Usage: thread_churn VARIANT COUNT EVERY. Before the first round, after rounds 1, 10,
// 30 and 100, and after every EVERY rounds it prints one JSON line of what the process
// holds (its heaps' busy bytes among them), then keeps still for a second so that the
// bench can read /proc for the same moment.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

enum class Variant { Empty, Queue, Open, Clipboard, SetText, MainRead };

Variant g_variant = Variant::Empty;
HWND g_edit = nullptr;
HANDLE g_done = nullptr;

constexpr char kClipText[] = "alpha beta gamma";

void ReadClipboard() {
    if (!OpenClipboard(nullptr)) return;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            volatile std::size_t length = strnlen(bytes, GlobalSize(data));
            (void)length;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
}

DWORD WINAPI Worker(LPVOID) {
    switch (g_variant) {
    case Variant::Empty: break;
    case Variant::Queue: {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        break;
    }
    case Variant::Open:
        if (OpenClipboard(nullptr)) CloseClipboard();
        break;
    case Variant::Clipboard:
    case Variant::MainRead: ReadClipboard(); break;
    case Variant::SetText:
        ReadClipboard();
        SetWindowTextA(g_edit, kClipText);
        break;
    }
    SetEvent(g_done);
    return 0;
}

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

// Runs the main thread's messages until the worker says it is done; the settext
// variant's SetWindowTextA waits for the main thread to take it.
bool WaitForWorker() {
    for (;;) {
        const DWORD r = MsgWaitForMultipleObjects(1, &g_done, FALSE, 5000, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

struct HeapFigures {
    unsigned long long busy = 0;       // bytes handed out and not yet freed
    unsigned long long committed = 0;  // bytes of the heaps' regions in use
};

HeapFigures WalkHeaps() {
    HeapFigures f;
    HANDLE heaps[64];
    const DWORD n = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < n && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY e{};
        while (HeapWalk(heaps[i], &e)) {
            if (e.wFlags & PROCESS_HEAP_REGION) f.committed += e.Region.dwCommittedSize;
            else if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) f.busy += e.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return f;
}

struct SpaceFigures {
    unsigned long long privateCommitted = 0;
    unsigned long regions = 0;
};

SpaceFigures WalkAddressSpace() {
    SpaceFigures f;
    MEMORY_BASIC_INFORMATION m{};
    for (const char* p = nullptr; VirtualQuery(p, &m, sizeof m) == sizeof m;
         p = static_cast<const char*>(m.BaseAddress) + m.RegionSize) {
        if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) {
            f.privateCommitted += m.RegionSize;
            ++f.regions;
        }
        if (m.RegionSize == 0) break;
    }
    return f;
}

void Report(const char* variant, int rounds) {
    // Wine fills the working set from /proc's VmRSS; it answers 0 for the handle and
    // GUI object counts, even of the process itself.
    PROCESS_MEMORY_COUNTERS mem{};
    mem.cb = sizeof mem;
    GetProcessMemoryInfo(GetCurrentProcess(), &mem, sizeof mem);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    const HeapFigures heap = WalkHeaps();
    const SpaceFigures space = WalkAddressSpace();
    std::printf(
        "{\"variant\": \"%s\", \"rounds\": %d, \"working_set_kib\": %llu, "
        "\"heap_busy\": %llu, \"heap_committed\": %llu, \"private_committed_kib\": %llu, "
        "\"private_regions\": %lu, \"handles\": %lu, \"gdi\": %lu, \"user\": %lu}\n",
        variant, rounds, static_cast<unsigned long long>(mem.WorkingSetSize / 1024),
        heap.busy, heap.committed,
        space.privateCommitted / 1024, space.regions, handles, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
        GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    std::fflush(stdout);
}

void PutTextOnClipboard(HWND owner) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof kClipText);
    std::memcpy(GlobalLock(mem), kClipText, sizeof kClipText);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: thread_churn empty|queue|open|clipboard|settext|main-read COUNT EVERY\n");
        return 2;
    }
    const std::string_view name = argv[1];
    if (name == "queue") g_variant = Variant::Queue;
    else if (name == "open") g_variant = Variant::Open;
    else if (name == "main-read") g_variant = Variant::MainRead;
    else if (name == "clipboard") g_variant = Variant::Clipboard;
    else if (name == "settext") g_variant = Variant::SetText;
    else if (name != "empty") return 2;
    const int count = std::atoi(argv[2]);
    const int every = std::max(1, std::atoi(argv[3]));

    HWND window = CreateWindowExA(0, "STATIC", "thread churn", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    g_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 280, 24, window, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    g_done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    PutTextOnClipboard(window);
    Pump(500);

    Report(argv[1], 0);
    Pump(1000);
    for (int i = 1; i <= count; ++i) {
        if (g_variant == Variant::MainRead) Worker(nullptr);
        else if (HANDLE t = CreateThread(nullptr, 0, &Worker, nullptr, 0, nullptr)) CloseHandle(t);
        if (!WaitForWorker()) {
            std::fprintf(stderr, "thread %d did not finish\n", i);
            return 1;
        }
        if (i == 1 || i == 10 || i == 30 || i == 100 || i % every == 0) {
            Pump(200);  // the last thread has ended, not only finished its work
            Report(argv[1], i);
            Pump(1000);
        }
    }
    DestroyWindow(window);
    CloseHandle(g_done);
    return 0;
}
