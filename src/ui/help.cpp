#include "ui/help.h"

namespace talvine {

void OnHelpPressed(int32_t, int32_t, int32_t) {}

}  // namespace talvine
