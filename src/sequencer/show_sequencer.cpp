#include "sequencer/show_sequencer.h"

#include <utility>

#include "toolkit/application.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr double kMenuIdleSeconds = 7;

void RunSteps(const ShowSteps& steps) {
  for (const auto& step : steps) Attempt(step);
}

}  // namespace

ShowSequencer::ShowSequencer(Application& app, ShowScript script)
    : app_(app), script_(std::move(script)) {}

void ShowSequencer::Start(Phase phase) {
  current_ = phase;
  phaseStart_ = app_.Now();
  if (PhaseEntered)
    PhaseEntered(phase);
}

void ShowSequencer::Tick() {
  HideIdleMenu();
  for (std::size_t index = 0; index < script_.phases.size(); ++index) {
    if (!RunRow(index))
      return;
  }
}

void ShowSequencer::NoteMenuMouseMove() {
  lastMenuMouseMove_ = app_.Now();
}

// Recording the hiding time as a movement hides the strip again at most every 7 s.
void ShowSequencer::HideIdleMenu() {
  const bool editorOpen = EditorOpen();
  Attempt([&] {
    if (!editorOpen && app_.Now() > lastMenuMouseMove_ + kMenuIdleSeconds) {
      lastMenuMouseMove_ = app_.Now();
      script_.hideMenu();
    }
  });
}

bool ShowSequencer::EditorOpen() const {
  bool open = false;
  Attempt([&] { open = script_.editorOpen(); });
  return open;
}

// One row of a tick; false when the tick ends there. Every test reads the clock afresh.
bool ShowSequencer::RunRow(std::size_t index) {
  const PhaseRow& row = script_.phases[index];
  if (current_ != row.phase || !(app_.Now() > phaseStart_))
    return true;
  RunSteps(row.everyTickBefore);
  if (app_.Now() > phaseStart_ + row.seconds) {
    if (row.heldByEditor && EditorOpen())
      return false;
    if (index + 1 < script_.phases.size())
      EnterRow(script_.phases[index + 1]);
    else
      RunSteps(row.overtime);
  }
  RunSteps(row.everyTickAfter);
  return true;
}

void ShowSequencer::EnterRow(const PhaseRow& row) {
  RunSteps(row.enter);
  Attempt([&] { Start(row.phase); });
  RunSteps(row.entered);
}

}  // namespace frost
