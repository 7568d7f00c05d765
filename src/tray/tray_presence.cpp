#include "tray/tray_presence.h"

namespace talvine {

void OnMainWindowStateChanged() {}

void OnTrayEvent(int32_t) {}

}  // namespace talvine
