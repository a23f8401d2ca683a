#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace frost::testing {

// A format-0 Standard MIDI File at 120 beats a minute: `notes` quarter notes (half a second
// each) of a rising scale on the General MIDI instrument `program`.
std::vector<std::uint8_t> MakeScaleTune(int notes, int program = 0);

// Seconds from the start to the end of the longest track, following the tempo changes.
double TuneSeconds(std::span<const std::uint8_t> smf);

// A 16-bit mono PCM WAV file of a 440 Hz tone at half volume.
std::vector<std::uint8_t> MakeToneWave(double seconds, int rate = 22050);

struct WaveMeasure {
  double seconds = 0;
  double rms = 0;            // of all samples, full scale = 1
  double peak = 0;           // full scale = 1
  double audible_until = 0;  // end of the last 10 ms louder than -60 dBFS
};

struct WaveSamples {
  int channels = 0;
  int rate = 0;
  std::vector<double> samples;  // interleaved, full scale = 1
  double Seconds() const;
  // RMS of all channels from `from` to `to` seconds.
  double Rms(double from, double to) const;
};

// Reads a 16-bit PCM WAV file; nullopt when it is missing or malformed.
std::optional<WaveSamples> ReadWave(const std::string& path);
std::optional<WaveMeasure> MeasureWave(const std::string& path);

void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

// CPU seconds this process has used so far, user and system.
double ProcessCpuSeconds();
// Resident memory of this process in megabytes.
double ResidentMegabytes();

}  // namespace frost::testing
