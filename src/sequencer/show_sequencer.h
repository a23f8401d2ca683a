#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "sequencer/phase.h"

namespace frost {

class Application;

// Steps run in resume-next mode: a step that fails is skipped and the next one runs.
using ShowSteps = std::vector<std::function<void()>>;

// One phase of the show: how long it lasts and the steps that enter it. The steps run once the
// previous phase's time is up; the phase and its start time are recorded between `enter` and
// `entered`, so painting after the recording counts toward the phase's own time.
struct PhaseRow {
  Phase phase;
  double seconds = 0;
  ShowSteps enter{};
  ShowSteps entered{};
  // Every tick of the phase, before and after its time is tested (the first phase's snow).
  ShowSteps everyTickBefore{};
  ShowSteps everyTickAfter{};
  // Once its time is up the phase stays, and the tick ends, while the greeting editor is open.
  bool heldByEditor = false;
  // The last phase has none to enter: once its time is up these run on every tick.
  ShowSteps overtime{};
};

// What the show is made of, supplied by the card's form.
struct ShowScript {
  std::vector<PhaseRow> phases;
  std::function<bool()> editorOpen;  // a failing test counts as closed
  std::function<void()> hideMenu;    // the menu strip and the about label
};

// The show: the phases in table order on the show timer. The rows of a tick are independent
// tests, not alternatives: a row that enters the next phase lets that phase's row test it with
// a fresh clock reading in the same tick, so a painting longer than the next phase cascades.
class ShowSequencer {
 public:
  ShowSequencer(Application& app, ShowScript script);

  // Records the phase and its start time. The load step starts the show at its first phase;
  // tests may start it anywhere.
  void Start(Phase phase = Phase::DrawSnow);
  // One tick of the show timer: the menu strip's idle test, then every phase's row in order.
  void Tick();
  // The mouse moved over the menu strip: its idle time starts again.
  void NoteMenuMouseMove();
  // The phase the show is in; none before the show starts.
  std::optional<Phase> Current() const { return current_; }

  // Told at every phase entry (the headless renderer writes its trace).
  std::function<void(Phase)> PhaseEntered;

 private:
  void HideIdleMenu();
  bool EditorOpen() const;
  bool RunRow(std::size_t index);
  void EnterRow(const PhaseRow& row);

  Application& app_;
  ShowScript script_;
  std::optional<Phase> current_;
  double phaseStart_ = 0;
  double lastMenuMouseMove_ = 0;
};

}  // namespace frost
