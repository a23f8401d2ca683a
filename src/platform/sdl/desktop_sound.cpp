#include "platform/sdl/desktop_sound.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string_view>
#include <vector>

#include "platform/posix/quiet_alsa.h"

namespace frost {

// SDL's audio subsystem for as long as the desktop sound lives.
class DesktopSound::AudioSubsystem {
 public:
  AudioSubsystem() : ready_(Start()) {}
  ~AudioSubsystem() {
    if (ready_)
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  AudioSubsystem(const AudioSubsystem&) = delete;
  AudioSubsystem& operator=(const AudioSubsystem&) = delete;

  // An output that sound can be heard from, or at least recorded by: SDL's "dummy" driver
  // takes sound and plays it nowhere, while its "disk" driver writes it to a file.
  bool HasOutput() const {
    if (!ready_ || std::string_view(SDL_GetCurrentAudioDriver()) == "dummy")
      return false;
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    SDL_AudioSpec obtained;
    QuietAlsa quiet;
    const SDL_AudioDeviceID device =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0)
      return false;
    SDL_CloseAudioDevice(device);
    return true;
  }

 private:
  static bool Start() {
    QuietAlsa quiet;
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  }

  bool ready_;
};

// One sound on its own SDL device, from its samples in their own format (SDL converts).
class DesktopSound::Voice {
 public:
  // nullptr when the file is missing or no wave file SDL can read.
  static std::unique_ptr<Voice> FromWaveFile(const char* path) {
    SDL_AudioSpec format;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path, &format, &buffer, &length) == nullptr)
      return nullptr;
    auto voice = std::unique_ptr<Voice>(new Voice(format, {buffer, buffer + length}));
    SDL_FreeWAV(buffer);
    return voice;
  }

  // The beep: a short soft tone, faded in and out so that it does not click.
  static std::unique_ptr<Voice> Tone() {
    constexpr int kRate = 44100;
    constexpr double kSeconds = 0.12, kPitch = 880.0, kVolume = 0.25, kFadeSeconds = 0.005;
    constexpr int kFrames = static_cast<int>(kRate * kSeconds);
    std::vector<Uint8> bytes(kFrames * sizeof(Sint16));
    for (int i = 0; i < kFrames; ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double fade = std::min({1.0, t / kFadeSeconds, (kSeconds - t) / kFadeSeconds});
      const auto sample =
          static_cast<Sint16>(32767 * kVolume * fade * std::sin(2 * std::numbers::pi * kPitch * t));
      std::memcpy(&bytes[i * sizeof(Sint16)], &sample, sizeof sample);
    }
    SDL_AudioSpec format{};
    format.freq = kRate;
    format.format = AUDIO_S16SYS;
    format.channels = 1;
    return std::unique_ptr<Voice>(new Voice(format, std::move(bytes)));
  }

  ~Voice() {
    if (device_ != 0)
      SDL_CloseAudioDevice(device_);
  }
  Voice(const Voice&) = delete;
  Voice& operator=(const Voice&) = delete;

  bool Start(bool loop) {
    loop_ = loop;
    spec_.samples = 1024;
    spec_.callback = &Fill;
    spec_.userdata = this;
    SDL_AudioSpec obtained;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &spec_, &obtained, 0);
    if (device_ == 0)
      return false;
    silence_ = obtained.silence;
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  bool Finished() const { return finished_; }

  void WaitUntilFinished() const {
    while (!finished_) SDL_Delay(10);
  }

 private:
  Voice(const SDL_AudioSpec& format, std::vector<Uint8> samples)
      : spec_(format), samples_(std::move(samples)) {}

  // Runs on SDL's audio thread.
  static void SDLCALL Fill(void* data, Uint8* stream, int length) {
    auto& self = *static_cast<Voice*>(data);
    const std::size_t wanted = static_cast<std::size_t>(length);
    std::size_t written = 0;
    while (written < wanted && !self.samples_.empty()) {
      if (self.position_ == self.samples_.size()) {
        if (!self.loop_)
          break;
        self.position_ = 0;
      }
      const std::size_t count = std::min(wanted - written, self.samples_.size() - self.position_);
      std::memcpy(stream + written, self.samples_.data() + self.position_, count);
      written += count;
      self.position_ += count;
    }
    std::memset(stream + written, self.silence_, wanted - written);
    if (written < wanted)
      self.finished_ = true;
  }

  SDL_AudioSpec spec_;
  std::vector<Uint8> samples_;
  std::size_t position_ = 0;  // used by the audio thread only once started
  bool loop_ = false;
  Uint8 silence_ = 0;
  std::atomic<bool> finished_{false};
  SDL_AudioDeviceID device_ = 0;
};

DesktopSound::DesktopSound(FluidSequencerOptions music)
    : audio_(std::make_unique<AudioSubsystem>()), sequencer_(std::move(music)) {}

DesktopSound::~DesktopSound() = default;

int DesktopSound::PlaySound(const char* name, std::uint32_t flags) {
  // A sound that has ended gives its device back here, at the next call.
  if (voice_ && voice_->Finished())
    voice_.reset();
  if (name == nullptr) {
    voice_.reset();
    return 1;
  }
  if ((flags & snd::kNoStop) != 0 && voice_)
    return 0;
  if (WaveOutDeviceCount() == 0)
    return 0;
  if ((flags & snd::kAlias) == 0 && PlayWaveFile(name, flags))
    return 1;
  if ((flags & snd::kNoDefault) != 0)
    return 0;
  Beep();  // the system's default sound
  return 1;
}

bool DesktopSound::PlayWaveFile(const char* fileName, std::uint32_t flags) {
  auto voice = Voice::FromWaveFile(fileName);
  return voice && Play(std::move(voice), flags);
}

bool DesktopSound::Play(std::unique_ptr<Voice> voice, std::uint32_t flags) {
  voice_.reset();
  const bool async = (flags & snd::kAsync) != 0;
  if (!voice->Start(async && (flags & snd::kLoop) != 0))
    return false;
  if (async) {
    voice_ = std::move(voice);
  } else {
    voice->WaitUntilFinished();
  }
  return true;
}

std::uint32_t DesktopSound::SendMciCommand(const std::string& command) {
  return sequencer_.Send(command);
}

int DesktopSound::WaveOutDeviceCount() {
  if (!wave_devices_)
    wave_devices_ = audio_->HasOutput() ? 1 : 0;
  return *wave_devices_;
}

int DesktopSound::MidiOutDeviceCount() {
  return sequencer_.HasSoundFont() ? 1 : 0;
}

void DesktopSound::Beep() {
  if (WaveOutDeviceCount() == 0) {
    std::fputs("\a", stderr);
    return;
  }
  Play(Voice::Tone(), snd::kAsync);
}

}  // namespace frost
