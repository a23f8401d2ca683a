#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/posix/fluid_sequencer.h"
#include "platform/sound_output.h"

namespace frost {

// The sound of the Linux desktop card: MCI command strings go to the FluidSynth sequencer,
// wave files and the beep to SDL audio.
//
// Device counts report what is really there: one wave device when SDL opens an audio output
// (SDL's "dummy" driver counts as none), one MIDI device when a General MIDI
// soundfont is installed. The MIDI count does not depend on the audio output: without one
// "open" still succeeds and "play" fails, as a sequencer without a port would.
//
// SDL's audio subsystem is started here and stopped in the destructor (SDL counts these), so
// a DesktopSound must be destroyed before SDL_Quit.
class DesktopSound : public SoundOutput {
 public:
  explicit DesktopSound(FluidSequencerOptions music = {});
  ~DesktopSound() override;
  DesktopSound(const DesktopSound&) = delete;
  DesktopSound& operator=(const DesktopSound&) = delete;

  // One sound at a time, as the multimedia call plays them: a null name stops it, a system
  // sound alias plays the beep (there are no system sounds here), and a wave file plays
  // through SDL, once or looping, in the background or until it ends.
  int PlaySound(const char* name, std::uint32_t flags) override;
  std::uint32_t SendMciCommand(const std::string& command) override;
  int WaveOutDeviceCount() override;
  int MidiOutDeviceCount() override;
  // A short tone, or the terminal bell on stderr when there is no audio output.
  void Beep() override;

 private:
  class AudioSubsystem;
  class Voice;
  bool PlayWaveFile(const char* fileName, std::uint32_t flags);
  bool Play(std::unique_ptr<Voice> voice, std::uint32_t flags);

  std::unique_ptr<AudioSubsystem> audio_;  // first in, last out: the others use it
  FluidSequencer sequencer_;
  std::unique_ptr<Voice> voice_;     // the sound playing or last played; closed at the next call
  std::optional<int> wave_devices_;  // probed once
};

}  // namespace frost
