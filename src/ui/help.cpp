#include "ui/help.h"

#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace talvine {

// Pops up the help text with the pointer's tip 30 pixels right of and 1 pixel below
// the edit box's outer top-left corner (at 96 DPI; scaled at the window's), seen from
// the window's outer top-left: just inside the window's top-left area. The sums are
// formed in double precision and truncated, which gives the exact integer sum.
void OnHelpPressed(MainWindow& window, int32_t, int32_t, int32_t) {
    const Point offset = LayoutAt(window.Dpi()).helpTip;
    const double x = static_cast<double>(window.Left()) + window.编辑框1.Left() + offset.x;
    const double y = static_cast<double>(window.Top()) + window.编辑框1.Top() + offset.y;
    PopUpBalloon(window.气球提示框1, static_cast<int32_t>(x), static_cast<int32_t>(y), texts::kHelpText, -1);
}

}  // namespace talvine
