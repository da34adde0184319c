#include "Timer.h"

#include <stdexcept>

namespace forms {

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (enabled) {
        if (!owner_.hWnd()) throw std::logic_error("A timer needs its form loaded before it is enabled.");
        SetTimer(owner_.hWnd(), id, interval_, &Timer::Tick);
    } else if (owner_.hWnd()) {
        KillTimer(owner_.hWnd(), id);
    }
    enabled_ = enabled;
}

// The timer's id is the object itself; a timer is killed before the object goes away.
void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto* timer = reinterpret_cast<Timer*>(id);
    if (timer->enabled_ && timer->tick_) timer->tick_();
}

}  // namespace forms
