#pragma once

namespace frost {

// The show's phases in the order they follow each other; the show never goes back.
enum class Phase {
  DrawSnow,
  DrawBack,
  DrawTree,
  AnimTree,
  Pause1,
  DrawNativity,
  AnimNativity,
  DrawGreeting,
  AnimGreeting,
  DrawFireworks,
  ReDrawTree,
  DrawFireworks1,
  DrawRandSnow,
};

// The phase's own name, as the trace shows it ("DrawSnow").
const char* PhaseName(Phase phase);

}  // namespace frost
