#pragma once
#include <functional>

namespace frost {

class Application;

// How a wait loop retries: the pause between rounds and how long it keeps trying.
struct RetryLimits {
  int pauseMs;
  double timeLimitSeconds;
};

// Round after round: runs `attempt` (may be empty), yields, and tests `done`; pauses between
// rounds until `done` holds or the time limit has passed. Yield and pause go through the
// Application, so events are served meanwhile and a virtual clock advances. A failure in a step
// or in a handler run by the yield passes to the caller. True when done.
bool RetryUntil(Application& app, const RetryLimits& limits, const std::function<void()>& attempt,
                const std::function<bool()>& done);

}  // namespace frost
