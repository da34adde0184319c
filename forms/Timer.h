#pragma once
// A timer of a form: Interval in milliseconds, Enabled, and the Timer event on every tick. It ticks
// on the user-interface thread, through the owner window's message queue.

#include "forms/Control.h"

#include <functional>

namespace forms {

class Timer {
public:
    // `tolerance` (milliseconds) lets the system move a tick by that much to join it with other wakeups,
    // where it can (Windows 8 on): for a timer whose exact moment does not matter.
    Timer(Control& owner, UINT interval, std::function<void()> tick, ULONG tolerance = 0)
        : owner_(owner),
          interval_(interval),
          tolerance_(tolerance),
          tick_(std::move(tick)) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { SetEnabled(false); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept;

    Control& owner_;
    UINT interval_;
    ULONG tolerance_;
    std::function<void()> tick_;
    bool enabled_ = false;
};

}  // namespace forms
