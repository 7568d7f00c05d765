// The maker's web page, which the link control 超级链接框1 opens. Kept here only.
#pragma once

namespace talvine {

inline constexpr char kMakerUrl[] = "https://talvine.example/";

}  // namespace talvine
