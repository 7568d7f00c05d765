#include "tray/ico.h"

namespace talvine {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;
constexpr uint8_t kPngMagic[4] = {0x89, 'P', 'N', 'G'};

uint16_t U16(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

uint32_t U32(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

}  // namespace

std::optional<IcoImage> ChooseIcoImage(std::span<const uint8_t> file, int32_t targetWidth) {
    if (file.size() < kHeaderSize) return std::nullopt;
    const uint16_t type = U16(file, 2);
    const uint16_t count = U16(file, 4);
    if (U16(file, 0) != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
    if (file.size() < kHeaderSize + kEntrySize * count) return std::nullopt;

    std::size_t chosen = count - 1u;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderSize + kEntrySize * i;
        const int32_t width = file[entry] == 0 ? 256 : file[entry];
        if (file[entry + 2] >= 16 && width == targetWidth) {
            chosen = i;
            break;
        }
    }

    const std::size_t entry = kHeaderSize + kEntrySize * chosen;
    const std::size_t size = U32(file, entry + 8);
    const std::size_t offset = U32(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset || size < sizeof kPngMagic) return std::nullopt;
    const std::span<const uint8_t> image = file.subspan(offset, size);

    if (image[0] == kPngMagic[0] && image[1] == kPngMagic[1] && image[2] == kPngMagic[2] &&
        image[3] == kPngMagic[3]) {
        // A compressed image has no bitmap header; its size is the directory's.
        return IcoImage{offset, size, file[entry] == 0 ? 256 : file[entry],
                        file[entry + 1] == 0 ? 256 : file[entry + 1], U16(file, entry + 6)};
    }
    if (size < kBitmapHeaderSize || U32(image, 0) < kBitmapHeaderSize) return std::nullopt;
    return IcoImage{offset, size, static_cast<int32_t>(U32(image, 4)), static_cast<int32_t>(U32(image, 8)) / 2,
                    U16(image, 14)};
}

}  // namespace talvine
