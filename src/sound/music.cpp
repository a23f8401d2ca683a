#include <exception>

#include "platform/path_join.h"
#include "sound/bas_sound.h"
#include "toolkit/errors.h"

namespace frost {

namespace {

constexpr char kMusicFileName[] = "mm.mid";
constexpr char kTuneResourceType[] = "CUSTOM";
constexpr int kTuneResourceId = 101;

// The Windows folder; on a system without one, a folder only this user can reach stands in, so
// that no one else can plant a file or a link where the tune goes.
std::string WindowsFolder(OsServices& os) {
  const auto windir = os.Environment("Windir");
  return windir && !windir->empty() ? *windir : os.PrivateFolder();
}

// Replaces any older music file at path with the tune; false when the folder cannot be written.
bool WriteTune(OsServices& os, const std::string& path, const std::vector<std::uint8_t>& tune) {
  Attempt([&] {
    if (os.FileExists(path))
      os.DeleteFile(path);
  });
  try {
    os.WriteWholeFile(path, tune);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

void PlayCardMusic(OsServices& os, BasSound& sound) {
  Attempt([&] {
    const auto tune = os.LoadResource(kTuneResourceType, kTuneResourceId);
    if (!tune)
      return;
    std::string path;
    Attempt([&] { path = JoinPath(WindowsFolder(os), kMusicFileName); });
    if (path.empty() || !WriteTune(os, path, *tune)) {
      path = JoinPath(os.PrivateFolder(), kMusicFileName);
      WriteTune(os, path, *tune);
    }
    sound.PlaySoundFile(path);
  });
}

}  // namespace frost
