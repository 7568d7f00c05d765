#include "ui/gui_font.h"

#include "base/dpi.h"
#include "base/dpi_scale.h"

namespace talvine {

LOGFONTA GuiFontAt(int32_t dpi) {
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    const int32_t madeFor = SystemDpi();
    font.lfHeight = Scale(font.lfHeight, dpi, madeFor);
    font.lfWidth = Scale(font.lfWidth, dpi, madeFor);
    return font;
}

HFONT CreateGuiFont(int32_t dpi) {
    const LOGFONTA font = GuiFontAt(dpi);
    return CreateFontIndirectA(&font);
}

}  // namespace talvine
