#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/recording_sound.h"
#include "startup/form1.h"

namespace frost::frostcard {

// A program folder of its own for one run of the card, removed afterwards, so that runs never
// collide with each other or with a live card.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Copies `card` into the folder as "Frostmail.exe"; false (with `error`) when it cannot.
  bool PlaceCard(const std::string& card, std::string& error) const;
  std::filesystem::path Card() const { return path_ / "Frostmail.exe"; }

 private:
  std::filesystem::path path_;
};

// The real card on the headless backend with the virtual clock, running as the "Frostmail.exe"
// of `folder` with its own instance guard there, seeded with `seed`.
struct HeadlessCard {
  HeadlessCard(const TemporaryFolder& folder, double twipsPerPixel, std::uint64_t seed);

  HeadlessBackend backend;
  Random random;
  Application app{backend, random};
  RecordingSound sound;
  HeadlessPlatform platform{sound};
  Form1 form{app, platform.Services()};
};

}  // namespace frost::frostcard
