// What the program does when a log-off or shutdown it agreed to is cancelled by
// another program: it removed its watchers then, but it goes on running.
#pragma once

#include <string_view>

#include "ui/texts.h"

namespace talvine {

struct ResumeStep {
    bool reinstall = false;  // the watchers come back: hotkey and paste hook
    bool copyHook = false;   // and the copy hook with them, in its place first
    friend bool operator==(const ResumeStep&, const ResumeStep&) = default;
};

// `watchersRemoved` tells whether the closing handler removed them; the copy hook
// returns only while the switch's caption says copying is on.
constexpr ResumeStep ResumeStepFor(bool watchersRemoved, std::string_view caption) {
    if (!watchersRemoved) return {};
    return {true, caption == texts::kCaptionCopyOn};
}

}  // namespace talvine
