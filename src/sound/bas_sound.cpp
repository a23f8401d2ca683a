#include "sound/bas_sound.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "toolkit/errors.h"

namespace frost {

namespace {

// The one MCI device the module ever opens is known by this alias.
constexpr std::string_view kMciAlias = "filename";

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

// The file's own name: the kind of a sound is read from it alone, so that a dot in a folder
// name does not turn a tune into a system sound alias.
std::string_view OwnName(std::string_view path) {
  const auto separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// Ends in ".WAV", and ".WAV" occurs nowhere earlier (so "a.wav.wav" is no wave file).
bool IsWaveName(std::string_view upperName) {
  const auto found = upperName.find(".WAV");
  return found != std::string_view::npos && found + 4 == upperName.size();
}

// A three-character extension after the first dot of the name ("music.mid.bak" has none).
bool IsSequencerName(std::string_view upperName) {
  const auto found = upperName.find('.');
  return found != std::string_view::npos && found + 4 == upperName.size();
}

// MCI reads a blank as the end of the file name unless the name is quoted.
std::string MciFileName(const std::string& fileName) {
  if (fileName.find_first_of(" \t") == std::string::npos)
    return fileName;
  return '"' + fileName + '"';
}

std::string MciCommand(std::string_view verb, std::string_view options = {}) {
  std::string command = std::string(verb) + " " + std::string(kMciAlias);
  if (!options.empty())
    command += " " + std::string(options);
  return command;
}

}  // namespace

int BasSound::GetSoundDevices() {
  int devices = 0;
  if (output_.WaveOutDeviceCount() > 0)
    devices = 1;
  // The MIDI count is taken as a signed 16-bit number: a count of 65535 reads as -1, none.
  if (static_cast<std::int16_t>(output_.MidiOutDeviceCount()) > 0)
    devices += 2;
  return devices;
}

bool BasSound::PlaySoundFile(const std::optional<std::string>& fileName, std::optional<bool> async,
                             std::optional<bool> loop) {
  std::uint32_t flags = async.value_or(true) ? snd::kAsync : 0;
  if ((flags & snd::kAsync) != 0 && loop.value_or(false))
    flags |= snd::kLoop;
  flags |= snd::kNoStop | snd::kNoWait;

  const std::string name = UpperCase(OwnName(fileName.value_or("")));
  if (IsWaveName(name))
    return PlayWaveFile(*fileName, flags);
  if (IsSequencerName(name))
    return PlaySequence(*fileName, flags);
  return PlayAlias(fileName, flags);
}

bool BasSound::PlayWaveFile(const std::string& fileName, std::uint32_t flags) {
  if (GetSoundDevices() == 0) {
    output_.Beep();
    return true;
  }
  return output_.PlaySound(fileName.c_str(), flags | snd::kFileName | snd::kNoDefault) != 0;
}

bool BasSound::PlaySequence(const std::string& fileName, std::uint32_t flags) {
  if (GetSoundDevices() == 0) {
    output_.Beep();
    return true;
  }
  const std::string open =
      "open " + MciFileName(fileName) + " type sequencer alias " + std::string(kMciAlias);
  const bool opened = output_.SendMciCommand(open) == 0;
  if ((flags & snd::kAsync) != 0) {
    // The device stays open and the music plays on; StopSoundFile closes it.
    output_.SendMciCommand(MciCommand("play", (flags & snd::kLoop) != 0 ? "repeat" : ""));
  } else {
    output_.SendMciCommand(MciCommand("play", "wait"));
    output_.SendMciCommand(MciCommand("close"));
  }
  return opened;
}

bool BasSound::PlayAlias(const std::optional<std::string>& alias, std::uint32_t flags) {
  const char* name = alias ? alias->c_str() : nullptr;
  return output_.PlaySound(name, flags | snd::kAlias) != 0;
}

void BasSound::StopSoundFile(std::optional<int> which) {
  const int devices = which.value_or(3);
  if ((devices & 2) == 2) {
    Attempt([&] { output_.SendMciCommand(MciCommand("close")); });
  }
  if ((devices & 1) == 1) {
    // The null name on the alias path stops any wave sound that is playing.
    Attempt([&] { PlaySoundFile(std::nullopt, false, false); });
  }
}

}  // namespace frost
