// Finding the image to show in the bytes of an ICO (or CUR) file. The bytes are
// checked before every read: a malformed file gives no image, never a read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace talvine {

struct IcoImage {
    std::size_t offset;  // where the image's bytes start in the file
    std::size_t size;    // how many bytes it has
    int32_t width;       // from the image's own header
    int32_t height;      // half the header's height: the header counts the mask too
    uint16_t bitCount;
};

// The first directory entry whose colour count is at least 16 and whose width equals
// targetWidth, else the last entry.
std::optional<IcoImage> ChooseIcoImage(std::span<const uint8_t> file, int32_t targetWidth);

}  // namespace talvine
