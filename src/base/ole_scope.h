// OLE for the calling thread, for as long as it is in scope.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace talvine {

class OleScope {
public:
    OleScope() : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    // Every successful OleInitialize, S_FALSE included, is balanced by one call.
    ~OleScope() {
        if (initialized_) OleUninitialize();
    }

private:
    bool initialized_;
};

}  // namespace talvine
