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
std::string WindowsFolder(Platform& platform) {
  const auto windir = platform.Environment("Windir");
  return windir && !windir->empty() ? *windir : platform.PrivateFolder();
}

// Replaces any older music file at path with the tune; false when the folder cannot be written.
bool WriteTune(Platform& platform, const std::string& path, const std::vector<std::uint8_t>& tune) {
  Attempt([&] {
    if (platform.FileExists(path))
      platform.DeleteFile(path);
  });
  try {
    platform.WriteWholeFile(path, tune);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

void PlayCardMusic(Platform& platform, BasSound& sound) {
  Attempt([&] {
    const auto tune = platform.LoadResource(kTuneResourceType, kTuneResourceId);
    if (!tune)
      return;
    std::string path;
    Attempt([&] { path = JoinPath(WindowsFolder(platform), kMusicFileName); });
    if (path.empty() || !WriteTune(platform, path, *tune)) {
      path = JoinPath(platform.PrivateFolder(), kMusicFileName);
      WriteTune(platform, path, *tune);
    }
    sound.PlaySoundFile(path);
  });
}

}  // namespace frost
