// The win32 tests' main. A copy of this program named "Lingering.exe" is the stand-in for a
// card that is still running: it leaves "Lingering.started" beside itself, stays 2 seconds and
// ends, so the tests can try the hand-over's file operations against a running program file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/win32/windows_prelude.h"

namespace {

bool RunsAsLingering() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::filesystem::path self(path);
  if (self.filename() != L"Lingering.exe")
    return false;
  std::ofstream(std::filesystem::path(self).replace_extension(L".started")) << "started";
  Sleep(2000);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (RunsAsLingering())
    return 0;
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
