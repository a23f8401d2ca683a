#include "headless_show.h"

#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "startup/main_module.h"
#include "toolkit/errors.h"

namespace frost::frostcard {

bool RunShow(const ShowSettings& settings, ShowObserver& observer) {
  TemporaryFolder folder;
  std::string error;
  if (!folder.PlaceCard(settings.card, error))
    throw std::runtime_error(error);
  // The tune goes where a card on this machine would write it: the run's own folder.
  setenv("Windir", folder.Path().c_str(), 1);

  HeadlessCard headless(folder, settings.twipsPerPixel, settings.seed);
  Application& app = headless.app;
  std::optional<double> showStart;
  headless.form.Sequencer().PhaseEntered = [&](Phase phase) {
    if (!showStart) {
      showStart = app.Now();
      observer.AtShowStart(headless, *showStart);
    }
    observer.PhaseEntered(app.Now() - *showStart, PhaseName(phase));
  };
  observer.BeforeMain(headless);
  try {
    Main(headless.form);
  } catch (const EndProgram&) {
    return false;
  }
  if (!showStart)
    return false;
  app.Run(*showStart + settings.until);
  return true;
}

}  // namespace frost::frostcard
