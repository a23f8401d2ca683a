#include "toolkit/timer.h"

#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"

namespace frost {

Timer::Timer(Form& form, std::string name, int intervalMs)
    : Control(form, &form, std::move(name)), interval_(intervalMs) {
  App().AddTimer(this);
}

Timer::~Timer() {
  App().RemoveTimer(this);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  if (enabled)
    nextDue_ = App().Now() + interval_ / 1000.0;
}

void Timer::SetInterval(int ms) {
  interval_ = ms;
  nextDue_ = App().Now() + ms / 1000.0;
}

void Timer::SetVisible(bool /*visible*/) {
  throw RuntimeError(error::kNotSupported, "Object doesn't support this property or method");
}

bool Timer::IsDue(double now) const {
  // Interval 0 keeps the timer silent; a suspended handler is never re-entered, and its
  // pending tick then runs as soon as it returns.
  return enabled_ && interval_ > 0 && !running_ && now >= nextDue_;
}

bool Timer::FireIfDue(double now) {
  if (!IsDue(now))
    return false;
  // The next tick keeps the rhythm, but a late tick never leaves a backlog behind it.
  const double period = interval_ / 1000.0;
  nextDue_ = nextDue_ + period > now ? nextDue_ + period : now + period;
  if (!OnTimer)
    return true;
  running_ = true;
  try {
    OnTimer();
  } catch (...) {
    running_ = false;
    throw;
  }
  running_ = false;
  return true;
}

}  // namespace frost
