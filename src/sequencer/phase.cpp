#include "sequencer/phase.h"

namespace frost {

const char* PhaseName(Phase phase) {
  switch (phase) {
    case Phase::DrawSnow:
      return "DrawSnow";
    case Phase::DrawBack:
      return "DrawBack";
    case Phase::DrawTree:
      return "DrawTree";
    case Phase::AnimTree:
      return "AnimTree";
    case Phase::Pause1:
      return "Pause1";
    case Phase::DrawNativity:
      return "DrawNativity";
    case Phase::AnimNativity:
      return "AnimNativity";
    case Phase::DrawGreeting:
      return "DrawGreeting";
    case Phase::AnimGreeting:
      return "AnimGreeting";
    case Phase::DrawFireworks:
      return "DrawFireworks";
    case Phase::ReDrawTree:
      return "ReDrawTree";
    case Phase::DrawFireworks1:
      return "DrawFireworks1";
    case Phase::DrawRandSnow:
      return "DrawRandSnow";
  }
  return "";
}

}  // namespace frost
