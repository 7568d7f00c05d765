// The window's font at a DPI: the system's GUI font (DEFAULT_GUI_FONT) scaled from
// the DPI it was made for, the system's, to the DPI the window is shown at. At the
// system's DPI it is the stock font's exact copy, so nothing changes there.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talvine {

LOGFONTA GuiFontAt(int32_t dpi);

// The caller owns the font.
HFONT CreateGuiFont(int32_t dpi);

}  // namespace talvine
