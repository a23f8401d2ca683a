#pragma once
#include <functional>

#include "toolkit/control.h"

namespace frost {

// A timer control. It never re-enters its own handler: a tick that comes due while the handler
// is suspended in a yield is skipped. Enabling it, or changing Interval, schedules the next tick
// Interval milliseconds from then. A timer has no Visible property: setting it raises
// RuntimeError(error::kNotSupported).
class Timer : public Control {
 public:
  Timer(Form& form, std::string name, int intervalMs);
  ~Timer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int ms);

  bool Visible() const override { return false; }
  void SetVisible(bool visible) override;

  std::function<void()> OnTimer;

  // A tick is due at `now`: enabled with an interval, not suspended in its own handler, and
  // its time has come.
  bool IsDue(double now) const;
  // Called by the application: runs the handler when the tick is due. Returns true if it ran.
  bool FireIfDue(double now);
  double NextDue() const { return nextDue_; }
  bool Running() const { return running_; }

 private:
  bool enabled_ = false;
  bool running_ = false;
  int interval_;
  double nextDue_ = 0;
};

}  // namespace frost
