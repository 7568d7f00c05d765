// Clipboard blocks from other programs: the text taken never runs past the block and
// never holds a zero.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "copy/clip_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto text = talvine::TextFromClipboardBlock(reinterpret_cast<const char*>(data), size);
    if (text) {
        if (text->empty() || text->size() > size) std::abort();
        if (std::memchr(text->data(), 0, text->size())) std::abort();
        if (std::memcmp(text->data(), data, text->size()) != 0) std::abort();
    }
    return 0;
}
