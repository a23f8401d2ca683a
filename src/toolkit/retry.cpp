#include "toolkit/retry.h"

#include "toolkit/application.h"

namespace frost {

bool RetryUntil(Application& app, const RetryLimits& limits, const std::function<void()>& attempt,
                const std::function<bool()>& done) {
  const double deadline = app.Now() + limits.timeLimitSeconds;
  for (;;) {
    if (attempt)
      attempt();
    app.DoEvents();
    if (done())
      return true;
    if (app.Now() >= deadline)
      return false;
    app.Sleep(limits.pauseMs);
  }
}

}  // namespace frost
