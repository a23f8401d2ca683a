#pragma once
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/bitmap.h"
#include "toolkit/input_dispatch.h"
#include "toolkit/random.h"

namespace frost {

class Form;
class Timer;

// Every yield costs this much show time, live and headless alike, so that the backdrop fills
// in and the tree grows at the same visible pace on every machine.
inline constexpr double kYieldPacingSeconds = 0.00025;
// Presentation is capped at this rate.
inline constexpr double kMinPresentInterval = 1.0 / 60.0;

// The single-threaded event loop and what belongs to the whole program: the backend, the
// clock, the random generator, the timers and the forms.
class Application {
 public:
  Application(Backend& backend, Random& random);

  Backend& GetBackend() const { return backend_; }
  Random& Rng() const { return random_; }
  double Rnd() const { return random_.Rnd(); }
  // Screen.TwipsPerPixelX / Y.
  double TwipsPerPixelX() const;
  double TwipsPerPixelY() const;

  // Show clock: monotonic seconds since the program started.
  double Now() const;
  // Sleeps without serving events (the kernel's Sleep); pending drawing is presented at once
  // when a frame is due, and within a sleep longer than a frame when one comes due there.
  void Sleep(int milliseconds);

  // Yield: dispatches pending input, fires due timers in the order they came due (never
  // re-entering a suspended timer), presents when something changed and 1/60 s has passed
  // since the last presentation, and spends the pacing time. Handlers run inside it and may
  // yield again.
  void DoEvents();
  // Runs the event loop until the program ends (EndProgram, or the last form closed) or until
  // `stopAt` on the show clock is reached. Returns true when the program ended.
  bool Run(double stopAt = 1e300);
  // "End at once": stops all timers, hides the windows and throws EndProgram, raising no
  // close events.
  [[noreturn]] void End();
  bool Ended() const { return ended_; }

  // Pacing per yield (seconds); tests and benchmarks may switch it off with 0. Each yield waits
  // until this much time has passed since the previous one ended, so the headless virtual clock
  // advances by exactly this much per yield and a live run paces its painting loops the same.
  void SetPacing(double seconds) { pacing_ = seconds; }
  double Pacing() const { return pacing_; }

  // Called by forms and timers on creation and destruction.
  void AddForm(Form* form);
  void RemoveForm(Form* form);
  void AddTimer(Timer* timer);
  void RemoveTimer(Timer* timer);
  // Called by forms when one of their controls goes away.
  void ForgetControl(const Control* control);

  // Presents every visible form now if it changed (also used when a form is shown).
  void PresentIfChanged();
  int PresentCount() const { return presentCount_; }

 private:
  // The form that owns the backend's one window: the first shown form.
  Form* WindowForm() const;
  void DispatchPendingInput();
  void Dispatch(const InputEvent& event);
  void FireDueTimers();
  // The due timer with the earliest due time, leaving out `except`; the first created wins a
  // tie. nullptr when none is due.
  Timer* FirstDueTimer(const std::vector<const Timer*>& except) const;
  void PresentIfDue();
  void Pace();
  // When the idle main loop must wake up next.
  double NextWakeTime(double stopAt) const;
  // Stops all timers and hides the windows, then leaves every handler and the event loop.
  [[noreturn]] void Shutdown();

  Backend& backend_;
  Random& random_;
  std::vector<Form*> forms_;
  std::vector<Timer*> timers_;
  double pacing_ = kYieldPacingSeconds;
  double lastPresent_ = -1e300;
  double paceMark_ = 0;
  int presentCount_ = 0;
  InputDispatcher input_{*this};
  Bitmap frame_;  // the picture last presented, kept for composing only what changed
  const Form* composedForm_ = nullptr;
  bool ended_ = false;
};

}  // namespace frost
