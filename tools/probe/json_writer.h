// The probe's output: one JSON object per line, built from keys and values, so that no
// string reaches the output unescaped (a window class name may hold any byte). The
// separators are ", " and ": ", which the bench also matches as text ('"held": true').
// Portable, so that it is unit-tested natively.
#pragma once

#include <concepts>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace probe {

// A JSON string literal: the quote, the backslash and every byte below 0x20 escaped
// (the latter as \u00XX). Other bytes pass as they are; GBK texts travel as hex.
inline std::string Quoted(std::string_view s) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            out += "\\u00";
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += ch;
        }
    }
    return out + '"';
}

// Integers only: a bool must go to Bool(), not print as 1.
template <class T>
concept Integer = std::integral<T> && !std::same_as<T, bool>;

// One JSON object under construction; members keep the order they are added in.
class Json {
public:
    Json& Str(std::string_view key, std::string_view value) { return Member(key, Quoted(value)); }

    template <Integer T>
    Json& Num(std::string_view key, T value) {
        return Member(key, std::to_string(value));
    }

    Json& Bool(std::string_view key, bool value) { return Member(key, value ? "true" : "false"); }

    Json& Nums(std::string_view key, std::initializer_list<long long> values) {
        return Nums(key, std::vector<long long>(values));
    }

    Json& Nums(std::string_view key, const std::vector<long long>& values) {
        std::string list;
        for (const long long v : values) list += (list.empty() ? "" : ", ") + std::to_string(v);
        return Member(key, "[" + list + "]");
    }

    Json& Objects(std::string_view key, const std::vector<Json>& values) {
        std::string list;
        for (const Json& v : values) list += (list.empty() ? "" : ", ") + v.Text();
        return Member(key, "[" + list + "]");
    }

    std::string Text() const { return "{" + members_ + "}"; }

private:
    Json& Member(std::string_view key, const std::string& value) {
        if (!members_.empty()) members_ += ", ";
        members_ += Quoted(key) + ": " + value;
        return *this;
    }

    std::string members_;
};

// Prints the object as one line and flushes it: the bench reads the output while a
// holding probe still runs.
inline void Print(const Json& json) {
    std::printf("%s\n", json.Text().c_str());
    std::fflush(stdout);
}

}  // namespace probe
