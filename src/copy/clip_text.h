// The clipboard's CF_TEXT bytes, read without trusting the other program that put
// them there to have terminated them.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The formats by which a program (a password manager, for one) marks what it put on
// the clipboard as not for clipboard viewers or history. Such content is never
// shown in the window; pasting is not affected.
inline constexpr char kExcludeFromMonitoringFormat[] = "ExcludeClipboardContentFromMonitorProcessing";
inline constexpr char kHistoryFlagFormat[] = "CanIncludeInClipboardHistory";
inline constexpr char kViewerIgnoreFormat[] = "Clipboard Viewer Ignore";

struct ClipboardMarks {
    bool excludeFromMonitoring = false;  // any data at all
    bool viewerIgnore = false;           // any data at all
    bool historyFlagPresent = false;
    std::optional<uint32_t> historyFlag;  // its DWORD, when the data holds one
};

// Private unless the history flag, where present, is a DWORD other than 0: a flag
// that cannot be read is taken as the 0 a password manager puts there.
constexpr bool IsPrivate(const ClipboardMarks& marks) {
    if (marks.excludeFromMonitoring || marks.viewerIgnore) return true;
    return marks.historyFlagPresent && marks.historyFlag.value_or(0) == 0;
}

// A little-endian DWORD from the first four bytes of a clipboard block; none when the
// block is shorter.
inline std::optional<uint32_t> DwordFromClipboardBlock(const unsigned char* data, std::size_t size) {
    if (!data || size < 4) return std::nullopt;
    return static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
           static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
}

}  // namespace talvine
