// ICO bytes from outside the program: whatever they hold, the image chosen lies
// wholly inside them, and nothing is read past their end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tray/ico.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int32_t width : {16, 32}) {
        if (const auto image = talvine::ChooseIcoImage({data, size}, width)) {
            if (image->offset > size || image->size > size - image->offset || image->size < 4) std::abort();
        }
    }
    return 0;
}
