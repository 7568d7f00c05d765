// Any tooltip text: the cut keeps a prefix of at most 62 bytes that ends on a whole
// character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tray/tray_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    const std::string cut = talvine::CutTooltip(in);
    if (cut.size() > 62 || in.substr(0, cut.size()) != cut) std::abort();
    // Walking the kept bytes by character must land exactly on their end.
    std::size_t i = 0;
    while (i < cut.size()) i += static_cast<unsigned char>(cut[i]) >= 0x81 && static_cast<unsigned char>(cut[i]) <= 0xFE ? 2 : 1;
    if (i != cut.size()) std::abort();
    // Nothing that would have fitted was dropped.
    if (cut.size() < in.size()) {
        const auto next = static_cast<unsigned char>(in[cut.size()]);
        const std::size_t width = next >= 0x81 && next <= 0xFE ? 2 : 1;
        if (cut.size() + width <= 62 && cut.size() + width <= in.size()) std::abort();
    }
    return 0;
}
