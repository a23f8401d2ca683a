#include "personalise/snapshot.h"

#include <array>
#include <exception>

#include "personalise/bmp_writer.h"

namespace frost {
namespace {

// The standard call, available on every platform the card builds for; the card reads the clock
// from its one thread only.
std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  return *std::localtime(&now);
}

}  // namespace

std::string SnapshotFileName(const std::tm& when) {
  std::array<char, 32> stamp{};
  std::strftime(stamp.data(), stamp.size(), "%m-%d-%y@%H-%M-%S", &when);
  return std::string("Christmas") + stamp.data() + ".bmp";
}

void Snapshots::SaveSnapshot() {
  const std::string path = files_.File(SnapshotFileName(LocalTimeNow()));
  try {
    os_.WriteWholeFile(path, EncodeBmp(surface_.Image()));
  } catch (const std::exception& failure) {
    report_("The snapshot could not be saved as " + path + ".\n" + failure.what());
  }
}

}  // namespace frost
