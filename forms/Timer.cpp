#include "forms/Timer.h"

#include "forms/App.h"
#include "forms/Failure.h"

#include <stdexcept>

namespace forms {

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (enabled) {
        if (!owner_.hWnd()) throw std::logic_error("A timer needs its form loaded before it is enabled.");
        using SetCoalescable = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);
        static const auto setCoalescable = User32Function<SetCoalescable>("SetCoalescableTimer");
        if (tolerance_ > 0 && setCoalescable)
            setCoalescable(owner_.hWnd(), id, interval_, &Timer::Tick, tolerance_);
        else
            SetTimer(owner_.hWnd(), id, interval_, &Timer::Tick);
    } else if (owner_.hWnd()) {
        KillTimer(owner_.hWnd(), id);
    }
    enabled_ = enabled;
}

// The timer's id is the object itself; a timer is killed before the object goes away. Like a window
// procedure, a tick is called by Windows: a failure in it is reported here and ends the program.
void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    auto* timer = reinterpret_cast<Timer*>(id);
    try {
        if (timer->enabled_ && timer->tick_) timer->tick_();
    } catch (...) {
        ReportFailure(std::current_exception());
    }
}

}  // namespace forms
