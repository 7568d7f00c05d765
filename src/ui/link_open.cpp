#include "ui/link_open.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "base/handles.h"
#include "ui/link_command.h"

namespace talvine {

namespace {

// The default value of `subkey`, read into at most 260 bytes; nothing when the key
// does not open, or its value cannot be read, is too long or is empty.
std::optional<std::string> DefaultValue(HKEY root, const std::string& subkey) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
    const UniqueRegKey key(opened);
    char value[260] = {};
    LONG size = sizeof value;
    if (RegQueryValueA(key.get(), nullptr, value, &size) != ERROR_SUCCESS || size <= 0) return std::nullopt;
    const std::size_t length = strnlen(value, std::min<std::size_t>(static_cast<std::size_t>(size), sizeof value));
    if (length == 0) return std::nullopt;
    return std::string(value, length);
}

}  // namespace

bool OpenAddress(const char* target, int showCommand, const LinkLaunchers& launchers) {
    if (!target || !*target) return false;
    const HINSTANCE shell = launchers.shellExecute(nullptr, "open", target, nullptr, nullptr, showCommand);
    if (reinterpret_cast<INT_PTR>(shell) > 32) return true;

    const std::optional<std::string> fileType = DefaultValue(launchers.classes, ".htm");
    if (!fileType) return false;
    const std::optional<std::string> registered = DefaultValue(launchers.classes, *fileType + "\\shell\\open\\command");
    if (!registered) return false;
    const std::optional<std::string> line = FallbackCommandLine(*registered, target);
    if (!line) return false;
    return launchers.winExec(line->c_str(), static_cast<UINT>(showCommand)) > 32;
}

}  // namespace talvine
