// Times copies from inside Wine: injects drags with SendInput and measures, on one
// clock, from each left-button release to the moment 编辑框1 shows the copied text.
//
//   latency_probe EDIT_HWND N  X1 Y1 X2 Y2 TEXTHEX_A  X3 Y3 X4 Y4 TEXTHEX_B
//
// Drags alternate between the two selections, so the box changes every time.
// Prints one line per copy: {"ms": 151.2}
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "hex.h"

namespace {

void MouseTo(int x, int y) { SetCursorPos(x, y); }

void Button(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}

std::string BoxText(HWND edit) {
    char buf[512] = {};
    DWORD_PTR n = 0;
    SendMessageTimeoutA(edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 1000, &n);
    return std::string(buf, n);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 13) {
        std::fprintf(stderr, "usage: see the source\n");
        return 2;
    }
    HWND edit = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[1], nullptr, 0)));
    const int n = std::atoi(argv[2]);
    struct Drag {
        int x1, y1, x2, y2;
        std::string text;
    } drags[2] = {{std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]), FromHex(argv[7])},
                  {std::atoi(argv[8]), std::atoi(argv[9]), std::atoi(argv[10]), std::atoi(argv[11]),
                   FromHex(argv[12])}};
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    for (int i = 0; i < n; ++i) {
        const Drag& d = drags[i % 2];
        MouseTo(d.x1, d.y1);
        Button(true);
        Sleep(30);
        MouseTo((d.x1 + d.x2) / 2, d.y1);
        Sleep(10);
        MouseTo(d.x2, d.y2);
        Sleep(30);
        LARGE_INTEGER released, shown;
        QueryPerformanceCounter(&released);
        Button(false);
        do {
            QueryPerformanceCounter(&shown);
            if ((shown.QuadPart - released.QuadPart) > freq.QuadPart * 3) break;  // 3 s: give up
            Sleep(0);
        } while (BoxText(edit) != d.text);
        std::printf("{\"ms\": %.2f}\n", 1000.0 * static_cast<double>(shown.QuadPart - released.QuadPart) /
                                            static_cast<double>(freq.QuadPart));
        std::fflush(stdout);
        Sleep(250);  // let the copy's worker end before the next drag
    }
    return 0;
}
