#pragma once
#include <string>

#include "platform/platform.h"
#include "platform/sound_output.h"
#include "platform/win32/win32_file_io.h"

namespace frost {

// What ShellExecuteOpen returns when a program was started by CreateProcessW (the shell's
// own results above 32 are passed on as they are).
inline constexpr int kProcessStarted = 42;

// The named mutex of the single-instance guard, in the session namespace: one card per
// logged-on user session.
inline constexpr const char* kSingleInstanceMutex = "Local\\Frostmail-single-instance";

struct Win32PlatformOptions {
  // The file the card runs as; empty: the running program itself.
  std::string program_path;
  // The guard's mutex name; empty: no guard, every run counts as the only one.
  std::string mutex_name = kSingleInstanceMutex;
};

// The OS services of Windows: files with wide-character paths, the running program, starting
// programs and opening addresses, the environment, the single-instance guard, the resources
// of the program's resource script, and the message box. Sound calls go to the given output.
// Platform::MessageBox, DeleteFile and PlaySound share their names with macros of
// the Windows headers; windows_prelude.h keeps those out of the way until they are renamed.
class Win32Platform : public Platform {
 public:
  explicit Win32Platform(SoundOutput& sound, Win32PlatformOptions options = {});

  bool FileExists(const std::string& path) override;
  // The new file is a uniquely named ".part" file beside the target, which replaces the target
  // in one step. A copy onto the source itself is refused.
  void WriteCompleteCopy(const std::string& from, const std::string& to,
                         const std::function<void(BinaryFile&)>& finish) override;
  bool FilesIdentical(const std::string& a, const std::string& b) override;
  void DeleteFile(const std::string& path) override;
  std::int64_t FileLength(const std::string& path) override;
  std::unique_ptr<BinaryFile> OpenBinary(const std::string& path, FileMode mode) override;
  void WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) override;

  std::string ProgramPath() override;
  std::optional<std::string> Environment(const std::string& name) override;
  std::string PrivateFolder() override;
  // A program file (".exe") is started with CreateProcessW; anything else (a document, a web
  // address) is opened with the shell's "open" verb.
  int ShellExecuteOpen(const std::string& file) override;

  bool AcquireSingleInstance() override;
  void ReleaseSingleInstance() override;

  int PlaySound(const char* name, std::uint32_t flags) override {
    return sound_.PlaySound(name, flags);
  }
  std::uint32_t SendMciCommand(const std::string& command) override {
    return sound_.SendMciCommand(command);
  }
  int WaveOutDeviceCount() override { return sound_.WaveOutDeviceCount(); }
  int MidiOutDeviceCount() override { return sound_.MidiOutDeviceCount(); }
  void Beep() override { sound_.Beep(); }

  // One OK button, modal for the card's thread; works before the window exists.
  void MessageBox(const std::string& text, const std::string& caption) override;

  std::optional<std::vector<std::uint8_t>> LoadResource(const std::string& type, int id) override;

 private:
  SoundOutput& sound_;
  std::string program_path_;
  std::string mutex_name_;
  UniqueHandle instance_;
};

}  // namespace frost
