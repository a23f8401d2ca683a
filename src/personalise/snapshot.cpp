// "SavePic": the card's persistent image saved as a bitmap next to the program file.
#include "personalise/snapshot.h"

#include <array>
#include <exception>

#include "personalise/bmp_writer.h"
#include "platform/path_join.h"
#include "startup/form1.h"

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

// Two snapshots within one second share a name; the later replaces the earlier.
void Form1::Command20_Click() {
  const std::string path = JoinPath(ProgramFolder, SnapshotFileName(LocalTimeNow()));
  try {
    OS().WriteWholeFile(path, EncodeBmp(Picture1.Image()));
  } catch (const std::exception& failure) {
    Window().MessageBox("The snapshot could not be saved as " + path + ".\n" + failure.what(),
                        "Frostmail");
  }
}

}  // namespace frost
