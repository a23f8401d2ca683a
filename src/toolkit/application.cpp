#include "toolkit/application.h"

#include <algorithm>

#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

namespace frost {
namespace {

constexpr double kMaxPaceCatchUpSeconds = 0.05;

}  // namespace

Application::Application(Backend& backend, Random& random)
    : backend_(backend), random_(random), paceMark_(backend.Now()) {}

double Application::TwipsPerPixelX() const {
  return backend_.TwipsPerPixelX();
}
double Application::TwipsPerPixelY() const {
  return backend_.TwipsPerPixelY();
}
double Application::Now() const {
  return backend_.Now();
}

void Application::Sleep(int milliseconds) {
  // Nothing drawn may wait out a pause unseen, yet a screen shows no more than its frames: the
  // fireworks pause every 10 ms, and a present (and a wake-up) for each pause was a fifth of
  // their time. A pause shorter than a frame presents only when a frame is due, since the next
  // pause comes before the next frame would; a longer one presents when the frame comes due.
  const double seconds = milliseconds / 1000.0;
  const double until = Now() + seconds;
  const double due = lastPresent_ + kMinPresentInterval;
  if (Now() >= due) {
    PresentIfChanged();
  } else if (seconds >= kMinPresentInterval) {
    backend_.Sleep(due - Now());
    PresentIfChanged();
  }
  if (until > Now())
    backend_.Sleep(until - Now());
}

void Application::AddForm(Form* form) {
  forms_.push_back(form);
}
void Application::RemoveForm(Form* form) {
  std::erase(forms_, form);
  if (composedForm_ == form)
    composedForm_ = nullptr;
}
void Application::AddTimer(Timer* timer) {
  timers_.push_back(timer);
}
void Application::RemoveTimer(Timer* timer) {
  std::erase(timers_, timer);
}
void Application::ForgetControl(const Control* control) {
  input_.Forget(control);
}

Form* Application::WindowForm() const {
  auto shown = std::ranges::find_if(forms_, [](const Form* form) { return form->Visible(); });
  return shown == forms_.end() ? nullptr : *shown;
}

void Application::DoEvents() {
  DispatchPendingInput();
  FireDueTimers();
  PresentIfDue();
  Pace();
}

void Application::DispatchPendingInput() {
  while (std::optional<InputEvent> event = backend_.PollEvent()) Dispatch(*event);
}

void Application::Dispatch(const InputEvent& event) {
  Form* form = WindowForm();
  if (form == nullptr)
    return;
  if (std::holds_alternative<CloseRequestEvent>(event)) {
    bool cancel = false;
    if (form->QueryUnload)
      form->QueryUnload(cancel);
    if (!cancel)
      Shutdown();
    return;
  }
  input_.Dispatch(*form, event);
}

void Application::FireDueTimers() {
  // Each due timer fires once, the one due first first, so that a timer whose handler ran
  // long (or ran in a nested yield) cannot come due again and go ahead of one that has been
  // waiting all along. Chosen afresh each time: a handler may create or destroy timers.
  std::vector<const Timer*> fired;
  while (Timer* timer = FirstDueTimer(fired)) {
    fired.push_back(timer);
    timer->FireIfDue(Now());
  }
}

Timer* Application::FirstDueTimer(const std::vector<const Timer*>& except) const {
  const double now = Now();
  Timer* first = nullptr;
  for (Timer* timer : timers_) {
    if (timer->IsDue(now) && (first == nullptr || timer->NextDue() < first->NextDue()) &&
        std::ranges::find(except, timer) == except.end()) {
      first = timer;
    }
  }
  return first;
}

void Application::PresentIfDue() {
  const double now = Now();
  if (Form* form = WindowForm())
    input_.UpdateToolTip(*form, now);
  // The same sum as in NextWakeTime, so that waking at that time is always due.
  if (now >= lastPresent_ + kMinPresentInterval)
    PresentIfChanged();
}

void Application::PresentIfChanged() {
  Form* form = WindowForm();
  if (form == nullptr || !form->NeedsPresent())
    return;
  // The kept frame holds the picture last presented of this form; without it (another form,
  // or frames not composed) the next one is composed whole.
  if (form != composedForm_ || !backend_.FramesSeen())
    frame_ = Bitmap();
  composedForm_ = form;
  if (backend_.FramesSeen())
    backend_.Present(frame_, form->Compose(frame_));
  form->MarkPresented();
  lastPresent_ = Now();
  ++presentCount_;
}

void Application::Pace() {
  // Waits from the end of the previous yield, so that work done between yields counts towards
  // the pace; a late wake-up is made up at the next yield rather than slowing the show down.
  const double target = paceMark_ + pacing_;
  const double now = Now();
  if (now < target) {
    if (target - now >= backend_.ShortestSleep())
      backend_.Sleep(target - now);
    paceMark_ = target;
  } else {
    // Lateness (a sleep that overshot, a slow stroke) is carried over, up to a limit, so that
    // the live pace matches the headless one; a long stall is not made up in full.
    paceMark_ = std::max(target, now - kMaxPaceCatchUpSeconds);
  }
}

double Application::NextWakeTime(double stopAt) const {
  double wake = std::min(stopAt, input_.NextToolTipTime());
  for (const Timer* timer : timers_) {
    if (timer->Enabled() && timer->Interval() > 0)
      wake = std::min(wake, timer->NextDue());
  }
  const Form* form = WindowForm();
  if (form != nullptr && form->NeedsPresent()) {
    wake = std::min(wake, lastPresent_ + kMinPresentInterval);
  }
  return wake;
}

bool Application::Run(double stopAt) {
  try {
    while (!ended_) {
      if (Now() >= stopAt)
        return false;
      paceMark_ = Now();
      DispatchPendingInput();
      FireDueTimers();
      PresentIfDue();
      const double wake = NextWakeTime(stopAt);
      if (wake > Now()) {
        if (std::optional<InputEvent> event = backend_.WaitEvent(wake))
          Dispatch(*event);
      }
    }
  } catch (const EndProgram&) {
  }
  return true;
}

void Application::End() {
  Shutdown();
}

void Application::Shutdown() {
  for (Timer* timer : timers_) timer->SetEnabled(false);
  for (Form* form : forms_) form->SetVisible(false);
  ended_ = true;
  throw EndProgram{};
}

}  // namespace frost
