// The web link's last resort: the browser registered for ".htm" files, started with
// the address on its command line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace talvine {

// The command line's buffer, its terminating zero included.
inline constexpr std::size_t kCommandLineBytes = 520;

// Cuts the registered command line at the first quoted "%1" (at its opening quote),
// else at the first bare %1, else keeps it whole, and appends one space and the
// target. Gives nothing for an empty target, or when the line would not fit the
// buffer: a browser started on a cut-off address would open the wrong page.
inline std::optional<std::string> FallbackCommandLine(std::string_view registered, std::string_view target) {
    if (target.empty()) return std::nullopt;
    std::size_t cut = registered.find("\"%1\"");
    if (cut == std::string_view::npos) cut = registered.find("%1");
    std::string line(registered.substr(0, cut));
    if (line.size() + 1 + target.size() + 1 > kCommandLineBytes) return std::nullopt;
    line += ' ';
    line += target;
    return line;
}

}  // namespace talvine
