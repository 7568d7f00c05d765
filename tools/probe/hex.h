// GBK texts cross the bench's command lines and JSON as hex.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>

inline std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

inline std::string FromHex(const char* hex) {
    std::string out;
    for (std::size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        const char pair[3] = {hex[i], hex[i + 1], 0};
        out += static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    return out;
}
