// The clipboard's CF_TEXT bytes, read without trusting the other program that put
// them there to have terminated them.
#pragma once

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>

namespace talvine {

// The bytes up to the first zero, never past the end of the block; absent when
// there are none (an empty block, or a zero at the first byte).
inline std::optional<std::string> TextFromClipboardBlock(const char* data, std::size_t size) {
    if (!data || size == 0) return std::nullopt;
    const void* zero = std::memchr(data, 0, size);
    const std::size_t length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - data) : size;
    if (length == 0) return std::nullopt;
    return std::string(data, length);
}

}  // namespace talvine
