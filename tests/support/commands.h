#pragma once
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

namespace frost::testing {

struct CommandResult {
  int status = -1;     // the exit code; -1 when the command did not exit normally
  std::string output;  // what it wrote to stdout, byte for byte
};

inline int ExitCode(int status) {
#ifdef _WIN32
  return status;  // the C runtime gives the exit code itself
#else
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

// Runs a shell command and keeps its standard output.
inline CommandResult RunCapturing(const std::string& command) {
  CommandResult result;
#ifdef _WIN32
  FILE* pipe = _popen(command.c_str(), "rb");
#else
  FILE* pipe = popen(command.c_str(), "r");
#endif
  if (pipe == nullptr)
    return result;
  char buffer[65536];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.output.append(buffer, got);
  }
#ifdef _WIN32
  result.status = ExitCode(_pclose(pipe));
#else
  result.status = ExitCode(pclose(pipe));
#endif
  return result;
}

// Runs a shell command, its output discarded; returns the exit code.
inline int RunCommand(const std::string& command) {
#ifdef _WIN32
  constexpr const char* kDiscard = " >NUL 2>&1";
#else
  constexpr const char* kDiscard = " >/dev/null 2>&1";
#endif
  return ExitCode(std::system((command + kDiscard).c_str()));
}

}  // namespace frost::testing
