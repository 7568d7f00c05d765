// The hotkey facility's book-keeping: identifiers issued in this run, registrations
// not yet undone, and whether the main window's hotkey messages are being watched.
#pragma once

#include <cstdint>

namespace talvine {

class HotkeyBook {
public:
    static constexpr int32_t kFirstId = 33001;

    // Counts a registration and issues its identifier, 33000 plus the number issued
    // so far in the run, this one included. Identifiers are never reused. Watching
    // starts with the first registration that is not undone, so a registration that
    // follows an undone one is watched again.
    int32_t Register() {
        ++active_;
        watching_ = true;
        return kFirstId - 1 + ++issued_;
    }

    // Counts one registration fewer; with none left, watching stops. The count never
    // falls below zero, so undoing twice cannot leave a later registration unwatched.
    void Unregister() {
        if (active_ > 0) --active_;
        if (active_ == 0) watching_ = false;
    }

    bool Watching() const { return watching_; }
    bool Issued(int64_t id) const { return id >= kFirstId && id < kFirstId + issued_; }

    // Whether a WM_HOTKEY with this identifier goes to the receiving control before
    // the window's own handling: only while watching, and only for an identifier
    // issued in this run. Any other only gets the window's own handling.
    bool ForwardsToReceiver(int64_t id) const { return watching_ && Issued(id); }
    int32_t IssuedCount() const { return issued_; }

private:
    int32_t issued_ = 0;
    int32_t active_ = 0;
    bool watching_ = false;
};

}  // namespace talvine
