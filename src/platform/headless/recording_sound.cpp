#include "platform/headless/recording_sound.h"

#include <cstdio>

namespace frost {

namespace {

std::string HexFlags(std::uint32_t flags) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(flags));
  return text;
}

}  // namespace

int RecordingSound::PlaySound(const char* name, std::uint32_t flags) {
  PlaySoundCall call{name != nullptr ? std::optional<std::string>(name) : std::nullopt, flags};
  transcript.push_back("PlaySound " + call.name.value_or("<null>") + " " + HexFlags(flags));
  played_sounds.push_back(std::move(call));
  return play_sound_result;
}

std::uint32_t RecordingSound::SendMciCommand(const std::string& command) {
  mci_commands.push_back(command);
  transcript.push_back("mci " + command);
  if (on_mci_command)
    on_mci_command(command);
  return mci_result;
}

void RecordingSound::Beep() {
  ++beeps;
  transcript.push_back("Beep");
}

}  // namespace frost
