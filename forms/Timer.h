#pragma once
// A timer of a form: Interval in milliseconds, Enabled, and the Timer event on every tick. It ticks
// on the user-interface thread, through the owner window's message queue.

#include "forms/Control.h"

#include <functional>

namespace forms {

class Timer {
public:
    Timer(Control& owner, UINT interval, std::function<void()> tick)
        : owner_(owner),
          interval_(interval),
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
    std::function<void()> tick_;
    bool enabled_ = false;
};

}  // namespace forms
