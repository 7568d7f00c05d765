// 气球提示框1: the balloon-tip component of the main window.
#pragma once

#include <windows.h>

namespace talvine {

class Balloon {
public:
    HWND hwnd = nullptr;
};

}  // namespace talvine
