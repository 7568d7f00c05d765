// A browser command line read from the registry, any address: the line built is the
// registered line's head, one space and the whole address, and always fits its buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/link_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first zero byte separates the registered line from the target.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view registered = input.substr(0, split);
    const std::string_view target = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const auto line = talvine::FallbackCommandLine(registered, target);
    if (!line) return 0;
    if (target.empty() || line->size() + 1 > talvine::kCommandLineBytes) std::abort();
    const std::size_t head = line->size() - target.size() - 1;
    if (std::string_view(*line).substr(head) != std::string(" ").append(target)) std::abort();
    if (registered.substr(0, head) != std::string_view(*line).substr(0, head)) std::abort();
    return 0;
}
