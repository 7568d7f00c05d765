// Runs a step when the scope ends, whichever way it ends.
#pragma once

#include <utility>

namespace talvine {

template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { f_(); }

private:
    F f_;
};

}  // namespace talvine
