// Hiding the main window behind a notification-area icon and bringing it back.
#pragma once

#include <cstdint>

namespace talvine {

void OnMainWindowStateChanged();
void OnTrayEvent(int32_t type);

}  // namespace talvine
